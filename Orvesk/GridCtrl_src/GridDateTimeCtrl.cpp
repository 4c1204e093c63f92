// The date editor.
#include "GridDateTimeCtrl.h"
#include "GridItem.h"
#include "InPlaceEditKeys.h"

BEGIN_MESSAGE_MAP(CGridDateTimeCtrl, CDateTimeCtrl)
    ON_NOTIFY_REFLECT(DTN_DROPDOWN, OnDropDown)
    ON_NOTIFY_REFLECT(DTN_CLOSEUP, OnCloseUp)
    ON_WM_NCLBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CGridDateTimeCtrl::CGridDateTimeCtrl(CWnd* pParent, CRect& rect, DWORD /*dwStyle*/, UINT nID, int nRow,
                                     int nColumn, COleDateTime initDate)
    : m_InitDate(initDate), m_nRow(nRow), m_nColumn(nColumn), m_bClosed(FALSE), m_bEnded(FALSE)
{
    if (!pParent)
        return;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_LONGDATEFORMAT | DTS_RIGHTALIGN;
    if (!Create(dwStyle, rect, pParent, nID))
        return;
    if (initDate.GetStatus() == COleDateTime::valid)
        SetTime(initDate);
    SetFont(pParent->GetFont());
    SetFocus();
}

CGridDateTimeCtrl::~CGridDateTimeCtrl()
{
}

CString CGridDateTimeCtrl::FormatDate(const COleDateTime& date)
{
    CString strFormat;
    if (!AfxLoadString(IDS_GRID_DATE_FORMAT, strFormat) || strFormat.IsEmpty())
        strFormat = _T("%#Y年%#m月%#d日");
    return date.Format(strFormat);
}

COleDateTime CGridDateTimeCtrl::GetChosenDate() const
{
    COleDateTime date;
    if (!GetSafeHwnd() || !GetTime(date) || date.GetStatus() != COleDateTime::valid)
        return m_InitDate;
    return date;
}

void CGridDateTimeCtrl::OnDropDown(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    SetMonthCalColor(MCSC_MONTHBK, 0xFFF9F4);
    SetMonthCalColor(MCSC_TITLEBK, 0xFFC7A2);
    if (pResult)
        *pResult = 0;
}

void CGridDateTimeCtrl::OnCloseUp(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    m_bClosed = TRUE;
    if (pResult)
        *pResult = 0;
    EndEdit();
}

void CGridDateTimeCtrl::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    CDateTimeCtrl::OnNcLButtonUp(nHitTest, point);
    EndEdit();
}

void CGridDateTimeCtrl::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
}

void CGridDateTimeCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CDateTimeCtrl::OnKillFocus(pNewWnd);
    // Focus leaving for another window ends the edit, once, so the cell never stays
    // marked as editing with an editor nobody sees.
    if (pNewWnd && pNewWnd->GetSafeHwnd() == GetSafeHwnd())
        return;
    EndEdit();
}

BOOL CGridDateTimeCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE)
        return TRUE;
    if (pMsg->message == WM_LBUTTONUP)
    {
        m_bClosed = TRUE;
        EndEdit();
        return TRUE;
    }
    return CDateTimeCtrl::PreTranslateMessage(pMsg);
}

void CGridDateTimeCtrl::EndEdit()
{
    if (m_bEnded)
        return;
    m_bEnded = TRUE;

    GridReportEndEdit(this, m_nRow, m_nColumn, FormatDate(GetChosenDate()), 0);
}

void CGridDateTimeCtrl::PostNcDestroy()
{
    CDateTimeCtrl::PostNcDestroy();
    delete this;
}
