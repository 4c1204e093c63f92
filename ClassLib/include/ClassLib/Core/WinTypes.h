// Basic types, constants and macros of the platform API, with the sizes the original
// 32-bit platform had wherever data is stored or exchanged (DWORD, LONG and friends are
// 32 bits); handles and message parameters are pointer sized so pointers fit in them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef uint32_t ULONG;
typedef int32_t LONG;
typedef unsigned int UINT;
typedef int INT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef float FLOAT;
typedef double DOUBLE;
typedef long long LONGLONG;
typedef unsigned long long ULONGLONG;
typedef long long __int64;

typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;

typedef int32_t HRESULT;
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_NOTIMPL ((HRESULT)0x80004001L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define E_POINTER ((HRESULT)0x80004003L)
#define E_UNEXPECTED ((HRESULT)0x8000FFFFL)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

// Text: TCHAR is a byte; the system's strings are code page 936 bytes.
typedef char TCHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef WCHAR OLECHAR;
typedef OLECHAR* BSTR;
#define _T(x) x
#define _TEXT(x) x
#define TEXT(x) x

typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef LONG* LPLONG;
typedef BOOL* LPBOOL;
typedef int* LPINT;
typedef WORD* LPWORD;

// Opaque handles.
#define PC_DECLARE_HANDLE(name) struct name##__ { int unused; }; typedef struct name##__* name
PC_DECLARE_HANDLE(HWND);
PC_DECLARE_HANDLE(HINSTANCE);
PC_DECLARE_HANDLE(HMENU);
PC_DECLARE_HANDLE(HDC);
PC_DECLARE_HANDLE(HFONT);
PC_DECLARE_HANDLE(HBRUSH);
PC_DECLARE_HANDLE(HPEN);
PC_DECLARE_HANDLE(HBITMAP);
PC_DECLARE_HANDLE(HRGN);
PC_DECLARE_HANDLE(HPALETTE);
PC_DECLARE_HANDLE(HICON);
PC_DECLARE_HANDLE(HCURSOR_);
PC_DECLARE_HANDLE(HACCEL);
PC_DECLARE_HANDLE(HKEY);
PC_DECLARE_HANDLE(HIMAGELIST);
PC_DECLARE_HANDLE(HTREEITEM_);
PC_DECLARE_HANDLE(HGLOBAL_);
typedef HICON HCURSOR;
typedef HINSTANCE HMODULE;
typedef void* HANDLE;
typedef void* HGDIOBJ;
typedef HANDLE HGLOBAL;
typedef HANDLE HLOCAL;
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

// Iteration position of the class library's lists and maps.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

typedef DWORD COLORREF;
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

#define MAKEWORD(a, b) ((WORD)(((BYTE)((DWORD_PTR)(a) & 0xff)) | ((WORD)((BYTE)((DWORD_PTR)(b) & 0xff))) << 8))
#define MAKELONG(a, b) ((LONG)(((WORD)((DWORD_PTR)(a) & 0xffff)) | ((DWORD)((WORD)((DWORD_PTR)(b) & 0xffff))) << 16))
#define LOWORD(l) ((WORD)((DWORD_PTR)(l) & 0xffff))
#define HIWORD(l) ((WORD)((DWORD_PTR)(l) >> 16))
#define LOBYTE(w) ((BYTE)((DWORD_PTR)(w) & 0xff))
#define HIBYTE(w) ((BYTE)((DWORD_PTR)(w) >> 8))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKELRESULT(l, h) ((LRESULT)(DWORD)MAKELONG(l, h))
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))

#define MAX_PATH 260
#define INFINITE 0xFFFFFFFF

// The platform's max and min take two values of any arithmetic types; as functions rather
// than macros they leave the standard library's own max and min alone.
template <class A, class B>
inline typename std::common_type<A, B>::type max(A a, B b) { return a > b ? a : b; }
template <class A, class B>
inline typename std::common_type<A, B>::type min(A a, B b) { return a < b ? a : b; }

#define AFX_EXT_CLASS __attribute__((visibility("default")))
#define AFX_EXT_API __attribute__((visibility("default")))
#define AFX_EXT_DATA __attribute__((visibility("default")))
#define AFXAPI
#define AFX_CDECL
#define CALLBACK
#define WINAPI
#define PASCAL
#define FAR
#define NEAR
#define far
#define near
#define afx_msg
#ifndef UNUSED
#define UNUSED(x) (void)(x)
#endif
#define UNUSED_ALWAYS(x) (void)(x)
