// Print preview: pages printed onto an image printer context and shown in the main frame.
#include "Framework.h"

#include <ClassLib/Controls/Button.h>

#include <ClassLib/Printing/Printing.h>

#include <ClassLib/DocView/PrintPreview.h>

#include <algorithm>

#include "FrameworkStrings.h"

IMPLEMENT_DYNCREATE(CPreviewView, CView)
IMPLEMENT_DYNAMIC(CPreviewBar, CControlBar)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
END_MESSAGE_MAP()

namespace {

// The preview page: A4 at 96 pixels an inch.
const int kPreviewDpi = 96;
const int kPageWidth = 794;
const int kPageHeight = 1123;
const int kPageGap = 16;

}  // namespace

CPreviewView::CPreviewView()
    : m_pPreviewState(nullptr),
      m_pToolBar(nullptr),
      m_pPreviewFrame(nullptr),
      m_pSavedPane(nullptr),
      m_pPrintView(nullptr),
      m_pPreviewInfo(nullptr),
      m_hPrinterDC(nullptr),
      m_pPrinterDC(nullptr),
      m_nCurrentPage(1),
      m_nPages(1),
      m_nLastPage(0),
      m_nRendered(0),
      m_sizePage(kPageWidth, kPageHeight)
{
}

CPreviewView::~CPreviewView()
{
    for (auto& entry : m_pages)
        ::DeleteObject(entry.second);
    m_pages.clear();
    if (m_pPrinterDC != nullptr)
    {
        m_pPrinterDC->AbortDoc();
        m_pPrinterDC->DeleteDC();
        delete m_pPrinterDC;
    }
    delete m_pPreviewInfo;
}

BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    m_pPrintView = pPrintView;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    m_pPreviewInfo->m_pPD->m_pd.nFromPage = 1;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo))
        return FALSE;
    m_hPrinterDC = ::AfxCreateImagePrinterDC(kPageWidth, kPageHeight, kPreviewDpi);
    if (m_hPrinterDC == nullptr)
        return FALSE;
    m_pPrinterDC = new CDC;
    m_pPrinterDC->Attach(m_hPrinterDC);
    m_sizePage = CSize(m_pPrinterDC->GetDeviceCaps(HORZRES), m_pPrinterDC->GetDeviceCaps(VERTRES));
    pPrintView->OnBeginPrinting(m_pPrinterDC, m_pPreviewInfo);
    if (m_pPrinterDC->StartDoc("preview") <= 0)
        return FALSE;
    if (m_pPreviewInfo->GetMaxPage() != 0xFFFF)
        m_nLastPage = m_pPreviewInfo->GetMaxPage();
    m_nPages = std::max<UINT>(1, std::min<UINT>(2, m_pPreviewInfo->m_nNumPreviewPages != 0 ? m_pPreviewInfo->m_nNumPreviewPages : 1));
    return TRUE;
}

UINT CPreviewView::GetLastPage() const
{
    return m_nLastPage;
}

// Prints one page with the view's virtuals; FALSE when the view has no such page.
BOOL CPreviewView::RenderPage(UINT nPage)
{
    if (m_pages.count(nPage) != 0)
        return TRUE;
    if (m_pPrinterDC == nullptr || m_pPrintView == nullptr || nPage < m_pPreviewInfo->GetMinPage())
        return FALSE;
    if (m_nLastPage != 0 && nPage > m_nLastPage)
        return FALSE;
    // Pages are printed in order on the context: the ones before first.
    for (UINT n = 1; n <= nPage; ++n)
    {
        if (m_pages.count(n) != 0)
            continue;
        m_pPreviewInfo->m_nCurPage = n;
        m_pPreviewInfo->m_bContinuePrinting = TRUE;
        int nSave = m_pPrinterDC->SaveDC();
        m_pPrintView->OnPrepareDC(m_pPrinterDC, m_pPreviewInfo);
        if (!m_pPreviewInfo->m_bContinuePrinting)
        {
            m_pPrinterDC->RestoreDC(nSave);
            m_nLastPage = n - 1;
            return FALSE;
        }
        m_pPreviewInfo->m_rectDraw.SetRect(0, 0, m_sizePage.cx, m_sizePage.cy);
        m_pPrinterDC->DPtoLP(&m_pPreviewInfo->m_rectDraw);
        m_pPrinterDC->StartPage();
        m_pPrintView->OnPrint(m_pPrinterDC, m_pPreviewInfo);
        m_pPrinterDC->EndPage();
        m_pPrinterDC->RestoreDC(nSave);
        HBITMAP hbm = ::AfxGetPrintedPage(m_hPrinterDC, m_nRendered);
        ++m_nRendered;
        m_pages[n] = hbm;
    }
    return m_pages.count(nPage) != 0;
}

