// Printing the report list: page ranges, rows per page under any margins, the footer line
// with the page number and the date, and a job of 200 rows into a PDF read back with
// pdftotext.
#include "RptListTestSupport.h"

#include <ClassLib/Printing/PrintInfo.h>
#include <ClassLib/Printing/PrinterDC.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <string>

namespace {

std::string PdfPageText(const CString& pdf, int nPage)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return std::string();
    QProcess p;
    p.start(tool, {"-layout", "-f", QString::number(nPage), "-l", QString::number(nPage), QString::fromLatin1(static_cast<LPCTSTR>(pdf)), "-"});
    if (!p.waitForFinished(30000))
        return std::string();
    return p.readAllStandardOutput().toStdString();
}

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1))
        ++n;
    return n;
}

class RptListPrintTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        const COleDateTime today(2004, 3, 7, 10, 0, 0);
        AfxTestSetCurrentTime(&today);
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(list.Create(kRptListStyle, CRect(0, 0, 500, 280), &host, 7));
        list.InsertRptColumn(0, "Name", LVCFMT_LEFT, 120, 0, 0);
        list.InsertRptColumn(1, "Amount", LVCFMT_RIGHT, 80, 1, 0);
    }
    void TearDown() override
    {
        AfxTestSetCurrentTime(nullptr);
        list.DestroyWindow();
        host.DestroyWindow();
        CWndTestBase::TearDown();
    }
    void AddRows(int n)
    {
        for (int i = 0; i < n; ++i) {
            CString s;
            s.Format("row%03d", i);
            const int r = list.InsertItem(list.GetItemCount(), s);
            s.Format("%d", i * 10);
            list.SetItemText(r, 1, s);
        }
    }
    // Begins a job on an image printer of an A4 page at 100 dpi; the page range.
    std::pair<UINT, UINT> Begin(CDC& dc, CPrintInfo& info)
    {
        dc.Attach(AfxCreateImagePrinterDC(827, 1169, 100));
        list.OnBeginPrinting(&dc, &info);
        return {info.GetMinPage(), info.GetMaxPage()};
    }

    CRptHostWnd host;
    CRptListCtrl list;
};

TEST_F(RptListPrintTest, NoRowsGiveOnePageAndAFullPageGivesASecond)
{
    CDC dc;
    CPrintInfo info;
    EXPECT_EQ(Begin(dc, info), (std::pair<UINT, UINT>(1, 1)));
    const int nPerPage = list.GetRowsPerPage();
    ASSERT_GT(nPerPage, 1);
    AddRows(nPerPage);
    list.OnBeginPrinting(&dc, &info);
    EXPECT_EQ(info.GetMaxPage(), 2u);
    list.OnEndPrinting(&dc, &info);
    ::DeleteDC(dc.Detach());
}

TEST_F(RptListPrintTest, FooterLinesLeaveRoomForOneMoreLine)
{
    CDC dc;
    CPrintInfo info;
    Begin(dc, info);
    const int nPlain = list.GetRowsPerPage();
    list.SetPrintFlags(RPTP_DATE);
    list.OnBeginPrinting(&dc, &info);
    EXPECT_LT(list.GetRowsPerPage(), nPlain);
    ::DeleteDC(dc.Detach());
}

TEST_F(RptListPrintTest, MarginsLargerThanThePageStillPrintOneRowPerPage)
{
    AddRows(3);
    list.SetPrintMargins(CRect(10, 200, 10, 200));
    CDC dc;
    CPrintInfo info;
    const auto range = Begin(dc, info);
    EXPECT_EQ(list.GetRowsPerPage(), 1);
    EXPECT_EQ(range.second, 4u);
    ::DeleteDC(dc.Detach());
}

TEST_F(RptListPrintTest, TwoHundredRowsToPdfWithPageNumbersAndDates)
{
    AddRows(200);
    list.SetPrintFlags(RPTP_TITLE | RPTP_PAGENUMBER | RPTP_DATE);
    list.SetPrintTitle("Stock list");
    list.SetPrintMargins(CRect(15, 15, 15, 15));
    const CString pdf = AfxTestOutputPath("rpt-list-200.pdf");
    QFile::remove(QString::fromLatin1(static_cast<LPCTSTR>(pdf)));
    CDC dc;
    ASSERT_TRUE(dc.Attach(AfxCreatePdfPrinterDC(pdf, 300)));
    CPrintInfo info;
    list.OnBeginPrinting(&dc, &info);
    const UINT nPages = info.GetMaxPage();
    ASSERT_GE(nPages, 2u);
    DOCINFO di;
    std::memset(&di, 0, sizeof(di));
    di.cbSize = sizeof(di);
    di.lpszDocName = "rows";
    ASSERT_GT(dc.StartDoc(&di), 0);
    for (UINT p = 1; p <= nPages; ++p) {
        dc.StartPage();
        info.m_nCurPage = p;
        list.OnPrint(&dc, &info);
        dc.EndPage();
    }
    dc.EndDoc();
    list.OnEndPrinting(&dc, &info);
    ::DeleteDC(dc.Detach());
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext not installed";
    const int nPerPage = list.GetRowsPerPage();
    size_t nRows = 0;
    for (UINT p = 1; p <= nPages; ++p) {
        const std::string text = PdfPageText(pdf, static_cast<int>(p));
        EXPECT_NE(text.find("Name"), std::string::npos) << p;
        EXPECT_NE(text.find("Amount"), std::string::npos) << p;
        EXPECT_NE(text.find("07/03/2004"), std::string::npos) << p;
        EXPECT_NE(text.find("Stock list"), std::string::npos) << p;
        nRows += Count(text, "row");
        // The first and last row of the page, and the page number between title and date.
        CString first;
        first.Format("row%03d", (p - 1) * nPerPage);
        EXPECT_NE(text.find(static_cast<LPCTSTR>(first)), std::string::npos) << p;
        CString number;
        number.Format(" %u ", p);
        const size_t title = text.rfind("Stock list");
        const size_t date = text.rfind("07/03/2004");
        const size_t num = text.find(static_cast<LPCTSTR>(number), title);
        EXPECT_TRUE(num != std::string::npos && num < date) << p;
    }
    EXPECT_EQ(nRows, 200u);
}

} // namespace
