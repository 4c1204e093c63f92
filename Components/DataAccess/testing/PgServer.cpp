#include "PgServer.h"

#include <DataAccess/DataAccess.h>

#include <arpa/inet.h>
#include <glob.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace
{
int FreePort()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    int port = 0;
    if (bind(fd, (sockaddr*)&addr, sizeof addr) == 0 && getsockname(fd, (sockaddr*)&addr, &len) == 0)
        port = ntohs(addr.sin_port);
    close(fd);
    return port;
}

std::string FindBin()
{
    glob_t g{};
    std::string found;
    if (glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &g) == 0 && g.gl_pathc > 0)
    {
        found = g.gl_pathv[g.gl_pathc - 1];
        found.resize(found.size() - std::string("/initdb").size());
    }
    globfree(&g);
    return found;
}

const char* const kTables[] = {
    "DROP SCHEMA IF EXISTS dbo CASCADE",
    "CREATE SCHEMA dbo",
    "CREATE TABLE dbo.TLM_RESOURCES(RES_ID SERIAL PRIMARY KEY, RES_NAME VARCHAR(255), RES_TYPE INTEGER)",
    "CREATE TABLE dbo.TLM_TASKS(PROJ_ID INTEGER, TASK_ID SERIAL PRIMARY KEY, TASK_NAME VARCHAR(255),"
    " TASK_DESC VARCHAR(2000), TASK_START_DATE TIMESTAMP, TASK_FINISH_DATE TIMESTAMP, TASK_DEADLINE TIMESTAMP,"
    " TASK_DURATION INTEGER, TASK_DUR_IS_EST SMALLINT, TASK_ACT_DURATION INTEGER, TASK_PRIORITY SMALLINT,"
    " TASK_STATUS SMALLINT, TASK_PROGRESS SMALLINT, TASK_ASSIGNER_ID INTEGER, TASK_PARENT_ID INTEGER,"
    " TASK_IS_MILESTONGE SMALLINT, TASK_IS_SUBPROJ SMALLINT, TASK_SUBPROJ_ID INTEGER,"
    " TASK_HAS_CHILDREN SMALLINT, TASK_ROWINGRID INTEGER)",
    "CREATE TABLE dbo.TLM_ASSIGNMENTS(TASK_ID INTEGER, RES_ID INTEGER)",
    "CREATE TABLE dbo.TLM_LINKS(LINK_PRED_ID INTEGER, LINK_SUCC_ID INTEGER, LINK_TYPE INTEGER,"
    " LINK_LOGICAL_TYPE INTEGER, LINK_SEQUENCE INTEGER)",
    "CREATE TABLE dbo.TLM_DOCUMENTS(TASK_ID INTEGER, DOC_NAME VARCHAR(255), DOC_SOURCE INTEGER,"
    " DOC_TYPE INTEGER, DOC_LOCATION VARCHAR(1000), DOC_PDM_CLASSID INTEGER, DOC_PDM_OBJECTID INTEGER)",
};
} // namespace

bool CPgServer::Run(const std::string& command, std::string& strError) const
{
    std::string full = command;
    if (geteuid() == 0)
        full = "runuser -u nobody -- " + command;
    full += " >>" + m_strDir + "/commands.log 2>&1";
    if (std::system(full.c_str()) != 0)
    {
        std::ifstream log(m_strDir + "/commands.log");
        std::stringstream ss;
        ss << log.rdbuf();
        strError = "failed: " + command + "\n" + ss.str();
        return false;
    }
    return true;
}

bool CPgServer::Start(std::string& strError)
{
    m_strBin = FindBin();
    if (m_strBin.empty())
        return strError = "no PostgreSQL server programs under /usr/lib/postgresql", false;
    char tmpl[] = "/tmp/pgtest-XXXXXX";
    if (!mkdtemp(tmpl))
        return strError = "no temporary folder", false;
    m_strDir = tmpl;
    // The server's user owns the folder (and only it may enter the data folder).
    if (geteuid() == 0 && std::system(("chown nobody: " + m_strDir).c_str()) != 0)
        return strError = "cannot hand the folder to nobody", false;
    // A driver list of the test's own, with the driver's logging off (the system list may
    // switch it on, which leaves log files behind).
    {
        std::ofstream ini(m_strDir + "/odbcinst.ini");
        ini << "[PgTest]\nDriver=psqlodbca.so\nCommLog=0\nDebug=0\n";
    }
    setenv("ODBCSYSINI", m_strDir.c_str(), 1);
    if (!Run(m_strBin + "/initdb -D " + m_strDir + "/data -U postgres -A trust -E UTF8 --locale=C", strError))
        return false;
    // The free port is only free when asked: another test process may bind it before the
    // server does, so a start that fails is tried again on a new port.
    for (int attempt = 0; attempt < 5 && !m_bRunning; ++attempt)
    {
        m_nPort = FreePort();
        m_bRunning = Run(m_strBin + "/pg_ctl -D " + m_strDir + "/data -l " + m_strDir + "/server.log -w -o \"-p " +
                             std::to_string(m_nPort) + " -h 127.0.0.1 -k " + m_strDir + "\" start",
                         strError);
    }
    if (!m_bRunning)
        return false;
    return ResetTables(strError);
}

std::string CPgServer::ConnectString() const
{
    return "Driver={PgTest};Server=127.0.0.1;Port=" + std::to_string(m_nPort) +
           ";Database=postgres;Uid=postgres;Pwd=;UseServerSidePrepare=0;"
           "CommLog=0;Debug=0;BoolsAsChar=0;ConnSettings=SET search_path TO dbo;";
}

bool CPgServer::ResetTables(std::string& strError)
{
    CSession session;
    if (FAILED(session.OpenOdbc(ConnectString().c_str())))
    {
        std::vector<CDbErrorRecord> records;
        session.GetErrorRecords(IID_ICommand, records);
        strError = "cannot connect:";
        for (auto& r : records)
            strError += std::string(" ") + (LPCTSTR)r.strDescription;
        return false;
    }
    for (const char* sql : kTables)
    {
        CCommand cmd;
        if (FAILED(cmd.Open(session, sql)))
        {
            std::vector<CDbErrorRecord> records;
            cmd.GetErrorRecords(IID_ICommand, records);
            strError = std::string("cannot run ") + sql;
            for (auto& r : records)
                strError += std::string(": ") + (LPCTSTR)r.strDescription;
            return false;
        }
    }
    return true;
}

CPgServer::~CPgServer()
{
    if (m_bRunning)
    {
        std::string ignored;
        Run(m_strBin + "/pg_ctl -D " + m_strDir + "/data -m immediate -w stop", ignored);
    }
    if (!m_strDir.empty() && m_strDir.rfind("/tmp/pgtest-", 0) == 0)
        std::system(("rm -rf " + m_strDir).c_str());
}
