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

    // The frame's creation context, which names this container's document.
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (!m_wndSplitter.CreatePanes(this, _T("LumoResourceView"), RUNTIME_CLASS(CResTreeView),
                                   RUNTIME_CLASS(CResListView), pContext))
        return -1;
    return 0;
}

void CLumoResourceView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    m_wndSplitter.FitToContainer(cx, cy);
}

void CLumoResourceView::OnDraw(CDC* /*pDC*/)
{
}
