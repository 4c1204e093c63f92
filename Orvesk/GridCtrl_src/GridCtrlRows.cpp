// Grid window: inserting and deleting rows and columns, and sorting rows.
#include "GridCtrl.h"
#include "DecimalText.h"
#include "GridCell.h"
#include "GridDefaultCell.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
// The memory's line: a span is asked for line by line.
const uintptr_t kCacheLine = 64;
} // namespace

void CGridCtrl::PrefetchRowCells(int nRow, unsigned nColMask, unsigned nTextMask) const
{
#ifdef GRIDCTRL_PREDTASK
    if (m_bVirtualMode)
        return;
#endif
    // Each step reads only what an earlier call asked for.
    const int nSize = (int)m_RowData.GetSize();
    CObject* const* pRows = m_RowData.GetData();
    if (nRow + 12 < nSize && pRows[nRow + 12])
        __builtin_prefetch(pRows[nRow + 12]);
    if (nRow + 8 < nSize && pRows[nRow + 8])
        __builtin_prefetch(static_cast<const CGridRow*>(pRows[nRow + 8])->GetData());
    // A cell's first line holds what a virtual call needs.
    const unsigned nCellMask = nColMask | nTextMask;
    if (nCellMask && nRow + 4 < nSize && pRows[nRow + 4])
    {
        const CGridRow* pRow = static_cast<const CGridRow*>(pRows[nRow + 4]);
        CObject* const* pCells = pRow->GetData();
        const int nCells = (int)std::min<INT_PTR>(pRow->GetSize(), 32);
        for (int col = 0; col < nCells; col++)
            if ((nCellMask >> col) & 1u)
                if (pCells[col])
                    __builtin_prefetch(pCells[col]);
    }
    // Its first line there by now, the cell names the fields its text lies in.
    if (nTextMask && nRow + 2 < nSize && pRows[nRow + 2])
    {
        const CGridRow* pRow = static_cast<const CGridRow*>(pRows[nRow + 2]);
        CObject* const* pCells = pRow->GetData();
        const int nCells = (int)std::min<INT_PTR>(pRow->GetSize(), 32);
        for (int col = 0; col < nCells; col++)
            if ((nTextMask >> col) & 1u)
                if (const CGridCellBase* pCell = static_cast<const CGridCellBase*>(pCells[col]))
                {
                    CGridCellBase::CHotSpan spans[2];
                    const int nSpans = pCell->HotRanges(spans);
                    for (int i = 0; i < nSpans; i++)
                        for (uintptr_t p = reinterpret_cast<uintptr_t>(spans[i].pFirst) & ~(kCacheLine - 1);
                             p < reinterpret_cast<uintptr_t>(spans[i].pEnd); p += kCacheLine)
                            __builtin_prefetch(reinterpret_cast<const void*>(p));
                }
    }
}

void (*CGridCtrl::s_pfnRowsRenumbered)(const CGridCtrl& grid) = NULL;

// One pass: each row's place takes its new number, which its cells read from there; only
// a row marked loose has its cells told one by one. A task grid's heading cells get their
// numbers, written without a format. A virtual grid hands its cells out one by one.
void CGridCtrl::RenumberRowsFrom(int nRow)
{
    const int nRows = GetRowCount();
    const int nCols = GetColumnCount();
#ifdef GRIDCTRL_PREDTASK
    const BOOL bOwnCells = !m_bVirtualMode;
#else
    const BOOL bOwnCells = TRUE;
#endif
    CObject* const* pRows = m_RowData.GetData();
    const int nStored = (int)m_RowData.GetSize();
    for (int row = nRow < 0 ? 0 : nRow; row < nRows; row++)
    {
        // Only the row objects are read, a few rows ahead asked for.
        if (row + 8 < nStored && pRows[row + 8])
            __builtin_prefetch(pRows[row + 8], 1);
        CGridRow* pRow = bOwnCells ? RowObject(row) : NULL;
        const int nRowCols = pRow ? (int)std::min<INT_PTR>(nCols, pRow->GetSize()) : 0;
        if (pRow)
            pRow->Place().nRow = row;
        // A heading cell that shows its row's number already reads it from the place.
        if (m_bTaskGrid && !(pRow && pRow->Place().bNumbered))
        {
            if (CGridCellBase* pHead = pRow ? (nRowCols > 0 ? pRow->GetAt(0) : NULL) : GetCell(row, 0))
                ShowRowNumber(row, pHead);
        }
        if (pRow && !pRow->Place().bLoose)
            continue;
        if (pRow)
            pRow->Place().bLoose = false;
        for (int col = 0; col < nCols; col++)
            if (CGridCellBase* pCell = pRow ? (col < nRowCols ? pRow->GetAt(col) : NULL) : GetCell(row, col))
            {
                pCell->SetRowCol(row, col);
                pCell->SetCoords(row, col);
            }
    }
    // The heading texts that follow their rows have changed with them.
    if (m_bTaskGrid)
        CGridCellBase::s_nTextWrites++;
    if (s_pfnRowsRenumbered)
        s_pfnRowsRenumbered(*this);
}

