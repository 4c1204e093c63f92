// What the task-row cells need from outside the grid sources: the date picker the dialog
// cell opens, and the start and finish dates of a task record. The module that has them
// sets these tables; the picker is the grid's own date editor unless a module sets another,
// and without a date reader it starts on 1 October 2000.
#pragma once

#include "GridCtrl.h"

class CGridDateEditorHooks {
public:
    virtual ~CGridDateEditorHooks() {}
    // A date picker over rect (grid client coordinates) as a child of the grid with control
    // id nID, for the cell (nRow, nCol), starting on date. Returns its window or NULL.
    virtual CWnd* CreateDateEditor(CGridCtrl* pGrid, const CRect& rect, UINT nID, int nRow, int nCol,
                                   const COleDateTime& date) = 0;
    // Sets the date the open picker shows.
    virtual void SetTime(CWnd* pPicker, const COleDateTime& date) = 0;
    // The key that opened the edit goes into the picker (a typed digit starts its field).
    virtual void TypeFirstChar(CWnd* pPicker, UINT nChar) { (void)pPicker; (void)nChar; }
    // Asks the open picker to end its edit.
    virtual void EndEdit(CWnd* pPicker) = 0;
};

// Sets the table (NULL: none, no picker opens; not owned) and returns the previous one.
CGridDateEditorHooks* GridSetDateEditorHooks(CGridDateEditorHooks* pHooks);
CGridDateEditorHooks* GridGetDateEditorHooks();

// Reads the start and finish dates of a task record; FALSE when it cannot.
typedef BOOL (*PFN_GRID_TASK_DATES)(CTaskItem* pTask, COleDateTime& start, COleDateTime& finish);
PFN_GRID_TASK_DATES GridSetTaskDatesReader(PFN_GRID_TASK_DATES pfnRead);
PFN_GRID_TASK_DATES GridGetTaskDatesReader();
