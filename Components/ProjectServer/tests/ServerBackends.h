// The two back ends the server suite runs on: a SQLite file, and PostgreSQL (the test run's
// own server, started once per program as the data-access tests start it) reached by an ODBC
// connection string. A PostgreSQL that cannot start is a failure, not a skip.
#pragma once

#include <DataAccess/DataAccess.h>
#include <PgServer.h>
#include <TestDatabase.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The database text for a fresh server database on the back end ("sqlite": the file given).
inline std::string FreshServerDatabase(const std::string& backend, const std::string& sqliteFile)
{
    if (backend == "sqlite")
        return sqliteFile;
    std::string error;
    const std::string connect = FreshPgTables(
        "dbo.server_meta, dbo.users, dbo.projects, dbo.calendars, dbo.permissions, dbo.counters, dbo.project_heads,"
        " dbo.project_access, dbo.sessions, dbo.login_failures",
        error);
    if (connect.empty()) {
        ADD_FAILURE() << "PostgreSQL does not start: " << error;
        return sqliteFile;
    }
    return connect;
}

// The same for a fresh product-data store: the file given, or the server without the store's
// tables (the store makes them when it is first opened).
inline std::string FreshPdmStoreDatabase(const std::string& backend, const std::string& sqliteFile)
{
    if (backend == "sqlite")
        return sqliteFile;
    std::string error;
    const std::string connect =
        FreshPgTables("dbo.pdm_meta, dbo.node_class, dbo.doc_class, dbo.doc_class_allowed, dbo.node, dbo.document", error);
    if (connect.empty()) {
        ADD_FAILURE() << "PostgreSQL does not start: " << error;
        return sqliteFile;
    }
    return connect;
}

inline std::string BackendName(const ::testing::TestParamInfo<std::string>& info)
{
    return info.param == "sqlite" ? "SQLite" : "PostgreSQL";
}

#define PC_SERVER_BACKENDS ::testing::Values(std::string("sqlite"), std::string("postgresql")), BackendName
