// Expanding, collapsing, showing levels and the row heights that carry the outline.
#include "GridCellsTestUtil.h"

using Ints = std::vector<int>;

class TreeColumnOutline : public CTaskLikeGridTest {};

TEST_F(TreeColumnOutline, CollapseHidesTheWholeSubtreeAndExpandShowsDirectChildren)
{
    BuildTree({{1, "A"}, {2, "B"}, {3, "B1"}, {4, "B1a"}, {2, "C"}, {1, "D"}});
    m_tree.Collapse(1);
    EXPECT_EQ(Viewable(), (Ints{1, 0, 0, 0, 0, 1}));
    m_tree.Expand(1);
    EXPECT_EQ(Viewable(), (Ints{1, 1, 0, 0, 1, 1}));
    m_tree.RefreshRowHeights();
    EXPECT_EQ(Heights(), (Ints{20, 20, 0, 0, 20, 20}));
}

TEST_F(TreeColumnOutline, ChildStateTellsWhetherTheNodeIsCollapsed)
{
    BuildTree({{1, "A"}, {2, "B"}, {1, "C"}});
    BOOL bHidden = TRUE;
    EXPECT_TRUE(m_tree.GetChildState(1, bHidden));
    EXPECT_FALSE(bHidden);
    m_tree.Collapse(1);
    EXPECT_TRUE(m_tree.GetChildState(1, bHidden));
    EXPECT_TRUE(bHidden);
    EXPECT_FALSE(m_tree.GetChildState(2, bHidden));
    EXPECT_FALSE(bHidden);
    EXPECT_FALSE(m_tree.GetChildState(3, bHidden));
}

TEST_F(TreeColumnOutline, BlankRowsDoNotEndASubtreeAndKeepTheirBits)
{
    BuildTree({{1, "A"}, {2, "B"}, {1, ""}, {2, "C"}, {1, "D"}});
    BOOL bHidden = FALSE;
    EXPECT_TRUE(m_tree.GetChildState(1, bHidden));
    m_tree.Collapse(1);
    EXPECT_EQ(Viewable(), (Ints{1, 0, 1, 0, 1}));
}

TEST_F(TreeColumnOutline, ToggleDecidesByTheNextNonBlankRow)
{
    BuildTree({{1, "A"}, {1, ""}, {2, "B"}, {3, "B1"}, {1, "C"}});
    m_tree.ToggleExpand(1);
    EXPECT_EQ(Viewable(), (Ints{1, 1, 0, 0, 1}));
    EXPECT_EQ(Heights(), (Ints{20, 20, 0, 0, 20}));
    m_tree.ToggleExpand(1);
    EXPECT_EQ(Viewable(), (Ints{1, 1, 1, 0, 1}));
    EXPECT_EQ(Heights(), (Ints{20, 20, 20, 0, 20}));
}

TEST_F(TreeColumnOutline, RefreshKeepsTallerRowsAndRaisesLowerOnes)
{
    BuildTree({{1, "A"}, {2, "B"}, {1, "C"}, {1, "D"}});
    m_grid.SetRowHeight(1, 40);
    m_grid.SetRowHeight(3, 7);
    m_grid.SetRowHeight(2, 35);
    TreeCell(2)->SetTopBit(FALSE);
    m_grid.SetRowHeight(4, 0);
    m_tree.RefreshRowHeights();
    EXPECT_EQ(Heights(), (Ints{40, 0, 20, 20}));
}

TEST_F(TreeColumnOutline, ShowLevelsByLevelByte)
{
    BuildTree({{1, "A"}, {2, "B"}, {3, "B1"}, {0, "Z"}, {2, "C"}});
    m_tree.ShowLevels(2);
    EXPECT_EQ(Viewable(), (Ints{1, 1, 0, 1, 1}));
    EXPECT_EQ(Heights(), (Ints{20, 20, 0, 20, 20}));
    m_tree.ShowLevels(1);
    EXPECT_EQ(Viewable(), (Ints{1, 0, 0, 1, 0}));
    m_tree.ShowLevels(0x80);
    EXPECT_EQ(Viewable(), (Ints{1, 1, 1, 1, 1}));
    EXPECT_EQ(Heights(), (Ints{20, 20, 20, 20, 20}));
}

TEST_F(TreeColumnOutline, ShowLevelRangeTouchesOnlyItsRows)
{
    BuildTree({{2, "A"}, {2, "B"}, {2, "C"}});
    m_tree.ShowLevelRange(1, 1, 1);
    EXPECT_EQ(Viewable(), (Ints{1, 0, 1}));
    m_tree.ShowLevelRange(1, 2, 5);  // beyond the tree: refused
    EXPECT_EQ(Viewable(), (Ints{1, 0, 1}));
}

TEST_F(TreeColumnOutline, ClickOnTheExpandBoxTogglesAndReportsTheChange)
{
    BuildTree({{1, "A"}, {2, "B"}, {1, "C"}});
    CGridTreeCell* pCell = TreeCell(1);
    CRect rcBox;
    ASSERT_TRUE(pCell->GetExpandBoxRect(rcBox));
    pCell->OnClickDown(rcBox.CenterPoint());
    EXPECT_EQ(Viewable(), (Ints{1, 0, 1}));
    EXPECT_EQ(m_parent.Count(WM_GRID_EXPANDCHANGED), 1);
    EXPECT_EQ(pCell->GetTreeValue(), 0);
    pCell->OnClickDown(rcBox.CenterPoint());
    EXPECT_EQ(Viewable(), (Ints{1, 1, 1}));
    EXPECT_EQ(m_parent.Count(WM_GRID_EXPANDCHANGED), 2);
}

