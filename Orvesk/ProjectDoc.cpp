// Construction of the project document and its list operations.
#include "ProjectDoc.h"

#include "Gantt_src/RestDayCounter.h"
#include "ProjectSchedule.h"
#include "SrvrItem.h"

IMPLEMENT_DYNCREATE(CProjectDoc, COleServerDoc)

CProjectDoc::CProjectDoc()
    : m_pOrigParent(NULL), m_nMaxRowInGrid(0), m_nProjectID(0), m_listTasks(10), m_listDeletedTasks(10), m_listDayOfWeek(10),
      m_listCalendarItems(10), m_bLocalFile(1), m_listResources(10), m_listPermissions(10),
      m_nCalBaseID(-2), m_nCalID(0), m_bAutomation(1), m_nViewType(2), m_nParseDepth(0)
{
    ReadReg();
    EnableCompoundFile();
}

#ifdef _DEBUG
void CProjectDoc::AssertValid() const
{
    COleServerDoc::AssertValid();
}

void CProjectDoc::Dump(CDumpContext& dc) const
{
    COleServerDoc::Dump(dc);
}
#endif

CProjectDoc::~CProjectDoc()
{
    DetachList();
    m_listResources.RemoveAll();
    m_listPermissions.RemoveAll();
}

void CProjectDoc::DetachList()
{
    ForgetSchedule();
    POSITION pos = m_listTasks.GetHeadPosition();
    while (pos != NULL)
        delete m_listTasks.GetNext(pos);
    m_listTasks.RemoveAll();
    DetachDeleteList();
    DetachListCalendar();
}

void CProjectDoc::DetachDeleteList()
{
    POSITION pos = m_listDeletedTasks.GetHeadPosition();
    while (pos != NULL)
        delete m_listDeletedTasks.GetNext(pos);
    m_listDeletedTasks.RemoveAll();
}

void CProjectDoc::RemoveAllList()
{
    ForgetSchedule();
    POSITION pos = m_listTasks.GetHeadPosition();
    while (pos != NULL)
        m_listTasks.GetNext(pos)->ClearChildren();
    m_listTasks.RemoveAll();
}

void CProjectDoc::ReplaceTaskAssignee(const CString& strOld, const CString& strNew)
{
    POSITION pos = m_listTasks.GetHeadPosition();
    while (pos != NULL) {
        CTaskItem* pTask = m_listTasks.GetNext(pos);
        pTask->ReplaceOwnAssignee(strOld, strNew);
        pTask->ReplaceAssignee(strOld, strNew);
    }
}

CString CProjectDoc::GetResNameByCode(const CString& strCode)
{
    POSITION pos = m_ProjectInfo.m_listMembers.GetHeadPosition();
    while (pos != NULL) {
        const tagResInfo& res = m_ProjectInfo.m_listMembers.GetNext(pos);
        if (res.strCode == strCode)
            return res.strName;
    }
    return CString();
}

CString CProjectDoc::GetResNameByID(int nID)
{
    POSITION pos = m_listResources.GetHeadPosition();
    while (pos != NULL) {
        const tagResInfo& res = m_listResources.GetNext(pos);
        if (res.nID == nID)
            return res.strName;
    }
    return CString();
}
