// The task tree view: the columns whose texts of the system's own the set-up widths cannot
// hold (row numbers of three digits and more, dates of the task date format on a selected
// row, where the date buttons take their part) are widened to them, never narrowed.
#include "TaskTreeView.h"

#include "GridDateTimeCtrl.h"

namespace
{
// The dates of the format that read widest: two-digit months and days.
const int kWideDates[][3] = {{2000, 12, 28}, {2088, 12, 28}, {2999, 12, 29}};
} // namespace

int CTaskTreeView::TextRoom(int nRow, int nCol)
{
    // What the cell's drawing leaves for its text: the grid's line, the margins at both
    // sides, the raised edge of a fixed cell or the focus frame of another and, on a
    // selected row, the buttons.
    CGridCellBase* pCell = m_Grid.GetCell(nRow, nCol);
    CRect rc;
    if (!pCell || !m_Grid.GetCellRect(nRow, nCol, rc))
        return -1;
    const int nMargin = (int)pCell->GetMargin();
    CRect rcText = rc;
    if (!m_Grid.GetTextRect(nRow, nCol, rcText))
        rcText = rc;
    return rcText.Width() - 2 * nMargin - 2 - 1;
}

int CTaskTreeView::TextWidth(int nRow, int nCol, LPCTSTR lpszText)
{
    CGridCellBase* pCell = m_Grid.GetCell(nRow, nCol);
    if (!pCell)
        return 0;
    // The cell's extent holds its margins: the room above has them taken off.
    return pCell->GetTextExtent(lpszText).cx - 2 * (int)pCell->GetMargin();
}

void CTaskTreeView::WidenColumnFor(int nRow, int nCol, LPCTSTR lpszText)
{
    const int nRoom = TextRoom(nRow, nCol);
    const int nNeed = TextWidth(nRow, nCol, lpszText);
    if (nRoom >= 0 && nNeed > nRoom)
        m_Grid.SetColumnWidth(nCol, m_Grid.GetColumnWidth(nCol) + nNeed - nRoom);
}

void CTaskTreeView::FitColumnsToTexts()
{
    if (!m_Grid.GetSafeHwnd() || m_Grid.GetRowCount() < 2 || m_Grid.GetColumnCount() < 6)
        return;
    // Row numbers: the widest number of as many digits as the last row's.
    CString strLast;
    strLast.Format(_T("%d"), m_Grid.GetRowCount() - 1);
    const int nDigits = strLast.GetLength();
    if (nDigits == m_nFittedDigits && m_bDatesFitted)
        return;
    const int nWidthsBefore = m_Grid.GetColumnWidth(0) + m_Grid.GetColumnWidth(4) + m_Grid.GetColumnWidth(5);
    for (TCHAR ch = _T('0'); ch <= _T('9'); ch++)
        WidenColumnFor(1, 0, CString(ch, nDigits));
    WidenColumnFor(1, 0, strLast);
    m_nFittedDigits = nDigits;
    if (!m_bDatesFitted)
    {
        for (int nCol = 4; nCol <= 5; nCol++)
            for (const int* pDate : kWideDates)
                WidenColumnFor(1, nCol, CGridDateTimeCtrl::FormatDate(COleDateTime(pDate[0], pDate[1], pDate[2], 0, 0, 0)));
        m_bDatesFitted = TRUE;
    }
    if (m_Grid.GetColumnWidth(0) + m_Grid.GetColumnWidth(4) + m_Grid.GetColumnWidth(5) != nWidthsBefore)
        m_Grid.Invalidate();
}
