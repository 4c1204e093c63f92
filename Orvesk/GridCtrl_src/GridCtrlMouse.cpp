// Grid window: the left and right mouse buttons. A press chooses a mouse mode (select,
// resize a row or column, prepare a drag, level drag, row move); the release acts on it.
// The right button shows the task menu or tells the owner; clicks on fixed cells select
// rows and columns or sort by a header.
#include "GridCtrl.h"
#include "TitleTip.h"

#include <ClassLib/Controls/ControlStyles.h>
#include <ClassLib/Menus/CMenu.h>

namespace
{
// The selection is one row (any number of its cells).
BOOL IsSingleRow(const CGridCellRange& range)
{
    return range.GetMinRow() >= 0 && range.GetMinRow() == range.GetMaxRow()
           && range.GetMinCol() >= 0 && range.GetMinCol() <= range.GetMaxCol();
}
} // namespace

CTitleTip* CGridCtrl::GetTitleTip() const
{
    return static_cast<CTitleTip*>(m_pTitleTip);
}

void CGridCtrl::InvertResizeBand(BOOL bColumn, int nPos)
{
    if (!GetSafeHwnd())
        return;
    CRect rcClient;
    GetClientRect(rcClient);
    CRect band = bColumn ? CRect(nPos, rcClient.top, nPos + 2, rcClient.bottom)
                         : CRect(rcClient.left, nPos, rcClient.right, nPos + 2);
    CDC* pDC = GetDC();
    if (!pDC)
        return;
    pDC->InvertRect(band);
    ReleaseDC(pDC);
}

int CGridCtrl::GetResizeTargetRow(int nRow) const
{
    if (nRow < 0)
        return 0;
    // A tree hides rows of its collapsed branches; a press on the border below such a row
    // sizes the nearest viewable row above. Rows without a tree cell in column 2 (or grids
    // with fewer than three columns) are sized as pressed, and the walk stops at row 0.
    if (GetColumnCount() < 3)
        return nRow;
    int row = nRow;
    while (row > 0)
    {
        CGridTreeCellHooks* pTree = GetTreeCell(row, 2);
        if (!pTree || (pTree->GetFlagByte() & GRIDTREE_VIEWABLE_BIT))
            break;
        row--;
    }
    return row;
}

void CGridCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);

    if (IsValid(m_LeftClickDownCell))
    {
        CGridCellBase* pOld = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col);
        if (pOld)
            pOld->EndEdit();
    }
    SetFocus();

    if (GetSelectedCount() > 1 && m_MouseMode == GRIDMOUSE_LEVEL_DRAG)
        m_MouseMode = GRIDMOUSE_NOTHING;

    m_bLMouseButtonDown = TRUE;
    m_LeftClickDownPoint = point;
    m_LeftClickDownCell = GetCellFromPt(point);

    if (!(nFlags & MK_SHIFT) && !(nFlags & MK_CONTROL) && GetSelectedCount() > 1)
    {
        SetFocusCell(-1, -1);
        SetSelectedRange(-1, -1, -1, -1);
    }

    if (!IsValid(m_LeftClickDownCell))
        return;

    if (m_MouseMode == GRIDMOUSE_ROWMOVE_ARMED)
        m_SelectionStartCell = CGridCellId(-1, -1);
    else
        m_SelectionStartCell = (nFlags & MK_SHIFT) ? m_idCurrentCell : m_LeftClickDownCell;

    CGridCellBase* pCell = GetCell(m_LeftClickDownCell.row, m_LeftClickDownCell.col);
    if (pCell)
        pCell->OnClickDown(GetPointClicked(m_LeftClickDownCell.row, m_LeftClickDownCell.col, point));

    if (m_LeftClickDownCell != m_idCurrentCell)
    {
        if (IsCellSelected(m_LeftClickDownCell))
        {
            if (nFlags & MK_CONTROL)
            {
                int row = m_LeftClickDownCell.row, col = m_LeftClickDownCell.col;
                SetItemState(row, col, GetItemState(row, col) & ~GRIDSTATE_SELECTED);
                RedrawCell(row, col);
                return;
            }
            if (m_bAllowDragAndDrop)
                m_MouseMode = GRIDMOUSE_PREPARE_DRAG;
        }
        else if (m_MouseMode != GRIDMOUSE_OVER_COL_BORDER && m_MouseMode != GRIDMOUSE_OVER_ROW_BORDER)
        {
            SetFocusCell(-1, -1);
            if (GetRowCount() > GetFixedRowCount() && GetColumnCount() > GetFixedColumnCount())
                SetFocusCell(max(m_LeftClickDownCell.row, m_nFixedRows),
                             max(m_LeftClickDownCell.col, m_nFixedCols));
        }
    }
    else if (IsCellEditable(m_LeftClickDownCell) && m_MouseMode != GRIDMOUSE_LEVEL_DRAG
             && m_MouseMode != GRIDMOUSE_ROWMOVE_ARMED)
    {
        // A press on the focus cell starts a selection from it; editing starts from the
        // keyboard or a double click.
        m_MouseMode = GRIDMOUSE_PREPARE_EDIT;
        SetCapture();
        m_MouseMode = m_bListMode ? GRIDMOUSE_SELECT_ROW : GRIDMOUSE_SELECT_CELLS;
        OnSelecting(m_LeftClickDownCell);
        m_nTimerID = SetTimer(GRID_AUTOSCROLL_TIMER, m_nTimerInterval, 0);
        return;
    }

    SetCapture();

    if (m_MouseMode == GRIDMOUSE_NOTHING)
    {
        if (m_bAllowColumnResize && MouseOverColumnResizeArea(point))
        {
            m_MouseMode = GRIDMOUSE_OVER_COL_BORDER;
            ::SetCursor(::LoadCursor(NULL, IDC_SIZEWE));
        }
        else if (m_bAllowRowResize && MouseOverRowResizeArea(point))
        {
            m_MouseMode = GRIDMOUSE_OVER_ROW_BORDER;
            ::SetCursor(::LoadCursor(NULL, IDC_SIZENS));
        }
    }
    else if (m_MouseMode == GRIDMOUSE_LEVEL_DRAG)
        ::SetCursor(::LoadCursor(NULL, IDC_SIZEWE));

    CRect rcClient;
    GetClientRect(rcClient);

    if (m_MouseMode == GRIDMOUSE_OVER_COL_BORDER)
    {
        m_MouseMode = GRIDMOUSE_SIZING_COL;
        CPoint start;
        if (!GetCellOrigin(0, m_LeftClickDownCell.col, &start))
        {
            if (m_bHiddenColUnhide)
                return;
            // Without unhiding, a border next to hidden columns sizes the visible column
            // to their left.
            int col = m_LeftClickDownCell.col;
            while (col > 0 && (GetColumnWidth(col) == 0 || !GetCellOrigin(0, col, &start)))
                col--;
            if (!GetCellOrigin(0, col, &start))
                return;
            m_LeftClickDownCell.col = col;
        }
        InvertResizeBand(TRUE, point.x);
        m_nResizeBandPos = point.x;
        if (point.x - start.x <= m_nResizeCaptureRange)
        {
            // The press is on the left border: it sizes the previous column.
            if (m_LeftClickDownCell.col <= 0)
                return;
            m_LeftClickDownCell.col--;
            if (!m_bHiddenColUnhide)
                while (m_LeftClickDownCell.col > 0 && GetColumnWidth(m_LeftClickDownCell.col) == 0)
                    m_LeftClickDownCell.col--;
            if (!GetCellOrigin(0, m_LeftClickDownCell.col, &start))
                return;
        }
        CRect rcClip(start.x + 1, rcClient.top, rcClient.right, rcClient.bottom);
        ClientToScreen(rcClip);
        ::ClipCursor(rcClip);
    }
    else if (m_MouseMode == GRIDMOUSE_OVER_ROW_BORDER)
    {
        m_MouseMode = GRIDMOUSE_SIZING_ROW;
        CPoint start;
        if (!GetCellOrigin(m_LeftClickDownCell.row, 0, &start))
        {
            if (m_bHiddenRowUnhide)
                return;
            int row = m_LeftClickDownCell.row;
            while (row > 0 && (GetRowHeight(row) == 0 || !GetCellOrigin(row, 0, &start)))
                row--;
            if (!GetCellOrigin(row, 0, &start))
                return;
            m_LeftClickDownCell.row = row;
        }
        InvertResizeBand(FALSE, point.y);
        m_nResizeBandPos = point.y;
        if (point.y - start.y <= m_nResizeCaptureRange)
        {
            if (m_LeftClickDownCell.row <= 0)
                return;
            m_LeftClickDownCell.row--;
            if (!m_bHiddenRowUnhide)
                while (m_LeftClickDownCell.row > 0 && GetRowHeight(m_LeftClickDownCell.row) == 0)
                    m_LeftClickDownCell.row--;
            if (!GetCellOrigin(m_LeftClickDownCell.row, 0, &start))
                return;
        }
        CRect rcClip(rcClient.left, start.y + 1, rcClient.right, rcClient.bottom);
        ClientToScreen(rcClip);
        ::ClipCursor(rcClip);
    }
    else if (m_MouseMode != GRIDMOUSE_PREPARE_DRAG)
    {
        m_PrevSelectedCellMap.RemoveAll();
        if (nFlags & MK_CONTROL)
            for (const auto& entry : m_SelectedCellMap)
                m_PrevSelectedCellMap.SetAt(entry.second.row, entry.second.col);

        if (m_LeftClickDownCell.row < GetFixedRowCount())
            OnFixedRowClick(m_LeftClickDownCell);
        else if (m_LeftClickDownCell.col < GetFixedColumnCount())
            OnFixedColumnClick(m_LeftClickDownCell);
        else if (m_MouseMode != GRIDMOUSE_LEVEL_DRAG && m_MouseMode != GRIDMOUSE_ROWMOVE_ARMED)
        {
            m_MouseMode = m_bListMode ? GRIDMOUSE_SELECT_ROW : GRIDMOUSE_SELECT_CELLS;
            OnSelecting(m_LeftClickDownCell);
        }
        else if (m_MouseMode == GRIDMOUSE_LEVEL_DRAG && IsValid(m_idCurrentCell))
        {
            // A press that may start a level drag still makes the pressed cell the
            // selection, as it made it the focus cell: a later press on a cell selected
            // before is no drag of that old selection (which would leave no focus cell).
            SetSelectedRange(m_idCurrentCell.row, m_idCurrentCell.col, m_idCurrentCell.row, m_idCurrentCell.col);
        }
        m_nTimerID = SetTimer(GRID_AUTOSCROLL_TIMER, m_nTimerInterval, 0);
    }

    if (m_MouseMode == GRIDMOUSE_LEVEL_DRAG && IsValid(m_idCurrentCell)
        && !GetItemText(m_idCurrentCell.row, m_idCurrentCell.col).IsEmpty())
    {
        ::SetCursor(::LoadCursor(NULL, IDC_SIZEWE));
        InvertHalftoneRect(CRect(m_ptLevelDrag.x, rcClient.top, m_ptLevelDrag.x + 2, rcClient.bottom));
    }

    if (m_nRowMoveState == 1 && m_MouseMode == GRIDMOUSE_ROWMOVE_ARMED && m_bRowMovePending
        && IsSingleRow(GetSelectedCellRange()))
    {
        if (m_LeftClickDownCell.row != m_nRowMoveSource || m_LeftClickDownCell.col != 0)
        {
            m_nRowMoveState = 0;
            m_bRowMovePending = FALSE;
            m_nRowMoveSource = m_nRowMoveTarget = -1;
            m_MouseMode = GRIDMOUSE_NOTHING;
        }
        else
        {
            CGridCellRange range = GetSelectedCellRange();
            if (range.GetMinRow() == 0 && range.GetMaxRow() == 0)
            {
                m_bLMouseButtonDown = TRUE;
                m_nRowMoveSource = 0;
                m_nRowMoveState = 2;
            }
            OnFixedColumnClick(m_LeftClickDownCell);
        }
    }

    if (!rcClient.PtInRect(point) && GetCapture() == this)
        ::ReleaseCapture();
}

void CGridCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonUp(nFlags, point);

    ::ClipCursor(NULL);
    if (GetCapture() == this)
    {
        ::ReleaseCapture();
        if (m_nTimerID)
            KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }

    CGridCellId down = m_LeftClickDownCell;
    CGridCellBase* pDownCell = IsValid(down) ? GetCell(down.row, down.col) : NULL;

    switch (m_MouseMode)
    {
    case GRIDMOUSE_PREPARE_EDIT:
        if (IsValid(m_idCurrentCell) && IsCellEditable(m_idCurrentCell))
            OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col,
                       GetPointClicked(m_idCurrentCell.row, m_idCurrentCell.col, point), VK_LBUTTON);
        break;

    case GRIDMOUSE_PREPARE_DRAG:
        if (pDownCell)
        {
            pDownCell->OnClick(GetPointClicked(down.row, down.col, point));
            SendMessageToParent(down.row, down.col, GRIDN_CLICK);
        }
        ResetSelectedRange();
        break;

    case GRIDMOUSE_SIZING_COL:
    {
        InvertResizeBand(TRUE, m_nResizeBandPos);
        CPoint start;
        if (point != m_LeftClickDownPoint && IsValid(down) && GetCellOrigin(0, down.col, &start))
        {
            // The cursor clip keeps the border right of the column's origin; a release
            // left of it (input without the clip) hides the column rather than giving it
            // a negative width.
            SetColumnWidth(down.col, max(0, (int)(point.x - start.x)));
            ResetScrollBars();
            Invalidate();
        }
        break;
    }

    case GRIDMOUSE_SIZING_ROW:
    {
        InvertResizeBand(FALSE, m_nResizeBandPos);
        if (point != m_LeftClickDownPoint && IsValid(down))
        {
            int row = GetResizeTargetRow(down.row);
            CPoint start;
            if (GetCellOrigin(row, 0, &start))
            {
                SetRowHeight(row, max(0, (int)(point.y - start.y)));
                ResetScrollBars();
                Invalidate();
            }
        }
        break;
    }

    default:
        if (pDownCell)
        {
            pDownCell->OnClick(GetPointClicked(down.row, down.col, point));
            SendMessageToParent(down.row, down.col, GRIDN_CLICK);
        }
        break;
    }

    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    if (IsValid(down))
    {
        CWnd* pOwner = GetOwner();
        if (pOwner && pOwner->GetSafeHwnd())
            pOwner->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                                (LPARAM)GetSafeHwnd());
    }

    // Level drag: the row takes the level the drag reached.
    if (m_MouseMode == GRIDMOUSE_LEVEL_DRAG && m_bLMouseButtonDown)
    {
        CRect rcClient;
        GetClientRect(rcClient);
        InvertHalftoneRect(CRect(m_ptLevelDrag.x, rcClient.top, m_ptLevelDrag.x + 2, rcClient.bottom));

        CGridCellId focus = m_idCurrentCell;
        CGridTreeCellHooks* pTree = IsValid(focus) ? GetTreeCell(focus.row, focus.col) : NULL;
        if (pTree && !GetItemText(focus.row, focus.col).IsEmpty()
            && pTree->GetLevel() != m_LevelDragRequest.nLevel)
        {
            pTree->ChangeLevel(m_LevelDragRequest.nLevel);
            CGridTaskViewHooks* pView = GetTaskView();
            if (pView)
            {
                pView->HoldLayouts(TRUE);
                pView->RelinkRowsAbove(focus.row);
                pView->SyncGanttRows(0, 1);
            }
            CWnd* pParent = GetParent();
            if (pParent && pParent->GetSafeHwnd())
                pParent->SendMessage(WM_GRID_ROWLEVEL, (WPARAM)focus.row, 0);
            if (pView)
                pView->HoldLayouts(FALSE);
            RedrawCell(focus.row, focus.col);
        }
        else
            Invalidate();
    }

    // Row move: a release in column 0 of a single selected row arms it; a release over
    // another row after the task views picked it up moves it there.
    CGridCellRange selection = GetSelectedCellRange();
    CGridCellId up = GetCellFromPt(point);
    if (m_nRowMoveState == 0 && !m_bRowMovePending && IsSingleRow(selection)
        && selection.GetMinRow() != 0 && up.col == 0 && m_bAllowDragAndDrop)
    {
        m_MouseMode = GRIDMOUSE_ROWMOVE_ARMED;
        m_bRowMovePending = TRUE;
        m_nRowMoveSource = selection.GetMinRow();
        m_nRowMoveState = 1;
    }
    else if (m_nRowMoveSource != m_nRowMoveTarget && m_nRowMoveTarget >= 0
             && IsSingleRow(selection) && m_nRowMoveState == 2
             && (m_MouseMode == GRIDMOUSE_ROWMOVE_ARMED || m_MouseMode == GRIDMOUSE_SELECT_ROW)
             && m_bRowMovePending && m_bLMouseButtonDown)
    {
        int nSource = m_nRowMoveSource, nTarget = m_nRowMoveTarget;
        m_nRowMoveState = 0;
        m_bRowMovePending = FALSE;
        m_MouseMode = GRIDMOUSE_NOTHING;
        int nFirstRow = GetVisibleNonFixedCellRange().GetMinRow();
        MoveTaskRow(nSource, nTarget);
        CRect rcClient;
        GetClientRect(rcClient);
        int y = (nTarget - nFirstRow - CountHiddenRows(nTarget)) * 20 + 46;
        InvalidateRect(CRect(rcClient.left, y, rcClient.right, y + 2));
        m_nRowMoveSource = m_nRowMoveTarget = -1;
    }
    else if (m_nRowMoveState == 1 || m_MouseMode != GRIDMOUSE_ROWMOVE_ARMED)
    {
        m_nRowMoveState = 0;
        m_bRowMovePending = FALSE;
        m_nRowMoveSource = m_nRowMoveTarget = -1;
        if (m_MouseMode == GRIDMOUSE_ROWMOVE_ARMED)
            m_MouseMode = GRIDMOUSE_NOTHING;
    }

    if (m_MouseMode != GRIDMOUSE_ROWMOVE_ARMED)
        m_MouseMode = GRIDMOUSE_NOTHING;

    if (IsValid(up))
    {
        CGridTaskViewHooks* pView = GetTaskView();
        if (pView)
            pView->UpdateGanttViews(GetSelectedCount() == 1 ? GetRowTask(up.row) : NULL);
    }
    m_bLMouseButtonDown = FALSE;
}

