// Grid window: the keyboard, the end of an in-place edit, and the auto-scroll timer and
// capture loss of a selection drag.
#include "GridCtrl.h"

namespace
{
BOOL IsShiftPressed()
{
    return (::GetKeyState(VK_SHIFT) & 0x8000) ? TRUE : FALSE;
}

BOOL IsCtrlPressed()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) ? TRUE : FALSE;
}

// The keys of a keyboard's punctuation (";", "=", ",", "-", ".", "/", "`", "[", "\\",
// "]", "'" and the extra key of some layouts): each types a character.
BOOL IsPunctuationKey(UINT nChar)
{
    return (nChar >= VK_OEM_1 && nChar <= VK_OEM_3) || (nChar >= VK_OEM_4 && nChar <= 0xDF)
           || nChar == VK_OEM_102;
}

// From nFrom, the next row (or column) of some size in the direction nStep (-1 or +1),
// short of nBound (going back: the first index below reach; going on: the first past it);
// -1 when there is none.
template <class SizeOf>
int NextShown(int nFrom, int nStep, int nBound, SizeOf sizeOf)
{
    auto inReach = [&](int i) { return nStep < 0 ? i >= nBound : i < nBound; };
    int i = nFrom + nStep;
    while (inReach(i) && sizeOf(i) <= 0)
        i += nStep;
    return inReach(i) ? i : -1;
}
} // namespace

UINT CGridCtrl::OnGetDlgCode()
{
    UINT nCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && !IsCtrlPressed())
        nCode |= DLGC_WANTTAB;
    return nCode;
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsCtrlPressed() && m_MouseMode == GRIDMOUSE_NOTHING && nChar != VK_ESCAPE
        && !(m_bHandleTabKey && nChar == VK_TAB))
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar);

    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

