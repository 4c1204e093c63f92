// The checks of edited task cells: the texts the duration, date and predecessor columns
// accept, the messages of a refusal, and that every way an edit ends is checked.
#include <gtest/gtest.h>

#include <ClassLib/Testing/Input.h>
#include <ClassLib/Testing/MessageBoxes.h>

#include "GridCell.h"
#include "InPlaceEdit.h"
#include "TaskItem.h"
#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

namespace
{
int Kind(int nCol, const char* pszText)
{
    double dDays = -1;
    BOOL bNoUnit = FALSE;
    return CInPlaceEdit::CheckTaskCellText(nCol, CString(pszText), dDays, bNoUnit);
}

double Days(const char* pszText, BOOL* pNoUnit = nullptr)
{
    double dDays = -1;
    BOOL bNoUnit = FALSE;
    EXPECT_EQ(CInPlaceEdit::CheckTaskCellText(3, CString(pszText), dDays, bNoUnit), 0) << pszText;
    if (pNoUnit)
        *pNoUnit = bNoUnit;
    return dDays;
}

void FillTwoTasks(CProjectDoc& doc)
{
    AddTask(doc.m_listTasks, "设计", Day(2004, 3, 1), Day(2004, 3, 5), 5)->m_nRowInGrid = 1;
    AddTask(doc.m_listTasks, "编码", Day(2004, 3, 8), Day(2004, 3, 12), 5)->m_nRowInGrid = 2;
    doc.m_nMaxRowInGrid = 2;
}

const char kDurationMsg[] = "无效工期!\n\n请输入正确格式: 如 2个工作日 (或 2小时)      ";
const char kDateMsg[] = "无效日期.\n\n请输入正确日期： 如2000年10月1日";
const char kPredMsg[] = "无效标识号.\n\n请输入正确标识号也即行号.";
} // namespace

TEST(TaskCellCheckTest, Durations)
{
    BOOL bNoUnit = TRUE;
    EXPECT_DOUBLE_EQ(Days("2个工作日", &bNoUnit), 2.0);
    EXPECT_FALSE(bNoUnit);
    EXPECT_DOUBLE_EQ(Days("2小时", &bNoUnit), 2.0 / 24.0);
    EXPECT_FALSE(bNoUnit);
    EXPECT_DOUBLE_EQ(Days("2", &bNoUnit), 2.0);
    EXPECT_TRUE(bNoUnit);
    EXPECT_DOUBLE_EQ(Days("2.5个工作日"), 2.5);
    EXPECT_DOUBLE_EQ(Days("0"), 0.0);
    EXPECT_EQ(Kind(3, "-1个工作日"), 3);
    EXPECT_EQ(Kind(3, "2天"), 3);
    EXPECT_EQ(Kind(3, "2 个工作日"), 3);
    EXPECT_EQ(Kind(3, "2个工作日x"), 3);
    EXPECT_EQ(Kind(3, "abc"), 3);
    // Nothing a task record cannot hold.
    EXPECT_EQ(Kind(3, "99999999999个工作日"), 3);
    EXPECT_EQ(Kind(3, "inf"), 3);
    EXPECT_EQ(Kind(3, "nan"), 3);
    EXPECT_EQ(Kind(3, "0x10"), 3);
    EXPECT_EQ(CInPlaceEdit::CheckMessage(3), CString(kDurationMsg));
}

TEST(TaskCellCheckTest, Dates)
{
    EXPECT_EQ(Kind(4, "2000年10月1日"), 0);
    EXPECT_EQ(Kind(5, "2004年02月29日"), 0);
    EXPECT_EQ(Kind(4, "2000年13月1日"), 4);
    EXPECT_EQ(Kind(4, "2000年10月32日"), 4);
    EXPECT_EQ(Kind(4, "2000年0月1日"), 4);
    EXPECT_EQ(Kind(4, "2000年10月0日"), 4);
    EXPECT_EQ(Kind(4, "00年10月1日"), 4);
    EXPECT_EQ(Kind(4, "20000年10月1日"), 4);
    EXPECT_EQ(Kind(4, "2000年10月1日 "), 4);
    EXPECT_EQ(Kind(4, "2000年10月1日上午"), 4);
    EXPECT_EQ(Kind(4, "2000年10月1"), 4);
    EXPECT_EQ(Kind(4, "2000-10-1"), 4);
    // The day must exist in its month.
    EXPECT_EQ(Kind(5, "2001年2月31日"), 4);
    EXPECT_EQ(Kind(5, "2001年2月29日"), 4);
    EXPECT_EQ(Kind(5, "2001年4月31日"), 4);
    EXPECT_EQ(Kind(5, "0000年1月1日"), 4);
    EXPECT_EQ(CInPlaceEdit::CheckMessage(4), CString(kDateMsg));
}

