// The base cell: shared defaults, the drawing of colours, 3-D edge, image, sort arrow and
// text, printing, measuring and the mouse slots.
#include "GridCellBase.h"

#include <cstring>
#include "GridCtrl.h"

IMPLEMENT_DYNAMIC(CGridCellBase, CObject)

CGridCellBase::CGridCellBase()
    : m_nRow(0),
      m_nCol(0),
      m_nCellRow(-1),
      m_nCellCol(-1),
      m_nRowState(0),
      m_nState(0),
      m_pTask(NULL),
      m_pPlace(NULL),
      m_rcDrawn(0, 0, 0, 0),
      m_bEditable(TRUE),
      m_nFollow(0)
{
}

void CGridCellBase::FreezeText()
{
    if (!(m_nFollow & kFollowText))
        return;
    GetText();
    StopTextFollowing();
}

void CGridCellBase::LeaveRow()
{
    FreezeText();
    if (m_nFollow & kFollowRowCol)
        m_nRow = m_pPlace->nRow;
    if (m_nFollow & kFollowCoords)
        m_nCellRow = m_pPlace->nRow;
    m_pPlace = NULL;
    m_nFollow &= kStoresCoords;
}

CGridCellBase::~CGridCellBase()
{
}

// ---- Attribute slots the base class has no storage for ---------------------------------

void CGridCellBase::SetText(LPCTSTR) { ASSERT(FALSE); }
void CGridCellBase::SetImage(int) { ASSERT(FALSE); }
void CGridCellBase::SetData(LPARAM) { ASSERT(FALSE); }
void CGridCellBase::SetFormat(UINT) { ASSERT(FALSE); }
void CGridCellBase::SetTextClr(COLORREF) { ASSERT(FALSE); }
void CGridCellBase::SetBackClr(COLORREF) { ASSERT(FALSE); }
void CGridCellBase::SetFont(const LOGFONT*) { ASSERT(FALSE); }
void CGridCellBase::SetMargin(UINT) { ASSERT(FALSE); }
void CGridCellBase::SetGrid(CGridCtrl*) { ASSERT(FALSE); }
void CGridCellBase::SetCoords(int, int) { ASSERT(FALSE); }

LPCTSTR CGridCellBase::GetText() const { ASSERT(FALSE); return _T(""); }
int CGridCellBase::GetImage() const { ASSERT(FALSE); return -1; }
LPARAM CGridCellBase::GetData() const { ASSERT(FALSE); return 0; }
UINT CGridCellBase::GetFormat() const { ASSERT(FALSE); return 0; }
COLORREF CGridCellBase::GetTextClr() const { ASSERT(FALSE); return CLR_DEFAULT; }
COLORREF CGridCellBase::GetBackClr() const { ASSERT(FALSE); return CLR_DEFAULT; }
LOGFONT* CGridCellBase::GetFont() const { ASSERT(FALSE); return NULL; }
CGridCtrl* CGridCellBase::GetGrid() const { ASSERT(FALSE); return NULL; }
UINT CGridCellBase::GetMargin() const { ASSERT(FALSE); return 0; }
BOOL CGridCellBase::IsEditing() const { ASSERT(FALSE); return FALSE; }

unsigned CGridCellBase::s_nTaskWrites = 0;
unsigned CGridCellBase::s_nTextWrites = 0;

BOOL CGridCellBase::Edit(int, int, CRect, CPoint, UINT, UINT) { ASSERT(FALSE); return FALSE; }
void CGridCellBase::OnEndEdit() { ASSERT(FALSE); }

// ---- Copy and reset --------------------------------------------------------------------

void CGridCellBase::operator=(const CGridCellBase& cell)
{
    if (this == &cell)
        return;
    SetGrid(cell.GetGrid());
    SetText(cell.GetText());
    SetImage(cell.GetImage());
    SetData(cell.GetData());
    SetState(cell.GetState());
    SetFormat(cell.GetFormat());
    SetTextClr(cell.GetTextClr());
    SetBackClr(cell.GetBackClr());
    SetFont(cell.GetFont());
    SetMargin(cell.GetMargin());
}

void CGridCellBase::Reset()
{
    m_nState = 0;
}

// ---- Helpers ---------------------------------------------------------------------------

