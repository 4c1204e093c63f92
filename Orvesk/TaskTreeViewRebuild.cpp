// The task tree view: the task tree rebuilt from the grid's rows and levels, the links
// resolved into predecessor rows and successor lists, summary rows locked.
#include "TaskTreeView.h"

#include <cstdio>

#include "ProjectDoc.h"
#include "TaskItem.h"

LRESULT CTaskTreeView::OnRowsChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    CProjectDoc* pDoc = GetDocument();
    if (!pDoc)
        return 0;
    pDoc->RemoveAllList();
    const std::unordered_map<int, int> moved = MovedRows();
    RemapLinkRows(moved);

    const int nRows = m_Grid.GetRowCount();
    int r = 1;
    while (r < nRows)
    {
        if (!m_Grid.GetCell(r, 2))
            return 0;
        CTaskItem* pTask = NamedRowTask(r);
        if (pTask)
        {
            pDoc->m_listTasks.AddTail(pTask);
            pTask->m_nRowInGrid = r;
            MarkModified(pTask);
            RebuildChildren(pTask, r);
            continue;
        }
        r++;
    }
    if (nRows > 0)
        pDoc->SetModifiedFlag(TRUE);
    return 0;
}

void CTaskTreeView::RebuildChildren(CTaskItem* pParent, int& r)
{
    pParent->m_listChildren.RemoveAll();
    const int nParentLevel = RowLevel(r);
    const int nRows = m_Grid.GetRowCount();

    do
        r++;
    while (r < nRows && CellText(r, 2).IsEmpty());
    if (r >= nRows)
        return;

    while (r < nRows)
    {
        CGridCellBase* pHead = m_Grid.GetCell(r, 0);
        CGridCellBase* pName = m_Grid.GetCell(r, 2);
        if (!pName)
            return;
        // Blank rows belong to whatever surrounds them; they end no subtree.
        CTaskItem* pTask = pHead ? pHead->GetTask() : NULL;
        if (!pName->GetText() || !*pName->GetText() || (pHead && pHead->GetRowState() == GRIDROW_UNNAMED) || !pTask)
        {
            r++;
            continue;
        }
        if (RowLevel(r) <= nParentLevel)
            return;
        pParent->m_listChildren.AddTail(pTask);
        pTask->m_nRowInGrid = r;
        MarkModified(pTask);
        RebuildChildren(pTask, r);
    }
}

BOOL CTaskTreeView::FindPredecessor(int nID, CString& strName, int& nRow)
{
    CTaskItem* pFound = NULL;
    if (m_predIndex.bBuilt)
    {
        if (nID != 0)
        {
            auto it = m_predIndex.byId.find(nID);
            if (it != m_predIndex.byId.end())
                pFound = NamedRowTask(it->second);
        }
        else
        {
            // The stored row when it still holds a task of that name, else the first task of
            // that name, else whatever task the stored row holds (a renamed predecessor).
            CTaskItem* pAtRow = NamedRowTask(nRow);
            if (pAtRow && pAtRow->m_strName == strName)
                pFound = pAtRow;
            else
            {
                auto it = m_predIndex.byName.find(std::string((LPCTSTR)strName));
                if (it != m_predIndex.byName.end())
                    pFound = NamedRowTask(it->second);
                else
                    pFound = pAtRow;
            }
        }
    }
    else
    {
        const int nRows = m_Grid.GetRowCount();
        CTaskItem* pAtRow = NamedRowTask(nRow);
        if (nID == 0 && pAtRow && pAtRow->m_strName == strName)
            pFound = pAtRow;
        for (int row = 1; row < nRows && !pFound; row++)
        {
            CTaskItem* pTask = NamedRowTask(row);
            if (!pTask)
                continue;
            if (nID != 0 ? pTask->m_nTaskID == nID : pTask->m_strName == strName)
                pFound = pTask;
        }
        if (!pFound && nID == 0)
            pFound = pAtRow;
    }

    if (!pFound || pFound->m_nFlag == FLAG_REMOVED)
        return FALSE;
    strName = pFound->m_strName;
    nRow = pFound->m_nRowInGrid;
    return TRUE;
}

