// The record set over a session: a snapshot of one table's records, sorted by the sort
// string on every requery, searched by comparing values, written back by key with the
// values as statement parameters.
#include <DataAccess/DaoRecordset.h>

#include <ClassLib/Core/Conversion.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <strings.h>

IMPLEMENT_DYNAMIC(CDaoException, CException)

CDaoException::CDaoException(LPCTSTR lpszError, HRESULT scode) : m_strError(lpszError), m_scode(scode) {}

BOOL CDaoException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    lstrcpyn(lpszError, m_strError, static_cast<int>(nMaxError));
    return TRUE;
}

namespace
{
VARTYPE VarTypeOf(short nType)
{
    switch (nType)
    {
    case dbBoolean: return VT_BOOL;
    case dbByte: return VT_UI1;
    case dbInteger: return VT_I2;
    case dbLong: return VT_I4;
    case dbCurrency: return VT_CY;
    case dbSingle: return VT_R4;
    case dbDouble: return VT_R8;
    case dbDate: return VT_DATE;
    default: return VT_BSTR;
    }
}

short FieldTypeOf(int kind)
{
    switch (kind)
    {
    case DBCOL_BOOL: return dbBoolean;
    case DBCOL_BYTE: return dbByte;
    case DBCOL_SHORT: return dbInteger;
    case DBCOL_LONG: return dbLong;
    case DBCOL_CURRENCY: return dbCurrency;
    case DBCOL_SINGLE: return dbSingle;
    case DBCOL_DOUBLE: return dbDouble;
    case DBCOL_DATE: return dbDate;
    default: return dbText;
    }
}

// A value in its own storage type, for fields without a declared type.
COleVariant Natural(const CDbValue& v)
{
    if (auto p = std::get_if<long long>(&v))
    {
        if (*p >= INT32_MIN && *p <= INT32_MAX)
            return COleVariant(static_cast<LONG>(*p));
        return COleVariant(static_cast<double>(*p));
    }
    if (auto d = std::get_if<double>(&v))
        return COleVariant(*d);
    if (auto s = std::get_if<std::string>(&v))
        return COleVariant(CStringFromUtf8(*s));
    // Binary content reads as the text it holds, as it did before the layer told it apart.
    if (auto b = std::get_if<CDbBytes>(&v))
        return COleVariant(CStringFromUtf8(b->bytes));
    COleVariant null;
    null.vt = VT_NULL;
    return null;
}

// Letters, digits and "_", not starting with a digit: written as it is, so that the database
// folds its case as it does in its own statements (a table made as PEOPLE is "people" on a
// server that folds to lower case). Any other name is quoted.
bool IsPlainName(const CString& s)
{
    if (s.IsEmpty() || std::isdigit(static_cast<unsigned char>(s[0])))
        return false;
    for (int i = 0; i < s.GetLength(); ++i)
    {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (!(c < 0x80 && (std::isalnum(c) || c == '_')))
            return false;
    }
    return true;
}

CString Trim(const CString& s)
{
    CString t = s;
    t.Trim();
    return t;
}

bool EndsWithWord(const CString& item, const char* word, CString& rest)
{
    int n = static_cast<int>(std::strlen(word));
    int len = item.GetLength();
    if (len <= n + 1 || strncasecmp(static_cast<LPCTSTR>(item) + len - n, word, n) != 0)
        return false;
    char before = item[len - n - 1];
    if (before != ' ' && before != '\t')
        return false;
    rest = Trim(item.Left(len - n));
    return true;
}
} // namespace

CDaoRecordset::CDaoRecordset(const CSession& session) : m_session(session) {}

CDaoRecordset::~CDaoRecordset() { Close(); }

void CDaoRecordset::Throw(LPCTSTR lpszError) const { throw new CDaoException(lpszError); }

void CDaoRecordset::ThrowDb(const CDbErrorInfo& source, LPCTSTR lpszWhat) const
{
    std::vector<CDbErrorRecord> records;
    source.GetErrorRecords(IID_ICommand, records);
    CString text = lpszWhat;
    HRESULT hr = E_FAIL;
    for (const CDbErrorRecord& r : records)
    {
        text += ": " + r.strDescription;
        hr = r.hrError;
    }
    throw new CDaoException(text, hr);
}

CString CDaoRecordset::QuoteIdentifier(LPCTSTR lpszName)
{
    CString name = lpszName != nullptr ? lpszName : "";
    name.Replace("\"", "\"\"");
    return "\"" + name + "\"";
}

