// The project's schedule on its own, without a window: links placing successors on exact
// dates, links kept by task identity through renumbering, the graph's refusals, and random
// edits checked by the independent checker. 1 March 2004 is a Monday.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "ProjectSchedule.h"
#include "ScheduleChecker.h"

namespace
{
COleDateTime Day(int y, int m, int d)
{
    return COleDateTime(y, m, d, 0, 0, 0);
}

long DayNumber(int y, int m, int d)
{
    return (long)(DATE)Day(y, m, d);
}

std::string Dates(const CTaskItem* pTask)
{
    return DateText(pTask->m_dtStart) + ".." + DateText(pTask->m_dtFinish);
}

// A stored task: its dates as given, FLAG 0.
CTaskItem* StoredTask(CTaskItemList& list, const char* pszName, const COleDateTime& start, const COleDateTime& finish,
                      int nDays)
{
    CTaskItem* pTask = new CTaskItem;
    pTask->m_strName = pszName;
    pTask->m_dtStart = start;
    pTask->m_dtFinish = pTask->m_dtDeadline = finish;
    pTask->m_nDuration = pTask->m_nTrueDuration = nDays * 86400;
    list.AddTail(pTask);
    return pTask;
}

CTaskLink* StoredLink(CTaskItem* pSucc, int nPredRow, int nType, int nLag)
{
    CTaskLink* pLink = new CTaskLink;
    pLink->m_nSuccID = nPredRow;
    pLink->m_nType = nType;
    pLink->m_nLag = nLag;
    pSucc->m_listLinks.AddTail(pLink);
    return pLink;
}
} // namespace

TEST(ProjectSchedule, EachLinkKindAndLagPlacesItsSuccessorAcrossAWeekend)
{
    // P works Thursday 4 and Friday 5 March; for start-to-finish, Monday 8 and Tuesday 9.
    // S is one working day on Monday 1 March and moves to what the link asks.
    struct Case
    {
        int kind, lag;
        const char* placed;
    };
    const Case cases[] = {
        {workdays::kFinishToStart, 0, "2004-03-08..2004-03-08"},
        {workdays::kFinishToStart, 1, "2004-03-09..2004-03-09"},
        {workdays::kFinishToStart, 2, "2004-03-10..2004-03-10"},
        {workdays::kFinishToFinish, 0, "2004-03-05..2004-03-05"},
        {workdays::kFinishToFinish, 1, "2004-03-08..2004-03-08"},
        {workdays::kFinishToFinish, 2, "2004-03-09..2004-03-09"},
        {workdays::kStartToStart, 0, "2004-03-04..2004-03-04"},
        {workdays::kStartToStart, 1, "2004-03-05..2004-03-05"},
        {workdays::kStartToStart, 2, "2004-03-08..2004-03-08"},
        {workdays::kStartToFinish, 0, "2004-03-05..2004-03-05"},
        {workdays::kStartToFinish, 1, "2004-03-08..2004-03-08"},
        {workdays::kStartToFinish, 2, "2004-03-09..2004-03-09"},
    };
    for (const Case& c : cases)
    {
        CProjectSchedule schedule;
        const bool bFromMonday = c.kind == workdays::kStartToFinish;
        CTaskItem* pPred = schedule.AddTask(nullptr, -1, "P", bFromMonday ? Day(2004, 3, 8) : Day(2004, 3, 4), 2);
        CTaskItem* pSucc = schedule.AddTask(nullptr, -1, "S", Day(2004, 3, 1), 1);
        ASSERT_TRUE(schedule.AddLink(pSucc, pPred, c.kind, c.lag));
        const CProjectSchedule::ChangeSet changes = schedule.Recalculate({pSucc});
        EXPECT_EQ(Dates(pSucc), c.placed) << "kind " << c.kind << " lag " << c.lag;
        EXPECT_EQ(pSucc->m_nDuration, 86400);
        ASSERT_EQ(changes.dates.size(), 1u);
        EXPECT_EQ(changes.dates[0], pSucc);
    }
}

TEST(ProjectSchedule, ASuccessorLaterThanItsLinkAsksStaysWhereItIs)
{
    // Stored under a rule that asked one working day more: P finishes Friday 5 March, S
    // finishes Tuesday 9 on a finish-to-finish link of lag 1 (which asks Monday 8 now).
    CTaskItemList stored;
    StoredTask(stored, "P", Day(2004, 3, 4), Day(2004, 3, 5), 2);
    CTaskItem* pSucc = StoredTask(stored, "S", Day(2004, 3, 9), Day(2004, 3, 9), 1);
    StoredLink(pSucc, 1, workdays::kFinishToFinish, 1);
    CProjectSchedule schedule;
    schedule.Adopt(stored);
    EXPECT_TRUE(stored.IsEmpty());
    const CProjectSchedule::ChangeSet changes = schedule.Recalculate(std::vector<CTaskItem*>(schedule.Rows().begin() + 1, schedule.Rows().end()));
    EXPECT_TRUE(changes.dates.empty());
    EXPECT_EQ(Dates(pSucc), "2004-03-09..2004-03-09");
    EXPECT_EQ(pSucc->m_nFlag, FLAG_UNCHANGED);
    EXPECT_EQ(DateText(schedule.FirstStart()), "2004-03-04");
    EXPECT_EQ(DateText(schedule.LastFinish()), "2004-03-09");

    // Earlier than the link asks, it moves to exactly that day, and the revision moves.
    const unsigned long long nRevision = changes.nRevision;
    schedule.SetStart(pSucc, Day(2004, 3, 1));
    const CProjectSchedule::ChangeSet moved = schedule.Recalculate({pSucc});
    EXPECT_EQ(Dates(pSucc), "2004-03-08..2004-03-08");
    EXPECT_EQ(pSucc->m_nFlag, FLAG_MODIFIED);
    EXPECT_GT(moved.nRevision, nRevision);
    EXPECT_TRUE(moved.bHeaderChanged);
    EXPECT_EQ(DateText(schedule.LastFinish()), "2004-03-08");
}

