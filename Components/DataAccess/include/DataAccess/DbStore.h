// What the system's stores share: a program's tables in the schema dbo of one SQLite file or
// of a database server named by an ODBC connection string. Statements run with bound
// parameters and their rows are read back whole or one by one; transactions nest (the
// outermost one commits); connections to a server are kept in a pool between the stores of
// one kind, since a connection takes far longer to make than a query. Texts are UTF-8 here.
//
// One object is one connection, used by one thread at a time.
#pragma once

#include <DataAccess/DataAccess.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

// Parameters and values as the stores pass them.
namespace dbstore {

inline CDbParam Text(const std::string& utf8)
{
    return CDbParam::Utf8(utf8);
}

inline CDbParam Number(long long n)
{
    return CDbParam(n);
}

inline CDbParam Null()
{
    CDbParam p(0);
    p.m_value = std::monostate();
    return p;
}

// A value as a number (a database server hands every value over as text).
inline long long AsNumber(const CDbValue& v)
{
    if (auto p = std::get_if<long long>(&v))
        return *p;
    if (auto d = std::get_if<double>(&v))
        return static_cast<long long>(*d);
    if (auto s = std::get_if<std::string>(&v))
        return std::strtoll(s->c_str(), nullptr, 10);
    return 0;
}

// A value as a text (binary content as its bytes); moved out of the value.
inline std::string AsText(CDbValue&& v)
{
    if (auto s = std::get_if<std::string>(&v))
        return std::move(*s);
    if (auto b = std::get_if<CDbBytes>(&v))
        return std::move(b->bytes);
    if (auto p = std::get_if<long long>(&v))
        return std::to_string(*p);
    return std::string();
}

inline std::string AsText(const CDbValue& v)
{
    return AsText(CDbValue(v));
}

inline bool IsNull(const CDbValue& v)
{
    return std::holds_alternative<std::monostate>(v);
}

}  // namespace dbstore

class AFX_EXT_CLASS CDbStore
{
public:
    // A query's rows: kept in `values`, or, when `each` is set, handed to it one by one as
    // the command reads them (a long listing is then not copied twice). `changed`: the rows
    // a statement changed.
    struct Rows {
        std::vector<std::vector<CDbValue>> values;
        long long changed = 0;
        std::function<void(CCommand&)> each;
    };

    CDbStore(const CDbStore&) = delete;
    CDbStore& operator=(const CDbStore&) = delete;

    bool IsOpen() const { return m_session != nullptr; }
    const std::string& LastError() const { return m_error; }
    // Ends an open transaction unwritten; the connection to a server goes back to the pool
    // when the store had opened soundly.
    void Close();

    // A change between Begin and Commit lands whole or not at all. Begin inside a
    // transaction only counts; the outermost Commit commits, Rollback drops all of it.
    bool Begin();
    bool Commit();
    void Rollback();
    bool InsideTransaction() const { return m_nTransaction > 0; }

    // Whether a database name is an ODBC connection string rather than a file path.
    static bool IsConnectionString(const std::string& text) { return CSession::IsConnectionString(text); }

protected:
    // `kind` keeps one kind of store's pooled connections apart from another's: each sets
    // its connections up its own way.
    explicit CDbStore(const char* kind);
    virtual ~CDbStore();

    bool OnServer() const { return m_server; }
    // Takes an idle connection to the server of `connect` from the pool (false: none idle).
    // The caller checks it still serves, and drops it with DropSession when not.
    bool TakePooledSession(const std::string& connect);
    // A new connection: to the server of a connection string, or to the file (made when
    // missing) waiting up to `busyMilliseconds` for a lock held elsewhere, switched to
    // write-ahead logging when `wal`. False with the database's words in `description`.
    bool OpenSession(const std::string& path, int busyMilliseconds, bool wal, std::string& description);
    void DropSession();
    // The store opened soundly: Close may hand its connection to the next store (unless a
    // call fails on it meanwhile).
    void KeepSession() { m_keep = true; }
    // Close, with LastError kept.
    void CloseKeepingError();

    // Sets LastError to the text; false. A store puts its own words around it.
    virtual bool Fail(const std::string& text);
    // The text of a failed database call: what was being done, and what the database said.
    virtual std::string DatabaseError(const std::string& what, const std::string& description) const;
    // Called when the outermost transaction has begun (false fails Begin): where a store's
    // writers take turns.
    virtual bool StartedWriting() { return true; }

    // Runs a statement (a query's rows to `rows` when given); false with
    // DatabaseError(what, ...).
    bool Run(const char* sql, const std::vector<CDbParam>& params, Rows* rows, const std::string& what);
    // Opens the command on the statement, for a caller that reads the rows itself.
    bool OpenCommand(CCommand& command, const char* sql, const std::vector<CDbParam>& params, const std::string& what);
    // Runs the statements in order (a schema's tables), stopping at the first that fails.
    bool RunAll(const char* const* first, const char* const* last, const std::string& what);
    template <size_t N>
    bool RunAll(const char* const (&sql)[N], const std::string& what)
    {
        return RunAll(sql, sql + N, what);
    }
    // Whether the schema dbo has the table.
    bool TableExists(const char* table, bool& exists);
    // Whether the file holds nothing yet (a file that holds anything else is never made a
    // store of its own).
    bool FileIsEmpty(bool& empty);
    // On a database server: makes the schema dbo when it is missing.
    bool MakeSchemaDbo();
    // The value of `key` in a store's table of keys and values (found false: no such row).
    bool ReadMeta(const char* table, const char* key, std::string& value, bool& found);

    std::unique_ptr<CSession> m_session;
    std::string m_error;

private:
    bool FailDatabase(const std::string& what, const std::string& description);
    std::string PoolKey() const;

    std::string m_kind;
    std::string m_connect;  // the connection string of a store on a server
    bool m_server = false;  // on a database server (else a file)
    bool m_keep = false;
    int m_nTransaction = 0;
};

// The error records of a failed call, joined on one line, in UTF-8.
AFX_EXT_API std::string DbDescribeError(const CDbErrorInfo& source);
