// A window with a self-drawn child and a timer, driven the way the system's windows are:
// its Chinese texts show up in the recording with their rectangles, clicks and keys arrive
// as the expected messages, capture and focus follow the mouse, a timer repaints it, raster
// feedback restores the pixels, and a screenshot goes to the test output folder.
#include "WndTestUtil.h"

#include <ClassLib/Core/Conversion.h>

#include <QFileInfo>
#include <QImage>

#include <cstring>

namespace {

const char* const kChartClass = "ShowcaseChart";

}  // namespace

class CShowChart : public CLogWnd
{
public:
    int ticks = 0;
    HWND captureAtDown = nullptr;
    HWND captureAfterUp = reinterpret_cast<HWND>(1);
    CString typed;

    CShowChart()
    {
        WNDCLASS wc{};
        if (!GetClassInfo(AfxGetInstanceHandle(), kChartClass, &wc)) {
            wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
            wc.lpfnWndProc = &::DefWindowProc;
            wc.hInstance = AfxGetInstanceHandle();
            wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
            wc.hbrBackground = reinterpret_cast<HBRUSH>((uintptr_t)(COLOR_BTNFACE + 1));
            wc.lpszClassName = kChartClass;
            AfxRegisterClass(&wc);
        }
        LOGFONT lf{};
        lf.lfHeight = -12;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = GB2312_CHARSET;
        std::strcpy(lf.lfFaceName, "\xCB\xCE\xCC\xE5");  // 宋体
        m_font.CreateFontIndirect(&lf);
    }
    CFont m_font;

    static CRect HeaderRect(const CRect& client) { return CRect(0, 0, client.right, 24); }
    static CRect RowRect(const CRect& client, int row) { return CRect(4, 28 + row * 20, client.right - 4, 48 + row * 20); }

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        CFont* old = dc.SelectObject(&m_font);
        dc.SetBkMode(TRANSPARENT);
        CRect header = HeaderRect(rc);
        dc.FillSolidRect(&header, RGB(10, 36, 106));
        dc.SetTextColor(RGB(255, 255, 255));
        dc.DrawText(CStringFromUtf8(u8"项目进度"), &header, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        dc.SetTextColor(RGB(0, 0, 0));
        const char* names[] = {u8"任务一：需求分析", u8"任务二：详细设计与编码"};
        CPen grid(PS_SOLID, 1, RGB(0xC0, 0xC0, 0xC0));
        CPen* oldPen = dc.SelectObject(&grid);
        for (int row = 0; row < 2; ++row) {
            CRect r = RowRect(rc, row);
            dc.FillSolidRect(CRect(r.left, r.top, r.left + 12 + ticks * 10, r.bottom - 4), RGB(0, 0, 255));
            CRect text = r;
            text.left += 140;
            dc.DrawText(CStringFromUtf8(names[row]), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            dc.MoveTo(r.left, r.bottom - 1);
            dc.LineTo(r.right, r.bottom - 1);
        }
        dc.SelectObject(oldPen);
        CString status;
        status.Format("%s %d", Utf8ToCp936(u8"计时").c_str(), ticks);
        dc.TextOut(4, rc.bottom - 16, status);
        dc.Draw3dRect(&rc, GetSysColor(COLOR_3DHILIGHT), GetSysColor(COLOR_3DSHADOW));
        dc.SelectObject(old);
    }
    afx_msg void OnLButtonDown(UINT, CPoint)
    {
        SetCapture();
        SetFocus();
        captureAtDown = ::GetCapture();
    }
    afx_msg void OnLButtonUp(UINT, CPoint)
    {
        ReleaseCapture();
        captureAfterUp = ::GetCapture();
    }
    afx_msg void OnChar(UINT nChar, UINT, UINT) { typed += (char)nChar; }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == 1) {
            ++ticks;
            Invalidate(FALSE);
        }
    }
    afx_msg UINT OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

    static std::string Utf8ToCp936(const char* s) { return std::string((LPCTSTR)CStringFromUtf8(s)); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CShowChart, CLogWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CHAR()
    ON_WM_TIMER()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

namespace {

class Showcase : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestSetTickCount(&ticks);
        ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE | WS_BORDER, 40, 40, 420, 200, nullptr,
                                   nullptr));
        ASSERT_TRUE(chart.CreateEx(WS_EX_CLIENTEDGE, kChartClass, "", WS_CHILD | WS_VISIBLE, CRect(8, 8, 410, 188),
                                   &frame, 100));
        chart.SetTimer(1, 100, nullptr);
    }
    DWORD ticks = 1000000;
    CWnd frame;
    CShowChart chart;
};

