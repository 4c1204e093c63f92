// The predecessor build of the grid: default cells, virtual mode, the owner's veto of text
// changes, column cell types, styled column sizing, the initialise step, its own double
// click and the hook that completes a predecessor row.
#ifdef GRIDCTRL_PREDTASK

#include "GridCtrl.h"
#include "GridCellCombo.h"
#include "GridDefaultCell.h"
#include "TitleTip.h"

namespace
{
// One guard for every grid of the library against a re-entered initialise step.
BOOL g_bInitialising = FALSE;
} // namespace

// ---- Default cells ----------------------------------------------------------------------

void CGridCtrl::CreateDefaultCells()
{
    for (int i = 0; i < 4; i++)
    {
        m_pDefCells[i] = new CGridDefaultCell;
        m_pDefCells[i]->SetGrid(this);
    }
    SetDefaultCellColours();
}

void CGridCtrl::DeleteDefaultCells()
{
    delete m_pVirtualCell;
    m_pVirtualCell = NULL;
    for (int i = 0; i < 4; i++)
    {
        delete m_pDefCells[i];
        m_pDefCells[i] = NULL;
    }
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL bFixedRow, BOOL bFixedCol) const
{
    if (bFixedRow && bFixedCol)
        return m_pDefCells[3];
    if (bFixedRow)
        return m_pDefCells[1];
    if (bFixedCol)
        return m_pDefCells[2];
    return m_pDefCells[0];
}

void CGridCtrl::SetDefaultCellColours()
{
    COLORREF crText = ::GetSysColor(COLOR_WINDOWTEXT);
    for (int i = 0; i < 4; i++)
    {
        if (!m_pDefCells[i])
            continue;
        m_pDefCells[i]->SetTextClr(crText);
        m_pDefCells[i]->SetBackClr(::GetSysColor(i == 0 ? COLOR_WINDOW : COLOR_3DFACE));
    }
}

void CGridCtrl::SetDefaultCellFont(const LOGFONT* plf)
{
    for (int i = 0; i < 4; i++)
        if (m_pDefCells[i])
            m_pDefCells[i]->SetFont(plf);
}

// ---- Virtual mode -------------------------------------------------------------------------

void CGridCtrl::SetVirtualMode(BOOL bVirtual)
{
    DeleteAllItems();
    m_bVirtualMode = bVirtual;
    if (bVirtual)
    {
        SetEditable(FALSE);
        SetHeaderSort(FALSE);
        m_nAutoSizeStyle = 1;
    }
}

CGridCellBase* CGridCtrl::GetVirtualCell(int nRow, int nCol) const
{
    BOOL bFixedRow = nRow < m_nFixedRows, bFixedCol = nCol < m_nFixedCols;
    CGridDefaultCell* pDefault = GetDefaultCell(bFixedRow, bFixedCol);

    GridDispInfo dispinfo;
    GridItem& item = dispinfo.item;
    item.row = nRow;
    item.col = nCol;
    item.mask = 0xFFFFFFFF;
    item.nFormat = pDefault->GetFormat();
    item.crFgClr = pDefault->GetTextClr();
    item.crBkClr = pDefault->GetBackClr();
    item.iImage = pDefault->GetImage();
    item.nMargin = pDefault->GetMargin();
    memcpy(&item.lfFont, pDefault->GetFont(), sizeof(LOGFONT));
    item.lParam = (DWORD)pDefault->CGridCell::GetData();
    item.szText.Empty();
    item.state = 0;
    if (m_SelectedCellMap.Lookup(nRow, nCol))
        item.state = GRIDSTATE_SELECTED;
    if (bFixedRow)
        item.state |= 0x10 | 0x20;
    else if (bFixedCol)
        item.state |= 0x10 | 0x40;
    if (m_idCurrentCell.row == nRow && m_idCurrentCell.col == nCol)
        item.state |= GRIDSTATE_FOCUSED;
    if (bFixedRow && bFixedCol)
        item.state |= 0x40;

    if (m_pfnCallback)
        m_pfnCallback(&item, m_lParamCallback);
    else if (GetSafeHwnd())
    {
        dispinfo.hdr.hwndFrom = GetSafeHwnd();
        dispinfo.hdr.idFrom = GetDlgCtrlID();
        dispinfo.hdr.code = GRIDN_GETDISPINFO;
        CWnd* pOwner = GetOwner();
        if (pOwner && ::IsWindow(pOwner->GetSafeHwnd()))
            pOwner->SendMessage(WM_NOTIFY, dispinfo.hdr.idFrom, (LPARAM)&dispinfo);
    }

    if (!m_pVirtualCell)
        m_pVirtualCell = new CGridCell;
    CGridCell* pCell = static_cast<CGridCell*>(m_pVirtualCell);
    pCell->SetState(item.state);
    pCell->SetFormat(item.nFormat);
    pCell->SetTextClr(item.crFgClr);
    pCell->SetBackClr(item.crBkClr);
    pCell->SetImage(item.iImage);
    pCell->SetMargin(item.nMargin);
    pCell->SetFont(&item.lfFont);
    pCell->SetData(item.lParam);
    pCell->SetText(item.szText);
    pCell->SetGrid(const_cast<CGridCtrl*>(this));
    pCell->SetRowCol(nRow, nCol);
    return pCell;
}

