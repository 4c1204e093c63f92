// The download dialog's worker thread: connects, sends the request (again after a login),
// reads the body into the target file and reports its end to the dialog. Its texts and
// the progress go to the dialog's controls as messages the user-interface thread handles.
#include "HttpDownloadDlg.h"

#include <Internet/AfxInet.h>
#include <Internet/WinInet.h>

#include <cstdlib>
#include <vector>

namespace {

// The stated length when it is a whole number of bytes the 32-bit count holds; anything
// else (a sign, blanks inside, more than 4 GB) leaves the size unknown, as no header does.
bool ParseFileSize(LPCTSTR pszText, DWORD& dwSize)
{
    unsigned long long n = 0;
    const char* p = pszText;
    if (*p < '0' || *p > '9')
        return false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        n = n * 10 + (unsigned)(*p - '0');
        if (n > 0xFFFFFFFFull)
            return false;
    }
    if (*p)
        return false;
    dwSize = (DWORD)n;
    return true;
}

// The progress bar's upper end for a file of that size: kilobytes, rounded, and at least
// one (a range that ends where it starts shows no bar at all).
int ProgressUnits(DWORD dwFileSize)
{
    const int nUnits = (int)(((unsigned long long)dwFileSize + 512) / 1024);
    return nUnits > 0 ? nUnits : 1;
}

}  // namespace

UINT CHttpDownloadDlg::_DownloadThread(LPVOID pParam)
{
    static_cast<CHttpDownloadDlg*>(pParam)->DownloadThread();
    return 0;
}

void CALLBACK CHttpDownloadDlg::_OnStatusCallBack(HINTERNET hInternet, DWORD_PTR dwContext, DWORD dwInternetStatus,
                                                  LPVOID lpvStatusInformation, DWORD dwStatusInformationLength)
{
    CHttpDownloadDlg* pDlg = reinterpret_cast<CHttpDownloadDlg*>(dwContext);
    if (pDlg)
        pDlg->OnStatusCallBack(hInternet, dwInternetStatus, lpvStatusInformation, dwStatusInformationLength);
}

void CHttpDownloadDlg::OnStatusCallBack(HINTERNET /*hInternet*/, DWORD dwInternetStatus, LPVOID lpvStatusInformation,
                                        DWORD /*dwStatusInformationLength*/)
{
    LPCTSTR pszInfo = static_cast<LPCTSTR>(lpvStatusInformation);
    switch (dwInternetStatus) {
    case INTERNET_STATUS_RESOLVING_NAME: SetStatus(IDS_HTTPDOWNLOAD_RESOLVING_NAME, pszInfo); break;
    case INTERNET_STATUS_NAME_RESOLVED: SetStatus(IDS_HTTPDOWNLOAD_RESOLVED_NAME, pszInfo); break;
    case INTERNET_STATUS_CONNECTING_TO_SERVER: SetStatus(IDS_HTTPDOWNLOAD_CONNECTING, pszInfo); break;
    case INTERNET_STATUS_CONNECTED_TO_SERVER: SetStatus(IDS_HTTPDOWNLOAD_CONNECTED, pszInfo); break;
    case INTERNET_STATUS_REDIRECT: SetStatus(IDS_HTTPDOWNLOAD_REDIRECTING, pszInfo); break;
    default: break;
    }
}

void CHttpDownloadDlg::KeepHandle(HINTERNET& rMember, HINTERNET hNew)
{
    std::lock_guard<std::mutex> g(m_handleLock);
    rMember = hNew;
    // A cancel that came before the handle was kept could not close it.
    if (hNew && Aborted() && m_hSession)
        InternetCloseHandle(m_hSession);
}

void CHttpDownloadDlg::FinishAborted()
{
    m_file.Abort();
    RemoveTargetFile();
    PostMessage(WM_DOWNLOAD_FINISHED, 0, 0);
}

