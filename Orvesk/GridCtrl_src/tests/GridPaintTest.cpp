// What the grid draws: the background, the passes over fixed and scrolling cells clipped
// to the clip box, the grid lines, single-cell redraws and the double-buffered paint.
#include "GridTestUtil.h"

#include <QImage>

#include <algorithm>
#include <set>

namespace
{
class GridPaintTest : public GridWndTest
{
protected:
    void Make(int rows, int cols, int fixedRows = 1, int fixedCols = 1, int cx = 400, int cy = 300)
    {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(fixedRows);
        grid.SetFixedColumnCount(fixedCols);
        CreateGrid(cx, cy);
        for (int col = 0; col < cols; col++)
            grid.SetColumnWidth(col, 50);
        for (int row = 0; row < rows; row++)
            grid.SetRowHeight(row, 20);
        for (int row = 0; row < rows; row++)
            for (int col = 0; col < cols; col++)
            {
                CString s;
                s.Format(_T("%d/%d"), row, col);
                grid.SetItemText(row, col, s);
            }
        grid.UpdateScrollBars();
    }

    static std::set<CString> TextsOf(const std::vector<AfxDrawOp>& ops)
    {
        std::set<CString> v;
        for (const AfxDrawOp& op : ops)
            if (op.kind == AfxDrawKind::Text)
                v.insert(op.text);
        return v;
    }
    static std::vector<const AfxDrawOp*> LinesOf(const std::vector<AfxDrawOp>& ops, COLORREF cr)
    {
        std::vector<const AfxDrawOp*> v;
        for (const AfxDrawOp& op : ops)
            if (op.kind == AfxDrawKind::Polyline && op.penColor == cr)
                v.push_back(&op);
        return v;
    }
};
} // namespace

TEST_F(GridPaintTest, DrawsEveryVisibleCellOnce)
{
    Make(30, 12);
    CRect rc;
    grid.GetClientRect(rc);
    CRecordingDC dc(rc.Width(), rc.Height());
    grid.OnDraw(&dc);

    CGridCellRange vis = grid.GetVisibleNonFixedCellRange();
    std::set<CString> texts = TextsOf(dc.Ops());
    int nTexts = 0;
    for (const AfxDrawOp& op : dc.Ops())
        nTexts += op.kind == AfxDrawKind::Text;
    // Visible rows and columns plus the fixed row and column; the corner cell twice (it is
    // drawn first on its own, then with the fixed corner).
    int nRows = vis.GetRowSpan() + 1;
    int nCols = vis.GetColSpan() + 1;
    EXPECT_EQ(nRows * nCols + 1, nTexts);
    EXPECT_EQ((size_t)(nRows * nCols), texts.size());
    EXPECT_TRUE(texts.count(_T("0/0")));
    EXPECT_TRUE(texts.count(_T("0/3")));
    EXPECT_TRUE(texts.count(_T("5/0")));
    CString last;
    last.Format(_T("%d/%d"), vis.GetMaxRow(), vis.GetMaxCol());
    EXPECT_TRUE(texts.count(last));
    CString beyond;
    beyond.Format(_T("%d/%d"), vis.GetMaxRow() + 1, 1);
    EXPECT_FALSE(texts.count(beyond));
}

TEST_F(GridPaintTest, PassesStopAtTheClipBox)
{
    Make(30, 12);
    CRecordingDC dc(400, 300);
    dc.IntersectClipRect(0, 0, 120, 45);
    grid.OnDraw(&dc);
    std::set<CString> texts = TextsOf(dc.Ops());
    // Rows 0..2 (row 2 starts at 40) and columns 0..2 (column 2 starts at 100).
    EXPECT_TRUE(texts.count(_T("2/2")));
    EXPECT_TRUE(texts.count(_T("0/2")));
    EXPECT_TRUE(texts.count(_T("2/0")));
    EXPECT_FALSE(texts.count(_T("3/1")));
    EXPECT_FALSE(texts.count(_T("1/3")));
    EXPECT_FALSE(texts.count(_T("0/3")));
    EXPECT_EQ(9u, texts.size());

    // A clip box below the fixed row skips the rows above it.
    CRecordingDC dc2(400, 300);
    dc2.IntersectClipRect(60, 100, 120, 125);
    grid.OnDraw(&dc2);
    texts = TextsOf(dc2.Ops());
    EXPECT_FALSE(texts.count(_T("1/1")));
    EXPECT_FALSE(texts.count(_T("0/1")));
    EXPECT_TRUE(texts.count(_T("5/1")));
    EXPECT_TRUE(texts.count(_T("6/2")));
    EXPECT_FALSE(texts.count(_T("7/1")));
}

