// Lines, shapes, fills, regions, pixels and block transfers.
#include "Raster.h"
#include "PixelRatio.h"
#include "WndInternal.h"

#include <ClassLib/Wnd/System.h>

#include <QPainterPath>

#include <cmath>
#include <cstring>

using namespace afx_raster;

namespace {

AfxDCImpl* DCOf(HDC h) { return AfxDCOf(h); }

// A brush handle, or a system colour given as (HBRUSH)(COLOR_xxx + 1) as the platform allows.
std::shared_ptr<AfxBrushData> ResolveBrush(HBRUSH hbr)
{
    uintptr_t v = reinterpret_cast<uintptr_t>(hbr);
    if (v > 0 && v <= COLOR_MENUBAR + 1)
        return AfxBrushOf(GetSysColorBrush((int)v - 1));
    return AfxBrushOf(hbr);
}

QRect DeviceRect(AfxDCImpl* d, int l, int t, int r, int b)
{
    RECT rc{l, t, r, b};
    return d->ToDevice(rc);
}

QRegion DeviceRegion(AfxDCImpl* d, const QRegion& logical)
{
    if (d->st.mapMode == MM_TEXT)
        return logical.translated(d->ToDevice(0, 0));
    QRegion out;
    for (const QRect& r : logical)
        out += DeviceRect(d, r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    return out;
}

void RecordRect(AfxDCImpl* d, const RecordGuard& g, AfxDrawKind kind, const char* api, int l, int t, int r, int b)
{
    if (!ShouldRecord(g))
        return;
    AfxDrawOp op = MakeOp(d, kind, api);
    op.rect = CRect(l, t, r, b);
    Record(d, op);
}

// The pen's outline of a device rectangle [x0, x1) x [y0, y1), each pixel once.
void OutlineRect(AfxDCImpl* d, const QRect& dev)
{
    int pw = PenWidth(d);
    if (pw == 0 || dev.width() <= 0 || dev.height() <= 0)
        return;
    if (pw == 1) {
        int x0 = dev.left(), y0 = dev.top(), x1 = dev.left() + dev.width() - 1, y1 = dev.top() + dev.height() - 1;
        int phase = 0;
        if (x0 == x1 || y0 == y1) {
            PenSegment(d, QPoint(x0, y0), QPoint(x1, y1), phase, true);
            return;
        }
        PenSegment(d, QPoint(x0, y0), QPoint(x1, y0), phase);
        PenSegment(d, QPoint(x1, y0), QPoint(x1, y1), phase);
        PenSegment(d, QPoint(x1, y1), QPoint(x0, y1), phase);
        PenSegment(d, QPoint(x0, y1), QPoint(x0, y0), phase);
        return;
    }
    QRect outer = dev;
    if ((d->st.pen->style & PS_STYLE_MASK) != PS_INSIDEFRAME)
        outer = QRect(dev.left() - pw / 2, dev.top() - pw / 2, dev.width() + pw - 1, dev.height() + pw - 1);
    QRect inner = outer.adjusted(pw, pw, -pw, -pw);
    QRegion frame = QRegion(outer) - (inner.isValid() ? QRegion(inner) : QRegion());
    FillRegion(d, frame, Pattern::SolidOf(AfxPlainColor(d->st.pen->color)), d->st.rop2);
}

QRect InteriorOf(AfxDCImpl* d, const QRect& dev)
{
    int pw = PenWidth(d);
    if (pw == 0)
        return QRect(dev.left(), dev.top(), dev.width() - 1, dev.height() - 1);
    if (pw == 1)
        return dev.adjusted(1, 1, -1, -1);
    if ((d->st.pen->style & PS_STYLE_MASK) == PS_INSIDEFRAME)
        return dev.adjusted(pw, pw, -pw, -pw);
    int in = pw - pw / 2;
    return QRect(dev.left() + in, dev.top() + in, dev.width() - 2 * in, dev.height() - 2 * in);
}

double AngleOf(const QRectF& r, QPointF p)
{
    QPointF c = r.center();
    double a = std::atan2(-(p.y() - c.y()) * r.width() / std::max(r.height(), 1.0), p.x() - c.x());
    return a * 180.0 / M_PI;
}

QPainterPath ArcPath(AfxDCImpl* d, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, int kind)
{
    QRect dev = DeviceRect(d, x1, y1, x2, y2);
    QRectF r(dev.left(), dev.top(), dev.width() - 1, dev.height() - 1);
    QPoint s = d->ToDevice(x3, y3), e = d->ToDevice(x4, y4);
    double a0 = AngleOf(r, s), a1 = AngleOf(r, e);
    double sweep = a1 - a0;
    while (sweep <= 0)
        sweep += 360.0;
    QPainterPath path;
    if (kind == 2) {  // pie
        path.moveTo(r.center());
        path.arcTo(r, a0, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(r, a0);
        path.arcTo(r, a0, sweep);
        if (kind == 1)
            path.closeSubpath();
    }
    return path;
}

void FillAndStroke(AfxDCImpl* d, const QPainterPath& path)
{
    if (d->st.brush && d->st.brush->style != BS_NULL)
        FillPath(d, path, BrushPattern(d, d->st.brush.get()), d->st.rop2);
    StrokePath(d, path);
}

// The record of a region call: its name and the region's bounds (empty for an empty region).
AfxDrawOp RegionOp(AfxDCImpl* d, const char* api, const QRegion& rgn)
{
    AfxDrawOp op = MakeOp(d, AfxDrawKind::Region, api);
    QRect b = rgn.boundingRect();
    op.rect = rgn.isEmpty() ? CRect() : CRect(b.left(), b.top(), b.right() + 1, b.bottom() + 1);
    return op;
}

}  // namespace

// ---- lines --------------------------------------------------------------------------------------
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    AfxDCImpl* d = DCOf(hdc);
    if (!d)
        return FALSE;
    if (lppt)
        *lppt = d->st.position;
    d->st.position = CPoint(x, y);
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    AfxDCImpl* d = DCOf(hdc);
    if (!d)
        return FALSE;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::Polyline, "LineTo");
        op.points = {d->st.position, CPoint(x, y)};
        Record(d, op);
    }
    int phase = 0;
    PenSegment(d, d->ToDevice(d->st.position), d->ToDevice(x, y), phase);
    d->st.position = CPoint(x, y);
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt)
{
    AfxDCImpl* d = DCOf(hdc);
    if (!d || !apt || cpt < 2)
        return FALSE;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::Polyline, "Polyline");
        op.points.assign(apt, apt + cpt);
        Record(d, op);
    }
    int phase = 0;
    for (int i = 0; i + 1 < cpt; ++i)
        PenSegment(d, d->ToDevice(apt[i]), d->ToDevice(apt[i + 1]), phase);
    return TRUE;
}

