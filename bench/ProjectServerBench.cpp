// The project server: requests per second of GetProjectData for a project of 1,000 tasks
// and of SaveProject of it, through the client's SOAP layer over loopback HTTP, by a
// logged-in user who may open and save every project.
#include <ProjectServer/ProjectServer.h>
#include <ProjectService/SoapProjectService.h>

#include <ClassLib/Core/Conversion.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

const char kUser[] = "bench";

std::string ProjectText(int tasks)
{
    std::string x = u8"<PROJECT><ID>0</ID><NAME>基准项目</NAME><TASKS>";
    for (int i = 0; i < tasks; ++i)
        x += "<TASK><ENTIREPROJID>0</ENTIREPROJID><TASKID>" + std::to_string(10000 + i) +
             u8"</TASKID><PARENTID>0</PARENTID><NAME>任务" + std::to_string(i) +
             u8"</NAME><STARTDATE>2026年3月2日</STARTDATE><FINISHDATE>2026年3月6日</FINISHDATE>"
             "<DURATION>432000</DURATION><PROGRESS>0</PROGRESS><ROWINGRID>" +
             std::to_string(i + 1) + "</ROWINGRID><FLAG>2</FLAG><LINKS><LINK><PREDID>" + std::to_string(i) +
             "</PREDID><TYPE>1</TYPE><LAG>0</LAG></LINK></LINKS></TASK>";
    return x + "</TASKS></PROJECT>";
}

struct BenchServer {
    std::string dir;
    std::unique_ptr<projectserver::CProjectServer> server;
    long projectId = -1;

    explicit BenchServer(int tasks)
    {
        std::string templ = (std::filesystem::temp_directory_path() / "serverbench-XXXXXX").string();
        std::vector<char> buf(templ.begin(), templ.end());
        buf.push_back('\0');
        dir = ::mkdtemp(buf.data()) ? buf.data() : "/tmp";
        projectserver::ServerOptions options;
        options.databasePath = dir + "/projects.sqlite";
        options.demoData = false;
        server.reset(new projectserver::CProjectServer(options));
        std::string error;
        if (server->Start(error) && server->AddUser(kUser, kUser, "Bench"))
            projectId = AddProject(ProjectText(tasks));
    }
    // A stored project has no creator: the user is given the rights to open and save it.
    long AddProject(const std::string& text)
    {
        const long id = server->AddProject(text);
        return id > 0 && server->SetPermissions(id, std::string("<PERMISSIONS><PERMISSION><RESCODE>") + kUser +
                                                        "</RESCODE><OPENPROJ>1</OPENPROJ><PUBLISHPROJ>1</PUBLISHPROJ>"
                                                        "</PERMISSION></PERMISSIONS>")
                   ? id
                   : -1;
    }
    ~BenchServer()
    {
        server->Stop();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    CProjectServicePtr Client()
    {
        CSoapProjectService* c = new CSoapProjectService;
        c->SetServiceUrl(CString(server->ServiceUrl().c_str()));
        CString reply;
        c->Login(kUser, kUser, reply);
        return CProjectServicePtr(c);
    }
};

void BM_GetProjectData(benchmark::State& state)
{
    BenchServer bench(static_cast<int>(state.range(0)));
    CProjectServicePtr client = bench.Client();
    for (auto _ : state) {
        CString xml;
        if (client->GetProjectData(bench.projectId, xml) != S_OK) {
            state.SkipWithError("GetProjectData failed");
            break;
        }
        benchmark::DoNotOptimize(xml);
    }
    state.counters["requests/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GetProjectData)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveProject(benchmark::State& state)
{
    BenchServer bench(static_cast<int>(state.range(0)));
    CProjectServicePtr client = bench.Client();
    const CString project = CStringFromUtf8(ProjectText(static_cast<int>(state.range(0))));
    CString opened;
    // Opened first: each save names the revision the one before it answered.
    if (client->GetProjectData(bench.projectId, opened) != S_OK) {
        state.SkipWithError("GetProjectData failed");
        return;
    }
    for (auto _ : state) {
        CString reply;
        LONG result = -1;
        if (client->SaveProject(bench.projectId, project, reply, result) != S_OK) {
            state.SkipWithError("SaveProject failed");
            break;
        }
    }
    state.counters["requests/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SaveProject)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Requests shaped to make per-element rescans show, at a size and at four times it: the
// time must grow with the request (a ratio near 4), not with its square (16). The check is
// a generous 8, against the best of three runs of each.
//   0  SaveProject: removed tasks, each followed by blank text, before one kept task
//   1  NewTask: a task with many leaves and then as many MEMBERS elements
struct GrowthShape {
    std::string stored;   // the project as stored first ("" for none)
    std::string request;  // the project or task sent
};

GrowthShape Shape(int shape, int n)
{
    GrowthShape g;
    switch (shape) {
    case 0:
        g.stored = "<PROJECT><NAME>r</NAME><TASKS><TASK><TASKID>10000</TASKID><FLAG>0</FLAG></TASK></TASKS></PROJECT>";
        g.request = "<PROJECT><NAME>r</NAME><TASKS>";
        for (int i = 0; i < n; ++i)
            g.request += "<TASK><TASKID>" + std::to_string(20000 + i) + "</TASKID><FLAG>3</FLAG></TASK> ";
        g.request += "<TASK><TASKID>10000</TASKID><FLAG>0</FLAG></TASK></TASKS></PROJECT>";
        break;
    default:
        g.stored = "<PROJECT><NAME>m</NAME></PROJECT>";
        g.request = "<TASK><ENTIREPROJID>ID</ENTIREPROJID>";
        for (int i = 0; i < n; ++i)
            g.request += "<L></L>";
        for (int i = 0; i < n; ++i)
            g.request += "<MEMBERS></MEMBERS>";
        g.request += "</TASK>";
        break;
    }
    return g;
}

// The best of three runs of one request of the shape, in seconds; < 0 when it failed.
double BestTime(int shape, int n)
{
    BenchServer bench(0);
    GrowthShape g = Shape(shape, n);
    const long id = bench.AddProject(g.stored);
    if (id <= 0)
        return -1;
    const size_t at = g.request.find("ID</ENTIREPROJID>");
    if (at != std::string::npos)
        g.request.replace(at, 2, std::to_string(id));
    CProjectServicePtr client = bench.Client();
    const CString text(g.request.c_str());
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        CString data, reply;
        LONG result = -1;
        // Opened first, as the client does: the save names the revision it started from.
        if (client->GetProjectData(id, data) != S_OK)
            return -1;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = shape == 1 ? client->NewTask(0, -1, text, result) == S_OK
                                   : client->SaveProject(id, text, reply, result) == S_OK && result == 0;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!ok)
            return -1;
        best = std::min(best, seconds);
    }
    return best;
}

void BM_TaskWorkGrowsWithTheRequest(benchmark::State& state)
{
    const int shape = static_cast<int>(state.range(0));
    const int n = 20000;
    for (auto _ : state) {
        const double small = BestTime(shape, n);
        const double large = BestTime(shape, 4 * n);
        if (small <= 0 || large <= 0) {
            state.SkipWithError("the request failed");
            break;
        }
        state.counters["ratio"] = large / small;
        state.counters["large_ms"] = large * 1000;
        if (large / small > 8)
            state.SkipWithError("the work grows faster than the request");
    }
}
BENCHMARK(BM_TaskWorkGrowsWithTheRequest)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
