// The embedded back end: an in-memory main database with the task file attached as dbo, so
// that both plain and owner-qualified table names reach the tables.
#include "Backend.h"

#include <sqlite3.h>

#include <cctype>
#include <unordered_map>

namespace
{
const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS dbo.TLM_RESOURCES(RES_ID INTEGER PRIMARY KEY AUTOINCREMENT,"
    " RES_NAME TEXT, RES_TYPE INTEGER);"
    "CREATE TABLE IF NOT EXISTS dbo.TLM_TASKS(PROJ_ID INTEGER, TASK_ID INTEGER PRIMARY KEY AUTOINCREMENT,"
    " TASK_NAME TEXT, TASK_DESC TEXT, TASK_START_DATE TEXT, TASK_FINISH_DATE TEXT, TASK_DEADLINE TEXT,"
    " TASK_DURATION INTEGER, TASK_DUR_IS_EST INTEGER, TASK_ACT_DURATION INTEGER, TASK_PRIORITY INTEGER,"
    " TASK_STATUS INTEGER, TASK_PROGRESS INTEGER, TASK_ASSIGNER_ID INTEGER, TASK_PARENT_ID INTEGER,"
    " TASK_IS_MILESTONGE INTEGER, TASK_IS_SUBPROJ INTEGER, TASK_SUBPROJ_ID INTEGER,"
    " TASK_HAS_CHILDREN INTEGER, TASK_ROWINGRID INTEGER);"
    "CREATE INDEX IF NOT EXISTS dbo.TLM_TASKS_PARENT ON TLM_TASKS(TASK_PARENT_ID);"
    "CREATE INDEX IF NOT EXISTS dbo.TLM_TASKS_PROJ ON TLM_TASKS(PROJ_ID);"
    "CREATE TABLE IF NOT EXISTS dbo.TLM_ASSIGNMENTS(TASK_ID INTEGER, RES_ID INTEGER);"
    "CREATE TABLE IF NOT EXISTS dbo.TLM_LINKS(LINK_PRED_ID INTEGER, LINK_SUCC_ID INTEGER, LINK_TYPE INTEGER,"
    " LINK_LOGICAL_TYPE INTEGER, LINK_SEQUENCE INTEGER);"
    "CREATE TABLE IF NOT EXISTS dbo.TLM_DOCUMENTS(TASK_ID INTEGER, DOC_NAME TEXT, DOC_SOURCE INTEGER,"
    " DOC_TYPE INTEGER, DOC_LOCATION TEXT, DOC_PDM_CLASSID INTEGER, DOC_PDM_OBJECTID INTEGER);";

// The kind of a column from its declared type, by the same words SQLite's own type affinity
// looks for, refined where the declaration names a narrower type.
int KindOfDeclaredType(const char* pszDecl)
{
    if (pszDecl == nullptr || *pszDecl == 0)
        return DBCOL_UNKNOWN;
    std::string t(pszDecl);
    for (char& c : t)
        c = (char)std::toupper((unsigned char)c);
    auto has = [&t](const char* w) { return t.find(w) != std::string::npos; };
    if (has("BOOL") || t == "BIT")
        return DBCOL_BOOL;
    if (has("TINYINT"))
        return DBCOL_BYTE;
    if (has("SMALLINT"))
        return DBCOL_SHORT;
    if (has("INT"))
        return DBCOL_LONG;
    if (has("CHAR") || has("CLOB") || has("TEXT"))
        return DBCOL_TEXT;
    if (has("BLOB") || has("BYTEA") || has("BINARY"))
        return DBCOL_BINARY;
    if (has("MONEY") || has("CURRENCY"))
        return DBCOL_CURRENCY;
    if (has("DATE") || has("TIME"))
        return DBCOL_DATE;
    if (t == "REAL" || has("FLOAT4") || t == "SINGLE")
        return DBCOL_SINGLE;
    if (has("REAL") || has("FLOA") || has("DOUB") || has("NUMERIC") || has("DECIMAL"))
        return DBCOL_DOUBLE;
    return DBCOL_UNKNOWN;
}

class CSqliteBackend : public CDbBackend
{
public:
    ~CSqliteBackend() override
    {
        if (m_hold)
            sqlite3_finalize(m_hold);
        for (auto& entry : m_cache)
            sqlite3_finalize(entry.second);
        if (m_db)
            sqlite3_close_v2(m_db);
    }

    int32_t Fail(std::vector<CDbBackendError>& errors, int32_t hr = DB_E_ERRORSINCOMMAND)
    {
        errors.push_back({m_db ? sqlite3_errmsg(m_db) : "out of memory", hr});
        return hr;
    }

    int32_t Open(const std::string& path, bool bTaskTables, std::vector<CDbBackendError>& errors,
                 int nBusyMilliseconds, bool bWal)
    {
        if (sqlite3_open(":memory:", &m_db) != SQLITE_OK)
            return Fail(errors, DBR_FAIL);
        sqlite3_busy_timeout(m_db, nBusyMilliseconds > 0 ? nBusyMilliseconds : 0);
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, "ATTACH DATABASE ? AS dbo", -1, &st, nullptr) != SQLITE_OK)
            return Fail(errors, DBR_FAIL);
        sqlite3_bind_text(st, 1, path.c_str(), (int)path.size(), SQLITE_TRANSIENT);
        int rc = sqlite3_step(st);
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE)
            return Fail(errors, DBR_FAIL);
        // Write-ahead logging: readers do not lock the file for every statement and are not
        // blocked by a writer's open transaction.
        if (bWal)
            sqlite3_exec(m_db, "PRAGMA dbo.journal_mode = WAL", nullptr, nullptr, nullptr);
        if (bTaskTables && sqlite3_exec(m_db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK)
            return Fail(errors, DBR_FAIL);
        return DBR_OK;
    }

