#include "Framework.h"

#include "FrameMenus.h"

#include <cstdio>

namespace pc_frame {

HMENU LoadMenuResource(UINT nIDResource)
{
    return LoadMenuResource(MAKEINTRESOURCE(nIDResource));
}

HMENU LoadMenuResource(LPCTSTR lpszName)
{
    HINSTANCE hModule = AfxFindResourceHandle(lpszName, RT_MENU);
    if (hModule == nullptr)
        return nullptr;
    return ::LoadMenu(hModule, lpszName);
}

void DestroyMenuHandle(HMENU hMenu)
{
    if (hMenu != nullptr)
        ::DestroyMenu(hMenu);
}

BOOL IsMenuHandle(HMENU hMenu)
{
    return hMenu != nullptr && ::IsMenu(hMenu);
}

HACCEL LoadAccelResource(UINT nIDResource)
{
    HINSTANCE hModule = AfxFindResourceHandle(nIDResource, RT_ACCELERATOR);
    if (hModule == nullptr)
        return nullptr;
    return ::LoadAccelerators(hModule, MAKEINTRESOURCE(nIDResource));
}

void DestroyAccelHandle(HACCEL hAccel)
{
    if (hAccel != nullptr)
        ::DestroyAcceleratorTable(hAccel);
}

BOOL TranslateAccel(HWND hWnd, HACCEL hAccel, tagMSG* pMsg)
{
    return hAccel != nullptr && ::TranslateAccelerator(hWnd, hAccel, pMsg);
}

HMENU GetWindowMenu(HWND hWnd)
{
    return ::GetMenu(hWnd);
}

HMENU MenuHandleOf(CMenu* pMenu)
{
    return pMenu != nullptr ? pMenu->GetSafeHmenu() : nullptr;
}

void SetWindowMenu(HWND hWnd, HMENU hMenu)
{
    ::SetMenu(hWnd, hMenu);
}

HMENU FindWindowPopup(HMENU hMenuBar)
{
    if (hMenuBar == nullptr)
        return nullptr;
    CMenu* pBar = CMenu::FromHandle(hMenuBar);
    int n = static_cast<int>(pBar->GetMenuItemCount());
    for (int i = n - 1; i >= 0; --i)
    {
        CMenu* pSub = pBar->GetSubMenu(i);
        if (pSub == nullptr)
            continue;
        int m = static_cast<int>(pSub->GetMenuItemCount());
        for (int j = 0; j < m; ++j)
        {
            UINT nID = pSub->GetMenuItemID(j);
            if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
                return pSub->GetSafeHmenu();
        }
    }
    return nullptr;
}

void UpdatePopupItems(CMenu* pPopupMenu, CCmdTarget* pTarget, BOOL bAutoMenuEnable)
{
    if (pPopupMenu == nullptr)
        return;
    CMenuCmdUI state;
    state.m_pMenu = pPopupMenu;
    state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue;  // separator
        if (state.m_nID == static_cast<UINT>(-1))
        {
            // A submenu: its first item's command stands for it.
            CMenu* pSub = pPopupMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (pSub == nullptr || (state.m_nID = pSub->GetMenuItemID(0)) == 0 || state.m_nID == static_cast<UINT>(-1))
                continue;
            state.m_pSubMenu = pSub;
            state.DoUpdate(pTarget, FALSE);
            state.m_pSubMenu = nullptr;
        }
        else
        {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(pTarget, bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // The update may have changed the number of items (the recent-file list).
        UINT nCount = pPopupMenu->GetMenuItemCount();
        if (nCount < state.m_nIndexMax)
        {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount && pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}

void UpdateRecentFileItems(CCmdUI* pCmdUI, const CRecentFileList& list)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (pMenu == nullptr)
        return;
    CRecentFileList& mru = const_cast<CRecentFileList&>(list);
    if (mru.m_strOriginal.IsEmpty())
        pMenu->GetMenuString(pCmdUI->m_nID, mru.m_strOriginal, MF_BYCOMMAND);
    // The items of an earlier update go first.
    for (int i = 0; i < mru.GetSize(); ++i)
        pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
    int nShown = 0;
    for (int i = 0; i < mru.GetSize(); ++i)
    {
        CString name;
        if (!mru.GetDisplayName(name, i, nullptr, 0))
            break;
        // "&" in a file name is doubled so that it shows.
        name.Replace("&", "&&");
        CString text;
        text.Format("&%d %s", i + 1, static_cast<LPCTSTR>(name));
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID + static_cast<UINT>(i), text);
        ++nShown;
    }
    if (nShown == 0)
    {
        // No entries: the original item, greyed.
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID,
                          mru.m_strOriginal.IsEmpty() ? "" : static_cast<LPCTSTR>(mru.m_strOriginal));
        pMenu->EnableMenuItem(pCmdUI->m_nID, MF_BYCOMMAND | MF_GRAYED);
    }
    // The loop of the caller continues after the items just made.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}


}  // namespace pc_frame
