// Text conversions of the DOM.
#include "XmlText.h"

#include <ClassLib/Core/Conversion.h>

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

} // namespace xmldom
