// The task object's round trip through the property sheet, scripted end to end: the sheet's
// title, the general page's values, the resources, the result codes and the copies handed
// back.
#include "TaskPropertyDlg.h"
#include "TaskResource.h"

#include <ClassLib/Testing.h>
#include <ClassLib/Testing/MessageBoxes.h>
#include <Tavrin/RefDoc.h>
#include <Tavrin/TargetDoc.h>
#include <Tavrin/Task.h>
#include <Tavrin/TaskLink.h>

#include <gtest/gtest.h>

#include <functional>

namespace
{
tagResInfo Res(const char* code, const char* name)
{
    tagResInfo r;
    r.strCode = code;
    r.strName = name;
    return r;
}

template <class T>
void DeleteAll(CObList& list)
{
    POSITION pos = list.GetHeadPosition();
    while (pos)
        delete static_cast<T*>(list.GetNext(pos));
    list.RemoveAll();
}

void AddRes(CList<tagResInfo, tagResInfo&>& list, const char* code, const char* name)
{
    tagResInfo r = Res(code, name);
    list.AddTail(r);
}

class TaskPropertyTest : public CWndTestBase
{
protected:
    CList<tagResInfo, tagResInfo&> resources;
    CStringArray names;
    CUIntArray ids;
    CStringArray assignees;
    CObList refDocs, targetDocs, links, calFirst, calSecond;
    CString strName = "Task";
    int nDuration = 2 * 86400;
    int nPriority = 3;
    int bEstimate = 0;
    int nGeneral = 1;
    // Monday 2 March 2026 to Tuesday 3 March.
    COleDateTime dtStart = COleDateTime(2026, 3, 2, 0, 0, 0);
    COleDateTime dtFinish = COleDateTime(2026, 3, 3, 0, 0, 0);
    COleDateTime dtDeadline = COleDateTime(2026, 3, 6, 0, 0, 0);

    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        AddRes(resources, "A", "Alice");
        AddRes(resources, "B", "Bob");
        names.Add("Design");
        ids.Add(7);
    }
    void TearDown() override
    {
        DeleteAll<CRefDoc>(refDocs);
        DeleteAll<CTargetDoc>(targetDocs);
        DeleteAll<CTaskLink>(links);
        CWndTestBase::TearDown();
    }

    int Run(CTask& task, std::function<void(CTaskPropertyDlg&)> script)
    {
        AfxTestPushModalScript([&](CWnd* pWnd) {
            CTaskPropertyDlg* pSheet = dynamic_cast<CTaskPropertyDlg*>(pWnd);
            ASSERT_NE(nullptr, pSheet);
            script(*pSheet);
        });
        return task.TaskProperty(5, resources, names, ids, dtStart, dtFinish, dtDeadline, nPriority, assignees,
                                 refDocs, targetDocs, links, -2, calFirst, calSecond, strName, "desc", nDuration,
                                 bEstimate, nGeneral, 0);
    }

    static CString Text(CWnd& page, int nID)
    {
        CString str;
        page.GetDlgItem(nID)->GetWindowText(str);
        return str;
    }
    static void Ok(CTaskPropertyDlg& sheet)
    {
        sheet.SendMessage(WM_COMMAND, IDOK, 0);
    }
};
} // namespace

TEST_F(TaskPropertyTest, TitleFollowsTheName)
{
    EXPECT_STREQ("新建任务", CTask::SheetTitle(""));
    EXPECT_STREQ("任务信息", CTask::SheetTitle("x"));
    CTask task;
    strName = "";
    CString strCaption;
    EXPECT_EQ(2, Run(task, [&](CTaskPropertyDlg& sheet) { sheet.GetWindowText(strCaption); }));
    EXPECT_STREQ("新建任务", strCaption);
    strName = "Task";
    EXPECT_EQ(2, Run(task, [&](CTaskPropertyDlg& sheet) { sheet.GetWindowText(strCaption); }));
    EXPECT_STREQ("任务信息", strCaption);
}