HBITMAP CPreviewView::GetPageBitmap(UINT nPage)
{
    if (!RenderPage(nPage))
        return nullptr;
    return m_pages[nPage];
}

void CPreviewView::SetCurrentPage(UINT nPage, BOOL)
{
    if (nPage < 1 || !RenderPage(nPage))
        return;
    m_nCurrentPage = nPage;
    if (m_nPages == 2)
        RenderPage(nPage + 1);
    UpdatePageText();
    Invalidate();
}

void CPreviewView::UpdatePageText()
{
    if (m_pToolBar == nullptr)
        return;
    CString format, text;
    AfxLoadString(AFX_IDS_PREVIEWPAGE, format);
    if (format.IsEmpty())
        format = "%u";
    text.Format(static_cast<LPCTSTR>(format), m_nCurrentPage);
    m_pToolBar->m_strPageText = text;
    if (m_pToolBar->m_hWnd != nullptr)
        m_pToolBar->Invalidate();
}

CRect CPreviewView::GetPageRect(UINT nIndex) const
{
    // Pages fit the view's height (less a margin), side by side when two show.
    CRect client;
    GetClientRect(&client);
    int nShown = static_cast<int>(m_nPages);
    int cyAvail = std::max(10, static_cast<int>(client.Height()) - 2 * kPageGap);
    int cxAvail = std::max(10, (static_cast<int>(client.Width()) - (nShown + 1) * kPageGap) / nShown);
    double scale = std::min(static_cast<double>(cyAvail) / m_sizePage.cy, static_cast<double>(cxAvail) / m_sizePage.cx);
    int cx = static_cast<int>(m_sizePage.cx * scale);
    int cy = static_cast<int>(m_sizePage.cy * scale);
    int xTotal = nShown * cx + (nShown - 1) * kPageGap;
    int x = (client.Width() - xTotal) / 2 + static_cast<int>(nIndex) * (cx + kPageGap);
    int y = (client.Height() - cy) / 2;
    return CRect(x, y, x + cx, y + cy);
}

void CPreviewView::OnPrepareDC(CDC*, CPrintInfo*)
{
}

BOOL CPreviewView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
    for (UINT i = 0; i < m_nPages; ++i)
    {
        UINT nPage = m_nCurrentPage + i;
        auto it = m_pages.find(nPage);
        if (it == m_pages.end() || it->second == nullptr)
            continue;
        CRect rc = GetPageRect(i);
        // A shadow, then the page scaled into its place.
        pDC->FillSolidRect(rc.left + 3, rc.top + 3, rc.Width(), rc.Height(), RGB(0, 0, 0));
        CDC mem;
        mem.CreateCompatibleDC(pDC);
        CBitmap* pOld = mem.SelectObject(CBitmap::FromHandle(it->second));
        pDC->SetStretchBltMode(HALFTONE);
        pDC->StretchBlt(rc.left, rc.top, rc.Width(), rc.Height(), &mem, 0, 0, m_sizePage.cx, m_sizePage.cy, SRCCOPY);
        mem.SelectObject(pOld);
        pDC->FrameRect(&rc, CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))));
    }
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    Invalidate();
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar)
    {
    case VK_NEXT:
    case VK_RIGHT:
        OnNextPage();
        return;
    case VK_PRIOR:
    case VK_LEFT:
        OnPrevPage();
        return;
    case VK_ESCAPE:
        OnPreviewClose();
        return;
    default:
        CView::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void CPreviewView::OnNextPage()
{
    SetCurrentPage(m_nCurrentPage + 1, TRUE);
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > 1)
        SetCurrentPage(m_nCurrentPage - 1, TRUE);
}

void CPreviewView::OnNumPageChange()
{
    m_nPages = m_nPages == 1 ? 2 : 1;
    SetCurrentPage(m_nCurrentPage, FALSE);
    Invalidate();
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(RenderPage(m_nCurrentPage + m_nPages));
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nCurrentPage > 1);
}

