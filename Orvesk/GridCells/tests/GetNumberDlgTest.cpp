// The number-entry dialog under a test script.
#include "GetNumberDlg.h"

#include <ClassLib/Testing.h>

namespace {

CString Text(CWnd* pWnd)
{
    CString s;
    pWnd->GetWindowText(s);
    return s;
}

class GetNumberDlgTest : public CWndTestBase {
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }
};

}  // namespace

TEST_F(GetNumberDlgTest, ShowsThePromptAndReadsTheNumber)
{
    CGetNumberDlg dlg;
    EXPECT_EQ(dlg.m_nNumber, 0);
    dlg.m_strPrompt = "行数";
    dlg.m_strTitle = "插入多个任务";
    AfxTestPushModalScript([](CWnd* pWnd) {
        auto* d = static_cast<CGetNumberDlg*>(pWnd);
        EXPECT_STREQ(Text(d), "插入多个任务");
        EXPECT_STREQ(Text(d->GetDlgItem(IDC_GETNUMBER_PROMPT)), "行数");
        EXPECT_STREQ(Text(d->GetDlgItem(IDC_GETNUMBER_EDIT)), "0");
        EXPECT_EQ(d->m_editNumber.GetSafeHwnd(), d->GetDlgItem(IDC_GETNUMBER_EDIT)->GetSafeHwnd());
        EXPECT_EQ(d->m_staticPrompt.GetSafeHwnd(), d->GetDlgItem(IDC_GETNUMBER_PROMPT)->GetSafeHwnd());
        d->GetDlgItem(IDC_GETNUMBER_EDIT)->SetWindowText("12");
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nNumber, 12);
    ASSERT_EQ(AfxTestModalLog().size(), 1u);
    EXPECT_EQ(AfxTestModalLog()[0].nIDTemplate, static_cast<UINT>(IDD_GETNUMBER));
}

TEST_F(GetNumberDlgTest, TemplateCaptionIsDialog)
{
    CGetNumberDlg dlg;
    AfxTestPushModalScript([](CWnd* pWnd) {
        EXPECT_STREQ(Text(pWnd), "Dialog");
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nNumber, 0);
}

TEST_F(GetNumberDlgTest, HexadecimalIsNoNumber)
{
    CGetNumberDlg dlg;
    CTestMessageBoxes boxes;
    boxes.AnswerText("Please enter an integer.", IDOK);
    AfxTestPushModalScript([](CWnd* pWnd) {
        pWnd->GetDlgItem(IDC_GETNUMBER_EDIT)->SetWindowText("0x10");
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(::IsWindowVisible(pWnd->GetSafeHwnd()));
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(dlg.m_nNumber, 0);
}
