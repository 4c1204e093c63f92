// The drawing-object table and the object classes (CGdiObject, CPen, CBrush, CFont,
// CBitmap, CRgn, CPalette) with the platform's creation and query functions.
#include "GdiInternal.h"
#include "PixelRatio.h"

#include <ClassLib/Core/Debug.h>
#include <ClassLib/Wnd/System.h>

#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct GdiTable
{
    std::mutex lock;
    std::unordered_map<uintptr_t, std::shared_ptr<AfxGdiData>> objects;
    std::unordered_map<uintptr_t, CGdiObject*> permanent;
    std::unordered_map<uintptr_t, std::unique_ptr<CGdiObject>> temporary;
    uintptr_t next = 0x20000;
};

GdiTable& Table()
{
    static GdiTable* t = new GdiTable;  // outlives static destructors of client objects
    return *t;
}

uintptr_t Key(HGDIOBJ h) { return reinterpret_cast<uintptr_t>(h); }

CGdiObject* NewWrapper(AfxGdiKind kind)
{
    switch (kind) {
    case AfxGdiKind::Pen: return new CPen;
    case AfxGdiKind::Brush: return new CBrush;
    case AfxGdiKind::Font: return new CFont;
    case AfxGdiKind::Bitmap: return new CBitmap;
    case AfxGdiKind::Region: return new CRgn;
    case AfxGdiKind::Palette: return new CPalette;
    }
    return new CGdiObject;
}

}  // namespace

void AfxImageTarget::Resize(int cx, int cy, QRgb fill, bool bKeep)
{
    EndPainting();
    cx = std::max(cx, 0);
    cy = std::max(cy, 0);
    if (m_image.width() == cx && m_image.height() == cy && !m_image.isNull())
        return;
    QImage img(std::max(cx, 1), std::max(cy, 1), QImage::Format_RGB32);
    img.fill(fill);
    if (bKeep && !m_image.isNull()) {
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, m_image);
    }
    m_image = std::move(img);
}

COLORREF AfxBrushData::Color() const
{
    return sysColor >= 0 ? GetSysColor(sysColor) : color;
}

COLORREF AfxPlainColor(COLORREF cr)
{
    if ((cr & 0xFF000000) == 0x01000000) {  // palette index: the default palette's first entries
        static const COLORREF kDefault[16] = {RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),
                                              RGB(128, 128, 0),   RGB(0, 0, 128),   RGB(128, 0, 128),
                                              RGB(0, 128, 128),   RGB(192, 192, 192), RGB(128, 128, 128),
                                              RGB(255, 0, 0),     RGB(0, 255, 0),   RGB(255, 255, 0),
                                              RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255),
                                              RGB(255, 255, 255)};
        return kDefault[cr & 0x0F];
    }
    return cr & 0x00FFFFFF;
}

HGDIOBJ AfxGdiAdd(std::shared_ptr<AfxGdiData> data)
{
    GdiTable& t = Table();
    std::lock_guard<std::mutex> g(t.lock);
    uintptr_t k = t.next;
    t.next += 4;
    t.objects[k] = std::move(data);
    return reinterpret_cast<HGDIOBJ>(k);
}

std::shared_ptr<AfxGdiData> AfxGdiGet(HGDIOBJ h)
{
    if (!h)
        return nullptr;
    GdiTable& t = Table();
    std::lock_guard<std::mutex> g(t.lock);
    auto it = t.objects.find(Key(h));
    return it == t.objects.end() ? nullptr : it->second;
}

BOOL AfxGdiDelete(HGDIOBJ h)
{
    std::unique_ptr<CGdiObject> temp;
    std::shared_ptr<AfxGdiData> data;  // released outside the lock
    {
        GdiTable& t = Table();
        std::lock_guard<std::mutex> g(t.lock);
        auto it = t.objects.find(Key(h));
        if (it == t.objects.end())
            return FALSE;
        if (it->second->stock)
            return TRUE;  // stock objects are never deleted; the call still succeeds
        data = std::move(it->second);
        t.objects.erase(it);
        auto tt = t.temporary.find(Key(h));
        if (tt != t.temporary.end()) {
            temp = std::move(tt->second);
            t.temporary.erase(tt);
        }
        auto pp = t.permanent.find(Key(h));
        if (pp != t.permanent.end()) {
            pp->second->m_hObject = nullptr;
            t.permanent.erase(pp);
        }
    }
    if (temp)
        temp->m_hObject = nullptr;
    return TRUE;
}

void AfxGdiSetPermanent(HGDIOBJ h, CGdiObject* pObject)
{
    GdiTable& t = Table();
    std::lock_guard<std::mutex> g(t.lock);
    if (pObject)
        t.permanent[Key(h)] = pObject;
    else
        t.permanent.erase(Key(h));
}

