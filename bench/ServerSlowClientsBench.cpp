// The project server under slow clients: the time an honest client on 127.0.0.1 waits for
// GetProjectData (a project of 100 tasks) while 0 or 256 connections from other loopback
// addresses trickle one byte every 4 s, opened again whenever the server cuts them; and the
// memory the process takes while 0 or 256 logged-in readers have asked for a project of
// 20,000 tasks and take none of it (the answers beyond the server's bound wait in files).
#include <Internet/ServerSession.h>
#include <ProjectServer/ProjectServer.h>
#include <ProjectService/SoapEnvelope.h>
#include <ProjectService/SoapProjectService.h>

#include <benchmark/benchmark.h>

#include "LoopbackSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string ProjectText(int tasks)
{
    std::string x = "<PROJECT><ID>0</ID><NAME>slow</NAME><TASKS>";
    for (int i = 0; i < tasks; ++i)
        x += "<TASK><TASKID>" + std::to_string(10000 + i) + "</TASKID><NAME>t" + std::to_string(i) +
             "</NAME><ROWINGRID>" + std::to_string(i + 1) + "</ROWINGRID></TASK>";
    return x + "</TASKS></PROJECT>";
}

int OpenSlowClient(const std::string& from, int port)
{
    int fd = ConnectFrom(from.c_str(), port);
    if (fd < 0)
        return -1;
    const char head[] = "GET /site/WebService/OrveskService.WSDL HTTP/1.1\r\nHo";
    ::send(fd, head, sizeof(head) - 1, MSG_NOSIGNAL);
    return fd;
}

// Keeps `count` slow connections open, 8 from each address from 127.0.0.2 on.
class SlowClients {
public:
    SlowClients(int count, int port) : m_port(port), m_fds(static_cast<size_t>(count), -1)
    {
        for (size_t i = 0; i < m_fds.size(); ++i)
            m_fds[i] = OpenSlowClient(Address(i), m_port);
        m_thread = std::thread([this] { Trickle(); });
    }
    ~SlowClients()
    {
        m_stop = true;
        m_thread.join();
        for (int fd : m_fds)
            if (fd >= 0)
                ::close(fd);
    }
    long Reopened() const { return m_reopened; }

private:
    static std::string Address(size_t i) { return "127.0.0." + std::to_string(2 + i / 8); }
    void Trickle()
    {
        while (!m_stop) {
            for (int w = 0; w < 40 && !m_stop; ++w)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            for (size_t i = 0; i < m_fds.size() && !m_stop; ++i) {
                char c;
                bool closed = m_fds[i] < 0 || ::recv(m_fds[i], &c, 1, MSG_DONTWAIT) == 0 ||
                              ::send(m_fds[i], "x", 1, MSG_NOSIGNAL | MSG_DONTWAIT) < 0;
                if (closed) {
                    if (m_fds[i] >= 0)
                        ::close(m_fds[i]);
                    m_fds[i] = OpenSlowClient(Address(i), m_port);
                    ++m_reopened;
                }
            }
        }
    }
    int m_port;
    std::vector<int> m_fds;
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_reopened{0};
    std::thread m_thread;
};

// The resident memory of this process, in bytes.
double ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    double pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<double>(::sysconf(_SC_PAGESIZE));
}