TEST(ProjectSchedule, LinksFollowTheirTasksWhenRowsAreNumberedAgain)
{
    CTaskItemList stored;
    StoredTask(stored, "A", Day(2004, 3, 1), Day(2004, 3, 2), 2);
    CTaskItem* pB = StoredTask(stored, "B", Day(2004, 3, 3), Day(2004, 3, 3), 1);
    CTaskItem* pC = StoredTask(stored, "C", Day(2004, 3, 4), Day(2004, 3, 4), 1);
    CTaskLink* pLink = StoredLink(pC, 2, workdays::kFinishToStart, 0);   // B
    StoredLink(pC, 9, workdays::kFinishToStart, 0);  // no such row
    StoredLink(pC, 3, workdays::kFinishToStart, 0);  // C itself
    CProjectSchedule schedule;
    schedule.Adopt(stored);
    // The links that name no task or the task itself are gone, as the task view drops them.
    ASSERT_EQ(pC->m_listLinks.GetCount(), 1);
    EXPECT_EQ(pC->m_listLinks.GetHead(), pLink);
    EXPECT_EQ(schedule.Predecessor(pLink), pB);
    EXPECT_STREQ(pLink->m_strPredName, "B");

    // A task put in above B: B is row 3, and the stored form of the link says so.
    CTaskItem* pNew = schedule.AddTask(nullptr, 1, "N", Day(2004, 3, 1), 1);
    EXPECT_EQ(pNew->m_nRowInGrid, 2);
    EXPECT_EQ(pNew->m_nFlag, FLAG_NEW);
    EXPECT_EQ(pB->m_nRowInGrid, 3);
    EXPECT_EQ(pLink->m_nSuccID, 3);
    EXPECT_EQ(schedule.VerifyKept(), "");

    // B under A, then A removed with its subtree: C's link to B goes with it.
    EXPECT_EQ(schedule.MoveTask(pB, schedule.Rows()[1], 0), 0);
    EXPECT_EQ(schedule.Parent(pB), schedule.Rows()[1]);
    EXPECT_EQ(pLink->m_nSuccID, 2);
    EXPECT_EQ(schedule.VerifyKept(), "");
    schedule.RemoveTask(schedule.Rows()[1]);
    EXPECT_EQ(pC->m_listLinks.GetCount(), 0);
    EXPECT_EQ(pC->m_nRowInGrid, 2);
    EXPECT_EQ(schedule.VerifyKept(), "");
}

TEST(ProjectSchedule, StoredLinksAreReadByRowThenIdThenName)
{
    CTaskItemList stored;
    CTaskItem* pA = StoredTask(stored, "A", Day(2004, 3, 1), Day(2004, 3, 2), 2);
    pA->m_nTaskID = 10;
    CTaskItem* pB = StoredTask(stored, "B", Day(2004, 3, 3), Day(2004, 3, 3), 1);
    CTaskItem* pC = StoredTask(stored, "C", Day(2004, 3, 4), Day(2004, 3, 4), 1);
    pC->m_nTaskID = 30;
    CTaskItem* pD = StoredTask(stored, "D", Day(2004, 3, 8), Day(2004, 3, 8), 1);
    // A stale row with A's id: A, the row rewritten.
    CTaskLink* pById = StoredLink(pD, 2, workdays::kFinishToStart, 0);
    pById->m_nPredID = 10;
    // No id, a stale row and B's name: B.
    CTaskLink* pByName = StoredLink(pD, 7, workdays::kFinishToStart, 0);
    pByName->m_strPredName = "B";
    // An id no task has: nothing, whatever the row holds.
    StoredLink(pD, 3, workdays::kFinishToStart, 0)->m_nPredID = 99;
    // No id, a name no task has: the task at the row (a renamed predecessor), named anew.
    CTaskLink* pRenamed = StoredLink(pD, 3, workdays::kStartToStart, 0);
    pRenamed->m_strPredName = "old C";
    // The task's own id: itself, so gone.
    StoredLink(pC, 1, workdays::kFinishToStart, 0)->m_nPredID = 30;
    CProjectSchedule schedule;
    schedule.Adopt(stored);
    ASSERT_EQ(pD->m_listLinks.GetCount(), 3);
    EXPECT_EQ(schedule.Predecessor(pById), pA);
    EXPECT_EQ(pById->m_nSuccID, 1);
    EXPECT_STREQ(pById->m_strPredName, "A");
    EXPECT_EQ(schedule.Predecessor(pByName), pB);
    EXPECT_EQ(pByName->m_nSuccID, 2);
    EXPECT_EQ(schedule.Predecessor(pRenamed), pC);
    EXPECT_STREQ(pRenamed->m_strPredName, "C");
    EXPECT_EQ(pC->m_listLinks.GetCount(), 0);
    EXPECT_EQ(schedule.VerifyKept(), "");
}

TEST(ProjectSchedule, AMoveDropsTheLinksToItsOwnSummaryFirstAndKeepsWhatTheyAloneClosed)
{
    // S after Y, Y after X; X and Y then go under S. S's link from its own child goes; with
    // it gone, X to Y closes no cycle and stays.
    CProjectSchedule schedule;
    CTaskItem* pS = schedule.AddTask(nullptr, -1, "S", Day(2004, 3, 15), 2);
    CTaskItem* pX = schedule.AddTask(nullptr, -1, "X", Day(2004, 3, 1), 2);
    CTaskItem* pY = schedule.AddTask(nullptr, -1, "Y", Day(2004, 3, 8), 2);
    ASSERT_NE(schedule.AddLink(pS, pY, workdays::kFinishToStart, 0), nullptr);
    CTaskLink* pKept = schedule.AddLink(pY, pX, workdays::kFinishToStart, 0);
    ASSERT_NE(pKept, nullptr);
    EXPECT_EQ(schedule.MoveTasks({{pX, pS, 0}, {pY, pS, 1}}), 1);
    EXPECT_TRUE(pS->m_listLinks.IsEmpty());
    ASSERT_EQ(pY->m_listLinks.GetCount(), 1);
    EXPECT_EQ(schedule.Predecessor(pKept), pX);
    EXPECT_EQ(schedule.VerifyKept(), "");
}