void CGridCtrl::OnRButtonUp(UINT nFlags, CPoint point)
{
    if (m_pTaskTip)
        m_pTaskTip->Hide();
    CWnd::OnRButtonUp(nFlags, point);

    m_idRightClickCell = GetCellFromPt(point);
    EndEditing();

    if (!IsValid(m_idRightClickCell))
    {
        SendMessageToParent(-1, -1, GRIDN_RCLICK);
        return;
    }

    Invalidate();
    SetSelectedRange(m_idRightClickCell.row, m_idRightClickCell.col, m_idRightClickCell.row,
                     m_idRightClickCell.col);

    if (m_bTaskGrid && m_idRightClickCell.row >= 1)
    {
        // Row number: the row commands; any other cell: the cell commands.
        int nPopup = (m_idRightClickCell.col == 0) ? 0 : 1;
        CMenu menu;
        if (menu.LoadMenu(IDR_GRID_CONTEXTMENU))
        {
            CMenu* pPopup = menu.GetSubMenu(nPopup);
            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            if (pPopup)
                pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, ptCursor.x, ptCursor.y, this);
        }
        return;
    }

    SetFocusCell(max(m_idRightClickCell.row, m_nFixedRows), max(m_idRightClickCell.col, m_nFixedCols));
    CGridCellBase* pCell = GetCell(m_idRightClickCell.row, m_idRightClickCell.col);
    if (pCell)
        pCell->OnRClick(GetPointClicked(m_idRightClickCell.row, m_idRightClickCell.col, point));
    SendMessageToParent(m_idRightClickCell.row, m_idRightClickCell.col, GRIDN_RCLICK);
}

