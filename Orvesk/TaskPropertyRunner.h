// The task property sheet as the project document runs it: the task library's CTask over
// one task record, its values read back on OK.
#pragma once

#include <ClassLib/Afx.h>

class CProjectDoc;
class CTaskItem;

// Runs the sheet over the record with the document's members, calendar and the other tasks
// as candidate predecessors; IDOK when the values were taken into the record (and the
// members refilled), IDCANCEL otherwise (the record is unchanged).
INT_PTR RunTaskPropertySheet(CProjectDoc& doc, CTaskItem& task);
// Makes it the document's task property runner.
void InstallTaskPropertyRunner();
