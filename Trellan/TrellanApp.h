// CTrellanApp: the program's application object: user values, COM start-up, the two
// document templates, the main frame, the command line and the document windows.
#pragma once

#include <ClassLib/AfxWin.h>

class CTrellanApp : public CWinApp
{
public:
    CTrellanApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Activates or creates the window of a template: 1 projects, 2 the document browser;
    // any other kind is only remembered.
    void OpenDocumentWindow(int nKind);

    // The text start-up opens when it holds ".tlp": the arguments joined with one blank,
    // a flag replacing it by itself without its mark. Each argument also goes to
    // rCmdInfo.ParseParam.
    static CString ParseTrellanCommandLine(int argc, char** argv, CCommandLineInfo& rCmdInfo);

    int m_nLastWindowKind;
    CMultiDocTemplate* m_pProjectTemplate;
    CMultiDocTemplate* m_pDocTemplate;
    CString m_strUserName;
    int m_nUserID;

    // The command line kept by the last start-up (for tests and diagnostics).
    CString m_strCommandText;

protected:
    afx_msg void OnAppAbout();
    afx_msg void OnDocManage();
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    DECLARE_MESSAGE_MAP()
};

CTrellanApp* TrellanGetApp();
