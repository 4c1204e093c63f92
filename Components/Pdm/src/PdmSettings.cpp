// The store file's place, the lock wait and the trace sink of the components.
#include <Pdm/PdmSettings.h>

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/Debug.h>
#include <ClassLib/Registry/Registry.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

std::mutex g_mutex;
std::string g_override;
PdmTraceSink g_sink;
std::atomic<int> g_busyMs{5000};

}  // namespace

std::string PdmDefaultStoreFile()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (xdg && *xdg == '/')
        base = xdg;
    else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : ".") + "/.local/share";
    }
    return base + "/project-client/pdm.sqlite";
}

std::string PdmStoreFile()
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_override.empty())
            return g_override;
    }
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\Dunhelm\\Lumo\\Pdm", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD type = 0;
        DWORD size = 0;
        std::string value;
        if (RegQueryValueEx(key, "StoreFile", nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ &&
            size > 1) {
            std::vector<BYTE> buf(size + 1, 0);
            if (RegQueryValueEx(key, "StoreFile", nullptr, &type, buf.data(), &size) == ERROR_SUCCESS)
                value = reinterpret_cast<const char*>(buf.data());
        }
        RegCloseKey(key);
        if (!value.empty())
            return Utf8FromCString(value.c_str());
    }
    return PdmDefaultStoreFile();
}

void SetPdmStoreFile(const std::string& path)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_override = path;
}

void SetPdmBusyTimeout(int milliseconds)
{
    g_busyMs = milliseconds < 0 ? 0 : milliseconds;
}

int PdmBusyTimeout()
{
    return g_busyMs;
}

PdmTraceSink SetPdmTraceSink(PdmTraceSink sink)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    PdmTraceSink previous = std::move(g_sink);
    g_sink = std::move(sink);
    return previous;
}

void PdmTrace(const std::string& line)
{
    PdmTraceSink sink;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        sink = g_sink;
    }
    if (sink)
        sink(line);
    else
        AfxTrace("%s\n", line.c_str());
}