TEST_F(GridPaintTest, HorizontalGridLinesOnly)
{
    Make(30, 12);
    grid.SetGridLines(GRIDLINES_HORZ);
    CRecordingDC dc(400, 300);
    grid.OnDraw(&dc);
    auto lines = LinesOf(dc.Ops(), RGB(192, 192, 192));
    ASSERT_FALSE(lines.empty());
    CGridCellRange vis = grid.GetVisibleNonFixedCellRange();
    EXPECT_EQ((size_t)vis.GetRowSpan(), lines.size());
    for (const AfxDrawOp* op : lines)
    {
        ASSERT_EQ(2u, op->points.size());
        EXPECT_EQ(op->points[0].y, op->points[1].y);
        EXPECT_EQ(50, op->points[0].x);  // from the fixed column width
    }
    // The first line lies at the bottom of row 1.
    EXPECT_EQ(39, lines[0]->points[0].y);
}

TEST_F(GridPaintTest, BothGridLinesAndNone)
{
    Make(30, 12);
    CRect rcVis;
    CGridCellRange vis = grid.GetVisibleNonFixedCellRange(rcVis);
    CRecordingDC dc(400, 300);
    grid.OnDraw(&dc);
    auto lines = LinesOf(dc.Ops(), RGB(192, 192, 192));
    size_t nVert = 0;
    for (const AfxDrawOp* op : lines)
        if (op->points[0].x == op->points[1].x)
        {
            nVert++;
            EXPECT_EQ(20, op->points[0].y);
            EXPECT_EQ(rcVis.bottom, op->points[1].y);
        }
    EXPECT_EQ((size_t)vis.GetColSpan(), nVert);
    EXPECT_EQ((size_t)(vis.GetColSpan() + vis.GetRowSpan()), lines.size());
    // The first vertical line is one pixel left of column 2's start.
    EXPECT_EQ(99, lines[0]->points[0].x);

    grid.SetGridLines(GRIDLINES_NONE);
    CRecordingDC dc2(400, 300);
    grid.OnDraw(&dc2);
    EXPECT_TRUE(LinesOf(dc2.Ops(), RGB(192, 192, 192)).empty());
}

TEST_F(GridPaintTest, HiddenRowsAreNotDrawn)
{
    Make(30, 4);
    for (int row = 2; row < 20; row++)
        grid.SetRowHeight(row, 0);
    CRecordingDC dc(400, 300);
    grid.OnDraw(&dc);
    std::set<CString> texts = TextsOf(dc.Ops());
    EXPECT_TRUE(texts.count(_T("1/1")));
    EXPECT_FALSE(texts.count(_T("2/1")));
    EXPECT_FALSE(texts.count(_T("19/1")));
    EXPECT_TRUE(texts.count(_T("20/1")));
    const AfxDrawOp* op = nullptr;
    for (const AfxDrawOp& o : dc.Ops())
        if (o.kind == AfxDrawKind::Text && o.text == _T("20/1"))
            op = &o;
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(40, op->rect.top);
}

TEST_F(GridPaintTest, BackgroundStrips)
{
    Make(3, 3);
    grid.SetFixedBkColor(RGB(1, 1, 1));
    grid.SetTextBkColor(RGB(2, 2, 2));
    CRect rcVis;
    grid.GetVisibleNonFixedCellRange(rcVis);
    ASSERT_TRUE(rcVis == CRect(0, 0, 150, 60));
    CRecordingDC dc(400, 300);
    grid.OnDraw(&dc);
    std::vector<CRect> fixedFills, textFills;
    for (const AfxDrawOp& op : dc.Ops())
        if (op.kind == AfxDrawKind::FillRect && op.api == std::string("FillRect"))
        {
            if (op.brushColor == RGB(1, 1, 1))
                fixedFills.push_back(op.rect);
            else if (op.brushColor == RGB(2, 2, 2))
                textFills.push_back(op.rect);
        }
    ASSERT_EQ(2u, fixedFills.size());
    EXPECT_TRUE(fixedFills[0] == CRect(0, 0, 50, 60));
    EXPECT_TRUE(fixedFills[1] == CRect(49, 0, 150, 20));
    ASSERT_EQ(3u, textFills.size());
    EXPECT_TRUE(textFills[0] == CRect(50, 20, 150, 60));
    EXPECT_TRUE(textFills[1] == CRect(150, 0, 400, 300));
    EXPECT_TRUE(textFills[2] == CRect(0, 60, 150, 300));
}

