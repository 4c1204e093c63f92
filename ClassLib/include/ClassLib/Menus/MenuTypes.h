// Menu item flags, popup tracking flags, menu and accelerator templates, and the handle
// functions on menus. A menu is kept as data (items with flags, ids, texts, submenus); it
// becomes a Qt menu only while it is shown.
#pragma once

#include <ClassLib/Core/Geometry.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Wnd/Messages.h>

#include <cstddef>

#define MF_INSERT 0x00000000u
#define MF_CHANGE 0x00000080u
#define MF_APPEND 0x00000100u
#define MF_DELETE 0x00000200u
#define MF_REMOVE 0x00001000u
#define MF_BYCOMMAND 0x00000000u
#define MF_BYPOSITION 0x00000400u
#define MF_SEPARATOR 0x00000800u
#define MF_ENABLED 0x00000000u
#define MF_GRAYED 0x00000001u
#define MF_DISABLED 0x00000002u
#define MF_UNCHECKED 0x00000000u
#define MF_CHECKED 0x00000008u
#define MF_USECHECKBITMAPS 0x00000200u
#define MF_STRING 0x00000000u
#define MF_BITMAP 0x00000004u
#define MF_OWNERDRAW 0x00000100u
#define MF_POPUP 0x00000010u
#define MF_MENUBARBREAK 0x00000020u
#define MF_MENUBREAK 0x00000040u
#define MF_UNHILITE 0x00000000u
#define MF_HILITE 0x00000080u
#define MF_DEFAULT 0x00001000u
#define MF_SYSMENU 0x00002000u
#define MF_HELP 0x00004000u
#define MF_RIGHTJUSTIFY 0x00004000u
#define MF_MOUSESELECT 0x00008000u
// In templates: the last item of its level.
#define MF_END 0x00000080u

#define MFT_STRING MF_STRING
#define MFT_BITMAP MF_BITMAP
#define MFT_MENUBARBREAK MF_MENUBARBREAK
#define MFT_MENUBREAK MF_MENUBREAK
#define MFT_OWNERDRAW MF_OWNERDRAW
#define MFT_RADIOCHECK 0x00000200u
#define MFT_SEPARATOR MF_SEPARATOR
#define MFT_RIGHTORDER 0x00002000u
#define MFT_RIGHTJUSTIFY MF_RIGHTJUSTIFY
#define MFS_GRAYED 0x00000003u
#define MFS_DISABLED MFS_GRAYED
#define MFS_CHECKED MF_CHECKED
#define MFS_HILITE MF_HILITE
#define MFS_ENABLED MF_ENABLED
#define MFS_UNCHECKED MF_UNCHECKED
#define MFS_UNHILITE MF_UNHILITE
#define MFS_DEFAULT MF_DEFAULT

#define TPM_LEFTBUTTON 0x0000u
#define TPM_RIGHTBUTTON 0x0002u
#define TPM_LEFTALIGN 0x0000u
#define TPM_CENTERALIGN 0x0004u
#define TPM_RIGHTALIGN 0x0008u
#define TPM_TOPALIGN 0x0000u
#define TPM_VCENTERALIGN 0x0010u
#define TPM_BOTTOMALIGN 0x0020u
#define TPM_HORIZONTAL 0x0000u
#define TPM_VERTICAL 0x0040u
#define TPM_NONOTIFY 0x0080u
#define TPM_RETURNCMD 0x0100u
#define TPM_RECURSE 0x0001u

// A menu template, per module: items in order; an MF_POPUP item is followed by the items
// of its submenu, the last of which carries MF_END (an entry with a NULL text and MF_END
// only closes the level). The top level ends with the table. Texts are the module's own
// bytes; "&" marks the mnemonic and a tab starts the accelerator text.
struct AFX_MENU_ITEM
{
    UINT nFlags;
    UINT nID;
    const char* pszText;
};
struct AFX_MENU_TEMPLATE
{
    const AFX_MENU_ITEM* pItems;
    size_t nCount;
};

