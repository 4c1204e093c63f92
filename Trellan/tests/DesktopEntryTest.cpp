// The desktop entry and the project file type, installed by scripts/install-desktop into a
// user's data folder (a temporary one here).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class DesktopEntryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = "/tmp/trellan_desktop_XXXXXX";
        dir = mkdtemp(&pattern[0]);
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    int Install()
    {
        std::string command = "env -u XDG_DATA_DIRS HOME='" + dir + "' XDG_DATA_HOME='" + dir + "/data' XDG_CONFIG_HOME='" +
                              dir + "/config' '" + std::string(TRELLAN_REPOSITORY_ROOT) +
                              "/scripts/install-desktop' > '" + dir + "/out.txt' 2>&1";
        return std::system(command.c_str());
    }
    std::string dir;
};

TEST_F(DesktopEntryTest, TheEntryStartsTheRunScriptForProjectFiles)
{
    ASSERT_EQ(Install(), 0) << ReadFile(dir + "/out.txt");
    std::string entry = ReadFile(dir + "/data/applications/trellan.desktop");
    EXPECT_NE(entry.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(entry.find("Exec=\"" + std::string(TRELLAN_REPOSITORY_ROOT) + "/scripts/run\" %f\n"), std::string::npos)
        << entry;
    EXPECT_NE(entry.find("MimeType=application/x-trellan-project;\n"), std::string::npos);
    EXPECT_NE(entry.find("Icon=trellan\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir + "/data/icons/hicolor/scalable/apps/trellan.svg"));
}

TEST_F(DesktopEntryTest, TheMimeDatabaseKnowsProjectFilesAndTheirDefaultApplication)
{
    ASSERT_EQ(Install(), 0) << ReadFile(dir + "/out.txt");
    EXPECT_TRUE(std::filesystem::exists(dir + "/data/mime/packages/trellan-project.xml"));
    std::string globs = ReadFile(dir + "/data/mime/globs2");
    EXPECT_NE(globs.find("application/x-trellan-project:*.tlp"), std::string::npos) << globs;
    std::string types = ReadFile(dir + "/data/mime/types");
    EXPECT_NE(types.find("application/x-trellan-project"), std::string::npos);
    std::string defaults = ReadFile(dir + "/config/mimeapps.list") + ReadFile(dir + "/data/applications/mimeapps.list");
    EXPECT_NE(defaults.find("application/x-trellan-project=trellan.desktop"), std::string::npos) << defaults;
    // Installing again changes nothing and adds no second default.
    ASSERT_EQ(Install(), 0);
    std::string again = ReadFile(dir + "/config/mimeapps.list") + ReadFile(dir + "/data/applications/mimeapps.list");
    EXPECT_EQ(again, defaults);
}

}  // namespace