CPoint CDC::GetCurrentPosition() const { return m_pImpl ? m_pImpl->st.position : CPoint(); }
CPoint CDC::MoveTo(int x, int y)
{
    POINT old{0, 0};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}
BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
BOOL CDC::Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
BOOL CDC::PolylineTo(const POINT* lpPoints, int nCount)
{
    AfxDCImpl* d = DCOf(m_hDC);
    if (!d || !lpPoints || nCount < 1)
        return FALSE;
    for (int i = 0; i < nCount; ++i)
        ::LineTo(m_hDC, lpPoints[i].x, lpPoints[i].y);
    return TRUE;
}
BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount)
{
    if (!lpPoints || !lpPolyPoints)
        return FALSE;
    const POINT* p = lpPoints;
    for (int i = 0; i < nCount; ++i) {
        ::Polyline(m_hDC, p, (int)lpPolyPoints[i]);
        p += lpPolyPoints[i];
    }
    return TRUE;
}
// An arc (kind 0, stroked), chord (1) or pie (2), each filled and outlined the same way.
static BOOL ArcShape(HDC hDC, const char* pszName, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4,
                     int nKind)
{
    AfxDCImpl* d = DCOf(hDC);
    if (!d)
        return FALSE;
    RecordGuard g;
    RecordRect(d, g, AfxDrawKind::Arc, pszName, x1, y1, x2, y2);
    QPainterPath path = ArcPath(d, x1, y1, x2, y2, x3, y3, x4, y4, nKind);
    if (nKind == 0)
        StrokePath(d, path);
    else
        FillAndStroke(d, path);
    return TRUE;
}
BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ArcShape(m_hDC, "Arc", x1, y1, x2, y2, x3, y3, x4, y4, 0);
}
BOOL CDC::Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return lpRect && Arc(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}

