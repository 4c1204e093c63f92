// Printing: page set-up, page breaks, headings on every page, header and footer, the
// row bound inside a task view, and a whole job written to a PDF file.
#include "GridPrintTestUtil.h"

#include <ClassLib/Testing/DrawLog.h>

#include <gtest/gtest.h>

#include <set>

namespace
{
// The texts drawn, in order.
std::vector<std::string> TextsOf(const CRecordingDC& dc)
{
    std::vector<std::string> texts;
    for (const AfxDrawOp& op : dc.Ops())
        if (op.kind == AfxDrawKind::Text)
            texts.push_back((LPCTSTR)op.text);
    return texts;
}

// Prints page 1 of a whole job onto pageDC.
void PrintFirstPage(CPrintedGrid& g, CRecordingDC& pageDC)
{
    CRecordingDC dc;
    CPrintInfo info;
    g.grid.OnBeginPrinting(&dc, &info);
    g.grid.OnPrint(&pageDC, &info);
    g.grid.OnEndPrinting(&dc, &info);
}

bool Has(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// A parent that is a task tree view with a fixed task count.
class CFakeTaskView : public CWnd, public CGridTaskViewHooks
{
public:
    int nTasks = 0;
    void SyncGanttRows(int, int) override {}
    void UpdateGanttViews(CTaskItem*) override {}
    void RelinkRowsAbove(int) override {}
    void BuildSuccessorLists() override {}
    int GetTaskCount() override { return nTasks; }
    int GetTaskId(int) override { return 0; }
};
} // namespace

TEST(GridPrint, LogicalWidthIsTheVirtualWidthPlusTheMargins)
{
    CPrintedGrid g(5, 4);
    for (int col = 0; col < 4; col++)
        g.grid.SetColumnWidth(col, 250);
    ASSERT_EQ(1000, g.grid.GetVirtualWidth());

    CRecordingDC dc;
    CPrintInfo info;
    g.grid.OnBeginPrinting(&dc, &info);
    CSize ch = g.grid.GetPrintCharSize();
    ASSERT_GT(ch.cx, 0);
    ASSERT_GT(ch.cy, 0);
    CSize page = g.grid.GetPrintLogicalPageSize();
    EXPECT_EQ(1000 + 8 * ch.cx, page.cx);
    EXPECT_EQ(MulDiv(page.cx, dc.GetDeviceCaps(VERTRES), dc.GetDeviceCaps(HORZRES)), page.cy);
    EXPECT_EQ(CSize(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)), g.grid.GetPrintPaperSize());
    // Page height: the logical height less the column headings and six lines.
    EXPECT_EQ(page.cy - 20 - 6 * ch.cy, g.grid.GetPrintPageHeight());
    // Page width: the non-fixed columns.
    EXPECT_EQ(750, g.grid.GetPrintPageWidth());
    g.grid.OnEndPrinting(&dc, &info);
    EXPECT_EQ(nullptr, g.grid.GetPrinterFont()->GetSafeHandle());

    // Margins of 1 and 2 characters.
    g.grid.SetPrintMarginInfo(-1, -1, 1, 2, -1, -1, -1);
    g.grid.OnBeginPrinting(&dc, &info);
    EXPECT_EQ(1000 + 3 * g.grid.GetPrintCharSize().cx, g.grid.GetPrintLogicalPageSize().cx);
    g.grid.OnEndPrinting(&dc, &info);
}

TEST(GridPrint, PrintToFitScalesThePaperToScreenUnits)
{
    CPrintedGrid g(5, 4);
    g.grid.SetPrintToFit(TRUE);
    CRecordingDC dc;
    CPrintInfo info;
    g.grid.OnBeginPrinting(&dc, &info);
    int screenPpi = dc.GetDeviceCaps(LOGPIXELSX);
    EXPECT_EQ(screenPpi * dc.GetDeviceCaps(HORZRES) / dc.GetDeviceCaps(LOGPIXELSX) * 3 / 4,
              g.grid.GetPrintLogicalPageSize().cx);
    g.grid.OnEndPrinting(&dc, &info);
}

