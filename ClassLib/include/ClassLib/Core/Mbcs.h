// Multibyte (code page 936) character helpers and the TCHAR routine names, TCHAR being a
// byte. A lead byte is 0x81..0xFE; with the byte after it (when that is not the end of
// the text) it forms one double-byte character. The _tcs names that search, compare
// without case or change case step by characters, as the platform's multibyte build did.
#pragma once

#include <ClassLib/Core/PrintfFormat.h>
#include <ClassLib/Core/WinTypes.h>

#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

typedef char _TCHAR;
typedef unsigned char _TUCHAR;
typedef signed char _TSCHAR;
typedef int _TINT;
typedef int errno_t;
#define _TEOF EOF

// Bytes and characters.
inline BOOL IsDBCSLeadByte(BYTE c) { return c >= 0x81 && c <= 0xFE; }
inline int _ismbblead(unsigned int c) { return (c & 0xFF) >= 0x81 && (c & 0xFF) <= 0xFE && c <= 0xFF; }
inline int _ismbbtrail(unsigned int c)
{
    return c <= 0xFF && ((c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE));
}
// Bytes taken by the character at p: 2 for a lead byte followed by a byte, else 1 (0 at the end).
inline size_t _mbclen(const unsigned char* p)
{
    if (!p || !*p)
        return 0;
    return (_ismbblead(*p) && p[1]) ? 2 : 1;
}
// The next character; never steps past the terminating NUL.
inline unsigned char* _mbsinc(const unsigned char* p)
{
    if (!p)
        return nullptr;
    if (!*p)
        return const_cast<unsigned char*>(p) + 1;
    return const_cast<unsigned char*>(p) + ((_ismbblead(*p) && p[1]) ? 2 : 1);
}
// The character before cur, found by walking from the start of the text; NULL at the start.
AFX_EXT_API unsigned char* _mbsdec(const unsigned char* start, const unsigned char* cur);
AFX_EXT_API unsigned char* _mbsninc(const unsigned char* p, size_t count);
AFX_EXT_API size_t _mbslen(const unsigned char* p);     // characters
AFX_EXT_API size_t _mbsnbcnt(const unsigned char* p, size_t chars);  // bytes of the first chars characters
AFX_EXT_API unsigned int _mbsnextc(const unsigned char* p);

// Comparisons as unsigned bytes; the no-case forms fold ASCII letters of single-byte
// characters only (a trail byte is never folded).
AFX_EXT_API int _mbscmp(const unsigned char* a, const unsigned char* b);
AFX_EXT_API int _mbsicmp(const unsigned char* a, const unsigned char* b);
AFX_EXT_API int _mbsnbcmp(const unsigned char* a, const unsigned char* b, size_t bytes);
AFX_EXT_API int _mbsnbicmp(const unsigned char* a, const unsigned char* b, size_t bytes);
AFX_EXT_API int _mbsncmp(const unsigned char* a, const unsigned char* b, size_t chars);
AFX_EXT_API int _mbsnicmp(const unsigned char* a, const unsigned char* b, size_t chars);

// Searching by characters (c may be a double-byte character, lead byte in the high byte).
AFX_EXT_API unsigned char* _mbschr(const unsigned char* s, unsigned int c);
AFX_EXT_API unsigned char* _mbsrchr(const unsigned char* s, unsigned int c);
AFX_EXT_API unsigned char* _mbsstr(const unsigned char* s, const unsigned char* sub);
AFX_EXT_API unsigned char* _mbspbrk(const unsigned char* s, const unsigned char* set);
AFX_EXT_API size_t _mbsspn(const unsigned char* s, const unsigned char* set);
AFX_EXT_API size_t _mbscspn(const unsigned char* s, const unsigned char* set);
AFX_EXT_API unsigned char* _mbstok(unsigned char* s, const unsigned char* delims);

// Case and order changes that leave double-byte characters whole.
AFX_EXT_API unsigned char* _mbsupr(unsigned char* s);
AFX_EXT_API unsigned char* _mbslwr(unsigned char* s);
AFX_EXT_API unsigned char* _mbsrev(unsigned char* s);

