// What the grid asks of the classes around it that live outside the grid sources: the task
// tree view that embeds a task grid, the task tip window, the tree column and its tree cells.
// Those classes implement these interfaces; the grid reaches them only through here, so the
// grid builds (and is tested) without them, and a library that carries the grid without the
// project views simply has none of them.
#pragma once

#include <ClassLib/AfxWin.h>

class CTaskItem;     // the task record of a task row, kept in the row's column-0 cell
class CGridCtrl;
class CBtnDataBase;  // the button-cell defaults handed to the grid with the tree column

// Implemented by the task tree view. The grid calls it only when its parent window is one.
class CGridTaskViewHooks
{
public:
    virtual ~CGridTaskViewHooks() {}
    // Hands the collapsed rows and the top row to the chart views; flag 1 first refreshes
    // the chart state. The view works out the row from the grid itself.
    virtual void SyncGanttRows(int nRow, int nFlag) = 0;
    // Passes the current task (or NULL) to every chart view.
    virtual void UpdateGanttViews(CTaskItem* pTask) = 0;
    // Re-links the rows above a row whose level changed.
    virtual void RelinkRowsAbove(int nRow) = 0;
    // TRUE holds the chart layouts asked for (SyncGanttRows) until the matching FALSE, which
    // makes one if any was asked: the steps of a level change lay the chart out once.
    virtual void HoldLayouts(BOOL bHold) { (void)bHold; }
    // Rebuilds the successor lists of the tasks.
    virtual void BuildSuccessorLists() = 0;
    // Number of task rows of the document (the printing's row bound).
    virtual int GetTaskCount() = 0;
    // Task id of the task in a grid row.
    virtual int GetTaskId(int nRow) = 0;
    // The link checks: TRUE when the task of nPredRow may become a predecessor of the task
    // of nSuccRow; otherwise the refusal's text goes into strMessage.
    virtual BOOL CheckTaskLink(int nSuccRow, int nPredRow, CString& strMessage)
    {
        (void)nSuccRow; (void)nPredRow; strMessage.Empty();
        return TRUE;
    }
    // Names and task ids of the named task rows the checks accept as predecessors of the
    // task of nRow, in row order.
    virtual void GetLinkableTasks(int nRow, CStringArray& arrNames, CUIntArray& arrIds)
    {
        (void)nRow; arrNames.RemoveAll(); arrIds.RemoveAll();
    }
    // The task property sheet for a row (a blank row gets a new task on IDOK) and the
    // values written back into the row; a double click also reports the duration and start
    // columns changed. Returns 1 after a confirmed sheet, -1 after a cancelled one, 0 when
    // no sheet was shown.
    virtual int RunTaskProperty(int nRow, BOOL bDoubleClick)
    {
        (void)nRow; (void)bDoubleClick;
        return 0;
    }
};

// Implemented by the task tip window. The grid creates one (through the factory below) when
// its window is created, hides it on a right click and destroys it with the grid.
class CGridTaskTipHooks
{
public:
    virtual ~CGridTaskTipHooks() {}
    // Creates the tip's window with the grid as parent.
    virtual BOOL CreateTip(CWnd* pGrid) = 0;
    // Hides the tip and releases the mouse capture when the tip holds it.
    virtual void Hide() = 0;
    // Destroys the tip's window.
    virtual void DestroyTip() = 0;
    // Shows a text over an anchor rectangle of the grid's client area (the state tip of
    // column 1): no hover rectangle, the window's own font (NULL) and colours (CLR_DEFAULT).
    virtual void Show(const CRect& rcAnchor, LPCTSTR lpszText, int nXOffset, const CRect* pHover,
                      const LOGFONT* pFont, COLORREF crText, COLORREF crBack)
    {
        (void)rcAnchor; (void)lpszText; (void)nXOffset; (void)pHover; (void)pFont; (void)crText; (void)crBack;
    }
};

// Makes a new task tip object; the grid owns and deletes it. Set once by the module that
// has the task tip (NULL: grids get no task tip). Each library that carries the grid keeps
// its own factory.
typedef CGridTaskTipHooks* (*PFN_GRID_CREATE_TASKTIP)();
PFN_GRID_CREATE_TASKTIP GridSetTaskTipFactory(PFN_GRID_CREATE_TASKTIP pfnCreate);
PFN_GRID_CREATE_TASKTIP GridGetTaskTipFactory();

// The base of the tree column: what the grid asks of the tree column bound to a task grid
// (CGridCtrl::AttachTreeColumn). The grid keeps the tree range's end row equal to its row
// count when it deletes rows.
class CGridTreeColumnHooks
{
public:
    virtual ~CGridTreeColumnHooks() {}
    virtual void SetEndRow(int nEndRow) = 0;
    virtual int GetEndRow() = 0;
};

// Implemented by the tree cells (besides CGridCellBase). The grid reads a tree cell's flag
// byte (bits 0-6 the level, bit 7 viewable) and changes its level through here.
class CGridTreeCellHooks
{
public:
    virtual ~CGridTreeCellHooks() {}
    virtual BYTE GetFlagByte() = 0;
    virtual int GetLevel() = 0;
    virtual BOOL ChangeLevel(int nNewLevel) = 0;
    // Sets this cell's level alone (1 to 126; the viewable bit stays), as a moved row
    // takes its new level. Tree cells override it.
    virtual void SetLevel(int nLevel) { (void)nLevel; }
    // TRUE when a point (relative to the cell) is on the cell's expand box.
    virtual BOOL HitTestExpandBox(CPoint point) { (void)point; return FALSE; }
};

// Viewable bit of a tree cell's flag byte.
#define GRIDTREE_VIEWABLE_BIT 0x80

// Implemented by the module that has the task-row cells and the task record. A task grid
// asks it to give a blank row inserted by InsertTaskRow(int) the task-row cells, and to
// write a task record into a row (SetTaskRow(int, CTaskItem*)). Without it the grid inserts
// plain rows and writes nothing.
class CGridTaskRowHooks
{
public:
    virtual ~CGridTaskRowHooks() {}
    // Inserts a blank task row at nRow (appending when nRow is negative or past the end)
    // and returns its index.
    virtual int InsertBlankTaskRow(CGridCtrl* pGrid, int nRow) = 0;
    // Writes the task's values into row nRow with the tree cell's current level.
    virtual void WriteTaskRow(CGridCtrl* pGrid, int nRow, CTaskItem* pTask) = 0;
    // The task's STATUS (for the state tip of column 1); -1 when unknown.
    virtual int GetTaskStatus(const CTaskItem* pTask)
    {
        (void)pTask;
        return -1;
    }
    // Asks for a number of rows (the row-count dialog) with a prompt and a caption;
    // returns the dialog's result (IDOK with nCount set) or IDCANCEL.
    virtual INT_PTR AskRowCount(CGridCtrl* pGrid, LPCTSTR lpszPrompt, LPCTSTR lpszTitle, int& nCount)
    {
        (void)pGrid; (void)lpszPrompt; (void)lpszTitle; (void)nCount;
        return IDCANCEL;
    }
};

// Sets the table (NULL: none; not owned) and returns the previous one. Each library that
// carries the grid keeps its own.
CGridTaskRowHooks* GridSetTaskRowHooks(CGridTaskRowHooks* pHooks);
CGridTaskRowHooks* GridGetTaskRowHooks();
