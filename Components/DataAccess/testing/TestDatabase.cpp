#include "TestDatabase.h"

#include "PgServer.h"

#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace
{
std::string g_strSqlitePath;

// The folder of the test databases, removed with its files when the program ends.
struct CTempFolder
{
    std::string path;
    CTempFolder()
    {
        char dir[] = "/tmp/dbtest-XXXXXX";
        path = mkdtemp(dir) ? dir : "";
    }
    ~CTempFolder()
    {
        if (!path.empty())
            std::system(("rm -rf " + path).c_str());
    }
};

} // namespace

CPgServer* TestPgServer(std::string& strError)
{
    static std::unique_ptr<CPgServer> s_server;
    static std::string s_error;
    static bool s_tried = false;
    if (!s_tried)
    {
        s_tried = true;
        s_server = std::make_unique<CPgServer>();
        if (!s_server->Start(s_error))
            s_server.reset();
    }
    strError = s_error;
    return s_server.get();
}

namespace
{
CPgServer* Server(std::string& strError)
{
    return TestPgServer(strError);
}
} // namespace

std::string FreshPgTables(const char* pszTables, std::string& strError)
{
    CPgServer* pServer = TestPgServer(strError);
    if (!pServer)
        return std::string();
    CSession session;
    CCommand drop;
    if (FAILED(session.OpenOdbc(pServer->ConnectString().c_str())))
        return strError = "cannot connect", std::string();
    if (FAILED(drop.Open(session, (std::string("DROP TABLE IF EXISTS ") + pszTables).c_str())))
        return strError = std::string("cannot drop ") + pszTables, std::string();
    return pServer->ConnectString();
}

bool OpenTestDatabase(const std::string& backend, CSession& session, std::string& strError)
{
    if (backend == "sqlite")
    {
        static int s_nCount = 0;
        static CTempFolder s_folder;
        if (s_folder.path.empty())
            return strError = "no temporary folder", false;
        g_strSqlitePath = s_folder.path + "/tasks" + std::to_string(++s_nCount) + ".db";
        unlink(g_strSqlitePath.c_str());
        if (FAILED(session.OpenSqlite(g_strSqlitePath.c_str())))
            return strError = "cannot open " + g_strSqlitePath, false;
        return true;
    }
    CPgServer* pServer = Server(strError);
    if (!pServer || !pServer->ResetTables(strError))
        return false;
    return OpenSecondSession(backend, session, strError);
}

bool OpenSecondSession(const std::string& backend, CSession& session, std::string& strError)
{
    if (backend == "sqlite")
        return SUCCEEDED(session.OpenSqlite(g_strSqlitePath.c_str())) || (strError = "cannot reopen", false);
    CPgServer* pServer = Server(strError);
    if (!pServer)
        return false;
    if (FAILED(session.OpenOdbc(pServer->ConnectString().c_str())))
        return strError = "cannot connect", false;
    return true;
}

bool Exec(const CSession& session, LPCTSTR pszSql, const std::vector<CDbParam>& params)
{
    CCommand cmd;
    return SUCCEEDED(cmd.Open(session, pszSql, params));
}

long long QueryNumber(const CSession& session, LPCTSTR pszSql, const std::vector<CDbParam>& params)
{
    CCommand cmd;
    if (FAILED(cmd.Open(session, pszSql, params)) || cmd.MoveNext() != S_OK)
        return -1;
    return cmd.GetLong(1);
}