// ---- shapes ---------------------------------------------------------------------------------------
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    AfxDCImpl* d = DCOf(hdc);
    if (!d)
        return FALSE;
    RecordGuard g;
    RecordRect(d, g, AfxDrawKind::Rectangle, "Rectangle", left, top, right, bottom);
    QRect dev = DeviceRect(d, left, top, right, bottom);
    QRect in = InteriorOf(d, dev);
    if (in.isValid() && d->st.brush && d->st.brush->style != BS_NULL)
        FillRect(d, in, BrushPattern(d, d->st.brush.get()), d->st.rop2);
    OutlineRect(d, dev);
    return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    AfxDCImpl* d = DCOf(hdc);
    if (!d)
        return FALSE;
    RecordGuard g;
    RecordRect(d, g, AfxDrawKind::Ellipse, "Ellipse", left, top, right, bottom);
    QRect dev = DeviceRect(d, left, top, right, bottom);
    QPainterPath path;
    path.addEllipse(QRectF(dev.left(), dev.top(), dev.width() - 1, dev.height() - 1));
    FillAndStroke(d, path);
    return TRUE;
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height)
{
    AfxDCImpl* d = DCOf(hdc);
    if (!d)
        return FALSE;
    RecordGuard g;
    RecordRect(d, g, AfxDrawKind::RoundRect, "RoundRect", left, top, right, bottom);
    QRect dev = DeviceRect(d, left, top, right, bottom);
    QPainterPath path;
    path.addRoundedRect(QRectF(dev.left(), dev.top(), dev.width() - 1, dev.height() - 1),
                        std::abs(d->ScaleX(width)) / 2.0, std::abs(d->ScaleY(height)) / 2.0);
    FillAndStroke(d, path);
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* apt, int cpt)
{
    AfxDCImpl* d = DCOf(hdc);
    if (!d || !apt || cpt < 2)
        return FALSE;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::Polygon, "Polygon");
        op.points.assign(apt, apt + cpt);
        op.flags = (UINT)d->st.polyFillMode;
        Record(d, op);
    }
    QPolygon poly;
    for (int i = 0; i < cpt; ++i)
        poly << d->ToDevice(apt[i]);
    if (d->st.brush && d->st.brush->style != BS_NULL && cpt >= 3) {
        QPainterPath path;
        path.addPolygon(QPolygonF(poly));
        path.closeSubpath();
        path.setFillRule(d->st.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
        FillPath(d, path, BrushPattern(d, d->st.brush.get()), d->st.rop2);
    }
    int pw = PenWidth(d);
    if (pw == 1) {
        int phase = 0;
        for (int i = 0; i < cpt; ++i)
            PenSegment(d, poly[i], poly[(i + 1) % cpt], phase);
    } else if (pw > 1) {
        QPainterPath path;
        path.addPolygon(QPolygonF(poly));
        path.closeSubpath();
        StrokePath(d, path);
    }
    return TRUE;
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return lpRect && ::Rectangle(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return lpRect && ::Ellipse(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
BOOL CDC::RoundRect(LPCRECT lpRect, POINT point)
{
    return lpRect && ::RoundRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y);
}
BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount)
{
    if (!lpPoints || !lpPolyCounts)
        return FALSE;
    const POINT* p = lpPoints;
    for (int i = 0; i < nCount; ++i) {
        ::Polygon(m_hDC, p, lpPolyCounts[i]);
        p += std::max(lpPolyCounts[i], 0);
    }
    return TRUE;
}
BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ArcShape(m_hDC, "Chord", x1, y1, x2, y2, x3, y3, x4, y4, 1);
}
BOOL CDC::Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return lpRect && Chord(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}
BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ArcShape(m_hDC, "Pie", x1, y1, x2, y2, x3, y3, x4, y4, 2);
}
BOOL CDC::Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return lpRect && Pie(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}

// ---- fills ------------------------------------------------------------------------------------------
int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    AfxDCImpl* d = DCOf(hDC);
    auto brush = ResolveBrush(hbr);
    if (!d || !lprc || !brush)
        return 0;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::FillRect, "FillRect");
        op.rect = *lprc;
        op.brushColor = brush->Color();
        op.brushStyle = (int)brush->style;
        op.color = brush->Color();
        Record(d, op);
    }
    QRect dev = d->ToDevice(*lprc);
    if (dev.isEmpty())
        return 1;
    FillRect(d, dev, BrushPattern(d, brush.get()), R2_COPYPEN);
    return 1;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    AfxDCImpl* d = DCOf(hDC);
    auto brush = ResolveBrush(hbr);
    if (!d || !lprc || !brush)
        return 0;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::FrameRect, "FrameRect");
        op.rect = *lprc;
        op.brushColor = brush->Color();
        op.color = brush->Color();
        Record(d, op);
    }
    QRect dev = d->ToDevice(*lprc);
    if (dev.isEmpty())
        return 1;
    int bx = std::max(1, std::abs(d->ScaleX(1))), by = std::max(1, std::abs(d->ScaleY(1)));
    QRect inner = dev.adjusted(bx, by, -bx, -by);
    QRegion frame = QRegion(dev) - (inner.isValid() ? QRegion(inner) : QRegion());
    FillRegion(d, frame, BrushPattern(d, brush.get()), R2_COPYPEN);
    return 1;
}