void CHttpDownloadDlg::HandleThreadErrorWithLastError(UINT nIDError, DWORD dwLastError)
{
    if (Aborted()) {
        // The failure is the cancel closing the session: not an error to report.
        FinishAborted();
        return;
    }
    if (dwLastError == 0)
        dwLastError = GetLastError();
    CString sError;
    sError.Format("%u", (unsigned)dwLastError);
    AfxFormatString1(m_strError, nIDError, sError);
    m_file.Abort();
    RemoveTargetFile();
    PostMessage(WM_DOWNLOAD_FINISHED, 1, 0);
}

void CHttpDownloadDlg::HandleThreadError(UINT nIDError)
{
    if (Aborted()) {
        FinishAborted();
        return;
    }
    m_strError.LoadString(nIDError);
    // No usable response: the empty file would only make the next download ask to
    // overwrite it.
    m_file.Abort();
    RemoveTargetFile();
    PostMessage(WM_DOWNLOAD_FINISHED, 1, 0);
}

void CHttpDownloadDlg::DownloadThread()
{
    HINTERNET hSession = InternetOpen(AfxGetAppName(), INTERNET_OPEN_TYPE_PRECONFIG, NULL, NULL, 0);
    KeepHandle(m_hSession, hSession);
    if (hSession == NULL) {
        TRACE("Failed in call to InternetOpen, Error:%d\n", (int)GetLastError());
        HandleThreadErrorWithLastError(IDS_HTTPDOWNLOAD_GENERAL_ERROR);
        return;
    }
    if (Aborted()) {
        FinishAborted();
        return;
    }
    if (InternetSetStatusCallback(hSession, _OnStatusCallBack) == INTERNET_INVALID_STATUS_CALLBACK) {
        TRACE("Failed in call to InternetSetStatusCallback, Error:%d\n", (int)GetLastError());
        HandleThreadErrorWithLastError(IDS_HTTPDOWNLOAD_GENERAL_ERROR);
        return;
    }
    if (Aborted()) {
        FinishAborted();
        return;
    }

    // An https address is HTTP over TLS: the connection is HTTP's, the request secure.
    const BOOL bSecure = m_dwService == AFX_INET_SERVICE_HTTPS;
    const DWORD dwService = bSecure ? (DWORD)INTERNET_SERVICE_HTTP : m_dwService;
    HINTERNET hConnection;
    if (m_strUser.GetLength())
        hConnection = InternetConnect(hSession, m_strServer, m_nPort, m_strUser, m_strPassword, dwService, 0,
                                      (DWORD_PTR)this);
    else
        hConnection = InternetConnect(hSession, m_strServer, m_nPort, NULL, NULL, dwService, 0, (DWORD_PTR)this);
    KeepHandle(m_hConnection, hConnection);
    if (hConnection == NULL) {
        TRACE("Failed in call to InternetConnect, Error:%d\n", (int)GetLastError());
        HandleThreadErrorWithLastError(IDS_HTTPDOWNLOAD_FAIL_CONNECT_SERVER);
        return;
    }
    if (Aborted()) {
        FinishAborted();
        return;
    }

    m_ctrlAnimate.Play(0, (UINT)-1, (UINT)-1);

    LPCTSTR ppszAcceptTypes[2];
    ppszAcceptTypes[0] = "*/*";
    ppszAcceptTypes[1] = NULL;
    HINTERNET hRequest = HttpOpenRequest(hConnection, NULL, m_strObject, NULL, NULL, ppszAcceptTypes,
                                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_DONT_CACHE | INTERNET_FLAG_KEEP_CONNECTION |
                                             (bSecure ? INTERNET_FLAG_SECURE : 0),
                                         (DWORD_PTR)this);
    KeepHandle(m_hRequest, hRequest);
    if (hRequest == NULL) {
        TRACE("Failed in call to HttpOpenRequest, Error:%d\n", (int)GetLastError());
        HandleThreadErrorWithLastError(IDS_HTTPDOWNLOAD_FAIL_CONNECT_SERVER);
        return;
    }
    if (Aborted()) {
        FinishAborted();
        return;
    }

    // Sent again for as long as a login prompt asks for it.
    for (;;) {
        if (!HttpSendRequest(hRequest, NULL, 0, NULL, 0)) {
            TRACE("Failed in call to HttpSendRequest, Error:%d\n", (int)GetLastError());
            HandleThreadErrorWithLastError(IDS_HTTPDOWNLOAD_FAIL_CONNECT_SERVER);
            return;
        }
        TCHAR szStatusCode[32];
        DWORD dwInfoSize = 32;
        if (!HttpQueryInfo(hRequest, HTTP_QUERY_STATUS_CODE, szStatusCode, &dwInfoSize, NULL)) {
            TRACE("Failed in call to HttpQueryInfo for HTTP query status code, Error:%d\n", (int)GetLastError());
            HandleThreadError(IDS_HTTPDOWNLOAD_INVALID_SERVER_RESPONSE);
            return;
        }
        const long nStatusCode = std::atol(szStatusCode);
        if (nStatusCode == 401 || nStatusCode == 407) {
            // The refusal's own body is read away before asking.
            char szData[51];
            DWORD dwSize;
            do {
                dwSize = 0;
                if (!InternetReadFile(hRequest, szData, 50, &dwSize))
                    break;
            } while (dwSize != 0 && !Aborted());
            if (Aborted()) {
                FinishAborted();
                return;
            }
            if (InternetErrorDlg(GetSafeHwnd(), hRequest, ERROR_INTERNET_INCORRECT_PASSWORD,
                                 FLAGS_ERROR_UI_FILTER_FOR_ERRORS | FLAGS_ERROR_UI_FLAGS_GENERATE_DATA |
                                     FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS,
                                 NULL) == ERROR_INTERNET_FORCE_RETRY)
                continue;
            // No login given: the refusal stands, and nothing was downloaded.
            TRACE("Failed to retrieve a HTTP 200 status, Status Code: %d\n", (int)nStatusCode);
            HandleThreadErrorWithLastError(IDS_HTTPDOWNLOAD_INVALID_HTTP_RESPONSE, (DWORD)nStatusCode);
            return;
        }
        if (nStatusCode == 200)
            break;
        TRACE("Failed to retrieve a HTTP 200 status, Status Code: %d\n", (int)nStatusCode);
        HandleThreadErrorWithLastError(IDS_HTTPDOWNLOAD_INVALID_HTTP_RESPONSE, (DWORD)nStatusCode);
        return;
    }

    SetStatus(IDS_HTTPDOWNLOAD_GETTING_FILE_INFORMATION);
    TCHAR szContentLength[32];
    DWORD dwInfoSize = 32;
    DWORD dwFileSize = 0;
    BOOL bGotFileSize = FALSE;
    if (HttpQueryInfo(hRequest, HTTP_QUERY_CONTENT_LENGTH, szContentLength, &dwInfoSize, NULL) &&
        ParseFileSize(szContentLength, dwFileSize)) {
        bGotFileSize = TRUE;
        // Kilobytes, rounded; the 32-bit range holds files past the 16-bit one's 32 MB.
        m_ctrlProgress.SetRange32(0, ProgressUnits(dwFileSize));
    }

    SetStatus(IDS_HTTPDOWNLOAD_RETREIVEING_FILE);
    const DWORD dwStartTicks = ::GetTickCount();
    DWORD dwCurrentTicks = dwStartTicks;
    DWORD dwBytesRead = 0;
    char szReadBuf[1024];
    const DWORD dwBytesToRead = 1024;
    // The kilobytes read go to the file 64 KB at a time: one write call per 64 reads
    // instead of one per read (the reads, and the display after each, stay per kilobyte).
    const size_t nWriteAt = 64 * 1024;
    std::vector<char> pending;
    pending.reserve(nWriteAt);
    auto writePending = [&]() -> BOOL {
        if (pending.empty())
            return TRUE;
        try {
            m_file.Write(pending.data(), (UINT)pending.size());
        } catch (CFileException* pEx) {
            TRACE("An exception occured while writing to the download file\n");
            const DWORD dwError = (DWORD)pEx->m_lOsError;
            pEx->Delete();
            HandleThreadErrorWithLastError(IDS_HTTPDOWNLOAD_ERROR_READFILE, dwError);
            return FALSE;
        }
        pending.clear();
        return TRUE;
    };
    DWORD dwTotalBytesRead = 0;
    DWORD dwLastTotalBytes = 0;
    DWORD dwLastPercentage = 0;
    do {
        if (!InternetReadFile(hRequest, szReadBuf, dwBytesToRead, &dwBytesRead)) {
            TRACE("Failed in call to InternetReadFile, Error:%d\n", (int)GetLastError());
            HandleThreadErrorWithLastError(IDS_HTTPDOWNLOAD_ERROR_READFILE);
            return;
        }
        if (dwBytesRead && !Aborted()) {
            pending.insert(pending.end(), szReadBuf, szReadBuf + dwBytesRead);
            if (pending.size() >= nWriteAt && !writePending())
                return;
            dwTotalBytesRead += dwBytesRead;
            UpdateControlsDuringTransfer(dwStartTicks, dwCurrentTicks, dwTotalBytesRead, dwLastTotalBytes,
                                         dwLastPercentage, bGotFileSize, dwFileSize);
        }
    } while (dwBytesRead && !Aborted());

    if (Aborted()) {
        FinishAborted();
        return;
    }
    if (!writePending())
        return;
    try {
        m_file.Close();
    } catch (CFileException* pEx) {
        TRACE("An exception occured while writing to the download file\n");
        const DWORD dwError = (DWORD)pEx->m_lOsError;
        pEx->Delete();
        HandleThreadErrorWithLastError(IDS_HTTPDOWNLOAD_ERROR_READFILE, dwError);
        return;
    }
    PostMessage(WM_DOWNLOAD_FINISHED, 0, 0);
}

