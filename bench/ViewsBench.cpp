// Speed of the project views on generated projects of 1,000 to 50,000 tasks, counted until
// the window has painted: opening a project file into its window, a full repaint of the
// 1600 x 1000 project window, and the task tree's edits (a duration change that moves a
// chain of 100 successors, inserting and deleting a row, indenting, outdenting and a level
// drag), each timed from its real input (a key into the cell's editor, the Insert and Delete
// keys, the frame's command, the mouse release) until the window has painted, the edit and the
// paint checked; the link
// checks (one candidate, and the whole candidate list of a task) and the critical marks.
// Also the schedule's own costs: an edit that moves 1,000 successors (until painted), a
// lattice of 2^20 paths, and the header dates with the critical marks after an edit.
#include "ScreenBench.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/MessageBox.h>
#include <ClassLib/DocView/DocTemplate.h>
#include <ClassLib/Frames/MDIWnd.h>
#include <ClassLib/Frames/PropertySheet.h>
#include <ClassLib/Testing/Input.h>
#include <ClassLib/Testing/UiScripts.h>
#include <ClassLib/Wnd/UiApp.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "GanttBarView.h"
#include "GanttView.h"
#include "PaintCheck.h"
#include "GridCtrl.h"
#include "ProjectFrame.h"
#include "ProjectGenerator.h"
#include "ProjectSchedule.h"
#include "TaskGridAccess.h"
#include "TaskTreeView.h"

#ifdef VIEWSBENCH_SERVER
#include <Internet/ServerSession.h>
#include <ProjectServer/ProjectServer.h>
#include <ProjectService/SoapEnvelope.h>
#include <ProjectService/SoapProjectService.h>
#include <XmlDom/XmlDom.h>
#include <curl/curl.h>
#endif

namespace
{
enum : UINT
{
    IDR_BENCH_MAIN = 9400,
    IDR_BENCH_PROJECT = 9401,
};

const AFX_MENU_ITEM kMenuItems[] = {
    {MF_POPUP | MF_END, 0, "&File"},
    {MF_STRING | MF_END, ID_APP_EXIT, "E&xit"},
};
const AFX_MENU_TEMPLATE kMenu = {kMenuItems, sizeof kMenuItems / sizeof kMenuItems[0]};

class CBenchMainFrame : public CMDIFrameWnd
{
protected:
    void PostNcDestroy() override {}
};

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("ViewsBench") {}
};

const int kWindowWidth = 1600;
const int kWindowHeight = 1000;

int QuietMessageBox(LPCTSTR, LPCTSTR, UINT)
{
    return IDYES;
}

// One application with its main frame for the whole run.
struct Harness
{
    CWinApp* pApp = nullptr;
    CMultiDocTemplate* pTemplate = nullptr;
    CBenchMainFrame* pMain = nullptr;

    Harness()
    {
        AfxEnsureApplication();
        AfxSetMessageBoxHandler(&QuietMessageBox);
        pApp = new CBenchApp;
        pTemplate = new CMultiDocTemplate(IDR_BENCH_PROJECT, RUNTIME_CLASS(CProjectDoc), RUNTIME_CLASS(CProjectFrame),
                                          RUNTIME_CLASS(CGanttView));
        pApp->AddDocTemplate(pTemplate);
        pMain = new CBenchMainFrame;
        pMain->LoadFrame(IDR_BENCH_MAIN, WS_OVERLAPPEDWINDOW);
        pApp->m_pMainWnd = pMain;
        pMain->MoveWindow(0, 0, 1700, 1150);
        pMain->ShowWindow(SW_SHOW);
        AfxPumpMessages();
    }

    static Harness& Get()
    {
        static Harness harness;
        return harness;
    }
};

// An open project window.
struct Window
{
    CProjectDoc* pDoc = nullptr;
    CFrameWnd* pFrame = nullptr;
    CTaskTreeView* pTree = nullptr;

    // Opens a document that is already filled.
    bool Open(CProjectDoc* pFilled)
    {
        Harness& h = Harness::Get();
        pDoc = pFilled;
        pFrame = h.pTemplate->CreateNewFrame(pDoc, NULL);
        if (!pFrame)
            return false;
        h.pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
        // The project window at 1600 x 1000, grid and chart side by side.
        pFrame->MoveWindow(0, 0, kWindowWidth, kWindowHeight);
        AfxPumpMessages();
        for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL;)
        {
            CView* pView = pDoc->GetNextView(pos);
            if (pView->IsKindOf(RUNTIME_CLASS(CTaskTreeView)))
                pTree = static_cast<CTaskTreeView*>(pView);
        }
        return pTree != nullptr;
    }

    // The chart beside the grid (NULL when there is none).
    CGanttBarView* Chart() const
    {
        for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL;)
            if (CGanttBarView* p = dynamic_cast<CGanttBarView*>(pDoc->GetNextView(pos)))
                return p;
        return nullptr;
    }

    // What an edit of the task tree must repaint: the grid and the chart.
    CPaintCheck Paints() const
    {
        CGanttBarView* pBar = Chart();
        return CPaintCheck{pTree->GetGrid().GetSafeHwnd(), pBar ? pBar->m_wndChart.GetSafeHwnd() : nullptr};
    }

    // The row unfolded (its summaries opened) and scrolled into the grid: only a row that
    // can be seen takes keys.
    void ShowRow(int nRow)
    {
        CTaskGridAccess grid(pTree);
        std::vector<int> summaries;
        for (int r = nRow - 1, nLevel = grid.GetLevel(nRow); r > 0 && nLevel > 1; r--)
            if (grid.GetLevel(r) > 0 && grid.GetLevel(r) < nLevel)
            {
                summaries.push_back(r);
                nLevel = grid.GetLevel(r);
            }
        for (auto it = summaries.rbegin(); it != summaries.rend(); ++it)
            if (!grid.IsViewable(*it + 1))
                grid.ToggleExpand(*it);
        AfxPumpMessages();
        pTree->GetGrid().EnsureVisible(nRow, 2);
        AfxPumpMessages();
    }

    // The keys go to the grid, as after a click on the cell.
    void FocusCell(int nRow, int nCol)
    {
        ShowRow(nRow);
        pTree->GetGrid().SetFocusCell(nRow, nCol);
        AfxTestFocus(&pTree->GetGrid());
    }

    // Keys to whatever has the keyboard now (the grid, or the editor it opened).
    static void Key(UINT nKey) { AfxTestKey(CWnd::GetFocus(), nKey); }
    static void Type(const char* pszUtf8) { AfxTestTypeText(CWnd::GetFocus(), pszUtf8); }

    void Close()
    {
        if (pFrame && pFrame->GetSafeHwnd())
            pFrame->DestroyWindow();
        AfxPumpMessages();
        pFrame = nullptr;
        pDoc = nullptr;
        pTree = nullptr;
    }
};

