// Button cells: set-up, the state machine, hit testing in the grid, keyboard presses, tips
// and drawing.
#include "GridBtnCell.h"
#include "GridBtnCellCombo.h"
#include "GridCellsTestUtil.h"

#include <ClassLib/Controls/ControlStyles.h>

namespace {

std::vector<DWORD> g_pauses;
void RecordPause(DWORD dwMilliseconds) { g_pauses.push_back(dwMilliseconds); }

// Replaces the keyboard press pause for one test.
struct PauseRecorder {
    CGridBtnCellBase::PauseFunc pfnOld;
    PauseRecorder()
    {
        g_pauses.clear();
        pfnOld = CGridBtnCellBase::SetPressPause(&RecordPause);
    }
    ~PauseRecorder() { CGridBtnCellBase::SetPressPause(pfnOld); }
};

}  // namespace

TEST(GridBtnCell, ResetDefaults)
{
    CGridBtnCell cell;
    EXPECT_EQ(cell.GetFormat(), 0x8026u);
    EXPECT_EQ(cell.GetButtonCount(), 0);
    EXPECT_EQ(cell.GetLastClicked(), -1);
    EXPECT_EQ(cell.GetMaxButtons(), 4);
    EXPECT_FALSE(cell.IsTreeCell());
    CGridBtnCellBase base;
    EXPECT_EQ(base.GetMaxButtons(), 0);
    EXPECT_FALSE(base.SetupButton(0, DFC_BUTTON, DFCS_BUTTONPUSH, 1, 0, FALSE, NULL));
}

TEST(GridBtnCell, SetupAddsButtonsInOrderAndRefusesBadArguments)
{
    CGridBtnCell cell;
    EXPECT_FALSE(cell.SetupButton(1, DFC_BUTTON, DFCS_BUTTONPUSH, 1, 0, FALSE, "x"));  // out of order
    EXPECT_FALSE(cell.SetupButton(0, DFC_BUTTON, DFCS_BUTTONPUSH, 3, 0, FALSE, "x"));  // alignment
    EXPECT_TRUE(cell.SetupButton(0, DFC_BUTTON, DFCS_BUTTONPUSH, 0, 0, FALSE, "x"));
    EXPECT_FALSE(cell.SetupButton(1, DFC_BUTTON, DFCS_BUTTONPUSH, 0, 0, FALSE, "y"));  // 0 only for button 0
    EXPECT_FALSE(cell.SetupButton(1, DFC_BUTTON, 0xFFFF, 1, 0, FALSE, "y"));          // state too large
    EXPECT_TRUE(cell.SetupButton(1, DFC_SCROLL, DFCS_SCROLLDOWN, 2, 12, TRUE, "&Go"));
    EXPECT_EQ(cell.GetButtonCount(), 2);
    EXPECT_EQ(cell.GetAlignment(1), 2u);
    EXPECT_EQ(cell.GetButtonWidth(1), 12);
    EXPECT_EQ(cell.GetDrawCtl(1), static_cast<UINT>(DFC_SCROLL));
    EXPECT_EQ(cell.GetDrawState(1), static_cast<UINT>(DFCS_SCROLLDOWN));
    EXPECT_TRUE(cell.GetGroupFlag(1));
    EXPECT_STREQ(cell.GetButtonText(1), "&Go");
    cell.SetButtonText(1, NULL);
    EXPECT_EQ(cell.GetButtonText(1), nullptr);
    EXPECT_FALSE(cell.SetupButton(4, DFC_BUTTON, DFCS_BUTTONPUSH, 1, 0, FALSE, "z"));
    // Redefining an existing button keeps the count.
    EXPECT_TRUE(cell.SetupButton(0, DFC_BUTTON, DFCS_BUTTONCHECK, 0, 0, FALSE, "x"));
    EXPECT_EQ(cell.GetButtonCount(), 2);
    cell.Reset();
    EXPECT_EQ(cell.GetButtonCount(), 0);
    EXPECT_EQ(cell.GetDrawState(1), 0u);
    EXPECT_EQ(cell.GetButtonText(1), nullptr);
}