TEST(ProjectSchedule, BlankGridRowsKeepTheirPlaceAmongTheRows)
{
    // Stored rows 1, 3 and 4: the grid shows row 2 blank.
    CTaskItemList stored;
    CTaskItem* pA = StoredTask(stored, "A", Day(2004, 3, 1), Day(2004, 3, 2), 2);
    pA->m_nRowInGrid = 1;
    CTaskItem* pB = StoredTask(stored, "B", Day(2004, 3, 3), Day(2004, 3, 3), 1);
    pB->m_nRowInGrid = 3;
    CTaskItem* pC = StoredTask(stored, "C", Day(2004, 3, 4), Day(2004, 3, 4), 1);
    pC->m_nRowInGrid = 4;
    CTaskLink* pLink = StoredLink(pC, 3, workdays::kFinishToStart, 0);
    CProjectSchedule schedule;
    schedule.Adopt(stored);
    ASSERT_EQ(schedule.Rows().size(), 5u);
    EXPECT_EQ(schedule.Rows()[2], nullptr);
    EXPECT_EQ(pB->m_nRowInGrid, 3);
    EXPECT_EQ(schedule.Predecessor(pLink), pB);
    EXPECT_EQ(schedule.VerifyKept(), "");
    // A task put in above B takes B's row; the blank row stays above it.
    CTaskItem* pN = schedule.AddTask(nullptr, 1, "N", Day(2004, 3, 1), 1);
    EXPECT_EQ(pN->m_nRowInGrid, 3);
    EXPECT_EQ(pB->m_nRowInGrid, 4);
    EXPECT_EQ(pC->m_nRowInGrid, 5);
    EXPECT_EQ(pLink->m_nSuccID, 4);
    EXPECT_EQ(schedule.Rows()[2], nullptr);
    EXPECT_EQ(schedule.VerifyKept(), "");
    // Row 1 deleted: the blank row moves up to row 1.
    schedule.RemoveTask(pA);
    EXPECT_EQ(schedule.Rows()[1], nullptr);
    EXPECT_EQ(pN->m_nRowInGrid, 2);
    EXPECT_EQ(pLink->m_nSuccID, 3);
    // The row below the blank one deleted: the blank row stays above the next task.
    schedule.RemoveTask(pN);
    EXPECT_EQ(schedule.Rows()[1], nullptr);
    EXPECT_EQ(pB->m_nRowInGrid, 2);
    EXPECT_EQ(pC->m_nRowInGrid, 3);
    EXPECT_EQ(pLink->m_nSuccID, 2);
    EXPECT_EQ(schedule.VerifyKept(), "");
}

TEST(ProjectSchedule, ARowPutInOrTakenOutMovesTheRowsBelowWithTheirParentsAndLinks)
{
    // 1 S over 2 A and 3 B (after A by row 2), 4 D alone, 5 blank, 6 C after B by row 3.
    CTaskItemList stored;
    CTaskItem* pS = StoredTask(stored, "S", Day(2004, 3, 1), Day(2004, 3, 3), 3);
    pS->m_nRowInGrid = 1;
    CTaskItem* pA = StoredTask(pS->m_listChildren, "A", Day(2004, 3, 1), Day(2004, 3, 2), 2);
    pA->m_nRowInGrid = 2;
    CTaskItem* pB = StoredTask(pS->m_listChildren, "B", Day(2004, 3, 3), Day(2004, 3, 3), 1);
    pB->m_nRowInGrid = 3;
    CTaskLink* pBA = StoredLink(pB, 2, workdays::kFinishToStart, 0);
    CTaskItem* pD = StoredTask(stored, "D", Day(2004, 3, 2), Day(2004, 3, 2), 1);
    pD->m_nRowInGrid = 4;
    CTaskItem* pC = StoredTask(stored, "C", Day(2004, 3, 4), Day(2004, 3, 4), 1);
    pC->m_nRowInGrid = 6;
    CTaskLink* pCB = StoredLink(pC, 3, workdays::kFinishToStart, 0);
    CProjectSchedule schedule;
    schedule.Adopt(stored);
    schedule.Recalculate({});
    ASSERT_EQ(schedule.VerifyKept(), "");
    // A blank row before A: everything from A on one row down, no date or mark changes.
    unsigned long long nRevision = schedule.Revision();
    schedule.InsertBlankRow(2);
    EXPECT_GT(schedule.Revision(), nRevision);
    ASSERT_EQ(schedule.Rows().size(), 8u);
    EXPECT_EQ(schedule.Rows()[2], nullptr);
    EXPECT_EQ(schedule.Rows()[6], nullptr);
    EXPECT_EQ(pA->m_nRowInGrid, 3);
    EXPECT_EQ(pC->m_nRowInGrid, 7);
    EXPECT_EQ(schedule.Parent(pB), pS);
    EXPECT_EQ(schedule.Parent(pD), nullptr);
    EXPECT_EQ(pBA->m_nSuccID, 3);
    EXPECT_EQ(pCB->m_nSuccID, 4);
    EXPECT_EQ(schedule.VerifyKept(), "");
    EXPECT_TRUE(schedule.Recalculate({}).critical.empty());
    // Below the last task no task moves.
    schedule.InsertBlankRow(8);
    EXPECT_EQ(schedule.Rows().size(), 8u);
    // Taken out again: the rows as they were (a row holding a task is no blank row).
    schedule.RemoveBlankRow(3);
    EXPECT_EQ(schedule.Rows().size(), 8u);
    schedule.RemoveBlankRow(2);
    ASSERT_EQ(schedule.Rows().size(), 7u);
    EXPECT_EQ(pA->m_nRowInGrid, 2);
    EXPECT_EQ(pC->m_nRowInGrid, 6);
    EXPECT_EQ(schedule.Rows()[5], nullptr);
    EXPECT_EQ(pBA->m_nSuccID, 2);
    EXPECT_EQ(pCB->m_nSuccID, 3);
    EXPECT_EQ(schedule.VerifyKept(), "");
    schedule.InsertBlankRow(2);
    // D (on no chain, inside the span) taken out: its record stays with the caller.
    nRevision = schedule.Revision();
    EXPECT_TRUE(schedule.TakeOutTask(pD));
    EXPECT_GT(schedule.Revision(), nRevision);
    EXPECT_FALSE(schedule.Holds(pD));
    EXPECT_EQ(pD->m_strName, CString("D"));
    ASSERT_EQ(schedule.Rows().size(), 7u);
    EXPECT_EQ(schedule.Rows()[5], nullptr);
    EXPECT_EQ(pC->m_nRowInGrid, 6);
    EXPECT_EQ(pCB->m_nSuccID, 4);
    EXPECT_EQ(schedule.VerifyKept(), "");
    EXPECT_FALSE(schedule.TakeOutTask(pD));
    // B taken out: C's link to it goes, B keeps its own link, resolving to nothing now.
    EXPECT_TRUE(schedule.TakeOutTask(pB));
    EXPECT_EQ(pC->m_listLinks.GetCount(), 0);
    ASSERT_EQ(pB->m_listLinks.GetCount(), 1);
    EXPECT_EQ(schedule.Predecessor(pBA), nullptr);
    EXPECT_EQ(pC->m_nRowInGrid, 5);
    EXPECT_EQ(schedule.VerifyKept(), "");
    // The last task out: the blank row above it is no row of the schedule any more.
    EXPECT_TRUE(schedule.TakeOutTask(pC));
    EXPECT_EQ(schedule.Rows().size(), 4u);
    schedule.Recalculate({});
    EXPECT_EQ(schedule.LastFinish(), Day(2004, 3, 3));
    EXPECT_EQ(schedule.VerifyKept(), "");
    delete pB;
    delete pC;
    delete pD;
}

