// A group box lies over the controls it frames: the mouse passes through it to them.
#include "WndTestUtil.h"

namespace {

class CCommandHost : public CWnd
{
public:
    std::vector<UINT> commands;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

class GroupBoxMouseTest : public CWndTestBase
{
protected:
    void TearDown() override
    {
        if (host.GetSafeHwnd() != nullptr)
            host.DestroyWindow();
        CWndTestBase::TearDown();
    }
    CCommandHost host;
};

TEST_F(GroupBoxMouseTest, RadioButtonsAndCheckBoxesInsideAGroupBoxTakeClicks)
{
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 120), nullptr, 0));
    CButton group, alpha, beta, check;
    // The group box first, as dialog templates list it: it is above the controls it frames.
    ASSERT_TRUE(group.Create("Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(0, 0, 200, 110), &host, 10));
    ASSERT_TRUE(alpha.Create("Alpha", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(10, 15, 150, 35),
                             &host, 11));
    ASSERT_TRUE(beta.Create("Beta", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(10, 45, 150, 65), &host, 12));
    ASSERT_TRUE(check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 75, 150, 95), &host, 13));
    alpha.SetCheck(BST_CHECKED);
    AfxPumpMessages();

    CPoint onBeta(20, 10);
    beta.ClientToScreen(&onBeta);
    EXPECT_EQ(::WindowFromPoint(onBeta), beta.m_hWnd);
    CPoint onFrameOnly(180, 5);
    group.ClientToScreen(&onFrameOnly);
    EXPECT_EQ(::WindowFromPoint(onFrameOnly), host.m_hWnd);  // the frame's own area is its parent's

    AfxTestClick(&beta, CPoint(20, 10));
    AfxTestClick(&check, CPoint(20, 10));
    EXPECT_EQ(beta.GetCheck(), BST_CHECKED);
    EXPECT_EQ(alpha.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(host.commands, (std::vector<UINT>{12, 13}));
}

}  // namespace
