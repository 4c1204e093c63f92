// The HTTP download's reply handling: the download dialog's worker fetches a file over the
// real HTTP session (libcurl) from a loopback socket that answers every connection with the
// input as the raw server reply (status line, headers, length or chunked body), then closes
// it. Every request (redirects included, whatever host they name) goes through that socket
// as the desktop's proxy, so nothing outside the machine is contacted. A login prompt is
// cancelled, an error box answered OK; the downloaded file goes to a temporary folder.
#include "FuzzEntry.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Testing/UiScripts.h>
#include <ClassLib/Wnd/UiApp.h>

#include "HttpDownloadDlg.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

// Answers each connection with the current reply: reads the request's head (bounded in
// size and time), writes the reply and closes.
class CReplayServer
{
public:
    bool Start()
    {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        if (m_listen < 0)
            return false;
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = 0;
        socklen_t len = sizeof a;
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(m_listen, 16) != 0 ||
            ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &len) != 0)
            return false;
        m_port = ntohs(a.sin_port);
        std::thread([this] { Serve(); }).detach();  // serves as long as the process runs
        return true;
    }
    int Port() const { return m_port; }
    void SetReply(std::string reply)
    {
        std::lock_guard<std::mutex> g(m_lock);
        m_reply = std::move(reply);
    }

private:
    void Serve()
    {
        for (;;) {
            const int s = ::accept(m_listen, nullptr, nullptr);
            if (s < 0)
                continue;
            ReadHead(s);
            std::string reply;
            {
                std::lock_guard<std::mutex> g(m_lock);
                reply = m_reply;
            }
            size_t sent = 0;
            while (sent < reply.size()) {
                const ssize_t n = ::send(s, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += (size_t)n;
            }
            ::shutdown(s, SHUT_WR);
            // What the client has sent beyond the head is read away so the close does not reset
            // the connection under the reply; a client that keeps the connection open is not
            // waited for (a redirect loop would wait on every hop).
            char buf[4096];
            pollfd p{s, POLLIN, 0};
            while (::poll(&p, 1, 0) > 0 && ::recv(s, buf, sizeof buf, 0) > 0) {
            }
            ::close(s);
        }
    }
    static void ReadHead(int s)
    {
        std::string head;
        char buf[4096];
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            pollfd p{s, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, (int)left.count()) <= 0)
                return;
            const ssize_t n = ::recv(s, buf, sizeof buf, 0);
            if (n <= 0)
                return;
            head.append(buf, (size_t)n);
        }
    }

    int m_listen = -1;
    int m_port = 0;
    std::mutex m_lock;
    std::string m_reply;
};

int AnswerOk(LPCTSTR, LPCTSTR, UINT) { return IDOK; }

struct DownloadTarget
{
    CReplayServer server;
    std::string dir, file, proxy;
    bool ok = false;
    DownloadTarget()
    {
        fuzz::EnsureHeadless();
        AfxEnsureApplication();
        AfxSetMessageBoxHandler(&AnswerOk);
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/pc-fuzz-download-XXXXXX";
        if (!::mkdtemp(&pattern[0]) || !server.Start())
            return;
        dir = pattern;
        file = dir + "/file.doc";
        proxy = "http://127.0.0.1:" + std::to_string(server.Port());
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            setenv(name, proxy.c_str(), 1);
        unsetenv("no_proxy");
        unsetenv("NO_PROXY");
        ok = true;
    }
};

DownloadTarget* g_target = nullptr;

void RemoveFolder()
{
    if (g_target && !g_target->dir.empty()) {
        std::remove(g_target->file.c_str());
        ::rmdir(g_target->dir.c_str());
    }
}

// Pumps the dialog's messages until its modal loop ends; the worker's own time-outs end
// every transfer, this bound only keeps a fault from hanging the run.
void WaitForEnd(CWnd* pDlg)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((pDlg->m_nFlags & WF_CONTINUEMODAL) && std::chrono::steady_clock::now() < until) {
        AfxPumpMessages();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Lives as long as the process; its folder goes when the process ends.
    static DownloadTarget* target = [] {
        DownloadTarget* t = g_target = new DownloadTarget;
        std::atexit([] { RemoveFolder(); });
        return t;
    }();
    if (!target->ok)
        return 0;
    target->server.SetReply(std::string(reinterpret_cast<const char*>(data), size));
    std::remove(target->file.c_str());
    AfxTestResetScripts();
    {
        CHttpDownloadDlg dlg;
        dlg.m_strUrl = "http://files.invalid/pdm/GetPdmFile.asp?ClassID=3&ObjectID=7";
        dlg.m_strTargetFile = target->file.c_str();
        dlg.m_bOpenWhenDone = 0;
        // The download's own dialog waits for its end; a login prompt it opens meanwhile
        // is cancelled.
        AfxTestPushModalScript(&WaitForEnd);
        AfxTestPushModalResult(IDCANCEL);
        dlg.DoModal();
    }
    AfxTestResetScripts();
    std::remove(target->file.c_str());
    return 0;
}