BOOL InvertRect(HDC hDC, const RECT* lprc)
{
    AfxDCImpl* d = DCOf(hDC);
    if (!d || !lprc)
        return FALSE;
    RecordGuard g;
    RecordRect(d, g, AfxDrawKind::InvertRect, "InvertRect", lprc->left, lprc->top, lprc->right, lprc->bottom);
    QRect dev = d->ToDevice(*lprc);
    if (!dev.isEmpty())
        FillRegion(d, QRegion(dev), Pattern(), R2_NOT);
    return TRUE;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr);
}
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FrameRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr);
}
void CDC::InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    AfxDCImpl* d = DCOf(m_hDC);
    if (!d || !lpRect)
        return;
    d->st.bkColor = AfxPlainColor(clr);
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::FillRect, "FillSolidRect");
        op.rect = *lpRect;
        op.color = AfxPlainColor(clr);
        Record(d, op);
    }
    QRect dev = d->ToDevice(*lpRect);
    if (!dev.isEmpty())
        afx_raster::FillRect(d, dev, Pattern::SolidOf(clr), R2_COPYPEN);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, clr);
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr)
{
    AfxDCImpl* d = DCOf(hdc);
    auto rgn = AfxRegionOf(hrgn);
    auto brush = ResolveBrush(hbr);
    if (!d || !rgn || !brush)
        return FALSE;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = RegionOp(d, "FillRgn", rgn->rgn);
        op.color = brush->Color();
        op.brushColor = brush->Color();
        Record(d, op);
    }
    FillRegion(d, DeviceRegion(d, rgn->rgn), BrushPattern(d, brush.get()), R2_COPYPEN);
    return TRUE;
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h)
{
    AfxDCImpl* d = DCOf(hdc);
    auto rgn = AfxRegionOf(hrgn);
    auto brush = ResolveBrush(hbr);
    if (!d || !rgn || !brush || w < 0 || h < 0)
        return FALSE;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = RegionOp(d, "FrameRgn", rgn->rgn);
        op.color = brush->Color();
        op.brushColor = brush->Color();
        op.flags = (UINT)MAKELONG(w, h);
        Record(d, op);
    }
    QRegion dev = DeviceRegion(d, rgn->rgn);
    int dw = std::max(1, std::abs(d->ScaleX(w))), dh = std::max(1, std::abs(d->ScaleY(h)));
    QRegion inner = dev & dev.translated(dw, 0) & dev.translated(-dw, 0) & dev.translated(0, dh) & dev.translated(0, -dh);
    FillRegion(d, dev - inner, BrushPattern(d, brush.get()), R2_COPYPEN);
    return TRUE;
}

BOOL InvertRgn(HDC hdc, HRGN hrgn)
{
    AfxDCImpl* d = DCOf(hdc);
    auto rgn = AfxRegionOf(hrgn);
    if (!d || !rgn)
        return FALSE;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = RegionOp(d, "InvertRgn", rgn->rgn);
        Record(d, op);
    }
    FillRegion(d, DeviceRegion(d, rgn->rgn), Pattern(), R2_NOT);
    return TRUE;
}

BOOL PaintRgn(HDC hdc, HRGN hrgn)
{
    AfxDCImpl* d = DCOf(hdc);
    auto rgn = AfxRegionOf(hrgn);
    if (!d || !rgn)
        return FALSE;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = RegionOp(d, "PaintRgn", rgn->rgn);
        Record(d, op);
    }
    if (d->st.brush)
        FillRegion(d, DeviceRegion(d, rgn->rgn), BrushPattern(d, d->st.brush.get()), d->st.rop2);
    return TRUE;
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return pRgn && pBrush && ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()), static_cast<HBRUSH>(pBrush->GetSafeHandle()));
}
BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return pRgn && pBrush &&
           ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle()), static_cast<HBRUSH>(pBrush->GetSafeHandle()), nWidth, nHeight);
}
BOOL CDC::InvertRgn(CRgn* pRgn) { return pRgn && ::InvertRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle())); }
BOOL CDC::PaintRgn(CRgn* pRgn) { return pRgn && ::PaintRgn(m_hDC, static_cast<HRGN>(pRgn->GetSafeHandle())); }

// ---- pixels -----------------------------------------------------------------------------------------
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    AfxDCImpl* d = DCOf(hdc);
    if (!d)
        return (COLORREF)-1;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::Pixel, "SetPixel");
        op.points = {CPoint(x, y)};
        op.rect = CRect(x, y, x + 1, y + 1);
        op.color = AfxPlainColor(color);
        Record(d, op);
    }
    QPoint p = d->ToDevice(x, y);
    if (!d->EffectiveClip().contains(p))
        return (COLORREF)-1;
    FillRect(d, QRect(p, QSize(1, 1)), Pattern::SolidOf(color), R2_COPYPEN);
    return AfxPlainColor(color);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) { return SetPixel(hdc, x, y, color) != (COLORREF)-1; }

