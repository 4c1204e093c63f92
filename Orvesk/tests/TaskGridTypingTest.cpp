// Typing into the task grid as a person does: key presses and input-method commits (UTF-8,
// as the input method hands them over) go to the grid and to the editors it opens (never
// cell texts set from outside). 1 March 2004
// is a Monday; the standard calendar rests on Saturday and Sunday.
#include <gtest/gtest.h>

#include <ClassLib/Ole/DataObject.h>
#include <ClassLib/Ole/GlobalMemory.h>
#include <ClassLib/Testing/Input.h>
#include <ClassLib/Testing/MessageBoxes.h>

#include "GridCtrl.h"
#include "GridDateTimeCtrl.h"
#include "InPlaceEdit.h"
#include "TaskItem.h"
#include "TaskLinkCheck.h"
#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

namespace
{
// 1 项目 (summary) 03-01..03-11; 2 甲 03-01..03-04; 3 乙 03-05..03-11 after 甲; 4 丙
// 03-12..03-18 after 乙 (top level); 5 丁 03-01..03-02, no links.
void FillChain(CProjectDoc& doc)
{
    CTaskItem* pTop = AddTask(doc.m_listTasks, "项目", Day(2004, 3, 1), Day(2004, 3, 11), 9);
    pTop->m_nRowInGrid = 1;
    CTaskItem* pA = AddTask(pTop->m_listChildren, "甲", Day(2004, 3, 1), Day(2004, 3, 4), 4);
    pA->m_nRowInGrid = 2;
    CTaskItem* pB = AddTask(pTop->m_listChildren, "乙", Day(2004, 3, 5), Day(2004, 3, 11), 5);
    pB->m_nRowInGrid = 3;
    AddLink(pB, pA);
    CTaskItem* pC = AddTask(doc.m_listTasks, "丙", Day(2004, 3, 12), Day(2004, 3, 18), 5);
    pC->m_nRowInGrid = 4;
    AddLink(pC, pB, 2, 1);
    CTaskItem* pD = AddTask(doc.m_listTasks, "丁", Day(2004, 3, 1), Day(2004, 3, 2), 2);
    pD->m_nRowInGrid = 5;
    doc.m_nMaxRowInGrid = 5;
}

CString TextOf(CWnd* pWnd)
{
    CString s;
    if (pWnd)
        pWnd->GetWindowText(s);
    return s;
}
} // namespace

class TaskGridTypingTest : public ProjectWindowTest
{
protected:
    CGridCtrl& G() { return m_pTree->GetGrid(); }
    CTaskItem* Task(int nRow) { return Grid().GetTask(nRow); }
    // The focus on the cell and on the grid, as after a click.
    void Focus(int nRow, int nCol)
    {
        G().SetFocusCell(nRow, nCol);
        AfxTestFocus(&G());
    }
    // The window that has the keyboard: the grid, or the editor it opened.
    CWnd* Keys() { return CWnd::GetFocus(); }
    BOOL Editing() { return Keys() && Keys() != &G(); }
    void Key(UINT nKey, UINT nModifiers = 0)
    {
        AfxTestKey(Keys(), nKey, nModifiers);
        AfxPumpMessages();
    }
    void Type(const char* pszUtf8) { AfxTestTypeText(Keys(), pszUtf8); }
    // The clipboard holding the text (code page 936, as the grid copies it).
    void SetClipboardText(const CString& text)
    {
        COleDataSource* pSource = new COleDataSource;
        pSource->CacheGlobalData(CF_TEXT, AfxGlobalFromBytes((LPCTSTR)text, text.GetLength() + 1));
        pSource->SetClipboard();
    }
    // The task's links as the cell shows them.
    CString Links(int nRow)
    {
        CString s;
        for (POSITION pos = Task(nRow)->m_listLinks.GetHeadPosition(); pos != NULL;)
        {
            CString one;
            one.Format(s.IsEmpty() ? "%d" : ",%d", Task(nRow)->m_listLinks.GetNext(pos)->m_nSuccID);
            s += one;
        }
        return s;
    }
};

