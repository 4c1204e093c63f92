// The chart layout: one bar per visible task and one arrow per link, built from the
// document's task tree on every open, zoom, collapse, expand and chart edit. The project
// header's dates and the critical marks are the task tree view's own passes, made before; the
// layout's walk only places shapes.
#include "GanttBarView.h"

#include "Gantt_src/RestDayCounter.h"
#include "Gantt_src/TaskShapes.h"
#include "Gantt_src/GanttRes.h"
#include "ProjectDoc.h"
#include "ReadAhead.h"
#include "TaskItem.h"
#include "TaskTreeView.h"

#include <algorithm>
#include <vector>

namespace {

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlack = RGB(0, 0, 0);

BOOL IsValid(const COleDateTime& dt) { return dt.GetStatus() == COleDateTime::valid; }

// The shape at the layout's next place, as new.
template <class TShape>
TShape* NextShape(CGunterBar& chart, CRuntimeClass* pClass)
{
    return static_cast<TShape*>(chart.NextShape(pClass));
}

} // namespace

// The index of the collapsed rows serves the layout; it is made again whenever the array's
// size no longer matches it.
BOOL CGanttBarView::IsRowCollapsed(UINT nRow) const
{
    if (m_collapsedIndex.Size() == static_cast<size_t>(m_arrCollapsedRows.GetSize()))
        return m_collapsedIndex.Has(nRow);
    for (INT_PTR i = 0; i < m_arrCollapsedRows.GetSize(); ++i)
        if (m_arrCollapsedRows[i] == nRow)
            return TRUE;
    return FALSE;
}

int CGanttBarView::CountCollapsedRowsAbove(UINT nRow) const
{
    if (m_collapsedIndex.Size() == static_cast<size_t>(m_arrCollapsedRows.GetSize()))
        return m_collapsedIndex.Above(nRow);
    int n = 0;
    for (INT_PTR i = 0; i < m_arrCollapsedRows.GetSize(); ++i)
        if (m_arrCollapsedRows[i] < nRow)
            ++n;
    return n;
}

BOOL CGanttBarView::IsSummaryRow(UINT nRow) const { return m_summaryRows.Get(nRow) != 0; }

BOOL CGanttBarView::IsCriticalRow(UINT nRow) const { return m_criticalRows.Get(nRow) != 0; }

CPoint CGanttBarView::GetLinkAnchor(int nRow, int nLinkType)
{
    const CTaskBase* pShape = m_rowShapes.Get(nRow);
    if (pShape == NULL)
        return CPoint(0, 0);
    switch (nLinkType) {
    case TASKLINK_FS:
    case TASKLINK_FF:
        return CPoint(pShape->m_ptTo.x, pShape->m_ptTo.y + 5);
    case TASKLINK_SF:
    case TASKLINK_SS:
        return CPoint(pShape->m_ptFrom.x, pShape->m_ptFrom.y + 5);
    default:
        return CPoint(0, 0);
    }
}

void CGanttBarView::NoteRowShape(CTaskBase* pShape)
{
    if (pShape->m_nRow < 0)
        return;
    if (m_rowShapes.Get(pShape->m_nRow) != NULL)
        m_bRowShared = TRUE;
    m_rowShapes.SetFirst(pShape->m_nRow, pShape);
}

void CGanttBarView::BuildChart()
{
    // The marks and header dates first: the bars' colours read them. (A chart alone on its
    // document takes the schedule in itself, for its revisions.)
    if (CProjectDoc* pDoc = GetDocument()) {
        if (CTaskTreeView* pTree = GetTaskTreeView())
            pTree->UpdateProjectSpan();
        else
            pDoc->Schedule();
    }
    LayoutChart();
    m_bLaidOutKnown = ModelRevisions(m_nLaidOutRevision, m_nLaidOutRows);
    m_laidOutSettings = CurrentSettings();
    m_bLaidOut = TRUE;
    ++m_nLayouts;
}

