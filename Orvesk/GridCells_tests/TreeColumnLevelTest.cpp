// Level changes of the tree column: indent, outdent, the limits, blank rows.
#include "GridCellsTestUtil.h"

using Ints = std::vector<int>;

class TreeColumnLevel : public CTaskLikeGridTest {};

TEST_F(TreeColumnLevel, SetupBindsTheColumnAndTheRange)
{
    BuildTree({{1, "A"}, {2, "B"}});
    EXPECT_EQ(m_grid.GetFixedRowCount(), 1);
    EXPECT_EQ(m_grid.GetRowCount(), 3);
    EXPECT_EQ(m_tree.GetFirstRow(), 1);
    EXPECT_EQ(m_tree.GetEndRow(), 3);
    EXPECT_EQ(m_tree.GetColumn(), 2);
    EXPECT_TRUE(m_tree.GetIsSetup());
    ASSERT_NE(TreeCell(1), nullptr);
    EXPECT_TRUE(m_grid.GetCell(1, 2)->IsKindOf(RUNTIME_CLASS(CGridTreeCell)));
    EXPECT_EQ(TreeCell(1)->GetTreeColumn(), &m_tree);
    EXPECT_EQ(m_tree.GetTreeByte(2), 0x82);
    EXPECT_STREQ(m_grid.GetItemText(2, 2), "B");
}

TEST_F(TreeColumnLevel, SetupWithoutRowsGivesOneFixedRow)
{
    m_tree.Setup(&m_grid, 2, 0, 1, nullptr, TRUE, FALSE);
    EXPECT_EQ(m_grid.GetFixedRowCount(), 1);
    EXPECT_EQ(m_grid.GetRowCount(), 1);
    EXPECT_EQ(m_tree.GetEndRow(), 1);
}

