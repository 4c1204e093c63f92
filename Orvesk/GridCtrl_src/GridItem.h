// Records the grid exchanges with its cells, its owner and its editors.
#pragma once

#include "GridDefines.h"

// One cell's attributes; mask (GRIDITEM_*) says which members are valid.
struct GridItem
{
    int      row;
    int      col;
    UINT     mask;
    UINT     state;
    UINT     nFormat;
    CString  szText;
    int      iImage;
    COLORREF crBkClr;
    COLORREF crFgClr;
    DWORD    lParam;
    LOGFONT  lfFont;
    UINT     nMargin;

    GridItem()
        : row(-1), col(-1), mask(0), state(0), nFormat(0), iImage(-1),
          crBkClr(CLR_DEFAULT), crFgClr(CLR_DEFAULT), lParam(0), lfFont(), nMargin(0)
    {
    }
};

// WM_NOTIFY record of the grid's notifications: header, then the cell.
struct GridNotify
{
    NMHDR hdr;
    int   iRow;
    int   iColumn;
};

// WM_NOTIFY record of the end of an in-place edit: header, then the edited item (mask text
// and data; data holds the key that ended the edit, 0 for a focus loss or a click).
struct GridDispInfo
{
    NMHDR    hdr;
    GridItem item;
};

// Request a cell sends to its grid with WM_GRID_ROWLEVEL: mode 1 when the point lies in the
// cell's level-drag zone, 0 when not; the start point of the feedback band; the row, its
// level, the reference row (-1 none) and the reference row's level.
struct GridCellRequest
{
    int   nMode;
    POINT pt;
    int   nRow;
    int   nLevel;
    int   nRefRow;
    int   nRefLevel;
};
