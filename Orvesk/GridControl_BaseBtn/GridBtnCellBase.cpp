#include "GridBtnCellBase.h"

#include "GridCellSupport.h"

#include <chrono>
#include <thread>

IMPLEMENT_DYNCREATE(CGridBtnCellBase, CGridCellBase)

namespace {

void DefaultPause(DWORD dwMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds)); }

CGridBtnCellBase::PauseFunc g_pfnPressPause = DefaultPause;

bool IsRadio(UINT nState) { return (nState & 0x1F) == DFCS_BUTTONRADIO; }
bool IsCheckBox(UINT nState) { return (nState & 0x1F) == 0; }

}  // namespace

CGridBtnCellBase::PauseFunc CGridBtnCellBase::SetPressPause(PauseFunc pfn)
{
    PauseFunc pfnOld = g_pfnPressPause;
    g_pfnPressPause = pfn ? pfn : DefaultPause;
    return pfnOld;
}

CGridBtnCellBase::CGridBtnCellBase()
    : m_nLastClicked(-1), m_nButtonCount(0), m_bEditing(0), m_pBtnDataBase(NULL)
{
}

CGridBtnCellBase::~CGridBtnCellBase() {}

// --- shared attributes ------------------------------------------------------------------

void CGridBtnCellBase::SetText(LPCTSTR szText)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetText(CellRow(), m_nCellCol, szText);
}

LPCTSTR CGridBtnCellBase::GetText() const { return m_pBtnDataBase ? m_pBtnDataBase->GetText(CellRow(), m_nCellCol) : ""; }

void CGridBtnCellBase::SetImage(int nImage)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetImage(CellRow(), m_nCellCol, nImage);
}

int CGridBtnCellBase::GetImage() const { return m_pBtnDataBase ? m_pBtnDataBase->GetImage(CellRow(), m_nCellCol) : -1; }

void CGridBtnCellBase::SetData(LPARAM lParam)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetData(CellRow(), m_nCellCol, lParam);
}

LPARAM CGridBtnCellBase::GetData() const { return m_pBtnDataBase ? m_pBtnDataBase->GetData(CellRow(), m_nCellCol) : 0; }

void CGridBtnCellBase::SetFormat(UINT nFormat)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetFormat(CellRow(), m_nCellCol, nFormat);
}

UINT CGridBtnCellBase::GetFormat() const
{
    return m_pBtnDataBase ? m_pBtnDataBase->GetFormat(CellRow(), m_nCellCol) : (DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void CGridBtnCellBase::SetTextClr(COLORREF clr)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetTextClr(CellRow(), m_nCellCol, clr);
}

COLORREF CGridBtnCellBase::GetTextClr() const { return m_pBtnDataBase ? m_pBtnDataBase->GetTextClr(CellRow(), m_nCellCol) : CLR_DEFAULT; }

void CGridBtnCellBase::SetBackClr(COLORREF clr)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetBackClr(CellRow(), m_nCellCol, clr);
}

COLORREF CGridBtnCellBase::GetBackClr() const { return m_pBtnDataBase ? m_pBtnDataBase->GetBackClr(CellRow(), m_nCellCol) : CLR_DEFAULT; }

void CGridBtnCellBase::SetFont(const LOGFONT* plf)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetFont(CellRow(), m_nCellCol, plf);
}

LOGFONT* CGridBtnCellBase::GetFont() const
{
    if (m_pBtnDataBase)
        return m_pBtnDataBase->GetFont(CellRow(), m_nCellCol);
    static CBtnDataBase defaults;
    return defaults.GetFont(-1, -1);
}

void CGridBtnCellBase::SetMargin(UINT nMargin)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetMargin(CellRow(), m_nCellCol, nMargin);
}

UINT CGridBtnCellBase::GetMargin() const { return m_pBtnDataBase ? m_pBtnDataBase->GetMargin(CellRow(), m_nCellCol) : 3; }

void CGridBtnCellBase::SetGrid(CGridCtrl* pGrid)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetGrid(pGrid);
}

CGridCtrl* CGridBtnCellBase::GetGrid() const { return m_pBtnDataBase ? m_pBtnDataBase->GetGrid() : NULL; }