CProjectDoc* NewDocument()
{
    return static_cast<CProjectDoc*>(Harness::Get().pTemplate->CreateNewDocument());
}

// The generated project file of each size, written once.
const std::string& ProjectFile(int nTasks)
{
    static std::map<int, std::string> files;
    auto it = files.find(nTasks);
    if (it != files.end())
        return it->second;
    char path[256];
    std::snprintf(path, sizeof(path), "/tmp/views-bench-%d-%d.tlp", (int)getpid(), nTasks);
    ProjectGeneratorOptions options;
    options.nTasks = nTasks;
    std::string error;
    if (!WriteGeneratedProjectFile(options, path, error))
        std::fprintf(stderr, "cannot write %s: %s\n", path, error.c_str());
    return files[nTasks] = path;
}

struct FileCleanup
{
    ~FileCleanup()
    {
        for (int n : {1000, 10000, 50000})
        {
            char path[256];
            std::snprintf(path, sizeof(path), "/tmp/views-bench-%d-%d.tlp", (int)getpid(), n);
            std::remove(path);
        }
    }
} g_cleanup;

// Every window of the project window's tree invalidated, as a window uncovered whole.
void InvalidateTree(HWND hWnd)
{
    ::InvalidateRect(hWnd, NULL, TRUE);
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        InvalidateTree(hChild);
}

void BM_OpenProjectFile(benchmark::State& state)
{
    const std::string& path = ProjectFile((int)state.range(0));
    CScreenTimes times;
    for (auto _ : state)
    {
        times.Start();
        CProjectDoc* pDoc = NewDocument();
        CString strError;
        if (!pDoc->LoadLocalFile(path.c_str(), strError))
        {
            state.SkipWithError("the project file did not load");
            delete pDoc;
            break;
        }
        Window window;
        window.Open(pDoc);
        times.Stop(state);
        window.Close();
    }
    times.Report(state, "open-window", (double)state.range(0));
}
#ifdef VIEWSBENCH_SERVER
// Reads or writes all of a buffer through a pipe.
bool PipeRead(int fd, void* data, size_t size)
{
    for (char* p = static_cast<char*>(data); size > 0;)
    {
        const ssize_t n = ::read(fd, p, size);
        if (n <= 0)
            return false;
        p += n;
        size -= (size_t)n;
    }
    return true;
}
bool PipeWrite(int fd, const void* data, size_t size)
{
    for (const char* p = static_cast<const char*>(data); size > 0;)
    {
        const ssize_t n = ::write(fd, p, size);
        if (n <= 0)
            return false;
        p += n;
        size -= (size_t)n;
    }
    return true;
}

// The user the benchmark logs in as; every project stored is opened by it.
const char kBenchUser[] = "bench";
const char kBenchPassword[] = "pw";

// The server's process: stores each project text that comes through `in` and answers its
// id through `out`; the service address goes first.
[[noreturn]] void ServeProjects(int in, int out)
{
    std::string templ = (std::filesystem::temp_directory_path() / "views-bench-server-XXXXXX").string();
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    const std::string strDir = ::mkdtemp(buf.data()) ? buf.data() : "/tmp";
    projectserver::ServerOptions options;
    options.databasePath = strDir + "/projects.sqlite";
    options.demoData = false;
    {
        projectserver::CProjectServer server(options);
        std::string error;
        const std::string url = server.Start(error) && server.AddUser(kBenchUser, kBenchPassword, "ok")
                                    ? server.ServiceUrl()
                                    : std::string();
        const size_t nUrl = url.size();
        PipeWrite(out, &nUrl, sizeof nUrl);
        PipeWrite(out, url.data(), nUrl);
        size_t nText = 0;
        while (!url.empty() && PipeRead(in, &nText, sizeof nText))
        {
            std::string text(nText, '\0');
            if (!PipeRead(in, &text[0], nText))
                break;
            long id = server.AddProject(text);
            if (id > 0 && !server.SetPermissions(id, std::string("<PERMISSIONS><PERMISSION><RESCODE>") + kBenchUser +
                                                         "</RESCODE><OPENPROJ>1</OPENPROJ></PERMISSION></PERMISSIONS>"))
                id = -1;
            PipeWrite(out, &id, sizeof id);
        }
        server.Stop();
    }
    std::error_code ec;
    std::filesystem::remove_all(strDir, ec);
    _exit(0);
}

// A project server on loopback in a process of its own, as the program meets it (the
// benchmark's memory is then the client's alone), holding the generated project of each
// size.
struct BenchServer
{
    pid_t pid = -1;
    int toServer = -1;
    int fromServer = -1;
    std::string strUrl;
    std::map<int, long> projects;

