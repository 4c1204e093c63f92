// The demo project of a fresh server database, opened as a new user opens it (log in as
// demo/demo, choose it in the open dialog): its schedule checked against its own calendar
// (working days stepped here, links by the shared link rule), what the chart shows first, and
// a save that changes no date.
#include "TrellanTestSupport.h"

#include "Resource.h"

#include <DocDialogsResource.h>
#include <GanttBarView.h>
#include <Gantt_src/TaskShapes.h>
#include <ProjDialogsResource.h>
#include <ProjectDialogHooks.h>
#include <ProjectServer/ProjectServer.h>
#include <ProjectService/ProjectServiceFactory.h>

#include <ClassLib/Core/WorkingDays.h>

#include <cmath>
#include <map>
#include <memory>
#include <set>

namespace {

const COleDateTimeSpan kDay(1, 0, 0, 0);

void CollectTasks(CTaskItemList& list, std::vector<CTaskItem*>& out)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        CTaskItem* pTask = list.GetNext(pos);
        out.push_back(pTask);
        CollectTasks(pTask->m_listChildren, out);
    }
}

long Days(const COleDateTime& a, const COleDateTime& b)
{
    return static_cast<long>(std::floor(a.m_dt) - std::floor(b.m_dt));
}

// Working days of the document's calendar, stepped here one day at a time.
class CWorkDays
{
public:
    explicit CWorkDays(CProjectDoc& doc) : m_doc(doc) {}
    bool Rest(const COleDateTime& d) const { return m_doc.IsRestDay(d.GetYear(), d.GetMonth(), d.GetDay()) != 0; }
    COleDateTime Skip(COleDateTime d) const
    {
        while (Rest(d))
            d += kDay;
        return d;
    }
    // n >= 1: the n-th working day from d on (d counted); n = 0: the last working day before d.
    COleDateTime Nth(COleDateTime d, int n) const
    {
        if (n == 0) {
            do
                d -= kDay;
            while (Rest(d));
            return d;
        }
        for (d = Skip(d); --n > 0;)
            d = Skip(d + kDay);
        return d;
    }

private:
    CProjectDoc& m_doc;
};

// "what the rule asks, what the task has" when the link does not hold, else empty. What a
// link asks is the shared link rule's, over the document's calendar.
std::string BrokenLink(const CWorkDays& cal, const CTaskItem& s, const CTaskLink& link, const CTaskItem& p)
{
    const COleDateTime& from = workdays::LeavesFromFinish(link.m_nType) ? p.m_dtFinish : p.m_dtStart;
    const auto rest = [&cal](long day) { return cal.Rest(COleDateTime(static_cast<DATE>(day))); };
    long required = 0;
    COleDateTime have;
    switch (workdays::LinkRequirement(rest, link.m_nType, link.m_nLag, static_cast<long>(std::floor(from.m_dt)),
                                      required)) {
    case workdays::kBoundsStart:
        have = s.m_dtStart;
        break;
    case workdays::kBoundsFinish:
        have = s.m_dtFinish;
        break;
    default:
        return "unknown link type";
    }
    const COleDateTime need(static_cast<DATE>(required));
    if (have >= need)
        return std::string();
    return std::string(need.Format("%Y-%m-%d")) + " needed, " + std::string(have.Format("%Y-%m-%d"));
}

// The date texts of the header and of each task (by TASKID) in a stored PROJECT text.
std::map<std::string, std::string> StoredDates(const std::string& xml)
{
    auto leaf = [&xml](const char* name, size_t from) {
        const std::string open = std::string("<") + name + ">";
        const size_t at = xml.find(open, from);
        if (at == std::string::npos)
            return std::string();
        const size_t begin = at + open.size();
        return xml.substr(begin, xml.find('<', begin) - begin);
    };
    std::map<std::string, std::string> dates;
    dates["project"] = leaf("STARTDATE", 0) + " " + leaf("FINISHDATE", 0) + " " + leaf("DEADLINEDATE", 0);
    for (size_t at = xml.find("<TASKID>"); at != std::string::npos; at = xml.find("<TASKID>", at + 1))
        dates[leaf("TASKID", at)] = leaf("STARTDATE", at) + " " + leaf("FINISHDATE", at) + " " + leaf("DEADLINEDATE", at);
    return dates;
}

class DemoProjectTest : public TrellanTest
{
protected:
    void SetUp() override
    {
        TrellanTest::SetUp();
        projectserver::ServerOptions options;
        options.databasePath = m_dir + "/projects.sqlite";
        options.demoData = true;
        server.reset(new projectserver::CProjectServer(options));
        std::string error;
        ASSERT_TRUE(server->Start(error)) << error;
        SetProjectServiceTimeouts(2000, 10000);
        WriteServerConnection(server->Port());
    }
    void TearDown() override
    {
        TrellanTest::TearDown();
        SetProjectServiceTimeouts(10000, 60000);
        if (server)
            server->Stop();
    }

