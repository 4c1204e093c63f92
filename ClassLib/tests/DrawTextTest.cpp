// DrawText's formatting flags, checked by geometry derived from the font's own metrics
// (never by fixed pixel widths of glyphs).
#include "WndTestUtil.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <QGuiApplication>
#include <QPainter>

#include <cstring>

namespace {

class DrawTextFlags : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        LOGFONT lf{};
        lf.lfHeight = -12;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = GB2312_CHARSET;
        std::strcpy(lf.lfFaceName, "\xCB\xCE\xCC\xE5");  // 宋体
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.GetTextMetrics(&tm);
    }
    CRecordingDC dc{400, 300};
    CFont font;
    TEXTMETRIC tm{};

    const AfxDrawOp& LastText()
    {
        auto texts = dc.Recorder().Texts();
        EXPECT_FALSE(texts.empty());
        static AfxDrawOp none;
        return texts.empty() ? none : *texts.back();
    }
};

TEST_F(DrawTextFlags, TheChineseFontHasTheCharacterCellAsTallAsItsHeight)
{
    EXPECT_EQ(tm.tmHeight, 12);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, 12);
    EXPECT_EQ(tm.tmInternalLeading, 0);
    EXPECT_EQ(tm.tmCharSet, GB2312_CHARSET);
    // A Chinese character is a full em wide; an ASCII letter narrower.
    CSize han = dc.GetTextExtent(CStringFromUtf8(u8"中"));
    CSize a = dc.GetTextExtent("a", 1);
    EXPECT_EQ(han.cy, 12);
    EXPECT_EQ(han.cx, 12);
    EXPECT_GT(a.cx, 0);
    EXPECT_LT(a.cx, han.cx);
}

TEST_F(DrawTextFlags, TheSongFacesPixelDrawnSizesOnlyWhereTheScreenHasThemAsPixels)
{
    // At scale 1 the 12-pixel characters are the face's own pixel drawings, drawn without
    // smoothing; at scale 2 they are drawn 24 image pixels high, where the face has none, so
    // from its outlines and smoothed like every other text (labels, fields and views alike).
    const QFont f = AfxQFontOf(static_cast<HFONT>(font.GetSafeHandle()));
    const bool scaled = qGuiApp->devicePixelRatio() > 1.0;
    EXPECT_EQ((f.styleStrategy() & QFont::NoAntialias) != 0, !scaled);
    LOGFONT large{};
    font.GetLogFont(&large);
    large.lfHeight = -24;
    CFont f24;
    f24.CreateFontIndirect(&large);
    EXPECT_EQ(AfxQFontOf(static_cast<HFONT>(f24.GetSafeHandle())).styleStrategy() & QFont::NoAntialias, 0);
}

