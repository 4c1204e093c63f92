// The report list's in-place editors opened on a live list: what they report
// (LVN_ENDLABELEDIT with the text, or a null text), the moves they ask for (0x403), the
// combo's choices, search and completion, and that every editor goes with its window.
#include "RptListTestSupport.h"

#include <ClassLib/Testing/DrawLog.h>

#include "SuperListCtrl/RptInCombo.h"
#include "SuperListCtrl/RptInEdit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A list that records the ends of edits and the moves its editors ask for.
class CEditorRptList : public CRptListCtrl
{
public:
    struct End
    {
        int item, subItem;
        bool null;
        CString text;
    };
    std::vector<End> ends;
    std::vector<std::vector<int>> moves;  // {direction, item, subitem}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_ENDLABELEDIT) {
            auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(lParam);
            ends.push_back({pInfo->item.iItem, pInfo->item.iSubItem, pInfo->item.pszText == nullptr,
                            pInfo->item.pszText != nullptr ? CString(pInfo->item.pszText) : CString()});
        }
        if (message == WM_RPT_EDITNAVIGATE) {
            const int* pCell = reinterpret_cast<const int*>(lParam);
            moves.push_back({static_cast<int>(wParam), pCell[0], pCell[1]});
        }
        return CRptListCtrl::WindowProc(message, wParam, lParam);
    }
};

// Columns: 0 name (text editor), 1 fixed choice, 2 editable choice, 3 plain.
class RptInEditorsTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 460, 260), &host, 7));
        list.InsertRptColumn(0, "Name", LVCFMT_LEFT, 120, 0, RPTCOL_EDIT);
        list.InsertRptColumn(1, "Fixed", LVCFMT_LEFT, 100, 1, RPTCOL_COMBO);
        list.InsertRptColumn(2, "Open", LVCFMT_LEFT, 100, 2, RPTCOL_COMBOEDIT);
        list.InsertRptColumn(3, "Plain", LVCFMT_LEFT, 80, 3, 0);
        for (int i = 0; i < 3; ++i) {
            const int n = list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, i == 0 ? "alpha" : "beta", 0, 0, 0, 100 + i);
            list.SetItemText(n, 1, "banana");
            list.SetItemText(n, 2, "red");
            list.SetItemText(n, 3, "p");
        }
        host.answer = [this](CRptCellInfo& info) -> LRESULT {
            if (info.m_nKind == RPT_CELL_EDITREQUEST && info.m_pChoices != nullptr) {
                for (const CString& s : choices)
                    info.m_pChoices->Add(s);
                return 1;
            }
            return info.m_nKind == RPT_CELL_EDITDONE ? 1 : 0;
        };
        AfxTestFocus(&list);
    }
    void TearDown() override
    {
        list.DestroyWindow();
        host.DestroyWindow();
        CWndTestBase::TearDown();
    }
    CWnd* Editor() { return list.GetDlgItem(RPT_EDITOR_ID); }
    CString FocusText()
    {
        CString s;
        if (CWnd* p = CWnd::GetFocus())
            p->GetWindowText(s);
        return s;
    }

    CRptHostWnd host;
    CEditorRptList list;
    std::vector<CString> choices{"apple", "banana", "blue"};
};

TEST_F(RptInEditorsTest, EnterWithAnUnchangedTextSendsNothingAndTheEditorGoes)
{
    ASSERT_TRUE(list.EditTextCell(0, 0, FALSE));
    CWnd* pEditor = Editor();
    ASSERT_NE(pEditor, nullptr);
    EXPECT_EQ(CWnd::GetFocus(), pEditor);
    EXPECT_EQ(FocusText(), CString("alpha"));
    AfxTestKey(pEditor, VK_RETURN);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(list.ends.empty());
    EXPECT_EQ(list.GetItemText(0, 0), CString("alpha"));
}

