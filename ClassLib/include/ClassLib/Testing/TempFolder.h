// A fresh folder for one test under the temporary folder ($TMPDIR, else /tmp), removed with
// everything in it when the test is done, and whole-file reading and writing for tests.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class CTestFolder
{
public:
    // The folder is named <prefix>-XXXXXX.
    explicit CTestFolder(const std::string& prefix = "pc-test")
    {
        std::error_code ec;
        std::string pattern = (std::filesystem::temp_directory_path(ec) / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(&pattern[0]) != nullptr)
            m_path = pattern;
    }
    ~CTestFolder()
    {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;

    const std::string& Path() const { return m_path; }
    const std::string& path() const { return m_path; }
    std::string Path(const std::string& name) const { return m_path + "/" + name; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    // The names of the files in the folder, sorted.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(m_path, ec))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string m_path;
};

// The whole content of a file ("" when it cannot be read).
inline std::string AfxTestReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void AfxTestWriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}
