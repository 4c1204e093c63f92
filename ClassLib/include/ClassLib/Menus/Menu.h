// Menus of the class library: menu and accelerator templates, CMenu, popup menus and
// command UI updates of menu items.
#pragma once

#include <ClassLib/Menus/MenuTypes.h>
#include <ClassLib/Menus/CMenu.h>
#include <ClassLib/Menus/MenuCmdUI.h>

// Translates a key message into the command of an accelerator table (sent to hWnd as
// WM_COMMAND with 1 in the high word); TRUE when it did.
AFX_EXT_API int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg);
AFX_EXT_API BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, LPCRECT prcRect);
AFX_EXT_API BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hWnd, void* lptpm);
