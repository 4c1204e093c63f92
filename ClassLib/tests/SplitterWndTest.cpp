#include "FrameTestSupport.h"

#include <map>

namespace {

// A plain pane.
class CPaneView : public CView
{
    DECLARE_DYNCREATE(CPaneView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CPaneView, CView)

// A splitter that records how it is drawn and how often the tracker is inverted.
class CRecordingSplitter : public CSplitterWnd
{
public:
    std::map<int, int> drawn;  // kind -> count
    std::vector<CRect> borders;
    std::vector<CRect> bars;
    int nInverts = 0;
    std::vector<CRect> invertRects;

    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override
    {
        if (pDC != nullptr)
        {
            ++drawn[nType];
            if (nType == splitBorder)
                borders.push_back(rect);
            if (nType == splitBar)
                bars.push_back(rect);
        }
        CSplitterWnd::OnDrawSplitter(pDC, nType, rect);
    }
    void OnInvertTracker(const CRect& rect) override
    {
        ++nInverts;
        invertRects.push_back(rect);
        CSplitterWnd::OnInvertTracker(rect);
    }
};

class SplitterWndTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        ASSERT_TRUE(host.CreateHost(600, 400));
        CCreateContext ctx;
        ASSERT_TRUE(split.CreateStatic(&host, 1, 2));
        ASSERT_TRUE(split.CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(200, 0), &ctx));
        ASSERT_TRUE(split.CreateView(0, 1, RUNTIME_CLASS(CPaneView), CSize(0, 0), &ctx));
        split.MoveWindow(0, 0, 500, 300);
    }
    void TearDown() override
    {
        split.DestroyWindow();
        host.DestroyWindow();
        FrameTest::TearDown();
    }
    CRect PaneRect(int row, int col)
    {
        CRect rc;
        split.GetPane(row, col)->GetWindowRect(&rc);
        split.ScreenToClient(&rc);
        return rc;
    }
    CNotifyHost host;
    CRecordingSplitter split;
};

TEST_F(SplitterWndTest, StaticPanesFollowTheIdealSizes)
{
    // Border 2, bar gap 7: column 0 at its ideal width, column 1 the rest.
    CRect r0 = PaneRect(0, 0), r1 = PaneRect(0, 1);
    EXPECT_EQ(CRect(2, 2, 202, 298), r0);
    EXPECT_EQ(CRect(209, 2, 498, 298), r1);
    int cur = 0, min = 0;
    split.GetColumnInfo(1, cur, min);
    EXPECT_EQ(289, cur);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, split.IdFromRowCol(0, 0));
    EXPECT_EQ(AFX_IDW_PANE_FIRST + 1, split.IdFromRowCol(0, 1));
    EXPECT_EQ(nullptr, split.GetPane(0, 2));
    // A second view in a pane that has one is refused.
    CCreateContext ctx;
    EXPECT_FALSE(split.CreateView(0, 1, RUNTIME_CLASS(CPaneView), CSize(0, 0), &ctx));
}

TEST_F(SplitterWndTest, AnIdealBelowTheMinimumHidesThePane)
{
    split.SetColumnInfo(0, 5, 10);
    split.RecalcLayout();
    int cur = -1, min = 0;
    split.GetColumnInfo(0, cur, min);
    EXPECT_EQ(0, cur);
    EXPECT_EQ(10, min);
    EXPECT_FALSE(split.GetPane(0, 0)->IsWindowVisible());
    split.SetColumnInfo(0, 150, 10);
    split.RecalcLayout();
    split.GetColumnInfo(0, cur, min);
    EXPECT_EQ(150, cur);
    EXPECT_TRUE(split.GetPane(0, 0)->IsWindowVisible());
}

TEST_F(SplitterWndTest, TheWheelOverAPaneThatDoesNotUseItEndsAtTheSplitter)
{
    // The pane's default processing passes the wheel to its parent, the splitter, which
    // passes it to the active pane: once, not back and forth without end.
    CWnd* pPane = split.GetPane(0, 1);
    pPane->SetFocus();
    ASSERT_EQ(pPane, split.GetActivePane());
    EXPECT_EQ(0, pPane->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), MAKELPARAM(10, 10)));
}