    BenchServer()
    {
        int request[2], reply[2];
        if (pipe(request) != 0 || pipe(reply) != 0)
            return;
        pid = fork();
        if (pid == 0)
        {
            close(request[1]);
            close(reply[0]);
            ServeProjects(request[0], reply[1]);
        }
        close(request[0]);
        close(reply[1]);
        toServer = request[1];
        fromServer = reply[0];
        size_t nUrl = 0;
        if (pid > 0 && PipeRead(fromServer, &nUrl, sizeof nUrl))
        {
            strUrl.resize(nUrl);
            if (!PipeRead(fromServer, &strUrl[0], nUrl))
                strUrl.clear();
        }
        if (strUrl.empty())
            std::fprintf(stderr, "the project server did not start\n");
    }
    ~BenchServer()
    {
        close(toServer);
        close(fromServer);
        if (pid > 0)
            waitpid(pid, nullptr, 0);
    }

    long Project(int nTasks)
    {
        auto it = projects.find(nTasks);
        if (it != projects.end())
            return it->second;
        ProjectGeneratorOptions options;
        options.nTasks = nTasks;
        // In UTF-8, as the program sends a project to the server.
        const std::string text = Utf8FromCString(GeneratedProjectXml(options));
        const size_t nText = text.size();
        long id = -1;
        if (!PipeWrite(toServer, &nText, sizeof nText) || !PipeWrite(toServer, text.data(), nText) ||
            !PipeRead(fromServer, &id, sizeof id))
            id = -1;
        return projects[nTasks] = id;
    }
};

// The process's resident memory (VmRSS) and its peak (VmHWM) in MiB; writing 5 to
// clear_refs starts a new peak from what is resident now.
double StatusMiB(const char* pszField)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t nField = std::strlen(pszField);
    while (std::getline(status, line))
        if (line.compare(0, nField, pszField) == 0)
            return std::atof(line.c_str() + nField) / 1024.0;
    return 0;
}
void RestartPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Logs in once for the process: the session cookie then goes with every request to the
// server (the service the document connects to included).
bool LogInOnce(const CString& strUrl)
{
    static int nLoggedIn = -1;
    if (nLoggedIn < 0)
    {
        CProjectServicePtr service(new CSoapProjectService);
        service->SetServiceUrl(strUrl);
        CString strReply;
        nLoggedIn = service->Login(kBenchUser, kBenchPassword, strReply) == S_OK && strReply == "ok" ? 1 : 0;
    }
    return nLoggedIn == 1;
}

double MsSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Keeps the body as the client's transport does: given its announced length at once.
struct BodySink
{
    CURL* curl = nullptr;
    std::string body;
};
size_t KeepBody(char* data, size_t size, size_t count, void* user)
{
    BodySink* sink = static_cast<BodySink*>(user);
    curl_off_t length = -1;
    if (sink->body.empty() && curl_easy_getinfo(sink->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
        length > 0)
        sink->body.reserve((size_t)length);
    sink->body.append(data, size * count);
    return size * count;
}

// The parts of one opening from the server, in milliseconds, each step done on its own as
// the program does it in one go: the server's answer (until its first byte, with the
// rights and the stored text read), the rest of the transfer, the envelope read (the
// project's text taken out and unescaped), the document tree (with the code page check),
// the project's tasks, and the project window filled and painted.
enum OpenPart
{
    kPartAnswer,
    kPartTransfer,
    kPartEnvelope,
    kPartDom,
    kPartTasks,
    kPartWindow,
    kOpenParts
};
const char* const kOpenPartNames[kOpenParts] = {"answer", "transfer", "envelope", "dom", "tasks", "window"};

bool OpenInParts(const std::string& strServiceUrl, long nProject, double (&parts)[kOpenParts])
{
    std::string strEndpoint = strServiceUrl;
    const size_t nSuffix = std::strlen(".WSDL");
    if (strEndpoint.size() > nSuffix)
        strEndpoint.resize(strEndpoint.size() - nSuffix);
    const std::string strNamespace = projectserver::CProjectServer::TargetNamespace();
    const std::string strRequest =
        projectsoap::BuildEnvelope(strNamespace, "GetProjectData", {{"projectId", std::to_string(nProject)}});
    BodySink sink;
    CURL* c = curl_easy_init();
    if (!c)
        return false;
    sink.curl = c;
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Content-Type: text/xml; charset=utf-8");
    headers = curl_slist_append(headers, ("SOAPAction: \"" + strNamespace + "/GetProjectData\"").c_str());
    headers = curl_slist_append(headers, ("Cookie: " + serversession::CookieFor(strEndpoint)).c_str());
    headers = curl_slist_append(headers, "Expect:");
    curl_easy_setopt(c, CURLOPT_URL, strEndpoint.c_str());
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, strRequest.c_str());
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &KeepBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    const auto t0 = std::chrono::steady_clock::now();
    const CURLcode code = curl_easy_perform(c);
    const double total = MsSince(t0);
    curl_off_t firstByte = 0, connect = 0;
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_STARTTRANSFER_TIME_T, &firstByte);
    curl_easy_getinfo(c, CURLINFO_CONNECT_TIME_T, &connect);
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(c);
    curl_slist_free_all(headers);
    if (code != CURLE_OK || status != 200)
        return false;
    parts[kPartAnswer] = (double)(firstByte - connect) / 1000.0;
    parts[kPartTransfer] = total - (double)firstByte / 1000.0;

    auto t = std::chrono::steady_clock::now();
    projectsoap::SoapMessage message;
    std::string error;
    if (!projectsoap::ParseEnvelope(std::move(sink.body), message, error) || message.Find("ProjectData") == nullptr)
        return false;
    std::string strXml = std::move(*message.Find("ProjectData"));
    parts[kPartEnvelope] = MsSince(t);

    t = std::chrono::steady_clock::now();
    CXmlDocument doc;
    if (!doc.LoadXmlUtf8AsCp936(std::move(strXml)))
        return false;
    parts[kPartDom] = MsSince(t);

    CProjectDoc* pDoc = NewDocument();
    pDoc->m_strServiceUrl = strServiceUrl.c_str();
    pDoc->SetProjectID((int)nProject);
    t = std::chrono::steady_clock::now();
    pDoc->Parse(doc.documentElement());
    parts[kPartTasks] = MsSince(t);
    pDoc->LoadCalendar();
    if (pDoc->m_listTasks.IsEmpty())
    {
        delete pDoc;
        return false;
    }
    t = std::chrono::steady_clock::now();
    Window window;
    window.Open(pDoc);
    parts[kPartWindow] = MsSince(t);
    window.Close();
    return true;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Opening a project from the server (the login done): the project's data asked for, read
