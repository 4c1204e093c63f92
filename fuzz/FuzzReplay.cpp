// The replay driver: runs every file named (or found in a folder named) on the command line
// through the entry point once, in name order, and fails when one takes a second or more.
// A crash or a sanitizer report ends the process, which fails the test that runs it.
#include "FuzzEntry.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace {

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void Collect(const std::string& path, std::vector<std::string>& files)
{
    if (!IsFolder(path)) {
        files.push_back(path);
        return;
    }
    std::vector<std::string> here;
    if (DIR* d = ::opendir(path.c_str())) {
        while (dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != ".." && !IsFolder(path + "/" + name))
                here.push_back(path + "/" + name);
        }
        ::closedir(d);
    }
    std::sort(here.begin(), here.end());
    files.insert(files.end(), here.begin(), here.end());
}

}  // namespace

int main(int argc, char** argv)
{
    // Seconds an input may take: a guard against runaway (quadratic, looping) readers, which
    // take tens of seconds on the damaged inputs, with room for sanitizer builds on a busy
    // machine. How fast the readers are is measured by the benchmarks.
    double limit = 5.0;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.compare(0, 8, "--limit=") == 0)
            limit = std::atof(arg.c_str() + 8);
        else
            Collect(arg, files);
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: %s [--limit=SECONDS] FILE|FOLDER...\n", argv[0]);
        return 2;
    }
    int slow = 0;
    double slowest = 0;
    std::string slowestName;
    for (const std::string& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 2;
        }
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto start = std::chrono::steady_clock::now();
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (took > slowest) {
            slowest = took;
            slowestName = file;
        }
        if (took >= limit) {
            ++slow;
            std::fprintf(stderr, "too slow: %s took %.3f s (limit %.3f s)\n", file.c_str(), took, limit);
        }
    }
    std::printf("%zu inputs replayed; slowest %.3f s (%s)\n", files.size(), slowest, slowestName.c_str());
    return slow ? 1 : 0;
}
