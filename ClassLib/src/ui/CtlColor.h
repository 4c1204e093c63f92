// Private: standard controls ask their parent for their colours before they paint
// (WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORBTN, WM_CTLCOLORLISTBOX), which a
// parent answers or reflects to the control (ON_WM_CTLCOLOR_REFLECT); the text colour,
// background mode and brush that come back are applied to the control's widget.
#pragma once

#include <ClassLib/Core/WinTypes.h>

class QWidget;

namespace pc {

// Watches the widget of a standard control window; nothing for classes that send none.
void WatchControlColours(HWND hWnd, QWidget* pWidget);

}  // namespace pc
