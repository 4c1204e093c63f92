// CSplitterWnd: layout, drawing and hit testing of the panes and bars.
#include "Framework.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_CANCELMODE()
    ON_WM_KEYDOWN()
    ON_WM_CAPTURECHANGED()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

namespace {
const int kMaxPanes = 16;
}

CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(7),
      m_cySplitter(7),
      m_cxBorderShare(0),
      m_cyBorderShare(0),
      m_cxSplitterGap(7),
      m_cySplitterGap(7),
      m_cxBorder(2),
      m_cyBorder(2),
      m_pDynamicViewClass(nullptr),
      m_nMaxRows(0),
      m_nMaxCols(0),
      m_nRows(0),
      m_nCols(0),
      m_bHasHScroll(FALSE),
      m_bHasVScroll(FALSE),
      m_bTracking(FALSE),
      m_bTracking2(FALSE),
      m_htTrack(noHit),
      m_pScrollBars{nullptr, nullptr}
{
}

CSplitterWnd::~CSplitterWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    delete m_pScrollBars[0];
    delete m_pScrollBars[1];
}

BOOL CSplitterWnd::CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID)
{
    ASSERT(m_hWnd == nullptr);
    m_pColInfo.assign(static_cast<size_t>(m_nMaxCols), CRowColInfo{sizeMin.cx, 0, 0});
    m_pRowInfo.assign(static_cast<size_t>(m_nMaxRows), CRowColInfo{sizeMin.cy, 0, 0});
    // The splitter's own scroll bars serve the panes; the window itself has none.
    DWORD dwCreateStyle = dwStyle & ~(WS_HSCROLL | WS_VSCROLL);
    m_bHasHScroll = (dwStyle & WS_HSCROLL) != 0;
    m_bHasVScroll = (dwStyle & WS_VSCROLL) != 0;
    // Made empty: its owner places it once the panes exist, and that first size lays
    // the panes out by their ideal sizes.
    CRect rect(0, 0, 0, 0);
    if (!CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr), nullptr,
                      dwCreateStyle | WS_CLIPCHILDREN, rect, pParentWnd, nID))
    {
        TRACE("Warning: failed to create CSplitterWnd.\n");
        return FALSE;
    }
    if (m_bHasHScroll && !CreateScrollBarCtrl(SBS_HORZ, AFX_IDW_HSCROLL_FIRST))
        return FALSE;
    if (m_bHasVScroll && !CreateScrollBarCtrl(SBS_VERT, AFX_IDW_VSCROLL_FIRST))
        return FALSE;
    return TRUE;
}

BOOL CSplitterWnd::CreateScrollBarCtrl(DWORD dwStyle, UINT nID)
{
    CScrollBar* pBar = new CScrollBar;
    if (!pBar->Create(dwStyle | WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, nID))
    {
        delete pBar;
        return FALSE;
    }
    m_pScrollBars[(dwStyle & SBS_VERT) ? 1 : 0] = pBar;
    return TRUE;
}

