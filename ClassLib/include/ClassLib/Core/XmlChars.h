// What an XML 1.0 document can carry, for every writer that must stay well-formed (the
// project server's texts, the product-data store's names): well-formed UTF-8 (no overlong
// forms, no surrogates, nothing above U+10FFFF) of tab, line feed, carriage return,
// U+0020-U+D7FF, U+E000-U+FFFD and U+10000-U+10FFFF.
#pragma once

#include <cstddef>
#include <string>

namespace xmlchars {

// Whether the code point is one XML 1.0 can carry.
inline bool IsXmlChar(unsigned long c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Decodes one UTF-8 sequence at p (before end): the code point and its length, or false for
// a sequence that is not well-formed (its length then is 1).
inline bool DecodeUtf8(const char* p, const char* end, unsigned long& c, size_t& length)
{
    const unsigned char b0 = static_cast<unsigned char>(p[0]);
    length = 1;
    c = b0;
    if (b0 < 0x80)
        return true;
    // The second byte's range depends on the first, which rules out overlong forms,
    // surrogates and anything above U+10FFFF.
    int more = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        more = 1;
        c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        more = 2;
        c = b0 & 0x0F;
        lo = b0 == 0xE0 ? 0xA0 : 0x80;
        hi = b0 == 0xED ? 0x9F : 0xBF;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        more = 3;
        c = b0 & 0x07;
        lo = b0 == 0xF0 ? 0x90 : 0x80;
        hi = b0 == 0xF4 ? 0x8F : 0xBF;
    } else {
        return false;
    }
    if (end - p <= more)
        return false;
    for (int i = 1; i <= more; ++i) {
        const unsigned char b = static_cast<unsigned char>(p[i]);
        if (b < (i == 1 ? lo : 0x80) || b > (i == 1 ? hi : 0xBF))
            return false;
        c = (c << 6) | (b & 0x3F);
    }
    length = static_cast<size_t>(more) + 1;
    return true;
}

// The length of the character at p when it is one XML can carry, else 0.
inline size_t XmlCharAt(const char* p, const char* end)
{
    unsigned long c = 0;
    size_t length = 1;
    return DecodeUtf8(p, end, c, length) && IsXmlChar(c) ? length : 0;
}

// Whether the whole text is XML characters in well-formed UTF-8.
inline bool IsXmlText(const std::string& text)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const size_t n = XmlCharAt(p, end);
        if (n == 0)
            return false;
        p += n;
    }
    return true;
}

}  // namespace xmlchars
