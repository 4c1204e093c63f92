// The window functions of the platform on handles. CWnd's members are built on these.
//
// DefWindowProc gives every message its standard processing: WM_NCCREATE keeps the
// window text; WM_SETTEXT/WM_GETTEXT/WM_GETTEXTLENGTH and WM_SETFONT/WM_GETFONT keep
// and return the text and font; WM_PAINT validates (erasing first when asked);
// WM_ERASEBKGND fills with the class background; WM_NCHITTEST reports the border,
// scroll-bar and client parts; WM_SETCURSOR asks the parent first, then sets the class
// cursor in the client area; WM_MOUSEACTIVATE, WM_MOUSEWHEEL and WM_CONTEXTMENU go on to
// the parent of a child window; WM_WINDOWPOSCHANGED sends WM_MOVE and WM_SIZE; WM_CLOSE
// destroys the window; WM_SYSCOMMAND SC_CLOSE sends WM_CLOSE; WM_ACTIVATE gives a top-level
// window the focus; WM_CANCELMODE releases the mouse capture; WM_CTLCOLORxxx answer the
// system brushes.
#pragma once

#include <ClassLib/Core/String.h>
#include <ClassLib/Gdi/DC.h>
#include <ClassLib/Wnd/Messages.h>
#include <ClassLib/Wnd/Styles.h>
#include <ClassLib/Wnd/WndClass.h>

// ---- windows ------------------------------------------------------------------------------
AFX_EXT_API HWND CreateWindowEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName,
                                DWORD dwStyle, int x, int y, int nWidth, int nHeight,
                                HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam);
#define CreateWindow(lpClassName, lpWindowName, dwStyle, x, y, nWidth, nHeight, hWndParent, hMenu, hInstance, lpParam) \
    CreateWindowEx(0L, lpClassName, lpWindowName, dwStyle, x, y, nWidth, nHeight, hWndParent, hMenu, hInstance, lpParam)
AFX_EXT_API BOOL DestroyWindow(HWND hWnd);
AFX_EXT_API BOOL IsWindow(HWND hWnd);
AFX_EXT_API BOOL IsWindowVisible(HWND hWnd);
AFX_EXT_API BOOL IsWindowEnabled(HWND hWnd);
AFX_EXT_API BOOL EnableWindow(HWND hWnd, BOOL bEnable);
AFX_EXT_API BOOL IsChild(HWND hWndParent, HWND hWnd);
AFX_EXT_API BOOL IsIconic(HWND hWnd);
AFX_EXT_API BOOL IsZoomed(HWND hWnd);

// GetParent gives the parent of a child window and the owner of a pop-up.
AFX_EXT_API HWND GetParent(HWND hWnd);
AFX_EXT_API HWND SetParent(HWND hWndChild, HWND hWndNewParent);
AFX_EXT_API HWND GetAncestor(HWND hWnd, UINT gaFlags);
AFX_EXT_API HWND GetWindow(HWND hWnd, UINT uCmd);
AFX_EXT_API HWND GetTopWindow(HWND hWnd);
AFX_EXT_API HWND GetNextWindow(HWND hWnd, UINT wCmd);
AFX_EXT_API HWND GetDesktopWindow();
AFX_EXT_API HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
AFX_EXT_API int GetDlgCtrlID(HWND hWnd);
AFX_EXT_API HWND FindWindow(LPCTSTR lpClassName, LPCTSTR lpWindowName);
AFX_EXT_API HWND GetLastActivePopup(HWND hWnd);

AFX_EXT_API LONG GetWindowLong(HWND hWnd, int nIndex);
AFX_EXT_API LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong);
AFX_EXT_API LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex);
AFX_EXT_API LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
AFX_EXT_API BOOL SetProp(HWND hWnd, LPCTSTR lpString, HANDLE hData);
AFX_EXT_API HANDLE GetProp(HWND hWnd, LPCTSTR lpString);
AFX_EXT_API HANDLE RemoveProp(HWND hWnd, LPCTSTR lpString);

AFX_EXT_API int GetWindowText(HWND hWnd, LPTSTR lpString, int nMaxCount);
AFX_EXT_API BOOL SetWindowText(HWND hWnd, LPCTSTR lpString);
AFX_EXT_API int GetWindowTextLength(HWND hWnd);
AFX_EXT_API BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCTSTR lpString);
AFX_EXT_API UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPTSTR lpString, int nMaxCount);

// ---- geometry -------------------------------------------------------------------------------
AFX_EXT_API BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
AFX_EXT_API BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
AFX_EXT_API BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
AFX_EXT_API BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
AFX_EXT_API int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints);
AFX_EXT_API BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
AFX_EXT_API BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
AFX_EXT_API BOOL ShowWindow(HWND hWnd, int nCmdShow);
AFX_EXT_API BOOL BringWindowToTop(HWND hWnd);
// The window rectangle that gives lpRect as client area for the styles.
AFX_EXT_API BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);
AFX_EXT_API BOOL AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu);
// The deepest visible, enabled window at a screen point (NULL over no window).
AFX_EXT_API HWND WindowFromPoint(POINT Point);
AFX_EXT_API HWND ChildWindowFromPoint(HWND hWndParent, POINT Point);
AFX_EXT_API HWND ChildWindowFromPointEx(HWND hWndParent, POINT Point, UINT uFlags);

