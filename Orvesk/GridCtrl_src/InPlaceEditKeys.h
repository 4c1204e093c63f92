// What the grid's in-place editors (text, list and date) share: the key that opens an edit
// part, the keys that end an edit, and the end report to the grid.
#pragma once

#include <ClassLib/AfxWin.h>

// Puts the caret or selection of a freshly opened edit part as the opening key asks, and
// types that key when it is a character (shared by the text and list editors).
void GridStartEditWithChar(CWnd* pEdit, UINT nFirstChar, BOOL bSelectOnTabAndSpace);

// Tab, Enter and Escape end an edit; Escape puts the initial text back first.
BOOL GridIsEndKey(UINT nChar);
// A navigation key (page up and down, the arrows) leaves the editor for the grid, which
// moves on in the key's direction, when the editor exits on arrows or Ctrl is held.
BOOL GridNavigationKeyLeaves(UINT nChar, BOOL bExitOnArrows);

// Reports the end of an edit to the editor's owner (one end-label-edit notification with
// the cell, the text and, as its data, the key that ended it, 0 for none), then posts the
// editor its close.
void GridReportEndEdit(CWnd* pEditor, int nRow, int nCol, const CString& strText, UINT nLastChar);

// Hands a left press the editor took (it held the capture) on to the window beneath the
// point, in that window's coordinates, so a click elsewhere that ended the edit still does
// what it does there (selects the cell clicked, opens its picker).
void GridPassPressOn(CWnd* pEditor, UINT nFlags, CPoint ptClient);
