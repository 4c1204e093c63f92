#include "LumoDocMDIFrame.h"

#include "PdmDocListView.h"
#include "PdmTreeView.h"

IMPLEMENT_DYNCREATE(CLumoDocMDIFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CLumoDocMDIFrame, CMDIChildWnd)
    ON_MESSAGE(WM_PDMTREEVIEW_SELCHANGED, OnMsgPdmTreeSelChanged)
    ON_MESSAGE(WM_PDMDOCVIEW_DBLCLK, OnMsgDocListViewDblClk)
END_MESSAGE_MAP()

CLumoDocMDIFrame::CLumoDocMDIFrame() {}

CLumoDocMDIFrame::~CLumoDocMDIFrame() {}

BOOL CLumoDocMDIFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CMDIChildWnd::PreCreateWindow(cs);
}

BOOL CLumoDocMDIFrame::OnCreateClient(LPCREATESTRUCT /*lpcs*/, CCreateContext* pContext)
{
    CRect rect;
    GetClientRect(&rect);
    const int nWidth = rect.Width();
    const int nHeight = rect.Height();
    if (!m_wndSplitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CPdmTreeView), CSize(nWidth / 3, nHeight), pContext) ||
        !m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CPdmDocListView), CSize(nWidth - nWidth / 3 - 5, nHeight),
                                  pContext)) {
        m_wndSplitter.DestroyWindow();
        return FALSE;
    }
    // The splitter holds the first pane's id: the folder tree is made the active view here,
    // so that the document's commands (关闭 among them) reach the window's document.
    if (CPdmTreeView* pTree = GetLeftPane())
        SetActiveView(pTree, FALSE);
    return TRUE;
}

CPdmTreeView* CLumoDocMDIFrame::GetLeftPane()
{
    if (m_wndSplitter.GetSafeHwnd() == NULL)
        return NULL;
    CWnd* pWnd = m_wndSplitter.GetPane(0, 0);
    return (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CPdmTreeView))) ? static_cast<CPdmTreeView*>(pWnd) : NULL;
}

CPdmDocListView* CLumoDocMDIFrame::GetRightPane()
{
    if (m_wndSplitter.GetSafeHwnd() == NULL)
        return NULL;
    CWnd* pWnd = m_wndSplitter.GetPane(0, 1);
    return (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CPdmDocListView))) ? static_cast<CPdmDocListView*>(pWnd)
                                                                             : NULL;
}

int CLumoDocMDIFrame::LoadData(UINT nClassId, UINT nObjectId)
{
    CPdmTreeView* pTree = GetLeftPane();
    return pTree != NULL ? pTree->LoadData(nClassId, nObjectId) : FALSE;
}

LRESULT CLumoDocMDIFrame::OnMsgPdmTreeSelChanged(WPARAM wParam, LPARAM lParam)
{
    if (CPdmDocListView* pList = GetRightPane())
        pList->LoadData((UINT)wParam, (UINT)lParam);
    return 0;
}

LRESULT CLumoDocMDIFrame::OnMsgDocListViewDblClk(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (CPdmDocListView* pList = GetRightPane())
        pList->OpenDoc();
    return 0;
}