void CGridCtrl::SendCacheHintToParent(const CGridCellRange& range)
{
    if (!GetSafeHwnd())
        return;
    struct
    {
        NMHDR hdr;
        CGridCellRange range;
    } hint;
    hint.hdr.hwndFrom = GetSafeHwnd();
    hint.hdr.idFrom = GetDlgCtrlID();
    hint.hdr.code = GRIDN_ODCACHEHINT;
    hint.range = range;
    CWnd* pOwner = GetOwner();
    if (pOwner && ::IsWindow(pOwner->GetSafeHwnd()))
        pOwner->SendMessage(WM_NOTIFY, hint.hdr.idFrom, (LPARAM)&hint);
}

// ---- Text changes, column types, sizing --------------------------------------------------

BOOL CGridCtrl::ValidateEdit(int /*nRow*/, int /*nCol*/, LPCTSTR /*str*/)
{
    return TRUE;
}

void CGridCtrl::ClearCells(CGridCellRange range)
{
    for (int row = range.GetMinRow(); row <= range.GetMaxRow(); row++)
    {
        if (row < 0 || row >= m_nRows || GetRowHeight(row) == 0)
            continue;
        for (int col = range.GetMinCol(); col <= range.GetMaxCol(); col++)
            if (col >= 0 && col < m_nCols && GetColumnWidth(col) != 0)
                SetItemText(row, col, _T(""));
    }
    Refresh();
}

BOOL CGridCtrl::SetColumnCellType(int nCol, int nFirstRow, int nLastRow,
                                  const CStringArray& options, CRuntimeClass* pRuntimeClass)
{
    ASSERT(!m_bVirtualMode);
    if (m_bVirtualMode || nLastRow < nFirstRow || !pRuntimeClass
        || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
        return FALSE;
    if (nCol < 0 || nCol >= m_nCols || nFirstRow < 0 || nLastRow >= m_nRows)
        return FALSE;

    for (int row = nFirstRow; row <= nLastRow; row++)
    {
        CGridCellBase* pOld = GetCell(row, nCol);
        CGridCellBase* pNew = (CGridCellBase*)pRuntimeClass->CreateObject();
        if (!pNew)
            return FALSE;
        if (pOld)
            *pNew = *pOld;
        pNew->SetGrid(this);
        // Placed without its own coordinates: the row's next renumbering gives them.
        pNew->PlaceInRow(&m_RowData[row]->Place());
        pNew->SetRowCol(row, nCol);
        m_RowData[row]->Place().bLoose = true;
        if (pNew->IsKindOf(RUNTIME_CLASS(CGridCellCombo)))
        {
            static_cast<CGridCellCombo*>(pNew)->SetOptions(options);
            static_cast<CGridCellCombo*>(pNew)->SetStyle(CBS_DROPDOWNLIST);
        }
        if (nCol == 0)
            m_bRowTasksKept = FALSE;
        m_RowData[row]->SetAt(nCol, pNew);
        // The replaced cell is no longer referenced by the grid.
        if (pOld)
            pOld->LeaveRow();
        delete pOld;
    }
    return TRUE;
}

BOOL CGridCtrl::AutoSizeColumn(int nCol, int nStyle, BOOL bResetScroll)
{
    ASSERT(nCol >= 0 && nCol < m_nCols);
    if (nCol < 0 || nCol >= m_nCols || GetColumnWidth(nCol) <= 0)
        return FALSE;
    ASSERT(nStyle <= 3);
    if (nStyle > 3)
        return FALSE;
    if (nStyle == 0)
        nStyle = m_nAutoSizeStyle;

    CDC* pDC = GetSafeHwnd() ? GetDC() : NULL;
    if (!pDC)
        return FALSE;

    int nStartRow = (nStyle & 1) ? 0 : m_nFixedRows;
    int nEndRow = (nStyle & 2) ? m_nRows - 1 : m_nFixedRows - 1;
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellRange(nStartRow, nCol, nEndRow, nCol));

    int nWidth = 0;
    for (int row = nStartRow; row <= nEndRow; row++)
    {
        CGridCellBase* pCell = GetCell(row, nCol);
        if (pCell)
            nWidth = max(nWidth, (int)pCell->GetCellExtent(pDC).cx);
    }
    if (m_bVirtualMode)
        SendCacheHintToParent(CGridCellRange(-1, -1, -1, -1));
    m_arColWidths.SetAt(nCol, nWidth);
    ReleaseDC(pDC);
    if (bResetScroll)
        ResetScrollBars();
    return TRUE;
}

// ---- Initialise, double click, predecessor rows ------------------------------------------

BOOL CGridCtrl::InitialiseGrid()
{
    if (g_bInitialising)
        return FALSE;
    g_bInitialising = TRUE;
    CTitleTip* pTip = GetTitleTip();
    if (pTip)
        pTip->SetParentWnd(this);
    if (GetSafeHwnd())
        ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    g_bInitialising = FALSE;
    return TRUE;
}