void CGridBtnCellBase::SetCoords(int nRow, int nCol)
{
    StoreCoords(nRow, nCol);
}

void CGridBtnCellBase::SetEditWnd(CWnd* pWnd)
{
    if (m_pBtnDataBase)
        m_pBtnDataBase->SetEditWnd(pWnd);
}

CWnd* CGridBtnCellBase::GetEditWnd() const { return m_pBtnDataBase ? m_pBtnDataBase->GetEditWnd() : NULL; }

void CGridBtnCellBase::operator=(const CGridCellBase& cell) { CGridCellBase::operator=(cell); }

void CGridBtnCellBase::Reset()
{
    CGridCellBase::Reset();
    m_nButtonCount = 0;
    m_nLastClicked = -1;
    StoreCoords(-1, -1);
    m_bEditing = 0;
}

// --- buttons without storage ------------------------------------------------------------

UINT CGridBtnCellBase::GetDrawCtl(int) const { return 0; }
void CGridBtnCellBase::SetDrawCtl(int, UINT) { ASSERT(FALSE); }
UINT CGridBtnCellBase::GetDrawState(int) const { return 0; }
void CGridBtnCellBase::SetDrawState(int, UINT) { ASSERT(FALSE); }
int CGridBtnCellBase::GetButtonWidth(int) const { return 0; }
void CGridBtnCellBase::SetButtonWidth(int, int) { ASSERT(FALSE); }
UINT CGridBtnCellBase::GetAlignment(int) const { return 0; }
void CGridBtnCellBase::SetAlignment(int, UINT) { ASSERT(FALSE); }
LPCTSTR CGridBtnCellBase::GetButtonText(int) const { return NULL; }
void CGridBtnCellBase::SetButtonText(int, LPCTSTR) { ASSERT(FALSE); }
BOOL CGridBtnCellBase::GetGroupFlag(int) const { return FALSE; }
void CGridBtnCellBase::SetGroupFlag(int, BOOL) { ASSERT(FALSE); }

void CGridBtnCellBase::SetButtonCount(int nCount)
{
    ASSERT(nCount >= 0 && nCount <= GetMaxButtons());
    if (nCount >= 0 && nCount <= GetMaxButtons())
        m_nButtonCount = static_cast<WORD>(nCount);
}

BOOL CGridBtnCellBase::SetupButton(int nIndex, UINT nDrawCtl, UINT nDrawState, UINT nAlign, int nWidth,
                                   BOOL bGroup, LPCTSTR szText)
{
    ASSERT(IsButtonIndex(nIndex) && nAlign <= 2 && (nAlign != 0 || nIndex == 0) && nDrawState <= 0xFFFE);
    if (!IsButtonIndex(nIndex) || nAlign > 2 || (nAlign == 0 && nIndex != 0) || nDrawState > 0xFFFE)
        return FALSE;
    if (nIndex >= GetButtonCount()) {
        ASSERT(nIndex == GetButtonCount());  // buttons are added in order
        if (nIndex != GetButtonCount())
            return FALSE;
        SetButtonCount(nIndex + 1);
    }
    SetAlignment(nIndex, nAlign);
    SetButtonWidth(nIndex, nWidth);
    SetDrawCtl(nIndex, nDrawCtl);
    SetDrawState(nIndex, nDrawState);
    SetButtonText(nIndex, szText);
    SetGroupFlag(nIndex, bGroup);
    return TRUE;
}

// --- state machine ----------------------------------------------------------------------