TEST(GridPrint, APageBreaksBeforeTheRowThatOverfillsIt)
{
    CPrintedGrid g(7, 3);
    CRecordingDC dc;
    CPrintInfo info;
    g.grid.OnBeginPrinting(&dc, &info);
    int P = g.grid.GetPrintPageHeight();
    ASSERT_GT(P, 20);
    g.grid.OnEndPrinting(&dc, &info);

    // Rows 1+2 fill page 1 up to P - 5; row 3 would overfill it; row 4 fills a page alone;
    // row 5 is taller than a page; row 6 follows it.
    g.grid.SetRowHeight(1, P - 10);
    g.grid.SetRowHeight(2, 5);
    g.grid.SetRowHeight(3, 6);
    g.grid.SetRowHeight(4, P);
    g.grid.SetRowHeight(5, 2 * P);
    g.grid.SetRowHeight(6, 7);

    g.grid.OnBeginPrinting(&dc, &info);
    EXPECT_EQ(5, g.grid.GetPrintPageCount());
    EXPECT_EQ((UINT)5, info.GetMaxPage());
    EXPECT_EQ((UINT)1, info.m_nCurPage);

    const int firstRows[] = {1, 3, 4, 5, 6};
    const std::vector<std::set<int>> pageRows = {{1, 2}, {3}, {4}, {5}, {6}};
    for (UINT page = 1; page <= 5; page++)
    {
        CRecordingDC pageDC;
        info.m_nCurPage = page;
        g.grid.OnPrint(&pageDC, &info);
        EXPECT_EQ(firstRows[page - 1], g.grid.GetCurrPrintRow()) << page;
        std::vector<std::string> texts = TextsOf(pageDC);
        for (int row = 1; row <= 6; row++)
        {
            CString body;
            body.Format(_T("r%dc1"), row);
            bool expected = pageRows[page - 1].count(row) > 0;
            EXPECT_EQ(expected, Has(texts, (LPCTSTR)body)) << "page " << page << " row " << row;
        }
    }
    g.grid.OnEndPrinting(&dc, &info);
}

TEST(GridPrint, HeadingsArePrintedOnEveryPage)
{
    CPrintedGrid g(120, 3);
    CRecordingDC dc;
    CPrintInfo info;
    g.grid.OnBeginPrinting(&dc, &info);
    int nPages = g.grid.GetPrintPageCount();
    ASSERT_GE(nPages, 2);
    int nPerPage = g.grid.GetPrintPageHeight() / 20;
    for (int page = 1; page <= nPages; page++)
    {
        CRecordingDC pageDC;
        info.m_nCurPage = page;
        g.grid.OnPrint(&pageDC, &info);
        std::vector<std::string> texts = TextsOf(pageDC);
        // Fixed cells print after one blank.
        EXPECT_TRUE(Has(texts, " Head0")) << page;
        EXPECT_TRUE(Has(texts, " Head1")) << page;
        EXPECT_TRUE(Has(texts, " Head2")) << page;
        int firstRow = 1 + (page - 1) * nPerPage;
        CString button;
        button.Format(_T(" %d"), firstRow);
        EXPECT_TRUE(Has(texts, (LPCTSTR)button)) << page;
        CString body;
        body.Format(_T("r%dc2"), firstRow);
        EXPECT_TRUE(Has(texts, (LPCTSTR)body)) << page;
    }
    g.grid.OnEndPrinting(&dc, &info);
}