BOOL CSplitterWnd::Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
                          DWORD dwStyle, UINT nID)
{
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr || nMaxRows < 1 || nMaxRows > 2 ||
        nMaxCols < 1 || nMaxCols > 2 || (nMaxRows == 1 && nMaxCols == 1))
    {
        TRACE("Error: a dynamic splitter needs a view class and up to 2 x 2 panes.\n");
        return FALSE;
    }
    m_nMaxRows = nMaxRows;
    m_nMaxCols = nMaxCols;
    m_nRows = m_nCols = 1;
    m_pDynamicViewClass = pContext->m_pNewViewClass;
    if (!CreateCommon(pParentWnd, sizeMin, dwStyle, nID))
        return FALSE;
    if (!CreateView(0, 0, m_pDynamicViewClass, sizeMin, pContext))
    {
        DestroyWindow();
        return FALSE;
    }
    m_pColInfo[0].nIdealSize = sizeMin.cx;
    m_pRowInfo[0].nIdealSize = sizeMin.cy;
    RecalcLayout();
    return TRUE;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (nRows < 1 || nRows > kMaxPanes || nCols < 1 || nCols > kMaxPanes)
    {
        TRACE("Error: a static splitter has 1 to 16 rows and columns.\n");
        return FALSE;
    }
    m_nRows = m_nMaxRows = nRows;
    m_nCols = m_nMaxCols = nCols;
    return CreateCommon(pParentWnd, CSize(0, 0), dwStyle, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || pViewClass == nullptr)
        return FALSE;
    if (GetDlgItem(IdFromRowCol(row, col)) != nullptr)
    {
        TRACE("Error: CreateView - pane already exists for row %d, col %d.\n", row, col);
        return FALSE;
    }
    m_pColInfo[static_cast<size_t>(col)].nIdealSize = sizeInit.cx;
    m_pRowInfo[static_cast<size_t>(row)].nIdealSize = sizeInit.cy;
    BOOL bSendInitialUpdate = FALSE;
    CCreateContext contextT;
    if (pContext == nullptr)
    {
        // A pane beside the last active view shows that view's document.
        if (CView* pOldView = DYNAMIC_DOWNCAST(CView, GetActivePane()))
        {
            bSendInitialUpdate = TRUE;
            contextT.m_pLastView = pOldView;
            contextT.m_pCurrentDoc = pOldView->GetDocument();
            if (contextT.m_pCurrentDoc != nullptr)
                contextT.m_pNewDocTemplate = contextT.m_pCurrentDoc->GetDocTemplate();
        }
        pContext = &contextT;
    }
    CObject* pObject = pViewClass->CreateObject();
    CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (pWnd == nullptr)
    {
        TRACE("Warning: Dynamic create of view type %s failed.\n", pViewClass->m_lpszClassName);
        delete pObject;
        return FALSE;
    }
    CRect rect(CPoint(0, 0), sizeInit);
    if (!pWnd->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW & ~WS_BORDER, rect, this, IdFromRowCol(row, col), pContext))
    {
        TRACE("Warning: couldn't create client pane for splitter.\n");
        // A view whose window was made and failed deleted itself.
        return FALSE;
    }
    if (bSendInitialUpdate)
        pWnd->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    if (row < 0 || row >= m_nMaxRows)
    {
        cyCur = cyMin = 0;
        return;
    }
    cyCur = m_pRowInfo[static_cast<size_t>(row)].nCurSize;
    cyMin = m_pRowInfo[static_cast<size_t>(row)].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= m_nMaxRows)
        return;
    m_pRowInfo[static_cast<size_t>(row)].nIdealSize = cyIdeal;
    m_pRowInfo[static_cast<size_t>(row)].nMinSize = std::max(0, cyMin);
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    if (col < 0 || col >= m_nMaxCols)
    {
        cxCur = cxMin = 0;
        return;
    }
    cxCur = m_pColInfo[static_cast<size_t>(col)].nCurSize;
    cxMin = m_pColInfo[static_cast<size_t>(col)].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= m_nMaxCols)
        return;
    m_pColInfo[static_cast<size_t>(col)].nIdealSize = cxIdeal;
    m_pColInfo[static_cast<size_t>(col)].nMinSize = std::max(0, cxMin);
}

DWORD CSplitterWnd::GetScrollStyle() const
{
    return (m_bHasHScroll ? WS_HSCROLL : 0) | (m_bHasVScroll ? WS_VSCROLL : 0);
}

void CSplitterWnd::SetScrollStyle(DWORD dwStyle)
{
    m_bHasHScroll = (dwStyle & WS_HSCROLL) != 0;
    m_bHasVScroll = (dwStyle & WS_VSCROLL) != 0;
    if (m_hWnd != nullptr)
        RecalcLayout();
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (m_hWnd == nullptr || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return nullptr;
    return GetDlgItem(IdFromRowCol(row, col));
}

int CSplitterWnd::IdFromRowCol(int row, int col) const
{
    ASSERT(row >= 0 && row < m_nRows && col >= 0 && col < m_nCols);
    return AFX_IDW_PANE_FIRST + row * 16 + col;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol)
{
    if (pWnd == nullptr || pWnd->GetParent() != this)
        return FALSE;
    int nID = pWnd->GetDlgCtrlID();
    if (nID < AFX_IDW_PANE_FIRST || nID > AFX_IDW_PANE_LAST)
        return FALSE;
    int row = (nID - AFX_IDW_PANE_FIRST) / 16;
    int col = (nID - AFX_IDW_PANE_FIRST) % 16;
    if (row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow != nullptr)
        *pRow = row;
    if (pCol != nullptr)
        *pCol = col;
    return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol)
{
    CWnd* pView = nullptr;
    if (CFrameWnd* pFrame = GetParentFrame())
        pView = pFrame->GetActiveView();
    if (pView == nullptr)
        pView = GetFocus();
    if (pView != nullptr && !IsChildPane(pView, pRow, pCol))
        pView = nullptr;
    return pView;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pPane = pWnd != nullptr ? pWnd : GetPane(row, col);
    if (pPane == nullptr)
        return;
    if (CView* pView = DYNAMIC_DOWNCAST(CView, pPane))
    {
        if (CFrameWnd* pFrame = GetParentFrame())
        {
            pFrame->SetActiveView(pView);
            return;
        }
    }
    pPane->SetFocus();
}

// ---- Layout -------------------------------------------------------------------------------

void CSplitterWnd::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
    // The splitter's own scroll bars take the right and bottom edges.
    if (m_bHasVScroll)
        rect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (m_bHasHScroll)
        rect.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
    rect.InflateRect(-m_cxBorder, -m_cyBorder);
}

