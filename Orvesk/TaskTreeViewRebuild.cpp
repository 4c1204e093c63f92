// The task tree view: the task tree rebuilt from the grid's rows and levels, the links
// resolved into predecessor rows and successor lists, summary rows locked.
#include "TaskTreeView.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>


#include "ProjectDoc.h"
#include "ProjectSchedule.h"
#include "ReadAhead.h"
#include "TaskItem.h"
#include "DecimalText.h"
#include "GridTreeCellBase.h"

namespace
{
// Makes the list hold exactly the tasks [first, last) in order, reusing its nodes: a list
// that did not change costs a walk and no allocation. The tasks that lose their place go
// into dropped. TRUE when the list changed.
bool SyncTaskList(CTaskItemList& list, CTaskItem* const* first, CTaskItem* const* last,
                  std::vector<CTaskItem*>& dropped)
{
    const size_t nDropped = dropped.size();
    const INT_PTR nCount = list.GetCount();
    POSITION pos = list.GetHeadPosition();
    for (; first != last && pos != NULL; ++first)
    {
        POSITION posAt = pos;
        CTaskItem* pOld = list.GetNext(pos);
        if (pOld == *first)
            continue;
        dropped.push_back(pOld);
        list.SetAt(posAt, *first);
    }
    for (; first != last; ++first)
        list.AddTail(*first);
    while (pos != NULL)
    {
        POSITION posAt = pos;
        dropped.push_back(list.GetNext(pos));
        list.RemoveAt(posAt);
    }
    return dropped.size() != nDropped || list.GetCount() != nCount;
}

} // namespace

LRESULT CTaskTreeView::OnRowsChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    RowsChanged(NULL, 0, 0, FALSE);
    return 0;
}

void CTaskTreeView::RowsChanged(const CTaskItem* pGone, int nGoneID, int nGoneRow, BOOL bRenumber,
                               CLinkRemap* pLinksLater)
{
    m_regainedLeaves.clear();
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    const std::vector<CTaskItem*> rows = TaskRows();
    const std::vector<int>& moved = MovedRows(rows, bRenumber);
    // The document's schedule is taken in again when rows or links move (the rebuild tells
    // it when the tree changes).
    if (pGone)
        ForgetDocSchedule();
    else if (!moved.empty())
        ForgetDocSchedule(FALSE);
    // The successor pass that follows walks every task's links anyway: the links are
    // carried along there (the rows moved stay in m_movedRows until then).
    if (pLinksLater)
        *pLinksLater = CLinkRemap{TRUE, pGone, nGoneID, nGoneRow};
    else
        RemapLinkRows(moved, rows, pGone, nGoneID, nGoneRow);
    if (bRenumber)
        KeepMaxRow();
    if (!RebuildTaskTree(rows))
        return;
    KeepMaxRow();
    if (rows.size() > 0)
        pDoc->SetModifiedFlag(TRUE);
}

