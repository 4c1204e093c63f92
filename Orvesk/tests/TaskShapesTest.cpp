// The chart's shapes: bar geometry, progress strip, hit zones, summary outline, arrow routes
// and what they draw.
#include "Gantt_src/GanttRes.h"
#include "Gantt_src/TaskShapes.h"
#include "TaskItem.h"

#include <ClassLib/Testing.h>

#include <vector>

namespace {

std::vector<CPoint> Route(CTaskLineArrow& arrow, std::vector<CPoint>* pHead = nullptr)
{
    CPoint path[6], head[3];
    int n = 0;
    if (!arrow.GetRoute(path, n, head))
        return {};
    if (pHead != nullptr)
        pHead->assign(head, head + 3);
    return std::vector<CPoint>(path, path + n);
}

void Place(CTaskLineArrow& arrow, int nType, int x1, int y1, int x2, int y2)
{
    arrow.m_nLinkType = nType;
    arrow.SetPoints(x1, y1, x2, y2);
}

} // namespace

class TaskShapesTest : public CWndTestBase
{
};

TEST_F(TaskShapesTest, DefaultsOfTheBaseShape)
{
    CTaskBase base;
    EXPECT_EQ(RGB(0, 0, 255), base.m_crColor);
    EXPECT_EQ(0xFF0000u, base.m_crColor);
    EXPECT_EQ(21003u, base.m_nBitmapId);
    EXPECT_EQ(-1, base.m_nRow);
    EXPECT_EQ(-1, base.m_nPredRow);
    EXPECT_EQ(0, base.m_nLinkType);
    EXPECT_EQ(0, base.HitTest(CPoint(0, 0)));
    EXPECT_EQ(12, base.m_logFont.lfHeight);
    EXPECT_EQ(40, base.m_logFont.lfWeight);
    EXPECT_EQ(134, base.m_logFont.lfCharSet);
    EXPECT_EQ(0x32, base.m_logFont.lfPitchAndFamily);
    EXPECT_STREQ("\xCB\xCE\xCC\xE5", base.m_logFont.lfFaceName);  // 宋体
    CTaskLineArrow arrow;
    EXPECT_EQ(1, arrow.m_nLinkType);
    // Each class can be made by name.
    for (const char* name : {"CTaskBase", "CTaskRect", "CTaskPolygon", "CTaskLineArrow"}) {
        CRuntimeClass* pClass = CRuntimeClass::FromName(name);
        ASSERT_NE(nullptr, pClass) << name;
        CObject* pObject = pClass->CreateObject();
        EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTaskBase))) << name;
        delete pObject;
    }
}

TEST_F(TaskShapesTest, SetColorRemakesPenAndBrush)
{
    CTaskRect bar;
    LOGPEN lpBlue;
    ASSERT_NE(0, bar.GetPen()->GetObject(sizeof(lpBlue), &lpBlue));
    EXPECT_EQ(RGB(0, 0, 255), lpBlue.lopnColor);
    bar.SetColor(RGB(255, 0, 0), IDB_GANTT_CRITICAL);
    EXPECT_EQ(0x0000FFu, bar.m_crColor);
    EXPECT_EQ(21036u, bar.m_nBitmapId);
    LOGPEN lp;
    ASSERT_NE(0, bar.GetPen()->GetObject(sizeof(lp), &lp));
    EXPECT_EQ(RGB(255, 0, 0), lp.lopnColor);
    EXPECT_EQ(PS_SOLID, static_cast<int>(lp.lopnStyle));
    LOGBRUSH lb;
    ASSERT_NE(0, bar.GetBrush()->GetObject(sizeof(lb), &lb));
    EXPECT_EQ(RGB(255, 0, 0), lb.lbColor);
    EXPECT_EQ(BS_SOLID, static_cast<int>(lb.lbStyle));
}

TEST_F(TaskShapesTest, BarIsTenPixelsHighAndMilestoneEighteen)
{
    CTaskRect bar;
    bar.SetPoints(36, 37, 126, 37);
    EXPECT_EQ(CRect(36, 37, 126, 47), bar.m_rect);
    EXPECT_EQ(CPoint(36, 37), bar.m_ptFrom);
    EXPECT_EQ(CPoint(126, 37), bar.m_ptTo);
    CTaskRect milestone;
    milestone.SetPoints(36, 37, 36, 37);
    EXPECT_EQ(CRect(36, 37, 36, 55), milestone.m_rect);
    EXPECT_TRUE(milestone.IsMilestone());
}

