// Random projects under random edits through the program's own paths, checked after every
// edit by the independent checker (ScheduleChecker.h) on the document's calendar, by the
// grid's rows following the tree, and against the project schedule given the same edit on a
// copy of the project (ScheduleMirror.h). A failure names the seed and the edit so that it
// can be run again.
#include <gtest/gtest.h>


#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <vector>

#include "GanttBarView.h"
#include "GanttView.h"
#include "Gantt_src/TaskShapes.h"
#include "ProjectDialogHooks.h"
#include "ScheduleChecker.h"
#include "ScheduleMirror.h"
#include "TaskItem.h"
#include "TaskLinkCheck.h"
#include "TaskPropertyRunner.h"
#include "TaskTreeView.h"
#include "ViewsTestSupport.h"

#include <ClassLib/Core/Clock.h>
#include <ClassLib/Frames/PropertySheet.h>
#include <ClassLib/Testing/Input.h>
#include <ClassLib/Testing/UiScripts.h>

namespace
{
const char* const kOps[] = {"duration", "start", "finish", "chart move", "chart resize", "sheet link",
                            "insert", "delete", "indent", "outdent"};

// The links a level change takes away are told in the link check's words, one box for
// each reason.
// The predecessor page's grid and the link kinds its list offers, in their codes' order.
const int kPredGridId = 19037;
const char* const kLinkKinds[] = {"FS(完成--开始)", "FF(完成--完成)", "SF(开始--完成)", "SS(开始--开始)"};

int g_nToldBoxes = 0;
int g_nOtherBoxes = 0;
int CountToldLinks(LPCTSTR text, LPCTSTR, UINT)
{
    const CString strText(text ? text : "");
    if (strText == CTaskLinkCheck::LinkMessage(CTaskLinkCheck::linkParentChild)
        || strText == CTaskLinkCheck::LinkMessage(CTaskLinkCheck::linkCycle))
        g_nToldBoxes++;
    else
        g_nOtherBoxes++;
    return IDOK;
}

} // namespace

class ScheduleRandomEditTest : public ProjectWindowTest
{
protected:
    std::mt19937 m_rng;
    CScheduleDays m_days{nullptr, {}};
    int m_nNames = 0;
    std::string m_strWhere;

    int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    CTaskItem* Task(int nRow) { return Grid().GetTask(nRow); }

    void FillRandom(CProjectDoc& doc, int nTasks)
    {
        m_days.isRest = [&doc](const COleDateTime& d) {
            return doc.IsRestDay(d.GetYear(), d.GetMonth(), d.GetDay()) != 0;
        };
        // Weekends rest; a dated rest week, and a working Saturday.
        CCalendarItem* pRest = new CCalendarItem;
        pRest->m_dtFrom = Day(2004, 4, 5);
        pRest->m_dtTo = Day(2004, 4, 9);
        pRest->m_bWorking = 0;
        doc.m_listCalendarItems.AddTail(pRest);
        CCalendarItem* pWork = new CCalendarItem;
        pWork->m_dtFrom = Day(2004, 3, 13);
        pWork->m_dtTo = Day(2004, 3, 13);
        pWork->m_bWorking = 1;
        doc.m_listCalendarItems.AddTail(pWork);

        std::vector<CTaskItem*> parents;   // the open summary at each level
        // Now and then a stored row is left out: the grid shows it blank.
        int nGridRow = 0;
        for (int row = 1; row <= nTasks; row++)
        {
            const int nMax = std::min<int>((int)parents.size() + 1, 6);
            int nLevel = row == 1 ? 1 : Rand(1, 3) == 1 ? Rand(1, nMax) : std::min<int>((int)parents.size(), nMax);
            if (nLevel < 1)
                nLevel = 1;
            if (nLevel > (int)parents.size() + 1)
                nLevel = (int)parents.size() + 1;
            parents.resize(nLevel - 1);
            CTaskItemList& list = nLevel == 1 ? doc.m_listTasks : parents.back()->m_listChildren;
            const int nDays = Rand(0, 3) == 0 ? 0 : Rand(1, 8);
            const COleDateTime start = m_days.Skip(Day(2004, 3, 1) + COleDateTimeSpan(Rand(0, 60), 0, 0, 0));
            CString strName;
            strName.Format("T%d", ++m_nNames);
            CTaskItem* pTask = AddTask(list, strName, start, m_days.Nth(start, nDays), nDays);
            nGridRow += Rand(0, 40) == 0 ? 2 : 1;
            pTask->m_nRowInGrid = nGridRow;
            pTask->m_nMilestone = nDays == 0;
            parents.push_back(pTask);
        }
        doc.m_nMaxRowInGrid = nGridRow;
        SpanSummaries(doc.m_listTasks);
    }

