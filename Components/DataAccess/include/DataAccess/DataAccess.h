// The data-access layer: a session on a database (shared by copy), a command over one
// statement text with bound parameters, its rowset read by column ordinal, local
// transactions and the error records a failed call leaves. Two back ends: an embedded
// SQLite file (tables reachable under the owner name dbo) and an ODBC data source.
// Texts cross this interface in code page 936; the databases hold UTF-8.
#pragma once

#include <ClassLib/Afx.h>
#include <DataAccess/DbValue.h>

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

struct CDbGuid
{
    uint32_t Data1;
    uint16_t Data2, Data3;
    uint8_t Data4[8];
    bool operator==(const CDbGuid& o) const;
};

// The command interface, the one error records are asked for.
extern AFX_EXT_DATA const CDbGuid IID_ICommand;
// The default command dialect.
extern AFX_EXT_DATA const CDbGuid DBGUID_DEFAULT;

// A parameter as given by the caller: numbers, or texts in code page 936.
class AFX_EXT_CLASS CDbParam
{
public:
    CDbParam(int n) : m_value((long long)n) {}
    CDbParam(unsigned n) : m_value((long long)n) {}
    CDbParam(long long n) : m_value(n) {}
    CDbParam(double d) : m_value(d) {}
    CDbParam(const CString& s);
    CDbParam(LPCTSTR psz);
    // A text already in UTF-8, passed as it is.
    static CDbParam Utf8(const std::string& text)
    {
        CDbParam p(0);
        p.m_value = text;
        return p;
    }
    // Binary content, bound as a BLOB (SQLite) or binary data (ODBC: bytea).
    static CDbParam Bytes(const std::string& bytes)
    {
        CDbParam p(0);
        p.m_value = CDbBytes{bytes};
        return p;
    }
    CDbValue m_value;
};

// An error record: what the back end said about one failure.
struct CDbErrorRecord
{
    CString strDescription;  // code page 936
    CString strSource;
    HRESULT hrError;
};

// An object that may carry error records for an interface.
class AFX_EXT_CLASS CDbErrorInfo
{
public:
    virtual ~CDbErrorInfo() = default;
    // S_OK with the records; S_FALSE when the object does not report errors for the interface.
    virtual HRESULT GetErrorRecords(const CDbGuid& iid, std::vector<CDbErrorRecord>& records) const = 0;
};

class CDbBackend;

class AFX_EXT_CLASS CSession : public CDbErrorInfo
{
public:
    CSession() = default;
    // Opens (and creates on first use) a database file with the five task tables.
    HRESULT OpenSqlite(LPCTSTR pszPath);
    // Opens (and creates when missing) a database file as it is, under dbo, making no table;
    // the path in UTF-8. A statement waits up to nBusyMilliseconds for a lock held elsewhere;
    // bWal switches the file to write-ahead logging (otherwise its journal is left as it is).
    HRESULT OpenSqliteFile(const char* pszUtf8Path, int nBusyMilliseconds = 10000, bool bWal = true);
    // Opens an ODBC data source by its connection string; tables must exist under dbo.
    HRESULT OpenOdbc(const char* pszConnect);
    // Whether a database name is an ODBC connection string (a text with "=" and ";")
    // rather than a file path.
    static bool IsConnectionString(const std::string& text)
    {
        return text.find('=') != std::string::npos && text.find(';') != std::string::npos;
    }
    bool IsOpen() const { return m_spBackend != nullptr; }
    // Lets go of this holder's reference; other copies keep the session open.
    void Close() { m_spBackend.reset(); }

    HRESULT StartTransaction(long isoLevel = ISOLATIONLEVEL_READCOMMITTED);
    // Commit and abort report their failure; a failed commit leaves nothing stored.
    HRESULT Commit();
    HRESULT Abort();
    // The key the last insert on this session created.
    HRESULT GetLastInsertId(long long& nId);

    HRESULT GetErrorRecords(const CDbGuid& iid, std::vector<CDbErrorRecord>& records) const override;

    const std::shared_ptr<CDbBackend>& Backend() const { return m_spBackend; }

private:
    std::shared_ptr<CDbBackend> m_spBackend;
    std::vector<CDbErrorRecord> m_errors;
};

class AFX_EXT_CLASS CCommand : public CDbErrorInfo
{
public:
    CCommand() = default;
    ~CCommand() override { Close(); }
    CCommand(const CCommand&) = delete;
    CCommand& operator=(const CCommand&) = delete;

    // Runs the text with its parameters (bound by position to the ? marks); queries keep
    // their rows, positioned before the first.
    HRESULT Open(const CSession& session, LPCTSTR pszText, const std::vector<CDbParam>& params = {},
                 const CDbGuid& dialect = DBGUID_DEFAULT);
    // S_OK on a row, DB_S_ENDOFROWSET after the last.
    HRESULT MoveNext();
    void Close();

    // Values of the current row by ordinal (1 first), at full length.
    long GetLong(int nOrdinal) const;
    short GetShort(int nOrdinal) const;
    bool GetBool(int nOrdinal) const;
    CString GetText(int nOrdinal) const;
    // Binary content byte for byte (a text value as its UTF-8 bytes; empty for null).
    std::string GetBytes(int nOrdinal) const;
    bool IsNull(int nOrdinal) const;
    int GetColumnCount() const { return m_nColumns; }
    // A column's name and kind (1 first); an empty description out of range.
    const CDbColumnDesc& GetColumnDesc(int nOrdinal) const;
    // Rows the statement changed (0 for a query).
    long long GetRowsAffected() const { return m_nRowsAffected; }
    // A value of the current row as the back end gave it (texts in UTF-8).
    const CDbValue& GetValue(int nOrdinal) const { return Value(nOrdinal); }
    // The same value moved out of the row (which then reads null there): a large text is
    // handed on without a copy.
    CDbValue TakeValue(int nOrdinal);

    HRESULT GetErrorRecords(const CDbGuid& iid, std::vector<CDbErrorRecord>& records) const override;

private:
    const CDbValue& Value(int nOrdinal) const;
    std::shared_ptr<CDbBackend> m_spHeld;  // the back end whose read snapshot this rowset holds
    std::vector<std::vector<CDbValue>> m_rows;
    std::vector<CDbColumnDesc> m_columns;
    std::vector<CDbErrorRecord> m_errors;
    size_t m_nNext = 0;
    long long m_nRowsAffected = 0;
    int m_nColumns = 0;
    bool m_bOpen = false;
};

// Appends the error report of an object's records for an interface to the text; returns 1.
AFX_EXT_API int DbErrorReport(const CDbErrorInfo* pObject, const CDbGuid& iid, HRESULT hr, CString& strError);