void CDaoRecordset::Open(LPCTSTR lpszTable, LPCTSTR lpszKeyField)
{
    Close();
    CString table = lpszTable != nullptr ? lpszTable : "";
    if (table.IsEmpty())
        Throw("No table named");
    // "owner.name": each part is its own identifier.
    CString quoted;
    int nStart = 0;
    for (;;)
    {
        int nDot = table.Find('.', nStart);
        CString part = nDot < 0 ? table.Mid(nStart) : table.Mid(nStart, nDot - nStart);
        if (part.IsEmpty())
            Throw("Malformed table name");
        if (!quoted.IsEmpty())
            quoted += ".";
        quoted += IsPlainName(part) ? part : QuoteIdentifier(part);
        if (nDot < 0)
            break;
        nStart = nDot + 1;
    }
    m_strTable = quoted;
    m_strKeyField = lpszKeyField != nullptr ? lpszKeyField : "";

    // The fields first, so that the sort string can be checked against them.
    CCommand cmd;
    if (FAILED(cmd.Open(m_session, "SELECT * FROM " + m_strTable + " WHERE 1 = 0")))
        ThrowDb(cmd, "Cannot open " + table);
    m_fields.assign(cmd.GetColumnCount(), CDaoFieldInfo());
    for (int i = 0; i < cmd.GetColumnCount(); ++i)
    {
        m_fields[i].m_strName = CStringFromUtf8(cmd.GetColumnDesc(i + 1).name);
        m_fields[i].m_nType = FieldTypeOf(cmd.GetColumnDesc(i + 1).kind);
    }
    m_nKeyField = -1;
    if (!m_strKeyField.IsEmpty())
    {
        m_nKeyField = FindField(m_strKeyField);
        if (m_nKeyField < 0)
        {
            m_fields.clear();
            Throw("No key field " + m_strKeyField + " in " + table);
        }
    }
    m_bOpen = true;
    try
    {
        Query();
    }
    catch (CDaoException*)
    {
        Close();
        throw;
    }
}

void CDaoRecordset::Close()
{
    m_bOpen = false;
    m_bEditing = false;
    m_fields.clear();
    m_rows.clear();
    m_edit.clear();
    m_changed.clear();
    m_index.clear();
    m_nCurrent = -1;
    m_nKeyField = -1;
}

void CDaoRecordset::CheckOpen() const
{
    if (!m_bOpen)
        Throw("The record set is not open");
}

void CDaoRecordset::CheckCurrent() const
{
    CheckOpen();
    if (m_nCurrent < 0 || m_nCurrent >= GetRecordCount())
        Throw("No current record");
}

int CDaoRecordset::FindField(LPCTSTR lpszName) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].m_strName.CompareNoCase(lpszName) == 0)
            return static_cast<int>(i);
    return -1;
}

CString CDaoRecordset::OrderByClause() const
{
    CString clause;
    CString sort = m_strSort;
    int nStart = 0;
    while (nStart <= sort.GetLength() && !Trim(sort).IsEmpty())
    {
        int nComma = sort.Find(',', nStart);
        CString item = Trim(nComma < 0 ? sort.Mid(nStart) : sort.Mid(nStart, nComma - nStart));
        CString name = item;
        const char* direction = "";
        CString rest;
        if (EndsWithWord(item, "DESC", rest))
            name = rest, direction = " DESC";
        else if (EndsWithWord(item, "ASC", rest))
            name = rest;
        int nField = FindField(name);
        if (nField < 0)
            Throw("Sort on an unknown field: " + name);
        clause += clause.IsEmpty() ? " ORDER BY " : ", ";
        clause += QuoteIdentifier(m_fields[nField].m_strName) + direction;
        if (nComma < 0)
            break;
        nStart = nComma + 1;
    }
    return clause;
}

COleVariant CDaoRecordset::FromDb(const CDbValue& v, short nType) const
{
    COleVariant value = Natural(v);
    if (value.vt == VT_NULL || (nType == dbText && value.vt == VT_BSTR))
        return value;
    // Server back ends give texts: "t"/"f" for booleans.
    if (nType == dbBoolean && value.vt == VT_BSTR)
    {
        CString s = Trim(value.strVal);
        if (s.CompareNoCase("t") == 0 || s.CompareNoCase("true") == 0)
            return COleVariant(static_cast<short>(1), VT_BOOL);
        if (s.CompareNoCase("f") == 0 || s.CompareNoCase("false") == 0)
            return COleVariant(static_cast<short>(0), VT_BOOL);
    }
    COleVariant typed = value;
    // A value the field's type cannot hold (a text in a number column) keeps its own type.
    return typed.ChangeType(VarTypeOf(nType)) ? typed : value;
}

void CDaoRecordset::Query()
{
    CheckOpen();
    CString order = OrderByClause();
    CCommand cmd;
    if (FAILED(cmd.Open(m_session, "SELECT * FROM " + m_strTable + order)))
        ThrowDb(cmd, "Cannot read the records");
    if (cmd.GetColumnCount() != GetFieldCount())
        Throw("The table's fields changed");
    m_rows.clear();
    m_bEditing = false;
    while (cmd.MoveNext() == S_OK)
    {
        std::vector<COleVariant> row(m_fields.size());
        for (size_t i = 0; i < m_fields.size(); ++i)
            row[i] = FromDb(cmd.GetValue(static_cast<int>(i) + 1), m_fields[i].m_nType);
        m_rows.push_back(std::move(row));
    }
    m_nCurrent = m_rows.empty() ? -1 : 0;
    m_index.clear();
}

