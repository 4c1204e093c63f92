// Template fonts and dialog base units.
#include "DialogUnits.h"

#include <ClassLib/Core/Conversion.h>

#include <QFontMetrics>

#include <cstring>

namespace pc {

QString FamilyForFace(const char* face)
{
    if (!face || !*face)
        return QStringLiteral("Noto Sans CJK SC");
    const QString name = QString::fromStdString(Utf8FromCp936(face, std::strlen(face)));
    // The Chinese system faces, the dialog faces and anything with CJK characters in its
    // name are drawn with the CJK font, which also has the Latin letters.
    static const char* const cjkSerif[] = {"宋体", "新宋体", "SimSun", "NSimSun", "仿宋_GB2312", "仿宋"};
    for (const char* f : cjkSerif)
        if (name.compare(QString::fromUtf8(f), Qt::CaseInsensitive) == 0)
            return QStringLiteral("Noto Serif CJK SC");
    static const char* const cjkSans[] = {"黑体", "SimHei", "楷体_GB2312", "楷体", "微软雅黑", "Microsoft YaHei"};
    for (const char* f : cjkSans)
        if (name.compare(QString::fromUtf8(f), Qt::CaseInsensitive) == 0)
            return QStringLiteral("Noto Sans CJK SC");
    static const char* const dialogFaces[] = {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "System", "Tahoma",
                                              "Arial", "Microsoft Sans Serif", "Verdana"};
    for (const char* f : dialogFaces)
        if (name.compare(QLatin1String(f), Qt::CaseInsensitive) == 0)
            return QStringLiteral("Noto Sans CJK SC");
    for (QChar c : name)
        if (c.unicode() >= 0x2E80)
            return QStringLiteral("Noto Sans CJK SC");
    return name;
}

QFont TemplateFont(const char* face, int pointSize, int weight, bool italic)
{
    QFont font(FamilyForFace(face));
    if (pointSize <= 0)
        pointSize = 9;
    // Points at 96 pixels per inch, as the platform's dialog manager computed them.
    font.setPixelSize(ScaleUnits(pointSize, 96, 72));
    font.setWeight(weight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QSize BaseUnits(const QFont& font)
{
    QFontMetrics fm(font);
    const int width52 = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    int cx = (width52 / 26 + 1) / 2;
    int cy = fm.height();
    if (cx <= 0)
        cx = 1;
    if (cy <= 0)
        cy = 1;
    return QSize(cx, cy);
}

}  // namespace pc
