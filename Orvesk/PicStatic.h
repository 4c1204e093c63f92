// A picture control that fills its client area with a bitmap resource, tiled from the
// top-left corner.
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

    int m_nBitmapId;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
