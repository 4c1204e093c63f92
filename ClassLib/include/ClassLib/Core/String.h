// CString: the class library's string. It holds code page 936 bytes (ASCII plus GBK
// double-byte characters); lengths and indexes count bytes. Operations that search,
// trim, replace or change case step by whole characters, so they never match, cut or
// alter the trail byte of a double-byte character.
#pragma once

#include <ClassLib/Core/PrintfFormat.h>
#include <ClassLib/Core/WinTypes.h>

#include <cstdarg>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <utility>

class AFX_EXT_CLASS CString
{
public:
    CString() = default;
    CString(const CString& other) = default;
    CString(CString&& other) noexcept = default;
    // A pointer made by MAKEINTRESOURCE(id) loads string resource id; NULL gives "".
    CString(LPCTSTR psz);
    CString(LPCTSTR pch, int nLength);
    CString(std::nullptr_t) {}
    CString(const unsigned char* psz);
    CString(TCHAR ch, int nRepeat = 1);
    // From UTF-16 text (converted to code page 936; unmappable characters become '?').
    CString(LPCWSTR pwsz);
    CString(LPCWSTR pwch, int nLength);
    explicit CString(const std::string& bytes) : m_str(bytes) {}
    explicit CString(std::string&& bytes) noexcept : m_str(std::move(bytes)) {}

    // Size and elements.
    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    int GetAllocLength() const { return static_cast<int>(m_str.capacity()); }
    // Out-of-range indexes read as 0 and writes to them are ignored.
    TCHAR GetAt(int nIndex) const;
    void SetAt(int nIndex, TCHAR ch);
    TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
    TCHAR operator[](unsigned int nIndex) const { return GetAt(static_cast<int>(nIndex)); }
    TCHAR operator[](long nIndex) const { return GetAt(static_cast<int>(nIndex)); }
    TCHAR operator[](unsigned long nIndex) const { return GetAt(static_cast<int>(nIndex)); }
    TCHAR operator[](long long nIndex) const { return GetAt(static_cast<int>(nIndex)); }
    TCHAR operator[](unsigned long long nIndex) const { return GetAt(static_cast<int>(nIndex)); }
    operator LPCTSTR() const { return m_str.c_str(); }
    LPCTSTR GetString() const { return m_str.c_str(); }
    // The bytes, for code that works with the standard library.
    const std::string& str() const { return m_str; }

    // Assignment and concatenation.
    CString& operator=(const CString& other) = default;
    CString& operator=(CString&& other) noexcept = default;
    CString& operator=(LPCTSTR psz);
    CString& operator=(std::nullptr_t) { m_str.clear(); return *this; }
    CString& operator=(const unsigned char* psz);
    CString& operator=(TCHAR ch);
    CString& operator=(LPCWSTR pwsz);
    CString& operator+=(const CString& other);
    CString& operator+=(LPCTSTR psz);
    CString& operator+=(TCHAR ch);
    CString& operator+=(LPCWSTR pwsz);
    void Append(LPCTSTR psz, int nLength);
    void AppendChar(TCHAR ch) { m_str.push_back(ch); }

    // Comparison as unsigned bytes; CompareNoCase folds ASCII letters only.
    int Compare(LPCTSTR psz) const;
    int CompareNoCase(LPCTSTR psz) const;
    // Collation of the "C" locale the programs run in: the same order as Compare.
    int Collate(LPCTSTR psz) const;
    int CollateNoCase(LPCTSTR psz) const;

