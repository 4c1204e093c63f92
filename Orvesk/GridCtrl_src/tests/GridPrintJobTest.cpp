// A print job run through the print dialog, printed to a PDF file.
#include "GridPrintTestUtil.h"

#include <gtest/gtest.h>

#include <ClassLib/Testing.h>

TEST(GridPrintJob, ACancelledDialogPrintsNothing)
{
    AfxTestResetScripts();
    std::string path = TestOutputPath("grid-print-cancelled.pdf");
    remove(path.c_str());
    CPrintedGrid g(30, 3);
    AfxTestPushPrintDialogResult(IDCANCEL, path.c_str());
    g.grid.Print();
    EXPECT_FALSE(g.grid.IsPrinting());
    EXPECT_EQ(-1, PdfPageCount(path));
}

TEST(GridPrintJob, TheDialogsPrinterGetsEveryPage)
{
    AfxTestResetScripts();
    std::string path = TestOutputPath("grid-print-dialog-300-rows.pdf");
    remove(path.c_str());
    CPrintedGrid g(300, 4);
    AfxTestPushPrintDialogResult(IDOK, path.c_str());
    g.grid.Print();
    EXPECT_FALSE(g.grid.IsPrinting());
    // The page count recomputed from the page set-up's parts.
    CSize ch = g.grid.GetPrintCharSize();
    CSize paper = g.grid.GetPrintPaperSize();
    ASSERT_GT(paper.cx, 0);
    int cx = 400 + 8 * ch.cx;
    int P = MulDiv(cx, paper.cy, paper.cx) - 20 - 6 * ch.cy;
    ASSERT_GE(P, 20);
    int nExpected = (299 + P / 20 - 1) / (P / 20);
    EXPECT_GT(nExpected, 1);
    EXPECT_EQ(nExpected, g.grid.GetPrintPageCount());
    EXPECT_EQ(nExpected, PdfPageCount(path));
}
