// The program against a project server started by the test: log in, open the project,
// change a task, save it to the server, open it again.
#include "TrellanTestSupport.h"

#include "Resource.h"
#include "Templates.h"

#include <DocDialogsResource.h>
#include <ProjDialogsResource.h>
#include <ProjectDialogHooks.h>
#include <ProjectService/ProjectServiceFactory.h>
#include <ProjectServiceLoopback/LoopbackProjectServer.h>
#include <StringCipher.h>
#include <TaskGridAccess.h>
#include <TaskTreeView.h>

#include <ClassLib/Testing/MessageBoxes.h>

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
        // The program's own open dialog, given back after the tests that script it.
        programOpenRunner = ProjectSetOpenRunner(ProjectOpenRunner());
        ProjectSetOpenRunner(programOpenRunner);
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
        ProjectSetOpenRunner(programOpenRunner);
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
    ProjectOpenRunner programOpenRunner;
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

// The whole program as a person uses it: the project chosen in the open dialog with one
// click and OK, a duration typed, Enter, another typed over it, a cycle refused, a list of
// predecessors typed; the server then holds exactly that.
const char kThreeTasks[] =
    "<PROJECT><ID>0</ID><NAME>厂房工程</NAME><GOAL></GOAL><COST>0</COST><ACTCOST>0</ACTCOST>"
    "<CREATIONDATE>2026-3-1 0:0:0</CREATIONDATE><STARTDATE>2026-3-2 0:0:0</STARTDATE>"
    "<FINISHDATE>2026-4-30 0:0:0</FINISHDATE><DEADLINEDATE>2026-5-15 0:0:0</DEADLINEDATE>"
    "<FLAG>0</FLAG><PRIORITY>2</PRIORITY><STATUS>0</STATUS><ISSUBPROJ>0</ISSUBPROJ><PROGRESS>0</PROGRESS>"
    "<MEMBERS><MEMBER><RESCODE>zhang</RESCODE><RESNAME>张三</RESNAME><RESTYPE>1</RESTYPE></MEMBER></MEMBERS>"
    "<TASKS>"
    "<TASK><TASKID>21</TASKID><NAME>打桩</NAME><STARTDATE>2026-3-2 0:0:0</STARTDATE>"
    "<FINISHDATE>2026-3-6 0:0:0</FINISHDATE><DURATION>432000</DURATION><ROWINGRID>1</ROWINGRID><FLAG>0</FLAG></TASK>"
    "<TASK><TASKID>23</TASKID><NAME>浇筑</NAME><STARTDATE>2026-3-9 0:0:0</STARTDATE>"
    "<FINISHDATE>2026-3-13 0:0:0</FINISHDATE><DURATION>432000</DURATION><ROWINGRID>2</ROWINGRID><FLAG>0</FLAG>"
    "<LINKS><LINK><PREDID>21</PREDID><TYPE>1</TYPE><LOGICALTYPE>0</LOGICALTYPE><SEQUENCE>0</SEQUENCE><LAG>0</LAG>"
    "</LINK></LINKS></TASK>"
    "<TASK><TASKID>25</TASKID><NAME>封顶</NAME><STARTDATE>2026-3-2 0:0:0</STARTDATE>"
    "<FINISHDATE>2026-3-3 0:0:0</FINISHDATE><DURATION>172800</DURATION><ROWINGRID>3</ROWINGRID><FLAG>0</FLAG></TASK>"
    "</TASKS></PROJECT>";

CString PredNames(const CTaskItem* pTask)
{
    CString s;
    for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;) {
        if (!s.IsEmpty())
            s += ",";
        s += pTask->m_listLinks.GetNext(pos)->m_strPredName;
    }
    return s;
}

