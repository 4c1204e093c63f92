// The download dialog against a loopback server: whole files with and without a length,
// a URL without its scheme, cancel (also while the server stalls), error statuses, a login,
// an existing or unwritable target, a worker that cannot start, and a large file.
#include "DownloadTestSupport.h"

#include "UnusedPortForDownload.h"

#include <Internet/WinInet.h>

#include <QImage>

namespace {

const char* kObject = "/pdm/GetPdmFile.asp?ClassID=3&ObjectID=7";

TEST_F(DownloadTest, WholeFileWithLength)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(300000);
    server.Serve("/pdm/file.doc", r);
    CTestMessageBoxes boxes;
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/pdm/file.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript(WaitAndLook(&v, &ended));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(ended);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(ReadFile(target), r.body);
    EXPECT_EQ(v.caption, CString("100% of file.doc Completed"));
    EXPECT_EQ(v.file, CString("file.doc from 127.0.0.1"));
    EXPECT_EQ(v.status, CString("Retrieving the file"));
    // The whole file fills the bar (the range is rounded up, the last kilobyte is partial).
    EXPECT_EQ(v.progressUpper, (300000 + 512) / 1024);
    EXPECT_EQ(v.progressPos, v.progressUpper);
    ASSERT_FALSE(AfxTestModalLog().empty());
    EXPECT_EQ(AfxTestModalLog().back().nIDTemplate, (UINT)IDD_HTTPDOWNLOAD);
    EXPECT_EQ(AfxTestModalLog().back().strCaption, CString("File Download"));
}

TEST_F(DownloadTest, UrlWithoutSchemeIsFetchedOverHttp)
{
    CLoopbackHttpServer::Reply r;
    r.body = "document";
    server.Serve(kObject, r);
    CTestDownloadDlg dlg;
    dlg.m_strUrl = ("127.0.0.1:" + std::to_string(server.Port()) + kObject).c_str();
    dlg.m_strTargetFile = target.c_str();
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript(WaitAndLook(&v, &ended));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(ReadFile(target), "document");
    EXPECT_EQ(dlg.m_strUrl, CString(server.Url(kObject).c_str()));
    EXPECT_EQ(dlg.m_strObject, CString(kObject));
    EXPECT_EQ(dlg.m_strFileName, CString("GetPdmFile.asp?ClassID=3&ObjectID=7"));
    // The "&" of the address shows; a file under half a kilobyte still fills a bar.
    EXPECT_EQ(v.fileShown, QStringLiteral("GetPdmFile.asp?ClassID=3&ObjectID=7 from 127.0.0.1"));
    EXPECT_EQ(v.progressUpper, 1);
    EXPECT_EQ(v.progressPos, 1);
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].target, kObject);
}

TEST_F(DownloadTest, NoLengthGivesNoPercentageNoTimeLeftButTheRate)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(40000);
    r.chunked = true;
    r.bytesPerSecond = 25000;  // the transfer lasts well over a second
    server.Serve("/pdm/slow.doc", r);
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/pdm/slow.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript(WaitAndLook(&v, &ended));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(ReadFile(target), r.body);
    EXPECT_EQ(v.caption, CString("File Download"));
    EXPECT_EQ(v.timeLeft, CString(""));
    EXPECT_NE(v.rate.Find("KB/Sec"), -1) << (LPCTSTR)v.rate;  // about 25 KB a second
    EXPECT_EQ(v.progressPos, 0);
}

TEST_F(DownloadTest, CancelDuringASlowTransferDeletesThePartAndSaysNothing)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(1000000);
    r.bytesPerSecond = 20000;
    server.Serve("/pdm/big.doc", r);
    CTestMessageBoxes boxes;
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/pdm/big.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    bool sawData = false, ended = false;
    CString status;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        sawData = WaitFor([&] { return Exists(target) && ReadFile(target).size() >= 2048; });
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        pDlg->GetDlgItemText(IDC_STATUS, status);
        EXPECT_FALSE(pDlg->GetDlgItem(IDCANCEL)->IsWindowEnabled());
        ended = WaitForEnd(pDlg, 5);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(sawData);
    EXPECT_TRUE(ended);
    EXPECT_EQ(status, CString("Aborting transfer"));
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_FALSE(Exists(target));
}

