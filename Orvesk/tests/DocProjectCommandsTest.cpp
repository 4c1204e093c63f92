// The project commands on a server project: information, publishing, stopping, deleting,
// saving to the server with the user's own right, and the calendar.
#include "ProjectDocAppTest.h"

#include <Tavrin/CalendarItem.h>
#include <Tavrin/DayOfWeek.h>

#include "ProjectDocIds.h"

namespace {

const INT_PTR kWizardFinish = 12325;

CString Permissions(int nPublish, int nDelete)
{
    CString s;
    s.Format("<PERMISSIONS><PERMISSION><RESCODE>u1</RESCODE><OPENPROJ>1</OPENPROJ><PUBLISHPROJ>%d</PUBLISHPROJ>"
             "<DELETEPROJ>%d</DELETEPROJ><MODIFYPROGRESS>0</MODIFYPROGRESS><LOOKPROGRESS>1</LOOKPROGRESS>"
             "<FORUM>1</FORUM><DESC></DESC></PERMISSION></PERMISSIONS>",
             nPublish, nDelete);
    return s;
}

class DocProjectCommandsTest : public ProjectDocAppTest
{
protected:
    void SetUp() override
    {
        ProjectDocAppTest::SetUp();
        nProject = server.AddProject(SampleServerProject("桥梁工程"));
        server.SetResources("<RESOURCES><RESOURCE><RESCODE>u1</RESCODE><RESNAME>张三</RESNAME></RESOURCE>"
                            "<RESOURCE><RESCODE>u2</RESCODE><RESNAME>李四</RESNAME></RESOURCE></RESOURCES>");
    }
    void Open(int nPublish = 1, int nDelete = 1)
    {
        server.SetPermissions(nProject, Permissions(nPublish, nDelete));
        pDoc = OpenServerProject(nProject);
        ASSERT_NE(pDoc, nullptr);
        server.ClearRequests();
    }
    // The sheet answers nResult and records what it was given; on acceptance it renames the
    // project.
    void ScriptSheet(INT_PTR nResult, const CString& strNewName = "跨江大桥")
    {
        ProjectSetSheetRunner([this, nResult, strNewName](const CString& strCaption, int nKind, CProjSheetData& data) {
            ++nSheets;
            strCaption_ = strCaption;
            nKind_ = nKind;
            nMemberFlag_ = data.nMemberFlag;
            strCost_ = data.strCost;
            if (nResult != IDCANCEL) {
                data.strName = strNewName;
                data.strCost = "2500";
            }
            return nResult;
        });
    }
    int StoredStatus()
    {
        CString s;
        if (!server.GetProject(nProject, s))
            return -1;
        const int i = s.Find("<STATUS>");
        return i < 0 ? -1 : atoi((LPCTSTR)s + i + 8);
    }

    LONG nProject = 0;
    CProjectDoc* pDoc = nullptr;
    int nSheets = 0;
    CString strCaption_;
    int nKind_ = -1;
    int nMemberFlag_ = -1;
    CString strCost_;
};

TEST_F(DocProjectCommandsTest, ProjectInformationAddsMissingRecordsAndMarksTheHeader)
{
    Open();
    ScriptSheet(IDOK);
    EXPECT_TRUE(Command(pDoc, ID_PROJ_INFO));
    EXPECT_EQ(strCaption_, CString("项目信息"));
    EXPECT_EQ(nKind_, 1);
    EXPECT_EQ(nMemberFlag_, 1);
    EXPECT_EQ(strCost_, CString("1200"));
    EXPECT_EQ(pDoc->m_ProjectInfo.m_strName, CString("跨江大桥"));
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nCost, 2500);
    EXPECT_EQ(pDoc->GetTitle(), CString("跨江大桥"));
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nFlag, FLAG_MODIFIED);
    EXPECT_TRUE(pDoc->IsModified());
    // u2 had no record: it got one to look at the progress and use the forum.
    ASSERT_EQ(pDoc->m_listPermissions.GetCount(), 2);
    const tagPermInfo& perm = pDoc->m_listPermissions.GetTail();
    EXPECT_EQ(perm.strCode, CString("u2"));
    EXPECT_EQ(perm.strName, CString("李四"));
    EXPECT_EQ(perm.nLookProgress, 1);
    EXPECT_EQ(perm.nForum, 1);
    EXPECT_EQ(perm.nOpenProj + perm.nPublishProj + perm.nDeleteProj + perm.nModifyProgress, 0);
    EXPECT_TRUE(Operations().empty());
}

