// What a window's paint draws into. Each window keeps its picture in an image of its own that
// reaches the screen only once the paint is over, so a paint that draws straight into it never
// flickers: a memory bitmap drawn first and copied over afterwards only adds a copy.
#pragma once

#include <ClassLib/Gdi/DC.h>

// TRUE for the context of a window's paint (BeginPaint, CPaintDC) that is not printing.
AFX_EXT_API BOOL AfxIsWindowPaintDC(const CDC* pDC);

// Image pixels per logical pixel of what the context draws on (2 for a window, or a bitmap
// made compatible with one, on a screen at scale 2), and of a bitmap.
AFX_EXT_API int AfxPixelRatioOf(const CDC* pDC);
AFX_EXT_API int AfxPixelRatioOf(const CBitmap* pBitmap);
