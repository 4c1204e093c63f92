// CWinApp: the application object, its templates, profile, command line and event loop.
#include "Framework.h"

#include <QApplication>
#include <QCoreApplication>

#include <ClassLib/Core/StartTrace.h>

#include <cstring>
#include <unistd.h>

#include "AppProfile.h"
#include "FrameworkStrings.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

namespace {
CWinApp* g_pApp = nullptr;
CWnd* AppMainWnd();
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

// The window layer asks the application for its main window through this.
namespace {
CWnd* AppMainWnd()
{
    return g_pApp != nullptr ? g_pApp->GetMainWnd() : nullptr;
}
}  // namespace

LPCTSTR AfxGetAppName()
{
    return g_pApp != nullptr ? g_pApp->m_pszAppName : "";
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(nullptr),
      m_pszRegistryKey(nullptr),
      m_pszProfileName(nullptr),
      m_pszExeName(nullptr),
      m_pszHelpFilePath(nullptr),
      m_hInstance(nullptr),
      m_hPrevInstance(nullptr),
      m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pMainWnd(nullptr),
      m_pActiveWnd(nullptr),
      m_pRecentFileList(nullptr),
      m_nNumPreviewPages(0),
      m_nWaitCursorCount(0),
      m_bHelpMode(FALSE),
      m_nExitCode(0),
      m_bQuit(false)
{
    ASSERT(g_pApp == nullptr);  // one application object only
    g_pApp = this;
    if (lpszAppName != nullptr)
    {
        m_strAppName = lpszAppName;
        m_strProfileName = m_strAppName;
        m_pszProfileName = m_strProfileName;
        m_profile.SetProfileName(m_strProfileName);
    }
    m_pszAppName = m_strAppName;
    pc_frame::SetAppProfile(&m_profile);
    pc_frame::RegisterFrameworkStrings();
    AfxSetMainWndProvider(&AppMainWnd);
}

CWinApp::~CWinApp()
{
    CloseAllDocuments(TRUE);
    for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
    m_templateList.RemoveAll();
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (g_pApp == this)
    {
        g_pApp = nullptr;
        pc_frame::SetAppProfile(nullptr);
        AfxSetMainWndProvider(nullptr);
    }
}

BOOL CWinApp::InitApplication()
{
    // The application's name: the title string, else the program's file name.
    if (m_strAppName.IsEmpty())
    {
        CString title;
        if (AfxLoadString(AFX_IDS_APP_TITLE, title) && !title.IsEmpty())
            m_strAppName = title;
        else
            m_strAppName = m_strExeName;
        m_pszAppName = m_strAppName;
    }
    if (m_strProfileName.IsEmpty())
    {
        m_strProfileName = m_strAppName;
        m_pszProfileName = m_strProfileName;
        m_profile.SetProfileName(m_strProfileName);
    }
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return m_nExitCode;
}

void CWinApp::PostQuitMessage(int nExitCode)
{
    m_nExitCode = nExitCode;
    m_bQuit = true;
    if (QCoreApplication* app = QCoreApplication::instance())
        app->exit(nExitCode);
}

int CWinApp::Run()
{
    // The platform's loop: handle what is queued; once the queue is empty run the idle
    // processing (OnIdle with a rising count until it returns FALSE), then wait in the
    // toolkit until something arrives. Idle processing runs again only after a message
    // (input, posted, a timer), never after a paint alone, so a program at rest sleeps.
    AfxResetQuitRequest();
    bool bIdle = true;
    LONG lIdle = 0;
    unsigned seen = AfxQueuedMessageCount();
    while (!m_bQuit && !AfxQuitRequested(&m_nExitCode))
    {
        AfxPumpMessages();
        if (m_bQuit || AfxQuitRequested(&m_nExitCode))
            break;
        if (m_pMainWnd == nullptr || m_pMainWnd->m_hWnd == nullptr)
            break;
        if (AfxQueuedMessageCount() != seen)
        {
            seen = AfxQueuedMessageCount();
            bIdle = true;
            lIdle = 0;
        }
        if (bIdle)
        {
            while (OnIdle(lIdle++))
            {
            }
            bIdle = false;
            continue;  // what the idle processing posted or invalidated is handled first
        }
        AfxStartTraceAtIdle();
        AfxWaitForEvents();
    }
    return ExitInstance();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pMainWnd))
        {
            if (pFrame->m_hWnd != nullptr && pFrame->IsWindowVisible())
            {
                pFrame->OnIdleUpdateCmdUI();
                if (CFrameWnd* pActive = pFrame->GetActiveFrame())
                    if (pActive != pFrame)
                        pActive->OnIdleUpdateCmdUI();
            }
        }
        return TRUE;
    }
    if (lCount == 1)
    {
        for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
            static_cast<CDocTemplate*>(m_templateList.GetNext(pos))->OnIdle();
    }
    return FALSE;
}

