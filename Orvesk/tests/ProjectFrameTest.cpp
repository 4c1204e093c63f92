// The project frame and the Gantt container: the view by view type, the one-third split,
// the splitter widths kept in the registry.
#include <gtest/gtest.h>

#include <ClassLib/Registry/Registry.h>
#include <ClassLib/Testing/DrawLog.h>

#include "DocView.h"
#include "GanttView.h"
#include "ProjectFrame.h"
#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

namespace
{
const char* const kKey = "SOFTWARE\\LumoSplitter\\GanttView";

void WriteWidth(const char* pszName, DWORD dwValue)
{
    HKEY hKey = NULL;
    DWORD dwDisposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                                              KEY_ALL_ACCESS, NULL, &hKey, &dwDisposition));
    ::RegSetValueEx(hKey, pszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(DWORD));
    ::RegCloseKey(hKey);
}

// The stored value, or -1 when there is none.
long ReadWidth(const char* pszName)
{
    HKEY hKey = NULL;
    if (::RegOpenKeyEx(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return -1;
    DWORD dwValue = 0, dwType = 0, cb = sizeof(DWORD);
    LONG nResult = ::RegQueryValueEx(hKey, pszName, NULL, &dwType, (LPBYTE)&dwValue, &cb);
    ::RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS ? (long)dwValue : -1;
}
} // namespace

class ProjectFrameTest : public ProjectWindowTest
{
protected:
    void SetUp() override
    {
        ProjectWindowTest::SetUp();
        ::RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumoSplitter");
    }
    void TearDown() override
    {
        ProjectWindowTest::TearDown();
        ::RegDeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\LumoSplitter");
    }
    int ColumnWidth(int nCol)
    {
        int cxCur = 0, cxMin = 0;
        GanttView()->m_wndSplitter.GetColumnInfo(nCol, cxCur, cxMin);
        return cxCur;
    }
    CRect ContainerClient()
    {
        CRect rect;
        GanttView()->GetClientRect(&rect);
        return rect;
    }
};

TEST_F(ProjectFrameTest, TheGanttContainerHoldsTheTaskTreeBesideTheChartPane)
{
    ASSERT_TRUE(Open(nullptr));
    CGanttView* pGantt = GanttView();
    ASSERT_NE(pGantt, nullptr);
    CSplitterWndEx& splitter = pGantt->m_wndSplitter;
    EXPECT_EQ(splitter.GetRegName(), CString("GanttView"));
    EXPECT_EQ(splitter.GetRowCount(), 1);
    EXPECT_EQ(splitter.GetColumnCount(), 2);
    EXPECT_EQ(splitter.GetDlgCtrlID(), (int)AFX_IDW_PANE_FIRST);
    ASSERT_NE(Tree(), nullptr);
    EXPECT_EQ(splitter.GetPane(0, 0), Tree());
    EXPECT_TRUE(splitter.GetPane(0, 1)->IsKindOf(CGanttView::BarViewClass()));
    // The task tree is the frame's active view.
    EXPECT_EQ(m_pFrame->GetActiveView(), Tree());
    // The splitter's outer border lies outside the container.
    CRect rcSplitter;
    splitter.GetWindowRect(&rcSplitter);
    pGantt->ScreenToClient(&rcSplitter);
    CRect client = ContainerClient();
    EXPECT_EQ(rcSplitter, CRect(-2, -2, client.right + 2, client.bottom + 2));
}

TEST_F(ProjectFrameTest, WithoutStoredWidthsTheContainerSplitsAtAThird)
{
    ASSERT_TRUE(Open(nullptr));
    const int cx = ContainerClient().Width();
    ASSERT_GT(cx, 300);
    EXPECT_EQ(ColumnWidth(0), cx / 3);
    EXPECT_EQ(GanttView()->m_wndSplitter.m_nLeftWidth, 0);
    EXPECT_EQ(GanttView()->m_wndSplitter.m_nRightWidth, 0);
}

TEST_F(ProjectFrameTest, ALeftWidthWithoutARightWidthIsNotUsed)
{
    WriteWidth("LeftWidth", 333);
    ASSERT_TRUE(Open(nullptr));
    EXPECT_EQ(GanttView()->m_wndSplitter.m_nLeftWidth, 0);
    EXPECT_EQ(ColumnWidth(0), ContainerClient().Width() / 3);
}

TEST_F(ProjectFrameTest, StoredZeroWidthsCountAsNone)
{
    WriteWidth("LeftWidth", 0);
    WriteWidth("RightWidth", 0);
    ASSERT_TRUE(Open(nullptr));
    EXPECT_EQ(ColumnWidth(0), ContainerClient().Width() / 3);
}

TEST_F(ProjectFrameTest, StoredWidthsAreAppliedInPixels)
{
    WriteWidth("LeftWidth", 420);
    WriteWidth("RightWidth", 500);
    ASSERT_TRUE(Open(nullptr));
    EXPECT_EQ(GanttView()->m_wndSplitter.m_nLeftWidth, 420);
    EXPECT_EQ(GanttView()->m_wndSplitter.m_nRightWidth, 500);
    EXPECT_EQ(ColumnWidth(0), 420);
}

TEST_F(ProjectFrameTest, ADraggedSplitKeepsItsPixelWidthsWhenTheWindowGrows)
{
    ASSERT_TRUE(Open(nullptr));
    CSplitterWndEx& splitter = GanttView()->m_wndSplitter;
    // The end of a drag: the columns are where the bar was dropped, then the button is up.
    splitter.SetColumnInfo(0, 250, 10);
    splitter.RecalcLayout();
    splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(splitter.m_nLeftWidth, 250);
    const int nRight = splitter.m_nRightWidth;
    EXPECT_GT(nRight, 10);

    m_pMainFrame->MoveWindow(0, 0, 1400, 900);
    AfxPumpMessages();
    EXPECT_EQ(ColumnWidth(0), 250);
    EXPECT_EQ(splitter.m_nLeftWidth, 250);
    EXPECT_EQ(splitter.m_nRightWidth, nRight);
}

TEST_F(ProjectFrameTest, ClosingTheWindowWritesBothWidthsCreatingTheKey)
{
    ASSERT_EQ(ReadWidth("LeftWidth"), -1);
    ASSERT_TRUE(Open(nullptr));
    const int nLeft = ColumnWidth(0);
    const int nRight = ColumnWidth(1);
    Close();
    EXPECT_EQ(ReadWidth("LeftWidth"), nLeft);
    EXPECT_EQ(ReadWidth("RightWidth"), nRight);
}

TEST_F(ProjectFrameTest, ViewTypeThreeOpensTheDocumentView)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) { doc.SetViewType(3); }));
    CView* pView = m_pFrame->GetActiveView();
    ASSERT_NE(pView, nullptr);
    ASSERT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CDocView)));
    CRecordingDC dc;
    pView->OnDraw(&dc);
    const AfxDrawOp* pText = dc.Recorder().FindText("This is Doc View.");
    ASSERT_NE(pText, nullptr);
    ASSERT_FALSE(pText->points.empty());
    EXPECT_EQ(pText->points[0], CPoint(200, 200));
}

