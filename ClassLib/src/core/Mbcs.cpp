// Character-wise routines over code page 936 text.
#include <ClassLib/Core/Mbcs.h>

#include <algorithm>

namespace {

inline unsigned char* Mut(const unsigned char* p) { return const_cast<unsigned char*>(p); }

inline size_t CharLen(const unsigned char* p) { return (_ismbblead(*p) && p[1]) ? 2 : 1; }

inline unsigned int FoldAscii(unsigned int c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// Compares character by character; bytes as unsigned values. With fold, single-byte ASCII
// letters compare without case. limitBytes/limitChars bound how much is compared.
int CompareImpl(const unsigned char* a, const unsigned char* b, bool fold, size_t limitBytes,
                size_t limitChars)
{
    size_t bytes = 0, chars = 0;
    while (bytes < limitBytes && chars < limitChars) {
        unsigned int ca = *a, cb = *b;
        if (ca == 0 || cb == 0)
            return static_cast<int>(ca) - static_cast<int>(cb);
        size_t la = CharLen(a), lb = CharLen(b);
        if (la == 1 && lb == 1) {
            if (fold) {
                ca = FoldAscii(ca);
                cb = FoldAscii(cb);
            }
            if (ca != cb)
                return ca < cb ? -1 : 1;
        } else {
            // At least one double-byte character: plain byte order over its bytes.
            size_t n = std::max(la, lb);
            for (size_t i = 0; i < n && bytes + i < limitBytes; ++i) {
                if (a[i] != b[i])
                    return a[i] < b[i] ? -1 : 1;
            }
            if (la != lb) {
                // Same first byte, different lengths: impossible without differing above
                // unless the limit cut it short.
                return 0;
            }
        }
        a += la;
        b += lb;
        bytes += la;
        ++chars;
    }
    return 0;
}

// Whether the character at p (of length len) is in the set (which is walked by characters).
bool InSet(const unsigned char* p, size_t len, const unsigned char* set)
{
    for (const unsigned char* q = set; *q; q += CharLen(q)) {
        size_t ql = CharLen(q);
        if (ql == len && std::equal(p, p + len, q))
            return true;
    }
    return false;
}

char* ToBase(ULONGLONG v, bool negative, char* buf, int radix)
{
    if (!buf)
        return buf;
    if (radix < 2 || radix > 36) {
        buf[0] = 0;
        return buf;
    }
    char tmp[72];
    int n = 0;
    do {
        int d = static_cast<int>(v % static_cast<unsigned>(radix));
        tmp[n++] = static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
        v /= static_cast<unsigned>(radix);
    } while (v);
    char* out = buf;
    if (negative)
        *out++ = '-';
    while (n)
        *out++ = tmp[--n];
    *out = 0;
    return buf;
}

template <class S, class U>
char* SignedToBase(S value, char* buf, int radix)
{
    if (radix == 10 && value < 0)
        return ToBase(static_cast<ULONGLONG>(static_cast<U>(U(0) - static_cast<U>(value))), true, buf, radix);
    return ToBase(static_cast<U>(value), false, buf, radix);
}

}  // namespace

unsigned char* _mbsdec(const unsigned char* start, const unsigned char* cur)
{
    if (!start || !cur || cur <= start)
        return nullptr;
    const unsigned char* p = start;
    const unsigned char* prev = start;
    while (p < cur && *p) {
        prev = p;
        p += CharLen(p);
    }
    if (p < cur)  // cur lies beyond the terminator: step back one byte.
        return Mut(cur - 1);
    return Mut(prev);
}

unsigned char* _mbsninc(const unsigned char* p, size_t count)
{
    if (!p)
        return nullptr;
    while (count-- && *p)
        p += CharLen(p);
    return Mut(p);
}

size_t _mbslen(const unsigned char* p)
{
    size_t n = 0;
    if (p)
        for (; *p; p += CharLen(p))
            ++n;
    return n;
}

size_t _mbsnbcnt(const unsigned char* p, size_t chars)
{
    if (!p)
        return 0;
    const unsigned char* q = p;
    while (chars-- && *q)
        q += CharLen(q);
    return static_cast<size_t>(q - p);
}

unsigned int _mbsnextc(const unsigned char* p)
{
    if (!p || !*p)
        return 0;
    if (CharLen(p) == 2)
        return (static_cast<unsigned int>(p[0]) << 8) | p[1];
    return p[0];
}

int _mbscmp(const unsigned char* a, const unsigned char* b)
{
    return CompareImpl(a, b, false, SIZE_MAX, SIZE_MAX);
}

int _mbsicmp(const unsigned char* a, const unsigned char* b)
{
    return CompareImpl(a, b, true, SIZE_MAX, SIZE_MAX);
}

int _mbsnbcmp(const unsigned char* a, const unsigned char* b, size_t bytes)
{
    return CompareImpl(a, b, false, bytes, SIZE_MAX);
}

int _mbsnbicmp(const unsigned char* a, const unsigned char* b, size_t bytes)
{
    return CompareImpl(a, b, true, bytes, SIZE_MAX);
}

int _mbsncmp(const unsigned char* a, const unsigned char* b, size_t chars)
{
    return CompareImpl(a, b, false, SIZE_MAX, chars);
}

int _mbsnicmp(const unsigned char* a, const unsigned char* b, size_t chars)
{
    return CompareImpl(a, b, true, SIZE_MAX, chars);
}

unsigned char* _mbschr(const unsigned char* s, unsigned int c)
{
    if (!s)
        return nullptr;
    unsigned char want[2];
    size_t wantLen;
    if (c > 0xFF) {
        want[0] = static_cast<unsigned char>(c >> 8);
        want[1] = static_cast<unsigned char>(c);
        wantLen = 2;
    } else {
        want[0] = static_cast<unsigned char>(c);
        wantLen = 1;
    }
    for (const unsigned char* p = s;; p += CharLen(p)) {
        if (!*p)
            return c == 0 ? Mut(p) : nullptr;
        size_t len = CharLen(p);
        if (len == wantLen && std::equal(p, p + len, want))
            return Mut(p);
    }
}

unsigned char* _mbsrchr(const unsigned char* s, unsigned int c)
{
    if (!s)
        return nullptr;
    const unsigned char* found = nullptr;
    for (const unsigned char* p = _mbschr(s, c); p && *p; p = _mbschr(p + CharLen(p), c))
        found = p;
    if (c == 0)
        return Mut(s + std::strlen(reinterpret_cast<const char*>(s)));
    return Mut(found);
}

unsigned char* _mbsstr(const unsigned char* s, const unsigned char* sub)
{
    if (!s || !sub)
        return nullptr;
    size_t n = std::strlen(reinterpret_cast<const char*>(sub));
    if (n == 0)
        return Mut(s);
    for (const unsigned char* p = s; *p; p += CharLen(p)) {
        if (std::strncmp(reinterpret_cast<const char*>(p), reinterpret_cast<const char*>(sub), n) == 0)
            return Mut(p);
    }
    return nullptr;
}

unsigned char* _mbspbrk(const unsigned char* s, const unsigned char* set)
{
    if (!s || !set)
        return nullptr;
    for (const unsigned char* p = s; *p; p += CharLen(p))
        if (InSet(p, CharLen(p), set))
            return Mut(p);
    return nullptr;
}

size_t _mbsspn(const unsigned char* s, const unsigned char* set)
{
    if (!s || !set)
        return 0;
    const unsigned char* p = s;
    while (*p && InSet(p, CharLen(p), set))
        p += CharLen(p);
    return static_cast<size_t>(p - s);
}

size_t _mbscspn(const unsigned char* s, const unsigned char* set)
{
    if (!s)
        return 0;
    const unsigned char* p = s;
    while (*p && !(set && InSet(p, CharLen(p), set)))
        p += CharLen(p);
    return static_cast<size_t>(p - s);
}

unsigned char* _mbstok(unsigned char* s, const unsigned char* delims)
{
    static thread_local unsigned char* next = nullptr;
    unsigned char* p = s ? s : next;
    if (!p || !delims)
        return nullptr;
    p += _mbsspn(p, delims);
    if (!*p) {
        next = nullptr;
        return nullptr;
    }
    unsigned char* token = p;
    p += _mbscspn(p, delims);
    if (*p) {
        size_t len = CharLen(p);
        std::fill(p, p + len, 0);
        next = p + len;
    } else {
        next = nullptr;
    }
    return token;
}

unsigned char* _mbsupr(unsigned char* s)
{
    if (s)
        for (unsigned char* p = s; *p; p += CharLen(p))
            if (CharLen(p) == 1 && *p >= 'a' && *p <= 'z')
                *p = static_cast<unsigned char>(*p - 'a' + 'A');
    return s;
}

unsigned char* _mbslwr(unsigned char* s)
{
    if (s)
        for (unsigned char* p = s; *p; p += CharLen(p))
            if (CharLen(p) == 1 && *p >= 'A' && *p <= 'Z')
                *p = static_cast<unsigned char>(*p - 'A' + 'a');
    return s;
}

unsigned char* _mbsrev(unsigned char* s)
{
    if (!s)
        return s;
    size_t n = std::strlen(reinterpret_cast<char*>(s));
    // Reverse all bytes, then put each double-byte character's two bytes back in order.
    // The lead bytes are found on the original text, before reversing.
    unsigned char* tmp = new unsigned char[n + 1];
    size_t out = n;
    for (unsigned char* p = s; *p;) {
        size_t len = CharLen(p);
        out -= len;
        std::copy(p, p + len, tmp + out);
        p += len;
    }
    std::copy(tmp, tmp + n, s);
    delete[] tmp;
    return s;
}

BOOL AfxIsMbcsBoundary(LPCTSTR psz, int nIndex)
{
    if (!psz || nIndex < 0)
        return FALSE;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(psz);
    int i = 0;
    while (i < nIndex && p[i])
        i += static_cast<int>(CharLen(p + i));
    return i == nIndex;
}

int AfxMbcsTruncateLength(LPCTSTR psz, int nMaxBytes)
{
    if (!psz || nMaxBytes <= 0)
        return 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(psz);
    int i = 0;
    while (p[i]) {
        int len = static_cast<int>(CharLen(p + i));
        if (i + len > nMaxBytes)
            break;
        i += len;
    }
    return i;
}

int AfxMbcsTruncateCopy(LPTSTR dst, LPCTSTR src, int nMaxBytes)
{
    if (!dst)
        return 0;
    int n = AfxMbcsTruncateLength(src, nMaxBytes);
    if (n > 0)
        std::memmove(dst, src, static_cast<size_t>(n));
    dst[n] = 0;
    return n;
}

LPTSTR lstrcpyn(LPTSTR dst, LPCTSTR src, int nMax)
{
    if (!dst || nMax <= 0)
        return dst;
    AfxMbcsTruncateCopy(dst, src ? src : "", nMax - 1);
    return dst;
}

int _stricmp(const char* a, const char* b)
{
    return _strnicmp(a, b, SIZE_MAX);
}

int _strnicmp(const char* a, const char* b, size_t n)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* q = reinterpret_cast<const unsigned char*>(b);
    for (size_t i = 0; i < n; ++i) {
        unsigned int ca = FoldAscii(p[i]), cb = FoldAscii(q[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (!ca)
            break;
    }
    return 0;
}

char* _strupr(char* s)
{
    if (s)
        for (char* p = s; *p; ++p)
            if (*p >= 'a' && *p <= 'z')
                *p = static_cast<char>(*p - 'a' + 'A');
    return s;
}

char* _strlwr(char* s)
{
    if (s)
        for (char* p = s; *p; ++p)
            if (*p >= 'A' && *p <= 'Z')
                *p = static_cast<char>(*p - 'A' + 'a');
    return s;
}

char* _strrev(char* s)
{
    if (s)
        std::reverse(s, s + std::strlen(s));
    return s;
}

int _vsnprintf(char* buf, size_t count, const char* fmt, va_list args)
{
    if (!buf || count == 0 || !fmt)
        return -1;
    int n = std::vsnprintf(buf, count, fmt, args);
    if (n < 0 || static_cast<size_t>(n) >= count)
        return -1;
    return n;
}

int _snprintf(char* buf, size_t count, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    int n = _vsnprintf(buf, count, fmt, args);
    va_end(args);
    return n;
}

char* _itoa(int value, char* buf, int radix) { return SignedToBase<int, unsigned int>(value, buf, radix); }
char* _ltoa(LONG value, char* buf, int radix) { return SignedToBase<LONG, ULONG>(value, buf, radix); }
char* _ultoa(ULONG value, char* buf, int radix) { return ToBase(value, false, buf, radix); }
char* _i64toa(LONGLONG value, char* buf, int radix) { return SignedToBase<LONGLONG, ULONGLONG>(value, buf, radix); }
char* _ui64toa(ULONGLONG value, char* buf, int radix) { return ToBase(value, false, buf, radix); }