TEST(ProjectSchedule, BlankRowsTrimmedTakeTheTasksAndTheirLinksUp)
{
    // Stored rows 2, 5 and 6: rows 1, 3 and 4 blank; C (under B) links to A by row 2.
    CTaskItemList stored;
    CTaskItem* pA = StoredTask(stored, "A", Day(2004, 3, 1), Day(2004, 3, 2), 2);
    pA->m_nRowInGrid = 2;
    CTaskItem* pB = StoredTask(stored, "B", Day(2004, 3, 3), Day(2004, 3, 3), 1);
    pB->m_nRowInGrid = 5;
    CTaskItem* pC = StoredTask(pB->m_listChildren, "C", Day(2004, 3, 4), Day(2004, 3, 4), 1);
    pC->m_nRowInGrid = 6;
    CTaskLink* pLink = StoredLink(pC, 2, workdays::kFinishToStart, 0);
    CProjectSchedule schedule;
    schedule.Adopt(stored);
    ASSERT_EQ(schedule.Rows().size(), 7u);
    const unsigned long long nRevision = schedule.Revision();
    schedule.TrimBlankRows();
    ASSERT_EQ(schedule.Rows().size(), 4u);
    EXPECT_EQ(schedule.Rows()[1], pA);
    EXPECT_EQ(schedule.Rows()[2], pB);
    EXPECT_EQ(schedule.Rows()[3], pC);
    EXPECT_EQ(pB->m_nRowInGrid, 2);
    EXPECT_EQ(pC->m_nRowInGrid, 3);
    EXPECT_EQ(pLink->m_nSuccID, 1);
    EXPECT_EQ(schedule.Parent(pC), pB);
    EXPECT_GT(schedule.Revision(), nRevision);
    EXPECT_EQ(schedule.VerifyKept(), "");
    // A task put in later keeps no blank row above it.
    CTaskItem* pN = schedule.AddTask(nullptr, 1, "N", Day(2004, 3, 1), 1);
    EXPECT_EQ(pN->m_nRowInGrid, 2);
    EXPECT_EQ(pB->m_nRowInGrid, 3);
    EXPECT_EQ(schedule.VerifyKept(), "");
}

TEST(ProjectSchedule, AListKeptElsewhereIsScheduledInPlaceAndLeftToItsOwner)
{
    CTaskItemList tasks;
    CTaskItem* pPred = StoredTask(tasks, "P", Day(2004, 3, 4), Day(2004, 3, 5), 2);
    CTaskItem* pSucc = StoredTask(tasks, "S", Day(2004, 3, 1), Day(2004, 3, 1), 1);
    StoredLink(pSucc, 1, workdays::kFinishToStart, 0);
    {
        CProjectSchedule schedule(tasks);
        EXPECT_EQ(&schedule.Roots(), &tasks);
        EXPECT_EQ(schedule.Predecessor(pSucc->m_listLinks.GetHead()), pPred);
        schedule.Recalculate({pSucc});
        CTaskItem* pNew = schedule.AddTask(nullptr, 0, "N", Day(2004, 3, 1), 1);
        EXPECT_EQ(tasks.GetHead(), pNew);
        EXPECT_EQ(pSucc->m_listLinks.GetHead()->m_nSuccID, 2);
    }
    // The tasks outlive the schedule, as they were placed.
    ASSERT_EQ(tasks.GetCount(), 3);
    EXPECT_EQ(Dates(pSucc), "2004-03-08..2004-03-08");
    while (!tasks.IsEmpty())
        delete tasks.RemoveHead();
}

// What its views compare: every change moves the revision, only tasks and rows the rows
// revision; a change set names every task changed since the last one and starts from the
// revision that one left, unless a change it cannot name came between.
TEST(ProjectSchedule, ChangeSetsNameEveryTaskChangedSinceTheLastAndTheRevisionTheyStartFrom)
{
    CProjectSchedule schedule;
    CTaskItem* pA = schedule.AddTask(nullptr, 0, "A", Day(2004, 3, 1), 2);
    CTaskItem* pB = schedule.AddTask(nullptr, 1, "B", Day(2004, 3, 10), 2);
    CTaskItem* pC = schedule.AddTask(nullptr, 2, "C", Day(2004, 3, 10), 2);
    schedule.Recalculate({});
    const unsigned long long nSettled = schedule.Revision(), nRows = schedule.RowsRevision();
    EXPECT_EQ(schedule.Recalculate({}).nRevision, nSettled);

    // A link, then a name, each named with the revision the last settle left.
    CTaskLink* pLink = schedule.AddLink(pB, pA, workdays::kFinishToStart, 0);
    ASSERT_NE(pLink, nullptr);
    EXPECT_GT(schedule.Revision(), nSettled);
    EXPECT_EQ(schedule.RowsRevision(), nRows);
    pC->m_strName = "C2";
    schedule.ShownChanged(pC);
    CProjectSchedule::ChangeSet changes = schedule.Recalculate({});
    EXPECT_EQ(changes.nBaseRevision, nSettled);
    EXPECT_EQ(changes.nRevision, schedule.Revision());
    EXPECT_GT(changes.nRevision, nSettled);
    EXPECT_EQ(changes.fields, (std::vector<CTaskItem*>{pA, pB, pC}));
    EXPECT_TRUE(changes.dates.empty());

    // A link removed: its two tasks.
    const unsigned long long nAfterLink = changes.nRevision;
    schedule.RemoveLink(pB, pLink);
    changes = schedule.Recalculate({});
    EXPECT_EQ(changes.nBaseRevision, nAfterLink);
    EXPECT_EQ(changes.fields, (std::vector<CTaskItem*>{pA, pB}));
    EXPECT_EQ(schedule.RowsRevision(), nRows);

    // A change reported without its task, or a task added: the set starts after it.
    schedule.ShownChanged();
    const unsigned long long nUnnamed = schedule.Revision();
    changes = schedule.Recalculate({});
    EXPECT_EQ(changes.nBaseRevision, nUnnamed);
    EXPECT_TRUE(changes.fields.empty());
    schedule.AddTask(nullptr, 3, "D", Day(2004, 3, 1), 1);
    EXPECT_GT(schedule.RowsRevision(), nRows);
    const unsigned long long nAdded = schedule.Revision();
    EXPECT_EQ(schedule.Recalculate({}).nBaseRevision, nAdded);
}

