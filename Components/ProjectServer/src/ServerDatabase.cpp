// The project server's database through the data-access layer, on SQLite or PostgreSQL.
#include <ProjectServer/ServerDatabase.h>

#include <filesystem>

namespace projectserver {

using namespace dbstore;

namespace {

const char* const kFormat = "project server";
// The layout this code writes: 1 had no header, rights, session or failure rows and kept
// the client's cipher as the password.
const char* const kVersion = "2";

// The tables, in the schema dbo on both back ends (an SQLite file is reached as dbo). Ids
// are 64-bit on both.
const char* const kSqliteTables[] = {
    "CREATE TABLE dbo.server_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE dbo.users(code TEXT PRIMARY KEY, password TEXT NOT NULL, reply TEXT NOT NULL)",
    "CREATE TABLE dbo.projects(id INTEGER PRIMARY KEY, xml TEXT NOT NULL)",
    "CREATE TABLE dbo.calendars(project_id INTEGER PRIMARY KEY, xml TEXT NOT NULL)",
    "CREATE TABLE dbo.permissions(project_id INTEGER PRIMARY KEY, xml TEXT NOT NULL)",
    "CREATE TABLE dbo.counters(kind TEXT PRIMARY KEY, next INTEGER NOT NULL)",
};
const char* const kServerTables[] = {
    "CREATE TABLE dbo.server_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE dbo.users(code TEXT PRIMARY KEY, password TEXT NOT NULL, reply TEXT NOT NULL)",
    "CREATE TABLE dbo.projects(id BIGINT PRIMARY KEY, xml TEXT NOT NULL)",
    "CREATE TABLE dbo.calendars(project_id BIGINT PRIMARY KEY, xml TEXT NOT NULL)",
    "CREATE TABLE dbo.permissions(project_id BIGINT PRIMARY KEY, xml TEXT NOT NULL)",
    "CREATE TABLE dbo.counters(kind TEXT PRIMARY KEY, next BIGINT NOT NULL)",
};
// The tables the second layout added (made by new databases and by the upgrade alike).
const char* const kSqliteAdded[] = {
    "CREATE TABLE IF NOT EXISTS dbo.project_heads(id INTEGER PRIMARY KEY, name TEXT NOT NULL, status INTEGER NOT NULL,"
    " creation_date TEXT NOT NULL, creator TEXT NOT NULL, revision INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS dbo.project_access(project_id INTEGER NOT NULL, user_code TEXT NOT NULL,"
    " open_proj INTEGER NOT NULL, publish_proj INTEGER NOT NULL, delete_proj INTEGER NOT NULL,"
    " modify_progress INTEGER NOT NULL, look_progress INTEGER NOT NULL, forum INTEGER NOT NULL,"
    " PRIMARY KEY(project_id, user_code))",
    "CREATE INDEX IF NOT EXISTS dbo.project_access_user ON project_access(user_code)",
    "CREATE TABLE IF NOT EXISTS dbo.sessions(token TEXT PRIMARY KEY, user_code TEXT NOT NULL,"
    " last_used INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS dbo.login_failures(key TEXT PRIMARY KEY, failures INTEGER NOT NULL,"
    " last_failure INTEGER NOT NULL, blocked_until INTEGER NOT NULL)",
};
const char* const kServerAdded[] = {
    "CREATE TABLE IF NOT EXISTS dbo.project_heads(id BIGINT PRIMARY KEY, name TEXT NOT NULL, status BIGINT NOT NULL,"
    " creation_date TEXT NOT NULL, creator TEXT NOT NULL, revision BIGINT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS dbo.project_access(project_id BIGINT NOT NULL, user_code TEXT NOT NULL,"
    " open_proj BIGINT NOT NULL, publish_proj BIGINT NOT NULL, delete_proj BIGINT NOT NULL,"
    " modify_progress BIGINT NOT NULL, look_progress BIGINT NOT NULL, forum BIGINT NOT NULL,"
    " PRIMARY KEY(project_id, user_code))",
    "CREATE INDEX IF NOT EXISTS project_access_user ON dbo.project_access(user_code)",
    "CREATE TABLE IF NOT EXISTS dbo.sessions(token TEXT PRIMARY KEY, user_code TEXT NOT NULL,"
    " last_used BIGINT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS dbo.login_failures(key TEXT PRIMARY KEY, failures BIGINT NOT NULL,"
    " last_failure BIGINT NOT NULL, blocked_until BIGINT NOT NULL)",
};

}  // namespace

CServerDatabase::CServerDatabase() : CDbStore("project server") {}

CServerDatabase::~CServerDatabase() = default;

bool CServerDatabase::CreateTables()
{
    if (!Begin())
        return false;
    const char* const creating = "cannot create the tables";
    const bool ok =
        (OnServer() ? RunAll(kServerTables, creating) : RunAll(kSqliteTables, creating)) && MakeUpgradeTables() &&
        Run("INSERT INTO dbo.server_meta(key, value) VALUES('format', 'project server'), ('version', ?),"
            " ('resources', '<RESOURCES></RESOURCES>')",
            {Text(kVersion)}, nullptr, creating) &&
        Run("INSERT INTO dbo.counters(kind, next) VALUES('project', 101), ('task', 1001)", {}, nullptr, creating);
    if (!ok) {
        Rollback();
        return false;
    }
    return Commit();
}

bool CServerDatabase::Open(const std::string& pathOrConnection, bool& created)
{
    Close();
    created = false;
    m_error.clear();
    const bool server = IsConnectionString(pathOrConnection);
    const std::string name = server ? std::string("the database server") : pathOrConnection;
    // A kept connection serves when it still reads the database; otherwise a new one decides.
    if (server && TakePooledSession(pathOrConnection)) {
        if (Prepare(name, created)) {
            KeepSession();
            return true;
        }
        DropSession();
        created = false;
        m_error.clear();
    }
    std::string description;
    if (!OpenSession(pathOrConnection, 10000, true, description)) {
        std::error_code ec;
        if (!server && std::filesystem::exists(pathOrConnection, ec))
            m_error = name + " is not a project server database (" + description + ")";
        else
            m_error = "cannot open " + name + ": " + description;
        return false;
    }
    if (!Prepare(name, created)) {
        CloseKeepingError();
        return false;
    }
    KeepSession();
    return true;
}

bool CServerDatabase::Prepare(const std::string& name, bool& created)
{
    if (!MakeSchemaDbo())
        return false;
    bool exists = false;
    if (!TableExists("server_meta", exists))
        return Fail(name + " is not a project server database (" + m_error + ")");
    if (!exists) {
        // A file must be empty to become this server's database.
        bool empty = false;
        if (!OnServer() && (!FileIsEmpty(empty) || !empty))
            return Fail(name + " is not a project server database");
        if (!CreateTables())
            return Fail("cannot create the database " + name + ": " + m_error);
        created = true;
    } else {
        std::string format;
        bool found = false;
        if (!ReadMeta("server_meta", "format", format, found) || format != kFormat)
            return Fail(name + " is not a project server database");
    }
    // WAL with NORMAL syncing: a killed process loses no committed operation.
    return OnServer() || Run("PRAGMA dbo.synchronous = NORMAL", {}, nullptr, "cannot set up the database");
}

bool CServerDatabase::NeedsUpgrade(bool& needed)
{
    std::string version;
    bool found = false;
    if (!ReadMeta("server_meta", "version", version, found))
        return false;
    needed = !found || version != kVersion;
    return true;
}

bool CServerDatabase::LockForUpgrade(bool& needed)
{
    // SQLite's writers already hold the file's one write lock; on a database server the
    // other servers wait here until the upgrade is committed, then find it done.
    if (OnServer() && !Run("LOCK TABLE dbo.server_meta IN EXCLUSIVE MODE", {}, nullptr, "cannot lock the database"))
        return false;
    return NeedsUpgrade(needed);
}

bool CServerDatabase::MakeUpgradeTables()
{
    for (const char* sql : OnServer() ? kServerAdded : kSqliteAdded)
        if (!Run(sql, {}, nullptr, "cannot create the tables"))
            return false;
    return true;
}

bool CServerDatabase::FinishUpgrade()
{
    return Run("INSERT INTO dbo.server_meta(key, value) VALUES('version', ?) ON CONFLICT(key) DO UPDATE SET"
               " value = excluded.value",
               {Text(kVersion)}, nullptr, "cannot upgrade the database");
}

bool CServerDatabase::PutText(const char* table, const char* key, long id, const std::string& xml)
{
    const std::string sql = std::string("INSERT INTO dbo.") + table + "(" + key + ", xml) VALUES(?, ?) ON CONFLICT(" +
                            key + ") DO UPDATE SET xml = excluded.xml";
    return Run(sql.c_str(), {Number(id), Text(xml)}, nullptr, std::string("cannot write ") + table);
}

bool CServerDatabase::GetText(const char* table, const char* key, long id, std::string& xml, bool& found)
{
    const std::string sql = std::string("SELECT xml FROM dbo.") + table + " WHERE " + key + " = ?";
    // Moved out of the command's row: a project's text is large, and each copy of it costs
    // as much as reading it.
    CCommand command;
    if (!OpenCommand(command, sql.c_str(), {Number(id)}, std::string("cannot read ") + table))
        return false;
    found = command.MoveNext() == S_OK;
    xml = found ? AsText(command.TakeValue(1)) : std::string();
    return true;
}

bool CServerDatabase::PutCalendar(long id, const std::string& xml)
{
    return PutText("calendars", "project_id", id, xml);
}

bool CServerDatabase::GetCalendar(long id, std::string& xml, bool& found)
{
    return GetText("calendars", "project_id", id, xml, found);
}

bool CServerDatabase::PutPermissions(long id, const std::string& xml)
{
    return PutText("permissions", "project_id", id, xml);
}

bool CServerDatabase::GetPermissions(long id, std::string& xml, bool& found)
{
    return GetText("permissions", "project_id", id, xml, found);
}

bool CServerDatabase::PutResources(const std::string& xml)
{
    return Run("INSERT INTO dbo.server_meta(key, value) VALUES('resources', ?) ON CONFLICT(key) DO UPDATE SET"
               " value = excluded.value",
               {Text(xml)}, nullptr, "cannot write the resources");
}

bool CServerDatabase::GetResources(std::string& xml)
{
    Rows rows;
    if (!Run("SELECT value FROM dbo.server_meta WHERE key = 'resources'", {}, &rows, "cannot read the resources"))
        return false;
    xml = rows.values.empty() ? std::string("<RESOURCES></RESOURCES>") : AsText(std::move(rows.values[0][0]));
    return true;
}

bool CServerDatabase::TakeIds(const char* kind, long count, long& first)
{
    // Counted up in one statement, so that two servers on one database never share an id.
    // Ids stay within 32 bits: the client keeps them in ints.
    Rows rows;
    if (count < 1 || !Run("UPDATE dbo.counters SET next = next + ? WHERE kind = ? AND next <= ? RETURNING next - ?",
                          {Number(count), Text(kind), Number(2147483648LL - count), Number(count)}, &rows,
                          "cannot count the ids"))
        return false;
    if (rows.values.empty()) {
        m_error = std::string("the ") + kind + " ids are used up";
        return false;
    }
    first = static_cast<long>(AsNumber(rows.values[0][0]));
    return true;
}

bool CServerDatabase::TakeId(const char* kind, long& id)
{
    if (m_taskIds && std::string(kind) == "task")
        return m_taskIds(id, m_error);
    return TakeIds(kind, 1, id);
}

bool CServerDatabase::SetNextId(const char* kind, long id)
{
    return Run("INSERT INTO dbo.counters(kind, next) VALUES(?, ?) ON CONFLICT(kind) DO UPDATE SET next = excluded.next",
               {Text(kind), Number(id)}, nullptr, "cannot write the id counters");
}

}  // namespace projectserver
