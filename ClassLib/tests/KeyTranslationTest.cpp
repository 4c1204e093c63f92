// Keys in edit controls: one WM_KEYDOWN and one WM_CHAR per keystroke, Tab decided by the
// class library's dialog handling (never by the widget toolkit's focus chain), and a real
// TranslateMessage for the translate-and-dispatch pattern of PreTranslateMessage.
#include "FrameTestSupport.h"

#include <ClassLib/Testing/UiScripts.h>

#include <vector>

namespace {

// Records the keys and characters that reach it.
template <class Base>
class CKeyRecorder : public Base
{
public:
    std::vector<UINT> keys;
    std::vector<UINT> chars;
    UINT m_nDlgCode = 0;  // nonzero: the answer to WM_GETDLGCODE
    bool m_bTranslatePattern = false;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_bTranslatePattern && pMsg->message == WM_KEYDOWN &&
            (pMsg->wParam == VK_TAB || pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE || pMsg->wParam == 'A'))
        {
            ::TranslateMessage(pMsg);
            ::DispatchMessage(pMsg);
            return TRUE;
        }
        return Base::PreTranslateMessage(pMsg);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN)
            keys.push_back(static_cast<UINT>(wParam));
        else if (message == WM_CHAR)
            chars.push_back(static_cast<UINT>(wParam));
        else if (message == WM_GETDLGCODE && m_nDlgCode != 0)
            return m_nDlgCode;
        return Base::WindowProc(message, wParam, lParam);
    }
};

using CRecEdit = CKeyRecorder<CEdit>;
using CRecRichEdit = CKeyRecorder<CRichEditCtrl>;

class KeyTranslationTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        AfxTestResetScripts();
    }
    void TearDown() override
    {
        AfxTestResetScripts();
        FrameTest::TearDown();
    }
};

TEST_F(KeyTranslationTest, ReturnAndEscapeOnAnEditAreDeliveredOnce)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(300, 200));
    CRecEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 34), &host, 11));
    AfxTestFocus(&edit);
    AfxTestKey(&edit, VK_RETURN);
    AfxPumpMessages();
    EXPECT_EQ(std::vector<UINT>({VK_RETURN}), edit.keys);
    EXPECT_EQ(std::vector<UINT>({13}), edit.chars);
    edit.keys.clear();
    edit.chars.clear();
    AfxTestKey(&edit, VK_ESCAPE);
    AfxPumpMessages();
    EXPECT_EQ(std::vector<UINT>({VK_ESCAPE}), edit.keys);
    EXPECT_EQ(std::vector<UINT>({27}), edit.chars);
    edit.keys.clear();
    edit.chars.clear();
    AfxTestKey(&edit, 'A');
    AfxPumpMessages();
    EXPECT_EQ(std::vector<UINT>({'A'}), edit.keys);
    EXPECT_EQ(std::vector<UINT>({'a'}), edit.chars);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("a", text);
    edit.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(KeyTranslationTest, TheTranslateAndDispatchPatternYieldsExactlyOneCharacter)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(300, 200));
    CRecEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 34), &host, 11));
    edit.m_bTranslatePattern = true;
    AfxTestFocus(&edit);
    for (UINT vk : {static_cast<UINT>(VK_TAB), static_cast<UINT>(VK_RETURN), static_cast<UINT>(VK_ESCAPE)})
    {
        edit.keys.clear();
        edit.chars.clear();
        AfxTestKey(&edit, vk);
        AfxPumpMessages();
        EXPECT_EQ(std::vector<UINT>({vk}), edit.keys) << vk;
        UINT ch = vk == VK_TAB ? 9u : vk == VK_RETURN ? 13u : 27u;
        EXPECT_EQ(std::vector<UINT>({ch}), edit.chars) << vk;
        EXPECT_EQ(edit.m_hWnd, ::GetFocus());
    }
    // A printable key through the same pattern is typed once.
    edit.keys.clear();
    edit.chars.clear();
    AfxTestKey(&edit, 'A');
    AfxPumpMessages();
    EXPECT_EQ(std::vector<UINT>({'A'}), edit.keys);
    EXPECT_EQ(std::vector<UINT>({'a'}), edit.chars);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("a", text);
    // TranslateMessage on a key-down of its own posts the characters.
    edit.chars.clear();
    MSG msg = {};
    msg.hwnd = edit.m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_RETURN;
    EXPECT_TRUE(::TranslateMessage(&msg));
    EXPECT_TRUE(edit.chars.empty());
    AfxPumpMessages();
    EXPECT_EQ(std::vector<UINT>({13}), edit.chars);
    msg.wParam = VK_LEFT;
    EXPECT_FALSE(::TranslateMessage(&msg));
    edit.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(KeyTranslationTest, TabInARichEditUnderAPlainWindowIsAKeyAndACharacterAndTheFocusStays)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(300, 200));
    CRecRichEdit rich;
    ASSERT_TRUE(rich.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_WANTRETURN, CRect(10, 10, 200, 80), &host, 12));
    CRecEdit next;
    ASSERT_TRUE(next.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(10, 90, 200, 114), &host, 13));
    AfxTestFocus(&rich);
    AfxTestKey(&rich, VK_TAB);
    AfxPumpMessages();
    EXPECT_EQ(std::vector<UINT>({VK_TAB}), rich.keys);
    EXPECT_EQ(std::vector<UINT>({9}), rich.chars);
    EXPECT_EQ(rich.m_hWnd, ::GetFocus());
    EXPECT_TRUE(next.keys.empty());
    CString text;
    rich.GetWindowText(text);
    EXPECT_STREQ("\t", text);  // the rich edit keeps the tab
    // The same for a single-line edit that wants every key.
    next.m_nDlgCode = DLGC_WANTALLKEYS;
    AfxTestFocus(&next);
    AfxTestKey(&next, VK_TAB);
    AfxPumpMessages();
    EXPECT_EQ(std::vector<UINT>({VK_TAB}), next.keys);
    EXPECT_EQ(std::vector<UINT>({9}), next.chars);
    EXPECT_EQ(next.m_hWnd, ::GetFocus());
    next.DestroyWindow();
    rich.DestroyWindow();
    host.DestroyWindow();
}