TEST(ProjectSchedule, TheGraphRefusesCyclesThroughLinksAndSummaries)
{
    CProjectSchedule schedule;
    CTaskItem* pSummary = schedule.AddTask(nullptr, -1, "S", Day(2004, 3, 1), 1);
    CTaskItem* pChild = schedule.AddTask(pSummary, -1, "C", Day(2004, 3, 1), 1);
    CTaskItem* pA = schedule.AddTask(nullptr, -1, "A", Day(2004, 3, 1), 1);
    CTaskItem* pB = schedule.AddTask(nullptr, -1, "B", Day(2004, 3, 1), 1);
    EXPECT_EQ(schedule.AddLink(pA, pA, 1, 0), nullptr);
    // Tasks of another schedule are not this one's to link or hang tasks under.
    CProjectSchedule other;
    CTaskItem* pForeign = other.AddTask(nullptr, -1, "F", Day(2004, 3, 1), 1);
    EXPECT_EQ(schedule.AddLink(pA, pForeign, 1, 0), nullptr);
    EXPECT_EQ(schedule.AddTask(pForeign, -1, "G", Day(2004, 3, 1), 1), nullptr);
    EXPECT_EQ(schedule.MoveTask(pA, pForeign, 0), -1);
    EXPECT_TRUE(pForeign->m_listChildren.IsEmpty());
    EXPECT_EQ(schedule.AddLink(pChild, pSummary, 1, 0), nullptr);
    EXPECT_EQ(schedule.AddLink(pSummary, pChild, 1, 0), nullptr);
    ASSERT_NE(schedule.AddLink(pB, pA, 1, 0), nullptr);
    EXPECT_EQ(schedule.AddLink(pB, pA, 2, 0), nullptr);  // a second link between the two
    EXPECT_EQ(schedule.AddLink(pA, pB, 1, 0), nullptr);
    ASSERT_NE(schedule.AddLink(pA, pChild, 1, 0), nullptr);
    EXPECT_EQ(schedule.AddLink(pSummary, pB, 1, 0), nullptr);  // B follows A, which follows C

    // A move into its own subtree is refused; one that puts a link on a cycle drops it: D
    // follows S, so a child of S cannot follow D. B may still follow A.
    CTaskItem* pD = schedule.AddTask(nullptr, -1, "D", Day(2004, 3, 1), 1);
    ASSERT_NE(schedule.AddLink(pD, pSummary, 1, 0), nullptr);
    ASSERT_NE(schedule.AddLink(pB, pD, 1, 0), nullptr);
    EXPECT_EQ(schedule.MoveTask(pSummary, pChild, 0), -1);
    EXPECT_EQ(schedule.MoveTask(pB, pSummary, -1), 1);
    EXPECT_EQ(schedule.Parent(pB), pSummary);
    ASSERT_EQ(pB->m_listLinks.GetCount(), 1);
    EXPECT_EQ(schedule.Predecessor(pB->m_listLinks.GetHead()), pA);
    EXPECT_EQ(pA->m_listLinks.GetCount(), 1);
    EXPECT_EQ(schedule.VerifyKept(), "");
}

TEST(ProjectSchedule, AStoredLinkCycleEndsWhereTheChangeEnteredIt)
{
    // A and B name each other (left by an older program): the walk ends, the task changed
    // keeps its dates and the other is placed after it; C, after B, follows.
    for (const bool bChangeA : {true, false})
    {
        CTaskItemList stored;
        CTaskItem* pA = StoredTask(stored, "A", Day(2004, 3, 1), Day(2004, 3, 2), 2);
        CTaskItem* pB = StoredTask(stored, "B", Day(2004, 3, 1), Day(2004, 3, 1), 1);
        CTaskItem* pC = StoredTask(stored, "C", Day(2004, 3, 1), Day(2004, 3, 1), 1);
        StoredLink(pA, 2, workdays::kFinishToStart, 0);
        StoredLink(pB, 1, workdays::kFinishToStart, 0);
        StoredLink(pC, 2, workdays::kFinishToStart, 0);
        CProjectSchedule schedule;
        schedule.Adopt(stored);
        schedule.Recalculate({bChangeA ? pA : pB});
        EXPECT_EQ(Dates(pA), bChangeA ? "2004-03-01..2004-03-02" : "2004-03-02..2004-03-03");
        EXPECT_EQ(Dates(pB), bChangeA ? "2004-03-03..2004-03-03" : "2004-03-01..2004-03-01");
        EXPECT_EQ(Dates(pC), bChangeA ? "2004-03-04..2004-03-04" : "2004-03-02..2004-03-02");
        EXPECT_EQ(schedule.VerifyKept(), "");
    }
}

TEST(ProjectSchedule, AnOwnersTreeIsTakenInByItsStoredRowsAndLinksAsStored)
{
    // Rows 1, 3 and 4 (row 2 blank, as the grid shows it); S names P by row 1, T names the
    // blank row 2 and U its own row: those two resolve to nothing and stay as stored.
    CTaskItemList tasks;
    CTaskItem* pPred = StoredTask(tasks, "P", Day(2004, 3, 4), Day(2004, 3, 5), 2);
    pPred->m_nRowInGrid = 1;
    CTaskItem* pSucc = StoredTask(tasks, "S", Day(2004, 3, 1), Day(2004, 3, 1), 1);
    pSucc->m_nRowInGrid = 3;
    CTaskItem* pT = StoredTask(tasks, "T", Day(2004, 3, 1), Day(2004, 3, 1), 1);
    pT->m_nRowInGrid = 4;
    CTaskItem* pU = StoredTask(pT->m_listChildren, "U", Day(2004, 3, 1), Day(2004, 3, 1), 1);
    pU->m_nRowInGrid = 5;
    StoredLink(pSucc, 1, workdays::kFinishToStart, 0);
    CTaskLink* pToBlank = StoredLink(pT, 2, workdays::kFinishToStart, 0);
    CTaskLink* pToItself = StoredLink(pU, 5, workdays::kFinishToStart, 0);
    {
        CProjectSchedule schedule(tasks, CProjectSchedule::TakenInLater());
        schedule.TakeInStoredRows();
        ASSERT_EQ(schedule.Rows().size(), 6u);
        EXPECT_EQ(schedule.Rows()[2], nullptr);
        EXPECT_EQ(schedule.Rows()[3], pSucc);
        EXPECT_EQ(schedule.Parent(pU), pT);
        EXPECT_EQ(schedule.Predecessor(pSucc->m_listLinks.GetHead()), pPred);
        EXPECT_EQ(schedule.Predecessor(pToBlank), nullptr);
        EXPECT_EQ(schedule.Predecessor(pToItself), nullptr);
        EXPECT_EQ(schedule.VerifyKept(), "");
        schedule.Note(pSucc);
        const CProjectSchedule::ChangeSet changes = schedule.Recalculate({pSucc});
        ASSERT_EQ(changes.dates.size(), 1u);
        EXPECT_EQ(changes.dates[0], pSucc);
        // Only the rows changed (U now at the top, before P; the links' rows carried along
        // by the owner): the blank row T names now holds P, and T's link is read as P's.
        tasks.AddHead(pT->m_listChildren.RemoveHead());
        pU->m_nRowInGrid = 1;
        pPred->m_nRowInGrid = 2;
        pSucc->m_nRowInGrid = 4;
        pT->m_nRowInGrid = 5;
        pSucc->m_listLinks.GetHead()->m_nSuccID = 2;
        pToItself->m_nSuccID = 1;
        schedule.TakeInStoredTree();
        EXPECT_EQ(schedule.Parent(pU), nullptr);
        EXPECT_EQ(schedule.Rows()[3], nullptr);
        EXPECT_EQ(schedule.Predecessor(pSucc->m_listLinks.GetHead()), pPred);
        EXPECT_EQ(schedule.Predecessor(pToBlank), pPred);
        EXPECT_EQ(schedule.Predecessor(pToItself), nullptr);
        EXPECT_EQ(schedule.VerifyKept(), "");
    }
    EXPECT_EQ(Dates(pSucc), "2004-03-08..2004-03-08");
    EXPECT_EQ(pT->m_listLinks.GetCount(), 1);
    EXPECT_EQ(pToBlank->m_nSuccID, 2);
    EXPECT_EQ(pU->m_listLinks.GetCount(), 1);
    EXPECT_EQ(pToItself->m_nSuccID, 1);
    while (!tasks.IsEmpty())
        delete tasks.RemoveHead();
}

