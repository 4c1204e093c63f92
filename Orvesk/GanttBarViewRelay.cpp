// What the Gantt bar view relays between its chart and the task tree view: chart edits
// written back into the grid and propagated, and the chart's vertical scrolling.
#include "GanttBarView.h"

#include "GridDefines.h"
#include "GridTreeCellBase.h"
#include "ProjectDoc.h"
#include "TaskItem.h"
#include "TaskTreeView.h"

CTaskTreeView* CGanttBarView::GetTaskTreeView() const
{
    CDocument* pDoc = m_pDocument;
    if (pDoc == NULL)
        return NULL;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL) {
        if (CTaskTreeView* pTree = DYNAMIC_DOWNCAST(CTaskTreeView, pDoc->GetNextView(pos)))
            return pTree;
    }
    return NULL;
}

void CGanttBarView::OnTaskChanged(CTaskItem* pTask)
{
    CProjectDoc* pDoc = GetDocument();
    if (pDoc != NULL)
        pDoc->SetModifiedFlag(TRUE);
    CTaskTreeView* pTree = GetTaskTreeView();
    if (pTask == NULL || pTree == NULL)
        return;
    CGridCtrl& grid = pTree->GetGrid();
    const int nRow = pTask->m_nRowInGrid;

    int nLevel = 1;
    if (CGridTreeCellBase* pCell = dynamic_cast<CGridTreeCellBase*>(grid.GetCell(nRow, 2)))
        nLevel = pCell->GetLevel();

    // The predecessor rows: "3", "3,5", ...
    CString strPred;
    for (POSITION pos = pTask->m_listLinks.GetHeadPosition(); pos != NULL;) {
        const CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
        if (pLink == NULL)
            continue;
        if (strPred.IsEmpty()) {
            strPred.Format("%d", pLink->m_nSuccID);
        } else {
            CString strNext;
            strNext.Format("%s,%d", static_cast<LPCTSTR>(strPred), pLink->m_nSuccID);
            strPred = strNext;
        }
    }

    grid.SetTaskRow(nRow, pTask, pTask->m_nIsTask, pTask->m_nStatus, pTask->m_strName, nLevel,
                    pTask->m_nDuration / 86400.0, pTask->m_dtStart, pTask->m_dtFinish, strPred);
    grid.SetTreeCellInfo(nRow, 1, 1);

    // The tree recomputes the finish from the duration, then the dates from the start; the
    // layouts it asks for on the way are made once, below.
    struct DeferLayout
    {
        int& n;
        explicit DeferLayout(int& r) : n(r) { ++n; }
        ~DeferLayout() { --n; }
    };
    // A move, resize or progress drag leaves every link as it was: the successor lists are
    // made again only after a link came (or anything else came or went) since the layout.
    uint64_t nRevision = 0, nRows = 0;
    const BOOL bLinksKept =
        m_bLaidOut && m_bLaidOutKnown && ModelRevisions(nRevision, nRows) && nRevision == m_nLaidOutRevision;
    {
        DeferLayout defer(m_nLayoutDeferred);
        const CTaskTreeView::COutsideChange outside(*pTree);
        pTree->SendMessage(WM_GRID_TASKCHANGED, reinterpret_cast<WPARAM>(pTask), MAKELONG(nRow, 3));
        pTree->SendMessage(WM_GRID_TASKCHANGED, reinterpret_cast<WPARAM>(pTask), MAKELONG(nRow, 4));

        if (!bLinksKept)
            pTree->BuildSuccessorLists(TRUE);
        pTree->PropagateDates(nRow);
        pTree->PropagateAssignees(nRow);
    }

    // The tree hands over what it settled (the chart renews those bars in place) or, when
    // it cannot tell what changed, the sync lays the chart out whole.
    pTree->SyncGanttRows(0, FALSE);
    if (NeedsLayout())
        BuildChart();
    Repaint();
    if (pDoc != NULL)
        pDoc->UpdateAllViews(this, 0, NULL);
}

void CGanttBarView::SyncTreeScroll(UINT nSBCode, int nTopRow, CScrollBar* pScrollBar, BOOL bFlag)
{
    if (CTaskTreeView* pTree = GetTaskTreeView())
        pTree->GetGrid().VScrollSync(nSBCode, static_cast<UINT>(nTopRow), pScrollBar, bFlag);
}
