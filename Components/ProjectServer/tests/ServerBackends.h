// The two back ends the server suite runs on: a SQLite file, and PostgreSQL (the test run's
// own server, started once per program as the data-access tests start it) reached by an ODBC
// connection string. A PostgreSQL that cannot start is a failure, not a skip.
#pragma once

#include <DataAccess/DataAccess.h>
#include <PgServer.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The database text for a fresh server database on the back end ("sqlite": the file given).
inline std::string FreshServerDatabase(const std::string& backend, const std::string& sqliteFile)
{
    if (backend == "sqlite")
        return sqliteFile;
    static std::unique_ptr<CPgServer> s_server;
    static std::string s_error;
    static bool s_tried = false;
    if (!s_tried) {
        s_tried = true;
        s_server.reset(new CPgServer);
        if (!s_server->Start(s_error))
            s_server.reset();
    }
    if (!s_server) {
        ADD_FAILURE() << "PostgreSQL does not start: " << s_error;
        return sqliteFile;
    }
    CSession session;
    CCommand drop;
    EXPECT_EQ(S_OK, session.OpenOdbc(s_server->ConnectString().c_str()));
    EXPECT_EQ(S_OK, drop.Open(session, "DROP TABLE IF EXISTS dbo.server_meta, dbo.users, dbo.projects, dbo.calendars,"
                                       " dbo.permissions, dbo.counters"));
    return s_server->ConnectString();
}

inline std::string BackendName(const ::testing::TestParamInfo<std::string>& info)
{
    return info.param == "sqlite" ? "SQLite" : "PostgreSQL";
}

#define PC_SERVER_BACKENDS ::testing::Values(std::string("sqlite"), std::string("postgresql")), BackendName