TEST_F(GridPaintTest, ScrolledAwayCornerCellIsNotDrawnAtTheTopLeft)
{
    Make(30, 30, 0, 0);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    grid.SendMessage(WM_HSCROLL, SB_LINERIGHT);
    ASSERT_TRUE(grid.GetTopleftNonFixedCell() == CGridCellId(1, 1));
    CRecordingDC dc(400, 300);
    grid.OnDraw(&dc);
    std::set<CString> texts = TextsOf(dc.Ops());
    EXPECT_FALSE(texts.count(_T("0/0")));
    int nAtOrigin = 0;
    for (const AfxDrawOp& op : dc.Ops())
        if (op.kind == AfxDrawKind::Text && op.rect.left < 10 && op.rect.top < 5)
            nAtOrigin++;
    EXPECT_EQ(1, nAtOrigin);  // only cell (1, 1)
}

TEST_F(GridPaintTest, RedrawCellErasesAndDrawsItsOwnLines)
{
    Make(5, 5);
    grid.SetTextBkColor(RGB(3, 3, 3));
    CDrawRecorder rec(&grid);
    EXPECT_TRUE(grid.RedrawCell(2, 2));
    std::vector<AfxDrawOp> ops = rec.Ops();
    const AfxDrawOp* fill = nullptr;
    for (const AfxDrawOp& op : ops)
        if (op.kind == AfxDrawKind::FillRect && op.color == RGB(3, 3, 3))
            fill = &op;
    ASSERT_NE(nullptr, fill);
    EXPECT_TRUE(fill->rect == CRect(100, 40, 150, 60));
    auto lines = LinesOf(ops, RGB(192, 192, 192));
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ((std::vector<CPoint>{CPoint(100, 59), CPoint(150, 59)}), lines[0]->points);
    EXPECT_EQ((std::vector<CPoint>{CPoint(149, 40), CPoint(149, 60)}), lines[1]->points);

    // A fixed cell draws no grid lines of the grid's colour.
    rec.Clear();
    EXPECT_TRUE(grid.RedrawCell(0, 2));
    EXPECT_TRUE(LinesOf(rec.Ops(), RGB(192, 192, 192)).empty());

    // A cell out of view is not drawn.
    rec.Clear();
    EXPECT_FALSE(grid.RedrawCell(4, 9));
    EXPECT_TRUE(rec.Ops().empty());
}

TEST_F(GridPaintTest, RedrawingTheFocusCellClearsItsOldTextFirst)
{
    // The focus cell draws only its frame and text; a new text must not land on the old.
    Make(5, 5);
    grid.SetTextBkColor(RGB(3, 3, 3));
    grid.SetItemText(2, 2, _T("4"));
    grid.SetFocusCell(2, 2);
    grid.SetItemText(2, 2, _T("6"));
    CDrawRecorder rec(&grid);
    EXPECT_TRUE(grid.RedrawCell(2, 2));
    std::vector<AfxDrawOp> ops = rec.Ops();
    size_t nFill = ops.size(), nText = ops.size();
    for (size_t i = 0; i < ops.size(); i++)
    {
        if (nFill == ops.size() && ops[i].kind == AfxDrawKind::FillRect && ops[i].color == RGB(3, 3, 3)
            && ops[i].rect.PtInRect(CPoint(101, 41)) && ops[i].rect.PtInRect(CPoint(148, 58)))
            nFill = i;
        if (ops[i].kind == AfxDrawKind::Text && ops[i].text == CString(_T("6")))
            nText = i;
    }
    ASSERT_LT(nFill, ops.size());
    ASSERT_LT(nText, ops.size());
    EXPECT_LT(nFill, nText);
}