TEST_F(SplitterWndTest, HitTestFindsTheBar)
{
    EXPECT_EQ(CSplitterWnd::vSplitterBar1, split.HitTest(CPoint(205, 100)));
    EXPECT_EQ(CSplitterWnd::noHit, split.HitTest(CPoint(100, 100)));
    EXPECT_EQ(CSplitterWnd::noHit, split.HitTest(CPoint(300, 100)));
}

TEST_F(SplitterWndTest, PaintingDrawsBordersAndTheBar)
{
    split.drawn.clear();
    split.borders.clear();
    split.bars.clear();
    split.Invalidate();
    split.UpdateWindow();
    EXPECT_EQ(2, split.drawn[CSplitterWnd::splitBorder]);
    EXPECT_EQ(1, split.drawn[CSplitterWnd::splitBar]);
    EXPECT_EQ(0, split.drawn[CSplitterWnd::splitBox]);  // a static splitter has no boxes
    ASSERT_EQ(2u, split.borders.size());
    EXPECT_EQ(CRect(0, 0, 204, 300), split.borders[0]);
    EXPECT_EQ(CRect(207, 0, 500, 300), split.borders[1]);
    ASSERT_EQ(1u, split.bars.size());
    EXPECT_EQ(CRect(204, 0, 207, 300), split.bars[0]);
}

TEST_F(SplitterWndTest, DraggingTheBarShowsTheTrackerAndResizes)
{
    split.nInverts = 0;
    split.invertRects.clear();
    AfxTestDrag(&split, CPoint(205, 150), CPoint(305, 150), 4);
    AfxPumpMessages();
    // Shown at the start, moved four times (hide and show), hidden at the end.
    EXPECT_EQ(1 + 2 * 4 + 1, split.nInverts);
    ASSERT_FALSE(split.invertRects.empty());
    EXPECT_EQ(CRect(202, 2, 209, 298), split.invertRects.front());
    EXPECT_EQ(CRect(302, 2, 309, 298), split.invertRects.back());
    EXPECT_FALSE(split.IsTracking());
    int cur = 0, min = 0;
    split.GetColumnInfo(0, cur, min);
    EXPECT_EQ(300, cur);
    EXPECT_EQ(CRect(2, 2, 302, 298), PaneRect(0, 0));
}

TEST_F(SplitterWndTest, TheTrackerStaysInsideTheNeighbouringPanes)
{
    AfxTestDrag(&split, CPoint(205, 150), CPoint(900, 150), 2);
    AfxPumpMessages();
    int cur = 0, min = 0;
    split.GetColumnInfo(0, cur, min);
    // At most up to the right edge of column 1 less the bar.
    EXPECT_EQ(498 - 7 - 2, cur);
    AfxTestDrag(&split, CPoint(cur + 4, 150), CPoint(-50, 150), 2);
    AfxPumpMessages();
    split.GetColumnInfo(0, cur, min);
    EXPECT_EQ(0, cur);
}

TEST_F(SplitterWndTest, EscapeCancelsTheDrag)
{
    AfxTestMouseDown(&split, CPoint(205, 150));
    AfxTestMouseMove(&split, CPoint(260, 150), MK_LBUTTON);
    EXPECT_TRUE(split.IsTracking());
    AfxTestKey(&split, VK_ESCAPE);
    AfxTestMouseUp(&split, CPoint(260, 150));
    AfxPumpMessages();
    EXPECT_FALSE(split.IsTracking());
    int cur = 0, min = 0;
    split.GetColumnInfo(0, cur, min);
    EXPECT_EQ(200, cur);
}