TEST(ProjectSchedule, ATaskBackInTheTreeBringsNoSuccessorsItHadBefore)
{
    // S names P; the owner takes P out (and S's link with it), then puts P back below S.
    CTaskItemList tasks;
    CTaskItem* pPred = StoredTask(tasks, "P", Day(2004, 3, 4), Day(2004, 3, 5), 2);
    pPred->m_nRowInGrid = 1;
    CTaskItem* pSucc = StoredTask(tasks, "S", Day(2004, 3, 8), Day(2004, 3, 8), 1);
    pSucc->m_nRowInGrid = 2;
    StoredLink(pSucc, 1, workdays::kFinishToStart, 0);
    CProjectSchedule schedule(tasks, CProjectSchedule::TakenInLater());
    schedule.TakeInStoredRows();
    ASSERT_EQ(schedule.Predecessor(pSucc->m_listLinks.GetHead()), pPred);
    tasks.RemoveHead();
    delete pSucc->m_listLinks.RemoveHead();
    pSucc->m_nRowInGrid = 1;
    schedule.TakeInStoredTree();
    EXPECT_EQ(schedule.StoredLinkCount(), 0u);
    tasks.AddTail(pPred);
    pPred->m_nRowInGrid = 2;
    schedule.TakeInStoredTree();
    EXPECT_EQ(schedule.Rows()[2], pPred);
    EXPECT_EQ(schedule.VerifyKept(), "");
    // With no link left, P may follow S.
    EXPECT_NE(schedule.AddLink(pPred, pSucc, workdays::kFinishToStart, 0), nullptr);
    EXPECT_EQ(schedule.VerifyKept(), "");
    while (!tasks.IsEmpty())
        delete tasks.RemoveHead();
}

// An owner that replaces a task's links itself: the former ones let go, the new ones taken
// in by the rows they store, a link to a blank row counted but resolving to nothing.
TEST(ProjectSchedule, LinksReplacedByTheOwnerAreLetGoAndTakenIn)
{
    CTaskItemList tasks;
    CTaskItem* pA = StoredTask(tasks, "A", Day(2004, 3, 1), Day(2004, 3, 1), 1);
    pA->m_nRowInGrid = 1;
    CTaskItem* pB = StoredTask(tasks, "B", Day(2004, 3, 2), Day(2004, 3, 2), 1);
    pB->m_nRowInGrid = 2;
    CTaskItem* pC = StoredTask(tasks, "C", Day(2004, 3, 3), Day(2004, 3, 3), 1);
    pC->m_nRowInGrid = 4;
    StoredLink(pC, 1, workdays::kFinishToStart, 0);
    CProjectSchedule schedule(tasks, CProjectSchedule::TakenInLater());
    schedule.TakeInStoredRows();
    ASSERT_EQ(schedule.Predecessor(pC->m_listLinks.GetHead()), pA);
    schedule.LetGoLinksOf(pC);
    EXPECT_EQ(schedule.StoredLinkCount(), 0u);
    EXPECT_TRUE(pA->m_scheduleSuccs.empty());
    delete pC->m_listLinks.RemoveHead();
    StoredLink(pC, 2, workdays::kFinishToStart, 0);
    StoredLink(pC, 3, workdays::kFinishToStart, 0);  // the blank row
    StoredLink(pC, 4, workdays::kFinishToStart, 0);  // its own row
    schedule.TakeInLinksOf(pC);
    EXPECT_EQ(schedule.StoredLinkCount(), 3u);
    EXPECT_EQ(schedule.Predecessor(pC->m_listLinks.GetHead()), pB);
    EXPECT_EQ(schedule.Predecessor(pC->m_listLinks.GetTail()), nullptr);
    EXPECT_EQ(pB->m_scheduleSuccs, std::vector<CTaskItem*>(1, pC));
    EXPECT_EQ(schedule.VerifyKept(), "");
    // B now precedes C: C may not precede B, A may.
    EXPECT_EQ(schedule.AddLink(pB, pC, workdays::kFinishToStart, 0), nullptr);
    EXPECT_NE(schedule.AddLink(pB, pA, workdays::kFinishToStart, 0), nullptr);
    EXPECT_EQ(schedule.ReachedRows(1), std::vector<char>({0, 1, 1, 0, 1}));
    while (!tasks.IsEmpty())
        delete tasks.RemoveHead();
}