HPEN AfxNewPen(UINT style, int width, COLORREF color)
{
    auto d = std::make_shared<AfxPenData>();
    d->style = style;
    d->width = std::max(width, 0);
    d->color = color;
    return static_cast<HPEN>(AfxGdiAdd(d));
}

HBRUSH AfxNewSolidBrush(COLORREF color)
{
    auto d = std::make_shared<AfxBrushData>();
    d->style = BS_SOLID;
    d->color = color;
    return static_cast<HBRUSH>(AfxGdiAdd(d));
}

HBITMAP AfxNewBitmap(int cx, int cy, bool mono, QRgb fill, int ratio)
{
    auto d = std::make_shared<AfxBitmapData>();
    d->target = std::make_shared<AfxImageTarget>();
    // A bitmap for a scaled screen holds ratio x ratio pixels per logical pixel, as the
    // window's back buffer does: copies between them keep every pixel.
    const int k = mono ? 1 : std::max(ratio, 1);
    d->target->Resize(std::max(cx, 1) * k, std::max(cy, 1) * k, fill, false);
    if (k > 1)
        d->target->image().setDevicePixelRatio(k);
    d->mono = mono;
    d->bitsPixel = mono ? 1 : 32;
    return static_cast<HBITMAP>(AfxGdiAdd(d));
}

HRGN AfxNewRegion(const QRegion& rgn)
{
    auto d = std::make_shared<AfxRegionData>();
    d->rgn = rgn;
    return static_cast<HRGN>(AfxGdiAdd(d));
}

// ---- stock objects -------------------------------------------------------------------------
namespace {

void SetFace(LOGFONT& lf, const char* face)
{
    std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
}

LOGFONT StockLogFont(int nIndex)
{
    LOGFONT lf{};
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfWeight = FW_NORMAL;
    switch (nIndex) {
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
        lf.lfHeight = 16;
        lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        SetFace(lf, "\xD0\xC2\xCB\xCE\xCC\xE5");  // 新宋体
        break;
    case ANSI_VAR_FONT:
        lf.lfHeight = 12;
        lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        SetFace(lf, "\xCB\xCE\xCC\xE5");  // 宋体
        break;
    case DEFAULT_GUI_FONT:
        lf.lfHeight = -12;
        SetFace(lf, "\xCB\xCE\xCC\xE5");
        break;
    default:  // SYSTEM_FONT, DEVICE_DEFAULT_FONT
        lf.lfHeight = 16;
        lf.lfWeight = FW_BOLD;
        SetFace(lf, "System");
        break;
    }
    return lf;
}

struct Stock
{
    HGDIOBJ handles[DC_PEN + 1] = {};
    HBRUSH sysBrushes[COLOR_MENUBAR + 1] = {};
};

Stock& Stocks()
{
    static Stock* s = [] {
        Stock* st = new Stock;
        auto brush = [](UINT style, COLORREF c) {
            auto d = std::make_shared<AfxBrushData>();
            d->style = style;
            d->color = c;
            d->stock = true;
            return AfxGdiAdd(d);
        };
        auto pen = [](UINT style, COLORREF c) {
            auto d = std::make_shared<AfxPenData>();
            d->style = style;
            d->color = c;
            d->stock = true;
            return AfxGdiAdd(d);
        };
        st->handles[WHITE_BRUSH] = brush(BS_SOLID, RGB(255, 255, 255));
        st->handles[LTGRAY_BRUSH] = brush(BS_SOLID, RGB(192, 192, 192));
        st->handles[GRAY_BRUSH] = brush(BS_SOLID, RGB(128, 128, 128));
        st->handles[DKGRAY_BRUSH] = brush(BS_SOLID, RGB(64, 64, 64));
        st->handles[BLACK_BRUSH] = brush(BS_SOLID, RGB(0, 0, 0));
        st->handles[NULL_BRUSH] = brush(BS_NULL, 0);
        st->handles[DC_BRUSH] = brush(BS_SOLID, RGB(255, 255, 255));
        st->handles[WHITE_PEN] = pen(PS_SOLID, RGB(255, 255, 255));
        st->handles[BLACK_PEN] = pen(PS_SOLID, RGB(0, 0, 0));
        st->handles[NULL_PEN] = pen(PS_NULL, 0);
        st->handles[DC_PEN] = pen(PS_SOLID, RGB(0, 0, 0));
        for (int i : {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT, DEVICE_DEFAULT_FONT,
                      SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT}) {
            auto d = std::make_shared<AfxFontData>();
            d->lf = StockLogFont(i);
            d->stock = true;
            st->handles[i] = AfxGdiAdd(d);
        }
        auto pal = std::make_shared<AfxPaletteData>();
        pal->stock = true;
        pal->entries.resize(20);
        st->handles[DEFAULT_PALETTE] = AfxGdiAdd(pal);
        for (int i = 0; i <= COLOR_MENUBAR; ++i) {
            auto d = std::make_shared<AfxBrushData>();
            d->style = BS_SOLID;
            d->sysColor = i;
            d->stock = true;
            st->sysBrushes[i] = static_cast<HBRUSH>(AfxGdiAdd(d));
        }
        return st;
    }();
    return *s;
}

}  // namespace

