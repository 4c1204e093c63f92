#include "TrellanApp.h"

#include "AboutDlg.h"
#include "MainFrm.h"
#include "Resource.h"
#include "Templates.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/StartTrace.h>
#include <ClassLib/Shell/Com.h>
#include <Internet/ServerSession.h>
#include <Orvesk/ProjectProgress.h>

BEGIN_MESSAGE_MAP(CTrellanApp, CWinApp)
    ON_COMMAND(ID_DOC_MANAGE, OnDocManage)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

namespace {

// The user values written at every start; nothing reads them back.
const char kUserName[] = "Lumo";
const int kUserID = 6;

void WriteUserValues(const CString& strUserName, int nUserID)
{
    HKEY hKey = NULL;
    DWORD dwDisposition = 0;
    if (RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Microsoft\\LumoInfo", 0, NULL, REG_OPTION_NON_VOLATILE,
                       KEY_ALL_ACCESS, NULL, &hKey, &dwDisposition) != ERROR_SUCCESS)
        return;
    RegSetValueEx(hKey, "UserName", 0, REG_SZ, reinterpret_cast<const BYTE*>((LPCTSTR)strUserName),
                  (DWORD)strUserName.GetLength() + 1);
    DWORD dwID = (DWORD)nUserID;
    RegSetValueEx(hKey, "UserID", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwID), sizeof(dwID));
    RegCloseKey(hKey);
}

// The certificates an https server is verified against when not the system's: the value
// "CertificateFile" beside the shell's "Server" setting (the server of the product-data
// components and downloads).
void ReadServerTrust()
{
    HKEY hKey = NULL;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvallo\\Lumo\\MasterClient", 0, KEY_QUERY_VALUE, &hKey) !=
        ERROR_SUCCESS)
        return;
    char szPath[1024] = {};
    DWORD dwType = 0;
    DWORD cb = sizeof(szPath) - 1;
    if (RegQueryValueEx(hKey, "CertificateFile", NULL, &dwType, reinterpret_cast<LPBYTE>(szPath), &cb) ==
            ERROR_SUCCESS &&
        dwType == REG_SZ && szPath[0] != '\0')
        serversession::SetTrustedCertificateFile(Utf8FromCString(szPath));
    RegCloseKey(hKey);
}

// The project document's progress messages and wait state go to the main window.
void PointProjectSinksAtMainWindow()
{
    ProjectSetProgressSink([](UINT message, WPARAM wParam, LPARAM lParam) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != NULL && pMain->GetSafeHwnd() != NULL)
            pMain->SendMessage(message, wParam, lParam);
    });
    ProjectSetWaitSink([](BOOL bBegin) {
        CWnd* pMain = AfxGetMainWnd();
        if (bBegin) {
            if (pMain != NULL && pMain->GetSafeHwnd() != NULL)
                pMain->SetCapture();
            AfxDoWaitCursor(1);
        } else {
            AfxDoWaitCursor(-1);
            ReleaseCapture();
        }
    });
}

}  // namespace

CTrellanApp* TrellanGetApp()
{
    return static_cast<CTrellanApp*>(AfxGetApp());
}

CTrellanApp::CTrellanApp()
    : m_nLastWindowKind(0), m_pProjectTemplate(NULL), m_pDocTemplate(NULL), m_nUserID(0)
{
}

CString CTrellanApp::ParseTrellanCommandLine(int argc, char** argv, CCommandLineInfo& rCmdInfo)
{
    CString strText;
    for (int i = 1; i < argc; ++i) {
        const char* pszParam = argv[i] != NULL ? argv[i] : "";
        // A leading "/" followed by a further "/" is an absolute path here, not a flag.
        BOOL bFlag = AfxIsCommandLineFlag(pszParam);
        BOOL bLast = (i == argc - 1);
        if (bFlag) {
            ++pszParam;
            strText = pszParam;
        } else {
            if (!strText.IsEmpty())
                strText += " ";
            strText += pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, bLast);
    }
    return strText;
}