TEST_F(TaskPropertyTest, PriorityOutsideTheRangeShowsTwo)
{
    for (int n : {0, 6, -1, 4})
    {
        CTask task;
        nPriority = n;
        CString str;
        Run(task, [&](CTaskPropertyDlg& sheet) { str = Text(sheet.m_pageNormal, IDC_TASK_PRIORITY); });
        EXPECT_STREQ(n == 4 ? "4" : "2", str) << n;
    }
}

TEST_F(TaskPropertyTest, DurationText)
{
    CTask task;
    nDuration = 86400 - 1;
    CString str;
    Run(task, [&](CTaskPropertyDlg& sheet) { str = Text(sheet.m_pageNormal, IDC_TASK_DURATION); });
    EXPECT_STREQ("0个工作日", str);
    nDuration = 2 * 86400;
    bEstimate = 1;
    Run(task, [&](CTaskPropertyDlg& sheet) { str = Text(sheet.m_pageNormal, IDC_TASK_DURATION); });
    EXPECT_STREQ("2个工作日?", str);
}

TEST_F(TaskPropertyTest, OkTakesTheValuesOver)
{
    assignees.Add("B");
    CTask task;
    int nResult = Run(task, [&](CTaskPropertyDlg& sheet) {
        CTaskNormalPage& page = sheet.m_pageNormal;
        EXPECT_STREQ("Task", Text(page, IDC_TASK_NAME));
        // B is checked (sorted: Alice(A), Bob(B)).
        EXPECT_EQ(0, page.m_cmbResource.GetCheck(0));
        EXPECT_EQ(1, page.m_cmbResource.GetCheck(1));
        page.m_cmbResource.SetCheck(0, 1);
        page.GetDlgItem(IDC_TASK_NAME)->SetWindowText("Renamed");
        page.GetDlgItem(IDC_TASK_DURATION)->SetWindowText("3个工作日");
        Ok(sheet);
    });
    ASSERT_EQ(1, nResult);
    EXPECT_STREQ("Renamed", task.m_strName);
    EXPECT_EQ(259200, task.m_nDuration);
    EXPECT_EQ(3, task.m_nPriority);
    // The codes are appended to those the task had (none) in item order.
    ASSERT_EQ(2, task.m_arAssignees.GetSize());
    EXPECT_STREQ("A", task.m_arAssignees[0]);
    EXPECT_STREQ("B", task.m_arAssignees[1]);
    EXPECT_EQ(2, task.m_lstResources.GetCount());
}

TEST_F(TaskPropertyTest, NameWithSeparatorsStillGivesTheCodes)
{
    resources.RemoveAll();
    AddRes(resources, "R1", "Smith, J (lead)");
    AddRes(resources, "R2", "Smith");
    CTask task;
    ASSERT_EQ(1, Run(task, [&](CTaskPropertyDlg& sheet) {
                  sheet.m_pageNormal.m_cmbResource.SetCheck(0, 1);
                  sheet.m_pageNormal.m_cmbResource.SetCheck(1, 1);
                  Ok(sheet);
              }));
    ASSERT_EQ(2, task.m_arAssignees.GetSize());
    EXPECT_STREQ("R2", task.m_arAssignees[0]);  // "Smith(R2)" sorts first
    EXPECT_STREQ("R1", task.m_arAssignees[1]);
}

