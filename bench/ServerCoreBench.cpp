// The project server's data side without HTTP: the project list of a user among 1,000
// stored projects of 1,000 tasks (target 50 ms), and 32 clients each opening and saving its
// own 1,000-task project at once, on 1, 4 and 8 database connections (throughput, p99).
#include "ServerCore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using projectserver::CallContext;
using projectserver::CServerCore;
using projectserver::SoapArg;

namespace {

projectserver::SoapRequest MakeRequest(const std::string& operation, std::vector<SoapArg> args)
{
    projectserver::SoapRequest request;
    request.operation = operation;
    request.args = std::move(args);
    return request;
}

std::string ProjectText(const std::string& name, int tasks, long firstTaskId)
{
    std::string x = "<PROJECT><ID>0</ID><NAME>" + name + "</NAME><STATUS>1</STATUS><CREATIONDATE>2026-3-2 9:0:0"
                    "</CREATIONDATE><TASKS>";
    for (int i = 0; i < tasks; ++i)
        x += "<TASK><TASKID>" + std::to_string(firstTaskId + i) + "</TASKID><NAME>任务" + std::to_string(i) +
             "</NAME><DURATION>432000</DURATION><ROWINGRID>" + std::to_string(i + 1) + "</ROWINGRID><FLAG>0</FLAG></TASK>";
    return x + "</TASKS></PROJECT>";
}

std::string Permission(const std::string& user)
{
    return "<PERMISSIONS><PERMISSION><RESCODE>" + user + "</RESCODE><OPENPROJ>1</OPENPROJ><PUBLISHPROJ>1"
           "</PUBLISHPROJ><DELETEPROJ>0</DELETEPROJ><MODIFYPROGRESS>1</MODIFYPROGRESS><LOOKPROGRESS>1</LOOKPROGRESS>"
           "<FORUM>1</FORUM></PERMISSION></PERMISSIONS>";
}

struct TempDir {
    std::string path;
    TempDir()
    {
        std::string templ = (std::filesystem::temp_directory_path() / "corebench-XXXXXX").string();
        std::vector<char> buf(templ.begin(), templ.end());
        buf.push_back('\0');
        path = ::mkdtemp(buf.data()) ? buf.data() : "/tmp";
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

std::string LogIn(CServerCore& core, const std::string& user)
{
    CallContext context;
    context.peerAddress = "127.0.0.1";
    std::vector<SoapArg> results;
    std::string error;
    core.Execute(MakeRequest("Login", {{"userCode", user}, {"password", "pw"}}), context, results, error);
    return context.newSessionToken;
}

void BM_ProjectListAmongAThousandProjects(benchmark::State& state)
{
    TempDir dir;
    CServerCore core;
    bool created = false;
    std::string error;
    if (!core.Open(dir.path + "/projects.sqlite", created, error) || !core.AddUser("u", "pw", "ok")) {
        state.SkipWithError("the database does not open");
        return;
    }
    // The user may open every tenth project.
    for (int p = 0; p < 1000; ++p) {
        long id = core.AddProject(ProjectText("项目" + std::to_string(p), 1000, 100000L + 1000L * p));
        if (id < 0 || (p % 10 == 0 && !core.SetPermissions(id, Permission("u")))) {
            state.SkipWithError("the projects cannot be stored");
            return;
        }
    }
    const std::string token = LogIn(core, "u");
    size_t listed = 0;
    for (auto _ : state) {
        CallContext context;
        context.sessionToken = token;
        std::vector<SoapArg> results;
        if (core.Execute(MakeRequest("GetProjectList", {{"userCode", "u"}}), context, results, error) != CServerCore::Done ||
            results.size() != 2) {
            state.SkipWithError("GetProjectList failed");
            break;
        }
        listed = results[1].text.size();
        benchmark::DoNotOptimize(listed);
    }
    state.counters["list bytes"] = static_cast<double>(listed);
}
BENCHMARK(BM_ProjectListAmongAThousandProjects)->Unit(benchmark::kMillisecond)->UseRealTime();

// 32 clients, each with its own project: GetProjectData, then SaveProject over the revision
// it read, `kRounds` times; the connections of the pool are the benchmark's argument.
void BM_ThirtyTwoClientsOpenAndSave(benchmark::State& state)
{
    const int kClients = 32, kRounds = 4, kTasks = 1000;
    TempDir dir;
    CServerCore core;
    core.SetWorkers(static_cast<int>(state.range(0)));
    bool created = false;
    std::string error;
    if (!core.Open(dir.path + "/projects.sqlite", created, error)) {
        state.SkipWithError("the database does not open");
        return;
    }
    std::vector<std::string> tokens(kClients);
    std::vector<long> ids(kClients);
    for (int c = 0; c < kClients; ++c) {
        const std::string user = "user" + std::to_string(c);
        ids[c] = core.AddProject(ProjectText(user, kTasks, 100000L + 10000L * c));
        if (!core.AddUser(user, "pw", "ok") || ids[c] < 0 || !core.SetPermissions(ids[c], Permission(user)) ||
            (tokens[c] = LogIn(core, user)).empty()) {
            state.SkipWithError("the clients cannot be set up");
            return;
        }
    }
    std::vector<double> latencies;
    long failures = 0;
    for (auto _ : state) {
        std::vector<std::vector<double>> each(kClients);
        std::vector<long> failed(kClients, 0);
        std::vector<std::thread> threads;
        for (int c = 0; c < kClients; ++c)
            threads.emplace_back([&, c] {
                const std::string id = std::to_string(ids[c]);
                for (int round = 0; round < kRounds; ++round) {
                    const auto start = std::chrono::steady_clock::now();
                    CallContext open;
                    open.sessionToken = tokens[c];
                    std::vector<SoapArg> results;
                    std::string e;
                    if (core.Execute(MakeRequest("GetProjectData", {{"projectId", id}}), open, results, e) != CServerCore::Done ||
                        results.size() != 2) {
                        ++failed[c];
                        continue;
                    }
                    CallContext save;
                    save.sessionToken = tokens[c];
                    save.ifMatch = open.etag;
                    std::vector<SoapArg> saved;
                    if (core.Execute(MakeRequest("SaveProject", {{"projectId", id}, {"projectData", results[1].text}}), save,
                                     saved, e) != CServerCore::Done ||
                        saved.empty() || saved[0].text != "0")
                        ++failed[c];
                    each[c].push_back(
                        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
                }
            });
        for (auto& t : threads)
            t.join();
        for (int c = 0; c < kClients; ++c) {
            latencies.insert(latencies.end(), each[c].begin(), each[c].end());
            failures += failed[c];
        }
    }
    std::sort(latencies.begin(), latencies.end());
    state.counters["open+save/s"] = benchmark::Counter(static_cast<double>(latencies.size()),
                                                       benchmark::Counter::kIsRate);
    state.counters["p99 ms"] = latencies.empty() ? 0.0 : latencies[latencies.size() * 99 / 100];
    state.counters["failures"] = static_cast<double>(failures);
}
BENCHMARK(BM_ThirtyTwoClientsOpenAndSave)->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
