// Reaching the task grid of a task tree view from outside the library (tests, benchmarks):
// the grid's own classes are not exported, so the operations a caller needs are forwarded
// here.
#pragma once

#include <ClassLib/Afx.h>

class CTaskTreeView;
class CTaskItem;

class AFX_EXT_CLASS CTaskGridAccess
{
public:
    explicit CTaskGridAccess(CTaskTreeView* pView) : m_pView(pView) {}

    int GetRowCount() const;
    CString GetText(int nRow, int nCol) const;
    void SetText(int nRow, int nCol, LPCTSTR lpszText);
    // The tree level of the row's tree cell (0 without one) and its viewable bit.
    int GetLevel(int nRow) const;
    BOOL IsViewable(int nRow) const;
    CTaskItem* GetTask(int nRow) const;
    int GetRowState(int nRow, int nCol = 0) const;
    BOOL IsEditable(int nRow, int nCol) const;
    int GetRowHeight(int nRow) const;
    UINT GetFormat(int nRow, int nCol) const;
    // The run-time class name of the cell.
    CString GetCellClass(int nRow, int nCol) const;

    void SetFocusCell(int nRow, int nCol);
    // What typing a text into a cell does: the text is set and the view told (0x4C8).
    void EditCell(int nRow, int nCol, LPCTSTR lpszText);
    // Names a blank row as the tree cell's end of edit does (0x590).
    void NameBlankRow(int nRow, LPCTSTR lpszName);
    // The grid's new-task and delete-task commands at the focus cell.
    void NewTask();
    void DeleteTask();
    // A level change of the row with its subtree, as the level drag and the tree cell do.
    BOOL ChangeLevel(int nRow, int nLevel);
    // What the end of a level drag does: the row (with its subtree) takes the level, the
    // rows above are re-linked, the chart rows synchronised and the view told (0x464).
    BOOL DragLevel(int nRow, int nLevel);
    // Moves a row with its subtree below another row.
    BOOL MoveRow(int nSource, int nTarget);
    // Folds or unfolds a row's subtree as the expand box does.
    void ToggleExpand(int nRow);

private:
    CTaskTreeView* m_pView;
};
