// The text cell.
#include "GridCell.h"
#include "DecimalText.h"
#include "GridCtrl.h"
#include "GridEditHooks.h"

IMPLEMENT_DYNCREATE(CGridCell, CGridCellBase)

namespace
{
// The font of a cell made without a grid: the system's message font, read once.
const LOGFONT& DefaultCellFont()
{
    static LOGFONT lf;
    static bool bRead = false;
    if (!bRead)
    {
        NONCLIENTMETRICS ncm;
        memset(&ncm, 0, sizeof(ncm));
        ncm.cbSize = sizeof(NONCLIENTMETRICS);
        ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(NONCLIENTMETRICS), &ncm, 0);
        memcpy(&lf, &ncm.lfMessageFont, sizeof(LOGFONT));
        bRead = true;
    }
    return lf;
}
} // namespace

CGridCell::CGridCell()
{
    memcpy(&m_lfFont, &DefaultCellFont(), sizeof(LOGFONT));
    Reset();
}

CGridCell::~CGridCell()
{
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
#ifdef GRIDCTRL_PREDTASK
    m_nFormat = (UINT)-1;
    m_nMargin = (UINT)-1;
    m_bHasFont = FALSE;
#else
    m_nFormat = GRIDCELL_DEFAULT_FORMAT;
    m_nMargin = 3;
#endif
    StopTextFollowing();
    m_strText.Empty();
    s_nTextWrites++;
    m_nNumberShown = -1;
    m_nImage = -1;
    m_crCellBkClr = CLR_DEFAULT;
    m_crCellFgClr = CLR_DEFAULT;
    m_lParam = 0;
    m_bEditing = FALSE;
    m_pGrid = NULL;
    m_pEditWnd = NULL;
}

void CGridCell::FollowRowNumber()
{
    if (!GetRowPlace())
    {
        int nRow = -1, nCol = -1;
        GetRowCol(nRow, nCol);
        char buffer[16];
        SetText(DecimalText(buffer, nRow));
        return;
    }
    FollowRowText();
    WriteRowNumber();
}

void CGridCell::WriteRowNumber() const
{
    char buffer[16];
    const int nRow = GetRowPlace()->nRow;
    const_cast<CString&>(m_strText) = DecimalText(buffer, nRow);
    m_nNumberShown = nRow;
    s_nTextWrites++;
}

void CGridCell::SetFont(const LOGFONT* plf)
{
    if (plf)
    {
        memcpy(&m_lfFont, plf, sizeof(LOGFONT));
#ifdef GRIDCTRL_PREDTASK
        m_bHasFont = TRUE;
#endif
    }
}

BOOL CGridCell::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    CGridCtrl* pGrid = GetGrid();
    if (pGrid && pDC && rect.Width() > 0 && rect.Height() > 0)
    {
        UINT nState = GetState();
        BOOL bOnlySelected = (nState & GRIDSTATE_SELECTED) && pGrid->GetSelectedCount() == 1;
        if ((nState & GRIDSTATE_FOCUSED) || (nState & GRIDSTATE_DROPHILITED) || bOnlySelected)
        {
            CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
            CPen* pOldPen = pDC->SelectObject(&pen);
            CGdiObject* pOldBrush = pDC->SelectStockObject(HOLLOW_BRUSH);
            pDC->Rectangle(rect);
            if (pOldBrush)
                pDC->SelectObject(pOldBrush);
            pDC->SelectObject(pOldPen);
        }
        else if ((nState & GRIDSTATE_SELECTED) || (nState & GRIDSTATE_DROPHILITED))
        {
            CBrush brush(GetFocusFillColour());
            pDC->FillRect(rect, &brush);
        }
    }
    return CGridCellBase::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
}

BOOL CGridCell::Edit(int nRow, int nCol, CRect rect, CPoint /*point*/, UINT nID, UINT nChar)
{
    if (!IsEditable())
        return TRUE;

    DWORD dwStyle = 0;
    if (GetFormat() & DT_RIGHT)
        dwStyle = ES_RIGHT;
    else if (GetFormat() & DT_CENTER)
        dwStyle = ES_CENTER;

    m_bEditing = TRUE;

    CGridCtrl* pGrid = GetGrid();
    if (!pGrid)
        return TRUE;
    if (nRow < pGrid->GetFixedRowCount() || nCol < pGrid->GetFixedColumnCount())
        return TRUE;

    CGridEditorHooks* pHooks = GridGetEditorHooks();
    m_pEditWnd = pHooks ? pHooks->CreateEdit(pGrid, rect, dwStyle, nID, nRow, nCol, GetText(), nChar)
                        : NULL;
    return TRUE;
}

void CGridCell::EndEdit()
{
    CGridEditorHooks* pHooks = GridGetEditorHooks();
    if (m_pEditWnd && pHooks)
        pHooks->EndEdit(m_pEditWnd);
}

void CGridCell::OnEndEdit()
{
    m_pEditWnd = NULL;
    m_bEditing = FALSE;
}
