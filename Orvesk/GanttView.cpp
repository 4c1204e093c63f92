#include "GanttView.h"

#include <ClassLib/Frames/FrameWnd.h>

#include "GanttBarView.h"
#include "ProjectDoc.h"
#include "TaskTreeView.h"

IMPLEMENT_DYNCREATE(CGanttView, CView)

BEGIN_MESSAGE_MAP(CGanttView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CGanttView::CGanttView() {}

CGanttView::~CGanttView() {}

CProjectDoc* CGanttView::GetDocument() const
{
    CDocument* pDoc = CView::GetDocument();
    ASSERT(pDoc == NULL || pDoc->IsKindOf(RUNTIME_CLASS(CProjectDoc)));
    return static_cast<CProjectDoc*>(pDoc);
}

CRuntimeClass* CGanttView::BarViewClass()
{
    return RUNTIME_CLASS(CGanttBarView);
}

BOOL CGanttView::PreCreateWindow(CREATESTRUCT& cs)
{
    return CView::PreCreateWindow(cs);
}

int CGanttView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;

    // The frame's creation context, which names this container's document.
    CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
    if (!m_wndSplitter.CreatePanes(this, _T("GanttView"), RUNTIME_CLASS(CTaskTreeView), BarViewClass(), pContext))
        return -1;
    return 0;
}

void CGanttView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    m_wndSplitter.FitToContainer(cx, cy);
}

void CGanttView::OnInitialUpdate()
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->ShowWindow(SW_MAXIMIZE);
    CView::OnInitialUpdate();
}

void CGanttView::OnUpdate(CView* /*pSender*/, LPARAM /*lHint*/, CObject* /*pHint*/)
{
}

void CGanttView::OnDraw(CDC* /*pDC*/)
{
}
