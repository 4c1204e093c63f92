// The delayed title tip, the distribution chart with its three sample bars, and the
// calendar's scale tips.
#include <ClassLib/Core/Clock.h>
#include <ClassLib/DocView/CreateContext.h>
#include <ClassLib/Testing.h>
#include <ClassLib/Testing/Input.h>

#include <QImage>

#include "Gantt_src/CalendarCalculate.h"
#include "Gantt_src/GanttTitleTip.h"
#include "Gantt_src/TaskDistributeWnd.h"
#include "NetworkView.h"
#include "ProjectDoc.h"

namespace {

class TitleTipTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        m_frame = new CFrameWnd;
        m_frame->Create(NULL, "tip", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300));
        m_frame->ShowWindow(SW_SHOW);
        m_owner.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), m_frame, 1);
        AfxTestFocus(&m_owner);
        ASSERT_TRUE(m_tip.Create(&m_owner));
        AfxPumpMessages();
    }
    void TearDown() override
    {
        if (m_tip.GetSafeHwnd() != NULL)
            m_tip.DestroyWindow();
        m_frame->DestroyWindow();
        CWndTestBase::TearDown();
    }
    void CursorAt(CPoint ptClient)
    {
        m_owner.ClientToScreen(&ptClient);
        AfxTestSetCursorPos(ptClient);
    }
    void FireShowTimer() { m_tip.SendMessage(WM_TIMER, 1, 0); }

    CFrameWnd* m_frame = nullptr;
    CWnd m_owner;
    CGanttTitleTip m_tip;
};

} // namespace

TEST_F(TitleTipTest, ShowOnlyArmsTheTimerAndTheTimerShowsTheLines)
{
    EXPECT_EQ(1, m_tip.GetOption());
    CursorAt(CPoint(20, 30));
    m_tip.Show(CRect(20, 30, 30, 40), "a\nbb\nccc", 0, NULL, NULL, CLR_DEFAULT, CLR_DEFAULT, 1000);
    EXPECT_FALSE(m_tip.IsWindowVisible());
    FireShowTimer();
    ASSERT_TRUE(m_tip.IsWindowVisible());
    ASSERT_EQ(3, m_tip.GetShownLines().GetSize());
    EXPECT_EQ(CString("a"), m_tip.GetShownLines()[0]);
    EXPECT_EQ(CString("ccc"), m_tip.GetShownLines()[2]);
    CRect rc;
    m_tip.GetWindowRect(&rc);
    CClientDC dc(&m_tip);
    const int nWidth = dc.GetTextExtent("ccc").cx;
    EXPECT_GE(rc.Width(), nWidth + 8);
    EXPECT_TRUE(m_tip.m_strTitle.IsEmpty());  // the split consumed the text
    EXPECT_TRUE(AfxTestGrabWindow(&m_tip, AfxTestOutputPath("gantt-title-tip.png")));
    // A visible tip ignores Show; the hide timer hides it.
    m_tip.Show(CRect(20, 30, 30, 40), "x", 0, NULL, NULL, CLR_DEFAULT, CLR_DEFAULT, 1000);
    m_tip.SendMessage(WM_TIMER, 101, 0);
    EXPECT_FALSE(m_tip.IsWindowVisible());
}

TEST_F(TitleTipTest, AnEmptyAnchorOrTextShowsNothing)
{
    CursorAt(CPoint(20, 30));
    m_tip.Show(CRect(20, 30, 20, 30), "abc");
    FireShowTimer();
    EXPECT_FALSE(m_tip.IsWindowVisible());
    m_tip.Show(CRect(20, 30, 30, 40), "");
    FireShowTimer();
    EXPECT_FALSE(m_tip.IsWindowVisible());
}