TEST_F(TaskGridTypingTest, EnterEndsADurationEditAndTheNextKeyStartsAnother)
{
    ASSERT_TRUE(Open(FillChain));
    Focus(2, 3);
    Type("6");
    ASSERT_TRUE(Editing());
    EXPECT_EQ(TextOf(Keys()), CString("6"));
    Key(VK_RETURN);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Text(2, 3), CString("6个工作日"));
    EXPECT_EQ(Task(2)->m_nDuration, 6 * 86400);

    // The next key opens a text editor with that key (no arrow step of the old value).
    Type("7");
    ASSERT_TRUE(Editing());
    EXPECT_EQ(TextOf(Keys()), CString("7"));
    Key(VK_RETURN);
    EXPECT_EQ(Text(2, 3), CString("7个工作日"));
    EXPECT_EQ(Task(2)->m_nDuration, 7 * 86400);

    // And F2 still opens one on the cell's text.
    Key(VK_F2);
    ASSERT_TRUE(Editing());
    EXPECT_EQ(TextOf(Keys()), CString("7个工作日"));
    Key(VK_ESCAPE);
    EXPECT_EQ(Task(2)->m_nDuration, 7 * 86400);
}

TEST_F(TaskGridTypingTest, TheKeyThatStartsAnEditIsTheEditorsFirstText)
{
    ASSERT_TRUE(Open(FillChain));
    struct Case
    {
        int nCol;
        const char* pszTyped;
        BOOL bInputMethod;
        const char* pszExpected;
    };
    const Case cases[] = {
        {2, "x", FALSE, "x"},      {2, "\"", FALSE, "\""}, {2, "(", FALSE, "("},
        {2, u8"项", TRUE, "项"},   {2, u8"项目", TRUE, "项目"}, {3, "5", FALSE, "5"},
        {3, ".", FALSE, "."},      {6, "3", FALSE, "3"},
    };
    for (const Case& c : cases)
    {
        Focus(5, c.nCol);
        if (c.bInputMethod)
            AfxTestInputMethodCommit(&G(), c.pszTyped);
        else
            Type(c.pszTyped);
        ASSERT_TRUE(Editing()) << c.pszTyped;
        EXPECT_EQ(TextOf(Keys()), CString(c.pszExpected)) << c.nCol << " " << c.pszTyped;
        Key(VK_ESCAPE);
        EXPECT_FALSE(Editing());
    }

    // A name typed whole (two-byte characters with punctuation) is the task's name.
    Focus(5, 2);
    AfxTestInputMethodCommit(&G(), u8"《");
    AfxTestInputMethodCommit(Keys(), u8"测试》");
    Key(VK_RETURN);
    EXPECT_EQ(Task(5)->m_strName, CString("《测试》"));
}

TEST_F(TaskGridTypingTest, TypedPredecessorRowsBecomeTheTasksLinks)
{
    ASSERT_TRUE(Open(FillChain));
    // 丙 after 乙 (finish-to-finish, lag 1) and now also after 甲.
    Focus(4, 6);
    Type("2,3");
    Key(VK_RETURN);
    EXPECT_EQ(Links(4), CString("2,3"));
    EXPECT_EQ(Text(4, 6), CString("2,3"));
    const CTaskLink* pKept = Task(4)->m_listLinks.GetTail();
    EXPECT_EQ(pKept->m_nType, 2);
    EXPECT_EQ(pKept->m_nLag, 1);
    const CTaskLink* pNew = Task(4)->m_listLinks.GetHead();
    EXPECT_EQ(pNew->m_nType, 1);
    EXPECT_EQ(pNew->m_strPredName, CString("甲"));
    EXPECT_EQ(Task(4)->m_nFlag, 2);

    // A task without links gets one; the successor moves behind its predecessor.
    Focus(5, 6);
    Type("4");
    Key(VK_RETURN);
    EXPECT_EQ(Links(5), CString("4"));
    EXPECT_EQ(Text(5, 6), CString("4"));
    EXPECT_GT(Task(5)->m_dtStart, Task(4)->m_dtFinish);

    // Emptying the cell removes the links.
    Focus(4, 6);
    Key(VK_BACK);
    Key(VK_BACK);
    Key(VK_BACK);
    Key(VK_RETURN);
    EXPECT_EQ(Links(4), CString(""));
    EXPECT_EQ(Text(4, 6), CString(""));
}

