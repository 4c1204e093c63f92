// The project schedule run beside the real window: a copy of the document's task tree and
// calendar, edited through the schedule's own operations as the window was edited through
// its input, recalculated, and compared with what the window's tasks show.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "ProjectDoc.h"
#include "ProjectSchedule.h"
#include "TaskItem.h"

class CScheduleMirror
{
public:
    // The document's tree and calendar as they are now.
    explicit CScheduleMirror(CProjectDoc& doc);

    CProjectSchedule& Model() { return m_model; }
    // The copy of a task of the document (null for one the copy was not made from).
    CTaskItem* Of(const CTaskItem* pDocTask) const;
    // A task made in both after the copy was taken.
    void Pair(const CTaskItem* pDocTask, CTaskItem* pModelTask) { m_of[pDocTask] = pModelTask; }

    // The copy's tree made the document's again by one MoveTasks of every task that hangs
    // under another summary now (a level change in the grid re-hangs the rows below the
    // changed one too); the moved tasks and their old summaries into changed.
    void FollowTree(const CTaskItemList& docRoots, std::vector<CTaskItem*>& changed, bool bLevelChange);

    // After the model's recalculation: "" when the copy's tree, names, rows and links (by
    // the rows they store) are those of the document's tree and, with bDates, its dates, durations, milestone and
    // critical marks too, and the model's header dates those of the document's header.
    std::string Compare(const CProjectDoc& doc, bool bDates) const;

private:
    CTaskItem* Copy(const CTaskItem* pFrom);
    void FollowList(const CTaskItemList& docList, CTaskItem* pModelParent, std::vector<CProjectSchedule::Move>& moves,
                    std::vector<CTaskItem*>& changed);

    CProjectSchedule m_model;
    std::unordered_map<const CTaskItem*, CTaskItem*> m_of;
};
