// The real program from exec to its first idle after the first paint, as a person starting it
// sees it: each run starts a fresh virtual X server (1920x1080) with openbox, execs Trellan on
// it with a generated project file (none for the empty program) and settings of its own, and
// takes the times the program marks on its way (PC_START_TRACE; PC_START_EXIT=1 ends it at the
// idle point) against the clock read just before the exec. Reported: the median time to idle,
// the median peak resident memory (the child's rusage), and the median of each part between
// two marks. The program's path can be given as PC_START_PROGRAM (to compare two builds).
#include "ProjectGenerator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The marks the program takes, in the order it takes them; a part is named after the mark
// that ends it and runs from the last mark before it that was taken (the exec for the first).
struct Part
{
    const char* mark;
    const char* name;
};
const Part kParts[] = {
    {"loaded", "load"},                // exec, dynamic loading and relocation
    {"main", "static-init"},           // the libraries' static initialisers
    {"toolkit", "toolkit"},            // the application object, platform plug-in, display
    {"fonts", "fonts"},                // the font database
    {"translations", "translations"},  // the toolkit's translations
    {"settings", "settings"},          // registry, COM and the recent-file list
    {"templates", "templates"},        // the document templates and their resources
    {"main-window", "main-window"},    // the main frame, its menus and bars
    {"read", "read"},                  // reading the project file into the document
    {"views", "views"},                // the project frame and its views
    {"grid-setup", "grid-setup"},      // the task grid's columns
    {"grid-fill", "grid-fill"},        // the task rows
    {"critical-marks", "critical"},    // the critical tasks (the document's schedule)
    {"initial-update", "chart"},       // the rest of the views' first update (the chart)
    {"shown", "show"},                 // showing and maximising the main window
    {"paint-start", "expose"},         // until the main window is mapped and starts to paint
    {"painted", "first-paint"},        // the first paint of the window and its children
    {"idle", "idle"},                  // until the loop has nothing left to do
};
const int kPartCount = sizeof(kParts) / sizeof(kParts[0]);

long long MonotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

std::string Program()
{
    const char* p = std::getenv("PC_START_PROGRAM");
    return p != nullptr && *p != '\0' ? p : PC_TRELLAN_PROGRAM;
}

std::map<int, std::string> g_projectFiles;

// The generated project of nTasks tasks as a local project file (made once per size, removed
// when the benchmark ends).
std::string ProjectFile(int nTasks)
{
    static const bool s_cleanUp = [] {
        std::atexit([] {
            for (const auto& file : g_projectFiles)
                std::remove(file.second.c_str());
        });
        return true;
    }();
    (void)s_cleanUp;
    std::map<int, std::string>& s_files = g_projectFiles;
    auto it = s_files.find(nTasks);
    if (it != s_files.end())
        return it->second;
    std::string path = "/tmp/pc_program_start_" + std::to_string(nTasks) + "_" + std::to_string(getpid()) + ".tlp";
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

// Starts argv with envp, stdout and stderr to logPath (and, when given, fdFrom as fdTo).
pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& env, const std::string& cwd,
            const std::string& logPath, int fdFrom = -1, int fdTo = -1)
{
    std::vector<char*> argv, envp;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const std::string& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&fa, 1, 2);
    if (fdFrom >= 0)
        posix_spawn_file_actions_adddup2(&fa, fdFrom, fdTo);
    posix_spawn_file_actions_addchdir_np(&fa, cwd.c_str());
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &fa, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&fa);
    return rc == 0 ? pid : -1;
}

// Waits up to timeoutMs for the child to end; false (the child killed) when it did not.
bool WaitChild(pid_t pid, int timeoutMs, int& status, rusage& usage)
{
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    bool ended = true;
    if (pidfd >= 0) {
        pollfd p{pidfd, POLLIN, 0};
        int rc;
        do
            rc = poll(&p, 1, timeoutMs);
        while (rc < 0 && errno == EINTR);
        ended = rc > 0;
        close(pidfd);
    }
    if (!ended)
        kill(pid, SIGKILL);
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    return ended;
}

void Stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    if (!WaitChild(pid, 5000, status, usage))
        std::fprintf(stderr, "process %d did not end on SIGTERM\n", static_cast<int>(pid));
}

// A virtual X server with openbox managing its windows, in a folder of its own.
class CDesktop
{
public:
    ~CDesktop()
    {
        Stop(m_wm);
        Stop(m_xvfb);
        if (!m_dir.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(m_dir, ec);
        }
    }

