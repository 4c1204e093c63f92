#include "FuzzEntry.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace fuzz {

const char* WriteInputFile(const uint8_t* data, size_t size, const char* suffix)
{
    static std::string path;
    const char* tmp = std::getenv("TMPDIR");
    path = std::string(tmp && *tmp ? tmp : "/tmp") + "/pc-fuzz-" + std::to_string(::getpid()) + suffix;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return nullptr;
    if (size && std::fwrite(data, 1, size, f) != size) {
        std::fclose(f);
        return nullptr;
    }
    std::fclose(f);
    return path.c_str();
}

void EnsureHeadless()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("PC_REGISTRY_FILE", ":memory:", 0);
}

}  // namespace fuzz
