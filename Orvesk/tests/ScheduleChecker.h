// An independent check of a project's schedule after an edit, written apart from the
// scheduling code on purpose: working days counted here day by day, each link's required
// date taken from this file's own table. The window tests and the schedule's own tests
// both check with it.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TaskItem.h"

inline BOOL IsSet(const COleDateTime& d)
{
    return d.GetStatus() == COleDateTime::valid && (DATE)d != 0;
}

inline std::string DateText(const COleDateTime& d)
{
    return (LPCTSTR)d.Format("%Y-%m-%d");
}

// Working days counted here, day by day, from a calendar's rest-day test.
struct CScheduleDays
{
    std::function<BOOL(const COleDateTime&)> isRest;
    mutable std::map<long, BOOL> cache;   // the calendar does not change during a run
    BOOL Rest(const COleDateTime& d) const
    {
        const long nDay = (long)(DATE)d;
        auto it = cache.find(nDay);
        if (it != cache.end())
            return it->second;
        return cache[nDay] = isRest(d) ? TRUE : FALSE;
    }
    COleDateTime Skip(COleDateTime d) const
    {
        while (Rest(d))
            d += COleDateTimeSpan(1, 0, 0, 0);
        return d;
    }
    // The n-th working day counted from d (d included); for n <= 0 the last one before d.
    COleDateTime Nth(COleDateTime d, int n) const
    {
        if (n <= 0)
        {
            do
                d -= COleDateTimeSpan(1, 0, 0, 0);
            while (Rest(d));
            return d;
        }
        for (;; d += COleDateTimeSpan(1, 0, 0, 0))
            if (!Rest(d) && --n == 0)
                return d;
    }
    int Count(const COleDateTime& s, const COleDateTime& f) const
    {
        int n = 0;
        for (COleDateTime d = s; d <= f; d += COleDateTimeSpan(1, 0, 0, 0))
            n += Rest(d) ? 0 : 1;
        return n;
    }
    // Working days after a, up to and including b; negative when b is before a.
    int After(const COleDateTime& a, const COleDateTime& b) const
    {
        if (b < a)
            return -After(b, a);
        return Count(a, b) - (Rest(a) ? 0 : 1);
    }
    // The link table: TRUE when the link bounds the successor's start, and the date. The
    // lag (0 or more here) counts working days after the anchor: the predecessor's date as a
    // working day, or for start-to-finish the last working day before its start.
    BOOL Required(int nType, int nLag, const CTaskItem& p, COleDateTime& req) const
    {
        const COleDateTimeSpan day(1, 0, 0, 0);
        COleDateTime anchor;
        int nAfter = nLag;
        switch (nType)
        {
        case 1: anchor = Skip(p.m_dtFinish); nAfter = nLag + 1; break;
        case 2: anchor = Skip(p.m_dtFinish); break;
        case 3: anchor = Nth(p.m_dtStart, 0); break;
        default: anchor = Skip(p.m_dtStart); break;
        }
        req = nAfter == 0 ? anchor : Nth(anchor + day, nAfter);
        return nType == 1 || nType == 4;
    }
};

// The tasks that lie on a cycle of "must be placed after" (see ScheduleChecker.cpp).
std::set<const CTaskItem*> CyclicTasks(const std::vector<CTaskItem*>& tasks,
                                       std::map<const CTaskItem*, CTaskItem*>& parent,
                                       const std::function<const CTaskItem*(int)>& rowTask);

// Every task of the tree in tree order, and each one's summary (null at the top).
void AllTasks(const CTaskItemList& list, std::vector<CTaskItem*>& out, CTaskItem* pParent,
              std::map<const CTaskItem*, CTaskItem*>& parents);

struct CScheduleSnapshot
{
    COleDateTime start, finish;
};
typedef std::map<const CTaskItem*, CScheduleSnapshot> CScheduleBefore;
// The dates of every task of the tree.
CScheduleBefore ScheduleSnapshot(const CTaskItemList& roots);

// The project header's dates as the schedule left them.
struct CScheduleHeader
{
    COleDateTime start, finish, deadline;
};

class CScheduleChecker
{
public:
    // rowTask: the task a link's stored row names (null for none).
    CScheduleChecker(const CScheduleDays& days, std::function<const CTaskItem*(int)> rowTask)
        : m_days(days), m_rowTask(std::move(rowTask))
    {
    }

    // Every property the schedule keeps; "" when all hold. bCellEdit: the edit changed one
    // task's dates or links (structural edits re-level or re-parent tasks, so only these
    // say which tasks may move).
    std::string Check(const CTaskItemList& roots, const CScheduleBefore& before, const CTaskItem* pEdited,
                      bool bCellEdit, const CScheduleHeader& header) const;

private:
    void CheckNoFurtherThanNeeded(const std::vector<CTaskItem*>& tasks, std::map<const CTaskItem*, CTaskItem*>& parent,
                                  const CScheduleBefore& before, const CTaskItem* pEdited,
                                  const std::set<const CTaskItem*>& cyclic, std::ostringstream& err) const;
    void CheckCritical(const std::vector<CTaskItem*>& tasks, std::ostringstream& err) const;

    const CScheduleDays& m_days;
    std::function<const CTaskItem*(int)> m_rowTask;
};
