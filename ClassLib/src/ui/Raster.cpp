// Raster operations, brush patterns, fills and pen strokes on device pixels.
#include "Raster.h"
#include "PixelRatio.h"

#include <ClassLib/Wnd/System.h>

#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace afx_raster {

namespace {

// 8 x 8 hatch patterns, one byte per row, bit 7 = leftmost pixel.
const BYTE kHatch[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF},  // HS_HORIZONTAL
    {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xFF},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

inline int Mod(int a, int m)
{
    int r = a % m;
    return r < 0 ? r + m : r;
}

// Cosmetic pen styles: on and off lengths in pixels.
const std::vector<int>& StyleOf(int kind)
{
    static const std::vector<int> dash = {18, 6}, dot = {3, 3}, dashdot = {9, 6, 3, 6},
                                  dashdotdot = {9, 3, 3, 3, 3, 3}, alternate = {1, 1}, solid;
    switch (kind) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashdot;
    case PS_DASHDOTDOT: return dashdotdot;
    case PS_ALTERNATE: return alternate;
    default: return solid;
    }
}

thread_local int t_depth = 0;

QColor ColorOf(QRgb c) { return QColor(qRed(c), qGreen(c), qBlue(c)); }

// The target's pixels as 32-bit words that can be written in place, or nullptr. A painter may
// be open on the target; it draws into the same memory, so only an image that no copy shares
// (a write would detach it from the painter's buffer) is written directly.
QRgb* DirectPixels(QImage* img, qsizetype* pStride)
{
    if (!img || !img->isDetached())
        return nullptr;
    switch (img->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied: break;
    default: return nullptr;
    }
    *pStride = img->bytesPerLine() / (qsizetype)sizeof(QRgb);
    return reinterpret_cast<QRgb*>(img->bits());
}

// An opaque colour into a device rectangle inside the target (what a painter's fillRect
// of the colour leaves there).
void FillSolid(QRgb* bits, qsizetype stride, const QRect& r, QRgb c)
{
    const int w = r.width();
    QRgb* first = bits + r.top() * stride + r.left();
    if (w <= 8) {
        for (int y = r.top(); y <= r.bottom(); ++y, first += stride)
            for (int i = 0; i < w; ++i)
                first[i] = c;
        return;
    }
    // The first row by doubling copies, the rows below copied from it (the library's copy is
    // many times faster than a loop over the pixels).
    first[0] = c;
    for (int n = 1; n < w;) {
        const int k = std::min(n, w - n);
        std::memcpy(first + n, first, (size_t)k * sizeof(QRgb));
        n += k;
    }
    for (int y = r.top() + 1; y <= r.bottom(); ++y)
        std::memcpy(bits + y * stride + r.left(), first, (size_t)w * sizeof(QRgb));
}

// A pattern image's rows tiled across the device rectangles with R2_COPYPEN: each pattern row
// is laid out across a rectangle's width once, then copied to every device row it falls on.
void FillTiled(QRgb* bits, qsizetype stride, const QRegion& area, const Pattern& pat)
{
    const QImage& image = pat.image;
    const int w = image.width(), h = image.height();
    std::vector<QRgb> tiled;
    std::vector<char> built;
    for (const QRect& r : area) {
        const int span = r.width();
        tiled.assign((size_t)span * (size_t)h, 0);
        built.assign((size_t)h, 0);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const int py = Mod(y - pat.origin.y(), h);
            QRgb* row = tiled.data() + (size_t)py * (size_t)span;
            if (!built[(size_t)py]) {
                built[(size_t)py] = 1;
                const QRgb* src = reinterpret_cast<const QRgb*>(image.constScanLine(py));
                int px = Mod(r.left() - pat.origin.x(), w);
                for (int i = 0; i < span; ++i) {
                    QRgb v = src[px] | 0xFF000000u;
                    if (pat.mono)
                        v = (qRed(v) + qGreen(v) + qBlue(v) >= 384) ? pat.back : pat.fore;
                    row[i] = v;
                    if (++px == w)
                        px = 0;
                }
            }
            std::memcpy(bits + y * stride + r.left(), row, (size_t)span * sizeof(QRgb));
        }
    }
}