    // Ctrl+O: the login dialog answered with demo/demo, then the first row of the open
    // dialog's list double-clicked. The project's window's document, or NULL.
    CProjectDoc* OpenDemo()
    {
        AfxTestPushModalScript([](CWnd* pDlg) {
            pDlg->SetDlgItemText(IDC_LOGIN_USERNAME, "demo");
            pDlg->SetDlgItemText(IDC_LOGIN_PASSWORD, "demo");
            pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)pDlg->GetDlgItem(IDOK)->GetSafeHwnd());
        });
        AfxTestPushModalScript([this](CWnd* pDlg) {
            CListCtrl* pList = static_cast<CListCtrl*>(pDlg->GetDlgItem(IDC_PROJ_OPEN_LIST));
            nListed = pList->GetItemCount();
            CRect rc;
            pList->GetItemRect(0, &rc, LVIR_BOUNDS);
            AfxTestDoubleClick(pList, CPoint(rc.left + 40, rc.CenterPoint().y));
        });
        AfxTestKey(Frame(), 'O', MK_CONTROL);
        AfxPumpMessages();
        std::vector<CProjectDoc*> docs = OpenProjects();
        return docs.size() == 1 ? docs.front() : nullptr;
    }

    static CGanttBarView* BarViewOf(CProjectDoc* pDoc)
    {
        for (POSITION pos = pDoc->GetFirstViewPosition(); pos != nullptr;)
            if (CGanttBarView* pView = DYNAMIC_DOWNCAST(CGanttBarView, pDoc->GetNextView(pos)))
                return pView;
        return nullptr;
    }

    std::unique_ptr<projectserver::CProjectServer> server;
    int nListed = 0;
};

TEST_F(DemoProjectTest, TheDemoScheduleHoldsByItsOwnCalendar)
{
    ASSERT_TRUE(Start({}));
    CProjectDoc* pDoc = OpenDemo();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(1, nListed);
    const CWorkDays cal(*pDoc);

    // The calendar: Saturday and Sunday rest, two holidays and a working Saturday.
    for (int w = 0; w < 7; ++w)
        EXPECT_EQ(w == 0 || w == 6, pDoc->IsRestDay(w) != 0) << w;
    int nHolidays = 0, nWorkingSaturdays = 0;
    for (POSITION pos = pDoc->m_listCalendarItems.GetHeadPosition(); pos != nullptr;) {
        const CCalendarItem* pItem = pDoc->m_listCalendarItems.GetNext(pos);
        nHolidays += pItem->m_bWorking == 0;
        nWorkingSaturdays += pItem->m_bWorking != 0 && pItem->m_dtFrom.GetDayOfWeek() == 7 &&
                             !cal.Rest(pItem->m_dtFrom);
    }
    EXPECT_EQ(2, nHolidays);
    EXPECT_EQ(1, nWorkingSaturdays);

    std::vector<CTaskItem*> tasks;
    CollectTasks(pDoc->m_listTasks, tasks);
    ASSERT_GE(tasks.size(), 20u);
    std::map<int, CTaskItem*> byRow;
    for (CTaskItem* pTask : tasks)
        byRow[pTask->m_nRowInGrid] = pTask;
    const COleDateTime today = COleDateTime::GetCurrentTime();
    int nLinks = 0, nMilestones = 0, nDone = 0, nRunning = 0;
    std::set<int> types;
    for (CTaskItem* pTask : tasks) {
        const CTaskItem& t = *pTask;
        SCOPED_TRACE(std::string(t.m_strName));
        EXPECT_FALSE(cal.Rest(t.m_dtStart));
        EXPECT_FALSE(cal.Rest(t.m_dtFinish));
        EXPECT_GE(t.m_dtDeadline, t.m_dtFinish);
        for (const COleDateTime& dt : {t.m_dtStart, t.m_dtFinish, t.m_dtDeadline})
            EXPECT_LE(std::abs(Days(dt, today)), 365);
        const bool leaf = t.m_listChildren.IsEmpty();
        EXPECT_EQ(leaf && t.m_nDuration == 0, t.m_nMilestone != 0);
        nMilestones += t.m_nMilestone != 0;
        if (leaf) {
            // The finish the duration reaches through the calendar.
            EXPECT_EQ(cal.Nth(t.m_dtStart, t.m_nDuration / 86400), t.m_dtFinish);
            nDone += t.m_nProgress == 100 && t.m_dtFinish < today;
            nRunning += t.m_dtStart <= today && today < t.m_dtFinish + kDay && t.m_nProgress < 100;
        } else {
            COleDateTime first = t.m_dtFinish, last = t.m_dtStart;
            for (POSITION pos = t.m_listChildren.GetHeadPosition(); pos != nullptr;) {
                const CTaskItem* pChild = t.m_listChildren.GetNext(pos);
                first = std::min(first, pChild->m_dtStart);
                last = std::max(last, pChild->m_dtFinish);
            }
            EXPECT_EQ(first, t.m_dtStart);
            EXPECT_EQ(last, t.m_dtFinish);
        }
        for (POSITION pos = t.m_listLinks.GetHeadPosition(); pos != nullptr;) {
            const CTaskLink* pLink = t.m_listLinks.GetNext(pos);
            ASSERT_TRUE(byRow.count(pLink->m_nSuccID));
            EXPECT_EQ("", BrokenLink(cal, t, *pLink, *byRow[pLink->m_nSuccID]))
                << "from " << std::string(byRow[pLink->m_nSuccID]->m_strName) << ", type " << pLink->m_nType;
            types.insert(pLink->m_nType);
            ++nLinks;
        }
    }
    EXPECT_GE(nLinks, 20);
    EXPECT_EQ((std::set<int>{1, 2, 4}), types);
    EXPECT_GE(nMilestones, 2);
    EXPECT_GE(nDone, 3);
    EXPECT_GE(nRunning, 1);

    // The project started three to four weeks ago and runs past today.
    const CProjectInfo& info = pDoc->m_ProjectInfo;
    EXPECT_GE(Days(today, info.m_dtStart), 21);
    EXPECT_LE(Days(today, info.m_dtStart), 27);
    EXPECT_GT(info.m_dtFinish, today);
    EXPECT_EQ(info.m_dtStart, byRow[1]->m_dtStart);
}