TEST_F(DownloadTest, CancelReachesAWorkerBlockedOnAStalledServer)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(100000);
    r.stallAfter = 3000;
    server.Serve("/pdm/stall.doc", r);
    CTestMessageBoxes boxes;
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/pdm/stall.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    bool stalled = false, ended = false;
    std::chrono::steady_clock::duration took{};
    AfxTestPushModalScript([&](CWnd* pDlg) {
        stalled = WaitFor([&] { return server.Stalled() == 1; });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the worker blocks in its read
        const auto t0 = std::chrono::steady_clock::now();
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ended = WaitForEnd(pDlg, 10);
        took = std::chrono::steady_clock::now() - t0;
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(stalled);
    EXPECT_TRUE(ended);
    EXPECT_LT(took, std::chrono::seconds(2));
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_FALSE(Exists(target));
    server.ReleaseStalls();
}

TEST_F(DownloadTest, ClosingTheWindowDuringTheTransferActsAsCancel)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(100000);
    r.stallAfter = 3000;
    server.Serve("/pdm/stall.doc", r);
    CTestMessageBoxes boxes;
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/pdm/stall.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    bool ended = false;
    CString status;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        WaitFor([&] { return server.Stalled() == 1; });
        pDlg->SendMessage(WM_CLOSE);
        pDlg->GetDlgItemText(IDC_STATUS, status);
        ended = WaitForEnd(pDlg, 10);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(ended);
    EXPECT_EQ(status, CString("Aborting transfer"));
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_FALSE(Exists(target));
    server.ReleaseStalls();
}

TEST_F(DownloadTest, NotFoundShowsTheHttpResponseErrorAndDeletesTheFile)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("Failed to receive a valid HTTP response from the server", IDOK);
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/pdm/missing.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript(WaitAndLook(&v, &ended));
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text, CString("Failed to receive a valid HTTP response from the server"));
    EXPECT_FALSE(Exists(target));
}

TEST_F(DownloadTest, ServerDownShowsTheConnectErrorWithItsCode)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("An error occurred connecting to the server, Error:12029", IDOK);
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = ("http://127.0.0.1:" + std::to_string(UnusedPortForDownload()) + "/x.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript(WaitAndLook(&v, &ended));
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_FALSE(Exists(target));
}

void Protect(CLoopbackHttpServer& server, const std::string& body)
{
    CLoopbackHttpServer::Reply r;
    r.body = body;
    r.user = "li";
    r.password = "secret";
    server.Serve("/pdm/locked.doc", r);
}

AfxModalScript Login(const char* user, const char* password, int button)
{
    return [=](CWnd* pPrompt) {
        pPrompt->SetDlgItemText(INET_IDC_USERNAME, user);
        pPrompt->SetDlgItemText(INET_IDC_PASSWORD, password);
        pPrompt->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    };
}

TEST_F(DownloadTest, UnauthorizedThenCredentialsThenTheFile)
{
    Protect(server, Pattern(5000));
    CTestMessageBoxes boxes;
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/pdm/locked.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript(WaitAndLook(&v, &ended));
    AfxTestPushModalScript(Login("li", "secret", IDOK));  // the prompt, shown by the worker
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(ReadFile(target), Pattern(5000));
    EXPECT_EQ(boxes.Count(), 0);
    auto seen = server.Requests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].authorization, "");
    EXPECT_EQ(seen[1].authorization, "Basic bGk6c2VjcmV0");
    ASSERT_EQ(AfxTestModalLog().size(), 2u);
    EXPECT_EQ(AfxTestModalLog()[0].strCaption, CString("Enter Network Password"));
}

TEST_F(DownloadTest, CancelledLoginIsAnErrorNotAnEmptyFile)
{
    Protect(server, "x");
    CTestMessageBoxes boxes;
    boxes.AnswerText("Failed to receive a valid HTTP response from the server", IDOK);
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/pdm/locked.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript(WaitAndLook(&v, &ended));
    AfxTestPushModalScript(Login("", "", IDCANCEL));
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_FALSE(Exists(target));
}

TEST_F(DownloadTest, CredentialsGivenBeforehandAreSentAtOnce)
{
    Protect(server, "x");
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/pdm/locked.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    dlg.m_strUser = "li";
    dlg.m_strPassword = "secret";
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript(WaitAndLook(&v, &ended));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(ReadFile(target), "x");
}