void CGridBtnCellBase::ProcessButtonMessage(UINT nMessage, int nIndex)
{
    ASSERT(IsButtonIndex(nIndex));
    if (!IsButtonIndex(nIndex))
        return;
    UINT nState = GetDrawState(nIndex);
    if (nState & DFCS_INACTIVE)
        return;
    SetLastClicked(nIndex);

    if (nMessage == WM_LBUTTONDOWN) {
        SetDrawState(nIndex, nState | DFCS_PUSHED);
    } else if (nMessage == WM_LBUTTONUP || nMessage == WM_LBUTTONDBLCLK) {
        nState &= ~DFCS_PUSHED;
        if (GetDrawCtl(nIndex) == DFC_BUTTON) {
            if (IsRadio(nState) || GetGroupFlag(nIndex)) {
                for (int i = 0; i < GetButtonCount(); i++) {
                    if (i != nIndex && (IsRadio(GetDrawState(i)) || GetGroupFlag(i)))
                        SetDrawState(i, GetDrawState(i) & ~(DFCS_PUSHED | DFCS_CHECKED));
                }
                // A radio button is checked; a grouped push button also stays down.
                nState |= IsRadio(nState) ? DFCS_CHECKED : (DFCS_PUSHED | DFCS_CHECKED);
            } else if (IsCheckBox(nState)) {
                nState ^= DFCS_CHECKED;
            }
        }
        SetDrawState(nIndex, nState);
    } else {
        ASSERT(FALSE);
        return;
    }

    CGridCtrl* pGrid = GetGrid();
    ASSERT(pGrid);
    if (pGrid)
        pGrid->RedrawCell(CellRow(), m_nCellCol);
}

// --- hit testing and clicks -------------------------------------------------------------

BOOL CGridBtnCellBase::LayoutButtons(CRect* pRects, int nRoom, const CRect& rcCell) const
{
    const int nMax = GetMaxButtons();
    ASSERT(nRoom >= nMax && nMax <= GRIDBTN_LAYOUT_MAX);
    if (nRoom < nMax || nMax > GRIDBTN_LAYOUT_MAX || !pRects)
        return FALSE;
    const int nCount = GetButtonCount();
    if (nCount <= 0 || nCount > nMax || nCount + 1 > nRoom)
        return FALSE;
    GridBtnLayoutItem items[GRIDBTN_LAYOUT_MAX];
    for (int i = 0; i < nCount; i++)
        items[i] = {GetButtonWidth(i), GetDrawState(i), GetAlignment(i), GetDrawCtl(i)};
    return GridLayoutButtons(items, nCount, rcCell, static_cast<int>(GetMargin()), pRects);
}

int CGridBtnCellBase::HitTestButton(CPoint point)
{
    CGridCtrl* pGrid = GetGrid();
    ASSERT(pGrid);
    CRect rcCell;
    if (!pGrid || !pGrid->GetCellRect(CellRow(), m_nCellCol, &rcCell))
        return -1;
    CRect rects[GRIDBTN_LAYOUT_ROOM];
    if (!LayoutButtons(rects, GRIDBTN_LAYOUT_ROOM, rcCell))
        return -1;
    const CPoint pt(point.x + rcCell.left, point.y + rcCell.top);
    for (int i = 0; i < GetButtonCount(); i++) {
        const CRect& rc = rects[i];
        if (pt.x >= rc.left && pt.x <= rc.right && pt.y >= rc.top && pt.y <= rc.bottom)
            return i;
    }
    return -1;
}

BOOL CGridBtnCellBase::ClickButtonAt(UINT nMessage, CPoint point)
{
    const int nIndex = HitTestButton(point);
    if (nIndex < 0) {
        SetLastClicked(-1);
        return FALSE;
    }
    ProcessButtonMessage(nMessage, nIndex);
    return TRUE;
}

void CGridBtnCellBase::OnClickDown(CPoint point) { ClickButtonAt(WM_LBUTTONDOWN, point); }

void CGridBtnCellBase::OnClick(CPoint point) { ClickButtonAt(WM_LBUTTONUP, point); }

void CGridBtnCellBase::OnDblClick(CPoint point) { ClickButtonAt(WM_LBUTTONDBLCLK, point); }

void CGridBtnCellBase::OnRClick(CPoint) {}

int CGridBtnCellBase::FindMnemonic(UINT nChar) const
{
    CString texts[GRIDBTN_LAYOUT_MAX];
    const int nCount = GetButtonCount() < GRIDBTN_LAYOUT_MAX ? GetButtonCount() : GRIDBTN_LAYOUT_MAX;
    for (int i = 0; i < nCount; i++)
        texts[i] = GetButtonText(i);
    return GridFindMnemonic(texts, nCount, nChar);
}