TEST_F(TreeColumnLevel, FreshTreeColumnDefaults)
{
    CTreeColumn tree;
    EXPECT_EQ(tree.GetFormat(), 0x8024u);
    EXPECT_EQ(tree.GetBackClr(), CLR_DEFAULT);
    EXPECT_EQ(tree.GetTextClr(), CLR_DEFAULT);
    EXPECT_EQ(tree.GetIndent(), 10);
    EXPECT_EQ(tree.GetColumn(), -1);
    EXPECT_EQ(tree.GetFirstRow(), -1);
    EXPECT_EQ(tree.GetEndRow(), -1);
    EXPECT_FALSE(tree.GetIsSetup());
    EXPECT_TRUE(tree.GetShowExpandBoxes());
    EXPECT_FALSE(tree.GetShowImages());
    EXPECT_EQ(tree.GetTreeLineColor(), ::GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(TreeColumnLevel, IndentCarriesTheSubtreeAndStopsAtTheNextSibling)
{
    BuildTree({{1, "A"}, {1, "B"}, {2, "B1"}, {3, "B1a"}, {1, "C"}});
    EXPECT_TRUE(m_tree.ChangeRowLevel(2, 2));
    EXPECT_EQ(Levels(), (Ints{1, 2, 3, 4, 1}));
    EXPECT_EQ(m_parent.Count(WM_GRID_ROWSCHANGED), 1);
}

TEST_F(TreeColumnLevel, IndentOfAChildlessRowLeavesItsSiblings)
{
    BuildTree({{1, "A"}, {2, "B"}, {2, "C"}, {3, "C1"}});
    EXPECT_TRUE(TreeCell(2)->ChangeLevel(3));
    EXPECT_EQ(Levels(), (Ints{1, 3, 2, 3}));
}

TEST_F(TreeColumnLevel, OutdentCarriesTheSubtree)
{
    BuildTree({{1, "A"}, {2, "B"}, {3, "B1"}, {3, "B2"}, {2, "C"}});
    EXPECT_TRUE(m_tree.ChangeRowLevel(1, 2));
    EXPECT_EQ(Levels(), (Ints{1, 1, 2, 2, 2}));
}

TEST_F(TreeColumnLevel, OutdentOfAChildlessRowAdoptsTheNextSiblingWithItsSubtree)
{
    // The sibling keeps its level under the outdented row, and so do its children.
    BuildTree({{1, "A"}, {2, "B"}, {2, "C"}, {3, "C1"}, {2, "D"}});
    EXPECT_TRUE(m_tree.ChangeRowLevel(1, 2));
    EXPECT_EQ(Levels(), (Ints{1, 1, 2, 3, 2}));
    EXPECT_EQ(m_parent.Count(WM_GRID_ROWSCHANGED), 1);
}

TEST_F(TreeColumnLevel, OutdentByTwoAdoptsTheSiblingOneLevelUp)
{
    BuildTree({{1, "A"}, {2, "P"}, {3, "R"}, {3, "S"}, {4, "S1"}, {2, "T"}});
    EXPECT_TRUE(m_tree.ChangeRowLevel(1, 3));
    EXPECT_EQ(Levels(), (Ints{1, 2, 1, 2, 3, 2}));
}

TEST_F(TreeColumnLevel, RowsAfterTheSubtreeKeepTheirLevels)
{
    BuildTree({{1, "Q"}, {2, "P"}, {3, "R"}, {4, "RC"}, {2, "P2"}, {3, "P2c"}});
    EXPECT_TRUE(m_tree.ChangeRowLevel(1, 3));
    EXPECT_EQ(Levels(), (Ints{1, 2, 1, 2, 2, 3}));
}

TEST_F(TreeColumnLevel, LevelsNeverGoBelowOne)
{
    BuildTree({{1, "A"}, {2, "B"}});
    EXPECT_FALSE(m_tree.ChangeRowLevel(0, 1));
    EXPECT_FALSE(m_tree.ChangeRowLevel(-1, 2));
    EXPECT_EQ(Levels(), (Ints{1, 2}));
    EXPECT_EQ(m_parent.Count(WM_GRID_ROWSCHANGED), 0);
}

TEST_F(TreeColumnLevel, LevelsNeverGoAbove126)
{
    BuildTree({{1, "A"}, {125, "B"}, {126, "C"}, {1, "D"}});
    // B's child would reach 127: the whole change is refused.
    EXPECT_FALSE(m_tree.ChangeRowLevel(126, 2));
    EXPECT_EQ(Levels(), (Ints{1, 125, 126, 1}));
    EXPECT_FALSE(m_tree.ChangeRowLevel(127, 4));
    EXPECT_EQ(m_tree.GetLevel(4), 1);
    EXPECT_TRUE(m_tree.ChangeRowLevel(126, 4));
    EXPECT_EQ(m_tree.GetLevel(4), 126);
    EXPECT_EQ(m_parent.Count(WM_GRID_ROWSCHANGED), 1);
}

TEST_F(TreeColumnLevel, SetLevelRefuses127AndKeepsTheViewableBit)
{
    BuildTree({{3, "A"}});
    CGridTreeCell* pCell = TreeCell(1);
    pCell->SetLevel(127);
    EXPECT_EQ(pCell->GetFlagByte(), 0x83);
    pCell->SetLevel(126);
    EXPECT_EQ(pCell->GetFlagByte(), 0x80 | 126);
    pCell->SetTopBit(FALSE);
    EXPECT_EQ(pCell->GetFlagByte(), 126);
    pCell->SetLevel(5);
    EXPECT_EQ(pCell->GetFlagByte(), 5);
    EXPECT_FALSE(pCell->IsViewable());
}

TEST_F(TreeColumnLevel, BlankRowsAreSteppedOverAndDoNotEndTheSubtree)
{
    // The blank row sits at level 1, which would end A's subtree if it counted.
    BuildTree({{1, "A"}, {2, "B"}, {1, ""}, {2, "C"}, {1, "D"}});
    EXPECT_TRUE(m_tree.ChangeRowLevel(2, 1));
    EXPECT_EQ(Levels(), (Ints{2, 3, 1, 3, 1}));
}

TEST_F(TreeColumnLevel, NothingChangesForRowZeroOrRowsOutsideTheTree)
{
    BuildTree({{1, "A"}, {1, "B"}});
    EXPECT_FALSE(m_tree.ChangeRowLevel(2, 0));
    EXPECT_FALSE(m_tree.ChangeRowLevel(2, 3));
    EXPECT_FALSE(m_tree.ChangeRowLevel(1, 1));  // the same level
    EXPECT_EQ(Levels(), (Ints{1, 1}));
    EXPECT_EQ(m_parent.Count(WM_GRID_ROWSCHANGED), 0);
}

TEST_F(TreeColumnLevel, DeletingARowMovesTheEndOfTheTree)
{
    m_grid.SetTaskGrid(TRUE);
    BuildTree({{1, "A"}, {2, "B"}, {1, "C"}});
    m_grid.DeleteRow(2);
    EXPECT_EQ(m_tree.GetEndRow(), 3);
    EXPECT_EQ(Levels(), (Ints{1, 1}));
}