HGDIOBJ GetStockObject(int i)
{
    if (i < 0 || i > DC_PEN || i == 9)
        return nullptr;
    return Stocks().handles[i];
}

HBRUSH GetSysColorBrush(int nIndex)
{
    if (nIndex < 0 || nIndex > COLOR_MENUBAR)
        return nullptr;
    return Stocks().sysBrushes[nIndex];
}

std::shared_ptr<AfxFontData> AfxStockFont(int nIndex)
{
    return AfxFontOf(GetStockObject(nIndex));
}

// ---- generic functions ----------------------------------------------------------------------
BOOL DeleteObject(HGDIOBJ ho)
{
    return ho ? AfxGdiDelete(ho) : FALSE;
}

DWORD GetObjectType(HGDIOBJ h)
{
    auto d = AfxGdiGet(h);
    return d ? (DWORD)d->kind : 0;
}

int GetObject(HANDLE h, int c, LPVOID pv)
{
    auto d = AfxGdiGet(h);
    if (!d)
        return 0;
    switch (d->kind) {
    case AfxGdiKind::Pen: {
        auto* p = static_cast<AfxPenData*>(d.get());
        if (p->extended || c >= (int)sizeof(EXTLOGPEN)) {
            if (!pv)
                return sizeof(EXTLOGPEN);
            if (c < (int)sizeof(EXTLOGPEN)) {
                if (c < (int)sizeof(LOGPEN))
                    return 0;
            } else {
                EXTLOGPEN e{};
                e.elpPenStyle = p->style;
                e.elpWidth = p->width;
                e.elpBrushStyle = BS_SOLID;
                e.elpColor = p->color;
                e.elpNumEntries = 0;
                std::memcpy(pv, &e, sizeof(e));
                return sizeof(EXTLOGPEN);
            }
        }
        if (!pv)
            return sizeof(LOGPEN);
        if (c < (int)sizeof(LOGPEN))
            return 0;
        LOGPEN lp{};
        lp.lopnStyle = p->style;
        lp.lopnWidth.x = p->width;
        lp.lopnColor = p->color;
        std::memcpy(pv, &lp, sizeof(lp));
        return sizeof(LOGPEN);
    }
    case AfxGdiKind::Brush: {
        if (!pv)
            return sizeof(LOGBRUSH);
        if (c < (int)sizeof(LOGBRUSH))
            return 0;
        auto* b = static_cast<AfxBrushData*>(d.get());
        LOGBRUSH lb{};
        lb.lbStyle = b->style;
        lb.lbColor = b->Color();
        lb.lbHatch = (ULONG_PTR)b->hatch;
        std::memcpy(pv, &lb, sizeof(lb));
        return sizeof(LOGBRUSH);
    }
    case AfxGdiKind::Font: {
        if (!pv)
            return sizeof(LOGFONT);
        int n = std::min(c, (int)sizeof(LOGFONT));
        if (n <= 0)
            return 0;
        std::memcpy(pv, &static_cast<AfxFontData*>(d.get())->lf, n);
        return n;
    }
    case AfxGdiKind::Bitmap: {
        if (!pv)
            return sizeof(BITMAP);
        if (c < (int)sizeof(BITMAP))
            return 0;
        auto* b = static_cast<AfxBitmapData*>(d.get());
        BITMAP bm{};
        bm.bmType = 0;
        const QSize logical = AfxLogicalSize(&b->image());
        bm.bmWidth = logical.width();
        bm.bmHeight = logical.height();
        bm.bmPlanes = 1;
        bm.bmBitsPixel = b->mono ? 1 : b->bitsPixel;
        int bitsRow = bm.bmWidth * (b->mono ? 1 : (bm.bmBitsPixel >= 24 ? 32 : bm.bmBitsPixel));
        bm.bmWidthBytes = ((bitsRow + 15) / 16) * 2;
        bm.bmBits = nullptr;
        std::memcpy(pv, &bm, sizeof(bm));
        return sizeof(BITMAP);
    }
    case AfxGdiKind::Palette: {
        if (!pv)
            return sizeof(WORD);
        if (c < (int)sizeof(WORD))
            return 0;
        WORD n = (WORD)static_cast<AfxPaletteData*>(d.get())->entries.size();
        std::memcpy(pv, &n, sizeof(n));
        return sizeof(WORD);
    }
    case AfxGdiKind::Region: return 0;
    }
    return 0;
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color)
{
    int kind = iStyle & PS_STYLE_MASK;
    if (kind > PS_ALTERNATE)
        return nullptr;
    return AfxNewPen((UINT)iStyle, cWidth, color);
}

