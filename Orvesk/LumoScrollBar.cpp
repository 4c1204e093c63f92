#include "LumoScrollBar.h"

IMPLEMENT_DYNAMIC(CLumoScrollBar, CScrollBar)

BEGIN_MESSAGE_MAP(CLumoScrollBar, CScrollBar)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CLumoScrollBar::CLumoScrollBar() {}

CLumoScrollBar::~CLumoScrollBar() {}

void CLumoScrollBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CScrollBar::OnLButtonDown(nFlags, point);
}
