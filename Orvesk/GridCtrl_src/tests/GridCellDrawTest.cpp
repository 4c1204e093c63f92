// What the cells draw, checked through the recording device context: colours, the focus
// frame and the selection fill, images, the sort arrow, the 3-D edge of fixed cells, the
// combo button, printing and measuring.
#include "GridTestUtil.h"
#include "GridCellCombo.h"
#include "GridEditHooks.h"

namespace
{
const COLORREF kSelFill = 0xCAB2A9;

class GridCellDrawTest : public GridWndTest
{
protected:
    CRecordingDC dc{400, 300};

    void SetUp() override
    {
        GridWndTest::SetUp();
        grid.SetRowCount(5);
        grid.SetColumnCount(4);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        CreateGrid();
        for (int col = 0; col < 4; col++)
            grid.SetColumnWidth(col, 80);
        for (int row = 0; row < 5; row++)
            grid.SetRowHeight(row, 20);
        for (int row = 0; row < 5; row++)
            for (int col = 0; col < 4; col++)
            {
                CString s;
                s.Format(_T("r%dc%d"), row, col);
                grid.SetItemText(row, col, s);
            }
    }

    CGridCellBase* Cell(int row, int col) { return grid.GetCell(row, col); }

    std::vector<const AfxDrawOp*> Of(AfxDrawKind kind) const
    {
        std::vector<const AfxDrawOp*> v;
        for (const AfxDrawOp& op : dc.Ops())
            if (op.kind == kind)
                v.push_back(&op);
        return v;
    }
    const AfxDrawOp* TextOp(LPCTSTR text) const
    {
        for (const AfxDrawOp& op : dc.Ops())
            if (op.kind == AfxDrawKind::Text && op.text == text)
                return &op;
        return nullptr;
    }
    std::vector<const AfxDrawOp*> FillsOf(COLORREF cr) const
    {
        std::vector<const AfxDrawOp*> v;
        for (const AfxDrawOp& op : dc.Ops())
            if (op.kind == AfxDrawKind::FillRect && op.color == cr)
                v.push_back(&op);
        return v;
    }
};
} // namespace

TEST_F(GridCellDrawTest, EmptyRectangleDrawsNothing)
{
    EXPECT_FALSE(Cell(2, 2)->Draw(&dc, 2, 2, CRect(10, 10, 10, 29), TRUE));
    EXPECT_FALSE(Cell(2, 2)->Draw(&dc, 2, 2, CRect(10, 10, 89, 10), TRUE));
    EXPECT_FALSE(Cell(2, 2)->Draw(&dc, 2, 2, CRect(10, 10, 5, 29), TRUE));
    grid.SetItemState(2, 2, GRIDSTATE_FOCUSED | GRIDSTATE_SELECTED);
    EXPECT_FALSE(Cell(2, 2)->Draw(&dc, 2, 2, CRect(10, 10, 10, 29), TRUE));
    EXPECT_TRUE(dc.Ops().empty());
}

