#include "SeedFiles.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace seeds {

namespace {
std::string g_root;
}

void SetRoot(const std::string& root)
{
    g_root = root;
    ::mkdir(g_root.c_str(), 0755);
}

void Put(const char* entry, const char* name, const std::string& bytes)
{
    const std::string dir = g_root + "/" + entry;
    ::mkdir(dir.c_str(), 0755);
    std::ofstream out(dir + "/" + name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string TempFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/pc-fuzz-seeds-XXXXXX";
    return ::mkdtemp(&pattern[0]) ? pattern : std::string();
}

void RemoveFolder(const std::string& path)
{
    if (path.empty())
        return;
    if (DIR* d = ::opendir(path.c_str())) {
        while (dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..")
                ::unlink((path + "/" + name).c_str());
        }
        ::closedir(d);
    }
    ::rmdir(path.c_str());
}

}  // namespace seeds
