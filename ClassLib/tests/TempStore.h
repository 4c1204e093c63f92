// A registry store in a fresh temporary folder for one test; afterwards the store is kept in
// memory only, so no test ever writes the user's own settings.
#pragma once

#include <ClassLib/Registry/Registry.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <dirent.h>
#include <unistd.h>

class TempStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/pcreg-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(&pattern[0]));
    m_dir = pattern;
    m_file = m_dir + "/registry.txt";
    AfxTestSetRegistryFile(m_file.c_str());
  }

  void TearDown() override {
    AfxTestSetRegistryFile("");
    for (const std::string& name : Files()) std::remove((m_dir + "/" + name).c_str());
    rmdir(m_dir.c_str());
  }

  // Drops the loaded store; the next call reads the file again, as a new process would.
  void Reload() { AfxTestSetRegistryFile(m_file.c_str()); }

  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    if (DIR* d = opendir(m_dir.c_str())) {
      while (dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      closedir(d);
    }
    return names;
  }

  static std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  static void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }

  std::string m_dir;
  std::string m_file;
};