void AfxIdleUpdate()
{
    if (CWinApp* pApp = AfxGetApp())
    {
        LONG l = 0;
        while (pApp->OnIdle(l++))
        {
        }
    }
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    // The main window (and through it the active frame) translates accelerators.
    for (CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd); pWnd != nullptr; pWnd = pWnd->GetParent())
    {
        if (pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (pWnd == m_pMainWnd)
            break;
    }
    return FALSE;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    if (pos == NULL)
        return nullptr;
    return static_cast<CDocTemplate*>(const_cast<CPtrList&>(m_templateList).GetNext(pos));
}

int CWinApp::GetOpenDocumentCount()
{
    int n = 0;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        for (POSITION p = pTemplate->GetFirstDocPosition(); p != NULL;)
        {
            pTemplate->GetNextDoc(p);
            ++n;
        }
    }
    return n;
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (lpszFileName == nullptr || *lpszFileName == '\0')
        return nullptr;
    // The template that knows the file best; an open document is activated instead.
    CDocTemplate* pBest = nullptr;
    CDocTemplate::Confidence best = CDocTemplate::noAttempt;
    CDocument* pOpen = nullptr;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = nullptr;
        CDocTemplate::Confidence c = pTemplate->MatchDocType(lpszFileName, pMatch);
        if (c > best)
        {
            best = c;
            pBest = pTemplate;
            pOpen = pMatch;
        }
        if (c == CDocTemplate::yesAlreadyOpen)
            break;
    }
    if (best == CDocTemplate::yesAlreadyOpen && pOpen != nullptr)
    {
        POSITION pos = pOpen->GetFirstViewPosition();
        if (CView* pView = pOpen->GetNextView(pos))
            if (CFrameWnd* pFrame = pView->GetParentFrame())
                pFrame->ActivateFrame();
        return pOpen;
    }
    if (pBest == nullptr)
    {
        TRACE("Error: can not find a document template.\n");
        return nullptr;
    }
    return pBest->OpenDocumentFile(lpszFileName);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate)
{
    CString filter;
    CString defExt;
    // One filter per template that names one, then all files.
    auto addTemplate = [&](CDocTemplate* pT) {
        CString name, ext;
        if (pT->GetDocString(name, CDocTemplate::filterName) && !name.IsEmpty() &&
            pT->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty())
        {
            if (defExt.IsEmpty())
                defExt = ext.Mid(ext[0] == '.' ? 1 : 0);
            CString pattern = "*" + ext;
            pattern.Replace(";", ";*");
            filter += name + "|" + pattern + "|";
        }
    };
    if (pTemplate != nullptr)
        addTemplate(pTemplate);
    else
        for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
            addTemplate(GetNextDocTemplate(pos));
    CString allFilter;
    AfxLoadString(AFX_IDS_ALLFILTER, allFilter);
    filter += allFilter + "|*.*||";
    CString title;
    AfxLoadString(nIDSTitle, title);
    CFileDialog dlg(bOpenFileDialog, defExt.IsEmpty() ? nullptr : static_cast<LPCTSTR>(defExt),
                    fileName.IsEmpty() ? nullptr : static_cast<LPCTSTR>(fileName), lFlags | OFN_OVERWRITEPROMPT, filter,
                    m_pMainWnd);
    if (!title.IsEmpty())
        dlg.m_ofn.lpstrTitle = title;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    fileName = dlg.GetPathName();
    return !fileName.IsEmpty();
}

// ---- Profile ------------------------------------------------------------------------------

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey != nullptr ? lpszRegistryKey : "";
    m_pszRegistryKey = m_strRegistryKey;
    m_profile.SetRegistryKey(m_strRegistryKey);
    if (m_strProfileName.IsEmpty())
    {
        m_strProfileName = m_strAppName;
        m_pszProfileName = m_strProfileName;
    }
    m_profile.SetProfileName(m_strProfileName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    AfxLoadString(nIDRegistryKey, key);
    SetRegistryKey(key);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU > 16)
        nMaxMRU = 16;
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU != 0)
    {
        m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d", static_cast<int>(nMaxMRU));
        m_pRecentFileList->ReadList(m_profile);
    }
    m_nNumPreviewPages = m_profile.GetProfileInt("Settings", "PreviewPages", 0);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->WriteList(m_profile);
    if (m_nNumPreviewPages != 0)
        m_profile.WriteProfileInt("Settings", "PreviewPages", static_cast<int>(m_nNumPreviewPages));
}