TEST_F(Showcase, ChineseTextsAreDrawnWhereTheLayoutPutsThem)
{
    CDrawRecorder rec(&chart);
    AfxPumpMessages();
    CRect client;
    chart.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 398, 176));  // 402 x 180 less the 2-pixel client edge
    const AfxDrawOp* title = rec.FindTextUtf8(u8"项目进度");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->rect, CShowChart::HeaderRect(client));
    EXPECT_EQ(title->textColor, RGB(255, 255, 255));
    EXPECT_EQ(title->font.lfCharSet, GB2312_CHARSET);
    ASSERT_EQ(title->lines.size(), 1u);
    // Centred: four characters of 12 pixels in a 398 x 24 band.
    CClientDC dc(&chart);
    dc.SelectObject(&chart.m_font);
    CSize ext = dc.GetTextExtent(CStringFromUtf8(u8"项目进度"));
    EXPECT_EQ(ext, CSize(48, 12));
    EXPECT_EQ(title->lines[0].rect, CRect((398 - 48) / 2, (24 - 12) / 2, (398 - 48) / 2 + 48, (24 - 12) / 2 + 12));
    // The second task's name is shortened to its cell with an ellipsis.
    const AfxDrawOp* second = nullptr;
    for (const AfxDrawOp* op : rec.Texts())
        if (op->text == CStringFromUtf8(u8"任务二：详细设计与编码"))
            second = op;
    ASSERT_NE(second, nullptr);
    CRect cell = CShowChart::RowRect(client, 1);
    cell.left += 140;
    EXPECT_EQ(second->rect, cell);
    EXPECT_EQ(second->lines[0].text, CStringFromUtf8(u8"任务二：详细设计与编码"));  // it fits: shown whole
    EXPECT_EQ(second->lines[0].rect.left, cell.left);
    EXPECT_NE(rec.FindTextUtf8(u8"计时 0"), nullptr);
    // The grid lines and the frame.
    auto lines = rec.OfKind(AfxDrawKind::Polyline);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->points[0], CPoint(4, 47));
    EXPECT_EQ(lines[0]->penColor, RGB(0xC0, 0xC0, 0xC0));
    ASSERT_EQ(rec.OfKind(AfxDrawKind::Draw3dRect).size(), 1u);
    EXPECT_EQ(rec.OfKind(AfxDrawKind::Draw3dRect)[0]->rect, client);
}

TEST_F(Showcase, ClicksAndKeysArriveInOrderAndCaptureAndFocusFollow)
{
    AfxPumpMessages();
    chart.log.clear();
    AfxTestClick(&chart, CPoint(50, 60));
    EXPECT_EQ(chart.Only({WM_LBUTTONDOWN, WM_LBUTTONUP}), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(chart.captureAtDown, chart.GetSafeHwnd());
    EXPECT_EQ(chart.captureAfterUp, nullptr);
    EXPECT_EQ(CWnd::GetFocus(), &chart);
    EXPECT_EQ(chart.Count(WM_SETFOCUS), 1);
    // The capture change was reported to the chart when it released it.
    EXPECT_EQ(chart.Count(WM_CAPTURECHANGED), 1);
    chart.log.clear();
    AfxTestKey(&frame, 'A');  // keys go to the focus window, wherever they are sent
    EXPECT_EQ(chart.Only({WM_KEYDOWN, WM_CHAR, WM_KEYUP}), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    AfxTestTypeText(&chart, u8"Go中");
    EXPECT_EQ(chart.typed, CString("aGo") + CStringFromUtf8(u8"中"));
    // Dragging out of the window keeps the messages coming while captured.
    chart.log.clear();
    AfxTestMouseDown(&chart, CPoint(10, 10));
    AfxTestMouseMove(&chart, CPoint(600, 10));
    const CLogWnd::Entry* mv = chart.Last(WM_MOUSEMOVE);
    ASSERT_NE(mv, nullptr);
    EXPECT_EQ(GET_X_LPARAM(mv->lParam), 600);
    AfxTestMouseUp(&chart, CPoint(600, 10));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(Showcase, TheTimerRepaintsWithTheNewCount)
{
    AfxPumpMessages();
    CDrawRecorder rec(&chart);
    AfxTestAdvanceTickCount(99);
    AfxPumpMessages();
    EXPECT_EQ(chart.ticks, 0);
    AfxTestAdvanceTickCount(1);
    AfxPumpMessages();
    EXPECT_EQ(chart.ticks, 1);
    EXPECT_NE(rec.FindTextUtf8(u8"计时 1"), nullptr);
    AfxTestAdvanceTickCount(200);
    AfxPumpMessages();
    EXPECT_EQ(chart.ticks, 2);  // one WM_TIMER per check however late
}

TEST_F(Showcase, PatInvertFeedbackTwiceRestoresThePixelsAndAScreenshotIsWritten)
{
    AfxPumpMessages();
    auto grabRegion = [&] {
        CClientDC dc(&chart);
        std::vector<COLORREF> px;
        for (int y = 20; y < 70; ++y)
            for (int x = 0; x < 200; ++x)
                px.push_back(dc.GetPixel(x, y));
        return px;
    };
    std::vector<COLORREF> before = grabRegion();
    {
        CClientDC dc(&chart);
        static const WORD bits[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        CBitmap half;
        half.CreateBitmap(8, 8, 1, 1, bits);
        CBrush brush;
        brush.CreatePatternBrush(&half);
        CBrush* old = dc.SelectObject(&brush);
        dc.PatBlt(10, 25, 150, 30, PATINVERT);
        EXPECT_NE(grabRegion(), before);
        dc.PatBlt(10, 25, 150, 30, PATINVERT);
        dc.SelectObject(old);
    }
    EXPECT_EQ(grabRegion(), before);

    chart.ticks = 12;
    chart.Invalidate();
    AfxPumpMessages();
    CString path = AfxTestOutputPath("qt-wnd-showcase.png");
    ASSERT_TRUE(AfxTestGrabWindow(&frame, path));
    QImage shot(QString::fromLocal8Bit((LPCTSTR)path));
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), QSize(420, 200));
    // The title band of the chart is in the picture, inside the frame's border.
    EXPECT_EQ(shot.pixel(30, 15) & 0xFFFFFF, 0x0A246Au);
}

}  // namespace
