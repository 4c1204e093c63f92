// SHGetFileInfo: a file type's icon from the desktop's icon theme (with a picture of our
// own when the theme has none) and its description from the MIME database.
#include "ShellInternal.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/Mbcs.h>
#include <ClassLib/Shell/Shell.h>
#include <ClassLib/Wnd/QtInterop.h>
#include <ClassLib/Wnd/UiApp.h>

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QSettings>
#include <QStandardPaths>

#include <cstring>
#include <mutex>

HICON AfxNewIconFromImage(const QImage& argb);  // Cursor.cpp

namespace {

bool ThemeExists(const QStringList& paths, const QString& name)
{
    for (const QString& p : paths)
        if (QFileInfo::exists(p + QLatin1Char('/') + name + QStringLiteral("/index.theme")))
            return true;
    return false;
}

// The icon theme the desktop names: the platform's, else the toolkit settings the
// desktops share, else the first common theme that is installed.
QString DesktopThemeName(const QStringList& paths)
{
    QString name = QIcon::themeName();
    if (!name.isEmpty() && name != QLatin1String("hicolor"))
        return name;
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    for (const char* file : {"/gtk-4.0/settings.ini", "/gtk-3.0/settings.ini"}) {
        QSettings ini(config + QLatin1String(file), QSettings::IniFormat);
        QString value = ini.value(QStringLiteral("Settings/gtk-icon-theme-name")).toString();
        if (!value.isEmpty() && ThemeExists(paths, value))
            return value;
    }
    for (const char* common : {"Adwaita", "breeze", "gnome", "Tango", "oxygen", "hicolor"})
        if (ThemeExists(paths, QLatin1String(common)))
            return QLatin1String(common);
    return name;
}

// Without a desktop platform plugin (the offscreen platform, a bare X server) Qt knows
// neither the icon folders nor the theme: take the desktop's.
void EnsureIconTheme()
{
    static std::once_flag once;
    std::call_once(once, [] {
        QStringList paths = QIcon::themeSearchPaths();
        QStringList wanted = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                       QStandardPaths::LocateDirectory);
        wanted.prepend(QDir::homePath() + QStringLiteral("/.icons"));
        wanted << QStringLiteral("/usr/share/icons");
        bool changed = false;
        for (const QString& p : wanted)
            if (!paths.contains(p) && QFileInfo(p).isDir()) {
                paths << p;
                changed = true;
            }
        if (changed)
            QIcon::setThemeSearchPaths(paths);
        QString name = DesktopThemeName(paths);
        if (!name.isEmpty() && name != QIcon::themeName())
            QIcon::setThemeName(name);
    });
}

// Our own pictures when the theme has nothing: a page with a folded corner, or a folder.
QImage FallbackPicture(int size, bool folder)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, size > 16);
    qreal s = size / 16.0;
    p.scale(s, s);
    p.setPen(QPen(QColor(96, 96, 96), 1.0 / s * (size > 16 ? 1.5 : 1.0)));
    if (folder) {
        QPainterPath tab;
        tab.moveTo(1.5, 3.5);
        tab.lineTo(6, 3.5);
        tab.lineTo(7.5, 5);
        tab.lineTo(14.5, 5);
        tab.lineTo(14.5, 13.5);
        tab.lineTo(1.5, 13.5);
        tab.closeSubpath();
        p.setBrush(QColor(240, 200, 80));
        p.drawPath(tab);
    } else {
        QPainterPath page;
        page.moveTo(3.5, 1.5);
        page.lineTo(10, 1.5);
        page.lineTo(12.5, 4);
        page.lineTo(12.5, 14.5);
        page.lineTo(3.5, 14.5);
        page.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(page);
        p.drawLine(QPointF(10, 1.5), QPointF(10, 4));
        p.drawLine(QPointF(10, 4), QPointF(12.5, 4));
        p.setPen(QPen(QColor(150, 150, 150), 1.0 / s));
        for (qreal y = 6.5; y < 13; y += 2)
            p.drawLine(QPointF(5, y), QPointF(11, y));
    }
    return img;
}

