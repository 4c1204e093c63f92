// A print job run through the print dialog, printed to a PDF file.
#include "GridPrintTestUtil.h"

#include <gtest/gtest.h>

#if GRID_HAVE_PRINT_DIALOG
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
    int nPages = g.grid.GetPrintPageCount();
    EXPECT_GT(nPages, 1);
    EXPECT_EQ(nPages, PdfPageCount(path));
}
#else
TEST(GridPrintJob, WithoutAPrintDialogPrintIsRefused)
{
    CPrintedGrid g(30, 3);
    g.grid.Print();
    EXPECT_FALSE(g.grid.IsPrinting());
    EXPECT_EQ(1, g.grid.GetPrintPageCount());
    EXPECT_EQ(CSize(0, 0), g.grid.GetPrintLogicalPageSize());
}
#endif
