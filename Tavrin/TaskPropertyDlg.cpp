// The task property sheet.
#include "TaskPropertyDlg.h"

#include "TaskResource.h"

IMPLEMENT_DYNCREATE(CTaskAdvPage, CPropertyPage)

CTaskAdvPage::CTaskAdvPage() : CPropertyPage(IDD_TASK_ADV)
{
}

IMPLEMENT_DYNAMIC(CTaskPropertyDlg, CPropertySheet)

CTaskPropertyDlg::CTaskPropertyDlg(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    AddPage(&m_pageNormal);
    AddPage(&m_pagePreTask);
    AddPage(&m_pageRefDoc);
    AddPage(&m_pageTargetDoc);
}

CTaskPropertyDlg::~CTaskPropertyDlg()
{
}

void CTaskPropertyDlg::SetResources(const CTaskResList& resources)
{
    m_pageNormal.SetResources(resources);
}

void CTaskPropertyDlg::SetPredecessorData(const CStringArray& arLinkTypes, const CStringArray& arTaskNames,
                                          const CUIntArray& arTaskIds)
{
    m_pagePreTask.SetLists(arLinkTypes, arTaskNames, arTaskIds);
}

void CTaskPropertyDlg::SetGeneral(int bDatesEditable, CString strName, CString strDescription,
                                  const CStringArray& arAssignees, const CObList& links, COleDateTime dtStart,
                                  COleDateTime dtFinish, COleDateTime dtDeadline, int nPriority, int nDuration,
                                  int bEstimate, int bMilestone)
{
    m_pageNormal.m_strName = strName;
    m_pageNormal.m_strDescription = strDescription;
    m_pageNormal.m_dtStartValue = dtStart;
    m_pageNormal.m_dtFinishValue = dtFinish;
    m_pageNormal.m_dtDeadlineValue = dtDeadline;
    m_pageNormal.m_nPriority = (nPriority <= 0 || nPriority > 5) ? 2 : nPriority;
    m_pageNormal.m_bEstimate = bEstimate;
    m_pageNormal.m_bMilestone = bMilestone;
    m_pageNormal.SetAssignees(bDatesEditable, arAssignees);
    m_pagePreTask.SetLinks(links);
    m_pageNormal.m_strDuration.Format(bEstimate ? _T("%d个工作日?") : _T("%d个工作日"), nDuration / 86400);
}

void CTaskPropertyDlg::SetRefDocs(const CObList& docs)
{
    m_pageRefDoc.SetDocs(docs);
}

void CTaskPropertyDlg::SetTargetDocs(const CObList& docs)
{
    m_pageTargetDoc.SetDocs(docs);
}

void CTaskPropertyDlg::SetCalendar(int nBaseID, const CObList& listFirst, const CObList& listSecond)
{
    m_pageNormal.SetCalendar(nBaseID, listFirst, listSecond);
}

void CTaskPropertyDlg::SetCalendarID(int nID)
{
    m_pageNormal.SetCalendarID(nID);
}

BOOL CTaskPropertyDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (wParam == IDOK)
    {
        // The general page first, then the predecessors; the sheet closes only when both
        // accept (the sheet then applies the pages once more, which they allow).
        m_pageNormal.OnOK();
        if (!m_pageNormal.m_bAccepted)
            return TRUE;
        m_pagePreTask.OnOK();
        if (!m_pagePreTask.m_bComplete)
            return TRUE;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

BOOL CTaskPropertyDlg::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CPropertyPage* pPage = GetActivePage();
    if (pPage && pPage->GetSafeHwnd() && pPage->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CTaskPropertyDlg::PreTranslateMessage(MSG* pMsg)
{
    return CPropertySheet::PreTranslateMessage(pMsg);
}
