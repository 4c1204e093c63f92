// The task tree view: the chart's zoom commands and the printing of the project window,
// both handed to the first Gantt bar view of the document (the chart is what is printed).
#include "TaskTreeView.h"

#include "GanttBarView.h"

CGanttBarView* CTaskTreeView::FirstGanttBar()
{
    CDocument* pDoc = CView::GetDocument();
    if (!pDoc)
        return NULL;
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != NULL)
    {
        CView* pView = pDoc->GetNextView(pos);
        if (pView && pView->IsKindOf(RUNTIME_CLASS(CGanttBarView)))
            return static_cast<CGanttBarView*>(pView);
    }
    return NULL;
}

void CTaskTreeView::OnZoomOut()
{
    if (CGanttBarView* pBar = FirstGanttBar())
        pBar->ZoomOut();
}

void CTaskTreeView::OnZoomIn()
{
    if (CGanttBarView* pBar = FirstGanttBar())
        pBar->ZoomIn();
}

BOOL CTaskTreeView::OnPreparePrinting(CPrintInfo* pInfo)
{
    // Without a chart there is nothing to print.
    CGanttBarView* pBar = FirstGanttBar();
    if (!pBar || !pBar->OnPreparePrinting(pInfo))
        return FALSE;
    return CView::OnPreparePrinting(pInfo);
}

void CTaskTreeView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (CGanttBarView* pBar = FirstGanttBar())
        pBar->OnBeginPrinting(pDC, pInfo);
}

void CTaskTreeView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (CGanttBarView* pBar = FirstGanttBar())
        pBar->OnPrepareDC(pDC, pInfo);
    CView::OnPrepareDC(pDC, pInfo);
}

void CTaskTreeView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (CGanttBarView* pBar = FirstGanttBar())
        pBar->OnPrint(pDC, pInfo);
}

void CTaskTreeView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (CGanttBarView* pBar = FirstGanttBar())
        pBar->OnEndPrinting(pDC, pInfo);
}

void CTaskTreeView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView)
{
    if (CGanttBarView* pBar = FirstGanttBar())
        pBar->OnEndPrintPreview(pDC, pInfo, point, pView);
    else
        CView::OnEndPrintPreview(pDC, pInfo, point, pView);
}
