// Shared-data cells: every attribute lives in the block the cells point to.
#include "GridCtrl.h"
#include "GridCellVSame.h"
#include "DataVSame.h"

#include <ClassLib/Testing/DrawLog.h>

#include <gtest/gtest.h>

namespace
{
CGridCellVSame* MakeCell(CDataVSame* pData, int row, int col)
{
    CGridCellVSame* pCell = new CGridCellVSame;
    pCell->SetCoords(row, col);
    pCell->SetDataVSame(pData);
    return pCell;
}
} // namespace

TEST(DataVSame, Defaults)
{
    CDataVSame data;
    EXPECT_EQ((UINT)0x8024, data.GetFormat(1, 1));
    EXPECT_EQ((UINT)0x8026, data.GetFormat(1, 0));
    EXPECT_EQ((UINT)0x8024, data.GetFormat(0, 0));
    EXPECT_EQ(-1, data.GetImage(1, 1));
    EXPECT_EQ(0, data.GetData(1, 1));
    EXPECT_EQ(CLR_DEFAULT, data.GetBackClr(1, 1));
    EXPECT_EQ(CLR_DEFAULT, data.GetTextClr(1, 1));
    EXPECT_EQ((UINT)3, data.GetMargin(1, 1));
    EXPECT_EQ(NULL, data.GetGrid(1, 1));
    EXPECT_EQ(NULL, data.GetText(1, 1));

    NONCLIENTMETRICS ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    EXPECT_STREQ(ncm.lfMessageFont.lfFaceName, data.GetFont(1, 1)->lfFaceName);
    EXPECT_EQ(ncm.lfMessageFont.lfHeight, data.GetFont(1, 1)->lfHeight);
}

TEST(GridCellVSame, TwoCellsOnOneBlockShareTheirAttributes)
{
    CDataVSame data;
    std::unique_ptr<CGridCellVSame> a(MakeCell(&data, 2, 3));
    std::unique_ptr<CGridCellVSame> b(MakeCell(&data, 5, 1));

    a->SetTextClr(RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), b->GetTextClr());
    b->SetBackClr(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), a->GetBackClr());
    a->SetImage(4);
    EXPECT_EQ(4, b->GetImage());
    a->SetData(77);
    EXPECT_EQ(77, b->GetData());
    b->SetMargin(9);
    EXPECT_EQ((UINT)9, a->GetMargin());

    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -17;
    lf.lfWeight = 700;
    lstrcpy(lf.lfFaceName, _T("Serif"));
    a->SetFont(&lf);
    EXPECT_EQ(-17, b->GetFont()->lfHeight);
    EXPECT_EQ(700, b->GetFont()->lfWeight);
    EXPECT_STREQ("Serif", b->GetFont()->lfFaceName);
    // The block holds a copy, not the caller's record.
    lf.lfHeight = -30;
    EXPECT_EQ(-17, b->GetFont()->lfHeight);
}

TEST(GridCellVSame, FormatsAreChosenByPosition)
{
    CDataVSame data;
    std::unique_ptr<CGridCellVSame> header(MakeCell(&data, 0, 2));
    std::unique_ptr<CGridCellVSame> first(MakeCell(&data, 3, 0));
    std::unique_ptr<CGridCellVSame> other(MakeCell(&data, 3, 2));

    header->SetFormat(DT_CENTER);
    EXPECT_EQ((UINT)DT_CENTER, header->GetFormat());
    EXPECT_EQ((UINT)0x8026, first->GetFormat());
    EXPECT_EQ((UINT)0x8024, other->GetFormat());

    first->SetFormat(DT_RIGHT | DT_SINGLELINE);
    EXPECT_EQ((UINT)(DT_RIGHT | DT_SINGLELINE), first->GetFormat());
    EXPECT_EQ((UINT)0x8024, other->GetFormat());
    EXPECT_EQ((UINT)DT_CENTER, header->GetFormat());

    // Row 0, column 0 is a header cell.
    std::unique_ptr<CGridCellVSame> corner(MakeCell(&data, 0, 0));
    EXPECT_EQ((UINT)DT_CENTER, corner->GetFormat());
}

