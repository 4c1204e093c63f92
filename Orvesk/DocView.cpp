#include "DocView.h"

IMPLEMENT_DYNCREATE(CDocView, CEditView)

CDocView::CDocView() {}

CDocView::~CDocView() {}

void CDocView::OnDraw(CDC* pDC)
{
    if (pDC)
        pDC->TextOut(200, 200, _T("This is Doc View."));
}