TEST_F(TaskGridTypingTest, ARefusedPredecessorShowsTheCheckAndTheCellShowsTheLinks)
{
    ASSERT_TRUE(Open(FillChain));
    struct Case
    {
        int nRow;
        const char* pszTyped;
        CString strMessage;
        const char* pszLinks;
    };
    const Case cases[] = {
        // 甲 after 丙 closes 甲 -> 乙 -> 丙 -> 甲.
        {2, "4", CTaskLinkCheck::LinkMessage(CTaskLinkCheck::linkCycle), ""},
        // 乙 after its own parent.
        {3, "2,1", CTaskLinkCheck::LinkMessage(CTaskLinkCheck::linkParentChild), "2"},
        // Rows that hold no task, and the task itself.
        {4, "3,9", CInPlaceEdit::CheckMessage(6), "3"},
        {4, "4", CInPlaceEdit::CheckMessage(6), "3"},
    };
    for (const Case& c : cases)
    {
        CTestMessageBoxes boxes;
        boxes.Answer(IDOK);
        Focus(c.nRow, 6);
        Type(c.pszTyped);
        Key(VK_RETURN);
        ASSERT_EQ(boxes.Count(), 1) << c.pszTyped;
        EXPECT_EQ(boxes.Boxes()[0].text, c.strMessage) << c.pszTyped;
        EXPECT_EQ(Links(c.nRow), CString(c.pszLinks)) << c.pszTyped;
        EXPECT_EQ(Text(c.nRow, 6), CString(c.pszLinks)) << c.pszTyped;
        EXPECT_FALSE(Editing());
    }
    EXPECT_EQ(Task(2)->m_nFlag, 0);
    EXPECT_EQ(Task(3)->m_listLinks.GetHead()->m_nSuccID, 2);
}

TEST_F(TaskGridTypingTest, CellsShowTheirOwnFormAfterAnEdit)
{
    ASSERT_TRUE(Open(FillChain));
    Focus(5, 3);
    Type("2.5");
    Key(VK_RETURN);
    EXPECT_EQ(Text(5, 3), CString("2.5个工作日"));
    Focus(5, 3);
    Type("2");
    AfxTestInputMethodCommit(Keys(), u8"小时");
    Key(VK_RETURN);
    EXPECT_EQ(Task(5)->m_nDuration, 7200);
    EXPECT_EQ(Text(5, 3), CString("0.1个工作日"));

    // 859,680 s is 9.95 days stored just below: "%.1f" gives 9.9.
    EXPECT_EQ(CGridCtrl::FormatTaskDays(859680 / 86400.0), CString("9.9个工作日"));
    Close();
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* pTask = AddTask(doc.m_listTasks, "甲", Day(2004, 3, 1), Day(2004, 3, 12), 10);
        pTask->m_nDuration = 859680;
        pTask->m_nRowInGrid = 1;
        doc.m_nMaxRowInGrid = 1;
    }));
    EXPECT_EQ(Text(1, 3), CString("9.9个工作日"));
    EXPECT_EQ(CGridCtrl::FormatTaskDays(3.0), CString("3个工作日"));
    EXPECT_EQ(CGridCtrl::FormatTaskDays(0.04), CString("0个工作日"));
}

