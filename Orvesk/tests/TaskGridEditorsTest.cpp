// The task grid's in-place editors driven as a person drives them: clicks, key presses and
// input-method commits in generated sequences (fixed seeds). The test keeps its own account
// of what each cell should hold and which editor should be open, and checks after every
// step that at most one editor exists, that it has the keyboard, and that every cell holds
// exactly what was typed into it.
#include <gtest/gtest.h>

#include <ClassLib/Testing/Input.h>
#include <ClassLib/Testing/MessageBoxes.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <random>
#include <string>

#include "GanttBarView.h"
#include "GanttView.h"
#include "GridCtrl.h"
#include "GridDateTimeCtrl.h"
#include "InPlaceEdit.h"
#include "ProjectDialogHooks.h"
#include "TaskItem.h"
#include "TaskTreeView.h"
#include "TitleTip.h"
#include "ViewsTestSupport.h"

namespace
{
const int kRows = 5;
const int kName = 2, kDuration = 3, kStart = 4, kFinish = 5, kPred = 6;

// Five top-level tasks of two days from Monday 1 March 2004, no links.
void FillFive(CProjectDoc& doc)
{
    for (int i = 1; i <= kRows; i++)
    {
        CString name;
        name.Format("T%d", i);
        CTaskItem* p = AddTask(doc.m_listTasks, name, Day(2004, 3, 1), Day(2004, 3, 2), 2);
        p->m_nRowInGrid = i;
    }
    doc.m_nMaxRowInGrid = kRows;
}

CString Cp936(const std::string& s)
{
    return CString(s.c_str());
}

enum EditorKind
{
    kNone,
    kText,
    kPicker
};

// What the test expects: cell texts (code page 936, as the cells hold them) of the name, duration and predecessor columns,
// the focus cell, and the open editor.
struct Model
{
    std::string text[kRows + 1][7];
    int nRow = 1, nCol = kName;
    EditorKind editor = kNone;
    std::string edit;       // a text editor's text
    BOOL bReplace = FALSE;  // everything selected: the next character replaces it
    BOOL bTyped = FALSE;    // something typed since it opened
    int nYear = 0;          // the year typed into a picker, 0 for none
    CString strAtOpen;      // the date cell's text when its picker opened
    BOOL bElsewhere = FALSE; // the keyboard is another window's (the chart)
    BOOL bCaretMoved = FALSE; // a click placed the editor's caret: no more typing into it
};
} // namespace

class TaskGridEditorsTest : public ProjectWindowTest
{
protected:
    CGridCtrl& G() { return m_pTree->GetGrid(); }

    void OpenWide()
    {
        ASSERT_TRUE(Open(FillFive));
        // The grid pane wide enough for every column of the rows edited.
        GanttView()->m_wndSplitter.SetColumnInfo(0, 700, 10);
        GanttView()->m_wndSplitter.SetColumnInfo(1, 300, 10);
        GanttView()->m_wndSplitter.RecalcLayout();
        AfxPumpMessages();
        CRect rcCell, rcClient;
        G().GetClientRect(rcClient);
        ASSERT_TRUE(G().GetCellRect(kRows, kPred, &rcCell));
        ASSERT_LE(rcCell.right, rcClient.right);
        AfxTestFocus(&G());
        AfxTestClick(&G(), Inside(1, kName));
        AfxPumpMessages();
        for (int r = 1; r <= kRows; r++)
        {
            m.text[r][kName] = "T" + std::to_string(r);
            m.text[r][kDuration] = "2个工作日";
            m.text[r][kPred] = "";
        }
    }

