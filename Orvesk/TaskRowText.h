// Texts of a task row taken from the task record.
#pragma once

#include <ClassLib/Afx.h>

class CTaskItem;

// The predecessor rows of the task's links in list order: "3,5" (empty without links).
CString TaskPredecessorText(const CTaskItem* pTask);