TEST_F(RptInEditorsTest, TypedTextIsReportedAndStoredOnEnter)
{
    ASSERT_TRUE(list.EditTextCell(1, 0, FALSE));
    AfxTestTypeText(Editor(), "gamma");
    AfxTestKey(Editor(), VK_RETURN);
    EXPECT_EQ(Editor(), nullptr);
    ASSERT_EQ(list.ends.size(), 1u);
    EXPECT_EQ(list.ends[0].item, 1);
    EXPECT_EQ(list.ends[0].subItem, 0);
    EXPECT_FALSE(list.ends[0].null);
    EXPECT_EQ(list.ends[0].text, CString("gamma"));
    EXPECT_EQ(list.GetItemText(1, 0), CString("gamma"));
}

TEST_F(RptInEditorsTest, EscapeInTheTextEditorReportsNothing)
{
    ASSERT_TRUE(list.EditTextCell(0, 0, FALSE));
    AfxTestTypeText(Editor(), "zzz");
    AfxTestKey(Editor(), VK_ESCAPE);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(list.ends.empty());
    EXPECT_EQ(CWnd::GetFocus(), &list);
}

TEST_F(RptInEditorsTest, TabReportsThenAsksForTheNextEditableCell)
{
    ASSERT_TRUE(list.EditTextCell(0, 0, FALSE));
    AfxTestTypeText(Editor(), "x");
    AfxTestKey(Editor(), VK_TAB);
    ASSERT_EQ(list.ends.size(), 1u);
    EXPECT_EQ(list.ends[0].text, CString("x"));
    ASSERT_EQ(list.moves.size(), 1u);
    EXPECT_EQ(list.moves[0], (std::vector<int>{RPT_NAV_NEXTCELL, 0, 0}));
    // The list opened the fixed combo of the same row.
    CRptInCombo* pCombo = dynamic_cast<CRptInCombo*>(Editor());
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(pCombo->GetText(), CString("banana"));
    // Tab on: the editable combo, then column 0 of the next row.
    AfxTestKey(CWnd::GetFocus(), VK_TAB);
    AfxTestKey(CWnd::GetFocus(), VK_TAB);
    ASSERT_EQ(list.moves.size(), 3u);
    EXPECT_EQ(list.moves[2], (std::vector<int>{RPT_NAV_NEXTCELL, 0, 2}));
    EXPECT_NE(dynamic_cast<CRptInEdit*>(Editor()), nullptr);
    EXPECT_EQ(FocusText(), CString("beta"));
    // Shift+Tab goes back to the editable combo of the row before.
    AfxTestKey(CWnd::GetFocus(), VK_TAB, MK_SHIFT);
    EXPECT_EQ(list.moves.back(), (std::vector<int>{RPT_NAV_PREVCELL, 1, 0}));
    EXPECT_EQ(FocusText(), CString("red"));
    AfxTestKey(CWnd::GetFocus(), VK_ESCAPE);
    EXPECT_EQ(list.ends.size(), 1u);
}

TEST_F(RptInEditorsTest, TabInTheLastCellReportsAndTheListStops)
{
    ASSERT_TRUE(list.EditComboCell(2, 2, TRUE, FALSE));
    AfxTestKey(CWnd::GetFocus(), VK_TAB);
    EXPECT_EQ(list.moves.back(), (std::vector<int>{RPT_NAV_NEXTCELL, 2, 2}));
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(RptInEditorsTest, LeftMovesTheCaretUntilPositionZero)
{
    ASSERT_TRUE(list.EditTextCell(0, 0, FALSE));
    CRptInEdit* pEdit = dynamic_cast<CRptInEdit*>(Editor());
    ASSERT_NE(pEdit, nullptr);
    pEdit->SetSel(2, 2);
    AfxTestKey(pEdit, VK_LEFT);
    ASSERT_EQ(Editor(), pEdit);
    long nStart = -1, nEnd = -1;
    pEdit->GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 1);
    AfxTestKey(pEdit, VK_LEFT);
    EXPECT_TRUE(list.moves.empty());
    AfxTestKey(pEdit, VK_LEFT);
    EXPECT_EQ(Editor(), nullptr);
    ASSERT_EQ(list.moves.size(), 1u);
    EXPECT_EQ(list.moves[0], (std::vector<int>{RPT_NAV_LEFT, 0, 0}));
}