COLORREF GetPixel(HDC hdc, int x, int y)
{
    AfxDCImpl* d = DCOf(hdc);
    if (!d)
        return CLR_INVALID;
    QImage* img = d->Image();
    QPoint p = d->ToDevice(x, y);
    if (!img || !d->EffectiveClip().contains(p))
        return CLR_INVALID;
    d->EndPainting();
    QRgb v = AfxLogicalPixel(img, p.x(), p.y());
    if (d->st.bitmap && d->st.bitmap->mono && d->kind == AfxDCImpl::Memory)
        return (qRed(v) + qGreen(v) + qBlue(v) >= 384) ? RGB(255, 255, 255) : RGB(0, 0, 0);
    return AfxColorOfRgb(v);
}

COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
BOOL CDC::SetPixelV(int x, int y, COLORREF crColor) { return ::SetPixelV(m_hDC, x, y, crColor); }

BOOL CDC::ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType)
{
    AfxDCImpl* d = DCOf(m_hDC);
    if (!d || !d->Image() || !d->st.brush)
        return FALSE;
    QImage* img = d->Image();
    d->EndPainting();
    QPoint start = d->ToDevice(x, y);
    QRegion clip = d->EffectiveClip();
    if (!clip.contains(start))
        return FALSE;
    QRgb target = AfxRgb(AfxPlainColor(crColor)) | 0xFF000000u;
    const QSize size = AfxLogicalSize(img);
    auto inside = [&](int px, int py) {
        QRgb v = AfxLogicalPixel(img, px, py) | 0xFF000000u;
        return nFillType == FLOODFILLSURFACE ? v == target : v != target;
    };
    if (!inside(start.x(), start.y()))
        return FALSE;
    std::vector<uchar> seen((size_t)size.width() * size.height(), 0);
    std::vector<QPoint> stack{start};
    QRegion area;
    while (!stack.empty()) {
        QPoint p = stack.back();
        stack.pop_back();
        if (!clip.contains(p))
            continue;
        size_t k = (size_t)p.y() * size.width() + p.x();
        if (seen[k] || !inside(p.x(), p.y()))
            continue;
        seen[k] = 1;
        area += QRect(p, QSize(1, 1));
        if (p.x() > 0) stack.push_back(p + QPoint(-1, 0));
        if (p.x() + 1 < size.width()) stack.push_back(p + QPoint(1, 0));
        if (p.y() > 0) stack.push_back(p + QPoint(0, -1));
        if (p.y() + 1 < size.height()) stack.push_back(p + QPoint(0, 1));
    }
    FillRegion(d, area, BrushPattern(d, d->st.brush.get()), R2_COPYPEN);
    return TRUE;
}

BOOL CDC::FloodFill(int x, int y, COLORREF crColor) { return ExtFloodFill(x, y, crColor, FLOODFILLBORDER); }

// ---- block transfers --------------------------------------------------------------------------------
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    AfxDCImpl* d = DCOf(hdc);
    if (!d)
        return FALSE;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, rop == PATCOPY ? AfxDrawKind::FillRect : AfxDrawKind::PatBlt, "PatBlt");
        op.rect = CRect(std::min(x, x + w), std::min(y, y + h), std::max(x, x + w), std::max(y, y + h));
        op.flags = rop;
        op.color = op.brushColor;
        Record(d, op);
    }
    QRect dev = DeviceRect(d, x, y, x + w, y + h);
    if (dev.isEmpty())
        return TRUE;
    Pattern pat = d->st.brush ? BrushPattern(d, d->st.brush.get()) : Pattern();
    PatRegion(d, QRegion(dev), pat, rop);
    return TRUE;
}

