// The task library's build of the grid: its window class, default cells, the owner's veto
// of text changes, virtual mode, column cell types and styled column sizing.
#include "GridCellCombo.h"
#include "GridCtrl.h"
#include "GridDefaultCell.h"

#include <ClassLib/Testing.h>
#include <ClassLib/Testing/DrawLog.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
// A parent that answers the begin-edit and end-edit notifications as told and fills the
// cells of a virtual grid.
class CVetoParent : public CWnd
{
public:
    LRESULT nBeginAnswer = 0;
    LRESULT nEndAnswer = 0;
    std::vector<int> codes;
    std::vector<std::pair<int, int>> asked;
    std::vector<CGridCellRange> hints;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
        {
            const NMHDR* p = reinterpret_cast<const NMHDR*>(lParam);
            codes.push_back((int)p->code);
            if ((int)p->code == GRIDN_BEGINLABELEDIT)
                return nBeginAnswer;
            if ((int)p->code == GRIDN_ENDLABELEDIT)
                return nEndAnswer;
            if ((int)p->code == GRIDN_GETDISPINFO)
            {
                GridDispInfo* pInfo = reinterpret_cast<GridDispInfo*>(lParam);
                asked.push_back({pInfo->item.row, pInfo->item.col});
                pInfo->item.szText.Format("r%dc%d", pInfo->item.row, pInfo->item.col);
                return 0;
            }
            if ((int)p->code == GRIDN_ODCACHEHINT)
            {
                struct Hint
                {
                    NMHDR hdr;
                    CGridCellRange range;
                };
                hints.push_back(reinterpret_cast<const Hint*>(lParam)->range);
            }
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class PredGridTest : public CWndTestBase
{
protected:
    CVetoParent parent;
    CGridCtrl grid;

    void Make(int rows, int cols)
    {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        ASSERT_TRUE(parent.CreateEx(0, AFX_WND_CLASS, "frame", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                    nullptr, nullptr));
        ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), &parent, 100, WS_CHILD | WS_VISIBLE));
        parent.codes.clear();
    }
};
} // namespace

TEST_F(PredGridTest, RegistersItsOwnWindowClass)
{
    Make(3, 3);
    char szClass[64] = {0};
    GetClassName(grid.GetSafeHwnd(), szClass, sizeof szClass);
    EXPECT_STREQ("TavrinPredTaskGridCtrl", szClass);
}

TEST_F(PredGridTest, DefaultCellsByKind)
{
    Make(3, 3);
    EXPECT_EQ(grid.GetDefaultCell(TRUE, TRUE), grid.GetDefaultCell(TRUE, TRUE));
    EXPECT_NE(grid.GetDefaultCell(TRUE, FALSE), grid.GetDefaultCell(FALSE, TRUE));
    EXPECT_NE(grid.GetDefaultCell(FALSE, FALSE), grid.GetDefaultCell(TRUE, TRUE));
    CGridDefaultCell* pNormal = grid.GetDefaultCell(FALSE, FALSE);
    EXPECT_EQ(0x8824u, pNormal->GetFormat());
    EXPECT_EQ(0, pNormal->GetStyle());
    // The state always reads back read-only.
    EXPECT_EQ((UINT)GRIDSTATE_READONLY, pNormal->GetState() & GRIDSTATE_READONLY);
    // Colours: window text everywhere, window colour for normal cells, button face for fixed.
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), pNormal->GetTextClr());
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), pNormal->GetBackClr());
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), grid.GetDefaultCell(TRUE, FALSE)->GetBackClr());
    EXPECT_EQ(RGB(192, 192, 192), grid.GetGridColor());
}

TEST_F(PredGridTest, CellsTakeUnsetValuesFromTheirDefaultCell)
{
    Make(3, 3);
    CGridCellBase* pFixed = grid.GetCell(0, 1);
    grid.GetDefaultCell(TRUE, FALSE)->SetFormat(DT_CENTER | DT_SINGLELINE);
    EXPECT_EQ((UINT)(DT_CENTER | DT_SINGLELINE), pFixed->GetFormat());
    // A cell's own format stops the fallback.
    pFixed->SetFormat(DT_RIGHT);
    EXPECT_EQ((UINT)DT_RIGHT, pFixed->GetFormat());
    // Normal cells follow the normal default cell's colours.
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), grid.GetCell(1, 1)->GetBackClr());
    EXPECT_EQ(grid.GetDefaultCell(FALSE, FALSE)->GetFont(), grid.GetCell(1, 1)->GetFont());
}