// Accelerators.
#define FVIRTKEY 0x01
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10
typedef struct tagACCEL
{
    BYTE fVirt;
    WORD key;
    WORD cmd;
} ACCEL, *LPACCEL;
struct AFX_ACCEL_TEMPLATE
{
    const ACCEL* pEntries;
    size_t nCount;
};

// Handle functions. Every one checks its handle: a handle that is not a live menu is
// refused (FALSE, -1, 0 or NULL as the function's failure value).
AFX_EXT_API HMENU CreateMenu();
AFX_EXT_API HMENU CreatePopupMenu();
// Destroys the menu and the submenus it holds.
AFX_EXT_API BOOL DestroyMenu(HMENU hMenu);
AFX_EXT_API BOOL IsMenu(HMENU hMenu);
// lpNewItem: the text (MF_STRING), the item data (MF_OWNERDRAW) or the bitmap (MF_BITMAP);
// with MF_POPUP, uIDNewItem is the submenu's HMENU, which the menu then holds.
AFX_EXT_API BOOL AppendMenu(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCTSTR lpNewItem);
AFX_EXT_API BOOL InsertMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCTSTR lpNewItem);
AFX_EXT_API BOOL ModifyMenu(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCTSTR lpNewItem);
// Removes an item; a submenu is kept (RemoveMenu) or destroyed (DeleteMenu).
AFX_EXT_API BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
AFX_EXT_API BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
// The previous state (MF_ENABLED, MF_GRAYED, MF_DISABLED) or (UINT)-1 without such an item.
AFX_EXT_API UINT EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);
// The previous check state or (DWORD)-1 without such an item.
AFX_EXT_API DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck);
AFX_EXT_API BOOL CheckMenuRadioItem(HMENU hMenu, UINT idFirst, UINT idLast, UINT idCheck, UINT uFlags);
AFX_EXT_API int GetMenuItemCount(HMENU hMenu);
// The command id of the item at a position; (UINT)-1 for a submenu or no item.
AFX_EXT_API UINT GetMenuItemID(HMENU hMenu, int nPos);
// The item's flags; for a submenu the item count is in the high byte. (UINT)-1 if absent.
AFX_EXT_API UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags);
AFX_EXT_API int GetMenuString(HMENU hMenu, UINT uIDItem, LPTSTR lpString, int cchMax, UINT flags);
AFX_EXT_API HMENU GetSubMenu(HMENU hMenu, int nPos);
AFX_EXT_API BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos);
AFX_EXT_API UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT gmdiFlags);
AFX_EXT_API ULONG_PTR AfxGetMenuItemData(HMENU hMenu, UINT uItem, UINT uFlags);

// Builds a menu from a template; NULL when the template is empty or malformed.
AFX_EXT_API HMENU LoadMenuIndirect(const AFX_MENU_TEMPLATE* lpMenuTemplate);
// The menu template of the module (or, with a NULL module, of the modules in search order).
AFX_EXT_API HMENU LoadMenu(HINSTANCE hInstance, LPCTSTR lpMenuName);

AFX_EXT_API HACCEL CreateAcceleratorTable(const ACCEL* paccel, int cAccel);
AFX_EXT_API BOOL DestroyAcceleratorTable(HACCEL hAccel);
AFX_EXT_API int CopyAcceleratorTable(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries);
AFX_EXT_API HACCEL LoadAccelerators(HINSTANCE hInstance, LPCTSTR lpTableName);
// The command of a key with its modifiers in a table, 0 when none. For FVIRTKEY entries
// 'key' is a virtual key; otherwise a character (compared exactly).
AFX_EXT_API WORD AfxFindAccelerator(HACCEL hAccel, UINT nKey, BOOL bVirtual, BOOL bShift, BOOL bCtrl, BOOL bAlt);
