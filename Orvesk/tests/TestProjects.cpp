#include "TestProjects.h"

COleDateTime MakeDate(int y, int m, int d, int h, int mi, int s)
{
    return COleDateTime(y, m, d, h, mi, s);
}

tagResInfo MakeResource(const CString& code, const CString& name, int nID)
{
    tagResInfo res;
    res.nID = nID;
    res.strCode = code;
    res.strName = name;
    return res;
}

void AddResource(CResInfoList& list, const tagResInfo& res)
{
    tagResInfo copy = res;
    list.AddTail(copy);
}

void FillSampleProject(CProjectDoc& doc)
{
    CProjectInfo& info = doc.m_ProjectInfo;
    info.m_nProjID = 12;
    doc.m_nProjectID = 12;
    info.m_strName = "工程&<甲>";
    info.m_strGoal = "目标";
    info.m_nCost = 100;
    info.m_nActCost = 50;
    info.m_dtCreation = MakeDate(2004, 5, 1);
    info.m_dtStart = MakeDate(2004, 5, 2, 8, 30, 0);
    info.m_dtFinish = MakeDate(2004, 6, 30, 17, 0, 0);
    info.m_dtDeadline = MakeDate(2004, 7, 1);
    info.m_nFlag = FLAG_NEW;
    info.m_nProgress = 10;

    tagResInfo member = MakeResource("R1", "张三");
    member.strDesc = "d";
    member.strUnit = "人";
    member.nCost = 5;
    info.m_listMembers.AddTail(member);

    CTaskItem* pTop = new CTaskItem;
    pTop->m_nProjID = 12;
    pTop->m_strName = "设计";
    pTop->m_nCost = 10;
    pTop->m_dtStart = MakeDate(2004, 5, 3, 8, 0, 0);
    pTop->m_dtFinish = MakeDate(2004, 5, 10, 17, 0, 0);
    pTop->m_dtCreation = MakeDate(2004, 5, 1);
    pTop->m_nDuration = 432000;
    pTop->m_nAssignerID = 7;
    pTop->m_nRowInGrid = 1;
    pTop->m_nFlag = FLAG_NEW;
    pTop->m_arrAssignees.Add("R1");
    doc.m_listTasks.AddTail(pTop);

    CTaskItem* pChild = new CTaskItem;
    pChild->m_nProjID = 12;
    pChild->m_nIsTask = 0;
    pChild->m_nSubProjID = 30;
    pChild->m_strName = "A<B";
    pChild->m_strDesc = "x";
    pChild->m_dtStart = MakeDate(2004, 5, 3, 8, 0, 0);
    pChild->m_nDuration = 86400;
    pChild->m_nDurIsEst = 0;
    pChild->m_nMilestone = 1;
    pChild->m_nRowInGrid = 2;
    pChild->m_nFlag = FLAG_NEW;
    CTaskLink* pLink = new CTaskLink;
    pLink->m_nSuccID = 1;
    pLink->m_nPredID = 55;
    pLink->m_nType = 1;
    pLink->m_nSequence = 1;
    pLink->m_nLag = 2;
    pLink->m_strPredName = "设计";
    pChild->m_listLinks.AddTail(pLink);
    CRefDoc* pRef = new CRefDoc;
    pRef->m_strDocName = "图纸&1";
    pRef->m_strDocLocation = "/d/a.dwg";
    pRef->m_nDocSource = 2;
    pRef->m_nPdmClassID = 3;
    pRef->m_nPdmObjectID = 4;
    pChild->m_listRefDocs.AddTail(pRef);
    pTop->m_listChildren.AddTail(pChild);

    CTaskItem* pRemoved = new CTaskItem;
    pRemoved->m_nProjID = 12;
    pRemoved->m_nTaskID = 77;
    pRemoved->m_strName = "旧";
    pRemoved->m_dtStart = MakeDate(2004, 5, 3);
    pRemoved->m_nFlag = FLAG_REMOVED;
    CTaskLink* pOldLink = new CTaskLink;
    pOldLink->m_nSuccID = 9;
    pOldLink->m_nPredID = 66;
    pOldLink->m_nType = 2;
    pRemoved->m_listLinks.AddTail(pOldLink);
    doc.m_listDeletedTasks.AddTail(pRemoved);
}

