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
std::atomic<int> g_connectMs{5000};
std::atomic<int> g_receiveMs{10000};
std::atomic<int> g_totalMs{30000};

// A string value of a key under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER ("" when missing).
std::string ReadStringValue(HKEY root, const char* path, const char* name)
{
    HKEY key = nullptr;
    std::string value;
    if (RegOpenKeyEx(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueEx(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ && size > 1) {
        std::vector<BYTE> buf(size + 1, 0);
        if (RegQueryValueEx(key, name, nullptr, &type, buf.data(), &size) == ERROR_SUCCESS)
            value = reinterpret_cast<const char*>(buf.data());
    }
    RegCloseKey(key);
    return value;
}

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
    std::string value = ReadStringValue(HKEY_CURRENT_USER, "SOFTWARE\\Dunhelm\\Lumo\\Pdm", "StoreFile");
    if (!value.empty())
        return Utf8FromCString(value.c_str());
    return PdmDefaultStoreFile();
}

void SetPdmStoreFile(const std::string& path)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_override = path;
}

bool PdmUsesLocalStore()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return !g_override.empty();
}

std::string PdmServerAddress()
{
    std::string server = ReadStringValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvallo\\Lumo\\MasterClient", "Server");
    size_t first = server.find_first_not_of(" \t");
    size_t last = server.find_last_not_of(" \t/");
    server = first == std::string::npos || last < first ? std::string() : server.substr(first, last - first + 1);
    return server.empty() ? std::string("localhost") : server;
}

void SetPdmHttpTimeouts(int connectMs, int receiveMs, int totalMs)
{
    g_connectMs = connectMs < 1 ? 1 : connectMs;
    g_receiveMs = receiveMs < 1 ? 1 : receiveMs;
    g_totalMs = totalMs < 1 ? 1 : totalMs;
}

void PdmHttpTimeouts(int& connectMs, int& receiveMs, int& totalMs)
{
    connectMs = g_connectMs;
    receiveMs = g_receiveMs;
    totalMs = g_totalMs;
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
