// The settings store: reading a store file, then a change that writes it again.
#include "FuzzEntry.h"

#include <ClassLib/Registry/Registry.h>

#include <cstdio>
#include <string>

namespace {

void Walk(HKEY key)
{
    // The first few keys and values of each level, a few levels down.
    for (DWORD i = 0; i < 4; ++i) {
        char name[256];
        DWORD cch = sizeof name;
        BYTE bytes[512];
        DWORD cb = sizeof bytes, type = 0;
        if (RegEnumValue(key, i, name, &cch, nullptr, &type, bytes, &cb) != ERROR_SUCCESS)
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* written = fuzz::WriteInputFile(data, size, ".settings");
    if (!written)
        return 0;
    const std::string path = written;
    AfxTestSetRegistryFile(path.c_str());
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        Walk(key);
        char name[256];
        DWORD cch = sizeof name;
        if (RegEnumKeyEx(key, 0, name, &cch, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            HKEY sub = nullptr;
            if (RegOpenKeyEx(key, name, 0, KEY_READ, &sub) == ERROR_SUCCESS) {
                Walk(sub);
                RegCloseKey(sub);
            }
        }
        RegCloseKey(key);
    }
    // A change writes the whole store again.
    if (RegCreateKey(HKEY_CURRENT_USER, "Software\\Fuzz", &key) == ERROR_SUCCESS) {
        const DWORD one = 1;
        RegSetValueEx(key, "Run", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
        RegCloseKey(key);
    }
    AfxTestSetRegistryFile("");
    std::remove(path.c_str());
    std::remove((path + ".bad").c_str());
    std::remove((path + ".bad.1").c_str());
    return 0;
}
