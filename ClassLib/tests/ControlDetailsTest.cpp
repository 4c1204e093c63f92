// Control details the in-place editors, the hot-tracking button, the check combo box and
// the list tip need: system bitmaps, pictures from files, rich edit character formats,
// clicks sent to edits, control colours, double clicks on owner-drawn buttons and an
// inactive application.
#include "FrameTestSupport.h"

#include <ClassLib/Wnd/QtInterop.h>

#include <QImage>
#include <QLineEdit>

#include <vector>

namespace {

class ControlDetailsTest : public FrameTest
{
};

int CountPixels(const QImage& img, bool (*pred)(QRgb))
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (pred(img.pixel(x, y)))
                ++n;
    return n;
}

QImage Grab(CWnd* pWnd, const char* name)
{
    CString path = AfxTestOutputPath(name);
    if (!AfxTestGrabWindow(pWnd, path))
        return QImage();
    return QImage(QString::fromUtf8(static_cast<LPCTSTR>(path)));
}

TEST_F(ControlDetailsTest, TheComboArrowBitmapLoads)
{
    CBitmap bm;
    ASSERT_TRUE(bm.LoadOEMBitmap(OBM_COMBO));
    BITMAP info = {};
    ASSERT_NE(0, bm.GetBitmap(&info));
    EXPECT_GT(info.bmWidth, 0);
    EXPECT_GT(info.bmHeight, 0);
    QImage img = AfxImageOfBitmap(static_cast<HBITMAP>(bm.GetSafeHandle()));
    EXPECT_GT(CountPixels(img, [](QRgb c) { return qRed(c) < 40 && qGreen(c) < 40 && qBlue(c) < 40; }), 8);
    CBitmap none;
    EXPECT_FALSE(none.LoadOEMBitmap(1));
    HBITMAP hArrow = ::LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_DNARROW));
    EXPECT_NE(nullptr, hArrow);
    ::DeleteObject(hArrow);
}

// The width of the dark ink in each row (or column) of an arrow picture, from the first inked
// line to the last: an arrow's tip is the narrow end, on the side it points to.
std::vector<int> InkSpans(const QImage& img, bool rows)
{
    std::vector<int> spans;
    const int lines = rows ? img.height() : img.width();
    const int along = rows ? img.width() : img.height();
    for (int i = 0; i < lines; ++i) {
        int n = 0;
        for (int j = 0; j < along; ++j) {
            const QRgb c = rows ? img.pixel(j, i) : img.pixel(i, j);
            if (qRed(c) < 40 && qGreen(c) < 40 && qBlue(c) < 40)
                ++n;
        }
        if (n > 0)
            spans.push_back(n);
    }
    return spans;
}

std::vector<int> ArrowSpans(UINT nId, bool rows)
{
    CBitmap bm;
    if (!bm.LoadOEMBitmap(nId))
        return {};
    return InkSpans(AfxImageOfBitmap(static_cast<HBITMAP>(bm.GetSafeHandle())), rows);
}

TEST_F(ControlDetailsTest, ArrowsPointTheWayTheirNamesSay)
{
    const std::vector<int> widestFirst = {7, 5, 3, 1};
    const std::vector<int> narrowFirst = {1, 3, 5, 7};
    EXPECT_EQ(ArrowSpans(OBM_COMBO, true), widestFirst);   // tip at the bottom
    EXPECT_EQ(ArrowSpans(OBM_DNARROW, true), widestFirst);
    EXPECT_EQ(ArrowSpans(OBM_UPARROW, true), narrowFirst);  // tip at the top
    EXPECT_EQ(ArrowSpans(OBM_RGARROW, false), widestFirst); // tip at the right
    EXPECT_EQ(ArrowSpans(OBM_LFARROW, false), narrowFirst);
}

