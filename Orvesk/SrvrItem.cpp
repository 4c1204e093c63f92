// The project document's server item.
#include "SrvrItem.h"

#include "ProjectDoc.h"

IMPLEMENT_DYNAMIC(CServerSrvrItem, COleServerItem)

CServerSrvrItem::CServerSrvrItem(CProjectDoc* pContainerDoc) : COleServerItem(pContainerDoc, TRUE)
{
}

CServerSrvrItem::~CServerSrvrItem()
{
}

CProjectDoc* CServerSrvrItem::GetDocument() const
{
    return static_cast<CProjectDoc*>(COleServerItem::GetDocument());
}

void CServerSrvrItem::Serialize(CArchive& ar)
{
    // A linked item stores nothing; an embedded one is the whole project.
    if (!IsLinkedItem())
    {
        CProjectDoc* pDoc = GetDocument();
        ASSERT_VALID(pDoc);
        pDoc->Serialize(ar);
    }
}

BOOL CServerSrvrItem::OnGetExtent(DVASPECT dwDrawAspect, CSize& rSize)
{
    if (dwDrawAspect != DVASPECT_CONTENT)
        return COleServerItem::OnGetExtent(dwDrawAspect, rSize);
    rSize = CSize(3000, 3000);
    return TRUE;
}

BOOL CServerSrvrItem::OnDraw(CDC* pDC, CSize& /*rSize*/)
{
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowOrg(0, 0);
    pDC->SetWindowExt(3000, 3000);
    return TRUE;
}
