// CMDIFrameWnd: the main window whose client area holds the document frames.
#include "Framework.h"

#include <ClassLib/Menus/MenuQt.h>

#include <algorithm>

#include "FrameMenus.h"
#include "FrameworkStrings.h"

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

namespace {

// The MDI client: a plain child window under the frame's bars that holds the document
// frames; it paints the application-workspace colour behind them.
class CMDIClientWnd : public CWnd
{
public:
    explicit CMDIClientWnd(CMDIFrameWnd* pFrame) : m_pFrame(pFrame) {}

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        CRect rc;
        GetClientRect(&rc);
        pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_APPWORKSPACE));
        return TRUE;
    }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, ::GetSysColor(COLOR_APPWORKSPACE));
    }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CWnd::OnSize(nType, cx, cy);
        // A maximised child follows the client area.
        if (CMDIChildWnd* pChild = m_pFrame->MDIGetActive())
            if (pChild->IsMaximized())
            {
                // Its caption and borders stay outside, as MDIMaximize placed them.
                CRect rc(0, 0, cx, cy);
                pChild->CalcWindowRect(&rc, CWnd::adjustBorder);
                pChild->MoveWindow(&rc, TRUE);
            }
    }
    CMDIFrameWnd* m_pFrame;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMDIClientWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SIZE()
END_MESSAGE_MAP()

// The open windows at the end of the frame's Window menu, as the platform's MDI client
// keeps them: a separator, then "&1 title" and so on for the first nine children in
// creation order, the active one checked. Their commands activate the child (OnCommand).
void UpdateWindowList(CMDIFrameWnd* pFrame, const std::vector<CMDIChildWnd*>& children, const CMDIChildWnd* pActive)
{
    if (pFrame->m_hWnd == nullptr)
        return;
    HMENU hPopup = pFrame->GetWindowMenuPopup(::GetMenu(pFrame->m_hWnd));
    if (hPopup == nullptr)
        return;
    CMenu* pPopup = CMenu::FromHandle(hPopup);
    bool hadList = false;
    for (int i = static_cast<int>(pPopup->GetMenuItemCount()) - 1; i >= 0; --i)
    {
        UINT nID = pPopup->GetMenuItemID(i);
        if (nID >= AFX_IDM_FIRST_MDICHILD && nID < AFX_IDM_FIRST_MDICHILD + 0x100)
        {
            pPopup->DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);
            hadList = true;
        }
    }
    int n = static_cast<int>(pPopup->GetMenuItemCount());
    if (hadList && n > 0 && (pPopup->GetMenuState(static_cast<UINT>(n - 1), MF_BYPOSITION) & MF_SEPARATOR))
        pPopup->DeleteMenu(static_cast<UINT>(n - 1), MF_BYPOSITION);
    std::vector<CMDIChildWnd*> shown;
    for (CMDIChildWnd* pChild : children)
        if (pChild->m_hWnd != nullptr && shown.size() < 9)
            shown.push_back(pChild);
    if (shown.empty())
        return;
    pPopup->AppendMenu(MF_SEPARATOR);
    for (size_t i = 0; i < shown.size(); ++i)
    {
        CString title;
        shown[i]->GetWindowText(title);
        title.Replace("&", "&&");
        CString text;
        text.Format("&%d %s", static_cast<int>(i) + 1, static_cast<LPCTSTR>(title));
        // The command is the child's index among all children, as OnCommand reads it.
        const auto index = std::find(children.begin(), children.end(), shown[i]) - children.begin();
        pPopup->AppendMenu(MF_STRING | (shown[i] == pActive ? MF_CHECKED : MF_UNCHECKED),
                           AFX_IDM_FIRST_MDICHILD + static_cast<UINT>(index), text);
    }
}

}  // namespace

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(nullptr), m_pActiveChild(nullptr), m_pMDIClient(nullptr)
{
}

CMDIFrameWnd::~CMDIFrameWnd() = default;

CWnd* CMDIFrameWnd::GetMDIClient() const
{
    return m_pMDIClient;
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // The main frame's own menu is the one shown while no child is open.
    m_hMenuDefault = pc_frame::GetWindowMenu(m_hWnd);
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    if (m_hMenuDefault == nullptr)
        m_hMenuDefault = pc_frame::GetWindowMenu(m_hWnd);
    return CreateClient(lpcs, AfxMenuFromHandle(m_hMenuDefault));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu*)
{
    CMDIClientWnd* pClient = new CMDIClientWnd(this);
    CRect rc;
    GetClientRect(&rc);
    if (!pClient->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rc, this,
                         AFX_IDW_PANE_FIRST))
    {
        delete pClient;
        TRACE("Warning: CMDIFrameWnd::OnCreateClient: failed to create MDICLIENT.\n");
        return FALSE;
    }
    m_pMDIClient = pClient;
    m_hWndMDIClient = pClient->m_hWnd;
    return TRUE;
}

void CMDIFrameWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
}

void CMDIFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
}

void CMDIFrameWnd::AddChild(CMDIChildWnd* pChild)
{
    if (std::find(m_children.begin(), m_children.end(), pChild) == m_children.end())
    {
        m_children.push_back(pChild);
        m_zOrder.insert(m_zOrder.begin(), pChild);
    }
}

void CMDIFrameWnd::RemoveChild(CMDIChildWnd* pChild)
{
    m_children.erase(std::remove(m_children.begin(), m_children.end(), pChild), m_children.end());
    m_zOrder.erase(std::remove(m_zOrder.begin(), m_zOrder.end(), pChild), m_zOrder.end());
    if (m_pActiveChild == pChild)
    {
        const BOOL bWasMaximized = pChild->IsMaximized();
        m_pActiveChild = nullptr;
        // The child below becomes active (maximised when the closed one was); with none
        // the frame shows its own menu.
        if (!m_zOrder.empty())
        {
            CMDIChildWnd* pNext = m_zOrder.front();
            ActivateChild(pNext, TRUE);
            if (bWasMaximized && pNext->m_hWnd != nullptr && !pNext->IsMaximized())
                pNext->MDIMaximize();
        }
        else
        {
            OnUpdateFrameMenu(nullptr);
            OnUpdateFrameTitle(TRUE);
        }
    }
}

int CMDIFrameWnd::GetMDIChildCount() const
{
    return static_cast<int>(m_children.size());
}

CMDIChildWnd* CMDIFrameWnd::GetMDIChild(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetMDIChildCount())
        return nullptr;
    return m_children[static_cast<size_t>(nIndex)];
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (pbMaximized != nullptr)
        *pbMaximized = m_pActiveChild != nullptr && m_pActiveChild->IsMaximized();
    return m_pActiveChild;
}

void CMDIFrameWnd::ActivateChild(CMDIChildWnd* pChild, BOOL bNotify)
{
    if (pChild == nullptr || std::find(m_children.begin(), m_children.end(), pChild) == m_children.end())
        return;
    CMDIChildWnd* pOld = m_pActiveChild;
    if (pOld == pChild)
        return;
    // A maximised child passes the maximised state on.
    BOOL bMax = pOld != nullptr && pOld->IsMaximized();
    m_pActiveChild = pChild;
    m_zOrder.erase(std::remove(m_zOrder.begin(), m_zOrder.end(), pChild), m_zOrder.end());
    m_zOrder.insert(m_zOrder.begin(), pChild);
    if (pOld != nullptr && pOld->m_hWnd != nullptr)
    {
        pOld->m_bActive = FALSE;
        pOld->SendMessage(WM_NCACTIVATE, FALSE, 0);
        pOld->Invalidate();
        if (bNotify)
        {
            if (CView* pView = pOld->GetActiveView())
                pView->OnActivateFrame(WA_INACTIVE, pOld);
        }
        if (bMax)
            pOld->MDIRestore();
    }
    pChild->m_bActive = TRUE;
    pChild->SendMessage(WM_NCACTIVATE, TRUE, 0);
    if (bMax && !pChild->IsMaximized())
        pChild->MDIMaximize();
    pChild->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pChild->Invalidate();
    pChild->OnUpdateFrameMenu(TRUE, pChild, nullptr);
    if (bNotify)
    {
        if (CView* pView = pChild->GetActiveView())
        {
            pView->OnActivateFrame(WA_ACTIVE, pChild);
            pView->OnActivateView(TRUE, pView, pView);
        }
    }
    OnUpdateFrameTitle(TRUE);
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ActivateChild(DYNAMIC_DOWNCAST(CMDIChildWnd, pWndActivate), TRUE);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pWnd))
        pChild->MDIMaximize();
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pWnd))
        pChild->MDIRestore();
}