void CGridCtrl::OnFixedColumnClick(CGridCellId& cell)
{
    if (!IsValid(cell))
        return;
    if (cell.row < GetFixedRowCount())
    {
        m_MouseMode = GRIDMOUSE_SELECT_ALL;
        OnSelecting(cell);
        return;
    }
    if (m_MouseMode != GRIDMOUSE_ROWMOVE_ARMED)
        m_MouseMode = GRIDMOUSE_SELECT_ROW;
    OnSelecting(cell);
}

void CGridCtrl::OnFixedRowClick(CGridCellId& cell)
{
    if (!IsValid(cell))
        return;

    if (m_bTaskGrid && !m_bListMode)
    {
        m_MouseMode = (cell.col < GetFixedColumnCount()) ? GRIDMOUSE_SELECT_ALL : GRIDMOUSE_SELECT_COL;
        OnSelecting(cell);
        return;
    }

    if (!m_bSortOnClick)
        return;

    HCURSOR hOldCursor = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
    m_bSorting = TRUE;
    // A header whose data value is set holds numbers.
    PFNGRIDCOMPARE pfnCompare = GetItemData(cell.row, cell.col) ? pfnCellNumericCompare
                                                                 : pfnCellTextCompare;
    BOOL bAscending = (cell.col == m_nSortColumn) ? !m_bAscending : TRUE;
    SortItems(pfnCompare, cell.col, bAscending, 0);
    m_bSorting = FALSE;
    ::SetCursor(hOldCursor);
    Invalidate();
}

