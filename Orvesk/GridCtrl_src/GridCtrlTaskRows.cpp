// Grid window: task rows. A task row shows one task in seven columns with fixed cell
// classes: 0 the row number (and the row's task and change state), 1 the status icon,
// 2 the tree cell with the name, 3 the duration spin cell, 4 and 5 the date cells, 6 the
// predecessor rows. Built with the task-row cells (GridCells.cmake).
#include "GridCtrl.h"

#include "BtnDataBase.h"
#include "GridBmpCell.h"
#include "GridDateTimeCtrl.h"
#include "GridDlgCell.h"
#include "GridSpinCell.h"
#include "GridTreeCell.h"
#include "TreeColumn.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace
{
// Right-aligned on one line with an end ellipsis (columns 1, 4, 5, 6), and left-aligned
// (columns 2 and 3).
const UINT kRightFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
const UINT kLeftFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

CGridTreeCellBase* TreeCellOf(CGridCtrl* pGrid, int nRow)
{
    CGridCellBase* pCell = pGrid->GetCell(nRow, 2);
    if (!pCell || !pCell->IsKindOf(RUNTIME_CLASS(CGridTreeCellBase)))
        return NULL;
    return static_cast<CGridTreeCellBase*>(pCell);
}

void SetCellText(CGridCtrl* pGrid, int nRow, int nCol, LPCTSTR lpszText, UINT nFormat)
{
    CGridCellBase* pCell = pGrid->GetCell(nRow, nCol);
    if (!pCell)
        return;
    pCell->SetText(lpszText);
    pCell->SetFormat(nFormat);
    pCell->SetState(0);
}
} // namespace

CString CGridCtrl::FormatTaskDays(double dDays)
{
    // "%.1f" rounding (9.95 days, stored just below, is "9.9"), written without the
    // locale's decimal sign; a whole number loses its ".0".
    if (!std::isfinite(dDays))
        dDays = 0;
    dDays = std::clamp(dDays, -9.0e15, 9.0e15);
    char buffer[48];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof(buffer) - 1, dDays, std::chars_format::fixed, 1);
    std::string strNumber(buffer, result.ec == std::errc() ? result.ptr : buffer);
    if (strNumber.size() >= 2 && strNumber.compare(strNumber.size() - 2, 2, ".0") == 0)
        strNumber.erase(strNumber.size() - 2);
    if (strNumber == "-0" || strNumber.empty())
        strNumber = "0";
    CString strDays(strNumber.c_str());
    strDays += _T("个工作日");
    return strDays;
}

int CGridCtrl::InsertTaskRow(int nRow, CTaskItem* pTask, int nTreeValue, int nStatus, LPCTSTR lpszName,
                             int nLevel, double dDays, const COleDateTime& dtStart,
                             const COleDateTime& dtFinish, LPCTSTR lpszPred)
{
    const BOOL bAppend = nRow < 0 || nRow >= GetRowCount();
    if (nRow >= 0 && nRow < GetFixedRowCount())
        nRow = GetFixedRowCount();

    if (nLevel == -1)
    {
        // The level of the row now at the insertion point, or of the last row.
        int nFrom = bAppend ? GetRowCount() - 1 : nRow;
        CGridTreeCellBase* pFrom = nFrom >= GetFixedRowCount() ? TreeCellOf(this, nFrom) : NULL;
        nLevel = pFrom ? pFrom->GetLevel() : 1;
        if (nLevel < 1)
            nLevel = 1;
    }

    // The cells are made in their classes at once.
    static CRuntimeClass* const kKinds[] = {NULL, RUNTIME_CLASS(CGridBmpCell), RUNTIME_CLASS(CGridTreeCell),
                                            RUNTIME_CLASS(CGridSpinCell), RUNTIME_CLASS(CGridDlgCell),
                                            RUNTIME_CLASS(CGridDlgCell)};
    const BOOL bMadeInKind = GetColumnCount() > 5 && m_pRtcDefault == RUNTIME_CLASS(CGridCell);
    m_ppNewRowKinds = kKinds;
    m_nNewRowKinds = bMadeInKind ? 6 : 0;
    int nNewRow = InsertRow(_T(""), bAppend ? -1 : nRow);
    m_ppNewRowKinds = NULL;
    m_nNewRowKinds = 0;
    if (nNewRow < 0)
        return -1;
    if (m_pTreeColumn)
        m_pTreeColumn->SetEndRow(GetRowCount());
    // The heading numbers the row; rows below an insertion keep their numbers until the
    // views renumber them.
    if (CGridCellBase* pHead = GetCell(nNewRow, 0))
        ShowRowNumber(nNewRow, pHead);

    CTreeColumn* pTreeColumn = dynamic_cast<CTreeColumn*>(m_pTreeColumn);
    if (!bMadeInKind)
        for (int col = 1; col <= 5 && col < m_nCols; col++)
            SetCellType(nNewRow, col, kKinds[col]);

    for (int col = 1; col <= 5; col++)
    {
        if (col == 2)
            continue;
        CGridCellBase* pCell = GetCell(nNewRow, col);
        CGridBtnCellBase* pBtn = pCell ? dynamic_cast<CGridBtnCellBase*>(pCell) : NULL;
        if (pBtn)
            pBtn->SetBtnDataBase(m_pBtnDataBase);
    }
    if (CGridBtnCellBase* pSpin = dynamic_cast<CGridBtnCellBase*>(GetCell(nNewRow, 3)))
    {
        pSpin->SetupButton(0, DFC_SCROLL, DFCS_SCROLLUP, 2, 0, FALSE, NULL);
        pSpin->SetupButton(1, DFC_SCROLL, DFCS_SCROLLDOWN, 2, 0, FALSE, NULL);
    }
    for (int col = 4; col <= 5; col++)
        if (CGridBtnCellBase* pDate = dynamic_cast<CGridBtnCellBase*>(GetCell(nNewRow, col)))
            pDate->SetupButton(0, DFC_SCROLL, DFCS_SCROLLCOMBOBOX, 2, 0, FALSE, NULL);

    CGridTreeCellBase* pTree = TreeCellOf(this, nNewRow);
    if (pTree)
    {
        pTree->SetTreeColumn(pTreeColumn);
        pTree->SetFlagByte(0);
        pTree->SetLevel(nLevel > 126 ? 126 : nLevel);
        pTree->SetTopBit(TRUE);
        pTree->SetTreeValue(1);
    }

    if (lpszName && *lpszName)
    {
        SetTaskRow(nNewRow, pTask, nTreeValue, nStatus, lpszName, nLevel, dDays, dtStart, dtFinish, lpszPred);
        // A row written at insertion is viewable with tree value 1 and shows STATUS as text.
        if (pTree)
        {
            pTree->SetTopBit(TRUE);
            pTree->SetTreeValue(1);
        }
        CString strStatus;
        strStatus.Format(_T("%d"), nStatus);
        SetCellText(this, nNewRow, 1, strStatus, kRightFormat);
    }
    else if (CGridCellBase* pHead = GetCell(nNewRow, 0))
    {
        pHead->SetTask(NULL);
        pHead->SetRowState(GRIDROW_UNNAMED);
    }
    return nNewRow;
}