BOOL CTaskTreeView::RebuildTaskTree(const std::vector<CTaskItem*>& rows)
{
    // The tree the rows' levels give: a named row is a top-level task when no task row is
    // open above it, else the child of the nearest open row of a lower level. Inside a
    // subtree, rows without a name or still unnamed belong to whatever surrounds them.
    // Every task of the rows gets its row and is marked modified; every task of the old
    // tree that no row holds any more loses its children. FALSE (and the rows after it
    // left out) at a row without a name cell.
    CProjectDoc* pDoc = GetDocument();
    const int nRows = (int)rows.size();
    std::vector<CTaskItem*>& visits = m_treeScratch.visits;
    std::vector<int>& parents = m_treeScratch.parents;
    std::vector<CTaskItem*>& visitAt = m_treeScratch.visitAt;
    std::vector<int>& visitRow = m_treeScratch.visitRow;
    m_treeScratch.bKnown = FALSE;
    visits.clear();
    parents.clear();
    visitRow.clear();
    visitAt.assign(rows.size(), nullptr);
    std::vector<std::pair<int, int>> open; // (visit, level) of the rows still open
    BOOL bComplete = TRUE;
    BOOL bTwice = FALSE;
    BOOL bTreeChanged = FALSE;  // a task's row or a list of the tree
    BOOL bRowMoved = FALSE;
    for (int r = 1; r < nRows; r++)
    {
        m_Grid.PrefetchRowCells(r, 0, 1u << 2);
        ReadAheadOf(rows, (size_t)r, &CTaskItem::m_nRowInGrid);
        CGridCellBase* pName = m_Grid.GetCell(r, 2);
        if (!pName)
        {
            bComplete = FALSE;
            break;
        }
        CTaskItem* pTask = rows[(size_t)r];
        LPCTSTR pszName = pTask ? pName->GetText() : NULL;
        if (!pszName || !*pszName)
            continue;
        const int nLevel = TreeCellLevel(pName);
        if (!open.empty())
        {
            CGridCellBase* pHead = m_Grid.GetCell(r, 0);
            if (pHead && pHead->GetRowState() == GRIDROW_UNNAMED)
                continue;
            while (!open.empty() && nLevel <= open.back().second)
                open.pop_back();
        }
        parents.push_back(open.empty() ? -1 : open.back().first);
        open.emplace_back((int)visits.size(), nLevel);
        // A task shown in two rows (which no edit makes) leaves the tree unknown: its first
        // row is found here by the row it was given a moment ago.
        const int nGiven = pTask->m_nRowInGrid;
        if (nGiven >= 1 && nGiven < r && visitAt[(size_t)nGiven] == pTask)
            bTwice = TRUE;
        visits.push_back(pTask);
        visitRow.push_back(r);
        visitAt[(size_t)r] = pTask;
        if (pTask->m_nRowInGrid != r)
            bTreeChanged = bRowMoved = TRUE;
        pTask->m_nRowInGrid = r;
        MarkModified(pTask);
    }

    // Slot 0 holds the top-level tasks, slot v + 1 the children of visit v, in row order.
    const size_t nVisits = visits.size();
    std::vector<int>& slotStart = m_treeScratch.slotStart;
    slotStart.assign(nVisits + 2, 0);
    for (size_t v = 0; v < nVisits; v++)
        slotStart[(size_t)(parents[v] + 2)]++;
    for (size_t s = 0; s + 1 < slotStart.size(); s++)
        slotStart[s + 1] += slotStart[s];
    std::vector<CTaskItem*>& ordered = m_treeScratch.ordered;
    ordered.assign(nVisits, nullptr);
    for (size_t v = 0; v < nVisits; v++)
        ordered[(size_t)slotStart[(size_t)(parents[v] + 1)]++] = visits[v];
    // slotStart[s] now ends slot s: slot s is [slotStart[s - 1], slotStart[s]).
    std::vector<CTaskItem*> dropped;
    CTaskItem* const* pOrdered = ordered.data();
    if (SyncTaskList(pDoc->m_listTasks, pOrdered, pOrdered + slotStart[0], dropped))
        bTreeChanged = TRUE;
    // The schedule learns which summaries' children changed from TakeInParents (or takes
    // the tree in again).
    for (size_t v = 0; v < nVisits; v++)
    {
        ReadAheadOf(visits, v, &CTaskItem::m_listChildren);
        CTaskItem* pVisit = visits[v];
        const bool bWasLeaf = pVisit->m_listChildren.IsEmpty();
        if (SyncTaskList(pVisit->m_listChildren, pOrdered + slotStart[v], pOrdered + slotStart[v + 1], dropped))
        {
            bTreeChanged = TRUE;
            // A leaf that becomes a summary keeps its own duration for the day it is a leaf
            // again; a summary that becomes a leaf waits for OnRowLevel to get it back (or,
            // stored as a summary, to keep the span it has) and its dates to be typed again.
            const bool bLeaf = pVisit->m_listChildren.IsEmpty();
            if (bWasLeaf && !bLeaf)
                pVisit->m_nOwnDuration = pVisit->m_nDuration;
            else if (!bWasLeaf && bLeaf)
                m_regainedLeaves.push_back(pVisit);
        }
    }
    KeepKnownTree(rows, bComplete && !bTwice);
    // Tasks re-hung in their rows (a level change) reach the schedule as their summaries'
    // rows; anything else has it take the tree in again.
    if ((bTreeChanged || !dropped.empty()) &&
        (bRowMoved || !m_treeScratch.bKnown || pDoc->ScheduleStale() ||
         !pDoc->Schedule().TakeInParents(rows, m_treeScratch.parentRow)))
        ForgetDocSchedule(FALSE);

    // A task that left the tree takes its children's lists with it, down to the tasks that
    // rows still hold (their lists were set above).
    size_t nSteps = 0;
    const size_t nMaxSteps = 4 * rows.size() + 1024; // a damaged tree that loops ends here
    while (!dropped.empty() && nSteps++ < nMaxSteps)
    {
        CTaskItem* pTask = dropped.back();
        dropped.pop_back();
        const int r = pTask ? pTask->m_nRowInGrid : 0;
        if (!pTask || (r > 0 && r < nRows && visitAt[(size_t)r] == pTask) || pTask->m_listChildren.IsEmpty())
            continue;
        for (POSITION pos = pTask->m_listChildren.GetHeadPosition(); pos != NULL;)
            dropped.push_back(pTask->m_listChildren.GetNext(pos));
        pTask->m_listChildren.RemoveAll();
    }
    return bComplete;
}

