// The open-project dialog: the list request with its settings, the rows and their
// pictures, OK on the selection mark, the double click, replies that are no project list,
// and opening a project of the loopback server through the document.
#include <ClassLib/Testing.h>
#include <ProjectService/FakeProjectService.h>
#include <gtest/gtest.h>

#include "ProjDialogsResource.h"
#include "ProjOpenDlg.h"
#include "ProjectDocAppTest.h"

namespace {

CListCtrl* ListOf(CWnd* pDlg)
{
    return static_cast<CListCtrl*>(pDlg->GetDlgItem(IDC_PROJ_OPEN_LIST));
}

CPoint RowCentre(CListCtrl* pList, int nRow)
{
    CRect rc;
    pList->GetItemRect(nRow, &rc, LVIR_BOUNDS);
    return CPoint(rc.left + 40, rc.CenterPoint().y);
}

int ImageOf(CListCtrl* pList, int nRow)
{
    LVITEM item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nRow;
    pList->GetItem(&item);
    return item.iImage;
}

void PressOK(CWnd* pDlg)
{
    pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)pDlg->GetDlgItem(IDOK)->GetSafeHwnd());
}

class ProjOpenDlgFakeTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        fake.Install();
    }
    void TearDown() override
    {
        fake.Uninstall();
        CWndTestBase::TearDown();
    }
    CFakeProjectService fake;
};

TEST_F(ProjOpenDlgFakeTest, ProxyIsSetOnlyWithoutTheNoProxySwitchAndTheUserIsAsked)
{
    AfxTestPushModalScript([](CWnd*) {});
    CProjOpenDlg dlg;
    dlg.SetConnection(0, "u1", "http://srv/site/WebService/OrveskService.WSDL", "8080", "10.0.0.1");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(fake.CallNames(),
              (std::vector<std::string>{"SetServiceUrl", "SetProxyServer", "SetProxyPort", "GetProjectList"}));
    EXPECT_EQ(fake.Calls()[0].args[0], CString("http://srv/site/WebService/OrveskService.WSDL"));
    EXPECT_EQ(fake.Calls()[1].args[0], CString("10.0.0.1"));
    EXPECT_EQ(fake.Calls()[2].args[0], CString("8080"));
    EXPECT_EQ(fake.Calls()[3].args[0], CString("u1"));
    EXPECT_EQ(fake.InstancesAlive(), 0);

    fake.ClearCalls();
    AfxTestPushModalScript([](CWnd*) {});
    CProjOpenDlg dlg2;
    dlg2.SetConnection(1, "u1", "http://srv/site/WebService/OrveskService.WSDL", "8080", "10.0.0.1");
    dlg2.DoModal();
    EXPECT_EQ(fake.CallNames(), (std::vector<std::string>{"SetServiceUrl", "GetProjectList"}));
}

TEST_F(ProjOpenDlgFakeTest, WithoutAServiceAddressNothingIsAsked)
{
    CTestMessageBoxes boxes;
    int nRows = -1;
    AfxTestPushModalScript([&](CWnd* pDlg) { nRows = ListOf(pDlg)->GetItemCount(); });
    CProjOpenDlg dlg;
    dlg.SetConnection(1, "u1", "", "", "");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(nRows, 0);
    EXPECT_EQ(fake.InstancesCreated(), 0);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(ProjOpenDlgFakeTest, RowsTheirPicturesDatesAndIds)
{
    fake.projectList = "<PROJECTS>"
                       "<PROJ><ID>21</ID><NAME>新项目</NAME><STATUS>0</STATUS><CREATIONDATE>2026-1-2</CREATIONDATE></PROJ>"
                       "<PROJ><ID>22</ID><NAME>进行中</NAME><STATUS>3</STATUS><CREATIONDATE>2026-1-3</CREATIONDATE></PROJ>"
                       "<PROJ><ID>23</ID><NAME>完成</NAME><STATUS>5</STATUS></PROJ>"
                       "<PROJ><ID>24</ID><NAME>怪</NAME><STATUS>6</STATUS></PROJ>"
                       "<PROJ><ID>25</ID><NAME>负</NAME><STATUS>-1</STATUS></PROJ>"
                       "</PROJECTS>";
    std::vector<int> images;
    std::vector<CString> names, dates;
    std::vector<DWORD_PTR> ids;
    DWORD dwExStyle = 0;
    int nWidth0 = 0, nWidth1 = 0;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        CListCtrl* pList = ListOf(pDlg);
        for (int i = 0; i < pList->GetItemCount(); ++i) {
            images.push_back(ImageOf(pList, i));
            names.push_back(pList->GetItemText(i, 0));
            dates.push_back(pList->GetItemText(i, 1));
            ids.push_back(pList->GetItemData(i));
        }
        dwExStyle = pList->GetExtendedStyle();
        nWidth0 = pList->GetColumnWidth(0);
        nWidth1 = pList->GetColumnWidth(1);
        ASSERT_NE(pList->GetImageList(LVSIL_SMALL), nullptr);
        EXPECT_EQ(pList->GetImageList(LVSIL_SMALL)->GetImageCount(), 3);
        AfxTestGrabWindow(pDlg, AfxTestOutputPath("proj-open-dialog-statuses.png"));
    });
    CProjOpenDlg dlg;
    dlg.SetConnection(1, "u1", "http://srv/site/WebService/OrveskService.WSDL", "", "");
    dlg.DoModal();
    EXPECT_EQ(images, (std::vector<int>{0, 1, 2, 0, 0}));
    EXPECT_EQ(names, (std::vector<CString>{"新项目", "进行中", "完成", "怪", "负"}));
    EXPECT_EQ(dates, (std::vector<CString>{"2026-1-2", "2026-1-3", "", "", ""}));
    EXPECT_EQ(ids, (std::vector<DWORD_PTR>{21, 22, 23, 24, 25}));
    EXPECT_EQ(dwExStyle & 0x520u, 0x520u);
    EXPECT_EQ(nWidth0, 250);
    EXPECT_EQ(nWidth1, 100);
}

