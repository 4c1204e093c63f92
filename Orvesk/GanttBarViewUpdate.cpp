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
    const BOOL bInPlace = m_bLaidOut && CTaskStamp::Structure() == m_nLaidOutStructure &&
                          CurrentSettings() == m_laidOutSettings && UpdateInPlace(pChanged, nChanged);
    if (!bInPlace) {
        BuildChart();
        return FALSE;
    }
    m_nLaidOutRevision = CTaskStamp::Now();
    if (s_pfnLayoutKept != NULL)
        s_pfnLayoutKept(*this);
    return TRUE;
}

BOOL CGanttBarView::UpdateInPlace(CTaskItem* const* pChanged, size_t nChanged)
{
    CProjectDoc* pDoc = GetDocument();
    if (pDoc == NULL || m_bRowShared)
        return FALSE;
    CRect rcClient(0, 0, 0, 0);
    if (m_wndChart.GetSafeHwnd() != NULL)
        m_wndChart.GetClientRect(&rcClient);
    CRestDayCounter& counter = pDoc->RestDays();
    const double dDayWidth = m_wndChart.GetDayWidth();

    // Bars first: the arrows start and end on them.
    std::vector<CBarPlace> places(nChanged);
    std::vector<CRenewed> renewed;
    BOOL bWalkDates = FALSE;
    for (size_t i = 0; i < nChanged; ++i) {
        CTaskItem* pTask = pChanged[i];
        if (pTask == NULL)
            return FALSE;
        // The task holding the chart's first or last date may have given it up.
        if (!KeepChartDates(pTask))
            bWalkDates = TRUE;
        places[i] = PlaceOf(pTask, counter, dDayWidth, rcClient);
        if (!RenewBar(pTask, places[i], renewed))
            return FALSE;
    }
    for (size_t i = 0; i < nChanged; ++i)
        if (!RenewArrowsTo(pChanged[i], places[i], renewed))
            return FALSE;
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
    // The shape index holds the shapes by the rows they cover: kept unless one of them moved
    // up or down (an arrow of another link type ends at another height).
    for (const CRenewed& r : renewed) {
        const CRenewed now = Renewed(r.pShape);
        if (now.nTop != r.nTop || now.nBottom != r.nBottom) {
            m_wndChart.ShapesChanged();
            break;
        }
    }
    return TRUE;
}

// A task holding one of the chart's dates that moved it outwards (or kept it) still holds
// it; one that gave ground leaves the dates to a walk over every task (FALSE).
BOOL CGanttBarView::KeepChartDates(CTaskItem* pTask)
{
    if (pTask == m_pChartStartTask) {
        if (pTask->m_dtStart.GetStatus() != COleDateTime::valid || m_dtChartStart < pTask->m_dtStart.Get())
            return FALSE;
        m_dtChartStart = pTask->m_dtStart;
    }
    if (pTask == m_pChartEndTask) {
        if (pTask->m_dtFinish.GetStatus() != COleDateTime::valid || m_dtChartEnd > pTask->m_dtFinish.Get())
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

BOOL CGanttBarView::RenewBar(CTaskItem* pTask, const CBarPlace& place, std::vector<CRenewed>& renewed)
{
    CTaskBase* pShape = m_rowShapes.Get(pTask->m_nRowInGrid);
    const BOOL bHas = pShape != NULL && pShape->m_pTask == pTask;
    // A bar that comes or goes shifts the list: a layout's work.
    if (bHas != (place.bShown && place.bPlaced))
        return FALSE;
    if (!bHas)
        return TRUE;
    if (pTask->m_listChildren.IsEmpty()) {
        CTaskRect* pBar = DYNAMIC_DOWNCAST(CTaskRect, pShape);
        if (pBar == NULL)
            return FALSE;
        const UINT nRow = static_cast<UINT>(pTask->m_nRowInGrid);
        const BOOL bCritical = pTask->m_nCritical != 0;
        if (bCritical != (m_criticalRows.Get(nRow) != 0) && !MarkCriticalRow(nRow, bCritical))
            return FALSE;
        renewed.push_back(Renewed(pBar));
        pBar->Reset();
        FillBar(pBar, pTask, place);
    } else {
        CTaskPolygon* pBar = DYNAMIC_DOWNCAST(CTaskPolygon, pShape);
        if (pBar == NULL)
            return FALSE;
        renewed.push_back(Renewed(pBar));
        pBar->Reset();
        FillSummaryBar(pBar, pTask, place);
    }
    return TRUE;
}

// The critical rows' array keeps the walk's order, which is the rows' when they went up
// along it.
BOOL CGanttBarView::MarkCriticalRow(UINT nRow, BOOL bCritical)
{
    if (!m_bRowsInOrder)
        return FALSE;
    const DWORD* pBegin = m_arrCriticalRows.GetData();
    const DWORD* pEnd = pBegin + m_arrCriticalRows.GetSize();
    const INT_PTR nAt = std::lower_bound(pBegin, pEnd, static_cast<DWORD>(nRow)) - pBegin;
    if (bCritical)
        m_arrCriticalRows.InsertAt(nAt, nRow);
    else if (nAt < m_arrCriticalRows.GetSize() && m_arrCriticalRows[nAt] == nRow)
        m_arrCriticalRows.RemoveAt(nAt);
    else
        return FALSE;
    m_criticalRows.Set(nRow, bCritical ? 1 : 0);
    return TRUE;
}

BOOL CGanttBarView::RenewArrowsTo(CTaskItem* pTask, const CBarPlace& place, std::vector<CRenewed>& renewed)
{
    if (!place.bShown || !place.bPlaced)
        return TRUE;  // no bar, no arrows (RenewBar saw it had none)
    const int nFirst = m_rowFirstArrow.Get(pTask->m_nRowInGrid) - 1;
    if (nFirst < 0)
        return FALSE;
    size_t k = static_cast<size_t>(nFirst);
    for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;) {
        CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
        if (pLink == NULL || m_collapsedIndex.Has(static_cast<UINT>(pLink->m_nSuccID)))
            continue;
        // The same link to the same predecessor row: the arrows by row stay right.
        if (k >= m_arrows.size() || m_arrows[k].pLink != pLink || m_arrowShapes[k]->m_nPredRow != pLink->m_nSuccID)
            return FALSE;
        m_arrows[k].ptEnd = ArrowEnd(pTask, pLink, place);
        RenewArrow(k, renewed);
        ++k;
    }
    // None of the task's arrows left over (a link whose predecessor row went out of sight).
    return k >= m_arrows.size() || pTask->m_listLinks.Find(m_arrows[k].pLink) == NULL;
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
