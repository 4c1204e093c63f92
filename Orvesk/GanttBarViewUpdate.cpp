// The chart after an edit of some tasks' dates: their bars and the arrows on them made again
// in the kept layout, so that an edit costs what it changed, not the project's size. Anything
// an update cannot tell or mend lays the whole chart out.
#include "GanttBarView.h"

#include "Gantt_src/GanttRes.h"
#include "Gantt_src/RestDayCounter.h"
#include "Gantt_src/TaskShapes.h"
#include "ProjectDoc.h"
#include "TaskItem.h"

#include <algorithm>

BOOL CGanttBarView::UpdateTasks(CTaskItem* const* pChanged, size_t nChanged)
{
    if (!CanUpdateInPlace() || !UpdateInPlace(pChanged, nChanged)) {
        BuildChart();
        return FALSE;
    }
    uint64_t nRows = 0;
    ModelRevisions(m_nLaidOutRevision, nRows);
    if (s_pfnLayoutKept != NULL)
        s_pfnLayoutKept(*this);
    return TRUE;
}

// The rows, the tree and the settings of the last layout.
BOOL CGanttBarView::CanUpdateInPlace()
{
    uint64_t nRevision = 0, nRows = 0;
    return m_bLaidOut && m_bLaidOutKnown && ModelRevisions(nRevision, nRows) && nRows == m_nLaidOutRows &&
           CurrentSettings() == m_laidOutSettings;
}

BOOL CGanttBarView::UpdateInPlace(CTaskItem* const* pChanged, size_t nChanged, std::vector<CRenewed>* pRenewed)
{
    CProjectDoc* pDoc = GetDocument();
    if (pDoc == NULL || m_bRowShared)
        return FALSE;
    CRect rcClient(0, 0, 0, 0);
    if (m_wndChart.GetSafeHwnd() != NULL)
        m_wndChart.GetClientRect(&rcClient);
    CRestDayCounter& counter = pDoc->RestDays();
    const double dDayWidth = m_wndChart.GetDayWidth();

    // Nothing is changed before every task named is known to be mended in place.
    std::vector<CBarPlace> places(nChanged);
    for (size_t i = 0; i < nChanged; ++i) {
        if (pChanged[i] == NULL)
            return FALSE;
        places[i] = PlaceOf(pChanged[i], counter, dDayWidth, rcClient);
        if (!CanRenew(pChanged[i], places[i]))
            return FALSE;
    }

    // Bars first: the arrows start and end on them.
    std::vector<CRenewed> renewed;
    BOOL bWalkDates = FALSE;
    for (size_t i = 0; i < nChanged; ++i) {
        // The task holding the chart's first or last date may have given it up.
        if (!KeepChartDates(pChanged[i]))
            bWalkDates = TRUE;
        RenewBar(pChanged[i], places[i], renewed);
    }
    BOOL bArrowsMoved = FALSE;
    for (size_t i = 0; i < nChanged; ++i)
        bArrowsMoved |= RenewArrowsTo(pChanged[i], places[i], renewed);
    if (!m_bArrowsFromMade)
        MakeArrowsFrom();
    for (size_t i = 0; i < nChanged; ++i)
        RenewArrowsFrom(pChanged[i]->m_nRowInGrid, renewed);

    if (bWalkDates) {
        m_dtChartStart.SetStatus(COleDateTime::invalid);
        m_dtChartEnd.SetStatus(COleDateTime::invalid);
        m_pChartStartTask = m_pChartEndTask = NULL;
        WalkChartDates(pDoc->m_listTasks);
    }
    // The shape index holds the shapes by the rows they cover: kept unless arrows came or
    // went, or one of the shapes moved up or down (an arrow of another link type ends at
    // another height).
    if (bArrowsMoved) {
        m_wndChart.ShapesChanged();
        return TRUE;
    }
    if (pRenewed != NULL)
        *pRenewed = renewed;
    for (const CRenewed& r : renewed) {
        const CRenewed now = Renewed(r.pShape);
        if (now.nTop != r.nTop || now.nBottom != r.nBottom) {
            m_wndChart.ShapesChanged();
            break;
        }
    }
    return TRUE;
}

