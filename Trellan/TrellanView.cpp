#include "TrellanView.h"

IMPLEMENT_DYNCREATE(CTrellanView, CView)

BEGIN_MESSAGE_MAP(CTrellanView, CView)
    ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CTrellanView::CTrellanView() {}

CTrellanView::~CTrellanView() {}

void CTrellanView::OnDraw(CDC*) {}

BOOL CTrellanView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}