// Non-raster targets and the fast copy path: Qt paints the region.
void PaintRegion(AfxDCImpl* d, const QRegion& area, const Pattern& pat, int rop2)
{
    // The area is cut to the context's clip already (FillRegion, PatRegion).
    QPainter* p = d->UnclippedPainter();
    if (!p)
        return;
    QRgb c = pat.color;
    if (rop2 == R2_BLACK)
        c = 0xFF000000u;
    else if (rop2 == R2_WHITE)
        c = 0xFFFFFFFFu;
    if (pat.kind == Pattern::Solid || rop2 == R2_BLACK || rop2 == R2_WHITE) {
        for (const QRect& r : area)
            p->fillRect(r, ColorOf(c));
        return;
    }
    // Patterns on a device without pixels: draw them pixel row by row.
    for (const QRect& r : area)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                QRgb pc;
                if (pat.At(x, y, &pc))
                    p->fillRect(QRect(x, y, 1, 1), ColorOf(pc));
            }
}

}  // namespace

Pattern Pattern::SolidOf(COLORREF c)
{
    Pattern p;
    p.kind = Solid;
    p.color = AfxRgb(c) | 0xFF000000u;
    return p;
}

bool Pattern::At(int x, int y, QRgb* out) const
{
    switch (kind) {
    case Solid: *out = color; return true;
    case Hatch: {
        int px = Mod(x - origin.x(), 8), py = Mod(y - origin.y(), 8);
        bool on = (kHatch[hatch][py] >> (7 - px)) & 1;
        if (on) {
            *out = color;
            return true;
        }
        if (!opaqueBk)
            return false;
        *out = bk;
        return true;
    }
    case Image: {
        if (image.isNull())
            return false;
        int px = Mod(x - origin.x(), image.width()), py = Mod(y - origin.y(), image.height());
        QRgb v = image.pixel(px, py) | 0xFF000000u;
        if (mono)
            v = (qRed(v) + qGreen(v) + qBlue(v) >= 384) ? back : fore;
        *out = v;
        return true;
    }
    default: return false;
    }
}

Pattern BrushPattern(const AfxDCImpl* d, const AfxBrushData* b)
{
    Pattern p;
    if (!b)
        return p;
    p.origin = QPoint(d->st.brushOrg.x, d->st.brushOrg.y);
    switch (b->style) {
    case BS_SOLID:
        p.kind = Pattern::Solid;
        p.color = AfxRgb(AfxPlainColor(b->Color())) | 0xFF000000u;
        break;
    case BS_HATCHED:
        p.kind = Pattern::Hatch;
        p.color = AfxRgb(AfxPlainColor(b->Color())) | 0xFF000000u;
        p.hatch = std::clamp(b->hatch, 0, 5);
        p.bk = AfxRgb(d->st.bkColor) | 0xFF000000u;
        p.opaqueBk = d->st.bkMode == OPAQUE;
        break;
    case BS_PATTERN:
    case BS_PATTERN8X8:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
    case BS_DIBPATTERN8X8:
        p.kind = Pattern::Image;
        p.image = b->pattern;
        p.mono = b->patternMono;
        // A monochrome pattern takes the context's colours: text for 0, background for 1.
        p.fore = AfxRgb(d->st.textColor) | 0xFF000000u;
        p.back = AfxRgb(d->st.bkColor) | 0xFF000000u;
        break;
    default: p.kind = Pattern::None; break;
    }
    return p;
}

