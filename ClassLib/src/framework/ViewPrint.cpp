// CView printing: the print loop and the preview run on the printing layer's printer DC
// and print record.
#include "Framework.h"

BOOL CView::DoPreparePrinting(CPrintInfo*)
{
    // Without the printing layer no printer can be chosen: printing is refused.
    TRACE("Warning: no printing layer in this build.\n");
    return FALSE;
}

void CView::OnEndPrintPreview(CDC*, CPrintInfo*, POINT, CPreviewView*)
{
}

void CView::OnFilePrint()
{
}

void CView::OnFilePrintPreview()
{
}
