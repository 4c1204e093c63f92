// What the project document asks of its task tree view. The task tree view implements this
// interface beside its view class; the document finds the first of its views that does
// (ProjectFindTaskTreeView) and calls it, so the document builds and is tested with
// stand-in views.
#pragma once

#include <ClassLib/AfxWin.h>

class CDocument;
class CGridCtrl;

class AFX_EXT_CLASS CTaskTreeViewHooks
{
public:
    virtual ~CTaskTreeViewHooks();

    // Reads the TASKIDS reply of a project save and stores the ids the server gave into the
    // tasks of the grid rows (ROW 0: the project's id). Changes no FLAG.
    virtual void ApplyServerIds(CString strReply) = 0;
    // Recomputes every task's finish from its start and duration with the document's
    // calendar (after the calendar changed).
    virtual void RecalcFinishDates() = 0;
    // Sets every task's critical mark from the project's earliest start and latest finish.
    virtual void UpdateProjectSpan() = 0;
    // TASKID of the task of a grid row; -1 when the row has none.
    virtual int GetTaskId(int nRow) = 0;
    // The view's task grid (NULL while it has none).
    virtual CGridCtrl* GetTaskGrid() = 0;
};

// The first view of the document, in view order, that is a task tree view; NULL when none.
AFX_EXT_API CTaskTreeViewHooks* ProjectFindTaskTreeView(const CDocument* pDoc);
