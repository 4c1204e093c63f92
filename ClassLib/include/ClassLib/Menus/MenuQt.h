// The seam between menus and Qt, for the class library's frame windows: the Qt menu that
// shows a menu handle. Choosing an item sends WM_COMMAND to pOwner (or calls onCommand).
#pragma once

#include <ClassLib/Menus/MenuTypes.h>

#include <functional>

class QMenu;
class QWidget;
class CWnd;

// A new Qt menu for the popup menu hMenu (its submenus as Qt submenus); owner-drawn items
// are measured and drawn by the owner window (or the CMenu object attached to the menu).
AFX_EXT_API QMenu* AfxBuildQMenu(HMENU hMenu, QWidget* pParent, HWND hOwner,
                                 const std::function<void(UINT)>& onCommand = {});

// The maximised MDI child's controls in its frame's menu bar, where the platform puts them
// while the child's own caption is out of sight: the child's system-menu box at the left,
// minimise, restore and close at the right. hChild NULL takes them away.
AFX_EXT_API void AfxSetMenuBarChildControls(HWND hFrame, HWND hChild);
