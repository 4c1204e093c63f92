// Dialog base units.
#include "DialogUnits.h"

#include <QFontMetrics>


namespace pc {

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