void CHttpDownloadDlg::UpdateControlsDuringTransfer(DWORD dwStartTicks, DWORD& dwCurrentTicks, DWORD dwTotalBytesRead,
                                                    DWORD& dwLastTotalBytes, DWORD& dwLastPercentage,
                                                    BOOL bGotFileSize, DWORD dwFileSize)
{
    if (bGotFileSize && dwFileSize) {
        // A chunked body may run past the length its header stated: never past 100%.
        const DWORD dwPercentage =
            dwTotalBytesRead >= dwFileSize ? 100 : (DWORD)(dwTotalBytesRead * 100.0 / dwFileSize);
        if (dwPercentage != dwLastPercentage) {
            CString sPercentage;
            sPercentage.Format("%u", (unsigned)dwPercentage);
            CString sCaption;
            AfxFormatString2(sCaption, IDS_HTTPDOWNLOAD_PERCENTAGE, sPercentage, m_strFileName);
            SetWindowText(sCaption);
            dwLastPercentage = dwPercentage;
            // The range is rounded up from half a kilobyte: a whole file fills the bar.
            m_ctrlProgress.SetPos(dwPercentage == 100 ? ProgressUnits(dwFileSize) : (int)(dwTotalBytesRead / 1024));
        }
    }

    const DWORD dwNowTicks = ::GetTickCount();
    const DWORD dwTimeTaken = dwNowTicks - dwCurrentTicks;
    if (dwTimeTaken > 1000) {
        const double dKbPerSecond = ((double)dwTotalBytesRead - (double)dwLastTotalBytes) / (double)dwTimeTaken;
        m_ctrlTransferRate.SetWindowText(FormatRate(dKbPerSecond));
        dwCurrentTicks = dwNowTicks;
        dwLastTotalBytes = dwTotalBytesRead;
        if (bGotFileSize && dwTotalBytesRead) {
            const double dBytesLeft = dwTotalBytesRead < dwFileSize ? (double)dwFileSize - dwTotalBytesRead : 0.0;
            // A slow start on a large file can estimate past the 32-bit count: held at its top.
            const double dSecondsLeft = ((double)dwNowTicks - dwStartTicks) / dwTotalBytesRead * dBytesLeft / 1000;
            const DWORD dwSecondsLeft = dSecondsLeft < 4294967295.0 ? (DWORD)dSecondsLeft : 0xFFFFFFFF;
            m_ctrlTimeLeft.SetWindowText(FormatTimeLeft(dwSecondsLeft, dwTotalBytesRead, dwFileSize));
        }
    }
}
