// The about box and the hyperlink control.
#include "TrellanTestSupport.h"

#include "AboutDlg.h"
#include "HyperLink.h"
#include "Resource.h"

#include <ClassLib/Shell/Shell.h>

#include <QImage>

namespace {

// The link with its tooltip in reach.
class CTestLink : public CHyperLink
{
public:
    CString TipText()
    {
        CString text;
        m_ToolTip.GetText(text, this, 1);
        return text;
    }
};

// A dialog-like parent holding one link, the way the about box holds it.
class CLinkHost : public CWnd
{
public:
    CTestLink link;
    BOOL Make(LPCTSTR lpszText, DWORD dwLinkStyle = SS_LEFT)
    {
        if (!CreateEx(0, AfxRegisterWndClass(0), "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 120), nullptr, 0)) {
            ADD_FAILURE() << "no host window";
            return FALSE;
        }
        CStatic tmp;
        if (!tmp.Create(lpszText, WS_CHILD | WS_VISIBLE | SS_NOTIFY | dwLinkStyle, CRect(20, 20, 320, 40), this, 100))
            return FALSE;
        HWND h = tmp.Detach();
        if (h == nullptr) {
            ADD_FAILURE() << "no static";
            return FALSE;
        }
        ::SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
        BOOL ok = link.SubclassWindow(h);
        if (!ok)
            ADD_FAILURE() << "subclass failed";
        return ok;
    }
};

// The colour the link asks its parent to paint its text with.
COLORREF TextColour(CLinkHost& host)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SetTextColor(RGB(1, 2, 3));
    host.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.GetSafeHdc()),
                     reinterpret_cast<LPARAM>(host.link.m_hWnd));
    return dc.GetTextColor();
}

class HyperLinkTest : public TrellanTest
{
protected:
    void TearDown() override
    {
        if (host.GetSafeHwnd() != nullptr)
            host.DestroyWindow();
        TrellanTest::TearDown();
    }
    CLinkHost host;
};

TEST_F(HyperLinkTest, SubclassingTakesTheTextAsAddressUnderlinesAndFitsTheControl)
{
    ASSERT_TRUE(host.Make("http://support.example/"));
    EXPECT_EQ(host.link.GetURL(), CString("http://support.example/"));
    EXPECT_EQ(host.link.GetLinkStyle(), 21);
    LOGFONT lf;
    host.link.GetFont()->GetLogFont(&lf);
    EXPECT_EQ(lf.lfUnderline, 1);
    CRect rc;
    host.link.GetWindowRect(&rc);
    EXPECT_LT(rc.Width(), 300);  // fitted to the text
    EXPECT_GT(rc.Width(), 40);
    EXPECT_NE(host.link.GetLinkCursor(), nullptr);
    EXPECT_EQ(host.link.TipText(), CString("http://support.example/"));
    // A new address: the tip follows and the control fits the new text.
    host.link.SetWindowText("http://support.example/a/much/longer/address");
    host.link.SetURL("http://support.example/a/much/longer/address");
    EXPECT_EQ(host.link.TipText(), CString("http://support.example/a/much/longer/address"));
    CRect longer;
    host.link.GetWindowRect(&longer);
    EXPECT_GT(longer.Width(), rc.Width());
    EXPECT_EQ(longer.left, rc.left);
}

TEST_F(HyperLinkTest, TheLinkShowsTheHandCursorUnlessItsStyleSaysNo)
{
    ASSERT_TRUE(host.Make("http://a.example/"));
    host.link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(host.link.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), host.link.GetLinkCursor());
    EXPECT_EQ(host.link.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(25, 25)), HTCLIENT);
}

TEST_F(HyperLinkTest, AnEmptyTextShowsTheAddress)
{
    host.link.SetURL("http://a.example/");
    ASSERT_TRUE(host.Make(""));
    CString text;
    host.link.GetWindowText(text);
    EXPECT_EQ(text, CString("http://a.example/"));
}

TEST_F(HyperLinkTest, TheColourFollowsHoverFocusAndVisitedStates)
{
    ASSERT_TRUE(host.Make("http://a.example/"));
    EXPECT_EQ(TextColour(host), RGB(0, 0, 255));  // link
    // Over the control: the hover colour only with the hover style.
    AfxTestMouseMove(&host.link, CPoint(3, 3));
    EXPECT_TRUE(host.link.IsOverControl());
    EXPECT_EQ(CWnd::GetCapture(), &host.link);
    EXPECT_EQ(TextColour(host), RGB(0, 0, 255));
    host.link.SetLinkStyle(host.link.GetLinkStyle() | CHyperLink::StyleUseHover);
    EXPECT_EQ(TextColour(host), RGB(255, 0, 0));
    // Leaving gives the capture back.
    AfxTestMouseMove(&host.link, CPoint(-20, 3));
    EXPECT_FALSE(host.link.IsOverControl());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    // With the focus: the focus colour, unless the style forbids it.
    host.link.SetFocus();
    EXPECT_EQ(TextColour(host), RGB(0, 128, 128));
    host.link.SetLinkStyle(host.link.GetLinkStyle() | CHyperLink::StyleNoActiveColor);
    EXPECT_EQ(TextColour(host), RGB(0, 0, 255));
    // Once followed: the visited colour.
    CTestShellCalls shell;
    AfxTestKey(&host.link, VK_SPACE);
    EXPECT_TRUE(host.link.IsVisited());
    EXPECT_EQ(TextColour(host), RGB(128, 0, 128));
}

