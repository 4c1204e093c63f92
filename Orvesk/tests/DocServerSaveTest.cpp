// Saving a server project: what reaches the server, the ids it gives back, the marks a
// refused or failed save keeps, the progress messages, and the save on closing.
#include "ProjectDocAppTest.h"

#include <ClassLib/DocView/StdIds.h>
#include <ProjectService/ProjectServiceFactory.h>

namespace {

const char kChecklist[] = "服务器连接不上!\n\n请检查下面几项:\n1.服务器是否已配置好。\n"
                          "2.服务器名和站点名是否设置正确。\n3.代理是否设置正确。\n"
                          "4.SOAP和XML组件是否已正确安装。";

class DocServerSaveTest : public ProjectDocAppTest
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

    // Renames the first task, adds a new one at row 4 and removes the third.
    void Edit()
    {
        CTaskItem* pDesign = FindTaskByName(*pDoc, "设计");
        ASSERT_NE(pDesign, nullptr);
        pDesign->m_strName = "总体设计";
        pDesign->m_nFlag = FLAG_MODIFIED;

        CTaskItem* pNew = new CTaskItem;
        pNew->m_strName = "验收";
        pNew->m_nRowInGrid = 4;
        pNew->m_nFlag = FLAG_NEW;
        pNew->m_dtStart = COleDateTime(2026, 3, 23, 0, 0, 0);
        pNew->m_dtFinish = COleDateTime(2026, 3, 24, 0, 0, 0);
        pNew->m_nDuration = 2 * 86400;
        pDoc->m_listTasks.AddTail(pNew);

        POSITION pos = pDoc->m_listTasks.Find(FindTaskByName(*pDoc, "制造"));
        ASSERT_NE(pos, nullptr);
        CTaskItem* pGone = pDoc->m_listTasks.GetAt(pos);
        pDoc->m_listTasks.RemoveAt(pos);
        pGone->m_nFlag = FLAG_REMOVED;
        pDoc->m_listDeletedTasks.AddTail(pGone);
        pDoc->m_nMaxRowInGrid = 4;
        pDoc->SetModifiedFlag();
    }

    void ExpectMarksKept()
    {
        EXPECT_EQ(FindTaskByName(*pDoc, "总体设计")->m_nFlag, FLAG_MODIFIED);
        EXPECT_EQ(FindTaskByName(*pDoc, "验收")->m_nFlag, FLAG_NEW);
        EXPECT_EQ(FindTaskByName(*pDoc, "验收")->m_nTaskID, 0);
        ASSERT_EQ(pDoc->m_listDeletedTasks.GetCount(), 1);
        EXPECT_EQ(pDoc->m_listDeletedTasks.GetHead()->m_nFlag, FLAG_REMOVED);
        EXPECT_TRUE(pDoc->IsModified());
    }

    LONG nProject = 0;
    CProjectDoc* pDoc = nullptr;
};