QImage IconPicture(const QMimeType& mime, int size, bool folder)
{
    EnsureIconTheme();
    QStringList names{mime.iconName(), mime.genericIconName()};
    if (folder)
        names << QStringLiteral("folder");
    for (const QString& name : names) {
        if (name.isEmpty() || !QIcon::hasThemeIcon(name))
            continue;
        QPixmap pm = QIcon::fromTheme(name).pixmap(QSize(size, size), 1.0);
        if (pm.isNull())
            continue;
        QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
        if (img.size() == QSize(size, size))
            return img;
        QImage canvas(size, size, QImage::Format_ARGB32);
        canvas.fill(Qt::transparent);
        QImage fitted = img.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPainter p(&canvas);
        p.drawImage((size - fitted.width()) / 2, (size - fitted.height()) / 2, fitted);
        return canvas;
    }
    return FallbackPicture(size, folder);
}

// Copies the text into the buffer, cut on a character boundary, terminated.
void CopyText(char* dst, size_t cap, const CString& text)
{
    const unsigned char* s = reinterpret_cast<const unsigned char*>((LPCTSTR)text);
    size_t n = 0, len = (size_t)text.GetLength();
    while (n < len) {
        size_t step = (IsDBCSLeadByte(s[n]) && n + 1 < len) ? 2 : 1;
        if (n + step > cap - 1)
            break;
        n += step;
    }
    std::memcpy(dst, s, n);
    dst[n] = '\0';
}

QString NameOf(const QString& path)
{
    int cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

QString ExtensionOf(const QString& name)
{
    int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

CString TypeName(const QMimeType& mime, const QString& ext, bool folder)
{
    if (!folder && mime.isDefault())
        return ext.isEmpty() ? CStringFromUtf8("文件") : AfxCString(ext.toUpper()) + CStringFromUtf8(" 文件");
    return AfxCString(mime.comment());
}

}  // namespace

DWORD_PTR SHGetFileInfo(LPCTSTR pszPath, DWORD dwFileAttributes, SHFILEINFO* psfi, UINT cbFileInfo, UINT uFlags)
{
    AfxShellCallRecord call;
    call.kind = AfxShellCallRecord::getFileInfo;
    call.strFile = CString(pszPath ? pszPath : "");
    call.dwFileAttributes = dwFileAttributes;
    call.uFlags = uFlags;
    AfxShellCallTakenOver(call, nullptr);

    if (!psfi || cbFileInfo < sizeof(SHFILEINFO) || !pszPath || !*pszPath)
        return 0;
    if (uFlags & (SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_EXETYPE))
        return 0;
    AfxEnsureApplication();
    QString path = AfxQString(pszPath);
    QString name = NameOf(path);
    QMimeDatabase db;
    QMimeType mime;
    bool folder = false;
    if (uFlags & SHGFI_USEFILEATTRIBUTES) {
        folder = (dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        mime = folder ? db.mimeTypeForName(QStringLiteral("inode/directory"))
                      // a bare extension (".doc") is matched as a name with that extension
                      : db.mimeTypeForFile(name.startsWith(QLatin1Char('.')) ? QStringLiteral("x") + name : name,
                                            QMimeDatabase::MatchExtension);
        if (!folder && ExtensionOf(name).isEmpty())
            mime = db.mimeTypeForName(QStringLiteral("application/octet-stream"));
    } else {
        QFileInfo info(path);
        if (!info.exists() && path.contains(QLatin1Char('\\')))
            info = QFileInfo(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
        if (!info.exists())
            return 0;
        folder = info.isDir();
        mime = db.mimeTypeForFile(info);
        if (!info.fileName().isEmpty())
            name = info.fileName();
    }

    if (uFlags & SHGFI_ICON) {
        int size = (uFlags & SHGFI_SMALLICON) ? 16 : 32;
        psfi->hIcon = AfxNewIconFromImage(IconPicture(mime, size, folder));
        psfi->iIcon = 0;
    }
    if (uFlags & SHGFI_ATTRIBUTES)
        psfi->dwAttributes = 0;
    if (uFlags & SHGFI_DISPLAYNAME)
        CopyText(psfi->szDisplayName, sizeof(psfi->szDisplayName), AfxCString(name));
    if (uFlags & SHGFI_TYPENAME)
        CopyText(psfi->szTypeName, sizeof(psfi->szTypeName), TypeName(mime, ExtensionOf(name), folder));
    return 1;
}
