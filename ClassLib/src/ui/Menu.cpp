// CMenu over the menu handle functions.
#include <ClassLib/Menus/CMenu.h>

#include <ClassLib/Resources/Resources.h>

#include "MenuData.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::CMenu() : m_hMenu(nullptr) {}

CMenu::~CMenu()
{
    if (m_hMenu) {
        pc::MenuData* d = pc::MenuFromHandle(m_hMenu);
        if (d && d->temporary.get() == this) {
            d->temporary.release();
        } else if (d && d->attached == this) {
            d->attached = nullptr;
            ::DestroyMenu(m_hMenu);
        }
    }
    m_hMenu = nullptr;
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    return d ? d->attached : nullptr;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    if (!d)
        return nullptr;
    if (d->attached)
        return d->attached;
    if (!d->temporary) {
        d->temporary.reset(new CMenu);
        d->temporary->m_hMenu = hMenu;
    }
    return d->temporary.get();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    if (!d || m_hMenu || (d->attached && d->attached != this))
        return FALSE;
    d->attached = this;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    pc::MenuData* d = pc::MenuFromHandle(h);
    if (d && d->attached == this)
        d->attached = nullptr;
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::CreateMenu()
{
    return !m_hMenu && Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return !m_hMenu && Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    if (m_hMenu)
        return FALSE;
    HMENU h = ::LoadMenu(nullptr, lpszResourceName);
    if (!h)
        return FALSE;
    if (!Attach(h)) {
        ::DestroyMenu(h);
        return FALSE;
    }
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCE(nIDResource));
}

BOOL CMenu::LoadMenuIndirect(const AFX_MENU_TEMPLATE* lpMenuTemplate)
{
    if (m_hMenu)
        return FALSE;
    HMENU h = ::LoadMenuIndirect(lpMenuTemplate);
    return h && Attach(h);
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    HMENU h = Detach();
    return ::DestroyMenu(h);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable);
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}

UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos)
{
    return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags);
}

UINT CMenu::GetMenuItemCount() const
{
    return static_cast<UINT>(::GetMenuItemCount(m_hMenu));
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    pc::MenuItem* item = pc::FindMenuItem(m_hMenu, nIDItem, nFlags);
    rString = item ? CString(item->text.c_str(), static_cast<int>(item->text.size())) : CString();
    return rString.GetLength();
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    HMENU h = ::GetSubMenu(m_hMenu, nPos);
    return h ? FromHandle(h) : nullptr;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
