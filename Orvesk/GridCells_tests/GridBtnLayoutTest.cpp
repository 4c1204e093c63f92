// Button layout rectangles, tip texts and mnemonics.
#include "GridBtnLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

GridBtnLayoutItem Item(UINT nDrawCtl, UINT nState, UINT nAlign, int nWidth = 0)
{
    return GridBtnLayoutItem{nWidth, nState, nAlign, nDrawCtl};
}

void ExpectRect(const CRect& rc, int l, int t, int r, int b)
{
    EXPECT_EQ(rc.left, l);
    EXPECT_EQ(rc.top, t);
    EXPECT_EQ(rc.right, r);
    EXPECT_EQ(rc.bottom, b);
}

}  // namespace

TEST(GridBtnLayout, NoButtonsFailsAndLeavesTheRectangles)
{
    CRect rects[2] = {CRect(1, 2, 3, 4), CRect(5, 6, 7, 8)};
    EXPECT_FALSE(GridLayoutButtons(nullptr, 0, CRect(0, 0, 100, 20), 3, rects));
    ExpectRect(rects[0], 1, 2, 3, 4);
    ExpectRect(rects[1], 5, 6, 7, 8);
}

TEST(GridBtnLayout, WholeCellButtonCoversTheCellAndLeavesNoText)
{
    const GridBtnLayoutItem items[] = {Item(DFC_BUTTON, DFCS_BUTTONPUSH, 0, 30), Item(DFC_BUTTON, DFCS_BUTTONPUSH, 2)};
    CRect rects[3];
    ASSERT_TRUE(GridLayoutButtons(items, 2, CRect(10, 5, 90, 25), 3, rects));
    ExpectRect(rects[0], 10, 5, 90, 25);
    ExpectRect(rects[1], 10, 5, 90, 25);
    ExpectRect(rects[2], 0, 0, 0, 0);
}

TEST(GridBtnLayout, UpDownArrowPairSharesOneNarrowSlot)
{
    // Remaining 100, one automatic slot: the arrows are not push buttons and the cell
    // height (20) is below the share, so the slot is 20 + 1 wide; text 80 wide from the
    // margin; the slot [83, 104] runs past the right edge: right 103, left 87; the pair
    // grows by one to 104 and is 16 wide, split at the middle of the 20-pixel band.
    const GridBtnLayoutItem items[] = {Item(DFC_SCROLL, DFCS_SCROLLUP, 2), Item(DFC_SCROLL, DFCS_SCROLLDOWN, 2)};
    CRect rects[3];
    ASSERT_TRUE(GridLayoutButtons(items, 2, CRect(0, 0, 100, 20), 3, rects));
    ExpectRect(rects[0], 88, 0, 104, 10);
    ExpectRect(rects[1], 88, 10, 104, 20);
    ExpectRect(rects[2], 3, 0, 80, 20);
}

TEST(GridBtnLayout, SlotPastTheRightEdgeIsSixteenWideEndingThreeBeyond)
{
    // Fixed 40 + 30 in a 50-wide cell: no text area; slots of 41 and 31 from x = 13.
    const GridBtnLayoutItem items[] = {Item(DFC_BUTTON, DFCS_BUTTONPUSH, 2, 40), Item(DFC_BUTTON, DFCS_BUTTONPUSH, 2, 30)};
    CRect rects[3];
    ASSERT_TRUE(GridLayoutButtons(items, 2, CRect(10, 5, 60, 25), 3, rects));
    ExpectRect(rects[0], 13, 5, 54, 25);
    ExpectRect(rects[1], 47, 5, 63, 25);
    ExpectRect(rects[2], 13, 5, 10, 25);
}

TEST(GridBtnLayout, SquareButtonsTakeTheCellHeightAndTheTextSitsBetween)
{
    // A check box left and a radio button right, both automatic: each takes the cell
    // height (20) as it is less than its share; the text keeps 160.
    const GridBtnLayoutItem items[] = {Item(DFC_BUTTON, DFCS_BUTTONCHECK, 1), Item(DFC_BUTTON, DFCS_BUTTONRADIO, 2)};
    CRect rects[3];
    ASSERT_TRUE(GridLayoutButtons(items, 2, CRect(0, 0, 200, 20), 3, rects));
    ExpectRect(rects[0], 0, 0, 21, 20);
    ExpectRect(rects[2], 24, 0, 181, 20);
    // Slot [184, 205] passes the right edge 200.
    ExpectRect(rects[1], 187, 0, 203, 20);
}