void CGridCtrl::ShowRowNumber(int nRow, CGridCellBase* pHead)
{
    if (pHead->GetRuntimeClass() == RUNTIME_CLASS(CGridCell) && pHead->GetRowPlace()
        && pHead->GetRowPlace()->nRow == nRow)
    {
        static_cast<CGridCell*>(pHead)->FollowRowNumber();
        return;
    }
    char buffer[16];
    pHead->SetText(DecimalText(buffer, nRow));
}

CString CGridCtrl::VerifyRowPlaces() const
{
    CString strFault;
    for (int row = 0; row < m_RowData.GetSize(); row++)
    {
        const CGridRow* pRow = m_RowData.GetAt(row);
        if (!pRow)
            continue;
        if (pRow->Place().nRow != row)
        {
            strFault.Format(_T("row %d: its place says row %d"), row, pRow->Place().nRow);
            return strFault;
        }
        for (int col = 0; col < pRow->GetSize(); col++)
        {
            const CGridCellBase* pCell = pRow->GetAt(col);
            if (!pCell)
                continue;
            if (pCell->GetRowPlace() != &pRow->Place())
            {
                strFault.Format(_T("cell (%d, %d) is not placed in its row"), row, col);
                return strFault;
            }
            int nCellRow = -1, nCellCol = -1;
            pCell->GetRowCol(nCellRow, nCellCol);
            char buffer[16];
            if (col == 0 && pRow->Place().bNumbered && strcmp(pCell->GetText(), DecimalText(buffer, row)) != 0)
            {
                strFault.Format(_T("row %d: its heading follows the row's number but reads %s"), row, pCell->GetText());
                return strFault;
            }
            if (!pRow->Place().bLoose && (nCellRow != row || !pCell->CoordsFollowPlace()))
            {
                strFault.Format(_T("cell (%d, %d) of a row not marked loose reads row %d"), row, col, nCellRow);
                return strFault;
            }
        }
    }
    return strFault;
}

int CGridCtrl::InsertRow(LPCTSTR strHeading, int nRow)
{
    // A row index at or beyond the count adds nothing; appending takes a negative index.
    if (nRow >= GetRowCount())
        return -1;
#ifdef GRIDCTRL_PREDTASK
    // Not among the fixed rows.
    ASSERT(nRow < 0 || nRow >= m_nFixedRows);
    if (nRow >= 0 && nRow < m_nFixedRows)
        return -1;
#endif

    ResetSelectedRange();

    if (m_nCols < 1)
        SetColumnCount(1);
    // The kept table of the rows' tasks takes the new row.
    const BOOL bTasksKept = RowTasksKept();

    BOOL bAppend = nRow < 0;
    if (bAppend)
        nRow = m_nRows;
    CGridRow* pRow = new CGridRow;
    pRow->Place().nRow = nRow;
    m_arRowHeights.InsertAt(nRow, 0);
    if (bAppend)
        m_RowData.Add(pRow);
    else
        m_RowData.InsertAt(nRow, pRow);
    m_nRows++;

    pRow->SetSize(m_nCols);
    for (int col = 0; col < m_nCols; col++)
        pRow->SetAt(col, CreateRowCell(nRow, col));

    CGridCellBase* pHead = GetCell(nRow, 0);
    if (pHead)
        pHead->SetText(strHeading);
    if (bTasksKept)
        m_rowTasks.insert(m_rowTasks.begin() + nRow, pHead ? pHead->GetTask() : NULL);
    m_bRowTasksKept = bTasksKept;

#ifdef GRIDCTRL_PREDTASK
    // The heading's height, or for none the fixed rows' default height.
    int nHeight = GetDefaultCell(TRUE, FALSE)->GetHeight();
    if (strHeading && *strHeading && pHead)
        nHeight = pHead->GetTextExtent(strHeading).cy;
    m_arRowHeights.SetAt(nRow, nHeight);
#else
    m_arRowHeights.SetAt(nRow, 20);
#endif

    if (!m_bTaskGrid)
        ResetScrollBars();
    SetModified();

    // Every row from the inserted one on has moved down: its cells learn their new
    // position, and a task grid's row numbers follow.
    RenumberRowsFrom(nRow);

    // The rows from the inserted one on show new numbers: the whole window is painted again
    // (drawing their number cells one by one first would only draw the visible ones twice).
    if (GetSafeHwnd())
        Invalidate();
    return nRow;
}

