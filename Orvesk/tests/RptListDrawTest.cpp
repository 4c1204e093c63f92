// Drawing of the report list: cells, owner formats, images and blends, the empty list,
// the band and row decoration; and a picture of a list with all of it.
#include "RptListTestSupport.h"

#include <cstring>
#include <string>

namespace {

class RptListDrawTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        ASSERT_TRUE(host.CreateHost(560, 320));
        ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 540, 300), &host, 7));
        list.InsertRptColumn(0, "Member", LVCFMT_LEFT, 120, 0, RPTCOL_SORTABLE);
        list.InsertRptColumn(1, "Description", LVCFMT_LEFT, 90, 1, RPTCOL_SORTABLE);
        list.InsertRptColumn(2, "Open", LVCFMT_CENTER, 50, 2, RPTCOL_IMAGE);
        list.InsertRptColumn(3, "Note", LVCFMT_RIGHT, 80, 3, 0);
    }
    void TearDown() override
    {
        list.DestroyWindow();
        host.DestroyWindow();
        CWndTestBase::TearDown();
    }
    int AddRow(const char* a, const char* b, int image, const char* d)
    {
        int n = list.InsertItem(LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE, list.GetItemCount(), a, 0, 0, image % 4,
                                static_cast<LPARAM>(list.GetItemCount() + 1));
        list.SetItemText(n, 1, b);
        list.SetItemInt(n, 2, image);
        list.SetItemText(n, 3, d);
        return n;
    }
    void Repaint()
    {
        list.Invalidate();
        list.UpdateWindow();
    }
    std::vector<const AfxDrawOp*> TextsOfRow(const CDrawRecorder& rec, int nRow)
    {
        CRect rc;
        list.GetItemRect(nRow, &rc, LVIR_BOUNDS);
        std::vector<const AfxDrawOp*> v;
        for (const AfxDrawOp* op : rec.Texts())
            if (op->rect.top >= rc.top && op->rect.top < rc.bottom)
                v.push_back(op);
        return v;
    }

    CRptHostWnd host;
    CRptListCtrl list;
};

TEST_F(RptListDrawTest, AnEmptyListSaysSoUnderTheHeader)
{
    CDrawRecorder rec(&list);
    Repaint();
    const AfxDrawOp* p = rec.FindText("没有项目成员");
    ASSERT_NE(nullptr, p);
    EXPECT_NE(0u, p->flags & DT_CENTER);
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), p->textColor);
    CRect rcHeader;
    list.GetHeaderCtrl()->GetWindowRect(&rcHeader);
    EXPECT_EQ(rcHeader.Height() + 2, p->rect.top);
    rec.Clear();
    AddRow("alice", "x", 0, "");
    Repaint();
    EXPECT_EQ(nullptr, rec.FindText("没有项目成员"));
}

TEST_F(RptListDrawTest, OnlyTheFirstColumnIsDrawnWithoutAnEllipsis)
{
    AddRow("a very long member name that cannot fit", "a long description text", 1, "");
    CDrawRecorder rec(&list);
    Repaint();
    const AfxDrawOp* pFirst = rec.FindText("a very long member name that cannot fit");
    const AfxDrawOp* pSecond = rec.FindText("a long description text");
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(0u, pFirst->flags & DT_END_ELLIPSIS);
    EXPECT_NE(0u, pSecond->flags & DT_END_ELLIPSIS);
    // Cell texts sit 6 pixels inside their cells.
    EXPECT_EQ(126, pSecond->rect.left);
    // An empty cell draws nothing: no "Note" text, no image for it.
    for (const AfxDrawOp* op : rec.Texts())
        EXPECT_NE(CString(""), op->text);
}

