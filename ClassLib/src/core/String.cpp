// CString over code page 936 bytes.
#include <ClassLib/Core/String.h>

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/Mbcs.h>
#include <ClassLib/Resources/Resources.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ostream>

namespace {

inline const unsigned char* U(const char* p) { return reinterpret_cast<const unsigned char*>(p); }

// Bytes of the character starting at s[i].
inline size_t CharLenAt(const std::string& s, size_t i)
{
    return (_ismbblead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

inline bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The platform's size prefixes that the C library spells differently: I64 -> ll,
// I32 -> (none), a bare I (pointer sized) -> z. Everything else is passed through.
std::string TranslateFormat(const char* fmt)
{
    std::string out;
    out.reserve(std::strlen(fmt) + 8);
    const char* p = fmt;
    while (*p) {
        if (*p != '%') {
            out.push_back(*p++);
            continue;
        }
        out.push_back(*p++);
        if (*p == '%') {
            out.push_back(*p++);
            continue;
        }
        // Flags, width and precision.
        while (*p && std::strchr("-+ #0'", *p))
            out.push_back(*p++);
        while (*p && (std::isdigit(static_cast<unsigned char>(*p)) || *p == '*' || *p == '.'))
            out.push_back(*p++);
        if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
            out += "ll";
            p += 3;
        } else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
            p += 3;
        } else if (p[0] == 'I' && p[1] && std::strchr("diouxX", p[1])) {
            out.push_back('z');
            p += 1;
        }
    }
    return out;
}

std::string FormatToString(const char* fmt, va_list args)
{
    if (!fmt)
        return std::string();
    std::string translated;
    if (std::strchr(fmt, 'I')) {
        translated = TranslateFormat(fmt);
        fmt = translated.c_str();
    }
    std::string out(256, '\0');
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(&out[0], out.size(), fmt, copy);
    va_end(copy);
    if (n < 0)
        return std::string();
    if (static_cast<size_t>(n) >= out.size()) {
        out.assign(static_cast<size_t>(n) + 1, '\0');
        va_copy(copy, args);
        n = std::vsnprintf(&out[0], out.size(), fmt, copy);
        va_end(copy);
        if (n < 0)
            return std::string();
    }
    out.resize(static_cast<size_t>(n));
    return out;
}

}  // namespace

// Construction and assignment.

void CString::AssignFrom(LPCTSTR psz)
{
    if (!psz) {
        m_str.clear();
    } else if (IS_INTRESOURCE(psz)) {
        if (!LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(psz))))
            m_str.clear();
    } else if (psz == m_str.c_str()) {
        // the string itself: nothing changes, and its buffer stays where it is
    } else if (psz >= m_str.data() && psz <= m_str.data() + m_str.size()) {
        m_str = std::string(psz);  // a pointer into this string
    } else {
        m_str.assign(psz);
    }
}

CString::CString(LPCTSTR psz) { AssignFrom(psz); }

CString::CString(LPCTSTR pch, int nLength)
{
    if (pch && nLength > 0)
        m_str.assign(pch, static_cast<size_t>(nLength));
}

CString::CString(const unsigned char* psz) { AssignFrom(reinterpret_cast<LPCTSTR>(psz)); }

