// A picture control that fills its client area with a bitmap resource, tiled from the
// top-left corner. As an owner-drawn static (SS_OWNERDRAW) it paints the same picture
// when its owner has it drawn.
#pragma once

#include <ClassLib/AfxWin.h>

class AFX_EXT_CLASS CPicStatic : public CStatic
{
    DECLARE_DYNAMIC(CPicStatic)

public:
    CPicStatic();
    ~CPicStatic() override;

    // Stores the id and redraws.
    void SetBitmapId(int nID);
    int GetBitmapId() const { return m_nBitmapId; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    int m_nBitmapId;

protected:
    void PaintPicture(CDC* pDC, const CRect& rect);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