void FillRegion(AfxDCImpl* d, const QRegion& areaIn, const Pattern& pat, int rop2)
{
    if (rop2 == R2_NOP)
        return;
    if (pat.kind == Pattern::None && rop2 != R2_NOT && rop2 != R2_BLACK && rop2 != R2_WHITE)
        return;
    QRegion area = areaIn & d->EffectiveClip();
    if (area.isEmpty())
        return;
    d->MarkDirty(area);
    QImage* img = d->Image();
    qsizetype stride = 0;
    QRgb* bits = DirectPixels(img, &stride);
    const bool bRowPattern = pat.kind == Pattern::Image && (pat.image.format() == QImage::Format_RGB32 ||
                                                            pat.image.format() == QImage::Format_ARGB32);
    const int k = AfxPixelRatio(img);
    if (bits && rop2 == R2_COPYPEN && pat.kind == Pattern::Solid) {
        for (const QRect& r : area)
            FillSolid(bits, stride, AfxImagePixels(r, k), pat.color);
        return;
    }
    if (!img || (rop2 == R2_COPYPEN && pat.kind == Pattern::Solid)) {
        PaintRegion(d, area, pat, rop2);
        return;
    }
    if (bits && rop2 == R2_COPYPEN && bRowPattern && k == 1) {
        FillTiled(bits, stride, area, pat);
        return;
    }
    d->EndPainting();
    if (bRowPattern && k == 1) {
        // A pattern image whose pixels are stored as they read is read from its rows directly
        // (what Pattern::At does, but without a pixel lookup per pixel).
        const QImage& image = pat.image;
        const int w = image.width(), h = image.height();
        std::vector<QRgb> colours((size_t)w);
        for (const QRect& r : area) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                // The pattern row's colours, once per row.
                const QRgb* src = reinterpret_cast<const QRgb*>(image.constScanLine(Mod(y - pat.origin.y(), h)));
                for (int i = 0; i < w; ++i) {
                    QRgb v = src[i] | 0xFF000000u;
                    if (pat.mono)
                        v = (qRed(v) + qGreen(v) + qBlue(v) >= 384) ? pat.back : pat.fore;
                    colours[(size_t)i] = v;
                }
                QRgb* line = reinterpret_cast<QRgb*>(img->scanLine(y));
                int px = Mod(r.left() - pat.origin.x(), w);
                if (rop2 == R2_COPYPEN) {
                    for (int x = r.left(); x <= r.right(); ++x) {
                        line[x] = colours[(size_t)px];
                        if (++px == w)
                            px = 0;
                    }
                    continue;
                }
                for (int x = r.left(); x <= r.right(); ++x) {
                    line[x] = Rop2(rop2, colours[(size_t)px], line[x]);
                    if (++px == w)
                        px = 0;
                }
            }
        }
        return;
    }
    for (const QRect& r : area)
        AfxForImagePixels(img, r, [&](int x, int y, QRgb& px) {
            QRgb pc = 0xFF000000u;
            if (pat.kind != Pattern::None && !pat.At(x, y, &pc))
                return;
            px = Rop2(rop2, pc, px);
        });
}

void FillRect(AfxDCImpl* d, const QRect& rect, const Pattern& pat, int rop2)
{
    // The common case without region arithmetic: a solid colour copied into a target whose
    // clip is one rectangle.
    if (rect.isEmpty())
        return;
    QRect clip;
    qsizetype stride = 0;
    QRgb* bits = nullptr;
    if (rop2 == R2_COPYPEN && pat.kind == Pattern::Solid && d->ClipRect(&clip) &&
        (bits = DirectPixels(d->Image(), &stride)) != nullptr) {
        const QRect r = rect & clip;
        if (r.isEmpty())
            return;
        d->MarkDirty(r);
        FillSolid(bits, stride, AfxImagePixels(r, AfxPixelRatio(d->Image())), pat.color);
        return;
    }
    FillRegion(d, QRegion(rect), pat, rop2);
}

