// The test folder and whole-file helpers under the names the class library's tests use.
#pragma once

#include <ClassLib/Testing/TempFolder.h>

class TempFolder : public CTestFolder
{
public:
    explicit TempFolder(const std::string& prefix = "pc_file_test") : CTestFolder(prefix) {}
};

inline std::string ReadAll(const std::string& path) { return AfxTestReadFile(path); }
inline void WriteAll(const std::string& path, const std::string& content) { AfxTestWriteFile(path, content); }