TEST(ProjectSchedule, ASummaryMovedByItsLinkShiftsItsChildrenByWorkingDays)
{
    CProjectSchedule schedule;
    CTaskItem* pPred = schedule.AddTask(nullptr, -1, "P", Day(2004, 3, 1), 4);        // Mon .. Thu
    CTaskItem* pSummary = schedule.AddTask(nullptr, -1, "S", Day(2004, 3, 1), 1);
    CTaskItem* pFirst = schedule.AddTask(pSummary, -1, "C1", Day(2004, 3, 1), 2);    // Mon .. Tue
    CTaskItem* pSecond = schedule.AddTask(pSummary, -1, "C2", Day(2004, 3, 4), 2);   // Thu .. Fri
    schedule.Recalculate({pFirst, pSecond});
    EXPECT_EQ(Dates(pSummary), "2004-03-01..2004-03-05");
    EXPECT_EQ(pSummary->m_nDuration, 5 * 86400);
    EXPECT_EQ(pSummary->m_nTrueDuration, 4 * 86400);
    ASSERT_NE(schedule.AddLink(pSummary, pPred, workdays::kFinishToStart, 0), nullptr);
    const CProjectSchedule::ChangeSet changes = schedule.Recalculate({pSummary});
    // Four working days on: Friday 5, Monday 8 .. Thursday 11.
    EXPECT_EQ(Dates(pFirst), "2004-03-05..2004-03-08");
    EXPECT_EQ(Dates(pSecond), "2004-03-10..2004-03-11");
    EXPECT_EQ(Dates(pSummary), "2004-03-05..2004-03-11");
    EXPECT_EQ(changes.dates.size(), 3u);
}

TEST(ProjectSchedule, AChildMovedAheadOfItsSummarysLinkTakesAllItsSiblingsOnWithIt)
{
    CProjectSchedule schedule;
    CTaskItem* pPred = schedule.AddTask(nullptr, -1, "P", Day(2004, 3, 1), 4);        // Mon 1 .. Thu 4
    CTaskItem* pSummary = schedule.AddTask(nullptr, -1, "S", Day(2004, 3, 1), 1);
    CTaskItem* pFirst = schedule.AddTask(pSummary, -1, "C1", Day(2004, 3, 5), 2);    // Fri 5 .. Mon 8
    CTaskItem* pSecond = schedule.AddTask(pSummary, -1, "C2", Day(2004, 3, 9), 2);   // Tue 9 .. Wed 10
    ASSERT_NE(schedule.AddLink(pSummary, pPred, workdays::kFinishToStart, 0), nullptr);
    schedule.Recalculate({pFirst, pSecond, pSummary});
    ASSERT_EQ(Dates(pSummary), "2004-03-05..2004-03-10");
    // C1 moved to Wednesday 3 takes the summary two working days before its link allows:
    // every child goes two working days on, C2 too, though it was not moved.
    schedule.SetStart(pFirst, Day(2004, 3, 3));
    schedule.Recalculate({pFirst});
    EXPECT_EQ(Dates(pFirst), "2004-03-05..2004-03-08");
    EXPECT_EQ(Dates(pSecond), "2004-03-11..2004-03-12");
    EXPECT_EQ(Dates(pSummary), "2004-03-05..2004-03-12");
}

TEST(ProjectSchedule, ASummaryOverMoreWorkingDaysThanADurationHoldsKeepsTheLongestDuration)
{
    // Two centuries of working days (over 52,000) do not fit a duration in seconds: the
    // summary keeps the longest one a duration can hold instead of a wrapped number.
    CProjectSchedule schedule;
    CTaskItem* pSummary = schedule.AddTask(nullptr, -1, "S", Day(1950, 1, 2), 1);
    CTaskItem* pFirst = schedule.AddTask(pSummary, -1, "C1", Day(1950, 1, 2), 1);
    CTaskItem* pLast = schedule.AddTask(pSummary, -1, "C2", Day(2150, 1, 2), 1);
    schedule.Recalculate({pFirst, pLast});
    EXPECT_EQ(Dates(pSummary), DateText(pFirst->m_dtStart) + ".." + DateText(pLast->m_dtFinish));
    EXPECT_EQ(pSummary->m_nDuration, (INT_MAX / 86400) * 86400);
    EXPECT_EQ(pSummary->m_nMilestone, 0);
}

TEST(ProjectSchedule, ALeafThatWasASummaryGetsItsOwnDurationBack)
{
    CProjectSchedule schedule;
    CTaskItem* pTask = schedule.AddTask(nullptr, -1, "L", Day(2004, 3, 1), 5);   // Mon 1 .. Fri 5
    CTaskItem* pChild = schedule.AddTask(pTask, -1, "C", Day(2004, 3, 8), 2);    // Mon 8 .. Tue 9
    schedule.Recalculate({pChild});
    EXPECT_EQ(Dates(pTask), "2004-03-08..2004-03-09");
    EXPECT_EQ(pTask->m_nDuration, 2 * 86400);
    EXPECT_EQ(pTask->m_nOwnDuration, 5 * 86400);
    // Its last child moved away: its own five days again.
    EXPECT_EQ(schedule.MoveTask(pChild, nullptr, -1), 0);
    const CProjectSchedule::ChangeSet changes = schedule.Recalculate({pTask, pChild});
    EXPECT_EQ(Dates(pTask), "2004-03-08..2004-03-12");
    EXPECT_EQ(pTask->m_nDuration, 5 * 86400);
    EXPECT_EQ(pTask->m_nOwnDuration, -1);
    ASSERT_EQ(changes.dates.size(), 1u);
    EXPECT_EQ(changes.dates[0], pTask);
    // Its last child removed: it keeps the span it had.
    CTaskItem* pOther = schedule.AddTask(pTask, -1, "D", Day(2004, 3, 15), 3);  // Mon 15 .. Wed 17
    schedule.Recalculate({pOther});
    EXPECT_EQ(Dates(pTask), "2004-03-15..2004-03-17");
    schedule.RemoveTask(pOther);
    schedule.Recalculate({pTask});
    EXPECT_EQ(Dates(pTask), "2004-03-15..2004-03-17");
    EXPECT_EQ(pTask->m_nDuration, 3 * 86400);
    EXPECT_EQ(pTask->m_nOwnDuration, 5 * 86400);
}

namespace
{
// The calendar of the random projects, counted apart from the schedule's rule: Saturdays
// and Sundays rest, and the week of 5 April 2004; Saturday 13 March works.
BOOL RandomRestDay(const COleDateTime& d)
{
    if (d >= Day(2004, 4, 5) && d <= Day(2004, 4, 9))
        return TRUE;
    if (d == Day(2004, 3, 13))
        return FALSE;
    return d.GetDayOfWeek() == 1 || d.GetDayOfWeek() == 7;
}

class ProjectScheduleRandomEdit
{
public:
    explicit ProjectScheduleRandomEdit(unsigned nSeed) : m_rng(nSeed), m_nSeed(nSeed)
    {
        workdays::CWorkingCalendar calendar(workdays::kStandardBase);
        calendar.AddPeriod(DayNumber(2004, 4, 5), DayNumber(2004, 4, 9), false);
        calendar.AddPeriod(DayNumber(2004, 3, 13), DayNumber(2004, 3, 13), true);
        m_schedule.SetCalendar(calendar);
        m_days.isRest = &RandomRestDay;
    }

