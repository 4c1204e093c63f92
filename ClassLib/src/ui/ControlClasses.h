// Private: the standard controls as window classes of the window layer.
#pragma once

#include "ControlProc.h"

namespace pc {

// Registers the standard control classes (once; later calls do nothing).
void RegisterControlClasses();
// The procedure of a standard control window; NULL for other windows.
ControlProc* ProcOf(HWND hWnd);

}  // namespace pc