BOOL CGanttBarView::CanRenew(CTaskItem* pTask, const CBarPlace& place) const
{
    CTaskBase* pShape = m_rowShapes.Get(pTask->m_nRowInGrid);
    const BOOL bHas = pShape != NULL && pShape->m_pTask == pTask;
    // A bar that comes or goes shifts the list: a layout's work.
    if (bHas != (place.bShown && place.bPlaced))
        return FALSE;
    if (!bHas)
        return TRUE;
    if (!pTask->m_listChildren.IsEmpty())
        return DYNAMIC_DOWNCAST(CTaskPolygon, pShape) != NULL;
    if (DYNAMIC_DOWNCAST(CTaskRect, pShape) == NULL)
        return FALSE;
    // The critical rows' array and the arrows are kept in the walk's order, which is the
    // rows' when they went up along it: only then can a mark or an arrow be put in its place.
    const BOOL bCritical = pTask->m_nCritical != 0;
    const BOOL bMarkTurns = bCritical != (m_criticalRows.Get(pTask->m_nRowInGrid) != 0);
    return m_bRowsInOrder || (!bMarkTurns && ArrowsKept(pTask, place));
}

// A task holding one of the chart's dates that moved it outwards (or kept it) still holds
// it; one that gave ground leaves the dates to a walk over every task (FALSE).
BOOL CGanttBarView::KeepChartDates(CTaskItem* pTask)
{
    if (pTask == m_pChartStartTask) {
        if (pTask->m_dtStart.GetStatus() != COleDateTime::valid || m_dtChartStart < pTask->m_dtStart)
            return FALSE;
        m_dtChartStart = pTask->m_dtStart;
    }
    if (pTask == m_pChartEndTask) {
        if (pTask->m_dtFinish.GetStatus() != COleDateTime::valid || m_dtChartEnd > pTask->m_dtFinish)
            return FALSE;
        m_dtChartEnd = pTask->m_dtFinish;
    }
    TakeInChartDates(pTask);
    return TRUE;
}

void CGanttBarView::WalkChartDates(const CTaskItemList& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CTaskItem* pTask = list.GetNext(pos);
        if (pTask == NULL)
            continue;
        TakeInChartDates(pTask);
        WalkChartDates(pTask->m_listChildren);
    }
}

void CGanttBarView::RenewBar(CTaskItem* pTask, const CBarPlace& place, std::vector<CRenewed>& renewed)
{
    CTaskBase* pShape = m_rowShapes.Get(pTask->m_nRowInGrid);
    if (pShape == NULL || pShape->m_pTask != pTask)
        return;
    if (pTask->m_listChildren.IsEmpty()) {
        CTaskRect* pBar = static_cast<CTaskRect*>(pShape);
        const UINT nRow = static_cast<UINT>(pTask->m_nRowInGrid);
        const BOOL bCritical = pTask->m_nCritical != 0;
        if (bCritical != (m_criticalRows.Get(nRow) != 0))
            MarkCriticalRow(nRow, bCritical);
        renewed.push_back(Renewed(pBar));
        pBar->Reset();
        FillBar(pBar, pTask, place);
    } else {
        CTaskPolygon* pBar = static_cast<CTaskPolygon*>(pShape);
        renewed.push_back(Renewed(pBar));
        pBar->Reset();
        FillSummaryBar(pBar, pTask, place);
    }
}

// The critical rows' array keeps the walk's order, which is the rows' (CanRenew).
void CGanttBarView::MarkCriticalRow(UINT nRow, BOOL bCritical)
{
    const DWORD* pBegin = m_arrCriticalRows.GetData();
    const DWORD* pEnd = pBegin + m_arrCriticalRows.GetSize();
    const INT_PTR nAt = std::lower_bound(pBegin, pEnd, static_cast<DWORD>(nRow)) - pBegin;
    if (bCritical)
        m_arrCriticalRows.InsertAt(nAt, nRow);
    else if (nAt < m_arrCriticalRows.GetSize() && m_arrCriticalRows[nAt] == nRow)
        m_arrCriticalRows.RemoveAt(nAt);
    m_criticalRows.Set(nRow, bCritical ? 1 : 0);
}

