#include "ScheduleMirror.h"

#include <cmath>
#include <sstream>

#include <Tavrin/CalendarItem.h>
#include <Tavrin/DayOfWeek.h>

namespace
{
long DayOf(const COleDateTime& d)
{
    return (long)std::floor((DATE)d);
}

std::string Text(const COleDateTime& d)
{
    if (d.GetStatus() != COleDateTime::valid)
        return "(invalid)";
    return (LPCTSTR)d.Format("%Y-%m-%d");
}

void CompareLists(const CTaskItemList& doc, const CTaskItemList& model, bool bDates, std::ostringstream& err)
{
    if (doc.GetCount() != model.GetCount())
    {
        err << "a summary holds " << doc.GetCount() << " tasks in the window, " << model.GetCount() << " in the model\n";
        return;
    }
    POSITION m = model.GetHeadPosition();
    for (POSITION d = doc.GetHeadPosition(); d != NULL;)
    {
        const CTaskItem* a = doc.GetNext(d);
        const CTaskItem* b = model.GetNext(m);
        const std::string strName = (LPCTSTR)a->m_strName;
        if (!(a->m_strName == b->m_strName))
            err << "window task " << strName << " is model task " << (LPCTSTR)b->m_strName << "\n";
        if (bDates && (!(a->m_dtStart == b->m_dtStart) || !(a->m_dtFinish == b->m_dtFinish)))
            err << strName << ": window " << Text(a->m_dtStart) << ".." << Text(a->m_dtFinish) << ", model "
                << Text(b->m_dtStart) << ".." << Text(b->m_dtFinish) << "\n";
        if (bDates && a->m_nDuration != b->m_nDuration)
            err << strName << ": window duration " << a->m_nDuration << ", model " << b->m_nDuration << "\n";
        if (bDates && a->m_nMilestone != b->m_nMilestone)
            err << strName << ": window milestone " << a->m_nMilestone << ", model " << b->m_nMilestone << "\n";
        if (bDates && a->m_nCritical != b->m_nCritical)
            err << strName << ": window critical " << a->m_nCritical << ", model " << b->m_nCritical << " (deadline "
                << Text(a->m_dtDeadline) << " / " << Text(b->m_dtDeadline) << ", early start " << Text(a->m_dtEarlyStart)
                << " / " << Text(b->m_dtEarlyStart) << ", late start " << Text(a->m_dtLateStart) << " / "
                << Text(b->m_dtLateStart) << ", finish " << Text(a->m_dtFinish) << ")\n";
        if (a->m_nRowInGrid != b->m_nRowInGrid)
            err << strName << ": window row " << a->m_nRowInGrid << ", model row " << b->m_nRowInGrid << "\n";
        if (a->m_listLinks.GetCount() == b->m_listLinks.GetCount())
        {
            // Each link stored by the same row in both.
            POSITION l = b->m_listLinks.GetHeadPosition();
            for (POSITION k = a->m_listLinks.GetHeadPosition(); k != NULL;)
            {
                const CTaskLink* pA = a->m_listLinks.GetNext(k);
                const CTaskLink* pB = b->m_listLinks.GetNext(l);
                if (pA->m_nSuccID != pB->m_nSuccID)
                    err << strName << ": a link stored by row " << pA->m_nSuccID << " in the window, "
                        << pB->m_nSuccID << " in the model\n";
            }
        }
        else
        {
            err << strName << ": window links " << a->m_listLinks.GetCount() << ", model " << b->m_listLinks.GetCount();
            for (POSITION pos = a->m_listLinks.GetHeadPosition(); pos != NULL;)
            {
                const CTaskLink* pLink = a->m_listLinks.GetNext(pos);
                err << " [window: type " << pLink->m_nType << " row " << pLink->m_nSuccID << " id " << pLink->m_nPredID << " "
                    << (LPCTSTR)pLink->m_strPredName << "]";
            }
            for (POSITION pos = b->m_listLinks.GetHeadPosition(); pos != NULL;)
            {
                const CTaskLink* pLink = b->m_listLinks.GetNext(pos);
                err << " [model: type " << pLink->m_nType << " row " << pLink->m_nSuccID << " " << (LPCTSTR)pLink->m_strPredName << "]";
            }
            err << "\n";
        }
        CompareLists(a->m_listChildren, b->m_listChildren, bDates, err);
    }
}
} // namespace

