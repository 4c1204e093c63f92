// Pixel-level drawing: raster operations, brush patterns and the fill and line primitives
// every drawing call ends in. Image targets are changed pixel by pixel with the exact
// raster operation; other targets are painted with Qt.
#pragma once

#include "DCInternal.h"

#include <ClassLib/Testing/DrawLog.h>

#include <vector>

namespace afx_raster {

// The binary raster operation (R2_*) of pen or brush colour p with the pixel d.
inline QRgb Rop2(int rop, QRgb p, QRgb d)
{
    unsigned t = (unsigned)(rop - 1) & 15u;
    QRgb r = 0;
    if (t & 1u) r |= ~p & ~d;
    if (t & 2u) r |= ~p & d;
    if (t & 4u) r |= p & ~d;
    if (t & 8u) r |= p & d;
    return (r & 0x00FFFFFFu) | 0xFF000000u;
}

// The ternary raster operation code (bits 16-23 of a ROP) of pattern p, source s, pixel d.
inline QRgb Rop3(unsigned code, QRgb p, QRgb s, QRgb d)
{
    QRgb r = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!((code >> i) & 1u))
            continue;
        QRgb term = ((i & 4u) ? p : ~p) & ((i & 2u) ? s : ~s) & ((i & 1u) ? d : ~d);
        r |= term;
    }
    return (r & 0x00FFFFFFu) | 0xFF000000u;
}

// The colour of a brush at a device pixel.
struct Pattern
{
    enum Kind { None, Solid, Hatch, Image } kind = None;
    QRgb color = 0xFF000000u;
    QRgb bk = 0xFFFFFFFFu;
    bool opaqueBk = true;
    int hatch = 0;
    QImage image;
    bool mono = false;
    QRgb fore = 0xFF000000u;  // mono patterns: black pixels
    QRgb back = 0xFFFFFFFFu;  // mono patterns: white pixels
    QPoint origin;

    // FALSE where the pattern leaves the pixel alone (hatch gaps in transparent mode).
    bool At(int x, int y, QRgb* out) const;
    static Pattern SolidOf(COLORREF c);
};

Pattern BrushPattern(const AfxDCImpl* d, const AfxBrushData* b);

// Fills the device region with the pattern through the binary raster operation.
void FillRegion(AfxDCImpl* d, const QRegion& area, const Pattern& pat, int rop2);
// The same for one device rectangle.
void FillRect(AfxDCImpl* d, const QRect& rect, const Pattern& pat, int rop2);
// Applies a ternary raster operation with the pattern (no source) to the device region.
void PatRegion(AfxDCImpl* d, const QRegion& area, const Pattern& pat, DWORD rop);
// Draws a cosmetic or wide pen segment from a to b (device), the end point excluded
// unless bLast.
void PenSegment(AfxDCImpl* d, QPoint a, QPoint b, int& phase, bool bLast = false);
// The device width of the selected pen (0 = no pen).
int PenWidth(const AfxDCImpl* d);
// Draws a Qt path (device coordinates) with the brush (fill) and/or pen (outline) through
// the raster operation: directly when it is R2_COPYPEN, through a coverage mask otherwise.
void FillPath(AfxDCImpl* d, const QPainterPath& path, const Pattern& pat, int rop2);
void StrokePath(AfxDCImpl* d, const QPainterPath& path);

// Recording.
struct RecordGuard
{
    RecordGuard();
    ~RecordGuard();
    bool outer;  // only the outermost call of a nest records
};
AfxDrawOp MakeOp(AfxDCImpl* d, AfxDrawKind kind, const char* api);
void Record(AfxDCImpl* d, AfxDrawOp& op);
inline bool ShouldRecord(const RecordGuard& g) { return g.outer && AfxRecording(); }

}  // namespace afx_raster

// Draws an image with alpha (icons, image lists, bitmaps) at a device position.
void AfxDrawImageDevice(AfxDCImpl* d, const QImage& image, QPoint devPos);
