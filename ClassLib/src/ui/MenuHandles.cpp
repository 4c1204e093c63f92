// Menu handle functions over the table of live menus.
#include "MenuData.h"

#include <ClassLib/Core/Mbcs.h>
#include <ClassLib/Resources/Resources.h>

#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

// Menus belong to the user-interface thread; the table itself is guarded so that a stray
// call from elsewhere cannot corrupt it.
struct Table
{
    std::recursive_mutex mutex;
    std::unordered_map<HMENU, std::unique_ptr<pc::MenuData>> menus;
};

Table& T()
{
    static Table* t = new Table;
    return *t;
}

HMENU NewMenu(bool popup)
{
    auto data = std::make_unique<pc::MenuData>();
    data->popup = popup;
    HMENU h = reinterpret_cast<HMENU>(data.get());
    std::lock_guard<std::recursive_mutex> lock(T().mutex);
    T().menus[h] = std::move(data);
    return h;
}

bool IsAncestorOrSelf(HMENU candidate, HMENU menu)
{
    if (candidate == menu)
        return true;
    pc::MenuData* d = pc::MenuFromHandle(candidate);
    if (!d)
        return false;
    for (auto& it : d->items)
        if (it.sub && IsAncestorOrSelf(it.sub, menu))
            return true;
    return false;
}

// Fills an item from the flags and arguments of AppendMenu and friends; false when they
// do not describe a valid item (a submenu that is not a live menu, or would hold itself).
bool MakeItem(HMENU owner, UINT uFlags, UINT_PTR uID, LPCTSTR lpNewItem, pc::MenuItem& item)
{
    // MF_APPEND shares its bit with MF_OWNERDRAW, which an item keeps.
    item.flags = uFlags & ~(MF_BYPOSITION | MF_DELETE | MF_REMOVE | MF_CHANGE);
    item.id = uID;
    item.text.clear();
    item.data = 0;
    item.sub = nullptr;
    if (uFlags & MF_POPUP) {
        HMENU sub = reinterpret_cast<HMENU>(uID);
        if (!pc::MenuFromHandle(sub) || IsAncestorOrSelf(sub, owner))
            return false;
        item.sub = sub;
        pc::MenuFromHandle(sub)->popup = true;
    }
    if (uFlags & MF_SEPARATOR) {
        item.flags &= ~(MF_POPUP | MF_OWNERDRAW | MF_BITMAP);
        item.sub = nullptr;
        item.id = 0;
    } else if (uFlags & MF_OWNERDRAW) {
        item.data = reinterpret_cast<ULONG_PTR>(lpNewItem);
    } else if (uFlags & MF_BITMAP) {
        item.data = reinterpret_cast<ULONG_PTR>(lpNewItem);
    } else if (lpNewItem) {
        item.text = lpNewItem;
    }
    return true;
}

int PositionOf(pc::MenuData* d, UINT uItem, UINT uFlags)
{
    if (uFlags & MF_BYPOSITION)
        return uItem < d->items.size() ? static_cast<int>(uItem) : -1;
    for (size_t i = 0; i < d->items.size(); ++i)
        if (!d->items[i].sub && !(d->items[i].flags & MF_SEPARATOR) && d->items[i].id == uItem)
            return static_cast<int>(i);
    return -1;
}

void Destroy(HMENU h)
{
    std::unique_ptr<pc::MenuData> data;
    {
        std::lock_guard<std::recursive_mutex> lock(T().mutex);
        auto it = T().menus.find(h);
        if (it == T().menus.end())
            return;
        data = std::move(it->second);
        T().menus.erase(it);
    }
    // Objects around the handle no longer refer to it.
    if (data->temporary)
        data->temporary->m_hMenu = nullptr;
    if (data->attached)
        data->attached->m_hMenu = nullptr;
    for (auto& item : data->items)
        if (item.sub)
            Destroy(item.sub);
}

}  // namespace