void CDaoRecordset::Requery() { Query(); }

BOOL CDaoRecordset::IsBOF() const { return m_nCurrent < 0; }
BOOL CDaoRecordset::IsEOF() const { return m_rows.empty() || m_nCurrent >= GetRecordCount(); }

void CDaoRecordset::MoveFirst()
{
    CheckOpen();
    if (m_rows.empty())
        Throw("No current record");
    m_bEditing = false;
    m_nCurrent = 0;
}

void CDaoRecordset::MoveLast()
{
    CheckOpen();
    if (m_rows.empty())
        Throw("No current record");
    m_bEditing = false;
    m_nCurrent = GetRecordCount() - 1;
}

void CDaoRecordset::MoveNext()
{
    CheckOpen();
    if (IsEOF())
        Throw("No current record");
    m_bEditing = false;
    ++m_nCurrent;
}

void CDaoRecordset::MovePrev()
{
    CheckOpen();
    if (IsBOF())
        Throw("No current record");
    m_bEditing = false;
    --m_nCurrent;
}

void CDaoRecordset::SetAbsolutePosition(long lPosition)
{
    CheckOpen();
    if (lPosition < 0 || lPosition >= GetRecordCount())
        Throw("No such record");
    m_bEditing = false;
    m_nCurrent = lPosition;
}

long CDaoRecordset::GetAbsolutePosition() const
{
    return m_nCurrent >= 0 && m_nCurrent < GetRecordCount() ? m_nCurrent : -1;
}

void CDaoRecordset::GetFieldInfo(int nIndex, CDaoFieldInfo& fieldinfo, DWORD) const
{
    if (nIndex < 0 || nIndex >= GetFieldCount())
        Throw("No such field");
    fieldinfo = m_fields[nIndex];
}

COleVariant CDaoRecordset::GetFieldValue(int nIndex) const
{
    CheckCurrent();
    if (nIndex < 0 || nIndex >= GetFieldCount())
        Throw("No such field");
    return m_bEditing ? m_edit[nIndex] : m_rows[m_nCurrent][nIndex];
}

COleVariant CDaoRecordset::GetFieldValue(LPCTSTR lpszName) const
{
    int n = FindField(lpszName);
    if (n < 0)
        Throw(CString("No such field: ") + lpszName);
    return GetFieldValue(n);
}

bool CDaoRecordset::ToFieldType(int nField, COleVariant& value) const
{
    if (value.vt == VT_NULL)
        return true;
    return value.ChangeType(VarTypeOf(m_fields[nField].m_nType)) != FALSE;
}

bool CDaoRecordset::Matches(int nField, const COleVariant& value, long nRow) const
{
    const COleVariant& have = m_rows[nRow][nField];
    if (value.vt == VT_NULL || have.vt == VT_NULL)
        return false;  // null equals nothing
    if (have.vt == value.vt)
        return have == value;
    // A stored value the field's type could not hold: compare the texts.
    COleVariant a = have, b = value;
    return a.ChangeType(VT_BSTR) && b.ChangeType(VT_BSTR) && a == b;
}

BOOL CDaoRecordset::FindFirst(int nField, const COleVariant& value)
{
    CheckOpen();
    if (nField < 0 || nField >= GetFieldCount())
        Throw("No such field");
    return Find(nField, value, 0);
}

BOOL CDaoRecordset::FindFirst(LPCTSTR lpszField, const COleVariant& value)
{
    int n = FindField(lpszField);
    if (n < 0)
        Throw(CString("No such field: ") + lpszField);
    return FindFirst(n, value);
}

BOOL CDaoRecordset::FindNext(int nField, const COleVariant& value)
{
    CheckOpen();
    if (nField < 0 || nField >= GetFieldCount())
        Throw("No such field");
    return Find(nField, value, m_nCurrent + 1);
}

