// Code page 936 text and positions at the Qt boundary of the controls.
#include "ControlProc.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/Mbcs.h>

#include <cstring>

namespace pc {

QString ToQt(const char* text)
{
    if (!text)
        return QString();
    std::u16string w = Utf16FromCp936(text, std::strlen(text));
    return QString::fromUtf16(w.data(), qsizetype(w.size()));
}

QString ToQt(const CString& text)
{
    std::u16string w = Utf16FromCp936(text, size_t(text.GetLength()));
    return QString::fromUtf16(w.data(), qsizetype(w.size()));
}

CString FromQt(const QString& text)
{
    return CString(Cp936FromUtf16(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())));
}

namespace {

// Bytes one character (a UTF-16 unit, or a surrogate pair at i) takes in code page 936.
int CharBytes(const QString& text, int i, int& units)
{
    units = (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
    if (units == 1 && text.at(i).unicode() < 0x80)
        return 1;
    return int(Cp936FromUtf16(reinterpret_cast<const char16_t*>(text.utf16()) + i, size_t(units)).size());
}

}  // namespace

int QtIndexOfByte(const QString& text, int bytePos)
{
    if (bytePos <= 0)
        return 0;
    int bytes = 0;
    int i = 0;
    while (i < text.size()) {
        int units = 1;
        int b = CharBytes(text, i, units);
        // A position inside a character counts as the position after it.
        if (bytes >= bytePos)
            break;
        bytes += b;
        i += units;
    }
    return i;
}

int ByteOfQtIndex(const QString& text, int qtIndex)
{
    int bytes = 0;
    int i = 0;
    while (i < text.size() && i < qtIndex) {
        int units = 1;
        bytes += CharBytes(text, i, units);
        i += units;
    }
    return bytes;
}

LRESULT CopyText(const CString& text, WPARAM cchMax, LPARAM buffer)
{
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || cchMax == 0)
        return 0;
    int max = cchMax > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(cchMax);
    return AfxMbcsTruncateCopy(out, text, max - 1);
}

}  // namespace pc