void CGanttBarView::LayoutChart()
{
    const double dDayWidth = m_wndChart.GetDayWidth();
    m_arrSummaryRows.RemoveAll();
    m_arrCriticalRows.RemoveAll();
    m_summaryRows.Clear();
    m_criticalRows.Clear();
    m_rowShapes.Clear();
    m_rowFirstArrow.Clear();
    m_arrowsFrom.clear();
    m_arrowsFromFar.clear();
    m_bArrowsFromMade = FALSE;
    m_pChartStartTask = m_pChartEndTask = NULL;
    m_bRowShared = FALSE;
    m_bRowsInOrder = TRUE;
    m_nLastWalkRow = 0;
    // The last layout's size is a good guess of this one's.
    const size_t nExpected = static_cast<size_t>(m_wndChart.GetShapeList().GetCount());
    m_rowShapes.Reserve(nExpected);
    CRect rcClient(0, 0, 0, 0);
    if (m_wndChart.GetSafeHwnd() != NULL)
        m_wndChart.GetClientRect(&rcClient);
    m_wndChart.BeginShapes();
    m_dtChartStart.SetStatus(COleDateTime::invalid);
    m_dtChartEnd.SetStatus(COleDateTime::invalid);

    m_collapsedIndex.Assign(m_arrCollapsedRows.GetData(), m_arrCollapsedRows.GetData() + m_arrCollapsedRows.GetSize());

    int nYear, nMonth, nDay;
    m_wndChart.GetOriginDate(nYear, nMonth, nDay);
    m_dtOrigin = COleDateTime(nYear, nMonth, nDay, 0, 0, 0);

    m_arrows.clear();
    m_arrowShapes.clear();
    CProjectDoc* pDoc = GetDocument();
    if (pDoc == NULL) {
        m_wndChart.EndShapes();
        return;
    }
    m_arrows.reserve(nExpected / 2);
    {
        CReadAhead ahead(m_layoutTrail, m_layoutTrailSpare);
        CLayoutWalk walk{pDoc->RestDays(), dDayWidth, rcClient, ahead};
        LayoutTasks(pDoc->m_listTasks, walk);
    }
    PlaceArrows();
    m_wndChart.EndShapes();
    m_wndChart.ShapesChanged();
}

// The arrows get their start points now that every bar exists, and come after the bars in
// the list, in the order they were made, so that they are painted over them.
void CGanttBarView::PlaceArrows()
{
    m_arrowShapes.reserve(m_arrows.size());
    for (const CPendingArrow& pending : m_arrows) {
        CTaskLineArrow* pArrow = NextShape<CTaskLineArrow>(m_wndChart, RUNTIME_CLASS(CTaskLineArrow));
        FillArrow(pArrow, pending);
        m_arrowShapes.push_back(pArrow);
    }
}

void CGanttBarView::FillArrow(CTaskLineArrow* pArrow, const CPendingArrow& pending)
{
    pArrow->m_nPredRow = pending.pLink->m_nSuccID;
    pArrow->m_nLinkType = pending.pLink->m_nType;
    pArrow->SetTask(pending.pLink, 0.0);
    pArrow->SetWnd(&m_wndChart);
    const CPoint ptEnd = pending.ptEnd;
    const CPoint ptStart = GetLinkAnchor(pArrow->m_nPredRow, pArrow->m_nLinkType);
    pArrow->SetPoints(ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
    const UINT nPredRow = static_cast<UINT>(pArrow->m_nPredRow);
    if (IsSummaryRow(nPredRow))
        pArrow->SetColor(kBlack, 0);
    else if (IsCriticalRow(nPredRow))
        pArrow->SetColor(kRed, 0);
    else
        pArrow->SetColor(kBlue, 0);
}

// The tasks of a list in order; the walk notes what it reads for the next one's read-ahead.
void CGanttBarView::LayoutTasks(const CTaskItemList& list, CLayoutWalk& walk)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        walk.ahead.Touch(pos);
        LayoutTask(list.GetNext(pos), walk);
    }
}

// The chart's own first and last dates cover every task, shown or not; the first task that
// holds each is noted (a later edit of another task cannot take it away).
void CGanttBarView::TakeInChartDates(CTaskItem* pTask)
{
    if (IsValid(pTask->m_dtStart) && (!IsValid(m_dtChartStart) || m_dtChartStart > pTask->m_dtStart)) {
        m_dtChartStart = pTask->m_dtStart;
        m_pChartStartTask = pTask;
    }
    if (IsValid(pTask->m_dtFinish) && (!IsValid(m_dtChartEnd) || m_dtChartEnd < pTask->m_dtFinish)) {
        m_dtChartEnd = pTask->m_dtFinish;
        m_pChartEndTask = pTask;
    }
}

CGanttBarView::CBarPlace CGanttBarView::PlaceOf(CTaskItem* pTask, CRestDayCounter& counter, double dDayWidth,
                                                const CRect& rcClient) const
{
    CBarPlace place;
    const UINT nGridRow = static_cast<UINT>(pTask->m_nRowInGrid);
    // (The index was made from the collapsed rows at the start of the layout.)
    if (pTask->m_strName.IsEmpty() || m_collapsedIndex.Has(nGridRow) || pTask->m_nFlag == FLAG_REMOVED)
        return place;
    place.bShown = TRUE;
    place.bPlaced = IsValid(pTask->m_dtStart) && IsValid(pTask->m_dtFinish);
    const int r = pTask->m_nRowInGrid - m_collapsedIndex.Above(nGridRow);
    place.y = rcClient.top + 5 + GANTT_SCALE_HEIGHT + (r - 1) * GANTT_ROW_HEIGHT;
    place.x1 = place.x2 = rcClient.left;
    if (place.bPlaced) {
        const long nDays = (pTask->m_dtStart - m_dtOrigin).GetDays();
        const int nRest =
            pTask->m_dtStart < pTask->m_dtFinish ? counter.Count(pTask->m_dtStart, pTask->m_dtFinish) : 0;
        const long nLength = nDays + nRest + pTask->m_nDuration / 86400;
        place.x1 = rcClient.left + static_cast<int>(nDays * dDayWidth);
        place.x2 = rcClient.left + static_cast<int>(nLength * dDayWidth);
    }
    return place;
}