void CGridCtrl::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CWnd::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsValid(m_idCurrentCell))
    {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    // F12 and the other keys above it that type nothing put the focus cell into edit as
    // Enter does. A punctuation key types its character: that character opens the edit
    // (OnChar) and becomes the editor's text, as a letter does.
    if (nChar > 0x7A && !IsPunctuationKey(nChar))
        OnChar(VK_RETURN, 1, 0);

    CGridCellId next = m_idCurrentCell;
    BOOL bChangeLine = FALSE;

    if (IsCtrlPressed())
    {
        switch (nChar)
        {
        case VK_INSERT:
        case 'C':
            OnEditCopy();
            break;
        case 'A':
            OnEditSelectAll();
            break;
        case 'V':
            OnEditPaste();
            break;
        case 'X':
            OnEditCut();
            break;
        default:
            break;
        }
    }
    if (IsShiftPressed() && nChar == VK_INSERT)
        OnEditPaste();

    switch (nChar)
    {
    case VK_TAB:
        if (IsShiftPressed())
        {
            if (next.col > m_nFixedCols)
                next.col--;
            else if (next.col == m_nFixedCols && next.row > m_nFixedRows)
            {
                next.row--;
                next.col = GetColumnCount() - 1;
                bChangeLine = TRUE;
            }
            else
            {
                CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
                return;
            }
        }
        else
        {
            if (next.col < GetColumnCount() - 1)
                next.col++;
            else if (next.col == GetColumnCount() - 1 && next.row < GetRowCount() - 1)
            {
                next.row++;
                next.col = m_nFixedCols;
                bChangeLine = TRUE;
            }
            else
            {
                CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
                return;
            }
        }
        break;

    case VK_PRIOR:
    {
        CGridCellId idOldTopLeft = GetTopleftNonFixedCell();
        SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
        CGridCellId idNewTopLeft = GetTopleftNonFixedCell();
        int increment = idNewTopLeft.row - idOldTopLeft.row;
        if (increment)
        {
            next.row += increment;
            if (next.row < m_nFixedRows)
                next.row = m_nFixedRows;
        }
        else
            next.row = m_nFixedRows;
        break;
    }

    case VK_NEXT:
    {
        CGridCellId idOldTopLeft = GetTopleftNonFixedCell();
        SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        CGridCellId idNewTopLeft = GetTopleftNonFixedCell();
        int increment = idNewTopLeft.row - idOldTopLeft.row;
        if (increment)
        {
            next.row += increment;
            if (next.row > GetRowCount() - 1)
                next.row = GetRowCount() - 1;
        }
        else
            next.row = GetRowCount() - 1;
        break;
    }

    case VK_END:
        if (IsCtrlPressed())
        {
            SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
            SendMessage(WM_HSCROLL, SB_RIGHT, 0);
            next.row = GetRowCount() - 1;
        }
        else
            SendMessage(WM_HSCROLL, SB_RIGHT, 0);
        next.col = GetColumnCount() - 1;
        while (next.col > m_nFixedCols + 1 && GetColumnWidth(next.col) == 0)
            next.col--;
        while (next.row > m_nFixedRows + 1 && GetRowHeight(next.row) == 0)
            next.row--;
        break;

    case VK_HOME:
        if (IsCtrlPressed())
        {
            SendMessage(WM_VSCROLL, SB_TOP, 0);
            SendMessage(WM_HSCROLL, SB_LEFT, 0);
            next.row = m_nFixedRows;
        }
        else
            SendMessage(WM_HSCROLL, SB_LEFT, 0);
        next.col = m_nFixedCols;
        while (next.col < GetColumnCount() - 1 && GetColumnWidth(next.col) == 0)
            next.col++;
        while (next.row < GetRowCount() - 1 && GetRowHeight(next.row) == 0)
            next.row++;
        break;

    case VK_LEFT:
    case VK_RIGHT:
    {
        // The next column of some width that way, not into the fixed ones.
        const int nStep = nChar == VK_LEFT ? -1 : 1;
        int iColumn = NextShown(next.col, nStep, nStep < 0 ? m_nFixedCols : GetColumnCount(),
                                [this](int col) { return GetColumnWidth(col); });
        if (iColumn >= 0)
            next.col = iColumn;
        break;
    }

    case VK_UP:
    case VK_DOWN:
    {
        const int nStep = nChar == VK_UP ? -1 : 1;
        int iRow = NextShown(next.row, nStep, nStep < 0 ? m_nFixedRows : GetRowCount(),
                             [this](int row) { return GetRowHeight(row); });
        if (iRow >= 0)
            next.row = iRow;
        break;
    }

    // The keys act at the focus row, whatever row was right-clicked before.
    case VK_INSERT:
        if (!IsShiftPressed() && !IsCtrlPressed())
        {
            ForgetRightClick();
            OnNewTask();
        }
        break;

    case VK_DELETE:
        if (!IsShiftPressed() && !IsCtrlPressed())
        {
            ForgetRightClick();
            OnDeleteTask();
        }
        break;

    case VK_F2:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), VK_LBUTTON);
        break;

    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    // A row inserted or deleted by the key may have left the old position outside the grid.
    if (next != m_idCurrentCell && IsValid(next))
    {
        if (m_MouseMode == GRIDMOUSE_NOTHING)
        {
            m_PrevSelectedCellMap.RemoveAll();
            m_MouseMode = m_bListMode ? GRIDMOUSE_SELECT_ROW : GRIDMOUSE_SELECT_CELLS;
            if (!IsShiftPressed() || nChar == VK_TAB)
                m_SelectionStartCell = next;
            SetSelectedRange(next.row, next.col, next.row, next.col);
            if (GetSafeHwnd())
                Invalidate();
            m_MouseMode = GRIDMOUSE_NOTHING;
        }

        SetFocusCell(next);

        if (!IsCellVisible(next))
        {
            EnsureVisible(next);

            switch (nChar)
            {
            case VK_TAB:
                if (IsShiftPressed())
                {
                    if (bChangeLine)
                    {
                        SendMessage(WM_VSCROLL, SB_LINEUP, 0);
                        SetScrollPos32(SB_HORZ, m_nHScrollMax);
                    }
                    else
                        SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
                }
                else
                {
                    if (bChangeLine)
                    {
                        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                        SetScrollPos32(SB_HORZ, 0);
                    }
                    else
                        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
                }
                break;
            case VK_RIGHT:
                SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
                break;
            case VK_LEFT:
                SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
                break;
            case VK_DOWN:
                SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                break;
            case VK_UP:
                SendMessage(WM_VSCROLL, SB_LINEUP, 0);
                break;
            default:
                break;
            }
            if (GetSafeHwnd())
                Invalidate();
        }
    }

    if (!IsShiftPressed() && !IsCtrlPressed() && (nChar == VK_UP || nChar == VK_DOWN))
    {
        CGridTaskViewHooks* pView = GetTaskView();
        if (pView)
        {
            int nFirstRow = GetVisibleNonFixedCellRange().GetMinRow();
            if (nFirstRow >= 2 || (nFirstRow == 1 && nChar == VK_UP))
                pView->SyncGanttRows(nFirstRow - 1, 1);
        }
    }
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult)
        *pResult = 0;
    if (!pNMHDR || !::IsWindow(GetSafeHwnd()))
        return;

    GridDispInfo* pgvDispInfo = (GridDispInfo*)pNMHDR;
    GridItem* pgvItem = &pgvDispInfo->item;

    OnEndEditCell(pgvItem->row, pgvItem->col, pgvItem->szText);
    SendMessageToParent(pgvItem->row, pgvItem->col, GRIDN_ENDLABELEDIT);

    UINT nKey = (UINT)pgvItem->lParam;
    switch (nKey)
    {
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        OnKeyDown(nKey, 0, 0);
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nKey);
        break;
    default:
        break;
    }
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    ASSERT(nIDEvent == GRID_AUTOSCROLL_TIMER);
    if (nIDEvent != GRID_AUTOSCROLL_TIMER)
        return;

    CPoint origPt;
    if (!::GetCursorPos(&origPt))
        return;
    ScreenToClient(&origPt);

    CRect rect;
    GetClientRect(rect);
    int nFixedRowHeight = GetFixedRowHeight();
    int nFixedColWidth = GetFixedColumnWidth();

    // Past an edge the focus steps that way, and the selection reaches the cell just inside
    // the edge, level with the cursor as far as the client area goes.
    auto stepTo = [&](UINT nKey, int nX, int nY) {
        SendMessage(WM_KEYDOWN, nKey, 0);
        OnSelecting(GetCellFromPt(CPoint(nX, nY)));
    };
    const int x = min(max(origPt.x, (int)rect.left), (int)rect.right);
    const int y = min(max(origPt.y, (int)rect.top), (int)rect.bottom);
    if (origPt.y > rect.bottom)
        stepTo(VK_DOWN, x, rect.bottom);
    else if (origPt.y < nFixedRowHeight)
        stepTo(VK_UP, x, nFixedRowHeight + 1);

    if (origPt.x > rect.right)
        stepTo(VK_RIGHT, rect.right, y);
    else if (origPt.x < nFixedColWidth)
        stepTo(VK_LEFT, nFixedColWidth + 1, y);
}

void CGridCtrl::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd && pWnd->GetSafeHwnd() == GetSafeHwnd())
        return;

    if (m_nTimerID != 0)
    {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    if (m_MouseMode == GRIDMOUSE_DRAGGING)
        m_MouseMode = GRIDMOUSE_NOTHING;
}