TEST_F(DocProjectCommandsTest, PublishingSetsTheStatusOnTheServer)
{
    Open();
    ScriptSheet(kWizardFinish);
    EXPECT_TRUE(Command(pDoc, ID_PROJ_PUBLISH));
    EXPECT_EQ(strCaption_, CString("项目发布"));
    EXPECT_EQ(nKind_, 2);
    EXPECT_EQ(nMemberFlag_, 0);
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nStatus, 1);
    EXPECT_EQ(pDoc->m_ProjectInfo.m_strName, CString("跨江大桥"));
    EXPECT_EQ(StoredStatus(), 1);
    EXPECT_EQ(Operations(), (std::vector<std::string>{"SaveProject", "SaveCalendar", "SaveUsersPermission",
                                                      "SetProjectStatus"}));

    // Published: the message, and no sheet.
    CTestMessageBoxes boxes;
    boxes.AnswerText("  此项目已发布!", IDOK);
    EXPECT_TRUE(Command(pDoc, ID_PROJ_PUBLISH));
    EXPECT_EQ(nSheets, 1);
    EXPECT_EQ(boxes.Boxes().at(0).text, CString("  此项目已发布!"));
    EXPECT_EQ(boxes.Boxes().at(0).type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
}

TEST_F(DocProjectCommandsTest, StoppedAndCompletedProjectsAreNotPublished)
{
    Open();
    ScriptSheet(kWizardFinish);
    CTestMessageBoxes boxes;
    pDoc->m_ProjectInfo.m_nStatus = 3;
    boxes.AnswerText("  此项目已中止!", IDOK);
    Command(pDoc, ID_PROJ_PUBLISH);
    pDoc->m_ProjectInfo.m_nStatus = 5;
    boxes.AnswerText("  此项目已完成!", IDOK);
    Command(pDoc, ID_PROJ_PUBLISH);
    EXPECT_EQ(nSheets, 0);
    EXPECT_EQ(boxes.Count(), 2);
}

TEST_F(DocProjectCommandsTest, AFailedPublishLeavesTheProjectUnpublished)
{
    Open();
    ScriptSheet(kWizardFinish);
    server.SetFault("SaveProject", CLoopbackProjectServer::Fault::Refuse, 1, 1, "不能保存");
    CTestMessageBoxes boxes;
    boxes.AnswerText("不能保存", IDOK);
    boxes.AnswerText("\n   项目发布失败!", IDOK);
    EXPECT_TRUE(Command(pDoc, ID_PROJ_PUBLISH));
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nStatus, 0);
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nFlag, FLAG_UNCHANGED);
    EXPECT_EQ(StoredStatus(), 0);
    EXPECT_EQ(Operations(), (std::vector<std::string>{"SaveProject"}));
}

TEST_F(DocProjectCommandsTest, PausingAnUnpublishedProjectSaysSoAfterTheFirstQuestion)
{
    Open();
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  确信要中止这个项目!", IDOK);
    boxes.AnswerText("  此项目未发布!", IDOK);
    EXPECT_TRUE(Command(pDoc, ID_PROJ_PAUSE));
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Boxes()[0].type, (UINT)MB_OKCANCEL);
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nStatus, 0);
    EXPECT_TRUE(Operations().empty());
}

