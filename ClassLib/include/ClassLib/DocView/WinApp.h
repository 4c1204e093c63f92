// CWinApp: the application object. The program defines exactly one, statically; its
// InitInstance registers the document templates and creates the main window, Run pumps
// the event loop with idle-time command updates, ExitInstance cleans up. The application
// profile (SetRegistryKey, GetProfileInt...) and the recent-file list live here.
//
//   class CMyApp : public CWinApp { public: BOOL InitInstance() override; };
//   CMyApp theApp;
//   int main(int argc, char** argv) { return AfxWinMain(argc, argv); }
#pragma once

#include <ClassLib/Core/Collections.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/DocView/CommandLineInfo.h>
#include <ClassLib/Registry/Profile.h>
#include <ClassLib/Wnd/CmdTarget.h>

class CDocTemplate;
class CDocument;
class CRecentFileList;
class CWnd;
class CCmdUI;
class CWinApp;

namespace pc_frame {
void SetExeName(CWinApp* pApp, LPCTSTR lpszExeName);
}

class AFX_EXT_CLASS CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // Runs the event loop until the main window goes (or the application quits) and
    // returns ExitInstance's result.
    virtual int Run();
    // Idle time: lCount 0 updates the command states of the main window's bars; TRUE asks
    // for more idle time.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    // Documents and templates. The application deletes its templates when it ends.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    int GetOpenDocumentCount();
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    // The file dialog of Open and Save As (scripted in tests); TRUE when a path was chosen.
    virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                  CDocTemplate* pTemplate);

    // The profile: HKEY_CURRENT_USER\Software\<key>\<application>.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // Reads the recent-file list (nMaxMRU entries, 0 for none) and the preview settings.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    CProfileStore& GetProfileStore() { return m_profile; }

    // The command line.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Carries out the shell command: new file, open a file, nothing... FALSE ends the
    // program (as for an unregister request).
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // Cursors and icons of the modules and the standard ones.
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HCURSOR LoadOEMCursor(UINT nIDCursor) const;
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;

    // No-ops: there is nothing to set up for these here.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }
    void EnableShellOpen() {}
    void RegisterShellFileTypes(BOOL = FALSE) {}
    void SetDialogBkColor(COLORREF = 0, COLORREF = 0) {}
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Standard commands.
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();
    afx_msg void OnAppExit();
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnOpenRecentFile(UINT nID);

    LPCTSTR m_pszAppName;
    LPCTSTR m_pszRegistryKey;
    LPCTSTR m_pszProfileName;
    LPCTSTR m_pszExeName;
    LPCTSTR m_pszHelpFilePath;
    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;
    CWnd* m_pMainWnd;
    CWnd* m_pActiveWnd;
    CRecentFileList* m_pRecentFileList;
    UINT m_nNumPreviewPages;
    int m_nWaitCursorCount;
    BOOL m_bHelpMode;

    // Ends Run's loop with nExitCode (as the main window's destruction does).
    void PostQuitMessage(int nExitCode);
    int m_nExitCode;

protected:
    CPtrList m_templateList;
    CProfileStore m_profile;
    CString m_strAppName, m_strRegistryKey, m_strProfileName, m_strExeName;
    bool m_bQuit;
    friend void pc_frame::SetExeName(CWinApp* pApp, LPCTSTR lpszExeName);

    DECLARE_MESSAGE_MAP()
};

AFX_EXT_API CWinApp* AfxGetApp();
AFX_EXT_API CWnd* AfxGetMainWnd();
AFX_EXT_API LPCTSTR AfxGetAppName();
// Starts the application object: InitApplication, InitInstance, Run (or ExitInstance
// when InitInstance fails). The program's main calls it.
AFX_EXT_API int AfxWinMain(int argc, char** argv);
// Lets the application's idle processing run once (tests call it instead of Run).
AFX_EXT_API void AfxIdleUpdate();
