// Assertion reports and trace output.
#include <ClassLib/Core/Debug.h>

#include <atomic>
#include <csignal>
#include <cstdarg>
#include <cstdio>

namespace {

void DefaultAssertHandler(const char* file, int line, const char* expression)
{
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expression ? expression : "",
                 file ? file : "?", line);
    std::fflush(stderr);
}

std::atomic<AfxAssertHandler> g_assertHandler{&DefaultAssertHandler};

}  // namespace

AfxAssertHandler AfxSetAssertHandler(AfxAssertHandler handler)
{
    return g_assertHandler.exchange(handler ? handler : &DefaultAssertHandler);
}

void AfxAssertFailedLine(const char* file, int line, const char* expression)
{
    g_assertHandler.load()(file, line, expression);
}

void AfxTrace(const char* format, ...)
{
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fflush(stderr);
}

void AfxDebugBreak()
{
    std::raise(SIGTRAP);
}