TEST_F(DocProjectCommandsTest, PausingAPublishedProjectStopsItOnTheServer)
{
    Open();
    pDoc->m_ProjectInfo.m_nStatus = 1;
    {
        CTestMessageBoxes boxes;
        boxes.AnswerText("\n  确信要中止这个项目!", IDCANCEL);
        Command(pDoc, ID_PROJ_PAUSE);
        boxes.AnswerText("\n  确信要中止这个项目!", IDOK);
        boxes.AnswerText(" 确定中止项目!", IDCANCEL);
        Command(pDoc, ID_PROJ_PAUSE);
        EXPECT_EQ(boxes.Boxes().at(2).type, (UINT)(MB_OKCANCEL | MB_ICONQUESTION));
        EXPECT_EQ(pDoc->m_ProjectInfo.m_nStatus, 1);
        EXPECT_TRUE(Operations().empty());
    }
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  确信要中止这个项目!", IDOK);
    boxes.AnswerText(" 确定中止项目!", IDOK);
    EXPECT_TRUE(Command(pDoc, ID_PROJ_PAUSE));
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nStatus, 3);
    EXPECT_EQ(StoredStatus(), 3);
    EXPECT_EQ(Operations().back(), "SetProjectStatus");
}

TEST_F(DocProjectCommandsTest, AFailedPauseLeavesTheProjectRunning)
{
    Open();
    pDoc->m_ProjectInfo.m_nStatus = 1;
    server.Stop();
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  确信要中止这个项目!", IDOK);
    boxes.AnswerText(" 确定中止项目!", IDOK);
    boxes.AnswerText("服务器连接不上!", IDOK);
    boxes.AnswerText("\n   项目暂停失败!", IDOK);
    EXPECT_TRUE(Command(pDoc, ID_PROJ_PAUSE));
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nStatus, 1);
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nFlag, FLAG_UNCHANGED);
}

TEST_F(DocProjectCommandsTest, DeletingNeedsTheRightAndAConfirmation)
{
    Open(1, 0);
    const int nProjects = server.ProjectCount();
    {
        CTestMessageBoxes boxes;
        boxes.AnswerText("你没有权限删除这个项目!", IDOK);
        EXPECT_TRUE(Command(pDoc, ID_PROJ_DELETE));
        EXPECT_EQ(boxes.Boxes().at(0).type, (UINT)MB_OK);
    }
    // The right given meanwhile, in the document and at the server, which checks it too.
    pDoc->m_listPermissions.GetHead().nDeleteProj = 1;
    server.SetPermissions(nProject, Permissions(1, 1));
    {
        CTestMessageBoxes boxes;
        boxes.AnswerText("\n  确信删除这个项目!", IDCANCEL);
        Command(pDoc, ID_PROJ_DELETE);
        EXPECT_EQ(boxes.Boxes().at(0).type, (UINT)(MB_OKCANCEL | MB_ICONINFORMATION));
    }
    EXPECT_EQ(server.ProjectCount(), nProjects);
    EXPECT_TRUE(Operations().empty());

    const int nDocs = DocumentCount();
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  确信删除这个项目!", IDOK);
    Command(pDoc, ID_PROJ_DELETE);
    AfxPumpMessages();
    EXPECT_EQ(server.ProjectCount(), nProjects - 1);
    EXPECT_EQ(DocumentCount(), nDocs - 1); // the document is closed
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
}

TEST_F(DocProjectCommandsTest, ARefusedDeleteKeepsTheProjectOpen)
{
    Open();
    server.SetFault("DeleteProject", CLoopbackProjectServer::Fault::Refuse, 1, 1);
    const int nDocs = DocumentCount();
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  确信删除这个项目!", IDOK);
    boxes.AnswerText("\n   删除项目失败!", IDOK);
    Command(pDoc, ID_PROJ_DELETE);
    EXPECT_EQ(DocumentCount(), nDocs);
    EXPECT_EQ(pDoc->m_nProjectID, nProject);
    EXPECT_EQ(CountTasks(pDoc->m_listTasks), 3);
}