    void SpanSummaries(CTaskItemList& list)
    {
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        {
            CTaskItem* pTask = list.GetNext(pos);
            if (pTask->m_listChildren.IsEmpty())
                continue;
            SpanSummaries(pTask->m_listChildren);
            COleDateTime s = pTask->m_listChildren.GetHead()->m_dtStart, f = pTask->m_listChildren.GetHead()->m_dtFinish;
            for (POSITION p = pTask->m_listChildren.GetHeadPosition(); p != NULL;)
            {
                const CTaskItem* pChild = pTask->m_listChildren.GetNext(p);
                if (pChild->m_dtStart < s)
                    s = pChild->m_dtStart;
                if (pChild->m_dtFinish > f)
                    f = pChild->m_dtFinish;
            }
            pTask->m_dtStart = s;
            pTask->m_dtFinish = f;
            pTask->m_nDuration = pTask->m_nTrueDuration = m_days.Count(s, f) * 86400;
            pTask->m_nMilestone = pTask->m_nDuration == 0;
        }
    }

    // Named task rows, optionally leaves only.
    std::vector<int> Rows(BOOL bLeaves)
    {
        std::vector<int> rows;
        for (int r = 1; r < Grid().GetRowCount(); r++)
            if (CTaskItem* pTask = Task(r))
                if (!Text(r, 2).IsEmpty() && (!bLeaves || pTask->m_listChildren.IsEmpty()))
                    rows.push_back(r);
        return rows;
    }

    BOOL HasLinkTo(const CTaskItem* pTask, int nPredRow)
    {
        for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
            if (pTask->m_listLinks.GetNext(pos)->m_nSuccID == nPredRow)
                return TRUE;
        return FALSE;
    }

    // A link through the link checks, then the schedule settled as the grid does.
    void AddCheckedLink(int nSucc, int nPred)
    {
        CString strMessage;
        if (nSucc == nPred || HasLinkTo(Task(nSucc), nPred) || !Tree()->CheckTaskLink(nSucc, nPred, strMessage))
            return;
        CTaskLink* pLink = AddLink(Task(nSucc), Task(nPred), Rand(1, 4), Rand(0, 5));
        (void)pLink;
        Tree()->BuildSuccessorLists(FALSE);
        Tree()->PropagateDates(nSucc);
    }

    std::string FormatDate(const COleDateTime& d)
    {
        std::ostringstream s;
        s << d.GetYear() << "年" << d.GetMonth() << "月" << d.GetDay() << "日";
        return s.str();
    }

    // The model's task of a name (names are unique here).
    static CTaskItem* ModelTaskNamed(CProjectSchedule& model, const CString& strName)
    {
        for (CTaskItem* pTask : model.Rows())
            if (pTask && pTask->m_strName == strName)
                return pTask;
        return nullptr;
    }

    CGanttBarView* BarView() const
    {
        return DYNAMIC_DOWNCAST(CGanttBarView, GanttView()->m_wndSplitter.GetPane(0, 1));
    }

    // The chart's own step before it reports a changed task: a deadline earlier than the
    // finish it gave (or none) becomes that finish.
    static void RaiseDeadline(CTaskItem* pTask, const COleDateTime& finish)
    {
        if (pTask->m_dtDeadline.GetStatus() != COleDateTime::valid || pTask->m_dtDeadline < finish)
            pTask->m_dtDeadline = finish;
    }

    // The tasks the chart shows a bar of, as the window shows it now.
    std::set<const CTaskItem*> TasksWithBars()
    {
        Tree()->SyncGanttRows(0, FALSE);
        std::set<const CTaskItem*> tasks;
        CObList& shapes = BarView()->m_wndChart.GetShapeList();
        for (POSITION pos = shapes.GetHeadPosition(); pos != NULL;)
        {
            CTaskBase* pShape = static_cast<CTaskBase*>(shapes.GetNext(pos));
            if (pShape->IsKindOf(RUNTIME_CLASS(CTaskRect)))
                tasks.insert(pShape->GetTaskItem());
        }
        return tasks;
    }