BOOL CGridBtnCellBase::HasTextArea()
{
    CGridCtrl* pGrid = GetGrid();
    ASSERT(pGrid);
    CRect rect;
    if (!pGrid || !pGrid->GetCellRect(CellRow(), m_nCellCol, &rect))
        return FALSE;
    if (!GetTextRect(&rect))
        return FALSE;
    return rect.Width() > 0;
}

CString CGridBtnCellBase::GetTipText() const
{
    if (const_cast<CGridBtnCellBase*>(this)->HasTextArea())
        return CString(GetText());
    CString texts[GRIDBTN_LAYOUT_MAX];
    const int nCount = GetButtonCount() < GRIDBTN_LAYOUT_MAX ? GetButtonCount() : GRIDBTN_LAYOUT_MAX;
    for (int i = 0; i < nCount; i++)
        texts[i] = GetButtonText(i);
    return GridJoinButtonTips(texts, nCount);
}

// --- editing ----------------------------------------------------------------------------

void CGridBtnCellBase::PressButton(int nIndex)
{
    ProcessButtonMessage(WM_LBUTTONDOWN, nIndex);
    g_pfnPressPause(GRIDBTN_KEY_PRESS_PAUSE);
    ProcessButtonMessage(WM_LBUTTONUP, nIndex);
    if (CGridCtrl* pGrid = GetGrid())
        pGrid->SendMessageToParent(CellRow(), m_nCellCol, GRIDN_CLICK);
}

void CGridBtnCellBase::OpenTextEditor(int nRow, int nCol, const CRect& rect, UINT nID, UINT nChar)
{
    const DWORD nFormat = GetFormat();
    DWORD dwStyle = 0;  // left aligned
    if (nFormat & DT_RIGHT)
        dwStyle = ES_RIGHT;
    else if (nFormat & DT_CENTER)
        dwStyle = ES_CENTER;
    m_bEditing = 1;
    SetEditWnd(GridCellSupport::CreateTextEditor(GetGrid(), rect, dwStyle, nID, nRow, nCol, GetText(), nChar));
}

BOOL CGridBtnCellBase::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar)
{
    CGridCtrl* pGrid = GetGrid();
    if (!pGrid)
        return FALSE;
    if (HitTestButton(point) >= 0) {
        ClickButtonAt(WM_LBUTTONUP, point);
        pGrid->SendMessageToParent(CellRow(), m_nCellCol, GRIDN_CLICK);
        return TRUE;
    }
    if (nChar == ' ' && (GetButtonCount() == 1 || (GetButtonCount() > 0 && GetAlignment(0) == 1))) {
        PressButton(0);
        return TRUE;
    }
    if (!HasTextArea()) {
        const int nIndex = FindMnemonic(nChar);
        if (nIndex >= 0)
            PressButton(nIndex);
        return TRUE;
    }
    OpenTextEditor(nRow, nCol, rect, nID, nChar);
    return TRUE;
}

void CGridBtnCellBase::EndEdit()
{
    if (CWnd* pEditor = GetEditWnd()) {
        SetEditWnd(NULL);
        GridCellSupport::EndEditor(pEditor);
    }
    CGridCellBase::EndEdit();
}

void CGridBtnCellBase::OnEndEdit()
{
    m_bEditing = 0;
    SetEditWnd(NULL);
}

void CGridBtnCellBase::ReleaseArrowsAndPushButtons()
{
    // Letting the buttons up is no click: the last clicked button stays what it was, so a
    // later edit started from the keyboard is not taken for an arrow press.
    const int nLastClicked = GetLastClicked();
    for (int i = 0; i < GetButtonCount(); i++) {
        const UINT nCtl = GetDrawCtl(i), nState = GetDrawState(i);
        if ((nCtl == DFC_SCROLL && (nState & 0x01)) || (nCtl == DFC_BUTTON && (nState & DFCS_BUTTONPUSH)))
            ProcessButtonMessage(WM_LBUTTONUP, i);
    }
    SetLastClicked(nLastClicked);
}