// Whether byte nIndex of psz starts a character (nIndex == length counts as a boundary).
AFX_EXT_API BOOL AfxIsMbcsBoundary(LPCTSTR psz, int nIndex);
// The largest length <= nMaxBytes (and <= the text's length) that does not split a
// double-byte character.
AFX_EXT_API int AfxMbcsTruncateLength(LPCTSTR psz, int nMaxBytes);
// Copies at most nMaxBytes bytes of src (whole characters) and a NUL into dst, which must
// hold nMaxBytes + 1 bytes. Returns the number of bytes copied.
AFX_EXT_API int AfxMbcsTruncateCopy(LPTSTR dst, LPCTSTR src, int nMaxBytes);

// The platform's string calls. NULL counts as the empty text where it did.
inline int lstrlen(LPCTSTR s) { return s ? static_cast<int>(std::strlen(s)) : 0; }
inline int lstrlenA(LPCSTR s) { return lstrlen(s); }
inline LPTSTR lstrcpy(LPTSTR dst, LPCTSTR src) { return std::strcpy(dst, src ? src : ""); }
// Copies at most nMax - 1 bytes and a NUL, never splitting a double-byte character.
AFX_EXT_API LPTSTR lstrcpyn(LPTSTR dst, LPCTSTR src, int nMax);
inline LPTSTR lstrcat(LPTSTR dst, LPCTSTR src) { return std::strcat(dst, src ? src : ""); }
inline int lstrcmp(LPCTSTR a, LPCTSTR b)
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(a ? a : ""),
                   reinterpret_cast<const unsigned char*>(b ? b : ""));
}
inline int lstrcmpi(LPCTSTR a, LPCTSTR b)
{
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a ? a : ""),
                    reinterpret_cast<const unsigned char*>(b ? b : ""));
}
#define wsprintf std::sprintf
#define wvsprintf std::vsprintf

namespace pc_mbcs_detail {
inline const unsigned char* U(const char* s) { return reinterpret_cast<const unsigned char*>(s); }
inline unsigned char* U(char* s) { return reinterpret_cast<unsigned char*>(s); }
inline char* C(unsigned char* s) { return reinterpret_cast<char*>(s); }
}  // namespace pc_mbcs_detail

// Byte-string routines of the C run-time that the platform named with underscores.
AFX_EXT_API int _stricmp(const char* a, const char* b);
AFX_EXT_API int _strnicmp(const char* a, const char* b, size_t n);
inline int stricmp(const char* a, const char* b) { return _stricmp(a, b); }
inline int strnicmp(const char* a, const char* b, size_t n) { return _strnicmp(a, b, n); }
inline int _strcmpi(const char* a, const char* b) { return _stricmp(a, b); }
AFX_EXT_API char* _strupr(char* s);
AFX_EXT_API char* _strlwr(char* s);
AFX_EXT_API char* _strrev(char* s);
inline char* strupr(char* s) { return _strupr(s); }
inline char* strlwr(char* s) { return _strlwr(s); }
inline char* _strdup(const char* s) { return s ? ::strdup(s) : nullptr; }
// Like snprintf, but returns -1 when the output did not fit. The buffer is always
// terminated (when count > 0).
AFX_EXT_API int _vsnprintf(char* buf, size_t count, const char* fmt, va_list args);
AFX_EXT_API int _snprintf(char* buf, size_t count, const char* fmt, ...) PC_PRINTF_FORMAT(3, 4);

// Number to text in any radix 2..36. Negative values get a '-' in radix 10 only; in other
// radixes the value's bits are written as unsigned, with the platform's 32-bit LONG.
AFX_EXT_API char* _itoa(int value, char* buf, int radix);
AFX_EXT_API char* _ltoa(LONG value, char* buf, int radix);
AFX_EXT_API char* _ultoa(ULONG value, char* buf, int radix);
AFX_EXT_API char* _i64toa(LONGLONG value, char* buf, int radix);
AFX_EXT_API char* _ui64toa(ULONGLONG value, char* buf, int radix);
inline char* itoa(int value, char* buf, int radix) { return _itoa(value, buf, radix); }
inline char* ltoa(LONG value, char* buf, int radix) { return _ltoa(value, buf, radix); }
inline LONGLONG _atoi64(const char* s) { return std::strtoll(s, nullptr, 10); }

