// The test hooks themselves: scripted message boxes, the recording context, screenshots.
#include "WndTestUtil.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <gtest/gtest-spi.h>

#include <QFileInfo>
#include <QImage>

namespace {

class TestHooks : public CWndTestBase
{
};

TEST_F(TestHooks, ScriptedMessageBoxesRecordTextCaptionAndFlags)
{
    CTestMessageBoxes boxes;
    boxes.AnswerUtf8(u8"删除", IDYES);
    boxes.Answer(IDCANCEL);
    AfxSetAppTitle("App");
    EXPECT_EQ(AfxMessageBox(CStringFromUtf8(u8"是否删除子任务?"), MB_YESNO | MB_ICONQUESTION), IDYES);
    CWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd));
    EXPECT_EQ(wnd.MessageBox(CStringFromUtf8(u8"两个任务间不能重复连接!"), CStringFromUtf8(u8"提示"),
                             MB_OKCANCEL | MB_ICONINFORMATION),
              IDCANCEL);
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Boxes()[0].caption, CString("App"));
    EXPECT_EQ(boxes.Boxes()[0].type, (UINT)(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(boxes.Boxes()[1].text, CStringFromUtf8(u8"两个任务间不能重复连接!"));
    EXPECT_EQ(boxes.Boxes()[1].caption, CStringFromUtf8(u8"提示"));
    EXPECT_TRUE(boxes.Boxes()[1].scripted);
    EXPECT_EQ(boxes.Pending(), 0u);
    AfxSetAppTitle("");
}

TEST_F(TestHooks, AnUnscriptedMessageBoxFailsTheTestAndGetsTheSafeAnswer)
{
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = AfxMessageBox("Save changes?", MB_YESNOCANCEL), "unscripted message box");
    EXPECT_EQ(answer, IDCANCEL);
    {
        CTestMessageBoxes boxes;
        EXPECT_NONFATAL_FAILURE(answer = AfxMessageBox("Really?", MB_YESNO), "unscripted message box");
        EXPECT_EQ(answer, IDNO);
        boxes.AnswerText("other text", IDOK);
        EXPECT_NONFATAL_FAILURE(answer = AfxMessageBox("Retry?", MB_RETRYCANCEL), "does not contain");
        EXPECT_EQ(answer, IDCANCEL);
        EXPECT_EQ(boxes.Count(), 2);
        EXPECT_FALSE(boxes.Boxes()[1].scripted);
    }
}

TEST_F(TestHooks, LeftoverScriptedAnswersAreReported)
{
    EXPECT_NONFATAL_FAILURE(
        {
            CTestMessageBoxes boxes;
            boxes.Answer(IDOK);
        },
        "never used");
}

TEST_F(TestHooks, TheRecorderAttributesMemoryContextsToTheirWindow)
{
    CWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 120, 80));
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, "o", WS_POPUP | WS_VISIBLE, 600, 0, 50, 50, nullptr, nullptr));
    CDrawRecorder rec(&wnd);
    {
        CClientDC dc(&wnd);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap b;
        b.CreateCompatibleBitmap(&dc, 20, 20);
        CBitmap* old = mem.SelectObject(&b);
        mem.FillSolidRect(1, 2, 3, 4, RGB(5, 6, 7));
        dc.BitBlt(0, 0, 20, 20, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
        CClientDC odc(&other);
        odc.FillSolidRect(0, 0, 5, 5, RGB(1, 1, 1));
    }
    ASSERT_EQ(rec.Ops().size(), 2u);
    EXPECT_EQ(rec.Ops()[0].kind, AfxDrawKind::FillRect);
    EXPECT_STREQ(rec.Ops()[0].api, "FillSolidRect");
    EXPECT_EQ(rec.Ops()[0].rect, CRect(1, 2, 4, 6));
    EXPECT_EQ(rec.Ops()[0].color, RGB(5, 6, 7));
    EXPECT_EQ(rec.Ops()[1].kind, AfxDrawKind::Blt);
    EXPECT_EQ(rec.Ops()[1].flags, (UINT)SRCCOPY);
    // Nested calls are recorded once: Draw3dRect is one operation, not four fills.
    rec.Clear();
    CClientDC dc(&wnd);
    dc.Draw3dRect(0, 0, 10, 10, RGB(255, 255, 255), RGB(0, 0, 0));
    ASSERT_EQ(rec.Ops().size(), 1u);
    EXPECT_EQ(rec.Ops()[0].kind, AfxDrawKind::Draw3dRect);
    EXPECT_EQ(rec.Ops()[0].color2, RGB(0, 0, 0));
}