TEST_F(ControlDetailsTest, BitmapsAndIconsLoadFromFiles)
{
    QImage red(5, 3, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    CString bmpPath = AfxTestOutputPath("load-image-red.bmp");
    ASSERT_TRUE(red.save(QString::fromUtf8(static_cast<LPCTSTR>(bmpPath)), "BMP"));
    HBITMAP hBmp = static_cast<HBITMAP>(::LoadImage(nullptr, bmpPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(nullptr, hBmp);
    BITMAP info = {};
    ASSERT_NE(0, ::GetObject(hBmp, sizeof(info), &info));
    EXPECT_EQ(5, info.bmWidth);
    EXPECT_EQ(3, info.bmHeight);
    EXPECT_EQ(qRgb(255, 0, 0), AfxImageOfBitmap(hBmp).pixel(2, 1) | 0xFF000000u);
    ::DeleteObject(hBmp);

    QImage picture(48, 48, QImage::Format_ARGB32);
    picture.fill(qRgba(0, 0, 255, 255));
    CString pngPath = AfxTestOutputPath("load-image-icon.png");
    ASSERT_TRUE(picture.save(QString::fromUtf8(static_cast<LPCTSTR>(pngPath)), "PNG"));
    HICON hIcon = static_cast<HICON>(::LoadImage(nullptr, pngPath, IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
    ASSERT_NE(nullptr, hIcon);
    QImage iconImage = AfxImageOfIcon(hIcon);
    EXPECT_EQ(QSize(32, 32), iconImage.size());
    EXPECT_EQ(255, qBlue(iconImage.pixel(16, 16)));
    ::DestroyIcon(hIcon);

    EXPECT_EQ(nullptr, ::LoadImage(nullptr, AfxTestOutputPath("no-such-picture.bmp"), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    EXPECT_EQ(nullptr, ::LoadImage(nullptr, "", IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
}

TEST_F(ControlDetailsTest, RedForTheWholeTextKeepsTheSelection)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(300, 200));
    CRichEditCtrl rich;
    ASSERT_TRUE(rich.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(10, 10, 280, 80), &host, 21));
    rich.SetWindowText("WWWW MMMM");
    rich.SetSel(0, 2);
    auto isRed = [](QRgb c) { return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90; };
    EXPECT_EQ(0, CountPixels(Grab(&rich, "rich-edit-before.png"), isRed));
    CHARFORMAT cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = RGB(255, 0, 0);
    EXPECT_TRUE(rich.SendMessage(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf)));
    long nStart = -1, nEnd = -1;
    rich.GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(2, nEnd);
    EXPECT_GT(CountPixels(Grab(&rich, "rich-edit-red.png"), isRed), 20);
    // The default format: a colour given is read back; without one it is automatic.
    CHARFORMAT def = {};
    rich.GetDefaultCharFormat(def);
    EXPECT_NE(0u, def.dwEffects & CFE_AUTOCOLOR);
    def.dwMask = CFM_COLOR;
    def.dwEffects = 0;
    def.crTextColor = RGB(0, 0, 200);
    EXPECT_TRUE(rich.SetDefaultCharFormat(def));
    CHARFORMAT back = {};
    EXPECT_NE(0u, rich.GetDefaultCharFormat(back) & CFM_COLOR);
    EXPECT_EQ(0u, back.dwEffects & CFE_AUTOCOLOR);
    EXPECT_EQ(RGB(0, 0, 200), back.crTextColor);
    CHARFORMAT bad = {};  // cbSize 0
    bad.dwMask = CFM_COLOR;
    EXPECT_FALSE(rich.SendMessage(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&bad)));
    rich.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(ControlDetailsTest, APostedClickPutsTheCaretBeforeTheCharacterUnderIt)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(300, 200));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 280, 36), &host, 22));
    edit.SetWindowText("ab\xD6\xD0\xCE\xC4" "cd");  // ab, two Chinese characters, cd
    edit.SetSel(0, 0);
    auto* line = qobject_cast<QLineEdit*>(AfxGetWidget(edit.m_hWnd));
    ASSERT_NE(nullptr, line);
    // Where the toolkit puts the boundaries before and after the second Chinese character.
    const int y = line->height() / 2;
    int x3 = -1, x4 = -1;
    for (int x = 0; x < line->width(); ++x)
    {
        int pos = line->cursorPositionAt(QPoint(x, y));
        if (pos == 3 && x3 < 0)
            x3 = x;
        if (pos == 4 && x4 < 0)
            x4 = x;
    }
    ASSERT_GT(x3, 0);
    ASSERT_GT(x4, x3);
    const int xClick = (x3 + x4) / 2 + 1;  // just right of the boundary: inside that character
    edit.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(xClick, y));
    edit.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(xClick, y));
    AfxPumpMessages();
    int nStart = -1, nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(4, nStart);  // bytes: a, b and the first character's two
    EXPECT_EQ(4, nEnd);
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, y));
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    edit.DestroyWindow();
    host.DestroyWindow();
}

// A parent that records the colour requests it gets.
class CColourHost : public CNotifyHost
{
public:
    std::vector<UINT> kinds;

protected:
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        kinds.push_back(nCtlColor);
        return CNotifyHost::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourHost, CNotifyHost)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// A static that chooses its own colours through reflection.