    // The grid's children that are in-place editors.
    int EditorCount()
    {
        int n = 0;
        for (CWnd* p = G().GetWindow(GW_CHILD); p; p = p->GetWindow(GW_HWNDNEXT))
            if (p->IsWindowVisible() && p->GetDlgCtrlID() == IDC_GRID_INPLACE_CONTROL)
                n++;
        return n;
    }
    CWnd* Keys() { return CWnd::GetFocus(); }
    CPoint Inside(int nRow, int nCol)
    {
        CRect rc;
        G().GetCellRect(nRow, nCol, &rc);
        return CPoint(rc.left + rc.Width() / 3, rc.top + rc.Height() / 2);
    }
    // The drop-down arrow of a date cell.
    CPoint Arrow(int nRow, int nCol)
    {
        CRect rc;
        G().GetCellRect(nRow, nCol, &rc);
        CGridCellBase* pCell = G().GetCell(nRow, nCol);
        for (int x = rc.Width() - 2; x > 0; x--)
            if (pCell->HitTestButton(CPoint(x, rc.Height() / 2)) >= 0)
                return CPoint(rc.left + x - 3, rc.top + rc.Height() / 2);
        ADD_FAILURE() << "no arrow in " << nRow << "," << nCol;
        return CPoint(rc.left, rc.top);
    }
    void Step() { AfxPumpMessages(); }
    // The point (grid coordinates) lies on the open editor.
    BOOL OnEditor(CPoint pt)
    {
        if (m.editor == kNone || !Keys() || Keys()->GetParent() != &G())
            return FALSE;
        CRect rc;
        Keys()->GetWindowRect(rc);
        G().ScreenToClient(rc);
        return rc.PtInRect(pt);
    }
    CWnd* Chart() { return &static_cast<CGanttBarView*>(GanttView()->m_wndSplitter.GetPane(0, 1))->GetChart(); }

    // The open editor's end: what it commits (or, cancelled, what it leaves).
    void Commit(BOOL bKeep)
    {
        if (m.editor == kText && bKeep)
        {
            if (m.nCol == kDuration)
                m.text[m.nRow][kDuration] = m.bTyped ? m.edit + "个工作日" : m.text[m.nRow][kDuration];
            else
                m.text[m.nRow][m.nCol] = m.edit;
        }
        m.editor = kNone;
    }
    void CheckCommittedDate(int nRow, int nCol, int nYear, const CString& strAtOpen, const std::string& what)
    {
        const CString now = Text(nRow, nCol);
        if (nYear)
        {
            CString year;
            year.Format("%d年", nYear);
            EXPECT_EQ(now.Left(year.GetLength()), year) << what;
        }
        else
            EXPECT_EQ(now, strAtOpen) << what;
    }
    void OpenEditor(EditorKind kind, const std::string& text, BOOL bReplace)
    {
        m.editor = kind;
        m.edit = text;
        m.bReplace = bReplace;
        m.bTyped = FALSE;
        m.nYear = 0;
        m.strAtOpen = kind == kPicker ? Text(m.nRow, m.nCol) : CString();
        m.bCaretMoved = FALSE;
    }
    static BOOL IsDate(int nCol) { return nCol == kStart || nCol == kFinish; }

    void Check(const std::string& what)
    {
        ASSERT_LE(EditorCount(), 1) << what;
        // The toolkit's keyboard focus (where the desktop's keys and input-method text
        // arrive) is inside the window that has the focus.
        if (Keys())
        {
            QWidget* pKeysWidget = AfxGetWidget(Keys()->GetSafeHwnd());
            QWidget* pQtFocus = QApplication::focusWidget();
            ASSERT_NE(pQtFocus, nullptr) << what;
            ASSERT_TRUE(pQtFocus == pKeysWidget || (pKeysWidget && pKeysWidget->isAncestorOf(pQtFocus)))
                << what << " qt focus " << pQtFocus->metaObject()->className();
        }
        ASSERT_EQ(QApplication::activePopupWidget(), nullptr) << what;
        if (m.bElsewhere)
        {
            ASSERT_EQ(EditorCount(), 0) << what << " keys " << (Keys() ? typeid(*Keys()).name() : "none");
            ASSERT_EQ(Keys(), Chart()) << what;
        }
        else if (m.editor == kNone)
        {
            ASSERT_EQ(EditorCount(), 0) << what;
            ASSERT_EQ(Keys(), &G()) << what;
            ASSERT_EQ(G().GetFocusCell().row, m.nRow) << what;
            ASSERT_EQ(G().GetFocusCell().col, m.nCol) << what;
        }
        else
        {
            ASSERT_EQ(EditorCount(), 1) << what;
            CWnd* pKeys = Keys();
            ASSERT_NE(pKeys, nullptr) << what;
            ASSERT_EQ(pKeys->GetParent(), &G()) << what;
            ASSERT_EQ(pKeys->GetDlgCtrlID(), IDC_GRID_INPLACE_CONTROL) << what;
            if (m.editor == kPicker)
            {
                ASSERT_NE(dynamic_cast<CGridDateTimeCtrl*>(pKeys), nullptr) << what;
            }
            else
            {
                ASSERT_NE(dynamic_cast<CInPlaceEdit*>(pKeys), nullptr) << what;
                CString s;
                pKeys->GetWindowText(s);
                ASSERT_EQ(s, Cp936(m.edit)) << what;
            }
        }
        for (int r = 1; r <= kRows; r++)
        {
            for (int c : {kName, kDuration, kPred})
            {
                if (m.editor != kNone && m.nRow == r && m.nCol == c)
                    continue;
                ASSERT_EQ(Text(r, c), Cp936(m.text[r][c])) << what << " cell " << r << "," << c;
            }
        }
    }

