// Creating a single task or a whole new project on the server directly, without the full
// project save.
#include "ProjectDoc.h"

#include <ClassLib/AfxWin.h>

#include <cstdlib>

#include "ProjectDialogHooks.h"
#include "ProjectServiceUse.h"
#include "ProjectXmlText.h"

unsigned long CProjectDoc::GetParentTaskItembyTaskID(int nTaskID, CTaskItem* pStart)
{
    // Depth first, pre-order, first match. An explicit stack keeps a deep tree off the call
    // stack.
    CTypedPtrList<CPtrList, POSITION> stackPos;
    CTypedPtrList<CPtrList, CTaskItemList*> stackList;
    CTaskItemList* pList = pStart != NULL ? &pStart->m_listChildren : &m_listTasks;
    POSITION pos = pList->GetHeadPosition();
    for (;;) {
        if (pos == NULL) {
            if (stackList.IsEmpty())
                return 0;
            pList = stackList.RemoveTail();
            pos = stackPos.RemoveTail();
            continue;
        }
        CTaskItem* pTask = pList->GetNext(pos);
        if (pTask->m_nTaskID == nTaskID)
            return (unsigned long)(uintptr_t)pTask;
        if (!pTask->m_listChildren.IsEmpty()) {
            stackList.AddTail(pList);
            stackPos.AddTail(pos);
            pList = &pTask->m_listChildren;
            pos = pList->GetHeadPosition();
        }
    }
}

int CProjectDoc::NewTask(int nFirst, int nParentTaskID)
{
    if (nFirst < 0 && nParentTaskID < 0)
        return -1;

    CTaskItem* pParent = NULL;
    if (nParentTaskID >= 0)
        pParent = (CTaskItem*)(uintptr_t)GetParentTaskItembyTaskID(nParentTaskID, NULL);

    CTaskItem* pTask = new CTaskItem;
    // The record enters the document only once the server has it.
    struct Owner
    {
        CTaskItem* p;
        ~Owner() { delete p; }
    } owner{pTask};

    pTask->m_nProjID = m_nProjectID;
    if (ProjectRunTaskProperty(*this, *pTask) != IDOK)
        return -1;
    pTask->m_nRowInGrid = 0;
    pTask->m_nFlag = FLAG_NEW;
    if (pTask->m_nDuration == 0)
        pTask->m_nMilestone = 1;

    const CString strFormat = ProjectTaskDateFormat();
    CString strXml;
    pTask->AppendXmlHead(strXml, strFormat, TRUE);
    pTask->AppendXmlRecords(strXml, TRUE);
    if (!m_ProjectInfo.m_listMembers.IsEmpty())
        AppendMembersXml(strXml);
    strXml += "</TASK>";

    if (m_strServiceUrl.IsEmpty())
        return -1;
    CProjectServiceRef service(ProjectConnectService(*this));
    if (!service)
        return -1;
    LONG nNewID = -1;
    service->SetProjectRevision(m_strRevision);
    if (service->NewTask(nFirst, nParentTaskID, strXml, nNewID) != S_OK)
        return -1;
    m_strRevision = service->GetProjectRevision();

    owner.p = NULL;
    pTask->m_nTaskID = (int)nNewID;
    pTask->m_nFlag = FLAG_UNCHANGED;
    if (pParent != NULL) {
        pTask->m_nParentID = nParentTaskID;
        pParent->m_listChildren.AddTail(pTask);
    } else {
        m_listTasks.AddTail(pTask);
    }
    return (int)nNewID;
}

int CProjectDoc::NewProject(CString strLoginName)
{
    const COleDateTime now = COleDateTime::GetCurrentTime();
    CProjSheetData sheet;
    sheet.strName = "新建项目";
    sheet.dtStart = sheet.dtFinish = sheet.dtDeadline = now;
    sheet.pPermissions = &m_listPermissions;
    sheet.pMembers = &m_ProjectInfo.m_listMembers;
    if (ProjectRunProjSheet("新建项目", 0, sheet) != IDOK)
        return -1;

    m_strLoginName = strLoginName;
    m_ProjectInfo.m_strName = sheet.strName;
    m_ProjectInfo.m_strGoal = sheet.strGoal;
    m_ProjectInfo.m_dtStart = sheet.dtStart;
    m_ProjectInfo.m_dtFinish = sheet.dtFinish;
    m_ProjectInfo.m_dtDeadline = sheet.dtDeadline;
    m_ProjectInfo.m_nCost = (int)strtol(sheet.strCost, NULL, 10);
    m_ProjectInfo.m_dtCreation = now;
    SetTitle(m_ProjectInfo.m_strName);
    return CreateProjectOnServer();
}

int CProjectDoc::NewProject(CString strLoginName, CString strName, CString strGoal, COleDateTime dtStart,
                            COleDateTime dtFinish, COleDateTime dtDeadline, int nCost)
{
    m_strLoginName = strLoginName;
    m_ProjectInfo.m_strName = strName;
    m_ProjectInfo.m_strGoal = strGoal;
    m_ProjectInfo.m_dtStart = dtStart;
    m_ProjectInfo.m_dtFinish = dtFinish;
    m_ProjectInfo.m_dtDeadline = dtDeadline;
    m_ProjectInfo.m_nCost = nCost;
    m_ProjectInfo.m_dtCreation = COleDateTime::GetCurrentTime();
    return CreateProjectOnServer();
}

int CProjectDoc::CreateProjectOnServer()
{
    m_ProjectInfo.m_nFlag = FLAG_NEW;
    ModifyLoginUserPerm();

    CString strXml = "<PROJECT>";
    AppendProjectHeaderXml(strXml);
    if (!m_ProjectInfo.m_listMembers.IsEmpty())
        AppendMembersXml(strXml);
    strXml += "</PROJECT>";

    CProjectServiceRef service(ProjectConnectService(*this));
    if (!service)
        return -1;
    LONG nNewID = -1;
    if (service->NewProject(strXml, nNewID) != S_OK)
        return -1;
    SetProjectID((int)nNewID);
    m_strRevision = service->GetProjectRevision();
    m_ProjectInfo.m_nFlag = FLAG_UNCHANGED;

    CString strPermissions;
    SaveUsersPermission(strPermissions);
    if (!strPermissions.IsEmpty()) {
        LONG nResult = -1;
        if (service->SaveUsersPermission(nNewID, strPermissions, nResult) != S_OK)
            AfxMessageBox("\n  用户权限存盘发生错误!", MB_ICONINFORMATION);
    }
    return (int)nNewID;
}
