// The stores' shared base: connections (pooled on a server), statements, tables, transactions.
#include <DataAccess/DbStore.h>

#include "SessionPool.h"

#include <ClassLib/Core/Conversion.h>

std::string DbDescribeError(const CDbErrorInfo& source)
{
    std::vector<CDbErrorRecord> records;
    source.GetErrorRecords(IID_ICommand, records);
    std::string text;
    for (const CDbErrorRecord& r : records) {
        std::string d = Utf8FromCString(r.strDescription);
        while (!d.empty() && (d.back() == '\n' || d.back() == ' '))
            d.pop_back();
        // One line, as traces and answers show it.
        for (char& c : d)
            if (c == '\n' || c == '\r')
                c = ' ';
        text += (text.empty() ? "" : "; ") + d;
    }
    return text.empty() ? std::string("unknown error") : text;
}

CDbStore::CDbStore(const char* kind) : m_kind(kind) {}

std::string CDbStore::PoolKey() const
{
    return m_kind + '\n' + m_connect;
}

CDbStore::~CDbStore()
{
    Close();
}

void CDbStore::Close()
{
    if (m_session && m_nTransaction > 0)
        m_session->Abort();
    m_nTransaction = 0;
    if (m_session && m_server && m_keep)
        CSessionPool::Get().Give(PoolKey(), std::move(m_session));
    m_session.reset();
    m_keep = false;
}

void CDbStore::CloseKeepingError()
{
    std::string error = m_error;
    Close();
    m_error = error;
}

void CDbStore::DropSession()
{
    m_session.reset();
    m_keep = false;
    m_nTransaction = 0;
}

bool CDbStore::TakePooledSession(const std::string& connect)
{
    Close();
    m_server = true;
    m_connect = connect;
    m_session = CSessionPool::Get().Take(PoolKey());
    return m_session != nullptr;
}

bool CDbStore::OpenSession(const std::string& path, int busyMilliseconds, bool wal, std::string& description)
{
    Close();
    m_server = IsConnectionString(path);
    m_connect = m_server ? path : std::string();
    m_session.reset(new CSession);
    HRESULT hr = m_server ? m_session->OpenOdbc(path.c_str())
                          : m_session->OpenSqliteFile(path.c_str(), busyMilliseconds > 0 ? busyMilliseconds : 0, wal);
    if (SUCCEEDED(hr))
        return true;
    description = DbDescribeError(*m_session);
    m_session.reset();
    return false;
}

bool CDbStore::Fail(const std::string& text)
{
    m_error = text;
    return false;
}

std::string CDbStore::DatabaseError(const std::string& what, const std::string& description) const
{
    return what + ": " + description;
}

bool CDbStore::FailDatabase(const std::string& what, const std::string& description)
{
    // A connection a call failed on is not handed on: the next store makes a new one.
    m_keep = false;
    return Fail(DatabaseError(what, description));
}

bool CDbStore::OpenCommand(CCommand& command, const char* sql, const std::vector<CDbParam>& params,
                           const std::string& what)
{
    if (!m_session)
        return Fail(what + ": the database is not open");
    if (FAILED(command.Open(*m_session, sql, params)))
        return FailDatabase(what, DbDescribeError(command));
    return true;
}

bool CDbStore::Run(const char* sql, const std::vector<CDbParam>& params, Rows* rows, const std::string& what)
{
    if (rows) {
        rows->values.clear();
        rows->changed = 0;
    }
    CCommand command;
    if (!OpenCommand(command, sql, params, what))
        return false;
    if (!rows)
        return true;
    rows->changed = command.GetRowsAffected();
    const int columns = command.GetColumnCount();
    while (command.MoveNext() == S_OK) {
        if (rows->each) {
            rows->each(command);
            continue;
        }
        std::vector<CDbValue> row;
        row.reserve(static_cast<size_t>(columns));
        for (int c = 1; c <= columns; ++c)
            row.push_back(command.TakeValue(c));
        rows->values.push_back(std::move(row));
    }
    return true;
}

bool CDbStore::RunAll(const char* const* first, const char* const* last, const std::string& what)
{
    for (; first != last; ++first)
        if (!Run(*first, {}, nullptr, what))
            return false;
    return true;
}

bool CDbStore::TableExists(const char* table, bool& exists)
{
    using namespace dbstore;
    Rows rows;
    const bool ok = m_server ? Run("SELECT count(*) FROM information_schema.tables WHERE table_schema = 'dbo'"
                                   " AND table_name = ?",
                                   {Text(table)}, &rows, "cannot read the database's tables")
                             : Run("SELECT count(*) FROM dbo.sqlite_master WHERE type = 'table' AND name = ?",
                                   {Text(table)}, &rows, "cannot read the database's tables");
    exists = ok && !rows.values.empty() && AsNumber(rows.values[0][0]) > 0;
    return ok;
}

bool CDbStore::FileIsEmpty(bool& empty)
{
    Rows rows;
    if (!Run("SELECT count(*) FROM dbo.sqlite_master", {}, &rows, "cannot read the database"))
        return false;
    empty = rows.values.empty() || dbstore::AsNumber(rows.values[0][0]) == 0;
    return true;
}

bool CDbStore::MakeSchemaDbo()
{
    return !m_server || Run("CREATE SCHEMA IF NOT EXISTS dbo", {}, nullptr, "cannot make the schema dbo");
}

bool CDbStore::ReadMeta(const char* table, const char* key, std::string& value, bool& found)
{
    Rows rows;
    const std::string sql = std::string("SELECT value FROM dbo.") + table + " WHERE key = ?";
    if (!Run(sql.c_str(), {dbstore::Text(key)}, &rows, "cannot read the database"))
        return false;
    found = !rows.values.empty();
    value = found ? dbstore::AsText(std::move(rows.values[0][0])) : std::string();
    return true;
}

bool CDbStore::Begin()
{
    if (!m_session)
        return Fail("the database is not open");
    if (m_nTransaction++ > 0)
        return true;
    if (FAILED(m_session->StartTransaction())) {
        m_nTransaction = 0;
        return FailDatabase("cannot begin a change", DbDescribeError(*m_session));
    }
    if (!StartedWriting()) {
        const std::string error = m_error;
        m_nTransaction = 0;
        m_session->Abort();
        m_error = error;
        return false;
    }
    return true;
}

bool CDbStore::Commit()
{
    if (!m_session || m_nTransaction == 0)
        return Fail("no transaction is open");
    if (--m_nTransaction > 0)
        return true;
    // A failed commit leaves nothing stored.
    if (FAILED(m_session->Commit()))
        return FailDatabase("cannot commit", DbDescribeError(*m_session));
    return true;
}

void CDbStore::Rollback()
{
    if (!m_session || m_nTransaction == 0)
        return;
    m_nTransaction = 0;
    m_session->Abort();
}
