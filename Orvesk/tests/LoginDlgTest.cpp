// The login dialog against the loopback project server: three tries, the server-error
// checklist, the empty user name, cancel; and the document's login running it.
#include <ClassLib/Testing.h>
#include <ProjectServiceLoopback/LoopbackProjectServer.h>
#include <ProjectService/ProjectServiceFactory.h>
#include <gtest/gtest.h>

#include "DocDialogsResource.h"
#include "LoginDlg.h"
#include "ProjectLogin.h"
#include "StringCipher.h"

namespace {

class LoginDlgTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        ASSERT_TRUE(server.Start());
        CString strCiphered = "秘密";
        EncryptString(strCiphered, g_szLoginCipherKey);
        server.AddUser("zhang", strCiphered, "张三");
    }
    void TearDown() override
    {
        server.Stop();
        CWndTestBase::TearDown();
    }

    // Types a user name and a password and presses OK.
    static void Enter(CWnd* pDlg, const char* pszUser, const char* pszPassword)
    {
        pDlg->SetDlgItemText(IDC_LOGIN_USERNAME, pszUser);
        pDlg->SetDlgItemText(IDC_LOGIN_PASSWORD, pszPassword);
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                          (LPARAM)pDlg->GetDlgItem(IDOK)->GetSafeHwnd());
    }

    CLoopbackProjectServer server;
};

TEST_F(LoginDlgTest, TwoWrongPasswordsThenTheRightOneLogsIn)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("请输入正确的用户名和密码!", IDOK);
    boxes.AnswerText("请输入正确的用户名和密码!", IDOK);
    CString strPasswordAfterFirst;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        Enter(pDlg, "zhang", "wrong");
        // The field keeps what was typed, not the enciphered form.
        pDlg->GetDlgItemText(IDC_LOGIN_PASSWORD, strPasswordAfterFirst);
        Enter(pDlg, "zhang", "again");
        Enter(pDlg, "zhang", "秘密");
    });
    CLoginDlg dlg;
    dlg.SetConnection(1, server.ServiceUrl(), "", "");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(strPasswordAfterFirst, CString("wrong"));
    CString strUser, strPassword;
    dlg.GetLoginInfo(strUser, strPassword);
    EXPECT_EQ(strUser, CString("zhang"));
    EXPECT_EQ(strPassword, CString("秘密"));
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Boxes()[0].caption, CString("系统提示"));
    EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
}

TEST_F(LoginDlgTest, ThirdWrongAnswerCancelsAndEmptiesTheFields)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("请输入正确的用户名和密码!", IDOK);
    boxes.AnswerText("请输入正确的用户名和密码!", IDOK);
    boxes.AnswerText("用户名或密码不正确!", IDOK);
    AfxTestPushModalScript([&](CWnd* pDlg) {
        Enter(pDlg, "zhang", "a");
        Enter(pDlg, "zhang", "b");
        Enter(pDlg, "zhang", "c");
    });
    CLoginDlg dlg;
    dlg.SetConnection(1, server.ServiceUrl(), "", "");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_strUserName, CString(""));
    EXPECT_EQ(dlg.m_strPassword, CString(""));
    EXPECT_EQ(boxes.Count(), 3);
}

TEST_F(LoginDlgTest, EmptyUserNameIsRefusedAndTheDialogStaysOpen)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("请输入用户名!", IDOK);
    bool bStillOpen = false;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        Enter(pDlg, "", "x");
        bStillOpen = ::IsWindow(pDlg->GetSafeHwnd()) && pDlg->IsWindowVisible();
        EXPECT_EQ(CWnd::GetFocus(), pDlg->GetDlgItem(IDC_LOGIN_USERNAME));
    });
    CLoginDlg dlg;
    dlg.SetConnection(1, server.ServiceUrl(), "", "");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(bStillOpen);
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(LoginDlgTest, ServerErrorShowsTheChecklistAndCancels)
{
    server.SetLoginServerError(true);
    CTestMessageBoxes boxes;
    boxes.AnswerText("服务器连接不上!\n\n请检查下面几项:\n1.服务器是否已配置好。\n"
                     "2.服务器名和站点名是否设置正确。\n3.代理是否设置正确。\n"
                     "4.SOAP和XML组件是否已正确安装。",
                     IDOK);
    AfxTestPushModalScript([&](CWnd* pDlg) { Enter(pDlg, "zhang", "秘密"); });
    CLoginDlg dlg;
    dlg.SetConnection(1, server.ServiceUrl(), "", "");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
}

TEST_F(LoginDlgTest, NoServiceComponentLeavesTheDialogOpenWithoutAMessage)
{
    CProjectServiceFactoryScope noService([] { return (IProjectService*)nullptr; });
    CTestMessageBoxes boxes;
    bool bStillOpen = false;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        Enter(pDlg, "zhang", "秘密");
        bStillOpen = pDlg->IsWindowVisible() != FALSE;
    });
    CLoginDlg dlg;
    dlg.SetConnection(1, server.ServiceUrl(), "", "");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(bStillOpen);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(LoginDlgTest, DocumentLoginRunsTheDialogAndCancelIsNoLogin)
{
    CLoginDlg::InstallAsProjectLogin();
    AfxTestPushModalScript([&](CWnd* pDlg) {
        CString strCaption;
        pDlg->GetWindowText(strCaption);
        EXPECT_EQ(strCaption, CString("用户登入"));
        AfxTestGrabWindow(pDlg, AfxTestOutputPath("login-dialog.png"));
        CWnd* pStatic = pDlg->GetWindow(GW_CHILD);
        CString strFirst;
        pStatic->GetWindowText(strFirst);
        EXPECT_EQ(strFirst, CString("你还没有登入服务器"));
        Enter(pDlg, "zhang", "秘密");
    });
    CString strUser, strPassword;
    EXPECT_TRUE(ProjectRunLogin(1, server.ServiceUrl(), "", "", strUser, strPassword));
    EXPECT_EQ(strUser, CString("zhang"));

    AfxTestPushModalResult(IDCANCEL);
    CString strUser2, strPassword2;
    EXPECT_FALSE(ProjectRunLogin(1, server.ServiceUrl(), "", "", strUser2, strPassword2));
    EXPECT_TRUE(strUser2.IsEmpty());
    ProjectSetLoginHandler(ProjectLoginHandler());
}

}  // namespace