TEST_F(ProjectFrameTest, AViewTypeOutsideOneToThreeKeepsTheTemplatesView)
{
    EXPECT_EQ(CProjectFrame::ViewClassForType(0), nullptr);
    EXPECT_EQ(CProjectFrame::ViewClassForType(4), nullptr);
    EXPECT_EQ(CProjectFrame::ViewClassForType(2), RUNTIME_CLASS(CGanttView));
    ASSERT_TRUE(Open([](CProjectDoc& doc) { doc.SetViewType(7); }));
    EXPECT_NE(GanttView(), nullptr);
}

TEST_F(ProjectFrameTest, TheSplitterDrawsFlatBarsAndASunkenInnerBorder)
{
    CSplitterWndEx splitter;
    EXPECT_EQ(splitter.GetRegName(), CString("KW"));
    CRecordingDC dc;
    splitter.OnDrawSplitter(&dc, CSplitterWnd::splitBar, CRect(10, 0, 16, 100));
    splitter.OnDrawSplitter(&dc, CSplitterWnd::splitBorder, CRect(0, 0, 50, 50));
    const std::vector<AfxDrawOp>& ops = dc.Ops();
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, AfxDrawKind::FillRect);
    EXPECT_EQ(ops[0].color, splitter.m_clrFace);
    EXPECT_EQ(ops[1].kind, AfxDrawKind::Draw3dRect);
    EXPECT_EQ(ops[1].rect, CRect(0, 0, 50, 50));
    EXPECT_EQ(ops[1].color, splitter.m_clrFace);
    EXPECT_EQ(ops[1].color2, splitter.m_clrFace);
    EXPECT_EQ(ops[2].rect, CRect(1, 1, 49, 49));
    EXPECT_EQ(ops[2].color, splitter.m_clrShadow);
    EXPECT_EQ(ops[2].color2, splitter.m_clrHighlight);
}