void PatRegion(AfxDCImpl* d, const QRegion& areaIn, const Pattern& pat, DWORD rop)
{
    unsigned code = (rop >> 16) & 0xFF;
    if (code == 0xAA)  // D: nothing changes
        return;
    if (code == 0xF0) {  // PATCOPY
        FillRegion(d, areaIn, pat, R2_COPYPEN);
        return;
    }
    QRegion area = areaIn & d->EffectiveClip();
    if (area.isEmpty())
        return;
    d->MarkDirty(area);
    QImage* img = d->Image();
    if (!img) {
        Pattern p = pat;
        if (code == 0x00)
            p = Pattern::SolidOf(RGB(0, 0, 0));
        else if (code == 0xFF)
            p = Pattern::SolidOf(RGB(255, 255, 255));
        PaintRegion(d, area, p, R2_COPYPEN);
        return;
    }
    d->EndPainting();
    const QRgb bk = AfxRgb(d->st.bkColor) | 0xFF000000u;
    for (const QRect& r : area)
        AfxForImagePixels(img, r, [&](int x, int y, QRgb& px) {
            QRgb pc = 0xFF000000u;
            if (pat.kind != Pattern::None && !pat.At(x, y, &pc))
                pc = bk;
            px = Rop3(code, pc, 0, px);
        });
}

int PenWidth(const AfxDCImpl* d)
{
    const AfxPenData* pen = d->st.pen.get();
    if (!pen || pen->Kind() == PS_NULL)
        return 0;
    if (pen->width <= 1 && !(pen->style & PS_GEOMETRIC))
        return 1;
    int w = std::abs(d->ScaleX(pen->width));
    return std::max(w, 1);
}

namespace {

// Plots one pixel of a pen, checking the clip.
struct Plotter
{
    AfxDCImpl* d;
    QImage* img;
    QRegion clip;
    QRect clipRect;
    bool simple;
    int rop;
    QRgb pen;
    QRgb bk;
    bool opaque;
    QRect touched;

