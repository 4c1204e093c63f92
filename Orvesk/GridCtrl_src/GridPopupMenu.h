// How the grid shows its right-click menu. The class library's pop-up tracking is reached
// through this handler, so the menu can be shown (and tested) through one seam. With no
// handler set the grid shows no menu.
#pragma once

#include <ClassLib/AfxWin.h>

class CMenu;

// Shows pPopup at ptScreen with nFlags, sending the chosen command to pWnd; TRUE when a
// command was chosen.
typedef BOOL (*PFN_GRID_TRACKPOPUP)(CMenu* pPopup, UINT nFlags, CPoint ptScreen, CWnd* pWnd);
PFN_GRID_TRACKPOPUP GridSetPopupMenuHandler(PFN_GRID_TRACKPOPUP pfn);
PFN_GRID_TRACKPOPUP GridGetPopupMenuHandler();