TEST_F(HyperLinkTest, AClickOpensTheAddressWithTheShell)
{
    ASSERT_TRUE(host.Make("http://support.example/x"));
    CTestShellCalls shell;
    AfxTestClick(&host.link, CPoint(3, 3));
    ASSERT_EQ(shell.CallsOf(AfxShellCallRecord::shellExecute).size(), 1u);
    const AfxShellCallRecord& call = shell.Calls()[0];
    EXPECT_EQ(call.strVerb, CString("open"));
    EXPECT_EQ(call.strFile, CString("http://support.example/x"));
    EXPECT_EQ(call.nShowCmd, SW_SHOW);
    EXPECT_TRUE(host.link.IsVisited());
    EXPECT_EQ(CWnd::GetFocus(), &host.link);
}

TEST_F(HyperLinkTest, AFailedOpenFallsBackToTheRegisteredBrowserCommand)
{
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, ".htm", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueEx(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("htmlfile"), 9);
    RegCloseKey(h);
    const char command[] = "\"/opt/web browser/run\" -nohome \"%1\" -x";
    ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS,
                             nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueEx(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command), sizeof(command));
    RegCloseKey(h);
    ASSERT_TRUE(host.Make("http://a.example/"));
    CTestShellCalls shell;
    shell.PushResult(SE_ERR_NOASSOC);
    EXPECT_GT(host.link.FollowLink(), 32);
    ASSERT_EQ(shell.CallsOf(AfxShellCallRecord::winExec).size(), 1u);
    EXPECT_EQ(shell.CallsOf(AfxShellCallRecord::winExec)[0].strCommandLine,
              CString("\"/opt/web browser/run\" -nohome  http://a.example/"));
    EXPECT_TRUE(host.link.IsVisited());
}

TEST_F(HyperLinkTest, ALinkThatCannotBeOpenedSaysWhy)
{
    ASSERT_TRUE(host.Make("http://a.example/"));
    CTestShellCalls shell;
    shell.PushResult(SE_ERR_NOASSOC);  // no browser command registered either
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    EXPECT_EQ(host.link.FollowLink(), 0);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text, CString("Can't open link:\n\nThe operating system is out\nof memory or resources."));
    EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
    EXPECT_FALSE(host.link.IsVisited());
    EXPECT_EQ(CHyperLink::ErrorText(31),
              CString("Can't open link:\n\nThere is no application associated\nwith the given filename extension."));
    EXPECT_EQ(CHyperLink::ErrorText(99), CString("Can't open link:\n\nUnknown Error (99) occurred."));
}

TEST_F(HyperLinkTest, TheLinkIsPaintedInItsColour)
{
    ASSERT_TRUE(host.Make("http://a.example/"));
    host.link.SetLinkStyle(host.link.GetLinkStyle() | CHyperLink::StyleUseHover);
    AfxTestMouseMove(&host.link, CPoint(3, 3));
    AfxPumpMessages();
    std::string path = (LPCTSTR)AfxTestOutputPath("trellan_link_hover.png");
    ASSERT_TRUE(AfxTestGrabWindow(&host, path.c_str()));
    QImage img(QString::fromStdString(path));
    CRect rc;
    host.link.GetWindowRect(&rc);
    host.ScreenToClient(&rc);
    bool red = false;
    for (int y = rc.top; y < rc.bottom && !red; ++y)
        for (int x = rc.left; x < rc.right && !red; ++x) {
            QRgb p = img.pixel(x, y);
            red = qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
        }
    EXPECT_TRUE(red) << "the hover colour is not on screen";
}

TEST_F(HyperLinkTest, TheAboutBoxShowsTheProductAndOpensTheSupportPage)
{
    ASSERT_TRUE(Start({}));
    CTestShellCalls shell;
    AfxTestPushModalScript([](CWnd* pWnd) {
        CString text;
        pWnd->GetDlgItem(IDC_ABOUT_PRODUCT)->GetWindowText(text);
        EXPECT_EQ(text, CString("Tessaly 1.0版"));
        pWnd->GetDlgItem(IDOK)->GetWindowText(text);
        EXPECT_EQ(text, CString("确定"));
        pWnd->GetDlgItem(IDC_SUPPORT)->GetWindowText(text);
        EXPECT_EQ(text, CString("技术支持..."));
        EXPECT_TRUE(AfxTestGrabWindow(pWnd, AfxTestOutputPath("trellan_about.png")));
        AfxTestClick(pWnd->GetDlgItem(IDC_SUPPORT), CPoint(5, 5));
        AfxTestClick(pWnd->GetDlgItem(IDOK), CPoint(5, 5));
    });
    Frame()->SendMessage(WM_COMMAND, ID_APP_ABOUT, 0);
    ASSERT_EQ(AfxTestModalLog().size(), 1u);
    EXPECT_EQ(AfxTestModalLog()[0].nIDTemplate, 100u);
    EXPECT_EQ(AfxTestModalLog()[0].strCaption, CString("关于 Tessaly"));
    EXPECT_EQ(AfxTestModalLog()[0].nResult, IDOK);
    ASSERT_EQ(shell.Count(), 1);
    EXPECT_EQ(shell.Calls()[0].strVerb, CString("open"));
    EXPECT_EQ(shell.Calls()[0].strFile, CAboutDlg::SupportURL());
    EXPECT_EQ(shell.Calls()[0].nShowCmd, SW_SHOWNORMAL);
}

TEST_F(HyperLinkTest, TheSupportPageIsASetting)
{
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(CAboutDlg::SupportURL(), CString("http://support.corvallo.example/"));
    EXPECT_TRUE(app->WriteProfileString("Settings", "SupportURL", "http://help.example/"));
    EXPECT_EQ(app->GetProfileString("Settings", "SupportURL", "x"), CString("http://help.example/"));
    EXPECT_EQ(AfxGetApp(), app);
    EXPECT_EQ(CAboutDlg::SupportURL(), CString("http://help.example/"));
}

}  // namespace