BOOL CTrellanApp::InitInstance()
{
    // The program's own resources come first (its prompts, titles and menus).
    if (HINSTANCE hModule = AfxFindModule("Trellan"))
        AfxSetInstanceHandle(hModule);
    m_strUserName = kUserName;
    m_nUserID = kUserID;
    WriteUserValues(m_strUserName, m_nUserID);
    ReadServerTrust();

    AfxEnableControlContainer();
    CoInitialize(NULL);
    AfxOleInit();
    Enable3dControls();

    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);
    AfxStartMark("settings");

    m_pProjectTemplate = TrellanCreateProjectTemplate();
    AddDocTemplate(m_pProjectTemplate);
    m_pDocTemplate = TrellanCreateDocManageTemplate();
    AddDocTemplate(m_pDocTemplate);
    AfxStartMark("templates");

    CMainFrame* pMainFrame = new CMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        return FALSE;
    m_pMainWnd = pMainFrame;
    AfxStartMark("main-window");
    PointProjectSinksAtMainWindow();

    CCommandLineInfo cmdInfo;
    m_strCommandText = ParseTrellanCommandLine(__argc, __argv, cmdInfo);
    cmdInfo.m_nShellCommand = CCommandLineInfo::FileNothing;
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    if (!m_strCommandText.IsEmpty() && m_strCommandText.Find(".tlp") >= 0)
        pMainFrame->OpenProjectFile(m_strCommandText);

    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->ShowWindow(SW_MAXIMIZE);
    pMainFrame->UpdateWindow();
    AfxStartMark("shown");
    return TRUE;
}

int CTrellanApp::ExitInstance()
{
    // The servers logged in to end their sessions now rather than after their idle time;
    // a server out of reach holds the exit up by two seconds at most (for each server).
    serversession::EndSessions(2000);
    CoUninitialize();
    ProjectSetProgressSink(ProjectProgressSink());
    ProjectSetWaitSink(ProjectWaitSink());
    return CWinApp::ExitInstance();
}

void CTrellanApp::OpenDocumentWindow(int nKind)
{
    m_nLastWindowKind = nKind;
    CMultiDocTemplate* pTemplate = nKind == 1 ? m_pProjectTemplate : nKind == 2 ? m_pDocTemplate : NULL;
    if (pTemplate == NULL)
        return;

    POSITION pos = pTemplate->GetFirstDocPosition();
    if (pos == NULL) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != NULL && pMain->GetSafeHwnd() != NULL)
            pMain->SetCapture();
        BeginWaitCursor();
        CDocument* pDoc = pTemplate->CreateNewDocument();
        if (pDoc != NULL) {
            // Named as the template names its documents: the window and the Window menu
            // show it.
            if (pDoc->GetTitle().IsEmpty())
                pTemplate->SetDefaultTitle(pDoc);
            CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, NULL);
            if (pFrame != NULL) {
                pTemplate->InitialUpdateFrame(pFrame, pDoc);
                if (nKind == 2)
                    TrellanBrowserFrameCreated(pFrame);
            }
        }
        EndWaitCursor();
        ReleaseCapture();
        return;
    }

    while (pos != NULL) {
        CDocument* pDoc = pTemplate->GetNextDoc(pos);
        POSITION posView = pDoc->GetFirstViewPosition();
        if (posView != NULL) {
            CView* pView = pDoc->GetNextView(posView);
            if (CFrameWnd* pFrame = pView->GetParentFrame())
                pFrame->ActivateFrame();
            return;
        }
        CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, NULL);
        if (pFrame == NULL) {
            AfxMessageBox("Error: pDocTemplate->CreateNewFrame(...)");
            return;
        }
        pTemplate->InitialUpdateFrame(pFrame, pDoc);
    }
}

void CTrellanApp::OnDocManage()
{
    OpenDocumentWindow(2);
}

void CTrellanApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

BOOL CTrellanApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == NULL)
        return FALSE;
    int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize())
        return FALSE;
    CString strPath = (*m_pRecentFileList)[nIndex];
    if (strPath.IsEmpty())
        return FALSE;
    TRACE("MRU: open file (%d) '%s'.\n", nIndex + 1, (LPCTSTR)strPath);
    if (CMainFrame* pFrame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd()))
        pFrame->OpenProjectFile(strPath);
    return TRUE;
}
