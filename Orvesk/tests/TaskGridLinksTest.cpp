// The link checks as the task grid and the task tree view offer them: candidate lists in
// row order, the refusal texts, and rows past the document's highest row.
#include <gtest/gtest.h>

#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

namespace
{
// 1 项目 (summary) with 2 设计 and 3 编码 (after 设计); 4 测试 after 编码.
void FillSmallProject(CProjectDoc& doc)
{
    CTaskItem* pTop = AddTask(doc.m_listTasks, "项目", Day(2004, 3, 1), Day(2004, 3, 12), 10);
    pTop->m_nRowInGrid = 1;
    pTop->m_nTaskID = 501;
    CTaskItem* pDesign = AddTask(pTop->m_listChildren, "设计", Day(2004, 3, 1), Day(2004, 3, 5), 5);
    pDesign->m_nRowInGrid = 2;
    pDesign->m_nTaskID = 502;
    CTaskItem* pCode = AddTask(pTop->m_listChildren, "编码", Day(2004, 3, 8), Day(2004, 3, 12), 5);
    pCode->m_nRowInGrid = 3;
    pCode->m_nTaskID = 503;
    AddLink(pCode, pDesign);
    CTaskItem* pTest = AddTask(doc.m_listTasks, "测试", Day(2004, 3, 15), Day(2004, 3, 19), 5);
    pTest->m_nRowInGrid = 4;
    pTest->m_nTaskID = 504;
    AddLink(pTest, pCode);
    doc.m_nMaxRowInGrid = 4;
}
} // namespace

using TaskGridLinksTest = ProjectWindowTest;

TEST_F(TaskGridLinksTest, RefusalsCarryTheirTexts)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CString str("old");
    EXPECT_FALSE(Tree()->CheckTaskLink(2, 4, str));
    EXPECT_EQ(str, CString("链接任务出错!\n\n这样将产生循环链接!"));
    EXPECT_FALSE(Tree()->GetGrid().CheckTaskLink(1, 2, str));
    EXPECT_EQ(str, CString("链接任务出错!\n\n不能将两个父子关系的任务进行链接!"));
    EXPECT_TRUE(Tree()->GetGrid().CheckTaskLink(4, 2, str));
    EXPECT_EQ(str, CString(""));
}

TEST_F(TaskGridLinksTest, CandidatesInRowOrderWithTheirIds)
{
    ASSERT_TRUE(Open(FillSmallProject));
    CStringArray names;
    CUIntArray ids;
    Tree()->GetGrid().GetLinkableTasks(4, names, ids);
    ASSERT_EQ(names.GetSize(), 3);
    EXPECT_EQ(names[0], CString("项目"));
    EXPECT_EQ(names[1], CString("设计"));
    EXPECT_EQ(names[2], CString("编码"));
    ASSERT_EQ(ids.GetSize(), 3);
    EXPECT_EQ(ids[0], 501u);
    EXPECT_EQ(ids[2], 503u);

    Tree()->GetLinkableTasks(2, names, ids);
    EXPECT_EQ(names.GetSize(), 0);
    EXPECT_EQ(ids.GetSize(), 0);
}

TEST_F(TaskGridLinksTest, RowsPastTheHighestRowHandedOutTakePart)
{
    ASSERT_TRUE(Open(FillSmallProject));
    // The document's highest row lags behind (as after rows were inserted by hand).
    m_pDoc->m_nMaxRowInGrid = 2;
    CString str;
    EXPECT_FALSE(Tree()->CheckTaskLink(2, 4, str));
    CStringArray names;
    CUIntArray ids;
    Tree()->GetLinkableTasks(3, names, ids);
    // 项目 is its parent and 测试 comes after it; 设计 (already before it) stays offered.
    ASSERT_EQ(names.GetSize(), 1);
    EXPECT_EQ(names[0], CString("设计"));
}

// The names are read for blocks of rows at a time: rows without a name in later blocks, and
// a last block that is not full, leave out exactly those rows.
TEST_F(TaskGridLinksTest, UnnamedRowsInLaterBlocksAreLeftOut)
{
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        for (int row = 1; row <= 80; row++)
        {
            CString strName;
            if (row != 33 && row != 64 && row != 79)
                strName.Format("任务%d", row);
            CTaskItem* pTask = AddTask(doc.m_listTasks, strName, Day(2004, 3, 1), Day(2004, 3, 5), 5);
            pTask->m_nRowInGrid = row;
            pTask->m_nTaskID = 1000 + row;
        }
        doc.m_nMaxRowInGrid = 80;
    }));
    CStringArray names;
    CUIntArray ids;
    names.Add("old");
    Tree()->GetLinkableTasks(1, names, ids);
    ASSERT_EQ(names.GetSize(), 76);
    ASSERT_EQ(ids.GetSize(), 76);
    INT_PTR i = 0;
    for (int row = 2; row <= 80; row++)
    {
        if (row == 33 || row == 64 || row == 79)
            continue;
        CString strName;
        strName.Format("任务%d", row);
        EXPECT_EQ(names[i], strName);
        EXPECT_EQ(ids[i], (UINT)(1000 + row));
        i++;
    }
}