BOOL CGridCellBase::GetDrawFont(LOGFONT& lf) const
{
    const LOGFONT* plf = GetFont();
    if (!plf)
    {
        CGridCtrl* pGrid = GetGrid();
        if (!pGrid)
            return FALSE;
        plf = pGrid->GetLogFont();
    }
    memcpy(&lf, plf, sizeof(LOGFONT));
    if (GetState() & GRIDSTATE_FIXED)
        lf.lfWeight = 600;
    return TRUE;
}

BOOL CGridCellBase::GetImageRect(int nImage, CRect& rcImage) const
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || nImage < 0)
        return FALSE;
    CImageList* pImageList = pGrid->GetImageList();
    if (!pImageList || !pImageList->GetSafeHandle())
        return FALSE;
    IMAGEINFO Info;
    memset(&Info, 0, sizeof(Info));
    if (!pImageList->GetImageInfo(nImage, &Info))
        return FALSE;
    rcImage = Info.rcImage;
    return TRUE;
}

LRESULT CGridCellBase::SendMessageToParent(int nRow, int nCol, int nMessage)
{
    CGridCtrl* pGrid = GetGrid();
    return pGrid ? pGrid->SendMessageToParent(nRow, nCol, nMessage) : 0;
}

// ---- Drawing ---------------------------------------------------------------------------

BOOL CGridCellBase::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    m_rcDrawn = rect;

    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC)
        return FALSE;
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;

    BOOL bFixed = (GetState() & GRIDSTATE_FIXED) ? TRUE : FALSE;
    TRACE("Drawing %s cell %d, %d\n", bFixed ? "Fixed" : "", nRow, nCol);

    int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    // The cell's own colours only choose between the grid's colours and the fixed ones.
    COLORREF TextClr, TextBkClr;
    if (GetTextClr() == CLR_DEFAULT)
        TextClr = bFixed ? pGrid->GetFixedTextColor() : pGrid->GetTextColor();
    else
#ifdef GRIDCTRL_PREDTASK
        // The predecessor build draws the colours the cell (or its default cell) gives.
        TextClr = GetTextClr();
#else
        TextClr = m_crTextClr;
