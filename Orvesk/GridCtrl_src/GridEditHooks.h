// The in-place editors the cells open over themselves. The editor windows are built on the
// class library's edit and combo-box controls; the cells reach them through this table so
// that they do not depend on the editor classes directly. With no table set, cells open no
// editor (their edit window stays NULL).
#pragma once

#include <ClassLib/AfxWin.h>

class CGridCtrl;

class CGridEditorHooks
{
public:
    virtual ~CGridEditorHooks() {}

    // A text editor over rect (grid client coordinates) as a child of the grid with control
    // id nID, starting with pszText and the key or click nFirstChar. Returns its window, or
    // NULL when it could not be made.
    virtual CWnd* CreateEdit(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID,
                             int nRow, int nCol, LPCTSTR pszText, UINT nFirstChar) = 0;

    // A list editor (combo box of style dwStyle) with the options.
    virtual CWnd* CreateList(CGridCtrl* pGrid, const CRect& rect, DWORD dwStyle, UINT nID,
                             int nRow, int nCol, const CStringArray& options, LPCTSTR pszText,
                             UINT nFirstChar) = 0;

    // Asks an open editor (made by either function above) to end its edit.
    virtual void EndEdit(CWnd* pEditor) = 0;

    // The edit part of an open list editor, NULL for a drop-down list without one.
    virtual CWnd* GetListEdit(CWnd* pList) = 0;
};

// Sets the editors' table (NULL: none) and returns the previous one. The table is not owned.
CGridEditorHooks* GridSetEditorHooks(CGridEditorHooks* pHooks);
CGridEditorHooks* GridGetEditorHooks();

// The grid's own editors (CInPlaceEdit, CInPlaceList). A grid that finds no table set when
// its window is created installs these.
CGridEditorHooks* GridDefaultEditorHooks();