// A splitter drawing flat bars (the way the system's own splitter overrides the drawing).
class CFlatSplitter : public CSplitterWnd
{
public:
    std::vector<std::pair<int, CRect>> calls;
    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override
    {
        calls.emplace_back(static_cast<int>(nType), rect);
        if (pDC == nullptr)
        {
            RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
            return;
        }
        if (nType == splitBorder)
        {
            CRect rc = rect;
            pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
            rc.InflateRect(-1, -1);
            pDC->Draw3dRect(rc, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
            return;
        }
        pDC->FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
    }
};

TEST_F(SplitterWndTest, AnOverriddenDrawingIsWhatReachesTheScreen)
{
    CFlatSplitter flat;
    CCreateContext ctx;
    ASSERT_TRUE(flat.CreateStatic(&host, 1, 2));
    ASSERT_TRUE(flat.CreateView(0, 0, RUNTIME_CLASS(CPaneView), CSize(100, 0), &ctx));
    ASSERT_TRUE(flat.CreateView(0, 1, RUNTIME_CLASS(CPaneView), CSize(0, 0), &ctx));
    flat.MoveWindow(0, 0, 300, 200);
    CDrawRecorder rec(&flat);
    flat.Invalidate();
    flat.UpdateWindow();
    // The bar is one fill of the face colour, no 3-D edges.
    int nBarFills = 0;
    for (const AfxDrawOp& op : rec.Ops())
        if (op.kind == AfxDrawKind::FillRect && op.rect == CRect(104, 0, 107, 200))
        {
            ++nBarFills;
            EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), op.color);
        }
    EXPECT_EQ(1, nBarFills);
    int n3d = 0;
    for (const AfxDrawOp& op : rec.Ops())
        if (op.kind == AfxDrawKind::Draw3dRect)
            ++n3d;
    EXPECT_EQ(4, n3d);  // two frames per pane border
    flat.DestroyWindow();
}

TEST_F(SplitterWndTest, ADynamicSplitterSplitsAndJoins)
{
    CSplitterWnd dyn;
    CCreateContext ctx;
    ctx.m_pNewViewClass = RUNTIME_CLASS(CPaneView);
    ASSERT_TRUE(dyn.Create(&host, 2, 2, CSize(20, 20), &ctx));
    dyn.MoveWindow(0, 0, 400, 300);
    EXPECT_EQ(1, dyn.GetRowCount());
    EXPECT_EQ(1, dyn.GetColumnCount());
    EXPECT_EQ(2, dyn.GetMaxRowCount());
    // The split boxes sit above the vertical and left of the horizontal scroll bar.
    int cxV = ::GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(CSplitterWnd::vSplitterBox, dyn.HitTest(CPoint(400 - cxV / 2, 2)));
    EXPECT_TRUE(dyn.SplitColumn(150));
    EXPECT_EQ(2, dyn.GetColumnCount());
    ASSERT_NE(nullptr, dyn.GetPane(0, 1));
    EXPECT_TRUE(dyn.GetPane(0, 1)->IsKindOf(RUNTIME_CLASS(CPaneView)));
    // No third column.
    EXPECT_FALSE(dyn.SplitColumn(200));
    // A pane too small is refused.
    EXPECT_FALSE(dyn.SplitRow(5));
    EXPECT_TRUE(dyn.SplitRow(100));
    EXPECT_EQ(2, dyn.GetRowCount());
    ASSERT_NE(nullptr, dyn.GetPane(1, 1));
    dyn.DeleteColumn(1);
    EXPECT_EQ(1, dyn.GetColumnCount());
    EXPECT_EQ(nullptr, dyn.GetPane(0, 1));
    ASSERT_NE(nullptr, dyn.GetPane(1, 0));
    dyn.DeleteRow(0);
    EXPECT_EQ(1, dyn.GetRowCount());
    ASSERT_NE(nullptr, dyn.GetPane(0, 0));  // the lower pane moved up
    dyn.DestroyWindow();
}

TEST_F(SplitterWndTest, DraggingASplitBoxMakesANewPane)
{
    split.ShowWindow(SW_HIDE);  // the mouse goes to the splitter made here
    CSplitterWnd dyn;
    CCreateContext ctx;
    ctx.m_pNewViewClass = RUNTIME_CLASS(CPaneView);
    ASSERT_TRUE(dyn.Create(&host, 2, 1, CSize(20, 20), &ctx));
    dyn.MoveWindow(0, 0, 400, 300);
    int cxV = ::GetSystemMetrics(SM_CXVSCROLL);
    AfxTestDrag(&dyn, CPoint(400 - cxV / 2, 2), CPoint(400 - cxV / 2, 120), 3);
    AfxPumpMessages();
    EXPECT_EQ(2, dyn.GetRowCount());
    int cur = 0, min = 0;
    dyn.GetRowInfo(0, cur, min);
    EXPECT_GT(cur, 100);
    EXPECT_LT(cur, 125);
    dyn.DestroyWindow();
}

}  // namespace