TEST_F(TaskGridTypingTest, TheDateEditorTakesTypedFieldsAndEndsOnEnter)
{
    ASSERT_TRUE(Open(FillChain));
    Focus(5, 4);
    Type("2");
    ASSERT_TRUE(Editing());
    CWnd* pPicker = Keys();
    ASSERT_NE(dynamic_cast<CGridDateTimeCtrl*>(pPicker), nullptr);
    // The whole date and the drop button fit the editor.
    CRect rcPicker;
    pPicker->GetWindowRect(rcPicker);
    {
        CClientDC dc(&G());
        CFont* pOld = dc.SelectObject(G().GetFont());
        const CSize size = dc.GetTextExtent(CString("2004年12月28日"));
        dc.SelectObject(pOld);
        EXPECT_GE(rcPicker.Width(), size.cx + ::GetSystemMetrics(SM_CXVSCROLL));
    }
    Type("005");
    EXPECT_EQ(TextOf(pPicker), CString("2005年3月1日"));
    Key(VK_RETURN);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Task(5)->m_dtStart, Day(2005, 3, 1));
    EXPECT_EQ(Text(5, 4), CString("2005年3月1日"));
    EXPECT_EQ(Text(5, 5), CString("2005年3月2日"));

    // Typing again opens the picker again, on the finish this time; Escape keeps it.
    Focus(5, 5);
    Type("2");
    ASSERT_TRUE(Editing());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Task(5)->m_dtFinish, Day(2005, 3, 2));
}

TEST_F(TaskGridTypingTest, ABlankRowShowsNoDurationOrDatesTypedBeforeItIsNamed)
{
    ASSERT_TRUE(Open(FillChain));
    // The first blank row below the five tasks.
    const int nBlank = 6;
    ASSERT_GT(G().GetRowCount(), nBlank);
    ASSERT_EQ(Task(nBlank), nullptr);
    // A duration typed into the blank row below the tasks belongs to no task: the cell
    // stays as it was, and nothing is told to the chart.
    Focus(nBlank, 3);
    Type("3");
    ASSERT_TRUE(Editing());
    Key(VK_RETURN);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Text(nBlank, 3), CString(""));
    // Nor does a date chosen in its picker (which opens on 1 October 2000 there).
    Focus(nBlank, 4);
    Type("2005");
    ASSERT_NE(dynamic_cast<CGridDateTimeCtrl*>(Keys()), nullptr);
    Key(VK_RETURN);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Text(nBlank, 4), CString(""));
    EXPECT_EQ(Task(nBlank), nullptr);

    // Naming the row makes its task, with the values a new task starts with: the start of
    // the task above it and five working days.
    Focus(nBlank, 2);
    Type("new");
    Key(VK_RETURN);
    ASSERT_NE(Task(nBlank), nullptr);
    EXPECT_EQ(Text(nBlank, 3), CString("5个工作日"));
    ASSERT_NE(Task(nBlank - 1), nullptr);
    EXPECT_EQ(Task(nBlank)->m_dtStart, Task(nBlank - 1)->m_dtStart);
    EXPECT_EQ(Text(nBlank, 4), CGridDateTimeCtrl::FormatDate(Task(nBlank - 1)->m_dtStart));
}

TEST_F(TaskGridTypingTest, TheKeysOfTheTaskViewAreTheGrids)
{
    ASSERT_TRUE(Open(FillChain));
    G().SetFocusCell(5, 2);
    // The view has the focus (as its frame gives it when it becomes active): the grid it
    // is covered with takes it, and the first key opens the focus cell's editor.
    AfxTestFocus(m_pTree);
    EXPECT_EQ(Keys(), &G());
    Type("ab");
    ASSERT_TRUE(Editing());
    EXPECT_EQ(TextOf(Keys()), CString("ab"));
    Key(VK_RETURN);
    EXPECT_EQ(Task(5)->m_strName, CString("ab"));
}

