// The predecessor page.
#include "TaskPreTaskPage.h"

#include "GridCellCombo.h"
#include "TaskResource.h"

#include <Tavrin/TaskLink.h>

#include <cstdlib>

IMPLEMENT_DYNCREATE(CTaskPreTaskPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CTaskPreTaskPage, CPropertyPage)
    ON_NOTIFY(NM_RCLICK, IDC_TASK_PRED_GRID, OnGridRClick)
    ON_COMMAND(ID_TASK_PRED_DELETE, OnDeleteRow)
    ON_COMMAND(ID_TASK_PRED_ADD, OnAddRow)
END_MESSAGE_MAP()

namespace
{
// The leading decimal number of a text ("5个工作日" gives 5; no digit gives 0).
int LeadingNumber(const CString& str)
{
    return (int)strtol((LPCTSTR)str, NULL, 10);
}

int FindExact(const CStringArray& ar, const CString& str)
{
    for (int i = 0; i < ar.GetSize(); i++)
        if (ar[i] == str)
            return i;
    return -1;
}
} // namespace

CTaskPreTaskPage::CTaskPreTaskPage()
    : CPropertyPage(IDD_TASK_PRETASK), m_bComplete(0), m_bInitialised(0)
{
}

CTaskPreTaskPage::~CTaskPreTaskPage()
{
    DeleteLinks();
}

void CTaskPreTaskPage::DeleteLinks()
{
    POSITION pos = m_lstLinks.GetHeadPosition();
    while (pos)
        delete m_lstLinks.GetNext(pos);
    m_lstLinks.RemoveAll();
}

void CTaskPreTaskPage::SetLists(const CStringArray& arLinkTypes, const CStringArray& arTaskNames,
                                const CUIntArray& arTaskIds)
{
    m_arLinkTypes.Append(arLinkTypes);
    m_arTaskNames.Append(arTaskNames);
    m_arTaskIds.Append(arTaskIds);
}

void CTaskPreTaskPage::SetLinks(const CObList& links)
{
    POSITION pos = links.GetHeadPosition();
    while (pos)
    {
        const CTaskLink* pLink = static_cast<const CTaskLink*>(links.GetNext(pos));
        m_lstLinks.AddTail(new CTaskLink(*pLink));
    }
}

void CTaskPreTaskPage::SetRowCellTypes(int nFirst, int nLast)
{
    m_Grid.SetColumnCellType(2, nFirst, nLast, m_arLinkTypes, RUNTIME_CLASS(CGridCellCombo));
    m_Grid.SetColumnCellType(1, nFirst, nLast, m_arTaskNames, RUNTIME_CLASS(CGridCellCombo));
}

