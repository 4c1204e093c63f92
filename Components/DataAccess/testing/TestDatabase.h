// Fresh task databases for tests on either back end: "sqlite" (a new file in a temporary
// folder) or "odbc" (the tables recreated on a PostgreSQL server started once per program).
#pragma once

#include <DataAccess/DataAccess.h>

#include <string>

// Opens a session on empty task tables; false with a reason when the back end cannot be
// reached (a failure, not a skip).
bool OpenTestDatabase(const std::string& backend, CSession& session, std::string& strError);
// A second session on the database the last OpenTestDatabase call made.
bool OpenSecondSession(const std::string& backend, CSession& session, std::string& strError);
class CPgServer;
// The test run's PostgreSQL server, started once per program on first use (null with a reason
// when it cannot start).
CPgServer* TestPgServer(std::string& strError);
// The connection string of that server after dropping the tables named (a comma-separated
// list, owner-qualified); empty with a reason when it cannot be had.
std::string FreshPgTables(const char* pszTables, std::string& strError);
// Runs a statement; false when it fails.
bool Exec(const CSession& session, LPCTSTR pszSql, const std::vector<CDbParam>& params = {});
// The first column of the first row as a number (-1 without a row).
long long QueryNumber(const CSession& session, LPCTSTR pszSql, const std::vector<CDbParam>& params = {});
