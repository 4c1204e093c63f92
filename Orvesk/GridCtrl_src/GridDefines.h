// Constants shared by the grid window, its cells and the windows that receive its messages:
// cell state bits, item mask bits, grid-line modes, mouse modes, notification codes and the
// private messages the grid sends to its parent.
#pragma once

#include <ClassLib/AfxWin.h>

// Colour value meaning "use the grid's colour".
#ifndef CLR_DEFAULT
#define CLR_DEFAULT ((COLORREF)0xFF000000)
#endif

// Cell state bits.
#define GRIDSTATE_FOCUSED      0x0001
#define GRIDSTATE_SELECTED     0x0002
#define GRIDSTATE_DROPHILITED  0x0004
#define GRIDSTATE_READONLY     0x0008
#define GRIDSTATE_FIXED        0x0010
#define GRIDSTATE_MODIFIED     0x0020

// GridItem mask bits: which members of the record are valid.
#define GRIDITEM_TEXT    0x0001
#define GRIDITEM_IMAGE   0x0002
#define GRIDITEM_DATA    0x0004
#define GRIDITEM_STATE   0x0008
#define GRIDITEM_BKCLR   0x0010
#define GRIDITEM_FGCLR   0x0020
#define GRIDITEM_FORMAT  0x0040
#define GRIDITEM_FONT    0x0080
#define GRIDITEM_MARGIN  0x0100

// Grid lines.
#define GRIDLINES_NONE  0
#define GRIDLINES_HORZ  1
#define GRIDLINES_VERT  2
#define GRIDLINES_BOTH  3

// Default format of a text cell: left, vertically centred, single line, no prefix, end ellipsis.
#define GRIDCELL_DEFAULT_FORMAT  (DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS)

// Notification codes sent as WM_NOTIFY to the grid's owner with a GridNotify record.
#define GRIDN_SELCHANGING      (-100)  // focus leaving a cell
#define GRIDN_SELCHANGED       (-101)  // focus arrived at a cell
#define GRIDN_BEGINLABELEDIT   (-105)  // a cell's text is about to change
#define GRIDN_ENDLABELEDIT     (-106)  // a cell's text has changed
#define GRIDN_BEGINDRAG        (-109)  // a drag of the selection starts
#define GRIDN_CLICK            (-2)
#define GRIDN_DBLCLK           (-3)
#define GRIDN_RCLICK           (-5)

// Private messages the grid and its cells send to the grid's parent (and, for the level
// request, to the grid itself). All are sent synchronously.
#define WM_GRID_ROWLEVEL        (WM_USER + 100)  // 0x464: row / 0, or a GridCellRequest* to the grid
#define WM_GRID_EXPANDCHANGED   (WM_USER + 101)  // 0x465: 0 / 0
#define WM_GRID_TASKCHANGED     (WM_USER + 200)  // 0x4C8: task item or NULL / MAKELONG(row, column)
#define WM_GRID_TASKDELETED     (WM_USER + 201)  // 0x4C9: task item / 0
#define WM_GRID_TASKINSERTED    (WM_USER + 202)  // 0x4CA: row / 0
#define WM_GRID_ROWSCHANGED     (WM_USER + 300)  // 0x52C: 0 / 0
#define WM_GRID_NEWTASKNAME     (WM_USER + 400)  // 0x590: row / 0

// Control id of every in-place editor the cells open over themselves.
#define IDC_GRID_INPLACE_CONTROL  8

// Id of the auto-scroll timer that runs while a selection is dragged.
#define GRID_AUTOSCROLL_TIMER  0x201

// Commands of the grid's task menu that the grid itself handles.
#define ID_GRID_NEWTASK          20024
#define ID_GRID_DELETETASK       20028
#define ID_GRID_DELETETASK_MENU  22024
#define ID_GRID_INSERTTASKS      20026   // "新增多个任务"
#define ID_GRID_DELETETASKS      20030   // "删除多个任务"
#define ID_GRID_TASKPROPERTY     20031   // "任务属性"

// The grid's right-click menu (a menu resource of the module) and its clipboard commands.
#define IDR_GRID_CONTEXTMENU     20013
#define ID_GRID_MENU_CUT         22030
#define ID_GRID_MENU_COPY        22031
#define ID_GRID_MENU_PASTE       22032

// Bitmap resource of the grid's own image list.
#define IDB_GRID_IMAGES  20017

// Mouse modes of the grid.
enum GridMouseMode
{
    GRIDMOUSE_NOTHING         = 0,
    GRIDMOUSE_SELECT_ALL      = 1,
    GRIDMOUSE_SELECT_COL      = 2,
    GRIDMOUSE_SELECT_ROW      = 3,
    GRIDMOUSE_SELECT_CELLS    = 4,
    GRIDMOUSE_OVER_ROW_BORDER = 6,
    GRIDMOUSE_SIZING_ROW      = 7,
    GRIDMOUSE_OVER_COL_BORDER = 8,
    GRIDMOUSE_SIZING_COL      = 9,
    GRIDMOUSE_PREPARE_EDIT    = 10,
    GRIDMOUSE_LEVEL_DRAG      = 11,
    GRIDMOUSE_ROWMOVE_ARMED   = 12,
    GRIDMOUSE_PREPARE_DRAG    = 13,
    GRIDMOUSE_DRAGGING        = 14
};

// Row states kept in the column-0 cell of a row.
#define GRIDROW_UNCHANGED   0
#define GRIDROW_NEW         1
#define GRIDROW_MODIFIED    2
#define GRIDROW_UNNAMED     4

// Alignment styles of the text editor.
#ifndef ES_CENTER
#define ES_CENTER 0x0001L
#endif
#ifndef ES_RIGHT
#define ES_RIGHT 0x0002L
#endif
