// The project server's SQLite database.
#include <ProjectServer/ServerDatabase.h>

#include <sqlite3.h>

namespace projectserver {

namespace {

const char* const kFormat = "project server";

class CStatement {
public:
    CStatement(sqlite3* db, const char* sql) { m_ok = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) == SQLITE_OK; }
    ~CStatement() { sqlite3_finalize(m_stmt); }
    bool Ok() const { return m_ok; }
    void Bind(int i, long v) { sqlite3_bind_int64(m_stmt, i, v); }
    void Bind(int i, const std::string& s)
    {
        sqlite3_bind_text(m_stmt, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    }
    int Step() { return m_ok ? sqlite3_step(m_stmt) : SQLITE_ERROR; }
    long Int(int c) { return static_cast<long>(sqlite3_column_int64(m_stmt, c)); }
    std::string Text(int c)
    {
        const unsigned char* p = sqlite3_column_text(m_stmt, c);
        return p ? std::string(reinterpret_cast<const char*>(p), sqlite3_column_bytes(m_stmt, c)) : std::string();
    }

private:
    sqlite3_stmt* m_stmt = nullptr;
    bool m_ok = false;
};

}  // namespace

CServerDatabase::~CServerDatabase()
{
    Close();
}

void CServerDatabase::Close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool CServerDatabase::Fail(const std::string& what)
{
    m_error = what;
    if (m_db) {
        m_error += std::string(": ") + sqlite3_errmsg(m_db);
    }
    return false;
}

bool CServerDatabase::Exec(const char* sql)
{
    char* msg = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &msg) != SQLITE_OK) {
        m_error = msg ? msg : "database error";
        sqlite3_free(msg);
        return false;
    }
    return true;
}

bool CServerDatabase::Open(const std::string& path, bool& created)
{
    Close();
    created = false;
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        Fail("cannot open the database " + path);
        Close();
        return false;
    }
    sqlite3_busy_timeout(m_db, 10000);
    long tables = -1;
    {
        CStatement count(m_db, "SELECT count(*) FROM sqlite_master");
        if (count.Step() == SQLITE_ROW)
            tables = count.Int(0);
    }
    if (tables < 0) {
        m_error = path + " is not a project server database";
        Close();
        return false;
    }
    if (tables == 0) {
        const char* schema =
            "PRAGMA journal_mode=WAL;"
            "BEGIN IMMEDIATE;"
            "CREATE TABLE server_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);"
            "CREATE TABLE users(code TEXT PRIMARY KEY, password TEXT NOT NULL, reply TEXT NOT NULL);"
            "CREATE TABLE projects(id INTEGER PRIMARY KEY, xml TEXT NOT NULL);"
            "CREATE TABLE calendars(project_id INTEGER PRIMARY KEY, xml TEXT NOT NULL);"
            "CREATE TABLE permissions(project_id INTEGER PRIMARY KEY, xml TEXT NOT NULL);"
            "CREATE TABLE counters(kind TEXT PRIMARY KEY, next INTEGER NOT NULL);"
            "INSERT INTO server_meta VALUES('format', 'project server'), ('version', '1'),"
            " ('resources', '<RESOURCES></RESOURCES>');"
            "INSERT INTO counters VALUES('project', 101), ('task', 1001);"
            "COMMIT;";
        if (!Exec(schema)) {
            std::string e = "cannot create the database " + path + ": " + m_error;
            sqlite3_exec(m_db, "ROLLBACK;", nullptr, nullptr, nullptr);
            Close();
            m_error = e;
            return false;
        }
        created = true;
    } else {
        bool ours = false;
        {
            CStatement meta(m_db, "SELECT value FROM server_meta WHERE key = 'format'");
            ours = meta.Step() == SQLITE_ROW && meta.Text(0) == kFormat;
        }
        if (!ours) {
            m_error = path + " is not a project server database";
            Close();
            return false;
        }
    }
    // WAL with NORMAL syncing: a killed process loses no committed operation.
    if (!Exec("PRAGMA synchronous=NORMAL;")) {
        Close();
        return false;
    }
    return true;
}

bool CServerDatabase::Begin()
{
    return Exec("BEGIN IMMEDIATE;");
}

bool CServerDatabase::Commit()
{
    if (Exec("COMMIT;"))
        return true;
    std::string e = m_error;
    sqlite3_exec(m_db, "ROLLBACK;", nullptr, nullptr, nullptr);
    m_error = e;
    return false;
}

void CServerDatabase::Rollback()
{
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK;", nullptr, nullptr, nullptr);
}

bool CServerDatabase::PutUser(const std::string& code, const User& user)
{
    CStatement q(m_db, "INSERT OR REPLACE INTO users(code, password, reply) VALUES(?1, ?2, ?3)");
    q.Bind(1, code);
    q.Bind(2, user.password);
    q.Bind(3, user.reply);
    return q.Step() == SQLITE_DONE || Fail("cannot store the user");
}

