// The start-up time marks: a fixed table filled without allocation, written once.
#include <ClassLib/Core/StartTrace.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

namespace {

struct Mark
{
    const char* name;
    long long ns;
};

const int kMaxMarks = 48;
Mark g_marks[kMaxMarks];
int g_nMarks = 0;
bool g_written = false;

long long MonotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

const char* TraceFile()
{
    static const char* s_file = [] {
        const char* p = std::getenv("PC_START_TRACE");
        return p != nullptr && *p != '\0' ? p : nullptr;
    }();
    return s_file;
}

// The first code of the program's own libraries: everything is loaded and relocated by now
// (the libraries' static initialisers follow, then main).
__attribute__((constructor(101))) void MarkLoaded()
{
    if (TraceFile() != nullptr)
        AfxStartMark("loaded");
}

}  // namespace

BOOL AfxStartTraceWanted()
{
    return TraceFile() != nullptr;
}

void AfxStartMark(const char* pszName)
{
    if (TraceFile() == nullptr || pszName == nullptr || g_nMarks >= kMaxMarks)
        return;
    if (AfxStartMarked(pszName))
        return;
    g_marks[g_nMarks].name = pszName;
    g_marks[g_nMarks].ns = MonotonicNs();
    ++g_nMarks;
}

BOOL AfxStartMarked(const char* pszName)
{
    for (int i = 0; i < g_nMarks; ++i)
        if (std::strcmp(g_marks[i].name, pszName) == 0)
            return TRUE;
    return FALSE;
}

void AfxStartTraceAtIdle()
{
    const char* file = TraceFile();
    if (file == nullptr || g_written || !AfxStartMarked("painted"))
        return;
    AfxStartMark("idle");
    g_written = true;
    const int fd = ::open(file, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::fprintf(stderr, "cannot write the start marks to %s\n", file);
    } else {
        for (int i = 0; i < g_nMarks; ++i) {
            char line[128];
            const int n = std::snprintf(line, sizeof line, "%s %lld\n", g_marks[i].name, g_marks[i].ns);
            if (n > 0 && ::write(fd, line, static_cast<size_t>(n)) != n)
                break;
        }
        ::close(fd);
    }
    const char* pszExit = std::getenv("PC_START_EXIT");
    if (pszExit != nullptr && std::strcmp(pszExit, "1") == 0)
        ::_exit(fd < 0 ? 1 : 0);
}