void CTaskTreeView::BuildPredIndex()
{
    m_predIndex.byId.clear();
    m_predIndex.byName.clear();
    const int nRows = m_Grid.GetRowCount();
    for (int row = 1; row < nRows; row++)
    {
        CTaskItem* pTask = NamedRowTask(row);
        if (!pTask)
            continue;
        if (pTask->m_nTaskID != 0)
            m_predIndex.byId.emplace(pTask->m_nTaskID, row);
        m_predIndex.byName.emplace(std::string((LPCTSTR)pTask->m_strName), row);
    }
    m_predIndex.bBuilt = TRUE;
}

void CTaskTreeView::ClearPredIndex()
{
    m_predIndex.bBuilt = FALSE;
    m_predIndex.byId.clear();
    m_predIndex.byName.clear();
}

void CTaskTreeView::BuildSuccessorLists(BOOL bRedraw)
{
    const int nRows = m_Grid.GetRowCount();

    // Fresh successor lists (every run starts them again).
    for (int row = 1; row < nRows; row++)
    {
        if (CTaskItem* pTask = RowTask(row))
        {
            pTask->m_arrSuccessors.RemoveAll();
            pTask->m_nSuccessor = 0;
        }
    }
    BuildPredIndex();

    char buffer[16];
    for (int i = 1; i < nRows; i++)
    {
        CString strText;
        CTaskItem* pTask = NamedRowTask(i);
        if (pTask)
        {
            POSITION pos = pTask->m_listLinks.GetHeadPosition();
            while (pos != NULL)
            {
                POSITION posLink = pos;
                CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
                BOOL bKeep = FALSE;
                if (pLink)
                {
                    CString strName = pLink->m_strPredName;
                    int nPredRow = pLink->m_nSuccID;
                    // Resolved first; only a link that resolves to the task itself is dropped
                    // for that reason (its stored row may simply be out of date).
                    if (FindPredecessor(pLink->m_nPredID, strName, nPredRow) && nPredRow != pTask->m_nRowInGrid)
                    {
                        pLink->m_strPredName = strName;
                        pLink->m_nSuccID = nPredRow;
                        bKeep = TRUE;
                    }
                }
                if (!bKeep)
                {
                    pTask->m_listLinks.RemoveAt(posLink);
                    delete pLink;
                    continue;
                }
                if (CTaskItem* pPred = RowTask(pLink->m_nSuccID))
                {
                    pPred->m_arrSuccessors.Add((DWORD)pTask->m_nRowInGrid);
                    pPred->m_nSuccessor = 1;
                }
                std::snprintf(buffer, sizeof(buffer), strText.IsEmpty() ? "%d" : ",%d", pLink->m_nSuccID);
                strText += buffer;
            }
        }
        if (CGridCellBase* pCell = m_Grid.GetCell(i, 6))
        {
            LPCTSTR pszOld = pCell->GetText();
            if (!pszOld || strText != pszOld)
            {
                pCell->SetText(strText);
                m_Grid.RedrawCell(i, 6);
            }
        }
    }
    ClearPredIndex();

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
    RemapLinkRows(MovedRows());
    const int nRows = m_Grid.GetRowCount();
    for (int row = 1; row < nRows; row++)
        if (CTaskItem* pTask = RowTask(row))
            pTask->m_nRowInGrid = row;
}

std::unordered_map<int, int> CTaskTreeView::MovedRows()
{
    // The tasks whose stored row is no longer the row they sit in: old row -> new row.
    std::unordered_map<int, int> moved;
    const int nRows = m_Grid.GetRowCount();
    for (int row = 1; row < nRows; row++)
    {
        CTaskItem* pTask = RowTask(row);
        if (pTask && pTask->m_nRowInGrid > 0 && pTask->m_nRowInGrid != row)
            moved.emplace(pTask->m_nRowInGrid, row);
    }
    return moved;
}

void CTaskTreeView::RemapLinkRows(const std::unordered_map<int, int>& moved)
{
    // Links name their predecessor's row: it follows the predecessor when rows move, so
    // that a later resolution does not find whatever task then sits in the old row.
    if (moved.empty())
        return;
    const int nRows = m_Grid.GetRowCount();
    for (int row = 1; row < nRows; row++)
    {
        CTaskItem* pTask = RowTask(row);
        if (!pTask)
            continue;
        POSITION pos = pTask->m_listLinks.GetHeadPosition();
        while (pos != NULL)
        {
            CTaskLink* pLink = pTask->m_listLinks.GetNext(pos);
            if (!pLink)
                continue;
            auto it = moved.find(pLink->m_nSuccID);
            if (it != moved.end())
                pLink->m_nSuccID = it->second;
        }
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