// The arrows the task's links give, in their order (a link from a collapsed row has none).
void CGanttBarView::ArrowsOf(CTaskItem* pTask, const CBarPlace& place, std::vector<CPendingArrow>& arrows) const
{
    arrows.clear();
    for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;) {
        CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
        if (pLink != NULL && !m_collapsedIndex.Has(static_cast<UINT>(pLink->m_nSuccID)))
            arrows.push_back(CPendingArrow{pLink, ArrowEnd(pTask, pLink, place)});
    }
}

// The task's arrows in the layout: from its first one, those ending on its bar's line.
size_t CGanttBarView::KeptArrowCount(CTaskItem* pTask, const CBarPlace& place) const
{
    const size_t nFirst = static_cast<size_t>(m_rowFirstArrow.Get(pTask->m_nRowInGrid) - 1);
    size_t k = nFirst;
    while (k < m_arrows.size() && m_arrows[k].ptEnd.y >= place.y && m_arrows[k].ptEnd.y <= place.y + 10)
        ++k;
    return k - nFirst;
}

BOOL CGanttBarView::ArrowsKept(CTaskItem* pTask, const CBarPlace& place) const
{
    if (!place.bShown || !place.bPlaced)
        return TRUE;
    const int nFirst = m_rowFirstArrow.Get(pTask->m_nRowInGrid) - 1;
    if (nFirst < 0)
        return FALSE;
    std::vector<CPendingArrow> arrows;
    ArrowsOf(pTask, place, arrows);
    if (KeptArrowCount(pTask, place) != arrows.size())
        return FALSE;
    // The same links to the same predecessor rows.
    for (size_t i = 0; i < arrows.size(); ++i) {
        const size_t k = static_cast<size_t>(nFirst) + i;
        if (m_arrows[k].pLink != arrows[i].pLink || m_arrowShapes[k]->m_nPredRow != arrows[i].pLink->m_nSuccID)
            return FALSE;
    }
    return TRUE;
}

// TRUE when arrows came or went.
BOOL CGanttBarView::RenewArrowsTo(CTaskItem* pTask, const CBarPlace& place, std::vector<CRenewed>& renewed)
{
    if (!place.bShown || !place.bPlaced)
        return FALSE;  // no bar, no arrows (CanRenew saw it had none)
    if (!ArrowsKept(pTask, place)) {
        RelinkArrowsTo(pTask, place);
        return TRUE;
    }
    const size_t nFirst = static_cast<size_t>(m_rowFirstArrow.Get(pTask->m_nRowInGrid) - 1);
    std::vector<CPendingArrow> arrows;
    ArrowsOf(pTask, place, arrows);
    for (size_t i = 0; i < arrows.size(); ++i) {
        m_arrows[nFirst + i].ptEnd = arrows[i].ptEnd;
        RenewArrow(nFirst + i, renewed);
    }
    return FALSE;
}

// The task's links changed: its arrows are made again where a layout puts them, after those
// of the tasks before it in the walk (the rows', CanRenew), the rest moved along.
void CGanttBarView::RelinkArrowsTo(CTaskItem* pTask, const CBarPlace& place)
{
    const size_t nFirst = static_cast<size_t>(m_rowFirstArrow.Get(pTask->m_nRowInGrid) - 1);
    const size_t nOld = KeptArrowCount(pTask, place);
    std::vector<CPendingArrow> arrows;
    ArrowsOf(pTask, place, arrows);

    // The arrows are the list's last shapes, in their order.
    CObList& list = m_wndChart.GetShapeList();
    POSITION posAfter = NULL;  // the shape the task's arrows follow
    {
        POSITION pos = list.GetTailPosition();
        for (size_t n = m_arrowShapes.size(); n > nFirst && pos != NULL; --n)
            list.GetPrev(pos);
        posAfter = pos;
    }
    POSITION pos = posAfter != NULL ? posAfter : list.GetHeadPosition();
    if (posAfter != NULL)
        list.GetNext(pos);
    // Taken off, then put in again, made new.
    for (size_t i = 0; i < nOld && pos != NULL; ++i) {
        POSITION posThis = pos;
        CObject* pShape = list.GetNext(pos);
        list.RemoveAt(posThis);
        delete pShape;
    }
    std::vector<CTaskLineArrow*> shapes;
    for (const CPendingArrow& pending : arrows) {
        CTaskLineArrow* pArrow = new CTaskLineArrow;
        FillArrow(pArrow, pending);
        posAfter = posAfter != NULL ? list.InsertAfter(posAfter, pArrow) : list.AddHead(pArrow);
        shapes.push_back(pArrow);
    }
    const auto at = static_cast<std::ptrdiff_t>(nFirst);
    m_arrows.erase(m_arrows.begin() + at, m_arrows.begin() + at + static_cast<std::ptrdiff_t>(nOld));
    m_arrows.insert(m_arrows.begin() + at, arrows.begin(), arrows.end());
    m_arrowShapes.erase(m_arrowShapes.begin() + at, m_arrowShapes.begin() + at + static_cast<std::ptrdiff_t>(nOld));
    m_arrowShapes.insert(m_arrowShapes.begin() + at, shapes.begin(), shapes.end());
    m_rowFirstArrow.AddAfter(pTask->m_nRowInGrid, static_cast<int>(arrows.size()) - static_cast<int>(nOld));
    m_bArrowsFromMade = FALSE;
}