CImageList* CGridCtrl::CreateDragImage(CPoint* pHotSpot)
{
    if (!GetSafeHwnd())
        return NULL;
    CGridCellId cell = GetFocusCell();
    CGridCellBase* pCell = IsValid(cell) ? GetCell(cell.row, cell.col) : NULL;
    CRect rcCell;
    if (!pCell || !GetCellRect(cell, rcCell))
        return NULL;

    int cx = GetColumnWidth(cell.col);
    int cy = GetRowHeight(cell.row);
    if (cx <= 0 || cy <= 0)
        return NULL;
    if (pHotSpot)
        *pHotSpot = CPoint(cx, cy);

    CDC* pDC = GetDC();
    if (!pDC)
        return NULL;

    CImageList* pList = new CImageList;
    if (!pList->Create(cx, cy, ILC_MASK, 1, 1))
    {
        delete pList;
        ReleaseDC(pDC);
        return NULL;
    }

    CDC memDC;
    CBitmap bitmap;
    BOOL bMade = memDC.CreateCompatibleDC(pDC) && bitmap.CreateCompatibleBitmap(pDC, cx, cy);
    if (bMade)
    {
        CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
        pCell->Draw(&memDC, cell.row, cell.col, CRect(0, 0, cx, cy), TRUE);
        memDC.SelectObject(pOldBitmap);
        bMade = pList->Add(&bitmap, GetTextBkColor()) >= 0;
    }
    ReleaseDC(pDC);
    if (!bMade)
    {
        delete pList;
        return NULL;
    }
    return pList;
}
