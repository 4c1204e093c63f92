// A control view's reflected notification entries answer for its control.
#include <ClassLib/Testing.h>
#include <ClassLib/DocView/CreateContext.h>
#include <ClassLib/DocView/CtrlView.h>
#include <ClassLib/Frames/FrameWnd.h>

#include <gtest/gtest.h>

namespace {

class CReflectTreeView : public CTreeView
{
    DECLARE_DYNCREATE(CReflectTreeView)
public:
    int nRightClicks = 0;

protected:
    afx_msg void OnRClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        ++nRightClicks;
        EXPECT_EQ(pNMHDR->hwndFrom, GetTreeCtrl().GetSafeHwnd());
        *pResult = 7;
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CReflectTreeView, CTreeView)
BEGIN_MESSAGE_MAP(CReflectTreeView, CTreeView)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRClick)
END_MESSAGE_MAP()

class CtrlViewReflectTest : public CWndTestBase
{
};

TEST_F(CtrlViewReflectTest, AReflectedNotificationReachesTheView)
{
    CFrameWnd* pFrame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CReflectTreeView);
    ASSERT_TRUE(pFrame->Create(NULL, "tree", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), NULL, NULL, 0, &context));
    CReflectTreeView* pView = dynamic_cast<CReflectTreeView*>(pFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
    ASSERT_NE(pView, nullptr);
    NMHDR hdr = {};
    hdr.hwndFrom = pView->GetTreeCtrl().GetSafeHwnd();
    hdr.idFrom = pView->GetTreeCtrl().GetDlgCtrlID();
    hdr.code = (UINT)NM_RCLICK;
    const LRESULT lResult = pView->SendMessage(WM_NOTIFY, hdr.idFrom, (LPARAM)&hdr);
    EXPECT_EQ(pView->nRightClicks, 1);
    EXPECT_EQ(lResult, 7);
    // Another code finds no reflected entry.
    hdr.code = (UINT)NM_DBLCLK;
    pView->SendMessage(WM_NOTIFY, hdr.idFrom, (LPARAM)&hdr);
    EXPECT_EQ(pView->nRightClicks, 1);
    pFrame->DestroyWindow();
}

} // namespace