TEST(GridPrint, AOnePageGridPrintsPage1Of1AndItsTitles)
{
    CPrintedGrid g(4, 3);
    CRecordingDC dc;
    CPrintInfo info;
    g.grid.OnBeginPrinting(&dc, &info);
    ASSERT_EQ((UINT)1, info.GetMaxPage());
    CRecordingDC pageDC;
    g.grid.OnPrint(&pageDC, &info);
    g.grid.OnEndPrinting(&dc, &info);

    const AfxDrawOp* pFooter = pageDC.Recorder().FindText(_T("Page 1 of 1"));
    ASSERT_NE(nullptr, pFooter);
    EXPECT_EQ((UINT)(DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER), pFooter->flags);
    EXPECT_EQ(FW_BOLD, pFooter->font.lfWeight);
    EXPECT_EQ(RGB(0, 0, 0), pFooter->textColor);

    const AfxDrawOp* pTitle = pageDC.Recorder().FindText(_T("Project Plan"));
    ASSERT_NE(nullptr, pTitle);
    EXPECT_EQ((UINT)0x825, pTitle->flags);
    EXPECT_EQ(14, pTitle->font.lfHeight);
    EXPECT_EQ(FW_BOLD, pTitle->font.lfWeight);
    EXPECT_EQ(TRANSPARENT, pTitle->bkMode);
}

TEST(GridPrint, TheFooterDateIsTheCurrentTime)
{
    COleDateTime fixed(2026, 3, 14, 9, 26, 53);
    AfxTestSetCurrentTime(&fixed);
    CPrintedGrid g(4, 3);
    CRecordingDC pageDC;
    PrintFirstPage(g, pageDC);
    CString strDate = CTime(2026, 3, 14, 9, 26, 53).Format(_T("%c"));
    AfxTestSetCurrentTime(nullptr);

    EXPECT_NE(std::string::npos, std::string((LPCTSTR)strDate).find("09:26:53"));
    const AfxDrawOp* pDate = pageDC.Recorder().FindText(strDate);
    ASSERT_NE(nullptr, pDate) << (LPCTSTR)strDate;
    EXPECT_EQ((UINT)(DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER), pDate->flags);
    EXPECT_EQ(FW_BOLD, pDate->font.lfWeight);
}

TEST(GridPrint, OutsideATaskViewAllRowsArePaged)
{
    CPrintedGrid g(300, 3);
    CRecordingDC dc;
    CPrintInfo info;
    g.grid.OnBeginPrinting(&dc, &info);
    int nPerPage = g.grid.GetPrintPageHeight() / 20;
    ASSERT_GT(nPerPage, 0);
    EXPECT_EQ((299 + nPerPage - 1) / nPerPage, g.grid.GetPrintPageCount());
    g.grid.OnEndPrinting(&dc, &info);
}

TEST(GridPrint, InsideATaskViewTheTaskCountBoundsTheRows)
{
    CFakeTaskView view;
    view.CreateEx(0, AFX_WND_CLASS, _T("Tasks"), WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                  nullptr);
    CPrintedGrid g(300, 3, &view);
    ASSERT_EQ(&view, dynamic_cast<CFakeTaskView*>(g.grid.GetTaskView()));

    CRecordingDC dc;
    CPrintInfo info;
    view.nTasks = 3;
    g.grid.OnBeginPrinting(&dc, &info);
    EXPECT_EQ(1, g.grid.GetPrintPageCount());
    CRecordingDC pageDC;
    g.grid.OnPrint(&pageDC, &info);
    std::vector<std::string> texts = TextsOf(pageDC);
    EXPECT_TRUE(Has(texts, "r2c1"));
    EXPECT_FALSE(Has(texts, "r3c1"));
    g.grid.OnEndPrinting(&dc, &info);

    // A task count above the row count is bounded by the rows.
    view.nTasks = 100000;
    g.grid.OnBeginPrinting(&dc, &info);
    int nPerPage = g.grid.GetPrintPageHeight() / 20;
    EXPECT_EQ((299 + nPerPage - 1) / nPerPage, g.grid.GetPrintPageCount());
    g.grid.OnEndPrinting(&dc, &info);
    g.grid.DestroyWindow();
}

