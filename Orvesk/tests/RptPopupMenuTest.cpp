// The owner-drawn popup menu: toolbar images mapped to commands, a menu converted to
// owner-drawn items, the sizes of separators and empty items, and a tab-split text.
#include <ClassLib/Testing.h>
#include <ClassLib/Testing/DrawLog.h>
#include <gtest/gtest.h>

#include "SuperListCtrl/RptPopupMenu.h"

#include <cstring>

namespace {

TEST(RptPopupMenuTest, ASeparatorMeasuresTenBySixAndAnEmptyItemAHundredWide)
{
    CRptPopupMenu menu;
    CRptPopupMenu::CItem sep{RPTMENU_SEPARATOR, (UINT)RPTMENU_SEPARATOR, "--"};
    MEASUREITEMSTRUCT mis;
    std::memset(&mis, 0, sizeof(mis));
    mis.itemData = reinterpret_cast<ULONG_PTR>(&sep);
    menu.MeasureItem(&mis);
    EXPECT_EQ(mis.itemWidth, 10u);
    EXPECT_EQ(mis.itemHeight, 6u);
    CRptPopupMenu::CItem empty{-1, 5, ""};
    mis.itemData = reinterpret_cast<ULONG_PTR>(&empty);
    menu.MeasureItem(&mis);
    EXPECT_EQ(mis.itemWidth, 100u);
    EXPECT_EQ(mis.itemHeight, 25u);  // image height 20 + 5
}

TEST(RptPopupMenuTest, ConvertingMakesEveryItemOwnerDrawnWithItsRecord)
{
    CRptPopupMenu menu;
    CMenu popup, sub;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, 0xE125, "Paste");
    popup.AppendMenu(MF_STRING, 0xE122, "Copy\tCtrl+C");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), "More");
    menu.ConvertMenu(&popup);
    EXPECT_TRUE(popup.GetMenuState(0, MF_BYPOSITION) & MF_OWNERDRAW);
    EXPECT_TRUE(popup.GetMenuState(1, MF_BYPOSITION) & MF_OWNERDRAW);
    EXPECT_TRUE(popup.GetSubMenu(2)->GetMenuState(0, MF_BYPOSITION) & MF_OWNERDRAW);
    EXPECT_EQ(popup.GetMenuItemID(0), 0xE122u);
}

TEST(RptPopupMenuTest, ATabSplitsTheTextIntoLeftAndRightParts)
{
    CRptPopupMenu menu;
    CRptPopupMenu::CItem item{-1, 0xE122, "Copy\tCtrl+C"};
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screen, 200, 30);
    CBitmap* pOld = dc.SelectObject(&bmp);
    CDrawRecorder rec;
    DRAWITEMSTRUCT dis;
    std::memset(&dis, 0, sizeof(dis));
    dis.CtlType = ODT_MENU;
    dis.hDC = dc.GetSafeHdc();
    dis.rcItem = CRect(0, 0, 200, 25);
    dis.itemData = reinterpret_cast<ULONG_PTR>(&item);
    menu.DrawItem(&dis);
    dc.SelectObject(pOld);
    const AfxDrawOp* pLeft = rec.FindText("Copy");
    const AfxDrawOp* pRight = rec.FindText("Ctrl+C");
    ASSERT_NE(pLeft, nullptr);
    ASSERT_NE(pRight, nullptr);
    EXPECT_TRUE(pLeft->flags & DT_LEFT || (pLeft->flags & (DT_RIGHT | DT_CENTER)) == 0);
    EXPECT_TRUE(pRight->flags & DT_RIGHT);
    // The text area starts after the square image place and ends 15 before the edge.
    EXPECT_EQ(pLeft->rect.left, 25 + 2);
    EXPECT_EQ(pRight->rect.right, 200 - 15);
}

TEST(RptPopupMenuTest, AMissingToolbarLoadsNothing)
{
    CRptPopupMenu menu;
    EXPECT_FALSE(menu.LoadToolBar(59999));
    EXPECT_EQ(menu.FindImage(0xE122), -1);
}

} // namespace
