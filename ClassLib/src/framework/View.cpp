// CView: a frame's pane that shows a document.
#include "Framework.h"

#include "FrameworkStrings.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMsg)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(nullptr)
{
}

CView::~CView()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

BOOL CView::IsSelected(const CObject*) const
{
    return FALSE;
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    // A border becomes the sunken client edge, as views have it.
    if (cs.style & WS_BORDER)
    {
        cs.style &= ~WS_BORDER;
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
    }
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext* pContext = lpcs != nullptr ? static_cast<CCreateContext*>(lpcs->lpCreateParams) : nullptr;
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* pFrame = GetParentFrame())
    {
        if (pFrame->GetActiveView() == this)
            pFrame->SetActiveView(nullptr, FALSE);
    }
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    if (CFrameWnd* pFrame = GetParentFrame())
    {
        if (pFrame->GetActiveView() != this)
            pFrame->SetActiveView(this);
    }
    return nResult;
}

LRESULT CView::OnInitialUpdateMsg(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*)
{
    ASSERT(pSender != this);
    (void)pSender;
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this)
    {
        if (CFrameWnd* pFrame = GetParentFrame())
        {
            CWnd* pFocus = GetFocus();
            if (pFocus == nullptr || (pFocus != this && !IsChild(pFocus)))
                SetFocus();
            (void)pFrame;
        }
    }
}

void CView::OnActivateFrame(UINT, CFrameWnd*)
{
}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    // Printing goes on while there are pages (ViewPrint.cpp keeps the page count).
    pc_frame::ContinuePrinting(pInfo);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

CSplitterWnd* PASCAL CView::GetParentSplitter(const CWnd* pWnd, BOOL bAnyState)
{
    if (pWnd == nullptr)
        return nullptr;
    CSplitterWnd* pSplitter = DYNAMIC_DOWNCAST(CSplitterWnd, pWnd->GetParent());
    if (pSplitter == nullptr)
        return nullptr;
    if (!bAnyState && pSplitter->GetRowCount() * pSplitter->GetColumnCount() <= 1)
        return nullptr;
    return pSplitter;
}

// ---- Printing virtuals (the print loop and the preview are in ViewPrint.cpp) --------------

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*)
{
}
