// The project template's in-place frame: the resize bar and the drop target at creation,
// the toolbar of save, print, zoom and about at control-bar time; the document's view
// moves into it and back.
#include <ClassLib/Frames/ToolBar.h>

#include "InPlaceFrame.h"
#include "ProjectDocAppTest.h"

namespace {

class InPlaceFrameTest : public ProjectDocAppTest
{
protected:
    void SetUp() override
    {
        ProjectDocAppTest::SetUp();
        pTemplate->SetServerInfo(0, 0, RUNTIME_CLASS(CInPlaceFrame));
    }
};

TEST_F(InPlaceFrameTest, TheFrameHasItsBarsAndDropTarget)
{
    CProjectDoc* pDoc = ShellDocument(1);
    COleIPFrameWnd* pFrame = pDoc->CreateInPlaceFrame(frame);
    ASSERT_NE(pFrame, nullptr);
    CInPlaceFrame* pInPlace = dynamic_cast<CInPlaceFrame*>(pFrame);
    ASSERT_NE(pInPlace, nullptr);
    CWnd* pResize = pInPlace->GetDlgItem(0xE803);
    ASSERT_NE(pResize, nullptr);
    EXPECT_EQ(pResize, &pInPlace->m_wndResizeBar);
    EXPECT_EQ(pInPlace->m_dropTarget.GetRegisteredWindow(), pInPlace->GetSafeHwnd());

    ASSERT_TRUE(pInPlace->OnCreateControlBars(pInPlace, pInPlace));
    CToolBar& bar = pInPlace->m_wndToolBar;
    EXPECT_EQ(bar.GetDlgCtrlID(), 0xE800);
    EXPECT_EQ(bar.GetOwner(), pInPlace);
    std::vector<UINT> commands;
    for (int i = 0; i < bar.GetCount(); ++i)
        if (bar.GetItemID(i) != 0)
            commands.push_back(bar.GetItemID(i));
    EXPECT_EQ(commands, (std::vector<UINT>{57603, 57607, 22004, 22003, 57664}));
    EXPECT_GT(bar.GetCount(), 5);
    EXPECT_TRUE(bar.GetBarStyle() & CBRS_TOOLTIPS);
    EXPECT_TRUE(bar.GetBarStyle() & CBRS_GRIPPER);
    pDoc->DestroyInPlaceFrame(pFrame);
}

}  // namespace