TEST_F(TaskShapesTest, ProgressStripIsCentredAndRounded)
{
    CTaskItem task;
    task.m_nProgress = 50;
    CTaskRect bar;
    bar.SetPoints(10, 37, 101, 37);  // 91 pixels wide
    bar.SetTask(&task, 0.0);
    EXPECT_EQ(CRect(10, 40, 55, 44), bar.m_rcProgress);  // 91 * 50 / 100 = 45
    // With 18 pixels a day the width goes up to whole days.
    bar.SetTask(&task, 18.0);
    EXPECT_EQ(CRect(10, 40, 64, 44), bar.m_rcProgress);  // 45 -> 54
    // Never past the bar's right end.
    task.m_nProgress = 100;
    bar.SetTask(&task, 18.0);
    EXPECT_EQ(101, bar.m_rcProgress.right);
    bar.SetTask(&task, 0.0);
    EXPECT_EQ(bar.m_rect.right, bar.m_rcProgress.right);
    task.m_nProgress = 250;  // a damaged record
    bar.SetTask(&task, 0.0);
    EXPECT_EQ(101, bar.m_rcProgress.right);
    task.m_nProgress = 2000000000;  // no overflow into a negative width
    bar.SetPoints(10, 37, 10 + 40000000, 37);
    bar.SetTask(&task, 0.0);
    EXPECT_EQ(bar.m_rect.right, bar.m_rcProgress.right);
    bar.SetPoints(10, 37, 101, 37);
    task.m_nProgress = -20;
    bar.SetTask(&task, 0.0);
    EXPECT_EQ(bar.m_rcProgress.left, bar.m_rcProgress.right);
}

TEST_F(TaskShapesTest, HitZonesOfABarWithoutProgress)
{
    CTaskItem task;
    task.m_nProgress = 0;
    CTaskRect bar;
    bar.SetPoints(100, 37, 200, 37);
    bar.SetTask(&task, 0.0);
    const int y = 40;
    for (int x = 97; x <= 102; ++x)
        EXPECT_EQ(TASKHIT_PROGRESS, bar.HitTest(CPoint(x, y))) << x;
    for (int x = 103; x <= 196; ++x)
        ASSERT_EQ(TASKHIT_BODY, bar.HitTest(CPoint(x, y))) << x;
    for (int x = 197; x <= 202; ++x)
        EXPECT_EQ(TASKHIT_RIGHT, bar.HitTest(CPoint(x, y))) << x;
    EXPECT_EQ(TASKHIT_NONE, bar.HitTest(CPoint(96, y)));
    EXPECT_EQ(TASKHIT_NONE, bar.HitTest(CPoint(203, y)));
    // Top inclusive, bottom exclusive.
    EXPECT_EQ(TASKHIT_BODY, bar.HitTest(CPoint(150, 37)));
    EXPECT_EQ(TASKHIT_BODY, bar.HitTest(CPoint(150, 46)));
    EXPECT_EQ(TASKHIT_NONE, bar.HitTest(CPoint(150, 47)));
    EXPECT_EQ(TASKHIT_NONE, bar.HitTest(CPoint(150, 36)));
}

TEST_F(TaskShapesTest, ProgressHandleFollowsTheProgress)
{
    CTaskItem task;
    task.m_nProgress = 50;
    CTaskRect bar;
    bar.SetPoints(100, 37, 200, 37);
    bar.SetTask(&task, 0.0);
    EXPECT_EQ(TASKHIT_PROGRESS, bar.HitTest(CPoint(147, 40)));
    EXPECT_EQ(TASKHIT_PROGRESS, bar.HitTest(CPoint(152, 40)));
    EXPECT_EQ(TASKHIT_BODY, bar.HitTest(CPoint(146, 40)));
    EXPECT_EQ(TASKHIT_BODY, bar.HitTest(CPoint(100, 40)));
}

TEST_F(TaskShapesTest, MilestoneHitsOnlyItsDiamond)
{
    CTaskItem task;
    CTaskRect milestone;
    milestone.SetPoints(100, 37, 100, 37);
    milestone.SetTask(&task, 0.0);
    EXPECT_EQ(1, milestone.HitTest(CPoint(100, 37)));
    EXPECT_EQ(1, milestone.HitTest(CPoint(98, 37)));
    EXPECT_EQ(1, milestone.HitTest(CPoint(100, 34)));
    EXPECT_EQ(0, milestone.HitTest(CPoint(100, 45)));  // inside the 18-pixel rectangle, outside the diamond
    EXPECT_EQ(0, milestone.HitTest(CPoint(106, 37)));
    EXPECT_EQ(0, milestone.HitTest(CPoint(103, 40)));
    for (int x = 90; x < 110; ++x)
        for (int y = 25; y < 60; ++y) {
            const int nZone = milestone.HitTest(CPoint(x, y));
            ASSERT_TRUE(nZone == 0 || nZone == 1) << x << "," << y;
        }
}