TEST_F(GridPaintTest, TaskGridRedrawNumbersColumnZero)
{
    Make(6, 4);
    grid.SetTaskGrid(TRUE);
    grid.SetItemText(3, 0, _T("old"));
    grid.RedrawCell(3, 0);
    EXPECT_EQ(CString(_T("3")), grid.GetItemText(3, 0));
    grid.InsertRow(_T(""), 2);
    // Rows above the inserted one keep their text; it and the rows below are numbered.
    EXPECT_EQ(CString(_T("1/0")), grid.GetItemText(1, 0));
    for (int row = 2; row < 7; row++)
    {
        CString s;
        s.Format(_T("%d"), row);
        EXPECT_EQ(s, grid.GetItemText(row, 0)) << row;
    }
}

// The window's picture reaches the screen only after the paint, so the paint draws into it
// without a copy; a repaint of part of the window gives the pixels the whole one gave there
// (the clip box filled first, the selection and the focus cell drawn alike).
TEST_F(GridPaintTest, PaintDrawsStraightIntoTheWindowsPicture)
{
    Make(30, 12);
    grid.SetSelectedRange(3, 2, 6, 5);
    grid.SetFocusCell(4, 3);
    CDrawRecorder rec(&grid);
    grid.Invalidate();
    grid.UpdateWindow();
    int nBlts = 0;
    int nTexts = 0;
    for (const AfxDrawOp& op : rec.Ops())
    {
        nBlts += op.kind == AfxDrawKind::Blt;
        nTexts += op.kind == AfxDrawKind::Text;
    }
    EXPECT_EQ(0, nBlts);
    EXPECT_GT(nTexts, 20);

    const CString strWhole = AfxTestOutputPath(_T("grid-paint-whole.png"));
    const CString strPart = AfxTestOutputPath(_T("grid-paint-part.png"));
    ASSERT_TRUE(AfxTestGrabWindow(&grid, strWhole));
    CRect rcPart(37, 23, 191, 97);
    grid.InvalidateRect(rcPart);
    grid.UpdateWindow();
    ASSERT_TRUE(AfxTestGrabWindow(&grid, strPart));
    const QImage whole(QString::fromLocal8Bit((LPCTSTR)strWhole));
    const QImage part(QString::fromLocal8Bit((LPCTSTR)strPart));
    ASSERT_FALSE(whole.isNull());
    EXPECT_TRUE(whole == part);

    // Without double buffering the cells go straight onto the window too.
    rec.Clear();
    grid.SetDoubleBuffering(FALSE);
    grid.Invalidate();
    grid.UpdateWindow();
    nBlts = 0;
    for (const AfxDrawOp& op : rec.Ops())
        nBlts += op.kind == AfxDrawKind::Blt;
    EXPECT_EQ(0, nBlts);
    EXPECT_FALSE(rec.Ops().empty());
}

TEST_F(GridPaintTest, NothingIsDrawnWhileDrawingIsOff)
{
    Make(5, 5);
    grid.SetRedraw(FALSE);
    CRecordingDC dc(400, 300);
    grid.OnDraw(&dc);
    EXPECT_TRUE(dc.Ops().empty());
    EXPECT_FALSE(grid.RedrawCell(2, 2));
    grid.SetRedraw(TRUE);
    grid.OnDraw(&dc);
    EXPECT_FALSE(dc.Ops().empty());
}

namespace
{
class CBufferGrid : public CGridCtrl
{
public:
    HGDIOBJ BackBuffer() const { return m_bmpBackBuffer.GetSafeHandle(); }
};
} // namespace

// A window's paints keep no memory bitmap of their own.
TEST(GridBackBuffer, WindowRepaintsMakeNoBackBuffer)
{
    AfxEnsureApplication();
    CGridTestParent parent;
    CBufferGrid grid;
    grid.SetRowCount(30);
    grid.SetColumnCount(5);
    ASSERT_TRUE(parent.CreateEx(0, AFX_WND_CLASS, "frame", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                nullptr));
    ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 200), &parent, 100, WS_CHILD | WS_VISIBLE));
    for (int i = 0; i < 2; i++)
    {
        grid.Invalidate();
        grid.UpdateWindow();
    }
    grid.MoveWindow(0, 0, 390, 290);
    grid.Invalidate();
    grid.UpdateWindow();
    EXPECT_EQ(nullptr, grid.BackBuffer());
    grid.DestroyWindow();
    parent.DestroyWindow();
}
