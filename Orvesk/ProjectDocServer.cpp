// The project document as a server document: its embedded item, its document-object server
// and the in-place frame the view moves into while a container shows the project.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Frames/OleIPFrameWnd.h>

#include "ProjectDoc.h"
#include "SrvrItem.h"

#include <vector>

namespace {

// The descendant window with that id, searched depth first.
CWnd* FindDescendant(CWnd* pWnd, int nID)
{
    for (CWnd* pChild = pWnd->GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT))
    {
        if (pChild->GetDlgCtrlID() == nID)
            return pChild;
        if (CWnd* pFound = FindDescendant(pChild, nID))
            return pFound;
    }
    return NULL;
}

std::vector<CWnd*> ChildrenOf(CWnd* pWnd)
{
    std::vector<CWnd*> children;
    for (CWnd* pChild = pWnd->GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT))
        children.push_back(pChild);
    return children;
}

}  // namespace

CServerSrvrItem* CProjectDoc::GetEmbeddedItem()
{
    return static_cast<CServerSrvrItem*>(COleServerDoc::GetEmbeddedItem());
}

COleServerItem* CProjectDoc::OnGetEmbeddedItem()
{
    return new CServerSrvrItem(this);
}

CDocObjectServer* CProjectDoc::GetDocObjectServer(LPOLEDOCUMENTSITE pDocSite)
{
    return new CDocObjectServer(this, pDocSite);
}

COleIPFrameWnd* CProjectDoc::CreateInPlaceFrame(CWnd* pParentWnd)
{
    CDocTemplate* pTemplate = GetDocTemplate();
    if (pTemplate == NULL)
        return NULL;

    // A document with a window lends its first pane's view.
    CView* pView = NULL;
    POSITION pos = GetFirstViewPosition();
    if (pos != NULL)
    {
        CView* pAnyView = GetNextView(pos);
        CFrameWnd* pFrame = pAnyView->GetParentFrame();
        pView = static_cast<CView*>(pFrame != NULL ? FindDescendant(pFrame, AFX_IDW_PANE_FIRST) : NULL);
        if (pView != NULL)
            m_pOrigParent = pView->GetParent();
    }

    COleIPFrameWnd* pFrameWnd =
        static_cast<COleIPFrameWnd*>(pTemplate->CreateOleFrame(pParentWnd, this, pView == NULL));
    if (pFrameWnd == NULL)
    {
        m_pOrigParent = NULL;
        return NULL;
    }

    if (pView != NULL && m_pOrigParent != NULL)
    {
        for (CWnd* pChild : ChildrenOf(m_pOrigParent))
            if (pChild->GetParentFrame() != pFrameWnd)
                pChild->SetParent(pFrameWnd);
        pFrameWnd->RecalcLayout();
        pView->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_DRAWFRAME);
    }
    else
    {
        pTemplate->InitialUpdateFrame(pFrameWnd, this, FALSE);
    }
    return pFrameWnd;
}

void CProjectDoc::DestroyInPlaceFrame(COleIPFrameWnd* pFrameWnd)
{
    if (pFrameWnd == NULL)
        return;
    if (m_pOrigParent != NULL)
    {
        CWnd* pFocus = CWnd::GetFocus();
        if (pFocus != NULL && (pFocus == pFrameWnd || pFrameWnd->IsChild(pFocus)))
        {
            CWnd* pFocusParent = pFocus->GetParent();
            ::SetFocus(pFocusParent != NULL && pFocusParent != pFrameWnd ? pFocusParent->GetSafeHwnd() : NULL);
        }
        CView* pView = static_cast<CView*>(FindDescendant(pFrameWnd, AFX_IDW_PANE_FIRST));
        for (CWnd* pChild : ChildrenOf(pFrameWnd))
            if (!pChild->IsKindOf(RUNTIME_CLASS(CControlBar)))
                pChild->SetParent(m_pOrigParent);
        if (pView != NULL)
        {
            const DWORD dwStyle = pView->GetStyle();
            if (dwStyle & WS_HSCROLL)
                pView->SetScrollRange(SB_HORZ, 0, 0, FALSE);
            if (dwStyle & WS_VSCROLL)
                pView->SetScrollRange(SB_VERT, 0, 0, FALSE);
            pView->ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_DRAWFRAME);
        }
        CFrameWnd* pOldFrame = m_pOrigParent->IsKindOf(RUNTIME_CLASS(CFrameWnd))
                                   ? static_cast<CFrameWnd*>(m_pOrigParent)
                                   : m_pOrigParent->GetParentFrame();
        m_pOrigParent = NULL;
        if (pOldFrame != NULL)
            pOldFrame->RecalcLayout();
    }
    pFrameWnd->DestroyWindow();
}