void CTaskTreeView::KeepKnownTree(const std::vector<CTaskItem*>& rows, BOOL bComplete)
{
    // The tree just made, by row, for the passes of the same edit that put the schedule
    // graph together: known only when every task of the rows is in it, once.
    CTreeScratch& tree = m_treeScratch;
    const size_t nRows = rows.size();
    tree.bKnown = FALSE;
    if (!bComplete)
        return;
    for (size_t r = 1; r < nRows; r++)
        if (rows[r] != tree.visitAt[r])
            return;
    tree.parentRow.assign(nRows, 0);
    tree.childCount.assign(nRows, 0);
    const size_t nVisits = tree.visits.size();
    for (size_t v = 0; v < nVisits; v++)
    {
        const int r = tree.visitRow[v];
        if (tree.parents[v] >= 0)
            tree.parentRow[(size_t)r] = tree.visitRow[(size_t)tree.parents[v]];
        // Visit v's children are slot v + 1.
        tree.childCount[(size_t)r] = tree.slotStart[v + 1] - tree.slotStart[v];
    }
    tree.knownRows = rows;
    tree.nTextWrites = CGridCellBase::s_nTextWrites;
    tree.bKnown = TRUE;
}

const CTaskTreeView::CTreeScratch* CTaskTreeView::KnownTree(const std::vector<CTaskItem*>& rows) const
{
    // No cell's text (a name among them) written since, and the same tasks in the same rows.
    const CTreeScratch& tree = m_treeScratch;
    return tree.bKnown && tree.nTextWrites == CGridCellBase::s_nTextWrites && tree.knownRows == rows ? &tree
                                                                                                        : nullptr;
}

void CTaskTreeView::KeepMaxRow()
{
    // The highest row handed out bounds the whole-project loops (printing, link checks):
    // tasks pushed below it by inserted rows must stay inside it.
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    for (int row = m_Grid.GetRowCount() - 1; row > pDoc->m_nMaxRowInGrid; row--)
    {
        if (RowTask(row))
        {
            pDoc->m_nMaxRowInGrid = row;
            break;
        }
    }
}

BOOL CTaskTreeView::FindPredecessor(int nID, CString& strName, int& nRow)
{
    const CTaskItem* pFound = FindPredecessorTask(nID, strName, nRow);
    if (!pFound)
        return FALSE;
    strName = pFound->m_strName;
    nRow = pFound->m_nRowInGrid;
    return TRUE;
}