int CGridCtrl::InsertColumn(LPCTSTR strHeading, UINT nFormat, int nColumn)
{
    if (nColumn >= GetColumnCount())
        return -1;

    ResetSelectedRange();

    if (m_nRows < 1)
        SetRowCount(1);

    BOOL bAppend = nColumn < 0;
    if (bAppend)
        nColumn = m_nCols;

    m_arColWidths.InsertAt(nColumn, 0);
    m_bRowTasksKept = FALSE;
    for (int row = 0; row < m_nRows; row++)
    {
        CGridRow* pRow = m_RowData[row];
        // A heading that moves right keeps the number it shows.
        if (pRow->Place().bNumbered)
            for (int col = 0; col < pRow->GetSize(); col++)
                if (CGridCellBase* pCell = pRow->GetAt(col))
                    pCell->FreezeText();
        if (bAppend)
            pRow->Add(NULL);
        else
            pRow->InsertAt(nColumn, (CGridCellBase*)NULL);
    }
    m_nCols++;

    for (int row = 0; row < m_nRows; row++)
    {
        CGridCellBase* pCell = CreateCell(row, nColumn);
        m_RowData[row]->SetAt(nColumn, pCell);
        if (pCell)
            pCell->SetFormat(nFormat);
    }

    CGridCellBase* pHead = GetCell(0, nColumn);
    if (pHead)
        pHead->SetText(strHeading);

    // Cells right of the new column have moved.
    for (int row = 0; row < m_nRows; row++)
        for (int col = nColumn; col < m_nCols; col++)
            if (CGridCellBase* pCell = GetCell(row, col))
            {
                pCell->SetRowCol(row, col);
                pCell->SetCoords(row, col);
            }

    int nWidth = 0;
    if (pHead)
        nWidth = pHead->GetTextExtent(strHeading).cx;
    m_arColWidths.SetAt(nColumn, nWidth);

    ResetScrollBars();
    SetModified();
    return nColumn;
}

BOOL CGridCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= GetRowCount())
        return FALSE;
    CGridRow* pRow = m_RowData[nRow];
    if (!pRow)
        return FALSE;

    ResetSelectedRange();
    // The kept table of the rows' tasks loses the row.
    const BOOL bTasksKept = RowTasksKept();

    for (int col = 0; col < GetColumnCount(); col++)
        DestroyCell(nRow, col);

    delete pRow;
    m_RowData.RemoveAt(nRow);
    if (bTasksKept)
        m_rowTasks.erase(m_rowTasks.begin() + nRow);
    m_bRowTasksKept = bTasksKept;
    m_arRowHeights.RemoveAt(nRow);
    m_nRows--;
    if (nRow < m_nFixedRows)
        m_nFixedRows--;

    if (m_bTaskGrid && m_pTreeColumn)
        m_pTreeColumn->SetEndRow(m_nRows);

    SetModified();

    RenumberRowsFrom(nRow);

    // The rows below show new numbers: the whole window is painted again.
    if (GetSafeHwnd())
        Invalidate();
    return TRUE;
}

BOOL CGridCtrl::DeleteAllItems()
{
    ResetSelectedRange();
    m_bRowTasksKept = FALSE;

    m_arColWidths.RemoveAll();
    m_arRowHeights.RemoveAll();

    for (int row = 0; row < m_nRows; row++)
    {
        CGridRow* pRow = m_RowData[row];
        if (!pRow)
            continue;
        for (int col = 0; col < m_nCols; col++)
            DestroyCell(row, col);
        m_RowData[row] = NULL;
        delete pRow;
    }
    m_RowData.RemoveAll();

    m_idCurrentCell = CGridCellId(-1, -1);
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;

    ResetScrollBars();
    SetModified();
    return TRUE;
}

