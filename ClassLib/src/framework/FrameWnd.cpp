// CFrameWnd: creation from a resource id, the active view, layout of the bars and the pane,
// titles, messages in the status bar and command routing.
#include "Framework.h"

#include <algorithm>

#include "FrameMenus.h"
#include "FrameworkStrings.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMsg)
    ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_KANA, OnUpdateKeyIndicator)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CPrintPreviewState::CPrintPreviewState()
    : nIDMainPane(AFX_IDW_PANE_FIRST), hMenu(nullptr), dwStates(0), pViewActiveOld(nullptr), lpfnCloseProc(nullptr),
      hAccelTable(nullptr)
{
}

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE),
      m_nWindow(-1),
      m_hMenuDefault(nullptr),
      m_hAccelTable(nullptr),
      m_dwDockStyle(0),
      m_nIDHelp(0),
      m_nShowDelay(-1),
      m_pViewActive(nullptr),
      m_bInRecalcLayout(FALSE),
      m_lpfnCloseProc(nullptr),
      m_nIdleFlags(0),
      m_bFrameTitleDelayed(FALSE),
      m_bOwnMenu(FALSE),
      m_bIdleMessageShown(FALSE),
      m_nIDTracking(0),
      m_nIDLastMessage(0)
{
    pc_frame::RegisterLiveFrame(this);
}

