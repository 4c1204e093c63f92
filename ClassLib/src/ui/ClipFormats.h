// Private: how clipboard formats travel in Qt's mime data, shared by the clipboard, the
// data objects and drag and drop.
#pragma once

#include <ClassLib/Ole/Clipboard.h>

#include <QByteArray>
#include <QMimeData>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace pc {

// The mime type a format travels under; empty for the text formats (Qt's plain text).
QString MimeTypeOfFormat(CLIPFORMAT cf);
// The format a mime type of ours stands for; 0 when it is not one.
CLIPFORMAT FormatOfMimeType(const QString& mime);

bool IsTextFormat(CLIPFORMAT cf);

// Puts the bytes of a block of format cf into mime data. Text formats become Unicode
// text (code page 936 read up to the first zero byte; CF_UNICODETEXT UTF-16).
void PutFormat(QMimeData& mime, CLIPFORMAT cf, const void* data, size_t size);
// The bytes of format cf in the mime data, in the platform's form (text with its
// terminating zero); nothing when the format is not offered.
std::optional<std::string> GetFormat(const QMimeData& mime, CLIPFORMAT cf);
bool HasFormat(const QMimeData& mime, CLIPFORMAT cf);
// Every format the mime data offers, CF_TEXT first when there is text.
std::vector<CLIPFORMAT> FormatsOf(const QMimeData& mime);

// Bytes of a global block; empty for an invalid one.
std::string BytesOfGlobal(HGLOBAL h);

}  // namespace pc

namespace pc {
// The mime data on the clipboard now (the private store without a GUI application).
const QMimeData* CurrentClipboardMime();
}  // namespace pc
