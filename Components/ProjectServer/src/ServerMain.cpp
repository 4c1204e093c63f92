// project-server: the project service and the product-data downloads for the client.
#include <ProjectServer/ProjectServer.h>
#include <ProjectServer/ServerDatabase.h>

#include "ServerSettings.h"

#include <Pdm/PdmSettings.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const char kUsage[] =
    "Usage: project-server [OPTIONS]\n"
    "Serves the project service (SOAP) and product-data downloads for the project client.\n"
    "\n"
    "  --address ADDR    listen on this address (default 127.0.0.1; 0.0.0.0 for a team)\n"
    "  --port N          listen on this port (default 8080; 0 picks a free one)\n"
    "  --site NAME       the site in the service address (default site): the client's\n"
    "                    service description is http://ADDR:PORT/NAME/WebService/OrveskService.WSDL\n"
    "  --database FILE   the project database (default %s), or an ODBC\n"
    "                    connection string for a database server, e.g.\n"
    "                    \"Driver={PostgreSQL Unicode};Server=db;Database=projects;Uid=u;Pwd=p;\"\n"
    "                    (the tables are made in its schema dbo on the first run)\n"
    "  --pdm-store FILE  the product-data store to serve, or an ODBC connection string\n"
    "                    (default %s; with a connection\n"
    "                    string for --database, the store is in that database)\n"
    "  --empty           on a first run, start without the demo user, project and documents\n"
    "  --max-body BYTES  the largest request accepted (default 67108864)\n"
    "  --tls-cert FILE   serve HTTPS with this PEM certificate (its chain may follow it);\n"
    "                    the service description then is https://ADDR:PORT/NAME/...\n"
    "  --tls-key FILE    the PEM private key of --tls-cert (both or neither)\n"
    "  --config FILE     read settings from FILE first (\"key = value\" lines: address, port,\n"
    "                    site, database, pdm-store, tls-cert, tls-key); options override it\n"
    "  --help            this text\n"
    "\n"
    "A first run makes the database with the demo user \"demo\" (password \"demo\") and a demo\n"
    "project, and a small product-data store when there is none. Every call but Login and the\n"
    "service description needs the session a Login starts. Downloads are\n"
    "GET /pdm/GetPdmFile.asp?ClassID=C&ObjectID=O. SIGTERM or SIGINT stops the server; every\n"
    "operation is one transaction, so nothing finished is lost, even when it is killed.\n";

std::string DataDir()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/')
        return std::string(xdg) + "/project-client";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.local/share/project-client";
}

int g_signalPipe[2] = {-1, -1};

void OnSignal(int sig)
{
    char c = static_cast<char>(sig);
    ssize_t n = ::write(g_signalPipe[1], &c, 1);
    (void)n;
}

bool ParseNumber(const char* text, long long low, long long high, long long& value)
{
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || v < low || v > high)
        return false;
    value = v;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    projectserver::ServerOptions options;
    options.port = 8080;
    options.databasePath = DataDir() + "/project-server.sqlite";
    options.pdmStorePath = PdmDefaultStoreFile();
    bool pdmStoreGiven = false;
    std::string settingsError;
    if (!projectserver::ApplyServerSettingsArgument(argc, argv, options, pdmStoreGiven, settingsError)) {
        std::fprintf(stderr, "project-server: %s\n", settingsError.c_str());
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "project-server: %s needs a value\n", name);
                std::exit(2);
            }
            return argv[++i];
        };
        long long n = 0;
        if (a == "--help" || a == "-h") {
            std::printf(kUsage, options.databasePath.c_str(), options.pdmStorePath.c_str());
            return 0;
        } else if (a == "--address")
            options.address = value("--address");
        else if (a == "--port") {
            if (!ParseNumber(value("--port"), 0, 65535, n)) {
                std::fprintf(stderr, "project-server: --port takes a number from 0 to 65535\n");
                return 2;
            }
            options.port = static_cast<int>(n);
        } else if (a == "--site")
            options.site = value("--site");
        else if (a == "--database")
            options.databasePath = value("--database");
        else if (a == "--pdm-store") {
            options.pdmStorePath = value("--pdm-store");
            pdmStoreGiven = true;
        }
        else if (a == "--config")
            value("--config");  // read before the other options
        else if (a == "--empty")
            options.demoData = false;
        else if (a == "--max-body") {
            if (!ParseNumber(value("--max-body"), 1024, 1LL << 31, n)) {
                std::fprintf(stderr, "project-server: --max-body takes a number from 1024 to 2147483648\n");
                return 2;
            }
            options.maxBodyBytes = static_cast<size_t>(n);
        } else if (a == "--tls-cert")
            options.tlsCertFile = value("--tls-cert");
        else if (a == "--tls-key")
            options.tlsKeyFile = value("--tls-key");
        else {
            std::fprintf(stderr, "project-server: unknown argument %s (see --help)\n", a.c_str());
            return 2;
        }
    }
    // On a database server the product-data store lives beside the projects unless named.
    if (!pdmStoreGiven && projectserver::CServerDatabase::IsConnectionString(options.databasePath))
        options.pdmStorePath = options.databasePath;
    std::error_code ec;
    for (const std::string& file : {options.databasePath, options.pdmStorePath}) {
        if (projectserver::CServerDatabase::IsConnectionString(file))
            continue;
        std::filesystem::path dir = std::filesystem::path(file).parent_path();
        if (!dir.empty())
            std::filesystem::create_directories(dir, ec);
    }
    if (::pipe(g_signalPipe) != 0) {
        std::perror("project-server: pipe");
        return 1;
    }
    struct sigaction sa;
    std::memset(&sa, 0, sizeof(sa));
    sa.sa_handler = OnSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    projectserver::CProjectServer server(options);
    std::string error;
    if (!server.Start(error)) {
        std::fprintf(stderr, "project-server: %s\n", error.c_str());
        return 1;
    }
    // A connection string may hold a password: it is not shown.
    auto shown = [](const std::string& name) {
        return projectserver::CServerDatabase::IsConnectionString(name)
                   ? std::string("on the database server of the connection string")
                   : name;
    };
    const std::string database = shown(options.databasePath);
    std::printf("project-server: listening on %s:%d\n  service description %s\n  database %s\n  product-data store %s\n",
                options.address.c_str(), server.Port(), server.ServiceUrl().c_str(), database.c_str(),
                shown(options.pdmStorePath).c_str());
    std::fflush(stdout);
    char c = 0;
    while (::read(g_signalPipe[0], &c, 1) < 0 && errno == EINTR) {
    }
    std::printf("project-server: stopping\n");
    std::fflush(stdout);
    server.Stop();
    return 0;
}
