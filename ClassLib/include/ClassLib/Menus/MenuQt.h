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