TEST(GridPrint, A300RowGridPrintsTheExpectedPagesToPdf)
{
    std::string path = TestOutputPath("grid-print-300-rows.pdf");
    remove(path.c_str());
    CPrintedGrid g(300, 4);
    auto target = std::make_shared<CPdfPrinterTarget>(path);
    CDC dc;
    ASSERT_TRUE(dc.Attach(AfxCreateDCOnTarget(target, TRUE)));
    ASSERT_TRUE(g.grid.PrintDocument(&dc));
    EXPECT_FALSE(g.grid.IsPrinting());

    // What the page set-up computed, recomputed from its parts.
    CSize ch = g.grid.GetPrintCharSize();
    int cx = 400 + 8 * ch.cx;
    int cy = MulDiv(cx, target->DeviceCaps(VERTRES), target->DeviceCaps(HORZRES));
    int P = cy - 20 - 6 * ch.cy;
    int nPerPage = P / 20;
    ASSERT_GT(nPerPage, 0);
    int nExpected = (299 + nPerPage - 1) / nPerPage;
    ASSERT_GT(nExpected, 1);
    EXPECT_EQ(nExpected, g.grid.GetPrintPageCount());
    EXPECT_EQ(nExpected, target->nPages);
    EXPECT_EQ(1, target->nEnded);
    EXPECT_EQ(0, target->nAborted);
    dc.DeleteDC();
    target.reset();

    EXPECT_EQ(nExpected, PdfPageCount(path));
}

TEST(GridPrint, AJobWithoutAGridWindowPrintsNothing)
{
    CGridCtrl grid(10, 3, 1, 1);
    auto target = std::make_shared<CPdfPrinterTarget>(TestOutputPath("grid-print-none.pdf"));
    CDC dc;
    ASSERT_TRUE(dc.Attach(AfxCreateDCOnTarget(target, TRUE)));
    EXPECT_FALSE(grid.PrintDocument(&dc));
    EXPECT_EQ(0, target->nPages);
    EXPECT_EQ(1, target->nAborted);
    EXPECT_FALSE(grid.IsPrinting());
    dc.DeleteDC();
}

TEST(GridPrint, ThePrinterFontIsMadeForTheJob)
{
    CPrintedGrid g(4, 3);
    CRecordingDC dc;
    CPrintInfo info;
    EXPECT_EQ(nullptr, g.grid.GetPrinterFont()->GetSafeHandle());
    g.grid.OnBeginPrinting(&dc, &info);
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    ASSERT_TRUE(g.grid.GetPrinterFont()->GetLogFont(&lf));
    EXPECT_EQ(12, lf.lfHeight);
    EXPECT_EQ(400, lf.lfWeight);
    EXPECT_EQ(134, lf.lfCharSet);
    EXPECT_EQ(2, lf.lfOutPrecision);
    EXPECT_EQ(1, lf.lfClipPrecision);
    EXPECT_STREQ(_T("宋体"), lf.lfFaceName);
    EXPECT_EQ(std::string("\xCB\xCE\xCC\xE5"), std::string(lf.lfFaceName));
    g.grid.OnEndPrinting(&dc, &info);
    EXPECT_EQ(nullptr, g.grid.GetPrinterFont()->GetSafeHandle());
}

