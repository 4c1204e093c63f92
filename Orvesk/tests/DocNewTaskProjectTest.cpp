// Creating a task or a whole project on the server directly.
#include "ProjectDocAppTest.h"

#include <ProjectService/FakeProjectService.h>

#include "TestProjects.h"

namespace {

class DocNewTaskProjectTest : public ProjectDocAppTest
{
protected:
    void SetUp() override
    {
        ProjectDocAppTest::SetUp();
        nProject = server.AddOwnProject(SampleServerProject("桥梁工程"));
        server.SetResources("<RESOURCES><RESOURCE><RESCODE>u1</RESCODE><RESNAME>张三</RESNAME></RESOURCE>"
                            "<RESOURCE><RESCODE>u2</RESCODE><RESNAME>李四</RESNAME></RESOURCE></RESOURCES>");
        pDoc = OpenServerProject(nProject);
        ASSERT_NE(pDoc, nullptr);
        server.ClearRequests();
    }
    void ScriptTask(INT_PTR nResult, int nDuration = 3 * 86400)
    {
        ProjectSetTaskPropertyRunner([this, nResult, nDuration](CProjectDoc& doc, CTaskItem& task) {
            ++nRuns;
            EXPECT_EQ(&doc, pDoc);
            task.m_strName = "新任务";
            task.m_dtStart = COleDateTime(2026, 3, 10, 0, 0, 0);
            task.m_dtFinish = COleDateTime(2026, 3, 12, 0, 0, 0);
            task.m_nDuration = nDuration;
            task.m_arrAssignees.Add("u2");
            return nResult;
        });
    }
    LONG nProject = 0;
    CProjectDoc* pDoc = nullptr;
    int nRuns = 0;
};

TEST_F(DocNewTaskProjectTest, BothArgumentsNegativeShowNoDialog)
{
    ScriptTask(IDOK);
    EXPECT_EQ(pDoc->NewTask(-1, -1), -1);
    EXPECT_EQ(nRuns, 0);
    EXPECT_TRUE(Operations().empty());
}

TEST_F(DocNewTaskProjectTest, ANewTaskGoesUnderItsParentWithTheServersId)
{
    ScriptTask(IDOK);
    server.SetNextIds(0, 900);
    EXPECT_EQ(pDoc->NewTask(0, 11), 900);
    CTaskItem* pTask = FindTaskByName(*pDoc, "新任务");
    ASSERT_NE(pTask, nullptr);
    EXPECT_EQ(pTask->m_nTaskID, 900);
    EXPECT_EQ(pTask->m_nParentID, 11);
    EXPECT_EQ(pTask->m_nFlag, FLAG_UNCHANGED);
    EXPECT_EQ(pTask->m_nRowInGrid, 0);
    CTaskItem* pParent = FindTaskByName(*pDoc, "设计");
    EXPECT_EQ(pParent->m_listChildren.GetTail(), pTask);
    EXPECT_EQ(Operations(), std::vector<std::string>{"NewTask"});

    // On the server too.
    CString strStored;
    ASSERT_TRUE(server.GetProject(nProject, strStored));
    EXPECT_GE(strStored.Find("新任务"), 0);
}

TEST_F(DocNewTaskProjectTest, AParentNobodyHasMakesATopLevelTaskAndAZeroDurationAMilestone)
{
    ScriptTask(IDOK, 0);
    const int nTop = pDoc->m_listTasks.GetCount();
    EXPECT_GT(pDoc->NewTask(0, 4711), 0);
    ASSERT_EQ(pDoc->m_listTasks.GetCount(), nTop + 1);
    EXPECT_EQ(pDoc->m_listTasks.GetTail()->m_strName, CString("新任务"));
    EXPECT_EQ(pDoc->m_listTasks.GetTail()->m_nMilestone, 1);
}

TEST_F(DocNewTaskProjectTest, ACancelledDialogOrARefusalLeavesNoTrace)
{
    ScriptTask(IDCANCEL);
    EXPECT_EQ(pDoc->NewTask(0, 11), -1);
    EXPECT_TRUE(Operations().empty());

    ScriptTask(IDOK);
    server.SetFault("NewTask", CLoopbackProjectServer::Fault::Refuse, 1, 1);
    EXPECT_EQ(pDoc->NewTask(0, 11), -1);
    EXPECT_EQ(FindTaskByName(*pDoc, "新任务"), nullptr);
    EXPECT_EQ(CountTasks(pDoc->m_listTasks), 3);
}

TEST_F(DocNewTaskProjectTest, TheTaskTextCarriesTheMembersInsideTheTask)
{
    CFakeProjectService fake;
    fake.Install();
    ScriptTask(IDOK);
    EXPECT_EQ(pDoc->NewTask(7, 13), 5001);
    ASSERT_EQ(fake.newTasks.size(), 1u);
    EXPECT_EQ(fake.newTasks[0].first, 13);
    const CString& strXml = fake.newTasks[0].second;
    EXPECT_EQ(strXml.Left(6), CString("<TASK>"));
    EXPECT_EQ(strXml.Right(7), CString("</TASK>"));
    EXPECT_GE(strXml.Find("<STARTDATE>2026年3月10日</STARTDATE>"), 0);
    EXPECT_GE(strXml.Find("<ASSIGNEES><ASSIGNEE><RESCODE>u2</RESCODE></ASSIGNEE></ASSIGNEES>"), 0);
    const int nMembers = strXml.Find("<MEMBERS><MEMBER><RESCODE>u1</RESCODE><ROLETYPEID>0</ROLETYPEID><PERMID>2</PERMID>");
    EXPECT_GT(nMembers, strXml.Find("</ASSIGNEES>"));
    EXPECT_EQ(strXml.Find("<TASKS>"), -1);
    EXPECT_GE(strXml.Find("<FLAG>1</FLAG>"), 0);

    // Without members, no MEMBERS element.
    pDoc->m_ProjectInfo.m_listMembers.RemoveAll();
    EXPECT_EQ(pDoc->NewTask(7, 13), 5002);
    EXPECT_EQ(fake.newTasks[1].second.Find("MEMBERS"), -1);
}

TEST_F(DocNewTaskProjectTest, TheSearchReturnsTheTaskItselfDepthFirst)
{
    EXPECT_EQ((CTaskItem*)pDoc->GetParentTaskItembyTaskID(12, NULL), FindTaskByName(*pDoc, "草图"));
    EXPECT_EQ((CTaskItem*)pDoc->GetParentTaskItembyTaskID(13, NULL), FindTaskByName(*pDoc, "制造"));
    EXPECT_EQ(pDoc->GetParentTaskItembyTaskID(99, NULL), 0ul);
    CTaskItem* pDesign = FindTaskByName(*pDoc, "设计");
    EXPECT_EQ((CTaskItem*)pDoc->GetParentTaskItembyTaskID(12, pDesign), FindTaskByName(*pDoc, "草图"));
    EXPECT_EQ(pDoc->GetParentTaskItembyTaskID(13, pDesign), 0ul);
    // Id 0: the first task not yet numbered, in pre-order.
    CTaskItem* pUnsaved = new CTaskItem;
    pDesign->m_listChildren.AddTail(pUnsaved);
    CTaskItem* pLater = new CTaskItem;
    pDoc->m_listTasks.AddTail(pLater);
    EXPECT_EQ((CTaskItem*)pDoc->GetParentTaskItembyTaskID(0, NULL), pUnsaved);
}

TEST_F(DocNewTaskProjectTest, ANewProjectIsCreatedWithItsPermissions)
{
    CProjectDoc doc;
    const int nProjects = server.ProjectCount();
    server.SetNextIds(333, 0);
    const int nID = doc.NewProject("u7", "新厂区", "投产", COleDateTime(2026, 7, 1, 0, 0, 0),
                                   COleDateTime(2026, 9, 30, 0, 0, 0), COleDateTime(2026, 10, 15, 0, 0, 0), 5000);
    EXPECT_EQ(nID, 333);
    EXPECT_EQ(doc.m_nProjectID, 333);
    EXPECT_EQ(doc.m_ProjectInfo.m_nProjID, 333);
    EXPECT_EQ(doc.m_ProjectInfo.m_nFlag, FLAG_UNCHANGED);
    EXPECT_EQ(doc.GetLoginName(), CString("u7"));
    EXPECT_EQ(server.ProjectCount(), nProjects + 1);
    CString strPermissions;
    ASSERT_TRUE(server.GetPermissions(333, strPermissions));
    EXPECT_GE(strPermissions.Find("<RESCODE>u7</RESCODE>"), 0);
    CString strStored;
    ASSERT_TRUE(server.GetProject(333, strStored));
    EXPECT_GE(strStored.Find("新厂区"), 0);
}

TEST_F(DocNewTaskProjectTest, TheNewProjectTextIsTheHeaderWithItsMembers)
{
    CFakeProjectService fake;
    fake.Install();
    CProjectDoc doc;
    doc.m_strServiceUrl.Empty();
    const COleDateTime now(2026, 6, 1, 8, 0, 0);
    AfxTestSetCurrentTime(&now);
    const int nID = doc.NewProject("u7", "新厂区", "投产", COleDateTime(2026, 7, 1, 0, 0, 0),
                                   COleDateTime(2026, 9, 30, 0, 0, 0), COleDateTime(2026, 10, 15, 0, 0, 0), 5000);
    AfxTestSetCurrentTime(nullptr);
    // No check of the address first: the empty one goes to the service.
    EXPECT_EQ(nID, 1001);
    ASSERT_FALSE(fake.projects.empty());
    const CString& strXml = fake.projects.begin()->second;
    EXPECT_EQ(strXml.Find("<PROJECT><ID>0</ID><NAME>新厂区</NAME><GOAL>投产</GOAL>"), 0);
    EXPECT_GE(strXml.Find("<COST>5000</COST><ACTCOST>0</ACTCOST><CREATIONDATE>2026-6-1 8:0:0</CREATIONDATE>"
                          "<STARTDATE>2026-7-1 0:0:0</STARTDATE>"),
              0);
    EXPECT_GE(strXml.Find("<FLAG>1</FLAG><PRIORITY>2</PRIORITY><STATUS>0</STATUS>"), 0);
    // The user became a member.
    EXPECT_GE(strXml.Find("<MEMBERS><MEMBER><RESCODE>u7</RESCODE>"), 0);
    const CString strEnd("</MEMBERS></PROJECT>");
    EXPECT_EQ(strXml.Right(strEnd.GetLength()), strEnd);
    EXPECT_EQ(strXml.Find("TASKS"), -1);
    bool bUrlSet = false;
    for (const CFakeServiceCall& call : fake.Calls())
        if (call.name == "SetServiceUrl" && call.args.size() == 1 && call.args[0].IsEmpty())
            bUrlSet = true;
    EXPECT_TRUE(bUrlSet);
}

TEST_F(DocNewTaskProjectTest, ANewProjectFromTheSheetOrARefusal)
{
    CProjectDoc doc;
    ProjectSetSheetRunner([](const CString& strCaption, int nKind, CProjSheetData& data) {
        EXPECT_EQ(strCaption, CString("新建项目"));
        EXPECT_EQ(nKind, 0);
        EXPECT_EQ(data.strName, CString("新建项目"));
        data.strName = "二期";
        data.strCost = "75";
        return (INT_PTR)IDOK;
    });
    EXPECT_GT(doc.NewProject("u1"), 0);
    EXPECT_EQ(doc.GetTitle(), CString("二期"));
    EXPECT_EQ(doc.m_ProjectInfo.m_nCost, 75);

    CProjectDoc refused;
    server.SetFault("NewProject", CLoopbackProjectServer::Fault::Refuse, 1, 1);
    EXPECT_EQ(refused.NewProject("u1"), -1);
    EXPECT_EQ(refused.m_nProjectID, 0);
    ProjectSetSheetRunner([](const CString&, int, CProjSheetData&) { return (INT_PTR)IDCANCEL; });
    EXPECT_EQ(refused.NewProject("u1"), -1);
}

} // namespace
