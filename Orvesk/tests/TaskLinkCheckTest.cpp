// The link checks on rows built by hand: which row each check refuses, the two texts, and
// cycles through links that are not a task's first.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "TaskItem.h"
#include "TaskLinkCheck.h"
#include "ProjectSchedule.h"

namespace
{
// Rows 1..n of tasks; children and links by row; successor lists as the view builds them.
class Rows
{
public:
    explicit Rows(int n) : m_rows(n + 1, nullptr)
    {
        for (int r = 1; r <= n; r++)
        {
            m_owned.emplace_back(new CTaskItem);
            m_rows[r] = m_owned.back().get();
            m_rows[r]->m_nRowInGrid = r;
            m_rows[r]->m_strName.Format("任务%d", r);
        }
    }
    ~Rows()
    {
        // The children lists do not own the tasks here.
        for (auto& p : m_owned)
            p->m_listChildren.RemoveAll();
    }
    void Child(int nParent, int nChild) { m_rows[nParent]->m_listChildren.AddTail(m_rows[nChild]); }
    // nPred becomes a predecessor of nSucc.
    void Link(int nSucc, int nPred)
    {
        CTaskLink* pLink = new CTaskLink;
        pLink->m_nSuccID = nPred;
        m_rows[nSucc]->m_listLinks.AddTail(pLink);
        m_rows[nPred]->m_arrSuccessors.Add((DWORD)nSucc);
        m_rows[nPred]->m_nSuccessor = 1;
    }
    int Failed(int a, int b) const { return CTaskLinkCheck(m_rows, a).FailedCheck(b); }
    int Verdict(int a, int b) const { return CTaskLinkCheck(m_rows, a).Check(b); }
    std::vector<CTaskItem*> m_rows;

private:
    std::vector<std::unique_ptr<CTaskItem>> m_owned;
};
} // namespace

TEST(TaskLinkCheckTest, TextsAreExact)
{
    EXPECT_EQ(CTaskLinkCheck::LinkMessage(CTaskLinkCheck::linkCycle), CString("链接任务出错!\n\n这样将产生循环链接!"));
    EXPECT_EQ(CTaskLinkCheck::LinkMessage(CTaskLinkCheck::linkParentChild),
              CString("链接任务出错!\n\n不能将两个父子关系的任务进行链接!"));
    EXPECT_EQ(CTaskLinkCheck::LinkMessage(CTaskLinkCheck::linkOK), CString(""));
}

TEST(TaskLinkCheckTest, UnrelatedTasksMayBeLinked)
{
    Rows rows(3);
    rows.Link(2, 1);
    EXPECT_EQ(rows.Failed(3, 1), 0);
    EXPECT_EQ(rows.Failed(3, 2), 0);
    EXPECT_EQ(rows.Failed(2, 3), 0);
    EXPECT_EQ(rows.Verdict(3, 2), CTaskLinkCheck::linkOK);
}

TEST(TaskLinkCheckTest, ATaskIsNotItsOwnPredecessor)
{
    Rows rows(2);
    EXPECT_EQ(rows.Verdict(2, 2), CTaskLinkCheck::linkCycle);
}

TEST(TaskLinkCheckTest, ASuccessorMayNotBecomeThePredecessor)
{
    Rows rows(2);
    rows.Link(2, 1);
    EXPECT_EQ(rows.Failed(1, 2), 1);
    EXPECT_EQ(rows.Verdict(1, 2), CTaskLinkCheck::linkCycle);
}

TEST(TaskLinkCheckTest, ACycleThroughASecondPredecessorLinkIsRefused)
{
    // 1 -> 2 -> 4, and 4's first link is to 3: following first links alone misses it.
    Rows rows(4);
    rows.Link(2, 1);
    rows.Link(4, 3);
    rows.Link(4, 2);
    EXPECT_EQ(rows.Failed(1, 4), 1);
    EXPECT_EQ(rows.Failed(1, 3), 0);
}

TEST(TaskLinkCheckTest, ALinkCycleInStoredDataEnds)
{
    Rows rows(3);
    rows.Link(2, 3);
    rows.Link(3, 2);
    EXPECT_EQ(rows.Failed(1, 2), 0);
    EXPECT_EQ(rows.Failed(2, 3), 1);
}

TEST(TaskLinkCheckTest, ParentAndChildAreRefusedWithTheirOwnText)
{
    Rows rows(3);
    rows.Child(1, 2);
    rows.Child(2, 3);
    EXPECT_EQ(rows.Failed(1, 2), 11);
    EXPECT_EQ(rows.Failed(2, 1), 11);
    EXPECT_EQ(rows.Failed(3, 1), 11);
    EXPECT_EQ(rows.Failed(1, 3), 11);
    EXPECT_EQ(rows.Verdict(1, 3), CTaskLinkCheck::linkParentChild);
}

TEST(TaskLinkCheckTest, TheFirstSuccessorOfTheListCounts)
{
    // 1 -> 3 with 3 under summary 2: 2 before 1 would put 3 before 1. The successor list of
    // 1 has one entry.
    Rows rows(3);
    rows.Child(2, 3);
    rows.Link(3, 1);
    EXPECT_EQ(rows.Failed(1, 2), 3);
}

TEST(TaskLinkCheckTest, ARowUnderASuccessorIsRefused)
{
    Rows rows(3);
    rows.Child(2, 3);
    rows.Link(2, 1);
    EXPECT_EQ(rows.Failed(1, 3), 5);
}

