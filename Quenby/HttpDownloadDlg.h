// The HTTP download dialog: fetches one URL into a local file on a worker thread while it
// shows the connection state, the progress, the transfer rate and the time left, and lets
// the user cancel. DoModal gives IDOK when the whole file was downloaded, IDCANCEL
// otherwise (a failed or cancelled download leaves no file behind).
//
// The worker never touches the dialog's windows itself: its texts and the progress reach
// them through messages the user-interface thread handles (a wait for the worker on that
// thread keeps handling them). It hands back its end with a posted WM_DOWNLOAD_FINISHED.
#pragma once

#include <ClassLib/AfxWin.h>

#include <atomic>
#include <mutex>

#include "HttpDownloadResource.h"

#define WM_DOWNLOAD_FINISHED (WM_APP + 1)

typedef LPVOID HINTERNET;
typedef WORD INTERNET_PORT;

class AFX_EXT_CLASS CHttpDownloadDlg : public CDialog
{
public:
    explicit CHttpDownloadDlg(CWnd* pParent = NULL);
    ~CHttpDownloadDlg() override;

    enum { IDD = IDD_HTTPDOWNLOAD };

    // Set by the caller before DoModal.
    CString m_strUrl;
    CString m_strTargetFile;
    CString m_strUser;
    CString m_strPassword;
    int m_bOpenWhenDone;

    // The display texts, as pure functions (sizes in bytes, rate in kilobytes per second).
    static CString FormatRate(double dKbPerSecond);
    static CString FormatAmount(DWORD dwBytes);
    static CString FormatTimeLeft(DWORD dwSecondsLeft, DWORD dwBytesCopied, DWORD dwTotalBytes);

protected:
    CString m_strError;
    CString m_strServer;
    CString m_strObject;
    CString m_strFileName;
    INTERNET_PORT m_nPort;
    DWORD m_dwService;
    HINTERNET m_hSession;
    HINTERNET m_hConnection;
    HINTERNET m_hRequest;
    std::atomic<int> m_bAbort;  // set on the user-interface thread, read by the worker
    int m_bSafeToClose;
    CFile m_file;
    CWinThread* m_pThread;

    CStatic m_ctrlStatus;
    CStatic m_ctrlTransferRate;
    CStatic m_ctrlTimeLeft;
    CProgressCtrl m_ctrlProgress;
    CStatic m_ctrlFileStatus;
    CAnimateCtrl m_ctrlAnimate;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg LRESULT OnThreadFinished(WPARAM wParam, LPARAM lParam);

    // The worker.
    static UINT _DownloadThread(LPVOID pParam);
    void DownloadThread();
    static void CALLBACK _OnStatusCallBack(HINTERNET hInternet, DWORD_PTR dwContext, DWORD dwInternetStatus,
                                           LPVOID lpvStatusInformation, DWORD dwStatusInformationLength);
    void OnStatusCallBack(HINTERNET hInternet, DWORD dwInternetStatus, LPVOID lpvStatusInformation,
                          DWORD dwStatusInformationLength);
    void HandleThreadErrorWithLastError(UINT nIDError, DWORD dwLastError = 0);
    void HandleThreadError(UINT nIDError);
    void UpdateControlsDuringTransfer(DWORD dwStartTicks, DWORD& dwCurrentTicks, DWORD dwTotalBytesRead,
                                      DWORD& dwLastTotalBytes, DWORD& dwLastPercentage, BOOL bGotFileSize,
                                      DWORD dwFileSize);
    void SetStatus(UINT nID, LPCTSTR lpsz1 = NULL);
    void FinishAborted();
    // Keeps a handle the worker made, closing it at once when the user cancelled meanwhile.
    void KeepHandle(HINTERNET& rMember, HINTERNET hNew);
    BOOL Aborted() const { return m_bAbort.load() != 0; }
    void RemoveTargetFile();

    std::mutex m_handleLock;  // the three handles, between the worker and a cancel

    DECLARE_MESSAGE_MAP()
};