const CTaskItem* CTaskTreeView::FindPredecessorTask(int nID, const CString& strName, int nRow)
{
    // The stored row first: it holds the predecessor unless rows moved without it. A task
    // with the id (or, without an id, the name) there is the one.
    CTaskItem* pFound = NULL;
    CTaskItem* pAtRow = PassNamedRowTask(nRow);
    if (pAtRow && (nID != 0 ? pAtRow->m_nTaskID == nID : pAtRow->m_strName == strName))
        pFound = pAtRow;
    else if (m_predIndex.bPass)
    {
        // A whole-grid pass builds the index of ids and names at its first miss.
        if (!m_predIndex.bBuilt)
            BuildPredIndex();
        if (nID != 0)
        {
            auto it = m_predIndex.byId.find(nID);
            if (it != m_predIndex.byId.end())
                pFound = PassNamedRowTask(it->second);
        }
        else
        {
            auto it = m_predIndex.byName.find(std::string_view((LPCTSTR)strName, (size_t)strName.GetLength()));
            pFound = it != m_predIndex.byName.end() ? PassNamedRowTask(it->second) : pAtRow;
        }
    }
    else
    {
        // The first task with the id, else the first with the name, else whatever task the
        // stored row holds (a renamed predecessor).
        const int nRows = m_Grid.GetRowCount();
        for (int row = 1; row < nRows && !pFound; row++)
        {
            CTaskItem* pTask = PassNamedRowTask(row);
            if (pTask && (nID != 0 ? pTask->m_nTaskID == nID : pTask->m_strName == strName))
                pFound = pTask;
        }
        if (!pFound && nID == 0)
            pFound = pAtRow;
    }
    return pFound && pFound->m_nFlag != FLAG_REMOVED ? pFound : NULL;
}

void CTaskTreeView::BuildPredIndex()
{
    m_predIndex.byId.clear();
    m_predIndex.byName.clear();
    const int nRows = m_Grid.GetRowCount();
    m_predIndex.byName.reserve((size_t)nRows);
    for (int row = 1; row < nRows; row++)
    {
        CTaskItem* pTask = PassNamedRowTask(row);
        if (!pTask)
            continue;
        if (pTask->m_nTaskID != 0)
            m_predIndex.byId.emplace(pTask->m_nTaskID, row);
        m_predIndex.byName.emplace(
            std::string_view((LPCTSTR)pTask->m_strName, (size_t)pTask->m_strName.GetLength()), row);
    }
    m_predIndex.bBuilt = TRUE;
}

CTaskItem* CTaskTreeView::PassNamedRowTask(int nRow) const
{
    const std::vector<CTaskItem*>* pNamed = m_predIndex.pNamedRows;
    if (!pNamed)
        return NamedRowTask(nRow);
    return nRow >= 0 && nRow < (int)pNamed->size() ? (*pNamed)[(size_t)nRow] : NULL;
}

void CTaskTreeView::BeginPredPass(const std::vector<CTaskItem*>* pNamedRows)
{
    m_predIndex.bPass = TRUE;
    m_predIndex.bBuilt = FALSE;
    m_predIndex.pNamedRows = pNamedRows;
}

void CTaskTreeView::ClearPredIndex()
{
    m_predIndex.bPass = FALSE;
    m_predIndex.bBuilt = FALSE;
    m_predIndex.pNamedRows = NULL;
    m_predIndex.byId.clear();
    m_predIndex.byName.clear();
}