HKEY CWinApp::GetAppRegistryKey()
{
    return m_profile.GetAppRegistryKey();
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    return m_profile.GetSectionKey(lpszSection);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    return m_profile.GetProfileInt(lpszSection, lpszEntry, nDefault);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    return m_profile.GetProfileString(lpszSection, lpszEntry, lpszDefault);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    return m_profile.GetProfileBinary(lpszSection, lpszEntry, ppData, pBytes);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    return m_profile.WriteProfileInt(lpszSection, lpszEntry, nValue);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    return m_profile.WriteProfileString(lpszSection, lpszEntry, lpszValue);
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    return m_profile.WriteProfileBinary(lpszSection, lpszEntry, pData, nBytes);
}

// ---- Command line -------------------------------------------------------------------------

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; ++i)
    {
        const char* pszParam = __argv[i] != nullptr ? __argv[i] : "";
        BOOL bFlag = AfxIsCommandLineFlag(pszParam);
        if (bFlag)
            ++pszParam;
        rCmdInfo.ParseParam(pszParam, bFlag, i == __argc - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
        if (!AfxGetApp()->OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        if (OpenDocumentFile(rCmdInfo.m_strFileName) == nullptr)
            return FALSE;
        return TRUE;
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrint:
        // Printing from the command line opens the file and sends it to the printer.
        if (CDocument* pDoc = OpenDocumentFile(rCmdInfo.m_strFileName))
        {
            POSITION pos = pDoc->GetFirstViewPosition();
            if (CView* pView = pDoc->GetNextView(pos))
                pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
            pDoc->OnCloseDocument();
        }
        return FALSE;
    case CCommandLineInfo::AppUnregister:
        return FALSE;
    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::FileNothing:
    default:
        return TRUE;
    }
}

// ---- Cursors and icons --------------------------------------------------------------------

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursor(nullptr, lpszCursorName);
}

HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const
{
    return ::LoadCursor(nullptr, MAKEINTRESOURCE(nIDCursor));
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIcon(nullptr, lpszIconName);
}

void CWinApp::BeginWaitCursor()
{
    ++m_nWaitCursorCount;
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void CWinApp::EndWaitCursor()
{
    if (m_nWaitCursorCount > 0)
        --m_nWaitCursorCount;
    ::SetCursor(::LoadCursor(nullptr, m_nWaitCursorCount > 0 ? IDC_WAIT : IDC_ARROW));
}

void CWinApp::RestoreWaitCursor()
{
    if (m_nWaitCursorCount > 0)
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

// ---- Commands -----------------------------------------------------------------------------

void CWinApp::OnFileNew()
{
    // With one template its new document; with several the first (no chooser here).
    POSITION pos = GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    if (pTemplate == nullptr)
    {
        TRACE("Error: no document templates registered with CWinApp.\n");
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    pTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString newName;
    if (!DoPromptFileName(newName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    OpenDocumentFile(newName);
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog pd(TRUE);
    pd.DoModal();
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList == nullptr)
    {
        pCmdUI->Enable(FALSE);
        return;
    }
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (m_pRecentFileList == nullptr)
        return FALSE;
    int nIndex = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize())
        return FALSE;
    CString path = (*m_pRecentFileList)[nIndex];
    if (path.IsEmpty())
        return FALSE;
    TRACE("MRU: open file (%d) '%s'.\n", nIndex + 1, static_cast<LPCTSTR>(path));
    // A file that cannot be opened leaves the list.
    if (OpenDocumentFile(path) == nullptr)
        m_pRecentFileList->Remove(nIndex);
    return TRUE;
}

// ---- Entry ------------------------------------------------------------------------------

int AfxWinMain(int argc, char** argv)
{
    AfxSetCommandLine(argc, argv);
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    AfxEnsureApplication();
    if (argc > 0 && argv[0] != nullptr)
    {
        const char* slash = std::strrchr(argv[0], '/');
        pc_frame::SetExeName(pApp, slash != nullptr ? slash + 1 : argv[0]);
    }
    if (!pApp->InitApplication() || !pApp->InitInstance())
    {
        if (pApp->m_pMainWnd != nullptr && pApp->m_pMainWnd->m_hWnd != nullptr)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