enum : UINT
{
    IDD_KEYS = 31301,
    IDC_FIRST = 1301,
    IDC_SECOND = 1302,
};

const AFX_DLG_ITEM kKeyItems[] = {
    {"EDIT", IDC_FIRST, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 7, 120, 14},
    {"EDIT", IDC_SECOND, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 27, 120, 14},
    {"BUTTON", IDOK, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 50, 50, 14},
};
const AFX_DLG_TEMPLATE kKeyDialog = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION, 0, 0, 0, 140, 72, "Keys", "宋体", 9,
                                     AFX_DLG_ITEMS(kKeyItems)};

AFX_MODULE_RESOURCES(KeyTranslationTest)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_KEYS, &kKeyDialog);
}

class CKeyDialog : public CDialog
{
public:
    CRecEdit m_first;
    CRecEdit m_second;
    CKeyDialog() : CDialog(IDD_KEYS) {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_FIRST, m_first);
        DDX_Control(pDX, IDC_SECOND, m_second);
    }
};

TEST_F(KeyTranslationTest, TabInADialogMovesToTheNextTabStopUnlessTheControlWantsIt)
{
    CKeyDialog dlg;
    HWND hAfterTab = nullptr;
    HWND hAfterWantedTab = nullptr;
    HWND hSecond = nullptr;
    std::vector<UINT> wantedChars;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CKeyDialog* pDlg = static_cast<CKeyDialog*>(pWnd);
        hSecond = pDlg->m_second.GetSafeHwnd();
        AfxTestFocus(&pDlg->m_first);
        AfxTestKey(&pDlg->m_first, VK_TAB);
        AfxPumpMessages();
        hAfterTab = ::GetFocus();
        EXPECT_TRUE(pDlg->m_first.chars.empty());
        pDlg->m_second.m_nDlgCode = DLGC_WANTALLKEYS;
        AfxTestKey(&pDlg->m_second, VK_TAB);
        AfxPumpMessages();
        hAfterWantedTab = ::GetFocus();
        wantedChars = pDlg->m_second.chars;
        pDlg->EndDialog(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_NE(nullptr, hSecond);
    EXPECT_EQ(hSecond, hAfterTab);
    EXPECT_EQ(hAfterTab, hAfterWantedTab);
    EXPECT_EQ(std::vector<UINT>({9}), wantedChars);
}

}  // namespace
