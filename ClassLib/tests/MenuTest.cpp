// Menus from templates and their item functions.
#include <ClassLib/Menus/CMenu.h>
#include <ClassLib/Resources/Resources.h>

#include <gtest/gtest.h>

namespace {

// Three popups, the last with a nested one, in the template form modules use.
const AFX_MENU_ITEM kItems[] = {
    {MF_POPUP, 0, "RefDoc"},
    {MF_STRING, 19038, "From tree"},
    {MF_STRING, 19039, "From disk"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, 19042, "Delete"},
    {MF_POPUP, 0, "TargetDoc"},
    {MF_STRING, 19040, "From tree"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, 19041, "Delete"},
    {MF_POPUP, 0, "Grid"},
    {MF_STRING, 19204, "Remove"},
    {MF_POPUP, 0, "More"},
    {MF_STRING | MF_GRAYED, 19300, "Deep"},
    {MF_END, 0, nullptr},
    {MF_STRING | MF_END, 19205, "Add"},
};
const AFX_MENU_TEMPLATE kMenu = {kItems, sizeof kItems / sizeof kItems[0]};

AFX_MODULE_RESOURCES(MenuTestModule)
{
    AfxRegisterResource(hModule, RT_MENU, 19104, &kMenu);
}

}  // namespace

TEST(Menu, TemplateBuildsNestedPopups)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(19104));
    ASSERT_EQ(menu.GetMenuItemCount(), 3u);
    CString text;
    menu.GetMenuString(2, text, MF_BYPOSITION);
    EXPECT_EQ(text, "Grid");

    CMenu* ref = menu.GetSubMenu(0);
    ASSERT_NE(ref, nullptr);
    ASSERT_EQ(ref->GetMenuItemCount(), 4u);
    EXPECT_EQ(ref->GetMenuItemID(0), 19038u);
    EXPECT_EQ(ref->GetMenuItemID(3), 19042u);
    EXPECT_EQ(ref->GetMenuState(2, MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);

    CMenu* grid = menu.GetSubMenu(2);
    ASSERT_EQ(grid->GetMenuItemCount(), 3u);
    EXPECT_EQ(grid->GetMenuItemID(0), 19204u);
    EXPECT_EQ(grid->GetMenuItemID(1), UINT(-1));  // a submenu has no command
    EXPECT_EQ(grid->GetMenuItemID(2), 19205u);
    EXPECT_EQ(grid->GetSubMenu(1)->GetMenuItemCount(), 1u);
    // The submenu's state carries its item count in the high byte.
    EXPECT_EQ(grid->GetMenuState(1, MF_BYPOSITION), (1u << 8) | MF_POPUP);
    // The same object comes back for the same submenu.
    EXPECT_EQ(menu.GetSubMenu(2), grid);
}

TEST(Menu, EnableAndCheckFindCommandsInSubmenus)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(19104));
    EXPECT_EQ(menu.EnableMenuItem(19300, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(menu.GetMenuState(19300, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(menu.EnableMenuItem(19041, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(menu.GetSubMenu(1)->GetMenuState(2, MF_BYPOSITION) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(menu.CheckMenuItem(19205, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(menu.CheckMenuItem(19205, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(menu.EnableMenuItem(4242, MF_BYCOMMAND | MF_GRAYED), UINT(-1));
    EXPECT_EQ(menu.CheckMenuItem(4242, MF_CHECKED), UINT(-1));
}

TEST(Menu, AppendInsertModifyAndDelete)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    EXPECT_TRUE(popup.AppendMenu(MF_STRING, 10, "Ten"));
    EXPECT_TRUE(popup.AppendMenu(MF_STRING, 30, "Thirty"));
    EXPECT_TRUE(popup.InsertMenu(30, MF_BYCOMMAND | MF_STRING, 20, "Twenty"));
    EXPECT_TRUE(popup.InsertMenu(UINT(-1), MF_BYPOSITION | MF_SEPARATOR));
    EXPECT_TRUE(popup.AppendMenu(MF_OWNERDRAW, 40, reinterpret_cast<LPCTSTR>(static_cast<ULONG_PTR>(0x1234))));
    ASSERT_EQ(popup.GetMenuItemCount(), 5u);
    EXPECT_EQ(popup.GetMenuItemID(1), 20u);
    EXPECT_EQ(AfxGetMenuItemData(popup, 40, MF_BYCOMMAND), 0x1234u);
    EXPECT_TRUE(popup.ModifyMenu(10, MF_BYCOMMAND | MF_STRING, 11, "Eleven"));
    CString s;
    popup.GetMenuString(11, s, MF_BYCOMMAND);
    EXPECT_EQ(s, "Eleven");
    EXPECT_TRUE(popup.DeleteMenu(20, MF_BYCOMMAND));
    EXPECT_FALSE(popup.DeleteMenu(20, MF_BYCOMMAND));
    EXPECT_EQ(popup.GetMenuItemCount(), 4u);

    // A menu cannot hold itself.
    EXPECT_FALSE(popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu), "Self"));
}

TEST(Menu, DestroyedHandlesAreRefused)
{
    HMENU h = ::CreatePopupMenu();
    HMENU sub = ::CreatePopupMenu();
    ASSERT_TRUE(::AppendMenu(h, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub"));
    CMenu* temp = CMenu::FromHandle(sub);
    ASSERT_NE(temp, nullptr);
    EXPECT_TRUE(::DestroyMenu(h));
    EXPECT_FALSE(::IsMenu(h));
    EXPECT_FALSE(::IsMenu(sub));  // destroyed with its owner
    EXPECT_EQ(::GetMenuItemCount(h), -1);
    EXPECT_FALSE(::AppendMenu(h, MF_STRING, 1, "x"));
    EXPECT_EQ(CMenu::FromHandle(h), nullptr);
}

TEST(Menu, AcceleratorsFromATable)
{
    const ACCEL table[] = {{FVIRTKEY | FCONTROL, 'C', 57634}, {FVIRTKEY | FCONTROL | FSHIFT, 'C', 100}, {0, 'q', 7}};
    HACCEL h = CreateAcceleratorTable(table, 3);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(AfxFindAccelerator(h, 'C', TRUE, FALSE, TRUE, FALSE), 57634);
    EXPECT_EQ(AfxFindAccelerator(h, 'C', TRUE, TRUE, TRUE, FALSE), 100);
    EXPECT_EQ(AfxFindAccelerator(h, 'C', TRUE, FALSE, FALSE, FALSE), 0);
    EXPECT_EQ(AfxFindAccelerator(h, 'q', FALSE, FALSE, FALSE, FALSE), 7);
    EXPECT_EQ(CopyAcceleratorTable(h, nullptr, 0), 3);
    EXPECT_TRUE(DestroyAcceleratorTable(h));
    EXPECT_EQ(AfxFindAccelerator(h, 'q', FALSE, FALSE, FALSE, FALSE), 0);
}

TEST(Menu, AnItemMadeOwnerDrawnKeepsTheFlagAndItsData)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 5, "Copy");
    static int record = 0;
    ASSERT_TRUE(menu.ModifyMenu(0, MF_BYPOSITION | MF_OWNERDRAW, 5, reinterpret_cast<LPCTSTR>(&record)));
    EXPECT_EQ(menu.GetMenuState(0, MF_BYPOSITION) & MF_OWNERDRAW, MF_OWNERDRAW);
    EXPECT_EQ(menu.GetMenuItemID(0), 5u);
}
