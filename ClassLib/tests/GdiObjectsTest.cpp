// Drawing objects, fonts, system values and the GDI handle functions.
#include "WndTestUtil.h"

#include <ClassLib/Core/Conversion.h>

#include <cstring>

namespace {

class GdiObjects : public CWndTestBase
{
};

TEST_F(GdiObjects, ObjectsDescribeThemselves)
{
    CPen pen(PS_DASH, 3, RGB(1, 2, 3));
    LOGPEN lp{};
    ASSERT_EQ(pen.GetLogPen(&lp), (int)sizeof(LOGPEN));
    EXPECT_EQ(lp.lopnStyle, (UINT)PS_DASH);
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    CBrush hatch(HS_DIAGCROSS, RGB(4, 5, 6));
    LOGBRUSH lb{};
    hatch.GetLogBrush(&lb);
    EXPECT_EQ(lb.lbStyle, (UINT)BS_HATCHED);
    EXPECT_EQ(lb.lbHatch, (ULONG_PTR)HS_DIAGCROSS);
    EXPECT_EQ(lb.lbColor, RGB(4, 5, 6));
    LOGFONT in{};
    in.lfHeight = -15;
    in.lfWeight = FW_BOLD;
    in.lfCharSet = GB2312_CHARSET;
    std::strcpy(in.lfFaceName, "\xBA\xDA\xCC\xE5");  // 黑体
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&in));
    LOGFONT out{};
    ASSERT_EQ(font.GetLogFont(&out), (int)sizeof(LOGFONT));
    EXPECT_EQ(std::memcmp(&in, &out, sizeof(LOGFONT)), 0);
    EXPECT_EQ(sizeof(LOGFONT), 60u);
    EXPECT_EQ(font.GetObjectType(), (UINT)OBJ_FONT);
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(10, 7, 1, 32, nullptr));
    BITMAP bm{};
    bmp.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 10);
    EXPECT_EQ(bm.bmHeight, 7);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmWidthBytes, 40);
    EXPECT_FALSE(bmp.CreateBitmap(1, 1, 1, 32, nullptr));  // already has a handle
    CBitmap huge;
    EXPECT_FALSE(huge.CreateBitmap(100000, 100000, 1, 32, nullptr));
    EXPECT_EQ(huge.GetSafeHandle(), nullptr);
}

TEST_F(GdiObjects, NullObjectsAndStockObjectsAreSafe)
{
    // Pointers that may be NULL are asked through the static forms.
    CPen* none = nullptr;
    EXPECT_EQ(CGdiObject::GetSafeHandle(none), nullptr);
    CWnd* noWnd = nullptr;
    EXPECT_EQ(CWnd::GetSafeHwnd(noWnd), nullptr);
    CDC* noDC = nullptr;
    EXPECT_EQ(CDC::GetSafeHdc(noDC), nullptr);
    CImageList* noList = nullptr;
    EXPECT_EQ(CImageList::GetSafeHandle(noList), nullptr);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    EXPECT_EQ(CGdiObject::GetSafeHandle(&red), red.m_hObject);
    EXPECT_NE(red.GetSafeHandle(), nullptr);
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    EXPECT_TRUE(DeleteObject(white));  // accepted but ignored
    EXPECT_EQ(GetObjectType(white), (DWORD)OBJ_BRUSH);
    {
        CBrush wrapper;
        wrapper.CreateStockObject(BLACK_BRUSH);
    }  // deleting the wrapper leaves the stock brush
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), (DWORD)OBJ_BRUSH);
    CGdiObject* temp = CGdiObject::FromHandle(GetStockObject(BLACK_PEN));
    ASSERT_NE(temp, nullptr);
    EXPECT_TRUE(temp->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_EQ(CGdiObject::FromHandle(GetStockObject(BLACK_PEN)), temp);  // the same temporary
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x12345)));
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), GetSysColorBrush(COLOR_BTNFACE));
    LOGBRUSH lb{};
    GetObject(GetSysColorBrush(COLOR_BTNFACE), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbColor, RGB(212, 208, 200));
}

TEST_F(GdiObjects, ChineseFontsKeepTheCellMetricsTheTextsWereLaidOutWith)
{
    CRecordingDC dc(100, 100);
    auto metrics = [&](LONG height, const char* face, BYTE charset) {
        LOGFONT lf{};
        lf.lfHeight = height;
        lf.lfCharSet = charset;
        lf.lfWeight = 40;  // as the chart's font asks: no weight of its own
        std::strcpy(lf.lfFaceName, face);
        CFont f;
        f.CreateFontIndirect(&lf);
        CFont* old = dc.SelectObject(&f);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        CString faceName;
        dc.GetTextFace(faceName);
        EXPECT_EQ(faceName, CString(face));
        dc.SelectObject(old);
        return tm;
    };
    TEXTMETRIC songCell = metrics(12, "\xCB\xCE\xCC\xE5", GB2312_CHARSET);
    TEXTMETRIC songChar = metrics(-12, "\xCB\xCE\xCC\xE5", GB2312_CHARSET);
    EXPECT_EQ(songCell.tmHeight, 12);
    EXPECT_EQ(songChar.tmHeight, 12);
    EXPECT_EQ(songCell.tmInternalLeading, 0);
    TEXTMETRIC big = metrics(-24, "\xCB\xCE\xCC\xE5", GB2312_CHARSET);
    EXPECT_EQ(big.tmHeight, 24);
    // An unknown face in the GB2312 set is the Chinese system face.
    TEXTMETRIC other = metrics(-12, "NoSuchFace", GB2312_CHARSET);
    EXPECT_EQ(other.tmHeight, 12);
    // A Latin face keeps its own leading: a positive height is the cell, a negative one the em.
    TEXTMETRIC latinCell = metrics(20, "Arial", ANSI_CHARSET);
    TEXTMETRIC latinEm = metrics(-20, "Arial", ANSI_CHARSET);
    EXPECT_NEAR(latinCell.tmHeight, 20, 1);
    EXPECT_GE(latinEm.tmHeight, 20);
    EXPECT_EQ(latinEm.tmHeight - latinEm.tmInternalLeading, 20);
}

