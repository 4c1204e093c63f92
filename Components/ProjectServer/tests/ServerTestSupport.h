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

    // POSTs a body to the endpoint with the SOAPAction of the operation.
    httplib::Result Post(const std::string& body, const std::string& operation)
    {
        httplib::Client client("127.0.0.1", m_server->Port());
        client.set_read_timeout(60, 0);
        httplib::Headers headers = {{"SOAPAction", "\"urn:orvesk:project-service/" + operation + "\""}};
        return client.Post(("/" + m_server->Site() + "/WebService/OrveskService").c_str(), headers, body,
                           "text/xml; charset=utf-8");
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
    std::unique_ptr<projectserver::CProjectServer> m_server;
};

// The fixture run once on each back end.
class ServerBackendFixture : public ServerFixture, public ::testing::WithParamInterface<std::string> {
protected:
    ServerBackendFixture() { m_backend = GetParam(); }
};