    void Plot(int x, int y, bool on)
    {
        if (!on && !opaque)
            return;
        if (simple ? !clipRect.contains(x, y) : !clip.contains(QPoint(x, y)))
            return;
        const QRgb c = on ? pen : bk;
        AfxForImagePixels(img, QRect(x, y, 1, 1), [&](int, int, QRgb& px) { px = Rop2(rop, c, px); });
        touched = touched.united(QRect(x, y, 1, 1));
    }
};

// On an image of k > 1 pixels per logical pixel: a span of image pixels in one image row,
// drawn with the pen (on) or the background (off).
struct ImageSpan
{
    int x0, x1;
    bool on;
};

// Adds the image pixels [x0, x1] of one row to its spans. The squares of a line come in the
// order of the walk, so a new one can only meet the last span; where pen and background
// meet, the pen wins.
void AddSpan(std::vector<ImageSpan>& row, int x0, int x1, bool on)
{
    if (!row.empty()) {
        ImageSpan& last = row.back();
        if (x0 <= last.x1 + 1 && x1 >= last.x0 - 1) {
            if (last.on == on) {
                last.x0 = std::min(last.x0, x0);
                last.x1 = std::max(last.x1, x1);
                return;
            }
            if (on) {  // the background span gives up what the pen covers
                if (last.x0 < x0)
                    last.x1 = std::min(last.x1, x0 - 1);
                else
                    last.x0 = std::max(last.x0, x1 + 1);
                if (last.x0 > last.x1)
                    row.pop_back();
            } else {
                if (x0 < last.x0)
                    x1 = std::min(x1, last.x0 - 1);
                else
                    x0 = std::max(x0, last.x1 + 1);
                if (x0 > x1)
                    return;
            }
        }
    }
    row.push_back({x0, x1, on});
}

// A one-pixel line that is neither across nor down, on an image of k > 1 pixels per logical
// pixel: walked in image pixels with a k x k square, so it is one logical pixel thick and
// steps by image pixels instead of whole logical ones. Each image pixel changes once (the
// squares overlap), so inverting raster operations invert it once. Dash lengths count logical
// pixels, as at scale 1.
void ImagePixelLine(Plotter& pl, int k, QPoint a, QPoint b, bool bLast, const std::vector<int>& style,
                    int total, int& phase)
{
    const QPoint A = a * k, B = b * k;
    const int dx = std::abs(B.x() - A.x()), sx = A.x() < B.x() ? 1 : -1;
    const int dy = -std::abs(B.y() - A.y()), sy = A.y() < B.y() ? 1 : -1;
    const int top = std::min(A.y(), B.y());
    std::vector<std::vector<ImageSpan>> rows((size_t)(-dy + k));
    auto styleOn = [&](int n) {
        if (total == 0)
            return true;
        int pos = Mod(n, total), acc = 0;
        for (size_t i = 0; i < style.size(); ++i) {
            acc += style[i];
            if (pos < acc)
                return (i % 2) == 0;
        }
        return true;
    };
    int x = A.x(), y = A.y(), err = dx + dy, step = 0;
    for (;;) {
        const bool atEnd = x == B.x() && y == B.y();
        if (atEnd && !bLast)
            break;
        const bool on = styleOn(phase + step / k);
        if (on || pl.opaque)
            for (int i = 0; i < k; ++i)
                AddSpan(rows[(size_t)(y - top + i)], x, x + k - 1, on);
        if (atEnd)
            break;
        ++step;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    // As many logical pixels as the walk at scale 1 plots.
    phase += std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())) + (bLast ? 1 : 0);
    // Without the last point, its logical pixel stays as it was: the next segment draws it.
    const QRect end = bLast ? QRect() : QRect(B, QSize(k, k));
    const QRect clipPixels = AfxImagePixels(pl.clipRect, k) & QRect(QPoint(0, 0), pl.img->size());
    for (size_t r = 0; r < rows.size(); ++r) {
        const int py = top + (int)r;
        if (py < clipPixels.top() || py > clipPixels.bottom())
            continue;
        QRgb* line = nullptr;
        for (const ImageSpan& span : rows[r]) {
            const QRgb c = span.on ? pl.pen : pl.bk;
            for (int px = span.x0; px <= span.x1; ++px) {
                // Outside the clip's bounds first: a negative pixel must not pass as logical 0.
                if (end.contains(px, py) || !clipPixels.contains(px, py))
                    continue;
                if (!pl.simple && !pl.clip.contains(QPoint(px / k, py / k)))
                    continue;
                if (!line)
                    line = reinterpret_cast<QRgb*>(pl.img->scanLine(py));
                line[px] = Rop2(pl.rop, c, line[px]);
                pl.touched = pl.touched.united(QRect(px / k, py / k, 1, 1));
            }
        }
    }
}

}  // namespace

