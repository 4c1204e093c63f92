#include "PdmTreeView.h"

IMPLEMENT_DYNCREATE(CPdmTreeView, CView)

BEGIN_MESSAGE_MAP(CPdmTreeView, CView)
    ON_WM_SIZE()
    ON_MESSAGE(WM_PDMTREE_SELCHANGED, OnMsgPdmTreeSelChanged)
END_MESSAGE_MAP()

CPdmTreeView::CPdmTreeView() {}

CPdmTreeView::~CPdmTreeView() {}

void CPdmTreeView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (m_wndTree.GetSafeHwnd() != NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    if (m_wndTree.Create(WS_CHILD | WS_VISIBLE, rect, this, IDC_PDMTREE))
        m_wndTree.Init();
}

void CPdmTreeView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (GetSafeHwnd() != NULL && m_wndTree.GetSafeHwnd() != NULL) {
        CRect rect;
        GetClientRect(&rect);
        m_wndTree.MoveWindow(&rect);
    }
}

void CPdmTreeView::OnDraw(CDC* /*pDC*/) {}

int CPdmTreeView::LoadData(UINT nClassId, UINT nObjectId)
{
    return m_wndTree.LoadData(nClassId, nObjectId);
}

CString CPdmTreeView::GetItemPath(HTREEITEM hItem)
{
    return m_wndTree.GetItemPath(hItem);
}

BOOL CPdmTreeView::GetItemInfo(HTREEITEM hItem, UINT& nClassId, UINT& nObjectId)
{
    return m_wndTree.GetItemInfo(hItem, nClassId, nObjectId);
}

LRESULT CPdmTreeView::OnMsgPdmTreeSelChanged(WPARAM wParam, LPARAM lParam)
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SendMessage(WM_PDMTREEVIEW_SELCHANGED, wParam, lParam);
    return 0;
}