void CTaskTreeView::BuildSuccessorLists(BOOL bRedraw, const CLinkRemap* pRemap)
{
    const int nRows = m_Grid.GetRowCount();

    // The rows' tasks read once (the pass below changes links and texts, never rows).
    const std::vector<CTaskItem*> rows = TaskRows();
    // Fresh successor lists (every run starts them again): the successors are gathered
    // first and written into each list at the end, in place, so that lists that keep their
    // length allocate nothing.
    std::vector<int>& succCount = m_succScratch.count;
    std::vector<std::pair<int, DWORD>>& succ = m_succScratch.pairs;
    succCount.assign((size_t)std::max(nRows, 0), 0);
    succ.clear();
    // The named rows' tasks, read in one sweep: the links look their predecessors up here
    // rather than in the grid, row by row.
    // On a tree just rebuilt from these rows every task row is named (the rebuild read the
    // names, and none was written since).
    std::vector<CTaskItem*>& named = m_succScratch.named;
    const BOOL bKnownTree = KnownTree(rows) != nullptr;
    if (bKnownTree && (int)rows.size() == nRows)
        named = rows;
    else
    {
        named.assign((size_t)std::max(nRows, 0), nullptr);
        for (int row = 1; row < nRows; row++)
        {
            m_Grid.PrefetchRowCells(row, 0, 1u << 2);
            if (rows[(size_t)row] && !IsCellEmpty(row, 2))
                named[(size_t)row] = rows[(size_t)row];
        }
    }
    BeginPredPass(&named);

    // Only rows in view are redrawn as their text changes.
    int nFirstVisible = 0, nLastVisible = -1;
    if (m_Grid.GetSafeHwnd())
    {
        CGridCellRange visible = m_Grid.GetVisibleNonFixedCellRange();
        nFirstVisible = visible.GetMinRow();
        nLastVisible = visible.GetMaxRow();
    }
    // A link that goes or names another task now changes the document's schedule's links;
    // so does one the schedule, while it holds the links, resolves to another task than
    // the pass does (a link changed without it being told).
    BOOL bLinksChanged = FALSE;
    BOOL bLinksRenamed = FALSE;
    CProjectDoc* pDoc = GetDocument();
    const BOOL bScheduleLinksKnown = pDoc && !pDoc->ScheduleStale();
    BOOL bScheduleLinksDiffer = FALSE;
    size_t nLinks = 0;  // the named rows' links kept
    // The links the change of rows before this pass left to be carried along.
    const BOOL bRemap = pRemap && pRemap->bPending && (!m_movedRows.empty() || pRemap->pGone);
    char buffer[16];
    std::string& strText = m_succScratch.text;
    for (int i = 1; i < nRows; i++)
    {
        m_Grid.PrefetchRowCells(i, 0, 1u << 6);
        ReadAheadOf(named, (size_t)i, &CTaskItem::m_listLinks);
        strText.clear();
        if (bRemap && (size_t)i < rows.size() && rows[(size_t)i] &&
            RemapLinksOf(rows[(size_t)i], m_movedRows, pRemap->pGone, pRemap->nGoneID, pRemap->nGoneRow))
            bLinksChanged = bLinksRenamed = TRUE;
        // Only a named row's links count.
        CTaskItem* pTask = named[(size_t)i];
        if (pTask)
        {
            POSITION pos = pTask->m_listLinks.GetHeadPosition();
            while (pos != NULL)
            {
                POSITION posLink = pos;
                CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
                BOOL bKeep = FALSE;
                // Resolved first; only a link that resolves to the task itself is dropped for
                // that reason (its stored row may simply be out of date). The name and row
                // are written only where they change.
                const CTaskItem* pPred =
                    pLink ? FindPredecessorTask(pLink->m_nPredID, pLink->m_strPredName, pLink->m_nSuccID) : NULL;
                if (pPred && pPred->m_nRowInGrid != pTask->m_nRowInGrid)
                {
                    if (bScheduleLinksKnown && pLink->m_pSchedulePred != pPred)
                        bScheduleLinksDiffer = TRUE;
                    if (!(pLink->m_strPredName == pPred->m_strName))
                        pLink->m_strPredName = pPred->m_strName;
                    if (pLink->m_nSuccID != pPred->m_nRowInGrid)
                    {
                        bLinksChanged = TRUE;
                        const int nStored = pLink->m_nSuccID;
                        if (nStored <= 0 || (size_t)nStored >= rows.size() || rows[(size_t)nStored] != pPred)
                            bLinksRenamed = TRUE;
                        pLink->m_nSuccID = pPred->m_nRowInGrid;
                    }
                    bKeep = TRUE;
                }
                if (!bKeep)
                {
                    bLinksChanged = bLinksRenamed = TRUE;
                    pTask->m_listLinks.RemoveAt(posLink);
                    delete pLink;
                    continue;
                }
                const int nPred = pLink->m_nSuccID;
                if (nPred > 0 && nPred < nRows)
                {
                    if (rows[(size_t)nPred])
                    {
                        succ.emplace_back(nPred, (DWORD)pTask->m_nRowInGrid);
                        succCount[(size_t)nPred]++;
                    }
                }
                else if (CTaskItem* pPred = RowTask(nPred))
                {
                    pPred->m_arrSuccessors.Add((DWORD)pTask->m_nRowInGrid);
                    pPred->m_nSuccessor = 1;
                }
                nLinks++;
                // "3", then ",5" for each further link.
                if (!strText.empty())
                    strText += ',';
                strText += DecimalText(buffer, pLink->m_nSuccID);
            }
        }
        if (CGridCellBase* pCell = m_Grid.GetCell(i, 6))
        {
            LPCTSTR pszOld = pCell->GetText();
            if (!pszOld || std::strcmp(strText.c_str(), pszOld) != 0)
            {
                pCell->SetText(strText.c_str());
                if (i >= nFirstVisible && i <= nLastVisible)
                    m_Grid.RedrawCell(i, 6);
            }
        }
    }
    ClearPredIndex();
    // The document's schedule reads the links again when one went or names another task
    // now, when they are not as many as it read, when it resolves one otherwise, or when a
    // link's row changed on rows whose tree was not just rebuilt.
    if (bLinksRenamed || bScheduleLinksDiffer || (!bKnownTree && bLinksChanged) ||
        (bScheduleLinksKnown && pDoc->Schedule().StoredLinkCount() != nLinks))
        ForgetDocSchedule();
    // succCount becomes each row's next free place in its task's list.
    for (int row = 1; row < nRows; row++)
    {
        if (CTaskItem* pTask = rows[(size_t)row])
        {
            const int nCount = succCount[(size_t)row];
            if (nCount == 0)
                pTask->m_arrSuccessors.RemoveAll();
            else
                pTask->m_arrSuccessors.SetSize(nCount);
            pTask->m_nSuccessor = nCount > 0 ? 1 : 0;
            succCount[(size_t)row] = 0;
        }
    }
    for (const std::pair<int, DWORD>& edge : succ)
    {
        // (A task shown in two rows, which no edit makes, still only grows its list.)
        CDWordArray& arr = rows[(size_t)edge.first]->m_arrSuccessors;
        const int nAt = succCount[(size_t)edge.first]++;
        if (nAt < arr.GetSize())
            arr[nAt] = edge.second;
        else
            arr.Add(edge.second);
    }

    if (bRedraw)
    {
        if (m_Grid.GetSafeHwnd())
            m_Grid.Invalidate();
    }
    else
        SyncGanttRows(0, FALSE);
}

