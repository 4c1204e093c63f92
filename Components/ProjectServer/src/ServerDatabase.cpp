// The project server's database through the data-access layer, on SQLite or PostgreSQL.
#include <ProjectServer/ServerDatabase.h>

#include <DataAccess/DataAccess.h>

#include <cstdlib>
#include <filesystem>

namespace projectserver {

namespace {

const char* const kFormat = "project server";

// The tables, in the schema dbo on both back ends (an SQLite file is reached as dbo).
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

CDbParam Text(const std::string& utf8)
{
    return CDbParam::Utf8(utf8);
}

CDbParam Number(long n)
{
    return CDbParam(static_cast<long long>(n));
}

// A value as a number (the ODBC back end hands every value over as text).
long long AsNumber(const CDbValue& v)
{
    if (auto p = std::get_if<long long>(&v))
        return *p;
    if (auto d = std::get_if<double>(&v))
        return static_cast<long long>(*d);
    if (auto s = std::get_if<std::string>(&v))
        return std::atoll(s->c_str());
    return 0;
}

std::string AsText(CDbValue&& v)
{
    if (auto s = std::get_if<std::string>(&v))
        return std::move(*s);
    if (auto p = std::get_if<long long>(&v))
        return std::to_string(*p);
    return std::string();
}

std::string AsText(const CDbValue& v)
{
    return AsText(CDbValue(v));
}

// The error records of a failed call, joined.
std::string Describe(const CDbErrorInfo& source)
{
    std::vector<CDbErrorRecord> records;
    source.GetErrorRecords(IID_ICommand, records);
    std::string text;
    for (const CDbErrorRecord& r : records) {
        std::string d = (LPCTSTR)r.strDescription;
        while (!d.empty() && (d.back() == '\n' || d.back() == ' '))
            d.pop_back();
        text += (text.empty() ? "" : "; ") + d;
    }
    return text.empty() ? std::string("database error") : text;
}

}  // namespace

struct CServerDatabase::Rows {
    std::vector<std::vector<CDbValue>> values;
    long long changed = 0;
};

CServerDatabase::CServerDatabase() = default;

CServerDatabase::~CServerDatabase()
{
    Close();
}

void CServerDatabase::Close()
{
    if (m_session && m_bInTransaction)
        m_session->Abort();
    m_bInTransaction = false;
    m_session.reset();
}

bool CServerDatabase::IsConnectionString(const std::string& text)
{
    return CSession::IsConnectionString(text);
}

bool CServerDatabase::OpenCommand(CCommand& command, const char* sql, const std::vector<CDbParam>& params,
                                  const std::string& what)
{
    if (!m_session) {
        m_error = what + ": the database is not open";
        return false;
    }
    if (FAILED(command.Open(*m_session, sql, params))) {
        m_error = what + ": " + Describe(command);
        return false;
    }
    return true;
}

bool CServerDatabase::Run(const char* sql, const std::vector<CDbParam>& params, Rows* rows, const std::string& what)
{
    CCommand command;
    if (!OpenCommand(command, sql, params, what))
        return false;
    if (rows) {
        rows->values.clear();
        rows->changed = command.GetRowsAffected();
        while (command.MoveNext() == S_OK) {
            std::vector<CDbValue> row;
            for (int c = 1; c <= command.GetColumnCount(); ++c)
                row.push_back(command.TakeValue(c));
            rows->values.push_back(std::move(row));
        }
    }
    return true;
}

bool CServerDatabase::TableExists(const char* table, bool& exists)
{
    Rows rows;
    bool ok = m_bOdbc ? Run("SELECT count(*) FROM information_schema.tables WHERE table_schema = 'dbo'"
                            " AND table_name = ?",
                            {Text(table)}, &rows, "cannot read the database's tables")
                      : Run("SELECT count(*) FROM dbo.sqlite_master WHERE type = 'table' AND name = ?", {Text(table)},
                            &rows, "cannot read the database's tables");
    exists = ok && !rows.values.empty() && AsNumber(rows.values[0][0]) > 0;
    return ok;
}

bool CServerDatabase::CreateTables()
{
    if (!Begin())
        return false;
    bool ok = true;
    for (const char* sql : m_bOdbc ? kServerTables : kSqliteTables)
        ok = ok && Run(sql, {}, nullptr, "cannot create the tables");
    ok = ok &&
         Run("INSERT INTO dbo.server_meta(key, value) VALUES('format', 'project server'), ('version', '1'),"
             " ('resources', '<RESOURCES></RESOURCES>')",
             {}, nullptr, "cannot create the tables") &&
         Run("INSERT INTO dbo.counters(kind, next) VALUES('project', 101), ('task', 1001)", {}, nullptr,
             "cannot create the tables");
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
    m_bOdbc = IsConnectionString(pathOrConnection);
    m_session.reset(new CSession);
    HRESULT hr = m_bOdbc ? m_session->OpenOdbc(pathOrConnection.c_str())
                         : m_session->OpenSqliteFile(pathOrConnection.c_str());
    const std::string name = m_bOdbc ? std::string("the database server") : pathOrConnection;
    if (FAILED(hr)) {
        std::error_code ec;
        if (!m_bOdbc && std::filesystem::exists(pathOrConnection, ec))
            m_error = name + " is not a project server database (" + Describe(*m_session) + ")";
        else
            m_error = "cannot open " + name + ": " + Describe(*m_session);
        m_session.reset();
        return false;
    }
    if (m_bOdbc && !Run("CREATE SCHEMA IF NOT EXISTS dbo", {}, nullptr, "cannot make the schema dbo")) {
        Close();
        return false;
    }
    bool exists = false;
    if (!TableExists("server_meta", exists)) {
        m_error = name + " is not a project server database (" + m_error + ")";
        Close();
        return false;
    }
    if (!exists) {
        // A file must be empty to become this server's database.
        Rows rows;
        if (!m_bOdbc && (!Run("SELECT count(*) FROM dbo.sqlite_master", {}, &rows, "cannot read the database") ||
                         rows.values.empty() || AsNumber(rows.values[0][0]) != 0)) {
            m_error = name + " is not a project server database";
            Close();
            return false;
        }
        if (!CreateTables()) {
            m_error = "cannot create the database " + name + ": " + m_error;
            Close();
            return false;
        }
        created = true;
    } else {
        Rows rows;
        if (!Run("SELECT value FROM dbo.server_meta WHERE key = 'format'", {}, &rows, "cannot read the database") ||
            rows.values.empty() || AsText(rows.values[0][0]) != kFormat) {
            m_error = name + " is not a project server database";
            Close();
            return false;
        }
    }
    // WAL with NORMAL syncing: a killed process loses no committed operation.
    if (!m_bOdbc && !Run("PRAGMA dbo.synchronous = NORMAL", {}, nullptr, "cannot set up the database")) {
        Close();
        return false;
    }
    return true;
}

bool CServerDatabase::Begin()
{
    if (!m_session) {
        m_error = "the database is not open";
        return false;
    }
    if (FAILED(m_session->StartTransaction())) {
        m_error = "cannot begin a transaction: " + Describe(*m_session);
        return false;
    }
    m_bInTransaction = true;
    return true;
}

bool CServerDatabase::Commit()
{
    if (!m_session || !m_bInTransaction) {
        m_error = "no transaction to commit";
        return false;
    }
    m_bInTransaction = false;
    if (FAILED(m_session->Commit())) {
        m_error = "cannot commit: " + Describe(*m_session);
        return false;
    }
    return true;
}

void CServerDatabase::Rollback()
{
    if (m_session && m_bInTransaction)
        m_session->Abort();
    m_bInTransaction = false;
}

bool CServerDatabase::PutUser(const std::string& code, const User& user)
{
    return Run("INSERT INTO dbo.users(code, password, reply) VALUES(?, ?, ?) ON CONFLICT(code) DO UPDATE SET"
               " password = excluded.password, reply = excluded.reply",
               {Text(code), Text(user.password), Text(user.reply)}, nullptr, "cannot store the user");
}

bool CServerDatabase::GetUser(const std::string& code, User& user, bool& found)
{
    Rows rows;
    if (!Run("SELECT password, reply FROM dbo.users WHERE code = ?", {Text(code)}, &rows, "cannot read the users"))
        return false;
    found = !rows.values.empty();
    if (found) {
        user.password = AsText(rows.values[0][0]);
        user.reply = AsText(rows.values[0][1]);
    }
    return true;
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

bool CServerDatabase::PutProject(long id, const std::string& xml)
{
    return PutText("projects", "id", id, xml);
}

bool CServerDatabase::GetProject(long id, std::string& xml, bool& found)
{
    return GetText("projects", "id", id, xml, found);
}

bool CServerDatabase::HasProject(long id, bool& found)
{
    Rows rows;
    if (!Run("SELECT count(*) FROM dbo.projects WHERE id = ?", {Number(id)}, &rows, "cannot read projects"))
        return false;
    found = !rows.values.empty() && AsNumber(rows.values[0][0]) > 0;
    return true;
}

bool CServerDatabase::DeleteProject(long id, bool& found)
{
    found = false;
    Rows rows;
    if (!Run("DELETE FROM dbo.projects WHERE id = ?", {Number(id)}, &rows, "cannot delete the project"))
        return false;
    found = rows.changed > 0;
    return Run("DELETE FROM dbo.calendars WHERE project_id = ?", {Number(id)}, nullptr, "cannot delete the project") &&
           Run("DELETE FROM dbo.permissions WHERE project_id = ?", {Number(id)}, nullptr, "cannot delete the project");
}

bool CServerDatabase::ProjectIds(std::vector<long>& ids)
{
    ids.clear();
    Rows rows;
    if (!Run("SELECT id FROM dbo.projects ORDER BY id", {}, &rows, "cannot read the projects"))
        return false;
    for (const auto& row : rows.values)
        ids.push_back(static_cast<long>(AsNumber(row[0])));
    return true;
}

bool CServerDatabase::CountProjects(long& count)
{
    Rows rows;
    if (!Run("SELECT count(*) FROM dbo.projects", {}, &rows, "cannot read the projects") || rows.values.empty())
        return false;
    count = static_cast<long>(AsNumber(rows.values[0][0]));
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

bool CServerDatabase::TakeId(const char* kind, long& id)
{
    // Counted up in one statement, so that two servers on one database never share an id.
    Rows rows;
    if (!Run("UPDATE dbo.counters SET next = next + 1 WHERE kind = ? AND next < 2147483647 RETURNING next - 1",
             {Text(kind)}, &rows, "cannot count the ids"))
        return false;
    if (rows.values.empty()) {
        m_error = std::string("the ") + kind + " ids are used up";
        return false;
    }
    id = static_cast<long>(AsNumber(rows.values[0][0]));
    return true;
}

bool CServerDatabase::SetNextId(const char* kind, long id)
{
    return Run("INSERT INTO dbo.counters(kind, next) VALUES(?, ?) ON CONFLICT(kind) DO UPDATE SET next = excluded.next",
               {Text(kind), Number(id)}, nullptr, "cannot write the id counters");
}

}  // namespace projectserver
