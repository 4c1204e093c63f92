// The dialog manager honours what controls ask for with WM_GETDLGCODE; radio groups and
// check boxes through data exchange; modeless dialogs; owner-drawn buttons; tool tips.
#include <ClassLib/Testing.h>

#include <string>
#include <vector>

namespace {

enum : int { IDC_A = 40101, IDC_GREEDY = 40102, IDC_NOTE = 40103, IDC_R1 = 40104, IDC_R2, IDC_R3, IDC_CHECK = 40110,
             IDC_DRAWN = 40111 };

const AFX_DLG_ITEM kItems[] = {
    {"EDIT", IDC_A, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP, 7, 7, 80, 14},
    {"EDIT", IDC_GREEDY, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP, 7, 25, 80, 14},
    {"EDIT", IDC_NOTE, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN, 7, 43, 80, 30},
    {"BUTTON", IDC_R1, "One", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 100, 7, 50, 10},
    {"BUTTON", IDC_R2, "Two", WS_VISIBLE | BS_AUTORADIOBUTTON, 100, 19, 50, 10},
    {"BUTTON", IDC_R3, "Three", WS_VISIBLE | BS_AUTORADIOBUTTON, 100, 31, 50, 10},
    {"BUTTON", IDC_CHECK, "Check", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 100, 45, 50, 10},
    {"BUTTON", IDC_DRAWN, "", WS_VISIBLE | BS_OWNERDRAW, 100, 60, 40, 14},
    {"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 80, 40, 14},
    {"BUTTON", IDCANCEL, "Cancel", WS_VISIBLE | WS_TABSTOP, 50, 80, 40, 14},
};
const AFX_DLG_TEMPLATE kTpl = {DS_SETFONT | WS_POPUP | WS_CAPTION, 0, 0, 0, 160, 100, "Keys", "\xcb\xce\xcc\xe5", 9,
                               AFX_DLG_ITEMS(kItems)};

// An editor that keeps every key, as the grid's in-place editors do.
class CGreedyEdit : public CEdit
{
public:
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CGreedyEdit, CEdit)
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

class CDrawnButton : public CButton
{
public:
    std::vector<DRAWITEMSTRUCT> draws;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        draws.push_back(*lpDIS);
        CDC* pDC = CDC::FromHandle(lpDIS->hDC);
        pDC->FillSolidRect(&lpDIS->rcItem, (lpDIS->itemState & ODS_SELECTED) ? RGB(255, 0, 0) : RGB(0, 0, 255));
    }
};

class CKeysDlg : public CDialog
{
public:
    CKeysDlg() { m_lpDialogTemplate = &kTpl; }
    CGreedyEdit m_greedy;
    CDrawnButton m_drawn;
    int m_nRadio = 1;
    int m_bCheck = 1;
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_GREEDY, m_greedy);
        DDX_Control(pDX, IDC_DRAWN, m_drawn);
        DDX_Radio(pDX, IDC_R1, m_nRadio);
        DDX_Check(pDX, IDC_CHECK, m_bCheck);
    }
};

class DialogKeysTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }
};

CString Text(CWnd* w)
{
    CString s;
    w->GetWindowText(s);
    return s;
}

}  // namespace