    int32_t Execute(const std::string& sql, const std::vector<CDbValue>& params,
                    std::vector<std::vector<CDbValue>>& rows, int& nColumns,
                    std::vector<CDbBackendError>& errors, std::vector<CDbColumnDesc>* pColumns = nullptr) override
    {
        // Statements are prepared once per text and kept (reset after each run): a listing
        // runs the same text once per task.
        sqlite3_stmt* st = nullptr;
        bool bCached = false;
        auto it = m_cache.find(sql);
        if (it != m_cache.end())
        {
            st = it->second;
            bCached = true;
        }
        else
        {
            const char* pszTail = nullptr;
            if (sqlite3_prepare_v2(m_db, sql.c_str(), (int)sql.size(), &st, &pszTail) != SQLITE_OK || !st)
            {
                if (st)
                    sqlite3_finalize(st);
                return Fail(errors);
            }
            // Only statements that change no schema are kept (a changed schema re-prepares anyway).
            if (m_cache.size() < kCacheSize && sqlite3_stmt_readonly(st))
            {
                m_cache.emplace(sql, st);
                bCached = true;
            }
        }
        struct Done
        {
            sqlite3_stmt* st;
            bool bCached;
            ~Done()
            {
                if (bCached)
                {
                    sqlite3_reset(st);
                    sqlite3_clear_bindings(st);
                }
                else
                {
                    sqlite3_finalize(st);
                }
            }
        } done{st, bCached};
        for (size_t i = 0; i < params.size(); ++i)
        {
            int n = (int)i + 1;
            const CDbValue& v = params[i];
            if (auto p = std::get_if<long long>(&v))
                sqlite3_bind_int64(st, n, *p);
            else if (auto d = std::get_if<double>(&v))
                sqlite3_bind_double(st, n, *d);
            else if (auto s = std::get_if<std::string>(&v))
                sqlite3_bind_text(st, n, s->data(), (int)s->size(), SQLITE_TRANSIENT);
            else if (auto b = std::get_if<CDbBytes>(&v))
                sqlite3_bind_blob64(st, n, b->bytes.data(), (sqlite3_uint64)b->bytes.size(), SQLITE_TRANSIENT);
            else
                sqlite3_bind_null(st, n);
        }
        nColumns = sqlite3_column_count(st);
        if (pColumns != nullptr)
        {
            pColumns->assign(nColumns, CDbColumnDesc());
            for (int c = 0; c < nColumns; ++c)
            {
                const char* pszName = sqlite3_column_name(st, c);
                (*pColumns)[c].name = pszName ? pszName : "";
                (*pColumns)[c].kind = KindOfDeclaredType(sqlite3_column_decltype(st, c));
            }
        }
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        {
            std::vector<CDbValue> row(nColumns);
            for (int c = 0; c < nColumns; ++c)
            {
                switch (sqlite3_column_type(st, c))
                {
                case SQLITE_INTEGER: row[c] = (long long)sqlite3_column_int64(st, c); break;
                case SQLITE_FLOAT: row[c] = sqlite3_column_double(st, c); break;
                case SQLITE_NULL: break;
                case SQLITE_BLOB:
                {
                    const void* p = sqlite3_column_blob(st, c);
                    const int n = sqlite3_column_bytes(st, c);
                    row[c] = CDbBytes{p ? std::string(static_cast<const char*>(p), (size_t)n) : std::string()};
                    break;
                }
                default:
                {
                    const unsigned char* t = sqlite3_column_text(st, c);
                    row[c] = std::string(reinterpret_cast<const char*>(t), sqlite3_column_bytes(st, c));
                }
                }
            }
            rows.push_back(std::move(row));
        }
        if (rc != SQLITE_DONE)
        {
            rows.clear();
            return Fail(errors);
        }
        m_nChanges = sqlite3_stmt_readonly(st) ? 0 : sqlite3_changes(m_db);
        return DBR_OK;
    }