void CGanttBarView::RenewArrowsFrom(int nRow, std::vector<CRenewed>& renewed)
{
    if (nRow >= 0 && static_cast<size_t>(nRow) + 1 < m_arrowsFrom.size())
        for (int i = m_arrowsFrom[nRow]; i < m_arrowsFrom[nRow + 1]; ++i)
            RenewArrow(static_cast<size_t>(m_arrowsFromOrder[i]), renewed);
    for (const int k : m_arrowsFromFar)
        if (m_arrowShapes[k]->m_nPredRow == nRow)
            RenewArrow(static_cast<size_t>(k), renewed);
}

void CGanttBarView::RenewArrow(size_t nArrow, std::vector<CRenewed>& renewed)
{
    CTaskLineArrow* pArrow = m_arrowShapes[nArrow];
    renewed.push_back(Renewed(pArrow));
    pArrow->Reset();
    FillArrow(pArrow, m_arrows[nArrow]);
}

// The arrows by the row they start on, in one counting pass.
void CGanttBarView::MakeArrowsFrom()
{
    const int kTableRows = 1 << 20;
    int nMaxRow = -1;
    for (const CTaskLineArrow* pArrow : m_arrowShapes)
        if (pArrow->m_nPredRow >= 0 && pArrow->m_nPredRow < kTableRows)
            nMaxRow = std::max(nMaxRow, pArrow->m_nPredRow);
    m_arrowsFrom.assign(static_cast<size_t>(nMaxRow) + 2, 0);
    m_arrowsFromFar.clear();
    for (size_t k = 0; k < m_arrowShapes.size(); ++k) {
        const int nRow = m_arrowShapes[k]->m_nPredRow;
        if (nRow >= 0 && nRow <= nMaxRow)
            m_arrowsFrom[static_cast<size_t>(nRow) + 1]++;
        else
            m_arrowsFromFar.push_back(static_cast<int>(k));
    }
    for (size_t r = 1; r < m_arrowsFrom.size(); ++r)
        m_arrowsFrom[r] += m_arrowsFrom[r - 1];
    m_arrowsFromOrder.assign(static_cast<size_t>(m_arrowsFrom.back()), 0);
    std::vector<int> next(m_arrowsFrom.begin(), m_arrowsFrom.end() - 1);
    for (size_t k = 0; k < m_arrowShapes.size(); ++k) {
        const int nRow = m_arrowShapes[k]->m_nPredRow;
        if (nRow >= 0 && nRow <= nMaxRow)
            m_arrowsFromOrder[static_cast<size_t>(next[static_cast<size_t>(nRow)]++)] = static_cast<int>(k);
    }
    m_bArrowsFromMade = TRUE;
}

CGanttBarView::CRenewed CGanttBarView::Renewed(CTaskBase* pShape)
{
    CRenewed r{pShape, 0, 0};
    CShapeIndex::GetExtent(pShape, r.nTop, r.nBottom);
    return r;
}