TEST_F(RptListDrawTest, RowFormattingMakesTheWholeRowBoldAndColoursTheFirstCell)
{
    AddRow("alice", "desc", 1, "note");
    list.ModifyRptStyle(0, RPTS_ROWFORMAT);
    host.answer = [](CRptCellInfo& info) -> LRESULT {
        if (info.m_nKind != RPT_CELL_FORMAT)
            return 0;
        info.m_nFlags = RPT_FMT_BOLD | RPT_FMT_COLOR;
        info.m_clrText = RGB(200, 0, 0);
        return 1;
    };
    CDrawRecorder rec(&list);
    Repaint();
    std::vector<const AfxDrawOp*> texts = TextsOfRow(rec, 0);
    ASSERT_EQ(3u, texts.size());
    for (const AfxDrawOp* op : texts)
        EXPECT_EQ(700, op->font.lfWeight) << op->text;
    EXPECT_EQ(RGB(200, 0, 0), texts[0]->textColor);
    EXPECT_NE(RGB(200, 0, 0), texts[1]->textColor);
    EXPECT_NE(RGB(200, 0, 0), texts[2]->textColor);
    for (const CRptCellInfo& r : host.requests)
        EXPECT_EQ(0, r.m_nColumn);  // only the first column was asked
}

TEST_F(RptListDrawTest, WithoutRowFormattingEachCellIsAskedForItself)
{
    AddRow("alice", "desc", 1, "note");
    host.answer = [](CRptCellInfo& info) -> LRESULT {
        if (info.m_nKind != RPT_CELL_FORMAT)
            return 0;
        if (info.m_nColumn == 1)
        {
            info.m_nFlags = RPT_FMT_ITALIC;
            return 1;
        }
        return 0;
    };
    CDrawRecorder rec(&list);
    Repaint();
    std::vector<const AfxDrawOp*> texts = TextsOfRow(rec, 0);
    ASSERT_EQ(3u, texts.size());
    EXPECT_FALSE(texts[0]->font.lfItalic);
    EXPECT_TRUE(texts[1]->font.lfItalic);
    // The font is not reset: the next cell, whose owner answered 0, keeps it.
    EXPECT_TRUE(texts[2]->font.lfItalic);
    std::vector<int> asked;
    for (const CRptCellInfo& r : host.requests)
        if (r.m_nKind == RPT_CELL_FORMAT)
            asked.push_back(r.m_nColumn);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), asked);
}

TEST_F(RptListDrawTest, ImagesAndBlends)
{
    CImageList small, cells;
    MakeTestImages(small, 4);
    MakeTestImages(cells, 4);
    list.SetImageList(&small, LVSIL_SMALL);
    list.SetCellImageList(&cells);
    AddRow("alice", "d", 2, "n");
    AddRow("bob", "d", 3, "n");
    AddRow("carol", "d", 1, "n");
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_CUT, LVIS_CUT);
    CDrawRecorder rec(&list);
    Repaint();
    std::vector<const AfxDrawOp*> rowImages[3];
    for (const AfxDrawOp* op : rec.OfKind(AfxDrawKind::Image))
        for (int r = 0; r < 3; ++r)
        {
            CRect rc;
            list.GetItemRect(r, &rc, LVIR_BOUNDS);
            if (op->rect.top >= rc.top && op->rect.top < rc.bottom)
                rowImages[r].push_back(op);
        }
    // Each row: its small image, then its image cell (index from the cell text).
    ASSERT_EQ(2u, rowImages[0].size());
    EXPECT_EQ(0u, rowImages[0][0]->flags & (ILD_BLEND50 | ILD_BLEND25));
    EXPECT_EQ(2, rowImages[0][1]->image);
    ASSERT_EQ(2u, rowImages[1].size());
    EXPECT_NE(0u, rowImages[1][0]->flags & ILD_BLEND50);  // selected
    EXPECT_EQ(3, rowImages[1][1]->image);
    ASSERT_EQ(2u, rowImages[2].size());
    EXPECT_NE(0u, rowImages[2][0]->flags & ILD_BLEND50);  // cut
    // No image number is drawn as text.
    EXPECT_EQ(nullptr, rec.FindText("2"));
    AfxTestFocus(&list);
    EXPECT_TRUE(AfxTestGrabWindow(&host, AfxTestOutputPath("RptListImages.png")));
    list.SetImageList(nullptr, LVSIL_SMALL);
    list.SetCellImageList(nullptr);
}

TEST_F(RptListDrawTest, TheBandIsOfferedOnlyWhenItHasAHeight)
{
    AddRow("alice", "d", 0, "n");
    Repaint();
    for (const CRptCellInfo& r : host.requests)
        EXPECT_NE(RPT_CELL_DRAWBAND, r.m_nKind);
    list.SetBandHeight(6);
    list.SetItemHeight(17);
    host.requests.clear();
    Repaint();
    int nBands = 0;
    for (const CRptCellInfo& r : host.requests)
        nBands += r.m_nKind == RPT_CELL_DRAWBAND;
    EXPECT_EQ(1, nBands);
}