    // Extraction. Counts and positions out of range are clamped to the string.
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCTSTR pszCharSet) const;
    CString SpanExcluding(LPCTSTR pszCharSet) const;

    // Searching: -1 when not found. Matches start on character boundaries only.
    int Find(TCHAR ch) const { return Find(ch, 0); }
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR pszSub) const { return Find(pszSub, 0); }
    int Find(LPCTSTR pszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR pszCharSet) const;
    // The next token at or after iStart, separated by any of pszTokens; iStart moves past
    // it. At the end the result is empty and iStart is -1.
    CString Tokenize(LPCTSTR pszTokens, int& iStart) const;

    // Changing: each returns what the platform's returns (counts or the new length).
    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR pszOld, LPCTSTR pszNew);
    int Remove(TCHAR ch);
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR psz);
    int Delete(int nIndex, int nCount = 1);

    void TrimLeft();
    void TrimLeft(TCHAR chTarget);
    void TrimLeft(LPCTSTR pszTargets);
    void TrimRight();
    void TrimRight(TCHAR chTarget);
    void TrimRight(LPCTSTR pszTargets);
    CString& Trim() { TrimRight(); TrimLeft(); return *this; }
    CString& Trim(TCHAR ch) { TrimRight(ch); TrimLeft(ch); return *this; }
    CString& Trim(LPCTSTR pszTargets) { TrimRight(pszTargets); TrimLeft(pszTargets); return *this; }

    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    // The OEM and ANSI code pages are the same code page here.
    void AnsiToOem() {}
    void OemToAnsi() {}

    // printf formatting of any length. "%I64d"-style sizes are understood too.
    void Format(LPCTSTR pszFormat, ...) PC_PRINTF_FORMAT(2, 3);
    void Format(UINT nFormatID, ...);
    void FormatV(LPCTSTR pszFormat, va_list args);
    void AppendFormat(LPCTSTR pszFormat, ...) PC_PRINTF_FORMAT(2, 3);

    // Direct buffer access: GetBuffer gives room for at least nMinBufLength bytes plus a
    // terminating NUL; ReleaseBuffer(-1) takes the length up to the first NUL.
    LPTSTR GetBuffer(int nMinBufLength = 0);
    LPTSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR LockBuffer() { return GetBuffer(0); }
    void UnlockBuffer() {}
    void FreeExtra() { m_str.shrink_to_fit(); }
    void Preallocate(int nLength) { if (nLength > 0) m_str.reserve(static_cast<size_t>(nLength)); }

    // String resources, looked up through the modules' resource tables.
    BOOL LoadString(UINT nID);

    // UTF-16 copies for automation: free with SysFreeString.
    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;

private:
    void AssignFrom(LPCTSTR psz);
    std::string m_str;
};

// Concatenation.
AFX_EXT_API CString operator+(const CString& a, const CString& b);
AFX_EXT_API CString operator+(const CString& a, LPCTSTR b);
AFX_EXT_API CString operator+(LPCTSTR a, const CString& b);
AFX_EXT_API CString operator+(const CString& a, TCHAR b);
AFX_EXT_API CString operator+(TCHAR a, const CString& b);

// Comparisons (byte order).
inline bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
inline bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, LPCTSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCTSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
inline bool operator<(LPCTSTR a, const CString& b) { return b.Compare(a) > 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
inline bool operator>(LPCTSTR a, const CString& b) { return b.Compare(a) < 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator<=(const CString& a, LPCTSTR b) { return a.Compare(b) <= 0; }
inline bool operator<=(LPCTSTR a, const CString& b) { return b.Compare(a) >= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
inline bool operator>=(const CString& a, LPCTSTR b) { return a.Compare(b) >= 0; }
inline bool operator>=(LPCTSTR a, const CString& b) { return b.Compare(a) <= 0; }

// Test output: prints the text as UTF-8 in quotes.
AFX_EXT_API void PrintTo(const CString& s, std::ostream* os);

namespace std {
template <>
struct hash<CString>
{
    size_t operator()(const CString& s) const noexcept { return hash<string>()(s.str()); }
};
}  // namespace std

// Automation strings: UTF-16, length-prefixed, NUL-terminated, on the heap.
AFX_EXT_API BSTR SysAllocString(const OLECHAR* psz);
AFX_EXT_API BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch);
AFX_EXT_API BOOL SysReAllocString(BSTR* pbstr, const OLECHAR* psz);
AFX_EXT_API void SysFreeString(BSTR bstr);
AFX_EXT_API UINT SysStringLen(BSTR bstr);
AFX_EXT_API UINT SysStringByteLen(BSTR bstr);