    // Drags the task's bar in the chart with the mouse, as a user does: pressed on its body
    // and moved nDays days sideways, or (bResize) pressed on its right end and released nDays
    // days from its left end. The chart is scrolled to show the bar first, and back after.
    // FALSE when the bar offers no such place to press (a milestone has no right end).
    bool DragBar(CTaskItem* pTask, BOOL bResize, int nDays)
    {
        CGunterBar& chart = BarView()->m_wndChart;
        CTaskBase* pBar = nullptr;
        for (POSITION pos = chart.GetShapeList().GetHeadPosition(); pos != NULL && !pBar;)
        {
            CTaskBase* pShape = static_cast<CTaskBase*>(chart.GetShapeList().GetNext(pos));
            if (pShape->GetTaskItem() == pTask && pShape->IsKindOf(RUNTIME_CLASS(CTaskRect)))
                pBar = pShape;
        }
        if (!pBar)
            return false;
        // A press on the bar's middle line, where its body (or its right end) answers.
        const int y = (pBar->m_rect.top + pBar->m_rect.bottom) / 2;
        const int nWant = bResize ? TASKHIT_RIGHT : static_cast<CTaskRect*>(pBar)->IsMilestone() ? TASKHIT_MILESTONE : TASKHIT_BODY;
        int xPress = INT_MIN;
        for (int x = pBar->m_rect.left - 4; x <= pBar->m_rect.right + 4 && xPress == INT_MIN; x++)
            if (pBar->HitTest(CPoint(x, y)) == nWant)
                xPress = x;
        if (xPress == INT_MIN)
            return false;
        const int nTopRow = chart.GetTopRow(), nHScroll = chart.GetHScrollDays();
        // Its row near the top, the drag's left end two days from the chart's left edge; a
        // drag longer than the chart is not made.
        const double dDay = chart.GetDayWidth();
        EXPECT_EQ(dDay, 18.0) << "the drags count 18 pixels a day";
        const int xRelease = bResize ? pBar->m_rect.left + 18 * nDays : xPress + 18 * nDays;
        chart.SetTopRow(std::max(0, (pBar->m_rect.top - 60) / GANTT_ROW_HEIGHT));
        chart.ScrollToDay((int)std::floor(std::min(xPress, xRelease) / dDay) - 2);
        const CPoint shift(-(long)(chart.GetHScrollDays() * dDay), -chart.GetTopRow() * GANTT_ROW_HEIGHT);
        const CPoint down = CPoint(xPress, y) + shift, up = CPoint(xRelease, y) + shift;
        CRect rcClient;
        chart.GetClientRect(&rcClient);
        if (std::max(down.x, up.x) + 4 >= rcClient.right - 1)
        {
            chart.SetTopRow(nTopRow);
            chart.ScrollToDay(nHScroll);
            return false;
        }
        EXPECT_TRUE(rcClient.PtInRect(down) && rcClient.PtInRect(up) && up.x > rcClient.left + 1)
            << "the drag from " << down.x << "," << down.y << " to " << up.x << " leaves the chart";
        // A while after the last drag: a press at the same spot is no double click.
        AfxTestAdvanceTickCount(5000);
        AfxTestMouseDown(&chart, down);
        AfxTestAdvanceTickCount(20);
        AfxTestMouseMove(&chart, down + CPoint(up.x > down.x ? 4 : -4, 0));
        AfxTestAdvanceTickCount(20);
        AfxTestMouseMove(&chart, up);
        AfxTestAdvanceTickCount(20);
        AfxTestMouseUp(&chart, up);
        AfxPumpMessages();
        chart.SetTopRow(nTopRow);
        chart.ScrollToDay(nHScroll);
        return true;
    }

