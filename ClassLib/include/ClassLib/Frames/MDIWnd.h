// The multiple-document frames: CMDIFrameWnd is the main window, whose client area (the
// MDI client, id AFX_IDW_PANE_FIRST) holds the document windows, each a CMDIChildWnd
// created by a template. The main frame's menu becomes the active child's template menu.
#pragma once

#include <ClassLib/Frames/FrameWnd.h>

class CMDIChildWnd;

#ifndef MDITILE_VERTICAL
#define MDITILE_VERTICAL 0x0000
#define MDITILE_HORIZONTAL 0x0001
#define MDITILE_SKIPDISABLED 0x0002
#endif
#ifndef MDIS_ALLCHILDSTYLES
#define MDIS_ALLCHILDSTYLES 0x0001
#endif

class AFX_EXT_CLASS CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNAMIC(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    // Makes the MDI client window.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    // The active child frame, or NULL; *pbMaximized tells whether it is maximised.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDIPrev();
    // Children overlapped from the top left, each one caption height below and right of
    // the one before.
    void MDICascade();
    void MDICascade(int nType);
    // Children side by side: MDITILE_HORIZONTAL stacks them, MDITILE_VERTICAL puts them
    // in columns.
    void MDITile();
    void MDITile(int nType);
    void MDIIconArrange();
    HMENU MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    CFrameWnd* GetActiveFrame() override;
    HACCEL GetDefaultAccelerator() override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The children in creation order (activation order is kept separately).
    int GetMDIChildCount() const;
    CMDIChildWnd* GetMDIChild(int nIndex) const;

    HWND m_hWndMDIClient;
    CWnd* GetMDIClient() const;

protected:
    friend class CMDIChildWnd;
public:
    void ActivateChild(CMDIChildWnd* pChild, BOOL bNotify);
protected:
    void AddChild(CMDIChildWnd* pChild);
    void RemoveChild(CMDIChildWnd* pChild);

    std::vector<CMDIChildWnd*> m_children;     // creation order
    std::vector<CMDIChildWnd*> m_zOrder;       // most recently active first
    CMDIChildWnd* m_pActiveChild;
    CWnd* m_pMDIClient;

    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    afx_msg void OnWindowNew();
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};

class AFX_EXT_CLASS CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    // The child of the MDI client of pParentWnd (the application's main window when
    // NULL).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = NULL,
                        CCreateContext* pContext = NULL);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    BOOL IsMaximized() const { return m_bMaximized; }
    BOOL IsMinimized() const { return m_bMinimized; }

    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    CFrameWnd* GetActiveFrame() override { return this; }
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // Height of a child frame's caption.
    static int GetCaptionHeight();

    HMENU m_hMenuShared;   // the template's menu shown while this child is active
    HACCEL m_hAccelShared; // the template's accelerators
    HACCEL GetDefaultAccelerator() override;

protected:
    friend class CMDIFrameWnd;
    BOOL m_bMaximized;
    BOOL m_bMinimized;
    BOOL m_bActive;
    CRect m_rectRestore;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // Minimises the child to a caption at the bottom of the MDI client.
    void MDIMinimize();

    DECLARE_MESSAGE_MAP()
};
