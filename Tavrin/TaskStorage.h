// What the task storage writes for a new task, as the sheet gave it; split from the sheet so
// that the writing can run on its own.
#pragma once

#include <ClassLib/Afx.h>
#include <ClassLib/Core/DateTime.h>
#include <Tavrin/DocFields.h>

#include <vector>

struct CNewTaskInput
{
    CString strName;
    CString strDescription;
    COleDateTime dtStart;
    COleDateTime dtDeadline;
    int bEstimate = 0;
    CString strDuration;
    CString strResource;
    // The predecessor grid's data rows: name, type, lag, logical type.
    struct PredRow
    {
        CString strName, strType, strLag, strLogical;
    };
    std::vector<PredRow> predRows;
    std::vector<CDocFields> refDocs;
    std::vector<CDocFields> targetDocs;
};

class CTask;

// Writes the new task in one transaction on the task's session: the new id, or -2 .. -6.
int WriteNewTask(CTask& task, const CNewTaskInput& input, const CStringArray& arResNames,
                 const CUIntArray& arResIds, const CStringArray& arTaskNames, const CUIntArray& arTaskIds,
                 const CStringArray& arLinkTypes);
