// The project document's task property runner.
#include "TaskPropertyRunner.h"

#include "ProjectDialogHooks.h"
#include "ProjectDoc.h"
#include "TaskItem.h"

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
    CollectCandidates(doc.m_listTasks, task, arNames, arIds);

    int nResult = sheetTask.TaskProperty(
        doc.m_nCalID, doc.m_ProjectInfo.m_listMembers, arNames, arIds, task.m_dtStart, task.m_dtFinish,
        task.m_dtDeadline, task.m_nPriority, task.m_arrAssignees, task.m_listRefDocs, task.m_listTargetDocs,
        task.m_listLinks, doc.m_nCalBaseID, doc.m_listCalendarItems, doc.m_listDayOfWeek, task.m_strName,
        task.m_strDesc, task.m_nDuration, task.m_nDurIsEst, task.m_listChildren.IsEmpty() ? 1 : 0,
        task.m_nMilestone);
    if (nResult != 1)
        return IDCANCEL;

    // The record's former records go before the copies come in; the members are refilled.
    DeleteElements(task.m_listLinks);
    DeleteElements(task.m_listRefDocs);
    DeleteElements(task.m_listTargetDocs);
    doc.m_ProjectInfo.m_listMembers.RemoveAll();
    sheetTask.GetTaskProperty(doc.m_ProjectInfo.m_listMembers, task.m_strName, task.m_strDesc, task.m_dtStart,
                              task.m_dtFinish, task.m_dtDeadline, task.m_nPriority, task.m_nDuration,
                              task.m_nDurIsEst, task.m_arrAssignees, task.m_listLinks, task.m_listRefDocs,
                              task.m_listTargetDocs, task.m_nMilestone);
    return IDOK;
}

void InstallTaskPropertyRunner()
{
    ProjectSetTaskPropertyRunner(&RunTaskPropertySheet);
}