TEST(GridBtnCell, CheckBoxTogglesOnEveryRelease)
{
    CGridBtnCell cell;
    ASSERT_TRUE(cell.SetupButton(0, DFC_BUTTON, DFCS_BUTTONCHECK, 1, 0, FALSE, NULL));
    cell.ProcessButtonMessage(WM_LBUTTONDOWN, 0);
    EXPECT_EQ(cell.GetDrawState(0), static_cast<UINT>(DFCS_PUSHED));
    cell.ProcessButtonMessage(WM_LBUTTONUP, 0);
    EXPECT_EQ(cell.GetDrawState(0), static_cast<UINT>(DFCS_CHECKED));
    cell.ProcessButtonMessage(WM_LBUTTONUP, 0);
    EXPECT_EQ(cell.GetDrawState(0), 0u);
    cell.ProcessButtonMessage(WM_LBUTTONDBLCLK, 0);
    EXPECT_EQ(cell.GetDrawState(0), static_cast<UINT>(DFCS_CHECKED));
    EXPECT_EQ(cell.GetLastClicked(), 0);
}

TEST(GridBtnCell, RadioGroupChecksOneAtATime)
{
    CGridBtnCell cell;
    for (int i = 0; i < 3; i++)
        ASSERT_TRUE(cell.SetupButton(i, DFC_BUTTON, DFCS_BUTTONRADIO, 1, 0, FALSE, NULL));
    cell.ProcessButtonMessage(WM_LBUTTONDOWN, 1);
    cell.ProcessButtonMessage(WM_LBUTTONUP, 1);
    EXPECT_EQ(cell.GetDrawState(0), static_cast<UINT>(DFCS_BUTTONRADIO));
    EXPECT_EQ(cell.GetDrawState(1), static_cast<UINT>(DFCS_BUTTONRADIO | DFCS_CHECKED));
    cell.ProcessButtonMessage(WM_LBUTTONDOWN, 2);
    cell.ProcessButtonMessage(WM_LBUTTONUP, 2);
    EXPECT_EQ(cell.GetDrawState(1), static_cast<UINT>(DFCS_BUTTONRADIO));
    EXPECT_EQ(cell.GetDrawState(2), static_cast<UINT>(DFCS_BUTTONRADIO | DFCS_CHECKED));
    // Clicking the checked one again keeps it checked.
    cell.ProcessButtonMessage(WM_LBUTTONUP, 2);
    EXPECT_EQ(cell.GetDrawState(2), static_cast<UINT>(DFCS_BUTTONRADIO | DFCS_CHECKED));
    EXPECT_EQ(cell.GetLastClicked(), 2);
}

TEST(GridBtnCell, GroupedPushButtonStaysDownUntilAnotherMemberIsClicked)
{
    CGridBtnCell cell;
    ASSERT_TRUE(cell.SetupButton(0, DFC_BUTTON, DFCS_BUTTONPUSH, 1, 0, TRUE, NULL));
    ASSERT_TRUE(cell.SetupButton(1, DFC_BUTTON, DFCS_BUTTONPUSH, 1, 0, TRUE, NULL));
    ASSERT_TRUE(cell.SetupButton(2, DFC_BUTTON, DFCS_BUTTONPUSH, 2, 0, FALSE, NULL));
    cell.ProcessButtonMessage(WM_LBUTTONDOWN, 0);
    cell.ProcessButtonMessage(WM_LBUTTONUP, 0);
    EXPECT_EQ(cell.GetDrawState(0), static_cast<UINT>(DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_CHECKED));
    // An ungrouped push button just comes up and leaves the group alone.
    cell.ProcessButtonMessage(WM_LBUTTONDOWN, 2);
    cell.ProcessButtonMessage(WM_LBUTTONUP, 2);
    EXPECT_EQ(cell.GetDrawState(2), static_cast<UINT>(DFCS_BUTTONPUSH));
    EXPECT_EQ(cell.GetDrawState(0), static_cast<UINT>(DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_CHECKED));
    cell.ProcessButtonMessage(WM_LBUTTONUP, 1);
    EXPECT_EQ(cell.GetDrawState(0), static_cast<UINT>(DFCS_BUTTONPUSH));
    EXPECT_EQ(cell.GetDrawState(1), static_cast<UINT>(DFCS_BUTTONPUSH | DFCS_PUSHED | DFCS_CHECKED));
}

TEST(GridBtnCell, InactiveButtonIgnoresClicks)
{
    CGridBtnCell cell;
    ASSERT_TRUE(cell.SetupButton(0, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE, 1, 0, FALSE, NULL));
    cell.ProcessButtonMessage(WM_LBUTTONDOWN, 0);
    cell.ProcessButtonMessage(WM_LBUTTONUP, 0);
    EXPECT_EQ(cell.GetDrawState(0), static_cast<UINT>(DFCS_INACTIVE));
    EXPECT_EQ(cell.GetLastClicked(), -1);
}

