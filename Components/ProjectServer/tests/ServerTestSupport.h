// Helpers of the project server's tests: a temporary folder, an in-process server on it,
// raw HTTP exchanges and SOAP clients.
#pragma once

#include <ProjectServer/ProjectServer.h>
#include "ServerBackends.h"
#include <ProjectService/SoapProjectService.h>

#include <ClassLib/Core/Conversion.h>

#include <ClassLib/Testing/TempFolder.h>
#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CServerTempDir : public CTestFolder {
public:
    CServerTempDir() : CTestFolder("serverTest") {}
};

inline CString Gbk(const char* utf8)
{
    return CStringFromUtf8(utf8);
}

// A server in this process on a fresh database (no demo data unless asked), on the back
// end m_backend names ("sqlite" or "postgresql", ServerBackends.h).
class ServerFixture : public ::testing::Test {
protected:
    void StartServer(bool demo = false, size_t maxBody = 1024 * 1024)
    {
        projectserver::ServerOptions options;
        options.databasePath = FreshServerDatabase(m_backend, m_dir.File("projects.sqlite"));
        options.pdmStorePath = m_pdmStore;
        options.demoData = demo;
        options.maxBodyBytes = maxBody;
        m_server.reset(new projectserver::CProjectServer(options));
        std::string error;
        ASSERT_TRUE(m_server->Start(error)) << error;
    }
    void TearDown() override
    {
        if (m_server)
            m_server->Stop();
    }

    // POSTs a body to the endpoint with the SOAPAction of the operation, the session cookie
    // of LogIn when there is one, and If-Match when a revision is given.
    httplib::Result Post(const std::string& body, const std::string& operation, const std::string& ifMatch = "")
    {
        httplib::Client client("127.0.0.1", m_server->Port());
        client.set_read_timeout(60, 0);
        httplib::Headers headers = {{"SOAPAction", "\"urn:orvesk:project-service/" + operation + "\""}};
        if (!m_session.empty())
            headers.emplace("Cookie", "PCSESSION=" + m_session);
        if (!ifMatch.empty())
            headers.emplace("If-Match", "\"" + ifMatch + "\"");
        return client.Post(("/" + m_server->Site() + "/WebService/OrveskService").c_str(), headers, body,
                           "text/xml; charset=utf-8");
    }

    // Adds the user and logs in through the service's Login; later Posts carry its session.
    void LogIn(const std::string& user = "tester")
    {
        ASSERT_TRUE(m_server->AddUser(user, "pw", "ok"));
        m_session.clear();
        auto res = Post("<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/"
                        "soap/envelope/\"><soap:Body><Login xmlns=\"urn:orvesk:project-service\"><userCode>" +
                            user + "</userCode><password>pw</password></Login></soap:Body></soap:Envelope>",
                        "Login");
        ASSERT_TRUE(res);
        const std::string cookie = res->get_header_value("Set-Cookie");
        ASSERT_EQ(0u, cookie.find("PCSESSION=")) << cookie;
        m_session = cookie.substr(10, cookie.find(';') - 10);
    }
    // Every right on the project for the user.
    void GrantAll(long projectId, const std::string& user = "tester")
    {
        ASSERT_TRUE(m_server->SetPermissions(projectId, "<PERMISSIONS><PERMISSION><RESCODE>" + user +
                                                            "</RESCODE><OPENPROJ>1</OPENPROJ><PUBLISHPROJ>1</PUBLISHPROJ>"
                                                            "<DELETEPROJ>1</DELETEPROJ><MODIFYPROGRESS>1</MODIFYPROGRESS>"
                                                            "<LOOKPROGRESS>1</LOOKPROGRESS><FORUM>1</FORUM></PERMISSION>"
                                                            "</PERMISSIONS>"));
    }

    CProjectServicePtr Client()
    {
        CSoapProjectService* c = new CSoapProjectService;
        c->SetTimeouts(2000, 20000);
        c->SetServiceUrl(CString(m_server->ServiceUrl().c_str()));
        return CProjectServicePtr(c);
    }

    CServerTempDir m_dir;
    std::string m_backend = "sqlite";
    std::string m_pdmStore;
    std::string m_session;
    std::unique_ptr<projectserver::CProjectServer> m_server;
};

// The fixture run once on each back end.
class ServerBackendFixture : public ServerFixture, public ::testing::WithParamInterface<std::string> {
protected:
    ServerBackendFixture() { m_backend = GetParam(); }
};
