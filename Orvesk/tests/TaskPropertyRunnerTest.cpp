// The document's task property runner: the task library's sheet over a task record, its
// values read back on OK, nothing taken over otherwise; the two builds of the grid side by
// side in one process.
#include "ProjectDocAppTest.h"

#include "GridCtrl.h"
#include "ProjectDialogHooks.h"
#include "TaskItem.h"
#include "TaskPropertyRunner.h"

#include <ClassLib/Frames/PropertySheet.h>
#include <ClassLib/Testing/UiScripts.h>
#include <Tavrin/TaskLink.h>

namespace {

class TaskPropertyRunnerTest : public ProjectDocAppTest
{
protected:
    void SetUp() override
    {
        ProjectDocAppTest::SetUp();
        nProject = server.AddOwnProject(SampleServerProject("桥梁工程"));
        pDoc = OpenServerProject(nProject);
        ASSERT_NE(pDoc, nullptr);
        InstallTaskPropertyRunner();
    }
    static CString ClassOf(CWnd* pWnd)
    {
        char sz[64] = {0};
        GetClassName(pWnd->GetSafeHwnd(), sz, sizeof sz);
        return sz;
    }
    LONG nProject = 0;
    CProjectDoc* pDoc = nullptr;
};

}  // namespace

TEST_F(TaskPropertyRunnerTest, OkWritesTheSheetsValuesIntoTheRecord)
{
    CTaskItem* pTask = FindTaskByName(*pDoc, "草图");
    ASSERT_NE(pTask, nullptr);
    const int nMembers = pDoc->m_ProjectInfo.m_listMembers.GetCount();
    CString strCaption, strGridClass;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pSheet = static_cast<CPropertySheet*>(pWnd);
        pSheet->GetWindowText(strCaption);
        CWnd* pGeneral = pSheet->GetActivePage();
        ASSERT_NE(pGeneral, nullptr);
        pGeneral->GetDlgItem(19008)->SetWindowText("草图评审");
        pGeneral->GetDlgItem(19009)->SetWindowText("4个工作日");
        // The predecessor page: the task library's own grid.
        pSheet->SetActivePage(1);
        CWnd* pGrid = pSheet->GetActivePage()->GetDlgItem(19037);
        ASSERT_NE(pGrid, nullptr);
        strGridClass = ClassOf(pGrid);
        pSheet->SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(ProjectRunTaskProperty(*pDoc, *pTask), IDOK);
    EXPECT_STREQ(strCaption, "任务信息");
    EXPECT_STREQ(strGridClass, "TavrinPredTaskGridCtrl");
    EXPECT_STREQ(pTask->m_strName, "草图评审");
    EXPECT_EQ(pTask->m_nDuration, 4 * 86400);
    EXPECT_EQ(pDoc->m_ProjectInfo.m_listMembers.GetCount(), nMembers);
}

TEST_F(TaskPropertyRunnerTest, CancelLeavesTheRecordAsItWas)
{
    CTaskItem* pTask = FindTaskByName(*pDoc, "制造");
    ASSERT_NE(pTask, nullptr);
    const CString strName = pTask->m_strName;
    const int nDuration = pTask->m_nDuration;
    const int nLinks = pTask->m_listLinks.GetCount();
    AfxTestPushModalScript([&](CWnd* pWnd) {
        static_cast<CPropertySheet*>(pWnd)->GetActivePage()->GetDlgItem(19008)->SetWindowText("x");
    });
    EXPECT_EQ(ProjectRunTaskProperty(*pDoc, *pTask), IDCANCEL);
    EXPECT_EQ(pTask->m_strName, strName);
    EXPECT_EQ(pTask->m_nDuration, nDuration);
    EXPECT_EQ(pTask->m_listLinks.GetCount(), nLinks);
}

TEST_F(TaskPropertyRunnerTest, TheTwoGridBuildsKeepTheirOwnClassesAndDefaults)
{
    // The document's grid: its own window class, its cells keep their own format.
    CGridCtrl grid(2, 2, 1, 1);
    ASSERT_TRUE(grid.Create(CRect(0, 0, 100, 60), frame, 4711, WS_CHILD | WS_VISIBLE));
    EXPECT_STREQ(ClassOf(&grid), "OrveskGridTreeCtrl");
    EXPECT_EQ(grid.GetCell(1, 1)->GetFormat(), (UINT)GRIDCELL_DEFAULT_FORMAT);
    EXPECT_EQ(grid.GetCell(1, 1)->GetMargin(), 3u);
    // The task library's grid at the same time.
    CTaskItem* pTask = FindTaskByName(*pDoc, "制造");
    ASSERT_NE(pTask, nullptr);
    CString strGridClass;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pSheet = static_cast<CPropertySheet*>(pWnd);
        pSheet->SetActivePage(1);
        strGridClass = ClassOf(pSheet->GetActivePage()->GetDlgItem(19037));
    });
    ProjectRunTaskProperty(*pDoc, *pTask);
    EXPECT_STREQ(strGridClass, "TavrinPredTaskGridCtrl");
    grid.DestroyWindow();
}