void CGanttBarView::FillSummaryBar(CTaskPolygon* pShape, CTaskItem* pTask, const CBarPlace& place)
{
    pShape->SetPoints(place.x1, place.y, place.x2, place.y);
    pShape->m_nRow = pTask->m_nRowInGrid;
    pShape->SetTask(pTask, 0.0);
    pShape->SetWnd(&m_wndChart);
}

void CGanttBarView::FillBar(CTaskRect* pShape, CTaskItem* pTask, const CBarPlace& place)
{
    int nBarRight = place.x2;
    if (pTask->m_nMilestone != 0)
        nBarRight = place.x1;
    else if (nBarRight == place.x1)
        nBarRight = place.x1 + 1;
    if (pTask->m_nCritical != 0)
        pShape->SetColor(kRed, IDB_GANTT_CRITICAL);
    else
        pShape->SetColor(kBlue, IDB_GANTT_BAR);
    pShape->SetPoints(place.x1, place.y, nBarRight, place.y);
    pShape->m_nRow = pTask->m_nRowInGrid;
    pShape->SetTaskItem(pTask, 0.0);
    pShape->SetWnd(&m_wndChart);
}

void CGanttBarView::LayoutTask(CTaskItem* pTask, CLayoutWalk& walk)
{
    if (pTask == NULL)
        return;
    walk.ahead.TouchObject(pTask->HotFields());
    TakeInChartDates(pTask);
    const CBarPlace place = PlaceOf(pTask, walk.counter, walk.dDayWidth, walk.rcClient);
    if (!place.bShown)
        return;
    const UINT nGridRow = static_cast<UINT>(pTask->m_nRowInGrid);
    if (nGridRow <= m_nLastWalkRow)
        m_bRowsInOrder = FALSE;
    m_nLastWalkRow = nGridRow;

    if (!pTask->m_listChildren.IsEmpty()) {
        if (place.bPlaced) {
            CTaskPolygon* pShape = NextShape<CTaskPolygon>(m_wndChart, RUNTIME_CLASS(CTaskPolygon));
            m_arrSummaryRows.Add(nGridRow);
            m_summaryRows.SetFirst(nGridRow, 1);
            FillSummaryBar(pShape, pTask, place);
            NoteRowShape(pShape);
        }
        LayoutTasks(pTask->m_listChildren, walk);
    } else if (place.bPlaced) {
        CTaskRect* pShape = NextShape<CTaskRect>(m_wndChart, RUNTIME_CLASS(CTaskRect));
        if (pTask->m_nCritical != 0) {
            m_arrCriticalRows.Add(nGridRow);
            m_criticalRows.SetFirst(nGridRow, 1);
        }
        FillBar(pShape, pTask, place);
        NoteRowShape(pShape);
    }
    if (!place.bPlaced)
        return;

    // The task's links end on its bar; they start on their predecessors' bars later.
    m_rowFirstArrow.SetFirst(pTask->m_nRowInGrid, static_cast<int>(m_arrows.size()) + 1);
    for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;) {
        walk.ahead.Touch(pos);
        CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
        if (pLink != NULL)
            walk.ahead.Touch(pLink);
        if (pLink == NULL || m_collapsedIndex.Has(static_cast<UINT>(pLink->m_nSuccID)))
            continue;
        m_arrows.push_back(CPendingArrow{pLink, ArrowEnd(pTask, pLink, place)});
    }
}

CPoint CGanttBarView::ArrowEnd(const CTaskItem* pTask, const CTaskLink* pLink, const CBarPlace& place)
{
    const int x1 = place.x1, x2 = place.x2, y = place.y;
    switch (pLink->m_nType) {
    case TASKLINK_FS:
        return pLink->m_nSuccID < pTask->m_nRowInGrid ? CPoint(x1, y) : CPoint(x1, y + 10);
    case TASKLINK_FF:
    case TASKLINK_SF:
        return CPoint(x2, y + 5);
    case TASKLINK_SS:
        return CPoint(x1, y + 5);
    default:
        return CPoint(x1, y);  // not drawn
    }
}