TEST_F(GdiObjects, TheDefaultFontsMeasureHalfWidthDigitsAsThePlatform)
{
    // The GUI font, the message font and a 9-point "宋体": a 12-pixel line, Chinese characters
    // 12 pixels wide and Latin letters and digits 6 (a row number "100" takes 18 pixels).
    NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    CFont message;
    message.CreateFontIndirect(&ncm.lfMessageFont);
    CFont song;
    song.CreatePointFont(90, "\xCB\xCE\xCC\xE5");
    CRecordingDC dc(100, 100);
    for (CFont* pFont : {CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))), &message, &song})
    {
        CFont* old = dc.SelectObject(pFont);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        EXPECT_EQ(12, tm.tmHeight);
        EXPECT_EQ(6, tm.tmAveCharWidth);
        EXPECT_EQ(18, dc.GetTextExtent("100").cx);
        EXPECT_EQ(60, dc.GetTextExtent("0123456789").cx);
        EXPECT_EQ(36, dc.GetTextExtent("Tab Key").cx - dc.GetTextExtent(" ").cx);
        EXPECT_EQ(24, dc.GetTextExtent("\xCF\xEE\xC4\xBF").cx);  // 项目
        EXPECT_EQ(84, dc.GetTextExtent("2004\xC4\xEA" "12\xD4\xC2" "10\xC8\xD5").cx);  // 2004年12月10日
        dc.SelectObject(old);
    }
}

TEST_F(GdiObjects, SystemValuesAreFixedClassicDesktopValues)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(64, 64, 64));
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_DBCSENABLED), 1);
    EXPECT_EQ(GetDoubleClickTime(), 500u);
    NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof(ncm);
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0));
    EXPECT_EQ(ncm.lfMessageFont.lfHeight, -12);
    EXPECT_EQ(ncm.lfMessageFont.lfCharSet, GB2312_CHARSET);
    EXPECT_STREQ(ncm.lfMessageFont.lfFaceName, "\xCB\xCE\xCC\xE5");
    ncm.cbSize = 12;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 12, &ncm, 0));
    UINT lines = 0;
    EXPECT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 3u);
    RECT work;
    EXPECT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(CRect(work), CRect(0, 0, 1280, 994));
    EXPECT_FALSE(SystemParametersInfo(0x7777, 0, &lines, 0));
    EXPECT_EQ(MulDiv(10, 3, 4), 8);  // 7.5 rounds away from zero
    EXPECT_EQ(MulDiv(-10, 3, 4), -8);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST_F(GdiObjects, CursorsStandardModuleAndWait)
{
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), arrow);
    EXPECT_NE(LoadCursor(nullptr, IDC_SIZEWE), arrow);
    EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1)), nullptr);
    static const char* const rows[] = {"..#..", ".#o#.", "#ooo#", ".#o#.", "..#.."};
    static const AFX_CURSOR_RESOURCE res = {5, 5, 2, 2, rows};
    HINSTANCE mod = AfxRegisterModule("CursorTestModule");
    AfxRegisterCursor(mod, 20001, &res);
    HCURSOR mine = AfxLoadCursor(20001);
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(LoadCursor(mod, MAKEINTRESOURCE(20001)), mine);
    EXPECT_EQ(LoadCursor(mod, MAKEINTRESOURCE(20002)), nullptr);
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(mine), arrow);
    EXPECT_EQ(GetCursor(), mine);
    {
        CWaitCursor wait;
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
        {
            CWaitCursor nested;
        }
        EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    }
    EXPECT_EQ(GetCursor(), mine);
}

}  // namespace

class CCrossChild : public CWnd
{
protected:
    afx_msg BOOL OnSetCursor(CWnd*, UINT nHitTest, UINT)
    {
        if (nHitTest != HTCLIENT)
            return FALSE;
        ::SetCursor(LoadCursor(nullptr, IDC_CROSS));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCrossChild, CWnd)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

TEST_F(GdiObjects, WmSetCursorSetsTheClassCursorUnlessAWindowSetsItsOwn)
{
    CWnd frame;
    ASSERT_TRUE(CreateTopFrame(frame));
    CCrossChild child;
    ASSERT_TRUE(child.Create(nullptr, "c", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &frame, 1));
    SetCursor(nullptr);
    AfxTestMouseMove(&frame, CPoint(100, 100));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));  // AfxWnd's class cursor
    AfxTestMouseMove(&frame, CPoint(10, 10));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_CROSS));
}

}  // namespace