void CMDIFrameWnd::MDINext()
{
    if (m_zOrder.size() < 2)
        return;
    // The active child goes to the bottom; the next one comes up.
    CMDIChildWnd* pActive = m_zOrder.front();
    CMDIChildWnd* pNext = m_zOrder[1];
    ActivateChild(pNext, TRUE);
    m_zOrder.erase(std::remove(m_zOrder.begin(), m_zOrder.end(), pActive), m_zOrder.end());
    m_zOrder.push_back(pActive);
}

void CMDIFrameWnd::MDIPrev()
{
    if (m_zOrder.size() < 2)
        return;
    ActivateChild(m_zOrder.back(), TRUE);
}

void CMDIFrameWnd::MDICascade()
{
    MDICascade(0);
}

void CMDIFrameWnd::MDICascade(int)
{
    if (m_pMDIClient == nullptr)
        return;
    CRect client;
    m_pMDIClient->GetClientRect(&client);
    int step = CMDIChildWnd::GetCaptionHeight() + 2;
    // Windows in creation order, each one step below and right of the one before; the
    // size leaves room for all the steps.
    int n = 0;
    std::vector<CMDIChildWnd*> order;
    for (CMDIChildWnd* p : m_children)
        if (p->m_hWnd != nullptr && !p->IsMinimized())
            order.push_back(p);
    int nCount = static_cast<int>(order.size());
    int cx = std::max<int>(client.Width() * 3 / 4, client.Width() - step * std::max(0, nCount - 1));
    int cy = std::max<int>(client.Height() * 3 / 4, client.Height() - step * std::max(0, nCount - 1));
    for (CMDIChildWnd* p : order)
    {
        if (p->IsMaximized())
            p->MDIRestore();
        int x = (n * step) % std::max(1, static_cast<int>(client.Width()) - cx + 1);
        int y = (n * step) % std::max(1, static_cast<int>(client.Height()) - cy + 1);
        p->MoveWindow(x, y, std::min<int>(cx, client.Width()), std::min<int>(cy, client.Height()), TRUE);
        ++n;
    }
    // The active one stays on top.
    if (m_pActiveChild != nullptr)
        m_pActiveChild->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CMDIFrameWnd::MDITile()
{
    MDITile(MDITILE_HORIZONTAL);
}

void CMDIFrameWnd::MDITile(int nType)
{
    if (m_pMDIClient == nullptr)
        return;
    CRect client;
    m_pMDIClient->GetClientRect(&client);
    std::vector<CMDIChildWnd*> order;
    for (CMDIChildWnd* p : m_children)
        if (p->m_hWnd != nullptr && !p->IsMinimized())
            order.push_back(p);
    int n = static_cast<int>(order.size());
    if (n == 0)
        return;
    // Horizontal tiling stacks the windows (full width); vertical puts them side by side.
    // With more than three, they form a grid: columns of nearly equal counts.
    int nCols, nRows;
    if (n <= 3)
    {
        nCols = (nType & MDITILE_HORIZONTAL) ? 1 : n;
        nRows = (nType & MDITILE_HORIZONTAL) ? n : 1;
    }
    else
    {
        int k = 1;
        while (k * k < n)
            ++k;
        nCols = (nType & MDITILE_HORIZONTAL) ? (n + k - 1) / k : k;
        nRows = (n + nCols - 1) / nCols;
    }
    int i = 0;
    for (int c = 0; c < nCols; ++c)
    {
        int nInCol = std::min(nRows, n - i);
        if (c == nCols - 1)
            nInCol = n - i;
        int x0 = client.left + client.Width() * c / nCols;
        int x1 = client.left + client.Width() * (c + 1) / nCols;
        for (int r = 0; r < nInCol; ++r, ++i)
        {
            int y0 = client.top + client.Height() * r / nInCol;
            int y1 = client.top + client.Height() * (r + 1) / nInCol;
            CMDIChildWnd* p = order[static_cast<size_t>(i)];
            if (p->IsMaximized())
                p->MDIRestore();
            p->MoveWindow(x0, y0, x1 - x0, y1 - y0, TRUE);
        }
    }
}

void CMDIFrameWnd::MDIIconArrange()
{
    // Minimised children line up along the bottom of the client area.
    if (m_pMDIClient == nullptr)
        return;
    CRect client;
    m_pMDIClient->GetClientRect(&client);
    int x = 0;
    int cy = CMDIChildWnd::GetCaptionHeight() + 4;
    for (CMDIChildWnd* p : m_children)
    {
        if (p->m_hWnd == nullptr || !p->IsMinimized())
            continue;
        p->MoveWindow(x, client.bottom - cy, 160, cy, TRUE);
        x += 160;
    }
}

HMENU CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu*)
{
    HMENU hOld = pc_frame::GetWindowMenu(m_hWnd);
    if (pFrameMenu != nullptr)
        pc_frame::SetWindowMenu(m_hWnd, pc_frame::MenuHandleOf(pFrameMenu));
    return hOld;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    return pc_frame::FindWindowPopup(hMenuBar);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    if (m_pActiveChild != nullptr)
        return m_pActiveChild;
    return this;
}

