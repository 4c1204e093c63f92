// The program from start to idle with a project file on its command line: 10,000 and 50,000
// tasks. Each run is a child process (a fresh program, its own peak memory): it starts the
// application object as the program does, opens the file, lets the idle processing run, and
// reports the time taken and its peak resident memory.
#include <benchmark/benchmark.h>

#include <ClassLib/AfxWin.h>
#include <Orvesk/ProjectDoc.h>

#include "MainFrm.h"
#include "ProjectGenerator.h"
#include "TrellanApp.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The views' generated project of nTasks tasks as a local project file (made once).
std::string ProjectFile(int nTasks)
{
    static std::map<int, std::string> s_files;
    auto it = s_files.find(nTasks);
    if (it != s_files.end())
        return it->second;
    std::string path = "/tmp/pc_shell_start_" + std::to_string(nTasks) + "_" + std::to_string(getpid()) + ".tlp";
    ProjectGeneratorOptions options;
    options.nTasks = nTasks;
    std::string error;
    if (!WriteGeneratedProjectFile(options, path, error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
        std::exit(1);
    }
    s_files[nTasks] = path;
    return path;
}

struct ChildResult
{
    double seconds = 0;
    long peakKiB = 0;
    int opened = 0;
};

// In the child: the program's start-up with the file, until nothing is left to do.
void RunChild(const std::string& path, int fd)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("PC_REGISTRY_FILE", ":memory:", 1);
    auto t0 = std::chrono::steady_clock::now();
    std::string arg0 = "Trellan", arg1 = path;
    char* argv[] = {&arg0[0], &arg1[0], nullptr};
    AfxSetCommandLine(2, argv);
    CTrellanApp app;
    ChildResult r;
    if (app.InitApplication() && app.InitInstance()) {
        while (AfxPumpMessages() > 0) {
        }
        AfxIdleUpdate();
        AfxPumpMessages();
        CMainFrame* pFrame = DYNAMIC_DOWNCAST(CMainFrame, app.m_pMainWnd);
        r.opened = pFrame != nullptr && pFrame->MDIGetActive() != nullptr;
    }
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    r.peakKiB = usage.ru_maxrss;
    (void)!write(fd, &r, sizeof(r));
    _exit(0);
}

void BM_StartToIdle(benchmark::State& state)
{
    const std::string path = ProjectFile(static_cast<int>(state.range(0)));
    ChildResult last;
    for (auto _ : state) {
        int fds[2];
        if (pipe(fds) != 0) {
            state.SkipWithError("pipe");
            return;
        }
        pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            RunChild(path, fds[1]);
        }
        close(fds[1]);
        ChildResult r;
        ssize_t n = read(fds[0], &r, sizeof(r));
        close(fds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        if (n != (ssize_t)sizeof(r) || !r.opened) {
            state.SkipWithError("the program did not open the project");
            return;
        }
        state.SetIterationTime(r.seconds);
        last = r;
    }
    state.counters["peak_MiB"] = last.peakKiB / 1024.0;
}
BENCHMARK(BM_StartToIdle)->Arg(10000)->Arg(50000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