    int32_t Simple(const char* sql, std::vector<CDbBackendError>& errors, int32_t hrFail)
    {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            return Fail(errors, hrFail);
        return DBR_OK;
    }

    // Writers take the lock at the start: a read-committed transaction never has to be
    // upgraded half way (which could deadlock two writers).
    int32_t Begin(long, std::vector<CDbBackendError>& errors) override
    {
        return Simple("BEGIN IMMEDIATE", errors, DBR_FAIL);
    }
    int32_t Commit(std::vector<CDbBackendError>& errors) override
    {
        if (sqlite3_get_autocommit(m_db))
            return Fail(errors, XACT_E_NOTRANSACTION);
        int32_t hr = Simple("COMMIT", errors, XACT_E_COMMITFAILED);
        if (DBR_FAILED(hr) && !sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        return hr;
    }
    int32_t Abort(std::vector<CDbBackendError>& errors) override
    {
        if (sqlite3_get_autocommit(m_db))
            return Fail(errors, XACT_E_NOTRANSACTION);
        return Simple("ROLLBACK", errors, DBR_FAIL);
    }
    int32_t LastInsertId(long long& nId, std::vector<CDbBackendError>&) override
    {
        nId = sqlite3_last_insert_rowid(m_db);
        return DBR_OK;
    }

    // A statement left on its first row keeps one read transaction open while rowsets are
    // open, so that the queries run meanwhile (a listing's per-task queries) need not each
    // lock the file again. Outside a transaction, writes commit once no rowset is open.
    void HoldRead() override
    {
        if (m_nHolds++ > 0)
            return;
        if (!m_hold && sqlite3_prepare_v2(m_db, "SELECT 1 FROM dbo.sqlite_master", -1, &m_hold, nullptr) != SQLITE_OK)
            m_hold = nullptr;
        if (m_hold)
            sqlite3_step(m_hold);
    }
    void ReleaseRead() override
    {
        if (m_nHolds > 0 && --m_nHolds == 0 && m_hold)
            sqlite3_reset(m_hold);
    }

    long long LastChanges() const override { return m_nChanges; }

    sqlite3* m_db = nullptr;
    long long m_nChanges = 0;
    sqlite3_stmt* m_hold = nullptr;
    int m_nHolds = 0;
    static constexpr size_t kCacheSize = 64;
    std::unordered_map<std::string, sqlite3_stmt*> m_cache;
};
} // namespace

std::shared_ptr<CDbBackend> OpenSqliteBackend(const std::string& utf8Path, bool bTaskTables,
                                              std::vector<CDbBackendError>& errors, int nBusyMilliseconds, bool bWal)
{
    auto sp = std::make_shared<CSqliteBackend>();
    if (DBR_FAILED(sp->Open(utf8Path, bTaskTables, errors, nBusyMilliseconds, bWal)))
        return nullptr;
    return sp;
}