bool CServerDatabase::GetUser(const std::string& code, User& user, bool& found)
{
    CStatement q(m_db, "SELECT password, reply FROM users WHERE code = ?1");
    q.Bind(1, code);
    int rc = q.Step();
    found = rc == SQLITE_ROW;
    if (found) {
        user.password = q.Text(0);
        user.reply = q.Text(1);
    }
    return rc == SQLITE_ROW || rc == SQLITE_DONE || Fail("cannot read the users");
}

bool CServerDatabase::PutText(const char* table, long id, const std::string& xml)
{
    std::string sql = std::string("INSERT OR REPLACE INTO ") + table + " VALUES(?1, ?2)";
    CStatement q(m_db, sql.c_str());
    q.Bind(1, id);
    q.Bind(2, xml);
    return q.Step() == SQLITE_DONE || Fail(std::string("cannot write ") + table);
}

bool CServerDatabase::GetText(const char* table, long id, std::string& xml, bool& found)
{
    std::string sql = std::string("SELECT xml FROM ") + table + (std::string(table) == "projects" ? " WHERE id = ?1"
                                                                                                  : " WHERE project_id = ?1");
    CStatement q(m_db, sql.c_str());
    q.Bind(1, id);
    int rc = q.Step();
    found = rc == SQLITE_ROW;
    xml = found ? q.Text(0) : std::string();
    return rc == SQLITE_ROW || rc == SQLITE_DONE || Fail(std::string("cannot read ") + table);
}

bool CServerDatabase::PutProject(long id, const std::string& xml)
{
    return PutText("projects", id, xml);
}

bool CServerDatabase::GetProject(long id, std::string& xml, bool& found)
{
    return GetText("projects", id, xml, found);
}

bool CServerDatabase::DeleteProject(long id, bool& found)
{
    found = false;
    CStatement q(m_db, "DELETE FROM projects WHERE id = ?1");
    q.Bind(1, id);
    if (q.Step() != SQLITE_DONE)
        return Fail("cannot delete the project");
    found = sqlite3_changes(m_db) > 0;
    CStatement c(m_db, "DELETE FROM calendars WHERE project_id = ?1");
    c.Bind(1, id);
    CStatement p(m_db, "DELETE FROM permissions WHERE project_id = ?1");
    p.Bind(1, id);
    return (c.Step() == SQLITE_DONE && p.Step() == SQLITE_DONE) || Fail("cannot delete the project");
}

bool CServerDatabase::ProjectIds(std::vector<long>& ids)
{
    ids.clear();
    CStatement q(m_db, "SELECT id FROM projects ORDER BY id");
    int rc;
    while ((rc = q.Step()) == SQLITE_ROW)
        ids.push_back(q.Int(0));
    return rc == SQLITE_DONE || Fail("cannot read the projects");
}

bool CServerDatabase::CountProjects(long& count)
{
    CStatement q(m_db, "SELECT count(*) FROM projects");
    if (q.Step() != SQLITE_ROW)
        return Fail("cannot read the projects");
    count = q.Int(0);
    return true;
}

bool CServerDatabase::PutCalendar(long id, const std::string& xml)
{
    return PutText("calendars", id, xml);
}

bool CServerDatabase::GetCalendar(long id, std::string& xml, bool& found)
{
    return GetText("calendars", id, xml, found);
}

bool CServerDatabase::PutPermissions(long id, const std::string& xml)
{
    return PutText("permissions", id, xml);
}

bool CServerDatabase::GetPermissions(long id, std::string& xml, bool& found)
{
    return GetText("permissions", id, xml, found);
}

bool CServerDatabase::PutResources(const std::string& xml)
{
    CStatement q(m_db, "INSERT OR REPLACE INTO server_meta VALUES('resources', ?1)");
    q.Bind(1, xml);
    return q.Step() == SQLITE_DONE || Fail("cannot write the resources");
}

bool CServerDatabase::GetResources(std::string& xml)
{
    CStatement q(m_db, "SELECT value FROM server_meta WHERE key = 'resources'");
    int rc = q.Step();
    xml = rc == SQLITE_ROW ? q.Text(0) : std::string("<RESOURCES></RESOURCES>");
    return rc == SQLITE_ROW || rc == SQLITE_DONE || Fail("cannot read the resources");
}

bool CServerDatabase::TakeId(const char* kind, long& id)
{
    CStatement q(m_db, "SELECT next FROM counters WHERE kind = ?1");
    q.Bind(1, std::string(kind));
    if (q.Step() != SQLITE_ROW)
        return Fail("cannot read the id counters");
    id = q.Int(0);
    if (id >= 2147483647L)
        return Fail(std::string("the ") + kind + " ids are used up");
    return SetNextId(kind, id + 1);
}

bool CServerDatabase::SetNextId(const char* kind, long id)
{
    CStatement q(m_db, "INSERT OR REPLACE INTO counters(kind, next) VALUES(?1, ?2)");
    q.Bind(1, std::string(kind));
    q.Bind(2, id);
    return q.Step() == SQLITE_DONE || Fail("cannot write the id counters");
}

}  // namespace projectserver
