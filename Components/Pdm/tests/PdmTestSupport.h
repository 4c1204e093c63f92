// Helpers of the product-data tests: a temporary folder, a store file in it set as the
// components' store, and a trace catcher.
#pragma once

#include <Pdm/PdmSettings.h>
#include <Pdm/PdmStore.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class CPdmTempDir {
public:
    CPdmTempDir()
    {
        std::string templ = (std::filesystem::temp_directory_path() / "pdmtest-XXXXXX").string();
        std::vector<char> buf(templ.begin(), templ.end());
        buf.push_back('\0');
        m_path = ::mkdtemp(buf.data()) ? buf.data() : "";
    }
    ~CPdmTempDir()
    {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

inline void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Catches the components' trace lines for the life of the object.
class CPdmTraceCatcher {
public:
    CPdmTraceCatcher()
    {
        m_previous = SetPdmTraceSink([this](const std::string& line) { m_lines.push_back(line); });
    }
    ~CPdmTraceCatcher() { SetPdmTraceSink(m_previous); }
    const std::vector<std::string>& Lines() const { return m_lines; }
    bool Has(const std::string& part) const
    {
        for (const std::string& l : m_lines)
            if (l.find(part) != std::string::npos)
                return true;
        return false;
    }

private:
    std::vector<std::string> m_lines;
    PdmTraceSink m_previous;
};

// A fixture with a fresh store file set as the components' store.
class PdmStoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_dir.Path().empty());
        m_storePath = m_dir.File("store.sqlite");
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_storePath, CPdmStore::CreateIfMissing)) << store.LastError();
        SetPdmStoreFile(m_storePath);
        SetPdmBusyTimeout(5000);
    }
    void TearDown() override
    {
        SetPdmStoreFile(std::string());
        SetPdmBusyTimeout(5000);
    }

    CPdmTempDir m_dir;
    std::string m_storePath;
};
