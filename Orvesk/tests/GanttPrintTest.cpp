// Printing the task tree with the chart: a job of two pages and more into a PDF read back
// with pdftotext (page texts, the band on the last page only), and the preview.
#include "ViewsTestSupport.h"

#include <ClassLib/Core/Clock.h>
#include <ClassLib/Core/Conversion.h>
#include <ClassLib/DocView/PrintPreview.h>
#include <ClassLib/Testing/UiScripts.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <algorithm>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include "GanttBarView.h"
#include "GanttView.h"
#include "ProjectFrame.h"
#include "TaskTreeView.h"

namespace {

// Forty tasks of three days each, one after the other from Monday 4 March 2024: the chart
// is wider than a page and the rows need more than one page down.
void FillLongPlan(CProjectDoc& doc)
{
    COleDateTime start = Day(2024, 3, 4);
    for (int i = 1; i <= 40; ++i) {
        CString strName;
        strName.Format("任务%d", i);
        CTaskItem* pTask = AddTask(doc.m_listTasks, strName, start, start + COleDateTimeSpan(2, 0, 0, 0), 3);
        pTask->m_nRowInGrid = i;
        pTask->m_nTaskID = 100 + i;
        pTask->m_nIsTask = 1;
        start += COleDateTimeSpan(7, 0, 0, 0);
    }
    doc.m_ProjectInfo.m_strName = "打印样例";
}

std::string PdfText(const CString& pdf, int nPage)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return std::string();
    QProcess p;
    p.start(tool, {"-f", QString::number(nPage), "-l", QString::number(nPage), "-enc", "UTF-8",
                   QString::fromStdString(Utf8FromCString(pdf)), "-"});
    if (!p.waitForFinished(30000))
        return std::string();
    // In the code page of the test's own texts; the PDF's font maps some ideographs to
    // their radical forms, which compatibility normalisation turns back.
    const QString utf = QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
    const CString text = CStringFromUtf8(utf.toUtf8().toStdString());
    return std::string(static_cast<LPCTSTR>(text), text.GetLength());
}

class GanttPrintTest : public ProjectWindowTest
{
protected:
    void SetUp() override
    {
        const COleDateTime today(2024, 3, 4, 9, 0, 0);
        AfxTestSetCurrentTime(&today);
        ProjectWindowTest::SetUp();
        AfxTestResetScripts();
    }
    void TearDown() override
    {
        ProjectWindowTest::TearDown();
        AfxTestSetCurrentTime(nullptr);
    }
    CGanttBarView* BarView() const
    {
        return DYNAMIC_DOWNCAST(CGanttBarView, GanttView()->m_wndSplitter.GetPane(0, 1));
    }
};

} // namespace

TEST_F(GanttPrintTest, ThePagesCarryTheirNumbersAndTheLastOneTheProjectAndDate)
{
    ASSERT_TRUE(Open(FillLongPlan));
    const CString pdf = AfxTestOutputPath("gantt-print.pdf");
    QFile::remove(QString::fromStdString(Utf8FromCString(pdf)));
    AfxTestPushPrintDialogScript([pdf](CPrintDialog*) {
        AfxPrintDialogAnswer a;
        a.nResult = IDOK;
        a.strOutputFile = pdf;
        return a;
    });
    BarView()->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    AfxPumpMessages();

    CGunterBar& chart = BarView()->m_wndChart;
    // The print font's average width and the page in screen units at three quarters.
    EXPECT_GT(chart.m_sizePrint1.cx, 0);
    EXPECT_GT(chart.m_sizePrint1.cy, 0);
    EXPECT_EQ(chart.m_sizePrint2.cx * 96 / 300 * 3 / 4, chart.m_sizePrint3.cx);
    EXPECT_GE(chart.m_nPagesAcross, 2);
    EXPECT_GE(chart.m_nPagesDown, 2);
    const int nPages = chart.m_nPagesAcross * chart.m_nPagesDown;

    QFile f(QString::fromStdString(Utf8FromCString(pdf)));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    ASSERT_EQ("%PDF-", f.read(5).toStdString());
    f.close();
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext not installed";
    for (int n = 1; n <= nPages; ++n) {
        const std::string text = PdfText(pdf, n);
        // "第%d页" (the text layer may give the last ideograph as its radical form).
        const size_t at = text.find("第" + std::to_string(n));
        EXPECT_NE(std::string::npos, at) << n;
        if (at != std::string::npos) {
            EXPECT_FALSE(isdigit(static_cast<unsigned char>(text[at + 2 + std::to_string(n).size()]))) << n;
        }
        const bool bLast = n == nPages;
        EXPECT_EQ(bLast, text.find("打印样例") != std::string::npos) << n;
        EXPECT_EQ(bLast, text.find("2024年3月4日") != std::string::npos) << n;
        // "图   例": the text layer may part its two characters over lines.
        std::string compact = text;
        compact.erase(std::remove_if(compact.begin(), compact.end(), [](char c) { return isspace(static_cast<unsigned char>(c)); }),
                      compact.end());
        EXPECT_EQ(bLast, compact.find("图例") != std::string::npos) << n;
    }
    // The first page holds the tree's first rows, the first page of the second page row
    // rows further down.
    EXPECT_NE(std::string::npos, PdfText(pdf, 1).find("任务1"));
    const std::string second = PdfText(pdf, chart.m_nPagesAcross + 1);
    EXPECT_EQ(std::string::npos, second.find("任务1\n"));
    EXPECT_NE(std::string::npos, second.find("任务40"));
}

TEST_F(GanttPrintTest, ThePreviewShowsOnePageAtATime)
{
    ASSERT_TRUE(Open(FillLongPlan));
    BarView()->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    AfxPumpMessages();
    CPreviewView* pPreview = DYNAMIC_DOWNCAST(CPreviewView, m_pMainFrame->GetActiveView());
    if (pPreview == nullptr)
        pPreview = DYNAMIC_DOWNCAST(CPreviewView, m_pFrame->GetActiveView());
    ASSERT_NE(nullptr, pPreview);
    CGunterBar& chart = BarView()->m_wndChart;
    EXPECT_EQ(UINT(chart.m_nPagesAcross * chart.m_nPagesDown), pPreview->GetLastPage());
    ASSERT_NE(nullptr, pPreview->GetPageBitmap(1));
    QImage page1 = AfxImageOfBitmap(pPreview->GetPageBitmap(1));
    ASSERT_FALSE(page1.isNull());
    page1.save(QString::fromUtf8(Utf8FromCString(AfxTestOutputPath("gantt-preview-page1.png")).c_str()));
    EXPECT_TRUE(AfxTestGrabWindow(m_pMainFrame, AfxTestOutputPath("gantt-preview.png")));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    AfxPumpMessages();
}