TEST_F(TaskShapesTest, OnePixelBarDrawsABarNotADiamond)
{
    CTaskItem task;
    task.m_strName = "T";
    CTaskRect bar;
    bar.SetPoints(50, 37, 51, 37);
    bar.SetTask(&task, 0.0);
    EXPECT_FALSE(bar.IsMilestone());
    CRecordingDC dc(300, 100);
    bar.Draw(&dc, FALSE);
    EXPECT_TRUE(dc.Recorder().OfKind(AfxDrawKind::Polygon).empty());
    const auto rects = dc.Recorder().OfKind(AfxDrawKind::Rectangle);
    ASSERT_EQ(2u, rects.size());
    EXPECT_EQ(CRect(50, 37, 51, 47), rects[0]->rect);
    EXPECT_EQ(RGB(0, 0, 255), rects[0]->penColor);
    EXPECT_EQ(RGB(0, 0, 255), rects[1]->brushColor);
}

TEST_F(TaskShapesTest, MilestoneDrawsABlackDiamond)
{
    CTaskItem task;
    task.m_strName = "M";
    CTaskRect milestone;
    milestone.SetPoints(50, 37, 50, 37);
    milestone.SetTask(&task, 0.0);
    CRecordingDC dc(300, 100);
    milestone.Draw(&dc, FALSE);
    const auto polys = dc.Recorder().OfKind(AfxDrawKind::Polygon);
    ASSERT_EQ(1u, polys.size());
    EXPECT_EQ((std::vector<CPoint>{{45, 37}, {50, 32}, {55, 37}, {50, 42}}), polys[0]->points);
    EXPECT_EQ(RGB(0, 0, 0), polys[0]->penColor);
    EXPECT_EQ(RGB(0, 0, 0), polys[0]->brushColor);
    EXPECT_TRUE(dc.Recorder().OfKind(AfxDrawKind::Rectangle).empty());
}

TEST_F(TaskShapesTest, BarDrawsChequeredBodyAndLabel)
{
    CTaskItem task;
    task.m_strName = "Design";
    task.m_nProgress = 40;
    CTaskRect bar;
    LOGPEN lpBlue;
    ASSERT_NE(0, bar.GetPen()->GetObject(sizeof(lpBlue), &lpBlue));
    EXPECT_EQ(RGB(0, 0, 255), lpBlue.lopnColor);
    bar.SetColor(RGB(255, 0, 0), IDB_GANTT_CRITICAL);
    bar.SetPoints(20, 37, 120, 37);
    bar.SetTask(&task, 0.0);
    CRecordingDC dc(300, 100);
    bar.Draw(&dc, FALSE);
    const AfxDrawOp* pText = dc.Recorder().FindText("Design");
    ASSERT_NE(nullptr, pText);
    EXPECT_EQ(CPoint(121, 37), pText->points.at(0));
    EXPECT_EQ(TRANSPARENT, pText->bkMode);
    EXPECT_EQ(12, pText->font.lfHeight);
    EXPECT_EQ(40, pText->font.lfWeight);
    EXPECT_EQ(GB2312_CHARSET, pText->font.lfCharSet);
    // Printing keeps the context's font.
    CRecordingDC dcPrint(300, 100);
    bar.Draw(&dcPrint, TRUE);
    const AfxDrawOp* pPrinted = dcPrint.Recorder().FindText("Design");
    ASSERT_NE(nullptr, pPrinted);
    EXPECT_NE(40, pPrinted->font.lfWeight);
    const auto rects = dc.Recorder().OfKind(AfxDrawKind::Rectangle);
    ASSERT_EQ(2u, rects.size());
    EXPECT_EQ(BS_PATTERN, rects[0]->brushStyle);
    EXPECT_EQ(CRect(20, 40, 60, 44), rects[1]->rect);
    // Above the strip the pattern: red and white pixels alternating along rows and columns.
    const COLORREF a = dc.GetPixel(64, 38), b = dc.GetPixel(65, 38), c = dc.GetPixel(64, 39);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == RGB(255, 0, 0) && b == RGB(255, 255, 255)) || (a == RGB(255, 255, 255) && b == RGB(255, 0, 0)));
    EXPECT_EQ(dc.GetPixel(65, 39), a);
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(30, 41));  // the solid strip
    EXPECT_EQ(c, b);
}

