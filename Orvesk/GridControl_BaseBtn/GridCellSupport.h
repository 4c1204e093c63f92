// What the tree, button, bitmap, dialog and spin cells ask of their grid and of the
// in-place editors, in one place, and the frame-or-fill drawing they share.
#pragma once

#include "GridCtrl.h"

namespace GridCellSupport {

// Width of one blank in the grid's font (the tree cells' margin).
int GetBlankWidth(const CGridCtrl* pGrid);
void SetBlankWidth(CGridCtrl* pGrid, int nWidth);
// Either of the grid's DC-mode flags (drawing into an outside DC, printing).
BOOL IsDrawingToOtherDC(const CGridCtrl* pGrid);
int GetSelectedCount(const CGridCtrl* pGrid);
// The task item kept in the column-0 cell of a row, or NULL.
CTaskItem* GetRowTask(const CGridCtrl* pGrid, int nRow);

// Sends a message to the grid's parent window when the grid has a window and a parent.
LRESULT SendToParent(CGridCtrl* pGrid, UINT nMessage, WPARAM wParam, LPARAM lParam);

// The grid's in-place editors (NULL when none can be made).
CWnd* CreateTextEditor(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                       LPCTSTR pszText, UINT nFirstChar);
CWnd* CreateListEditor(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                       const CStringArray& options, LPCTSTR pszText, UINT nFirstChar);
void DropDownListEditor(CWnd* pList);
void EndEditor(CWnd* pEditor);

enum FrameRule {
    // The only selected cell is framed, a selected cell among several is filled.
    FRAME_SINGLE_SELECTION,
    // Every selected cell is filled.
    FRAME_FILL_SELECTED,
};
// Frames the cell in black (focused or drop-highlighted, or selected alone under
// FRAME_SINGLE_SELECTION), fills it with the selected fill colour (selected), or frames it
// in white. Nothing is drawn while the grid draws into another DC.
void DrawFrameOrFill(CDC* pDC, const CGridCellBase* pCell, CGridCtrl* pGrid, const CRect& rect, FrameRule rule);

}  // namespace GridCellSupport
