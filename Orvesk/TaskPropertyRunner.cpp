// The project document's task property runner.
#include "TaskPropertyRunner.h"

#include "ProjectDialogHooks.h"
#include "ProjectDoc.h"
#include "ProjectSchedule.h"
#include "GridCtrl.h"
#include "TaskItem.h"
#include "TaskTreeViewHooks.h"

#include <Tavrin/Task.h>

namespace
{
// Every task of the tree but the edited one, as candidate predecessors (name and id).
void CollectCandidates(const CTaskItemList& list, const CTaskItem& self, CStringArray& arNames,
                       CUIntArray& arIds)
{
    POSITION pos = list.GetHeadPosition();
    while (pos)
    {
        CTaskItem* pItem = list.GetNext(pos);
        if (!pItem)
            continue;
        if (pItem != &self && !pItem->m_strName.IsEmpty())
        {
            arNames.Add(pItem->m_strName);
            arIds.Add((UINT)pItem->m_nTaskID);
        }
        CollectCandidates(pItem->m_listChildren, self, arNames, arIds);
    }
}

} // namespace

// The task's own predecessors come after the checked ones so that its links stay as they are.
void TaskPredecessorCandidates(CProjectDoc& doc, const CTaskItem& task, CStringArray& arNames, CUIntArray& arIds)
{
    arNames.RemoveAll();
    arIds.RemoveAll();
    CTaskTreeViewHooks* pView = ProjectFindTaskTreeView(&doc);
    CGridCtrl* pGrid = pView != NULL ? pView->GetTaskGrid() : NULL;
    if (pGrid == NULL || task.m_nRowInGrid <= 0)
    {
        CollectCandidates(doc.m_listTasks, task, arNames, arIds);
        return;
    }
    pGrid->GetLinkableTasks(task.m_nRowInGrid, arNames, arIds);
    POSITION pos = task.m_listLinks.GetHeadPosition();
    while (pos)
    {
        const CTaskLink* pLink = task.m_listLinks.GetNext(pos);
        if (!pLink || pLink->m_strPredName.IsEmpty())
            continue;
        BOOL bListed = FALSE;
        for (INT_PTR i = 0; i < arNames.GetSize() && !bListed; i++)
            bListed = arNames[i] == pLink->m_strPredName;
        if (!bListed)
        {
            arNames.Add(pLink->m_strPredName);
            arIds.Add((UINT)pLink->m_nPredID);
        }
    }
}

namespace
{
template <class TList>
void DeleteElements(TList& list)
{
    POSITION pos = list.GetHeadPosition();
    while (pos)
        delete list.GetNext(pos);
    list.RemoveAll();
}
} // namespace

INT_PTR RunTaskPropertySheet(CProjectDoc& doc, CTaskItem& task)
{
    CSession session;  // the round trip needs no open session
    CTask sheetTask(doc.m_nProjectID, session, 0);

    CStringArray arNames;
    CUIntArray arIds;
    TaskPredecessorCandidates(doc, task, arNames, arIds);

    int nResult = sheetTask.TaskProperty(
        doc.m_nCalID, doc.m_ProjectInfo.m_listMembers, arNames, arIds, task.m_dtStart, task.m_dtFinish,
        task.m_dtDeadline, task.m_nPriority, task.m_arrAssignees, task.m_listRefDocs, task.m_listTargetDocs,
        task.m_listLinks, doc.m_nCalBaseID, doc.m_listCalendarItems, doc.m_listDayOfWeek, task.m_strName,
        task.m_strDesc, task.m_nDuration, task.m_nDurIsEst, task.m_listChildren.IsEmpty() ? 1 : 0,
        task.m_nMilestone);
    if (nResult != 1)
        return IDCANCEL;

    // The record's former records go before the copies come in; the members are refilled.
    // The document's schedule, when it holds the task, lets the former links go and takes
    // the new ones in.
    CProjectSchedule* pSchedule = !doc.ScheduleStale() && doc.Schedule().Holds(&task) ? &doc.Schedule() : nullptr;
    if (pSchedule)
        pSchedule->LetGoLinksOf(&task);
    DeleteElements(task.m_listLinks);
    DeleteElements(task.m_listRefDocs);
    DeleteElements(task.m_listTargetDocs);
    doc.m_ProjectInfo.m_listMembers.RemoveAll();
    sheetTask.GetTaskProperty(doc.m_ProjectInfo.m_listMembers, task.m_strName, task.m_strDesc,
                              task.m_dtStart, task.m_dtFinish, task.m_dtDeadline,
                              task.m_nPriority, task.m_nDuration, task.m_nDurIsEst,
                              task.m_arrAssignees, task.m_listLinks, task.m_listRefDocs,
                              task.m_listTargetDocs, task.m_nMilestone);
    if (pSchedule)
        pSchedule->TakeInLinksOf(&task);
    return IDOK;
}

void InstallTaskPropertyRunner()
{
    ProjectSetTaskPropertyRunner(&RunTaskPropertySheet);
}
