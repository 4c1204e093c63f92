// The names the product-data store keeps are well-formed UTF-8 of characters XML 1.0 can
// carry: every answer that lists them must stay well-formed XML.
#pragma once

#include <cstddef>
#include <string>

namespace pdmtext {

// Decodes one well-formed UTF-8 sequence at p (no overlong forms, no surrogates, nothing
// above U+10FFFF): the code point and its length; false (length 1) for anything else.
inline bool Decode(const char* p, const char* end, unsigned long& c, size_t& length)
{
    const unsigned char b0 = static_cast<unsigned char>(p[0]);
    length = 1;
    c = b0;
    if (b0 < 0x80)
        return true;
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

inline bool IsXmlChar(unsigned long c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// The length of the character at p when it is one XML can carry, else 0.
inline size_t XmlCharAt(const char* p, const char* end)
{
    unsigned long c = 0;
    size_t length = 1;
    return Decode(p, end, c, length) && IsXmlChar(c) ? length : 0;
}

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

}  // namespace pdmtext