TEST_F(TaskShapesTest, BarPatternsAreEightByEightCheckerboards)
{
    for (UINT id : {21003u, 21036u}) {
        CBitmap bmp;
        ASSERT_TRUE(bmp.LoadBitmap(id)) << id;
        BITMAP bm;
        ASSERT_NE(0, bmp.GetObject(sizeof(bm), &bm));
        EXPECT_EQ(8, bm.bmWidth);
        EXPECT_EQ(8, bm.bmHeight);
        EXPECT_EQ(4, bm.bmBitsPixel);
        CRecordingDC dc(8, 8);
        CDC dcBmp;
        dcBmp.CreateCompatibleDC(&dc);
        CBitmap* pOld = dcBmp.SelectObject(&bmp);
        const COLORREF crBar = id == 21003u ? RGB(0, 0, 255) : RGB(255, 0, 0);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                EXPECT_EQ(((x + y) % 2 == 0) ? crBar : RGB(255, 255, 255), dcBmp.GetPixel(x, y))
                    << id << " " << x << "," << y;
        dcBmp.SelectObject(pOld);
    }
}

TEST_F(TaskShapesTest, SummaryOutlineAndRegion)
{
    CTaskPolygon poly;
    poly.SetPoints(100, 57, 300, 57);
    const CPoint expected[8] = {{95, 57}, {305, 57}, {305, 62}, {300, 67}, {295, 62}, {105, 62}, {100, 67}, {95, 62}};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(expected[i], poly.m_points[i]) << i;
    EXPECT_EQ(CRect(95, 57, 305, 62), poly.m_rect);
    EXPECT_EQ(1, poly.HitTest(CPoint(200, 59)));
    EXPECT_EQ(1, poly.HitTest(CPoint(100, 64)));   // in the left foot
    EXPECT_EQ(0, poly.HitTest(CPoint(200, 64)));   // under the flat bar, between the feet
    EXPECT_EQ(0, poly.HitTest(CPoint(200, 50)));
    CRecordingDC dc(400, 100);
    poly.Draw(&dc, FALSE);
    const auto polys = dc.Recorder().OfKind(AfxDrawKind::Polygon);
    ASSERT_EQ(1u, polys.size());
    EXPECT_EQ(8u, polys[0]->points.size());
    EXPECT_EQ(RGB(0, 0, 0), polys[0]->brushColor);
}

TEST_F(TaskShapesTest, FinishToStartRoutes)
{
    // Same row: straight to the right.
    CTaskLineArrow a; Place(a, 1, 100, 42, 150, 42);
    std::vector<CPoint> head;
    EXPECT_EQ((std::vector<CPoint>{{100, 42}, {150, 42}}), Route(a, &head));
    EXPECT_EQ((std::vector<CPoint>{{150, 42}, {145, 37}, {145, 47}}), head);
    // Down to the successor's top.
    CTaskLineArrow b; Place(b, 1, 100, 42, 150, 77);
    EXPECT_EQ((std::vector<CPoint>{{100, 42}, {150, 42}, {150, 77}}), Route(b, &head));
    EXPECT_EQ((std::vector<CPoint>{{150, 77}, {145, 72}, {155, 72}}), head);
    // Up to the successor's bottom edge.
    CTaskLineArrow c; Place(c, 1, 100, 82, 150, 47);
    EXPECT_EQ((std::vector<CPoint>{{100, 82}, {150, 82}, {150, 47}}), Route(c, &head));
    EXPECT_EQ((std::vector<CPoint>{{150, 47}, {145, 52}, {155, 52}}), head);
    // Same x: the end moves 5 pixels right.
    CTaskLineArrow d; Place(d, 1, 100, 42, 100, 77);
    EXPECT_EQ(CPoint(105, 77), d.m_ptTo);
}

