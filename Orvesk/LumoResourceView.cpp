#include "LumoResourceView.h"

#include <ClassLib/Frames/FrameWnd.h>

#include "ProjectDoc.h"
#include "ResListView.h"
#include "ResTreeView.h"

IMPLEMENT_DYNCREATE(CLumoResourceView, CView)

BEGIN_MESSAGE_MAP(CLumoResourceView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CLumoResourceView::CLumoResourceView() {}

CLumoResourceView::~CLumoResourceView() {}

CProjectDoc* CLumoResourceView::GetDocument() const
{
    CDocument* pDoc = CView::GetDocument();
    ASSERT(pDoc == NULL || pDoc->IsKindOf(RUNTIME_CLASS(CProjectDoc)));
    return static_cast<CProjectDoc*>(pDoc);
}

int CLumoResourceView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;

    m_wndSplitter.SetRegName(_T("LumoResourceView"));
    if (!m_wndSplitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return -1;
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CResTreeView), CSize(270, 0), pContext))
    {
        TRACE("Failed to create CResTreeView\n");
        return -1;
    }
    if (!m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CResListView), CSize(0, 0), pContext))
    {
        TRACE("Failed to create CResListView\n");
        return -1;
    }
    m_wndSplitter.ShowWindow(SW_SHOW);
    m_wndSplitter.GetPane(0, 0)->ShowWindow(SW_SHOW);
    m_wndSplitter.GetPane(0, 1)->ShowWindow(SW_SHOW);

    if (CFrameWnd* pFrame = GetParentFrame())
    {
        pFrame->SetActiveView((CView*)m_wndSplitter.GetPane(0, 0), TRUE);
        pFrame->RecalcLayout(TRUE);
    }
    return 0;
}

void CLumoResourceView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (!m_wndSplitter.GetSafeHwnd())
        return;
    if (m_wndSplitter.m_nLeftWidth == 0 && m_wndSplitter.m_nRightWidth == 0)
    {
        m_wndSplitter.SetRowInfo(0, cy, 10);
        m_wndSplitter.SetColumnInfo(0, cx / 3, 10);
        m_wndSplitter.SetColumnInfo(1, 2 * cx / 3, 10);
    }
    else
    {
        m_wndSplitter.SetColumnInfo(0, m_wndSplitter.m_nLeftWidth, 10);
        m_wndSplitter.SetColumnInfo(1, m_wndSplitter.m_nRightWidth, 10);
    }
    m_wndSplitter.MoveWindow(-2, -2, cx + 4, cy + 4, TRUE);
}

void CLumoResourceView::OnDraw(CDC* /*pDC*/)
{
}
