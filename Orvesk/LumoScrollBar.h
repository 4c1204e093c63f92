// A scroll bar control of the project views; a left button press goes to the class
// library's handling unchanged.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Wnd/ScrollBar.h>

class AFX_EXT_CLASS CLumoScrollBar : public CScrollBar
{
    DECLARE_DYNAMIC(CLumoScrollBar)

public:
    CLumoScrollBar();
    ~CLumoScrollBar() override;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
