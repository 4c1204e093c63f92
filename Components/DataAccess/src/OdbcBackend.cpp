// The server back end: one ODBC connection per session. Values are exchanged as character
// data (UTF-8, the connection's client encoding) and converted by the command.
#include "Backend.h"

#include <sql.h>
#include <sqlext.h>

namespace
{
int KindOfSqlType(SQLSMALLINT type)
{
    switch (type)
    {
    case SQL_BIT: return DBCOL_BOOL;
    case SQL_TINYINT: return DBCOL_BYTE;
    case SQL_SMALLINT: return DBCOL_SHORT;
    case SQL_INTEGER:
    case SQL_BIGINT: return DBCOL_LONG;
    case SQL_REAL: return DBCOL_SINGLE;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_NUMERIC:
    case SQL_DECIMAL: return DBCOL_DOUBLE;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATE:
    case SQL_TIMESTAMP: return DBCOL_DATE;
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR: return DBCOL_TEXT;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY: return DBCOL_BINARY;
    default: return DBCOL_UNKNOWN;
    }
}

class COdbcBackend : public CDbBackend
{
public:
    ~COdbcBackend() override
    {
        if (m_hdbc)
        {
            if (m_bInTransaction)
                SQLEndTran(SQL_HANDLE_DBC, m_hdbc, SQL_ROLLBACK);
            SQLDisconnect(m_hdbc);
            SQLFreeHandle(SQL_HANDLE_DBC, m_hdbc);
        }
        if (m_henv)
            SQLFreeHandle(SQL_HANDLE_ENV, m_henv);
    }

    static void Diag(SQLSMALLINT type, SQLHANDLE h, int32_t hr, std::vector<CDbBackendError>& errors)
    {
        SQLCHAR state[6], text[1024];
        SQLINTEGER native;
        SQLSMALLINT len;
        size_t nBefore = errors.size();
        for (SQLSMALLINT i = 1; SQLGetDiagRec(type, h, i, state, &native, text, sizeof text, &len) == SQL_SUCCESS; ++i)
            errors.push_back({reinterpret_cast<char*>(text), hr});
        if (errors.size() == nBefore)
            errors.push_back({"ODBC call failed", hr});
    }