// into the document, and the project window opened and painted; with the memory, and each
// part of an opening measured on its own after it.
void BM_OpenFromServer(benchmark::State& state)
{
    static BenchServer server;
    const long nProject = server.Project((int)state.range(0));
    const CString strUrl(server.strUrl.c_str());
    if (!LogInOnce(strUrl))
    {
        state.SkipWithError("the benchmark's user cannot log in");
        return;
    }
    CScreenTimes times;
    std::vector<double> partTimes[kOpenParts];
    double beforeMiB = -1, peakMiB = 0, residentMiB = 0;
    for (auto _ : state)
    {
        // The memory of the first opening (the later ones reuse what the heap kept).
        const bool bFirst = beforeMiB < 0;
        RestartPeakMemory();
        if (bFirst)
            beforeMiB = StatusMiB("VmRSS:");
        times.Start();
        CProjectDoc* pDoc = NewDocument();
        pDoc->m_strServiceUrl = strUrl;
        pDoc->SetProjectID((int)nProject);
        if (nProject <= 0 || !pDoc->GetData() || pDoc->m_listTasks.IsEmpty())
        {
            state.SkipWithError("the project did not come from the server");
            delete pDoc;
            break;
        }
        Window window;
        window.Open(pDoc);
        times.Stop(state);
        if (bFirst)
        {
            peakMiB = StatusMiB("VmHWM:");
            residentMiB = StatusMiB("VmRSS:");
        }
        window.Close();
        double parts[kOpenParts] = {};
        if (!OpenInParts(server.strUrl, nProject, parts))
        {
            state.SkipWithError("the parts of the opening failed");
            break;
        }
        for (int i = 0; i < kOpenParts; i++)
            partTimes[i].push_back(parts[i]);
    }
    times.Report(state, "open-server", (double)state.range(0));
    for (int i = 0; i < kOpenParts; i++)
        state.counters[std::string("measure:") + char('1' + i) + ":open-server-" + kOpenPartNames[i]] =
            Median(partTimes[i]);
    // The whole process (the benchmark's own windows included) before opening, with the
    // project open, and its peak while opening; alone in its process (filtered to one size)
    // the first opening starts from the benchmark's own memory.
    state.counters["before_MiB"] = beforeMiB;
    state.counters["peak_MiB"] = peakMiB;
    state.counters["rss_MiB"] = residentMiB;
}
#endif

// The leaves of the first two top summaries are one chain (each after the leaf before it),
// and the second top summary's first leaf follows the first one's last: editing the
// eleventh leaf from the end of the first top summary moves exactly 100 successors.
void ChainFirstTopSummaries(CProjectDoc& doc, int nTops = 2)
{
    std::vector<CTaskItem*> leaves;
    int nTop = 0;
    for (POSITION pos = doc.m_listTasks.GetHeadPosition(); pos != NULL && nTop < nTops; nTop++)
    {
        CTaskItem* pTop = doc.m_listTasks.GetNext(pos);
        for (POSITION p = pTop->m_listChildren.GetHeadPosition(); p != NULL;)
        {
            CTaskItem* pSub = pTop->m_listChildren.GetNext(p);
            for (POSITION q = pSub->m_listChildren.GetHeadPosition(); q != NULL;)
                leaves.push_back(pSub->m_listChildren.GetNext(q));
        }
    }
    for (size_t i = 1; i < leaves.size(); i++)
    {
        CTaskItem* pLeaf = leaves[i];
        while (!pLeaf->m_listLinks.IsEmpty())
            delete pLeaf->m_listLinks.RemoveHead();
        CTaskLink* pLink = new CTaskLink;
        pLink->m_nType = 1;
        pLink->m_nSuccID = leaves[i - 1]->m_nRowInGrid;
        pLink->m_strPredName = leaves[i - 1]->m_strName;
        pLeaf->m_listLinks.AddTail(pLink);
    }
}

// A window on a generated project for the edit benchmarks; with a chain, the leaves of
// the first nChainTops top summaries are one chain.
Window OpenGenerated(int nTasks, bool bChain, int nChainTops = 2)
{
    CProjectDoc* pDoc = NewDocument();
    ProjectGeneratorOptions options;
    options.nTasks = nTasks;
    GenerateProject(*pDoc, options);
    if (bChain)
        ChainFirstTopSummaries(*pDoc, nChainTops);
    Window window;
    window.Open(pDoc);
    return window;
}

// The row of the n-th leaf (0-based) of the first top summary: rows go top, sub-summary,
// nine leaves, sub-summary, ...
int LeafRow(int nLeaf)
{
    return 1 + (nLeaf / 9) * 10 + 1 + nLeaf % 9 + 1;
}

