// Placement of the small buttons of a button cell and of the text area beside them, and
// the tip text made of the buttons' captions. Pure functions of their arguments, shared by
// drawing, hit testing and the text rectangle of every button cell.
#pragma once

#include <ClassLib/AfxWin.h>

// What the layout needs of one button.
struct GridBtnLayoutItem {
    int nWidth;       // pixels; 0 or less means automatic
    UINT nDrawState;  // DFCS_ state and type bits
    UINT nAlign;      // 0 the whole cell, 1 left of the text area, 2 right of it
    UINT nDrawCtl;    // DFC_ frame-control type
};

// Height of the band in which buttons sit, and width of a button squeezed at an edge or
// of a scroll-arrow pair.
enum { GRIDBTN_BAND_HEIGHT = 20, GRIDBTN_NARROW_WIDTH = 16 };

// Lays out nCount buttons in rcCell. pRects receives nCount + 1 rectangles: one per button
// in index order, then the text area. Returns FALSE, leaving pRects untouched, when there
// is no button.
BOOL GridLayoutButtons(const GridBtnLayoutItem* pItems, int nCount, const CRect& rcCell,
                       int nMargin, CRect* pRects);

// The captions joined with single blanks, each "&" marker dropped ("&&" gives "&"), at
// most GRIDBTN_TIP_MAX bytes and never ending inside a double-byte character. Empty
// captions are left out.
enum { GRIDBTN_TIP_MAX = 254 };
CString GridJoinButtonTips(const CString* pTexts, int nCount);

// Index of the first caption with "&" followed by ch (letters compared without case), or
// -1. An escaped "&&" is no marker.
int GridFindMnemonic(const CString* pTexts, int nCount, UINT ch);