TEST_F(GridCellDrawTest, OwnTextColourDrawsBlackDefaultDrawsTheGridColour)
{
    grid.SetTextColor(RGB(0, 0, 255));
    ASSERT_TRUE(Cell(2, 2)->Draw(&dc, 2, 2, CRect(160, 40, 239, 59), FALSE));
    const AfxDrawOp* op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(RGB(0, 0, 255), op->textColor);
    EXPECT_EQ(TRANSPARENT, op->bkMode);
    EXPECT_EQ(0x8824u, op->flags);
    // Margin 3 on each side.
    EXPECT_TRUE(op->rect == CRect(163, 40, 236, 59));

    dc.Recorder().Clear();
    grid.SetItemFgColour(2, 2, RGB(255, 0, 0));
    Cell(2, 2)->Draw(&dc, 2, 2, CRect(160, 40, 239, 59), FALSE);
    op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(RGB(0, 0, 0), op->textColor);

    // A fixed cell takes the grid's fixed text colour.
    dc.Recorder().Clear();
    grid.SetFixedTextColor(RGB(0, 128, 0));
    Cell(0, 2)->Draw(&dc, 0, 2, CRect(160, 0, 239, 19), FALSE);
    op = TextOp(_T("r0c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(RGB(0, 128, 0), op->textColor);
}

TEST_F(GridCellDrawTest, EraseFillsWithTheGridBackColourOwnBackColourFillsWhite)
{
    grid.SetTextBkColor(RGB(250, 240, 230));
    Cell(2, 2)->Draw(&dc, 2, 2, CRect(160, 40, 239, 59), FALSE);
    EXPECT_TRUE(Of(AfxDrawKind::FillRect).empty());

    Cell(2, 2)->Draw(&dc, 2, 2, CRect(160, 40, 239, 59), TRUE);
    auto fills = FillsOf(RGB(250, 240, 230));
    ASSERT_EQ(1u, fills.size());
    EXPECT_TRUE(fills[0]->rect == CRect(160, 40, 240, 60));

    // An own back colour forces the erase, in the cell's fixed white.
    dc.Recorder().Clear();
    grid.SetItemBkColour(2, 2, RGB(255, 0, 0));
    Cell(2, 2)->Draw(&dc, 2, 2, CRect(160, 40, 239, 59), FALSE);
    EXPECT_TRUE(FillsOf(RGB(255, 0, 0)).empty());
    fills = FillsOf(RGB(255, 255, 255));
    ASSERT_EQ(1u, fills.size());
    EXPECT_TRUE(fills[0]->rect == CRect(160, 40, 240, 60));
}

TEST_F(GridCellDrawTest, FocusedSelectedCellUsesTheFocusColoursAndAFrame)
{
    grid.SetTextColor(RGB(0, 0, 255));
    grid.SetTextBkColor(RGB(250, 240, 230));
    grid.SetItemState(2, 2, GRIDSTATE_FOCUSED | GRIDSTATE_SELECTED);
    grid.SetItemState(2, 3, GRIDSTATE_SELECTED);
    ASSERT_EQ(2, grid.GetSelectedCount());
    CRect rc(160, 40, 239, 59);
    Cell(2, 2)->Draw(&dc, 2, 2, rc, TRUE);

    auto frames = Of(AfxDrawKind::Rectangle);
    ASSERT_EQ(1u, frames.size());
    EXPECT_TRUE(frames[0]->rect == rc);
    EXPECT_EQ(RGB(0, 0, 0), frames[0]->penColor);
    EXPECT_EQ(1, frames[0]->penWidth);
    EXPECT_EQ(BS_NULL, frames[0]->brushStyle);
    // No fill: neither the selection's nor the background's.
    EXPECT_TRUE(Of(AfxDrawKind::FillRect).empty());
    const AfxDrawOp* op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(RGB(0, 0, 0), op->textColor);
    // Inside the frame: one pixel in, then the margin.
    EXPECT_TRUE(op->rect == CRect(164, 41, 235, 58));
}

TEST_F(GridCellDrawTest, FocusedCellWithoutSelectionKeepsTheGridTextColour)
{
    grid.SetTextColor(RGB(0, 0, 255));
    grid.SetItemState(2, 2, GRIDSTATE_FOCUSED);
    Cell(2, 2)->Draw(&dc, 2, 2, CRect(160, 40, 239, 59), TRUE);
    EXPECT_EQ(1u, Of(AfxDrawKind::Rectangle).size());
    const AfxDrawOp* op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(RGB(0, 0, 255), op->textColor);
}

TEST_F(GridCellDrawTest, SelectedAmongSeveralIsFilledWithTheSelectionColour)
{
    grid.SetSelectedRange(2, 1, 2, 3);
    ASSERT_EQ(3, grid.GetSelectedCount());
    CRect rc(160, 40, 239, 59);
    Cell(2, 2)->Draw(&dc, 2, 2, rc, FALSE);
    EXPECT_TRUE(Of(AfxDrawKind::Rectangle).empty());
    auto fills = Of(AfxDrawKind::FillRect);
    ASSERT_EQ(1u, fills.size());
    EXPECT_EQ(kSelFill, fills[0]->brushColor);
    EXPECT_TRUE(fills[0]->rect == rc);
    const AfxDrawOp* op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(RGB(0, 0, 0), op->textColor);
}

TEST_F(GridCellDrawTest, OnlySelectedCellGetsTheFrameInsteadOfTheFill)
{
    grid.SetSelectedRange(2, 2, 2, 2);
    ASSERT_EQ(1, grid.GetSelectedCount());
    CRect rc(160, 40, 239, 59);
    Cell(2, 2)->Draw(&dc, 2, 2, rc, FALSE);
    auto frames = Of(AfxDrawKind::Rectangle);
    ASSERT_EQ(1u, frames.size());
    EXPECT_TRUE(frames[0]->rect == rc);
    EXPECT_EQ(RGB(0, 0, 0), frames[0]->penColor);
    for (const AfxDrawOp* f : Of(AfxDrawKind::FillRect))
        EXPECT_NE(kSelFill, f->brushColor);
}

TEST_F(GridCellDrawTest, DropHighlightedCellIsFramed)
{
    grid.SetItemState(3, 1, GRIDSTATE_DROPHILITED);
    Cell(3, 1)->Draw(&dc, 3, 1, CRect(80, 60, 159, 79), FALSE);
    EXPECT_EQ(1u, Of(AfxDrawKind::Rectangle).size());
}

TEST_F(GridCellDrawTest, FixedCellDrawsItsEdgeWhileTheGridHasLines)
{
    CRect rc(160, 0, 239, 19);
    Cell(0, 2)->Draw(&dc, 0, 2, rc, FALSE);
    auto lines = Of(AfxDrawKind::Polyline);
    ASSERT_EQ(4u, lines.size());
    COLORREF light = ::GetSysColor(COLOR_3DHIGHLIGHT);
    COLORREF dark = ::GetSysColor(COLOR_3DDKSHADOW);
    EXPECT_EQ(light, lines[0]->penColor);
    EXPECT_EQ((std::vector<CPoint>{CPoint(239, 0), CPoint(160, 0)}), lines[0]->points);
    EXPECT_EQ((std::vector<CPoint>{CPoint(160, 0), CPoint(160, 19)}), lines[1]->points);
    EXPECT_EQ(light, lines[1]->penColor);
    EXPECT_EQ(dark, lines[2]->penColor);
    EXPECT_EQ((std::vector<CPoint>{CPoint(239, 0), CPoint(239, 19)}), lines[2]->points);
    EXPECT_EQ((std::vector<CPoint>{CPoint(239, 19), CPoint(160, 19)}), lines[3]->points);
    const AfxDrawOp* op = TextOp(_T("r0c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_TRUE(op->rect == CRect(164, 1, 235, 18));

    dc.Recorder().Clear();
    grid.SetGridLines(GRIDLINES_NONE);
    Cell(0, 2)->Draw(&dc, 0, 2, rc, FALSE);
    EXPECT_TRUE(Of(AfxDrawKind::Polyline).empty());
}

namespace
{
// An image list of 16 x 16 pictures.
void MakeImages(CImageList& list, int count)
{
    list.Create(16, 16, ILC_COLOR24, count, 1);
    CBitmap bmp;
    CClientDC screen(nullptr);
    bmp.CreateCompatibleBitmap(&screen, 16 * count, 16);
    list.Add(&bmp, (CBitmap*)nullptr);
}
} // namespace

TEST_F(GridCellDrawTest, ImageIsDrawnWhenItFitsAndTheTextStartsAfterIt)
{
    CImageList images;
    MakeImages(images, 2);
    ASSERT_EQ(2, images.GetImageCount());
    grid.SetImageList(&images);
    grid.SetItemImage(2, 2, 1);
    IMAGEINFO info;
    ASSERT_TRUE(images.GetImageInfo(1, &info));
    int w = info.rcImage.right - info.rcImage.left + 1;

    Cell(2, 2)->Draw(&dc, 2, 2, CRect(160, 40, 239, 59), FALSE);
    auto imgs = Of(AfxDrawKind::Image);
    ASSERT_EQ(1u, imgs.size());
    EXPECT_EQ(1, imgs[0]->image);
    EXPECT_EQ(CPoint(163, 40), imgs[0]->rect.TopLeft());
    EXPECT_EQ((UINT)ILD_NORMAL, imgs[0]->flags);
    const AfxDrawOp* op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(163 + w + 3, op->rect.left);

    // The text rectangle and the extent make room for it too.
    CRect rcText(160, 40, 239, 59);
    Cell(2, 2)->GetTextRect(rcText);
    EXPECT_EQ(160 + w + 3, rcText.left);
    CSize withImage = Cell(2, 2)->GetCellExtent(&dc);
    grid.SetItemImage(2, 2, -1);
    CSize without = Cell(2, 2)->GetCellExtent(&dc);
    EXPECT_EQ(without.cx + w, withImage.cx);
    grid.SetImageList(nullptr);
}

TEST_F(GridCellDrawTest, ImageThatDoesNotFitIsNotDrawnButTheTextStillMoves)
{
    CImageList images;
    MakeImages(images, 1);
    grid.SetImageList(&images);
    grid.SetItemImage(2, 2, 0);
    IMAGEINFO info;
    ASSERT_TRUE(images.GetImageInfo(0, &info));
    int w = info.rcImage.right - info.rcImage.left + 1;

    // 11 pixels wide: after the margins the image (w wide) passes right + 2 x margin.
    Cell(2, 2)->Draw(&dc, 2, 2, CRect(160, 40, 170, 59), FALSE);
    EXPECT_TRUE(Of(AfxDrawKind::Image).empty());
    const AfxDrawOp* op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(163 + w + 3, op->rect.left);

    // Too low a cell: not drawn either.
    dc.Recorder().Clear();
    Cell(2, 2)->Draw(&dc, 2, 2, CRect(160, 40, 239, 45), FALSE);
    EXPECT_TRUE(Of(AfxDrawKind::Image).empty());

    // An index the list does not know draws nothing and moves nothing.
    dc.Recorder().Clear();
    grid.SetItemImage(2, 2, 5);
    Cell(2, 2)->Draw(&dc, 2, 2, CRect(160, 40, 239, 59), FALSE);
    EXPECT_TRUE(Of(AfxDrawKind::Image).empty());
    op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(163, op->rect.left);
    grid.SetImageList(nullptr);
}

TEST_F(GridCellDrawTest, SortColumnHeadingShowsTheArrow)
{
    grid.SortTextItems(2, TRUE);
    ASSERT_EQ(2, grid.GetSortColumn());
    CRect rc(160, 0, 239, 19);
    int s = Cell(0, 2)->GetTextExtent(_T("M")).cy - 4;
    // The arrow lies inside the edge and the margin.
    int right = 239 - 1 - 3;
    int top = 1;
    if (s >= 17)
        s = 17 - 4;
    Cell(0, 2)->Draw(&dc, 0, 2, rc, FALSE);
    auto lines = Of(AfxDrawKind::Polyline);
    ASSERT_EQ(7u, lines.size());  // four of the edge, three of the arrow
    COLORREF light = ::GetSysColor(COLOR_3DHIGHLIGHT);
    COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    EXPECT_EQ(light, lines[4]->penColor);
    EXPECT_EQ((std::vector<CPoint>{CPoint(right - s / 2 + 1, top + 3), CPoint(right + 1, top + s + 3)}),
              lines[4]->points);
    EXPECT_EQ((std::vector<CPoint>{CPoint(right + 1, top + s + 3), CPoint(right - s + 1, top + s + 3)}),
              lines[5]->points);
    EXPECT_EQ(shadow, lines[6]->penColor);
    EXPECT_EQ((std::vector<CPoint>{CPoint(right - s + 1, top + s + 3), CPoint(right - s / 2 + 1, top + 3)}),
              lines[6]->points);
    const AfxDrawOp* op = TextOp(_T("r0c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(right - s, op->rect.right);

    // Descending: the apex at the bottom.
    dc.Recorder().Clear();
    grid.SortTextItems(2, FALSE);
    Cell(0, 2)->Draw(&dc, 0, 2, rc, FALSE);
    lines = Of(AfxDrawKind::Polyline);
    ASSERT_EQ(7u, lines.size());
    EXPECT_EQ((std::vector<CPoint>{CPoint(right - s / 2 + 1, top + s + 3), CPoint(right + 1, top + 3)}),
              lines[4]->points);
    EXPECT_EQ(shadow, lines[5]->penColor);
    EXPECT_EQ((std::vector<CPoint>{CPoint(right + 1, top + 3), CPoint(right - s + 1, top + 3)}), lines[5]->points);
    EXPECT_EQ((std::vector<CPoint>{CPoint(right - s + 1, top + 3), CPoint(right - s / 2 + 1, top + s + 3)}),
              lines[6]->points);

    // Other headings and other rows show none.
    dc.Recorder().Clear();
    Cell(0, 1)->Draw(&dc, 0, 1, CRect(80, 0, 159, 19), FALSE);
    Cell(2, 2)->Draw(&dc, 2, 2, CRect(160, 40, 239, 59), FALSE);
    EXPECT_EQ(4u, Of(AfxDrawKind::Polyline).size());
}

TEST_F(GridCellDrawTest, TaskGridHeadingOfColumnOneShowsThePictureNotTheText)
{
    grid.SetTaskGrid(TRUE);
    CRect rc(80, 0, 159, 39);
    Cell(0, 1)->Draw(&dc, 0, 1, rc, FALSE);
    EXPECT_EQ(nullptr, TextOp(_T("r0c1")));
    auto imgs = Of(AfxDrawKind::Image);
    ASSERT_EQ(1u, imgs.size());
    EXPECT_EQ(0, imgs[0]->image);
    EXPECT_EQ((UINT)ILD_TRANSPARENT, imgs[0]->flags);
    EXPECT_EQ(CPoint(80 + 1 + 3 + 10, 0 + 1 + 10), imgs[0]->rect.TopLeft());
    EXPECT_EQ(14, imgs[0]->rect.Width());
    // A plain grid shows the text.
    dc.Recorder().Clear();
    grid.SetTaskGrid(FALSE);
    Cell(0, 1)->Draw(&dc, 0, 1, rc, FALSE);
    EXPECT_NE(nullptr, TextOp(_T("r0c1")));
}

TEST_F(GridCellDrawTest, ComboCellShowsItsButtonWhileItHasTheFocus)
{
    ASSERT_TRUE(grid.SetCellType(2, 2, RUNTIME_CLASS(CGridCellCombo)));
    CRect rc(160, 40, 239, 59);
    Cell(2, 2)->Draw(&dc, 2, 2, rc, FALSE);
    EXPECT_TRUE(Of(AfxDrawKind::FrameControl).empty());

    grid.SetFocusCell(2, 2);
    dc.Recorder().Clear();
    Cell(2, 2)->Draw(&dc, 2, 2, rc, FALSE);
    auto buttons = Of(AfxDrawKind::FrameControl);
    ASSERT_EQ(1u, buttons.size());
    EXPECT_TRUE(buttons[0]->rect == CRect(239 - 16, 40, 239, 40 + 16));
    EXPECT_EQ((UINT)DFC_SCROLL, buttons[0]->type);
    EXPECT_EQ((UINT)DFCS_SCROLLDOWN, buttons[0]->flags);
    const AfxDrawOp* op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    // The frame of the focus cell is drawn in the narrowed rectangle.
    EXPECT_TRUE(Of(AfxDrawKind::Rectangle)[0]->rect == CRect(160, 40, 223, 59));

    // Not while the grid is read-only.
    dc.Recorder().Clear();
    grid.SetEditable(FALSE);
    Cell(2, 2)->Draw(&dc, 2, 2, rc, FALSE);
    EXPECT_TRUE(Of(AfxDrawKind::FrameControl).empty());
    grid.SetEditable(TRUE);

    // While it is edited the text is hidden (only the editor shows it) and comes back.
    dc.Recorder().Clear();
    Cell(2, 2)->Edit(2, 2, rc, CPoint(-1, -1), IDC_GRID_INPLACE_CONTROL, VK_LBUTTON);
    ASSERT_TRUE(Cell(2, 2)->IsEditing());
    Cell(2, 2)->Draw(&dc, 2, 2, rc, FALSE);
    EXPECT_EQ(nullptr, TextOp(_T("r2c2")));
    EXPECT_TRUE(Of(AfxDrawKind::FrameControl).empty());
    EXPECT_STREQ(_T("r2c2"), Cell(2, 2)->GetText());
}

TEST_F(GridCellDrawTest, FixedCellPrintsAfterOneBlank)
{
    ASSERT_TRUE(Cell(0, 2)->PrintCell(&dc, 0, 2, CRect(160, 0, 239, 19)));
    const AfxDrawOp* op = TextOp(_T(" r0c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ((UINT)(0x8824 | DT_NOCLIP | DT_NOPREFIX), op->flags);
    EXPECT_TRUE(op->rect == CRect(160, 0, 239, 19));
}

TEST_F(GridCellDrawTest, CellPrintsItsColours)
{
    grid.SetItemFgColour(2, 2, RGB(200, 0, 0));
    ASSERT_TRUE(Cell(2, 2)->PrintCell(&dc, 2, 2, CRect(160, 40, 239, 59)));
    const AfxDrawOp* op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(RGB(200, 0, 0), op->textColor);
    EXPECT_TRUE(op->rect == CRect(163, 40, 236, 59));
    EXPECT_TRUE(Of(AfxDrawKind::FillRect).empty());

    // A back colour fills and prints the cell's text colour, a default text colour black.
    dc.Recorder().Clear();
    grid.SetItemBkColour(2, 2, RGB(0, 0, 200));
    grid.SetItemFgColour(2, 2, CLR_DEFAULT);
    Cell(2, 2)->PrintCell(&dc, 2, 2, CRect(160, 40, 239, 59));
    auto fills = FillsOf(RGB(0, 0, 200));
    ASSERT_EQ(1u, fills.size());
    EXPECT_TRUE(fills[0]->rect == CRect(160, 40, 240, 60));
    op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(RGB(0, 0, 0), op->textColor);

    // Without print colours everything prints black on nothing.
    dc.Recorder().Clear();
    grid.SetPrintColour(FALSE);
    grid.SetItemFgColour(2, 2, RGB(200, 0, 0));
    Cell(2, 2)->PrintCell(&dc, 2, 2, CRect(160, 40, 239, 59));
    EXPECT_TRUE(Of(AfxDrawKind::FillRect).empty());
    op = TextOp(_T("r2c2"));
    ASSERT_NE(nullptr, op);
    EXPECT_EQ(RGB(0, 0, 0), op->textColor);

    EXPECT_FALSE(Cell(2, 2)->PrintCell(&dc, 2, 2, CRect(160, 40, 160, 59)));
}

TEST_F(GridCellDrawTest, WrappedTextIsAsWideAsItsWidestLine)
{
    grid.SetItemFormat(2, 2, DT_LEFT | DT_WORDBREAK);
    grid.SetItemText(2, 2, _T("短\n一行比较长的文字\n中"));
    CSize wrapped = Cell(2, 2)->GetCellExtent(&dc);

    LOGFONT lf = *Cell(2, 2)->GetFont();
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* pOld = dc.SelectObject(&font);
    CSize widest = dc.GetTextExtent(CString(_T("一行比较长的文字")));
    CSize line = dc.GetTextExtent(CString(_T("中")));
    dc.SelectObject(pOld);
    EXPECT_EQ(widest.cx + 12, wrapped.cx);
    EXPECT_GE(wrapped.cy, 3 * line.cy + 6);
}

TEST_F(GridCellDrawTest, TextCellEditNeedsTheEditableFlagAndNoFixedCell)
{
    struct CEditors : public CGridEditorHooks
    {
        int nEdits = 0;
        DWORD dwStyle = 0xFFFF;
        CString strText;
        UINT nChar = 0;
        CWnd wnd;
        CWnd* CreateEdit(CGridCtrl*, const CRect&, DWORD style, UINT, int, int, LPCTSTR text, UINT c) override
        {
            nEdits++;
            dwStyle = style;
            strText = text;
            nChar = c;
            return &wnd;
        }
        CWnd* CreateList(CGridCtrl*, const CRect&, DWORD, UINT, int, int, const CStringArray&, LPCTSTR,
                         UINT) override
        {
            nEdits += 100;
            return &wnd;
        }
        void EndEdit(CWnd*) override {}
        CWnd* GetListEdit(CWnd*) override { return nullptr; }
    } editors;
    CGridEditorHooks* pOld = GridSetEditorHooks(&editors);

    CRect rc(160, 40, 239, 59);
    Cell(2, 2)->SetEditable(FALSE);
    EXPECT_TRUE(Cell(2, 2)->Edit(2, 2, rc, CPoint(-1, -1), 8, 'x'));
    EXPECT_EQ(0, editors.nEdits);
    EXPECT_FALSE(Cell(2, 2)->IsEditing());

    Cell(2, 2)->SetEditable(TRUE);
    grid.SetItemFormat(2, 2, DT_RIGHT | DT_SINGLELINE);
    EXPECT_TRUE(Cell(2, 2)->Edit(2, 2, rc, CPoint(-1, -1), 8, 'x'));
    EXPECT_EQ(1, editors.nEdits);
    EXPECT_EQ((DWORD)ES_RIGHT, editors.dwStyle);
    EXPECT_EQ(CString(_T("r2c2")), editors.strText);
    EXPECT_EQ((UINT)'x', editors.nChar);
    EXPECT_TRUE(Cell(2, 2)->IsEditing());
    EXPECT_EQ(&editors.wnd, static_cast<CGridCell*>(Cell(2, 2))->GetEditWindow());
    Cell(2, 2)->OnEndEdit();
    EXPECT_FALSE(Cell(2, 2)->IsEditing());
    EXPECT_EQ(nullptr, static_cast<CGridCell*>(Cell(2, 2))->GetEditWindow());

    grid.SetItemFormat(2, 1, DT_CENTER);
    Cell(2, 1)->Edit(2, 1, rc, CPoint(-1, -1), 8, 'x');
    EXPECT_EQ((DWORD)ES_CENTER, editors.dwStyle);

    // A fixed cell goes into edit without an editor.
    EXPECT_TRUE(Cell(0, 2)->Edit(0, 2, rc, CPoint(-1, -1), 8, 'x'));
    EXPECT_EQ(2, editors.nEdits);
    EXPECT_TRUE(Cell(0, 2)->IsEditing());

    // A combo cell opens its list even when its editable flag is clear.
    grid.SetCellType(3, 2, RUNTIME_CLASS(CGridCellCombo));
    Cell(3, 2)->SetEditable(FALSE);
    EXPECT_TRUE(Cell(3, 2)->Edit(3, 2, rc, CPoint(-1, -1), 8, 'x'));
    EXPECT_EQ(102, editors.nEdits);

    GridSetEditorHooks(pOld);
}
