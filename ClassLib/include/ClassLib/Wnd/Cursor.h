// Cursors and icons. The standard cursors (IDC_*) map to the desktop's own; a module's
// cursor and icon resources are the pictures registered in its resource table
// (Gdi/ResourceImages.h). The cursor set with SetCursor shows over the window under the
// mouse until the next WM_SETCURSOR sets another.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Core/Geometry.h>
#include <ClassLib/Resources/Resources.h>

#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_IBEAM MAKEINTRESOURCE(32513)
#define IDC_WAIT MAKEINTRESOURCE(32514)
#define IDC_CROSS MAKEINTRESOURCE(32515)
#define IDC_UPARROW MAKEINTRESOURCE(32516)
#define IDC_SIZE MAKEINTRESOURCE(32640)
#define IDC_ICON MAKEINTRESOURCE(32641)
#define IDC_SIZENWSE MAKEINTRESOURCE(32642)
#define IDC_SIZENESW MAKEINTRESOURCE(32643)
#define IDC_SIZEWE MAKEINTRESOURCE(32644)
#define IDC_SIZENS MAKEINTRESOURCE(32645)
#define IDC_SIZEALL MAKEINTRESOURCE(32646)
#define IDC_NO MAKEINTRESOURCE(32648)
#define IDC_HAND MAKEINTRESOURCE(32649)
#define IDC_APPSTARTING MAKEINTRESOURCE(32650)
#define IDC_HELP MAKEINTRESOURCE(32651)

#define IDI_APPLICATION MAKEINTRESOURCE(32512)
#define IDI_HAND MAKEINTRESOURCE(32513)
#define IDI_QUESTION MAKEINTRESOURCE(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCE(32515)
#define IDI_ASTERISK MAKEINTRESOURCE(32516)
#define IDI_WINLOGO MAKEINTRESOURCE(32517)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK

typedef struct _ICONINFO
{
    BOOL fIcon;
    DWORD xHotspot;
    DWORD yHotspot;
    HBITMAP hbmMask;
    HBITMAP hbmColor;
} ICONINFO, *PICONINFO;

// hInstance NULL: a standard cursor (IDC_*). Otherwise that module's cursor resource
// (NULL when it has none); loading the same cursor again gives the same handle.
AFX_EXT_API HCURSOR LoadCursor(HINSTANCE hInstance, LPCTSTR lpCursorName);
AFX_EXT_API HCURSOR SetCursor(HCURSOR hCursor);
AFX_EXT_API HCURSOR GetCursor();
AFX_EXT_API BOOL DestroyCursor(HCURSOR hCursor);
AFX_EXT_API HCURSOR CopyCursor(HCURSOR hCursor);
AFX_EXT_API int ShowCursor(BOOL bShow);

AFX_EXT_API HICON LoadIcon(HINSTANCE hInstance, LPCTSTR lpIconName);
AFX_EXT_API BOOL DestroyIcon(HICON hIcon);
AFX_EXT_API HICON CopyIcon(HICON hIcon);
AFX_EXT_API BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo);
AFX_EXT_API HICON CreateIconIndirect(PICONINFO piconinfo);

// The standard cursor of an IDC_* id (the class library's own helper).
AFX_EXT_API HCURSOR AfxLoadStandardCursor(LPCTSTR lpszCursorName);
// The cursor or icon resource of the modules by id, in search order.
AFX_EXT_API HCURSOR AfxLoadCursor(UINT nIDResource);
AFX_EXT_API HICON AfxLoadIcon(UINT nIDResource);

// Shows the wait cursor for its lifetime (counted, so they nest).
class AFX_EXT_CLASS CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();

private:
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// The wait-cursor count behind CCmdTarget::BeginWaitCursor and CWaitCursor: +1 begins,
// -1 ends, 0 shows it again (after something else set another cursor).
AFX_EXT_API void AfxDoWaitCursor(int nCode);