TEST_F(TestHooks, ShapesAndLinesAreRecordedWithPenAndBrush)
{
    CRecordingDC dc(100, 100);
    CPen pen(PS_SOLID, 2, RGB(0, 0, 255));
    CBrush brush(RGB(255, 0, 0));
    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
    POINT pts[3] = {{1, 1}, {20, 1}, {10, 15}};
    dc.Polygon(pts, 3);
    dc.MoveTo(5, 5);
    dc.LineTo(50, 60);
    dc.Rectangle(10, 20, 30, 40);
    auto polys = dc.Recorder().OfKind(AfxDrawKind::Polygon);
    ASSERT_EQ(polys.size(), 1u);
    EXPECT_EQ(polys[0]->points.size(), 3u);
    EXPECT_EQ(polys[0]->points[2], CPoint(10, 15));
    EXPECT_EQ(polys[0]->penColor, RGB(0, 0, 255));
    EXPECT_EQ(polys[0]->penWidth, 2);
    EXPECT_EQ(polys[0]->brushColor, RGB(255, 0, 0));
    auto lines = dc.Recorder().OfKind(AfxDrawKind::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->points, (std::vector<CPoint>{CPoint(5, 5), CPoint(50, 60)}));
    auto rects = dc.Recorder().OfKind(AfxDrawKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0]->rect, CRect(10, 20, 30, 40));
}

TEST_F(TestHooks, ScreenshotsAreWrittenAsPng)
{
    CWnd wnd;
    ASSERT_TRUE(CreateTopFrame(wnd, 64, 32));
    AfxPumpMessages();  // the first paint erases the window; draw after it
    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(0, 0, 64, 32, RGB(0, 255, 0));
    }
    CString path = AfxTestOutputPath("hooks-grab.png");
    ASSERT_TRUE(AfxTestGrabWindow(&wnd, path));
    QImage img(QString::fromLocal8Bit((LPCTSTR)path));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 64);
    EXPECT_EQ(img.height(), 32);
    EXPECT_EQ(img.pixel(10, 10) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(TestHooks, ImageListsFromBitmapResourcesWithAMaskColour)
{
    // Two 4 x 2 images; magenta is the mask colour.
    static const char* const rows[] = {"MRRMBBMM", "RRRRBBBB"};
    static const AFX_PALETTE_CHAR pal[] = {{'M', RGB(255, 0, 255)}, {'R', RGB(255, 0, 0)}, {'B', RGB(0, 0, 255)}};
    static const AFX_BITMAP_RESOURCE pic = AFX_PICTURE(8, 2, rows, pal);
    HINSTANCE mod = AfxRegisterModule("ImageListTestModule");
    AfxRegisterBitmap(mod, 20017, &pic);
    CImageList list;
    ASSERT_TRUE(list.Create(20017, 4, 1, RGB(255, 0, 255)));
    EXPECT_EQ(list.GetImageCount(), 2);
    IMAGEINFO info{};
    ASSERT_TRUE(list.GetImageInfo(1, &info));
    EXPECT_EQ(CRect(info.rcImage), CRect(4, 0, 8, 2));
    EXPECT_FALSE(list.GetImageInfo(2, &info));
    CImageList missing;
    EXPECT_FALSE(missing.Create(99999, 4, 1, RGB(255, 0, 255)));

    CRecordingDC dc(20, 10);
    dc.FillSolidRect(0, 0, 20, 10, RGB(0, 255, 0));
    list.Draw(&dc, 0, CPoint(1, 1), ILD_NORMAL);
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 255, 0));  // masked: the background shows
    EXPECT_EQ(dc.GetPixel(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(1, 2), RGB(255, 0, 0));
    list.SetBkColor(RGB(0, 0, 0));
    list.Draw(&dc, 1, CPoint(10, 1), ILD_NORMAL);
    EXPECT_EQ(dc.GetPixel(12, 1), RGB(0, 0, 0));  // ILD_NORMAL fills the mask with the background colour
    list.Draw(&dc, 1, CPoint(10, 5), ILD_TRANSPARENT);
    EXPECT_EQ(dc.GetPixel(12, 5), RGB(0, 255, 0));
    auto images = dc.Recorder().OfKind(AfxDrawKind::Image);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[1]->image, 1);
    EXPECT_EQ(images[1]->rect, CRect(10, 1, 14, 3));
    HICON icon = list.ExtractIcon(0);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(AfxImageOfIcon(icon).size(), QSize(4, 2));
    DestroyIcon(icon);
    CBitmap loaded;
    ASSERT_TRUE(loaded.LoadBitmap(20017));
    BITMAP bm;
    loaded.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 8);
    EXPECT_EQ(bm.bmBitsPixel, 4);
}

}  // namespace
