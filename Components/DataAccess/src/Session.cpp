// The session and the command over a back end.
#include <DataAccess/DataAccess.h>

#include "Backend.h"

#include <ClassLib/Core/Conversion.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

bool CDbGuid::operator==(const CDbGuid& o) const
{
    return Data1 == o.Data1 && Data2 == o.Data2 && Data3 == o.Data3 &&
           std::equal(Data4, Data4 + 8, o.Data4);
}

const CDbGuid IID_ICommand = {0x0c733a63, 0x2a1c, 0x11ce, {0xad, 0xe5, 0x00, 0xaa, 0x00, 0x44, 0x77, 0x3d}};
const CDbGuid DBGUID_DEFAULT = {0xc8b521fb, 0x5cf3, 0x11ce, {0xad, 0xe5, 0x00, 0xaa, 0x00, 0x44, 0x77, 0x3d}};

CDbParam::CDbParam(const CString& s) : m_value(Utf8FromCString(s)) {}
CDbParam::CDbParam(LPCTSTR psz) : m_value(Utf8FromCString(psz ? psz : "")) {}

namespace
{
void TakeErrors(std::vector<CDbErrorRecord>& to, const std::vector<CDbBackendError>& from)
{
    to.clear();
    for (const CDbBackendError& e : from)
        to.push_back({CStringFromUtf8(e.strDescription), CString(), e.hr});
}

HRESULT NoSession(std::vector<CDbErrorRecord>& errors)
{
    errors.clear();
    errors.push_back({CString("The session is not open"), CString(), E_FAIL});
    return E_FAIL;
}
} // namespace

HRESULT CSession::OpenSqlite(LPCTSTR pszPath)
{
    std::vector<CDbBackendError> errors;
    m_spBackend = OpenSqliteBackend(Utf8FromCString(pszPath), true, errors);
    TakeErrors(m_errors, errors);
    return m_spBackend ? S_OK : E_FAIL;
}

HRESULT CSession::OpenSqliteFile(const char* pszUtf8Path, int nBusyMilliseconds, bool bWal)
{
    std::vector<CDbBackendError> errors;
    m_spBackend = OpenSqliteBackend(pszUtf8Path ? pszUtf8Path : "", false, errors, nBusyMilliseconds, bWal);
    TakeErrors(m_errors, errors);
    return m_spBackend ? S_OK : E_FAIL;
}

HRESULT CSession::OpenOdbc(const char* pszConnect)
{
    std::vector<CDbBackendError> errors;
    m_spBackend = OpenOdbcBackend(pszConnect, errors);
    TakeErrors(m_errors, errors);
    return m_spBackend ? S_OK : E_FAIL;
}

HRESULT CSession::StartTransaction(long isoLevel)
{
    if (!m_spBackend)
        return NoSession(m_errors);
    std::vector<CDbBackendError> errors;
    HRESULT hr = m_spBackend->Begin(isoLevel, errors);
    TakeErrors(m_errors, errors);
    return hr;
}

HRESULT CSession::Commit()
{
    if (!m_spBackend)
        return NoSession(m_errors);
    std::vector<CDbBackendError> errors;
    HRESULT hr = m_spBackend->Commit(errors);
    TakeErrors(m_errors, errors);
    return hr;
}

HRESULT CSession::Abort()
{
    if (!m_spBackend)
        return NoSession(m_errors);
    std::vector<CDbBackendError> errors;
    HRESULT hr = m_spBackend->Abort(errors);
    TakeErrors(m_errors, errors);
    return hr;
}

HRESULT CSession::GetLastInsertId(long long& nId)
{
    if (!m_spBackend)
        return NoSession(m_errors);
    std::vector<CDbBackendError> errors;
    HRESULT hr = m_spBackend->LastInsertId(nId, errors);
    TakeErrors(m_errors, errors);
    return hr;
}

HRESULT CSession::GetErrorRecords(const CDbGuid&, std::vector<CDbErrorRecord>& records) const
{
    records = m_errors;
    return S_OK;
}

HRESULT CCommand::Open(const CSession& session, LPCTSTR pszText, const std::vector<CDbParam>& params,
                       const CDbGuid&)
{
    Close();
    m_errors.clear();
    const std::shared_ptr<CDbBackend>& pBackend = session.Backend();
    if (!pBackend)
        return NoSession(m_errors);
    std::vector<CDbValue> values;
    values.reserve(params.size());
    for (const CDbParam& p : params)
        values.push_back(p.m_value);
    std::vector<CDbBackendError> errors;
    // Statement texts are mostly plain ASCII, which needs no conversion.
    std::string text(pszText ? pszText : "");
    if (std::any_of(text.begin(), text.end(), [](char c) { return (unsigned char)c >= 0x80; }))
        text = Utf8FromCString(pszText);
    HRESULT hr = pBackend->Execute(text, values, m_rows, m_nColumns, errors, &m_columns);
    TakeErrors(m_errors, errors);
    if (FAILED(hr))
    {
        m_rows.clear();
        return hr;
    }
    m_bOpen = true;
    m_nRowsAffected = m_nColumns > 0 ? 0 : pBackend->LastChanges();
    if (m_nColumns > 0)
    {
        m_spHeld = pBackend;
        m_spHeld->HoldRead();
    }
    return S_OK;
}