TEST_F(DrawTextFlags, CalcRectOfOneLineIsTheTextExtentAndDrawsNothing)
{
    CString s = CStringFromUtf8(u8"任务名称 Task");
    CRect r(10, 20, 300, 200);
    int h = dc.DrawText(s, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    CSize ext = dc.GetTextExtent(s);
    EXPECT_EQ(h, tm.tmHeight);
    EXPECT_EQ(r, CRect(10, 20, 10 + ext.cx, 20 + tm.tmHeight));
    EXPECT_TRUE(dc.Recorder().Texts().empty());
    CRect e(5, 5, 5, 5);
    EXPECT_EQ(dc.DrawText("", -1, &e, DT_CALCRECT | DT_SINGLELINE), tm.tmHeight);
    EXPECT_EQ(e.Width(), 0);
}

TEST_F(DrawTextFlags, WordBreakWrapsAtBlanksAndBetweenChineseCharacters)
{
    CString words("alpha beta gamma");
    int wBeta = dc.GetTextExtent("alpha beta", 10).cx;
    CRect r(0, 0, wBeta, 100);  // "alpha beta" fits exactly, "gamma" must wrap
    CRect calc = r;
    int h = dc.DrawText(words, &calc, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(h, 2 * tm.tmHeight);
    EXPECT_EQ(calc.Height(), 2 * tm.tmHeight);
    EXPECT_EQ(calc.Width(), wBeta);  // the widest line
    dc.DrawText(words, &r, DT_WORDBREAK);
    const AfxDrawOp& op = LastText();
    ASSERT_EQ(op.lines.size(), 2u);
    EXPECT_EQ(op.lines[0].text, CString("alpha beta"));
    EXPECT_EQ(op.lines[1].text, CString("gamma"));
    EXPECT_EQ(op.lines[1].rect.top, tm.tmHeight);

    // Ten Chinese characters in a box four and a half characters wide: 4 + 4 + 2.
    CString han = CStringFromUtf8(u8"一二三四五六七八九十");
    int em = dc.GetTextExtent(CStringFromUtf8(u8"一")).cx;
    CRect box(0, 0, em * 9 / 2, 200);
    dc.DrawText(han, &box, DT_WORDBREAK | DT_NOPREFIX);
    const AfxDrawOp& op2 = LastText();
    ASSERT_EQ(op2.lines.size(), 3u);
    EXPECT_EQ(op2.lines[0].text, CStringFromUtf8(u8"一二三四"));
    EXPECT_EQ(op2.lines[1].text, CStringFromUtf8(u8"五六七八"));
    EXPECT_EQ(op2.lines[2].text, CStringFromUtf8(u8"九十"));
    // A word wider than the box is not split; CALCRECT widens to it.
    CString longWord("Supercalifragilistic");
    CRect narrow(0, 0, 20, 100);
    dc.DrawText(longWord, &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(narrow.Width(), dc.GetTextExtent(longWord).cx);
    EXPECT_EQ(narrow.Height(), tm.tmHeight);
}

TEST_F(DrawTextFlags, EndEllipsisShortensTextThatDoesNotFit)
{
    CString s = CStringFromUtf8(u8"这是一个很长的任务名称");
    int width = dc.GetTextExtent(CStringFromUtf8(u8"这是一个")).cx + 2;
    CRect r(0, 0, width, 20);
    dc.DrawText(s, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    const AfxDrawOp& op = LastText();
    ASSERT_EQ(op.lines.size(), 1u);
    CString shown = op.lines[0].text;
    EXPECT_EQ(shown.Right(3), CString("..."));
    EXPECT_LE(dc.GetTextExtent(shown).cx, width);
    // One more character would not have fitted.
    CString prefix = shown.Left(shown.GetLength() - 3);
    CString longer = s.Left(prefix.GetLength() + 2) + "...";
    EXPECT_GT(dc.GetTextExtent(longer).cx, width);
    EXPECT_EQ(op.text, s);  // the caller's text is untouched
    // A text that fits is shown whole.
    CRect wide(0, 0, 400, 20);
    dc.DrawText(s, &wide, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    EXPECT_EQ(LastText().lines[0].text, s);
}

TEST_F(DrawTextFlags, ModifyStringWritesTheShortenedTextWithinTheBuffer)
{
    char buf[32];
    std::strcpy(buf, "abcdefghijklmnopqrstuvwxyz");
    int width = dc.GetTextExtent("abcdef...", 9).cx;
    CRect r(0, 0, width, 20);
    dc.DrawText(buf, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_STREQ(buf, "abcdef...");
    EXPECT_LE((int)std::strlen(buf), 26);
}

TEST_F(DrawTextFlags, AlignmentAndVerticalCentring)
{
    CString s("Grid");
    int w = dc.GetTextExtent(s).cx;
    CRect r(10, 10, 110, 51);
    int h = dc.DrawText(s, &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    const AfxDrawOp& op = LastText();
    ASSERT_EQ(op.lines.size(), 1u);
    int top = 10 + (41 - tm.tmHeight) / 2;
    EXPECT_EQ(op.lines[0].rect, CRect(10 + (100 - w) / 2, top, 10 + (100 - w) / 2 + w, top + tm.tmHeight));
    EXPECT_EQ(h, top - 10 + tm.tmHeight);  // from the top of the box to the bottom of the text
    dc.DrawText(s, &r, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
    EXPECT_EQ(LastText().lines[0].rect, CRect(110 - w, 51 - tm.tmHeight, 110, 51));
    // Without DT_SINGLELINE, DT_VCENTER does nothing.
    dc.DrawText(s, &r, DT_VCENTER);
    EXPECT_EQ(LastText().lines[0].rect.top, 10);
}

TEST_F(DrawTextFlags, PrefixCharactersUnlessNoPrefix)
{
    CRect r(0, 0, 200, 20);
    dc.DrawText("&File && Edit", -1, &r, DT_SINGLELINE);
    EXPECT_EQ(LastText().lines[0].text, CString("File & Edit"));
    EXPECT_EQ(LastText().text, CString("&File && Edit"));
    dc.DrawText("&File && Edit", -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(LastText().lines[0].text, CString("&File && Edit"));
}

TEST_F(DrawTextFlags, NewlinesBreakLinesUnlessSingleLine)
{
    CRect r(0, 0, 200, 100);
    int h = dc.DrawText("one\r\ntwo\nthree", -1, &r, 0);
    EXPECT_EQ(h, 3 * tm.tmHeight);
    ASSERT_EQ(LastText().lines.size(), 3u);
    EXPECT_EQ(LastText().lines[2].text, CString("three"));
    EXPECT_EQ(dc.DrawText("one\ntwo", -1, &r, DT_SINGLELINE), tm.tmHeight);
    EXPECT_EQ(LastText().lines[0].text, CString("onetwo"));
}

TEST_F(DrawTextFlags, ClippingToTheRectangleUnlessNoClip)
{
    // Ink right of the box appears only with DT_NOCLIP.
    auto inkRightOf = [&](int x0) {
        QImage img = AfxImageOfBitmap(dc.GetBitmapHandle());
        for (int y = 0; y < 40; ++y)
            for (int x = x0; x < 200; ++x)
                if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    return true;
        return false;
    };
    dc.SetBkMode(TRANSPARENT);
    CRect r(0, 0, 20, 40);
    dc.DrawText("WWWWWWWW", -1, &r, DT_SINGLELINE);
    EXPECT_FALSE(inkRightOf(20));
    dc.DrawText("WWWWWWWW", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_TRUE(inkRightOf(20));
}

TEST_F(DrawTextFlags, TextOutAlignmentAndOpaqueBackground)
{
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(0, 0, 255));
    dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    dc.TextOut(100, 50, "abc", 3);
    const AfxDrawOp& op = LastText();
    CSize ext = dc.GetTextExtent("abc", 3);
    EXPECT_EQ(op.rect, CRect(100 - ext.cx, 50 - ext.cy, 100, 50));
    EXPECT_EQ(op.bkColor, RGB(0, 0, 255));
    // The opaque box is there, left of the reference point and above it.
    EXPECT_EQ(dc.GetPixel(100 - ext.cx, 50 - ext.cy), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(100, 50), RGB(255, 255, 255));
    dc.SetTextAlign(TA_LEFT | TA_TOP | TA_UPDATECP);
    dc.MoveTo(5, 5);
    dc.TextOut(0, 0, "ab", 2);
    EXPECT_EQ(dc.GetCurrentPosition().x, 5 + dc.GetTextExtent("ab", 2).cx);
}

}  // namespace

namespace {

// Texts drawn again come from the glyphs kept from the first drawing: the same pixels as the
// toolkit's own text drawing, for Latin, Chinese, mixed texts and fallback faces.
TEST_F(DrawTextFlags, TextsDrawnAgainFromKeptGlyphsHaveTheToolkitsPixels)
{
    const char* texts[] = {u8"Task 12 (a,b) 2026-12-09", u8"中文任务名称", u8"工期 3个工作日 fj", u8"（进度）、完成。 50% ±"};
    QImage expected(400, 300, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter p(&expected);
        p.setFont(AfxQFontOf(static_cast<HFONT>(font.GetSafeHandle())));
        p.setPen(Qt::black);
        for (int i = 0; i < 4; ++i)
            p.drawText(QPointF(3, 20 + 30 * i + tm.tmAscent), QString::fromUtf8(texts[i]));
    }
    dc.SetBkMode(TRANSPARENT);
    for (int pass = 0; pass < 2; ++pass) {
        dc.FillSolidRect(0, 0, 400, 300, RGB(255, 255, 255));
        for (int i = 0; i < 4; ++i) {
            CString s = CStringFromUtf8(texts[i]);
            dc.TextOut(3, 20 + 30 * i, s, s.GetLength());
        }
        QImage img = AfxImageOfBitmap(dc.GetBitmapHandle()).convertToFormat(QImage::Format_RGB32);
        int differing = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                differing += (img.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF);
        EXPECT_EQ(differing, 0) << "pass " << pass;
    }
}

}  // namespace
