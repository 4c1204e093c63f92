// Private: the dropped-down list of a combo box as a window of its own ("ComboLBox"), as
// the platform has it. Its procedure answers the list messages (LB_GETCURSEL,
// LB_GETTOPINDEX, LB_GETITEMHEIGHT, LB_GETITEMRECT...), takes clicks and characters, and
// paints the items (owner-drawn through the combo box's parent), asking the combo box for
// its colours with WM_CTLCOLORLISTBOX first. A program may replace the procedure.
#pragma once

#include <ClassLib/Core/WinTypes.h>

namespace pc {

class ComboProc;

// Makes the (hidden) list window of a combo box; NULL when it cannot be made.
HWND CreateComboList(ComboProc* pCombo, HWND hCombo);
// The list shows below the combo box (or closes); the combo box reports the drop-down.
void ShowComboList(HWND hList, bool bShow);
// A message to the list through its (possibly replaced) procedure; 0 without a list.
LRESULT ComboListSend(HWND hList, UINT msg, WPARAM wParam, LPARAM lParam);
// WM_CTLCOLORLISTBOX that reached the combo box's default handling goes to its parent;
// the system's list colours when it has none.
LRESULT ComboAskParentColours(HWND hCombo, UINT msg, WPARAM wParam, LPARAM lParam);
// The combo box is going: the list forgets it and goes too.
void DestroyComboList(HWND hList);

}  // namespace pc