TEST_F(PredGridTest, FontChangeRemeasuresDefaultCells)
{
    Make(3, 3);
    LOGFONT lf;
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = -20;
    strcpy(lf.lfFaceName, "Sans");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    grid.SendMessage(WM_SETFONT, (WPARAM)(HFONT)font, 0);

    CGridDefaultCell* pNormal = grid.GetDefaultCell(FALSE, FALSE);
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(&font);
    CSize blank = dc.GetTextExtent(" ", 1);
    CSize text = dc.GetTextExtent(" XXXXXXXXXXXX ", 14);
    dc.SelectObject(pOld);
    EXPECT_EQ((UINT)blank.cx, pNormal->GetMargin());
    EXPECT_EQ(text.cx, pNormal->GetWidth());
    EXPECT_EQ(text.cy * 3 / 2, pNormal->GetHeight());
    EXPECT_EQ(-20, grid.GetDefaultCell(TRUE, TRUE)->GetFont()->lfHeight);
}

TEST_F(PredGridTest, VetoOfBeginEditKeepsTheText)
{
    Make(3, 3);
    grid.GetCell(1, 1)->SetText("old");
    parent.nBeginAnswer = -1;
    EXPECT_FALSE(grid.SetItemText(1, 1, "new"));
    EXPECT_STREQ("old", grid.GetItemText(1, 1));
    grid.ClearCells(CGridCellRange(1, 1, 2, 2));
    EXPECT_STREQ("old", grid.GetItemText(1, 1));
}

TEST_F(PredGridTest, VetoAfterTheChangePutsTheOldTextBack)
{
    Make(3, 3);
    grid.GetCell(1, 1)->SetText("old");
    parent.nEndAnswer = -1;
    EXPECT_FALSE(grid.SetItemText(1, 1, "new"));
    EXPECT_STREQ("old", grid.GetItemText(1, 1));
    EXPECT_EQ((std::vector<int>{GRIDN_BEGINLABELEDIT, GRIDN_ENDLABELEDIT}), parent.codes);

    parent.nEndAnswer = 0;
    EXPECT_TRUE(grid.SetItemText(1, 1, "new"));
    EXPECT_STREQ("new", grid.GetItemText(1, 1));
}

TEST_F(PredGridTest, ClearCellsSkipsHiddenCells)
{
    Make(4, 3);
    grid.GetCell(1, 1)->SetText("a");
    grid.GetCell(2, 1)->SetText("b");
    grid.GetCell(1, 2)->SetText("c");
    grid.SetRowHeight(2, 0);
    grid.ClearCells(CGridCellRange(1, 1, 2, 2));
    EXPECT_STREQ("", grid.GetItemText(1, 1));
    EXPECT_STREQ("b", grid.GetItemText(2, 1));
    EXPECT_STREQ("", grid.GetItemText(1, 2));
}

TEST_F(PredGridTest, VirtualCellsComeFromTheParent)
{
    Make(0, 0);
    grid.SetVirtualMode(TRUE);
    grid.SetRowCount(5);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    EXPECT_FALSE(grid.IsEditable());
    EXPECT_EQ(1, grid.GetAutoSizeStyle());

    parent.asked.clear();
    CGridCellBase* pCorner = grid.GetCell(0, 0);
    ASSERT_NE(nullptr, pCorner);
    EXPECT_EQ(0x70u, pCorner->GetState() & 0x70);
    EXPECT_EQ(grid.GetDefaultCell(TRUE, TRUE)->GetBackClr(), pCorner->GetBackClr());
    EXPECT_STREQ("r0c0", pCorner->GetText());
    CGridCellBase* pCell = grid.GetCell(3, 2);
    EXPECT_STREQ("r3c2", pCell->GetText());
    EXPECT_EQ(2u, parent.asked.size());
    EXPECT_EQ(nullptr, grid.GetCell(5, 0));
}

TEST_F(PredGridTest, VirtualAutoSizeAnnouncesTheRange)
{
    Make(0, 0);
    grid.SetVirtualMode(TRUE);
    grid.SetRowCount(5);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    parent.hints.clear();
    parent.asked.clear();
    ASSERT_TRUE(grid.AutoSizeColumn(1, 0, TRUE));
    // Style 1: only the fixed row is measured.
    ASSERT_EQ(2u, parent.hints.size());
    EXPECT_EQ(0, parent.hints[0].GetMinRow());
    EXPECT_EQ(0, parent.hints[0].GetMaxRow());
    EXPECT_EQ(1, parent.hints[0].GetMinCol());
    EXPECT_EQ(-1, parent.hints[1].GetMinRow());
    EXPECT_EQ(1u, parent.asked.size());
}

