// Off-screen drawing context: drawing goes into a bitmap the size of the target's clip box,
// which is copied to the target in one piece when the context is destroyed, so a repaint
// never flickers. On a printing target it draws straight into the target, and so it does into
// a window's paint context: the window's picture is already an image of its own that reaches
// the screen only once the paint is over (the clip box is filled first all the same).
// A caller that paints often passes a bitmap of its own to draw into: it is kept between
// paints and made anew only when the clip box no longer fits in it (a fresh bitmap costs
// its pages' first touch on every paint).
#pragma once

#include <ClassLib/AfxWin.h>

class CMemDC : public CDC
{
public:
    explicit CMemDC(CDC* pDC);
    CMemDC(CDC* pDC, CBitmap* pBackBuffer);
    virtual ~CMemDC();

private:
    void Init(CDC* pDC, CBitmap* pBackBuffer);
    CMemDC(const CMemDC&);
    CMemDC& operator=(const CMemDC&);

    CDC*     m_pDC;
    CBitmap  m_bitmap;
    CBitmap* m_pOldBitmap;
    CRect    m_rect;
    BOOL     m_bMemDC;
    int      m_nSavedDC;  // the window paint context's state before, given back at the end
};