TEST_F(DemoProjectTest, TheFirstViewShowsBarsLinksAndToday)
{
    ASSERT_TRUE(Start({}));
    CProjectDoc* pDoc = OpenDemo();
    ASSERT_NE(pDoc, nullptr);
    CGanttBarView* pView = BarViewOf(pDoc);
    ASSERT_NE(pView, nullptr);
    CGunterBar& chart = pView->m_wndChart;
    EXPECT_TRUE(AfxTestGrabWindow(Frame(), AfxTestOutputPath("trellan_demo_project.png")));

    CRect rc;
    chart.GetClientRect(&rc);
    const int nShift = static_cast<int>(chart.GetHScrollDays() * chart.GetDayWidth());
    int nBars = 0, nArrows = 0;
    for (POSITION pos = chart.GetShapeList().GetHeadPosition(); pos != nullptr;) {
        const CTaskBase* pShape = static_cast<const CTaskBase*>(chart.GetShapeList().GetNext(pos));
        const CRect rcShape(pShape->m_ptFrom.x - nShift, pShape->m_ptFrom.y, pShape->m_ptTo.x - nShift,
                            pShape->m_ptTo.y + 1);
        CRect rcSeen;
        if (!rcSeen.IntersectRect(rcShape, rc) || rcShape.top < GANTT_SCALE_HEIGHT)
            continue;
        if (pShape->IsKindOf(RUNTIME_CLASS(CTaskLineArrow)))
            nArrows += rc.PtInRect(CPoint(rcShape.left, rcShape.top)) &&
                       rc.PtInRect(CPoint(rcShape.right, rcShape.bottom - 1));
        else
            ++nBars;
    }
    EXPECT_GE(nBars, 3);
    EXPECT_GE(nArrows, 1);
    // Today is the origin: its line is in view.
    const int nToday = -nShift;
    EXPECT_GE(nToday, 0);
    EXPECT_LT(nToday, rc.Width());
}

TEST_F(DemoProjectTest, SavedUnchangedItKeepsEveryDate)
{
    ASSERT_TRUE(Start({}));
    CProjectDoc* pDoc = OpenDemo();
    ASSERT_NE(pDoc, nullptr);
    const long nID = pDoc->m_nProjectID;
    std::string before, after, calBefore, calAfter;
    ASSERT_TRUE(server->GetProject(nID, before));
    ASSERT_TRUE(server->GetCalendar(nID, calBefore));

    server->SetTestRecordRequests(true);
    pDoc->SetModifiedFlag();
    Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE, 0);
    AfxPumpMessages();
    EXPECT_FALSE(pDoc->IsModified());
    ASSERT_TRUE(server->GetProject(nID, after));
    ASSERT_TRUE(server->GetCalendar(nID, calAfter));
    int nSaves = 0;
    for (const projectserver::CProjectServer::Request& request : server->TestRequests())
        nSaves += request.operation == "SaveProject";
    EXPECT_EQ(1, nSaves);
    const std::map<std::string, std::string> dates = StoredDates(before);
    EXPECT_GE(dates.size(), 20u);
    EXPECT_EQ(dates, StoredDates(after));
    EXPECT_EQ(calBefore, calAfter);
}

}  // namespace