CString::CString(TCHAR ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString::CString(LPCWSTR pwsz)
{
    if (pwsz)
        m_str = Cp936FromUtf16(pwsz, std::char_traits<char16_t>::length(pwsz));
}

CString::CString(LPCWSTR pwch, int nLength)
{
    if (pwch && nLength > 0)
        m_str = Cp936FromUtf16(pwch, static_cast<size_t>(nLength));
}

CString& CString::operator=(LPCTSTR psz)
{
    AssignFrom(psz);
    return *this;
}

CString& CString::operator=(const unsigned char* psz)
{
    AssignFrom(reinterpret_cast<LPCTSTR>(psz));
    return *this;
}

CString& CString::operator=(TCHAR ch)
{
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator=(LPCWSTR pwsz)
{
    m_str = pwsz ? Cp936FromUtf16(pwsz, std::char_traits<char16_t>::length(pwsz)) : std::string();
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    m_str += other.m_str;
    return *this;
}

CString& CString::operator+=(LPCTSTR psz)
{
    if (psz && !IS_INTRESOURCE(psz))
        m_str += std::string(psz);  // a copy first: psz may point into this string
    return *this;
}

CString& CString::operator+=(TCHAR ch)
{
    m_str.push_back(ch);
    return *this;
}

CString& CString::operator+=(LPCWSTR pwsz)
{
    if (pwsz)
        m_str += Cp936FromUtf16(pwsz, std::char_traits<char16_t>::length(pwsz));
    return *this;
}

void CString::Append(LPCTSTR psz, int nLength)
{
    if (psz && nLength > 0)
        m_str += std::string(psz, static_cast<size_t>(nLength));
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, LPCTSTR b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(LPCTSTR a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, TCHAR b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(TCHAR a, const CString& b)
{
    CString r(a, 1);
    r += b;
    return r;
}

// Elements.

TCHAR CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLength())
        return 0;
    return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, TCHAR ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        return;
    m_str[static_cast<size_t>(nIndex)] = ch;
}

// Comparison.

int CString::Compare(LPCTSTR psz) const
{
    int r = _mbscmp(U(m_str.c_str()), U(psz ? psz : ""));
    return (r > 0) - (r < 0);
}

int CString::CompareNoCase(LPCTSTR psz) const
{
    int r = _mbsicmp(U(m_str.c_str()), U(psz ? psz : ""));
    return (r > 0) - (r < 0);
}

int CString::Collate(LPCTSTR psz) const { return Compare(psz); }

int CString::CollateNoCase(LPCTSTR psz) const { return CompareNoCase(psz); }

// Extraction.

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const
{
    long long len = GetLength();
    long long first = std::max(nFirst, 0);
    long long count = std::max(nCount, 0);
    if (first >= len || count == 0)
        return CString();
    count = std::min(count, len - first);
    return CString(m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int nCount) const
{
    if (nCount <= 0)
        return CString();
    return CString(m_str.substr(0, static_cast<size_t>(nCount)));
}

CString CString::Right(int nCount) const
{
    if (nCount <= 0)
        return CString();
    size_t n = std::min(static_cast<size_t>(nCount), m_str.size());
    return CString(m_str.substr(m_str.size() - n));
}

CString CString::SpanIncluding(LPCTSTR pszCharSet) const
{
    return Left(static_cast<int>(_mbsspn(U(m_str.c_str()), U(pszCharSet ? pszCharSet : ""))));
}

CString CString::SpanExcluding(LPCTSTR pszCharSet) const
{
    return Left(static_cast<int>(_mbscspn(U(m_str.c_str()), U(pszCharSet ? pszCharSet : ""))));
}

// Searching.

int CString::Find(TCHAR ch, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    size_t start = static_cast<size_t>(nStart);
    for (size_t i = 0; i < m_str.size(); i += CharLenAt(m_str, i)) {
        if (i >= start && CharLenAt(m_str, i) == 1 && m_str[i] == ch)
            return static_cast<int>(i);
    }
    return -1;
}

int CString::Find(LPCTSTR pszSub, int nStart) const
{
    if (!pszSub)
        return -1;
    if (nStart < 0)
        nStart = 0;
    size_t start = static_cast<size_t>(nStart);
    if (start > m_str.size())
        return -1;
    size_t n = std::strlen(pszSub);
    for (size_t i = 0; i <= m_str.size(); i += (i < m_str.size() ? CharLenAt(m_str, i) : 1)) {
        if (i >= start && m_str.compare(i, n, pszSub, n) == 0 && i + n <= m_str.size())
            return static_cast<int>(i);
        if (i == m_str.size())
            break;
    }
    return -1;
}

int CString::ReverseFind(TCHAR ch) const
{
    int found = -1;
    for (size_t i = 0; i < m_str.size(); i += CharLenAt(m_str, i))
        if (CharLenAt(m_str, i) == 1 && m_str[i] == ch)
            found = static_cast<int>(i);
    return found;
}

int CString::FindOneOf(LPCTSTR pszCharSet) const
{
    if (!pszCharSet)
        return -1;
    const unsigned char* base = U(m_str.c_str());
    const unsigned char* p = _mbspbrk(base, U(pszCharSet));
    return p ? static_cast<int>(p - base) : -1;
}

CString CString::Tokenize(LPCTSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart >= GetLength() || !pszTokens) {
        iStart = -1;
        return CString();
    }
    if (!*pszTokens) {
        CString rest = Mid(iStart);
        iStart = GetLength();
        return rest;
    }
    // Start from the character boundary at or after iStart.
    size_t i = 0;
    while (i < static_cast<size_t>(iStart))
        i += CharLenAt(m_str, i);
    const unsigned char* base = U(m_str.c_str());
    i += _mbsspn(base + i, U(pszTokens));
    if (i >= m_str.size()) {
        iStart = -1;
        return CString();
    }
    size_t n = _mbscspn(base + i, U(pszTokens));
    CString token(m_str.substr(i, n));
    // Past the separator (or one past the end, as the platform's does).
    size_t next = i + n;
    next += next < m_str.size() ? CharLenAt(m_str, next) : 1;
    iStart = static_cast<int>(next);
    return token;
}

// Changing.

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
    if (chOld == chNew)
        return 0;
    int count = 0;
    for (size_t i = 0; i < m_str.size(); i += CharLenAt(m_str, i)) {
        if (CharLenAt(m_str, i) == 1 && m_str[i] == chOld) {
            m_str[i] = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCTSTR pszOld, LPCTSTR pszNew)
{
    if (!pszOld || !*pszOld)
        return 0;
    const std::string from(pszOld);
    const std::string to(pszNew ? pszNew : "");
    std::string out;
    int count = 0;
    size_t i = 0;
    while (i < m_str.size()) {
        if (m_str.compare(i, from.size(), from) == 0) {
            out += to;
            i += from.size();
            ++count;
        } else {
            size_t len = CharLenAt(m_str, i);
            out.append(m_str, i, len);
            i += len;
        }
    }
    if (count)
        m_str.swap(out);
    return count;
}

int CString::Remove(TCHAR ch)
{
    std::string out;
    out.reserve(m_str.size());
    int count = 0;
    for (size_t i = 0; i < m_str.size();) {
        size_t len = CharLenAt(m_str, i);
        if (len == 1 && m_str[i] == ch)
            ++count;
        else
            out.append(m_str, i, len);
        i += len;
    }
    if (count)
        m_str.swap(out);
    return count;
}

int CString::Insert(int nIndex, TCHAR ch)
{
    size_t at = static_cast<size_t>(std::min(std::max(nIndex, 0), GetLength()));
    m_str.insert(at, 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCTSTR psz)
{
    if (psz && *psz) {
        size_t at = static_cast<size_t>(std::min(std::max(nIndex, 0), GetLength()));
        m_str.insert(at, std::string(psz));
    }
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < GetLength()) {
        size_t at = static_cast<size_t>(nIndex);
        size_t n = std::min(static_cast<size_t>(nCount), m_str.size() - at);
        m_str.erase(at, n);
    }
    return GetLength();
}

void CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_str.size() && IsSpace(static_cast<unsigned char>(m_str[i])))
        ++i;
    m_str.erase(0, i);
}

void CString::TrimLeft(TCHAR chTarget)
{
    size_t i = 0;
    while (i < m_str.size() && m_str[i] == chTarget && CharLenAt(m_str, i) == 1)
        ++i;
    m_str.erase(0, i);
}

void CString::TrimLeft(LPCTSTR pszTargets)
{
    if (!pszTargets || !*pszTargets)
        return;
    m_str.erase(0, _mbsspn(U(m_str.c_str()), U(pszTargets)));
}

void CString::TrimRight()
{
    // The end of the last character that is not white space.
    size_t keep = 0;
    for (size_t i = 0; i < m_str.size();) {
        size_t len = CharLenAt(m_str, i);
        if (len == 2 || !IsSpace(static_cast<unsigned char>(m_str[i])))
            keep = i + len;
        i += len;
    }
    m_str.resize(keep);
}

void CString::TrimRight(TCHAR chTarget)
{
    size_t keep = 0;
    for (size_t i = 0; i < m_str.size();) {
        size_t len = CharLenAt(m_str, i);
        if (len == 2 || m_str[i] != chTarget)
            keep = i + len;
        i += len;
    }
    m_str.resize(keep);
}

void CString::TrimRight(LPCTSTR pszTargets)
{
    if (!pszTargets || !*pszTargets)
        return;
    const std::string set(pszTargets);  // may point into this string
    size_t keep = 0;
    for (size_t i = 0; i < m_str.size();) {
        size_t len = CharLenAt(m_str, i);
        std::string ch = m_str.substr(i, len);
        if (_mbsspn(U(ch.c_str()), U(set.c_str())) != len)
            keep = i + len;
        i += len;
    }
    m_str.resize(keep);
}

void CString::MakeUpper()
{
    if (!m_str.empty())
        _mbsupr(reinterpret_cast<unsigned char*>(&m_str[0]));
}

void CString::MakeLower()
{
    if (!m_str.empty())
        _mbslwr(reinterpret_cast<unsigned char*>(&m_str[0]));
}

void CString::MakeReverse()
{
    if (!m_str.empty())
        _mbsrev(reinterpret_cast<unsigned char*>(&m_str[0]));
}

// Formatting.

void CString::FormatV(LPCTSTR pszFormat, va_list args)
{
    m_str = FormatToString(pszFormat, args);
}

void CString::Format(LPCTSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...)
{
    CString format;
    format.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(LPCTSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    m_str += FormatToString(pszFormat, args);
    va_end(args);
}

// Buffer access.

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufLength), '\0');
    return &m_str[0];
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)), '\0');
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    size_t n;
    if (nNewLength < 0)
        n = ::strnlen(m_str.c_str(), m_str.size());
    else
        n = std::min(static_cast<size_t>(nNewLength), m_str.size());
    m_str.resize(n);
}

// Resources and automation strings.

BOOL CString::LoadString(UINT nID)
{
    return AfxLoadString(nID, *this);
}

BSTR CString::AllocSysString() const
{
    std::u16string w = Utf16FromCp936(m_str.data(), m_str.size());
    return SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    if (!pbstr)
        return nullptr;
    BSTR fresh = AllocSysString();
    SysFreeString(*pbstr);
    *pbstr = fresh;
    return fresh;
}

void PrintTo(const CString& s, std::ostream* os)
{
    if (os)
        *os << '"' << Utf8FromCString(s) << '"';
}