void PenSegment(AfxDCImpl* d, QPoint a, QPoint b, int& phase, bool bLast)
{
    const AfxPenData* pen = d->st.pen.get();
    int width = PenWidth(d);
    if (!pen || width == 0 || d->st.rop2 == R2_NOP)
        return;
    if (a == b && !bLast)
        return;
    int kind = pen->Kind();
    const std::vector<int>& style = width > 1 ? StyleOf(PS_SOLID) : StyleOf(kind);
    QRgb penColor = AfxRgb(AfxPlainColor(pen->color)) | 0xFF000000u;

    if (width > 1) {
        QPainterPath path;
        path.moveTo(a);
        path.lineTo(b);
        QPainterPathStroker stroker;
        stroker.setWidth(width);
        UINT cap = pen->style & PS_ENDCAP_MASK;
        stroker.setCapStyle(cap == PS_ENDCAP_FLAT ? Qt::FlatCap : cap == PS_ENDCAP_SQUARE ? Qt::SquareCap : Qt::RoundCap);
        UINT join = pen->style & PS_JOIN_MASK;
        stroker.setJoinStyle(join == PS_JOIN_BEVEL ? Qt::BevelJoin : join == PS_JOIN_MITER ? Qt::MiterJoin : Qt::RoundJoin);
        FillPath(d, stroker.createStroke(path), Pattern::SolidOf(AfxPlainColor(pen->color)), d->st.rop2);
        return;
    }

    // Axis-parallel solid lines are rectangles.
    if (style.empty() && (a.x() == b.x() || a.y() == b.y())) {
        QRect r;
        if (a.y() == b.y()) {
            int x0 = std::min(a.x(), b.x()), x1 = std::max(a.x(), b.x());
            if (!bLast) {
                if (b.x() > a.x())
                    x1 -= 1;
                else
                    x0 += 1;
            }
            r = QRect(QPoint(x0, a.y()), QPoint(x1, a.y()));
        } else {
            int y0 = std::min(a.y(), b.y()), y1 = std::max(a.y(), b.y());
            if (!bLast) {
                if (b.y() > a.y())
                    y1 -= 1;
                else
                    y0 += 1;
            }
            r = QRect(QPoint(a.x(), y0), QPoint(a.x(), y1));
        }
        if (r.isValid())
            FillRect(d, r, Pattern::SolidOf(AfxPlainColor(pen->color)), d->st.rop2);
        return;
    }

    QImage* img = d->Image();
    if (!img) {
        QPainter* p = d->Painter();
        if (!p)
            return;
        QPen qp(QColor(qRed(penColor), qGreen(penColor), qBlue(penColor)));
        qp.setWidth(0);
        qp.setCosmetic(true);
        if (!style.empty()) {
            QVector<qreal> dashes;
            for (int v : style)
                dashes << v;
            qp.setDashPattern(dashes);
        }
        p->setPen(qp);
        p->drawLine(a, b);
        return;
    }
    d->EndPainting();
    Plotter pl{d, img, d->EffectiveClip(), QRect(), false, d->st.rop2, penColor,
               AfxRgb(d->st.bkColor) | 0xFF000000u, d->st.bkMode == OPAQUE && !style.empty(), QRect()};
    pl.simple = pl.clip.rectCount() <= 1;
    pl.clipRect = pl.clip.boundingRect();
    if (pl.clip.isEmpty())
        return;
    int total = 0;
    for (int v : style)
        total += v;
    if (const int k = AfxPixelRatio(img); k > 1) {
        ImagePixelLine(pl, k, a, b, bLast, style, total, phase);
        if (!pl.touched.isEmpty())
            d->MarkDirty(pl.touched);
        return;
    }
    // Bresenham from a towards b.
    int x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        bool atEnd = x0 == x1 && y0 == y1;
        if (atEnd && !bLast)
            break;
        bool on = true;
        if (total > 0) {
            int pos = Mod(phase, total), acc = 0;
            for (size_t i = 0; i < style.size(); ++i) {
                acc += style[i];
                if (pos < acc) {
                    on = (i % 2) == 0;
                    break;
                }
            }
            ++phase;
        }
        pl.Plot(x0, y0, on);
        if (atEnd)
            break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    if (!pl.touched.isEmpty())
        d->MarkDirty(pl.touched);
}

namespace {

// The image pixels a coverage mask (k image pixels per logical pixel, its first pixel at the
// logical point origin) marks, inside the logical clip, through the pattern and raster
// operation.
void FillImagePixels(AfxDCImpl* d, QImage* img, int k, const QImage& mask, const QRect& logical,
                     const QRegion& clip, const Pattern& pat, int rop2)
{
    d->EndPainting();
    const QPoint origin = logical.topLeft() * k;
    const QRect bounds = QRect(QPoint(0, 0), img->size());
    QRect touched;
    for (const QRect& c : clip) {
        const QRect r = AfxImagePixels(c, k) & QRect(origin, mask.size()) & bounds;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const uchar* m = mask.constScanLine(y - origin.y());
            QRgb* line = reinterpret_cast<QRgb*>(img->scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x) {
                if (m[x - origin.x()] <= 127)
                    continue;
                QRgb pc = 0xFF000000u;
                if (pat.kind != Pattern::None && !pat.At(x / k, y / k, &pc))
                    continue;
                line[x] = Rop2(rop2, pc, line[x]);
                touched = touched.united(QRect(x / k, y / k, 1, 1));
            }
        }
    }
    if (!touched.isEmpty())
        d->MarkDirty(touched);
}

}  // namespace