CFrameWnd::~CFrameWnd()
{
    pc_frame::UnregisterLiveFrame(this);
    // The frame's own menu goes with it unless a template shares it.
    if (m_bOwnMenu && pc_frame::IsMenuHandle(m_hMenuDefault))
        pc_frame::DestroyMenuHandle(m_hMenuDefault);
    pc_frame::DestroyAccelHandle(m_hAccelTable);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr)
    {
        hMenu = pc_frame::LoadMenuResource(lpszMenuName);
        if (hMenu == nullptr)
        {
            TRACE("Warning: failed to load menu for CFrameWnd.\n");
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName != nullptr ? lpszWindowName : "";
    // The default rectangle starts at CW_USEDEFAULT: its size is "default" too, never a
    // difference that overflows.
    const int cx = rect.left == CW_USEDEFAULT ? CW_USEDEFAULT : rect.right - rect.left;
    const int cy = rect.top == CW_USEDEFAULT ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, cx,
                  cy, pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr, hMenu,
                  static_cast<LPVOID>(pContext)))
    {
        TRACE("Warning: failed to create CFrameWnd.\n");
        pc_frame::DestroyMenuHandle(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    // The title is the first field of the resource's string.
    CString strFullString;
    if (AfxLoadString(nIDResource, strFullString))
        AfxExtractSubString(m_strTitle, strFullString, 0);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                                            ::LoadIcon(AfxFindResourceHandle(nIDResource, RT_GROUP_ICON), MAKEINTRESOURCE(nIDResource)));
    LPCTSTR lpszMenu = AfxFindResourceHandle(nIDResource, RT_MENU) != nullptr ? MAKEINTRESOURCE(nIDResource) : nullptr;
    if (!Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszMenu, 0L, pContext))
        return FALSE;
    m_hMenuDefault = pc_frame::GetWindowMenu(m_hWnd);
    m_bOwnMenu = m_hMenuDefault != nullptr;
    m_hAccelTable = pc_frame::LoadAccelResource(nIDResource);
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    // Frames clip their children; the title style bits are the frame's own.
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (!OnCreateClient(lpcs, pContext))
    {
        TRACE("Failed to create client pane/view for frame.\n");
        return -1;
    }
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
    {
        if (CreateView(pContext, AFX_IDW_PANE_FIRST) == nullptr)
            return FALSE;
    }
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr)
        return nullptr;
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (pView == nullptr)
    {
        TRACE("Warning: Dynamic create of view type %s failed.\n", pContext->m_pNewViewClass->m_lpszClassName);
        delete pObject;
        return nullptr;
    }
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
    {
        TRACE("Warning: could not create view for frame.\n");
        return nullptr;  // a view whose window failed deleted itself
    }
    return pView;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = nullptr;
    if (pViewOld != nullptr && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (m_pViewActive != nullptr)
        return;  // the old view chose another one
    m_pViewActive = pViewNew;
    if (pViewNew != nullptr && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
    {
        ShowWindow(nCmdShow);
        BringWindowToTop();
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = nullptr;
    if (GetActiveView() == nullptr)
    {
        CWnd* pWnd = pc_frame::FindDescendant(this, AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        {
            pView = static_cast<CView*>(pWnd);
            SetActiveView(pView, FALSE);
        }
    }
    if (bMakeVisible)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (pView != nullptr)
            pView->OnActivateView(TRUE, pView, pView);
        int nCmdShow = -1;
        if (pDoc != nullptr && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd == this)
        {
            nCmdShow = AfxGetApp()->m_nCmdShow;
            AfxGetApp()->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != nullptr)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != nullptr)
        pc_frame::UpdateFrameTitles(pDoc);
    OnUpdateFrameTitle(TRUE);
}

// ---- Layout -------------------------------------------------------------------------------

void CFrameWnd::GetPaneArea(CRect& rect)
{
    GetClientRect(&rect);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr)
        return;
    m_bInRecalcLayout = TRUE;
    CRect rc;
    GetPaneArea(rc);
    LayoutBars(rc);
    if (CWnd* pPane = GetDlgItem(AFX_IDW_PANE_FIRST))
        pPane->MoveWindow(&rc, TRUE);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM)
{
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // What the pane and the bars leave (the rest of a bar row) shows the face colour.
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    // An indicator shows its text while its key is toggled on.
    UINT nVK = 0;
    switch (pCmdUI->m_nID)
    {
    case ID_INDICATOR_CAPS:
        nVK = VK_CAPITAL;
        break;
    case ID_INDICATOR_NUM:
        nVK = VK_NUMLOCK;
        break;
    case ID_INDICATOR_SCRL:
        nVK = VK_SCROLL;
        break;
    default:
        pCmdUI->Enable(FALSE);
        return;
    }
    pCmdUI->Enable((::GetKeyState(static_cast<int>(nVK)) & 1) != 0);
}

// ---- Titles -------------------------------------------------------------------------------

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    CDocument* pDocument = GetActiveDocument();
    if (bAddToTitle && pDocument != nullptr)
        UpdateFrameTitleForDocument(pDocument->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString title;
    if (GetStyle() & FWS_PREFIXTITLE)
    {
        if (lpszDocName != nullptr)
        {
            title = lpszDocName;
            if (m_nWindow > 0)
            {
                CString n;
                n.Format(":%d", m_nWindow);
                title += n;
            }
            title += " - ";
        }
        title += m_strTitle;
    }
    else
    {
        title = m_strTitle;
        if (lpszDocName != nullptr)
        {
            title += " - ";
            title += lpszDocName;
            if (m_nWindow > 0)
            {
                CString n;
                n.Format(":%d", m_nWindow);
                title += n;
            }
        }
    }
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

void CFrameWnd::DelayUpdateFrameTitle()
{
    m_bFrameTitleDelayed = TRUE;
}

// ---- Message bar --------------------------------------------------------------------------

CWnd* CFrameWnd::GetMessageBar()
{
    return pc_frame::FindDescendant(this, AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString full;
    if (AfxLoadString(nID, full))
        AfxExtractSubString(rMessage, full, 0);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = static_cast<UINT>(wParam);
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != nullptr)
    {
        CString strMessage;
        LPCTSTR lpsz = nullptr;
        if (lParam != 0)
            lpsz = reinterpret_cast<LPCTSTR>(lParam);
        else if (wParam != 0)
        {
            if (wParam == AFX_IDS_IDLEMESSAGE || wParam == AFX_IDS_HELPMODEMESSAGE)
                AfxLoadString(static_cast<UINT>(wParam), strMessage);
            else
                GetMessageString(static_cast<UINT>(wParam), strMessage);
            lpsz = strMessage;
        }
        if (CStatusBar* pStatus = DYNAMIC_DOWNCAST(CStatusBar, pMessageBar))
            pStatus->SetPaneText(0, lpsz != nullptr ? lpsz : "");
        else
            pMessageBar->SetWindowText(lpsz != nullptr ? lpsz : "");
    }
    m_nIDTracking = static_cast<UINT>(wParam);
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (wParam != 0 || lParam != 0)
        return OnSetMessageString(wParam, lParam);
    return OnSetMessageString(AFX_IDS_IDLEMESSAGE, 0);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == nullptr)
        SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);  // the menu closed
    else if (nItemID != 0 && !(nFlags & (MF_SEPARATOR | MF_POPUP)))
        SendMessage(WM_SETMESSAGESTRING, nItemID);
}