// Sizes along one axis. Every pane but the last gets its ideal size, or nothing when that
// is below its minimum; what the earlier panes leave goes to the last one.
void CSplitterWnd::LayoutAxis(std::vector<CRowColInfo>& info, int nCount, int nSize, int nGap, int)
{
    int nLeft = std::max(0, nSize);
    for (int i = 0; i < nCount; ++i)
    {
        CRowColInfo& ri = info[static_cast<size_t>(i)];
        if (i == nCount - 1)
        {
            ri.nCurSize = std::max(0, nLeft);
            break;
        }
        int cur = ri.nIdealSize;
        if (cur < ri.nMinSize)
            cur = 0;
        // What the later panes need at least: their gaps.
        int nNeedAfter = (nCount - 1 - i) * nGap;
        cur = std::min(cur, std::max(0, nLeft - nNeedAfter));
        ri.nCurSize = cur;
        nLeft -= cur + nGap;
    }
}

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == nullptr || m_nRows == 0 || m_nCols == 0)
        return;
    CRect inside;
    GetInsideRect(inside);
    int cxGap = m_cxSplitterGap, cyGap = m_cySplitterGap;
    LayoutAxis(m_pColInfo, m_nCols, inside.Width(), cxGap, m_nMaxCols);
    LayoutAxis(m_pRowInfo, m_nRows, inside.Height(), cyGap, m_nMaxRows);
    LayoutPanes();
    Invalidate();
}

void CSplitterWnd::LayoutPanes()
{
    CRect inside;
    GetInsideRect(inside);
    int y = inside.top;
    for (int row = 0; row < m_nRows; ++row)
    {
        int cy = m_pRowInfo[static_cast<size_t>(row)].nCurSize;
        int x = inside.left;
        for (int col = 0; col < m_nCols; ++col)
        {
            int cx = m_pColInfo[static_cast<size_t>(col)].nCurSize;
            if (CWnd* pPane = GetPane(row, col))
            {
                if (cx > 0 && cy > 0)
                {
                    pPane->MoveWindow(x, y, cx, cy, TRUE);
                    if (!pPane->IsWindowVisible() && (GetStyle() & WS_VISIBLE))
                        pPane->ShowWindow(SW_SHOWNA);
                }
                else
                    pPane->ShowWindow(SW_HIDE);
            }
            x += cx + m_cxSplitterGap;
        }
        y += cy + m_cySplitterGap;
    }
    CRect client;
    GetClientRect(&client);
    if (CWnd* pH = GetDlgItem(AFX_IDW_HSCROLL_FIRST))
    {
        int cxBox = m_nMaxRows > m_nRows ? 0 : 0;
        pH->MoveWindow(client.left + cxBox, client.bottom - ::GetSystemMetrics(SM_CYHSCROLL),
                       client.Width() - (m_bHasVScroll ? ::GetSystemMetrics(SM_CXVSCROLL) : 0), ::GetSystemMetrics(SM_CYHSCROLL),
                       TRUE);
    }
    if (CWnd* pV = GetDlgItem(AFX_IDW_VSCROLL_FIRST))
    {
        int cyBox = m_nMaxRows > m_nRows ? m_cySplitter : 0;
        pV->MoveWindow(client.right - ::GetSystemMetrics(SM_CXVSCROLL), client.top + cyBox, ::GetSystemMetrics(SM_CXVSCROLL),
                       client.Height() - cyBox - (m_bHasHScroll ? ::GetSystemMetrics(SM_CYHSCROLL) : 0), TRUE);
    }
}

int CSplitterWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return CWnd::OnCreate(lpcs);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0)
        RecalcLayout();
}

