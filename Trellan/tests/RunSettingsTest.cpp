// scripts/run's settings: pointing both connection keys at the run's server changes the
// file in place (it does not grow run by run, and the user's other keys and values stay),
// the program reads what it wrote, and a server the 连接设置 dialog names is reported as the
// user's, so that the run keeps it.
#include <ClassLib/Registry/Registry.h>
#include <ClassLib/Testing/TempFolder.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const char kShellKey[] = "SOFTWARE\\Corvallo\\Lumo\\MasterClient";
const char kDocKey[] = "SOFTWARE\\Dunhelm\\Lumo\\MasterClient";

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string RunSettings(const std::string& args)
{
    std::string command = std::string("'") + TRELLAN_REPOSITORY_ROOT + "/scripts/run-settings' " + args + " 2>&1";
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    char buf[256];
    while (pipe && fgets(buf, sizeof buf, pipe))
        out += buf;
    if (pipe)
        pclose(pipe);
    return out;
}

std::string Value(const char* key, const char* name)
{
    HKEY hKey = NULL;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return "<no key>";
    char buf[260] = {};
    DWORD type = 0, cb = sizeof(buf);
    LONG rc = RegQueryValueEx(hKey, name, NULL, &type, reinterpret_cast<LPBYTE>(buf), &cb);
    RegCloseKey(hKey);
    if (rc != ERROR_SUCCESS)
        return "<none>";
    return type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(buf)) : std::string(buf);
}

class RunSettingsTest : public ::testing::Test {
protected:
    void TearDown() override { AfxTestSetRegistryFile(NULL); }
    CTestFolder dir{"runsettings"};
};

TEST_F(RunSettingsTest, PointingAgainChangesTheFileInPlaceAndKeepsTheUsersValues)
{
    const std::string file = dir.File("registry.txt");
    {
        std::ofstream out(file, std::ios::binary);
        out << "PCREG 1\n[HKEY_CURRENT_USER\\Software\\Mine]\n\"x\"=sz:\"1%00\"\n"
               "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvallo\\Lumo\\MasterClient]\n"
               "\"ProxyServerAddress\"=sz:\"10.0.0.1%00\"\n\"Automation\"=dword:00000000\n";
    }
    RunSettings("point '" + file + "' 127.0.0.1:40001 site");
    const std::string once = ReadText(file);
    RunSettings("point '" + file + "' 127.0.0.1:40002 site");
    RunSettings("point '" + file + "' 127.0.0.1:40003 site");
    EXPECT_EQ(ReadText(file).size(), once.size()) << ReadText(file);
    EXPECT_EQ(RunSettings("servers '" + file + "'"), "127.0.0.1:40003\n127.0.0.1:40003\n");

    AfxTestSetRegistryFile(file.c_str());
    EXPECT_EQ(Value(kDocKey, "Server"), "127.0.0.1:40003");
    EXPECT_EQ(Value(kDocKey, "VDir"), "site");
    EXPECT_EQ(Value(kShellKey, "Server"), "127.0.0.1:40003");
    EXPECT_EQ(Value(kShellKey, "ProxyServerAddress"), "10.0.0.1");
    EXPECT_EQ(Value(kShellKey, "Automation"), "0");  // the user's proxy choice stays
    HKEY hKey = NULL;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Mine", 0, KEY_READ, &hKey), ERROR_SUCCESS);
    RegCloseKey(hKey);
}

TEST_F(RunSettingsTest, AServerNamedInTheConnectionDialogIsReportedAsTheUsers)
{
    const std::string file = dir.File("registry.txt");
    RunSettings("point '" + file + "' 127.0.0.1:40001 site");
    // What 工具 -> 连接设置 writes when the user names the team's server.
    AfxTestSetRegistryFile(file.c_str());
    HKEY hKey = NULL;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kShellKey, 0, KEY_ALL_ACCESS, &hKey), ERROR_SUCCESS);
    const char server[] = "team.example:8080";
    ASSERT_EQ(RegSetValueEx(hKey, "Server", 0, REG_SZ, reinterpret_cast<const BYTE*>(server), sizeof(server)),
              ERROR_SUCCESS);
    RegCloseKey(hKey);
    AfxTestSetRegistryFile(NULL);
    EXPECT_EQ(RunSettings("servers '" + file + "'"), "127.0.0.1:40001\nteam.example:8080\n");
}

}  // namespace
