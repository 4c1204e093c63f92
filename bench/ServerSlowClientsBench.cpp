// The project server under slow clients: the time an honest client on 127.0.0.1 waits for
// GetProjectData (a project of 100 tasks) while 0 or 256 connections from other loopback
// addresses trickle one byte every 4 s, opened again whenever the server cuts them.
#include <ProjectServer/ProjectServer.h>
#include <ProjectService/SoapProjectService.h>

#include <benchmark/benchmark.h>

#include "LoopbackSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
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

void BM_HonestLatencyWithSlowClients(benchmark::State& state)
{
    std::error_code ec;
    const std::string dir = (std::filesystem::temp_directory_path() / ("slowbench-" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(dir, ec);
    projectserver::ServerOptions options;
    options.databasePath = dir + "/projects.sqlite";
    options.demoData = false;
    {
        projectserver::CProjectServer server(options);
        std::string error;
        long id = server.Start(error) && server.AddUser("bench", "pw", "") ? server.AddProject(ProjectText(100)) : -1;
        // A stored project has no creator: the user is given the right to open it.
        if (id >= 0 && !server.SetPermissions(id, "<PERMISSIONS><PERMISSION><RESCODE>bench</RESCODE>"
                                                  "<OPENPROJ>1</OPENPROJ></PERMISSION></PERMISSIONS>"))
            id = -1;
        if (id < 0) {
            state.SkipWithError(("the server did not start: " + error).c_str());
        } else {
            SlowClients slow(static_cast<int>(state.range(0)), server.Port());
            CSoapProjectService* c = new CSoapProjectService;
            c->SetServiceUrl(CString(server.ServiceUrl().c_str()));
            CProjectServicePtr client(c);
            CString reply;
            if (client->Login("bench", "pw", reply) != S_OK)
                state.SkipWithError("Login failed");
            for (auto _ : state) {
                CString xml;
                if (client->GetProjectData(id, xml) != S_OK) {
                    state.SkipWithError("GetProjectData failed");
                    break;
                }
            }
            state.counters["reopened"] = static_cast<double>(slow.Reopened());
        }
        server.Stop();
    }
    std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_HonestLatencyWithSlowClients)->Arg(0)->Arg(256)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
