// A fresh folder under /tmp for one test, removed with all it holds afterwards, and the
// helpers that read and write whole files in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempFolder {
 public:
  // The folder is named /tmp/<prefix>_XXXXXX.
  explicit TempFolder(const std::string& prefix = "pc_file_test") {
    std::string pattern = "/tmp/" + prefix + "_XXXXXX";
    m_path = mkdtemp(&pattern[0]);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name) const { return m_path + "/" + name; }
  const std::string& path() const { return m_path; }

 private:
  std::string m_path;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}