TEST_F(DocServerSaveTest, EditSaveReopenAndCompare)
{
    Edit();
    const int nNewBefore = FindTaskByName(*pDoc, "验收")->m_nTaskID;
    EXPECT_EQ(nNewBefore, 0);
    server.SetNextIds(0, 700);

    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_TRUE(pDoc->m_listDeletedTasks.IsEmpty());
    EXPECT_EQ(ViewOf(pDoc)->nApplied, 1);
    CTaskItem* pNew = FindTaskByName(*pDoc, "验收");
    EXPECT_EQ(pNew->m_nTaskID, 700);
    EXPECT_EQ(pNew->m_nFlag, FLAG_UNCHANGED);
    EXPECT_EQ(FindTaskByName(*pDoc, "总体设计")->m_nFlag, FLAG_UNCHANGED);
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nFlag, FLAG_UNCHANGED);
    // The project is saved, then its calendar (the permission list is empty: no call).
    EXPECT_EQ(Operations(), (std::vector<std::string>{"SaveProject", "SaveCalendar"}));

    CProjectDoc* pBack = OpenServerProject(nProject);
    ASSERT_NE(pBack, nullptr);
    ASSERT_NE(pBack, pDoc);
    EXPECT_EQ(pBack->m_ProjectInfo.m_strName, pDoc->m_ProjectInfo.m_strName);
    EXPECT_EQ(pBack->m_ProjectInfo.m_strGoal, pDoc->m_ProjectInfo.m_strGoal);
    EXPECT_EQ(pBack->m_ProjectInfo.m_nCost, pDoc->m_ProjectInfo.m_nCost);
    EXPECT_EQ(CountTasks(pBack->m_listTasks), 3);
    EXPECT_EQ(FindTaskByName(*pBack, "制造"), nullptr);
    ASSERT_NE(FindTaskByName(*pBack, "验收"), nullptr);
    EXPECT_EQ(FindTaskByName(*pBack, "验收")->m_nTaskID, 700);
    EXPECT_EQ(FindTaskByName(*pBack, "验收")->m_dtFinish, COleDateTime(2026, 3, 24, 0, 0, 0));
    ASSERT_NE(FindTaskByName(*pBack, "总体设计"), nullptr);
    EXPECT_EQ(FindTaskByName(*pBack, "总体设计")->m_nTaskID, FindTaskByName(*pDoc, "总体设计")->m_nTaskID);
    ASSERT_NE(FindTaskByName(*pBack, "草图"), nullptr);
    EXPECT_EQ(FindTaskByName(*pBack, "草图")->m_nTaskID, FindTaskByName(*pDoc, "草图")->m_nTaskID);
}

TEST_F(DocServerSaveTest, ProgressIsStartStepsPerTaskAndServerCallThenEnd)
{
    Edit();
    CProgressRecorder progress;
    EXPECT_EQ(pDoc->SaveProject(), 1);
    // Two top-level tasks, one removed task, one before the component, two before the call.
    EXPECT_EQ(progress.Trace(), "S[正在保存]......E");
}

TEST_F(DocServerSaveTest, ARefusedSaveKeepsEveryMarkAndTheModifiedFlag)
{
    Edit();
    server.SetFault("SaveProject", CLoopbackProjectServer::Fault::Refuse, 1, 1, "项目已被他人锁定");
    CProgressRecorder progress;
    CTestMessageBoxes boxes;
    boxes.AnswerText("项目已被他人锁定", IDOK);
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    ExpectMarksKept();
    EXPECT_EQ(ViewOf(pDoc)->nApplied, 0);
    EXPECT_EQ(boxes.Boxes().at(0).text, CString("项目已被他人锁定"));
    EXPECT_EQ(boxes.Boxes().at(0).type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
    EXPECT_EQ(progress.Trace(), "S[正在保存]......E");

    // The next save sends it all again and succeeds.
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_TRUE(pDoc->m_listDeletedTasks.IsEmpty());
    EXPECT_NE(FindTaskByName(*pDoc, "验收")->m_nTaskID, 0);
}

TEST_F(DocServerSaveTest, AStaleSaveShowsTheServersTextAndTheWorkStillGoesToALocalFile)
{
    const char* kStale = "此项目在您打开后已被其他用户保存，本次保存未被服务器接受。您的修改仍在窗口中，可另存为本地文件。";
    CString strBefore;
    ASSERT_TRUE(server.GetProject(nProject, strBefore));
    Edit();
    server.SetFault("SaveProject", CLoopbackProjectServer::Fault::Refuse, 1, 1, kStale);
    CTestMessageBoxes boxes;
    boxes.AnswerText(kStale, IDOK);
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes().at(0).text, CString(kStale));
    ExpectMarksKept();
    CString strAfter;
    ASSERT_TRUE(server.GetProject(nProject, strAfter));
    EXPECT_EQ(strAfter, strBefore);

    CTempFolder folder;
    const std::string path = folder.Path("kept.tlp");
    ASSERT_TRUE(pDoc->WriteLocalFile(path.c_str()));
    CProjectDoc kept;
    ASSERT_TRUE(kept.ReadLocalFile(path.c_str()));
    EXPECT_NE(FindTaskByName(kept, "总体设计"), nullptr);
    EXPECT_NE(FindTaskByName(kept, "验收"), nullptr);
    EXPECT_EQ(FindTaskByName(kept, "制造"), nullptr);
}

