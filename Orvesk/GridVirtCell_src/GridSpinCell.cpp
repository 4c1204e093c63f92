#include "GridSpinCell.h"

#include "GridCellNumber.h"
#include "GridCellSupport.h"

IMPLEMENT_DYNCREATE(CGridSpinCell, CGridBtnCell)

namespace {
// Row state of a row that was inserted and not yet named.
const int kUnnamedRowState = 4;
}  // namespace

CGridSpinCell::CGridSpinCell() {}

CGridSpinCell::~CGridSpinCell() {}

void CGridSpinCell::StepValue(int nButton)
{
    CString strText;
    strText.Format("%d个工作日", GridStepWorkDays(GetText(), nButton == 0 ? 1 : -1));
    SetText(strText);
}

BOOL CGridSpinCell::ReportTaskChanged()
{
    CGridCtrl* pGrid = GetGrid();
    const CGridCellBase* pRowCell = pGrid ? pGrid->GetCell(CellRow(), 0) : NULL;
    if (!pRowCell || pRowCell->GetRowState() == kUnnamedRowState)
        return FALSE;
    // A blank row has no task to report.
    if (CTaskItem* pTask = GridCellSupport::GetRowTask(pGrid, CellRow()))
        GridCellSupport::SendToParent(pGrid, WM_GRID_TASKCHANGED, reinterpret_cast<WPARAM>(pTask),
                                      MAKELONG(CellRow(), m_nCellCol));
    return TRUE;
}

void CGridSpinCell::OnClick(CPoint point)
{
    CGridCtrl* pGrid = GetGrid();
    const BOOL bNoTask = pGrid && pGrid->KeepsTasklessText(CellRow(), m_nCellCol);
    if (pGrid && IsEditable() && GetLastClicked() != -1 && !bNoTask) {
        StepValue(GetLastClicked());
        SetLastClicked(-1);
        pGrid->RedrawCell(CellRow(), m_nCellCol);
        if (ReportTaskChanged())
            EndEdit();
    }
    CGridBtnCell::OnClick(point);
    // The arrow is up again: nothing is pressed any more.
    SetLastClicked(-1);
}

BOOL CGridSpinCell::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !IsEditable())
        return TRUE;
    // Keys (the point is (-1, -1)) always open the text editor; only a press on an arrow
    // counts up or down.
    if (GetLastClicked() == -1 || HitTestButton(point) < 0) {
        SetLastClicked(-1);
        return CGridBtnCell::Edit(nRow, nCol, rect, point, nID, nChar);
    }
    StepValue(GetLastClicked());
    pGrid->RedrawCell(CellRow(), m_nCellCol);
    ClickButtonAt(WM_LBUTTONUP, point);
    ReportTaskChanged();
    SetLastClicked(-1);
    return TRUE;
}

void CGridSpinCell::EndEdit()
{
    if (CWnd* pEditor = GetEditWnd()) {
        SetEditWnd(NULL);
        GridCellSupport::EndEditor(pEditor);
    }
}

void CGridSpinCell::OnEndEdit()
{
    m_bEditing = 0;
    SetEditWnd(NULL);
    ReleaseArrowsAndPushButtons();
    CGridCellBase::EndEdit();
}