TEST_F(PredGridTest, AutoSizeStyles)
{
    Make(3, 2);
    grid.SetColumnWidth(1, 10);
    grid.GetCell(0, 1)->SetText("H");
    grid.GetCell(2, 1)->SetText("a much longer text than the heading");
    ASSERT_TRUE(grid.AutoSizeColumn(1, 1, FALSE));
    int nFixedOnly = grid.GetColumnWidth(1);
    ASSERT_TRUE(grid.AutoSizeColumn(1, 3, FALSE));
    int nAll = grid.GetColumnWidth(1);
    EXPECT_GT(nAll, nFixedOnly);
    ASSERT_TRUE(grid.AutoSizeColumn(1, 2, FALSE));
    EXPECT_EQ(nAll, grid.GetColumnWidth(1));
    EXPECT_FALSE(grid.AutoSizeColumn(1, 4, FALSE));
}

TEST_F(PredGridTest, ColumnCellTypeKeepsTextsAndAddsOptions)
{
    Make(21, 5);
    for (int row = 1; row <= 20; row++)
        grid.GetCell(row, 2)->SetText(row == 3 ? "three" : "");
    CStringArray options;
    options.Add("FS");
    options.Add("FF");
    ASSERT_TRUE(grid.SetColumnCellType(2, 1, 20, options, RUNTIME_CLASS(CGridCellCombo)));
    for (int row = 1; row <= 20; row++)
    {
        CGridCellCombo* pCombo = dynamic_cast<CGridCellCombo*>(grid.GetCell(row, 2));
        ASSERT_NE(nullptr, pCombo) << row;
        EXPECT_EQ((DWORD)CBS_DROPDOWNLIST, pCombo->GetStyle());
    }
    EXPECT_STREQ("three", grid.GetItemText(3, 2));
    EXPECT_TRUE(grid.GetCell(0, 2)->IsKindOf(RUNTIME_CLASS(CGridCell)));
    EXPECT_FALSE(grid.GetCell(0, 2)->IsKindOf(RUNTIME_CLASS(CGridCellCombo)));
    // A class that is no cell, or a reversed range, changes nothing.
    EXPECT_FALSE(grid.SetColumnCellType(1, 1, 20, options, RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(grid.SetColumnCellType(1, 5, 4, options, RUNTIME_CLASS(CGridCellCombo)));
}

TEST_F(PredGridTest, InitialiseAddsTheClientEdge)
{
    Make(2, 2);
    EXPECT_TRUE(grid.InitialiseGrid());
    EXPECT_TRUE(grid.GetExStyle() & WS_EX_CLIENTEDGE);
}

TEST_F(PredGridTest, ChosenPredecessorCompletesTheRow)
{
    Make(3, 5);
    grid.GetCell(1, 2)->SetText("FF(完成--完成)");
    grid.GetCell(1, 3)->SetText("7");
    grid.OnEndEditCell(1, 1, "Task A");
    EXPECT_STREQ("Task A", grid.GetItemText(1, 1));
    EXPECT_STREQ("FS(完成--开始)", grid.GetItemText(1, 2));
    EXPECT_STREQ("0", grid.GetItemText(1, 3));
    EXPECT_STREQ("0", grid.GetItemText(1, 4));
}

namespace
{
// Reaches the page set-up a print job would make.
class CHeadingGrid : public CGridCtrl
{
public:
    using CGridCtrl::m_nPageWidth;
};

std::vector<std::pair<CString, int>> TextsDrawn(const CRecordingDC& dc)
{
    std::vector<std::pair<CString, int>> texts;
    for (const AfxDrawOp& op : dc.Ops())
        if (op.kind == AfxDrawKind::Text && !op.text.IsEmpty())
        {
            CString str = op.text;
            str.TrimLeft();
            texts.push_back({str, op.rect.left});
        }
    return texts;
}
} // namespace

TEST_F(PredGridTest, EveryColumnPageStartsWithTheFixedHeadings)
{
    CVetoParent frame;
    ASSERT_TRUE(frame.CreateEx(0, AFX_WND_CLASS, "frame", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    CHeadingGrid heads;
    heads.SetRowCount(2);
    heads.SetColumnCount(6);
    heads.SetFixedRowCount(1);
    heads.SetFixedColumnCount(1);
    ASSERT_TRUE(heads.Create(CRect(0, 0, 400, 300), &frame, 101, WS_CHILD | WS_VISIBLE));
    for (int col = 0; col < 6; col++)
    {
        CString str;
        str.Format("Head%d", col);
        heads.GetCell(0, col)->SetText(str);
        heads.SetColumnWidth(col, 50);
    }
    heads.m_nPageWidth = 1000;

    // A later column page: the fixed heading first, at the left margin, then its columns.
    CRecordingDC later;
    heads.SetCurrPrintCol(3);
    heads.PrintColumnHeadings(&later, nullptr);
    auto texts = TextsDrawn(later);
    ASSERT_EQ(4u, texts.size());
    EXPECT_STREQ("Head0", texts[0].first);
    EXPECT_LE(texts[0].second, 5);
    EXPECT_STREQ("Head3", texts[1].first);
    EXPECT_STREQ("Head5", texts[3].first);

    // The first page: every column from 0, printed once.
    CRecordingDC first;
    heads.SetCurrPrintCol(0);
    heads.PrintColumnHeadings(&first, nullptr);
    texts = TextsDrawn(first);
    ASSERT_EQ(6u, texts.size());
    EXPECT_STREQ("Head1", texts[1].first);

    // A cell whose right edge passes the page is not printed.
    heads.m_nPageWidth = 120;
    CRecordingDC narrow;
    heads.PrintColumnHeadings(&narrow, nullptr);
    EXPECT_EQ(2u, TextsDrawn(narrow).size());
}

TEST_F(PredGridTest, InsertedRowsTakeTheHeadingsHeight)
{
    Make(3, 3);
    int nRow = grid.InsertRow("", -1);
    ASSERT_EQ(3, nRow);
    EXPECT_EQ(grid.GetDefaultCell(TRUE, FALSE)->GetHeight(), grid.GetRowHeight(3));
    nRow = grid.InsertRow("第二行", 2);
    ASSERT_EQ(2, nRow);
    EXPECT_STREQ("第二行", grid.GetItemText(2, 0));
    EXPECT_EQ(grid.GetCell(2, 0)->GetTextExtent("第二行").cy, grid.GetRowHeight(2));
    EXPECT_EQ(5, grid.GetRowCount());
    // Not among the fixed rows.
    EXPECT_EQ(-1, grid.InsertRow("x", 0));
    EXPECT_EQ(5, grid.GetRowCount());
}

TEST_F(PredGridTest, DoubleClickOnACellEditsItAndTellsTheParent)
{
    Make(3, 3);
    grid.SetEditable(TRUE);
    for (int col = 0; col < 3; col++)
        grid.SetColumnWidth(col, 60);
    for (int row = 0; row < 3; row++)
        grid.SetRowHeight(row, 20);
    grid.SetFocusCell(1, 1);
    parent.codes.clear();
    grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(90, 30));
    bool bDblClk = false;
    for (int code : parent.codes)
        bDblClk |= code == GRIDN_DBLCLK;
    EXPECT_TRUE(bDblClk);
    // A double click on a fixed cell edits nothing.
    parent.codes.clear();
    grid.EndEditing();
    grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 10));
    for (int code : parent.codes)
        EXPECT_NE(GRIDN_BEGINLABELEDIT, code);
}

TEST_F(PredGridTest, DoubleClickOnADividerSizesTheColumnToItsWidestCell)
{
    Make(3, 3);
    for (int col = 0; col < 3; col++)
        grid.SetColumnWidth(col, 60);
    for (int row = 0; row < 3; row++)
        grid.SetRowHeight(row, 20);
    grid.GetCell(0, 1)->SetText("H");
    grid.GetCell(2, 1)->SetText("a rather long text in the body");
    CClientDC dc(&grid);
    int nWidest = 0;
    for (int row = 0; row < 3; row++)
        nWidest = std::max(nWidest, (int)grid.GetCell(row, 1)->GetCellExtent(&dc).cx);
    // The pointer rests on the divider right of column 1 (x = 120).
    grid.SetMouseMode(GRIDMOUSE_OVER_COL_BORDER);
    grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(121, 10));
    EXPECT_EQ(nWidest, grid.GetColumnWidth(1));
    EXPECT_EQ(60, grid.GetColumnWidth(2));
}

TEST_F(PredGridTest, VirtualDrawingAnnouncesTheCellsFirstAndAsksForVisibleOnesOnly)
{
    Make(0, 0);
    grid.SetVirtualMode(TRUE);
    grid.SetRowCount(1000);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    const int nLastVisible = grid.GetVisibleNonFixedCellRange().GetMaxRow();
    ASSERT_LT(nLastVisible, 100);
    parent.codes.clear();
    parent.hints.clear();
    parent.asked.clear();
    grid.Invalidate();
    grid.UpdateWindow();
    AfxPumpMessages();
    ASSERT_FALSE(parent.codes.empty());
    EXPECT_EQ(GRIDN_ODCACHEHINT, parent.codes.front());
    ASSERT_FALSE(parent.hints.empty());
    EXPECT_EQ(0, parent.hints[0].GetMinRow());
    EXPECT_EQ(nLastVisible, parent.hints[0].GetMaxRow());
    ASSERT_FALSE(parent.asked.empty());
    for (const auto& cell : parent.asked)
        EXPECT_LE(cell.first, nLastVisible);
}
