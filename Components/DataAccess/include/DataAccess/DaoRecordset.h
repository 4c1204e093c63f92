// CDaoRecordset: the records of one table read through a session, with a current record, a
// sort string applied on requery, finding by field value and edits written back by the
// table's key. Values are COleVariants typed by the fields' declared types. Failures throw
// CDaoException (delete it with Delete()).
#pragma once

#include <ClassLib/Core/Exceptions.h>
#include <ClassLib/Core/OleVariant.h>
#include <DataAccess/DataAccess.h>

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

// Field types.
#define dbBoolean 1
#define dbByte 2
#define dbInteger 3
#define dbLong 4
#define dbCurrency 5
#define dbSingle 6
#define dbDouble 7
#define dbDate 8
#define dbText 10

// How much of a field's information GetFieldInfo fills (only the primary part exists).
#define AFX_DAO_PRIMARY_INFO 0x00000001

class AFX_EXT_CLASS CDaoException : public CException
{
    DECLARE_DYNAMIC(CDaoException)

public:
    CDaoException(LPCTSTR lpszError, HRESULT scode = E_FAIL);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    CString m_strError;  // code page 936
    HRESULT m_scode;
};

struct CDaoFieldInfo
{
    CString m_strName;
    short m_nType = dbText;  // db* above
};

class AFX_EXT_CLASS CDaoRecordset
{
public:
    explicit CDaoRecordset(const CSession& session);
    virtual ~CDaoRecordset();
    CDaoRecordset(const CDaoRecordset&) = delete;
    CDaoRecordset& operator=(const CDaoRecordset&) = delete;

    // Reads every field of the table ("name" or "owner.name"; a part other than letters,
    // digits and "_" is quoted as an identifier), in the sort order, positioned
    // on the first record. Writes need the key field: the field whose value names one record
    // of the table; without it the record set is read-only.
    void Open(LPCTSTR lpszTable, LPCTSTR lpszKeyField = nullptr);
    void Close();
    BOOL IsOpen() const { return m_bOpen; }
    // Reads the records again with the current sort string; positioned on the first record.
    void Requery();

    // Field names, each optionally followed by " ASC" or " DESC", separated by commas. Every
    // name must be one of the record set's fields (case is ignored).
    CString m_strSort;

    // ---- Position ----
    BOOL IsBOF() const;
    BOOL IsEOF() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrev();
    // 0-based; a position outside the records throws.
    void SetAbsolutePosition(long lPosition);
    long GetAbsolutePosition() const;  // -1 at BOF or EOF
    long GetRecordCount() const { return static_cast<long>(m_rows.size()); }

    // ---- Fields ----
    short GetFieldCount() const { return static_cast<short>(m_fields.size()); }
    void GetFieldInfo(int nIndex, CDaoFieldInfo& fieldinfo, DWORD dwInfoOptions = AFX_DAO_PRIMARY_INFO) const;
    // The field's index by name (case ignored), -1 when none.
    int FindField(LPCTSTR lpszName) const;
    // The current record's value (VT_NULL for a null); throws without a current record.
    COleVariant GetFieldValue(int nIndex) const;
    COleVariant GetFieldValue(LPCTSTR lpszName) const;

    // ---- Finding (compares values, never builds statement text from them) ----
    // Moves to the first (next, from the current) record whose field equals the value, the
    // value taken as the field's type (a text "12" finds 12 in a number field; a text that is
    // no number finds nothing there). FALSE, and the position unchanged, when none.
    BOOL FindFirst(int nField, const COleVariant& value);
    BOOL FindFirst(LPCTSTR lpszField, const COleVariant& value);
    BOOL FindNext(int nField, const COleVariant& value);

    // ---- Editing the current record ----
    void Edit();
    // Sets a field of the record being edited; the value is converted to the field's type
    // (a value that does not convert throws and changes nothing).
    void SetFieldValue(int nIndex, const COleVariant& value);
    void SetFieldValue(int nIndex, LPCTSTR lpszValue);
    void SetFieldValueNull(int nIndex);
    // Writes the changed fields to the table by the record's key value.
    void Update();
    void CancelUpdate();
    BOOL CanUpdate() const { return m_bOpen && m_nKeyField >= 0; }

    // A name as an identifier in double quotes (field names are always written so).
    static CString QuoteIdentifier(LPCTSTR lpszName);

private:
    void Query();
    void CheckOpen() const;
    void CheckCurrent() const;
    CString OrderByClause() const;
    COleVariant FromDb(const CDbValue& v, short nType) const;
    bool Matches(int nField, const COleVariant& value, long nRow) const;
    BOOL Find(int nField, const COleVariant& value, long nFrom);
    bool ToFieldType(int nField, COleVariant& value) const;
    CDbParam ToParam(int nField, const COleVariant& value) const;
    CString ParamMarker(int nField) const;
    [[noreturn]] void Throw(LPCTSTR lpszError) const;
    [[noreturn]] void ThrowDb(const CDbErrorInfo& source, LPCTSTR lpszWhat) const;

    CSession m_session;
    CString m_strTable;       // quoted
    CString m_strKeyField;
    int m_nKeyField = -1;
    bool m_bOpen = false;
    std::vector<CDaoFieldInfo> m_fields;
    std::vector<std::vector<COleVariant>> m_rows;
    long m_nCurrent = -1;     // -1 BOF, count EOF
    bool m_bEditing = false;
    std::vector<COleVariant> m_edit;
    std::vector<bool> m_changed;
    // Per searched field: the records (in order) by the text of their value; rebuilt after a
    // requery or a write.
    using TextIndex = std::unordered_map<std::string, std::vector<long>>;
    std::map<int, TextIndex> m_index;
};