TEST_F(TaskShapesTest, FinishToStartDetourWhenTheSuccessorStartsEarlier)
{
    // Going down more than 10 pixels: across half-way, into the side 5 below the end point.
    CTaskLineArrow down; Place(down, 1, 200, 42, 100, 77);
    std::vector<CPoint> head;
    const int m = (42 + 77 + 10) / 2;
    EXPECT_EQ((std::vector<CPoint>{{200, 42}, {220, 42}, {220, m}, {80, m}, {80, 82}, {100, 82}}), Route(down, &head));
    EXPECT_EQ((std::vector<CPoint>{{100, 82}, {95, 77}, {95, 87}}), head);
    // Going down 10 or less.
    CTaskLineArrow closeBelow; Place(closeBelow, 1, 200, 42, 100, 52);
    EXPECT_EQ((42 + 52 + 5) / 2, Route(closeBelow)[2].y);
    // Going up: 5 above the end point.
    CTaskLineArrow up; Place(up, 1, 200, 82, 100, 47);
    const int mu = (82 + 47 - 10) / 2;
    EXPECT_EQ((std::vector<CPoint>{{200, 82}, {220, 82}, {220, mu}, {80, mu}, {80, 42}, {100, 42}}), Route(up));
    CTaskLineArrow upNear; Place(upNear, 1, 200, 52, 100, 47);
    EXPECT_EQ((52 + 47 - 5) / 2, Route(upNear)[2].y);
}

TEST_F(TaskShapesTest, OtherLinkTypeRoutes)
{
    std::vector<CPoint> head;
    // Finish-to-finish.
    CTaskLineArrow ff1; Place(ff1, 2, 200, 42, 100, 82);
    EXPECT_EQ((std::vector<CPoint>{{200, 42}, {220, 42}, {220, 82}, {100, 82}}), Route(ff1, &head));
    EXPECT_EQ((std::vector<CPoint>{{100, 82}, {105, 77}, {105, 87}}), head);
    CTaskLineArrow ff2; Place(ff2, 2, 100, 42, 200, 82);
    EXPECT_EQ((std::vector<CPoint>{{100, 42}, {220, 42}, {220, 82}, {200, 82}}), Route(ff2));
    // Start-to-finish.
    CTaskLineArrow sf1; Place(sf1, 3, 100, 42, 200, 82);
    const int m = (42 + 82 + 7) / 2;
    EXPECT_EQ((std::vector<CPoint>{{100, 42}, {80, 42}, {80, m}, {220, m}, {220, 82}, {200, 82}}), Route(sf1, &head));
    EXPECT_EQ((std::vector<CPoint>{{200, 82}, {205, 77}, {205, 87}}), head);
    CTaskLineArrow sfNear; Place(sfNear, 3, 100, 42, 200, 47);
    EXPECT_EQ((42 + 47) / 2, Route(sfNear)[2].y);
    CTaskLineArrow sf2; Place(sf2, 3, 200, 42, 100, 82);
    EXPECT_EQ((std::vector<CPoint>{{200, 42}, {180, 42}, {180, 82}, {100, 82}}), Route(sf2));
    // Start-to-start.
    CTaskLineArrow ss1; Place(ss1, 4, 100, 42, 200, 82);
    EXPECT_EQ((std::vector<CPoint>{{100, 42}, {80, 42}, {80, 82}, {200, 82}}), Route(ss1, &head));
    EXPECT_EQ((std::vector<CPoint>{{200, 82}, {195, 77}, {195, 87}}), head);
    CTaskLineArrow ss2; Place(ss2, 4, 200, 42, 100, 82);
    EXPECT_EQ((std::vector<CPoint>{{200, 42}, {80, 42}, {80, 82}, {100, 82}}), Route(ss2));
}

TEST_F(TaskShapesTest, ArrowDrawsLinesAndAFilledHead)
{
    CTaskLineArrow arrow; Place(arrow, 1, 100, 42, 150, 77);
    arrow.SetColor(RGB(255, 0, 0), 0);
    CRecordingDC dc(300, 100);
    arrow.Draw(&dc, FALSE);
    const auto lines = dc.Recorder().OfKind(AfxDrawKind::Polyline);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ((std::vector<CPoint>{{100, 42}, {150, 42}}), lines[0]->points);
    EXPECT_EQ((std::vector<CPoint>{{150, 42}, {150, 77}}), lines[1]->points);
    EXPECT_EQ(RGB(255, 0, 0), lines[0]->penColor);
    const auto regions = dc.Recorder().OfKind(AfxDrawKind::Region);
    ASSERT_EQ(1u, regions.size());
    EXPECT_EQ(RGB(255, 0, 0), regions[0]->brushColor);
    EXPECT_EQ(0, arrow.HitTest(CPoint(120, 42)));
}

TEST_F(TaskShapesTest, LinkOfAnUnknownTypeDrawsNothing)
{
    for (int nType : {0, 5, -1}) {
        CTaskLineArrow arrow; Place(arrow, nType, 100, 42, 150, 77);
        CRecordingDC dc(300, 100);
        arrow.Draw(&dc, FALSE);
        EXPECT_TRUE(dc.Ops().empty()) << nType;
    }
}