HPEN CreatePenIndirect(const LOGPEN* plpen)
{
    return plpen ? CreatePen((int)plpen->lopnStyle, plpen->lopnWidth.x, plpen->lopnColor) : nullptr;
}

HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle, const DWORD* pstyle)
{
    if (!plbrush)
        return nullptr;
    auto d = std::make_shared<AfxPenData>();
    d->style = iPenStyle;
    d->width = (int)cWidth;
    d->color = plbrush->lbColor;
    d->extended = true;
    if ((iPenStyle & PS_STYLE_MASK) == PS_USERSTYLE && pstyle && cStyle > 0 && cStyle <= 16)
        d->userStyle.assign(pstyle, pstyle + cStyle);
    if (plbrush->lbStyle == BS_NULL)
        d->style = (d->style & ~PS_STYLE_MASK) | PS_NULL;
    return static_cast<HPEN>(AfxGdiAdd(d));
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    return AfxNewSolidBrush(color);
}

HBRUSH CreateHatchBrush(int iHatch, COLORREF color)
{
    if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS)
        return nullptr;
    auto d = std::make_shared<AfxBrushData>();
    d->style = BS_HATCHED;
    d->hatch = iHatch;
    d->color = color;
    return static_cast<HBRUSH>(AfxGdiAdd(d));
}

