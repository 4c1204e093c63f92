// Printing: a two-page job through the print dialog into a PDF, image pages with their
// device capabilities, an aborted job, CPrintInfo.
#include <ClassLib/Testing.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <string>

namespace {

std::string ReadFile(const CString& path)
{
    QFile f(QString::fromStdString(Utf8FromCString(path)));
    if (!f.open(QIODevice::ReadOnly))
        return std::string();
    QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}

// Page objects of a PDF ("/Type /Page", not "/Type /Pages").
int CountPdfPages(const std::string& pdf)
{
    int n = 0;
    for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        if (at + 11 >= pdf.size() || pdf[at + 11] != 's')
            ++n;
    return n;
}

// Prints nPages pages, each with its number, the way the grid prints a job.
int PrintPages(CDC& dc, int nPages)
{
    if (dc.StartDoc("Task list") <= 0)
        return -1;
    const int width = dc.GetDeviceCaps(HORZRES);
    const int height = dc.GetDeviceCaps(VERTRES);
    for (int page = 1; page <= nPages; ++page) {
        if (dc.StartPage() <= 0)
            return -1;
        CString text;
        text.Format("Page %d of %d", page, nPages);
        dc.TextOut(width / 10, height / 10, text);
        dc.Rectangle(width / 10, height / 5, width / 2, height / 3);
        if (dc.EndPage() <= 0) {
            dc.AbortDoc();
            return -1;
        }
    }
    return dc.EndDoc();
}

class PrintingTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }
};

}  // namespace

TEST_F(PrintingTest, TwoPagesThroughThePrintDialogLandInAPdf)
{
    CString pdf = AfxTestOutputPath("two-pages.pdf");
    QFile::remove(QString::fromStdString(Utf8FromCString(pdf)));
    AfxTestPushPrintDialogScript([pdf](CPrintDialog* pDlg) {
        // The grid's print dialog: no selection, no page numbers, no print-to-file box.
        EXPECT_EQ(pDlg->m_pd.Flags & 0x14000C, DWORD(0x14000C));
        AfxPrintDialogAnswer a;
        a.nResult = IDOK;
        a.strOutputFile = pdf;
        return a;
    });
    CPrintDialog dlg(FALSE, PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.PrintAll());
    CDC dc;
    ASSERT_TRUE(dc.Attach(dlg.GetPrinterDC()));
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 300);
    // A4 at 300 pixels per inch is 2480 x 3508 pixels; the printable area lies inside.
    EXPECT_NEAR(dc.GetDeviceCaps(PHYSICALWIDTH), 2480, 2);
    EXPECT_NEAR(dc.GetDeviceCaps(PHYSICALHEIGHT), 3508, 2);
    EXPECT_LT(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(PHYSICALWIDTH));
    EXPECT_GT(dc.GetDeviceCaps(HORZRES), 2000);
    EXPECT_EQ(dc.GetDeviceCaps(NUMCOLORS), -1);
    EXPECT_GT(PrintPages(dc, 2), 0);
    EXPECT_EQ(AfxGetPrintedPageCount(dc.GetSafeHdc()), 2);
    dc.DeleteDC();

    std::string bytes = ReadFile(pdf);
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_EQ(CountPdfPages(bytes), 2);
    // Where poppler's pdfinfo is installed it reads the same count.
    QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        QProcess p;
        p.start(pdfinfo, {QString::fromStdString(Utf8FromCString(pdf))});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_TRUE(QString::fromLatin1(p.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    }
}

TEST_F(PrintingTest, CancelledPrintDialogGivesNoPrinter)
{
    AfxTestPushPrintDialogResult(IDCANCEL);
    CPrintDialog dlg(FALSE);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetPrinterDC(), nullptr);
    // OK without a file to print to cannot print: taken as Cancel.
    AfxTestPushPrintDialogResult(IDOK);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(PrintingTest, ImagePrinterKeepsEveryPageAtItsResolution)
{
    CDC dc;
    ASSERT_TRUE(dc.Attach(AfxCreateImagePrinterDC(850, 1100, 100)));
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 850);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 1100);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 100);
    EXPECT_EQ(dc.StartPage(), SP_ERROR);  // no document yet
    ASSERT_GT(PrintPages(dc, 3), 0);
    EXPECT_EQ(AfxGetPrintedPageCount(dc.GetSafeHdc()), 3);
    HBITMAP page2 = AfxGetPrintedPage(dc.GetSafeHdc(), 1);
    ASSERT_NE(page2, nullptr);
    CBitmap* bm = CBitmap::FromHandle(page2);
    BITMAP info = {};
    bm->GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 850);
    EXPECT_EQ(info.bmHeight, 1100);
    // The rectangle's border is black, the paper white.
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap* old = mem.SelectObject(bm);
    EXPECT_EQ(mem.GetPixel(85, 220), RGB(0, 0, 0));
    EXPECT_EQ(mem.GetPixel(5, 5), RGB(255, 255, 255));
    mem.SelectObject(old);
    ::DeleteObject(page2);
    EXPECT_EQ(AfxGetPrintedPage(dc.GetSafeHdc(), 3), nullptr);
    dc.DeleteDC();
}

TEST_F(PrintingTest, AbortedDocumentLeavesNoFile)
{
    CString pdf = AfxTestOutputPath("aborted.pdf");
    CDC dc;
    ASSERT_TRUE(dc.Attach(AfxCreatePdfPrinterDC(pdf)));
    ASSERT_GT(dc.StartDoc("Aborted"), 0);
    ASSERT_GT(dc.StartPage(), 0);
    dc.TextOut(100, 100, "half");
    EXPECT_GT(dc.AbortDoc(), 0);
    EXPECT_EQ(dc.EndDoc(), SP_ERROR);
    dc.DeleteDC();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Utf8FromCString(pdf))));
    EXPECT_EQ(AfxCreatePdfPrinterDC("/nonexistent-folder/x.pdf"), nullptr);
}

TEST_F(PrintingTest, PrintInfoKeepsThePageRangeInItsDialog)
{
    CPrintInfo info;
    EXPECT_EQ(info.GetMinPage(), 1u);
    info.SetMaxPage(7);
    EXPECT_EQ(info.GetMaxPage(), 7u);
    EXPECT_EQ(info.m_pPD->m_pd.nMaxPage, 7);
    EXPECT_EQ(info.GetFromPage(), 1u);
    EXPECT_EQ(info.GetToPage(), 7u);
    EXPECT_EQ(info.m_nCurPage, 1u);
    EXPECT_TRUE(info.m_bContinuePrinting);
}