TEST_F(TaskPropertyTest, EmptyPieceOfTheResourceTextFailsAndCopiesNothing)
{
    AddRes(resources, "A,,B", "Both");
    CRefDoc* pDoc = new CRefDoc;
    pDoc->m_strDocName = "a.txt";
    refDocs.AddTail(pDoc);
    CTask task;
    int nResult = Run(task, [&](CTaskPropertyDlg& sheet) {
        CTaskNormalPage& page = sheet.m_pageNormal;
        int nItem = page.m_cmbResource.FindStringExact(-1, "Both(A,,B)");
        ASSERT_GE(nItem, 0);
        page.m_cmbResource.SetCheck(nItem, 1);
        Ok(sheet);
    });
    EXPECT_EQ(-4, nResult);
    // "A" was appended before the empty piece failed; no document was copied.
    ASSERT_EQ(1, task.m_arAssignees.GetSize());
    EXPECT_STREQ("A", task.m_arAssignees[0]);
    EXPECT_EQ(0, task.m_lstRefDocs.GetCount());
    EXPECT_EQ(0, task.m_lstLinks.GetCount());
}

TEST_F(TaskPropertyTest, EmptyNameIsRefusedBeforeThePredecessors)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("请输入任务名!", IDOK);
    CTask task;
    int nResult = Run(task, [&](CTaskPropertyDlg& sheet) {
        sheet.m_pageNormal.GetDlgItem(IDC_TASK_NAME)->SetWindowText("");
        Ok(sheet);
        EXPECT_TRUE(sheet.GetSafeHwnd() != NULL);
        EXPECT_EQ(0, sheet.m_pageNormal.m_bAccepted);
    });
    EXPECT_EQ(2, nResult);
    EXPECT_EQ(1, boxes.Count());
}

TEST_F(TaskPropertyTest, OverlongDurationIsRefused)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("24855", IDOK);
    CTask task;
    Run(task, [&](CTaskPropertyDlg& sheet) {
        sheet.m_pageNormal.GetDlgItem(IDC_TASK_DURATION)->SetWindowText("24856个工作日");
        Ok(sheet);
        EXPECT_EQ(0, sheet.m_pageNormal.m_bAccepted);
        sheet.m_pageNormal.GetDlgItem(IDC_TASK_DURATION)->SetWindowText("24855个工作日");
        Ok(sheet);
    });
    EXPECT_EQ(1, boxes.Count());
    EXPECT_EQ(24855 * 86400, task.m_nDuration);
}

TEST_F(TaskPropertyTest, CopiesHandedOutOutliveTheTask)
{
    CTaskLink* pLink = new CTaskLink;
    pLink->m_strPredName = "Design";
    pLink->m_nType = 1;
    links.AddTail(pLink);
    CTargetDoc* pTarget = new CTargetDoc;
    pTarget->m_strDocName = "out.doc";
    targetDocs.AddTail(pTarget);

    CList<tagResInfo, tagResInfo&> outRes;
    CString outName, outDesc;
    COleDateTime s, f, d;
    int prio = 0, dur = 0, est = 0, mile = 0;
    CStringArray outCodes;
    CObList outLinks, outRefs, outTargets;
    {
        CSession session;
        CTask task(9, session, 0);
        // The predecessor page is shown, so its rows are turned back into records.
        ASSERT_EQ(1, Run(task, [&](CTaskPropertyDlg& sheet) {
                      sheet.SetActivePage(1);
                      Ok(sheet);
                  }));
        task.GetTaskProperty(outRes, outName, outDesc, s, f, d, prio, dur, est, outCodes, outLinks, outRefs,
                             outTargets, mile);
    }
    EXPECT_STREQ("Task", outName);
    EXPECT_EQ(2 * 86400, dur);
    ASSERT_EQ(1, outLinks.GetCount());
    CTaskLink* pOut = static_cast<CTaskLink*>(outLinks.GetHead());
    EXPECT_STREQ("Design", pOut->m_strPredName);
    EXPECT_EQ(7, pOut->m_nPredID);
    EXPECT_EQ(0, pOut->m_nSuccID);
    ASSERT_EQ(1, outTargets.GetCount());
    EXPECT_STREQ("out.doc", static_cast<CTargetDoc*>(outTargets.GetHead())->m_strDocName);
    EXPECT_EQ(2, outRes.GetCount());
    DeleteAll<CTaskLink>(outLinks);
    DeleteAll<CTargetDoc>(outTargets);
}