TEST(GridBtnCell, OtherMessagesAndBadIndexesChangeNothing)
{
    CGridBtnCell cell;
    ASSERT_TRUE(cell.SetupButton(0, DFC_BUTTON, DFCS_BUTTONCHECK, 1, 0, FALSE, NULL));
    cell.ProcessButtonMessage(WM_RBUTTONDOWN, 0);
    EXPECT_EQ(cell.GetDrawState(0), 0u);
    cell.ProcessButtonMessage(WM_LBUTTONDOWN, 4);
    cell.ProcessButtonMessage(WM_LBUTTONDOWN, -1);
    EXPECT_EQ(cell.GetDrawState(0), 0u);
}

TEST(GridBtnCell, TipTextWithoutTextAreaJoinsTheCaptionsPerCell)
{
    CGridBtnCell first, second;
    ASSERT_TRUE(first.SetupButton(0, DFC_BUTTON, DFCS_BUTTONPUSH, 0, 0, FALSE, "&Open"));
    ASSERT_TRUE(second.SetupButton(0, DFC_BUTTON, DFCS_BUTTONPUSH, 0, 0, FALSE, "Save && &Close"));
    const CString a = first.GetTipText();
    const CString b = second.GetTipText();
    EXPECT_STREQ(a, "Open");
    EXPECT_STREQ(b, "Save & Close");
    EXPECT_EQ(first.FindMnemonic('O'), 0);
    EXPECT_EQ(second.FindMnemonic('c'), 0);
    EXPECT_EQ(second.FindMnemonic('s'), -1);
}

class GridBtnCellInGrid : public CTaskLikeGridTest {
protected:
    CGridBtnCell* MakeCell(int nRow, int nCol, CRuntimeClass* pClass = RUNTIME_CLASS(CGridBtnCell))
    {
        if (m_grid.GetRowCount() < 3)
            m_grid.SetRowCount(3);
        m_grid.SetFixedRowCount(1);
        EXPECT_TRUE(m_grid.SetCellType(nRow, nCol, pClass));
        CGridBtnCell* pCell = static_cast<CGridBtnCell*>(m_grid.GetCell(nRow, nCol));
        pCell->SetBtnDataBase(&m_btnData);
        return pCell;
    }
};

TEST_F(GridBtnCellInGrid, HitTestFindsTheStackedArrows)
{
    // Cell (1, 3): columns 40 + 30 + 150 to its left, 100 wide; row 0 is 20 high. Its
    // rectangle is (220, 20, 319, 39): the arrows take the slot [303, 323], pushed to the
    // right edge: up (307, 20, 323, 30), down (307, 30, 323, 40).
    CGridBtnCell* pCell = MakeCell(1, 3);
    ASSERT_TRUE(pCell->SetupButton(0, DFC_SCROLL, DFCS_SCROLLUP, 2, 0, FALSE, NULL));
    ASSERT_TRUE(pCell->SetupButton(1, DFC_SCROLL, DFCS_SCROLLDOWN, 2, 0, FALSE, NULL));
    CRect rcCell;
    ASSERT_TRUE(m_grid.GetCellRect(1, 3, &rcCell));
    ASSERT_TRUE(SameRect(rcCell, 220, 20, 319, 39));
    CRect rects[GRIDBTN_LAYOUT_ROOM];
    ASSERT_TRUE(pCell->LayoutButtons(rects, GRIDBTN_LAYOUT_ROOM, rcCell));
    EXPECT_TRUE(SameRect(rects[0], 307, 20, 323, 30));
    EXPECT_TRUE(SameRect(rects[1], 307, 30, 323, 40));
    EXPECT_TRUE(SameRect(rects[2], 223, 20, 300, 40));

    EXPECT_EQ(pCell->HitTestButton(CPoint(90, 2)), 0);
    EXPECT_EQ(pCell->HitTestButton(CPoint(87, 0)), 0);
    EXPECT_EQ(pCell->HitTestButton(CPoint(90, 10)), 0);  // the shared edge: the up arrow first
    EXPECT_EQ(pCell->HitTestButton(CPoint(90, 15)), 1);
    EXPECT_EQ(pCell->HitTestButton(CPoint(103, 20)), 1);
    EXPECT_EQ(pCell->HitTestButton(CPoint(86, 5)), -1);
    EXPECT_EQ(pCell->HitTestButton(CPoint(40, 5)), -1);
    EXPECT_TRUE(pCell->HasTextArea());
}

