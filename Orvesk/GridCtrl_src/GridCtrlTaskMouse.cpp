// Grid window: the mouse over a task grid (state tips of column 1, the level drag's steps,
// the double click that opens the task property sheet) and the generic mouse-move handling
// of every grid (border cursors, selecting by dragging, title tips, the start of a drag).
#include "GridCtrl.h"

#include <cstdlib>

namespace
{
// Horizontal mouse travel for one level step, and the feedback line's travel per step.
const int kLevelStepTravel = 12;
const int kLevelStepWidth = 14;
} // namespace

CString CGridCtrl::GetTaskStateTip(const CGridCellId& cell) const
{
    static const char* const kStates[] = {
        "%d:此任务尚未启动!", "%d:此任务已激活!",   "%d:此任务正在进行之中!",
        "%d:此任务已暂停!",   "%d:此任务已申请完成!", "%d:此任务已完成!",
    };
    CString str;
    if (cell.col != 1 || cell.row <= 0 || !IsValid(cell))
        return str;
    const CTaskItem* pTask = GetRowTask(cell.row);
    if (!pTask)
        return str;
    CGridTaskRowHooks* pHooks = GridGetTaskRowHooks();
    const int nStatus = pHooks ? pHooks->GetTaskStatus(pTask) : -1;
    if (nStatus < 0 || nStatus > 5)
        return str;
    str.Format(kStates[nStatus], cell.row);
    return str;
}

void CGridCtrl::UpdateTaskStateTip(CPoint point)
{
    if (!m_pTaskTip)
        return;
    const CGridCellId cell = GetCellFromPt(point);
    if (!IsValid(cell))
    {
        m_pTaskTip->Hide();
        m_strLastTaskTip.Empty();
        return;
    }
    const CString strTip = GetTaskStateTip(cell);
    if (strTip.IsEmpty())
    {
        m_pTaskTip->Hide();
        return;
    }
    if (strTip == m_strLastTaskTip)
        return;
    m_pTaskTip->Hide();
    const CRect rcAnchor(point.x, point.y, point.x + 10, point.y + 10);
    m_pTaskTip->Show(rcAnchor, strTip, 0, NULL, NULL, CLR_DEFAULT, CLR_DEFAULT);
    m_strLastTaskTip = strTip;
}

void CGridCtrl::StepLevelDrag(CPoint point)
{
    if (!IsValid(m_idCurrentCell) || GetItemText(m_idCurrentCell.row, m_idCurrentCell.col).IsEmpty())
        return;
    GridCellRequest& request = m_LevelDragRequest;
    const int nHighest = request.nRefLevel + 1;
    if (request.nLevel < 1 || request.nLevel > nHighest || request.nRow <= 1)
        return;
    if (std::abs(point.x - m_ptLevelStep.x) < kLevelStepTravel)
        return;

    int nShift = 0;
    if (point.x > m_ptLevelStep.x)
    {
        if (request.nLevel < nHighest && nHighest >= m_nLevelDragStart)
        {
            request.nLevel++;
            nShift = kLevelStepWidth;
        }
    }
    else if (request.nLevel > 1)
    {
        request.nLevel--;
        nShift = -kLevelStepWidth;
    }
    if (nShift == 0)
        return;

    m_ptLevelStep = point;
    CRect rcClient;
    GetClientRect(rcClient);
    InvertHalftoneRect(CRect(m_ptLevelDrag.x, rcClient.top, m_ptLevelDrag.x + 2, rcClient.bottom));
    m_ptLevelDrag.x += nShift;
    InvertHalftoneRect(CRect(m_ptLevelDrag.x, rcClient.top, m_ptLevelDrag.x + 2, rcClient.bottom));
}

void CGridCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);

    if (m_bTaskGrid)
    {
        if (GetSelectedCount() > 1 && m_MouseMode == GRIDMOUSE_LEVEL_DRAG)
            m_MouseMode = GRIDMOUSE_NOTHING;
        if (!m_bLMouseButtonDown && m_MouseMode == GRIDMOUSE_NOTHING)
            UpdateTaskStateTip(point);
    }

    if (!m_bLMouseButtonDown)
    {
        // Over a border the cursor offers resizing; over a cell a cut-off text gets its
        // title tip, and a tree cell may offer its level drag.
        if (m_MouseMode == GRIDMOUSE_NOTHING || m_MouseMode == GRIDMOUSE_OVER_COL_BORDER
            || m_MouseMode == GRIDMOUSE_OVER_ROW_BORDER)
        {
            if (m_bAllowColumnResize && MouseOverColumnResizeArea(point))
            {
                m_MouseMode = GRIDMOUSE_OVER_COL_BORDER;
                ::SetCursor(::LoadCursor(NULL, IDC_SIZEWE));
                return;
            }
            if (m_bAllowRowResize && MouseOverRowResizeArea(point))
            {
                m_MouseMode = GRIDMOUSE_OVER_ROW_BORDER;
                ::SetCursor(::LoadCursor(NULL, IDC_SIZENS));
                return;
            }
            if (m_MouseMode != GRIDMOUSE_NOTHING)
                ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
            m_MouseMode = GRIDMOUSE_NOTHING;
        }
        if (m_MouseMode != GRIDMOUSE_NOTHING && m_MouseMode != GRIDMOUSE_LEVEL_DRAG)
            return;
        const CGridCellId cell = GetCellFromPt(point);
        CGridCellBase* pCell = IsValid(cell) ? GetCell(cell.row, cell.col) : NULL;
        if (m_bTaskGrid && pCell && pCell->IsTreeCell())
            pCell->RequestMouseMode(point);
        else if (m_MouseMode == GRIDMOUSE_LEVEL_DRAG)
        {
            // Off the tree column: the level drag is no longer offered.
            m_MouseMode = GRIDMOUSE_NOTHING;
            if (GetCapture() == this)
                ::ReleaseCapture();
            ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
        }
        if (m_MouseMode == GRIDMOUSE_NOTHING && pCell && m_bTitleTips)
            ShowTitleTip(cell.row, cell.col);
        return;
    }

    switch (m_MouseMode)
    {
    case GRIDMOUSE_SELECT_ALL:
    case GRIDMOUSE_SELECT_COL:
    case GRIDMOUSE_SELECT_ROW:
    case GRIDMOUSE_SELECT_CELLS:
    {
        const CGridCellId cell = GetCellFromPt(point);
        if (IsValid(cell) && !(cell == m_idLastMouseCell))
        {
            m_idLastMouseCell = cell;
            OnSelecting(cell);
        }
        break;
    }
    case GRIDMOUSE_PREPARE_DRAG:
        if (std::abs(point.x - m_LeftClickDownPoint.x) > 4 || std::abs(point.y - m_LeftClickDownPoint.y) > 4)
            OnBeginDrag();
        break;
    case GRIDMOUSE_SIZING_COL:
    case GRIDMOUSE_SIZING_ROW:
    {
        // The feedback band follows the mouse: the old one is inverted away.
        const BOOL bColumn = m_MouseMode == GRIDMOUSE_SIZING_COL;
        const int nPos = bColumn ? point.x : point.y;
        if (nPos != m_nResizeBandPos)
        {
            InvertResizeBand(bColumn, m_nResizeBandPos);
            InvertResizeBand(bColumn, nPos);
            m_nResizeBandPos = nPos;
        }
        break;
    }
    case GRIDMOUSE_LEVEL_DRAG:
        StepLevelDrag(point);
        break;
    default:
        break;
    }
}

void CGridCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CWnd::OnKillFocus(pNewWnd);
    if (m_pTaskTip)
        m_pTaskTip->Hide();
    if (GetCapture() == this)
        ::ReleaseCapture();
}

#ifndef GRIDCTRL_PREDTASK
void CGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pTaskTip)
        m_pTaskTip->Hide();
    const CGridCellId cell = GetCellFromPt(point);
    if (!IsValid(cell) || cell.row <= 0)
        return;
    CGridCellBase* pCell = GetCell(cell.row, cell.col);
    const CPoint ptCell = GetPointClicked(cell.row, cell.col, point);

    if (m_bTaskGrid && cell.col == 2)
    {
        // The expand box folds or unfolds only.
        CGridTreeCellHooks* pTree = GetTreeCell(cell.row, cell.col);
        if (pTree && pTree->HitTestExpandBox(ptCell))
            return;
    }
    else if (pCell && pCell->HitTestButton(ptCell) >= 0)
    {
        // A button of a button cell is pressed, nothing more.
        return;
    }

    if (!m_bTaskGrid)
    {
        if (pCell)
            pCell->OnDblClick(ptCell);
        SendMessageToParent(cell.row, cell.col, GRIDN_DBLCLK);
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }

    if (CGridTaskViewHooks* pView = GetTaskView())
    {
        const int nResult = pView->RunTaskProperty(cell.row, TRUE);
        if (nResult != 0)
            m_nTaskPropertyResult = nResult;
    }
    SendMessageToParent(cell.row, cell.col, GRIDN_DBLCLK);
    CWnd::OnLButtonDblClk(nFlags, point);
}
#endif

void CGridCtrl::OnTaskProperty()
{
    if (!IsValid(m_idCurrentCell) || m_idCurrentCell.row <= 0)
        return;
    if (CGridTaskViewHooks* pView = GetTaskView())
    {
        const int nResult = pView->RunTaskProperty(m_idCurrentCell.row, FALSE);
        if (nResult != 0)
            m_nTaskPropertyResult = nResult;
    }
}

void CGridCtrl::OnInsertTasks()
{
    CGridTaskRowHooks* pHooks = GridGetTaskRowHooks();
    int nCount = 0;
    if (!pHooks || pHooks->AskRowCount(this, _T("行数"), _T("插入多个任务"), nCount) != IDOK || nCount <= 0)
        return;
    // At the right-clicked row; without one at the end. Never above the heading row.
    int nRow = GetRowCount();
    if (IsValid(m_idRightClickCell) && m_idRightClickCell.row >= m_nFixedRows)
        nRow = m_idRightClickCell.row;
    for (int i = 0; i < nCount; i++)
    {
        if (m_bTaskGrid)
            InsertTaskRow(nRow + i);
        else
            InsertRow(_T(""), nRow + i < GetRowCount() ? nRow + i : -1);
    }
    if (GetSafeHwnd())
        Invalidate();
}