namespace {

CTaskItem* MakeGeneratedTask(int& nRow, int nLevel)
{
    CTaskItem* pTask = new CTaskItem;
    const int nRowHere = ++nRow;
    pTask->m_nRowInGrid = nRowHere;
    pTask->m_nTaskID = 100000 + nRowHere;
    pTask->m_nProjID = 9;
    pTask->m_nParentID = nLevel;
    pTask->m_strName.Format("任务 %d <%d> & 级%d", nRowHere, nRowHere * 7, nLevel);
    pTask->m_strDesc.Format("说明 %d", nRowHere);
    pTask->m_nCost = nRowHere * 3;
    pTask->m_nActCost = nRowHere % 17;
    pTask->m_nDuration = 86400 * (1 + nRowHere % 20);
    pTask->m_nTrueDuration = nRowHere % 5;
    pTask->m_nActDuration = nRowHere % 7;
    pTask->m_nDurIsEst = nRowHere % 2;
    pTask->m_nPriority = nRowHere % 4;
    pTask->m_nStatus = (nRowHere % 3 == 0) ? 1 : 0;
    pTask->m_nProgress = nRowHere % 101;
    pTask->m_nAssignerID = nRowHere % 13;
    pTask->m_nMilestone = (nRowHere % 11 == 0);
    pTask->m_nIsTask = (nRowHere % 9 != 0);
    pTask->m_nSubProjID = pTask->m_nIsTask ? 0 : nRowHere;
    pTask->m_nReserved = 20 + nRowHere % 3;
    const int nDay = nRowHere % 300;
    pTask->m_dtStart = MakeDate(2004, 1, 1) + COleDateTimeSpan(nDay, 8, 0, 0);
    pTask->m_dtFinish = MakeDate(2004, 1, 1) + COleDateTimeSpan(nDay + 5, 17, 0, 0);
    pTask->m_dtCreation = MakeDate(2003, 12, 1) + COleDateTimeSpan(nDay % 30, 0, 0, 0);
    pTask->m_dtDeadline = MakeDate(2004, 12, 31);
    pTask->m_dtActStart = MakeDate(2004, 2, 1) + COleDateTimeSpan(nDay % 10, 0, 0, 0);
    pTask->m_dtActFinish.SetStatus(COleDateTime::null);
    pTask->m_dtEarlyStart = pTask->m_dtStart;
    pTask->m_dtEarlyFinish = pTask->m_dtFinish;
    pTask->m_dtLateStart = pTask->m_dtStart + COleDateTimeSpan(2, 0, 0, 0);
    pTask->m_dtLateFinish = pTask->m_dtFinish + COleDateTimeSpan(2, 0, 0, 0);
    pTask->m_arrSuccessors.Add(nRowHere + 1);
    CString strCode;
    strCode.Format("R%d", nRowHere % 50);
    pTask->m_arrAssignees.Add(strCode);

    CTaskLink* pLink = new CTaskLink;
    pLink->m_nPredID = 100000 + (nRowHere > 1 ? nRowHere - 1 : 1);
    pLink->m_nSuccID = nRowHere > 1 ? nRowHere - 1 : 1;
    pLink->m_nType = 1 + nRowHere % 4;
    pLink->m_nLogicalType = nRowHere % 2;
    pLink->m_nSequence = nRowHere;
    pLink->m_nLag = nRowHere % 3;
    pLink->m_strPredName.Format("任务 %d", nRowHere - 1);
    pTask->m_listLinks.AddTail(pLink);

    if (nRowHere % 5 == 0) {
        CRefDoc* pRef = new CRefDoc;
        pRef->m_strDocName.Format("参考&%d.doc", nRowHere);
        pRef->m_strDocLocation.Format("/docs/ref/%d", nRowHere);
        pRef->m_nDocSource = 2;
        pRef->m_nPdmClassID = nRowHere % 7;
        pRef->m_nPdmObjectID = nRowHere;
        pTask->m_listRefDocs.AddTail(pRef);
        CTargetDoc* pTarget = new CTargetDoc;
        pTarget->m_strDocName.Format("成果<%d>", nRowHere);
        pTarget->m_strDocLocation.Format("/docs/out/%d", nRowHere);
        pTarget->m_nDocSource = 1;
        pTarget->m_nPdmClassID = 5;
        pTarget->m_nPdmObjectID = nRowHere * 2;
        pTask->m_listTargetDocs.AddTail(pTarget);
    }
    return pTask;
}

} // namespace

void FillLargeProject(CProjectDoc& doc, int nTop, int nChildren, int nGrand)
{
    CProjectInfo& info = doc.m_ProjectInfo;
    info.m_nProjID = 9;
    doc.m_nProjectID = 9;
    info.m_strName = "大项目 <测试> & 基准";
    info.m_strGoal = "目标";
    info.m_dtCreation = MakeDate(2003, 12, 1);
    info.m_dtStart = MakeDate(2004, 1, 1, 8, 0, 0);
    info.m_dtFinish = MakeDate(2004, 12, 31, 17, 0, 0);
    for (int i = 0; i < 50; ++i) {
        CString code, name;
        code.Format("R%d", i);
        name.Format("资源%d", i);
        AddResource(info.m_listMembers, MakeResource(code, name, i + 1));
    }

    int nRow = 0;
    for (int t = 0; t < nTop; ++t) {
        CTaskItem* pTop = MakeGeneratedTask(nRow, 1);
        for (int c = 0; c < nChildren; ++c) {
            CTaskItem* pChild = MakeGeneratedTask(nRow, 2);
            for (int g = 0; g < nGrand; ++g)
                pChild->m_listChildren.AddTail(MakeGeneratedTask(nRow, 3));
            pTop->m_listChildren.AddTail(pChild);
        }
        doc.m_listTasks.AddTail(pTop);
    }
    doc.m_nMaxRowInGrid = nRow;
}