TEST(TaskCellCheckTest, PredecessorRowLists)
{
    EXPECT_EQ(Kind(6, "3"), 0);
    EXPECT_EQ(Kind(6, "12"), 0);
    EXPECT_EQ(Kind(6, ""), 0);
    // The form the cell shows: rows joined by commas.
    EXPECT_EQ(Kind(6, "26,29"), 0);
    EXPECT_EQ(Kind(6, "8, 7"), 0);
    EXPECT_EQ(Kind(6, "8，7"), 0);
    EXPECT_EQ(Kind(6, "2,"), 6);
    EXPECT_EQ(Kind(6, ",2"), 6);
    EXPECT_EQ(Kind(6, "2,,3"), 6);
    EXPECT_EQ(Kind(6, "2 3"), 6);
    EXPECT_EQ(Kind(6, "abc"), 6);
    EXPECT_EQ(Kind(6, "3a"), 6);
    EXPECT_EQ(Kind(6, "-3"), 6);
    EXPECT_EQ(Kind(6, "99999999999"), 6);
    EXPECT_EQ(CInPlaceEdit::CheckMessage(6), CString(kPredMsg));
    // Other columns are not checked.
    EXPECT_EQ(Kind(2, "2,3"), 0);
    EXPECT_EQ(Kind(1, "x"), 0);
}

class TaskCellEditTest : public ProjectWindowTest
{
protected:
    CGridCtrl& GridCtrl() { return Tree()->m_Grid; }
    // Opens the text editor over a cell, as the cells do for a key (so the arrows end it),
    // and types a text into it (typing holds the mouse).
    CInPlaceEdit* Edit(int nRow, int nCol, const char* pszText)
    {
        GridCtrl().SetFocusCell(nRow, nCol);
        CRect rect;
        if (!GridCtrl().GetCellRect(nRow, nCol, rect))
            return nullptr;
        CInPlaceEdit* pEdit = new CInPlaceEdit(&GridCtrl(), rect, 0, IDC_GRID_INPLACE_CONTROL, nRow, nCol,
                                               GridCtrl().GetItemText(nRow, nCol), VK_RETURN);
        if (!pEdit->GetSafeHwnd())
            return nullptr;
        m_hEdit = pEdit->GetSafeHwnd();
        pEdit->SetWindowText(pszText);
        pEdit->SetCapture();
        return pEdit;
    }
    BOOL IsOpen(CInPlaceEdit* /*pEdit*/, int /*nRow*/, int /*nCol*/)
    {
        AfxPumpMessages();
        return ::IsWindow(m_hEdit);
    }
    HWND m_hEdit = nullptr;
    CString EditText(CInPlaceEdit* pEdit)
    {
        CString str;
        pEdit->GetWindowText(str);
        return str;
    }
    CTaskItem* Task(int nRow) { return Grid().GetTask(nRow); }
    CPoint Outside(CInPlaceEdit* pEdit)
    {
        CRect rc;
        pEdit->GetClientRect(rc);
        return CPoint(rc.right + 30, rc.bottom + 30);
    }
};

// Each way an edit ends.
enum class End { Enter, Tab, Arrow, FocusLoss, Press };

static void EndEdit(CInPlaceEdit* pEdit, End how, CWnd* pOther, CPoint outside)
{
    switch (how)
    {
    case End::Enter: pEdit->SendMessage(WM_CHAR, VK_RETURN, 0); break;
    case End::Tab: pEdit->SendMessage(WM_CHAR, VK_TAB, 0); break;
    case End::Arrow: pEdit->SendMessage(WM_KEYDOWN, VK_DOWN, 0); break;
    case End::FocusLoss: pOther->SetFocus(); break;
    case End::Press: AfxTestMouseDown(pEdit, outside); AfxTestMouseUp(pEdit, outside); break;
    }
    AfxPumpMessages();
}

class TaskCellEndTest : public TaskCellEditTest, public ::testing::WithParamInterface<End>
{
};

