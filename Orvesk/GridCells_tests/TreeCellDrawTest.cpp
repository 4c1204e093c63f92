// Drawing of tree cells, checked through the recording DC: the expand box, its minus and
// plus, the indent of the text and the images by expand state.
#include "GridCellsTestUtil.h"

namespace {

std::vector<const AfxDrawOp*> RectanglesInColour(const CRecordingDC& dc, COLORREF clr)
{
    std::vector<const AfxDrawOp*> found;
    for (const AfxDrawOp& op : dc.Ops())
        if (op.kind == AfxDrawKind::Rectangle && op.penColor == clr)
            found.push_back(&op);
    return found;
}

std::vector<const AfxDrawOp*> Lines(const CRecordingDC& dc)
{
    std::vector<const AfxDrawOp*> found;
    for (const AfxDrawOp& op : dc.Ops())
        if (op.kind == AfxDrawKind::Polyline && std::string(op.api) == "LineTo")
            found.push_back(&op);
    return found;
}

bool IsLine(const AfxDrawOp* op, int x1, int y1, int x2, int y2)
{
    return op->points.size() == 2 && op->points[0] == CPoint(x1, y1) && op->points[1] == CPoint(x2, y2);
}

}  // namespace

class TreeCellDraw : public CTaskLikeGridTest {
protected:
    // The cell rectangle the grid would pass (right and bottom inclusive).
    const CRect m_rcCell{100, 20, 199, 39};
};

TEST_F(TreeCellDraw, ExpandedNodeDrawsABoxWithAMinus)
{
    BuildTree({{1, "A"}, {2, "B"}, {3, "B1"}, {1, "C"}});
    CRecordingDC dc;
    ASSERT_TRUE(TreeCell(2)->Draw(&dc, 2, 2, m_rcCell, FALSE));

    // Blank 4, indent 10, level 2: box (16, 4, 24, 12) relative to the cell.
    auto boxes = RectanglesInColour(dc, m_tree.GetTreeLineColor());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(SameRect(boxes[0]->rect, 116, 24, 124, 32));
    auto lines = Lines(dc);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(IsLine(lines[0], 118, 28, 122, 28));

    // The unselected cell has a white frame; the text starts after the indent and margin.
    EXPECT_EQ(RectanglesInColour(dc, RGB(255, 255, 255)).size(), 1u);
    const AfxDrawOp* text = dc.Recorder().FindText("B");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->rect.left, 100 + 28 + 4);
    EXPECT_EQ(TreeCell(2)->GetStoredTextRect().left, 128);
}

TEST_F(TreeCellDraw, CollapsedNodeAddsThePlus)
{
    BuildTree({{1, "A"}, {2, "B"}, {3, "B1"}, {1, "C"}});
    m_tree.Collapse(2);
    CRecordingDC dc;
    TreeCell(2)->Draw(&dc, 2, 2, m_rcCell, FALSE);
    auto lines = Lines(dc);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(IsLine(lines[0], 118, 28, 122, 28));
    EXPECT_TRUE(IsLine(lines[1], 120, 26, 120, 30));
}

TEST_F(TreeCellDraw, RowsWithoutChildrenAndTheLastRowDrawNoBox)
{
    BuildTree({{1, "A"}, {2, "B"}, {1, "C"}, {2, "D"}});
    for (int row : {2, 4}) {
        CRecordingDC dc;
        TreeCell(row)->Draw(&dc, row, 2, m_rcCell, FALSE);
        EXPECT_TRUE(RectanglesInColour(dc, m_tree.GetTreeLineColor()).empty()) << row;
        EXPECT_TRUE(Lines(dc).empty()) << row;
    }
}

TEST_F(TreeCellDraw, SmallIndentDrawsNoBox)
{
    BuildTree({{1, "A"}, {2, "B"}, {1, "C"}});
    m_tree.SetIndent(5);
    CRecordingDC dc;
    TreeCell(1)->Draw(&dc, 1, 2, m_rcCell, FALSE);
    EXPECT_TRUE(RectanglesInColour(dc, m_tree.GetTreeLineColor()).empty());
}

TEST_F(TreeCellDraw, SelectedAmongSeveralIsFilledAndTheOnlySelectedIsFramedBlack)
{
    BuildTree({{1, "A"}, {1, "B"}});
    m_grid.SetSelectedRange(1, 2, 1, 2);
    {
        CRecordingDC dc;
        TreeCell(1)->Draw(&dc, 1, 2, m_rcCell, FALSE);
        EXPECT_EQ(RectanglesInColour(dc, RGB(0, 0, 0)).size(), 1u);
    }
    m_grid.SetSelectedRange(1, 2, 2, 2);
    {
        CRecordingDC dc;
        TreeCell(1)->Draw(&dc, 1, 2, m_rcCell, FALSE);
        bool bFilled = false;
        for (const AfxDrawOp& op : dc.Ops())
            if (op.kind == AfxDrawKind::FillRect && op.rect == m_rcCell && op.brushColor == 0xCAB2A9)
                bFilled = true;
        EXPECT_TRUE(bFilled);
    }
}

TEST_F(TreeCellDraw, ImagesFollowTheExpandStateWhenBoxesAreOff)
{
    CImageList images;
    ASSERT_TRUE(images.Create(14, 14, ILC_COLOR24, 3, 1));
    m_grid.SetImageList(&images);
    BuildTree({{1, "A"}, {2, "B"}, {1, "C"}, {1, "D"}});
    m_tree.SetShowExpandBoxes(FALSE);
    m_tree.SetShowImages(TRUE);
    EXPECT_EQ(TreeCell(1)->GetImage(), 0);
    CRecordingDC dc;
    TreeCell(1)->Draw(&dc, 1, 2, m_rcCell, FALSE);
    EXPECT_EQ(TreeCell(1)->GetImage(), 0);
    m_tree.Collapse(1);
    TreeCell(1)->Draw(&dc, 1, 2, m_rcCell, FALSE);
    EXPECT_EQ(TreeCell(1)->GetImage(), 1);
    TreeCell(3)->Draw(&dc, 3, 2, m_rcCell, FALSE);
    EXPECT_EQ(TreeCell(3)->GetImage(), 2);
    m_grid.SetImageList(nullptr);
}

TEST_F(TreeCellDraw, NothingIsDrawnBeforeSetup)
{
    m_grid.SetRowCount(3);
    ASSERT_TRUE(m_grid.SetCellType(1, 2, RUNTIME_CLASS(CGridTreeCell)));
    CGridTreeCell* pCell = static_cast<CGridTreeCell*>(m_grid.GetCell(1, 2));
    pCell->SetTreeColumn(&m_tree);
    pCell->SetText("A");
    CRecordingDC dc;
    EXPECT_FALSE(pCell->Draw(&dc, 1, 2, m_rcCell, FALSE));
    EXPECT_EQ(dc.Recorder().FindText("A"), nullptr);
}