void CGridCtrl::CompletePredecessorRow(int nRow)
{
    if (nRow < m_nFixedRows || nRow >= m_nRows || m_nCols < 5)
        return;
    CGridCellBase* pCell;
    if ((pCell = GetCell(nRow, 2)) != NULL)
        pCell->SetText(_T("FS(完成--开始)"));
    if ((pCell = GetCell(nRow, 3)) != NULL)
        pCell->SetText(_T("0"));
    if ((pCell = GetCell(nRow, 4)) != NULL)
        pCell->SetText(_T("0"));
    RedrawRow(nRow);
}

void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    TRACE(_T("CGridCtrl::OnLButtonDblClk\n"));
    CGridCellId cell = GetCellFromPt(point);
    if (!IsValid(cell))
        return;

    if (m_MouseMode == GRIDMOUSE_OVER_COL_BORDER)
    {
        CPoint start;
        if (!GetCellOrigin(0, cell.col, &start))
            return;
        int nCol = cell.col;
        if (point.x - start.x <= m_nResizeCaptureRange)
            nCol--;
        while (nCol >= 0 && GetColumnWidth(nCol) <= 0)
            nCol--;
        if (nCol < 0)
            return;
        AutoSizeColumn(nCol, m_nAutoSizeStyle, TRUE);
        Invalidate();
    }
    else if (m_MouseMode == GRIDMOUSE_OVER_ROW_BORDER)
    {
        CPoint start;
        if (!GetCellOrigin(cell.row, 0, &start))
            return;
        int nRow = cell.row;
        if (point.y - start.y <= m_nResizeCaptureRange)
            nRow--;
        while (nRow >= 0 && GetRowHeight(nRow) <= 0)
            nRow--;
        if (nRow < 0)
            return;
        AutoSizeRow(nRow);
        ResetScrollBars();
        Invalidate();
    }
    else if (m_MouseMode == GRIDMOUSE_NOTHING)
    {
        CPoint pointClickedRel = point;
        CPoint origin;
        if (GetCellOrigin(cell, &origin))
            pointClickedRel -= origin;
        if (!IsCellFixed(cell.row, cell.col) && IsValid(m_idCurrentCell))
            OnEditCell(cell.row, cell.col, pointClickedRel, VK_LBUTTON);
        CGridCellBase* pCell = GetCell(cell.row, cell.col);
        if (pCell)
            pCell->OnDblClick(pointClickedRel);
        SendMessageToParent(cell.row, cell.col, GRIDN_DBLCLK);
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

// ---- Printing of the heading band ---------------------------------------------------------

void CGridCtrl::PrintRowCells(int nFirstCol, int nEndCol, int nRow, CRect& rect, CDC* pDC, BOOL& bFirstLine)
{
    for (int col = nFirstCol; col < nEndCol && col < m_nCols; col++)
    {
        int nWidth = GetColumnWidth(col);
        if (nWidth <= 0)
            continue;
        rect.left = rect.right + 1;
        rect.right = rect.left + nWidth - 1;
        if (rect.right > m_nPageWidth)
            break;
        if (CGridCellBase* pCell = GetCell(nRow, col))
            pCell->PrintCell(pDC, nRow, col, rect);
        if (m_nGridLines == GRIDLINES_HORZ || m_nGridLines == GRIDLINES_BOTH)
        {
            pDC->MoveTo(col == 0 ? rect.left : rect.left - 1, rect.bottom);
            pDC->LineTo(rect.right, rect.bottom);
            if (nRow == 0)
            {
                pDC->MoveTo(col == 0 ? rect.left : rect.left - 1, rect.top);
                pDC->LineTo(rect.right, rect.top);
            }
        }
        if (m_nGridLines == GRIDLINES_VERT || m_nGridLines == GRIDLINES_BOTH)
        {
            int nTop = nRow == 0 ? rect.top : rect.top - 1;
            pDC->MoveTo(rect.right, nTop);
            pDC->LineTo(rect.right, rect.bottom);
            if (bFirstLine)
            {
                pDC->MoveTo(rect.left - 1, nTop);
                pDC->LineTo(rect.left - 1, rect.bottom);
                bFirstLine = FALSE;
            }
        }
    }
}

void CGridCtrl::PrintColumnHeadings(CDC* pDC, CPrintInfo* /*pInfo*/)
{
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);
    CPen blackPen(PS_SOLID, 0, RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&blackPen);

    CRect rect;
    rect.bottom = -1;
    BOOL bFirstLine = TRUE;
    for (int row = 0; row < m_nFixedRows; row++)
    {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        if (m_nCurrPrintCol >= m_nFixedCols)
        {
            BOOL bSaved = bFirstLine;
            PrintRowCells(0, m_nFixedCols, row, rect, pDC, bFirstLine);
            bFirstLine = bSaved;
        }
        PrintRowCells(m_nCurrPrintCol, m_nCols, row, rect, pDC, bFirstLine);
    }

    pDC->SelectObject(pOldPen);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

#endif
