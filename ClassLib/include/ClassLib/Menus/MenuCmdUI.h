// Command UI updates of menu items: the enabled, checked and text states of a menu's
// command items come from the command target's update handlers (ON_UPDATE_COMMAND_UI).
#pragma once

#include <ClassLib/Menus/CMenu.h>
#include <ClassLib/Wnd/CmdTarget.h>

class AFX_EXT_CLASS CMenuCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;
};

// Runs the update handlers of pTarget for every command item of the menu and of its
// submenus. With bDisableIfNoHandler an item without an update handler is enabled exactly
// when pTarget has a command handler for it.
AFX_EXT_API void AfxUpdateMenuCmdUI(CMenu* pMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHandler = TRUE);