HACCEL CMDIFrameWnd::GetDefaultAccelerator()
{
    // The active child's template accelerators come first.
    if (m_pActiveChild != nullptr)
    {
        HACCEL h = m_pActiveChild->GetDefaultAccelerator();
        if (h != nullptr)
            return h;
    }
    return m_hAccelTable;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (m_pActiveChild != nullptr)
        m_pActiveChild->OnUpdateFrameMenu(TRUE, m_pActiveChild, hMenuAlt);
    else
        CFrameWnd::OnUpdateFrameMenu(hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault);
    UpdateWindowList(this, m_children, m_pActiveChild);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    // The children's titles and the active one are what the Window menu lists; a
    // maximised active child has its controls in the menu bar.
    UpdateWindowList(this, m_children, m_pActiveChild);
    AfxSetMenuBarChildControls(m_hWnd, m_pActiveChild != nullptr && m_pActiveChild->IsMaximized() &&
                                              m_pActiveChild->m_hWnd != nullptr
                                          ? m_pActiveChild->m_hWnd
                                          : nullptr);
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CMDIChildWnd* pActive = MDIGetActive();
    // The active document's title joins the frame's when the child is maximised (or
    // whenever there is one, as the platform does with FWS_ADDTOTITLE).
    CDocument* pDocument = pActive != nullptr ? pActive->GetActiveDocument() : nullptr;
    if (bAddToTitle && pDocument != nullptr)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active child (its view, document and template) first, then this frame.
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive != nullptr && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Commands of the window list activate that child.
    UINT nID = LOWORD(wParam);
    if (lParam == 0 && nID >= AFX_IDM_FIRST_MDICHILD && nID < AFX_IDM_FIRST_MDICHILD + 0x100)
    {
        CMDIChildWnd* pChild = GetMDIChild(static_cast<int>(nID - AFX_IDM_FIRST_MDICHILD));
        if (pChild != nullptr)
        {
            MDIActivate(pChild);
            return TRUE;
        }
    }
    return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    // The MDI keys come first, as the platform's MDI client has them: Ctrl+F4 closes the
    // active child, Ctrl+F6 (with Shift: backwards) activates the next one.
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && ::GetKeyState(VK_CONTROL) < 0 &&
        ::GetKeyState(VK_MENU) >= 0 && (pMsg->wParam == VK_F4 || pMsg->wParam == VK_F6))
    {
        if (CMDIChildWnd* pActive = MDIGetActive())
        {
            if (pMsg->wParam == VK_F4)
                pActive->PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
            else
                pActive->PostMessage(WM_SYSCOMMAND, ::GetKeyState(VK_SHIFT) < 0 ? SC_PREVWINDOW : SC_NEXTWINDOW, 0);
            return TRUE;
        }
    }
    // The active child's PreTranslateMessage is run by the message path from the focus;
    // here the frame's own accelerators work.
    return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID)
    {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    CDocument* pDocument = pActiveChild != nullptr ? pActiveChild->GetActiveDocument() : nullptr;
    if (pDocument == nullptr)
    {
        TRACE("Warning: No active document for WindowNew command.\n");
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        return;
    }
    CDocTemplate* pTemplate = pDocument->GetDocTemplate();
    if (pTemplate == nullptr)
        return;
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDocument, pActiveChild);
    if (pFrame == nullptr)
    {
        TRACE("Warning: failed to create new frame.\n");
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDocument);
}

void CMDIFrameWnd::OnDestroy()
{
    // The children go first (their documents close with them).
    std::vector<CMDIChildWnd*> children = m_children;
    for (CMDIChildWnd* p : children)
        if (p->m_hWnd != nullptr)
            p->DestroyWindow();
    m_children.clear();
    m_zOrder.clear();
    m_pActiveChild = nullptr;
    CFrameWnd::OnDestroy();
}