    bool Start(std::string& error)
    {
        char dir[] = "/tmp/pc_program_start_XXXXXX";
        if (mkdtemp(dir) == nullptr) {
            error = "mkdtemp";
            return false;
        }
        m_dir = dir;
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) {
            error = "pipe";
            return false;
        }
        m_xvfb = Spawn({"Xvfb", "-displayfd", "9", "-screen", "0", "1920x1080x24", "-nolisten", "tcp", "-noreset"},
                       Environment(), m_dir, m_dir + "/xvfb.log", fds[1], 9);
        close(fds[1]);
        std::string number;
        const long long end = MonotonicNs() + 10000000000LL;
        while (m_xvfb > 0 && number.find('\n') == std::string::npos && MonotonicNs() < end) {
            pollfd p{fds[0], POLLIN, 0};
            if (poll(&p, 1, 1000) <= 0)
                continue;
            char buf[16];
            const ssize_t n = read(fds[0], buf, sizeof buf);
            if (n <= 0)
                break;
            number.append(buf, static_cast<size_t>(n));
        }
        close(fds[0]);
        while (!number.empty() && (number.back() == '\n' || number.back() == ' '))
            number.pop_back();
        if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
            error = "the X server did not start";
            return false;
        }
        m_display = ":" + number;
        std::vector<std::string> env = Environment();
        env.push_back("DISPLAY=" + m_display);
        m_wm = Spawn({"openbox", "--sm-disable"}, env, m_dir, m_dir + "/openbox.log");
        // The window manager is up once it names its check window on the root (a setup wait,
        // outside what is measured).
        const std::string probe = "DISPLAY=" + m_display + " xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null";
        for (int i = 0; i < 500; ++i) {
            if (FILE* f = popen(probe.c_str(), "r")) {
                char line[256] = "";
                const bool bUp = std::fgets(line, sizeof line, f) != nullptr && std::strstr(line, "window id") != nullptr;
                pclose(f);
                if (bUp)
                    return true;
            }
            const timespec pause{0, 20000000};
            nanosleep(&pause, nullptr);
        }
        error = "the window manager did not start";
        return false;
    }

    const std::string& Dir() const { return m_dir; }
    const std::string& Display() const { return m_display; }

    // The benchmark's environment without what would steer the program elsewhere.
    static std::vector<std::string> Environment()
    {
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            const std::string s = *e;
            const std::string name = s.substr(0, s.find('='));
            if (name == "DISPLAY" || name == "WAYLAND_DISPLAY" || name == "QT_QPA_PLATFORM" || name == "HOME" ||
                name == "XDG_CONFIG_HOME" || name == "XDG_RUNTIME_DIR" || name == "PC_REGISTRY_FILE" ||
                name.rfind("PC_START_", 0) == 0)
                continue;
            env.push_back(s);
        }
        return env;
    }

private:
    std::string m_dir, m_display;
    pid_t m_xvfb = -1, m_wm = -1;
};

struct RunResult
{
    double toIdleMs = 0;
    double peakMB = 0;
    double partMs[kPartCount] = {};
};

// One start of the program on a fresh desktop; false with the reason when it did not reach
// its idle point.
bool RunOnce(const std::string& project, RunResult& r, std::string& error)
{
    CDesktop desktop;
    if (!desktop.Start(error))
        return false;
    const std::string dir = desktop.Dir();
    std::filesystem::create_directories(dir + "/config");
    std::filesystem::create_directories(dir + "/run");
    std::filesystem::permissions(dir + "/run", std::filesystem::perms::owner_all);
    std::vector<std::string> env = CDesktop::Environment();
    env.push_back("DISPLAY=" + desktop.Display());
    env.push_back("QT_QPA_PLATFORM=xcb");
    env.push_back("HOME=" + dir);
    env.push_back("XDG_CONFIG_HOME=" + dir + "/config");
    env.push_back("XDG_RUNTIME_DIR=" + dir + "/run");
    env.push_back("PC_REGISTRY_FILE=" + dir + "/registry.txt");
    const std::string trace = dir + "/start-marks.txt";
    env.push_back("PC_START_TRACE=" + trace);
    env.push_back("PC_START_EXIT=1");
    std::vector<std::string> args = {Program()};
    if (!project.empty())
        args.push_back(project);

    const long long t0 = MonotonicNs();
    const pid_t pid = Spawn(args, env, dir, dir + "/program.log");
    if (pid <= 0) {
        error = "cannot start " + args[0];
        return false;
    }
    int status = 0;
    rusage usage{};
    if (!WaitChild(pid, 120000, status, usage)) {
        error = "the program did not come to rest within two minutes";
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = "the program ended with status " + std::to_string(status);
        return false;
    }
    std::map<std::string, long long> marks;
    std::ifstream in(trace);
    std::string name;
    long long ns = 0;
    while (in >> name >> ns)
        marks[name] = ns;
    if (!marks.count("idle")) {
        error = "the program wrote no idle mark";
        return false;
    }
    long long previous = t0;
    for (int i = 0; i < kPartCount; ++i) {
        auto it = marks.find(kParts[i].mark);
        if (it == marks.end())
            continue;
        if (it->second < previous) {
            error = std::string("the mark ") + kParts[i].mark + " came before the one it follows";
            return false;
        }
        r.partMs[i] = (it->second - previous) / 1e6;
        previous = it->second;
    }
    r.toIdleMs = (marks["idle"] - t0) / 1e6;
    r.peakMB = usage.ru_maxrss / 1024.0;
    return true;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void BM_ProgramStart(benchmark::State& state)
{
    const int nTasks = static_cast<int>(state.range(0));
    const std::string project = nTasks > 0 ? ProjectFile(nTasks) : std::string();
    std::vector<RunResult> runs;
    for (auto _ : state) {
        RunResult r;
        std::string error;
        if (!RunOnce(project, r, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(r.toIdleMs / 1000.0);
        runs.push_back(r);
    }
    std::vector<double> toIdle, peak;
    for (const RunResult& r : runs) {
        toIdle.push_back(r.toIdleMs);
        peak.push_back(r.peakMB);
    }
    state.SetLabel("start-to-idle");
    state.counters["tasks"] = nTasks;
    state.counters["median_ms"] = Median(toIdle);
    // Further lines for scripts/bench: "measure:<order>:<measure>" = value.
    state.counters["measure:00:start-peak-rss"] = Median(peak);
    for (int i = 0; i < kPartCount; ++i) {
        std::vector<double> part;
        for (const RunResult& r : runs)
            part.push_back(r.partMs[i]);
        char key[64];
        std::snprintf(key, sizeof key, "measure:%02d:start-%s", i + 1, kParts[i].name);
        state.counters[key] = Median(part);
    }
}
BENCHMARK(BM_ProgramStart)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(50000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
