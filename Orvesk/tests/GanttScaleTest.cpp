// The chart's time scale, background grid and horizontal scrolling.
#include "GanttTestSupport.h"
#include "Gantt_src/CalendarDate.h"

#include <ClassLib/Testing.h>

#include <string>
#include <vector>

namespace {

struct Cell
{
    CString text;
    CRect rect;
};

// The texts drawn in the tier whose top is nTop, in drawing order.
std::vector<Cell> TierTexts(const CRecordingDC& dc, int nTop)
{
    std::vector<Cell> out;
    for (const AfxDrawOp& op : dc.Ops())
        if (op.kind == AfxDrawKind::Text && op.rect.top == nTop)
            out.push_back({op.text, op.rect});
    return out;
}

CString Utf8(const char* psz)
{
    // The test sources are compiled to code page 936 like the library's.
    return CString(psz);
}

struct Ymd
{
    int y, m, d;
};

Ymd FirstDay(CGunterBar& chart)
{
    Ymd v;
    chart.GetFirstVisibleDay(v.y, v.m, v.d);
    return v;
}

void Scroll(CGunterBar& chart, UINT nCode, UINT nPos = 0)
{
    chart.SendMessage(WM_HSCROLL, MAKEWPARAM(nCode, nPos), 0);
}

} // namespace

class GanttScaleTest : public CWndTestBase
{
protected:
    GanttScaleTest() : today(2024, 3, 4) {}
    CFixedToday today;  // Monday
};

