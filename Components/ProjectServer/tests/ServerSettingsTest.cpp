// The server's settings file: what it sets, what it refuses, and the program reading it
// with its command-line options taking precedence.
#include "ServerSettings.h"
#include "ServerTestSupport.h"

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using projectserver::ParseServerSettings;
using projectserver::ServerOptions;

TEST(ServerSettingsTest, EveryKeyWithCommentsBlankLinesAndCrLf)
{
    ServerOptions o;
    bool storeGiven = false;
    std::string error;
    const std::string text =
        "\xEF\xBB\xBF# the team's server\r\n"
        "address = 0.0.0.0\r\n"
        "\n"
        "  ; another comment\n"
        "port=9090\n"
        "site =  team  \n"
        "database = Driver={PostgreSQL Unicode};Server=db;Pwd=a#b=c;\n"
        "pdm-store = /var/lib/project-server/pdm.sqlite\n"
        "tls-cert = /etc/project-server/cert.pem\n"
        "tls-key = /etc/project-server/key.pem";
    ASSERT_TRUE(ParseServerSettings(text, "s.conf", o, storeGiven, error)) << error;
    EXPECT_EQ("0.0.0.0", o.address);
    EXPECT_EQ(9090, o.port);
    EXPECT_EQ("team", o.site);
    EXPECT_EQ("Driver={PostgreSQL Unicode};Server=db;Pwd=a#b=c;", o.databasePath);
    EXPECT_EQ("/var/lib/project-server/pdm.sqlite", o.pdmStorePath);
    EXPECT_TRUE(storeGiven);
    EXPECT_EQ("/etc/project-server/cert.pem", o.tlsCertFile);
    EXPECT_EQ("/etc/project-server/key.pem", o.tlsKeyFile);
}

TEST(ServerSettingsTest, AnErrorNamesFileAndLineAndAppliesNothing)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"port = 1\nlisten = 1\n",
         "s.conf:2: unknown setting \"listen\" (settings: address, port, site, database, pdm-store, tls-cert, tls-key)"},
        {"port = 65536\n", "s.conf:1: port takes a number from 0 to 65535, not \"65536\""},
        {"port = -1\n", "s.conf:1: port takes a number from 0 to 65535, not \"-1\""},
        {"port = 80 80\n", "s.conf:1: port takes a number from 0 to 65535, not \"80 80\""},
        {"port =\n", "s.conf:1: port takes a number from 0 to 65535, not \"\""},
        {"\n\naddress 0.0.0.0\n", "s.conf:3: not a \"key = value\" line: address 0.0.0.0"},
        {"site = a\nsite = b\n", "s.conf:2: site is set twice"},
        {"port = 1\ndatabase =   \n", "s.conf:2: database needs a value"},
    };
    for (const auto& c : cases) {
        ServerOptions o;
        o.port = 8080;
        o.databasePath = "keep.sqlite";
        bool storeGiven = false;
        std::string error;
        EXPECT_FALSE(ParseServerSettings(c.text, "s.conf", o, storeGiven, error)) << c.text;
        EXPECT_EQ(c.error, error);
        EXPECT_EQ(8080, o.port);
        EXPECT_EQ("keep.sqlite", o.databasePath);
    }
}

TEST(ServerSettingsTest, AMissingFileOrAFolderIsAnError)
{
    CServerTempDir dir;
    ServerOptions o;
    bool storeGiven = false;
    std::string error;
    EXPECT_FALSE(projectserver::ReadServerSettings(dir.File("none.conf"), o, storeGiven, error));
    EXPECT_EQ("cannot read the settings file " + dir.File("none.conf") + ": No such file or directory", error);
    EXPECT_FALSE(projectserver::ReadServerSettings(dir.Path(), o, storeGiven, error));
    EXPECT_EQ("cannot read the settings file " + dir.Path() + ": it is a folder", error);
}

// Runs the program with stdout and stderr into a file; the exit status, or -1.
int Spawn(const std::vector<std::string>& args, const std::string& log, pid_t& pid)
{
    std::vector<char*> argv{const_cast<char*>(PROJECT_SERVER_PROGRAM)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    int rc = posix_spawn(&pid, PROJECT_SERVER_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc;
}

int Wait(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ServerSettingsTest, TheProgramReadsTheFileAndItsOptionsOverrideIt)
{
    CServerTempDir dir;
    AfxTestWriteFile(dir.File("server.conf"), "address = 127.0.0.1\nport = 0\nsite = filesite\n"
                                              "database = " + dir.File("db.sqlite") + "\n"
                                              "pdm-store = " + dir.File("pdm.sqlite") + "\n");
    pid_t pid = 0;
    ASSERT_EQ(0, Spawn({"--site", "cmdsite", "--config", dir.File("server.conf")}, dir.File("out.txt"), pid));
    std::string out;
    for (int i = 0; i < 600 && out.find("product-data store") == std::string::npos; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        out = AfxTestReadFile(dir.File("out.txt"));
    }
    ::kill(pid, SIGTERM);
    EXPECT_EQ(0, Wait(pid));
    EXPECT_NE(std::string::npos, out.find("/cmdsite/WebService/OrveskService.WSDL\n")) << out;
    EXPECT_NE(std::string::npos, out.find("  database " + dir.File("db.sqlite") + "\n")) << out;
    EXPECT_NE(std::string::npos, out.find("  product-data store " + dir.File("pdm.sqlite") + "\n")) << out;
    EXPECT_TRUE(std::filesystem::exists(dir.File("db.sqlite")));
}

TEST(ServerSettingsTest, TheProgramStopsOnABadFileAndMakesNoDatabase)
{
    CServerTempDir dir;
    AfxTestWriteFile(dir.File("server.conf"), "database = " + dir.File("db.sqlite") + "\nport = http\n");
    pid_t pid = 0;
    ASSERT_EQ(0, Spawn({"--config", dir.File("server.conf")}, dir.File("out.txt"), pid));
    EXPECT_EQ(2, Wait(pid));
    EXPECT_EQ("project-server: " + dir.File("server.conf") + ":2: port takes a number from 0 to 65535, not \"http\"\n",
              AfxTestReadFile(dir.File("out.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("db.sqlite")));
    ASSERT_EQ(0, Spawn({"--config", dir.File("server.conf"), "--config", dir.File("server.conf")},
                       dir.File("out.txt"), pid));
    EXPECT_EQ(2, Wait(pid));
    EXPECT_EQ("project-server: --config is given twice\n", AfxTestReadFile(dir.File("out.txt")));
}

}  // namespace
