// CFrameWnd: a frame around views, with a menu, accelerators, control bars (toolbars,
// status bar) docked on its sides, and the active view. LoadFrame builds it from a
// resource id: the menu, the accelerators, the icon and the title string of that id.
#pragma once

#include <ClassLib/Core/Collections.h>
#include <ClassLib/Core/Geometry.h>
#include <ClassLib/DocView/StdIds.h>
#include <ClassLib/Wnd/Wnd.h>

class CControlBar;
class CDocument;
class CView;
struct CCreateContext;
struct CPrintPreviewState;

// A frame's message bar shows a text (wParam: string id, lParam: text; one of them).
#ifndef WM_SETMESSAGESTRING
#define WM_SETMESSAGESTRING 0x0362
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_POPMESSAGESTRING 0x0375
#endif
#ifndef WM_RECALCPARENT
#define WM_RECALCPARENT 0x0368
#define WM_SIZEPARENT 0x0361
#endif

// What a frame keeps while its views are replaced by a print preview.
struct AFX_EXT_CLASS CPrintPreviewState
{
    CPrintPreviewState();
    UINT nIDMainPane;
    HMENU hMenu;
    DWORD dwStates;
    CView* pViewActiveOld;
    BOOL (*lpfnCloseProc)(CFrameWnd* pFrameWnd);
    HACCEL hAccelTable;
};

class AFX_EXT_CLASS CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // The frame from resource nIDResource: the menu and accelerators of that id, its icon,
    // and the first field of string nIDResource as title. FALSE when the window could
    // not be made (a frame whose window was made and failed has deleted itself).
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);

    CView* GetActiveView() const { return m_pViewActive; }
    // Makes pViewNew the active view; with bNotify both views hear OnActivateView and the
    // new one gets the focus.
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CFrameWnd* GetActiveFrame();
    virtual CDocument* GetActiveDocument();

    // Places the control bars on the frame's sides and the pane (AFX_IDW_PANE_FIRST) in
    // what is left.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void ActivateFrame(int nCmdShow = -1);
    // Sends the initial update to the frame's views, makes a view active and shows the
    // frame when bMakeVisible.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Creates the view of the context (if any) as the first pane.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // With FWS_ADDTOTITLE the title is "<frame title> - <document title>" (a numbered
    // document title ":n" when several frames show one document).
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }

    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    BOOL IsInPreview() const { return m_lpfnCloseProc != nullptr; }

    // The status bar (or any window with id AFX_IDW_STATUS_BAR) and its idle text.
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    CWnd* GetMessageBar();
    // The status-bar prompt of a command: the first line of its string resource.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    // Control bars.
    void EnableDocking(DWORD dwDockStyle);
    // Docks the bar on the side nDockBarID (AFX_IDW_DOCKBAR_TOP... or 0 for the first
    // side it allows); lpRect, in screen coordinates, places it in a row: a bar whose
    // rectangle starts right of another bar on the same side goes on that bar's row.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);

    // The accelerators of the frame (or of the active MDI child's template).
    virtual HACCEL GetDefaultAccelerator();
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);

    BOOL IsFrameWnd() const override { return TRUE; }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

    // Runs the command-UI update handlers of every control bar (the application's idle
    // time does this).
    void OnIdleUpdateCmdUI();
    virtual void DelayUpdateFrameTitle();

    BOOL m_bAutoMenuEnable;
    int m_nWindow;  // number of this frame among the frames of its document; -1 none
    HMENU m_hMenuDefault;
    HACCEL m_hAccelTable;
    DWORD m_dwDockStyle;
    CPtrList m_listControlBars;
    UINT m_nIDHelp;
    int m_nShowDelay;

protected:
    CString m_strTitle;
    CView* m_pViewActive;
    BOOL m_bInRecalcLayout;
    BOOL (*m_lpfnCloseProc)(CFrameWnd* pFrameWnd);
    UINT m_nIdleFlags;
    BOOL m_bFrameTitleDelayed;
    BOOL m_bOwnMenu;
    BOOL m_bIdleMessageShown;  // the status bar showed the idle text once  // m_hMenuDefault was loaded for this frame

    // The client rectangle that the views share after the bars took their parts.
    virtual void GetPaneArea(CRect& rect);
    void LayoutBars(CRect& rcClient);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUIMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);

    friend class CControlBar;
    friend class CWinApp;
    UINT m_nIDTracking;
    UINT m_nIDLastMessage;

    DECLARE_MESSAGE_MAP()
};