TEST_F(RptListDrawTest, RowDecorationReplacesTheGridLineWhenTheOwnerDraws)
{
    AddRow("alice", "d", 0, "n");
    list.ModifyRptStyle(RPTS_VGRID, RPTS_ROWDECORATION);
    host.answer = [](CRptCellInfo& info) -> LRESULT {
        if (info.m_nKind != RPT_CELL_DRAWROW)
            return 0;
        CRptCellDrawInfo& d = static_cast<CRptCellDrawInfo&>(info);
        d.m_pDC->FillSolidRect(d.m_rect.right - 10, d.m_rect.top, 5, 5, RGB(1, 2, 3));
        return 1;
    };
    CRect rc;
    list.GetItemRect(0, &rc, LVIR_BOUNDS);
    CDrawRecorder rec(&list);
    Repaint();
    bool bDecorated = false;
    for (const AfxDrawOp* op : rec.OfKind(AfxDrawKind::FillRect))
        bDecorated = bDecorated || op->color == RGB(1, 2, 3);
    EXPECT_TRUE(bDecorated);
    for (const AfxDrawOp* op : rec.OfKind(AfxDrawKind::Polyline))
        EXPECT_FALSE(op->points.size() == 2 && op->points[0].y == rc.bottom - 1 && op->points[1].y == rc.bottom - 1);
    // Answered 0: the line is drawn.
    host.answer = nullptr;
    rec.Clear();
    Repaint();
    bool bLine = false;
    for (const AfxDrawOp* op : rec.OfKind(AfxDrawKind::Polyline))
        bLine = bLine || (op->points.size() == 2 && op->points[0].y == rc.bottom - 1 && op->points[1].y == rc.bottom - 1);
    EXPECT_TRUE(bLine);
}

TEST_F(RptListDrawTest, ACellFormatCallbackReplacesTheMessage)
{
    struct COwner : public CRptHostWnd
    {
        int calls = 0;
        BOOL Format(CRptCellInfo* pInfo)
        {
            ++calls;
            pInfo->m_nFlags = RPT_FMT_UNDERLINE;
            return TRUE;
        }
    };
    COwner owner;
    ASSERT_TRUE(owner.CreateHost());
    CRptListCtrl other;
    ASSERT_TRUE(other.Create(kRptListStyle, CRect(0, 0, 300, 200), &owner, 8));
    other.InsertRptColumn(0, "A", LVCFMT_LEFT, 100, 0, 0);
    other.InsertItem(0, "x");
    other.SetCellFormatCallback(static_cast<RPT_CELLFORMATPROC>(&COwner::Format));
    CDrawRecorder rec(&other);
    other.Invalidate();
    other.UpdateWindow();
    EXPECT_GT(owner.calls, 0);
    EXPECT_TRUE(owner.requests.empty());
    const AfxDrawOp* p = rec.FindText("x");
    ASSERT_NE(nullptr, p);
    EXPECT_TRUE(p->font.lfUnderline);
    other.DestroyWindow();
    owner.DestroyWindow();
}

void ByAccess(LPARAM, CRptCategoryManager* pManager, DWORD_PTR* pValue)
{
    pManager->AddRowToCategory(*pValue <= 3 ? 0 : 1, *pValue);
}