TEST_F(GridBtnCellInGrid, ClickOutsideEveryButtonClearsTheLastClicked)
{
    CGridBtnCell* pCell = MakeCell(1, 3);
    ASSERT_TRUE(pCell->SetupButton(0, DFC_BUTTON, DFCS_BUTTONCHECK, 2, 0, FALSE, NULL));
    pCell->OnClickDown(CPoint(90, 5));
    EXPECT_EQ(pCell->GetLastClicked(), 0);
    EXPECT_EQ(pCell->GetDrawState(0), static_cast<UINT>(DFCS_PUSHED));
    pCell->OnClick(CPoint(90, 5));
    EXPECT_EQ(pCell->GetDrawState(0), static_cast<UINT>(DFCS_CHECKED));
    EXPECT_FALSE(pCell->ClickButtonAt(WM_LBUTTONUP, CPoint(10, 5)));
    EXPECT_EQ(pCell->GetLastClicked(), -1);
    EXPECT_EQ(pCell->GetDrawState(0), static_cast<UINT>(DFCS_CHECKED));
}

TEST_F(GridBtnCellInGrid, TypingABlankPressesTheOnlyButtonOnce)
{
    PauseRecorder pause;
    CGridBtnCell* pCell = MakeCell(1, 3);
    ASSERT_TRUE(pCell->SetupButton(0, DFC_BUTTON, DFCS_BUTTONCHECK, 2, 0, FALSE, NULL));
    CRect rect;
    m_grid.GetCellRect(1, 3, &rect);
    EXPECT_TRUE(pCell->Edit(1, 3, rect, CPoint(-1, -1), IDC_GRID_INPLACE_CONTROL, ' '));
    EXPECT_EQ(pCell->GetDrawState(0), static_cast<UINT>(DFCS_CHECKED));
    EXPECT_EQ(m_parent.CountNotify(GRIDN_CLICK), 1);
    ASSERT_EQ(g_pauses.size(), 1u);
    EXPECT_EQ(g_pauses[0], 200u);
    EXPECT_FALSE(pCell->IsEditing());
}

TEST_F(GridBtnCellInGrid, MnemonicPressesTheButtonOfACellWithoutTextArea)
{
    PauseRecorder pause;
    CFakeEditors editors;
    CGridBtnCell* pCell = MakeCell(1, 3);
    ASSERT_TRUE(pCell->SetupButton(0, DFC_BUTTON, DFCS_BUTTONPUSH, 0, 0, FALSE, "&Yes"));
    EXPECT_FALSE(pCell->HasTextArea());
    CRect rect;
    m_grid.GetCellRect(1, 3, &rect);
    pCell->Edit(1, 3, rect, CPoint(-1, -1), IDC_GRID_INPLACE_CONTROL, 'y');
    EXPECT_EQ(m_parent.CountNotify(GRIDN_CLICK), 1);
    pCell->Edit(1, 3, rect, CPoint(-1, -1), IDC_GRID_INPLACE_CONTROL, 'n');
    EXPECT_EQ(m_parent.CountNotify(GRIDN_CLICK), 1);
    EXPECT_TRUE(editors.editors.empty());
}

TEST_F(GridBtnCellInGrid, TypingIntoTheTextAreaOpensTheSharedEditor)
{
    CFakeEditors editors;
    CGridBtnCell* pCell = MakeCell(1, 3);
    ASSERT_TRUE(pCell->SetupButton(0, DFC_SCROLL, DFCS_SCROLLUP, 2, 0, FALSE, NULL));
    ASSERT_TRUE(pCell->SetupButton(1, DFC_SCROLL, DFCS_SCROLLDOWN, 2, 0, FALSE, NULL));
    pCell->SetText("5");
    pCell->SetFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    CRect rect;
    m_grid.GetCellRect(1, 3, &rect);
    pCell->Edit(1, 3, rect, CPoint(-1, -1), IDC_GRID_INPLACE_CONTROL, '7');
    ASSERT_EQ(editors.editors.size(), 1u);
    EXPECT_STREQ(editors.editors[0].strText, "5");
    EXPECT_EQ(editors.editors[0].nFirstChar, static_cast<UINT>('7'));
    EXPECT_EQ(editors.editors[0].dwStyle, static_cast<DWORD>(ES_RIGHT));
    EXPECT_TRUE(pCell->IsEditing());
    EXPECT_EQ(m_btnData.GetEditWnd(), editors.editors[0].pWnd);
    editors.editors[0].strText = "8";
    pCell->EndEdit();
    EXPECT_STREQ(m_grid.GetItemText(1, 3), "8");
    EXPECT_FALSE(pCell->IsEditing());
    EXPECT_EQ(m_btnData.GetEditWnd(), nullptr);
}