TEST_F(DownloadTest, ExistingFileIsReplacedOnlyWhenConfirmed)
{
    CLoopbackHttpServer::Reply r;
    r.body = "new";
    server.Serve("/f.doc", r);
    { std::ofstream(target, std::ios::binary) << "old"; }
    {
        CTestMessageBoxes boxes;
        boxes.Answer(IDNO);
        AfxTestPushModalScript([](CWnd*) {});
        CHttpDownloadDlg dlg;
        dlg.m_strUrl = server.Url("/f.doc").c_str();
        dlg.m_strTargetFile = target.c_str();
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Boxes()[0].text,
                  CString(("The file '" + target + "' already exists.\nDo you want to replace it?").c_str()));
        EXPECT_EQ(boxes.Boxes()[0].caption, CString("另存为"));
        EXPECT_EQ(boxes.Boxes()[0].type & 0xFF, (UINT)(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(ReadFile(target), "old");
        EXPECT_TRUE(server.Requests().empty());
    }
    {
        CTestMessageBoxes boxes;
        boxes.Answer(IDYES);
        CHttpDownloadDlg dlg;
        dlg.m_strUrl = server.Url("/f.doc").c_str();
        dlg.m_strTargetFile = target.c_str();
        DownloadView v;
        bool ended = false;
        AfxTestPushModalScript(WaitAndLook(&v, &ended));
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(ReadFile(target), "new");
    }
}

TEST_F(DownloadTest, TargetThatCannotBeOpenedShowsTheSystemError)
{
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    AfxTestPushModalScript([](CWnd*) {});
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/f.doc").c_str();
    const std::string bad = dir + "/no-such-folder/file.doc";
    dlg.m_strTargetFile = bad.c_str();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text, CString("An error occured while opening the file to be downloaded, Error:2"));
    EXPECT_EQ(boxes.Boxes()[0].caption, CString(""));
    EXPECT_EQ(boxes.Boxes()[0].type & 0xFF, (UINT)(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(DownloadTest, BadUrlEndsQuietly)
{
    CTestMessageBoxes boxes;
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = "http://bad host/x";
    AfxTestPushModalScript([](CWnd*) {});
    dlg.m_strTargetFile = target.c_str();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_FALSE(Exists(target));
}

TEST_F(DownloadTest, WorkerThatCannotStartLeavesNoFile)
{
    CTestMessageBoxes boxes;
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/f.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    AfxTestPushModalScript([](CWnd*) {});
    AfxTestFailThreadCreation(1);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    AfxTestFailThreadCreation(0);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_FALSE(Exists(target));
}

TEST_F(DownloadTest, OpensTheFileWhenAsked)
{
    CLoopbackHttpServer::Reply r;
    r.body = "doc";
    server.Serve("/f.doc", r);
    CTestShellCalls shell;
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/f.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    dlg.m_bOpenWhenDone = TRUE;
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript(WaitAndLook(&v, &ended));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    auto calls = shell.CallsOf(AfxShellCallRecord::shellExecute);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].strVerb, CString("Open"));
    EXPECT_EQ(calls[0].strFile, CString(target.c_str()));
    EXPECT_EQ(calls[0].nShowCmd, SW_SHOWNORMAL);
}

TEST_F(DownloadTest, StatusNoticesShowTheirTexts)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(10000);
    r.stallAfter = 0;
    server.Serve("/f.doc", r);
    CTestDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/f.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    std::vector<CString> texts;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        WaitFor([&] { return server.Stalled() == 1; });
        CString s;
        struct Case
        {
            DWORD status;
            const char* info;
        };
        for (Case c : {Case{10, "pdm.example"}, Case{11, "10.1.2.3"}, Case{20, "10.1.2.3"}, Case{21, "10.1.2.3"},
                       Case{110, "http://other/f.doc"}, Case{40, "ignored"}}) {
            dlg.OnStatusCallBack(nullptr, c.status, (LPVOID)c.info, (DWORD)strlen(c.info) + 1);
            pDlg->GetDlgItemText(IDC_STATUS, s);
            texts.push_back(s);
        }
        server.ReleaseStalls();
        WaitForEnd(pDlg);
    });
    dlg.DoModal();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], CString("Resolving name: pdm.example"));
    EXPECT_EQ(texts[1], CString("Resolved name to 10.1.2.3"));
    EXPECT_EQ(texts[2], CString("Connecting to 10.1.2.3"));
    EXPECT_EQ(texts[3], CString("Connected to 10.1.2.3"));
    EXPECT_EQ(texts[4], CString("Redirecting to http://other/f.doc"));
    EXPECT_EQ(texts[5], CString("Redirecting to http://other/f.doc"));
}