namespace
{
BOOL HasDescendantAtRow(const CTaskItem* pTask, int nRow, int nDepth)
{
    if (nDepth > 200)
        return FALSE;
    POSITION pos = pTask->m_listChildren.GetHeadPosition();
    while (pos != NULL)
    {
        const CTaskItem* pChild = pTask->m_listChildren.GetNext(pos);
        if (!pChild)
            continue;
        if (pChild->m_nRowInGrid == nRow || HasDescendantAtRow(pChild, nRow, nDepth + 1))
            return TRUE;
    }
    return FALSE;
}
} // namespace

BOOL CTaskTreeView::IsChildRow(int nRowA, int nRowB)
{
    CTaskItem* pB = RowTask(nRowB);
    if (!pB || nRowA == nRowB)
        return FALSE;
    return HasDescendantAtRow(pB, nRowA, 0);
}

void CTaskTreeView::LockSummaryRows()
{
    const int nRows = m_Grid.GetRowCount();
    for (int row = 1; row < nRows; row++)
    {
        CTaskItem* pTask = NamedRowTask(row);
        if (pTask && !pTask->m_listChildren.IsEmpty())
            SetDateCellsEditable(row, FALSE);
    }
}

void CTaskTreeView::SetDateCellsEditable(int nRow, BOOL bEditable)
{
    for (int col = 3; col <= 5; col++)
        if (CGridCellBase* pCell = m_Grid.GetCell(nRow, col))
            pCell->SetEditable(bEditable);
}

