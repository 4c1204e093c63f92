// The program's objects from start to idle with a project file on its command line: 10,000
// and 50,000 tasks. Each run is a child forked from the benchmark (its own peak memory, but the
// process start and the loading of the libraries are outside the time, hence
// "open-file-in-process"; ProgramStartBench times the real program): it starts the
// application object as the program does, opens the file, processes its messages until the
// project window has painted and nothing is left to do, lets the idle processing run, and
// reports the time taken and its peak resident memory. A second measure leaves the opened
// program in its own message loop with nothing to do and counts how often its thread wakes.
#include "ScreenBench.h"

#include <ClassLib/AfxWin.h>
#include <Orvesk/ProjectDoc.h>

#include "MainFrm.h"
#include "ProjectGenerator.h"
#include "TrellanApp.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/syscall.h>
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
    int painted = 0;
    double wakeupsPerSecond = -1;
};

// TRUE when the window and every window under it that is shown has nothing left to paint.
bool NothingToPaint(HWND hWnd)
{
    if (!::IsWindowVisible(hWnd))
        return true;
    if (::GetUpdateRect(hWnd, NULL, FALSE))
        return false;
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (!NothingToPaint(hChild))
            return false;
    return true;
}

// The context switches of the calling thread so far: each one is a wake-up.
long ThreadSwitches(pid_t tid)
{
    std::ifstream status("/proc/self/task/" + std::to_string(tid) + "/status");
    long n = 0;
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0 || line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
            n += std::stol(line.substr(line.find(':') + 1));
    return n;
}

const double kRestSeconds = 2.0;

// In the child: the program's start-up with the file, until nothing is left to do; with
// bRest, then the program's own message loop at rest for kRestSeconds.
void RunChild(const std::string& path, int fd, bool bRest)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
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
        CMDIChildWnd* pChild = pFrame != nullptr ? pFrame->MDIGetActive() : nullptr;
        r.opened = pChild != nullptr;
        r.painted = pChild != nullptr && pChild->IsWindowVisible() && NothingToPaint(pFrame->GetSafeHwnd());
    }
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (bRest && r.opened) {
        // The main thread's wake-ups while nothing happens, counted from another thread; the
        // quit request that ends the loop comes after the count.
        const pid_t tid = static_cast<pid_t>(syscall(SYS_gettid));
        std::thread watcher([&r, tid] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            const long n0 = ThreadSwitches(tid);
            std::this_thread::sleep_for(std::chrono::duration<double>(kRestSeconds));
            r.wakeupsPerSecond = (ThreadSwitches(tid) - n0) / kRestSeconds;
            PostQuitMessage(0);
        });
        app.Run();
        watcher.join();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    r.peakKiB = usage.ru_maxrss;
    (void)!write(fd, &r, sizeof(r));
    _exit(0);
}

// Runs the child once; false with the benchmark's error set when the program did not open
// and paint the project.
bool RunOnce(benchmark::State& state, const std::string& path, bool bRest, ChildResult& r)
{
    int fds[2];
    if (pipe(fds) != 0) {
        state.SkipWithError("pipe");
        return false;
    }
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        RunChild(path, fds[1], bRest);
    }
    close(fds[1]);
    ssize_t n = read(fds[0], &r, sizeof(r));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (n != (ssize_t)sizeof(r) || !r.opened) {
        state.SkipWithError("the program did not open the project");
        return false;
    }
    if (!r.painted) {
        state.SkipWithError("the project window was not painted");
        return false;
    }
    return true;
}

void BM_StartToIdle(benchmark::State& state)
{
    const std::string path = ProjectFile(static_cast<int>(state.range(0)));
    ChildResult last;
    CScreenTimes times;
    for (auto _ : state) {
        ChildResult r;
        if (!RunOnce(state, path, false, r))
            return;
        times.Add(state, r.seconds * 1000.0);
        last = r;
    }
    times.Report(state, "open-file-in-process", static_cast<double>(state.range(0)));
    state.counters["peak_MiB"] = last.peakKiB / 1024.0;
}
BENCHMARK(BM_StartToIdle)->Arg(10000)->Arg(50000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The program at rest after opening the project: wake-ups of its thread per second (the
// median over the runs, reported in the median column).
void BM_IdleWakeups(benchmark::State& state)
{
    const std::string path = ProjectFile(static_cast<int>(state.range(0)));
    CScreenTimes times;
    for (auto _ : state) {
        ChildResult r;
        if (!RunOnce(state, path, true, r))
            return;
        times.Add(state, r.wakeupsPerSecond);
    }
    times.Report(state, "idle-wakeups", static_cast<double>(state.range(0)));
}
BENCHMARK(BM_IdleWakeups)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