TEST_F(DocProjectCommandsTest, SavingToTheServerChecksTheUsersOwnRight)
{
    Open(0, 1);
    ScriptSheet(kWizardFinish);
    pDoc->SetModifiedFlag();
    CTestMessageBoxes boxes;
    boxes.AnswerText("你没有权限发布项目!", IDOK);
    EXPECT_TRUE(Command(pDoc, ID_SAVE_TO_SERVER));
    EXPECT_EQ(nSheets, 1);
    EXPECT_EQ(nMemberFlag_, 0);
    EXPECT_TRUE(Operations().empty());
    EXPECT_TRUE(pDoc->IsModified());
    // Nothing was published: the project does not look so.
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nStatus, 0);
    // The user's record is what the server gave, not the full rights given for the sheet.
    POSITION pos = pDoc->m_listPermissions.GetHeadPosition();
    while (pos != NULL) {
        const tagPermInfo& perm = pDoc->m_listPermissions.GetNext(pos);
        if (perm.strCode == "u1") {
            EXPECT_EQ(perm.nPublishProj, 0);
            EXPECT_EQ(perm.nModifyProgress, 0);
        }
    }
}

TEST_F(DocProjectCommandsTest, SavingToTheServerClearsTheModifiedFlagOnlyOnSuccess)
{
    Open(1, 1);
    ScriptSheet(kWizardFinish);
    pDoc->SetModifiedFlag();
    // The service description cannot be read: the save fails before anything reaches the
    // server (a save the server stored under a lost answer would leave the document's
    // revision behind, and the next save would rightly be refused).
    server.SetFault("WSDL", CLoopbackProjectServer::Fault::Http500, 1);
    {
        CTestMessageBoxes boxes;
        boxes.AnswerText("服务器连接不上!", IDOK);
        EXPECT_TRUE(Command(pDoc, ID_SAVE_TO_SERVER));
        EXPECT_TRUE(pDoc->IsModified());
        EXPECT_EQ(pDoc->m_ProjectInfo.m_nStatus, 0);
    }
    EXPECT_TRUE(Command(pDoc, ID_SAVE_TO_SERVER));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nStatus, 1);
    CString strStored;
    ASSERT_TRUE(server.GetProject(nProject, strStored));
    EXPECT_GE(strStored.Find("跨江大桥"), 0);
}

TEST_F(DocProjectCommandsTest, TheCalendarDialogReplacesTheCalendarAndRecomputesFinishes)
{
    Open();
    CString strNameSeen;
    ProjectSetCalendarRunner([&](CProjectDoc& doc, const CString& strName, CProjCalendarResult& result) {
        EXPECT_EQ(&doc, pDoc);
        strNameSeen = strName;
        result.bChanged = TRUE;
        for (int i = 0; i < 7; ++i) {
            CDayOfWeek* pDay = new CDayOfWeek;
            pDay->m_nDay = i;
            pDay->m_bWorking = i != 0;
            result.listDayOfWeek.AddTail(pDay);
        }
        result.strCalName = "";
        result.nCalBaseID = -1;
        return (INT_PTR)IDOK;
    });
    EXPECT_TRUE(Command(pDoc, ID_CUSTOMIZE_CALENDAR));
    EXPECT_EQ(strNameSeen, CString("日历(桥梁工程)"));
    EXPECT_EQ(pDoc->m_strCalName, CString("日历(桥梁工程)")); // an empty name from the dialog keeps it
    EXPECT_EQ(pDoc->m_listDayOfWeek.GetCount(), 7);
    EXPECT_EQ(pDoc->m_nCalBaseID, -1);
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(ViewOf(pDoc)->nRecalcs, 1);
    EXPECT_FALSE(pDoc->IsRestDay(2026, 3, 7)); // a Saturday, working now
    EXPECT_TRUE(pDoc->IsRestDay(2026, 3, 8));  // a Sunday

    // No change reported: nothing happens.
    ProjectSetCalendarRunner([](CProjectDoc&, const CString&, CProjCalendarResult&) { return (INT_PTR)IDOK; });
    pDoc->SetModifiedFlag(FALSE);
    Command(pDoc, ID_CUSTOMIZE_CALENDAR);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(ViewOf(pDoc)->nRecalcs, 1);
}

} // namespace