// ---- Drawing ------------------------------------------------------------------------------

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rectArg)
{
    if (pDC == nullptr)
    {
        RedrawWindow(rectArg, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
        return;
    }
    CRect rect = rectArg;
    COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    switch (nType)
    {
    case splitBorder:
        pDC->Draw3dRect(rect, clrShadow, clrHilite);
        rect.InflateRect(-1, -1);
        pDC->Draw3dRect(rect, ::GetSysColor(COLOR_WINDOWFRAME), clrFace);
        return;
    case splitIntersection:
        break;
    case splitBox:
        pDC->Draw3dRect(rect, clrFace, ::GetSysColor(COLOR_WINDOWFRAME));
        rect.InflateRect(-1, -1);
        pDC->Draw3dRect(rect, clrHilite, clrShadow);
        rect.InflateRect(-1, -1);
        break;
    case splitBar:
        break;
    default:
        ASSERT(FALSE);
        break;
    }
    pDC->FillSolidRect(&rect, clrFace);
}

void CSplitterWnd::OnDrawSplitterParts(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CRect inside;
    GetInsideRect(inside);
    // Split boxes where more panes may be made.
    if (m_bHasVScroll && m_nRows < m_nMaxRows)
        OnDrawSplitter(pDC, splitBox, CRect(inside.right + m_cxBorder, client.top, client.right, client.top + m_cySplitter));
    if (m_bHasHScroll && m_nCols < m_nMaxCols)
        OnDrawSplitter(pDC, splitBox, CRect(client.left, inside.bottom + m_cyBorder, client.left + m_cxSplitter, client.bottom));
    // A border around every pane.
    int y = inside.top;
    for (int row = 0; row < m_nRows; ++row)
    {
        int cy = m_pRowInfo[static_cast<size_t>(row)].nCurSize;
        int x = inside.left;
        for (int col = 0; col < m_nCols; ++col)
        {
            int cx = m_pColInfo[static_cast<size_t>(col)].nCurSize;
            CRect rc(x, y, x + cx, y + cy);
            rc.InflateRect(m_cxBorder, m_cyBorder);
            OnDrawSplitter(pDC, splitBorder, rc);
            x += cx + m_cxSplitterGap;
        }
        y += cy + m_cySplitterGap;
    }
    // Bars between columns and rows, reaching out to the outer border.
    int x = inside.left;
    for (int col = 0; col < m_nCols - 1; ++col)
    {
        x += m_pColInfo[static_cast<size_t>(col)].nCurSize + m_cxBorder;
        CRect bar(x, client.top, x + m_cxSplitter - 2 * m_cxBorder, client.bottom);
        if (m_bHasHScroll)
            bar.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
        bar.InflateRect(0, 0);
        OnDrawSplitter(pDC, splitBar, bar);
        x = bar.right + m_cxBorder;
    }
    y = inside.top;
    for (int row = 0; row < m_nRows - 1; ++row)
    {
        y += m_pRowInfo[static_cast<size_t>(row)].nCurSize + m_cyBorder;
        CRect bar(client.left, y, client.right, y + m_cySplitter - 2 * m_cyBorder);
        if (m_bHasVScroll)
            bar.right -= ::GetSystemMetrics(SM_CXVSCROLL);
        OnDrawSplitter(pDC, splitBar, bar);
        y = bar.bottom + m_cyBorder;
    }
    // Intersections of the bars, inside the inside rectangle.
    if (m_nRows > 1 && m_nCols > 1)
    {
        y = inside.top;
        for (int row = 0; row < m_nRows - 1; ++row)
        {
            y += m_pRowInfo[static_cast<size_t>(row)].nCurSize + m_cyBorder;
            int xx = inside.left;
            for (int col = 0; col < m_nCols - 1; ++col)
            {
                xx += m_pColInfo[static_cast<size_t>(col)].nCurSize + m_cxBorder;
                CRect rc(xx, y, xx + m_cxSplitter - 2 * m_cxBorder, y + m_cySplitter - 2 * m_cyBorder);
                rc.IntersectRect(rc, inside);
                OnDrawSplitter(pDC, splitIntersection, rc);
                xx = xx + m_cxSplitter - m_cxBorder;
            }
            y = y + m_cySplitter - m_cyBorder;
        }
    }
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    OnDrawSplitterParts(&dc);
}

// ---- Hit testing and tracking -------------------------------------------------------------

int CSplitterWnd::HitTest(CPoint pt) const
{
    CRect client;
    GetClientRect(&client);
    CRect inside;
    GetInsideRect(inside);
    if (m_bHasVScroll && m_nRows < m_nMaxRows &&
        CRect(inside.right + m_cxBorder, client.top, client.right, client.top + m_cySplitter).PtInRect(pt))
        return vSplitterBox;
    if (m_bHasHScroll && m_nCols < m_nMaxCols &&
        CRect(client.left, inside.bottom + m_cyBorder, client.left + m_cxSplitter, client.bottom).PtInRect(pt))
        return hSplitterBox;
    // Which bar column (gap) and bar row the point lies in, if any.
    int nCol = -1, nRow = -1;
    int x = inside.left;
    for (int col = 0; col < m_nCols - 1; ++col)
    {
        x += m_pColInfo[static_cast<size_t>(col)].nCurSize;
        if (pt.x >= x && pt.x < x + m_cxSplitterGap)
        {
            nCol = col;
            break;
        }
        x += m_cxSplitterGap;
    }
    int y = inside.top;
    for (int row = 0; row < m_nRows - 1; ++row)
    {
        y += m_pRowInfo[static_cast<size_t>(row)].nCurSize;
        if (pt.y >= y && pt.y < y + m_cySplitterGap)
        {
            nRow = row;
            break;
        }
        y += m_cySplitterGap;
    }
    if (nCol >= 0 && nRow >= 0)
        return splitterIntersection1 + nRow * 15 + nCol;
    if (nCol >= 0)
        return vSplitterBar1 + nCol;
    if (nRow >= 0)
        return hSplitterBar1 + nRow;
    return noHit;
}

void CSplitterWnd::GetHitRect(int ht, CRect& rect)
{
    CRect inside;
    GetInsideRect(inside);
    rect = inside;
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15)
    {
        int col = ht - vSplitterBar1;
        int x = inside.left;
        for (int c = 0; c <= col; ++c)
            x += m_pColInfo[static_cast<size_t>(c)].nCurSize + (c < col ? m_cxSplitterGap : 0);
        rect.left = x;
        rect.right = x + m_cxSplitterGap;
        // The tracker moves between the left edge of its column and the right edge of the
        // next one.
        int left = inside.left;
        for (int c = 0; c < col; ++c)
            left += m_pColInfo[static_cast<size_t>(c)].nCurSize + m_cxSplitterGap;
        int right = x + m_cxSplitterGap + m_pColInfo[static_cast<size_t>(col + 1)].nCurSize;
        m_rectLimit = CRect(left, inside.top, right, inside.bottom);
    }
    else if (ht >= hSplitterBar1 && ht <= hSplitterBar15)
    {
        int row = ht - hSplitterBar1;
        int y = inside.top;
        for (int r = 0; r <= row; ++r)
            y += m_pRowInfo[static_cast<size_t>(r)].nCurSize + (r < row ? m_cySplitterGap : 0);
        rect.top = y;
        rect.bottom = y + m_cySplitterGap;
        int top = inside.top;
        for (int r = 0; r < row; ++r)
            top += m_pRowInfo[static_cast<size_t>(r)].nCurSize + m_cySplitterGap;
        int bottom = y + m_cySplitterGap + m_pRowInfo[static_cast<size_t>(row + 1)].nCurSize;
        m_rectLimit = CRect(inside.left, top, inside.right, bottom);
    }
    else if (ht == vSplitterBox)
    {
        rect = CRect(inside.left, inside.top, inside.right, inside.top + m_cySplitterGap);
        m_rectLimit = inside;
    }
    else if (ht == hSplitterBox)
    {
        rect = CRect(inside.left, inside.top, inside.left + m_cxSplitterGap, inside.bottom);
        m_rectLimit = inside;
    }
    m_rectLimit.right -= (rect.Width() > 0 ? rect.Width() : 0);
    m_rectLimit.bottom -= (rect.Height() > 0 && rect.Height() < inside.Height() ? rect.Height() : 0);
}

