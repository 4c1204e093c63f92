// Handing a window from one object to another. A control window made without an object
// of its own (a list or header in a dialog template, a list's header) gets an object from
// its window class; subclassing the window with another object of the same control kind
// moves the control's state to that object, and unsubclassing gives it back.
#pragma once

#include <ClassLib/Wnd/Wnd.h>

// pOld is the permanent object of hWnd and pNew wants it: TRUE when the state moved and
// pOld let go of the window (pNew then attaches).
typedef BOOL (*AFX_WND_TAKEOVER)(CWnd* pOld, CWnd* pNew, HWND hWnd);
// pOld has just let go of hWnd through UnsubclassWindow; the hook may attach another
// object holding the state.
typedef void (*AFX_WND_HANDBACK)(CWnd* pOld, HWND hWnd);

AFX_EXT_API void AfxSetWndTakeOverHooks(AFX_WND_TAKEOVER pfnTakeOver, AFX_WND_HANDBACK pfnHandBack);