// A full repaint of the project window's content, the task grid and the chart, the top rows
// shown: what an edit or a scroll of the whole window paints.
void BM_Repaint(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    CGanttBarView* pBar = window.Chart();
    if (pBar == nullptr)
    {
        state.SkipWithError("no chart");
        window.Close();
        return;
    }
    const HWND hGrid = window.pTree->GetGrid().GetSafeHwnd();
    const HWND hChart = pBar->m_wndChart.GetSafeHwnd();
    CScreenTimes times;
    for (auto _ : state)
    {
        ::InvalidateRect(hGrid, NULL, TRUE);
        ::InvalidateRect(hChart, NULL, TRUE);
        times.Start();
        AfxPumpMessages();
        times.Stop(state);
    }
    times.Report(state, "repaint", (double)state.range(0));
    window.Close();
}

// The whole project window uncovered: every window of it (frame, splitter, views, grid,
// chart, scroll bars) painted again.
void BM_RepaintWindow(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    const HWND hFrame = window.pFrame->GetSafeHwnd();
    CScreenTimes times;
    for (auto _ : state)
    {
        InvalidateTree(hFrame);
        times.Start();
        AfxPumpMessages();
        times.Stop(state);
    }
    times.Report(state, "repaint-window", (double)state.range(0));
    window.Close();
}

// A project whose leaves under its first nChainTops top summaries form one chain; the
// duration of the leaf at nRow lengthened a day per run: the number typed into the cell's
// editor (not timed), then the edit timed from its Enter until the window has painted.
void TimeDurationEdits(benchmark::State& state, int nChainTops, int nRow, const char* pszMeasure)
{
    Window window = OpenGenerated((int)state.range(0), true, nChainTops);
    CTaskGridAccess grid(window.pTree);
    CTaskItem* pTask = grid.GetTask(nRow);
    int nDays = window.pTree->DurationDays(pTask->m_nDuration);
    CPaintCheck paints = window.Paints();
    CScreenTimes times;
    for (auto _ : state)
    {
        window.FocusCell(nRow, 3);
        Window::Type(std::to_string(++nDays).c_str());
        AfxPumpMessages();
        times.Start();
        Window::Key(VK_RETURN);
        paints.Armed();
        AfxPumpMessages();
        times.Stop(state);
        if (pTask->m_nDuration != nDays * 86400 || !paints.Painted())
        {
            state.SkipWithError("the typed duration was not taken, or not painted");
            break;
        }
    }
    times.Report(state, pszMeasure, (double)state.range(0));
    window.Close();
}

void BM_DurationEditMovesAChainOf100(benchmark::State& state)
{
    TimeDurationEdits(state, 2, LeafRow(79), "edit-duration");
}

// The project's schedule alone, without a window: the same chained project taken over by a
// schedule, the leaf's duration lengthened a day per run; counts SetDurationDays and
// Recalculate until its change set is back (the chain moved, summaries rolled up, header
// dates and critical marks over the whole project).
void BM_ScheduleDurationEdit(benchmark::State& state)
{
    CProjectDoc doc;
    ProjectGeneratorOptions options;
    options.nTasks = (int)state.range(0);
    GenerateProject(doc, options);
    ChainFirstTopSummaries(doc, 2);
    CProjectSchedule schedule;
    schedule.Adopt(doc.m_listTasks);
    schedule.Recalculate(std::vector<CTaskItem*>(schedule.Rows().begin() + 1, schedule.Rows().end()));
    CTaskItem* pLeaf = schedule.Rows()[(size_t)LeafRow(79)];
    int nDays = pLeaf->m_nDuration / 86400;
    CScreenTimes times;
    for (auto _ : state)
    {
        times.Start();
        schedule.SetDurationDays(pLeaf, ++nDays);
        const CProjectSchedule::ChangeSet changes = schedule.Recalculate({pLeaf});
        times.Stop(state);
        if (changes.dates.size() < 2)
            state.SkipWithError("the edit moved no successor");
    }
    times.Report(state, "schedule-duration-edit", (double)state.range(0));
}

// The document's schedule taken in afresh, as after a change of the task grid's rows,
// tree or links: counts TakeInStoredRows (rows, blank rows and every link read again) and
// the Recalculate that follows it (header dates and critical marks over the whole project).
void BM_ScheduleTakeIn(benchmark::State& state)
{
    CProjectDoc doc;
    ProjectGeneratorOptions options;
    options.nTasks = (int)state.range(0);
    GenerateProject(doc, options);
    CProjectSchedule& schedule = doc.Schedule();
    CScreenTimes times;
    for (auto _ : state)
    {
        times.Start();
        schedule.TakeInStoredRows();
        schedule.Recalculate({});
        times.Stop(state);
    }
    times.Report(state, "schedule-take-in", (double)state.range(0));
}

void BM_InsertRow(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    CTaskGridAccess grid(window.pTree);
    const int nRow = grid.GetRowCount() / 2;
    CScreenTimes times;
    CPaintCheck paints = window.Paints();
    for (auto _ : state)
    {
        window.FocusCell(nRow, 2);
        AfxPumpMessages();
        const int nRows = grid.GetRowCount();
        times.Start();
        Window::Key(VK_INSERT);
        paints.Armed();
        AfxPumpMessages();
        times.Stop(state);
        if (grid.GetRowCount() != nRows + 1 || grid.GetTask(nRow) || !paints.Painted())
        {
            state.SkipWithError("Insert made no blank row, or nothing was painted");
            break;
        }
        grid.SetFocusCell(nRow, 2);
        grid.DeleteTask();
        AfxPumpMessages();
    }
    times.Report(state, "edit-insert", (double)state.range(0));
    window.Close();
}

// The first leaf row at or below nRow.
int LeafAtOrBelow(CTaskGridAccess& grid, int nRow)
{
    while (nRow < grid.GetRowCount() && (grid.GetLevel(nRow) != 3 || !grid.GetTask(nRow)))
        nRow++;
    return nRow;
}