TEST_F(TaskGridTypingTest, APasteIntoABlankRowsDurationOrDatesLeavesThemEmpty)
{
    ASSERT_TRUE(Open(FillChain));
    const int nBlank = 6;
    ASSERT_EQ(Task(nBlank), nullptr);
    // Ctrl+V with a duration and a start on the clipboard, on the blank row's duration and
    // then on its start: the row has no task for them, as when they are typed.
    SetClipboardText("3\t2005年3月1日");
    Focus(nBlank, 3);
    Key('V', MK_CONTROL);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Text(nBlank, 3), CString(""));
    EXPECT_EQ(Text(nBlank, 4), CString(""));
    Focus(nBlank, 4);
    Key('V', MK_CONTROL);
    EXPECT_EQ(Text(nBlank, 4), CString(""));
    EXPECT_EQ(Text(nBlank, 5), CString(""));
    EXPECT_EQ(Task(nBlank), nullptr);

    // The same paste on a task's row is taken.
    Focus(5, 3);
    Key('V', MK_CONTROL);
    EXPECT_EQ(Task(5)->m_nDuration, 3 * 86400);
    EXPECT_EQ(Task(5)->m_dtStart, Day(2005, 3, 1));

    // The name typed next makes the blank row's task, with a new task's own values.
    Focus(nBlank, 2);
    Type("new");
    Key(VK_RETURN);
    ASSERT_NE(Task(nBlank), nullptr);
    EXPECT_EQ(Task(nBlank)->m_strName, CString("new"));
    EXPECT_EQ(Text(nBlank, 3), CString("5个工作日"));
    COleDataSource::FlushClipboard();
}

TEST_F(TaskGridTypingTest, APastedNameMakesTheRowsTaskAndTheSummarySpansItsTasks)
{
    ASSERT_TRUE(Open(FillChain));
    // A blank row inserted below 乙, inside the summary: a date pasted there is not kept,
    // the name pasted next makes the row's task, a child of 项目 starting with 乙.
    Focus(4, 2);
    Key(VK_INSERT);
    ASSERT_EQ(Task(4), nullptr);
    SetClipboardText("2004年3月1日");
    Focus(4, 4);
    Key('V', MK_CONTROL);
    EXPECT_EQ(Text(4, 4), CString(""));
    SetClipboardText("任务4");
    Focus(4, 2);
    Key('V', MK_CONTROL);
    ASSERT_NE(Task(4), nullptr);
    EXPECT_EQ(Task(4)->m_strName, CString("任务4"));
    EXPECT_EQ(Text(4, 3), CString("5个工作日"));
    EXPECT_EQ(Task(4)->m_dtStart, Day(2004, 3, 5));
    EXPECT_EQ(Text(4, 4), CString("2004年3月5日"));
    ASSERT_EQ(Task(1)->m_listChildren.GetCount(), 3);

    // Every child typed into 2007: the summary starts with the earliest of them.
    Focus(2, 4);
    Type("2007");
    Key(VK_RETURN);
    Focus(4, 4);
    Type("2007");
    Key(VK_RETURN);
    EXPECT_EQ(Task(4)->m_dtStart, Day(2007, 3, 5));
    EXPECT_EQ(Task(1)->m_dtStart, Day(2007, 3, 1));
    EXPECT_EQ(Text(1, 4), CString("2007年3月1日"));

    // A task named below one takes that task's start.
    Focus(6, 4);
    Type("2004");
    Key(VK_RIGHT);
    Type("3");
    Key(VK_RIGHT);
    Type("16");
    Key(VK_RETURN);
    ASSERT_EQ(Task(6)->m_dtStart, Day(2004, 3, 16));
    Focus(7, 2);
    Type("new");
    Key(VK_RETURN);
    ASSERT_NE(Task(7), nullptr);
    EXPECT_EQ(Task(7)->m_dtStart, Day(2004, 3, 16));
    EXPECT_EQ(Text(7, 4), CString("2004年3月16日"));
    COleDataSource::FlushClipboard();
}

