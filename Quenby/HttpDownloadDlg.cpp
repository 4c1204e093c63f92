// The download dialog on the user-interface thread: start-up, cancel, close, the end of
// the worker, and the texts of the display.
#include "HttpDownloadDlg.h"

#include <ClassLib/Shell/Shell.h>
#include <Internet/AfxInet.h>

BEGIN_MESSAGE_MAP(CHttpDownloadDlg, CDialog)
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_DOWNLOAD_FINISHED, OnThreadFinished)
END_MESSAGE_MAP()

CHttpDownloadDlg::CHttpDownloadDlg(CWnd* pParent)
    : CDialog(CHttpDownloadDlg::IDD, pParent), m_bOpenWhenDone(0), m_nPort(0), m_dwService(0), m_hSession(NULL),
      m_hConnection(NULL), m_hRequest(NULL), m_bAbort(0), m_bSafeToClose(0), m_pThread(NULL)
{
}

CHttpDownloadDlg::~CHttpDownloadDlg()
{
    // The window waits for the worker when it goes; a dialog never shown has none.
    delete m_pThread;
}

void CHttpDownloadDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STATUS, m_ctrlStatus);
    DDX_Control(pDX, IDC_TRANSFER_RATE, m_ctrlTransferRate);
    DDX_Control(pDX, IDC_TIMELEFT, m_ctrlTimeLeft);
    DDX_Control(pDX, IDC_PROGRESS1, m_ctrlProgress);
    DDX_Control(pDX, IDC_FILESTATUS, m_ctrlFileStatus);
    DDX_Control(pDX, IDC_ANIMATE1, m_ctrlAnimate);
}

void CHttpDownloadDlg::RemoveTargetFile()
{
    try {
        CFile::Remove(m_strTargetFile);
    } catch (CFileException* e) {
        TRACE("Failed to delete the download file, Error:%d\n", (int)e->m_lOsError);
        e->Delete();
    }
}