TEST_F(GanttScaleTest, LevelOneWeeksOverDays)
{
    CGanttHost host;
    CRecordingDC dc(1200, 200);
    int y = 2024, m = 3, d = 6;  // a Wednesday
    host.chart().DrawScale(&dc, y, m, d, 0xC8D0D4, FALSE);
    EXPECT_EQ(6, d);  // left unchanged without the advance flag

    const auto upper = TierTexts(dc, 0);
    ASSERT_GE(upper.size(), 3u);
    EXPECT_EQ(FormatScaleDate(2024, 3, 6), upper[0].text);
    EXPECT_EQ(CRect(0, 0, 72, 16), upper[0].rect);  // four days: Wednesday to Saturday
    EXPECT_EQ(FormatScaleDate(2024, 3, 10), upper[1].text);
    EXPECT_EQ(CRect(72, 0, 198, 16), upper[1].rect);
    EXPECT_EQ(FormatScaleDate(2024, 3, 17), upper[2].text);

    const auto lower = TierTexts(dc, 16);
    ASSERT_GE(lower.size(), 5u);
    EXPECT_EQ(GetWeekdayLabel(3), lower[0].text);
    EXPECT_EQ(CRect(0, 16, 18, 32), lower[0].rect);
    EXPECT_EQ(GetWeekdayLabel(4), lower[1].text);
    EXPECT_EQ(GetWeekdayLabel(0), lower[4].text);
    // The lower tier stops at the client width, the upper one at twice the width.
    CRect rc;
    host.chart().GetClientRect(&rc);
    EXPECT_LT(lower.back().rect.left, rc.Width());
    EXPECT_GE(lower.back().rect.right, rc.Width());
    EXPECT_GE(upper.back().rect.right, 2 * rc.Width());

    // The band is filled in the given colour; texts are transparent.
    const auto fills = dc.Recorder().OfKind(AfxDrawKind::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(CRect(0, 0, rc.Width(), 32), fills[0]->rect);
    EXPECT_EQ(COLORREF(0xC8D0D4), fills[0]->color);
    for (const AfxDrawOp* op : dc.Recorder().Texts()) {
        EXPECT_EQ(TRANSPARENT, op->bkMode);
        EXPECT_EQ(UINT(DT_SINGLELINE | DT_VCENTER | (op->rect.top == 16 ? DT_CENTER : 0)), op->flags);
    }
}

TEST_F(GanttScaleTest, LevelOneAdvanceGivesTheDayAfterTheLastCell)
{
    CGanttHost host;
    CRect rc;
    host.chart().GetClientRect(&rc);
    CRecordingDC dc(1200, 200);
    int y = 2024, m = 3, d = 6;
    host.chart().DrawScale(&dc, y, m, d, 0xC8D0D4, TRUE);
    const int nCells = (rc.Width() + 17) / 18;
    const COleDateTime dt = COleDateTime(2024, 3, 6, 0, 0, 0) + COleDateTimeSpan(nCells, 0, 0, 0);
    EXPECT_EQ(dt.GetYear(), y);
    EXPECT_EQ(dt.GetMonth(), m);
    EXPECT_EQ(dt.GetDay(), d);
}

TEST_F(GanttScaleTest, WeekTitleOfASundayOnFebruary29)
{
    CGanttHost host;
    CRecordingDC dc(1200, 200);
    int y = 2004, m = 2, d = 28;  // Saturday
    host.chart().DrawScale(&dc, y, m, d, 0xC8D0D4, FALSE);
    const auto upper = TierTexts(dc, 0);
    ASSERT_GE(upper.size(), 2u);
    EXPECT_EQ(CRect(0, 0, 18, 16), upper[0].rect);
    EXPECT_EQ(FormatScaleDate(2004, 2, 29), upper[1].text);
    // " 2004年2月29日"
    EXPECT_EQ(std::string(" 2004\xC4\xEA" "2\xD4\xC2" "29\xC8\xD5"),
              std::string(static_cast<LPCTSTR>(upper[1].text)));
}

TEST_F(GanttScaleTest, LevelTwoMonthsOverThreeDayCells)
{
    CGanttHost host;
    host.chart().m_nTimeScale = 2;
    CRecordingDC dc(1200, 200);
    int y = 2024, m = 3, d = 5;
    host.chart().DrawScale(&dc, y, m, d, 0xC8D0D4, FALSE);
    const auto upper = TierTexts(dc, 0);
    ASSERT_GE(upper.size(), 2u);
    EXPECT_EQ(Utf8(" 2024年3月"), upper[0].text);
    EXPECT_EQ(CRect(-24, 0, -24 + 31 * 6, 16), upper[0].rect);
    EXPECT_EQ(Utf8(" 2024年4月"), upper[1].text);
    EXPECT_EQ(30 * 6, upper[1].rect.Width());

    const auto lower = TierTexts(dc, 16);
    const char* const expected[] = {"1", "4", "7", "10", "13", "16", "19", "22", "25", "28", "31", "3", "6"};
    ASSERT_GE(lower.size(), 13u);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(CString(expected[i]), lower[i].text) << i;
        EXPECT_EQ(-24 + 18 * i, lower[i].rect.left) << i;
        EXPECT_EQ(18, lower[i].rect.Width()) << i;
    }
}

TEST_F(GanttScaleTest, LevelThreeQuartersOverMonths)
{
    CGanttHost host;
    host.chart().m_nTimeScale = 3;
    CRecordingDC dc(1200, 200);
    int y = 2024, m = 5, d = 20;
    host.chart().DrawScale(&dc, y, m, d, 0xC8D0D4, FALSE);
    const auto upper = TierTexts(dc, 0);
    ASSERT_GE(upper.size(), 3u);
    EXPECT_EQ(Utf8(" 2024年第2季度"), upper[0].text);
    EXPECT_EQ(CRect(-36, 0, 72, 16), upper[0].rect);
    EXPECT_EQ(Utf8(" 2024年第3季度"), upper[1].text);
    EXPECT_EQ(Utf8(" 2025年第1季度"), upper[3].text);
    const auto lower = TierTexts(dc, 16);
    ASSERT_GE(lower.size(), 10u);
    EXPECT_EQ(CString("4"), lower[0].text);
    EXPECT_EQ(CRect(-36, 16, 0, 32), lower[0].rect);
    EXPECT_EQ(CString("12"), lower[8].text);
    EXPECT_EQ(CString("1"), lower[9].text);
}