TEST_F(ProjOpenDlgFakeTest, AListThatCouldNotBeHadIsToldAndTheDialogStaysUsable)
{
    fake.projectList = "<PROJECTS><PROJ><ID>1</ID></PROJ></PROJECTS>";
    const struct {
        HRESULT hr;
        const char* pszTold;
    } cases[] = {{S_FALSE, "获取项目列表失败!"}, {PS_E_CONNECT, "服务器连接不上!"}, {E_FAIL, "服务器连接不上!"}};
    auto run = [&](const char* pszTold) {
        CTestMessageBoxes boxes;
        boxes.AnswerText(pszTold, IDOK);
        int nRows = -1;
        bool bOpen = false;
        AfxTestPushModalScript([&](CWnd* pDlg) {
            nRows = ListOf(pDlg)->GetItemCount();
            PressOK(pDlg);
            bOpen = ::IsWindow(pDlg->GetSafeHwnd()) && pDlg->IsWindowVisible();
        });
        CProjOpenDlg dlg;
        dlg.SetConnection(1, "u1", "http://srv/x.WSDL", "", "");
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(nRows, 0) << pszTold;
        EXPECT_TRUE(bOpen) << pszTold;
        ASSERT_EQ(boxes.Count(), 1) << pszTold;
        EXPECT_EQ(boxes.Boxes()[0].caption, CString("系统提示"));
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
    };
    for (const auto& c : cases) {
        fake.ScriptCall("GetProjectList", c.hr, "<PROJECTS><PROJ><ID>1</ID></PROJ></PROJECTS>", 0, 1);
        run(c.pszTold);
    }
    fake.FailCreation();
    run("客户端组件创建失败!");
}

TEST_F(ProjOpenDlgFakeTest, AReplyThatIsNoProjectListIsToldAndListsNothing)
{
    for (const char* pszReply : {"", "<<garbage", "<PROJECT><PROJ><ID>1</ID></PROJ></PROJECT>"}) {
        fake.projectList = pszReply;
        CTestMessageBoxes boxes;
        boxes.AnswerText("服务器返回的项目列表无法识别!", IDOK);
        int nRows = -1;
        AfxTestPushModalScript([&](CWnd* pDlg) { nRows = ListOf(pDlg)->GetItemCount(); });
        CProjOpenDlg dlg;
        dlg.SetConnection(1, "u1", "http://srv/x.WSDL", "", "");
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(nRows, 0) << pszReply;
        ASSERT_EQ(boxes.Count(), 1) << pszReply;
        EXPECT_EQ(boxes.Boxes()[0].caption, CString("系统提示"));
        EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
    }
    // A user without projects gets an empty list and no message.
    fake.projectList = "<PROJECTS/>";
    CTestMessageBoxes boxes;
    AfxTestPushModalScript([](CWnd*) {});
    CProjOpenDlg dlg;
    dlg.SetConnection(1, "u1", "http://srv/x.WSDL", "", "");
    dlg.DoModal();
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(ProjOpenDlgFakeTest, OkWithoutASelectionKeepsTheDialogOpen)
{
    fake.projectList = "<PROJECTS><PROJ><ID>5</ID><NAME>a</NAME></PROJ></PROJECTS>";
    bool bOpen = false;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        PressOK(pDlg);
        bOpen = ::IsWindow(pDlg->GetSafeHwnd()) && pDlg->IsWindowVisible();
    });
    CProjOpenDlg dlg;
    dlg.SetConnection(1, "u1", "http://srv/x.WSDL", "", "");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(bOpen);
    EXPECT_EQ(dlg.GetSelectedId(), 0);
}