// ---- focus, activation, capture -------------------------------------------------------------
// SetFocus sends WM_KILLFOCUS (wParam: the new window) to the old focus window, then
// WM_SETFOCUS (wParam: the old one) to the new one.
AFX_EXT_API HWND GetFocus();
AFX_EXT_API HWND SetFocus(HWND hWnd);
AFX_EXT_API HWND GetActiveWindow();
AFX_EXT_API HWND SetActiveWindow(HWND hWnd);
AFX_EXT_API HWND GetForegroundWindow();
AFX_EXT_API BOOL SetForegroundWindow(HWND hWnd);
// SetCapture routes all mouse input to the window; the window losing the capture gets
// WM_CAPTURECHANGED (lParam: the new capture window or NULL).
AFX_EXT_API HWND GetCapture();
AFX_EXT_API HWND SetCapture(HWND hWnd);
AFX_EXT_API BOOL ReleaseCapture();
// A window that hands a mouse press on to another one (a tip or an editor passing a click
// to the window beneath it) makes that window the one the next press at the same spot
// pairs with into a double click.
AFX_EXT_API void AfxPassButtonDown(HWND hFrom, HWND hTo);

// ---- messages -------------------------------------------------------------------------------
AFX_EXT_API LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// Queues the message for the user-interface thread; any thread may call it. FALSE for a
// window that does not exist.
AFX_EXT_API BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
AFX_EXT_API BOOL SendNotifyMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
AFX_EXT_API LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
// The same id for the same text (compared without case), from 0xC000 up.
AFX_EXT_API UINT RegisterWindowMessage(LPCTSTR lpString);
AFX_EXT_API void PostQuitMessage(int nExitCode);
// Takes a posted message for hWnd (NULL: any) in the id range (0, 0: all) from the queue.
AFX_EXT_API BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
AFX_EXT_API BOOL TranslateMessage(const MSG* lpMsg);
AFX_EXT_API LRESULT DispatchMessage(const MSG* lpMsg);
AFX_EXT_API BOOL InSendMessage();

// ---- timers ---------------------------------------------------------------------------------
// WM_TIMER (or lpTimerFunc) every uElapse milliseconds of GetTickCount, delivered while
// the user-interface thread runs its event loop; the same id replaces the timer.
AFX_EXT_API UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
AFX_EXT_API BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// ---- painting -------------------------------------------------------------------------------
AFX_EXT_API HDC GetDC(HWND hWnd);
AFX_EXT_API HDC GetWindowDC(HWND hWnd);
#define DCX_WINDOW 0x00000001L
#define DCX_CACHE 0x00000002L
#define DCX_NORESETATTRS 0x00000004L
#define DCX_CLIPCHILDREN 0x00000008L
#define DCX_CLIPSIBLINGS 0x00000010L
#define DCX_PARENTCLIP 0x00000020L
#define DCX_EXCLUDERGN 0x00000040L
#define DCX_INTERSECTRGN 0x00000080L
#define DCX_LOCKWINDOWUPDATE 0x00000400L
AFX_EXT_API HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags);
AFX_EXT_API int ReleaseDC(HWND hWnd, HDC hDC);
AFX_EXT_API HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
AFX_EXT_API BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
AFX_EXT_API BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
AFX_EXT_API BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase);
AFX_EXT_API BOOL ValidateRect(HWND hWnd, const RECT* lpRect);
AFX_EXT_API BOOL ValidateRgn(HWND hWnd, HRGN hRgn);
AFX_EXT_API BOOL UpdateWindow(HWND hWnd);
AFX_EXT_API BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags);
AFX_EXT_API BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase);
AFX_EXT_API int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase);
AFX_EXT_API BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect);
AFX_EXT_API int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip,
                               HRGN hrgnUpdate, LPRECT prcUpdate, UINT flags);
AFX_EXT_API BOOL LockWindowUpdate(HWND hWndLock);

// ---- scroll bars ----------------------------------------------------------------------------
AFX_EXT_API int SetScrollInfo(HWND hWnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw);
AFX_EXT_API BOOL GetScrollInfo(HWND hWnd, int nBar, LPSCROLLINFO lpsi);
AFX_EXT_API int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw);
AFX_EXT_API int GetScrollPos(HWND hWnd, int nBar);
AFX_EXT_API BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw);
AFX_EXT_API BOOL GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos);
AFX_EXT_API BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow);
AFX_EXT_API BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows);

// ---- menus (stored per window; the menu layer gives them meaning) -----------------------------
AFX_EXT_API HMENU GetMenu(HWND hWnd);
AFX_EXT_API BOOL SetMenu(HWND hWnd, HMENU hMenu);

// ---- message boxes -------------------------------------------------------------------------------
AFX_EXT_API int MessageBox(HWND hWnd, LPCTSTR lpText, LPCTSTR lpCaption, UINT uType);
