// The project server: requests per second of GetProjectData for a project of 1,000 tasks
// and of SaveProject of it, through the client's SOAP layer over loopback HTTP.
#include <ProjectServer/ProjectServer.h>
#include <ProjectService/SoapProjectService.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string ProjectText(int tasks)
{
    std::string x = "<PROJECT><ID>0</ID><NAME>基准项目</NAME><TASKS>";
    for (int i = 0; i < tasks; ++i)
        x += "<TASK><ENTIREPROJID>0</ENTIREPROJID><TASKID>" + std::to_string(10000 + i) +
             "</TASKID><PARENTID>0</PARENTID><NAME>任务" + std::to_string(i) +
             "</NAME><STARTDATE>2026年3月2日</STARTDATE><FINISHDATE>2026年3月6日</FINISHDATE>"
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
        if (server->Start(error))
            projectId = server->AddProject(ProjectText(tasks));
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
    CString project(ProjectText(static_cast<int>(state.range(0))).c_str());
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

}  // namespace

BENCHMARK_MAIN();
