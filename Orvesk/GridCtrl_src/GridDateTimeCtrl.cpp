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
    : m_InitDate(initDate), m_nLastKey(0), m_nRow(nRow), m_nColumn(nColumn), m_bClosed(FALSE), m_bEnded(FALSE)
{
    if (!pParent)
        return;
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_LONGDATEFORMAT | DTS_RIGHTALIGN;
    FitDateRect(pParent, rect);
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

void CGridDateTimeCtrl::FitDateRect(CWnd* pParent, CRect& rect)
{
    if (!pParent->GetSafeHwnd())
        return;
    // The widest date of the format, the drop button and the control's own margins.
    CClientDC dc(pParent);
    CFont* pOldFont = dc.SelectObject(pParent->GetFont());
    const CSize size = dc.GetTextExtent(FormatDate(COleDateTime(2000, 12, 28, 0, 0, 0)));
    dc.SelectObject(pOldFont);
    const int nNeed = size.cx + ::GetSystemMetrics(SM_CXVSCROLL) + 12;
    if (rect.Width() >= nNeed)
        return;
    CRect rcClient;
    pParent->GetClientRect(rcClient);
    rect.right = rect.left + nNeed;
    if (rect.right > rcClient.right)
    {
        // Past the grid's right edge: the picker ends there and reaches further left.
        rect.right = rcClient.right;
        rect.left = rect.right - nNeed;
        if (rect.left < rcClient.left)
            rect.left = rcClient.left;
    }
}

void CGridDateTimeCtrl::SetInitialDate(const COleDateTime& date)
{
    m_InitDate = date;
    if (GetSafeHwnd() && date.GetStatus() == COleDateTime::valid)
        SetTime(date);
}

void CGridDateTimeCtrl::TypeFirstChar(UINT nChar)
{
    // Keys that only open the edit (a click, Enter, Backspace, Tab, the navigation keys)
    // type nothing.
    if (!GetSafeHwnd() || nChar <= 0x20 || nChar >= 0x7F)
        return;
    SendMessage(WM_CHAR, nChar, 0);
}

BOOL CGridDateTimeCtrl::LeaveToGrid(UINT nKey)
{
    if (m_bEnded)
        return TRUE;
    if (nKey == VK_ESCAPE && m_InitDate.GetStatus() == COleDateTime::valid)
        SetTime(m_InitDate);
    m_nLastKey = nKey;
    // The focus loss that follows ends the edit.
    CWnd* pParent = GetParent();
    if (pParent && pParent->GetSafeHwnd())
        pParent->SetFocus();
    if (!m_bEnded)
        EndEdit();
    return TRUE;
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
    if (pMsg->message == WM_KEYDOWN
        && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_TAB || pMsg->wParam == VK_ESCAPE))
        return LeaveToGrid((UINT)pMsg->wParam);
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

    CWnd* pParent = GetParent();
    GridReportEndEdit(this, m_nRow, m_nColumn, FormatDate(GetChosenDate()), m_nLastKey);
    // Ended from inside (a click in the field, a day chosen in the calendar), the picker
    // would take the keyboard with it when it closes: the keys go to the grid.
    CWnd* pFocus = CWnd::GetFocus();
    if (pParent && pParent->GetSafeHwnd() && GetSafeHwnd() && pFocus
        && (pFocus == this || ::IsChild(GetSafeHwnd(), pFocus->GetSafeHwnd())))
        pParent->SetFocus();
}

void CGridDateTimeCtrl::PostNcDestroy()
{
    CDateTimeCtrl::PostNcDestroy();
    delete this;
}