namespace pc {

MenuData* MenuFromHandle(HMENU h)
{
    if (!h)
        return nullptr;
    std::lock_guard<std::recursive_mutex> lock(T().mutex);
    auto it = T().menus.find(h);
    return it == T().menus.end() ? nullptr : it->second.get();
}

MenuItem* FindMenuItem(HMENU h, UINT uItem, UINT uFlags, HMENU* pOwner)
{
    MenuData* d = MenuFromHandle(h);
    if (!d)
        return nullptr;
    int pos = PositionOf(d, uItem, uFlags);
    if (pos >= 0) {
        if (pOwner)
            *pOwner = h;
        return &d->items[size_t(pos)];
    }
    if (uFlags & MF_BYPOSITION)
        return nullptr;
    for (auto& item : d->items)
        if (item.sub)
            if (MenuItem* found = FindMenuItem(item.sub, uItem, uFlags, pOwner))
                return found;
    return nullptr;
}

}  // namespace pc

HMENU CreateMenu()
{
    return NewMenu(false);
}

HMENU CreatePopupMenu()
{
    return NewMenu(true);
}

BOOL DestroyMenu(HMENU hMenu)
{
    if (!pc::MenuFromHandle(hMenu))
        return FALSE;
    Destroy(hMenu);
    return TRUE;
}

BOOL IsMenu(HMENU hMenu)
{
    return pc::MenuFromHandle(hMenu) ? TRUE : FALSE;
}

BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCTSTR lpNewItem)
{
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    pc::MenuItem item;
    if (!d || !MakeItem(hMenu, uFlags, uIDNewItem, lpNewItem, item))
        return FALSE;
    d->items.push_back(std::move(item));
    return TRUE;
}

BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCTSTR lpNewItem)
{
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    pc::MenuItem item;
    if (!d || !MakeItem(hMenu, uFlags, uIDNewItem, lpNewItem, item))
        return FALSE;
    size_t at;
    if (uFlags & MF_BYPOSITION) {
        // Position -1 (or past the end) appends, as on the platform.
        at = uPosition >= d->items.size() ? d->items.size() : uPosition;
    } else {
        int pos = PositionOf(d, uPosition, uFlags);
        if (pos < 0)
            return FALSE;
        at = size_t(pos);
    }
    d->items.insert(d->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return TRUE;
}

BOOL ModifyMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCTSTR lpNewItem)
{
    HMENU owner = nullptr;
    pc::MenuItem* item = pc::FindMenuItem(hMenu, uPosition, uFlags, &owner);
    pc::MenuItem fresh;
    if (!item || !MakeItem(owner, uFlags, uIDNewItem, lpNewItem, fresh))
        return FALSE;
    // A submenu replaced by something else is destroyed, as the platform does.
    if (item->sub && item->sub != fresh.sub)
        Destroy(item->sub);
    *item = std::move(fresh);
    return TRUE;
}

static BOOL RemoveItem(HMENU hMenu, UINT uPosition, UINT uFlags, bool destroySub)
{
    HMENU owner = nullptr;
    pc::MenuItem* item = pc::FindMenuItem(hMenu, uPosition, uFlags, &owner);
    if (!item)
        return FALSE;
    pc::MenuData* d = pc::MenuFromHandle(owner);
    HMENU sub = item->sub;
    d->items.erase(d->items.begin() + (item - d->items.data()));
    if (sub && destroySub)
        Destroy(sub);
    return TRUE;
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags)
{
    return RemoveItem(hMenu, uPosition, uFlags, false);
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags)
{
    return RemoveItem(hMenu, uPosition, uFlags, true);
}

UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    pc::MenuItem* item = pc::FindMenuItem(hMenu, uIDEnableItem, uEnable);
    if (!item)
        return static_cast<UINT>(-1);
    UINT previous = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck)
{
    pc::MenuItem* item = pc::FindMenuItem(hMenu, uIDCheckItem, uCheck);
    if (!item)
        return static_cast<DWORD>(-1);
    DWORD previous = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL CheckMenuRadioItem(HMENU hMenu, UINT idFirst, UINT idLast, UINT idCheck, UINT uFlags)
{
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    if (!d)
        return FALSE;
    bool found = false;
    if (uFlags & MF_BYPOSITION) {
        if (idFirst > idLast || idLast >= d->items.size())
            return FALSE;
        for (UINT i = idFirst; i <= idLast; ++i) {
            pc::MenuItem& it = d->items[i];
            bool on = i == idCheck;
            it.flags = (it.flags & ~MF_CHECKED) | (on ? (MF_CHECKED | MFT_RADIOCHECK) : 0u);
            found = found || on;
        }
        return found ? TRUE : FALSE;
    }
    for (UINT id = idFirst; id <= idLast && id >= idFirst; ++id) {
        pc::MenuItem* it = pc::FindMenuItem(hMenu, id, MF_BYCOMMAND);
        if (!it)
            continue;
        bool on = id == idCheck;
        it->flags = (it->flags & ~MF_CHECKED) | (on ? (MF_CHECKED | MFT_RADIOCHECK) : 0u);
        found = found || on;
        if (id == 0xFFFFFFFFu)
            break;
    }
    return found ? TRUE : FALSE;
}

int GetMenuItemCount(HMENU hMenu)
{
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    return d ? static_cast<int>(d->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos)
{
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    if (!d || nPos < 0 || size_t(nPos) >= d->items.size() || d->items[size_t(nPos)].sub)
        return static_cast<UINT>(-1);
    return static_cast<UINT>(d->items[size_t(nPos)].id);
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags)
{
    pc::MenuItem* item = pc::FindMenuItem(hMenu, uId, uFlags);
    if (!item)
        return static_cast<UINT>(-1);
    UINT state = item->flags & 0xFFFFu;
    if (item->sub) {
        pc::MenuData* sub = pc::MenuFromHandle(item->sub);
        UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0u;
        state = ((count & 0xFFu) << 8) | (state & 0xFFu) | MF_POPUP;
    }
    return state;
}

int GetMenuString(HMENU hMenu, UINT uIDItem, LPTSTR lpString, int cchMax, UINT flags)
{
    pc::MenuItem* item = pc::FindMenuItem(hMenu, uIDItem, flags);
    if (!item)
        return 0;
    if (!lpString || cchMax <= 0)
        return static_cast<int>(item->text.size());
    return AfxMbcsTruncateCopy(lpString, item->text.c_str(), cchMax - 1);
}

HMENU GetSubMenu(HMENU hMenu, int nPos)
{
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    if (!d || nPos < 0 || size_t(nPos) >= d->items.size())
        return nullptr;
    return d->items[size_t(nPos)].sub;
}

BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos)
{
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    if (!d)
        return FALSE;
    for (auto& it : d->items)
        it.flags &= ~MF_DEFAULT;
    if (uItem == static_cast<UINT>(-1)) {
        d->defaultItem = uItem;
        return TRUE;
    }
    int pos = PositionOf(d, uItem, fByPos ? MF_BYPOSITION : MF_BYCOMMAND);
    if (pos < 0)
        return FALSE;
    d->defaultItem = static_cast<UINT>(pos);
    d->items[size_t(pos)].flags |= MF_DEFAULT;
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT)
{
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    if (!d || d->defaultItem >= d->items.size())
        return static_cast<UINT>(-1);
    return fByPos ? d->defaultItem : static_cast<UINT>(d->items[d->defaultItem].id);
}

ULONG_PTR AfxGetMenuItemData(HMENU hMenu, UINT uItem, UINT uFlags)
{
    pc::MenuItem* item = pc::FindMenuItem(hMenu, uItem, uFlags);
    return item ? item->data : 0;
}

// ---------------------------------------------------------------------------------------
// Templates.

HMENU LoadMenuIndirect(const AFX_MENU_TEMPLATE* lpMenuTemplate)
{
    if (!lpMenuTemplate || !lpMenuTemplate->pItems || lpMenuTemplate->nCount == 0)
        return nullptr;
    HMENU top = CreateMenu();
    std::vector<HMENU> stack{top};
    for (size_t i = 0; i < lpMenuTemplate->nCount; ++i) {
        const AFX_MENU_ITEM& e = lpMenuTemplate->pItems[i];
        const bool ends = (e.nFlags & MF_END) != 0;
        if (!e.pszText && ends && !(e.nFlags & (MF_POPUP | MF_SEPARATOR))) {
            if (stack.size() > 1)
                stack.pop_back();
            continue;
        }
        const UINT flags = e.nFlags & ~MF_END;
        if (flags & MF_POPUP) {
            HMENU sub = CreatePopupMenu();
            AppendMenu(stack.back(), flags, reinterpret_cast<UINT_PTR>(sub), e.pszText);
            if (ends) {
                // An empty submenu that is also the last item of its level.
                if (stack.size() > 1)
                    stack.pop_back();
            } else {
                stack.push_back(sub);
            }
            continue;
        }
        AppendMenu(stack.back(), flags, e.nID, e.pszText);
        if (ends && stack.size() > 1)
            stack.pop_back();
    }
    return top;
}

HMENU LoadMenu(HINSTANCE hInstance, LPCTSTR lpMenuName)
{
    const void* data = hInstance ? AfxFindResourceIn(hInstance, lpMenuName, RT_MENU)
                                 : AfxFindResource(lpMenuName, RT_MENU);
    return LoadMenuIndirect(static_cast<const AFX_MENU_TEMPLATE*>(data));
}

// ---------------------------------------------------------------------------------------
// Accelerator tables.

namespace {

struct AccelTable
{
    std::vector<ACCEL> entries;
};

std::unordered_map<HACCEL, std::unique_ptr<AccelTable>>& Accels()
{
    static auto* m = new std::unordered_map<HACCEL, std::unique_ptr<AccelTable>>;
    return *m;
}

AccelTable* AccelFromHandle(HACCEL h)
{
    std::lock_guard<std::recursive_mutex> lock(T().mutex);
    auto it = Accels().find(h);
    return it == Accels().end() ? nullptr : it->second.get();
}

}  // namespace

HACCEL CreateAcceleratorTable(const ACCEL* paccel, int cAccel)
{
    if (!paccel || cAccel <= 0)
        return nullptr;
    auto t = std::make_unique<AccelTable>();
    t->entries.assign(paccel, paccel + cAccel);
    HACCEL h = reinterpret_cast<HACCEL>(t.get());
    std::lock_guard<std::recursive_mutex> lock(T().mutex);
    Accels()[h] = std::move(t);
    return h;
}

BOOL DestroyAcceleratorTable(HACCEL hAccel)
{
    std::lock_guard<std::recursive_mutex> lock(T().mutex);
    return Accels().erase(hAccel) ? TRUE : FALSE;
}

int CopyAcceleratorTable(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries)
{
    AccelTable* t = AccelFromHandle(hAccelSrc);
    if (!t)
        return 0;
    int n = static_cast<int>(t->entries.size());
    if (!lpAccelDst)
        return n;
    int copy = cAccelEntries < n ? cAccelEntries : n;
    for (int i = 0; i < copy; ++i)
        lpAccelDst[i] = t->entries[size_t(i)];
    return copy;
}

HACCEL LoadAccelerators(HINSTANCE hInstance, LPCTSTR lpTableName)
{
    const void* data = hInstance ? AfxFindResourceIn(hInstance, lpTableName, RT_ACCELERATOR)
                                 : AfxFindResource(lpTableName, RT_ACCELERATOR);
    auto* tpl = static_cast<const AFX_ACCEL_TEMPLATE*>(data);
    if (!tpl)
        return nullptr;
    return CreateAcceleratorTable(tpl->pEntries, static_cast<int>(tpl->nCount));
}

WORD AfxFindAccelerator(HACCEL hAccel, UINT nKey, BOOL bVirtual, BOOL bShift, BOOL bCtrl, BOOL bAlt)
{
    AccelTable* t = AccelFromHandle(hAccel);
    if (!t)
        return 0;
    for (const ACCEL& a : t->entries) {
        const bool virt = (a.fVirt & FVIRTKEY) != 0;
        if (virt != (bVirtual != FALSE) || a.key != nKey)
            continue;
        if (virt) {
            if (((a.fVirt & FSHIFT) != 0) != (bShift != FALSE) || ((a.fVirt & FCONTROL) != 0) != (bCtrl != FALSE) ||
                ((a.fVirt & FALT) != 0) != (bAlt != FALSE))
                continue;
        } else if (((a.fVirt & FALT) != 0) != (bAlt != FALSE)) {
            continue;
        }
        return a.cmd;
    }
    return 0;
}