void BM_DeleteRow(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    CTaskGridAccess grid(window.pTree);
    CScreenTimes times;
    CPaintCheck paints = window.Paints();
    for (auto _ : state)
    {
        // The leaf's row selected, as a click on its row number does; the Delete key.
        const int nRow = LeafAtOrBelow(grid, grid.GetRowCount() / 3);
        const CTaskItem* pGone = grid.GetTask(nRow);
        window.FocusCell(nRow, 2);
        window.pTree->GetGrid().SetSelectedRange(nRow, 1, nRow, 6);
        AfxPumpMessages();
        times.Start();
        Window::Key(VK_DELETE);
        paints.Armed();
        AfxPumpMessages();
        times.Stop(state);
        if (grid.GetTask(nRow) == pGone || !paints.Painted())
        {
            state.SkipWithError("Delete left the task, or nothing was painted");
            break;
        }
    }
    times.Report(state, "edit-delete", (double)state.range(0));
    window.Close();
}

// A leaf that is not the first of its sub-summary (it can go one level deeper).
int IndentableLeaf(CTaskGridAccess& grid)
{
    int nRow = LeafAtOrBelow(grid, grid.GetRowCount() / 2);
    if (grid.GetLevel(nRow - 1) != 3)
        nRow = LeafAtOrBelow(grid, nRow + 1);
    return nRow;
}

void BM_Indent(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    CTaskGridAccess grid(window.pTree);
    const int nRow = IndentableLeaf(grid);
    CScreenTimes times;
    CPaintCheck paints = window.Paints();
    for (auto _ : state)
    {
        window.FocusCell(nRow, 2);
        AfxPumpMessages();
        const int nLevel = grid.GetLevel(nRow);
        times.Start();
        window.pFrame->SendMessage(WM_COMMAND, ID_TASK_INDENT);
        paints.Armed();
        AfxPumpMessages();
        times.Stop(state);
        if (grid.GetLevel(nRow) != nLevel + 1 || !paints.Painted())
        {
            state.SkipWithError("the indent command changed no level, or nothing was painted");
            break;
        }
        window.pTree->OnOutdent();
        AfxPumpMessages();
    }
    times.Report(state, "edit-indent", (double)state.range(0));
    window.Close();
}

void BM_Outdent(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    CTaskGridAccess grid(window.pTree);
    const int nRow = IndentableLeaf(grid);
    CScreenTimes times;
    CPaintCheck paints = window.Paints();
    for (auto _ : state)
    {
        window.FocusCell(nRow, 2);
        window.pTree->OnIndent();
        AfxPumpMessages();
        const int nLevel = grid.GetLevel(nRow);
        times.Start();
        window.pFrame->SendMessage(WM_COMMAND, ID_TASK_OUTDENT);
        paints.Armed();
        AfxPumpMessages();
        times.Stop(state);
        if (grid.GetLevel(nRow) != nLevel - 1 || !paints.Painted())
        {
            state.SkipWithError("the outdent command changed no level, or nothing was painted");
            break;
        }
    }
    times.Report(state, "edit-outdent", (double)state.range(0));
    window.Close();
}

// Where the row's tree cell offers its level drag (the mouse moved across the cell until
// the grid takes the drag mode); (-1, -1) when nowhere.
CPoint LevelDragPoint(Window& window, int nRow)
{
    CGridCtrl& grid = window.pTree->GetGrid();
    CRect rc;
    if (!grid.GetCellRect(nRow, 2, rc))
        return CPoint(-1, -1);
    for (int x = rc.left + 1; x < rc.right; x += 2)
    {
        AfxTestMouseMove(&grid, CPoint(x, rc.CenterPoint().y));
        AfxPumpMessages();
        if (grid.GetMouseMode() == GRIDMOUSE_LEVEL_DRAG)
            return CPoint(x, rc.CenterPoint().y);
    }
    return CPoint(-1, -1);
}

// A level drag with the mouse: the press on the tree cell's drag zone and a move of one
// step right (not timed), then the release timed until the leaf is a level deeper and the
// window has painted.
void BM_LevelDrag(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    CTaskGridAccess grid(window.pTree);
    CGridCtrl& gridCtrl = window.pTree->GetGrid();
    const int nRow = IndentableLeaf(grid);
    window.ShowRow(nRow);
    CScreenTimes times;
    CPaintCheck paints = window.Paints();
    for (auto _ : state)
    {
        const CPoint pt = LevelDragPoint(window, nRow);
        if (pt.x < 0)
        {
            state.SkipWithError("the tree cell offers no level drag");
            break;
        }
        AfxTestMouseDown(&gridCtrl, pt);
        AfxTestMouseMove(&gridCtrl, pt + CPoint(16, 0), MK_LBUTTON);
        AfxPumpMessages();
        times.Start();
        AfxTestMouseUp(&gridCtrl, pt + CPoint(16, 0));
        paints.Armed();
        AfxPumpMessages();
        times.Stop(state);
        if (grid.GetLevel(nRow) != 4 || !paints.Painted())
        {
            state.SkipWithError("the level drag changed no level, or nothing was painted");
            break;
        }
        // Back; the next press is not the second click of a double click.
        grid.DragLevel(nRow, 3);
        AfxTestResetInput();
        AfxPumpMessages();
    }
    times.Report(state, "edit-level-drag", (double)state.range(0));
    window.Close();
}

