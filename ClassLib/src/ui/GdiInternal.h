// Internal state of the drawing objects: the handle table and what each kind of object
// holds. Device contexts keep shared references to what they draw with, so an object
// deleted while selected stays valid for the context until it selects another.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QCursor>
#include <QFontMetrics>
#include <QPainterPath>

#include <ClassLib/Resources/Resources.h>

#include <ClassLib/Gdi/GdiApi.h>
#include <ClassLib/Gdi/GdiObject.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <memory>
#include <vector>

// An image target: window backing images, bitmaps.
class AfxImageTarget : public AfxDCTarget
{
public:
    explicit AfxImageTarget(QImage image = QImage()) : m_image(std::move(image)) {}
    QImage* Image() override { return &m_image; }
    QPaintDevice* Device() override { return &m_image; }
    // Replaces the image (keeping what fits when bKeep); ends the painter first.
    void Resize(int cx, int cy, QRgb fill, bool bKeep);
    QImage& image() { return m_image; }

private:
    QImage m_image;
};

enum class AfxGdiKind { Pen = OBJ_PEN, Brush = OBJ_BRUSH, Font = OBJ_FONT, Bitmap = OBJ_BITMAP, Region = OBJ_REGION, Palette = OBJ_PAL };

struct AfxGdiData
{
    explicit AfxGdiData(AfxGdiKind k) : kind(k) {}
    virtual ~AfxGdiData() = default;
    AfxGdiKind kind;
    bool stock = false;
};

struct AfxPenData : AfxGdiData
{
    AfxPenData() : AfxGdiData(AfxGdiKind::Pen) {}
    UINT style = PS_SOLID;  // full style with type, end cap and join bits
    int width = 0;
    COLORREF color = 0;
    std::vector<DWORD> userStyle;
    bool extended = false;
    int Kind() const { return (int)(style & PS_STYLE_MASK); }
};

struct AfxBitmapData;

struct AfxBrushData : AfxGdiData
{
    AfxBrushData() : AfxGdiData(AfxGdiKind::Brush) {}
    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
    QImage pattern;        // BS_PATTERN: a copy of the bitmap's pixels
    bool patternMono = false;
    int sysColor = -1;     // a system colour brush follows its colour
    COLORREF Color() const;
};

struct AfxFontData : AfxGdiData
{
    AfxFontData() : AfxGdiData(AfxGdiKind::Font) {}
    LOGFONT lf{};
};

struct AfxBitmapData : AfxGdiData
{
    AfxBitmapData() : AfxGdiData(AfxGdiKind::Bitmap) {}
    std::shared_ptr<AfxImageTarget> target;  // the pixels (Format_RGB32)
    bool mono = false;
    WORD bitsPixel = 32;
    CSize dimension;
    QImage& image() { return target->image(); }
};

struct AfxRegionData : AfxGdiData
{
    AfxRegionData() : AfxGdiData(AfxGdiKind::Region) {}
    QRegion rgn;
};

struct AfxPaletteData : AfxGdiData
{
    AfxPaletteData() : AfxGdiData(AfxGdiKind::Palette) {}
    std::vector<PALETTEENTRY> entries;
};

// The object table.
HGDIOBJ AfxGdiAdd(std::shared_ptr<AfxGdiData> data);
std::shared_ptr<AfxGdiData> AfxGdiGet(HGDIOBJ h);
template <class T>
std::shared_ptr<T> AfxGdiGetAs(HGDIOBJ h, AfxGdiKind kind)
{
    std::shared_ptr<AfxGdiData> d = AfxGdiGet(h);
    if (!d || d->kind != kind)
        return nullptr;
    return std::static_pointer_cast<T>(d);
}
inline std::shared_ptr<AfxPenData> AfxPenOf(HGDIOBJ h) { return AfxGdiGetAs<AfxPenData>(h, AfxGdiKind::Pen); }
inline std::shared_ptr<AfxBrushData> AfxBrushOf(HGDIOBJ h) { return AfxGdiGetAs<AfxBrushData>(h, AfxGdiKind::Brush); }
inline std::shared_ptr<AfxFontData> AfxFontOf(HGDIOBJ h) { return AfxGdiGetAs<AfxFontData>(h, AfxGdiKind::Font); }
inline std::shared_ptr<AfxBitmapData> AfxBitmapOf(HGDIOBJ h) { return AfxGdiGetAs<AfxBitmapData>(h, AfxGdiKind::Bitmap); }
inline std::shared_ptr<AfxRegionData> AfxRegionOf(HGDIOBJ h) { return AfxGdiGetAs<AfxRegionData>(h, AfxGdiKind::Region); }
// Removes a handle (stock objects stay); FALSE when it is not an object.
BOOL AfxGdiDelete(HGDIOBJ h);
// The permanent wrapper of a handle (set by Attach, cleared by Detach).
void AfxGdiSetPermanent(HGDIOBJ h, CGdiObject* pObject);

// New objects.
HPEN AfxNewPen(UINT style, int width, COLORREF color);
HBRUSH AfxNewSolidBrush(COLORREF color);
// A bitmap of cx x cy logical pixels, ratio x ratio image pixels each (1 for monochrome).
HBITMAP AfxNewBitmap(int cx, int cy, bool mono, QRgb fill, int ratio = 1);
HRGN AfxNewRegion(const QRegion& rgn);
std::shared_ptr<AfxFontData> AfxStockFont(int nIndex);

// Colours.
inline QRgb AfxRgb(COLORREF cr) { return qRgb(GetRValue(cr), GetGValue(cr), GetBValue(cr)); }
inline COLORREF AfxColorOfRgb(QRgb p) { return RGB(qRed(p), qGreen(p), qBlue(p)); }
// Palette-relative and index forms reduced to a plain RGB value.
COLORREF AfxPlainColor(COLORREF cr);

// Fonts: the Qt font and metrics of a LOGFONT at a device height.
struct AfxTextWidths;
struct AfxTextRuns;
struct AfxFontMetrics
{
    QFont font;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    bool cjk = false;
    std::shared_ptr<QFontMetrics> qfm;  // metrics of 'font', made once
    std::shared_ptr<AfxTextWidths> widths;  // widths measured lately (a paint measures the texts of the last)
    std::shared_ptr<AfxTextRuns> runs;      // texts shaped lately (a paint draws the texts of the last)
    int Height() const { return ascent + descent; }
};
// lfHeight is already in device units.
std::shared_ptr<const AfxFontMetrics> AfxFontMetricsOf(const LOGFONT& lf);
// Width of a UTF-16 text in that font (device pixels).
int AfxTextWidth(const AfxFontMetrics& fm, const QString& text);

// Pictures from the modules' resource tables.
QImage AfxLoadBitmapImage(HINSTANCE hInst, LPCTSTR lpszName, WORD* pBitsPixel, bool* pMono);