#endif
    if (GetBackClr() == CLR_DEFAULT)
        TextBkClr = bFixed ? pGrid->GetFixedBkColor() : pGrid->GetTextBkColor();
    else
    {
#ifdef GRIDCTRL_PREDTASK
        TextBkClr = GetBackClr();
#else
        TextBkClr = m_crBkClr;
#endif
        bEraseBkgnd = TRUE;
    }

    UINT nState = GetState();
    if ((nState & GRIDSTATE_FOCUSED) || (nState & GRIDSTATE_DROPHILITED))
    {
        if (nState & GRIDSTATE_SELECTED)
        {
            TextClr = m_crFocusTextClr;
            TextBkClr = m_crFocusBkClr;
            bEraseBkgnd = TRUE;
        }
        pDC->SetTextColor(TextClr);
        rect.DeflateRect(1, 1);
    }
    else if (nState & GRIDSTATE_SELECTED)
    {
        pDC->SetTextColor(m_crSelTextClr);
    }
    else
    {
        if (bEraseBkgnd && !pGrid->IsDrawingOnDC() && !pGrid->IsPrinting())
        {
            CRect rcFill(rect);
            rcFill.right++;
            rcFill.bottom++;
            pDC->FillSolidRect(rcFill, TextBkClr);
        }
        pDC->SetTextColor(TextClr);
    }

    LOGFONT lf;
    const LOGFONT* plf = GetFont();
    memcpy(&lf, plf ? plf : pGrid->GetLogFont(), sizeof(LOGFONT));

    // A fixed cell draws its own 3-D edge while the grid draws lines.
    if (bFixed && pGrid->GetGridLines() != GRIDLINES_NONE)
    {
        CPen lightpen(PS_SOLID, 1, ::GetSysColor(COLOR_3DHIGHLIGHT));
        CPen darkpen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
        CPen* pOldPen = pDC->SelectObject(&lightpen);
        pDC->MoveTo(rect.right, rect.top);
        pDC->LineTo(rect.left, rect.top);
        pDC->LineTo(rect.left, rect.bottom);
        pDC->SelectObject(&darkpen);
        pDC->MoveTo(rect.right, rect.top);
        pDC->LineTo(rect.right, rect.bottom);
        pDC->LineTo(rect.left, rect.bottom);
        pDC->SelectObject(pOldPen);
        rect.DeflateRect(1, 1);
    }

    CFont Font;
    Font.CreateFontIndirect(&lf);
    CFont* pOldFont;
    if (pGrid->IsDrawingOnDC() || pGrid->IsPrinting())
        pOldFont = pDC->SelectObject(pGrid->GetGridFont());
    else
        pOldFont = pDC->SelectObject(&Font);

    int nMargin = (int)GetMargin();
    rect.DeflateRect(nMargin, 0);

    CRect rcImage;
    if (GetImage() >= 0 && GetImageRect(GetImage(), rcImage))
    {
        int nImageWidth = rcImage.right - rcImage.left + 1;
        int nImageHeight = rcImage.bottom - rcImage.top + 1;
        if (rect.left + nImageWidth <= rect.right + 2 * nMargin
            && rect.top + nImageHeight <= rect.bottom + 2 * nMargin)
            pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
        rect.left += nImageWidth + nMargin;
    }

    // The sort arrow in the heading of the sort column.
    if (pGrid->GetSortColumn() == nCol && nRow == 0)
    {
        CSize size = GetTextExtent(_T("M"));
        int s = size.cy - 4;
        if (s >= rect.Height())
            s = rect.Height() - 4;

        CPen penShadow(PS_SOLID, 0, ::GetSysColor(COLOR_3DSHADOW));
        CPen penLight(PS_SOLID, 0, ::GetSysColor(COLOR_3DHIGHLIGHT));
        CPen* pOldPen = pDC->SelectObject(&penLight);
        if (pGrid->GetSortAscending())
        {
            pDC->MoveTo(rect.right - s / 2 + 1, rect.top + 3);
            pDC->LineTo(rect.right + 1, rect.top + s + 3);
            pDC->LineTo(rect.right - s + 1, rect.top + s + 3);
            pDC->SelectObject(&penShadow);
            pDC->LineTo(rect.right - s / 2 + 1, rect.top + 3);
        }
        else
        {
            pDC->MoveTo(rect.right - s / 2 + 1, rect.top + s + 3);
            pDC->LineTo(rect.right + 1, rect.top + 3);
            pDC->SelectObject(&penShadow);
            pDC->LineTo(rect.right - s + 1, rect.top + 3);
            pDC->LineTo(rect.right - s / 2 + 1, rect.top + s + 3);
        }
        pDC->SelectObject(pOldPen);
        rect.right -= s;
    }

    // The heading of column 1 of a task grid shows the grid's own picture.
    if (nRow == 0 && nCol == 1 && pGrid->IsTaskGrid())
    {
        CImageList* pOwn = pGrid->GetOwnImageList();
        if (pOwn && pOwn->GetSafeHandle())
            pOwn->Draw(pDC, 0, CPoint(rect.left + 10, rect.top + 10), ILD_TRANSPARENT);
    }
    else
        pDC->DrawText(GetText(), -1, rect, GetFormat());

    pDC->SelectObject(pOldFont);
    pDC->RestoreDC(nSavedDC);
    Font.DeleteObject();
    return TRUE;
}