CScheduleMirror::CScheduleMirror(CProjectDoc& doc)
{
    workdays::CWorkingCalendar calendar(doc.m_nCalBaseID);
    for (POSITION pos = doc.m_listCalendarItems.GetHeadPosition(); pos != NULL;)
    {
        const CCalendarItem* pItem = doc.m_listCalendarItems.GetNext(pos);
        if (pItem->m_dtFrom.GetStatus() == COleDateTime::valid && pItem->m_dtTo.GetStatus() == COleDateTime::valid)
            calendar.AddPeriod(DayOf(pItem->m_dtFrom), DayOf(pItem->m_dtTo), pItem->m_bWorking != 0);
    }
    for (POSITION pos = doc.m_listDayOfWeek.GetHeadPosition(); pos != NULL;)
    {
        const CDayOfWeek* pDay = doc.m_listDayOfWeek.GetNext(pos);
        calendar.AddWeekday(pDay->m_nDay, pDay->m_bWorking != 0);
    }
    m_model.SetCalendar(calendar);
    CTaskItemList roots;
    for (POSITION pos = doc.m_listTasks.GetHeadPosition(); pos != NULL;)
        roots.AddTail(Copy(doc.m_listTasks.GetNext(pos)));
    m_model.Adopt(roots);
}

CTaskItem* CScheduleMirror::Copy(const CTaskItem* pFrom)
{
    CTaskItem* pTo = new CTaskItem;
    m_of[pFrom] = pTo;
    pTo->m_strName = pFrom->m_strName;
    pTo->m_nRowInGrid = pFrom->m_nRowInGrid;
    pTo->m_nFlag = pFrom->m_nFlag;
    pTo->m_nDuration = pFrom->m_nDuration;
    pTo->m_nProgress = pFrom->m_nProgress;
    pTo->m_nMilestone = pFrom->m_nMilestone;
    pTo->m_nCritical = pFrom->m_nCritical;
    pTo->m_dtStart = pFrom->m_dtStart;
    pTo->m_dtFinish = pFrom->m_dtFinish;
    pTo->m_dtEarlyStart = pFrom->m_dtEarlyStart;
    pTo->m_dtLateStart = pFrom->m_dtLateStart;
    pTo->m_dtEarlyFinish = pFrom->m_dtEarlyFinish;
    pTo->m_dtLateFinish = pFrom->m_dtLateFinish;
    pTo->m_dtDeadline = pFrom->m_dtDeadline;
    pTo->m_nTaskID = pFrom->m_nTaskID;
    pTo->m_nTrueDuration = pFrom->m_nTrueDuration;
    pTo->m_nOwnDuration = pFrom->m_nOwnDuration;
    for (POSITION pos = pFrom->m_listLinks.GetHeadPosition(); pos != NULL;)
    {
        const CTaskLink* pLink = pFrom->m_listLinks.GetNext(pos);
        CTaskLink* pNew = new CTaskLink;
        *pNew = *pLink;
        pTo->m_listLinks.AddTail(pNew);
    }
    for (POSITION pos = pFrom->m_listChildren.GetHeadPosition(); pos != NULL;)
        pTo->m_listChildren.AddTail(Copy(pFrom->m_listChildren.GetNext(pos)));
    return pTo;
}

CTaskItem* CScheduleMirror::Of(const CTaskItem* pDocTask) const
{
    auto it = m_of.find(pDocTask);
    return it == m_of.end() ? nullptr : it->second;
}

void CScheduleMirror::FollowTree(const CTaskItemList& docRoots, std::vector<CTaskItem*>& changed, bool bLevelChange)
{
    std::vector<CProjectSchedule::Move> moves;
    FollowList(docRoots, nullptr, moves, changed);
    if (!moves.empty())
        m_model.MoveTasks(moves, bLevelChange);
}

void CScheduleMirror::FollowList(const CTaskItemList& docList, CTaskItem* pModelParent,
                                 std::vector<CProjectSchedule::Move>& moves, std::vector<CTaskItem*>& changed)
{
    // The tasks that hang under another summary now, each to its place in the document's
    // list (the siblings before it are in place by then), in tree order.
    int nIndex = 0;
    for (POSITION pos = docList.GetHeadPosition(); pos != NULL; nIndex++)
    {
        const CTaskItem* pDoc = docList.GetNext(pos);
        CTaskItem* pModel = Of(pDoc);
        if (!pModel)
            continue;
        if (CTaskItem* pOld = m_model.Parent(pModel); pOld != pModelParent)
        {
            moves.push_back({pModel, pModelParent, nIndex});
            changed.push_back(pModel);
            if (pOld)
                changed.push_back(pOld);
        }
        FollowList(pDoc->m_listChildren, pModel, moves, changed);
    }
}

std::string CScheduleMirror::Compare(const CProjectDoc& doc, bool bDates) const
{
    std::ostringstream err;
    CompareLists(doc.m_listTasks, m_model.Roots(), bDates, err);
    const CProjectInfo& info = doc.m_ProjectInfo;
    if (bDates && (!(info.m_dtStart == m_model.FirstStart()) || !(info.m_dtFinish == m_model.LastFinish())))
        err << "header: window " << Text(info.m_dtStart) << ".." << Text(info.m_dtFinish) << ", model "
            << Text(m_model.FirstStart()) << ".." << Text(m_model.LastFinish()) << "\n";
    return err.str();
}
