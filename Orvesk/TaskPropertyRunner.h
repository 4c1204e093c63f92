// The task property sheet as the project document runs it: the task library's CTask over
// one task record, its values read back on OK.
#pragma once

#include <ClassLib/Afx.h>
#include <ClassLib/AfxWin.h>

class CProjectDoc;
class CTaskItem;

// The sheet's candidate predecessors of a task: with a task tree view, the tasks its link
// checks accept for the task's row, then the task's own predecessors; without one, every
// other named task.
void TaskPredecessorCandidates(CProjectDoc& doc, const CTaskItem& task, CStringArray& arNames, CUIntArray& arIds);
// Runs the sheet over the record with the document's members, calendar and the candidate
// predecessors above; IDOK when the values were taken into the record (and the
// members refilled), IDCANCEL otherwise (the record is unchanged).
INT_PTR RunTaskPropertySheet(CProjectDoc& doc, CTaskItem& task);
// Makes it the document's task property runner.
void InstallTaskPropertyRunner();
