#include "PdmDocListView.h"

IMPLEMENT_DYNCREATE(CPdmDocListView, CView)

BEGIN_MESSAGE_MAP(CPdmDocListView, CView)
    ON_WM_SIZE()
    ON_MESSAGE(WM_PDMDOC_DBLCLK, OnMsgPdmDocDbLClk)
    ON_MESSAGE(WM_PDMDOC_VIEWCHANGE, OnMsgPdmDocViewChange)
END_MESSAGE_MAP()

CPdmDocListView::CPdmDocListView(int bBrowseOnly) : m_bBrowseOnly(bBrowseOnly) {}

CPdmDocListView::~CPdmDocListView() {}

void CPdmDocListView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (m_wndList.GetSafeHwnd() != NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    if (m_wndList.Create(WS_CHILD | WS_VISIBLE, rect, this, IDC_PDMDOCLIST))
        m_wndList.Init(m_bBrowseOnly, 3);
}

void CPdmDocListView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (GetSafeHwnd() != NULL && m_wndList.GetSafeHwnd() != NULL) {
        CRect rect;
        GetClientRect(&rect);
        m_wndList.MoveWindow(&rect);
    }
}

void CPdmDocListView::OnDraw(CDC* /*pDC*/) {}

LRESULT CPdmDocListView::OnMsgPdmDocDbLClk(WPARAM wParam, LPARAM lParam)
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SendMessage(WM_PDMDOCVIEW_DBLCLK, wParam, lParam);
    return 0;
}

LRESULT CPdmDocListView::OnMsgPdmDocViewChange(WPARAM wParam, LPARAM /*lParam*/)
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SendMessage(WM_PDMDOCVIEW_VIEWCHANGE, wParam, 0);
    return 0;
}

BOOL CPdmDocListView::LoadData(UINT nClassId, UINT nObjectId) { return m_wndList.LoadData(nClassId, nObjectId); }

BOOL CPdmDocListView::GetItemInfo(int nItem, UINT& nClassId, UINT& nObjectId)
{
    return m_wndList.GetItemInfo(nItem, nClassId, nObjectId);
}

int CPdmDocListView::GetListStyle() const { return m_wndList.GetListStyle(); }
BOOL CPdmDocListView::ViewIcon() { return m_wndList.ViewIcon(); }
BOOL CPdmDocListView::ViewSmall() { return m_wndList.ViewSmall(); }
BOOL CPdmDocListView::ViewList() { return m_wndList.ViewList(); }
BOOL CPdmDocListView::ViewReport() { return m_wndList.ViewReport(); }
BOOL CPdmDocListView::OpenDoc() { return m_wndList.OpenDoc(); }
