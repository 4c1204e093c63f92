// Popup menus under a script, command routing of the choice, command UI updates.
#include <ClassLib/Testing.h>

#include <string>
#include <vector>

namespace {

enum : UINT { ID_GRID_DELETE = 19204, ID_GRID_ADD = 19205, ID_GRID_LOCKED = 19206 };

class COwnerWnd : public CWnd
{
public:
    std::vector<std::string> log;
    BOOL m_bCanAdd = TRUE;
    void OnDelete() { log.push_back("delete"); }
    void OnAdd() { log.push_back("add"); }
    void OnUpdateAdd(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(m_bCanAdd);
        pCmdUI->SetCheck(1);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
    ON_COMMAND(ID_GRID_DELETE, OnDelete)
    ON_COMMAND(ID_GRID_ADD, OnAdd)
    ON_UPDATE_COMMAND_UI(ID_GRID_ADD, OnUpdateAdd)
END_MESSAGE_MAP()

class PopupMenuTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                   nullptr, nullptr));
        ASSERT_TRUE(menu.CreatePopupMenu());
        menu.AppendMenu(MF_STRING, ID_GRID_DELETE, "&Delete");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_GRID_ADD, "&Add");
        menu.AppendMenu(MF_STRING | MF_GRAYED, ID_GRID_LOCKED, "Locked");
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        CWndTestBase::TearDown();
    }
    COwnerWnd owner;
    CMenu menu;
};

}  // namespace

TEST_F(PopupMenuTest, ScriptedChoiceIsReturnedOrSentToTheOwner)
{
    AfxTestPushPopupMenuResult(ID_GRID_ADD);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, 40, 50, &owner), BOOL(ID_GRID_ADD));
    EXPECT_TRUE(owner.log.empty());  // returned, not sent

    AfxTestPushPopupMenuScript([](CMenu* pMenu, UINT nFlags, CPoint pt, CWnd*) {
        EXPECT_EQ(pt, CPoint(10, 20));
        EXPECT_EQ(nFlags & TPM_RIGHTBUTTON, UINT(TPM_RIGHTBUTTON));
        return pMenu->GetMenuItemID(0);
    });
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 10, 20, &owner));
    AfxPumpMessages();
    EXPECT_EQ(owner.log, (std::vector<std::string>{"delete"}));

    ASSERT_EQ(AfxTestPopupLog().size(), 2u);
    EXPECT_EQ(AfxTestPopupLog()[1].items, (std::vector<CString>{"&Delete", "-", "&Add", "Locked"}));
    EXPECT_EQ(AfxTestPopupLog()[1].nResult, UINT(ID_GRID_DELETE));
}

TEST_F(PopupMenuTest, GrayedItemsCannotBeChosenAndUnscriptedMenusAreDismissed)
{
    AfxTestPushPopupMenuResult(ID_GRID_LOCKED);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);
    EXPECT_FALSE(menu.TrackPopupMenu(0, 0, 0, &owner));  // no script: dismissed at once
    AfxPumpMessages();
    EXPECT_TRUE(owner.log.empty());
}

TEST_F(PopupMenuTest, UpdateHandlersSetTheItemsState)
{
    owner.m_bCanAdd = FALSE;
    AfxUpdateMenuCmdUI(&menu, &owner, TRUE);
    EXPECT_EQ(menu.GetMenuState(ID_GRID_ADD, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED), MF_GRAYED | MF_CHECKED);
    // Delete has a command handler and no update handler: enabled.
    EXPECT_EQ(menu.GetMenuState(ID_GRID_DELETE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    // Locked has no handler at all: disabled.
    EXPECT_EQ(menu.GetMenuState(ID_GRID_LOCKED, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    AfxTestPushPopupMenuResult(ID_GRID_ADD);
    EXPECT_FALSE(menu.TrackPopupMenu(0, 0, 0, &owner));
    owner.m_bCanAdd = TRUE;
    AfxUpdateMenuCmdUI(&menu, &owner, TRUE);
    AfxTestPushPopupMenuResult(ID_GRID_ADD);
    EXPECT_TRUE(menu.TrackPopupMenu(0, 0, 0, &owner));
    AfxPumpMessages();
    EXPECT_EQ(owner.log, (std::vector<std::string>{"add"}));
}