// Values are indexed by their text: equal values have equal texts, so the records with the
// sought value's text are the only candidates, each then compared as a value.
BOOL CDaoRecordset::Find(int nField, const COleVariant& value, long nFrom)
{
    COleVariant typed = value;
    if (!ToFieldType(nField, typed))
        typed.ChangeType(VT_BSTR);  // compared as text with values the type could not hold
    COleVariant text = typed;
    if (!text.ChangeType(VT_BSTR))
        return FALSE;  // null finds nothing
    auto itField = m_index.find(nField);
    if (itField == m_index.end())
    {
        itField = m_index.emplace(nField, TextIndex()).first;
        for (long i = 0; i < GetRecordCount(); ++i)
        {
            COleVariant v = m_rows[i][nField];
            if (v.ChangeType(VT_BSTR))
                itField->second[std::string(v.strVal)].push_back(i);
        }
    }
    auto it = itField->second.find(std::string(text.strVal));
    if (it == itField->second.end())
        return FALSE;
    for (auto row = std::lower_bound(it->second.begin(), it->second.end(), nFrom); row != it->second.end(); ++row)
        if (Matches(nField, typed, *row))
        {
            m_bEditing = false;
            m_nCurrent = *row;
            return TRUE;
        }
    return FALSE;
}

void CDaoRecordset::Edit()
{
    CheckCurrent();
    if (m_nKeyField < 0)
        Throw("The record set is not updatable (no key field)");
    m_edit = m_rows[m_nCurrent];
    m_changed.assign(m_fields.size(), false);
    m_bEditing = true;
}

void CDaoRecordset::SetFieldValue(int nIndex, const COleVariant& value)
{
    if (!m_bEditing)
        Throw("SetFieldValue outside Edit");
    if (nIndex < 0 || nIndex >= GetFieldCount())
        Throw("No such field");
    COleVariant typed = value;
    if (!ToFieldType(nIndex, typed))
    {
        COleVariant text = value;
        text.ChangeType(VT_BSTR);
        Throw("The value \"" + text.strVal + "\" does not fit the field " + m_fields[nIndex].m_strName);
    }
    m_edit[nIndex] = typed;
    m_changed[nIndex] = true;
}

void CDaoRecordset::SetFieldValue(int nIndex, LPCTSTR lpszValue) { SetFieldValue(nIndex, COleVariant(lpszValue)); }

void CDaoRecordset::SetFieldValueNull(int nIndex)
{
    COleVariant null;
    null.vt = VT_NULL;
    SetFieldValue(nIndex, null);
}

CDbParam CDaoRecordset::ToParam(int, const COleVariant& value) const
{
    switch (value.vt)
    {
    case VT_BOOL: return CDbParam(value.boolVal != 0 ? "1" : "0");
    case VT_UI1: return CDbParam(static_cast<int>(value.bVal));
    case VT_I2: return CDbParam(static_cast<int>(value.iVal));
    case VT_I4: return CDbParam(static_cast<int>(value.lVal));
    case VT_R4: return CDbParam(static_cast<double>(value.fltVal));
    case VT_R8: return CDbParam(value.dblVal);
    case VT_CY: return CDbParam(COleCurrency(value.cyVal).Format());
    case VT_DATE:
    {
        COleDateTime dt(value.date);
        bool bTime = dt.GetHour() != 0 || dt.GetMinute() != 0 || dt.GetSecond() != 0;
        return CDbParam(dt.Format(bTime ? "%Y-%m-%d %H:%M:%S" : "%Y-%m-%d"));
    }
    case VT_BSTR: return CDbParam(value.strVal);
    default:
    {
        CDbParam null(0);
        null.m_value = CDbValue();
        return null;
    }
    }
}

// Booleans travel as "1" or "0" and are cast by the database, which takes that on every
// back end.
CString CDaoRecordset::ParamMarker(int nField) const
{
    return m_fields[nField].m_nType == dbBoolean ? "CAST(? AS BOOLEAN)" : "?";
}

void CDaoRecordset::Update()
{
    if (!m_bEditing)
        Throw("Update outside Edit");
    const COleVariant& key = m_rows[m_nCurrent][m_nKeyField];
    if (key.vt == VT_NULL)
        Throw("The record has no key value");
    CString sql = "UPDATE " + m_strTable + " SET ";
    std::vector<CDbParam> params;
    bool bAny = false;
    for (size_t i = 0; i < m_fields.size(); ++i)
    {
        if (!m_changed[i])
            continue;
        if (bAny)
            sql += ", ";
        sql += QuoteIdentifier(m_fields[i].m_strName) + " = " + ParamMarker(static_cast<int>(i));
        params.push_back(ToParam(static_cast<int>(i), m_edit[i]));
        bAny = true;
    }
    if (bAny)
    {
        sql += " WHERE " + QuoteIdentifier(m_fields[m_nKeyField].m_strName) + " = " + ParamMarker(m_nKeyField);
        params.push_back(ToParam(m_nKeyField, key));
        CCommand cmd;
        if (FAILED(cmd.Open(m_session, sql, params)))
            ThrowDb(cmd, "Cannot write the record");
        if (cmd.GetRowsAffected() == 0)
            Throw("The record is no longer in the table");
        m_rows[m_nCurrent] = m_edit;
        m_index.clear();
    }
    m_bEditing = false;
}

void CDaoRecordset::CancelUpdate() { m_bEditing = false; }
