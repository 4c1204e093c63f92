// A prepared SQLite statement that finalizes itself.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

class CSqliteStatement {
public:
    CSqliteStatement(sqlite3* db, const char* sql) : m_db(db)
    {
        m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    }
    ~CSqliteStatement() { sqlite3_finalize(m_stmt); }
    CSqliteStatement(const CSqliteStatement&) = delete;
    CSqliteStatement& operator=(const CSqliteStatement&) = delete;

    bool Ok() const { return m_stmt != nullptr && m_rc == SQLITE_OK; }
    int Rc() const { return m_rc; }

    void Bind(int i, int64_t v) { sqlite3_bind_int64(m_stmt, i, v); }
    void Bind(int i, const std::string& s) { sqlite3_bind_text(m_stmt, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT); }
    void BindBlob(int i, const std::string& s) { sqlite3_bind_blob(m_stmt, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT); }
    void BindNull(int i) { sqlite3_bind_null(m_stmt, i); }

    // SQLITE_ROW, SQLITE_DONE or an error code (kept in Rc()).
    int Step()
    {
        m_rc = sqlite3_step(m_stmt);
        return m_rc;
    }
    bool Reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        return true;
    }

    int64_t Int(int col) const { return sqlite3_column_int64(m_stmt, col); }
    bool IsNull(int col) const { return sqlite3_column_type(m_stmt, col) == SQLITE_NULL; }
    std::string Text(int col) const
    {
        const unsigned char* p = sqlite3_column_text(m_stmt, col);
        return p ? std::string(reinterpret_cast<const char*>(p), sqlite3_column_bytes(m_stmt, col)) : std::string();
    }
    std::string Blob(int col) const
    {
        const void* p = sqlite3_column_blob(m_stmt, col);
        return p ? std::string(static_cast<const char*>(p), sqlite3_column_bytes(m_stmt, col)) : std::string();
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc;
};
