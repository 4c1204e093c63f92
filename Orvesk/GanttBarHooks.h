// What the task tree view hands to the Gantt bar views of its document. The bar view
// implements it; the task tree view finds the bar views among the document's views by
// this interface.
#pragma once

#include <ClassLib/Afx.h>

#include <vector>

class CTaskItem;

class CGanttBarViewHooks
{
public:
    virtual ~CGanttBarViewHooks() {}
    // The grid rows hidden under collapsed parents (ascending) and the grid's top row less
    // the hidden rows above it: the chart lines its rows up with the grid.
    virtual void SetCollapsedRows(const CUIntArray& arrRows, int nTopRow) = 0;
    // Brings the task's bar into view (NULL: no current task).
    virtual void EnsureTaskVisible(CTaskItem* pTask) = 0;
    // A change of the document's schedule from revision nFrom on: the tasks named are all
    // whose fields or links it changed. A chart laid out at nFrom makes their bars and the
    // arrows on them again in place and repaints; any other leaves its layout to the next
    // SetCollapsedRows, which finds the revision moved.
    virtual void TasksChanged(const std::vector<CTaskItem*>& changed, unsigned long long nFrom) = 0;
};