TEST_P(TaskCellEndTest, ARefusedDurationKeepsTheEditorOpen)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    CInPlaceEdit* pEdit = Edit(2, 3, "2天");
    ASSERT_NE(pEdit, nullptr);
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    EndEdit(pEdit, GetParam(), &GridCtrl(), Outside(pEdit));
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text, CString(kDurationMsg));
    ASSERT_TRUE(IsOpen(pEdit, 2, 3));
    EXPECT_EQ(EditText(pEdit), CString("2天"));
    EXPECT_EQ(Task(2)->m_nDuration, 5 * 86400);

    // Corrected, it ends; hours are a 24th of a day.
    pEdit->SetWindowText("2小时");
    pEdit->SendMessage(WM_CHAR, VK_RETURN, 0);
    AfxPumpMessages();
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_FALSE(IsOpen(pEdit, 2, 3));
    EXPECT_EQ(Task(2)->m_nDuration, 2 * 3600);
}

TEST_P(TaskCellEndTest, ARefusedDateKeepsTheEditorOpen)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    CInPlaceEdit* pEdit = Edit(2, 4, "2004年2月31日");
    ASSERT_NE(pEdit, nullptr);
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    EndEdit(pEdit, GetParam(), &GridCtrl(), Outside(pEdit));
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text, CString(kDateMsg));
    EXPECT_TRUE(IsOpen(pEdit, 2, 4));
    EXPECT_EQ(EditText(pEdit), CString("2004年2月31日"));
    EXPECT_EQ(Task(2)->m_dtStart, Day(2004, 3, 8));
}

TEST_P(TaskCellEndTest, ARefusedIdentifierGetsTheOldTextBack)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    CInPlaceEdit* pEdit = Edit(2, 6, "1,x");
    ASSERT_NE(pEdit, nullptr);
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    EndEdit(pEdit, GetParam(), &GridCtrl(), Outside(pEdit));
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text, CString(kPredMsg));
    EXPECT_TRUE(IsOpen(pEdit, 2, 6));
    EXPECT_EQ(EditText(pEdit), CString(""));
    EXPECT_EQ(Text(2, 6), CString(""));
}

TEST_P(TaskCellEndTest, AnAcceptedTextEndsTheEdit)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    CInPlaceEdit* pEdit = Edit(2, 3, "3个工作日");
    ASSERT_NE(pEdit, nullptr);
    CTestMessageBoxes boxes;
    EndEdit(pEdit, GetParam(), &GridCtrl(), Outside(pEdit));
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_FALSE(IsOpen(pEdit, 2, 3));
    EXPECT_EQ(Task(2)->m_nDuration, 3 * 86400);
}

INSTANTIATE_TEST_SUITE_P(EveryEnd, TaskCellEndTest,
                         ::testing::Values(End::Enter, End::Tab, End::Arrow, End::FocusLoss, End::Press));

TEST_F(TaskCellEditTest, EscapeEndsWithTheOldTextUnchecked)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    CInPlaceEdit* pEdit = Edit(2, 3, "2天");
    ASSERT_NE(pEdit, nullptr);
    CTestMessageBoxes boxes;
    pEdit->SendMessage(WM_CHAR, VK_ESCAPE, 0);
    AfxPumpMessages();
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_FALSE(IsOpen(pEdit, 2, 3));
    EXPECT_EQ(Task(2)->m_nDuration, 5 * 86400);
}

TEST_F(TaskCellEditTest, APlainGridChecksNothing)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    GridCtrl().SetTaskGrid(FALSE);
    CInPlaceEdit* pEdit = Edit(2, 6, "abc");
    ASSERT_NE(pEdit, nullptr);
    CTestMessageBoxes boxes;
    pEdit->SendMessage(WM_CHAR, VK_RETURN, 0);
    AfxPumpMessages();
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_FALSE(IsOpen(pEdit, 2, 6));
    GridCtrl().SetTaskGrid(TRUE);
}

TEST_F(TaskCellEditTest, AStateCellWithoutTextKeepsTheStatus)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    Task(2)->m_nStatus = 4;
    Grid().EditCell(2, 1, "");
    EXPECT_EQ(Task(2)->m_nStatus, 4);
    Grid().EditCell(2, 1, "2");
    EXPECT_EQ(Task(2)->m_nStatus, 2);
}

TEST_F(TaskCellEditTest, HoursTypedAreADayFractionInTheTask)
{
    ASSERT_TRUE(Open(FillTwoTasks));
    Grid().EditCell(2, 3, "12小时");
    EXPECT_EQ(Task(2)->m_nDuration, 12 * 3600);
    Grid().EditCell(2, 3, "2");
    EXPECT_EQ(Task(2)->m_nDuration, 2 * 86400);
}