TEST_F(GanttScaleTest, LevelFourYearsOverMonths)
{
    CGanttHost host;
    host.chart().m_nTimeScale = 4;
    CRecordingDC dc(1200, 200);
    int y = 2024, m = 3, d = 15;
    host.chart().DrawScale(&dc, y, m, d, 0xC8D0D4, FALSE);
    const auto upper = TierTexts(dc, 0);
    ASSERT_GE(upper.size(), 2u);
    EXPECT_EQ(Utf8(" 2024年"), upper[0].text);
    EXPECT_EQ(CRect(-36, 0, 180, 16), upper[0].rect);
    EXPECT_EQ(Utf8(" 2025年"), upper[1].text);
    const auto lower = TierTexts(dc, 16);
    ASSERT_GE(lower.size(), 13u);
    EXPECT_EQ(CString("1"), lower[0].text);
    EXPECT_EQ(CRect(-36, 16, -18, 32), lower[0].rect);
    EXPECT_EQ(CString("12"), lower[11].text);
    EXPECT_EQ(CString("1"), lower[12].text);
}

TEST_F(GanttScaleTest, PrintedScaleStopsAtTheEdgeAndReportsTheCutDay)
{
    CGanttHost host;
    CRecordingDC dc(600, 400);
    CPrintInfo info;
    info.m_rectDraw.SetRect(10, 20, 110, 300);  // 100 pixels: five days and 10 pixels
    int y = 2024, m = 3, d = 6, nRemainder = -1;
    host.chart().DrawPrintScale(&dc, &info, y, m, d, nRemainder, TRUE, TRUE);
    EXPECT_EQ(10, nRemainder);
    const auto lower = TierTexts(dc, 36);
    ASSERT_EQ(6u, lower.size());
    EXPECT_EQ(CRect(10, 36, 28, 52), lower[0].rect);
    EXPECT_EQ(3, m);
    EXPECT_EQ(12, d);  // six day cells drawn from the 6th
    const auto upper = TierTexts(dc, 20);
    ASSERT_EQ(2u, upper.size());  // the first week (72 px) and the next, cut at the edge
    // Without drawing: nothing drawn, the same advance.
    CRecordingDC dc2(600, 400);
    y = 2024, m = 3, d = 6;
    host.chart().DrawPrintScale(&dc2, &info, y, m, d, nRemainder, TRUE, FALSE);
    EXPECT_TRUE(dc2.Recorder().Texts().empty());
    EXPECT_EQ(12, d);
    // An empty drawing rectangle draws no cell and ends.
    info.m_rectDraw.SetRect(10, 20, 10, 300);
    CRecordingDC dc3(600, 400);
    host.chart().DrawPrintScale(&dc3, &info, y, m, d, nRemainder, TRUE, TRUE);
    EXPECT_TRUE(dc3.Recorder().Texts().empty());
    EXPECT_EQ(0, nRemainder);
}

TEST_F(GanttScaleTest, LevelOneGridMarksRestDaysSundaysAndTheOrigin)
{
    CGanttHost host;
    CRecordingDC dc(400, 200);
    host.chart().DrawGrid(&dc, 2024, 2, 28);  // Wednesday; today (the origin) is 4 March
    const auto rects = dc.Recorder().OfKind(AfxDrawKind::Rectangle);
    std::vector<int> restColumns;
    for (const AfxDrawOp* op : rects) {
        EXPECT_EQ(33, op->rect.top);
        EXPECT_EQ(18, op->rect.Width());
        EXPECT_EQ(RGB(255, 255, 255), op->penColor);
        EXPECT_EQ(BS_PATTERN, op->brushStyle);
        restColumns.push_back(op->rect.left);
    }
    ASSERT_GE(restColumns.size(), 2u);
    EXPECT_EQ(54, restColumns[0]);  // Saturday 2 March
    EXPECT_EQ(72, restColumns[1]);  // Sunday 3 March
    // The Sunday line: white on odd y, black on even y.
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(72, 34));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(72, 35));
    // The origin's red dashes, 2 wide and 8 long every 12 pixels.
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(90, 33));
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(91, 40));
    EXPECT_NE(RGB(255, 0, 0), dc.GetPixel(90, 41));
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(90, 45));
    EXPECT_NE(RGB(255, 0, 0), dc.GetPixel(92, 33));
    // Nothing above the grid.
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(72, 32));
}