TEST_F(DialogKeysTest, ControlsThatWantKeysKeepThem)
{
    CKeysDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(&kTpl));
    dlg.ShowWindow(SW_SHOW);
    AfxTestFocus(dlg.GetDlgItem(IDC_A));
    // Enter in a plain edit presses the default button: the modeless dialog hides.
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_GREEDY));
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_GREEDY));
    // The greedy editor keeps Tab and Enter: the focus stays and the dialog stays.
    AfxTestKey(&dlg.m_greedy, VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), &dlg.m_greedy);
    AfxTestKey(&dlg.m_greedy, VK_RETURN);
    EXPECT_TRUE(dlg.IsWindowVisible());
    // A multi-line edit that wants returns gets a new line from Enter.
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_NOTE));
    AfxTestTypeText(dlg.GetDlgItem(IDC_NOTE), "a");
    AfxTestKey(dlg.GetDlgItem(IDC_NOTE), VK_RETURN);
    AfxTestTypeText(dlg.GetDlgItem(IDC_NOTE), "b");
    EXPECT_EQ(Text(dlg.GetDlgItem(IDC_NOTE)), "a\r\nb");
    EXPECT_TRUE(dlg.IsWindowVisible());
    // Tab from there goes on to the radio group's first button.
    AfxTestKey(dlg.GetDlgItem(IDC_NOTE), VK_TAB);
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_R1));
    // Arrows move within the group and check the automatic radio buttons.
    AfxTestKey(dlg.GetDlgItem(IDC_R1), VK_DOWN);
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_R2));
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_R1, IDC_R3), IDC_R2);
    // Enter in a plain edit presses the default button, which ends a modeless dialog too.
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_A));
    AfxTestKey(dlg.GetDlgItem(IDC_A), VK_RETURN);
    EXPECT_FALSE(dlg.IsWindowVisible());
    dlg.DestroyWindow();
}

TEST_F(DialogKeysTest, RadioGroupAndCheckBoxThroughDataExchange)
{
    CKeysDlg dlg;
    dlg.m_nRadio = 2;
    dlg.m_bCheck = 0;
    AfxTestPushModalScript([](CWnd* pWnd) {
        auto* d = static_cast<CKeysDlg*>(pWnd);
        EXPECT_EQ(d->GetCheckedRadioButton(IDC_R1, IDC_R3), IDC_R3);
        EXPECT_EQ(d->IsDlgButtonChecked(IDC_CHECK), 0u);
        d->CheckRadioButton(IDC_R1, IDC_R3, IDC_R1);
        static_cast<CButton*>(d->GetDlgItem(IDC_CHECK))->Click();
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nRadio, 0);
    EXPECT_EQ(dlg.m_bCheck, 1);
}

TEST_F(DialogKeysTest, OwnerDrawnButtonDrawsItselfWithItsState)
{
    CKeysDlg dlg;
    AfxTestPushModalScript([](CWnd* pWnd) {
        auto* d = static_cast<CKeysDlg*>(pWnd);
        ASSERT_TRUE(AfxTestGrabWindow(d, AfxTestOutputPath("owner-drawn.png")));
        ASSERT_FALSE(d->m_drawn.draws.empty());
        const DRAWITEMSTRUCT& dis = d->m_drawn.draws.back();
        EXPECT_EQ(dis.CtlType, UINT(ODT_BUTTON));
        EXPECT_EQ(dis.CtlID, UINT(IDC_DRAWN));
        EXPECT_EQ(dis.hwndItem, d->m_drawn.GetSafeHwnd());
        CRect client;
        d->m_drawn.GetClientRect(&client);
        EXPECT_EQ(CRect(dis.rcItem), client);
        EXPECT_EQ(dis.itemState & ODS_SELECTED, 0u);
        // Pressed, it draws selected.
        d->m_drawn.draws.clear();
        AfxTestMouseDown(&d->m_drawn, CPoint(5, 5));
        AfxTestGrabWindow(d, AfxTestOutputPath("owner-drawn-pressed.png"));
        ASSERT_FALSE(d->m_drawn.draws.empty());
        EXPECT_EQ(d->m_drawn.draws.back().itemState & ODS_SELECTED, UINT(ODS_SELECTED));
        AfxTestMouseUp(&d->m_drawn, CPoint(5, 5));
        d->EndDialog(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(DialogKeysTest, ToolTipShowsTheToolUnderThePointer)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "tips", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                             nullptr));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&wnd));
    CRect rc(10, 10, 50, 30);
    ASSERT_TRUE(tip.AddTool(&wnd, "Delete the document", &rc, 1));
    EXPECT_EQ(tip.GetToolCount(), 1);
    CString text;
    tip.GetText(text, &wnd, 1);
    EXPECT_EQ(text, "Delete the document");
    MSG msg = {};
    msg.hwnd = wnd.GetSafeHwnd();
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(20, 20);
    tip.RelayEvent(&msg);
    EXPECT_EQ(tip.GetShownText(), "Delete the document");
    msg.lParam = MAKELPARAM(120, 60);
    tip.RelayEvent(&msg);
    EXPECT_EQ(tip.GetShownText(), "");
    tip.DestroyWindow();
    wnd.DestroyWindow();
}