void CGridCtrl::SetTaskRow(int nRow, CTaskItem* pTask, int nTreeValue, int nStatus, LPCTSTR lpszName,
                           int nLevel, double dDays, const COleDateTime& dtStart,
                           const COleDateTime& dtFinish, LPCTSTR lpszPred)
{
    if (nRow < 0 || nRow >= GetRowCount())
        return;

    // The tree cell takes the level; its tree value (the cell's own click state, given by
    // the caller) ends at 0, and rows of levels 1 and 2 are viewable, deeper ones start
    // folded.
    if (CGridTreeCellBase* pTree = TreeCellOf(this, nRow))
    {
        if (nLevel >= 1)
            pTree->SetLevel(nLevel > 126 ? 126 : nLevel);
        pTree->SetTreeValue(nTreeValue);
    }
    SetTreeCellInfo(nRow, 0, nLevel == 1 || nLevel == 2);

    CGridCellBase* pHead = GetCell(nRow, 0);
    if (!lpszName || !*lpszName)
    {
        if (pHead)
        {
            pHead->SetTask(NULL);
            pHead->SetRowState(GRIDROW_UNNAMED);
        }
        return;
    }
    if (pHead)
    {
        pHead->SetTask(pTask);
        pHead->SetRowState(GRIDROW_UNCHANGED);
    }
    if (CGridCellBase* pStatus = GetCell(nRow, 1))
    {
        pStatus->SetRowState(nStatus);
        pStatus->SetText(_T(""));
        pStatus->SetFormat(kRightFormat);
        pStatus->SetState(0);
    }
    SetCellText(this, nRow, 2, lpszName, kLeftFormat);
    SetCellText(this, nRow, 3, FormatTaskDays(dDays), kLeftFormat);
    // The date format (string 56609) read once for both dates.
    CString strFormat;
    if (!AfxLoadString(IDS_GRID_DATE_FORMAT, strFormat) || strFormat.IsEmpty())
        strFormat = _T("%#Y年%#m月%#d日");
    SetCellText(this, nRow, 4, dtStart.Format(strFormat), kRightFormat);
    SetCellText(this, nRow, 5, dtFinish.Format(strFormat), kRightFormat);
    SetCellText(this, nRow, 6, lpszPred ? lpszPred : _T(""), kRightFormat);
}

void CGridCtrl::SetTreeCellInfo(int nRow, int nTreeValue, int bTopBit)
{
    CGridTreeCellBase* pTree = nRow >= 0 ? TreeCellOf(this, nRow) : NULL;
    if (!pTree)
        return;
    pTree->SetTreeValue(nTreeValue);
    pTree->SetTopBit(bTopBit != 0);
}
