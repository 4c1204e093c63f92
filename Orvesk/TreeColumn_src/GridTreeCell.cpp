#include "GridTreeCell.h"

#include "GridCellSupport.h"

IMPLEMENT_DYNCREATE(CGridTreeCell, CGridTreeCellBase)

namespace {
// The task grid's duration column: a named row whose duration is empty has no task yet.
const int kDurationColumn = 3;
}  // namespace

CGridTreeCell::CGridTreeCell() {}

CGridTreeCell::~CGridTreeCell() {}

void CGridTreeCell::SetText(LPCTSTR szText)
{
    m_strText = szText ? szText : "";
    s_nTextWrites++;
}

LPCTSTR CGridTreeCell::GetText() const { return m_strText; }

void CGridTreeCell::Reset()
{
    m_strText.Empty();
    s_nTextWrites++;
}

BOOL CGridTreeCell::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar)
{
    const DWORD nFormat = GetFormat();
    DWORD dwStyle = 0;  // left aligned
    if (nFormat & DT_RIGHT)
        dwStyle = ES_RIGHT;
    else if (nFormat & DT_CENTER)
        dwStyle = ES_CENTER;
    CGridCtrl* pGrid = GetGrid();
    // The arm only keeps a click (on the expand box, say) from opening the editor: an edit
    // started from the keyboard (no point) always opens it.
    const BOOL bFromKeys = point.x == -1 && point.y == -1;
    if ((!m_nTreeValue && !bFromKeys) || !pGrid || !m_pTreeColumn)
        return TRUE;
    CWnd* pEditor = GridCellSupport::CreateTextEditor(pGrid, rect, dwStyle, nID, nRow, nCol, m_strText, nChar);
    if (pEditor) {
        m_bEditing = 1;
        m_pTreeColumn->SetEditWnd(pEditor);
    }
    return TRUE;
}

void CGridTreeCell::EndEdit()
{
    // Forget the editor before ending it: its end comes back here through OnEndEdit.
    if (m_pTreeColumn) {
        if (CWnd* pEditor = m_pTreeColumn->GetEditWnd()) {
            m_pTreeColumn->SetEditWnd(NULL);
            GridCellSupport::EndEditor(pEditor);
        }
    }
    CGridCtrl* pGrid = GetGrid();
    if (m_bEditing && pGrid && !m_strText.IsEmpty() && pGrid->GetItemText(CellRow(), kDurationColumn).IsEmpty()) {
        m_bEditing = 0;
        if (CGridCellBase* pRowCell = pGrid->GetCell(CellRow(), 0))
            pRowCell->SetRowState(1);
        GridCellSupport::SendToParent(pGrid, WM_GRID_NEWTASKNAME, static_cast<WPARAM>(CellRow()), 0);
    }
    CGridCellBase::EndEdit();
}

void CGridTreeCell::OnEndEdit()
{
    EndEdit();
    m_bEditing = 0;
}