TEST_F(ServerProjectTest, WhatIsTypedIntoTheTaskGridIsWhatTheServerKeeps)
{
    const LONG nOwn = server.AddProject(kThreeTasks);
    server.SetPermissions(nOwn, kPermissions);
    ASSERT_TRUE(Start({}));

    // Log in, then one click on the project's row and OK.
    AfxTestPushModalScript([](CWnd* pDlg) {
        pDlg->SetDlgItemText(IDC_LOGIN_USERNAME, "zhang");
        pDlg->SetDlgItemText(IDC_LOGIN_PASSWORD, "秘密");
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)pDlg->GetDlgItem(IDOK)->GetSafeHwnd());
    });
    AfxTestPushModalScript([](CWnd* pDlg) {
        CListCtrl* pList = static_cast<CListCtrl*>(pDlg->GetDlgItem(IDC_PROJ_OPEN_LIST));
        ASSERT_NE(pList, nullptr);
        for (int i = 0; i < pList->GetItemCount(); i++) {
            if (pList->GetItemText(i, 0) != CString("厂房工程"))
                continue;
            CRect rc;
            pList->GetItemRect(i, &rc, LVIR_BOUNDS);
            AfxTestClick(pList, CPoint(rc.left + 40, rc.CenterPoint().y));
        }
        CWnd* pOK = pDlg->GetDlgItem(IDOK);
        AfxTestClick(pOK, CPoint(5, 5));
    });
    AfxTestKey(Frame(), 'O', MK_CONTROL);
    AfxPumpMessages();
    CProjectDoc* pDoc = nullptr;
    for (CProjectDoc* p : OpenProjects())
        if (p->m_nProjectID == nOwn)
            pDoc = p;
    ASSERT_NE(pDoc, nullptr);
    CTaskTreeView* pTree = nullptr;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != nullptr && !pTree;)
        pTree = DYNAMIC_DOWNCAST(CTaskTreeView, pDoc->GetNextView(pos));
    ASSERT_NE(pTree, nullptr);
    CTaskGridAccess grid(pTree);
    CWnd* pGrid = &pTree->GetGrid();
    auto focus = [&](int nRow, int nCol) {
        grid.SetFocusCell(nRow, nCol);
        AfxTestFocus(pGrid);
    };
    auto key = [](UINT nKey) {
        AfxTestKey(CWnd::GetFocus(), nKey);
        AfxPumpMessages();
    };

    // A duration, Enter, and another typed over it at once.
    focus(1, 3);
    AfxTestTypeText(pGrid, "7");
    key(VK_RETURN);
    EXPECT_EQ(grid.GetText(1, 3), CString("7个工作日"));
    AfxTestTypeText(CWnd::GetFocus(), "6");
    key(VK_RETURN);
    EXPECT_EQ(grid.GetText(1, 3), CString("6个工作日"));

    // 打桩 after 浇筑 would close a cycle: refused, nothing changes.
    {
        CTestMessageBoxes boxes;
        boxes.AnswerText("循环链接", IDOK);
        focus(1, 6);
        AfxTestTypeText(pGrid, "2");
        key(VK_RETURN);
        EXPECT_EQ(boxes.Count(), 1);
    }
    EXPECT_EQ(grid.GetText(1, 6), CString(""));

    // 封顶 after both.
    focus(3, 6);
    AfxTestTypeText(pGrid, "1,2");
    key(VK_RETURN);
    EXPECT_EQ(grid.GetText(3, 6), CString("1,2"));
    EXPECT_TRUE(AfxTestGrabWindow(Frame(), AfxTestOutputPath("trellan_typed_links.png")));

    Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE, 0);
    AfxPumpMessages();
    EXPECT_FALSE(pDoc->IsModified());
    pDoc->OnCloseDocument();
    AfxPumpMessages();

    // What the server keeps, read back as the program reads it.
    nProject = nOwn;
    CProjectDoc* pAgain = OpenFromServer();
    ASSERT_NE(pAgain, nullptr);
    CTaskItem* pPiles = FindTask(pAgain->m_listTasks, "打桩");
    CTaskItem* pPour = FindTask(pAgain->m_listTasks, "浇筑");
    CTaskItem* pRoof = FindTask(pAgain->m_listTasks, "封顶");
    ASSERT_TRUE(pPiles && pPour && pRoof);
    EXPECT_EQ(pPiles->m_nDuration, 6 * 86400);
    EXPECT_EQ(PredNames(pPiles), CString(""));
    EXPECT_EQ(PredNames(pPour), CString("打桩"));
    EXPECT_EQ(PredNames(pRoof), CString("打桩,浇筑"));
    EXPECT_EQ(pRoof->m_nDuration, 172800);
    // 浇筑 follows the shorter 打桩 no earlier than it did; 封顶 now starts after 浇筑.
    EXPECT_GT(pRoof->m_dtStart, pPour->m_dtFinish);
}

}  // namespace