TEST_F(GanttScaleTest, CoarserGridsMarkMonthEndsQuartersAndYears)
{
    CGanttHost host;
    {
        host.chart().m_nTimeScale = 2;
        CRecordingDC dc(400, 200);
        host.chart().DrawGrid(&dc, 2024, 2, 28);
        EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(12, 34));  // end of February
        EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(12, 35));
        EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(36, 34));  // the origin day's right edge
        EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(36, 35));
        EXPECT_TRUE(dc.Recorder().OfKind(AfxDrawKind::Rectangle).empty());  // no rest days
    }
    {
        host.chart().m_nTimeScale = 3;
        CRecordingDC dc(400, 200);
        host.chart().DrawGrid(&dc, 2024, 3, 10);
        EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(36, 34));  // end of the first quarter
        EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(4, 34));  // March, fourth day
        EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(72, 34));
        EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(144, 34));  // end of June
    }
    {
        host.chart().m_nTimeScale = 4;
        CRecordingDC dc(400, 200);
        host.chart().DrawGrid(&dc, 2024, 11, 10);
        EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(36, 34));  // end of December
        EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(18, 34));
    }
    {
        host.chart().m_nTimeScale = 4;
        CRecordingDC dc(400, 200);
        host.chart().DrawGrid(&dc, 2024, 3, 10);
        EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(2, 34));  // 4 x 0.6 = 2.4
    }
}

TEST_F(GanttScaleTest, ChartOpensFiveDaysBeforeTheOrigin)
{
    CGanttHost host;
    CGunterBar& chart = host.chart();
    EXPECT_EQ(-5, chart.GetHScrollDays());
    EXPECT_EQ(0, chart.GetScrollPos(SB_HORZ));
    int nMin = -1, nMax = -1;
    chart.GetScrollRange(SB_HORZ, &nMin, &nMax);
    EXPECT_EQ(0, nMin);
    EXPECT_EQ(100, nMax);
    const Ymd first = FirstDay(chart);
    EXPECT_EQ(2024, first.y);
    EXPECT_EQ(2, first.m);
    EXPECT_EQ(28, first.d);
    int y, m, d;
    chart.GetOriginDate(y, m, d);
    EXPECT_EQ(4, d);
    // Font of the chart.
    EXPECT_EQ(40, chart.GetChartLogFont().lfWeight);
    EXPECT_EQ(GB2312_CHARSET, chart.GetChartLogFont().lfCharSet);
    EXPECT_STREQ("\xCB\xCE\xCC\xE5", chart.GetChartLogFont().lfFaceName);
    // The window class.
    char szClass[64] = {};
    ::GetClassName(chart.GetSafeHwnd(), szClass, sizeof(szClass));
    EXPECT_STREQ("CGunterBar", szClass);
}