    void RunSequence(unsigned nSeed, int nSteps);

    Model m;
};

void TaskGridEditorsTest::RunSequence(unsigned nSeed, int nSteps)
{
    std::mt19937 rng(nSeed);
    auto pick = [&](int n) { return (int)(rng() % (unsigned)n); };
    const int kCols[] = {kName, kDuration, kStart, kFinish, kPred};
    const char* const kNames[] = {"a", "bc", "x", "Qz"};
    // Input-method text as committed (UTF-8) and as the cell holds it.
    const char* const kNamesIme[][2] = {{u8"项目", "项目"}, {u8"上线部署", "上线部署"}, {u8"测", "测"}};
    // The frame's menu bar has "&File"; the others are no mnemonic of the bar.
    const char kMenuKeys[] = {'F', 'E', 'N', 'H', 'V'};
    std::string log;

    for (int i = 0; i < nSteps; i++)
    {
        int nAction = pick(10);
        std::string what = "seed " + std::to_string(nSeed) + " step " + std::to_string(i) + ": ";
        // The picker's commit is checked on the cell it edited.
        const int nEditRow = m.nRow, nEditCol = m.nCol, nYear = m.nYear;
        const CString strAtOpen = m.strAtOpen;
        const BOOL bPickerOpen = m.editor == kPicker;
        BOOL bPickerEnded = FALSE, bPickerKept = FALSE;
        if (m.bElsewhere && nAction >= 3)
        {
            // Keys for the chart: no cell takes them.
            static const char* const kKeys[] = {"7", "a", "\r", "\t", "\x1b"};
            const char* pszKey = kKeys[pick(5)];
            what += std::string("key to the chart ") + std::to_string((int)pszKey[0]);
            if (pszKey[0] == '\r')
                AfxTestKey(Keys(), VK_RETURN);
            else if (pszKey[0] == '\t')
                AfxTestKey(Keys(), VK_TAB);
            else if (pszKey[0] == '\x1b')
                AfxTestKey(Keys(), VK_ESCAPE);
            else
                AfxTestTypeText(Keys(), pszKey);
            nAction = -1;
        }
        if (nAction == 0 || nAction == 1)
            m.bElsewhere = FALSE;
        switch (nAction)
        {
        case 0: // a click in a cell's text area
        {
            const int r = 1 + pick(kRows), c = kCols[pick(5)];
            what += "click " + std::to_string(r) + "," + std::to_string(c);
            const CPoint pt = Inside(r, c);
            const BOOL bOnEditor = OnEditor(pt);
            AfxTestClick(&G(), pt);
            if (bOnEditor && m.editor == kText)
            {
                // The editor lies over the cell: the click places its caret.
                what += " (on its editor)";
                m.bReplace = FALSE;
                m.bCaretMoved = TRUE;
                break;
            }
            bPickerEnded = bPickerKept = bPickerOpen;
            Commit(TRUE);
            if (bOnEditor)
            {
                what += " (on the picker)";
                break;
            }
            m.nRow = r;
            m.nCol = c;
            break;
        }
        case 1: // a click on a date cell's arrow opens its picker
        {
            const int r = 1 + pick(kRows), c = pick(2) ? kStart : kFinish;
            what += "arrow " + std::to_string(r) + "," + std::to_string(c);
            const CPoint pt = Arrow(r, c);
            const BOOL bSame = OnEditor(pt);
            AfxTestClick(&G(), pt);
            if (bSame && m.editor == kText)
            {
                what += " (on its editor)";
                m.bReplace = FALSE;
                m.bCaretMoved = TRUE;
                break;
            }
            bPickerEnded = bPickerKept = bPickerOpen;
            Commit(TRUE);
            if (bSame)
            {
                // The open picker covers the cell: the click is the picker's, which ends it.
                what += " (on the picker)";
                break;
            }
            m.nRow = r;
            m.nCol = c;
            OpenEditor(kPicker, "", FALSE); // the cell's text once the edit before it ended
            break;
        }
        case 2: // a click on the chart below its bars: the keys go there, none to a cell
        {
            what += "click elsewhere";
            CWnd* pChart = Chart();
            CRect rc;
            pChart->GetClientRect(rc);
            AfxTestClick(pChart, CPoint(rc.Width() / 2, rc.bottom - 8));
            bPickerEnded = bPickerKept = bPickerOpen;
            Commit(TRUE);
            m.bElsewhere = TRUE;
            break;
        }
        case 3:
        case 4: // typing
        {
            const int c = m.nCol;
            if (m.editor == kPicker || (m.editor == kText && m.bCaretMoved))
            {
                what += "no typing into this editor";
                break;
            }
            if (m.editor == kNone && IsDate(c))
            {
                // A year typed into the start of a task without predecessors.
                if (c != kStart || !m.text[m.nRow][kPred].empty())
                {
                    what += "no date typing here";
                    break;
                }
                const int year = 2005 + pick(5);
                what += "type year " + std::to_string(year);
                AfxTestTypeText(Keys(), std::to_string(year).c_str());
                OpenEditor(kPicker, "", FALSE);
                m.nYear = year;
                break;
            }
            std::string typed, sent;
            BOOL bIme = FALSE;
            const BOOL bFresh = m.editor == kNone || m.bReplace;
            if (c == kName)
            {
                bIme = pick(2);
                const int n = pick(3);
                typed = bIme ? kNamesIme[n][1] : kNames[pick(4)];
                sent = bIme ? kNamesIme[n][0] : typed;
            }
            else if (c == kDuration)
            {
                if (!bFresh && (m.edit.size() != 1 || !m.bTyped))
                {
                    what += "no typing after the unit";
                    break;
                }
                typed = sent = std::to_string(1 + pick(9));
            }
            else if (c == kPred)
            {
                if (!bFresh || m.nRow == 1)
                {
                    what += "no second predecessor";
                    break;
                }
                typed = sent = std::to_string(1 + pick(m.nRow - 1));
            }
            what += "type " + typed;
            if (bIme)
                AfxTestInputMethodCommit(Keys(), sent.c_str());
            else
                AfxTestTypeText(Keys(), sent.c_str());
            if (m.editor == kNone)
                OpenEditor(kText, typed, FALSE);
            else
                m.edit = m.bReplace ? typed : m.edit + typed;
            m.bReplace = FALSE;
            m.bTyped = TRUE;
            break;
        }
        case 5: // Enter ends an edit, or opens one on the focus cell
            what += "enter";
            AfxTestKey(Keys(), VK_RETURN);
            if (m.editor != kNone)
            {
                bPickerEnded = bPickerKept = bPickerOpen;
                Commit(TRUE);
            }
            else if (IsDate(m.nCol))
                OpenEditor(kPicker, "", FALSE);
            else
                OpenEditor(kText, m.text[m.nRow][m.nCol], FALSE);
            break;
        case 6: // Tab ends an edit and edits the next cell, or moves on
            if (m.nCol == kPred)
            {
                what += "no tab from the last column";
                break;
            }
            what += "tab";
            AfxTestKey(Keys(), VK_TAB);
            if (m.editor != kNone)
            {
                bPickerEnded = bPickerKept = bPickerOpen;
                Commit(TRUE);
                m.nCol++;
                if (IsDate(m.nCol))
                    OpenEditor(kPicker, "", FALSE);
                else
                    OpenEditor(kText, m.text[m.nRow][m.nCol], TRUE);
            }
            else
                m.nCol++;
            break;
        case 7: // Escape cancels
            what += "escape";
            AfxTestKey(Keys(), VK_ESCAPE);
            bPickerEnded = bPickerOpen;
            Commit(FALSE);
            break;
        case 9: // a click into the open picker's field ends it on the release
            if (m.editor != kPicker)
            {
                what += "no picker to click into";
                break;
            }
            what += "click into the picker";
            AfxTestClick(Keys(), CPoint(6, 6));
            bPickerEnded = bPickerKept = TRUE;
            Commit(TRUE);
            break;
        case 8: // Alt with a letter belongs to the menus, never to a cell
        {
            const char k = kMenuKeys[pick(5)];
            what += std::string("alt+") + k;
            AfxTestKey(Keys(), (UINT)k, AFX_TEST_ALT);
            // A menu the key opened is left with Escape, as a person leaves it: once for the
            // menu, once more for the menu bar, which keeps the keys until then (the keys a
            // desktop delivers go where the toolkit's focus is).
            if (QWidget* pMenu = QApplication::activePopupWidget())
            {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(pMenu, &press);
                if (QWidget* pBar = QApplication::focusWidget())
                {
                    QKeyEvent again(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                    QApplication::sendEvent(pBar, &again);
                }
            }
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << what;
            break;
        }
        }
        Step();
        log += what + "\n";
        if (bPickerEnded)
        {
            if (bPickerKept)
                CheckCommittedDate(nEditRow, nEditCol, nYear, strAtOpen, what);
            else
                EXPECT_EQ(Text(nEditRow, nEditCol), strAtOpen) << what;
        }
        Check(what);
        if (::testing::Test::HasFatalFailure() || ::testing::Test::HasNonfatalFailure())
        {
            ADD_FAILURE() << "steps so far:\n" << log.substr(log.size() > 2000 ? log.size() - 2000 : 0);
            return;
        }
    }
}

TEST_F(TaskGridEditorsTest, GeneratedClicksAndKeysLandInTheirCells)
{
    CTestMessageBoxes boxes;
    for (unsigned nSeed : {1u, 2u, 3u})
    {
        m = Model();
        OpenWide();
        RunSequence(nSeed, 1000);
        EXPECT_EQ(boxes.Count(), 0);
        Close();
        if (HasFailure())
            return;
    }
}

TEST_F(TaskGridEditorsTest, ADoubleClickOnATruncatedNameOpensThePropertySheetAndArmsNoDrag)
{
    m = Model();
    OpenWide();
    // Row 2's name is wider than its column: the title tip shows it whole.
    AfxTestClick(&G(), Inside(2, kName));
    AfxTestKey(Keys(), VK_F2);
    AfxTestInputMethodCommit(Keys(), u8"一个名字很长很长很长很长很长的任务");
    AfxTestKey(Keys(), VK_RETURN);
    AfxPumpMessages();
    AfxTestClick(&G(), Inside(4, kDuration));
    AfxPumpMessages();
    const CPoint pt = Inside(2, kName);
    AfxTestMouseMove(&G(), pt);
    AfxPumpMessages();
    ASSERT_NE(G().GetTitleTip(), nullptr);
    ASSERT_TRUE(G().GetTitleTip()->IsWindowVisible());
    ASSERT_EQ(CWnd::GetCapture(), G().GetTitleTip());

    int nSheets = 0;
    ProjectTaskPropertyRunner old = ProjectSetTaskPropertyRunner([&](CProjectDoc&, CTaskItem& task) {
        EXPECT_EQ(&task, Grid().GetTask(2));
        nSheets++;
        return (INT_PTR)IDCANCEL;
    });
    AfxTestDoubleClick(&G(), pt);
    AfxPumpMessages();
    ProjectSetTaskPropertyRunner(old);
    EXPECT_EQ(nSheets, 1);
    EXPECT_NE(CWnd::GetCapture(), &G());
    // The next click (another row) changes no level: every task stays at the top.
    AfxTestMouseMove(&G(), Inside(4, kName));
    AfxTestClick(&G(), Inside(4, kName));
    AfxPumpMessages();
    EXPECT_EQ(m_pDoc->m_listTasks.GetCount(), kRows);
    EXPECT_EQ(G().GetFocusCell().row, 4);
}

TEST_F(TaskGridEditorsTest, AnEditStillOpenCountsWhenTheProjectAsksToBeSaved)
{
    m = Model();
    OpenWide();
    AfxTestClick(&G(), Inside(3, kName));
    AfxTestTypeText(Keys(), "abc");
    ASSERT_NE(dynamic_cast<CInPlaceEdit*>(Keys()), nullptr);
    ASSERT_FALSE(m_pDoc->IsModified());
    // Closing asks, and the name typed is the task's.
    CTestMessageBoxes boxes;
    boxes.Answer(IDNO);
    EXPECT_TRUE(m_pDoc->SaveModified());
    AfxPumpMessages();
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(Text(3, kName), CString("abc"));
    EXPECT_EQ(Grid().GetTask(3)->m_strName, CString("abc"));
    EXPECT_EQ(EditorCount(), 0);
    EXPECT_EQ(Keys(), &G());
}
