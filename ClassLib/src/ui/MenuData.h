// Private: menus as data. An HMENU is a MenuData kept in a table of live menus.
#pragma once

#include <ClassLib/Menus/CMenu.h>

#include <memory>
#include <string>
#include <vector>


namespace pc {

struct MenuItem
{
    UINT flags = 0;        // MF_ type and state bits (MF_POPUP for a submenu)
    UINT_PTR id = 0;       // command id; for a submenu its HMENU
    std::string text;      // MF_STRING
    ULONG_PTR data = 0;    // MF_OWNERDRAW item data, MF_BITMAP bitmap
    HMENU sub = nullptr;
};

struct MenuData
{
    bool popup = false;
    std::vector<MenuItem> items;
    UINT defaultItem = static_cast<UINT>(-1);  // position
    CMenu* attached = nullptr;                 // the permanent object, if any
    std::unique_ptr<CMenu> temporary;          // made by CMenu::FromHandle
};

// The menu behind a handle, NULL when it is not a live menu.
MenuData* MenuFromHandle(HMENU h);
// Finds an item by command (searching submenus) or by position; NULL when absent.
MenuItem* FindMenuItem(HMENU h, UINT uItem, UINT uFlags, HMENU* pOwner = nullptr);

}  // namespace pc
