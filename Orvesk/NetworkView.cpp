#include "NetworkView.h"

IMPLEMENT_DYNCREATE(CNetworkView, CView)

BEGIN_MESSAGE_MAP(CNetworkView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CNetworkView::CNetworkView() {}

CNetworkView::~CNetworkView() {}

int CNetworkView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect rc(lpCreateStruct->x, lpCreateStruct->y, lpCreateStruct->cx, lpCreateStruct->cy);
    m_wndDistribute.Create(NULL, NULL, WS_CHILD | WS_TABSTOP, rc, this, IDC_TASK_DISTRIBUTE);
    m_wndDistribute.InitDateRange(rc);
    m_wndDistribute.ShowWindow(SW_SHOW);
    return 0;
}

void CNetworkView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_wndDistribute.GetSafeHwnd() != NULL) {
        CRect rc;
        GetClientRect(&rc);
        m_wndDistribute.MoveWindow(&rc, TRUE);
    }
}

void CNetworkView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    m_wndDistribute.CreateBars();
}

void CNetworkView::OnDraw(CDC* /*pDC*/) {}

#ifdef _DEBUG
void CNetworkView::AssertValid() const { CView::AssertValid(); }
void CNetworkView::Dump(CDumpContext& dc) const { CView::Dump(dc); }
#endif