void CPreviewView::OnPreviewClose()
{
    CFrameWnd* pParent = m_pPreviewFrame;
    CPrintPreviewState* pState = m_pPreviewState;
    CWnd* pSaved = m_pSavedPane;
    CView* pPrintView = m_pPrintView;
    m_pPreviewState = nullptr;
    if (m_pToolBar != nullptr)
    {
        CPreviewBar* pBar = m_pToolBar;
        m_pToolBar = nullptr;
        if (pBar->m_hWnd != nullptr)
            pBar->DestroyWindow();
        delete pBar;
    }
    // The frame's pane comes back before this view goes.
    if (GetDlgCtrlID() == AFX_IDW_PANE_FIRST)
        SetDlgCtrlID(0);
    if (pSaved != nullptr && ::IsWindow(pSaved->m_hWnd))
    {
        pSaved->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
        pSaved->ShowWindow(SW_SHOW);
    }
    if (pParent != nullptr)
    {
        pParent->SetActiveView(pState != nullptr ? pState->pViewActiveOld : nullptr, FALSE);
        if (pState != nullptr)
            pParent->OnSetPreviewMode(FALSE, pState);
    }
    delete pState;
    // The print view ends printing and destroys the preview (this object); a view that
    // does not pass the call on still loses the preview window.
    // The print view may destroy the frame too (a preview in a frame of its own).
    HWND hSelf = m_hWnd;
    HWND hParent = pParent != nullptr ? pParent->m_hWnd : nullptr;
    if (pPrintView != nullptr && m_pPrinterDC != nullptr)
        pPrintView->OnEndPrintPreview(m_pPrinterDC, m_pPreviewInfo, CPoint(0, 0), this);
    if (::IsWindow(hSelf))
        if (CWnd* pSelf = CWnd::FromHandlePermanent(hSelf))
            pSelf->DestroyWindow();
    if (hParent != nullptr && ::IsWindow(hParent) && CWnd::FromHandlePermanent(hParent) == pParent)
        pParent->RecalcLayout();
}

void CPreviewView::OnPreviewPrint()
{
    CView* pPrintView = m_pPrintView;
    OnPreviewClose();
    if (pPrintView != nullptr)
        pPrintView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

// ---- The bar ------------------------------------------------------------------------------

namespace {
struct PreviewButton
{
    UINT nID;
    const char* pszUtf8;
};
const PreviewButton kButtons[] = {
    {AFX_ID_PREVIEW_PRINT, "打印(&P)..."}, {AFX_ID_PREVIEW_NEXT, "下一页(&N)"},  {AFX_ID_PREVIEW_PREV, "上一页(&V)"},
    {AFX_ID_PREVIEW_NUMPAGE, "双页(&T)"},   {AFX_ID_PREVIEW_CLOSE, "关闭(&C)"},
};
const int kBarHeight = 30;
const int kButtonWidth = 72;
}  // namespace

CPreviewBar::CPreviewBar() : m_pPreview(nullptr)
{
    m_bAutoDelete = FALSE;
}

CPreviewBar::~CPreviewBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    for (CWnd* p : m_buttons)
        delete p;
}

BOOL CPreviewBar::Create(CWnd* pParentWnd, CPreviewView* pPreview)
{
    m_pPreview = pPreview;
    m_dwStyle = CBRS_TOP;
    pc_frame::EnsureStandardClasses();
    if (!CWnd::Create(AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), nullptr, WS_CHILD | WS_VISIBLE,
                      CRect(0, 0, 100, kBarHeight), pParentWnd, AFX_IDW_PREVIEW_BAR))
        return FALSE;
    int x = 4;
    for (const PreviewButton& b : kButtons)
    {
        CWnd* p = new CButton;
        if (!p->Create("BUTTON", CStringFromUtf8(b.pszUtf8), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                       CRect(x, 4, x + kButtonWidth, kBarHeight - 4), this, b.nID))
        {
            delete p;
            return FALSE;
        }
        p->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        m_buttons.push_back(p);
        x += kButtonWidth + 4;
    }
    if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd))
    {
        m_pDockSite = pFrame;
        pFrame->AddControlBar(this);
    }
    return TRUE;
}

CSize CPreviewBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(32767, kBarHeight);
}

void CPreviewBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The buttons follow the preview's own update handlers.
    if (m_pPreview == nullptr)
        return;
    CCmdUI state;
    for (CWnd* p : m_buttons)
    {
        state.m_pOther = p;
        state.m_nID = static_cast<UINT>(p->GetDlgCtrlID());
        state.DoUpdate(m_pPreview, FALSE);
    }
}

BOOL CPreviewBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_pPreview != nullptr)
    {
        m_pPreview->SendMessage(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CControlBar::OnCommand(wParam, lParam);
}

void CPreviewBar::DoPaint(CDC* pDC)
{
    CControlBar::DoPaint(pDC);
    CRect client;
    GetClientRect(&client);
    CRect rc(4 + static_cast<int>(m_buttons.size()) * (kButtonWidth + 4) + 8, 0, client.right - 4, client.bottom);
    CFont* pOld = pDC->SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(m_strPageText, &rc, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SelectObject(pOld);
}