TEST(GridCellVSame, SetTextKeepsNoText)
{
    CDataVSame data;
    std::unique_ptr<CGridCellVSame> cell(MakeCell(&data, 1, 1));
    cell->SetText(_T("hello"));
    ASSERT_NE(nullptr, cell->GetText());
    EXPECT_STREQ("", cell->GetText());
}

TEST(GridCellVSame, WithoutABlockNothingIsStored)
{
    CGridCellVSame cell;
    cell.SetCoords(4, 6);
    cell.SetTextClr(RGB(1, 1, 1));
    cell.SetFormat(DT_CENTER);
    EXPECT_EQ(CLR_DEFAULT, cell.GetTextClr());
    EXPECT_EQ((UINT)0, cell.GetFormat());
    EXPECT_EQ(NULL, cell.GetFont());
    EXPECT_EQ(NULL, cell.GetGrid());
    EXPECT_STREQ("", cell.GetText());
    EXPECT_FALSE(cell.IsEditing());
    CPoint pt = cell.GetCoords();
    EXPECT_EQ(6, pt.x);
    EXPECT_EQ(4, pt.y);
}

TEST(GridCellVSame, TheFirstGridGivenIsKept)
{
    CDataVSame data;
    CGridCtrl grid1(2, 2), grid2(2, 2);
    std::unique_ptr<CGridCellVSame> cell(MakeCell(&data, 1, 1));
    cell->SetGrid(&grid1);
    EXPECT_EQ(&grid1, cell->GetGrid());
    cell->SetGrid(&grid2);
    EXPECT_EQ(&grid1, data.GetGrid(0, 0));
}

TEST(GridCellVSame, ASelectedCellIsFramedBeforeItIsDrawn)
{
    CGridCtrl grid(3, 3, 1, 1);
    CDataVSame data;
    data.AttachGrid(&grid);
    data.SetTextClr(1, 1, RGB(200, 0, 0));
    std::unique_ptr<CGridCellVSame> cell(MakeCell(&data, 1, 1));

    CRecordingDC dc(200, 100);
    cell->SetState(GRIDSTATE_SELECTED);
    ASSERT_TRUE(cell->Draw(&dc, 1, 1, CRect(10, 10, 60, 30)));
    ASSERT_FALSE(dc.Ops().empty());
    const AfxDrawOp& first = dc.Ops().front();
    EXPECT_EQ(AfxDrawKind::Rectangle, first.kind);
    EXPECT_EQ(CRect(10, 10, 60, 30), first.rect);
    EXPECT_EQ(RGB(0, 0, 0), first.penColor);
    EXPECT_EQ(BS_NULL, first.brushStyle);

    // An unselected cell gets no frame.
    CRecordingDC dc2(200, 100);
    cell->SetState(0);
    cell->Draw(&dc2, 1, 1, CRect(10, 10, 60, 30));
    EXPECT_TRUE(dc2.Recorder().OfKind(AfxDrawKind::Rectangle).empty());
}

TEST(GridCellVSame, WorksAsAGridCellType)
{
    CGridCtrl grid(3, 3, 1, 1);
    ASSERT_TRUE(grid.SetCellType(1, 2, RUNTIME_CLASS(CGridCellVSame)));
    CGridCellVSame* pCell = dynamic_cast<CGridCellVSame*>(grid.GetCell(1, 2));
    ASSERT_NE(nullptr, pCell);
    CDataVSame data;
    pCell->SetDataVSame(&data);
    pCell->SetCoords(1, 2);
    pCell->SetGrid(&grid);
    EXPECT_EQ(&grid, pCell->GetGrid());
    grid.SetItemFgColour(1, 2, RGB(4, 5, 6));
    EXPECT_EQ(RGB(4, 5, 6), data.GetTextClr(9, 9));
    grid.SetItemText(1, 2, _T("ignored"));
    EXPECT_STREQ("", (LPCTSTR)grid.GetItemText(1, 2));
}
