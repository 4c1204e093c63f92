// A modal dialog opened from inside another one with the main window as its parent (as
// the document pickers are opened from the task sheet) takes the mouse, and so does the
// one it opens in turn.
#include <ClassLib/Testing.h>

#include <ClassLib/Wnd/QtInterop.h>

#include <QWidget>

namespace {

enum : int { IDC_PRESS = 40301 };

const AFX_DLG_ITEM kItems[] = {
    {"BUTTON", IDC_PRESS, "Press", WS_VISIBLE | WS_TABSTOP, 7, 7, 50, 14},
    {"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 30, 50, 14},
};
const AFX_DLG_TEMPLATE kTpl = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 120, 60,
                               "Nested", "\xcb\xce\xcc\xe5", 9, AFX_DLG_ITEMS(kItems)};

class CPressDlg : public CDialog
{
public:
    explicit CPressDlg(CWnd* pParent) { InitModalIndirect(&kTpl, pParent); }
    int m_nPressed = 0;
    void OnPress() { m_nPressed++; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPressDlg, CDialog)
    ON_BN_CLICKED(IDC_PRESS, OnPress)
END_MESSAGE_MAP()

class NestedModalTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        m_pFrame = new CFrameWnd;  // deletes itself with its window
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
        m_pFrame->ShowWindow(SW_SHOW);
        m_pApp = new CWinApp("Nested");
        m_pApp->m_pMainWnd = m_pFrame;
        AfxPumpMessages();
    }
    void TearDown() override
    {
        m_pApp->m_pMainWnd = nullptr;
        m_pFrame->DestroyWindow();
        delete m_pApp;
        CWndTestBase::TearDown();
    }
    // A click on the dialog's button as the mouse gives it: TRUE when the dialog heard it.
    static BOOL ClickPress(CPressDlg* pDlg)
    {
        CWnd* pButton = pDlg->GetDlgItem(IDC_PRESS);
        CRect rc;
        pButton->GetClientRect(rc);
        const int nBefore = pDlg->m_nPressed;
        AfxTestClick(pButton, rc.CenterPoint());
        AfxPumpMessages();
        return pDlg->m_nPressed == nBefore + 1;
    }
    CFrameWnd* m_pFrame = nullptr;
    CWinApp* m_pApp = nullptr;
};

}  // namespace

TEST_F(NestedModalTest, ADialogOpenedFromAModalOneWithTheMainWindowAsParentTakesTheMouse)
{
    BOOL bOuter = FALSE, bInner = FALSE, bInnerEnabled = FALSE, bOuterDisabled = FALSE, bOuterAgain = FALSE;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        auto* pOuter = static_cast<CPressDlg*>(pWnd);
        bOuter = ClickPress(pOuter);
        AfxTestPushModalScript([&](CWnd* pInnerWnd) {
            auto* pInner = static_cast<CPressDlg*>(pInnerWnd);
            bInnerEnabled = AfxGetWidget(pInner->GetSafeHwnd())->isEnabled();
            bOuterDisabled = !pOuter->IsWindowEnabled();
            bInner = ClickPress(pInner);
        });
        CPressDlg inner(m_pFrame);
        inner.DoModal();
        bOuterAgain = ClickPress(pOuter);
    });
    CPressDlg outer(m_pFrame);
    outer.DoModal();
    EXPECT_TRUE(bOuter);
    EXPECT_TRUE(bInnerEnabled);
    EXPECT_TRUE(bInner);
    // The dialog it was opened from waits, as its owner does, and takes the mouse again after.
    EXPECT_TRUE(bOuterDisabled);
    EXPECT_TRUE(bOuterAgain);
    EXPECT_TRUE(m_pFrame->IsWindowEnabled());
}

TEST_F(NestedModalTest, ACaptureHeldInsideTheWindowAModalDialogDisablesGoesAndTheDialogTakesTheMouse)
{
    BOOL bInner = FALSE;
    HWND hCaptureInside = reinterpret_cast<HWND>(1);
    AfxTestPushModalScript([&](CWnd* pWnd) {
        auto* pOuter = static_cast<CPressDlg*>(pWnd);
        // A button that tracks the pointer holds the capture when it is clicked.
        pOuter->GetDlgItem(IDC_PRESS)->SetCapture();
        AfxTestPushModalScript([&](CWnd* pInnerWnd) {
            hCaptureInside = ::GetCapture();
            bInner = ClickPress(static_cast<CPressDlg*>(pInnerWnd));
        });
        CPressDlg inner(m_pFrame);
        inner.DoModal();
    });
    CPressDlg outer(m_pFrame);
    outer.DoModal();
    EXPECT_EQ(nullptr, hCaptureInside);
    EXPECT_TRUE(bInner);
}

TEST_F(NestedModalTest, ActivatingTheWindowThatWaitsForAModalDialogKeepsTheDialogActive)
{
    HWND hActiveAfterMain = nullptr, hActiveAfterChild = nullptr, hDialog = nullptr;
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), m_pFrame, 1));
    AfxTestPushModalScript([&](CWnd* pWnd) {
        hDialog = pWnd->GetSafeHwnd();
        // A tip of the main window hiding itself gives the activation back to its owner.
        m_pFrame->SetActiveWindow();
        hActiveAfterMain = ::GetActiveWindow();
        child.SetActiveWindow();
        hActiveAfterChild = ::GetActiveWindow();
    });
    CPressDlg dlg(m_pFrame);
    dlg.DoModal();
    EXPECT_NE(nullptr, hDialog);
    EXPECT_EQ(hDialog, hActiveAfterMain);
    EXPECT_EQ(hDialog, hActiveAfterChild);
    // Once the dialog is gone the main window takes the activation again.
    m_pFrame->SetActiveWindow();
    EXPECT_EQ(m_pFrame->GetSafeHwnd(), ::GetActiveWindow());
    child.DestroyWindow();
}