void FillPath(AfxDCImpl* d, const QPainterPath& path, const Pattern& pat, int rop2)
{
    if (rop2 == R2_NOP || path.isEmpty())
        return;
    QRect bounds = path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    QRegion clip = d->EffectiveClip() & QRegion(bounds);
    if (clip.isEmpty())
        return;
    QImage* img = d->Image();
    if (!img || (rop2 == R2_COPYPEN && pat.kind == Pattern::Solid)) {
        QPainter* p = d->Painter();
        if (!p)
            return;
        p->setPen(Qt::NoPen);
        QRgb c = rop2 == R2_BLACK ? 0xFF000000u : rop2 == R2_WHITE ? 0xFFFFFFFFu : pat.color;
        p->setBrush(QColor(qRed(c), qGreen(c), qBlue(c)));
        p->drawPath(path);
        d->MarkDirty(bounds);
        return;
    }
    // Render the coverage, then combine pixel by pixel: at the image's own resolution, as the
    // painter fills (a scaled image's edges step by image pixels).
    const int k = img ? AfxPixelRatio(img) : 1;
    QImage mask(bounds.size() * k, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing, false);
        mp.setPen(Qt::NoPen);
        mp.setBrush(Qt::white);
        mp.scale(k, k);
        mp.translate(-bounds.topLeft());
        mp.drawPath(path);
    }
    if (k > 1) {
        FillImagePixels(d, img, k, mask, bounds, clip, pat, rop2);
        return;
    }
    QRegion area;
    for (int y = 0; y < mask.height(); ++y) {
        const uchar* m = mask.constScanLine(y);
        int start = -1;
        for (int x = 0; x <= mask.width(); ++x) {
            bool on = x < mask.width() && m[x] > 127;
            if (on && start < 0)
                start = x;
            if (!on && start >= 0) {
                area += QRect(bounds.left() + start, bounds.top() + y, x - start, 1);
                start = -1;
            }
        }
    }
    FillRegion(d, area, pat, rop2);
}

void StrokePath(AfxDCImpl* d, const QPainterPath& path)
{
    int width = PenWidth(d);
    if (width == 0)
        return;
    if (width == 1) {
        // Cosmetic pens: each polygon of the path as segments.
        int phase = 0;
        for (const QPolygonF& poly : path.toSubpathPolygons()) {
            for (int i = 0; i + 1 < poly.size(); ++i)
                PenSegment(d, poly[i].toPoint(), poly[i + 1].toPoint(), phase);
        }
        return;
    }
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setCapStyle(Qt::SquareCap);
    FillPath(d, stroker.createStroke(path), Pattern::SolidOf(AfxPlainColor(d->st.pen->color)), d->st.rop2);
}

// ---- recording -----------------------------------------------------------------------------------
RecordGuard::RecordGuard() : outer(t_depth == 0) { ++t_depth; }
RecordGuard::~RecordGuard() { --t_depth; }

AfxDrawOp MakeOp(AfxDCImpl* d, AfxDrawKind kind, const char* api)
{
    AfxDrawOp op;
    op.kind = kind;
    op.api = api;
    op.hwnd = d->hwnd;
    op.hdc = d->hdc;
    op.textColor = d->st.textColor;
    op.bkColor = d->st.bkColor;
    op.bkMode = d->st.bkMode;
    op.rop2 = d->st.rop2;
    if (d->st.pen) {
        op.penColor = d->st.pen->color;
        op.penStyle = (int)(d->st.pen->style & PS_STYLE_MASK);
        op.penWidth = d->st.pen->width;
    }
    if (d->st.brush) {
        op.brushColor = d->st.brush->Color();
        op.brushStyle = (int)d->st.brush->style;
    }
    if (d->st.font)
        op.font = d->st.font->lf;
    return op;
}

void Record(AfxDCImpl* d, AfxDrawOp& op)
{
    AfxRecordOp(d, op);
}

}  // namespace afx_raster
