// Resource and control ids of the resource views, the resource dialog, the expand and
// Gantt-format dialogs and the in-place frame's toolbar.
#pragma once

// Resource dialog.
#define IDD_RES_DLG 21031
#define IDB_RES_TYPES 21035 // the three type pictures, shared with the resource page
#define IDC_RES_DLG_LIST 23006
#define IDC_RES_DLG_EDIT 23029
#define IDC_RES_DLG_ADD 23030

// Resource list view and its grid.
#define IDC_RES_GRID 24004
#define ID_RES_ADD_ROW 22022
#define ID_RES_DELETE_ROW 22023

// Commands of the category tree's popup (no handler: shown disabled).
#define ID_RES_ADD_TYPE 22018
#define ID_RES_IMPORT_PROJECT 22019
#define ID_RES_IMPORT_DICTIONARY 22020
#define ID_RES_IMPORT_DATABASE 22021

// Popups of menu 20013 (0-based) shown by the resource views.
#define RES_POPUP_TREEVIEW 2
#define RES_POPUP_RESGRIDVIEW 3

// Expand dialog.
#define IDD_EXPAND_SET 21032
#define IDC_EXPAND_LEVELS 23032
#define IDC_EXPAND_LEVEL_EDIT 23034
#define IDC_EXPAND_COLLAPSE_ALL 23035
#define IDC_EXPAND_ALL 23036

// Gantt-format dialog.
#define IDD_GANTT_STYLE 21038
#define IDC_GANTT_STYLE_COMBO 23006
#define IDC_GANTT_STYLE_PICTURE 23043
#define IDB_GANTT_STYLE_RESOURCE 21041
#define IDB_GANTT_STYLE_TASK 21043
#define IDB_GANTT_STYLE_TASK_RESOURCE 21044

// In-place frame's toolbar.
#define IDR_INPLACE_TOOLBAR 4
