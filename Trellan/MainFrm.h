// CMainFrame: the program's MDI main window with its two toolbars, the status bar, the
// shell's own commands and the progress bar of loading and saving a project.
#pragma once

#include <ClassLib/AfxWin.h>

class CProgressBar;

class CMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Opens a local project file (start-up and the recent files).
    void OpenProjectFile(CString strPath);

    CProgressBar* GetProgressBar() const { return m_pProgressBar; }

    // Docks pBar on the row of pLeftOf, right of it.
    void DockControlBarLeftOf(CToolBar* pBar, CToolBar* pLeftOf);

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CToolBar m_wndViewToolBar;

protected:
    CProgressBar* m_pProgressBar;
    // The wait cursor shown by a start, taken back once by the end.
    BOOL m_bWaitCursor;

    // A project document from the application's project template in the mode (1 local,
    // 0 server); NULL when there is no template or no document.
    CDocument* NewProjectDocument();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFileOpenFromServer();
    afx_msg void OnDocManage();
    afx_msg void OnConnectSettings();
    afx_msg LRESULT OnProgressStart(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnProgressStep(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnProgressEnd(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