TEST_F(TaskGridTypingTest, ASummaryWhoseChildFollowsItSpansItsChildrenAfterTheyMove)
{
    // As a stored project may have it: 任务2 after its own parent 任务1 (a link the grid
    // refuses when typed), 任务3 after 任务2, 任务4 (top level) after 任务3.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* p1 = AddTask(doc.m_listTasks, "任务1", Day(2004, 3, 1), Day(2004, 3, 5), 5);
        p1->m_nRowInGrid = 1;
        CTaskItem* p2 = AddTask(p1->m_listChildren, "任务2", Day(2004, 3, 1), Day(2004, 3, 2), 2);
        p2->m_nRowInGrid = 2;
        AddLink(p2, p1);
        CTaskItem* p3 = AddTask(p1->m_listChildren, "任务3", Day(2004, 3, 3), Day(2004, 3, 5), 3);
        p3->m_nRowInGrid = 3;
        AddLink(p3, p2);
        CTaskItem* p4 = AddTask(doc.m_listTasks, "任务4", Day(2004, 3, 8), Day(2004, 3, 11), 4);
        p4->m_nRowInGrid = 4;
        AddLink(p4, p3);
        doc.m_nMaxRowInGrid = 4;
    }));
    // 任务2 typed into 2007: 任务3 and 任务4 follow, and the summary spans its children.
    Focus(2, 4);
    Type("2007");
    Key(VK_RETURN);
    EXPECT_EQ(Task(2)->m_dtStart, Day(2007, 3, 1));
    EXPECT_EQ(Task(3)->m_dtStart, Day(2007, 3, 5));
    EXPECT_EQ(Task(3)->m_dtFinish, Day(2007, 3, 7));
    EXPECT_EQ(Task(1)->m_dtStart, Day(2007, 3, 1));
    EXPECT_EQ(Task(1)->m_dtFinish, Day(2007, 3, 7));
    EXPECT_EQ(Text(1, 4), CString("2007年3月1日"));
    EXPECT_EQ(Text(1, 5), CString("2007年3月7日"));
    EXPECT_EQ(Text(1, 3), CString("5个工作日"));

    // A task named below 任务4 starts with 任务4, as its row shows it.
    Focus(5, 2);
    Type("new");
    Key(VK_RETURN);
    ASSERT_NE(Task(5), nullptr);
    EXPECT_EQ(Task(5)->m_dtStart, Task(4)->m_dtStart);
    EXPECT_EQ(Text(5, 4), Text(4, 4));
}

TEST_F(TaskGridTypingTest, ATaskNamedBelowAStoredChainStartsWithTheTaskAboveAsItEndsUp)
{
    // Stored as a project may come: every task on 1 March, 任务2 after its own parent, 任务3
    // after 任务2, 任务4 after 任务3, the summary not spanning its children.
    ASSERT_TRUE(Open([](CProjectDoc& doc) {
        CTaskItem* p1 = AddTask(doc.m_listTasks, "任务1", Day(2004, 3, 1), Day(2004, 3, 1), 1);
        p1->m_nRowInGrid = 1;
        CTaskItem* p2 = AddTask(p1->m_listChildren, "任务2", Day(2004, 3, 1), Day(2004, 3, 2), 2);
        p2->m_nRowInGrid = 2;
        AddLink(p2, p1);
        CTaskItem* p3 = AddTask(p1->m_listChildren, "任务3", Day(2004, 3, 1), Day(2004, 3, 3), 3);
        p3->m_nRowInGrid = 3;
        AddLink(p3, p2);
        CTaskItem* p4 = AddTask(doc.m_listTasks, "任务4", Day(2004, 3, 1), Day(2004, 3, 4), 4);
        p4->m_nRowInGrid = 4;
        AddLink(p4, p3);
        doc.m_nMaxRowInGrid = 4;
    }));
    Focus(5, 2);
    Type("new");
    Key(VK_RETURN);
    ASSERT_NE(Task(5), nullptr);
    EXPECT_EQ(Task(5)->m_dtStart, Task(4)->m_dtStart);
    EXPECT_EQ(Text(5, 4), Text(4, 4));
    EXPECT_EQ(Text(4, 4), CGridDateTimeCtrl::FormatDate(Task(4)->m_dtStart));
}
