// A PostgreSQL server for tests: a new cluster in a temporary folder, run by an unprivileged
// user (nobody when the tests run as root), listening on 127.0.0.1 at a free port, with the
// dbo schema and the five task tables. Stopped and removed on destruction.
#pragma once

#include <string>

class CPgServer
{
public:
    CPgServer() = default;
    ~CPgServer();
    CPgServer(const CPgServer&) = delete;
    CPgServer& operator=(const CPgServer&) = delete;

    // Starts the server; false with a reason when it cannot.
    bool Start(std::string& strError);
    // The ODBC connection string of the database.
    std::string ConnectString() const;
    // Drops and recreates the task tables (empty).
    bool ResetTables(std::string& strError);

private:
    bool Run(const std::string& command, std::string& strError) const;
    std::string m_strDir;
    std::string m_strBin;
    int m_nPort = 0;
    bool m_bRunning = false;
};
