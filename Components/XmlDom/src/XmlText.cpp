// Text conversions of the DOM.
#include "XmlText.h"

#include <ClassLib/Core/Conversion.h>

#include <atomic>
#include <cstdint>
#include <cstring>

namespace xmldom {

namespace {

bool IsAscii(const char* p, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if ((unsigned char)p[i] >= 0x80)
            return false;
    }
    return true;
}

} // namespace

CString ToCString(const char* utf8)
{
    // Length and ASCII check in one pass: most names and values are short.
    size_t length = 0;
    unsigned char high = 0;
    for (; utf8[length]; ++length)
        high |= (unsigned char)utf8[length];
    if (high < 0x80)
        return CString(utf8, static_cast<int>(length));
    return CString(Cp936FromUtf8(utf8, length));
}

CString ToCString(const char* utf8, size_t length)
{
    if (IsAscii(utf8, length))
        return CString(utf8, static_cast<int>(length));
    return CString(Cp936FromUtf8(utf8, length));
}

std::string ToUtf8(const char* cp936, size_t length)
{
    return Utf8FromCp936(cp936, length);
}

namespace {

// The UTF-8 length of a well-formed sequence of a character below U+10000 that is not a
// surrogate, with the character; 0 for anything else.
size_t DecodeBmp(const unsigned char* p, size_t left, unsigned& u)
{
    const unsigned char c = p[0];
    if (c >= 0xC2 && c <= 0xDF && left >= 2 && (p[1] & 0xC0) == 0x80) {
        u = (c & 0x1Fu) << 6 | (p[1] & 0x3Fu);
        return 2;
    }
    if (c >= 0xE0 && c <= 0xEF && left >= 3 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
        u = (c & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
        return u >= 0x800 && (u < 0xD800 || u > 0xDFFF) ? 3 : 0;
    }
    return 0;
}

// Whether one character comes back unchanged, kept per character: 0 not asked yet, 1 yes,
// 2 no. Threads that ask at once get the same answer.
std::atomic<unsigned char> g_sameThroughCp936[0x10000];

bool CharacterSameThroughCp936(const unsigned char* p, size_t length, unsigned u)
{
    unsigned char known = g_sameThroughCp936[u].load(std::memory_order_relaxed);
    if (known == 0) {
        const char* utf8 = reinterpret_cast<const char*>(p);
        const std::string cp936 = Cp936FromUtf8(utf8, length);
        // Two bytes with a lead byte of the double-byte range: read back, they pair up
        // alone, whatever stands beside them.
        const bool same = cp936.size() == 2 && (unsigned char)cp936[0] >= 0x81 &&
                          Utf8FromCp936(cp936.data(), 2) == std::string(utf8, length);
        known = same ? 1 : 2;
        g_sameThroughCp936[u].store(known, std::memory_order_relaxed);
    }
    return known == 1;
}

} // namespace

bool SameThroughCp936(const char* utf8, size_t length)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8);
    const unsigned char* const end = p + length;
    while (p < end) {
        // ASCII eight bytes at a time.
        uint64_t word;
        if (end - p >= 8 && (std::memcpy(&word, p, 8), (word & 0x8080808080808080ull) == 0)) {
            p += 8;
            continue;
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        unsigned u = 0;
        const size_t n = DecodeBmp(p, (size_t)(end - p), u);
        if (n == 0 || !CharacterSameThroughCp936(p, n, u))
            return false;
        p += n;
    }
    return true;
}

} // namespace xmldom