TEST_F(ProjOpenDlgFakeTest, OkTakesTheRowLastSelectedAndANegativeIdIsGivenBack)
{
    fake.projectList = "<PROJECTS><PROJ><ID>5</ID><NAME>a</NAME></PROJ><PROJ><ID>-3</ID><NAME>b</NAME></PROJ>"
                       "<PROJ><ID>9</ID><NAME>c</NAME></PROJ></PROJECTS>";
    AfxTestPushModalScript([&](CWnd* pDlg) {
        CListCtrl* pList = ListOf(pDlg);
        AfxTestClick(pList, RowCentre(pList, 2));
        AfxTestClick(pList, RowCentre(pList, 1));
        PressOK(pDlg);
    });
    CProjOpenDlg dlg;
    dlg.SetConnection(1, "u1", "http://srv/x.WSDL", "", "");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetSelectedId(), -3);
}

TEST_F(ProjOpenDlgFakeTest, ADoubleClickOnARowChoosesIt)
{
    fake.projectList = "<PROJECTS><PROJ><ID>5</ID><NAME>a</NAME></PROJ><PROJ><ID>9</ID><NAME>c</NAME></PROJ></PROJECTS>";
    AfxTestPushModalScript([&](CWnd* pDlg) {
        CListCtrl* pList = ListOf(pDlg);
        AfxTestDoubleClick(pList, RowCentre(pList, 1));
    });
    CProjOpenDlg dlg;
    dlg.SetConnection(1, "u1", "http://srv/x.WSDL", "", "");
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetSelectedId(), 9);
}

TEST_F(ProjOpenDlgFakeTest, CancelLeavesTheIdZero)
{
    fake.projectList = "<PROJECTS><PROJ><ID>5</ID><NAME>a</NAME></PROJ></PROJECTS>";
    AfxTestPushModalScript([&](CWnd* pDlg) {
        CListCtrl* pList = ListOf(pDlg);
        AfxTestClick(pList, RowCentre(pList, 0));
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    CProjOpenDlg dlg;
    dlg.SetConnection(1, "u1", "http://srv/x.WSDL", "", "");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetSelectedId(), 0);
}

// Against the loopback project server, through the document's open command.
class ProjOpenDlgServerTest : public ProjectDocAppTest
{
protected:
    void SetUp() override
    {
        ProjectDocAppTest::SetUp();
        CString strDone = SampleServerProject("已完成的工程");
        strDone.Replace("<STATUS>0</STATUS>", "<STATUS>5</STATUS>");
        nFirst = server.AddOwnProject(SampleServerProject("桥梁工程"));
        nSecond = server.AddOwnProject(strDone);
        CString strOther = SampleServerProject("别人的项目");
        strOther.Replace("<RESCODE>u1</RESCODE>", "<RESCODE>u7</RESCODE>");
        server.AddProject(strOther);
        server.ClearRequests();
    }
    LONG nFirst = 0;
    LONG nSecond = 0;
};

TEST_F(ProjOpenDlgServerTest, ListsTheUsersProjectsAndOpensTheOneChosen)
{
    CProjOpenDlg::InstallAsProjectOpen();
    CProjectDoc* pShell = ShellDocument(0, "u1");
    std::vector<CString> names;
    std::vector<int> images;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        CListCtrl* pList = ListOf(pDlg);
        for (int i = 0; i < pList->GetItemCount(); ++i) {
            names.push_back(pList->GetItemText(i, 0));
            images.push_back(ImageOf(pList, i));
        }
        AfxTestGrabWindow(pDlg, AfxTestOutputPath("proj-open-dialog.png"));
        AfxTestClick(pList, RowCentre(pList, 1));
        PressOK(pDlg);
    });
    const int nBefore = DocumentCount();
    pShell->FileOpen(CString());
    AfxPumpMessages();
    EXPECT_EQ(names, (std::vector<CString>{"桥梁工程", "已完成的工程"}));
    EXPECT_EQ(images, (std::vector<int>{0, 2}));
    ASSERT_EQ(DocumentCount(), nBefore + 1);
    CProjectDoc* pLast = nullptr;
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos != NULL)
        pLast = dynamic_cast<CProjectDoc*>(pTemplate->GetNextDoc(pos));
    ASSERT_NE(pLast, nullptr);
    EXPECT_EQ(pLast->m_nProjectID, nSecond);
    EXPECT_EQ(pLast->GetTitle(), CString("已完成的工程"));
    EXPECT_EQ(Operations().front(), "GetProjectList");
}

TEST_F(ProjOpenDlgServerTest, CancelOpensNothing)
{
    CProjOpenDlg::InstallAsProjectOpen();
    CProjectDoc* pShell = ShellDocument(0, "u1");
    AfxTestPushModalScript([&](CWnd* pDlg) {
        CListCtrl* pList = ListOf(pDlg);
        AfxTestClick(pList, RowCentre(pList, 0));
    });
    const int nBefore = DocumentCount();
    pShell->FileOpen(CString());
    EXPECT_EQ(DocumentCount(), nBefore);
    EXPECT_EQ(Operations(), (std::vector<std::string>{"GetProjectList"}));
}

} // namespace