// ---- Sorting ---------------------------------------------------------------------------

int CALLBACK CGridCtrl::pfnCellTextCompare(LPARAM lParam1, LPARAM lParam2, LPARAM /*lParamSort*/)
{
    CGridCellBase* pCell1 = (CGridCellBase*)lParam1;
    CGridCellBase* pCell2 = (CGridCellBase*)lParam2;
    if (!pCell1 || !pCell2)
        return 0;
    return _mbscmp((const unsigned char*)pCell1->GetText(), (const unsigned char*)pCell2->GetText());
}

int CALLBACK CGridCtrl::pfnCellNumericCompare(LPARAM lParam1, LPARAM lParam2, LPARAM /*lParamSort*/)
{
    CGridCellBase* pCell1 = (CGridCellBase*)lParam1;
    CGridCellBase* pCell2 = (CGridCellBase*)lParam2;
    if (!pCell1 || !pCell2)
        return 0;
    long n1 = atol(pCell1->GetText());
    long n2 = atol(pCell2->GetText());
    if (n1 < n2)
        return -1;
    if (n1 > n2)
        return 1;
    return 0;
}

BOOL CGridCtrl::SortTextItems(int nCol, BOOL bAscending)
{
    return SortItems(pfnCellTextCompare, nCol, bAscending, 0);
}

BOOL CGridCtrl::SortItems(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending, LPARAM data)
{
    m_nSortColumn = nCol;
    m_bAscending = bAscending;
    ResetSelectedRange();

    if (!pfnCompare || nCol < 0 || nCol >= GetColumnCount())
        return FALSE;

    int low = GetFixedRowCount();
    int high = GetRowCount() - 1;
    if (low < high)
        QuickSortRows(pfnCompare, nCol, bAscending, data, low, high);

    // The exchanged rows' cells learn their new rows.
    RenumberCells(GetFixedRowCount());
    return TRUE;
}

void CGridCtrl::SwapRows(int nRow1, int nRow2)
{
    if (nRow1 == nRow2)
        return;
    m_bRowTasksKept = FALSE;
    CGridRow* pRow = m_RowData[nRow1];
    m_RowData[nRow1] = m_RowData[nRow2];
    m_RowData[nRow2] = pRow;
    m_arRowHeights.Swap(nRow1, nRow2);
}

// Quicksort on the rows' cells in column nCol with the middle row as pivot; rows are
// exchanged whole (all cells and the height). The smaller part is sorted by recursion and
// the larger one in the loop, so the depth stays logarithmic whatever the data.
void CGridCtrl::QuickSortRows(PFNGRIDCOMPARE pfnCompare, int nCol, BOOL bAscending,
                              LPARAM data, int low, int high)
{
    while (low < high)
    {
        int lo = low;
        int hi = high;
        LPARAM pMidCell = (LPARAM)GetCell((low + high) / 2, nCol);

        while (lo <= hi)
        {
            if (bAscending)
            {
                while (lo < high && pfnCompare((LPARAM)GetCell(lo, nCol), pMidCell, data) < 0)
                    ++lo;
                while (hi > low && pfnCompare((LPARAM)GetCell(hi, nCol), pMidCell, data) > 0)
                    --hi;
            }
            else
            {
                while (lo < high && pfnCompare((LPARAM)GetCell(lo, nCol), pMidCell, data) > 0)
                    ++lo;
                while (hi > low && pfnCompare((LPARAM)GetCell(hi, nCol), pMidCell, data) < 0)
                    --hi;
            }

            if (lo <= hi)
            {
                // The pivot cell travels with its row; keep comparing against the same cell.
                SwapRows(lo, hi);
                ++lo;
                --hi;
            }
        }

        // Parts [low, hi] and [lo, high].
        if (hi - low < high - lo)
        {
            if (low < hi)
                QuickSortRows(pfnCompare, nCol, bAscending, data, low, hi);
            low = lo;
        }
        else
        {
            if (lo < high)
                QuickSortRows(pfnCompare, nCol, bAscending, data, lo, high);
            high = hi;
        }
    }
}