// A list as the permission page shows it, with images, a selected (blended) row, categories
// and a heading being dragged; the picture is looked at by hand.
TEST(RptListPicture, AListWithImagesCategoriesAndADraggedHeading)
{
    AfxEnsureApplication();
    AfxTestResetInput();
    CRptHostWnd host;
    ASSERT_TRUE(host.CreateHost(560, 300));
    CRptListCtrl list;
    ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 540, 260), &host, 7));
    list.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    CImageList small, cells;
    MakeTestImages(small, 4);
    MakeTestImages(cells, 4);
    list.SetImageList(&small, LVSIL_SMALL);
    list.SetCellImageList(&cells);
    list.SetHeaderImageList(&cells);
    // Column 0 is the categories' expander.
    list.InsertRptColumn(0, "", LVCFMT_LEFT, 0, 0, 0);
    list.InsertRptColumn(1, "成员", LVCFMT_LEFT, 90, 1, RPTCOL_SORTABLE);
    list.InsertRptColumn(2, "描述", LVCFMT_LEFT, 110, 2, RPTCOL_SORTABLE);
    list.InsertRptColumn(3, "打开", LVCFMT_CENTER, 50, 3, RPTCOL_IMAGE);
    list.InsertRptColumn(4, "备注", LVCFMT_RIGHT, 70, 4, 0);
    list.InsertRptColumn(5, "论坛", LVCFMT_CENTER, 50, 5, RPTCOL_IMAGE);
    list.SetColumnImage(5, 3);
    list.SetCellTextCallback(static_cast<RPT_CELLTEXTPROC>(&CRptHostWnd::CellText));
    const char* names[] = {"张三", "李四", "王五", "赵六", "钱七"};
    const char* descr[] = {"项目经理", "开发人员", "测试人员", "开发人员", "一个很长很长的成员描述文字"};
    for (int i = 0; i < 5; ++i)
    {
        DWORD_PTR d = static_cast<DWORD_PTR>(i + 1);
        list.InsertItemEx(i, d);
        LVITEM item;
        std::memset(&item, 0, sizeof(item));
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        item.iImage = i % 4;
        list.SetItem(&item);
        host.texts[{d, 1}] = names[i];
        host.texts[{d, 2}] = descr[i];
        host.texts[{d, 3}] = CString(static_cast<char>('0' + i % 3));
        host.texts[{d, 4}] = i % 2 ? "只读" : "";
        host.texts[{d, 5}] = CString(static_cast<char>('0' + (i + 1) % 4));
    }
    list.SetItemHeight(20, TRUE);
    CRptCategoryManager* pM = list.CreateCategoryManager();
    pM->AddNumberCategory("Gestori", 0, 4);
    pM->AddNumberCategory("Altri", 4, 100);
    list.SetCategoryCallback(&ByAccess);
    list.EnableCategories(TRUE);
    list.ToggleCategory(0);
    ASSERT_TRUE(list.HasCategories());
    ASSERT_EQ(5, list.GetItemCount());  // Gestori with its three rows, Altri closed
    list.GetRptHeader()->SetSortColumn(2, 1);
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    AfxTestFocus(&list);
    // A heading in the middle of a drag: the marker and the frame are on screen.
    CRect rcHead, rcTarget;
    list.GetHeaderCtrl()->GetItemRect(2, &rcHead);
    list.GetHeaderCtrl()->GetItemRect(4, &rcTarget);
    CPoint ptTarget(rcTarget.left + 10, rcHead.CenterPoint().y);
    AfxTestMouseDown(list.GetHeaderCtrl(), rcHead.CenterPoint());
    AfxTestMouseMove(list.GetHeaderCtrl(), CPoint(rcTarget.left + 5, ptTarget.y), MK_LBUTTON);
    AfxTestMouseMove(list.GetHeaderCtrl(), ptTarget, MK_LBUTTON);
    EXPECT_TRUE(list.GetRptHeader()->IsDragging());
    EXPECT_TRUE(AfxTestGrabWindow(&host, AfxTestOutputPath("RptListDragging.png")));
    AfxTestMouseUp(list.GetHeaderCtrl(), ptTarget);
    AfxPumpMessages();
    EXPECT_EQ(3, list.GetRptHeader()->GetSortColumn());  // the mark went with its column
    EXPECT_EQ(3, list.ColumnId(2));
    EXPECT_EQ(2, list.ColumnId(3));
    // The image column keeps showing images at its new place, the text column texts.
    CDrawRecorder rec(&list);
    list.Invalidate();
    list.UpdateWindow();
    EXPECT_NE(nullptr, rec.FindText("项目经理"));
    EXPECT_EQ(nullptr, rec.FindText("0"));
    EXPECT_TRUE(AfxTestGrabWindow(&host, AfxTestOutputPath("RptListAfterDrag.png")));
    list.SetImageList(nullptr, LVSIL_SMALL);
    list.DestroyWindow();
    host.DestroyWindow();
    AfxPumpMessages();
    AfxTestResetInput();
}

}  // namespace
