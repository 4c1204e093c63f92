// Pictures loaded by kind: bitmaps, icons and cursors from a module's resources or from
// files (LR_LOADFROMFILE), and the system's own small bitmaps (OBM_*).
#pragma once

#include <ClassLib/Core/WinTypes.h>

#ifndef IMAGE_BITMAP
#define IMAGE_BITMAP 0
#endif
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2

#define LR_DEFAULTCOLOR 0x00000000
#define LR_MONOCHROME 0x00000001
#define LR_CREATEDIBSECTION 0x00002000
#define LR_LOADFROMFILE 0x00000010
#define LR_LOADTRANSPARENT 0x00000020
#define LR_DEFAULTSIZE 0x00000040
#define LR_LOADMAP3DCOLORS 0x00001000
#define LR_SHARED 0x00008000

// The system's bitmaps (CBitmap::LoadOEMBitmap, LoadBitmap with no module).
#define OBM_CHECK 32760
#define OBM_UPARROW 32753
#define OBM_DNARROW 32752
#define OBM_RGARROW 32751
#define OBM_LFARROW 32750
#define OBM_COMBO 32738

// A picture of the kind asked for. From a file (LR_LOADFROMFILE): lpszName is the path
// (code page 936); bitmaps in any format the toolkit reads (BMP, PNG...), icons from .ico
// or picture files. Otherwise a resource of hInstance (NULL: the system's bitmaps for
// IMAGE_BITMAP, the standard icons and cursors). cx and cy (nonzero) scale icons and
// cursors to that size. NULL when there is no such picture.
AFX_EXT_API HANDLE LoadImage(HINSTANCE hInstance, LPCTSTR lpszName, UINT uType, int cx, int cy, UINT fuLoad);
#define LoadImageA LoadImage
// The system bitmap of an OBM_* id; NULL for an id it does not have.
AFX_EXT_API HBITMAP AfxLoadOEMBitmap(UINT nIDBitmap);
