// Window classes: a name, class styles (CS_*), the window procedure, the cursor and the
// background brush. A class belongs to the module that registered it; lookups by name
// prefer the module asked for and then take any module's class of that name.
//
// Classes whose windows wrap a Qt widget (the standard controls) register a widget factory
// with AfxRegisterWidgetClass; every other class's windows are drawn by their own code into
// a backing image (see Wnd/QtInterop.h for the hooks).
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Wnd/Messages.h>

typedef struct tagWNDCLASS
{
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;  // a brush, or (HBRUSH)(COLOR_xxx + 1)
    LPCTSTR lpszMenuName;
    LPCTSTR lpszClassName;
} WNDCLASS, *LPWNDCLASS, *PWNDCLASS;

typedef struct tagWNDCLASSEX
{
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCTSTR lpszMenuName;
    LPCTSTR lpszClassName;
    HICON hIconSm;
} WNDCLASSEX, *LPWNDCLASSEX;

typedef WORD ATOM;

// The default processing of every message (Wnd/WinApi.h lists what it does).
AFX_EXT_API LRESULT CALLBACK DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
AFX_EXT_API LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// Registration fails (0) when the module already has a class of that name, or the name is
// missing.
AFX_EXT_API ATOM RegisterClass(const WNDCLASS* lpWndClass);
AFX_EXT_API ATOM RegisterClassEx(const WNDCLASSEX* lpWndClass);
AFX_EXT_API BOOL UnregisterClass(LPCTSTR lpClassName, HINSTANCE hInstance);
// Looks up a class of the module (or a class registered without a module). FALSE when
// there is none.
AFX_EXT_API BOOL GetClassInfo(HINSTANCE hInstance, LPCTSTR lpClassName, LPWNDCLASS lpWndClass);
AFX_EXT_API BOOL GetClassInfoEx(HINSTANCE hInstance, LPCTSTR lpClassName, LPWNDCLASSEX lpWndClass);
AFX_EXT_API int GetClassName(HWND hWnd, LPTSTR lpClassName, int nMaxCount);
AFX_EXT_API DWORD GetClassLong(HWND hWnd, int nIndex);
AFX_EXT_API DWORD SetClassLong(HWND hWnd, int nIndex, LONG dwNewLong);
AFX_EXT_API ULONG_PTR GetClassLongPtr(HWND hWnd, int nIndex);
AFX_EXT_API ULONG_PTR SetClassLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);

// The class library's registration helpers: AfxRegisterClass succeeds when the class
// exists already; AfxRegisterWndClass makes (once) and names a class for the given
// style, cursor, brush and icon ("Afx:..."), the name staying valid for the process.
AFX_EXT_API BOOL AfxRegisterClass(WNDCLASS* lpWndClass);
AFX_EXT_API LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                        HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// The class CWnd::Create uses when given no class name: CS_DBLCLKS | CS_HREDRAW |
// CS_VREDRAW, arrow cursor, COLOR_WINDOW background.
#define AFX_WND_CLASS "AfxWnd"
