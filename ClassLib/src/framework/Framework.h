// What the framework's sources (and the self-drawn controls in src/ui) include: the window
// layer with the menu layer, and the framework's own headers.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Dialogs/FileDialog.h>
#include <ClassLib/Dialogs/PrintDialog.h>
#include <ClassLib/DocView/DocView.h>
#include <ClassLib/Frames/Frames.h>
#include <ClassLib/Menus/Menu.h>

namespace pc_frame {
// The descendant window with that id, searched depth first (only windows with an object
// of their own when bOnlyPerm).
CWnd* FindDescendant(const CWnd* pWnd, int nID, BOOL bOnlyPerm);
// A control object goes away: it no longer waits to get its window back (ControlTakeOver.cpp).
void ForgetTakenOver(CWnd* pWnd);
}  // namespace pc_frame