void CTaskTreeView::RenumberRows()
{
    ForgetDocSchedule();
    const std::vector<CTaskItem*> rows = TaskRows();
    RemapLinkRows(MovedRows(rows, TRUE), rows);
    KeepMaxRow();
}

const std::vector<int>& CTaskTreeView::MovedRows(const std::vector<CTaskItem*>& rows, BOOL bStore)
{
    // The tasks whose stored row is no longer the row they sit in: indexed by old row, the
    // new row (0 for rows that did not move). Empty when nothing moved. Kept between
    // changes, so that they allocate nothing.
    std::vector<int>& moved = m_movedRows;
    moved.clear();
    const int nRows = (int)rows.size();
    for (int row = 1; row < nRows; row++)
    {
        ReadAheadOf(rows, (size_t)row, &CTaskItem::m_nRowInGrid);
        CTaskItem* pTask = rows[(size_t)row];
        if (!pTask || pTask->m_nRowInGrid == row)
            continue;
        const int nOld = pTask->m_nRowInGrid;
        if (bStore)
            pTask->m_nRowInGrid = row;
        if (nOld <= 0 || nOld > 4 * nRows + 1000)
            continue; // a stored row far beyond the grid: nothing can point at it sensibly
        if ((int)moved.size() <= nOld)
            moved.resize((size_t)std::max(nOld + 1, nRows + 1), 0);
        moved[(size_t)nOld] = row;
    }
    return moved;
}

BOOL CTaskTreeView::RemapLinksOf(CTaskItem* pTask, const std::vector<int>& moved, const CTaskItem* pGone, int nGoneID,
                                 int nGoneRow)
{
    // Links name their predecessor's row: it follows the predecessor when rows move, so
    // that a later resolution does not find whatever task then sits in the old row. The
    // links to a task that went are dropped: found by id once the server numbered it, else
    // by the row the last resolution found it in. TRUE when a link went.
    const BOOL bDrops = pGone && pTask != pGone;
    return RemoveTaskLinksIf(pTask, [&](CTaskLink* pLink) {
        if (!pLink)
            return false;
        const int nPred = pLink->m_nSuccID;
        if (bDrops && ((nGoneID != 0 && pLink->m_nPredID == nGoneID) ||
                       (pLink->m_nPredID == 0 && nPred == nGoneRow && nGoneRow > 0)))
            return true;
        if (nPred > 0 && nPred < (int)moved.size() && moved[(size_t)nPred] != 0)
            pLink->m_nSuccID = moved[(size_t)nPred];
        return false;
    });
}

void CTaskTreeView::RemapLinkRows(const std::vector<int>& moved, const std::vector<CTaskItem*>& rows,
                                  const CTaskItem* pGone, int nGoneID, int nGoneRow) const
{
    // Every task's links, before the rows' tasks take their new rows (the task that went is
    // only compared with).
    if (moved.empty() && !pGone)
        return;
    for (size_t row = 1; row < rows.size(); row++)
    {
        ReadAheadOf(rows, row, &CTaskItem::m_listLinks);
        if (CTaskItem* pTask = rows[row])
            RemapLinksOf(pTask, moved, pGone, nGoneID, nGoneRow);
    }
}

int CTaskTreeView::RowOfTask(const CTaskItem* pTask)
{
    if (!pTask)
        return -1;
    if (RowTask(pTask->m_nRowInGrid) == pTask)
        return pTask->m_nRowInGrid;
    const int nRows = m_Grid.GetRowCount();
    for (int row = 1; row < nRows; row++)
        if (RowTask(row) == pTask)
            return row;
    return -1;
}