// A blank row inserted in the middle of the project and a name typed into it (not timed),
// then the Enter that ends the name's editor timed: the new task is made, its cells handed
// to the task, the summaries settled and the chart laid out, until painted.
void BM_NameNewTask(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    CTaskGridAccess grid(window.pTree);
    const int nRow = grid.GetRowCount() / 2;
    CScreenTimes times;
    CPaintCheck paints = window.Paints();
    for (auto _ : state)
    {
        window.FocusCell(nRow, 2);
        grid.NewTask();
        AfxPumpMessages();
        window.FocusCell(nRow, 2);
        Window::Type("NewTask");
        AfxPumpMessages();
        times.Start();
        Window::Key(VK_RETURN);
        paints.Armed();
        AfxPumpMessages();
        times.Stop(state);
        if (!grid.GetTask(nRow) || grid.GetText(nRow, 2) != CString("NewTask") || !paints.Painted())
        {
            state.SkipWithError("the typed name made no task, or nothing was painted");
            break;
        }
        grid.SetFocusCell(nRow, 2);
        grid.DeleteTask();
        AfxPumpMessages();
    }
    times.Report(state, "edit-name-new-task", (double)state.range(0));
    window.Close();
}

// The task property sheet's OK: the sheet opened on a leaf through the frame's 任务属性
// command and a new duration typed into its general page (not timed); the OK timed until
// the sheet's values are the task's, 100 successors moved and the window has painted.
void BM_PropertySheetOk(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), true);
    CTaskGridAccess grid(window.pTree);
    const int nRow = LeafRow(79);
    CTaskItem* pTask = grid.GetTask(nRow);
    int nDays = window.pTree->DurationDays(pTask->m_nDuration);
    CPaintCheck paints = window.Paints();
    CScreenTimes times;
    for (auto _ : state)
    {
        window.FocusCell(nRow, 2);
        AfxPumpMessages();
        CString strDays;
        strDays.Format("%d个工作日", ++nDays);
        bool bOk = false;
        AfxTestPushModalScript([&](CWnd* pSheet) {
            CPropertySheet* pTaskSheet = static_cast<CPropertySheet*>(pSheet);
            CWnd* pDays = pTaskSheet->GetActivePage() ? pTaskSheet->GetActivePage()->GetDlgItem(19009) : nullptr;
            if (!pDays)
                return;
            pDays->SetWindowText(strDays);
            bOk = true;
            times.Start();
            pTaskSheet->SendMessage(WM_COMMAND, IDOK, 0);
        });
        window.pFrame->SendMessage(WM_COMMAND, ID_GRID_TASKPROPERTY);
        paints.Armed();
        AfxPumpMessages();
        if (!bOk)
        {
            state.SkipWithError("the command opened no property sheet");
            break;
        }
        times.Stop(state);
        if (pTask->m_nDuration != nDays * 86400 || !paints.Painted())
        {
            state.SkipWithError("the sheet's duration was not taken, or not painted");
            break;
        }
    }
    times.Report(state, "edit-property-ok", (double)state.range(0));
    window.Close();
}

// The link checks for one candidate: a leaf in the middle of the project as the successor,
// a leaf of another top summary as the proposed predecessor.
void BM_CheckTaskLinkOneCandidate(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    CTaskGridAccess grid(window.pTree);
    const int nSucc = LeafAtOrBelow(grid, grid.GetRowCount() / 2);
    const int nPred = LeafAtOrBelow(grid, grid.GetRowCount() / 4);
    CString strMessage;
    CScreenTimes times;
    for (auto _ : state)
    {
        times.Start();
        benchmark::DoNotOptimize(window.pTree->CheckTaskLink(nSucc, nPred, strMessage));
        times.Stop(state);
    }
    times.Report(state, "link-check", (double)state.range(0));
    window.Close();
}

// The candidate list of the task property sheet: every row checked against one task.
void BM_LinkableTasks(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    CTaskGridAccess grid(window.pTree);
    const int nSucc = LeafAtOrBelow(grid, grid.GetRowCount() / 2);
    CStringArray names;
    CUIntArray ids;
    CScreenTimes times;
    for (auto _ : state)
    {
        times.Start();
        window.pTree->GetLinkableTasks(nSucc, names, ids);
        times.Stop(state);
    }
    times.Report(state, "linkable-list", (double)state.range(0));
    state.counters["candidates"] = (double)names.GetSize();
    window.Close();
}

// A duration edit whose finish moves the next 1,000 leaves of a chain (the leaves of the
// first twelve top summaries, 1,080 of them), their summaries rolled up and the chart laid
// out again: the schedule settles in time linear in what it reaches.
void BM_DurationEditMoves1000Successors(benchmark::State& state)
{
    TimeDurationEdits(state, 12, LeafRow(1080 - 1001), "edit-1000-successors");
}

// X0, then twenty stages of A and B (each after the X before) and X (after A and B): 2^20
// paths from X0 to the last X, every task moved by each edit of X0.
void BM_LatticeOf2To20Paths(benchmark::State& state)
{
    CProjectDoc* pDoc = NewDocument();
    const COleDateTime day(2004, 3, 1, 0, 0, 0);
    int nRow = 0;
    auto add = [&](const CString& strName, const CTaskItem* pAfter1, const CTaskItem* pAfter2) {
        CTaskItem* pTask = new CTaskItem;
        pTask->m_strName = strName;
        pTask->m_dtStart = pTask->m_dtFinish = pTask->m_dtDeadline = day;
        pTask->m_nDuration = pTask->m_nTrueDuration = 86400;
        pTask->m_nRowInGrid = ++nRow;
        for (const CTaskItem* pPred : {pAfter1, pAfter2})
            if (pPred)
            {
                CTaskLink* pLink = new CTaskLink;
                pLink->m_nType = 1;
                pLink->m_nSuccID = pPred->m_nRowInGrid;
                pLink->m_strPredName = pPred->m_strName;
                pTask->m_listLinks.AddTail(pLink);
            }
        pDoc->m_listTasks.AddTail(pTask);
        return pTask;
    };
    const CTaskItem* pX = add("X0", nullptr, nullptr);
    for (int s = 1; s <= 20; s++)
    {
        CString strA, strB, strX;
        strA.Format("A%d", s);
        strB.Format("B%d", s);
        strX.Format("X%d", s);
        const CTaskItem* pA = add(strA, pX, nullptr);
        const CTaskItem* pB = add(strB, pX, nullptr);
        pX = add(strX, pA, pB);
    }
    pDoc->m_nMaxRowInGrid = nRow;
    Window window;
    window.Open(pDoc);
    CTaskGridAccess grid(window.pTree);
    int nDays = 1;
    for (auto _ : state)
    {
        CString strDays;
        strDays.Format("%d个工作日", ++nDays);
        grid.EditCell(1, 3, strDays);
    }
    window.Close();
}