namespace {

enum : int { IDC_SERVER_LABEL = 40201, IDC_SERVER = 40202, IDC_SITE_LABEL = 40203, IDC_SITE = 40204,
             IDC_HELPBTN = 40205, IDC_SECURE = 40206 };

const AFX_DLG_ITEM kMnemonicItems[] = {
    {"STATIC", IDC_SERVER_LABEL, "Server (&S):", WS_VISIBLE, 7, 7, 50, 10},
    {"EDIT", IDC_SERVER, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP, 60, 7, 80, 14},
    {"STATIC", IDC_SITE_LABEL, "Si&te:", WS_VISIBLE, 7, 25, 50, 10},
    {"EDIT", IDC_SITE, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP, 60, 25, 80, 14},
    {"BUTTON", IDC_SECURE, "Se&cure", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 7, 45, 60, 10},
    {"BUTTON", IDC_HELPBTN, "&Help", WS_VISIBLE | WS_TABSTOP, 7, 60, 40, 14},
    {"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 60, 60, 40, 14},
};
const AFX_DLG_TEMPLATE kMnemonicTpl = {DS_SETFONT | WS_POPUP | WS_CAPTION, 0, 0, 0, 160, 80, "Mnemonics",
                                       "\xcb\xce\xcc\xe5", 9, AFX_DLG_ITEMS(kMnemonicItems)};

class CMnemonicDlg : public CDialog
{
public:
    CMnemonicDlg() { m_lpDialogTemplate = &kMnemonicTpl; }
    int m_nHelp = 0;
    void OnHelpButton() { m_nHelp++; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMnemonicDlg, CDialog)
    ON_BN_CLICKED(IDC_HELPBTN, OnHelpButton)
END_MESSAGE_MAP()

}  // namespace

TEST_F(DialogKeysTest, AltWithALetterRunsTheMnemonicAndTypesNothing)
{
    CMnemonicDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(&kMnemonicTpl));
    dlg.ShowWindow(SW_SHOW);
    CWnd* pServer = dlg.GetDlgItem(IDC_SERVER);
    CWnd* pSite = dlg.GetDlgItem(IDC_SITE);
    AfxTestFocus(pServer);
    AfxTestTypeText(pServer, "host");
    // A button's mnemonic presses it; the edit keeps its text.
    AfxTestKey(CWnd::GetFocus(), 'H', AFX_TEST_ALT);
    AfxPumpMessages();
    EXPECT_EQ(dlg.m_nHelp, 1);
    EXPECT_EQ(Text(pServer), "host");
    // A label's mnemonic moves the focus to the field after it.
    AfxTestKey(CWnd::GetFocus(), 'T', AFX_TEST_ALT);
    AfxPumpMessages();
    EXPECT_EQ(CWnd::GetFocus(), pSite);
    AfxTestKey(CWnd::GetFocus(), 'S', AFX_TEST_ALT);
    AfxPumpMessages();
    EXPECT_EQ(CWnd::GetFocus(), pServer);
    // A check box's mnemonic ticks it.
    AfxTestKey(CWnd::GetFocus(), 'C', AFX_TEST_ALT);
    AfxPumpMessages();
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SECURE), 1u);
    // Letters that name nothing are typed nowhere either.
    AfxTestFocus(pSite);
    AfxTestKey(CWnd::GetFocus(), 'X', AFX_TEST_ALT);
    AfxTestKey(CWnd::GetFocus(), 'Q', AFX_TEST_ALT);
    AfxPumpMessages();
    EXPECT_EQ(Text(pSite), "");
    EXPECT_EQ(Text(pServer), "host");
    EXPECT_EQ(dlg.m_nHelp, 1);
    // Plain letters still type.
    AfxTestTypeText(pSite, "x");
    EXPECT_EQ(Text(pSite), "x");
    dlg.DestroyWindow();
}