TEST(GridBtnLayout, AutomaticPushButtonsShareTheWidth)
{
    const GridBtnLayoutItem items[] = {Item(DFC_BUTTON, DFCS_BUTTONPUSH, 1), Item(DFC_BUTTON, DFCS_BUTTONPUSH, 2)};
    CRect rects[3];
    ASSERT_TRUE(GridLayoutButtons(items, 2, CRect(0, 0, 100, 20), 3, rects));
    ExpectRect(rects[0], 0, 0, 51, 20);
    ExpectRect(rects[2], 54, 0, 51, 20);  // no room left: width 0
    ExpectRect(rects[1], 87, 0, 103, 20);
}

TEST(GridBtnLayout, ShareIsRecomputedAfterASquareButton)
{
    // Cell 100 x 20, three automatic buttons: a check box (square), then two push
    // buttons. Share 33: the check box takes 20, remaining 80, share 80 / 2 = 40 each.
    const GridBtnLayoutItem items[] = {Item(DFC_BUTTON, DFCS_BUTTONCHECK, 1), Item(DFC_BUTTON, DFCS_BUTTONPUSH, 1),
                                       Item(DFC_BUTTON, DFCS_BUTTONPUSH, 1)};
    CRect rects[4];
    ASSERT_TRUE(GridLayoutButtons(items, 3, CRect(0, 0, 100, 20), 3, rects));
    ExpectRect(rects[0], 0, 0, 21, 20);
    ExpectRect(rects[1], 21, 0, 62, 20);
    // [62, 103] ends past 100.
    ExpectRect(rects[2], 87, 0, 103, 20);
}

TEST(GridBtnLayout, TipTextJoinsCaptionsWithoutMarkers)
{
    const CString texts[] = {CString("&Open"), CString(""), CString("Save && Close"), CString("&&x&y")};
    EXPECT_EQ(GridJoinButtonTips(texts, 4).str(), std::string("Open Save & Close &xy"));
}

TEST(GridBtnLayout, TipTextIsCutOnACharacterBoundary)
{
    // 253 single bytes then a double-byte character: the character would end at byte 255,
    // so the tip stops at 253 bytes.
    std::string longText(253, 'a');
    longText += "\xB9\xA4\xD7\xF7";  // two double-byte characters
    const CString texts[] = {CString(longText)};
    const std::string tip = GridJoinButtonTips(texts, 1).str();
    EXPECT_EQ(tip.size(), 253u);
    EXPECT_EQ(tip, std::string(253, 'a'));

    std::string evenText(252, 'b');
    evenText += "\xB9\xA4\xD7\xF7";
    const CString even[] = {CString(evenText)};
    EXPECT_EQ(GridJoinButtonTips(even, 1).str(), std::string(252, 'b') + "\xB9\xA4");
}

TEST(GridBtnLayout, TipTextsOfTwoCellsDoNotShareStorage)
{
    const CString first[] = {CString("&One")};
    const CString second[] = {CString("&Two")};
    const CString a = GridJoinButtonTips(first, 1);
    const CString b = GridJoinButtonTips(second, 1);
    EXPECT_EQ(a.str(), "One");
    EXPECT_EQ(b.str(), "Two");
}

TEST(GridBtnLayout, MnemonicIgnoresCaseAndEscapedAmpersands)
{
    const CString texts[] = {CString("A&&b"), CString("&Yes"), CString("&No")};
    EXPECT_EQ(GridFindMnemonic(texts, 3, 'y'), 1);
    EXPECT_EQ(GridFindMnemonic(texts, 3, 'N'), 2);
    EXPECT_EQ(GridFindMnemonic(texts, 3, 'b'), -1);
    EXPECT_EQ(GridFindMnemonic(texts, 3, 'z'), -1);
}

TEST(GridBtnLayout, TallerCellWidensSquareButtonsButKeepsTheTwentyPixelBand)
{
    // Height 30: each square button takes 30, the text keeps 140; rectangles stay 20 high.
    const GridBtnLayoutItem items[] = {Item(DFC_BUTTON, DFCS_BUTTONCHECK, 1), Item(DFC_BUTTON, DFCS_BUTTONRADIO, 2)};
    CRect rects[3];
    ASSERT_TRUE(GridLayoutButtons(items, 2, CRect(0, 0, 200, 30), 3, rects));
    ExpectRect(rects[0], 0, 0, 31, 20);
    ExpectRect(rects[2], 34, 0, 171, 20);
    ExpectRect(rects[1], 187, 0, 203, 20);
}
