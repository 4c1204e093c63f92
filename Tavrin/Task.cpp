// The task object and its property round trip.
#include <Tavrin/Task.h>

#include <Tavrin/RefDoc.h>
#include <Tavrin/TargetDoc.h>
#include <Tavrin/TaskLink.h>

#include "TaskPropertyDlg.h"

IMPLEMENT_DYNCREATE(CTask, CObject)

namespace
{
template <class T>
void DeleteRecords(CObList& list)
{
    POSITION pos = list.GetHeadPosition();
    while (pos)
        delete static_cast<T*>(list.GetNext(pos));
    list.RemoveAll();
}

template <class T>
void AppendCopies(CObList& to, const CObList& from)
{
    POSITION pos = from.GetHeadPosition();
    while (pos)
    {
        T* pCopy = new T;
        *pCopy = *static_cast<const T*>(from.GetNext(pos));
        to.AddTail(pCopy);
    }
}
} // namespace

CTask::CTask()
    : m_lstLinks(10), m_lstTargetDocs(10), m_lstRefDocs(10), m_nProjectID(0), m_nAssignerID(0),
      m_nPriority(0), m_nDuration(0), m_bEstimate(0), m_bMilestone(0), m_lstResources(10)
{
}

CTask::CTask(int nProjectID, CSession& session, int nAssignerID) : CTask()
{
    m_session = session;
    m_nProjectID = nProjectID;
    m_nAssignerID = nAssignerID;
}

CTask::~CTask()
{
    DetachList();
    m_session.Close();
}

void CTask::DetachList()
{
    DeleteRecords<CRefDoc>(m_lstRefDocs);
    DeleteRecords<CTargetDoc>(m_lstTargetDocs);
    DeleteRecords<CTaskLink>(m_lstLinks);
}

CString CTask::SheetTitle(const CString& strName)
{
    return strName.IsEmpty() ? CString(_T("新建任务")) : CString(_T("任务信息"));
}

int CTask::TaskProperty(int nCalendarID, CList<tagResInfo, tagResInfo&>& resources, CStringArray& arTaskNames,
                        CUIntArray& arTaskIds, COleDateTime dtStart, COleDateTime dtFinish,
                        COleDateTime dtDeadline, int nPriority, CStringArray& arAssignees, CObList& refDocs,
                        CObList& targetDocs, const CObList& links, int nBaseCalendarID, CObList& listCalFirst,
                        CObList& listCalSecond, CString strName, CString strDescription, int nDuration,
                        int bEstimate, int nGeneral, int bMilestone)
{
    CTaskPropertyDlg sheet(SheetTitle(strName), NULL, 0);

    CStringArray arLinkTypes;
    arLinkTypes.Add(_T("FS(完成--开始)"));
    arLinkTypes.Add(_T("FF(完成--完成)"));
    arLinkTypes.Add(_T("SF(开始--完成)"));
    arLinkTypes.Add(_T("SS(开始--开始)"));
    sheet.SetPredecessorData(arLinkTypes, arTaskNames, arTaskIds);
    sheet.SetResources(resources);
    sheet.SetGeneral(nGeneral, strName, strDescription, arAssignees, links, dtStart, dtFinish, dtDeadline,
                     nPriority, nDuration, bEstimate, bMilestone);
    sheet.SetRefDocs(refDocs);
    sheet.SetTargetDocs(targetDocs);
    sheet.SetCalendar(nBaseCalendarID, listCalFirst, listCalSecond);
    sheet.SetCalendarID(nCalendarID);

    if (sheet.DoModal() != IDOK)
        return 2;

    CTaskNormalPage& general = sheet.m_pageNormal;
    m_strName = general.m_strName;
    m_strDescription = general.m_strDescription;
    m_dtStart = general.m_dtStartValue;
    m_dtFinish = general.m_dtFinishValue;
    m_dtDeadline = general.m_dtDeadlineValue;
    m_nPriority = general.m_nPriority;
    m_bEstimate = general.m_bEstimate;
    m_bMilestone = general.m_bMilestone;
    // The general page refuses a day count whose seconds would not fit.
    m_nDuration = CTaskNormalPage::LeadingNumber(general.m_strDuration) * 24 * 3600;

    m_lstResources.RemoveAll();
    POSITION pos = general.m_lstResources.GetHeadPosition();
    while (pos)
    {
        tagResInfo res = general.m_lstResources.GetNext(pos);
        m_lstResources.AddTail(res);
    }

    if (!general.m_strResource.IsEmpty())
    {
        CString strRest = general.m_strResource + _T(",");
        int nComma;
        while ((nComma = strRest.Find(',')) >= 0)
        {
            CString strCode = strRest.Left(nComma);
            strCode.TrimLeft();
            strCode.TrimRight();
            BOOL bFound = FALSE;
            pos = m_lstResources.GetHeadPosition();
            while (pos && !bFound)
            {
                const tagResInfo& res = m_lstResources.GetNext(pos);
                if (res.strCode == strCode)
                {
                    m_arAssignees.Add(res.strCode);
                    bFound = TRUE;
                }
            }
            if (!bFound)
                return -4;
            strRest = strRest.Mid(nComma + 1);
        }
    }

    AppendCopies<CRefDoc>(m_lstRefDocs, sheet.m_pageRefDoc.m_lstDocs);
    AppendCopies<CTargetDoc>(m_lstTargetDocs, sheet.m_pageTargetDoc.m_lstDocs);
    AppendCopies<CTaskLink>(m_lstLinks, sheet.m_pagePreTask.m_lstLinks);
    return 1;
}

void CTask::GetTaskProperty(CList<tagResInfo, tagResInfo&>& resources, CString& strName, CString& strDescription,
                            COleDateTime& dtStart, COleDateTime& dtFinish, COleDateTime& dtDeadline,
                            int& nPriority, int& nDuration, int& bEstimate, CStringArray& arAssignees,
                            CObList& links, CObList& refDocs, CObList& targetDocs, int& bMilestone)
{
    strName = m_strName;
    strDescription = m_strDescription;
    dtStart = m_dtStart;
    dtFinish = m_dtFinish;
    dtDeadline = m_dtDeadline;
    nPriority = m_nPriority;
    nDuration = m_nDuration;
    bEstimate = m_bEstimate;
    bMilestone = m_bMilestone;

    POSITION pos = m_lstResources.GetHeadPosition();
    while (pos)
    {
        tagResInfo res = m_lstResources.GetNext(pos);
        resources.AddTail(res);
    }
    arAssignees.RemoveAll();
    arAssignees.Append(m_arAssignees);

    links.RemoveAll();
    AppendCopies<CTaskLink>(links, m_lstLinks);
    refDocs.RemoveAll();
    AppendCopies<CRefDoc>(refDocs, m_lstRefDocs);
    targetDocs.RemoveAll();
    AppendCopies<CTargetDoc>(targetDocs, m_lstTargetDocs);
}