// TCHAR names.
inline size_t _tcslen(const char* s) { return std::strlen(s); }
inline size_t _tcsclen(const char* s) { return _mbslen(pc_mbcs_detail::U(s)); }
inline char* _tcscpy(char* dst, const char* src) { return std::strcpy(dst, src); }
inline char* _tcsncpy(char* dst, const char* src, size_t n) { return std::strncpy(dst, src, n); }
inline char* _tcscat(char* dst, const char* src) { return std::strcat(dst, src); }
inline char* _tcsncat(char* dst, const char* src, size_t n) { return std::strncat(dst, src, n); }
// Bounded copy: fails with ERANGE (and an empty dst) rather than overrunning dst.
inline errno_t _tcscpy_s(char* dst, size_t size, const char* src)
{
    if (!dst || size == 0)
        return EINVAL;
    if (!src) { dst[0] = 0; return EINVAL; }
    size_t n = std::strlen(src);
    if (n >= size) { dst[0] = 0; return ERANGE; }
    std::memcpy(dst, src, n + 1);
    return 0;
}
inline int _tcscmp(const char* a, const char* b) { return _mbscmp(pc_mbcs_detail::U(a), pc_mbcs_detail::U(b)); }
inline int _tcsicmp(const char* a, const char* b) { return _mbsicmp(pc_mbcs_detail::U(a), pc_mbcs_detail::U(b)); }
inline int _tcsncmp(const char* a, const char* b, size_t n) { return _mbsnbcmp(pc_mbcs_detail::U(a), pc_mbcs_detail::U(b), n); }
inline int _tcsnicmp(const char* a, const char* b, size_t n) { return _mbsnbicmp(pc_mbcs_detail::U(a), pc_mbcs_detail::U(b), n); }
inline int _tcscoll(const char* a, const char* b) { return _tcscmp(a, b); }
inline int _tcsicoll(const char* a, const char* b) { return _tcsicmp(a, b); }
inline const char* _tcschr(const char* s, unsigned int c) { return pc_mbcs_detail::C(_mbschr(pc_mbcs_detail::U(s), c)); }
inline char* _tcschr(char* s, unsigned int c) { return pc_mbcs_detail::C(_mbschr(pc_mbcs_detail::U(s), c)); }
inline const char* _tcsrchr(const char* s, unsigned int c) { return pc_mbcs_detail::C(_mbsrchr(pc_mbcs_detail::U(s), c)); }
inline char* _tcsrchr(char* s, unsigned int c) { return pc_mbcs_detail::C(_mbsrchr(pc_mbcs_detail::U(s), c)); }
inline const char* _tcsstr(const char* s, const char* sub) { return pc_mbcs_detail::C(_mbsstr(pc_mbcs_detail::U(s), pc_mbcs_detail::U(sub))); }
inline char* _tcsstr(char* s, const char* sub) { return pc_mbcs_detail::C(_mbsstr(pc_mbcs_detail::U(s), pc_mbcs_detail::U(sub))); }
inline const char* _tcspbrk(const char* s, const char* set) { return pc_mbcs_detail::C(_mbspbrk(pc_mbcs_detail::U(s), pc_mbcs_detail::U(set))); }
inline char* _tcspbrk(char* s, const char* set) { return pc_mbcs_detail::C(_mbspbrk(pc_mbcs_detail::U(s), pc_mbcs_detail::U(set))); }
inline size_t _tcsspn(const char* s, const char* set) { return _mbsspn(pc_mbcs_detail::U(s), pc_mbcs_detail::U(set)); }
inline size_t _tcscspn(const char* s, const char* set) { return _mbscspn(pc_mbcs_detail::U(s), pc_mbcs_detail::U(set)); }
inline char* _tcstok(char* s, const char* delims) { return pc_mbcs_detail::C(_mbstok(pc_mbcs_detail::U(s), pc_mbcs_detail::U(delims))); }
inline char* _tcsupr(char* s) { return pc_mbcs_detail::C(_mbsupr(pc_mbcs_detail::U(s))); }
inline char* _tcslwr(char* s) { return pc_mbcs_detail::C(_mbslwr(pc_mbcs_detail::U(s))); }
inline char* _tcsrev(char* s) { return pc_mbcs_detail::C(_mbsrev(pc_mbcs_detail::U(s))); }
inline char* _tcsdup(const char* s) { return _strdup(s); }
inline const char* _tcsinc(const char* p) { return pc_mbcs_detail::C(_mbsinc(pc_mbcs_detail::U(p))); }
inline char* _tcsinc(char* p) { return pc_mbcs_detail::C(_mbsinc(pc_mbcs_detail::U(p))); }
inline const char* _tcsdec(const char* start, const char* p) { return pc_mbcs_detail::C(_mbsdec(pc_mbcs_detail::U(start), pc_mbcs_detail::U(p))); }
inline char* _tcsdec(char* start, char* p) { return pc_mbcs_detail::C(_mbsdec(pc_mbcs_detail::U(start), pc_mbcs_detail::U(p))); }
inline const char* _tcsninc(const char* p, size_t n) { return pc_mbcs_detail::C(_mbsninc(pc_mbcs_detail::U(p), n)); }
inline unsigned int _tcsnextc(const char* p) { return _mbsnextc(pc_mbcs_detail::U(p)); }
inline size_t _tcsnbcnt(const char* p, size_t n) { return _mbsnbcnt(pc_mbcs_detail::U(p), n); }
inline size_t _tclen(const char* p) { return _mbclen(pc_mbcs_detail::U(p)); }
inline size_t _tcsftime(char* buf, size_t max, const char* fmt, const struct tm* t) { return std::strftime(buf, max, fmt, t); }

