// The menu calls of the framework in one place: frames load their menus and accelerators
// and switch the menu bar through these, so that the rest of the framework does not
// depend on how the menu layer is put together.
#pragma once

#include <ClassLib/Core/WinTypes.h>

class CCmdTarget;
class CMenu;
class CCmdUI;
struct tagMSG;

namespace pc_frame {

HMENU LoadMenuResource(UINT nIDResource);
HMENU LoadMenuResource(LPCTSTR lpszName);
void DestroyMenuHandle(HMENU hMenu);
BOOL IsMenuHandle(HMENU hMenu);
HACCEL LoadAccelResource(UINT nIDResource);
void DestroyAccelHandle(HACCEL hAccel);
BOOL TranslateAccel(HWND hWnd, HACCEL hAccel, tagMSG* pMsg);
HMENU GetWindowMenu(HWND hWnd);
HMENU MenuHandleOf(CMenu* pMenu);
void SetWindowMenu(HWND hWnd, HMENU hMenu);
// The popup of a menu bar that holds the window commands, or NULL.
HMENU FindWindowPopup(HMENU hMenuBar);
// Runs the update handlers of the items of a popup that is about to show.
void UpdatePopupItems(CMenu* pPopup, CCmdTarget* pTarget, BOOL bAutoMenuEnable);
// The recent-file items of a menu: the item of the first recent-file command and those
// after it are replaced by the list's entries.
void UpdateRecentFileItems(CCmdUI* pCmdUI, const class CRecentFileList& list);

}  // namespace pc_frame