HBRUSH CreatePatternBrush(HBITMAP hbm)
{
    auto b = AfxBitmapOf(hbm);
    if (!b)
        return nullptr;
    b->target->EndPainting();
    auto d = std::make_shared<AfxBrushData>();
    d->style = BS_PATTERN;
    d->pattern = AfxLogicalImage(b->image()).copy();
    d->patternMono = b->mono;
    d->hatch = 0;
    return static_cast<HBRUSH>(AfxGdiAdd(d));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush)
{
    if (!plbrush)
        return nullptr;
    switch (plbrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(plbrush->lbColor);
    case BS_NULL: {
        auto d = std::make_shared<AfxBrushData>();
        d->style = BS_NULL;
        return static_cast<HBRUSH>(AfxGdiAdd(d));
    }
    case BS_HATCHED: return CreateHatchBrush((int)plbrush->lbHatch, plbrush->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8: return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    default: return nullptr;
    }
}

HFONT CreateFontIndirect(const LOGFONT* lplf)
{
    if (!lplf)
        return nullptr;
    auto d = std::make_shared<AfxFontData>();
    d->lf = *lplf;
    d->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(AfxGdiAdd(d));
}

HFONT CreateFont(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                 DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                 DWORD iQuality, DWORD iPitchAndFamily, LPCTSTR pszFaceName)
{
    LOGFONT lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = (BYTE)bItalic;
    lf.lfUnderline = (BYTE)bUnderline;
    lf.lfStrikeOut = (BYTE)bStrikeOut;
    lf.lfCharSet = (BYTE)iCharSet;
    lf.lfOutPrecision = (BYTE)iOutPrecision;
    lf.lfClipPrecision = (BYTE)iClipPrecision;
    lf.lfQuality = (BYTE)iQuality;
    lf.lfPitchAndFamily = (BYTE)iPitchAndFamily;
    if (pszFaceName)
        std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

namespace {

// Rows of device-dependent bitmap bits are padded to 16 bits.
int RowBytes(int width, int bpp) { return ((width * bpp + 15) / 16) * 2; }

void SetBitsInto(AfxBitmapData& b, const BYTE* bits, size_t count)
{
    b.target->EndPainting();
    QImage& img = b.image();
    const QSize logical = AfxLogicalSize(&img);
    int w = logical.width(), h = logical.height();
    int bpp = b.mono ? 1 : 32;
    int stride = RowBytes(w, bpp);
    for (int y = 0; y < h; ++y) {
        const BYTE* row = bits + (size_t)y * stride;
        if ((size_t)(y + 1) * stride > count)
            break;
        AfxForImagePixels(&img, QRect(0, y, w, 1), [&](int x, int, QRgb& px) {
            if (b.mono) {
                bool white = (row[x >> 3] >> (7 - (x & 7))) & 1;
                px = white ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            } else {
                px = qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
            }
        });
    }
}

}  // namespace

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    if (nWidth <= 0 || nHeight <= 0 || nPlanes != 1 || nWidth > 32767 || nHeight > 32767)
        return nullptr;
    if (nBitCount != 1 && nBitCount != 24 && nBitCount != 32 && nBitCount != 4 && nBitCount != 8 && nBitCount != 16)
        return nullptr;
    bool mono = nBitCount == 1;
    HBITMAP h = AfxNewBitmap(nWidth, nHeight, mono, qRgb(0, 0, 0));
    auto b = AfxBitmapOf(h);
    b->bitsPixel = (WORD)nBitCount;
    if (lpBits) {
        const BYTE* src = static_cast<const BYTE*>(lpBits);
        QImage& img = b->image();
        int stride = RowBytes(nWidth, (int)nBitCount);
        for (int y = 0; y < nHeight; ++y) {
            const BYTE* row = src + (size_t)y * stride;
            QRgb* out = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < nWidth; ++x) {
                switch (nBitCount) {
                case 1: out[x] = ((row[x >> 3] >> (7 - (x & 7))) & 1) ? qRgb(255, 255, 255) : qRgb(0, 0, 0); break;
                case 4: {
                    int v = (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
                    out[x] = AfxRgb(AfxPlainColor(PALETTEINDEX(v)));
                    break;
                }
                case 8: out[x] = qRgb(row[x], row[x], row[x]); break;
                case 16: {
                    WORD v = (WORD)(row[x * 2] | (row[x * 2 + 1] << 8));
                    out[x] = qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
                    break;
                }
                case 24: out[x] = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]); break;
                default: out[x] = qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]); break;
                }
            }
        }
    }
    return h;
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits)
{
    auto b = AfxBitmapOf(hbit);
    if (!b || cb < 0)
        return 0;
    b->target->EndPainting();
    const QImage img = AfxLogicalImage(b->image());
    int w = img.width(), h = img.height();
    int bpp = b->mono ? 1 : 32;
    int stride = RowBytes(w, bpp);
    LONG total = (LONG)stride * h;
    if (!lpvBits)
        return total;
    std::vector<BYTE> buf((size_t)total, 0);
    for (int y = 0; y < h; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        BYTE* row = buf.data() + (size_t)y * stride;
        for (int x = 0; x < w; ++x) {
            if (b->mono) {
                if (qRed(in[x]) + qGreen(in[x]) + qBlue(in[x]) >= 384)
                    row[x >> 3] |= (BYTE)(0x80 >> (x & 7));
            } else {
                row[x * 4] = (BYTE)qBlue(in[x]);
                row[x * 4 + 1] = (BYTE)qGreen(in[x]);
                row[x * 4 + 2] = (BYTE)qRed(in[x]);
                row[x * 4 + 3] = 0;
            }
        }
    }
    LONG n = std::min(cb, total);
    std::memcpy(lpvBits, buf.data(), (size_t)n);
    return n;
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits)
{
    auto b = AfxBitmapOf(hbm);
    if (!b || !pvBits)
        return 0;
    SetBitsInto(*b, static_cast<const BYTE*>(pvBits), cb);
    return (LONG)cb;
}

HRGN CreateRectRgn(int x1, int y1, int x2, int y2)
{
    QRect r = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
    return AfxNewRegion(r.isValid() ? QRegion(r) : QRegion());
}

HRGN CreateRectRgnIndirect(const RECT* lprect)
{
    return lprect ? CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    QRect r = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
    return AfxNewRegion(r.isValid() ? QRegion(r, QRegion::Ellipse) : QRegion());
}

HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode)
{
    if (!pptl || cPoint < 0 || (iMode != ALTERNATE && iMode != WINDING))
        return nullptr;
    QPolygon poly;
    for (int i = 0; i < cPoint; ++i)
        poly << QPoint(pptl[i].x, pptl[i].y);
    QRegion rgn;
    if (cPoint >= 3)
        rgn = QRegion(poly, iMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return AfxNewRegion(rgn);
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h)
{
    QRect r = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
    if (!r.isValid())
        return AfxNewRegion(QRegion());
    QPainterPath path;
    path.addRoundedRect(QRectF(r.x(), r.y(), r.width(), r.height()), w / 2.0, h / 2.0);
    QRegion rgn(path.toFillPolygon().toPolygon(), Qt::WindingFill);
    return AfxNewRegion(rgn);
}

namespace {
int RegionKind(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
}  // namespace

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode)
{
    auto dst = AfxRegionOf(hrgnDst);
    auto a = AfxRegionOf(hrgnSrc1);
    if (!dst || !a)
        return ERROR;
    QRegion res;
    if (iMode == RGN_COPY) {
        res = a->rgn;
    } else {
        auto b = AfxRegionOf(hrgnSrc2);
        if (!b)
            return ERROR;
        switch (iMode) {
        case RGN_AND: res = a->rgn.intersected(b->rgn); break;
        case RGN_OR: res = a->rgn.united(b->rgn); break;
        case RGN_XOR: res = a->rgn.xored(b->rgn); break;
        case RGN_DIFF: res = a->rgn.subtracted(b->rgn); break;
        default: return ERROR;
        }
    }
    dst->rgn = res;
    return RegionKind(res);
}

BOOL PtInRegion(HRGN hrgn, int x, int y)
{
    auto r = AfxRegionOf(hrgn);
    return r && r->rgn.contains(QPoint(x, y));
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect)
{
    auto r = AfxRegionOf(hrgn);
    if (!r || !lprect)
        return FALSE;
    QRect q(QPoint(lprect->left, lprect->top), QPoint(lprect->right - 1, lprect->bottom - 1));
    return q.isValid() && r->rgn.intersects(q);
}

int GetRgnBox(HRGN hrgn, LPRECT lprc)
{
    auto r = AfxRegionOf(hrgn);
    if (!r || !lprc)
        return ERROR;
    QRect b = r->rgn.boundingRect();
    if (r->rgn.isEmpty())
        ::SetRectEmpty(lprc);
    else
        ::SetRect(lprc, b.left(), b.top(), b.right() + 1, b.bottom() + 1);
    return RegionKind(r->rgn);
}

int OffsetRgn(HRGN hrgn, int x, int y)
{
    auto r = AfxRegionOf(hrgn);
    if (!r)
        return ERROR;
    r->rgn.translate(x, y);
    return RegionKind(r->rgn);
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom)
{
    auto r = AfxRegionOf(hrgn);
    if (!r)
        return FALSE;
    QRect q(QPoint(std::min(left, right), std::min(top, bottom)), QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
    r->rgn = q.isValid() ? QRegion(q) : QRegion();
    return TRUE;
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2)
{
    auto a = AfxRegionOf(hrgn1);
    auto b = AfxRegionOf(hrgn2);
    return a && b && a->rgn == b->rgn;
}

// ---- CGdiObject ------------------------------------------------------------------------------
namespace {
// Attaches a handle just made for the object; when the object holds one already, the new
// handle is deleted again and the call fails.
BOOL AttachNew(CGdiObject* pObject, HGDIOBJ h)
{
    if (!h)
        return FALSE;
    if (!pObject->Attach(h)) {
        ::DeleteObject(h);
        return FALSE;
    }
    return TRUE;
}
}  // namespace

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

CGdiObject::CGdiObject() : m_hObject(nullptr) {}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    // One lookup under the table's lock: the object's own wrapper, a temporary one, or a new
    // temporary one for a live object.
    GdiTable& t = Table();
    std::lock_guard<std::mutex> g(t.lock);
    auto p = t.permanent.find(Key(hObject));
    if (p != t.permanent.end())
        return p->second;
    auto tt = t.temporary.find(Key(hObject));
    if (tt != t.temporary.end())
        return tt->second.get();
    auto it = t.objects.find(Key(hObject));
    if (it == t.objects.end() || !it->second)
        return nullptr;
    CGdiObject* w = NewWrapper(it->second->kind);
    w->m_hObject = hObject;
    t.temporary[Key(hObject)].reset(w);
    return w;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    // An object holds one handle: attaching another would lose the first.
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    AfxGdiSetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (h)
        AfxGdiSetPermanent(h, nullptr);
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    HGDIOBJ h = Detach();
    return ::DeleteObject(h);
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return (UINT)::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    return AttachNew(this, ::GetStockObject(nIndex));
}

// ---- pens, brushes, fonts ---------------------------------------------------------------------
CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    CreatePen(nPenStyle, nWidth, crColor);
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return AttachNew(this, ::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    return AttachNew(this, ::ExtCreatePen((DWORD)nPenStyle, (DWORD)nWidth, pLogBrush, (DWORD)nStyleCount, lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    return AttachNew(this, ::CreatePenIndirect(lpLogPen));
}

CBrush::CBrush(COLORREF crColor)
{
    CreateSolidBrush(crColor);
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    CreateHatchBrush(nIndex, crColor);
}

CBrush::CBrush(CBitmap* pBitmap)
{
    CreatePatternBrush(pBitmap);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return AttachNew(this, ::CreateSolidBrush(crColor)); }
BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) { return AttachNew(this, ::CreateHatchBrush(nIndex, crColor)); }
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return AttachNew(this, ::CreateBrushIndirect(lpLogBrush)); }
BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap ? Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle()))) : FALSE;
}
BOOL CBrush::CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage)
{
    (void)nUsage;
    if (!lpPackedDIB)
        return FALSE;
    const BITMAPINFOHEADER* bih = static_cast<const BITMAPINFOHEADER*>(lpPackedDIB);
    if (bih->biSize < sizeof(BITMAPINFOHEADER) || bih->biWidth <= 0 || bih->biWidth > 256 ||
        bih->biHeight == 0 || std::abs(bih->biHeight) > 256 || (bih->biBitCount != 24 && bih->biBitCount != 32))
        return FALSE;
    int w = bih->biWidth, h = std::abs(bih->biHeight);
    const BYTE* bits = reinterpret_cast<const BYTE*>(bih) + bih->biSize;
    int bpp = bih->biBitCount / 8;
    int stride = ((w * bpp + 3) / 4) * 4;
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        int srcRow = bih->biHeight > 0 ? h - 1 - y : y;
        const BYTE* row = bits + (size_t)srcRow * stride;
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(row[x * bpp + 2], row[x * bpp + 1], row[x * bpp]));
    }
    auto d = std::make_shared<AfxBrushData>();
    d->style = BS_DIBPATTERN;
    d->pattern = img;
    return AttachNew(this, AfxGdiAdd(d));
}
BOOL CBrush::CreateSysColorBrush(int nIndex) { return AttachNew(this, ::GetSysColorBrush(nIndex)); }

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) { return AttachNew(this, ::CreateFontIndirect(lpLogFont)); }

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return AttachNew(this, ::CreateFont(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                               nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName)
        std::strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC)
{
    if (!lpLogFont)
        return FALSE;
    LOGFONT lf = *lpLogFont;
    int dpi = pDC ? pDC->GetDeviceCaps(LOGPIXELSY) : 96;
    POINT pt = {0, MulDiv(dpi, lf.lfHeight, 720)};
    if (pDC) {
        pDC->DPtoLP(&pt);
        POINT org = {0, 0};
        pDC->DPtoLP(&org);
        lf.lfHeight = -std::abs(pt.y - org.y);
    } else {
        lf.lfHeight = -std::abs(pt.y);
    }
    return CreateFontIndirect(&lf);
}

