// Clipboard formats in mime data, and the table of registered format names.
#include "ClipFormats.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/Mbcs.h>

#include <QStringList>

#include <cstring>
#include <map>
#include <mutex>

namespace {

const char kPrivatePrefix[] = "application/x-classlib-cf";
const char kNamedPrefix[] = "application/x-classlib-format;name=";

struct Registered
{
    std::mutex mutex;
    std::map<UINT, std::string> names;  // id -> name as given (code page 936)
};

Registered& Names()
{
    static Registered* r = new Registered;
    return *r;
}

}  // namespace

UINT RegisterClipboardFormat(LPCTSTR lpszFormat)
{
    if (!lpszFormat || !*lpszFormat)
        return 0;
    Registered& r = Names();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (const auto& e : r.names)
        if (_stricmp(e.second.c_str(), lpszFormat) == 0)
            return e.first;
    if (r.names.size() >= 0x3FFF)
        return 0;
    UINT id = 0xC000u + static_cast<UINT>(r.names.size());
    r.names[id] = lpszFormat;
    return id;
}

int GetClipboardFormatName(UINT format, LPTSTR lpszFormatName, int cchMaxCount)
{
    Registered& r = Names();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.names.find(format);
    if (it == r.names.end() || !lpszFormatName || cchMaxCount <= 0)
        return 0;
    return AfxMbcsTruncateCopy(lpszFormatName, it->second.c_str(), cchMaxCount - 1);
}

namespace pc {

bool IsTextFormat(CLIPFORMAT cf)
{
    return cf == CF_TEXT || cf == CF_OEMTEXT || cf == CF_UNICODETEXT;
}

QString MimeTypeOfFormat(CLIPFORMAT cf)
{
    if (IsTextFormat(cf))
        return QString();
    if (cf >= 0xC000u) {
        char name[256];
        if (GetClipboardFormatName(cf, name, sizeof name) > 0)
            return QString::fromLatin1(kNamedPrefix) +
                   QString::fromLatin1(QByteArray(Utf8FromCp936(name, std::strlen(name)).c_str()).toPercentEncoding());
    }
    return QString::fromLatin1(kPrivatePrefix) + QString::number(cf);
}

CLIPFORMAT FormatOfMimeType(const QString& mime)
{
    if (mime.startsWith(QLatin1String(kNamedPrefix))) {
        QByteArray utf8 = QByteArray::fromPercentEncoding(mime.mid(int(std::strlen(kNamedPrefix))).toLatin1());
        std::string name = Cp936FromUtf8(utf8.constData(), size_t(utf8.size()));
        return static_cast<CLIPFORMAT>(RegisterClipboardFormat(name.c_str()));
    }
    if (mime.startsWith(QLatin1String(kPrivatePrefix))) {
        bool ok = false;
        uint n = mime.mid(int(std::strlen(kPrivatePrefix))).toUInt(&ok);
        if (ok && n > 0 && n < 0xC000u)
            return static_cast<CLIPFORMAT>(n);
    }
    return 0;
}

void PutFormat(QMimeData& mime, CLIPFORMAT cf, const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    if (cf == CF_UNICODETEXT) {
        const char16_t* w = reinterpret_cast<const char16_t*>(bytes);
        size_t n = 0;
        while (n < size / 2 && w[n] != 0)
            ++n;
        mime.setText(QString::fromUtf16(w, qsizetype(n)));
        return;
    }
    if (IsTextFormat(cf)) {
        size_t n = 0;
        while (n < size && bytes[n] != 0)
            ++n;
        std::u16string w = Utf16FromCp936(bytes, n);
        mime.setText(QString::fromUtf16(w.data(), qsizetype(w.size())));
        return;
    }
    mime.setData(MimeTypeOfFormat(cf), QByteArray(bytes, qsizetype(size)));
}

bool HasFormat(const QMimeData& mime, CLIPFORMAT cf)
{
    if (IsTextFormat(cf))
        return mime.hasText();
    return mime.hasFormat(MimeTypeOfFormat(cf));
}

std::optional<std::string> GetFormat(const QMimeData& mime, CLIPFORMAT cf)
{
    if (!HasFormat(mime, cf))
        return std::nullopt;
    if (IsTextFormat(cf)) {
        QString text = mime.text();
        if (cf == CF_UNICODETEXT) {
            std::string out(reinterpret_cast<const char*>(text.utf16()), size_t(text.size()) * 2);
            out.append(2, '\0');
            return out;
        }
        std::string out = Cp936FromUtf16(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
        out.push_back('\0');
        return out;
    }
    QByteArray b = mime.data(MimeTypeOfFormat(cf));
    return std::string(b.constData(), size_t(b.size()));
}

std::vector<CLIPFORMAT> FormatsOf(const QMimeData& mime)
{
    std::vector<CLIPFORMAT> out;
    if (mime.hasText()) {
        out.push_back(CF_TEXT);
        out.push_back(CF_UNICODETEXT);
        out.push_back(CF_OEMTEXT);
    }
    const QStringList types = mime.formats();
    for (const QString& t : types) {
        CLIPFORMAT cf = FormatOfMimeType(t);
        if (cf != 0)
            out.push_back(cf);
    }
    return out;
}

std::string BytesOfGlobal(HGLOBAL h)
{
    SIZE_T n = GlobalSize(h);
    const void* p = GlobalLock(h);
    if (!p)
        return std::string();
    std::string out(static_cast<const char*>(p), n);
    GlobalUnlock(h);
    return out;
}

}  // namespace pc