// A large file arrives whole: compared by checksum, without holding it in memory.
TEST_F(DownloadTest, LargeFileArrivesWhole)
{
    const uint64_t size = 200ull * 1024 * 1024;
    CLoopbackHttpServer::Reply r;
    r.generatedSize = size;
    server.Serve("/big.bin", r);
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/big.bin").c_str();
    dlg.m_strTargetFile = target.c_str();
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        ended = WaitForEnd(pDlg, 120);
        v = Look(pDlg);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(ended);
    EXPECT_EQ(v.progressUpper, (int)((size + 512) / 1024));
    EXPECT_EQ(v.caption, CString("100% of big.bin Completed"));
    std::ifstream in(target, std::ios::binary);
    std::vector<unsigned char> got(1 << 20), want(1 << 20);
    uint64_t offset = 0, sumGot = 0, sumWant = 0;
    while (in) {
        in.read(reinterpret_cast<char*>(got.data()), (std::streamsize)got.size());
        const size_t n = (size_t)in.gcount();
        CLoopbackHttpServer::FillPattern(offset, want.data(), n);
        for (size_t i = 0; i < n; ++i) {
            sumGot = sumGot * 31 + got[i];
            sumWant = sumWant * 31 + want[i];
        }
        offset += n;
    }
    EXPECT_EQ(offset, size);
    EXPECT_EQ(sumGot, sumWant);
}

}  // namespace

namespace {

// The window's picture, through a screenshot in the test output folder.
QImage Shown(CWnd* pWnd, const char* pszName)
{
    const CString strPath = AfxTestOutputPath(pszName);
    EXPECT_TRUE(AfxTestGrabWindow(pWnd, strPath));
    return QImage(QString::fromLocal8Bit((LPCTSTR)strPath));
}

int CountColour(const QImage& img, QRgb rgb)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFFu) == (rgb & 0xFFFFFFu);
    return n;
}

// The dialog in the middle of a transfer: its texts, and the clip of a sheet flying between
// two folders playing above them until the transfer ends.
TEST_F(DownloadTest, MidTransferTheClipPlaysAndTheTextsShowTheProgress)
{
    CLoopbackHttpServer::Reply r;
    r.body = Pattern(400000);
    r.bytesPerSecond = 120000;
    server.Serve("/pdm/report.doc", r);
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = server.Url("/pdm/report.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    DownloadView v;
    BOOL bPlaying = FALSE, bPlayingAtEnd = TRUE;
    QImage first, later;
    bool bMoved = false;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        CAnimateCtrl* pAnimate = static_cast<CAnimateCtrl*>(pDlg->GetDlgItem(IDC_ANIMATE1));
        // Rate and time left show once the first second is over.
        WaitFor([&] {
            CString s;
            pDlg->GetDlgItemText(IDC_TIMELEFT, s);
            return !s.IsEmpty();
        });
        v = Look(pDlg);
        bPlaying = pAnimate->IsPlaying();
        EXPECT_TRUE(AfxTestGrabWindow(pDlg, AfxTestOutputPath("HttpDownloadDlg.png")));
        first = Shown(pAnimate, "HttpDownloadClipFirst.png");
        bMoved = WaitFor([&] {
            later = Shown(pAnimate, "HttpDownloadClipLater.png");
            return later != first;
        }, 3);
        WaitForEnd(pDlg);
        bPlayingAtEnd = pAnimate->IsPlaying();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_NE(v.caption.Find("% of report.doc Completed"), -1) << (LPCTSTR)v.caption;
    EXPECT_NE(v.rate.Find("KB/Sec"), -1) << (LPCTSTR)v.rate;
    EXPECT_NE(v.timeLeft.Find(" of 390.6 KB copied)"), -1) << (LPCTSTR)v.timeLeft;
    EXPECT_TRUE(bPlaying);
    EXPECT_FALSE(bPlayingAtEnd);
    // Two folders and a sheet, and the sheet moves.
    EXPECT_GT(CountColour(first, qRgb(255, 216, 80)), 400);
    EXPECT_GT(CountColour(first, qRgb(0, 0, 168)), 20);
    EXPECT_TRUE(bMoved);
}

}  // namespace