// ---- Commands -----------------------------------------------------------------------------

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active view (and through it the document) first, then the frame, then the
    // application.
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    UINT nID = LOWORD(wParam);
    // Commands from menus and accelerators show their prompt no longer.
    if (hWndCtrl == nullptr && m_nIDTracking == nID)
        SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    return CWnd::OnCommand(wParam, lParam);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (hMenuAlt == nullptr)
        hMenuAlt = m_hMenuDefault;
    if (hMenuAlt != nullptr && pc_frame::GetWindowMenu(m_hWnd) != hMenuAlt)
        pc_frame::SetWindowMenu(m_hWnd, hMenuAlt);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HACCEL hAccel = GetDefaultAccelerator();
        if (hAccel != nullptr && pc_frame::TranslateAccel(m_hWnd, hAccel, pMsg))
            return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    // Each item asks its update handler; without one it is greyed when no handler takes
    // the command (m_bAutoMenuEnable).
    if (!bSysMenu)
        pc_frame::UpdatePopupItems(pPopupMenu, this, m_bAutoMenuEnable);
}

// ---- Closing ------------------------------------------------------------------------------

void CFrameWnd::OnClose()
{
    if (m_lpfnCloseProc != nullptr)
    {
        // Closing the preview comes first.
        (*m_lpfnCloseProc)(this);
        return;
    }
    CWinApp* pApp = AfxGetApp();
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != nullptr && !pDocument->CanCloseFrame(this))
        return;
    if (pApp != nullptr && pApp->m_pMainWnd == this)
    {
        // The main window asks for every modified document.
        if (!pApp->SaveAllModified())
            return;
        pApp->CloseAllDocuments(FALSE);
        if (pApp->m_pMainWnd == nullptr || pApp->m_pMainWnd->m_hWnd == nullptr)
            return;  // closing the documents closed the main window too
    }
    if (pDocument != nullptr && pDocument->m_bAutoDelete)
    {
        // The last frame of the document closes the document (and itself with it).
        BOOL bOtherFrame = FALSE;
        for (POSITION pos = pDocument->GetFirstViewPosition(); pos != NULL;)
        {
            CView* pView = pDocument->GetNextView(pos);
            if (pView->GetParentFrame() != this)
            {
                bOtherFrame = TRUE;
                break;
            }
        }
        if (!bOtherFrame)
        {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // The bars go with the frame but may outlive their windows (embedded members).
    m_listControlBars.RemoveAll();
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
    {
        pApp->PostQuitMessage(0);
    }
    CWnd::OnDestroy();
}

void CFrameWnd::OnNcDestroy()
{
    // The application has no main window once this one is gone.
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
    CWnd::OnNcDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    // Bars hide during the preview and come back afterwards.
    if (bPreview)
    {
        pState->dwStates = 0;
        int n = 0;
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL; ++n)
        {
            CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            if (n < 32 && pBar->IsWindowVisible())
            {
                pState->dwStates |= 1u << n;
                pBar->ShowWindow(SW_HIDE);
            }
        }
        m_lpfnCloseProc = pState->lpfnCloseProc;
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = nullptr;
    }
    else
    {
        int n = 0;
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL; ++n)
        {
            CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            if (n < 32 && (pState->dwStates & (1u << n)))
                pBar->ShowWindow(SW_SHOWNA);
        }
        m_lpfnCloseProc = nullptr;
        m_hAccelTable = pState->hAccelTable;
    }
    RecalcLayout();
}