BOOL CGridCellBase::PrintCell(CDC* pDC, int nRow, int nCol, CRect rect)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pDC)
        return FALSE;

    CRect rcImage;
    BOOL bImage = GetImage() >= 0 && GetImageRect(GetImage(), rcImage);

    if (GetState() & GRIDSTATE_FIXED)
    {
        CString strText(_T(" "));
        strText += GetText();
        pDC->SetBkMode(TRANSPARENT);
        if (bImage)
        {
            pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
            rect.left += rcImage.right - rcImage.left + (int)GetMargin();
        }
        if (nRow == 0 && nCol == 1 && pGrid->IsTaskGrid())
        {
            CImageList* pOwn = pGrid->GetOwnImageList();
            if (pOwn && pOwn->GetSafeHandle())
                pOwn->Draw(pDC, 0, CPoint(rect.left + 10, rect.top + 10), ILD_TRANSPARENT);
        }
        pDC->DrawText(strText, -1, rect, GetFormat() | DT_NOCLIP | DT_NOPREFIX);
        return TRUE;
    }

    if (rect.Width() < 1 || rect.Height() <= 0)
        return FALSE;

    int nSavedDC = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);

    COLORREF crFG, crBG;
    if (pGrid->GetPrintColour())
    {
        COLORREF crCellBk = GetBackClr();
        COLORREF crCellFg = GetTextClr();
        crBG = (crCellBk == CLR_DEFAULT || crCellBk == pGrid->GetTextBkColor()) ? CLR_DEFAULT : crCellBk;
        if (crCellBk != CLR_DEFAULT)
            crFG = crCellFg;
        else
            crFG = (crCellFg == CLR_DEFAULT || crCellFg == pGrid->GetTextColor()) ? RGB(0, 0, 0) : crCellFg;
        // "Use the grid's colour" is no printable colour: it prints black.
        if (crFG == CLR_DEFAULT)
            crFG = RGB(0, 0, 0);

        if (pDC->GetDeviceCaps(NUMCOLORS) == 2 && crBG == CLR_DEFAULT)
            crFG = RGB((BYTE)(GetRValue(crFG) * 0.30), (BYTE)(GetGValue(crFG) * 0.59),
                       (BYTE)(GetBValue(crFG) * 0.11));

        if (crBG != CLR_DEFAULT)
        {
            CRect rcFill(rect);
            rcFill.right++;
            rcFill.bottom++;
            pDC->FillSolidRect(rcFill, crBG);
        }
    }
    else
    {
        crBG = CLR_DEFAULT;
        crFG = RGB(0, 0, 0);
    }
    pDC->SetTextColor(crFG);

    // The text prints in the font the printing selected; while drawing on an outside
    // context, in the grid's font.
    CFont* pOldFont = NULL;
    if (pGrid->IsDrawingOnDC())
        pOldFont = pDC->SelectObject(pGrid->GetGridFont());

    rect.DeflateRect((int)GetMargin(), 0);
    if (bImage)
    {
        pGrid->GetImageList()->Draw(pDC, GetImage(), rect.TopLeft(), ILD_NORMAL);
        rect.left += rcImage.right - rcImage.left + (int)GetMargin();
    }
    pDC->DrawText(GetText(), -1, rect, GetFormat() | DT_NOCLIP | DT_NOPREFIX);

    if (pOldFont)
        pDC->SelectObject(pOldFont);
    pDC->RestoreDC(nSavedDC);
    return TRUE;
}

// ---- Measuring -------------------------------------------------------------------------

BOOL CGridCellBase::GetTextRect(LPRECT pRect)
{
    CRect rcImage;
    if (pRect && GetImage() >= 0 && GetImageRect(GetImage(), rcImage))
        pRect->left += rcImage.right - rcImage.left + 1 + (int)GetMargin();
    return TRUE;
}

CSize CGridCellBase::GetTextExtent(LPCTSTR szText)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pGrid->GetSafeHwnd())
        return CSize(0, 0);
    CDC* pDC = pGrid->GetDC();
    if (!pDC)
        return CSize(0, 0);

    LOGFONT lf;
    CFont font;
    CFont* pOldFont = NULL;
    if (GetDrawFont(lf) && font.CreateFontIndirect(&lf))
        pOldFont = pDC->SelectObject(&font);

    CString strText(szText ? szText : GetText());
    CSize size = pDC->GetTextExtent(strText);

    if (pOldFont)
        pDC->SelectObject(pOldFont);
    pGrid->ReleaseDC(pDC);

    int nMargin = (int)GetMargin();
    return CSize(size.cx + 2 * nMargin, size.cy + 2 * nMargin);
}

namespace
{
// TRUE when the context already has a font made from lf (a caller measuring many cells
// selects the common font once).
BOOL HasFont(CDC* pDC, const LOGFONT& lf)
{
    HGDIOBJ hCurrent = ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT);
    LOGFONT cur;
    if (!hCurrent || ::GetObject(hCurrent, sizeof cur, &cur) != (int)sizeof cur)
        return FALSE;
    return cur.lfHeight == lf.lfHeight && cur.lfWidth == lf.lfWidth && cur.lfEscapement == lf.lfEscapement &&
           cur.lfOrientation == lf.lfOrientation && cur.lfWeight == lf.lfWeight && cur.lfItalic == lf.lfItalic &&
           cur.lfUnderline == lf.lfUnderline && cur.lfStrikeOut == lf.lfStrikeOut && cur.lfCharSet == lf.lfCharSet &&
           cur.lfOutPrecision == lf.lfOutPrecision && cur.lfClipPrecision == lf.lfClipPrecision &&
           cur.lfQuality == lf.lfQuality && cur.lfPitchAndFamily == lf.lfPitchAndFamily &&
           strncmp(cur.lfFaceName, lf.lfFaceName, LF_FACESIZE) == 0;
}
} // namespace

