// Helpers of the product-data tests: a temporary folder, a store file in it set as the
// components' store (or served to them by a project server), and a trace catcher.
#pragma once

#include <Pdm/PdmSettings.h>
#include <Pdm/PdmStore.h>
#include <ProjectServer/ProjectServer.h>
#include <ProjectServiceLoopback/LoopbackLogin.h>
#include "ServerBackends.h"

#include <ClassLib/Registry/Registry.h>

#include <ClassLib/Testing/TempFolder.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

class CPdmTempDir : public CTestFolder {
public:
    CPdmTempDir() : CTestFolder("pdmtest") {}
};

inline void WriteFileBytes(const std::string& path, const std::string& bytes) { AfxTestWriteFile(path, bytes); }

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

// The product-data server the connection settings name ("" removes it).
inline void SetPdmServerSetting(const std::string& server)
{
    HKEY key = NULL;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvallo\\Lumo\\MasterClient", 0, NULL,
                                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &key, NULL));
    RegSetValueEx(key, "Server", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()), (DWORD)server.size() + 1);
    RegCloseKey(key);
}

inline void UnsetProxies()
{
    for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
        unsetenv(name);
}

// The store fixture run three ways: the components on the store file ("file"), or on a
// project server on 127.0.0.1 named by the connection settings, serving that file ("server")
// or a store on the test run's PostgreSQL ("postgresql"; m_storePath is then its connection
// string).
class PdmEitherSourceFixture : public PdmStoreFixture, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override
    {
        PdmStoreFixture::SetUp();
        if (GetParam() == "file")
            return;
        if (GetParam() == "postgresql") {
            m_storePath = FreshPdmStoreDatabase("postgresql", m_storePath);
            CPdmStore store;
            ASSERT_TRUE(store.Open(m_storePath, CPdmStore::CreateIfMissing)) << store.LastError();
        }
        UnsetProxies();
        projectserver::ServerOptions options;
        options.databasePath = m_dir.File("projects.sqlite");
        options.pdmStorePath = m_storePath;
        options.demoData = false;
        m_server.reset(new projectserver::CProjectServer(options));
        std::string error;
        ASSERT_TRUE(m_server->Start(error)) << error;
        // The components' requests carry a session, as after the user's login.
        ASSERT_TRUE(m_server->AddUser("pdm", "pdm-session", "pdm"));
        ASSERT_TRUE(LoopbackLogIn(m_server->ServiceUrl(), "pdm", "pdm-session"));
        SetPdmStoreFile(std::string());
        SetPdmServerSetting("127.0.0.1:" + std::to_string(m_server->Port()));
    }
    void TearDown() override
    {
        if (m_server) {
            LoopbackForgetSession(m_server->ServiceUrl());
            m_server->Stop();
            SetPdmServerSetting("");
        }
        PdmStoreFixture::TearDown();
    }
    // Runs a statement on the store's database, bypassing the store.
    void RunOnStore(const char* sql)
    {
        CSession session;
        const HRESULT hr = CSession::IsConnectionString(m_storePath) ? session.OpenOdbc(m_storePath.c_str())
                                                                     : session.OpenSqliteFile(m_storePath.c_str());
        ASSERT_EQ(S_OK, hr);
        CCommand command;
        ASSERT_EQ(S_OK, command.Open(session, sql)) << sql;
    }

    std::unique_ptr<projectserver::CProjectServer> m_server;
};

inline std::string PdmSourceName(const ::testing::TestParamInfo<std::string>& info)
{
    return info.param == "file" ? "StoreFile" : info.param == "server" ? "Server" : "ServerOnPostgreSQL";
}

#define PDM_ALL_SOURCES                                                                              \
    ::testing::Values(std::string("file"), std::string("server"), std::string("postgresql")), PdmSourceName
