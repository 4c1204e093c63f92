// Resource ids, control ids, commands and private messages of the document browser
// (module Quenby).
#pragma once

// Pictures, menus and dialogs.
#define IDB_PDMTREE 2000              // the folder pictures (closed, open), 18 x 18 each
#define IDR_PDMDOCLIST_MENU 104       // the document list's context menu
#define IDD_NEWDOCFILE 205            // "增加一个文档"

// Controls.
#define IDC_PDMTREE 29001
#define IDC_PDMDOCLIST 29002
#define IDC_NEWDOC_CLASS 208          // the document class (drop-down list)
#define IDC_NEWDOC_NAME 210           // the file name
#define IDC_NEWDOC_NAME_LABEL 209
#define IDC_NEWDOC_CLASS_LABEL 207

// Commands of the context menu.
#define ID_DOCLIST_ICON 32768
#define ID_DOCLIST_SMALL 32769
#define ID_DOCLIST_LIST 32770
#define ID_DOCLIST_REPORT 32771
#define ID_DOCLIST_NEWFOLDER 32772
#define ID_DOCLIST_NEWDOC 32773
#define ID_DOCLIST_UPLOAD 32775
#define ID_DOCLIST_WORKFLOW 32776
#define ID_DOCLIST_HOTLINK 32777
#define ID_DOCLIST_RIGHTS 32778
#define ID_DOCLIST_PROPERTY 32779
#define ID_DOCLIST_OPEN 32780

// Private messages between the panes, all sent (never posted); wParam = class id,
// lParam = object id unless said otherwise.
#define WM_PDMTREE_SELCHANGED 0xF55       // tree control -> its view: another folder selected
#define WM_PDMTREEVIEW_SELCHANGED 0xF5A   // tree view -> frame
#define WM_PDMDOC_DBLCLK 0xF5E            // list control -> its view: a document double-clicked
#define WM_PDMDOCVIEW_DBLCLK 0xF64        // list view -> frame
#define WM_PDMDOC_VIEWCHANGE 0xF68        // list control -> its view: wParam = list style, lParam 0
#define WM_PDMDOCVIEW_VIEWCHANGE 0xF6E    // list view -> frame (not handled there)