TEST_F(GridBtnCellInGrid, SharedAttributesLiveInTheDataBase)
{
    CGridBtnCell* pFirst = MakeCell(1, 3);
    CGridBtnCell* pSecond = MakeCell(2, 4);
    pFirst->SetTextClr(RGB(9, 8, 7));
    EXPECT_EQ(pSecond->GetTextClr(), RGB(9, 8, 7));
    pSecond->SetMargin(5);
    EXPECT_EQ(pFirst->GetMargin(), 5u);
    EXPECT_EQ(pFirst->GetGrid(), &m_grid);
    // Text and format are each cell's own.
    pFirst->SetText("a");
    pSecond->SetText("b");
    EXPECT_STREQ(pFirst->GetText(), "a");
    const UINT nSecondFormat = pSecond->GetFormat();
    pFirst->SetFormat(DT_CENTER);
    EXPECT_EQ(pFirst->GetFormat(), static_cast<UINT>(DT_CENTER));
    EXPECT_EQ(pSecond->GetFormat(), nSecondFormat);
    EXPECT_NE(nSecondFormat, static_cast<UINT>(DT_CENTER));
}

TEST_F(GridBtnCellInGrid, UnselectedCellDrawsNoButtonsAndUsesItsFullWidth)
{
    CGridBtnCell* pCell = MakeCell(1, 3);
    ASSERT_TRUE(pCell->SetupButton(0, DFC_BUTTON, DFCS_BUTTONPUSH, 2, 0, FALSE, "OK"));
    pCell->SetText("abc");
    CRecordingDC dc;
    const CRect rect(220, 20, 319, 39);
    pCell->Draw(&dc, 1, 3, rect, FALSE);
    EXPECT_TRUE(dc.Recorder().OfKind(AfxDrawKind::FrameControl).empty());
    const AfxDrawOp* text = dc.Recorder().FindText("abc");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->rect.left, 220 + 3);
    EXPECT_EQ(text->rect.right, 319 - 3);
}

TEST_F(GridBtnCellInGrid, SelectedCellDrawsItsButtonsInTheShrunkRectangle)
{
    CGridBtnCell* pCell = MakeCell(1, 3);
    ASSERT_TRUE(pCell->SetupButton(0, DFC_SCROLL, DFCS_SCROLLUP, 2, 0, FALSE, NULL));
    ASSERT_TRUE(pCell->SetupButton(1, DFC_SCROLL, DFCS_SCROLLDOWN, 2, 0, FALSE, NULL));
    m_grid.SetSelectedRange(1, 3, 1, 3);
    CRecordingDC dc;
    pCell->Draw(&dc, 1, 3, CRect(220, 20, 319, 39), FALSE);
    // Shrunk by the margin: (223, 20, 316, 39), width 93, height 19: text 74 wide, the slot
    // [300, 320] runs past 316 (right 319, left 303), and the pair grows to 320.
    auto frames = dc.Recorder().OfKind(AfxDrawKind::FrameControl);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_TRUE(SameRect(frames[0]->rect, 304, 20, 320, 30));
    EXPECT_EQ(frames[0]->type, static_cast<UINT>(DFC_SCROLL));
    EXPECT_EQ(frames[0]->flags, static_cast<UINT>(DFCS_SCROLLUP));
    EXPECT_TRUE(SameRect(frames[1]->rect, 304, 30, 320, 40));
    EXPECT_EQ(frames[1]->flags, static_cast<UINT>(DFCS_SCROLLDOWN));
}

TEST_F(GridBtnCellInGrid, ReadOnlyCellDrawsItsButtonsInactive)
{
    CGridBtnCell* pCell = MakeCell(1, 3);
    ASSERT_TRUE(pCell->SetupButton(0, DFC_BUTTON, DFCS_BUTTONPUSH, 0, 0, FALSE, NULL));
    pCell->SetEditable(FALSE);
    m_grid.SetSelectedRange(1, 3, 1, 3);
    CRecordingDC dc;
    pCell->Draw(&dc, 1, 3, CRect(220, 20, 319, 39), FALSE);
    auto frames = dc.Recorder().OfKind(AfxDrawKind::FrameControl);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->flags, 0x101u);
}