TEST_F(RptInEditorsTest, ALongTextWidensTheEditorUpToTheListsEdge)
{
    ASSERT_TRUE(list.EditTextCell(0, 0, FALSE));
    CWnd* pEdit = Editor();
    CRect rcBefore;
    pEdit->GetWindowRect(&rcBefore);
    AfxTestTypeText(pEdit, "a rather long text that no column of this list could ever hold in full, "
                           "whatever the font it is written in");
    CRect rc, client;
    pEdit->GetWindowRect(&rc);
    list.ScreenToClient(&rc);
    list.GetClientRect(&client);
    EXPECT_GT(rc.Width(), rcBefore.Width());
    EXPECT_EQ(rc.right, client.right);
}

TEST_F(RptInEditorsTest, AnEditableComboCancelledAfterAChangeReportsANullText)
{
    ASSERT_TRUE(list.EditComboCell(0, 2, TRUE, FALSE));
    AfxTestTypeText(CWnd::GetFocus(), "X");
    AfxTestKey(CWnd::GetFocus(), VK_ESCAPE);
    EXPECT_EQ(Editor(), nullptr);
    ASSERT_EQ(list.ends.size(), 1u);
    EXPECT_TRUE(list.ends[0].null);
    EXPECT_EQ(list.ends[0].subItem, 2);
    EXPECT_EQ(list.GetItemText(0, 2), CString("red"));
}

TEST_F(RptInEditorsTest, AFixedComboCancelledReportsNothing)
{
    ASSERT_TRUE(list.EditComboCell(0, 1, FALSE, FALSE));
    AfxTestKey(CWnd::GetFocus(), VK_DOWN);
    AfxTestKey(CWnd::GetFocus(), VK_ESCAPE);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(list.ends.empty());
}

TEST_F(RptInEditorsTest, FirstCharacterSearchKeepsAMatchAndWraps)
{
    ASSERT_TRUE(list.EditComboCell(0, 1, FALSE, FALSE));
    CRptInCombo* pCombo = dynamic_cast<CRptInCombo*>(Editor());
    ASSERT_NE(pCombo, nullptr);
    EXPECT_EQ(pCombo->GetCurrentIndex(), 1);
    AfxTestTypeText(CWnd::GetFocus(), "b");
    EXPECT_EQ(pCombo->GetCurrentIndex(), 1);
    EXPECT_EQ(pCombo->GetText(), CString("banana"));
    AfxTestTypeText(CWnd::GetFocus(), "a");
    EXPECT_EQ(pCombo->GetCurrentIndex(), 0);
    EXPECT_EQ(pCombo->GetText(), CString("apple"));
    // Case counts: "B" finds nothing.
    AfxTestTypeText(CWnd::GetFocus(), "B");
    EXPECT_EQ(pCombo->GetCurrentIndex(), 0);
    // Up beyond the first choice does nothing; Down moves on.
    AfxTestKey(CWnd::GetFocus(), VK_UP);
    EXPECT_EQ(pCombo->GetCurrentIndex(), 0);
    AfxTestKey(CWnd::GetFocus(), VK_DOWN);
    AfxTestKey(CWnd::GetFocus(), VK_DOWN);
    AfxTestKey(CWnd::GetFocus(), VK_DOWN);
    EXPECT_EQ(pCombo->GetCurrentIndex(), 2);
    AfxTestKey(CWnd::GetFocus(), VK_RETURN);
    EXPECT_EQ(Editor(), nullptr);
    ASSERT_EQ(list.ends.size(), 1u);
    EXPECT_EQ(list.ends[0].text, CString("blue"));
    EXPECT_EQ(list.GetItemText(0, 1), CString("blue"));
}

TEST_F(RptInEditorsTest, TypingInAnEditableComboCompletesAndBackspaceDoesNot)
{
    choices = {"Tuesday", "Thursday"};
    ASSERT_TRUE(list.EditComboCell(1, 2, TRUE, FALSE));
    CRichEditCtrl* pEdit = dynamic_cast<CRichEditCtrl*>(CWnd::GetFocus());
    ASSERT_NE(pEdit, nullptr);
    pEdit->SetSel(0, -1);
    AfxTestTypeText(pEdit, "th");
    CString s;
    pEdit->GetWindowText(s);
    EXPECT_EQ(s, CString("Thursday"));
    long nStart = 0, nEnd = 0;
    pEdit->GetSel(nStart, nEnd);
    EXPECT_EQ(nStart, 2);
    EXPECT_EQ(nEnd, 8);
    // The completion took the choice's own case; Backspace removes the completed part only.
    AfxTestKey(pEdit, VK_BACK);
    pEdit->GetWindowText(s);
    EXPECT_EQ(s, CString("Th"));
    AfxTestKey(pEdit, VK_RETURN);
    ASSERT_EQ(list.ends.size(), 1u);
    EXPECT_EQ(list.ends[0].text, CString("Th"));
}

TEST_F(RptInEditorsTest, TheDropListIsSortedAtMostAHundredPixelsAndChoosesOnEnter)
{
    choices.clear();
    for (int i = 29; i >= 0; --i) {
        CString s;
        s.Format("item %02d", i);
        choices.push_back(s);
    }
    ASSERT_TRUE(list.EditComboCell(0, 1, FALSE, FALSE));
    CRptInCombo* pCombo = dynamic_cast<CRptInCombo*>(Editor());
    ASSERT_NE(pCombo, nullptr);
    pCombo->ToggleDropList();
    CRptInComboList* pDrop = pCombo->GetDropList();
    ASSERT_NE(pDrop, nullptr);
    EXPECT_EQ(CWnd::GetFocus(), pDrop);
    CRect rc;
    pDrop->GetWindowRect(&rc);
    EXPECT_EQ(rc.Height(), 100);
    EXPECT_EQ(pDrop->GetCount(), 30);
    CString first;
    pDrop->GetText(0, first);
    EXPECT_EQ(first, CString("item 00"));
    AfxTestGrabWindow(&host, AfxTestOutputPath("rpt-combo-dropped.png"));
    pDrop->SetCurSel(3);
    AfxTestKey(pDrop, VK_RETURN);
    EXPECT_FALSE(pCombo->IsDropped());
    EXPECT_EQ(pCombo->GetText(), CString("item 03"));
    EXPECT_EQ(pCombo->GetCurrentIndex(), 26);
    EXPECT_EQ(CWnd::GetFocus(), pCombo);
    AfxTestKey(pCombo, VK_RETURN);
    ASSERT_EQ(list.ends.size(), 1u);
    EXPECT_EQ(list.ends[0].text, CString("item 03"));
}

TEST_F(RptInEditorsTest, AComboWithoutChoicesHasAnIdleButton)
{
    choices.clear();
    ASSERT_TRUE(list.EditComboCell(0, 1, FALSE, FALSE));
    CRptInCombo* pCombo = dynamic_cast<CRptInCombo*>(Editor());
    ASSERT_NE(pCombo, nullptr);
    CRect rc;
    pCombo->GetClientRect(&rc);
    AfxTestClick(pCombo, CPoint(rc.right - 3, rc.CenterPoint().y));
    EXPECT_FALSE(pCombo->IsDropped());
    AfxTestKey(pCombo, VK_DOWN);
    EXPECT_EQ(pCombo->GetCurrentIndex(), -1);
    EXPECT_EQ(pCombo->GetButtonWidth(), ::GetSystemMetrics(SM_CXHSCROLL));
}

TEST_F(RptInEditorsTest, AClickOutsideEndsTheEditThroughTheFocusLoss)
{
    ASSERT_TRUE(list.EditTextCell(2, 0, FALSE));
    AfxTestTypeText(Editor(), "q");
    AfxTestFocus(&host);
    EXPECT_EQ(Editor(), nullptr);
    ASSERT_EQ(list.ends.size(), 1u);
    EXPECT_EQ(list.ends[0].text, CString("q"));
}