// A server with a project of `tasks` tasks the user "bench" may open, and that user's
// client, logged in.
class BenchServer {
public:
    explicit BenchServer(int tasks)
        : m_dir((std::filesystem::temp_directory_path() / ("slowbench-" + std::to_string(::getpid()))).string())
    {
        std::error_code ec;
        std::filesystem::create_directories(m_dir, ec);
        projectserver::ServerOptions options;
        options.databasePath = m_dir + "/projects.sqlite";
        options.demoData = false;
        m_server.reset(new projectserver::CProjectServer(options));
        m_id = m_server->Start(m_error) && m_server->AddUser("bench", "pw", "") ? m_server->AddProject(ProjectText(tasks))
                                                                               : -1;
        // A stored project has no creator: the user is given the right to open it.
        if (m_id >= 0 && !m_server->SetPermissions(m_id, "<PERMISSIONS><PERMISSION><RESCODE>bench</RESCODE>"
                                                         "<OPENPROJ>1</OPENPROJ></PERMISSION></PERMISSIONS>"))
            m_id = -1;
        CSoapProjectService* c = new CSoapProjectService;
        c->SetServiceUrl(CString(m_server->ServiceUrl().c_str()));
        m_client.reset(c);
        CString reply;
        if (m_id >= 0 && m_client->Login("bench", "pw", reply) != S_OK) {
            m_error = "Login failed";
            m_id = -1;
        }
    }
    ~BenchServer()
    {
        m_client.reset();
        m_server->Stop();
        m_server.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    long Id() const { return m_id; }
    const std::string& Error() const { return m_error; }
    projectserver::CProjectServer& Server() { return *m_server; }
    IProjectService& Client() { return *m_client; }
    CSoapProjectService& Soap() { return *static_cast<CSoapProjectService*>(m_client.get()); }

private:
    std::string m_dir, m_error;
    std::unique_ptr<projectserver::CProjectServer> m_server;
    long m_id = -1;
    CProjectServicePtr m_client;
};

void BM_HonestLatencyWithSlowClients(benchmark::State& state)
{
    BenchServer bench(100);
    if (bench.Id() < 0) {
        state.SkipWithError(("the server did not start: " + bench.Error()).c_str());
        return;
    }
    SlowClients slow(static_cast<int>(state.range(0)), bench.Server().Port());
    for (auto _ : state) {
        CString xml;
        if (bench.Client().GetProjectData(bench.Id(), xml) != S_OK) {
            state.SkipWithError("GetProjectData failed");
            break;
        }
    }
    state.counters["reopened"] = static_cast<double>(slow.Reopened());
}
BENCHMARK(BM_HonestLatencyWithSlowClients)->Arg(0)->Arg(256)->Unit(benchmark::kMillisecond)->UseRealTime();

// Readers from other loopback addresses (8 from each) that ask for the project with the
// session's cookie and then read nothing: the memory grown until all were answered.
void BM_MemoryWithReadersThatTakeNothing(benchmark::State& state)
{
    BenchServer bench(20000);
    if (bench.Id() < 0) {
        state.SkipWithError(("the server did not start: " + bench.Error()).c_str());
        return;
    }
    CString xml;
    if (bench.Client().GetProjectData(bench.Id(), xml) != S_OK) {  // the description read, the text sized
        state.SkipWithError("GetProjectData failed");
        return;
    }
    const std::string endpoint = bench.Soap().GetEndpoint();
    const std::string envelope = projectsoap::BuildEnvelope(bench.Soap().GetTargetNamespace(), "GetProjectData",
                                                            {{"projectId", std::to_string(bench.Id())}});
    const std::string request = "POST " + endpoint.substr(endpoint.find('/', endpoint.find("://") + 3)) +
                                " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: text/xml; charset=utf-8\r\n"
                                "SOAPAction: \"" + bench.Soap().GetTargetNamespace() + "/GetProjectData\"\r\n"
                                "Cookie: " + serversession::CookieFor(endpoint) + "\r\nContent-Length: " +
                                std::to_string(envelope.size()) + "\r\n\r\n" + envelope;
    const double answer = static_cast<double>(xml.GetLength());
    double grown = 0;
    for (auto _ : state) {
        const double before = ResidentBytes();
        std::vector<int> readers;
        for (int i = 0; i < state.range(0); ++i) {
            const int fd = ConnectFrom(("127.0.1." + std::to_string(2 + i / 8)).c_str(), bench.Server().Port(), 4096);
            if (fd >= 0 && ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size()))
                readers.push_back(fd);
            else if (fd >= 0)
                ::close(fd);
        }
        // Answered once the first bytes of each answer have come.
        for (int fd : readers) {
            pollfd p = {fd, POLLIN, 0};
            ::poll(&p, 1, 30000);
        }
        grown = std::max(grown, ResidentBytes() - before);
        for (int fd : readers)
            ::close(fd);
        if (static_cast<int>(readers.size()) != state.range(0))
            state.SkipWithError("a reader could not connect");
    }
    state.counters["answer_MB"] = answer / 1e6;
    state.counters["grown_MB"] = grown / 1e6;
}
BENCHMARK(BM_MemoryWithReadersThatTakeNothing)->Arg(0)->Arg(256)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