TEST_F(DocServerSaveTest, TwoWindowsOnOneProjectEachSaveFromTheirOwnRevision)
{
    const char* kStale = "此项目在您打开后已被其他用户保存，本次保存未被服务器接受。您的修改仍在窗口中，可另存为本地文件。";
    CProjectDoc* pOther = OpenServerProject(nProject);
    ASSERT_NE(pOther, nullptr);
    ASSERT_NE(pOther, pDoc);

    FindTaskByName(*pDoc, "设计")->m_strName = "第一窗口";
    FindTaskByName(*pDoc, "第一窗口")->m_nFlag = FLAG_MODIFIED;
    pDoc->SetModifiedFlag();
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    EXPECT_FALSE(pDoc->IsModified());

    // The other window still holds the text it opened: its save must not erase the first one.
    FindTaskByName(*pOther, "设计")->m_strName = "第二窗口";
    FindTaskByName(*pOther, "第二窗口")->m_nFlag = FLAG_MODIFIED;
    pOther->SetModifiedFlag();
    CTestMessageBoxes boxes;
    boxes.AnswerText(kStale, IDOK);
    EXPECT_TRUE(Command(pOther, ID_FILE_SAVE));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes().at(0).text, CString(kStale));
    EXPECT_TRUE(pOther->IsModified());
    EXPECT_EQ(FindTaskByName(*pOther, "第二窗口")->m_nFlag, FLAG_MODIFIED);
    CString strStored;
    ASSERT_TRUE(server.GetProject(nProject, strStored));
    EXPECT_NE(strStored.Find("第一窗口"), -1);
    EXPECT_EQ(strStored.Find("第二窗口"), -1);

    // The first window goes on from the revision its save was given.
    FindTaskByName(*pDoc, "第一窗口")->m_strName = "再存";
    FindTaskByName(*pDoc, "再存")->m_nFlag = FLAG_MODIFIED;
    pDoc->SetModifiedFlag();
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    EXPECT_FALSE(pDoc->IsModified());
    ASSERT_TRUE(server.GetProject(nProject, strStored));
    EXPECT_NE(strStored.Find("再存"), -1);
}

TEST_F(DocServerSaveTest, AServerThatIsDownSlowOrAnswersGarbageGivesTheChecklistAndLosesNothing)
{
    Edit();
    SetProjectServiceTimeouts(1000, 1000);
    server.SetStallMilliseconds(3000);
    const CLoopbackProjectServer::Fault faults[] = {CLoopbackProjectServer::Fault::Garbage,
                                                    CLoopbackProjectServer::Fault::Stall,
                                                    CLoopbackProjectServer::Fault::CloseConnection,
                                                    CLoopbackProjectServer::Fault::SoapFault};
    for (CLoopbackProjectServer::Fault fault : faults) {
        server.SetFault("SaveProject", fault, 1);
        CProgressRecorder progress;
        CTestMessageBoxes boxes;
        boxes.AnswerText(kChecklist, IDOK);
        EXPECT_EQ(pDoc->SaveProject(), 0);
        ExpectMarksKept();
        EXPECT_EQ(progress.Count(WM_PROGRESS_START), 1);
        EXPECT_EQ(progress.Count(WM_PROGRESS_END), 1);
        EXPECT_EQ(progress.entries.back().message, (UINT)WM_PROGRESS_END);
    }

    server.Stop();
    CTestMessageBoxes boxes;
    boxes.AnswerText(kChecklist, IDOK);
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    ExpectMarksKept();
}

