// The program against a project server started by the test: log in, open the project,
// change a task, save it to the server, open it again.
#include "TrellanTestSupport.h"

#include "Resource.h"
#include "Templates.h"

#include <DocDialogsResource.h>
#include <ProjectDialogHooks.h>
#include <ProjectService/ProjectServiceFactory.h>
#include <ProjectServiceLoopback/LoopbackProjectServer.h>
#include <StringCipher.h>

namespace {

const char kProject[] =
    "<PROJECT><ID>0</ID><NAME>桥梁工程</NAME><GOAL>按期交付</GOAL><COST>1200</COST><ACTCOST>0</ACTCOST>"
    "<CREATIONDATE>2026-3-1 0:0:0</CREATIONDATE><STARTDATE>2026-3-2 0:0:0</STARTDATE>"
    "<FINISHDATE>2026-4-30 0:0:0</FINISHDATE><DEADLINEDATE>2026-5-15 0:0:0</DEADLINEDATE>"
    "<FLAG>0</FLAG><PRIORITY>2</PRIORITY><STATUS>0</STATUS><ISSUBPROJ>0</ISSUBPROJ><PROGRESS>0</PROGRESS>"
    "<MEMBERS><MEMBER><RESCODE>zhang</RESCODE><RESNAME>张三</RESNAME><RESTYPE>1</RESTYPE></MEMBER></MEMBERS>"
    "<TASKS>"
    "<TASK><TASKID>11</TASKID><NAME>设计</NAME><STARTDATE>2026-3-2 0:0:0</STARTDATE>"
    "<FINISHDATE>2026-3-6 0:0:0</FINISHDATE><DURATION>432000</DURATION><ROWINGRID>1</ROWINGRID><FLAG>0</FLAG></TASK>"
    "<TASK><TASKID>13</TASKID><NAME>制造</NAME><STARTDATE>2026-3-9 0:0:0</STARTDATE>"
    "<FINISHDATE>2026-3-20 0:0:0</FINISHDATE><DURATION>864000</DURATION><ROWINGRID>2</ROWINGRID><FLAG>0</FLAG>"
    "<LINKS><LINK><PREDID>11</PREDID><TYPE>1</TYPE><LOGICALTYPE>0</LOGICALTYPE><SEQUENCE>0</SEQUENCE><LAG>0</LAG>"
    "</LINK></LINKS></TASK>"
    "</TASKS></PROJECT>";

const char kPermissions[] = "<PERMISSIONS><PERMISSION><RESCODE>zhang</RESCODE><OPENPROJ>1</OPENPROJ>"
                            "<PUBLISHPROJ>1</PUBLISHPROJ><DELETEPROJ>1</DELETEPROJ><MODIFYPROGRESS>1</MODIFYPROGRESS>"
                            "<LOOKPROGRESS>1</LOOKPROGRESS><FORUM>1</FORUM><DESC></DESC></PERMISSION></PERMISSIONS>";

CTaskItem* FindTask(CTaskItemList& list, const CString& strName)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTaskItem* pTask = list.GetNext(pos);
        if (pTask->m_strName == strName)
            return pTask;
        if (CTaskItem* pFound = FindTask(pTask->m_listChildren, strName))
            return pFound;
    }
    return nullptr;
}

class ServerProjectTest : public TrellanTest
{
protected:
    void SetUp() override
    {
        TrellanTest::SetUp();
        ASSERT_TRUE(server.Start());
        SetProjectServiceTimeouts(2000, 10000);
        CString strCiphered = "秘密";
        EncryptString(strCiphered, g_szLoginCipherKey);
        server.AddUser("zhang", strCiphered, "张三");
        nProject = server.AddProject(kProject);
        server.SetPermissions(nProject, kPermissions);
        WriteServerConnection(server.Port());
    }
    void TearDown() override
    {
        TrellanTest::TearDown();
        ProjectSetOpenRunner(ProjectOpenRunner());
        SetProjectServiceTimeouts(10000, 60000);
        server.Stop();
    }

    // Ctrl+O: the login dialog (answered with the user's password), then the project chosen
    // in the open dialog. The project's open window, or NULL.
    CProjectDoc* OpenFromServer()
    {
        AfxTestPushModalScript([](CWnd* pDlg) {
            pDlg->SetDlgItemText(IDC_LOGIN_USERNAME, "zhang");
            pDlg->SetDlgItemText(IDC_LOGIN_PASSWORD, "秘密");
            pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)pDlg->GetDlgItem(IDOK)->GetSafeHwnd());
        });
        LONG nID = nProject;
        ProjectSetOpenRunner([nID](int, const CString& strUser, const CString&, const CString&, const CString&,
                                   int& nSelected) {
            EXPECT_EQ(strUser, CString("zhang"));
            nSelected = (int)nID;
            return (INT_PTR)IDOK;
        });
        AfxTestKey(Frame(), 'O', MK_CONTROL);
        AfxPumpMessages();
        for (CProjectDoc* pDoc : OpenProjects())
            if (pDoc->m_bLocalFile == 0 && pDoc->m_nProjectID == nProject)
                return pDoc;
        return nullptr;
    }

    CLoopbackProjectServer server;
    LONG nProject = 0;
};

TEST_F(ServerProjectTest, LogInOpenChangeSaveAndOpenAgain)
{
    ASSERT_TRUE(Start({}));
    CProjectDoc* pDoc = OpenFromServer();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetLoginName(), CString("zhang"));
    EXPECT_EQ(pDoc->GetTitle(), CString("桥梁工程"));
    EXPECT_EQ(Frame()->MDIGetActive()->GetActiveDocument(), pDoc);
    EXPECT_EQ(Frame()->GetProgressBar(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(AfxTestGrabWindow(Frame(), AfxTestOutputPath("trellan_server_project.png")));

    CTaskItem* pTask = FindTask(pDoc->m_listTasks, "设计");
    ASSERT_NE(pTask, nullptr);
    EXPECT_EQ(pTask->m_nDuration, 432000);
    pTask->m_nDuration = 7 * 86400;
    pTask->m_nFlag = 2;
    pDoc->SetModifiedFlag();
    Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE, 0);  // a server project saves to the server
    AfxPumpMessages();
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(Frame()->GetProgressBar(), nullptr);
    pDoc->OnCloseDocument();
    AfxPumpMessages();
    EXPECT_TRUE(OpenProjects().empty());

    CProjectDoc* pAgain = OpenFromServer();
    ASSERT_NE(pAgain, nullptr);
    CTaskItem* pSaved = FindTask(pAgain->m_listTasks, "设计");
    ASSERT_NE(pSaved, nullptr);
    EXPECT_EQ(pSaved->m_nDuration, 7 * 86400);
    ASSERT_NE(FindTask(pAgain->m_listTasks, "制造"), nullptr);
    EXPECT_EQ(FindTask(pAgain->m_listTasks, "制造")->m_nDuration, 864000);
}

}  // namespace