BOOL CTaskPreTaskPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    CRect rect;
    CWnd* pHolder = GetDlgItem(IDC_TASK_PRED_HOLDER);
    if (pHolder)
    {
        pHolder->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    m_Grid.Create(rect, this, IDC_TASK_PRED_GRID, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    // Over the placeholder, which only lends its rectangle.
    m_Grid.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    m_Grid.ShowWindow(SW_SHOW);
    m_Grid.SetEditable(TRUE);

    m_Grid.SetRowCount(kDataRows + 1);
    m_Grid.SetColumnCount(kCols);
    m_Grid.SetFixedRowCount(1);
    m_Grid.SetFixedColumnCount(1);
    static const int kWidths[kCols] = {25, 150, 120, 80, 0};
    for (int col = 0; col < kCols; col++)
        m_Grid.SetColumnWidth(col, kWidths[col]);
    static const char* const kHeadings[kCols] = {"", "任务名称", "类型", "延隔时间", "关系"};
    for (int col = 0; col < kCols; col++)
        m_Grid.GetCell(0, col)->SetText(kHeadings[col]);

    m_arLinkTypes.Add(_T(""));
    m_arTaskNames.Add(_T(""));
    SetRowCellTypes(1, kDataRows);

    // One row per link; rows are added for links beyond the twentieth.
    int nRow = 1;
    POSITION pos = m_lstLinks.GetHeadPosition();
    while (pos)
    {
        const CTaskLink* pLink = static_cast<const CTaskLink*>(m_lstLinks.GetNext(pos));
        if (nRow >= m_Grid.GetRowCount())
        {
            m_Grid.InsertRow(_T(""), -1);
            SetRowCellTypes(nRow, nRow);
        }
        CString str;
        m_Grid.GetCell(nRow, 1)->SetText(pLink->m_strPredName);
        if (pLink->m_nType >= 1 && pLink->m_nType <= m_arLinkTypes.GetSize())
            m_Grid.GetCell(nRow, 2)->SetText(m_arLinkTypes[pLink->m_nType - 1]);
        str.Format(_T("%d"), pLink->m_nLag);
        m_Grid.GetCell(nRow, 3)->SetText(str);
        str.Format(_T("%d"), pLink->m_nLogicalType);
        m_Grid.GetCell(nRow, 4)->SetText(str);
        nRow++;
    }

    m_Grid.SetFocus();
    m_bInitialised = 1;
    return TRUE;
}

CTaskLink* CTaskPreTaskPage::MakeLink(int nRow, BOOL* pbFailed) const
{
    CString strName = m_Grid.GetItemText(nRow, 1);
    int nType = FindExact(m_arLinkTypes, m_Grid.GetItemText(nRow, 2));
    int nName = FindExact(m_arTaskNames, strName);
    if (nType < 0 || nName < 0)
    {
        *pbFailed = TRUE;
        return NULL;
    }
    CTaskLink* pLink = new CTaskLink;
    pLink->m_strPredName = strName;
    pLink->m_nPredID = nName < m_arTaskIds.GetSize() ? (int)m_arTaskIds[nName] : 0;
    pLink->m_nType = nType + 1;
    pLink->m_nLogicalType = LeadingNumber(m_Grid.GetItemText(nRow, 4));
    pLink->m_nSequence = 0;
    pLink->m_nSuccID = 0;
    pLink->m_nLag = LeadingNumber(m_Grid.GetItemText(nRow, 3));
    return pLink;
}

void CTaskPreTaskPage::OnOK()
{
    if (m_bInitialised && m_Grid.GetSafeHwnd())
    {
        // A row with some of name, type and lag filled and some not is refused.
        for (int row = 1; row < m_Grid.GetRowCount(); row++)
        {
            int nFilled = 0;
            for (int col = 1; col <= 3; col++)
                if (!m_Grid.GetItemText(row, col).IsEmpty())
                    nFilled++;
            if (nFilled != 0 && nFilled != 3)
            {
                AfxMessageBox(_T("前置任务未填写完整!"), MB_OK);
                m_bComplete = 0;
                return;
            }
        }

        // The new list is built aside: a name or type missing from the lists keeps the
        // former records and refuses the OK.
        CObList newLinks;
        for (int row = 1; row < m_Grid.GetRowCount(); row++)
        {
            if (m_Grid.GetItemText(row, 1).IsEmpty())
                continue;
            BOOL bFailed = FALSE;
            CTaskLink* pLink = MakeLink(row, &bFailed);
            if (bFailed)
            {
                POSITION pos = newLinks.GetHeadPosition();
                while (pos)
                    delete newLinks.GetNext(pos);
                m_bComplete = 0;
                return;
            }
            newLinks.AddTail(pLink);
        }
        DeleteLinks();
        m_lstLinks.AddTail(&newLinks);
    }
    m_bComplete = 1;
    CPropertyPage::OnOK();
}

void CTaskPreTaskPage::OnGridRClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    CMenu menu;
    if (menu.LoadMenu(IDR_TASK_POPUPS))
    {
        CMenu* pPopup = menu.GetSubMenu(2);
        if (pPopup)
        {
            CPoint pt;
            ::GetCursorPos(&pt);
            pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, GetTopLevelParent());
        }
    }
    *pResult = 0;
}

void CTaskPreTaskPage::OnAddRow()
{
    if (!m_Grid.GetSafeHwnd())
        return;
    int nRow = m_Grid.InsertRow(_T(""), -1);
    if (nRow >= 0)
        SetRowCellTypes(nRow, nRow);
    m_Grid.Invalidate();
}

void CTaskPreTaskPage::OnDeleteRow()
{
    if (!m_Grid.GetSafeHwnd())
        return;
    CGridCellRange sel = m_Grid.GetSelectedCellRange();
    int nRow = sel.GetMinRow();
    if (nRow < m_Grid.GetFixedRowCount() || nRow >= m_Grid.GetRowCount())
        return;
    for (int col = 1; col < m_Grid.GetColumnCount(); col++)
    {
        CGridCellBase* pCell = m_Grid.GetCell(nRow, col);
        if (pCell)
            pCell->SetText(_T(""));
        m_Grid.RedrawCell(nRow, col);
    }
}