void CSplitterWnd::OnInvertTracker(const CRect& rect)
{
    CDC* pDC = GetDC();
    // A halftone: every other pixel, as the platform's tracker shows.
    static CBrush s_halftone;
    if (s_halftone.GetSafeHandle() == nullptr)
    {
        static const WORD kBits[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        CBitmap bm;
        bm.CreateBitmap(8, 8, 1, 1, kBits);
        s_halftone.CreatePatternBrush(&bm);
    }
    CBrush* pBrush = &s_halftone;
    CBrush* pOld = pDC->SelectObject(pBrush);
    pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    pDC->SelectObject(pOld);
    ReleaseDC(pDC);
}

void CSplitterWnd::StartTracking(int ht)
{
    if (ht == noHit)
        return;
    m_htTrack = ht;
    if (ht >= splitterIntersection1 && ht <= splitterIntersection225)
    {
        // Both bars of an intersection move together.
        int nRow = (ht - splitterIntersection1) / 15;
        int nCol = (ht - splitterIntersection1) % 15;
        GetHitRect(nRow + hSplitterBar1, m_rectTracker2);
        CRect limitRows = m_rectLimit;
        GetHitRect(nCol + vSplitterBar1, m_rectTracker);
        m_rectLimit.top = limitRows.top;
        m_rectLimit.bottom = limitRows.bottom;
        m_bTracking2 = TRUE;
    }
    else
    {
        GetHitRect(ht, m_rectTracker);
        m_bTracking2 = FALSE;
    }
    SetCapture();
    SetFocus();
    m_bTracking = TRUE;
    OnInvertTracker(m_rectTracker);
    if (m_bTracking2)
        OnInvertTracker(m_rectTracker2);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint pt)
{
    if (m_bTracking)
        return;
    int ht = HitTest(pt);
    if (ht == noHit)
        return;
    CRect rc;
    StartTracking(ht);
    m_ptTrackOffset = CPoint(pt.x - m_rectTracker.left, pt.y - m_rectTracker.top);
    if (m_bTracking2)
        m_ptTrackOffset.y = pt.y - m_rectTracker2.top;
    if (ht == vSplitterBox || ht == hSplitterBox)
        m_ptTrackOffset = CPoint(0, 0);
}

void CSplitterWnd::OnMouseMove(UINT, CPoint pt)
{
    if (!m_bTracking)
        return;
    CPoint ptNew = pt - m_ptTrackOffset;
    ptNew.x = std::max<int>(m_rectLimit.left, std::min<int>(m_rectLimit.right, ptNew.x));
    ptNew.y = std::max<int>(m_rectLimit.top, std::min<int>(m_rectLimit.bottom, ptNew.y));
    bool bVert = (m_htTrack >= vSplitterBar1 && m_htTrack <= vSplitterBar15) || m_htTrack == hSplitterBox ||
                 (m_htTrack >= splitterIntersection1 && m_htTrack <= splitterIntersection225);
    bool bHorz = (m_htTrack >= hSplitterBar1 && m_htTrack <= hSplitterBar15) || m_htTrack == vSplitterBox;
    if (bVert && ptNew.x != m_rectTracker.left)
    {
        OnInvertTracker(m_rectTracker);
        m_rectTracker.OffsetRect(ptNew.x - m_rectTracker.left, 0);
        OnInvertTracker(m_rectTracker);
    }
    if (bHorz && ptNew.y != m_rectTracker.top)
    {
        OnInvertTracker(m_rectTracker);
        m_rectTracker.OffsetRect(0, ptNew.y - m_rectTracker.top);
        OnInvertTracker(m_rectTracker);
    }
    if (m_bTracking2 && ptNew.y != m_rectTracker2.top)
    {
        OnInvertTracker(m_rectTracker2);
        m_rectTracker2.OffsetRect(0, ptNew.y - m_rectTracker2.top);
        OnInvertTracker(m_rectTracker2);
    }
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint)
{
    StopTracking(TRUE);
}

void CSplitterWnd::OnCancelMode()
{
    StopTracking(FALSE);
    CWnd::OnCancelMode();
}

void CSplitterWnd::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this && m_bTracking)
        StopTracking(FALSE);
    CWnd::OnCaptureChanged(pWnd);
}

void CSplitterWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bTracking && nChar == VK_ESCAPE)
    {
        StopTracking(FALSE);
        return;
    }
    if (m_bTracking && nChar == VK_RETURN)
    {
        StopTracking(TRUE);
        return;
    }
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

// Sizes one pane of a row or column of panes from the tracker's position: pos is the
// tracker's coordinate, start the inside rectangle's edge, gap the splitter gap.
static void TrackPaneSize(CSplitterWnd::CRowColInfo* pInfo, int nCount, int nIndex, int pos, int start, int gap,
                          BOOL bDynamic)
{
    int edge = start;
    for (int i = 0; i < nIndex; ++i)
        edge += pInfo[i].nCurSize + gap;
    int size = std::max(0, pos - edge);
    // A pane dragged below its minimum is closed in a dynamic splitter and kept at its
    // minimum in a static one.
    if (size < pInfo[nIndex].nMinSize)
        size = bDynamic ? 0 : pInfo[nIndex].nMinSize;
    pInfo[nIndex].nIdealSize = size;
    // The pane on the other side keeps the rest; only when it is not the last does it need
    // an ideal size of its own.
    if (nIndex + 1 < nCount - 1)
        pInfo[nIndex + 1].nIdealSize = std::max(0, pInfo[nIndex].nCurSize + pInfo[nIndex + 1].nCurSize - size);
}

void CSplitterWnd::TrackColumnSize(int x, int col)
{
    CRect inside;
    GetInsideRect(inside);
    TrackPaneSize(&m_pColInfo[0], m_nCols, col, x, inside.left, m_cxSplitterGap, m_pDynamicViewClass != nullptr);
}

void CSplitterWnd::TrackRowSize(int y, int row)
{
    CRect inside;
    GetInsideRect(inside);
    TrackPaneSize(&m_pRowInfo[0], m_nRows, row, y, inside.top, m_cySplitterGap, m_pDynamicViewClass != nullptr);
}