TEST_F(TitleTipTest, AMouseThatMovedAwayGetsNoTip)
{
    CursorAt(CPoint(24, 30));  // four pixels right of the anchor's corner
    m_tip.Show(CRect(20, 30, 30, 40), "a long text for the tip");
    FireShowTimer();
    EXPECT_FALSE(m_tip.IsWindowVisible());
    CursorAt(CPoint(22, 32));
    m_tip.Show(CRect(20, 30, 30, 40), "a long text for the tip");
    FireShowTimer();
    EXPECT_TRUE(m_tip.IsWindowVisible());
    m_tip.Hide();
}

TEST_F(TitleTipTest, ATextThatFitsTheAnchorIsNotShown)
{
    CursorAt(CPoint(0, 0));
    m_tip.Show(CRect(0, 0, 280, 20), "ab");
    FireShowTimer();
    EXPECT_FALSE(m_tip.IsWindowVisible());
}

TEST(CalendarCalculate, TipsFollowTheDrawnScaleStyleZero)
{
    AfxEnsureApplication();
    CCalendarCalculate cal;
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap bmp;
    CClientDC screen(NULL);
    bmp.CreateCompatibleBitmap(&screen, 400, 100);
    CBitmap* pOld = dc.SelectObject(&bmp);
    int y = 2024, m = 2, d = 28;  // a Wednesday
    cal.DrawScale(&dc, CRect(0, 50, 400, 82), 1, y, m, d, 0, 0xC8D0D4, FALSE);
    EXPECT_EQ(2024, y);
    EXPECT_EQ(28, d);
    CString str;
    EXPECT_FALSE(cal.GetTipText(CPoint(10, 20), str));
    EXPECT_TRUE(str.IsEmpty());
    // Style 0: days on the upper row, weeks below.
    EXPECT_TRUE(cal.GetTipText(CPoint(95, 55), str));
    EXPECT_EQ(CString("2024-3-4"), str);
    EXPECT_TRUE(cal.GetTipText(CPoint(10, 70), str));
    EXPECT_EQ(CString("2024-2-28 - 2024-3-2"), str);
    // Cells from the band's right - 18 on give no tip at level 1.
    EXPECT_TRUE(cal.GetTipText(CPoint(398, 55), str));
    EXPECT_TRUE(str.IsEmpty());
    // Level 3: quarters and months; the write-back gives the day the unit tier reached.
    y = 2024, m = 2, d = 28;
    cal.DrawScale(&dc, CRect(0, 50, 400, 82), 3, y, m, d, 1, 0xC8D0D4, TRUE);
    EXPECT_EQ(1, d);
    EXPECT_TRUE(cal.GetTipText(CPoint(10, 55), str));
    EXPECT_EQ(CString("2024-1-1--2024-3-31"), str);
    // January lies left of the band (x -36 to 0): February is the first month shown.
    EXPECT_TRUE(cal.GetTipText(CPoint(20, 70), str));
    EXPECT_EQ(CString("2024-2-1--2024-2-29"), str);
    // A level outside 1 to 4: drawn as level 1, no tip.
    y = 2024, m = 2, d = 28;
    cal.DrawScale(&dc, CRect(0, 50, 400, 82), 6, y, m, d, 0, 0xC8D0D4, FALSE);
    EXPECT_TRUE(cal.GetTipText(CPoint(95, 55), str));
    EXPECT_TRUE(str.IsEmpty());
    dc.SelectObject(pOld);
}