HRESULT CCommand::MoveNext()
{
    if (!m_bOpen || m_nNext >= m_rows.size())
    {
        m_nNext = m_rows.size() + 1;
        return DB_S_ENDOFROWSET;
    }
    ++m_nNext;
    return S_OK;
}

void CCommand::Close()
{
    if (m_spHeld)
        m_spHeld->ReleaseRead();
    m_spHeld.reset();
    m_rows.clear();
    m_columns.clear();
    m_nNext = 0;
    m_nRowsAffected = 0;
    m_nColumns = 0;
    m_bOpen = false;
}

const CDbValue& CCommand::Value(int nOrdinal) const
{
    static const CDbValue kNull;
    if (m_nNext == 0 || m_nNext > m_rows.size() || nOrdinal < 1 || nOrdinal > m_nColumns)
        return kNull;
    return m_rows[m_nNext - 1][nOrdinal - 1];
}

CDbValue CCommand::TakeValue(int nOrdinal)
{
    if (m_nNext == 0 || m_nNext > m_rows.size() || nOrdinal < 1 || nOrdinal > m_nColumns)
        return CDbValue();
    CDbValue value = std::move(m_rows[m_nNext - 1][nOrdinal - 1]);
    m_rows[m_nNext - 1][nOrdinal - 1] = CDbValue();
    return value;
}

const CDbColumnDesc& CCommand::GetColumnDesc(int nOrdinal) const
{
    static const CDbColumnDesc kNone;
    if (nOrdinal < 1 || nOrdinal > (int)m_columns.size())
        return kNone;
    return m_columns[nOrdinal - 1];
}

namespace
{
// A real beyond the integer range reads as the nearest end of it (a plain cast is undefined
// there); not a number reads as 0.
long long IntegerOfReal(double d)
{
    if (std::isnan(d))
        return 0;
    if (d >= 9223372036854775808.0)
        return LLONG_MAX;
    if (d < -9223372036854775808.0)
        return LLONG_MIN;
    return (long long)d;
}

long long AsInteger(const CDbValue& v)
{
    if (auto p = std::get_if<long long>(&v))
        return *p;
    if (auto d = std::get_if<double>(&v))
        return IntegerOfReal(*d);
    if (auto s = std::get_if<std::string>(&v)) {
        // Some drivers hand reals over as text: "1.5e+300" is a real, not the integer 1.
        char* end = nullptr;
        const long long n = std::strtoll(s->c_str(), &end, 10);
        if (end != nullptr && (*end == '.' || *end == 'e' || *end == 'E'))
            return IntegerOfReal(std::strtod(s->c_str(), nullptr));
        return n;
    }
    return 0;
}
} // namespace

long CCommand::GetLong(int nOrdinal) const { return (long)(int32_t)AsInteger(Value(nOrdinal)); }
short CCommand::GetShort(int nOrdinal) const { return (short)AsInteger(Value(nOrdinal)); }
bool CCommand::GetBool(int nOrdinal) const
{
    const CDbValue& v = Value(nOrdinal);
    if (auto s = std::get_if<std::string>(&v))
        return *s == "t" || *s == "true" || *s == "1";
    return AsInteger(v) != 0;
}

CString CCommand::GetText(int nOrdinal) const
{
    const CDbValue& v = Value(nOrdinal);
    if (auto s = std::get_if<std::string>(&v))
        return CStringFromUtf8(*s);
    if (auto b = std::get_if<CDbBytes>(&v))
        return CStringFromUtf8(b->bytes);
    if (auto p = std::get_if<long long>(&v))
        return CString(std::to_string(*p).c_str());
    if (auto d = std::get_if<double>(&v))
        return CString(std::to_string(*d).c_str());
    return CString();
}

std::string CCommand::GetBytes(int nOrdinal) const
{
    const CDbValue& v = Value(nOrdinal);
    if (auto b = std::get_if<CDbBytes>(&v))
        return b->bytes;
    if (auto s = std::get_if<std::string>(&v))
        return *s;
    return std::string();
}

bool CCommand::IsNull(int nOrdinal) const
{
    return std::holds_alternative<std::monostate>(Value(nOrdinal));
}

HRESULT CCommand::GetErrorRecords(const CDbGuid& iid, std::vector<CDbErrorRecord>& records) const
{
    records.clear();
    if (!(iid == IID_ICommand))
        return S_FALSE;
    records = m_errors;
    return S_OK;
}
