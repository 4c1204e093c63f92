// A loopback file server, a temporary target folder and helpers that run the download
// dialog modally under a script.
#pragma once

#include <ClassLib/Wnd/QtInterop.h>

#include <QLabel>

#include <HttpDownloadDlg.h>
#include <HttpLoopback/LoopbackHttpServer.h>

#include <ClassLib/Testing.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

// The dialog with its protected parts open to the tests.
class CTestDownloadDlg : public CHttpDownloadDlg
{
public:
    using CHttpDownloadDlg::m_bAbort;
    using CHttpDownloadDlg::m_strError;
    using CHttpDownloadDlg::m_strFileName;
    using CHttpDownloadDlg::m_strObject;
    using CHttpDownloadDlg::m_strServer;
    using CHttpDownloadDlg::OnStatusCallBack;
};

// What a script saw on the live dialog when the download had ended.
struct DownloadView
{
    CString caption, status, file, timeLeft, rate;
    QString fileShown;  // the file line as its label shows it
    int progressPos = -1;
    int progressUpper = -1;
};

class DownloadTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        // The dialog takes the desktop's proxy settings: the loopback server is reached directly.
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            unsetenv(name);
        ASSERT_TRUE(server.Start());
        char pattern[] = "/tmp/pcdownload-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        target = dir + "/file.doc";
    }
    void TearDown() override
    {
        server.Stop();
        std::remove(target.c_str());
        rmdir(dir.c_str());
        CWndTestBase::TearDown();
    }

    static bool Exists(const std::string& path)
    {
        struct stat st;
        return stat(path.c_str(), &st) == 0;
    }
    static std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    static std::string Pattern(size_t n)
    {
        std::string s(n, '\0');
        CLoopbackHttpServer::FillPattern(0, reinterpret_cast<unsigned char*>(&s[0]), n);
        return s;
    }

    // Runs the message queue until the dialog's modal loop has ended (or the time is up).
    static bool WaitForEnd(CWnd* pDlg, int nSeconds = 20)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(nSeconds);
        while (pDlg->m_nFlags & WF_CONTINUEMODAL) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            AfxPumpMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
    // Runs the queue until pred holds (or the time is up).
    static bool WaitFor(const std::function<bool()>& pred, int nSeconds = 20)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(nSeconds);
        while (!pred()) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            AfxPumpMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
    static DownloadView Look(CWnd* pDlg)
    {
        DownloadView v;
        pDlg->GetWindowText(v.caption);
        pDlg->GetDlgItemText(IDC_STATUS, v.status);
        pDlg->GetDlgItemText(IDC_FILESTATUS, v.file);
        if (CWnd* pFile = pDlg->GetDlgItem(IDC_FILESTATUS))
            if (auto* pLabel = qobject_cast<QLabel*>(AfxGetWidget(pFile->GetSafeHwnd())))
                v.fileShown = pLabel->text();
        pDlg->GetDlgItemText(IDC_TIMELEFT, v.timeLeft);
        pDlg->GetDlgItemText(IDC_TRANSFER_RATE, v.rate);
        CProgressCtrl* p = static_cast<CProgressCtrl*>(pDlg->GetDlgItem(IDC_PROGRESS1));
        if (p) {
            v.progressPos = p->GetPos();
            int lo = 0, hi = 0;
            p->GetRange(lo, hi);
            v.progressUpper = hi;
        }
        return v;
    }
    // The usual script: waits for the end and looks at the dialog then.
    AfxModalScript WaitAndLook(DownloadView* pView, bool* pEnded)
    {
        return [=](CWnd* pDlg) {
            *pEnded = WaitForEnd(pDlg);
            *pView = Look(pDlg);
        };
    }

    CLoopbackHttpServer server;
    std::string dir, target;
};