TEST_F(TreeColumnOutline, ExpandBoxRectangleAndHitTestEdges)
{
    // Blank width 4, indent 10, level 2: left 4 + 2 + 10, right left + 8, top 4, bottom 12.
    BuildTree({{1, "A"}, {2, "B"}, {3, "B1"}, {1, "C"}});
    CGridTreeCell* pCell = TreeCell(2);
    CRect rcBox;
    ASSERT_TRUE(pCell->GetExpandBoxRect(rcBox));
    EXPECT_TRUE(SameRect(rcBox, 16, 4, 24, 12));
    EXPECT_TRUE(pCell->HitTestExpandBox(CPoint(16, 2)));
    EXPECT_TRUE(pCell->HitTestExpandBox(CPoint(26, 12)));
    EXPECT_FALSE(pCell->HitTestExpandBox(CPoint(15, 6)));
    EXPECT_FALSE(pCell->HitTestExpandBox(CPoint(27, 6)));
    EXPECT_FALSE(pCell->HitTestExpandBox(CPoint(20, 1)));
    EXPECT_FALSE(pCell->HitTestExpandBox(CPoint(20, 13)));
    // No children: no box to hit.
    EXPECT_FALSE(TreeCell(3)->HitTestExpandBox(CPoint(26, 6)));
    m_tree.SetShowExpandBoxes(FALSE);
    EXPECT_FALSE(pCell->HitTestExpandBox(CPoint(20, 6)));
}

TEST_F(TreeColumnOutline, TreeIndentByLevel)
{
    BuildTree({{0, "Z"}, {1, "A"}, {3, "B"}});
    EXPECT_EQ(TreeCell(1)->GetTreeIndent(), 0);
    EXPECT_EQ(TreeCell(2)->GetTreeIndent(), 10 + 8);
    EXPECT_EQ(TreeCell(3)->GetTreeIndent(), 30 + 8);
    m_tree.SetShowExpandBoxes(FALSE);
    EXPECT_EQ(TreeCell(3)->GetTreeIndent(), 20 + 8);
}

TEST_F(TreeColumnOutline, DoubleClickArmsEditingOrToggles)
{
    BuildTree({{1, "A"}, {2, "B"}, {1, "C"}});
    CGridTreeCell* pCell = TreeCell(1);
    pCell->SetTreeValue(0);
    pCell->OnDblClick(CPoint(60, 10));
    EXPECT_EQ(pCell->GetTreeValue(), 1);
    EXPECT_EQ(Viewable(), (Ints{1, 1, 1}));
    m_grid.SetEditable(FALSE);
    pCell->OnDblClick(CPoint(60, 10));
    EXPECT_EQ(Viewable(), (Ints{1, 0, 1}));
    CRect rcBox;
    pCell->GetExpandBoxRect(rcBox);
    pCell->OnDblClick(rcBox.CenterPoint());  // on the box: the press already toggled
    EXPECT_EQ(Viewable(), (Ints{1, 0, 1}));
}

TEST_F(TreeColumnOutline, CellsForwardSharedAttributesToTheTreeColumn)
{
    BuildTree({{1, "A"}, {1, "B"}});
    TreeCell(1)->SetFormat(DT_RIGHT | DT_SINGLELINE);
    EXPECT_EQ(TreeCell(2)->GetFormat(), static_cast<UINT>(DT_RIGHT | DT_SINGLELINE));
    TreeCell(2)->SetBackClr(RGB(1, 2, 3));
    EXPECT_EQ(m_tree.GetBackClr(), RGB(1, 2, 3));
    TreeCell(1)->SetData(77);
    EXPECT_EQ(TreeCell(2)->GetData(), 77);
    TreeCell(1)->SetMargin(6);
    EXPECT_EQ(m_grid.GetBlankWidth(), 6);
    EXPECT_EQ(TreeCell(2)->GetMargin(), 6u);
    EXPECT_EQ(TreeCell(1)->GetGrid(), &m_grid);
    EXPECT_TRUE(TreeCell(1)->IsTreeCell());
    TreeCell(1)->SetImage(3);
    EXPECT_EQ(TreeCell(1)->GetImage(), 3);
    EXPECT_EQ(TreeCell(2)->GetImage(), -1);
}

TEST_F(TreeColumnOutline, FontSetsTheIndentToTheLineHeight)
{
    BuildTree({{1, "A"}});
    LOGFONT lf = *m_grid.GetLogFont();
    lf.lfHeight = -20;
    TreeCell(1)->SetFont(&lf);
    CClientDC dc(nullptr);
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* pOld = dc.SelectObject(&font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    EXPECT_EQ(m_tree.GetIndent(), tm.tmHeight + tm.tmExternalLeading);
    EXPECT_EQ(m_tree.GetFont()->lfHeight, -20);
}
