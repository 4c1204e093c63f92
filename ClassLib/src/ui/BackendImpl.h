// Private to the back ends: the two implementations and what they share.
#pragma once

#include "Backend.h"

namespace pc {

Backend& HeadlessBackend();
Backend& DesktopBackend();

// Sleeps in the toolkit's event wait, at most nMaxMs (-1: no limit).
void ToolkitWait(int nMaxMs);
// The window flags a top-level window's styles ask for on any platform; an owned popup with
// a caption becomes a window of the type given.
Qt::WindowFlags CommonTopLevelFlags(DWORD style, DWORD exStyle, bool owned, Qt::WindowType ownedCaptioned);

}  // namespace pc