// ---- bitmaps -----------------------------------------------------------------------------------
BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE h = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return AttachNew(this, ::LoadBitmap(h, lpszResourceName));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return LoadBitmap(MAKEINTRESOURCE(nIDResource));
}

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap)
{
    return AttachNew(this, AfxLoadOEMBitmap(nIDBitmap));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, void* lpColorMap, int nMapSize)
{
    (void)nFlags;
    (void)lpColorMap;
    (void)nMapSize;
    if (!LoadBitmap(nIDBitmap))
        return FALSE;
    // The standard button colours of the picture follow the current system colours.
    auto b = AfxBitmapOf(m_hObject);
    QImage& img = b->image();
    const struct { QRgb from; int sys; } kMap[] = {{qRgb(0, 0, 0), COLOR_BTNTEXT},
                                                  {qRgb(128, 128, 128), COLOR_BTNSHADOW},
                                                  {qRgb(192, 192, 192), COLOR_BTNFACE},
                                                  {qRgb(255, 255, 255), COLOR_BTNHIGHLIGHT}};
    for (int y = 0; y < img.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            for (const auto& m : kMap)
                if ((row[x] & 0xFFFFFF) == (m.from & 0xFFFFFF)) {
                    row[x] = AfxRgb(GetSysColor(m.sys));
                    break;
                }
    }
    return TRUE;
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return AttachNew(this, ::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    if (!lpBitmap)
        return FALSE;
    return AttachNew(this, ::CreateBitmap(lpBitmap->bmWidth, lpBitmap->bmHeight, lpBitmap->bmPlanes, lpBitmap->bmBitsPixel,
                                 lpBitmap->bmBits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return AttachNew(this, ::CreateCompatibleBitmap(pDC ? pDC->GetSafeHdc() : nullptr, nWidth, nHeight));
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    return (DWORD)::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits);
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    return (DWORD)::GetBitmapBits(static_cast<HBITMAP>(m_hObject), (LONG)dwCount, lpBits);
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    auto b = AfxBitmapOf(m_hObject);
    if (!b)
        return CSize(0, 0);
    CSize old = b->dimension;
    b->dimension = CSize(nWidth, nHeight);
    return old;
}

CSize CBitmap::GetBitmapDimension() const
{
    auto b = AfxBitmapOf(m_hObject);
    return b ? b->dimension : CSize(0, 0);
}

// ---- regions -------------------------------------------------------------------------------------
BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return AttachNew(this, ::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return AttachNew(this, ::CreateRectRgnIndirect(lpRect)); }
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { return AttachNew(this, ::CreateEllipticRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    return lpRect ? CreateEllipticRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}
BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nPolyFillMode)
{
    return AttachNew(this, ::CreatePolygonRgn(lpPoints, nCount, nPolyFillMode));
}
BOOL CRgn::CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode)
{
    if (!lpPoints || !lpPolyCounts || nCount <= 0)
        return FALSE;
    QRegion all;
    const POINT* p = lpPoints;
    for (int i = 0; i < nCount; ++i) {
        QPolygon poly;
        for (int j = 0; j < lpPolyCounts[i]; ++j)
            poly << QPoint(p[j].x, p[j].y);
        p += std::max(lpPolyCounts[i], 0);
        if (poly.size() >= 3)
            all = nPolyFillMode == WINDING ? all.united(QRegion(poly, Qt::WindingFill))
                                           : all.xored(QRegion(poly, Qt::OddEvenFill));
    }
    return AttachNew(this, AfxNewRegion(all));
}
BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return AttachNew(this, ::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2); }
void CRgn::SetRectRgn(LPCRECT lpRect)
{
    if (lpRect)
        SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}