BOOL CHttpDownloadDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_ctrlAnimate.Open(IDR_HTTPDOWNLOAD_ANIMATION);

    if (m_strUrl.IsEmpty()) {
        TRACE("Failed to parse the URL: %s\n", (LPCTSTR)m_strUrl);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    if (m_strUrl.Left(7) != "http://" && m_strUrl.Left(8) != "https://")
        m_strUrl = "http://" + m_strUrl;

    if (!AfxParseURL(m_strUrl, m_dwService, m_strServer, m_strObject, m_nPort)) {
        TRACE("Failed to parse the URL: %s\n", (LPCTSTR)m_strUrl);
        EndDialog(IDCANCEL);
        return TRUE;
    }

    CFileStatus fs;
    if (CFile::GetStatus(m_strTargetFile, fs)) {
        CString sMsg;
        AfxFormatString1(sMsg, IDS_HTTPDOWNLOAD_OK_TO_OVERWRITE, m_strTargetFile);
        if (MessageBox(sMsg, "另存为", MB_YESNO | MB_ICONQUESTION) != IDYES) {
            TRACE("Failed to confirm file overwrite, download aborted\n");
            EndDialog(IDCANCEL);
            return TRUE;
        }
    }

    CFileException fileException;
    if (!m_file.Open(m_strTargetFile, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite,
                     &fileException)) {
        TRACE("Failed to open the file to download into, Error:%d\n", (int)fileException.m_lOsError);
        CString sError;
        sError.Format("%d", (int)fileException.m_lOsError);
        CString sMsg;
        AfxFormatString1(sMsg, IDS_HTTPDOWNLOAD_FAIL_FILE_OPEN, sError);
        MessageBox(sMsg, "", MB_OK | MB_ICONSTOP);
        EndDialog(IDCANCEL);
        return TRUE;
    }

    int nSlash = m_strObject.ReverseFind('/');
    if (nSlash == -1)
        nSlash = m_strObject.ReverseFind('\\');
    if (nSlash != -1)
        m_strFileName = m_strObject.Right(m_strObject.GetLength() - nSlash - 1);
    else
        m_strFileName = m_strObject;
    CString sFileStatus;
    AfxFormatString2(sFileStatus, IDS_HTTPDOWNLOAD_FILESTATUS, m_strFileName, m_strServer);
    m_ctrlFileStatus.SetWindowText(sFileStatus);

    m_pThread = AfxBeginThread(_DownloadThread, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pThread == NULL) {
        TRACE("Failed to create download thread, dialog is aborting\n");
        // The file was made empty for the download: leave nothing behind.
        m_file.Abort();
        RemoveTargetFile();
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_pThread->m_bAutoDelete = FALSE;
    m_pThread->ResumeThread();
    return TRUE;
}

LRESULT CHttpDownloadDlg::OnThreadFinished(WPARAM wParam, LPARAM /*lParam*/)
{
    m_bSafeToClose = TRUE;
    m_ctrlAnimate.Stop();
    if (Aborted()) {
        EndDialog(IDCANCEL);
    } else if (wParam) {
        AfxMessageBox(m_strError);
        EndDialog(IDCANCEL);
    } else {
        EndDialog(IDOK);
        if (m_bOpenWhenDone)
            ShellExecute(NULL, "Open", m_strTargetFile, NULL, NULL, SW_SHOWNORMAL);
    }
    return 0L;
}

void CHttpDownloadDlg::OnCancel()
{
    m_bAbort = TRUE;
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    if (pCancel)
        pCancel->EnableWindow(FALSE);
    SetStatus(IDS_HTTPDOWNLOAD_ABORTING_TRANSFER);
    // A worker blocked on a silent server returns at once: its session goes.
    std::lock_guard<std::mutex> g(m_handleLock);
    if (m_hSession)
        InternetCloseHandle(m_hSession);
}

void CHttpDownloadDlg::OnClose()
{
    if (m_bSafeToClose)
        CDialog::OnClose();
    else
        OnCancel();
}

void CHttpDownloadDlg::OnDestroy()
{
    if (m_pThread) {
        WaitForSingleObject(m_pThread->m_hThread, INFINITE);
        delete m_pThread;
        m_pThread = NULL;
    }
    // Handles a cancel closed already are refused quietly.
    if (m_hRequest) {
        InternetCloseHandle(m_hRequest);
        m_hRequest = NULL;
    }
    if (m_hConnection) {
        InternetCloseHandle(m_hConnection);
        m_hConnection = NULL;
    }
    if (m_hSession) {
        InternetCloseHandle(m_hSession);
        m_hSession = NULL;
    }
    CDialog::OnDestroy();
}

void CHttpDownloadDlg::SetStatus(UINT nID, LPCTSTR lpsz1)
{
    CString s;
    if (lpsz1)
        AfxFormatString1(s, nID, lpsz1);
    else
        s.LoadString(nID);
    // From the worker this is a message the user-interface thread handles.
    ::SetDlgItemText(GetSafeHwnd(), IDC_STATUS, s);
}

// ---- the display's texts ------------------------------------------------------------------

CString CHttpDownloadDlg::FormatRate(double dKbPerSecond)
{
    CString sRate;
    CString s;
    if (dKbPerSecond < 1) {
        sRate.Format("%0.0f", dKbPerSecond * 1024);
        AfxFormatString1(s, IDS_HTTPDOWNLOAD_BYTESPERSECOND, sRate);
    } else if (dKbPerSecond < 10) {
        sRate.Format("%0.2f", dKbPerSecond);
        AfxFormatString1(s, IDS_HTTPDOWNLOAD_KILOBYTESPERSECOND, sRate);
    } else {
        sRate.Format("%0.0f", dKbPerSecond);
        AfxFormatString1(s, IDS_HTTPDOWNLOAD_KILOBYTESPERSECOND, sRate);
    }
    return s;
}

CString CHttpDownloadDlg::FormatAmount(DWORD dwBytes)
{
    CString sValue;
    CString s;
    if (dwBytes < 1024) {
        sValue.Format("%d", (int)dwBytes);
        AfxFormatString1(s, IDS_HTTPDOWNLOAD_BYTES, sValue);
    } else if (dwBytes >= 1048576) {
        sValue.Format("%0.2f", dwBytes / 1048576.0);
        AfxFormatString1(s, IDS_HTTPDOWNLOAD_MEGABYTES, sValue);
    } else {
        sValue.Format("%0.1f", dwBytes / 1024.0);
        AfxFormatString1(s, IDS_HTTPDOWNLOAD_KILOBYTES, sValue);
    }
    return s;
}

CString CHttpDownloadDlg::FormatTimeLeft(DWORD dwSecondsLeft, DWORD dwBytesCopied, DWORD dwTotalBytes)
{
    CString sCopied;
    AfxFormatString2(sCopied, IDS_HTTPDOWNLOAD_OF, FormatAmount(dwBytesCopied), FormatAmount(dwTotalBytes));
    CString sTime;
    if (dwSecondsLeft <= 59) {
        CString sSeconds;
        sSeconds.Format("%u", (unsigned)dwSecondsLeft);
        AfxFormatString1(sTime, IDS_HTTPDOWNLOAD_SECONDS, sSeconds);
    } else {
        const DWORD dwMinutes = dwSecondsLeft / 60;
        const DWORD dwSeconds = dwSecondsLeft % 60;
        CString sMinutes, sSeconds;
        sMinutes.Format("%u", (unsigned)dwMinutes);
        sSeconds.Format("%u", (unsigned)dwSeconds);
        if (dwSeconds != 0)
            AfxFormatString2(sTime, IDS_HTTPDOWNLOAD_MINUTES_AND_SECONDS, sMinutes, sSeconds);
        else
            AfxFormatString1(sTime, IDS_HTTPDOWNLOAD_MINUTES, sMinutes);
    }
    CString s;
    AfxFormatString2(s, IDS_HTTPDOWNLOAD_TIMELEFT, sTime, sCopied);
    return s;
}
