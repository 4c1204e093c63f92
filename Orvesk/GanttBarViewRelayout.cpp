// When the chart is laid out again: the document schedule's revision (every change the chart
// shows moves it) and the settings the layout reads besides the tasks (zoom, origin,
// collapsed rows, the calendar), compared as values. The grid syncs the
// chart on each of its paints; a sync that finds neither moved keeps the shapes.
#include "GanttBarView.h"

#include "Gantt_src/TaskShapes.h"
#include "ProjectDoc.h"
#include "ProjectSchedule.h"

#include <cstdint>
#include <cstring>
#include <tuple>
#include <vector>

void (*CGanttBarView::s_pfnLayoutKept)(CGanttBarView& view) = NULL;

namespace {

uint64_t DateBits(const COleDateTime& dt)
{
    const DATE d = dt;
    uint64_t v = 0;
    std::memcpy(&v, &d, sizeof(v));
    return v;
}

// What a shape shows and where, to compare two layouts.
struct CShapeRecord
{
    const CRuntimeClass* pClass;
    CRect rect, rcProgress;
    CPoint ptFrom, ptTo;
    COLORREF crColor;
    UINT nBitmapId;
    int nLinkType, nPredRow, nRow;
    const CObject* pTask;
    const CGunterBar* pWnd;

    explicit CShapeRecord(CTaskBase* p)
        : pClass(p->GetRuntimeClass()), rect(p->m_rect), rcProgress(p->m_rcProgress), ptFrom(p->m_ptFrom),
          ptTo(p->m_ptTo), crColor(p->m_crColor), nBitmapId(p->m_nBitmapId), nLinkType(p->m_nLinkType),
          nPredRow(p->m_nPredRow), nRow(p->m_nRow), pTask(p->m_pTask), pWnd(p->m_pWnd)
    {
    }
    bool operator==(const CShapeRecord& o) const
    {
        return pClass == o.pClass && rect == o.rect && rcProgress == o.rcProgress && ptFrom == o.ptFrom &&
               ptTo == o.ptTo && crColor == o.crColor && nBitmapId == o.nBitmapId && nLinkType == o.nLinkType &&
               nPredRow == o.nPredRow && nRow == o.nRow && pTask == o.pTask && pWnd == o.pWnd;
    }
};

struct CLayoutRecord
{
    std::vector<CShapeRecord> shapes;
    std::vector<DWORD> summaryRows, criticalRows;
    COleDateTime dtStart, dtEnd;

    bool operator==(const CLayoutRecord& o) const
    {
        return shapes == o.shapes && summaryRows == o.summaryRows && criticalRows == o.criticalRows &&
               DateBits(dtStart) == DateBits(o.dtStart) && dtStart.GetStatus() == o.dtStart.GetStatus() &&
               DateBits(dtEnd) == DateBits(o.dtEnd) && dtEnd.GetStatus() == o.dtEnd.GetStatus();
    }
};

CLayoutRecord RecordOf(CGanttBarView& view)
{
    CLayoutRecord r;
    CObList& list = view.m_wndChart.GetShapeList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        r.shapes.emplace_back(static_cast<CTaskBase*>(list.GetNext(pos)));
    r.summaryRows.assign(view.m_arrSummaryRows.GetData(), view.m_arrSummaryRows.GetData() + view.m_arrSummaryRows.GetSize());
    r.criticalRows.assign(view.m_arrCriticalRows.GetData(),
                          view.m_arrCriticalRows.GetData() + view.m_arrCriticalRows.GetSize());
    view.GetChartStartDate(r.dtStart);
    view.GetChartEndDate(r.dtEnd);
    return r;
}

} // namespace

std::vector<uint64_t> CGanttBarView::CalendarKey()
{
    CProjectDoc* pDoc = GetDocument();
    std::vector<uint64_t> key{static_cast<uint64_t>(reinterpret_cast<uintptr_t>(pDoc))};
    if (pDoc != NULL) {
        const std::vector<uint64_t> calendar = pDoc->CalendarKey();
        key.insert(key.end(), calendar.begin(), calendar.end());
    }
    return key;
}


bool CGanttBarView::CChartSettings::operator==(const CChartSettings& o) const
{
    return std::tie(dDayWidth, nOriginYear, nOriginMonth, nOriginDay, bWindow, pDoc, collapsedRows, calendar) ==
           std::tie(o.dDayWidth, o.nOriginYear, o.nOriginMonth, o.nOriginDay, o.bWindow, o.pDoc, o.collapsedRows,
                    o.calendar);
}

CGanttBarView::CChartSettings CGanttBarView::CurrentSettings()
{
    CChartSettings s;
    s.dDayWidth = m_wndChart.GetDayWidth();
    m_wndChart.GetOriginDate(s.nOriginYear, s.nOriginMonth, s.nOriginDay);
    s.bWindow = m_wndChart.GetSafeHwnd() != NULL;
    s.pDoc = GetDocument();
    s.collapsedRows.assign(m_arrCollapsedRows.GetData(), m_arrCollapsedRows.GetData() + m_arrCollapsedRows.GetSize());
    s.calendar = CalendarKey();
    return s;
}

BOOL CGanttBarView::ModelRevisions(uint64_t& nRevision, uint64_t& nRows) const
{
    nRevision = nRows = 0;
    CProjectDoc* pDoc = GetDocument();
    if (pDoc == NULL)
        return TRUE;
    // A schedule its document has yet to take in again has moved on by an unknown change; it
    // is taken in by its own users, not by a look at it.
    if (pDoc->ScheduleStale())
        return FALSE;
    const CProjectSchedule& schedule = pDoc->Schedule();
    nRevision = schedule.Revision();
    nRows = schedule.RowsRevision();
    return TRUE;
}

BOOL CGanttBarView::NeedsLayout()
{
    uint64_t nRevision = 0, nRows = 0;
    return !m_bLaidOut || !m_bLaidOutKnown || !ModelRevisions(nRevision, nRows) || nRevision != m_nLaidOutRevision ||
           !(CurrentSettings() == m_laidOutSettings);
}

BOOL CGanttBarView::LayoutIsFresh()
{
    const CLayoutRecord kept = RecordOf(*this);
    const BOOL bIndexFresh = m_wndChart.IndexIsFresh();
    LayoutChart();
    return RecordOf(*this) == kept && bIndexFresh;
}