TEST_F(RptInEditorsTest, TheSecondClickOnARowOpensTheEditorOverTheCell)
{
    host.clickList = &list;
    CRect rc;
    list.GetCellRect(1, 0, rc);
    CPoint pt(rc.left + 10, rc.CenterPoint().y);
    CPoint screen = pt;
    list.ClientToScreen(&screen);
    AfxTestSetCursorPos(screen);
    AfxTestClick(&list, pt);
    EXPECT_EQ(Editor(), nullptr);
    AfxTestClick(&list, pt);
    CWnd* pEditor = Editor();
    ASSERT_NE(pEditor, nullptr);
    CRect rcEditor;
    pEditor->GetWindowRect(&rcEditor);
    list.ScreenToClient(&rcEditor);
    EXPECT_EQ(rcEditor.left, rc.left + 6);
    EXPECT_EQ(rcEditor.right, rc.left + 6 + 120 - 12);
    // The opening click is repeated inside the editor: the caret lands where it was.
    AfxPumpMessages(3);
    ASSERT_EQ(Editor(), pEditor);
    EXPECT_EQ(CWnd::GetFocus(), pEditor);
    AfxTestTypeText(pEditor, "Z");
    CString strText;
    pEditor->GetWindowText(strText);
    // Not typed over a whole selection: the click put the caret into the text.
    EXPECT_EQ(strText.GetLength(), 5);
    strText.Replace("Z", "");
    EXPECT_EQ(strText, CString("beta"));
    AfxPumpMessages(3);
    EXPECT_TRUE(AfxTestGrabWindow(&host, AfxTestOutputPath("rpt-text-editor-open.png")));
    AfxTestKey(CWnd::GetFocus(), VK_RETURN);
}

TEST_F(RptInEditorsTest, ADoubleClickInAnEditorReachesTheOwnerAsNmDblclk)
{
    ASSERT_TRUE(list.EditTextCell(0, 0, FALSE));
    host.notifyCodes.clear();
    AfxTestDoubleClick(Editor(), CPoint(5, 5));
    EXPECT_NE(std::find(host.notifyCodes.begin(), host.notifyCodes.end(), (int)NM_DBLCLK), host.notifyCodes.end());
    AfxTestKey(CWnd::GetFocus(), VK_ESCAPE);
    ASSERT_TRUE(list.EditComboCell(0, 1, FALSE, FALSE));
    host.notifyCodes.clear();
    AfxTestDoubleClick(Editor(), CPoint(5, 5));
    EXPECT_NE(std::find(host.notifyCodes.begin(), host.notifyCodes.end(), (int)NM_DBLCLK), host.notifyCodes.end());
    AfxTestKey(CWnd::GetFocus(), VK_ESCAPE);
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(RptInEditorsTest, TheDropButtonShowsTheArrowRaisedWhenClosedAndSunkenWhenOpen)
{
    ASSERT_TRUE(list.EditComboCell(0, 1, FALSE, FALSE));
    CRptInCombo* pCombo = dynamic_cast<CRptInCombo*>(Editor());
    ASSERT_NE(pCombo, nullptr);
    auto frameOf = [&](bool& bArrow) {
        CDrawRecorder rec(pCombo);
        pCombo->Invalidate();
        pCombo->UpdateWindow();
        bArrow = !rec.OfKind(AfxDrawKind::Blt).empty();
        auto frames = rec.OfKind(AfxDrawKind::Draw3dRect);
        return frames.empty() ? COLORREF(0xFFFFFFFF) : frames.back()->color;
    };
    bool bArrow = false;
    EXPECT_EQ(frameOf(bArrow), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_TRUE(bArrow);
    pCombo->ToggleDropList();
    ASSERT_TRUE(pCombo->IsDropped());
    EXPECT_EQ(frameOf(bArrow), ::GetSysColor(COLOR_BTNSHADOW));
    AfxTestKey(pCombo->GetDropList(), VK_ESCAPE);
    EXPECT_FALSE(pCombo->IsDropped());
    AfxTestKey(CWnd::GetFocus(), VK_ESCAPE);
    EXPECT_EQ(Editor(), nullptr);
}

} // namespace