TEST_F(GanttScaleTest, LineStepsByLevel)
{
    CGanttHost host;
    CGunterBar& chart = host.chart();
    Scroll(chart, SB_LINERIGHT);
    EXPECT_EQ(-4, chart.GetHScrollDays());
    EXPECT_EQ(29, FirstDay(chart).d);
    EXPECT_EQ(0, chart.GetScrollPos(SB_HORZ));  // outside 0..100: the box stays

    chart.m_nTimeScale = 2;
    Scroll(chart, SB_LINERIGHT);
    EXPECT_EQ(-1, chart.GetHScrollDays());
    EXPECT_EQ(3, FirstDay(chart).m);
    EXPECT_EQ(3, FirstDay(chart).d);

    chart.m_nTimeScale = 3;
    Scroll(chart, SB_LINERIGHT);
    EXPECT_EQ(29, chart.GetHScrollDays());
    EXPECT_EQ(4, FirstDay(chart).m);
    EXPECT_EQ(2, FirstDay(chart).d);
    EXPECT_EQ(1, chart.GetScrollPos(SB_HORZ));  // inside the range: the box follows

    chart.m_nTimeScale = 4;
    Scroll(chart, SB_LINELEFT);
    EXPECT_EQ(-1, chart.GetHScrollDays());
    EXPECT_EQ(3, FirstDay(chart).m);
    EXPECT_EQ(3, FirstDay(chart).d);
    EXPECT_EQ(0, chart.GetScrollPos(SB_HORZ));
}

TEST_F(GanttScaleTest, PageStepsAndThumb)
{
    CGanttHost host;
    CGunterBar& chart = host.chart();
    // Page left from the scroll bar (position 0) moves one unit.
    Scroll(chart, SB_PAGELEFT, 0);
    EXPECT_EQ(-6, chart.GetHScrollDays());
    EXPECT_EQ(27, FirstDay(chart).d);
    // Thumb to 50.
    Scroll(chart, SB_THUMBPOSITION, 50);
    EXPECT_EQ(50, chart.GetScrollPos(SB_HORZ));
    EXPECT_EQ(44, chart.GetHScrollDays());
    const COleDateTime dt = COleDateTime(2024, 2, 27, 0, 0, 0) + COleDateTimeSpan(50, 0, 0, 0);
    EXPECT_EQ(dt.GetMonth(), FirstDay(chart).m);
    EXPECT_EQ(dt.GetDay(), FirstDay(chart).d);
    // Page right: five units.
    Scroll(chart, SB_PAGERIGHT, 10);
    EXPECT_EQ(55, chart.GetScrollPos(SB_HORZ));
    EXPECT_EQ(49, chart.GetHScrollDays());
    // Page left, not from the bar: five units.
    Scroll(chart, SB_PAGELEFT, 10);
    EXPECT_EQ(50, chart.GetScrollPos(SB_HORZ));
    // Top and bottom.
    Scroll(chart, SB_TOP);
    EXPECT_EQ(0, chart.GetScrollPos(SB_HORZ));
    EXPECT_EQ(-6, chart.GetHScrollDays());
    const int nLimit = chart.GetScrollLimit(SB_HORZ);
    Scroll(chart, SB_BOTTOM);
    EXPECT_EQ(nLimit - 1, chart.GetScrollPos(SB_HORZ));
    // An unknown code changes nothing.
    const int nDays = chart.GetHScrollDays();
    Scroll(chart, SB_ENDSCROLL);
    EXPECT_EQ(nDays, chart.GetHScrollDays());
}

TEST(GanttScrollDates, BackwardsAcrossTheYearEndStaysADate)
{
    CFixedToday today(2025, 1, 2);
    CGanttHost host;
    CGunterBar& chart = host.chart();
    EXPECT_EQ(2024, FirstDay(chart).y);
    EXPECT_EQ(12, FirstDay(chart).m);
    EXPECT_EQ(28, FirstDay(chart).d);
    chart.m_nTimeScale = 3;
    Scroll(chart, SB_LINELEFT);
    EXPECT_EQ(2024, FirstDay(chart).y);
    EXPECT_EQ(11, FirstDay(chart).m);
    EXPECT_EQ(28, FirstDay(chart).d);
    chart.m_nTimeScale = 1;
    for (int i = 0; i < 40; ++i)
        Scroll(chart, SB_LINERIGHT);
    EXPECT_EQ(2025, FirstDay(chart).y);
    EXPECT_EQ(1, FirstDay(chart).m);
    EXPECT_EQ(7, FirstDay(chart).d);
    EXPECT_EQ(-5 - 30 + 40, chart.GetHScrollDays());
}