// What every layout asks for first after an edit: the project header's dates and the
// critical marks.
void BM_ProjectSpanAfterAnEdit(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    CTaskGridAccess grid(window.pTree);
    const int nRow = LeafAtOrBelow(grid, grid.GetRowCount() / 2);
    int nDays = window.pTree->DurationDays(grid.GetTask(nRow)->m_nDuration);
    for (auto _ : state)
    {
        state.PauseTiming();
        CString strDays;
        strDays.Format("%d个工作日", ++nDays);
        grid.EditCell(nRow, 3, strDays);
        state.ResumeTiming();
        window.pTree->UpdateProjectSpan();
    }
    window.Close();
}

void BM_MarkCriticalTasks(benchmark::State& state)
{
    Window window = OpenGenerated((int)state.range(0), false);
    CScreenTimes times;
    for (auto _ : state)
    {
        times.Start();
        window.pTree->MarkCriticalTasks();
        times.Stop(state);
    }
    times.Report(state, "critical-marks", (double)state.range(0));
    window.Close();
}
} // namespace

AFX_MODULE_RESOURCES(ViewsBench)
{
    AfxRegisterResource(hModule, RT_MENU, IDR_BENCH_MAIN, &kMenu);
    AfxRegisterResource(hModule, RT_MENU, IDR_BENCH_PROJECT, &kMenu);
    AfxRegisterStrings(hModule, {{IDR_BENCH_MAIN, "Planner"},
                                 {IDR_BENCH_PROJECT, "\nProject\nProject\n\n\nProject.Document\nProject"}});
}

const CMeasureCounts kCounts{
    {"open-window", "the project file read into a new document, its window made, filled and painted"},
    {"open-server", "a project asked of the server on loopback, read into a document, its window filled and painted"},
    {"repaint", "the task grid and the chart of the project window invalidated and painted again"},
    {"repaint-window", "every window of the project window uncovered and painted again"},
    {"edit-duration", "Enter in the duration cell's editor (the number typed before) until the window has painted: "
                      "100 successors moved, their summaries rolled up, the chart laid out"},
    {"edit-1000-successors", "as edit-duration, with 1,000 successors moved"},
    {"schedule-duration-edit", "the schedule alone, no window: a leaf's duration set and Recalculate's change set back"},
    {"edit-insert", "the Insert key on a middle row until the blank row is in and the window has painted"},
    {"edit-delete", "the Delete key on a selected leaf row until the task is gone and the window has painted"},
    {"edit-indent", "the indent command through the project frame until the level changed and the window has painted"},
    {"edit-outdent", "the outdent command through the project frame until the level changed and the window has painted"},
    {"edit-level-drag", "the mouse release of a level drag (a leaf one level deeper) until the window has painted"},
    {"edit-name-new-task", "Enter in a blank row's name editor (the name typed before) until the new task is made, "
                           "the summaries settled and the window has painted"},
    {"edit-property-ok", "OK of the task property sheet (a new duration typed into it before) until the task has it, "
                         "100 successors moved and the window has painted"},
    {"link-check", "one proposed link checked for cycles and parent/child"},
    {"linkable-list", "the property sheet's candidate predecessors: every row checked against one task"},
    {"critical-marks", "every task's critical mark computed afresh over the whole project"},
};

// Sizes and iterations: each benchmark runs at 1,000, 10,000 and 50,000 tasks.
#define VIEWS_BENCH(fn, n) \
    BENCHMARK(fn)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(n)
#define VIEWS_BENCH_FROM(fn, first, n) \
    BENCHMARK(fn)->Arg(first)->Arg(50000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(n)

VIEWS_BENCH(BM_OpenProjectFile, 3);
#ifdef VIEWSBENCH_SERVER
VIEWS_BENCH(BM_OpenFromServer, 5);
#endif
VIEWS_BENCH(BM_Repaint, 20);
VIEWS_BENCH(BM_RepaintWindow, 20);
VIEWS_BENCH(BM_DurationEditMovesAChainOf100, 10);
VIEWS_BENCH(BM_ScheduleDurationEdit, 10);
VIEWS_BENCH(BM_ScheduleTakeIn, 10);
VIEWS_BENCH(BM_InsertRow, 10);
VIEWS_BENCH(BM_DeleteRow, 10);
VIEWS_BENCH(BM_Indent, 10);
VIEWS_BENCH(BM_Outdent, 10);
VIEWS_BENCH(BM_LevelDrag, 10);
VIEWS_BENCH(BM_PropertySheetOk, 10);
VIEWS_BENCH(BM_CheckTaskLinkOneCandidate, 20);
VIEWS_BENCH(BM_LinkableTasks, 5);
VIEWS_BENCH(BM_MarkCriticalTasks, 20);
VIEWS_BENCH_FROM(BM_DurationEditMoves1000Successors, 10000, 10);
VIEWS_BENCH(BM_NameNewTask, 10);
BENCHMARK(BM_LatticeOf2To20Paths)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ProjectSpanAfterAnEdit)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)->Iterations(20);

BENCHMARK_MAIN();