TEST_F(DocServerSaveTest, AProjectWithoutANameSendsNothingAndIsNoSave)
{
    Edit();
    pDoc->m_ProjectInfo.m_strName.Empty();
    CProgressRecorder progress;
    CTestMessageBoxes boxes;
    boxes.AnswerText("没有项目名称!", IDOK);
    EXPECT_TRUE(Command(pDoc, ID_FILE_SAVE));
    EXPECT_TRUE(Operations().empty());
    EXPECT_TRUE(progress.entries.empty());
    ExpectMarksKept();
}

TEST_F(DocServerSaveTest, AFailedCalendarSaveIsReportedAfterTheProjectWasSaved)
{
    Edit();
    server.SetFault("SaveCalendar", CLoopbackProjectServer::Fault::Refuse, 1, 1);
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  日历存盘发生错误!", IDOK);
    CProgressRecorder progress;
    EXPECT_EQ(pDoc->SaveProject(), 0);
    EXPECT_EQ(progress.Trace(), "S[正在保存]......E");
    // The project itself is on the server: its tasks are no longer new, and the removed
    // task is not sent again as a live one.
    EXPECT_NE(FindTaskByName(*pDoc, "验收")->m_nTaskID, 0);
    EXPECT_EQ(FindTaskByName(*pDoc, "验收")->m_nFlag, FLAG_UNCHANGED);
    EXPECT_TRUE(pDoc->m_listDeletedTasks.IsEmpty());
    CString strStored;
    ASSERT_TRUE(server.GetProject(nProject, strStored));
    EXPECT_LT(strStored.Find("制造"), 0);
}

TEST_F(DocServerSaveTest, AFailedPermissionSaveIsReported)
{
    tagPermInfo perm;
    perm.strCode = "u1";
    perm.nOpenProj = 1;
    pDoc->m_listPermissions.AddTail(perm);
    server.SetFault("SaveUsersPermission", CLoopbackProjectServer::Fault::Http500, 1);
    CTestMessageBoxes boxes;
    boxes.AnswerText("\n  用户权限存盘发生错误!", IDOK);
    EXPECT_EQ(pDoc->SaveProject(), 0);
    EXPECT_EQ(Operations(), (std::vector<std::string>{"SaveProject", "SaveCalendar", "SaveUsersPermission"}));
}

TEST_F(DocServerSaveTest, ClosingAModifiedProjectAsksAndStaysOpenWhenTheSaveFails)
{
    Edit();
    server.SetFault("SaveProject", CLoopbackProjectServer::Fault::Refuse, 1, 1, "拒绝");
    {
        CTestMessageBoxes boxes;
        CString strPrompt;
        strPrompt.Format("  要保存 %s 吗?", (LPCTSTR)pDoc->GetTitle());
        boxes.AnswerText(strPrompt, IDYES);
        boxes.AnswerText("拒绝", IDOK);
        boxes.AnswerText("Save Error!", IDOK);
        EXPECT_FALSE(pDoc->SaveModified());
        EXPECT_EQ(boxes.Boxes().at(0).type, (UINT)(MB_YESNOCANCEL | MB_ICONQUESTION));
        ExpectMarksKept();
    }
    {
        CTestMessageBoxes boxes;
        boxes.Answer(IDCANCEL);
        EXPECT_FALSE(pDoc->SaveModified());
    }
    {
        CTestMessageBoxes boxes;
        boxes.Answer(IDNO);
        EXPECT_TRUE(pDoc->SaveModified());
        EXPECT_TRUE(Operations().size() == 1u); // only the refused save reached the server
    }
    {
        CTestMessageBoxes boxes;
        boxes.Answer(IDYES);
        EXPECT_TRUE(pDoc->SaveModified());
        EXPECT_FALSE(pDoc->IsModified());
    }
    // Nothing modified: no question.
    EXPECT_TRUE(pDoc->SaveModified());
}

} // namespace