namespace {

// The source cells [first, last) that dest cell i of n takes from a source span of
// length len starting at origin: one cell when stretching, a run of them when reducing.
inline void SourceSpan(int i, int n, int origin, int len, int* first, int* last)
{
    *first = origin + (int)((long long)i * len / std::max(n, 1));
    *last = origin + (int)((long long)(i + 1) * len / std::max(n, 1));
    if (*last <= *first)
        *last = *first + 1;
}

// The source pixels for a transfer, converted to the destination's colour model. Where the
// source is reduced, the pixels that fall together are combined as the destination's
// stretch mode says: BLACKONWHITE keeps dark pixels (AND), WHITEONBLACK light ones (OR),
// HALFTONE averages the area, COLORONCOLOR keeps one and drops the rest.
QImage SourcePixels(AfxDCImpl* dst, AfxDCImpl* src, const QRect& srcDev, QSize destSize, bool* ok)
{
    *ok = false;
    QImage* img = src->Image();
    if (!img)
        return QImage();
    src->EndPainting();
    bool flipX = destSize.width() < 0, flipY = destSize.height() < 0;
    int w = std::abs(destSize.width()), h = std::abs(destSize.height());
    QImage out(w, h, QImage::Format_RGB32);
    out.fill(0xFF000000u);
    bool srcMono = src->kind == AfxDCImpl::Memory && src->st.bitmap && src->st.bitmap->mono;
    bool dstMono = dst->kind == AfxDCImpl::Memory && dst->st.bitmap && dst->st.bitmap->mono;
    QRgb text = AfxRgb(dst->st.textColor) | 0xFF000000u, bk = AfxRgb(dst->st.bkColor) | 0xFF000000u;
    QRgb srcBk = AfxRgb(src->st.bkColor) | 0xFF000000u;
    const int mode = dst->st.stretchMode;
    const bool direct = img->format() == QImage::Format_RGB32 || img->format() == QImage::Format_ARGB32 ||
                        img->format() == QImage::Format_ARGB32_Premultiplied;
    // A scaled source gives each logical pixel's first image pixel.
    const int ratio = AfxPixelRatio(img);
    const QSize size = AfxLogicalSize(img);
    auto sample = [&](int sx, int sy) {
        sx *= ratio;
        sy *= ratio;
        QRgb v = (direct ? reinterpret_cast<const QRgb*>(img->constScanLine(sy))[sx] : img->pixel(sx, sy)) |
                 0xFF000000u;
        if (srcMono && !dstMono)
            v = (qRed(v) + qGreen(v) + qBlue(v) >= 384) ? bk : text;
        else if (dstMono && !srcMono)
            v = v == srcBk ? 0xFFFFFFFFu : 0xFF000000u;
        return v;
    };
    for (int y = 0; y < h; ++y) {
        int y0, y1;
        SourceSpan(flipY ? h - 1 - y : y, h, srcDev.top(), srcDev.height(), &y0, &y1);
        y0 = std::max(y0, 0);
        y1 = std::min(y1, size.height());
        QRgb* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int x0, x1;
            SourceSpan(flipX ? w - 1 - x : x, w, srcDev.left(), srcDev.width(), &x0, &x1);
            x0 = std::max(x0, 0);
            x1 = std::min(x1, size.width());
            if (x0 >= x1 || y0 >= y1)
                continue;
            if (mode == COLORONCOLOR || (x1 - x0 == 1 && y1 - y0 == 1)) {
                o[x] = sample(x0, y0);
                continue;
            }
            if (mode == HALFTONE) {
                unsigned long r = 0, g = 0, b = 0, n = 0;
                for (int sy = y0; sy < y1; ++sy)
                    for (int sx = x0; sx < x1; ++sx) {
                        QRgb v = sample(sx, sy);
                        r += qRed(v), g += qGreen(v), b += qBlue(v), ++n;
                    }
                o[x] = qRgb((int)((r + n / 2) / n), (int)((g + n / 2) / n), (int)((b + n / 2) / n));
                continue;
            }
            const bool orScans = mode == WHITEONBLACK;
            QRgb acc = orScans ? 0xFF000000u : 0xFFFFFFFFu;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx)
                    acc = orScans ? (acc | sample(sx, sy)) : (acc & sample(sx, sy));
            o[x] = acc | 0xFF000000u;
        }
    }
    *ok = true;
    return out;
}

BOOL Transfer(AfxDCImpl* d, const QRect& destDev, const QImage& src, DWORD rop, bool transparent, QRgb key)
{
    unsigned code = (rop >> 16) & 0xFF;
    QRegion area = QRegion(destDev) & d->EffectiveClip();
    if (area.isEmpty())
        return TRUE;
    d->MarkDirty(area);
    QImage* img = d->Image();
    if (!img) {
        QPainter* p = d->Painter();
        if (!p)
            return FALSE;
        p->drawImage(destDev.topLeft(), src);
        return TRUE;
    }
    d->EndPainting();
    Pattern pat = d->st.brush ? BrushPattern(d, d->st.brush.get()) : Pattern();
    const QRgb bk = AfxRgb(d->st.bkColor) | 0xFF000000u;
    // One source pixel sv onto the pixel px of the logical pixel (x, y).
    const auto apply = [&](int x, int y, QRgb sv, QRgb& px) {
        sv |= 0xFF000000u;
        if (transparent) {
            if ((sv & 0xFFFFFFu) != (key & 0xFFFFFFu))
                px = sv;
            return;
        }
        if (code == 0xCC) {
            px = sv;
            return;
        }
        QRgb pc = 0xFF000000u;
        if (pat.kind != Pattern::None && !pat.At(x, y, &pc))
            pc = bk;
        px = Rop3(code, pc, sv, px);
    };
    // A source with the destination's image pixels (a stretched copy onto a scaled picture)
    // gives each of them its own; one of logical pixels gives whole blocks.
    const int k = AfxPixelRatio(img);
    if (k > 1 && src.size() == destDev.size() * k) {
        const QPoint origin = destDev.topLeft() * k;
        for (const QRect& r : area) {
            const QRect p = AfxImagePixels(r, k);
            for (int y = p.top(); y <= p.bottom(); ++y) {
                QRgb* line = reinterpret_cast<QRgb*>(img->scanLine(y));
                const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y - origin.y())) - origin.x();
                for (int x = p.left(); x <= p.right(); ++x)
                    apply(x / k, y / k, in[x], line[x]);
            }
        }
        return TRUE;
    }
    for (const QRect& r : area)
        AfxForImagePixels(img, r, [&](int x, int y, QRgb& px) {
            apply(x, y, reinterpret_cast<const QRgb*>(src.constScanLine(y - destDev.top()))[x - destDev.left()], px);
        });
    return TRUE;
}