CSize CGridCellBase::GetCellExtent(CDC* pDC)
{
    if (!pDC)
        return CSize(0, 0);

    LOGFONT lf;
    CFont font;
    CFont* pOldFont = NULL;
    if (GetDrawFont(lf) && !HasFont(pDC, lf) && font.CreateFontIndirect(&lf))
        pOldFont = pDC->SelectObject(&font);

    CString strText(GetText());
    UINT nFormat = GetFormat();
    CSize size;
    if ((nFormat & DT_WORDBREAK) && !(nFormat & DT_SINGLELINE))
    {
        // Wrapped text: the widest line sets the width the wrapping is measured in.
        int nMaxWidth = 0;
        int nStart = 0;
        while (nStart <= strText.GetLength())
        {
            int nEnd = strText.Find(_T('\n'), nStart);
            if (nEnd < 0)
                nEnd = strText.GetLength();
            CString strLine = strText.Mid(nStart, nEnd - nStart);
            CSize sizeLine = pDC->GetTextExtent(strLine);
            if (sizeLine.cx > nMaxWidth)
                nMaxWidth = sizeLine.cx;
            nStart = nEnd + 1;
        }
        CRect rect(0, 0, nMaxWidth, 0);
        pDC->DrawText(strText, -1, rect, nFormat | DT_CALCRECT);
        size = CSize(rect.Width(), rect.Height());
    }
    else
        size = pDC->GetTextExtent(strText);

    if (pOldFont)
        pDC->SelectObject(pOldFont);

    int nMargin = (int)GetMargin();
    size.cx += 4 * nMargin;
    size.cy += 2 * nMargin;

    CRect rcImage;
    if (GetImage() >= 0 && GetImageRect(GetImage(), rcImage))
    {
        int nImageWidth = rcImage.right - rcImage.left + 1;
        int nImageHeight = rcImage.bottom - rcImage.top + 1;
        size.cx += nImageWidth;
        size.cy = max((int)size.cy, nImageHeight);
    }
    return size;
}

// ---- Editing ---------------------------------------------------------------------------

void CGridCellBase::EndEdit()
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid)
        return;
    int nRow, nCol;
    GetRowCol(nRow, nCol);
    CGridCellBase* pHead = pGrid->GetCell(nRow, 0);
    if (!pHead)
        return;
    int nState = pHead->GetRowState();
    if (nState == GRIDROW_UNCHANGED)
        pHead->SetRowState(GRIDROW_MODIFIED);
    else if (nState == GRIDROW_UNNAMED)
        pHead->SetRowState(GRIDROW_NEW);
}

void CGridCellBase::RequestMouseMode(CPoint point)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid || !pGrid->GetSafeHwnd())
        return;
    GridCellRequest request;
    request.nMode = 0;
    request.pt = point;
    request.nRow = 0;
    request.nLevel = 0;
    request.nRefRow = -1;
    request.nRefLevel = 0;
    pGrid->SendMessage(WM_GRID_ROWLEVEL, (WPARAM)&request, 0);
}

// ---- Mouse -----------------------------------------------------------------------------

void CGridCellBase::OnMouseEnter()
{
    TRACE("Mouse entered cell\n");
}

void CGridCellBase::OnMouseOver()
{
}

void CGridCellBase::OnMouseLeave()
{
    TRACE("Mouse left cell\n");
}

void CGridCellBase::OnClick(CPoint PointCellRelative)
{
    UNUSED_ALWAYS(PointCellRelative);
    TRACE("Mouse Left btn up in cell at x=%i y=%i\n", (int)PointCellRelative.x, (int)PointCellRelative.y);
}

void CGridCellBase::OnClickDown(CPoint PointCellRelative)
{
    UNUSED_ALWAYS(PointCellRelative);
    TRACE("Mouse Left btn down in cell at x=%i y=%i\n", (int)PointCellRelative.x, (int)PointCellRelative.y);
}

void CGridCellBase::OnRClick(CPoint PointCellRelative)
{
    UNUSED_ALWAYS(PointCellRelative);
    TRACE("Mouse right-clicked in cell at x=%i y=%i\n", (int)PointCellRelative.x, (int)PointCellRelative.y);
}

void CGridCellBase::OnDblClick(CPoint PointCellRelative)
{
    UNUSED_ALWAYS(PointCellRelative);
    TRACE("Mouse double-clicked in cell at x=%i y=%i\n", (int)PointCellRelative.x, (int)PointCellRelative.y);
}

BOOL CGridCellBase::OnSetCursor()
{
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    return TRUE;
}
