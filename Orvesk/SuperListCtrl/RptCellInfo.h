// The records the report list hands its owner when it asks about a cell, and the private
// messages of the report list.
#pragma once

#include <ClassLib/AfxWin.h>

// From the list to its owner: wParam 0, lParam a CRptCellInfo.
#define WM_RPT_CELLINFO (WM_USER + 1)
// From the in-place editors to the list: wParam the move, lParam two ints (row, column).
#define WM_RPT_EDITNAVIGATE (WM_USER + 3)

// Moves of WM_RPT_EDITNAVIGATE.
#define RPT_NAV_NEXTCELL 0
#define RPT_NAV_PREVCELL 1
#define RPT_NAV_LEFT 2
#define RPT_NAV_RIGHT 3
#define RPT_NAV_UP 4
#define RPT_NAV_DOWN 5

// Kinds of request.
#define RPT_CELL_FORMAT 0
#define RPT_CELL_EDITREQUEST 1
#define RPT_CELL_EDITDONE 2
#define RPT_CELL_DRAWROW 3
#define RPT_CELL_DRAWBAND 4

// The owner's answer to a format request.
#define RPT_FMT_BOLD 0x01
#define RPT_FMT_ITALIC 0x02
#define RPT_FMT_UNDERLINE 0x04
#define RPT_FMT_FONT 0x08
#define RPT_FMT_COLOR 0x10

// Id of every in-place editor of the list.
#define RPT_EDITOR_ID 24003

class CRptCellInfo
{
public:
    CRptCellInfo() = default;
    virtual ~CRptCellInfo() = default;

    int m_nKind = -1;
    int m_nCtrlId = 0;
    int m_nRow = -1;
    int m_nColumn = -1;
    DWORD_PTR m_dwItemData = 0;
    int m_nEditLimit = 0;      // an edit request sets 128
    int m_nFlags = 0;          // RPT_FMT_*
    COLORREF m_clrText = 0;
    int m_nReserved = 0;
    HFONT m_hFont = nullptr;
    CString m_strText;
    CStringArray* m_pChoices = nullptr;  // edit requests only
};

// A request to draw on the list (a row's decoration, the band under a row).
class CRptCellDrawInfo : public CRptCellInfo
{
public:
    CDC* m_pDC = nullptr;
    CRect m_rect;
};
