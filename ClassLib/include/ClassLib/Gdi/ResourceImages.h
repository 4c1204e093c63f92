// Pictures in a module's resource table: bitmaps, icons and cursors. A module draws them
// in its source as rows of characters with a palette (small pictures: patterns, glyphs,
// cursors) or embeds PNG bytes, and registers them with the helpers below, usually from its
// AFX_MODULE_RESOURCES block:
//
//   static const char* const kChecker[] = {"BW", "WB"};
//   static const AFX_PALETTE_CHAR kBW[] = {{'B', RGB(0, 0, 255)}, {'W', RGB(255, 255, 255)}};
//   static const AFX_BITMAP_RESOURCE kCheckerBmp = AFX_PICTURE(2, 2, kChecker, kBW);
//   AfxRegisterBitmap(hModule, IDB_CHECKER, &kCheckerBmp);
//
// The data is not copied; it must live as long as the module's registration.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Resources/Resources.h>

#include <cstddef>

struct AFX_PALETTE_CHAR
{
    char ch;
    COLORREF color;  // CLR_NONE (0xFFFFFFFF): transparent (icons); otherwise an RGB value
};

struct AFX_BITMAP_RESOURCE
{
    int nWidth;
    int nHeight;
    const char* const* pRows;  // nHeight rows of nWidth characters, or NULL for a PNG
    const AFX_PALETTE_CHAR* pPalette;
    int nPaletteSize;
    const unsigned char* pPng;  // PNG bytes when pRows is NULL
    size_t nPngSize;
    WORD wBitsPixel;  // bits per pixel reported for the bitmap (1 makes it monochrome)
};

#define AFX_PICTURE(w, h, rows, palette) \
    AFX_BITMAP_RESOURCE{(w), (h), (rows), (palette), (int)(sizeof(palette) / sizeof((palette)[0])), nullptr, 0, 4}
#define AFX_PICTURE_BPP(w, h, rows, palette, bpp) \
    AFX_BITMAP_RESOURCE{(w), (h), (rows), (palette), (int)(sizeof(palette) / sizeof((palette)[0])), nullptr, 0, (bpp)}
#define AFX_PNG_PICTURE(bytes, size) AFX_BITMAP_RESOURCE{0, 0, nullptr, nullptr, 0, (bytes), (size), 24}

// A cursor picture: '.' or ' ' transparent, '#' or 'X' black, 'o' or 'W' white,
// '~' inverts the screen below.
struct AFX_CURSOR_RESOURCE
{
    int nWidth;
    int nHeight;
    int xHotSpot;
    int yHotSpot;
    const char* const* pRows;
};

// An animation clip for the animation control: pictures of one size shown in turn, each
// for nFrameMs milliseconds, repeated; CLR_NONE palette entries are transparent.
struct AFX_CLIP_RESOURCE
{
    const AFX_BITMAP_RESOURCE* const* ppFrames;
    int nFrames;
    UINT nFrameMs;
};
// The resource type of clips.
#define RT_AFX_CLIP "AVI"

AFX_EXT_API void AfxRegisterBitmap(HINSTANCE hModule, UINT nID, const AFX_BITMAP_RESOURCE* pBitmap);
AFX_EXT_API void AfxRegisterClip(HINSTANCE hModule, UINT nID, const AFX_CLIP_RESOURCE* pClip);
// Icons are bitmap pictures whose CLR_NONE palette entries are transparent.
AFX_EXT_API void AfxRegisterIcon(HINSTANCE hModule, UINT nID, const AFX_BITMAP_RESOURCE* pIcon);
AFX_EXT_API void AfxRegisterCursor(HINSTANCE hModule, UINT nID, const AFX_CURSOR_RESOURCE* pCursor);