TEST_F(GridBtnCellInGrid, InactiveButtonTextIsEmbossed)
{
    CGridBtnCell* pCell = MakeCell(1, 3);
    ASSERT_TRUE(pCell->SetupButton(0, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_INACTIVE, 0, 0, FALSE, "Go"));
    m_grid.SetSelectedRange(1, 3, 1, 3);
    CRecordingDC dc;
    pCell->Draw(&dc, 1, 3, CRect(220, 20, 319, 39), FALSE);
    std::vector<const AfxDrawOp*> texts;
    for (const AfxDrawOp* op : dc.Recorder().Texts())
        if (op->text == "Go")
            texts.push_back(op);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->textColor, RGB(255, 255, 255));
    EXPECT_EQ(texts[1]->textColor, ::GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(texts[0]->rect.left, texts[1]->rect.left + 1);
    EXPECT_EQ(texts[0]->rect.top, texts[1]->rect.top + 1);
    EXPECT_EQ(texts[1]->flags, 0x8025u);
}

TEST_F(GridBtnCellInGrid, SelectedWithOtherCellsDrawsNoButtonFramesAndIsFilled)
{
    CGridBtnCell* pCell = MakeCell(1, 3);
    ASSERT_TRUE(pCell->SetupButton(0, DFC_BUTTON, DFCS_BUTTONPUSH, 0, 0, FALSE, NULL));
    m_grid.SetSelectedRange(1, 3, 1, 4);
    CRecordingDC dc;
    const CRect rect(220, 20, 319, 39);
    pCell->Draw(&dc, 1, 3, rect, FALSE);
    EXPECT_TRUE(dc.Recorder().OfKind(AfxDrawKind::FrameControl).empty());
    bool bFilled = false;
    for (const AfxDrawOp* op : dc.Recorder().OfKind(AfxDrawKind::FillRect))
        bFilled = bFilled || (op->rect == rect && op->brushColor == 0xCAB2A9);
    EXPECT_TRUE(bFilled);
}

TEST_F(GridBtnCellInGrid, ComboArrowOpensTheListDroppedDownForDropDownStyles)
{
    CFakeEditors editors;
    CGridBtnCellCombo* pCell = static_cast<CGridBtnCellCombo*>(MakeCell(1, 3, RUNTIME_CLASS(CGridBtnCellCombo)));
    ASSERT_TRUE(pCell->SetupButton(0, DFC_SCROLL, DFCS_SCROLLCOMBOBOX, 2, 0, FALSE, NULL));
    CStringArray options;
    options.Add("甲");
    options.Add("乙");
    pCell->SetOptions(options);
    CStringArray back;
    pCell->GetOptions(back);
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_STREQ(back[1], "乙");

    EXPECT_EQ(pCell->GetComboStyle(), 1);
    pCell->OnClickDown(CPoint(92, 5));
    pCell->OnClick(CPoint(92, 5));
    ASSERT_EQ(editors.editors.size(), 1u);
    EXPECT_TRUE(editors.editors[0].bList);
    EXPECT_EQ(editors.editors[0].nFirstChar, 1u);
    EXPECT_EQ(m_parent.CountNotify(GRIDN_BEGINLABELEDIT), 1);
    EXPECT_TRUE(pCell->IsEditing());
    EXPECT_EQ(editors.editors[0].pWnd->Count(CB_SHOWDROPDOWN), 0);
    EXPECT_EQ(m_btnData.GetEditWnd(), editors.editors[0].pWnd);

    // The end of the list lets the pressed arrow come up.
    pCell->EndEdit();
    EXPECT_EQ(pCell->GetDrawState(0), static_cast<UINT>(DFCS_SCROLLCOMBOBOX));
    EXPECT_FALSE(pCell->IsEditing());

    pCell->SetComboStyle(CBS_DROPDOWNLIST);
    pCell->OnClickDown(CPoint(92, 5));
    pCell->OnClick(CPoint(92, 5));
    ASSERT_EQ(editors.editors.size(), 2u);
    EXPECT_EQ(editors.editors[1].pWnd->Count(CB_SHOWDROPDOWN), 1);
}