void CSplitterWnd::StopTracking(BOOL bAccept)
{
    if (!m_bTracking)
        return;
    OnInvertTracker(m_rectTracker);
    if (m_bTracking2)
        OnInvertTracker(m_rectTracker2);
    m_bTracking = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    if (!bAccept)
    {
        m_htTrack = noHit;
        return;
    }
    int ht = m_htTrack;
    m_htTrack = noHit;
    CRect inside;
    GetInsideRect(inside);
    if (ht == vSplitterBox)
        SplitRow(m_rectTracker.top - inside.top);
    else if (ht == hSplitterBox)
        SplitColumn(m_rectTracker.left - inside.left);
    else if (ht >= vSplitterBar1 && ht <= vSplitterBar15)
        TrackColumnSize(m_rectTracker.left, ht - vSplitterBar1);
    else if (ht >= hSplitterBar1 && ht <= hSplitterBar15)
        TrackRowSize(m_rectTracker.top, ht - hSplitterBar1);
    else if (ht >= splitterIntersection1 && ht <= splitterIntersection225)
    {
        TrackColumnSize(m_rectTracker.left, (ht - splitterIntersection1) % 15);
        TrackRowSize(m_rectTracker2.top, (ht - splitterIntersection1) / 15);
    }
    // A dynamic pane dragged to nothing goes away.
    if (m_pDynamicViewClass != nullptr)
    {
        for (int col = m_nCols - 2; col >= 0; --col)
        {
            if (m_pColInfo[static_cast<size_t>(col)].nIdealSize == 0 && m_nCols > 1)
                DeleteColumn(col + 1 < m_nCols ? col : col);
        }
        for (int row = m_nRows - 2; row >= 0; --row)
        {
            if (m_pRowInfo[static_cast<size_t>(row)].nIdealSize == 0 && m_nRows > 1)
                DeleteRow(row);
        }
    }
    RecalcLayout();
}