class CColourStatic : public CStatic
{
public:
    int nCalls = 0;
    CBrush m_brush;
    CColourStatic() { m_brush.CreateSolidBrush(RGB(0, 160, 0)); }

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        (void)nCtlColor;
        ++nCalls;
        pDC->SetTextColor(RGB(0, 0, 255));
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

TEST_F(ControlDetailsTest, StandardControlsAskForTheirColoursAndAReflectedAnswerIsUsed)
{
    CColourHost host;
    ASSERT_TRUE(host.CreateHost(300, 200));
    CStatic plain;
    ASSERT_TRUE(plain.Create("plain", WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 30), &host, 31));
    host.kinds.clear();
    Grab(&plain, "ctlcolor-plain.png");
    ASSERT_FALSE(host.kinds.empty());
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), host.kinds[0]);
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 150, 64), &host, 32));
    host.kinds.clear();
    Grab(&edit, "ctlcolor-edit.png");
    ASSERT_FALSE(host.kinds.empty());
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_EDIT), host.kinds[0]);

    CColourStatic coloured;
    ASSERT_TRUE(coloured.Create("WWWWWW", WS_CHILD | WS_VISIBLE, CRect(10, 80, 150, 110), &host, 33));
    QImage img = Grab(&coloured, "ctlcolor-reflected.png");
    ASSERT_FALSE(img.isNull());
    EXPECT_GT(coloured.nCalls, 0);
    const int nGreen = CountPixels(img, [](QRgb c) { return qRed(c) < 30 && qGreen(c) > 140 && qGreen(c) < 180 && qBlue(c) < 30; });
    EXPECT_GT(nGreen, img.width() * img.height() / 2);
    EXPECT_GT(CountPixels(img, [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 90 && qGreen(c) < 120; }), 10);
    coloured.DestroyWindow();
    edit.DestroyWindow();
    plain.DestroyWindow();
    host.DestroyWindow();
}

// An owner-drawn button that counts a double click as two clicks, as the hot-tracking
// button does.
class CTwoClickButton : public CButton
{
public:
    std::vector<UINT> seen;
    int nCaptureChanged = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override {}

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDBLCLK || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)
            seen.push_back(message);
        if (message == WM_LBUTTONDBLCLK)
            message = WM_LBUTTONDOWN;
        return CButton::DefWindowProc(message, wParam, lParam);
    }
    afx_msg void OnCaptureChanged(CWnd* pWnd)
    {
        (void)pWnd;
        ++nCaptureChanged;
        CButton::OnCaptureChanged(pWnd);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTwoClickButton, CButton)
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

class CClickHost : public CNotifyHost
{
public:
    std::vector<UINT> codes;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == 41)
            codes.push_back(HIWORD(wParam));
        return CNotifyHost::OnCommand(wParam, lParam);
    }
};

TEST_F(ControlDetailsTest, ADoubleClickOnAnOwnerDrawnButtonThatPassesItOnAsAPressClicksTwice)
{
    CClickHost host;
    ASSERT_TRUE(host.CreateHost(300, 200));
    CTwoClickButton button;
    ASSERT_TRUE(button.Create("go", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 110, 40), &host, 41));
    AfxTestDoubleClick(&button, CPoint(20, 10));
    AfxPumpMessages();
    std::vector<UINT> wantSeen = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    EXPECT_EQ(wantSeen, button.seen);
    std::vector<UINT> wantCodes = {BN_CLICKED, BN_CLICKED};
    EXPECT_EQ(wantCodes, host.codes);
    // A release outside the button after a press by code clicks nothing.
    host.codes.clear();
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    EXPECT_TRUE(host.codes.empty());
    // Losing the capture is reported.
    button.SetCapture();
    ::ReleaseCapture();
    EXPECT_EQ(1, button.nCaptureChanged);
    button.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(ControlDetailsTest, AnInactiveApplicationHasNoFocusUntilItIsActiveAgain)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(300, 200));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 150, 34), &host, 51));
    edit.SetFocus();
    ASSERT_EQ(edit.m_hWnd, ::GetFocus());
    AfxTestDeactivateApp();
    EXPECT_EQ(nullptr, ::GetFocus());
    EXPECT_EQ(nullptr, CWnd::GetFocus());
    AfxTestActivateApp();
    EXPECT_EQ(edit.m_hWnd, ::GetFocus());
    edit.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
