// Off-screen drawing context: drawing goes into a bitmap the size of the target's clip box,
// which is copied to the target in one piece when the context is destroyed, so a repaint
// never flickers. On a printing target it draws straight into the target.
#pragma once

#include <ClassLib/AfxWin.h>

class CMemDC : public CDC
{
public:
    explicit CMemDC(CDC* pDC);
    virtual ~CMemDC();

private:
    CMemDC(const CMemDC&);
    CMemDC& operator=(const CMemDC&);

    CDC*     m_pDC;
    CBitmap  m_bitmap;
    CBitmap* m_pOldBitmap;
    CRect    m_rect;
    BOOL     m_bMemDC;
};
