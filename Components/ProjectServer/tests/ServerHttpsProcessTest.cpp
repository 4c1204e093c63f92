// HTTPS with a certificate made for the test, in the library and through the program's
// flags; and the program stopping on SIGTERM while slow connections hold on.
#include "ServerTestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <thread>

namespace {

// A self-signed certificate for 127.0.0.1 and its key, made with the system's certtool.
bool MakeCertificate(const CServerTempDir& dir, std::string& cert, std::string& key)
{
    cert = dir.File("cert.pem");
    key = dir.File("key.pem");
    const std::string templ = dir.File("cert.cfg");
    std::ofstream(templ) << "cn = \"127.0.0.1\"\nip_address = \"127.0.0.1\"\nexpiration_days = 2\n"
                            "tls_www_server\nsigning_key\nencryption_key\n";
    const std::string command = "certtool --generate-privkey --key-type=ecdsa --no-text --outfile '" + key +
                                "' >/dev/null 2>&1 && certtool --generate-self-signed --load-privkey '" + key +
                                "' --template '" + templ + "' --no-text --outfile '" + cert + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

std::unique_ptr<httplib::SSLClient> Https(int port, const std::string& cert)
{
    std::unique_ptr<httplib::SSLClient> client(new httplib::SSLClient("127.0.0.1", port));
    client->set_ca_cert_path(cert.c_str());
    client->enable_server_certificate_verification(true);
    client->set_read_timeout(60, 0);
    return client;
}

// The program, started with `args`; the first line of its output and its port.
struct Program {
    pid_t pid = -1;
    FILE* out = nullptr;
    int port = 0;
    std::string line;

    bool Start(const std::vector<std::string>& args)
    {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return false;
        pid = ::fork();
        if (pid == 0) {
            ::dup2(pipeFds[1], 1);
            ::dup2(pipeFds[1], 2);
            ::close(pipeFds[0]);
            ::close(pipeFds[1]);
            std::vector<char*> argv = {const_cast<char*>(PROJECT_SERVER_PROGRAM)};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(PROJECT_SERVER_PROGRAM, argv.data());
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        out = ::fdopen(pipeFds[0], "r");
        char buf[1024];
        while (out && std::fgets(buf, sizeof(buf), out)) {
            line += buf;
            const char* at = std::strstr(buf, "listening on 127.0.0.1:");
            if (at) {
                port = std::atoi(at + std::strlen("listening on 127.0.0.1:"));
                if (std::fgets(buf, sizeof(buf), out))
                    line += buf;
                return true;
            }
        }
        return false;
    }
    // The exit status after the end (-1: still running after `waitMs`, then killed).
    int Wait(int waitMs)
    {
        int status = 0;
        for (int i = 0; i < waitMs / 10; ++i) {
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }
    ~Program()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (out)
            std::fclose(out);
    }
};

}  // namespace

TEST(ServerHttps, ServesWithTheCertificateAndNamesHttpsEndpoints)
{
    CServerTempDir dir;
    std::string cert, key;
    ASSERT_TRUE(MakeCertificate(dir, cert, key));
    projectserver::ServerOptions options;
    options.databasePath = dir.File("p.sqlite");
    options.demoData = false;
    options.tlsCertFile = cert;
    options.tlsKeyFile = key;
    projectserver::CProjectServer server(options);
    std::string error;
    ASSERT_TRUE(server.Start(error)) << error;
    const std::string origin = "https://127.0.0.1:" + std::to_string(server.Port());
    EXPECT_EQ(origin + "/site/WebService/OrveskService.WSDL", server.ServiceUrl());

    auto client = Https(server.Port(), cert);
    auto res = client->Get("/site/WebService/OrveskService.WSDL");
    ASSERT_TRUE(res) << static_cast<int>(res.error());
    EXPECT_EQ(200, res->status);
    EXPECT_NE(std::string::npos,
              res->body.find("<soap:address location=\"" + origin + "/site/WebService/OrveskService\"/>"));
    res = client->Post("/site/WebService/Logout", "", "text/plain");
    ASSERT_TRUE(res);
    EXPECT_EQ(204, res->status);
    EXPECT_EQ("PCSESSION=; Path=/; Max-Age=0; Secure", res->get_header_value("Set-Cookie"));

    // Plain HTTP to the HTTPS port gets no answer.
    httplib::Client plain("127.0.0.1", server.Port());
    plain.set_read_timeout(10, 0);
    auto none = plain.Get("/site/WebService/OrveskService.WSDL");
    EXPECT_TRUE(!none || none->status != 200);
    server.Stop();
}

TEST(ServerHttps, FilesThatCannotBeReadAreAClearError)
{
    CServerTempDir dir;
    projectserver::ServerOptions options;
    options.databasePath = dir.File("p.sqlite");
    options.demoData = false;
    options.tlsCertFile = dir.File("none.pem");
    options.tlsKeyFile = dir.File("none.key");
    std::string error;
    EXPECT_FALSE(projectserver::CProjectServer(options).Start(error));
    EXPECT_EQ("cannot read the TLS certificate file " + dir.File("none.pem"), error);
    options.tlsKeyFile.clear();
    EXPECT_FALSE(projectserver::CProjectServer(options).Start(error));
    EXPECT_EQ("HTTPS needs both a TLS certificate file and its key file", error);
    std::ofstream(dir.File("junk.pem")) << "junk";
    options.tlsCertFile = options.tlsKeyFile = dir.File("junk.pem");
    EXPECT_FALSE(projectserver::CProjectServer(options).Start(error));
    EXPECT_EQ("the TLS certificate file " + dir.File("junk.pem") + " is not in PEM form", error);
}

TEST(ServerProgram, StopsOnSigtermWithSlowConnectionsOpenAndServesHttpsByItsFlags)
{
    CServerTempDir dir;
    std::string cert, key;
    ASSERT_TRUE(MakeCertificate(dir, cert, key));
    Program program;
    ASSERT_TRUE(program.Start({"--port", "0", "--database", dir.File("p.sqlite"), "--pdm-store", dir.File("pdm.sqlite"),
                               "--empty", "--tls-cert", cert, "--tls-key", key}))
        << program.line;
    EXPECT_NE(std::string::npos, program.line.find("service description https://127.0.0.1:")) << program.line;
    auto client = Https(program.port, cert);
    auto res = client->Get("/site/WebService/OrveskService.WSDL");
    ASSERT_TRUE(res);
    EXPECT_EQ(200, res->status);

    // 64 connections that never finish their request.
    std::vector<int> slow;
    for (int i = 0; i < 64; ++i) {
        int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<uint16_t>(program.port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(0, ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)));
        ::send(fd, "\x16\x03", 2, MSG_NOSIGNAL);
        slow.push_back(fd);
    }
    ::kill(program.pid, SIGTERM);
    EXPECT_EQ(0, program.Wait(10000));
    for (int fd : slow)
        ::close(fd);

    std::string out;
    FILE* p = ::popen((std::string(PROJECT_SERVER_PROGRAM) + " --port 0 --database " + dir.File("p.sqlite") +
                       " --tls-cert " + dir.File("none.pem") + " --tls-key " + key + " 2>&1")
                          .c_str(),
                      "r");
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof(buf), p)) > 0)
        out.append(buf, n);
    int rc = ::pclose(p);
    EXPECT_EQ(1, WIFEXITED(rc) ? WEXITSTATUS(rc) : -1);
    EXPECT_NE(std::string::npos, out.find("project-server: cannot read the TLS certificate file")) << out;
}