    // On the predecessor page's grid, through its keys only: row nRow's name picked from
    // its list (item nName of nItems), then the kind (item nKind), the lag typed; what the
    // two lists showed when they closed, as "name/kind".
    static std::string PickPredecessor(CWnd* pGrid, int nRow, int nName, int nItems, int nKind, int nLag)
    {
        if (!pGrid)
            return "no grid";
        // A click on a cell gives the grid its focus cell; Ctrl+Home the first cell, the row
        // is reached with the arrow keys.
        // (The clock moved on first: a click of the sheet before at the same place is no
        // first half of a double click, however fast the edits come.)
        AfxTestAdvanceTickCount(5000);
        AfxTestClick(pGrid, CPoint(100, 60));
        AfxTestKey(pGrid, VK_ESCAPE);
        AfxTestSetKeyState(VK_CONTROL, TRUE);
        AfxTestKey(pGrid, VK_HOME);
        AfxTestClearKeyState(VK_CONTROL);
        for (int r = 1; r < nRow; r++)
            AfxTestKey(pGrid, VK_DOWN);
        auto choose = [&](int nItem, int nCount) {
            AfxTestKey(pGrid, VK_F2);
            CWnd* pList = CWnd::GetFocus();
            // From the nearer end of the list.
            if (nItem <= nCount / 2)
            {
                AfxTestKey(pList, VK_HOME);
                for (int i = 0; i < nItem; i++)
                    AfxTestKey(pList, VK_DOWN);
            }
            else
            {
                AfxTestKey(pList, VK_END);
                for (int i = nCount - 1; i > nItem; i--)
                    AfxTestKey(pList, VK_UP);
            }
            CString strShown;
            if (pList)
                pList->GetWindowText(strShown);
            AfxTestKey(pList, VK_RETURN);
            return std::string((LPCTSTR)strShown);
        };
        std::string strSeen = choose(nName, nItems);
        AfxTestKey(pGrid, VK_RIGHT);
        strSeen += "/" + choose(nKind, 5);
        AfxTestKey(pGrid, VK_RIGHT);
        AfxTestKey(pGrid, '0' + nLag);
        AfxTestKey(CWnd::GetFocus(), VK_RETURN);
        return strSeen;
    }