TEST(GridPrint, FittedToThePaperWideGridsArePrintedInColumnPages)
{
    CPrintedGrid g(10, 6);
    for (int col = 1; col < 6; col++)
        g.grid.SetColumnWidth(col, 300);
    g.grid.SetPrintToFit(TRUE);
    CRecordingDC dc;
    CPrintInfo info;
    g.grid.OnBeginPrinting(&dc, &info);
    int nPerPage = g.grid.GetPrintPageWidth() / 300;
    ASSERT_GE(nPerPage, 1);
    ASSERT_LT(nPerPage, 5);
    int nAcross = (5 + nPerPage - 1) / nPerPage;
    EXPECT_EQ(nAcross, g.grid.GetPrintPagesAcross());
    ASSERT_GE(g.grid.GetPrintPageHeight(), 9 * 20);
    EXPECT_EQ(nAcross, g.grid.GetPrintPageCount());

    for (int page = 1; page <= nAcross; page++)
    {
        CRecordingDC pageDC;
        info.m_nCurPage = page;
        g.grid.OnPrint(&pageDC, &info);
        int firstCol = 1 + (page - 1) * nPerPage;
        EXPECT_EQ(firstCol, g.grid.GetCurrPrintCol()) << page;
        std::vector<std::string> texts = TextsOf(pageDC);
        // The corner heading only on the first column page; row headings on every page.
        EXPECT_EQ(page == 1, Has(texts, " Head0")) << page;
        EXPECT_TRUE(Has(texts, " 1")) << page;
        EXPECT_TRUE(Has(texts, " 9")) << page;
        CString head;
        head.Format(_T(" Head%d"), firstCol);
        EXPECT_TRUE(Has(texts, (LPCTSTR)head)) << page;
        CString body;
        body.Format(_T("r1c%d"), firstCol);
        EXPECT_TRUE(Has(texts, (LPCTSTR)body)) << page;
        if (firstCol > 1) {
            EXPECT_FALSE(Has(texts, "r1c1")) << page;
        }
    }
    g.grid.OnEndPrinting(&dc, &info);
}

TEST(GridPrint, BodyAndRowHeadingBandsStackDownThePageSkippingHiddenRows)
{
    CPrintedGrid g(5, 3);
    g.grid.SetRowHeight(1, 20);
    g.grid.SetRowHeight(2, 0);  // hidden: no band
    g.grid.SetRowHeight(3, 30);
    g.grid.SetRowHeight(4, 25);
    CRecordingDC pageDC;
    PrintFirstPage(g, pageDC);

    std::vector<std::string> texts = TextsOf(pageDC);
    EXPECT_FALSE(Has(texts, "r2c1"));
    EXPECT_FALSE(Has(texts, " 2"));
    const char* bodies[] = {"r1c1", "r3c2", "r4c1"};
    const char* headings[] = {" 1", " 3", " 4"};
    const int tops[] = {0, 20, 50};
    const int heights[] = {20, 30, 25};
    const AfxDrawOp* pFirst = pageDC.Recorder().FindText(_T("r1c1"));
    ASSERT_NE(nullptr, pFirst);
    for (int i = 0; i < 3; i++)
    {
        const AfxDrawOp* pBody = pageDC.Recorder().FindText(bodies[i]);
        const AfxDrawOp* pHeading = pageDC.Recorder().FindText(headings[i]);
        ASSERT_NE(nullptr, pBody) << bodies[i];
        ASSERT_NE(nullptr, pHeading) << headings[i];
        // A row's heading and body cells share its band; bands follow without gaps.
        EXPECT_EQ(pBody->rect.top, pHeading->rect.top) << i;
        EXPECT_EQ(pBody->rect.bottom, pHeading->rect.bottom) << i;
        EXPECT_EQ(tops[i], pBody->rect.top - pFirst->rect.top) << i;
        EXPECT_EQ(heights[i] - 20, pBody->rect.Height() - pFirst->rect.Height()) << i;
    }
    // The body's columns follow the headings' column, a column width apart.
    const AfxDrawOp* pHeading = pageDC.Recorder().FindText(_T(" 1"));
    const AfxDrawOp* pSecond = pageDC.Recorder().FindText(_T("r1c2"));
    ASSERT_NE(nullptr, pSecond);
    EXPECT_LT(pHeading->rect.right, pFirst->rect.left);
    EXPECT_GT(pHeading->rect.right + 10, pFirst->rect.left);
    EXPECT_EQ(100, pSecond->rect.left - pFirst->rect.left);
}