// A copy of the same size, straight from the source image into the destination's: no
// picture in between (a fresh one per copy costs the first touch of all its pages).
BOOL TransferSameSize(AfxDCImpl* d, const QRect& destDev, const QImage& src, QPoint srcOrigin, DWORD rop)
{
    unsigned code = (rop >> 16) & 0xFF;
    QRegion area = QRegion(destDev) & d->EffectiveClip();
    if (area.isEmpty())
        return TRUE;
    d->MarkDirty(area);
    QImage* img = d->Image();
    d->EndPainting();
    const bool plain = code == 0xCC && img->format() == QImage::Format_RGB32 && src.format() == QImage::Format_RGB32;
    Pattern pat = d->st.brush ? BrushPattern(d, d->st.brush.get()) : Pattern();
    // Both images have the same pixels per logical pixel: the copy goes image pixel by image
    // pixel, at their full resolution.
    const int k = AfxPixelRatio(img);
    const QPoint shift = (srcOrigin - destDev.topLeft()) * k;
    for (const QRect& logical : area) {
        const QRect r = AfxImagePixels(logical, k);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(img->scanLine(y)) + r.left();
            const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(y + shift.y())) + r.left() + shift.x();
            if (plain) {
                std::memcpy(line, s, sizeof(QRgb) * (size_t)r.width());
                continue;
            }
            for (int x = 0; x < r.width(); ++x) {
                QRgb sv = s[x] | 0xFF000000u;
                if (code == 0xCC) {
                    line[x] = sv;
                    continue;
                }
                QRgb pc = 0xFF000000u;
                if (pat.kind != Pattern::None && !pat.At((r.left() + x) / k, y / k, &pc))
                    pc = AfxRgb(d->st.bkColor) | 0xFF000000u;
                line[x] = Rop3(code, pc, sv, line[x]);
            }
        }
    }
    return TRUE;
}