    // One random edit through the program's own paths, and the same edit through the model's
    // operations on its copy (the tasks it changed into changed); the task it starts from.
    const CTaskItem* Edit(int nOp, CScheduleMirror& mirror, std::vector<CTaskItem*>& changed)
    {
        CProjectSchedule& model = mirror.Model();
        std::vector<int> leaves = Rows(TRUE);
        const std::vector<int> all = Rows(FALSE);
        // The chart drags only the bars it shows (not those of folded rows), and changes
        // the dates only of a task whose dates the grid lets edit.
        if (nOp == 3 || nOp == 4)
        {
            const std::set<const CTaskItem*> shown = TasksWithBars();
            leaves.erase(std::remove_if(leaves.begin(), leaves.end(),
                                        [&](int r) {
                                            return !shown.count(Task(r)) || !m_pTree->GetGrid().GetCell(r, 4)->IsEditable();
                                        }),
                         leaves.end());
        }
        if (leaves.empty())
            return nullptr;
        const int nRow = leaves[Rand(0, (int)leaves.size() - 1)];
        CTaskItem* pTask = Task(nRow);
        CTaskItem* pModelTask = mirror.Of(pTask);
        changed.push_back(pModelTask);
        CString strText;
        switch (nOp)
        {
        case 0:
        {
            const int nDays = Rand(0, 8);
            strText.Format("%d个工作日", nDays);
            Grid().EditCell(nRow, 3, strText);
            model.SetDurationDays(pModelTask, nDays);
            break;
        }
        case 1:
        {
            // Anywhere in the first months, so that tasks pushed on by links come back too.
            const COleDateTime start = Day(2004, 3, 1) + COleDateTimeSpan(Rand(0, 90), 0, 0, 0);
            Grid().EditCell(nRow, 4, FormatDate(start).c_str());
            model.SetStart(pModelTask, start);
            break;
        }
        case 2:
        {
            const COleDateTime finish = pTask->m_dtStart + COleDateTimeSpan(Rand(-2, 12), 0, 0, 0);
            Grid().EditCell(nRow, 5, FormatDate(finish).c_str());
            model.SetFinish(pModelTask, finish);
            break;
        }
        case 3:
        {
            // The chart's move: the bar dragged sideways by whole days; the dates shifted
            // are taken off rest days (the deadline raised to the finish so shifted), then
            // the tree keeps the task's working days from the new start.
            const int nDays = Rand(1, 6) * (Rand(0, 1) ? 1 : -1);
            const COleDateTimeSpan shift(nDays, 0, 0, 0);
            const COleDateTime start = m_days.Skip(pTask->m_dtStart + shift);
            const COleDateTime finish = m_days.Skip(pTask->m_dtFinish + shift);
            if (DragBar(pTask, FALSE, nDays))
            {
                RaiseDeadline(pModelTask, finish);
                model.SetStart(pModelTask, start);
            }
            break;
        }
        case 4:
        {
            // The chart's resize: the right end dragged to the end of the nCalendar-th day
            // from the start (left of the start: none). The chart's finish is the last
            // working day of those days (none: the day before the start), the deadline raised
            // to it; the task then has the working days of those calendar days.
            const int nCalendar = Rand(0, 12);
            const COleDateTime dtStart = pTask->m_dtStart;
            COleDateTime finish = dtStart - COleDateTimeSpan(1, 0, 0, 0);
            int nDays = 0;
            if (nCalendar > 0)
            {
                finish = dtStart + COleDateTimeSpan(nCalendar - 1, 0, 0, 0);
                while (finish > dtStart && m_days.Rest(finish))
                    finish -= COleDateTimeSpan(1, 0, 0, 0);
                finish = m_days.Skip(finish);
                nDays = m_days.Count(dtStart, finish);
            }
            if (DragBar(pTask, TRUE, nCalendar == 0 ? -1 : nCalendar))
            {
                // The resize scales the progress too (the schedule keeps it, does not set it).
                pModelTask->m_nProgress = pTask->m_nProgress;
                RaiseDeadline(pModelTask, finish);
                model.SetDurationDays(pModelTask, nDays);
            }
            break;
        }
        case 5:
        {
            // The property sheet adds one of the predecessors it offers: on its predecessor
            // page, the first free row gets the name and the kind picked from their lists and
            // the lag typed, then OK.
            const int nType = Rand(1, 4), nLag = Rand(0, 5), nPick = Rand(0, 1000);
            CStringArray arNames;
            CUIntArray arIds;
            TaskPredecessorCandidates(*m_pDoc, *pTask, arNames, arIds);
            std::set<CString> held;
            for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;)
                held.insert(pTask->m_listLinks.GetNext(pos)->m_strPredName);
            std::vector<int> fresh;
            for (int i = 0; i < arNames.GetSize(); i++)
                if (!held.count(arNames[i]))
                    fresh.push_back(i);
            if (fresh.empty())
                break;
            const int nName = fresh[(size_t)nPick % fresh.size()];
            const CString strPred = arNames[nName];
            const int nFreeRow = (int)pTask->m_listLinks.GetCount() + 1;
            std::string strSeen;
            AfxTestPushModalScript([&](CWnd* pWnd) {
                CPropertySheet* pSheet = static_cast<CPropertySheet*>(pWnd);
                pSheet->SetActivePage(1);
                strSeen = PickPredecessor(pSheet->GetActivePage()->GetDlgItem(kPredGridId), nFreeRow, nName,
                                          (int)arNames.GetSize() + 1, nType - 1, nLag);
                pSheet->PressButton(PSBTN_OK);
            });
            const ProjectTaskPropertyRunner old = ProjectSetTaskPropertyRunner(&RunTaskPropertySheet);
            Tree()->RunTaskProperty(nRow, FALSE);
            ProjectSetTaskPropertyRunner(old);
            EXPECT_EQ(strSeen, std::string((LPCTSTR)strPred) + "/" + kLinkKinds[nType - 1])
                << "the predecessor page shows another choice";
            model.AddLink(pModelTask, ModelTaskNamed(model, strPred), nType, nLag);
            break;
        }
        case 6:
        {
            // Below the first row: a new task starts with the task above it (a first row would
            // start today, years after the project).
            const int nAt = all[Rand(1, (int)all.size() - 1)];
            // The grid puts the new row in above the row's task: so does the model, where
            // the row's task sits now, and then hangs the tasks as the rows now do.
            CTaskItem* pBelow = mirror.Of(Task(nAt));
            CTaskItem* pBelowParent = model.Parent(pBelow);
            const CTaskItemList& siblings = pBelowParent ? pBelowParent->m_listChildren : model.Roots();
            int nBelow = 0;
            for (POSITION pos = siblings.GetHeadPosition(); pos != NULL && siblings.GetNext(pos) != pBelow;)
                nBelow++;
            Grid().SetFocusCell(nAt, 2);
            Grid().NewTask();
            strText.Format("T%d", ++m_nNames);
            Grid().NameBlankRow(nAt, strText);
            // The new task's start and own duration are the window's choice (its duration
            // as a leaf, when the rows below now hang under it); what they reach is the model's.
            CTaskItem* pNew = Task(nAt);
            const int nOwn = pNew->m_nOwnDuration >= 0 ? pNew->m_nOwnDuration : pNew->m_nDuration;
            CTaskItem* pModelNew = model.AddTask(pBelowParent, nBelow, strText, pNew->m_dtStart, nOwn / 86400);
            mirror.Pair(pNew, pModelNew);
            changed.assign(1, pModelNew);
            mirror.FollowTree(m_pDoc->m_listTasks, changed, false);
            // The grid's naming writes the new row's first dates once the rows below hang
            // under it: its summaries' deadlines are raised to that first finish, and stay
            // when its span (its children's, when it got some) ends earlier.
            for (CTaskItem* pAbove = model.Parent(pModelNew); pAbove; pAbove = model.Parent(pAbove))
                RaiseDeadline(pAbove, pModelNew->m_dtFinish);
            return pNew;
        }
        case 7:
        {
            changed.assign(1, model.Parent(pModelTask));
            Grid().SetFocusCell(nRow, 2);
            Grid().DeleteTask();
            model.RemoveTask(pModelTask);
            return nullptr;
        }
        case 8:
        case 9:
        {
            const int nAt = all[Rand(0, (int)all.size() - 1)];
            changed.clear();
            Grid().SetFocusCell(nAt, 2);
            const int nLevelBefore = Grid().GetLevel(nAt);
            const int nLinksBefore = CountLinks();
            g_nToldBoxes = g_nOtherBoxes = 0;
            const AfxMessageBoxHandler previous = AfxSetMessageBoxHandler(&CountToldLinks);
            if (nOp == 8)
                Tree()->OnIndent();
            else
                Tree()->OnOutdent();
            AfxSetMessageBoxHandler(previous);
            // A change that took links away says so, at most once for each reason; one that
            // took none says nothing.
            const int nDropped = nLinksBefore - CountLinks();
            EXPECT_GE(nDropped, 0);
            EXPECT_EQ(g_nToldBoxes > 0, nDropped > 0);
            EXPECT_LE(g_nToldBoxes, std::min(nDropped, 2));
            EXPECT_EQ(g_nOtherBoxes, 0);
            mirror.FollowTree(m_pDoc->m_listTasks, changed, true);
            // The grid's level change then writes the changed row's duration and start again,
            // and those of the row above when the row now stands lower than it: a leaf's
            // finish follows from its start and duration once more.
            // A level change the grid refused (a top row outdented, ...) writes nothing.
            for (int r : {nAt - 1, nAt})
            {
                CTaskItem* pRow = r >= 1 ? Task(r) : nullptr;
                if (!pRow || !pRow->m_listChildren.IsEmpty() || Grid().GetLevel(nAt) == nLevelBefore ||
                    (r < nAt && Grid().GetLevel(nAt) >= Grid().GetLevel(nAt - 1)))
                    continue;
                CTaskItem* pModelRow = mirror.Of(pRow);
                model.SetStart(pModelRow, pModelRow->m_dtStart);
                changed.push_back(pModelRow);
            }
            return Task(nAt);
        }
        }
        return pTask;
    }

    // Now and then (a stream of its own, so that the edits stay those of the seed) a
    // summary folded and opened again: each time the grid trims its blank rows, and the
    // model takes them out too; the two then show the same rows and links.
    std::string FoldNowAndThen(std::mt19937& fold)
    {
        if (std::uniform_int_distribution<int>(0, 9)(fold) != 0)
            return "";
        std::vector<int> summaries;
        for (int r : Rows(FALSE))
            if (!Task(r)->m_listChildren.IsEmpty())
                summaries.push_back(r);
        if (summaries.empty())
            return "";
        const int nAt = summaries[(size_t)std::uniform_int_distribution<int>(0, (int)summaries.size() - 1)(fold)];
        CScheduleMirror mirror(*m_pDoc);
        Grid().ToggleExpand(nAt);
        Grid().ToggleExpand(nAt);
        mirror.Model().TrimBlankRows();
        mirror.Model().Recalculate({});
        return mirror.Compare(*m_pDoc, true);
    }

    int CountLinks()
    {
        std::vector<CTaskItem*> tasks;
        std::map<const CTaskItem*, CTaskItem*> parent;
        AllTasks(m_pDoc->m_listTasks, tasks, nullptr, parent);
        int nLinks = 0;
        for (const CTaskItem* pTask : tasks)
            nLinks += (int)pTask->m_listLinks.GetCount();
        return nLinks;
    }

    std::string Check(const CScheduleBefore& before, const CTaskItem* pEdited, int nOp)
    {
        const CScheduleChecker checker(m_days, [this](int nRow) -> const CTaskItem* { return Task(nRow); });
        const CProjectInfo& info = m_pDoc->m_ProjectInfo;
        std::ostringstream err;
        err << checker.Check(m_pDoc->m_listTasks, before, pEdited, nOp <= 5,
                             {info.m_dtStart, info.m_dtFinish, info.m_dtDeadline});
        std::vector<CTaskItem*> tasks;
        std::map<const CTaskItem*, CTaskItem*> parent;
        AllTasks(m_pDoc->m_listTasks, tasks, nullptr, parent);
        CheckTreeFollowsRows(tasks, parent, err);
        return err.str();
    }

    // The document's tree, read in order, is the named rows in row order, each the child of
    // the nearest row above it of a lower level.
    void CheckTreeFollowsRows(const std::vector<CTaskItem*>& tasks, std::map<const CTaskItem*, CTaskItem*>& parent,
                              std::ostringstream& err)
    {
        std::vector<std::pair<CTaskItem*, int>> open;
        size_t nAt = 0;
        for (int r = 1; r < Grid().GetRowCount(); r++)
        {
            CTaskItem* pTask = Task(r);
            if (!pTask || Text(r, 2).IsEmpty())
                continue;
            const int nLevel = Grid().GetLevel(r);
            while (!open.empty() && open.back().second >= nLevel)
                open.pop_back();
            if (nAt >= tasks.size() || tasks[nAt] != pTask)
                err << "row " << r << " (" << (LPCTSTR)pTask->m_strName << ") is not task " << nAt << " of the tree\n";
            else if (parent[pTask] != (open.empty() ? nullptr : open.back().first))
                err << "row " << r << " (" << (LPCTSTR)pTask->m_strName << ") hangs under the wrong summary\n";
            nAt++;
            open.emplace_back(pTask, nLevel);
        }
        if (nAt != tasks.size())
            err << "the tree holds " << tasks.size() << " tasks, the rows " << nAt << "\n";
    }



    // The chart's bars red exactly where their tasks are marked critical (the marks the
    // critical chains raise after the layout's walk included).
    std::string BarColorsNotMarks()
    {
        std::ostringstream err;
        CGanttBarView* pBar = DYNAMIC_DOWNCAST(CGanttBarView, GanttView()->m_wndSplitter.GetPane(0, 1));
        CObList& list = pBar->m_wndChart.GetShapeList();
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        {
            CTaskBase* pShape = static_cast<CTaskBase*>(list.GetNext(pos));
            if (!pShape->IsKindOf(RUNTIME_CLASS(CTaskRect)))
                continue;
            const CTaskItem* pTask = pShape->GetTaskItem();
            const bool bRed = pShape->m_crColor == RGB(255, 0, 0);
            if (pTask && bRed != (pTask->m_nCritical != 0))
                err << (LPCTSTR)pTask->m_strName << " bar " << (bRed ? "red" : "blue") << " with mark " << pTask->m_nCritical << "\n";
            if (pTask && bRed != (pBar->IsCriticalRow((UINT)pShape->m_nRow) != 0))
                err << (LPCTSTR)pTask->m_strName << " row " << pShape->m_nRow << " not among the critical rows as drawn\n";
        }
        return err.str();
    }

    void RunSeed(unsigned nSeed, int nTasks, int nLinks, int nEdits)
    {
        m_rng.seed(nSeed);
        std::mt19937 fold(nSeed + 1000);
        m_days.cache.clear();
        // Every summary left out of a roll-up is checked to span its children.
        CTaskTreeView::s_bVerifySummaries = TRUE;
        CTaskTreeView::s_nUnsettledSummaries = 0;
        m_nNames = 0;
        // The input's clock stands still but for the drags, which it moves on.
        const DWORD nTicks = 1000;
        AfxTestSetTickCount(&nTicks);
        ASSERT_TRUE(Open([&](CProjectDoc& doc) { FillRandom(doc, nTasks); }));
        for (int i = 0; i < nLinks; i++)
        {
            const std::vector<int> rows = Rows(FALSE);
            AddCheckedLink(rows[Rand(0, (int)rows.size() - 1)], rows[Rand(0, (int)rows.size() - 1)]);
        }
        Tree()->SyncGanttRows(0, TRUE);
        std::string strErr = Check({}, nullptr, 6);
        ASSERT_EQ(strErr, "") << "seed " << nSeed << " after the links were made";
        for (int nEdit = 0; nEdit < nEdits; nEdit++)
        {
            const CScheduleBefore before = ScheduleSnapshot(m_pDoc->m_listTasks);
            const int nOp = Rand(0, 9);
            CScheduleMirror mirror(*m_pDoc);
            std::vector<CTaskItem*> changed;
            const CTaskItem* pEdited = Edit(nOp, mirror, changed);
            strErr = Check(before, pEdited, nOp);
            ASSERT_EQ(strErr, "") << "seed " << nSeed << ", edit " << nEdit << " (" << kOps[nOp] << ")";
            // No edit leaves links on a cycle.
            {
                std::vector<CTaskItem*> tasks;
                std::map<const CTaskItem*, CTaskItem*> parent;
                AllTasks(m_pDoc->m_listTasks, tasks, nullptr, parent);
                std::string strCyclic;
                for (const CTaskItem* pTask : CyclicTasks(tasks, parent, [this](int r) -> const CTaskItem* { return Task(r); }))
                    strCyclic += std::string((LPCTSTR)pTask->m_strName) + " ";
                ASSERT_EQ(strCyclic, "") << "seed " << nSeed << ", edit " << nEdit << " (" << kOps[nOp]
                                         << "): tasks on a cycle of links";
            }
            // The model, given the same edit, shows what the window shows.
            mirror.Model().Recalculate(changed);
            ASSERT_EQ(mirror.Compare(*m_pDoc, true), "") << "seed " << nSeed << ", edit " << nEdit << " ("
                                                           << kOps[nOp] << "): the model and the window differ";
            ASSERT_EQ(CTaskTreeView::s_nUnsettledSummaries, 0)
                << "seed " << nSeed << ", edit " << nEdit << " (" << kOps[nOp]
                << "): a summary left out of the roll-up did not span its children";
            // Then two paints: the second at the latest keeps the chart (and the suite checks a
            // kept chart against a fresh layout).
            Tree()->SyncGanttRows(0, FALSE);
            CGanttBarView* pBar = DYNAMIC_DOWNCAST(CGanttBarView, GanttView()->m_wndSplitter.GetPane(0, 1));
            ASSERT_FALSE(pBar->NeedsLayout()) << "seed " << nSeed << ", edit " << nEdit << " (" << kOps[nOp] << ")";
            Tree()->SyncGanttRows(0, FALSE);
            ASSERT_EQ(BarColorsNotMarks(), "") << "seed " << nSeed << ", edit " << nEdit << " (" << kOps[nOp] << ")";
            ASSERT_EQ(FoldNowAndThen(fold), "") << "seed " << nSeed << ", a fold after edit " << nEdit
                                                << ": the model and the window differ";
        }
        CTaskTreeView::s_bVerifySummaries = FALSE;
    }
};

TEST_F(ScheduleRandomEditTest, SmallProjectsKeepEveryLinkThroughEveryEdit)
{
    for (unsigned nSeed : {11u, 12u, 13u, 14u, 15u})
    {
        RunSeed(nSeed, 200, 150, 500);
        Close();
        if (HasFatalFailure())
            return;
    }
}

TEST_F(ScheduleRandomEditTest, ALargeProjectKeepsEveryLinkThroughEveryEdit)
{
    RunSeed(21u, 2000, 500, 40);
}
