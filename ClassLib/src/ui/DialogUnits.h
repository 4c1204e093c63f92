// Private: dialog units. A dialog's base units come from its template font: the average
// width of the 52 letters (rounded as the platform rounds) and the font's height; a
// template rectangle maps x by base-x / 4 and y by base-y / 8.
#pragma once

#include <ClassLib/Core/Geometry.h>

#include <QFont>
#include <QSize>

namespace pc {

QSize BaseUnits(const QFont& font);

inline int ScaleUnits(int v, int base, int div)
{
    // MulDiv rounding: half away from zero.
    long long n = static_cast<long long>(v) * base;
    return static_cast<int>(n >= 0 ? (n + div / 2) / div : -((-n + div / 2) / div));
}

inline void MapDialogUnits(RECT& r, QSize base)
{
    r.left = ScaleUnits(r.left, base.width(), 4);
    r.right = ScaleUnits(r.right, base.width(), 4);
    r.top = ScaleUnits(r.top, base.height(), 8);
    r.bottom = ScaleUnits(r.bottom, base.height(), 8);
}

}  // namespace pc