TEST(TaskLinkCheckTest, ASummaryHoldingASuccessorAndTheCandidate)
{
    // 2 summary of 3 and 4; 1 -> 3. 4 before 1 is refused by the summary's span.
    Rows rows(4);
    rows.Child(2, 3);
    rows.Child(2, 4);
    rows.Link(3, 1);
    EXPECT_EQ(rows.Failed(1, 4), 4);
}

TEST(TaskLinkCheckTest, ACandidateAfterTheSummaryOfTheSuccessorRow)
{
    // 1 summary of 2; 1 -> 3: 3 may not come before 2.
    Rows rows(3);
    rows.Child(1, 2);
    rows.Link(3, 1);
    EXPECT_EQ(rows.Failed(2, 3), 7);
}

TEST(TaskLinkCheckTest, ACandidateUnderATaskAfterTheSummaryOfTheSuccessorRow)
{
    // 1 summary of 2; 1 -> 3 -> 5; 4 under 3.
    Rows rows(5);
    rows.Child(1, 2);
    rows.Child(3, 4);
    rows.Link(3, 1);
    rows.Link(5, 3);
    EXPECT_EQ(rows.Failed(2, 4), 8);
}

TEST(TaskLinkCheckTest, ACandidateAfterATaskUnderTheSuccessorRow)
{
    // 1 summary of 2; 2 -> 3: 3 may not come before 1.
    Rows rows(3);
    rows.Child(1, 2);
    rows.Link(3, 2);
    EXPECT_EQ(rows.Failed(1, 3), 9);
}

TEST(TaskLinkCheckTest, ASummaryOverATaskAfterTheSuccessorRowsChild)
{
    // 1 summary of 2; 3 summary of 4; 2 -> 4 -> 5.
    Rows rows(5);
    rows.Child(1, 2);
    rows.Child(3, 4);
    rows.Link(4, 2);
    rows.Link(5, 4);
    EXPECT_EQ(rows.Failed(1, 3), 10);
}

TEST(TaskLinkCheckTest, BlankRowsAndRowsOutOfRangeAreNotRead)
{
    Rows rows(3);
    rows.m_rows[2] = nullptr;
    EXPECT_EQ(rows.Failed(1, 2), 0);
    EXPECT_EQ(rows.Failed(1, 9), 0);
    EXPECT_EQ(rows.Failed(9, 1), 0);
    EXPECT_EQ(rows.Failed(-1, 1), 0);
}

TEST(TaskLinkCheckTest, ChildrenWhoseRowsLoopTakePartInNoSubtree)
{
    Rows rows(2);
    rows.Child(1, 2);
    rows.Child(2, 1);
    EXPECT_EQ(rows.Failed(1, 2), 0);
}

// The checks on the project schedule's tree and resolved links decide every pair as the
// checks on the rows themselves, links of a task to itself, to a blank row and past the last
// row among them.
TEST(TaskLinkCheckTest, OnTheScheduleEveryPairIsDecidedAsOnTheRows)
{
    std::mt19937 rng(7);
    auto rand = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int nSeen[12] = {};
    for (int nProject = 0; nProject < 40; nProject++)
    {
        // Tasks made in row order, each under some task on the path to the one before (so
        // that the tree's order is the rows'), one blank row among them.
        const int n = 24, nBlank = rand(2, n);
        CTaskItemList roots;
        std::vector<CTaskItem*> rows(1, nullptr), path;
        for (int k = 1; k <= n; k++)
        {
            if ((int)rows.size() == nBlank)
                rows.push_back(nullptr);
            CTaskItem* pTask = new CTaskItem;
            pTask->m_nRowInGrid = (int)rows.size();
            pTask->m_strName.Format("任务%d", k);
            const int nDepth = rand(0, (int)path.size());
            path.resize((size_t)nDepth);
            (nDepth == 0 ? roots : path.back()->m_listChildren).AddTail(pTask);
            path.push_back(pTask);
            rows.push_back(pTask);
        }
        const int nRows = (int)rows.size();
        for (int i = 0; i < 30; i++)
        {
            int nSucc = 0;
            while (!rows[(size_t)nSucc])
                nSucc = rand(1, nRows - 1);
            const int nPred = rand(0, 9) == 0 ? nSucc : rand(1, nRows + 1);
            CTaskLink* pLink = new CTaskLink;
            pLink->m_nSuccID = nPred;
            rows[(size_t)nSucc]->m_listLinks.AddTail(pLink);
            if (nPred < nRows && rows[(size_t)nPred])
            {
                rows[(size_t)nPred]->m_arrSuccessors.Add((DWORD)nSucc);
                rows[(size_t)nPred]->m_nSuccessor = 1;
            }
        }
        {
            CProjectSchedule schedule(roots, CProjectSchedule::TakenInLater());
            schedule.TakeInStoredRows();
            ASSERT_EQ(schedule.Rows(), rows) << "project " << nProject;
            for (int a = 0; a <= nRows; a++)
            {
                const CTaskLinkCheck onRows(rows, a), onSchedule(schedule, a);
                for (int b = 0; b <= nRows; b++)
                {
                    const int nFailed = onRows.FailedCheck(b);
                    ASSERT_EQ(nFailed, onSchedule.FailedCheck(b))
                        << "project " << nProject << ", rows " << a << " and " << b;
                    nSeen[nFailed]++;
                }
            }
        }
        while (!roots.IsEmpty())
            delete roots.RemoveHead();
    }
    for (int nCheck : {0, 1, 3, 7, 9, 11})
        EXPECT_GT(nSeen[nCheck], 0) << "check " << nCheck;
}