    void Run(int nTasks, int nLinks, int nEdits)
    {
        for (int i = 0; i < nTasks; i++)
            Insert();
        for (int i = 0; i < nLinks; i++)
            Link();
        m_schedule.Recalculate(Tasks());
        ASSERT_EQ(Check({}, nullptr, false), "") << "seed " << m_nSeed << " after the project was made";
        for (int nEdit = 0; nEdit < nEdits; nEdit++)
        {
            const CScheduleBefore before = ScheduleSnapshot(m_schedule.Roots());
            const unsigned long long nRevision = m_schedule.Revision();
            const int nOp = Rand(0, 6);
            std::vector<CTaskItem*> changed;
            CTaskItem* pEdited = Edit(nOp, changed);
            const CProjectSchedule::ChangeSet changes = m_schedule.Recalculate(changed);
            ASSERT_EQ(Check(before, pEdited, nOp <= 3), "") << "seed " << m_nSeed << ", edit " << nEdit << " (op " << nOp << ": " << m_strWhat << ")";
            // The change set names exactly the tasks whose dates moved (of those there before).
            if (nOp <= 3)
            {
                std::set<const CTaskItem*> named(changes.dates.begin(), changes.dates.end());
                for (const auto& [pTask, b] : before)
                {
                    const bool bMoved = !(b.start == pTask->m_dtStart) || !(b.finish == pTask->m_dtFinish);
                    ASSERT_TRUE(!bMoved || named.count(pTask))
                        << "seed " << m_nSeed << ", edit " << nEdit << ": " << (LPCTSTR)pTask->m_strName << " moved unnamed";
                }
            }
            ASSERT_GE(changes.nRevision, nRevision);
        }
    }

private:
    int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

    std::vector<CTaskItem*> Tasks() const
    {
        return std::vector<CTaskItem*>(m_schedule.Rows().begin() + 1, m_schedule.Rows().end());
    }
    CTaskItem* AnyTask() { return m_schedule.Rows()[(size_t)Rand(1, (int)m_schedule.Rows().size() - 1)]; }
    CTaskItem* AnyLeaf()
    {
        for (int nTry = 0; nTry < 50; nTry++)
            if (CTaskItem* pTask = AnyTask(); pTask->m_listChildren.IsEmpty())
                return pTask;
        return nullptr;
    }

    CTaskItem* Insert()
    {
        // Under a task of at most level 5, or at the top.
        CTaskItem* pParent = m_schedule.Rows().size() > 1 && Rand(0, 2) > 0 ? AnyTask() : nullptr;
        int nLevel = 1;
        for (const CTaskItem* p = pParent; p; p = m_schedule.Parent(p))
            nLevel++;
        if (nLevel > 5)
            pParent = nullptr;
        const COleDateTime start = Day(2004, 3, 1) + COleDateTimeSpan(Rand(0, 60), 0, 0, 0);
        CString strName;
        strName.Format("T%d", ++m_nNames);
        const int nCount = pParent ? (int)pParent->m_listChildren.GetCount() : (int)m_schedule.Roots().GetCount();
        return m_schedule.AddTask(pParent, Rand(0, nCount), strName, start, Rand(0, 3) == 0 ? 0 : Rand(1, 8));
    }

    CTaskItem* Link()
    {
        CTaskItem* pSucc = AnyTask();
        return m_schedule.AddLink(pSucc, AnyTask(), Rand(1, 4), Rand(0, 5)) ? pSucc : nullptr;
    }

    CTaskItem* Edit(int nOp, std::vector<CTaskItem*>& changed)
    {
        CTaskItem* pTask = AnyLeaf();
        if (!pTask)
            return nullptr;
        m_strWhat = (LPCTSTR)pTask->m_strName;
        switch (nOp)
        {
        case 0:
            m_schedule.SetDurationDays(pTask, Rand(0, 8));
            break;
        case 1:
            m_schedule.SetStart(pTask, Day(2004, 3, 1) + COleDateTimeSpan(Rand(0, 90), 0, 0, 0));
            break;
        case 2:
            m_schedule.SetFinish(pTask, pTask->m_dtStart + COleDateTimeSpan(Rand(-2, 12), 0, 0, 0));
            break;
        case 3:
            pTask = Link();
            break;
        case 4:
            pTask = Insert();
            break;
        case 5:
        {
            CTaskItem* pParent = m_schedule.Parent(pTask);
            m_schedule.RemoveTask(pTask);
            pTask = pParent;
            break;
        }
        default:
        {
            // Under another task, or to the top; the old summary spans what it has left.
            CTaskItem* pMoved = AnyTask();
            CTaskItem* pOld = m_schedule.Parent(pMoved);
            CTaskItem* pParent = Rand(0, 3) == 0 ? nullptr : AnyTask();
            m_strWhat = std::string("move ") + (LPCTSTR)pMoved->m_strName + " from " +
                        (pOld ? (LPCTSTR)pOld->m_strName : "the top") + " to " + (pParent ? (LPCTSTR)pParent->m_strName : "the top");
            if (m_schedule.MoveTask(pMoved, pParent, Rand(0, 3)) < 0)
                return nullptr;
            if (pOld)
                changed.push_back(pOld);
            pTask = pMoved;
            break;
        }
        }
        if (pTask)
            changed.push_back(pTask);
        return pTask;
    }

    std::string Check(const CScheduleBefore& before, const CTaskItem* pEdited, bool bCellEdit)
    {
        const CScheduleChecker checker(m_days, [this](int nRow) -> const CTaskItem* {
            return nRow > 0 && nRow < (int)m_schedule.Rows().size() ? m_schedule.Rows()[(size_t)nRow] : nullptr;
        });
        return m_schedule.VerifyKept() +
               checker.Check(m_schedule.Roots(), before, pEdited, bCellEdit,
                             {m_schedule.FirstStart(), m_schedule.LastFinish(), m_schedule.LastFinish()});
    }

    std::mt19937 m_rng;
    unsigned m_nSeed;
    CProjectSchedule m_schedule;
    CScheduleDays m_days{nullptr, {}};
    int m_nNames = 0;
    std::string m_strWhat;  // the edit, for a failure's message
};
} // namespace

TEST(ProjectSchedule, RandomEditsKeepEveryLinkAndSummary)
{
    for (unsigned nSeed : {31u, 32u, 33u, 34u, 35u, 36u})
    {
        ProjectScheduleRandomEdit(nSeed).Run(150, 120, 400);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}