inline int _ttoi(const char* s) { return std::atoi(s); }
inline long _ttol(const char* s) { return std::atol(s); }
inline int _tstoi(const char* s) { return std::atoi(s); }
inline long _tstol(const char* s) { return std::atol(s); }
inline LONGLONG _ttoi64(const char* s) { return std::strtoll(s, nullptr, 10); }
inline double _tstof(const char* s) { return std::atof(s); }
inline double _ttof(const char* s) { return std::atof(s); }
inline long _tcstol(const char* s, char** end, int radix) { return std::strtol(s, end, radix); }
inline unsigned long _tcstoul(const char* s, char** end, int radix) { return std::strtoul(s, end, radix); }
inline LONGLONG _tcstoi64(const char* s, char** end, int radix) { return std::strtoll(s, end, radix); }
inline ULONGLONG _tcstoui64(const char* s, char** end, int radix) { return std::strtoull(s, end, radix); }
inline double _tcstod(const char* s, char** end) { return std::strtod(s, end); }
inline char* _itot(int value, char* buf, int radix) { return _itoa(value, buf, radix); }
inline char* _ltot(LONG value, char* buf, int radix) { return _ltoa(value, buf, radix); }
inline char* _ultot(ULONG value, char* buf, int radix) { return _ultoa(value, buf, radix); }
inline char* _i64tot(LONGLONG value, char* buf, int radix) { return _i64toa(value, buf, radix); }
inline char* _ui64tot(ULONGLONG value, char* buf, int radix) { return _ui64toa(value, buf, radix); }

#define _stprintf std::sprintf
#define _vstprintf std::vsprintf
#define _sntprintf _snprintf
#define _vsntprintf _vsnprintf
#define _stscanf std::sscanf
#define _tprintf std::printf
#define _ftprintf std::fprintf
#define _tfopen std::fopen
#define _tremove std::remove
#define _trename std::rename
#define _tgetenv std::getenv

// Character classes: ASCII only (a byte >= 0x80 is never a digit, letter or space).
inline int _istdigit(unsigned int c) { return c < 0x80 && std::isdigit(static_cast<int>(c)); }
inline int _istxdigit(unsigned int c) { return c < 0x80 && std::isxdigit(static_cast<int>(c)); }
inline int _istalpha(unsigned int c) { return c < 0x80 && std::isalpha(static_cast<int>(c)); }
inline int _istalnum(unsigned int c) { return c < 0x80 && std::isalnum(static_cast<int>(c)); }
inline int _istspace(unsigned int c) { return c < 0x80 && std::isspace(static_cast<int>(c)); }
inline int _istupper(unsigned int c) { return c < 0x80 && std::isupper(static_cast<int>(c)); }
inline int _istlower(unsigned int c) { return c < 0x80 && std::islower(static_cast<int>(c)); }
inline int _istpunct(unsigned int c) { return c < 0x80 && std::ispunct(static_cast<int>(c)); }
inline int _istprint(unsigned int c) { return c < 0x80 && std::isprint(static_cast<int>(c)); }
inline int _istcntrl(unsigned int c) { return c < 0x80 && std::iscntrl(static_cast<int>(c)); }
inline int _istlead(unsigned int c) { return _ismbblead(c); }
inline unsigned int _totupper(unsigned int c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
inline unsigned int _totlower(unsigned int c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }
