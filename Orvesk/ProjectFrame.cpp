#include "ProjectFrame.h"

#include "DocView.h"
#include "GanttView.h"
#include "ProjectDoc.h"

IMPLEMENT_DYNCREATE(CProjectFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CProjectFrame, CMDIChildWnd)
END_MESSAGE_MAP()

CProjectFrame::CProjectFrame() {}

CProjectFrame::~CProjectFrame() {}

CRuntimeClass* CProjectFrame::ViewClassForType(int nViewType)
{
    switch (nViewType)
    {
    case 1:
        // The network view lives with the distribution chart; found by its name.
        return CRuntimeClass::FromName("CNetworkView");
    case 2:
        return RUNTIME_CLASS(CGanttView);
    case 3:
        return RUNTIME_CLASS(CDocView);
    default:
        return NULL;
    }
}

BOOL CProjectFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (pContext && pContext->m_pCurrentDoc && pContext->m_pCurrentDoc->IsKindOf(RUNTIME_CLASS(CProjectDoc)))
    {
        CProjectDoc* pDoc = static_cast<CProjectDoc*>(pContext->m_pCurrentDoc);
        if (CRuntimeClass* pClass = ViewClassForType(pDoc->GetViewType()))
            pContext->m_pNewViewClass = pClass;
    }
    return CMDIChildWnd::OnCreateClient(lpcs, pContext);
}