void CSplitterWnd::OnLButtonDblClk(UINT, CPoint pt)
{
    int ht = HitTest(pt);
    if (m_pDynamicViewClass == nullptr)
        return;
    // A double click on a bar of a dynamic splitter joins the panes.
    if (ht >= vSplitterBar1 && ht <= vSplitterBar15)
        DeleteColumn(ht - vSplitterBar1 + 1);
    else if (ht >= hSplitterBar1 && ht <= hSplitterBar15)
        DeleteRow(ht - hSplitterBar1 + 1);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && nHitTest == HTCLIENT)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        int ht = m_bTracking ? m_htTrack : HitTest(pt);
        LPCTSTR idc = nullptr;
        if (ht == vSplitterBox || (ht >= hSplitterBar1 && ht <= hSplitterBar15))
            idc = IDC_SIZENS;
        else if (ht == hSplitterBox || (ht >= vSplitterBar1 && ht <= vSplitterBar15))
            idc = IDC_SIZEWE;
        else if (ht >= splitterIntersection1 && ht <= splitterIntersection225)
            idc = IDC_SIZEALL;
        if (idc != nullptr)
        {
            ::SetCursor(::LoadCursor(nullptr, idc));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// ---- Dynamic splitting --------------------------------------------------------------------

BOOL CSplitterWnd::SplitRow(int cyBefore)
{
    if (m_pDynamicViewClass == nullptr || m_nRows >= m_nMaxRows)
        return FALSE;
    int cyMin = m_pRowInfo[0].nMinSize;
    CRect inside;
    GetInsideRect(inside);
    if (cyBefore < cyMin || inside.Height() - cyBefore - m_cySplitterGap < cyMin)
        return FALSE;  // a pane would be too small
    int rowNew = m_nRows;
    m_nRows++;
    m_pRowInfo[static_cast<size_t>(rowNew - 1)].nIdealSize = cyBefore;
    for (int col = 0; col < m_nCols; ++col)
    {
        CSize size(m_pColInfo[static_cast<size_t>(col)].nCurSize, 0);
        if (!CreateView(rowNew, col, m_pDynamicViewClass, size, nullptr))
        {
            // Undo: the panes already made in the new row go.
            for (int c = 0; c < col; ++c)
                DeleteView(rowNew, c);
            m_nRows--;
            RecalcLayout();
            return FALSE;
        }
    }
    m_pRowInfo[static_cast<size_t>(rowNew - 1)].nIdealSize = cyBefore;
    RecalcLayout();
    return TRUE;
}

BOOL CSplitterWnd::SplitColumn(int cxBefore)
{
    if (m_pDynamicViewClass == nullptr || m_nCols >= m_nMaxCols)
        return FALSE;
    int cxMin = m_pColInfo[0].nMinSize;
    CRect inside;
    GetInsideRect(inside);
    if (cxBefore < cxMin || inside.Width() - cxBefore - m_cxSplitterGap < cxMin)
        return FALSE;
    int colNew = m_nCols;
    m_nCols++;
    for (int row = 0; row < m_nRows; ++row)
    {
        CSize size(0, m_pRowInfo[static_cast<size_t>(row)].nCurSize);
        if (!CreateView(row, colNew, m_pDynamicViewClass, size, nullptr))
        {
            for (int r = 0; r < row; ++r)
                DeleteView(r, colNew);
            m_nCols--;
            RecalcLayout();
            return FALSE;
        }
    }
    m_pColInfo[static_cast<size_t>(colNew - 1)].nIdealSize = cxBefore;
    RecalcLayout();
    return TRUE;
}

void CSplitterWnd::DeleteView(int row, int col)
{
    CWnd* pPane = GetPane(row, col);
    if (pPane == nullptr)
        return;
    // The frame's active view moves to another pane first.
    if (CFrameWnd* pFrame = GetParentFrame())
    {
        if (pFrame->GetActiveView() == pPane)
        {
            for (int r = 0; r < m_nRows; ++r)
                for (int c = 0; c < m_nCols; ++c)
                    if ((r != row || c != col) && DYNAMIC_DOWNCAST(CView, GetPane(r, c)) != nullptr)
                    {
                        pFrame->SetActiveView(static_cast<CView*>(GetPane(r, c)), FALSE);
                        r = m_nRows;
                        break;
                    }
        }
    }
    pPane->DestroyWindow();
}

void CSplitterWnd::DeleteRow(int rowDelete)
{
    if (rowDelete < 0 || rowDelete >= m_nRows || m_nRows <= 1)
        return;
    for (int col = 0; col < m_nCols; ++col)
        DeleteView(rowDelete, col);
    // Panes below move up one row.
    for (int row = rowDelete + 1; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col)
            if (CWnd* pPane = GetDlgItem(AFX_IDW_PANE_FIRST + row * 16 + col))
                pPane->SetDlgCtrlID(AFX_IDW_PANE_FIRST + (row - 1) * 16 + col);
    for (int row = rowDelete; row + 1 < m_nMaxRows; ++row)
        m_pRowInfo[static_cast<size_t>(row)] = m_pRowInfo[static_cast<size_t>(row + 1)];
    m_nRows--;
    RecalcLayout();
}

void CSplitterWnd::DeleteColumn(int colDelete)
{
    if (colDelete < 0 || colDelete >= m_nCols || m_nCols <= 1)
        return;
    for (int row = 0; row < m_nRows; ++row)
        DeleteView(row, colDelete);
    for (int col = colDelete + 1; col < m_nCols; ++col)
        for (int row = 0; row < m_nRows; ++row)
            if (CWnd* pPane = GetDlgItem(AFX_IDW_PANE_FIRST + row * 16 + col))
                pPane->SetDlgCtrlID(AFX_IDW_PANE_FIRST + row * 16 + col - 1);
    for (int col = colDelete; col + 1 < m_nMaxCols; ++col)
        m_pColInfo[static_cast<size_t>(col)] = m_pColInfo[static_cast<size_t>(col + 1)];
    m_nCols--;
    RecalcLayout();
}

BOOL CSplitterWnd::CanActivateNext(BOOL)
{
    return m_nRows * m_nCols > 1;
}

void CSplitterWnd::ActivateNext(BOOL bPrev)
{
    int row = 0, col = 0;
    if (GetActivePane(&row, &col) == nullptr)
        return;
    int n = row * m_nCols + col;
    int nAll = m_nRows * m_nCols;
    n = bPrev ? (n + nAll - 1) % nAll : (n + 1) % nAll;
    SetActivePane(n / m_nCols, n % m_nCols);
}

BOOL CSplitterWnd::DoKeyboardSplit()
{
    // Starts tracking the first bar (or split box) from the keyboard.
    int ht = noHit;
    if (m_nCols > 1)
        ht = vSplitterBar1;
    else if (m_nRows > 1)
        ht = hSplitterBar1;
    else if (m_nMaxRows > 1)
        ht = vSplitterBox;
    else if (m_nMaxCols > 1)
        ht = hSplitterBox;
    if (ht == noHit)
        return FALSE;
    StartTracking(ht);
    m_ptTrackOffset = CPoint(0, 0);
    return TRUE;
}

// Scroll bars of the splitter are shared by the panes of their row or column.
void CSplitterWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    for (int row = 0; row < m_nRows; ++row)
        if (CWnd* pPane = GetPane(row, 0))
            pPane->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), reinterpret_cast<LPARAM>(pScrollBar ? pScrollBar->m_hWnd : nullptr));
}

void CSplitterWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    for (int col = 0; col < m_nCols; ++col)
        if (CWnd* pPane = GetPane(0, col))
            pPane->SendMessage(WM_VSCROLL, MAKEWPARAM(nSBCode, nPos), reinterpret_cast<LPARAM>(pScrollBar ? pScrollBar->m_hWnd : nullptr));
}

BOOL CSplitterWnd::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    // The wheel turns the active pane. A pane that does not use it hands it back up to
    // this window (its default processing): then it ends here, or the two would pass it
    // to each other until the stack runs out.
    static int s_nForwarding = 0;
    if (s_nForwarding > 0)
        return FALSE;
    BOOL bDone = FALSE;
    if (CWnd* pPane = GetActivePane())
    {
        ++s_nForwarding;
        bDone = static_cast<BOOL>(pPane->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(nFlags, zDelta), MAKELPARAM(pt.x, pt.y)));
        --s_nForwarding;
    }
    return bDone;
}