TEST(TaskDistribution, ThreeSampleBarsInTheirColoursOverTheScale)
{
    AfxEnsureApplication();
    const COleDateTime today(2024, 3, 4, 9, 0, 0);
    AfxTestSetCurrentTime(&today);
    CProjectDoc* doc = new CProjectDoc;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = new CFrameWnd;
    frame->Create(NULL, "distribution", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400));
    CCreateContext ctx;
    ctx.m_pNewViewClass = RUNTIME_CLASS(CNetworkView);
    ctx.m_pCurrentDoc = doc;
    CNetworkView* view = static_cast<CNetworkView*>(frame->CreateView(&ctx));
    ASSERT_NE(nullptr, view);
    CRect rcFrame;
    frame->GetClientRect(&rcFrame);
    view->MoveWindow(&rcFrame);
    view->OnInitialUpdate();
    frame->ShowWindow(SW_SHOW);
    AfxPumpMessages();
    // The project frame finds the view for view type 1 by its class name.
    EXPECT_EQ(RUNTIME_CLASS(CNetworkView), CRuntimeClass::FromName("CNetworkView"));
    CTaskDistributeWnd& wnd = view->m_wndDistribute;
    EXPECT_EQ(24005, wnd.GetDlgCtrlID());
    EXPECT_EQ(-5, wnd.m_nHScrollDays);
    EXPECT_EQ(28, wnd.m_nFirstDay);
    EXPECT_EQ(2, wnd.m_wndTitleTip.GetOption());
    ASSERT_EQ(3, wnd.m_listBars.GetCount());
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();

    CRect rc;
    wnd.GetClientRect(&rc);
    const int H = rc.Height() - 33;
    const CString png = AfxTestOutputPath("distribution-chart.png");
    ASSERT_TRUE(AfxTestGrabWindow(&wnd, png));
    QImage img(QString::fromStdString(Utf8FromCString(png)));
    ASSERT_FALSE(img.isNull());
    auto colour = [&](int x, int y) { return img.pixel(x, y) & 0xFFFFFF; };
    // Bar k spans x 50k + 50 to 50k + 80, shifted 90 pixels right (five days of 18).
    const int x1 = 90 + 100 + 15, x2 = 90 + 150 + 15, x3 = 90 + 200 + 15;
    const QRgb green = 0x00FF00, yellow = 0xFFFF00, red = 0xFF0000;
    EXPECT_EQ(green, colour(x1, H - 2));
    EXPECT_EQ(green, colour(x1, H - H * 30 / 100 + 2));
    EXPECT_EQ(0xFFFFFFu, colour(x1, H - H * 30 / 100 - 3));
    EXPECT_EQ(green, colour(x2, H - H * 40 / 100));
    EXPECT_EQ(yellow, colour(x2, H - H * 55 / 100));
    EXPECT_EQ(green, colour(x3, H - H * 40 / 100));
    EXPECT_EQ(yellow, colour(x3, H - H * 70 / 100));
    EXPECT_EQ(red, colour(x3, H - H * 85 / 100));
    // The scale band at the bottom.
    EXPECT_EQ(0xD4D0C8u, colour(5, rc.bottom - 8));

    // One line step right moves the first day on and the bars 18 pixels left.
    wnd.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(-4, wnd.m_nHScrollDays);
    EXPECT_EQ(29, wnd.m_nFirstDay);

    frame->DestroyWindow();
    delete doc;
    AfxTestSetCurrentTime(nullptr);
}

#include "GridCtrl.h"
#include "Gantt_src/GanttTaskTip.h"

TEST_F(TitleTipTest, ATaskGridGetsTheDelayedTipAsItsTaskTip)
{
    CGridCtrl grid;
    ASSERT_TRUE(grid.Create(CRect(0, 0, 300, 200), m_frame, 2));
    CGanttTaskTip* pTip = GanttGetTaskTip(&grid);
    ASSERT_NE(nullptr, pTip);
    EXPECT_TRUE(pTip->GetTip().GetSafeHwnd() != NULL);
    EXPECT_EQ(&grid, pTip->GetTip().m_pParentWnd);
    AfxTestFocus(&grid);
    CPoint pt(40, 50);
    CPoint ptScreen = pt;
    grid.ClientToScreen(&ptScreen);
    AfxTestSetCursorPos(ptScreen);
    pTip->Show(CRect(pt, CSize(10, 10)), "2:此任务正在进行之中!", 0, NULL, NULL, CLR_DEFAULT, CLR_DEFAULT);
    pTip->GetTip().SendMessage(WM_TIMER, 1, 0);
    EXPECT_TRUE(pTip->GetTip().IsWindowVisible());
    pTip->Hide();
    EXPECT_FALSE(pTip->GetTip().IsWindowVisible());
    grid.DestroyWindow();
}
