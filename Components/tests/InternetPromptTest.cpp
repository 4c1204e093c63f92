// The credential prompt (scripted as a modal dialog) and closing a request from the
// user-interface thread while a worker is blocked in it.
#include "InternetTestSupport.h"

#include <ClassLib/Testing.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

class InternetUiTest : public InternetTest
{
protected:
    void SetUp() override
    {
        AfxEnsureApplication();
        AfxTestResetScripts();
        InternetTest::SetUp();
    }
    void TearDown() override
    {
        InternetTest::TearDown();
        AfxPumpMessages();
    }
};

// Fills the prompt and presses the button.
AfxModalScript Answer(const char* user, const char* password, int button, CString* pSite = nullptr)
{
    return [=](CWnd* dlg) {
        if (pSite)
            dlg->GetDlgItemText(INET_IDC_SITE, *pSite);
        dlg->SetDlgItemText(INET_IDC_USERNAME, user);
        dlg->SetDlgItemText(INET_IDC_PASSWORD, password);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)dlg->GetDlgItem(button)->GetSafeHwnd());
    };
}

void Protect(CLoopbackHttpServer& server)
{
    CLoopbackHttpServer::Reply r;
    r.body = "secret";
    r.user = "zhang";
    r.password = "pw:1";
    server.Serve("/doc", r);
}

TEST_F(InternetUiTest, UnauthorizedThenScriptedCredentialsThenOk)
{
    Protect(server);
    Open("/doc");
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    ASSERT_EQ(Query(HTTP_QUERY_STATUS_CODE), "401");
    std::string drained;
    ASSERT_TRUE(ReadAll(drained, 50));
    CString site;
    AfxTestPushModalScript(Answer("zhang", "pw:1", IDOK, &site));
    const DWORD flags = FLAGS_ERROR_UI_FILTER_FOR_ERRORS | FLAGS_ERROR_UI_FLAGS_GENERATE_DATA |
                        FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS;
    EXPECT_EQ(InternetErrorDlg(nullptr, hRequest, ERROR_INTERNET_INCORRECT_PASSWORD, flags, nullptr),
              (DWORD)ERROR_INTERNET_FORCE_RETRY);
    EXPECT_EQ(site, CString("127.0.0.1"));
    ASSERT_EQ(AfxTestModalLog().size(), 1u);
    EXPECT_EQ(AfxTestModalLog()[0].strCaption, CString("Enter Network Password"));
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(Query(HTTP_QUERY_STATUS_CODE), "200");
    std::string body;
    ASSERT_TRUE(ReadAll(body));
    EXPECT_EQ(body, "secret");
    auto seen = server.Requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].authorization, "");
    EXPECT_EQ(seen[1].authorization, "Basic emhhbmc6cHc6MQ==");
    // With the filter, a request that was not refused asks nothing.
    EXPECT_EQ(InternetErrorDlg(nullptr, hRequest, ERROR_INTERNET_INCORRECT_PASSWORD, flags, nullptr),
              (DWORD)ERROR_SUCCESS);
    EXPECT_EQ(AfxTestModalLog().size(), 1u);
}

TEST_F(InternetUiTest, CancelledPromptIsReportedAsCancelled)
{
    Protect(server);
    Open("/doc");
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    AfxTestPushModalScript(Answer("zhang", "pw:1", IDCANCEL));
    EXPECT_EQ(InternetErrorDlg(nullptr, hRequest, ERROR_INTERNET_INCORRECT_PASSWORD,
                               FLAGS_ERROR_UI_FILTER_FOR_ERRORS | FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS, nullptr),
              (DWORD)ERROR_CANCELLED);
    // Nothing was kept: a retry is refused again.
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(Query(HTTP_QUERY_STATUS_CODE), "401");
}

TEST_F(InternetUiTest, CredentialsGivenToTheConnectionAreSentAtOnce)
{
    Protect(server);
    hSession = InternetOpen("Tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    hConnect = InternetConnect(hSession, "127.0.0.1", (INTERNET_PORT)server.Port(), "zhang", "pw:1",
                               INTERNET_SERVICE_HTTP, 0, 0);
    hRequest = HttpOpenRequest(hConnect, nullptr, "/doc", nullptr, nullptr, nullptr, 0, 0);
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(Query(HTTP_QUERY_STATUS_CODE), "200");
}

struct Worker
{
    HINTERNET hRequest = nullptr;
    std::atomic<bool> started{false};
    std::atomic<DWORD> error{0};
    std::atomic<DWORD> prompt{0};
    std::string body;
};

UINT ReadUntilFailure(LPVOID p)
{
    Worker* w = static_cast<Worker*>(p);
    w->started = true;
    char buf[1024];
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(w->hRequest, buf, sizeof buf, &got)) {
            w->error = GetLastError();
            return 1;
        }
        if (got == 0)
            return 0;
        w->body.append(buf, got);
    }
}

TEST_F(InternetUiTest, ClosingTheRequestFromTheUiThreadEndsABlockedRead)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(100000);
    r.stallAfter = 5000;
    server.Serve("/stall", r);
    Open("/stall");
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    Worker w;
    w.hRequest = hRequest;
    CWinThread* p = AfxBeginThread(&ReadUntilFailure, &w, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(p, nullptr);
    p->m_bAutoDelete = FALSE;
    p->ResumeThread();
    for (int i = 0; i < 5000 && server.Stalled() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(server.Stalled(), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the worker is blocked by now
    EXPECT_EQ(WaitForSingleObject(p->m_hThread, 0), (DWORD)WAIT_TIMEOUT);
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(InternetCloseHandle(hRequest));
    hRequest = nullptr;
    EXPECT_EQ(WaitForSingleObject(p->m_hThread, 10000), (DWORD)WAIT_OBJECT_0);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(1));
    DWORD code = 0;
    GetExitCodeThread(p->m_hThread, &code);
    EXPECT_EQ(code, 1u);
    EXPECT_EQ(w.error.load(), (DWORD)ERROR_INTERNET_OPERATION_CANCELLED);
    EXPECT_EQ(w.body.size(), 5000u - 5000u % 1024u);
    delete p;
    server.ReleaseStalls();
}

UINT PromptFromWorker(LPVOID p)
{
    Worker* w = static_cast<Worker*>(p);
    w->prompt = InternetErrorDlg(nullptr, w->hRequest, ERROR_INTERNET_INCORRECT_PASSWORD,
                                 FLAGS_ERROR_UI_FILTER_FOR_ERRORS | FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS, nullptr);
    return 0;
}

TEST_F(InternetUiTest, PromptAskedByAWorkerShowsOnTheUiThreadWhileItWaits)
{
    Protect(server);
    Open("/doc");
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    DWORD uiThread = GetCurrentThreadId();
    DWORD shownOn = 0;
    AfxTestPushModalScript([&](CWnd* dlg) {
        shownOn = GetCurrentThreadId();
        Answer("zhang", "pw:1", IDOK)(dlg);
    });
    Worker w;
    w.hRequest = hRequest;
    CWinThread* p = AfxBeginThread(&PromptFromWorker, &w, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(p, nullptr);
    p->m_bAutoDelete = FALSE;
    p->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(p->m_hThread, 20000), (DWORD)WAIT_OBJECT_0);
    delete p;
    EXPECT_EQ(w.prompt.load(), (DWORD)ERROR_INTERNET_FORCE_RETRY);
    EXPECT_EQ(shownOn, uiThread);
    ASSERT_TRUE(HttpSendRequest(hRequest, nullptr, 0, nullptr, 0));
    EXPECT_EQ(Query(HTTP_QUERY_STATUS_CODE), "200");
}

}  // namespace