    int32_t Open(const std::string& connect, std::vector<CDbBackendError>& errors)
    {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_henv)))
            return errors.push_back({"no ODBC environment", DBR_FAIL}), DBR_FAIL;
        SQLSetEnvAttr(m_henv, SQL_ATTR_ODBC_VERSION, (SQLPOINTER)SQL_OV_ODBC3, 0);
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, m_henv, &m_hdbc)))
            return Diag(SQL_HANDLE_ENV, m_henv, DBR_FAIL, errors), DBR_FAIL;
        SQLRETURN rc = SQLDriverConnect(m_hdbc, nullptr, (SQLCHAR*)connect.c_str(), (SQLSMALLINT)connect.size(),
                                        nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc))
            return Diag(SQL_HANDLE_DBC, m_hdbc, DBR_FAIL, errors), DBR_FAIL;
        m_bConnected = true;
        return DBR_OK;
    }

    int32_t Execute(const std::string& sql, const std::vector<CDbValue>& params,
                    std::vector<std::vector<CDbValue>>& rows, int& nColumns,
                    std::vector<CDbBackendError>& errors, std::vector<CDbColumnDesc>* pColumns = nullptr) override
    {
        SQLHSTMT hstmt = SQL_NULL_HSTMT;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, m_hdbc, &hstmt)))
            return Diag(SQL_HANDLE_DBC, m_hdbc, DBR_FAIL, errors), DBR_FAIL;
        struct Free
        {
            SQLHSTMT h;
            ~Free() { SQLFreeHandle(SQL_HANDLE_STMT, h); }
        } guard{hstmt};

        // Parameter buffers live until the statement has run.
        std::vector<std::string> texts(params.size());
        std::vector<SQLBIGINT> numbers(params.size());
        std::vector<double> reals(params.size());
        std::vector<SQLLEN> lengths(params.size());
        for (size_t i = 0; i < params.size(); ++i)
        {
            SQLUSMALLINT n = (SQLUSMALLINT)(i + 1);
            SQLRETURN rc;
            const CDbValue& v = params[i];
            if (auto p = std::get_if<long long>(&v))
            {
                numbers[i] = *p;
                lengths[i] = 0;
                rc = SQLBindParameter(hstmt, n, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_INTEGER, 0, 0, &numbers[i], 0,
                                      &lengths[i]);
            }
            else if (auto d = std::get_if<double>(&v))
            {
                reals[i] = *d;
                lengths[i] = 0;
                rc = SQLBindParameter(hstmt, n, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0, &reals[i], 0,
                                      &lengths[i]);
            }
            else if (auto b = std::get_if<CDbBytes>(&v))
            {
                texts[i] = b->bytes;
                lengths[i] = (SQLLEN)texts[i].size();
                rc = SQLBindParameter(hstmt, n, SQL_PARAM_INPUT, SQL_C_BINARY, SQL_LONGVARBINARY,
                                      texts[i].size() ? texts[i].size() : 1, 0, (SQLPOINTER)texts[i].data(),
                                      (SQLLEN)texts[i].size(), &lengths[i]);
            }
            else if (auto s = std::get_if<std::string>(&v))
            {
                texts[i] = *s;
                lengths[i] = (SQLLEN)texts[i].size();
                rc = SQLBindParameter(hstmt, n, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                      texts[i].size() ? texts[i].size() : 1, 0, (SQLPOINTER)texts[i].data(),
                                      (SQLLEN)texts[i].size(), &lengths[i]);
            }
            else
            {
                lengths[i] = SQL_NULL_DATA;
                rc = SQLBindParameter(hstmt, n, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1, 0, nullptr, 0,
                                      &lengths[i]);
            }
            if (!SQL_SUCCEEDED(rc))
                return Diag(SQL_HANDLE_STMT, hstmt, DB_E_ERRORSINCOMMAND, errors), DB_E_ERRORSINCOMMAND;
        }

        SQLRETURN rc = SQLExecDirect(hstmt, (SQLCHAR*)sql.c_str(), (SQLINTEGER)sql.size());
        if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
            return Diag(SQL_HANDLE_STMT, hstmt, DB_E_ERRORSINCOMMAND, errors), DB_E_ERRORSINCOMMAND;
        // No data: the statement changed no row and has no rows to fetch, not even one that
        // returns what it changed (fetching would fail on the missing cursor).
        const bool bNoRows = rc == SQL_NO_DATA;
        SQLLEN changed = 0;
        m_nChanges = !bNoRows && SQL_SUCCEEDED(SQLRowCount(hstmt, &changed)) && changed > 0 ? changed : 0;
        SQLSMALLINT cols = 0;
        SQLNumResultCols(hstmt, &cols);
        nColumns = cols;
        if (cols == 0)
            return DBR_OK;
        // Binary columns are read as bytes, the others as character data.
        std::vector<bool> binary(cols, false);
        if (pColumns != nullptr)
            pColumns->assign(cols, CDbColumnDesc());
        for (SQLUSMALLINT c = 1; c <= (SQLUSMALLINT)cols; ++c)
        {
            SQLCHAR name[256];
            SQLSMALLINT nameLen = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            if (SQL_SUCCEEDED(SQLDescribeCol(hstmt, c, name, sizeof name, &nameLen, &type, &size, &digits, &nullable)))
            {
                binary[c - 1] = KindOfSqlType(type) == DBCOL_BINARY;
                if (pColumns != nullptr)
                {
                    (*pColumns)[c - 1].name = reinterpret_cast<char*>(name);
                    (*pColumns)[c - 1].kind = KindOfSqlType(type);
                }
            }
        }
        while (!bNoRows && (rc = SQLFetch(hstmt)) != SQL_NO_DATA)
        {
            if (!SQL_SUCCEEDED(rc))
            {
                rows.clear();
                return Diag(SQL_HANDLE_STMT, hstmt, DB_E_ERRORSINCOMMAND, errors), DB_E_ERRORSINCOMMAND;
            }
            std::vector<CDbValue> row(cols);
            for (SQLUSMALLINT c = 1; c <= (SQLUSMALLINT)cols; ++c)
            {
                // Read the whole value, piece by piece.
                std::string value;
                char buf[4096];
                SQLLEN ind = 0;
                bool bNull = false;
                const bool bBinary = binary[c - 1];
                // Character data ends in a terminating zero that is not part of the value.
                const size_t nPiece = bBinary ? sizeof buf : sizeof buf - 1;
                for (;;)
                {
                    rc = SQLGetData(hstmt, c, bBinary ? SQL_C_BINARY : SQL_C_CHAR, buf, sizeof buf, &ind);
                    if (rc == SQL_NO_DATA)
                        break;
                    if (!SQL_SUCCEEDED(rc))
                    {
                        rows.clear();
                        return Diag(SQL_HANDLE_STMT, hstmt, DB_E_ERRORSINCOMMAND, errors), DB_E_ERRORSINCOMMAND;
                    }
                    if (ind == SQL_NULL_DATA)
                    {
                        bNull = true;
                        break;
                    }
                    size_t got = (ind == SQL_NO_TOTAL || ind > (SQLLEN)nPiece) ? nPiece : (size_t)ind;
                    value.append(buf, got);
                    if (rc == SQL_SUCCESS)
                        break;
                }
                if (bNull)
                    continue;
                if (bBinary)
                    row[c - 1] = CDbBytes{std::move(value)};
                else
                    row[c - 1] = std::move(value);
            }
            rows.push_back(std::move(row));
        }
        return DBR_OK;
    }

    int32_t Begin(long, std::vector<CDbBackendError>& errors) override
    {
        SQLSetConnectAttr(m_hdbc, SQL_ATTR_TXN_ISOLATION, (SQLPOINTER)SQL_TXN_READ_COMMITTED, 0);
        if (!SQL_SUCCEEDED(SQLSetConnectAttr(m_hdbc, SQL_ATTR_AUTOCOMMIT, (SQLPOINTER)SQL_AUTOCOMMIT_OFF, 0)))
            return Diag(SQL_HANDLE_DBC, m_hdbc, DBR_FAIL, errors), DBR_FAIL;
        m_bInTransaction = true;
        return DBR_OK;
    }

    int32_t End(SQLSMALLINT how, int32_t hrFail, std::vector<CDbBackendError>& errors)
    {
        if (!m_bInTransaction)
            return errors.push_back({"no transaction", XACT_E_NOTRANSACTION}), XACT_E_NOTRANSACTION;
        int32_t hr = DBR_OK;
        if (!SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, m_hdbc, how)))
        {
            Diag(SQL_HANDLE_DBC, m_hdbc, hrFail, errors);
            hr = hrFail;
            if (how == SQL_COMMIT)
                SQLEndTran(SQL_HANDLE_DBC, m_hdbc, SQL_ROLLBACK);
        }
        SQLSetConnectAttr(m_hdbc, SQL_ATTR_AUTOCOMMIT, (SQLPOINTER)SQL_AUTOCOMMIT_ON, 0);
        m_bInTransaction = false;
        return hr;
    }

    int32_t Commit(std::vector<CDbBackendError>& errors) override { return End(SQL_COMMIT, XACT_E_COMMITFAILED, errors); }
    int32_t Abort(std::vector<CDbBackendError>& errors) override { return End(SQL_ROLLBACK, DBR_FAIL, errors); }

    int32_t LastInsertId(long long& nId, std::vector<CDbBackendError>& errors) override
    {
        std::vector<std::vector<CDbValue>> rows;
        int nColumns = 0;
        int32_t hr = Execute("SELECT lastval()", {}, rows, nColumns, errors);
        if (DBR_FAILED(hr))
            return hr;
        if (rows.empty() || !std::holds_alternative<std::string>(rows[0][0]))
            return errors.push_back({"no inserted key", DBR_FAIL}), DBR_FAIL;
        nId = std::strtoll(std::get<std::string>(rows[0][0]).c_str(), nullptr, 10);
        return DBR_OK;
    }

    long long LastChanges() const override { return m_nChanges; }

    long long m_nChanges = 0;
    SQLHENV m_henv = SQL_NULL_HENV;
    SQLHDBC m_hdbc = SQL_NULL_HDBC;
    bool m_bConnected = false;
    bool m_bInTransaction = false;
};
} // namespace

std::shared_ptr<CDbBackend> OpenOdbcBackend(const std::string& connect, std::vector<CDbBackendError>& errors)
{
    auto sp = std::make_shared<COdbcBackend>();
    if (DBR_FAILED(sp->Open(connect, errors)))
        return nullptr;
    return sp;
}