int CRgn::CombineRgn(CRgn* pRgn1, CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), pRgn1 ? static_cast<HRGN>(pRgn1->GetSafeHandle()) : nullptr,
                        pRgn2 ? static_cast<HRGN>(pRgn2->GetSafeHandle()) : nullptr, nCombineMode);
}
int CRgn::CopyRgn(CRgn* pRgnSrc) { return CombineRgn(pRgnSrc, nullptr, RGN_COPY); }
BOOL CRgn::EqualRgn(CRgn* pRgn) const
{
    return pRgn && ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn->GetSafeHandle()));
}
int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y); }
int CRgn::GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y); }
BOOL CRgn::RectInRegion(LPCRECT lpRect) const { return ::RectInRegion(static_cast<HRGN>(m_hObject), lpRect); }

// ---- palettes --------------------------------------------------------------------------------------
BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    if (!lpLogPalette || lpLogPalette->palNumEntries == 0)
        return FALSE;
    auto d = std::make_shared<AfxPaletteData>();
    d->entries.assign(lpLogPalette->palPalEntry, lpLogPalette->palPalEntry + lpLogPalette->palNumEntries);
    return AttachNew(this, AfxGdiAdd(d));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    (void)pDC;
    auto d = std::make_shared<AfxPaletteData>();
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                d->entries.push_back(PALETTEENTRY{(BYTE)(r * 51), (BYTE)(g * 51), (BYTE)(b * 51), 0});
    return AttachNew(this, AfxGdiAdd(d));
}

int CPalette::GetEntryCount()
{
    auto d = AfxGdiGetAs<AfxPaletteData>(m_hObject, AfxGdiKind::Palette);
    return d ? (int)d->entries.size() : 0;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
{
    auto d = AfxGdiGetAs<AfxPaletteData>(m_hObject, AfxGdiKind::Palette);
    if (!d || !lpPaletteColors)
        return 0;
    UINT n = 0;
    for (UINT i = nStartIndex; i < d->entries.size() && n < nNumEntries; ++i, ++n)
        lpPaletteColors[n] = d->entries[i];
    return n;
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    auto d = AfxGdiGetAs<AfxPaletteData>(m_hObject, AfxGdiKind::Palette);
    if (!d || !lpPaletteColors)
        return 0;
    UINT n = 0;
    for (UINT i = nStartIndex; i < d->entries.size() && n < nNumEntries; ++i, ++n)
        d->entries[i] = lpPaletteColors[n];
    return n;
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    auto d = AfxGdiGetAs<AfxPaletteData>(m_hObject, AfxGdiKind::Palette);
    if (!d || d->entries.empty())
        return CLR_INVALID;
    UINT best = 0;
    long bestDist = -1;
    for (UINT i = 0; i < d->entries.size(); ++i) {
        long dr = (long)d->entries[i].peRed - GetRValue(crColor);
        long dg = (long)d->entries[i].peGreen - GetGValue(crColor);
        long db = (long)d->entries[i].peBlue - GetBValue(crColor);
        long dist = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || dist < bestDist) {
            bestDist = dist;
            best = i;
        }
    }
    return best;
}