bool UsesSource(DWORD rop)
{
    unsigned code = (rop >> 16) & 0xFF;
    return ((code >> 2) & 0x33) != (code & 0x33);
}

}  // namespace

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop)
{
    AfxDCImpl* d = DCOf(hdcDest);
    if (!d)
        return FALSE;
    RecordGuard g;
    AfxDCImpl* s = DCOf(hdcSrc);
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::Blt, (wDest == wSrc && hDest == hSrc) ? "BitBlt" : "StretchBlt");
        op.rect = CRect(xDest, yDest, xDest + wDest, yDest + hDest);
        op.srcRect = CRect(xSrc, ySrc, xSrc + wSrc, ySrc + hSrc);
        op.flags = rop;
        if (s)
            op.bitmap = s->st.hBitmap;
        Record(d, op);
    }
    if (!UsesSource(rop))
        return PatBlt(hdcDest, xDest, yDest, wDest, hDest, rop);
    if (!s)
        return FALSE;
    QPoint a = d->ToDevice(xDest, yDest), b = d->ToDevice(xDest + wDest, yDest + hDest);
    QPoint sa = s->ToDevice(xSrc, ySrc), sb = s->ToDevice(xSrc + wSrc, ySrc + hSrc);
    QRect destDev(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())), QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
    QRect srcDev(QPoint(std::min(sa.x(), sb.x()), std::min(sa.y(), sb.y())), QSize(std::abs(sb.x() - sa.x()), std::abs(sb.y() - sa.y())));
    if (destDev.isEmpty() || srcDev.isEmpty())
        return TRUE;
    bool flipX = ((b.x() - a.x()) < 0) != ((sb.x() - sa.x()) < 0);
    bool flipY = ((b.y() - a.y()) < 0) != ((sb.y() - sa.y()) < 0);
    // The common copy (a back buffer to the window): same size, same colour model, two
    // different pictures of 32-bit pixels.
    if (!flipX && !flipY && destDev.size() == srcDev.size()) {
        QImage* srcImg = s->Image();
        QImage* dstImg = d->Image();
        const bool srcMono = s->kind == AfxDCImpl::Memory && s->st.bitmap && s->st.bitmap->mono;
        const bool dstMono = d->kind == AfxDCImpl::Memory && d->st.bitmap && d->st.bitmap->mono;
        const auto direct = [](const QImage* i) {
            return i->format() == QImage::Format_RGB32 || i->format() == QImage::Format_ARGB32 ||
                   i->format() == QImage::Format_ARGB32_Premultiplied;
        };
        if (srcImg && dstImg && srcImg != dstImg && srcMono == dstMono && direct(srcImg) && direct(dstImg) &&
            AfxPixelRatio(srcImg) == AfxPixelRatio(dstImg) &&
            QRect(QPoint(0, 0), AfxLogicalSize(srcImg)).contains(srcDev)) {
            s->EndPainting();
            return TransferSameSize(d, destDev, *srcImg, srcDev.topLeft(), rop);
        }
        // A scaled picture copied onto a painter's device (a control's owner drawing) of the
        // same pixels per logical pixel: every image pixel.
        if (srcImg && !dstImg && srcMono == dstMono && ((rop >> 16) & 0xFF) == 0xCC &&
            AfxPixelRatio(srcImg) > 1 && AfxPixelRatio(srcImg) == d->PixelRatio() &&
            QRect(QPoint(0, 0), AfxLogicalSize(srcImg)).contains(srcDev)) {
            const QRegion area = QRegion(destDev) & d->EffectiveClip();
            if (area.isEmpty())
                return TRUE;
            s->EndPainting();
            QPainter* p = d->Painter();
            if (!p)
                return FALSE;
            d->MarkDirty(area);
            p->drawImage(QRectF(destDev), *srcImg, QRectF(AfxImagePixels(srcDev, AfxPixelRatio(srcImg))));
            return TRUE;
        }
    }
    // A stretched copy onto a scaled picture is sampled for each of its image pixels.
    const int k = d->Image() != nullptr && destDev.size() != srcDev.size() ? AfxPixelRatio(d->Image()) : 1;
    bool ok;
    QImage src = SourcePixels(d, s, srcDev, QSize((flipX ? -destDev.width() : destDev.width()) * k,
                                                   (flipY ? -destDev.height() : destDev.height()) * k), &ok);
    if (!ok)
        return FALSE;
    return Transfer(d, destDev, src, rop, false, 0);
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    return StretchBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }
BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->GetSafeHdc() : nullptr, xSrc, ySrc, dwRop);
}
BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->GetSafeHdc() : nullptr, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                         int nSrcWidth, int nSrcHeight, UINT crTransparent)
{
    AfxDCImpl* d = DCOf(m_hDC);
    AfxDCImpl* s = pSrcDC ? DCOf(pSrcDC->GetSafeHdc()) : nullptr;
    if (!d || !s || nDestWidth <= 0 || nDestHeight <= 0 || nSrcWidth <= 0 || nSrcHeight <= 0)
        return FALSE;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::Blt, "TransparentBlt");
        op.rect = CRect(xDest, yDest, xDest + nDestWidth, yDest + nDestHeight);
        op.srcRect = CRect(xSrc, ySrc, xSrc + nSrcWidth, ySrc + nSrcHeight);
        op.color = crTransparent;
        op.bitmap = s->st.hBitmap;
        Record(d, op);
    }
    QRect destDev = DeviceRect(d, xDest, yDest, xDest + nDestWidth, yDest + nDestHeight);
    QRect srcDev = DeviceRect(s, xSrc, ySrc, xSrc + nSrcWidth, ySrc + nSrcHeight);
    bool ok;
    QImage src = SourcePixels(d, s, srcDev, destDev.size(), &ok);
    if (!ok)
        return FALSE;
    return Transfer(d, destDev, src, SRCCOPY, true, AfxRgb(crTransparent));
}

// Draws an image with alpha (icons, image lists) at a device position.
void AfxDrawImageDevice(AfxDCImpl* d, const QImage& image, QPoint devPos)
{
    if (image.isNull())
        return;
    QRect dest(devPos, image.size());
    QRegion area = QRegion(dest) & d->EffectiveClip();
    if (area.isEmpty())
        return;
    d->MarkDirty(area);
    QPainter* p = d->Painter();
    if (!p)
        return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->drawImage(devPos, image);
}
