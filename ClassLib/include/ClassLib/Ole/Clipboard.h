// The clipboard API on the desktop clipboard. CF_TEXT data is the system's code page 936
// text: it is converted to and from the desktop's Unicode text, so other programs see
// the same characters. Other formats travel as private data that this library reads back
// byte for byte (registered formats by their names, so other processes of the system
// find them too).
#pragma once

#include <ClassLib/Core/String.h>
#include <ClassLib/Ole/GlobalMemory.h>

typedef WORD CLIPFORMAT;

#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_METAFILEPICT 3
#define CF_SYLK 4
#define CF_DIF 5
#define CF_TIFF 6
#define CF_OEMTEXT 7
#define CF_DIB 8
#define CF_PALETTE 9
#define CF_PENDATA 10
#define CF_RIFF 11
#define CF_WAVE 12
#define CF_UNICODETEXT 13
#define CF_ENHMETAFILE 14
#define CF_HDROP 15
#define CF_LOCALE 16
#define CF_DIBV5 17
#define CF_OWNERDISPLAY 0x0080
#define CF_DSPTEXT 0x0081
#define CF_PRIVATEFIRST 0x0200
#define CF_PRIVATELAST 0x02FF

// Opening fails while the clipboard is already open (it is one per process here).
AFX_EXT_API BOOL OpenClipboard(HWND hWndNewOwner);
AFX_EXT_API BOOL CloseClipboard();
// Clears the clipboard and makes the opener its owner. The clipboard must be open.
AFX_EXT_API BOOL EmptyClipboard();
// The clipboard must be open. On success the clipboard owns hMem (do not free it) and the
// result is hMem; NULL on failure, when the caller keeps hMem. Delayed rendering (a NULL
// hMem) is not offered and fails.
AFX_EXT_API HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// The clipboard must be open. The handle belongs to the clipboard and stays valid until
// the clipboard is opened again; NULL when the format is not there.
AFX_EXT_API HANDLE GetClipboardData(UINT uFormat);
AFX_EXT_API BOOL IsClipboardFormatAvailable(UINT format);
AFX_EXT_API int CountClipboardFormats();
// The formats on the clipboard one by one, starting after 'format' (0 for the first);
// 0 after the last. The clipboard must be open.
AFX_EXT_API UINT EnumClipboardFormats(UINT format);
AFX_EXT_API HWND GetClipboardOwner();
AFX_EXT_API HWND GetOpenClipboardWindow();
// Registered formats get ids from 0xC000 up; the same name (case-insensitive) gives the
// same id. 0 for an empty name.
AFX_EXT_API UINT RegisterClipboardFormat(LPCTSTR lpszFormat);
// The registered name of a format; 0 for predefined or unknown ones.
AFX_EXT_API int GetClipboardFormatName(UINT format, LPTSTR lpszFormatName, int cchMaxCount);
