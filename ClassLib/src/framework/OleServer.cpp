// Server documents, items and the in-place frame, without embedding.
#include "Framework.h"

#include <ClassLib/DocView/OleServer.h>
#include <ClassLib/Frames/OleIPFrameWnd.h>

IMPLEMENT_DYNAMIC(COleDocument, CDocument)
IMPLEMENT_DYNAMIC(COleServerDoc, COleDocument)
IMPLEMENT_DYNAMIC(COleServerItem, CCmdTarget)
IMPLEMENT_DYNAMIC(CDocObjectServer, CCmdTarget)
IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(COleResizeBar, CControlBar)

void AfxOleTerm(BOOL)
{
}

void AfxEnableControlContainer()
{
}

COleDocument::COleDocument() : m_bCompoundFile(FALSE)
{
}

COleDocument::~COleDocument() = default;

// ---- Items --------------------------------------------------------------------------------

COleServerItem::COleServerItem(COleServerDoc* pServerDoc, BOOL bAutoDelete)
    : m_bAutoDelete(bAutoDelete), m_pDocument(pServerDoc), m_bLinked(FALSE)
{
}

COleServerItem::~COleServerItem()
{
    if (m_pDocument != nullptr && m_pDocument->m_pEmbeddedItem == this)
        m_pDocument->m_pEmbeddedItem = nullptr;
}

BOOL COleServerItem::OnGetExtent(DVASPECT, CSize& rSize)
{
    rSize = CSize(0, 0);
    return FALSE;
}

void COleServerItem::OnUpdate(COleServerItem*, LPARAM, CObject*, DVASPECT)
{
}

void COleServerItem::NotifyChanged(DVASPECT)
{
}

void COleServerItem::Serialize(CArchive& ar)
{
    // A linked item stores nothing; an embedded one stores its document.
    if (!m_bLinked && m_pDocument != nullptr)
        m_pDocument->Serialize(ar);
}

// ---- Server documents ---------------------------------------------------------------------

COleServerDoc::COleServerDoc() : m_pEmbeddedItem(nullptr)
{
}

COleServerDoc::~COleServerDoc()
{
    if (m_pEmbeddedItem != nullptr)
    {
        COleServerItem* pItem = m_pEmbeddedItem;
        m_pEmbeddedItem = nullptr;
        pItem->m_pDocument = nullptr;
        if (pItem->m_bAutoDelete)
            delete pItem;
    }
}

COleServerItem* COleServerDoc::GetEmbeddedItem()
{
    if (m_pEmbeddedItem == nullptr)
        m_pEmbeddedItem = OnGetEmbeddedItem();
    return m_pEmbeddedItem;
}

CDocObjectServer* COleServerDoc::GetDocObjectServer(LPOLEDOCUMENTSITE)
{
    return nullptr;
}

COleIPFrameWnd* COleServerDoc::CreateInPlaceFrame(CWnd* pParentWnd)
{
    CDocTemplate* pTemplate = GetDocTemplate();
    if (pTemplate == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(COleIPFrameWnd, pTemplate->CreateOleFrame(pParentWnd, this, FALSE));
}

void COleServerDoc::DestroyInPlaceFrame(COleIPFrameWnd* pFrameWnd)
{
    if (pFrameWnd != nullptr && pFrameWnd->m_hWnd != nullptr)
        pFrameWnd->DestroyWindow();
}

void COleServerDoc::OnDeactivateUI(BOOL)
{
}

void COleServerDoc::OnShowDocument(BOOL bShow)
{
    POSITION pos = GetFirstViewPosition();
    if (CView* pView = GetNextView(pos))
        if (CFrameWnd* pFrame = pView->GetParentFrame())
            if (bShow)
                pFrame->ActivateFrame();
}

void COleServerDoc::NotifyChanged()
{
}

void COleServerDoc::NotifyClosed()
{
}

void COleServerDoc::NotifySaved()
{
}

void COleServerDoc::NotifyRename(LPCTSTR)
{
}

void COleServerDoc::UpdateAllItems(COleServerItem* pSender, LPARAM lHint, CObject* pHint, DVASPECT nDrawAspect)
{
    if (m_pEmbeddedItem != nullptr && m_pEmbeddedItem != pSender)
        m_pEmbeddedItem->OnUpdate(pSender, lHint, pHint, nDrawAspect);
}

void COleServerDoc::SaveEmbedding()
{
}

BOOL COleServerDoc::OnNewDocument()
{
    return COleDocument::OnNewDocument();
}

BOOL COleServerDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    return COleDocument::OnOpenDocument(lpszPathName);
}

void COleServerDoc::DeleteContents()
{
    COleDocument::DeleteContents();
}

void COleServerDoc::OnCloseDocument()
{
    COleDocument::OnCloseDocument();
}

// ---- Document-object server ---------------------------------------------------------------

CDocObjectServer::CDocObjectServer(COleServerDoc* pOwner, LPOLEDOCUMENTSITE pDocSite)
    : m_pOwner(pOwner), m_pDocSite(pDocSite)
{
}

CDocObjectServer::~CDocObjectServer() = default;

// ---- In-place frame -----------------------------------------------------------------------

COleIPFrameWnd::COleIPFrameWnd() : m_bUIActive(FALSE)
{
}

COleIPFrameWnd::~COleIPFrameWnd() = default;

BOOL COleIPFrameWnd::OnCreateControlBars(CFrameWnd*, CFrameWnd*)
{
    return TRUE;
}

void COleIPFrameWnd::RepositionFrame(LPCRECT lpPosRect, LPCRECT)
{
    if (lpPosRect != nullptr && m_hWnd != nullptr)
        MoveWindow(lpPosRect, TRUE);
}

COleResizeBar::COleResizeBar() = default;

COleResizeBar::~COleResizeBar() = default;

BOOL COleResizeBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = 0;
    return CWnd::Create(AfxRegisterWndClass(0), nullptr, dwStyle & ~WS_VISIBLE, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void COleResizeBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
}
