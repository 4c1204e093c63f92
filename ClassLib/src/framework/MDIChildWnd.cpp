// CMDIChildWnd: a document window inside the MDI client, with a caption of its own while
// it is not maximised.
#include "Framework.h"

#include <algorithm>

#include "FrameMenus.h"
#include "FrameworkStrings.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_LBUTTONDOWN()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SETFOCUS()
    ON_WM_SYSCOMMAND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd()
    : m_hMenuShared(nullptr),
      m_hAccelShared(nullptr),
      m_bMaximized(FALSE),
      m_bMinimized(FALSE),
      m_bActive(FALSE),
      m_rectRestore(0, 0, 0, 0)
{
}

CMDIChildWnd::~CMDIChildWnd() = default;

int CMDIChildWnd::GetCaptionHeight()
{
    return ::GetSystemMetrics(SM_CYCAPTION);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    CWnd* pClient = GetParent();
    CWnd* pFrame = pClient != nullptr ? pClient->GetParent() : nullptr;
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame);
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD | WS_CLIPSIBLINGS;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr)
        pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    if (pParentWnd == nullptr || pParentWnd->GetMDIClient() == nullptr)
    {
        TRACE("Error: an MDI child needs an MDI frame as main window.\n");
        return FALSE;
    }
    CWnd* pClient = pParentWnd->GetMDIClient();
    CRect client;
    pClient->GetClientRect(&client);
    CRect rc(rect);
    if (rect.left == CW_USEDEFAULT || rect.right - rect.left <= 0)
    {
        // A new child goes one caption below and right of the last one, three quarters of
        // the client area in size.
        int n = pParentWnd->GetMDIChildCount();
        int step = GetCaptionHeight() + 2;
        int cx = std::max<int>(client.Width() * 3 / 4, 100);
        int cy = std::max<int>(client.Height() * 3 / 4, 60);
        int x = (n * step) % std::max(1, static_cast<int>(client.Width()) - cx + 1);
        int y = (n * step) % std::max(1, static_cast<int>(client.Height()) - cy + 1);
        rc = CRect(x, y, x + cx, y + cy);
    }
    if (lpszWindowName != nullptr)
        m_strTitle = lpszWindowName;
    // Created hidden: ActivateFrame shows it in its final state.
    DWORD dwCreate = (dwStyle & ~(WS_VISIBLE | WS_MAXIMIZE | WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    m_bMaximized = (dwStyle & WS_MAXIMIZE) != 0;
    if (!CreateEx(0, lpszClassName, m_strTitle, dwCreate, rc.left, rc.top, rc.Width(), rc.Height(), pClient->m_hWnd,
                  nullptr, static_cast<LPVOID>(pContext)))
        return FALSE;
    m_rectRestore = rc;
    if (dwStyle & WS_VISIBLE)
        ActivateFrame(m_bMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFullString;
    if (AfxLoadString(nIDResource, strFullString))
        AfxExtractSubString(m_strTitle, strFullString, 0);
    // The template's menu and accelerators serve every child of the template.
    if (pContext != nullptr)
    {
        if (CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pContext->m_pNewDocTemplate))
        {
            m_hMenuShared = pTemplate->m_hMenuShared;
            m_hAccelTable = nullptr;
            m_hAccelShared = pTemplate->m_hAccelTable;
        }
    }
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd);
    // Without FWS_ADDTOTITLE, the style still shows the child.
    if (!Create(lpszClass, m_strTitle, dwDefaultStyle & ~WS_VISIBLE, rectDefault, pMDIFrame, pContext))
        return FALSE;
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->AddChild(this);
    return 0;
}

void CMDIChildWnd::OnDestroy()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    CFrameWnd::OnDestroy();
    if (pFrame != nullptr && pc_frame::IsLiveFrame(pFrame))
        pFrame->RemoveChild(this);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    return CFrameWnd::DestroyWindow();
}

void CMDIChildWnd::MDIDestroy()
{
    DestroyWindow();
}

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->MDIActivate(this);
}

void CMDIChildWnd::MDIMaximize()
{
    CWnd* pClient = GetParent();
    if (pClient == nullptr)
        return;
    // (A window ShowWindow already maximised keeps the rectangle it had before.)
    if (!m_bMaximized && !::IsZoomed(m_hWnd))
    {
        GetWindowRect(&m_rectRestore);
        pClient->ScreenToClient(&m_rectRestore);
    }
    m_bMaximized = TRUE;
    m_bMinimized = FALSE;
    // The frame's caption and borders lie outside the MDI client, so the views fill it.
    CRect rc;
    pClient->GetClientRect(&rc);
    CalcWindowRect(&rc, adjustBorder);
    MoveWindow(&rc, TRUE);
    RecalcLayout();
    Invalidate();
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::MDIMinimize()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr || m_bMinimized)
        return;
    if (!m_bMaximized)
    {
        GetWindowRect(&m_rectRestore);
        GetParent()->ScreenToClient(&m_rectRestore);
    }
    m_bMaximized = FALSE;
    m_bMinimized = TRUE;
    pFrame->MDIIconArrange();
    RecalcLayout();
    Invalidate();
    pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    // ShowWindow(SW_MAXIMIZE) on a document window maximises it inside the MDI client, as
    // the platform's MDI client does: its caption goes out of sight and its controls move
    // into the frame's menu bar.
    // (Posted: the move that reported this size is not finished yet.)
    if (nType == SIZE_MAXIMIZED && !m_bMaximized && GetMDIFrame() != nullptr)
        PostMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

void CMDIChildWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    // The caption buttons, the system menu and the MDI keys.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    switch (nID & 0xFFF0)
    {
    case SC_MAXIMIZE:
        if (!m_bMaximized)
            MDIMaximize();
        break;
    case SC_RESTORE:
        MDIRestore();
        break;
    case SC_MINIMIZE:
        MDIMinimize();
        break;
    case SC_NEXTWINDOW:
        if (pFrame != nullptr)
            pFrame->MDINext();
        break;
    case SC_PREVWINDOW:
        if (pFrame != nullptr)
            pFrame->MDIPrev();
        break;
    default:
        CFrameWnd::OnSysCommand(nID, lParam);
        break;
    }
}

void CMDIChildWnd::MDIRestore()
{
    if (!m_bMaximized && !m_bMinimized)
        return;
    m_bMaximized = FALSE;
    m_bMinimized = FALSE;
    if (::IsZoomed(m_hWnd) || ::IsIconic(m_hWnd))
        ::ShowWindow(m_hWnd, SW_RESTORE);  // the window's own state follows
    if (m_rectRestore.Width() > 0 && m_rectRestore.Height() > 0)
        MoveWindow(&m_rectRestore, TRUE);
    RecalcLayout();
    Invalidate();
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (nCmdShow == -1)
    {
        // A new child takes over the maximised state of the active one.
        BOOL bMax = FALSE;
        CMDIChildWnd* pActive = pFrame != nullptr ? pFrame->MDIGetActive(&bMax) : nullptr;
        nCmdShow = (bMax && pActive != this) || m_bMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    }
    if (nCmdShow == SW_SHOWMAXIMIZED || nCmdShow == SW_MAXIMIZE)
        MDIMaximize();
    else if (nCmdShow == SW_RESTORE && (m_bMaximized || m_bMinimized))
        MDIRestore();
    ShowWindow(nCmdShow == SW_HIDE ? SW_HIDE : SW_SHOW);
    if (nCmdShow != SW_HIDE && pFrame != nullptr)
        pFrame->ActivateChild(this, TRUE);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd*, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return;
    if (hMenuAlt == nullptr && bActive)
        hMenuAlt = m_hMenuShared;
    if (hMenuAlt != nullptr && bActive)
        pc_frame::SetWindowMenu(pFrame->m_hWnd, hMenuAlt);
    else if (!bActive)
        pc_frame::SetWindowMenu(pFrame->m_hWnd, pFrame->m_hMenuDefault);
}

HACCEL CMDIChildWnd::GetDefaultAccelerator()
{
    return m_hAccelTable != nullptr ? m_hAccelTable : m_hAccelShared;
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    // The child shows the document's title (numbered when several children show it).
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && pDocument != nullptr)
    {
        CString title = pDocument->GetTitle();
        if (m_nWindow > 0)
        {
            CString n;
            n.Format(":%d", m_nWindow);
            title += n;
        }
        CString current;
        GetWindowText(current);
        if (current != title)
            SetWindowText(title);
        Invalidate(FALSE);
    }
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(bAddToTitle);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HACCEL hAccel = GetDefaultAccelerator();
        if (hAccel != nullptr && pc_frame::TranslateAccel(GetMDIFrame() != nullptr ? GetMDIFrame()->m_hWnd : m_hWnd, hAccel, pMsg))
            return TRUE;
    }
    return FALSE;
}

void CMDIChildWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        if (pFrame->MDIGetActive() != this)
            pFrame->MDIActivate(this);
    return nResult;
}

void CMDIChildWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        if (pFrame->MDIGetActive() != this)
            pFrame->MDIActivate(this);
    CFrameWnd::OnLButtonDown(nFlags, point);
}

void CMDIChildWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // A click on the caption activates the child first.
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        if (pFrame->MDIGetActive() != this)
            pFrame->MDIActivate(this);
    CFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMDIChildWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    // A double click on the caption maximises the child (or restores it).
    if (nHitTest == HTCAPTION)
    {
        if (m_bMaximized)
            MDIRestore();
        else
            MDIMaximize();
        return;
    }
    CFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CMDIChildWnd::OnClose()
{
    CFrameWnd::OnClose();
}

void CMDIChildWnd::OnSetFocus(CWnd* pOldWnd)
{
    CFrameWnd::OnSetFocus(pOldWnd);
}
