// The platform's 3-D look: Draw3dRect, DrawEdge, DrawFrameControl, DrawFocusRect,
// DrawDragRect and DrawState, in the classic colours of the system colour table.
#include "Raster.h"

#include <ClassLib/Wnd/System.h>

#include <QPainterPath>

using namespace afx_raster;

namespace {

void Solid(AfxDCImpl* d, const QRect& dev, COLORREF c)
{
    if (dev.isValid() && !dev.isEmpty())
        FillRect(d, dev, Pattern::SolidOf(c), R2_COPYPEN);
}

// One pixel ring: top and left in tl, bottom and right in br (device rectangle).
void Ring(AfxDCImpl* d, const QRect& r, COLORREF tl, COLORREF br, UINT sides)
{
    int x0 = r.left(), y0 = r.top(), w = r.width(), h = r.height();
    if (w <= 0 || h <= 0)
        return;
    if (sides & BF_TOP)
        Solid(d, QRect(x0, y0, w - 1, 1), tl);
    if (sides & BF_LEFT)
        Solid(d, QRect(x0, y0, 1, h - 1), tl);
    if (sides & BF_RIGHT)
        Solid(d, QRect(x0 + w - 1, y0, 1, h), br);
    if (sides & BF_BOTTOM)
        Solid(d, QRect(x0, y0 + h - 1, w, 1), br);
}

QRect Shrink(const QRect& r, UINT sides)
{
    return r.adjusted((sides & BF_LEFT) ? 1 : 0, (sides & BF_TOP) ? 1 : 0, (sides & BF_RIGHT) ? -1 : 0,
                      (sides & BF_BOTTOM) ? -1 : 0);
}

void Triangle(AfxDCImpl* d, QPointF a, QPointF b, QPointF c, COLORREF color)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    FillPath(d, path, Pattern::SolidOf(color), R2_COPYPEN);
}

void Arrow(AfxDCImpl* d, const QRect& r, int dir, COLORREF color)
{
    // A filled arrow head of about a third of the box, centred.
    int s = std::max(2, std::min(r.width(), r.height()) / 4);
    QPointF c(r.left() + r.width() / 2.0, r.top() + r.height() / 2.0);
    switch (dir) {
    case DFCS_SCROLLUP:
        Triangle(d, {c.x() - s, c.y() + s / 2.0}, {c.x() + s + 1, c.y() + s / 2.0}, {c.x() + 0.5, c.y() - s / 2.0 - 0.5}, color);
        break;
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLCOMBOBOX:
        Triangle(d, {c.x() - s, c.y() - s / 2.0}, {c.x() + s + 1, c.y() - s / 2.0}, {c.x() + 0.5, c.y() + s / 2.0 + 0.5}, color);
        break;
    case DFCS_SCROLLLEFT:
        Triangle(d, {c.x() + s / 2.0, c.y() - s}, {c.x() + s / 2.0, c.y() + s + 1}, {c.x() - s / 2.0 - 0.5, c.y() + 0.5}, color);
        break;
    case DFCS_SCROLLRIGHT:
        Triangle(d, {c.x() - s / 2.0, c.y() - s}, {c.x() - s / 2.0, c.y() + s + 1}, {c.x() + s / 2.0 + 0.5, c.y() + 0.5}, color);
        break;
    }
}

void CheckMark(AfxDCImpl* d, const QRect& r, COLORREF color)
{
    // The classic 7 x 7 check: a short down stroke and a long up stroke, 3 pixels thick.
    int cx = r.left() + (r.width() - 7) / 2, cy = r.top() + (r.height() - 7) / 2;
    static const int kCols[7][2] = {{2, 4}, {3, 5}, {4, 6}, {3, 5}, {2, 4}, {1, 3}, {0, 2}};
    for (int i = 0; i < 7; ++i)
        Solid(d, QRect(cx + i, cy + kCols[i][0], 1, kCols[i][1] - kCols[i][0] + 1), color);
}

void RecordFrame(AfxDCImpl* d, const RecordGuard& g, AfxDrawKind kind, const char* api, const RECT& r, UINT type, UINT flags)
{
    if (!ShouldRecord(g))
        return;
    AfxDrawOp op = MakeOp(d, kind, api);
    op.rect = r;
    op.type = type;
    op.flags = flags;
    Record(d, op);
}

}  // namespace

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    AfxDCImpl* d = AfxDCOf(m_hDC);
    if (!d)
        return;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::Draw3dRect, "Draw3dRect");
        op.rect = CRect(x, y, x + cx, y + cy);
        op.color = clrTopLeft;
        op.color2 = clrBottomRight;
        Record(d, op);
    }
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (lpRect)
        Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
                   clrBottomRight);
}

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d || !qrc)
        return FALSE;
    RecordGuard g;
    RecordFrame(d, g, AfxDrawKind::Edge, "DrawEdge", *qrc, edge, grfFlags);
    QRect r = d->ToDevice(*qrc);
    UINT sides = grfFlags & BF_RECT;
    bool mono = (grfFlags & BF_MONO) != 0, flat = (grfFlags & BF_FLAT) != 0;
    COLORREF face = GetSysColor(COLOR_3DFACE);
    auto outer = [&](bool raised, COLORREF& tl, COLORREF& br) {
        if (mono) {
            tl = br = GetSysColor(COLOR_WINDOWFRAME);
        } else if (flat) {
            tl = br = GetSysColor(COLOR_3DSHADOW);
        } else if (raised) {
            tl = (grfFlags & BF_SOFT) ? GetSysColor(COLOR_3DHILIGHT) : GetSysColor(COLOR_3DLIGHT);
            br = GetSysColor(COLOR_3DDKSHADOW);
        } else {
            tl = GetSysColor(COLOR_3DSHADOW);
            br = GetSysColor(COLOR_3DHILIGHT);
        }
    };
    auto inner = [&](bool raised, COLORREF& tl, COLORREF& br) {
        if (mono) {
            tl = br = GetSysColor(COLOR_WINDOW);
        } else if (flat) {
            tl = br = face;
        } else if (raised) {
            tl = (grfFlags & BF_SOFT) ? GetSysColor(COLOR_3DLIGHT) : GetSysColor(COLOR_3DHILIGHT);
            br = GetSysColor(COLOR_3DSHADOW);
        } else {
            tl = GetSysColor(COLOR_3DDKSHADOW);
            br = GetSysColor(COLOR_3DLIGHT);
        }
    };
    if (grfFlags & BF_DIAGONAL) {
        // Diagonal edges: a line from one corner to the other.
        COLORREF tl, br;
        outer((edge & BDR_RAISEDOUTER) != 0, tl, br);
        int phase = 0;
        auto pen = d->st.pen;
        auto tmp = std::make_shared<AfxPenData>();
        tmp->color = (grfFlags & BF_TOP) ? tl : br;
        d->st.pen = tmp;
        PenSegment(d, r.topLeft(), QPoint(r.left() + r.width() - 1, r.top() + r.height() - 1), phase, true);
        d->st.pen = pen;
    } else {
        if (edge & BDR_OUTER) {
            COLORREF tl, br;
            outer((edge & BDR_RAISEDOUTER) != 0, tl, br);
            Ring(d, r, tl, br, sides);
            r = Shrink(r, sides);
        }
        if (edge & BDR_INNER) {
            COLORREF tl, br;
            inner((edge & BDR_RAISEDINNER) != 0, tl, br);
            Ring(d, r, tl, br, sides);
            r = Shrink(r, sides);
        }
    }
    if (grfFlags & BF_MIDDLE)
        Solid(d, r, mono ? GetSysColor(COLOR_WINDOW) : face);
    if (grfFlags & BF_ADJUST) {
        QPoint a = d->ToLogical(r.left(), r.top()), b = d->ToLogical(r.left() + r.width(), r.top() + r.height());
        ::SetRect(qrc, a.x(), a.y(), b.x(), b.y());
    }
    return TRUE;
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }

BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d || !lprc)
        return FALSE;
    RecordGuard g;
    RecordFrame(d, g, AfxDrawKind::FrameControl, "DrawFrameControl", *lprc, uType, uState);
    QRect r = d->ToDevice(*lprc);
    bool pushed = (uState & DFCS_PUSHED) != 0, checked = (uState & DFCS_CHECKED) != 0;
    bool inactive = (uState & DFCS_INACTIVE) != 0, flat = (uState & DFCS_FLAT) != 0, mono = (uState & DFCS_MONO) != 0;
    COLORREF face = GetSysColor(COLOR_3DFACE);
    COLORREF glyph = inactive ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_BTNTEXT);
    auto border = [&](bool sunken) {
        RECT rc = *lprc;
        UINT edge = sunken ? EDGE_SUNKEN : EDGE_RAISED;
        UINT flags = BF_RECT | BF_MIDDLE | BF_ADJUST | (flat ? BF_FLAT : 0) | (mono ? BF_MONO : 0);
        if (sunken && !flat)
            flags |= BF_SOFT;
        ::DrawEdge(hdc, &rc, edge, flags);
        return d->ToDevice(rc);
    };
    switch (uType) {
    case DFC_BUTTON: {
        UINT kind = uState & 0x1F;
        if (kind == DFCS_BUTTONPUSH) {
            QRect in = border(pushed || checked);
            (void)in;
        } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
            int s = std::min(r.width(), r.height());
            QRectF box(r.left() + (r.width() - s) / 2.0, r.top() + (r.height() - s) / 2.0, s - 1, s - 1);
            QPainterPath outerPath;
            outerPath.addEllipse(box);
            FillPath(d, outerPath, Pattern::SolidOf(GetSysColor(COLOR_3DSHADOW)), R2_COPYPEN);
            QPainterPath innerPath;
            innerPath.addEllipse(box.adjusted(1, 1, -1, -1));
            FillPath(d, innerPath, Pattern::SolidOf((pushed || inactive) ? face : GetSysColor(COLOR_WINDOW)), R2_COPYPEN);
            if (checked) {
                QPainterPath dot;
                dot.addEllipse(QRectF(box.center().x() - s / 6.0 - 0.5, box.center().y() - s / 6.0 - 0.5, s / 3.0 + 1, s / 3.0 + 1));
                FillPath(d, dot, Pattern::SolidOf(glyph), R2_COPYPEN);
            }
        } else {
            // Check boxes (DFCS_BUTTONCHECK, DFCS_BUTTON3STATE).
            int s = std::min(r.width(), r.height());
            QRect box(r.left() + (r.width() - s) / 2, r.top() + (r.height() - s) / 2, s, s);
            Ring(d, box, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT), BF_RECT);
            QRect in = box.adjusted(1, 1, -1, -1);
            Ring(d, in, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT), BF_RECT);
            in = in.adjusted(1, 1, -1, -1);
            bool grey = pushed || inactive || (kind == DFCS_BUTTON3STATE && checked);
            Solid(d, in, grey ? face : GetSysColor(COLOR_WINDOW));
            if (checked)
                CheckMark(d, in, kind == DFCS_BUTTON3STATE ? GetSysColor(COLOR_3DSHADOW) : glyph);
        }
        break;
    }
    case DFC_SCROLL: {
        UINT kind = uState & 0x1F;
        if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
            Solid(d, r, face);
            for (int i = 0; i < 3; ++i) {
                int off = 4 * i + 2;
                auto pen = d->st.pen;
                auto tmp = std::make_shared<AfxPenData>();
                int phase = 0;
                tmp->color = GetSysColor(COLOR_3DSHADOW);
                d->st.pen = tmp;
                PenSegment(d, QPoint(r.right() - off, r.bottom()), QPoint(r.right() + 1, r.bottom() - off - 1), phase);
                tmp->color = GetSysColor(COLOR_3DHILIGHT);
                PenSegment(d, QPoint(r.right() - off - 1, r.bottom()), QPoint(r.right() + 1, r.bottom() - off - 2), phase);
                d->st.pen = pen;
            }
            break;
        }
        QRect in = border(pushed);
        if (pushed)
            in.translate(1, 1);
        if (inactive) {
            Arrow(d, in.translated(1, 1), (int)kind, GetSysColor(COLOR_3DHILIGHT));
            Arrow(d, in, (int)kind, GetSysColor(COLOR_3DSHADOW));
        } else {
            Arrow(d, in, (int)kind, glyph);
        }
        break;
    }
    case DFC_CAPTION: {
        QRect in = border(pushed);
        if (pushed)
            in.translate(1, 1);
        UINT kind = uState & 0x1F;
        int s = std::max(2, std::min(in.width(), in.height()) / 3);
        QPoint c = in.center();
        if (kind == DFCS_CAPTIONCLOSE) {
            auto pen = d->st.pen;
            auto tmp = std::make_shared<AfxPenData>();
            tmp->color = glyph;
            d->st.pen = tmp;
            int phase = 0;
            for (int k = 0; k < 2; ++k) {
                PenSegment(d, QPoint(c.x() - s + k, c.y() - s), QPoint(c.x() + s + k, c.y() + s), phase, true);
                PenSegment(d, QPoint(c.x() + s + k - 1, c.y() - s), QPoint(c.x() - s + k - 1, c.y() + s), phase, true);
            }
            d->st.pen = pen;
        } else if (kind == DFCS_CAPTIONMIN) {
            Solid(d, QRect(c.x() - s, c.y() + s - 1, 2 * s, 2), glyph);
        } else if (kind == DFCS_CAPTIONMAX) {
            QRect box(c.x() - s, c.y() - s, 2 * s + 1, 2 * s);
            Ring(d, box, glyph, glyph, BF_RECT);
            Solid(d, QRect(box.left(), box.top() + 1, box.width(), 1), glyph);
        } else if (kind == DFCS_CAPTIONRESTORE) {
            QRect back(c.x() - s + 2, c.y() - s, 2 * s - 2, 2 * s - 3);
            QRect front(c.x() - s, c.y() - s + 3, 2 * s - 2, 2 * s - 3);
            Ring(d, back, glyph, glyph, BF_RECT);
            Solid(d, front, face);
            Ring(d, front, glyph, glyph, BF_RECT);
        }
        break;
    }
    case DFC_MENU:
    case DFC_POPUPMENU: {
        UINT kind = uState & 0x1F;
        if (kind == DFCS_MENUCHECK)
            CheckMark(d, r, glyph);
        else if (kind == DFCS_MENUBULLET) {
            QPainterPath dot;
            int s = std::max(2, std::min(r.width(), r.height()) / 3);
            dot.addEllipse(QRectF(r.center().x() - s / 2.0, r.center().y() - s / 2.0, s, s));
            FillPath(d, dot, Pattern::SolidOf(glyph), R2_COPYPEN);
        } else {
            Arrow(d, r, DFCS_SCROLLRIGHT, glyph);
        }
        break;
    }
    default: return FALSE;
    }
    return TRUE;
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) { return ::DrawFrameControl(m_hDC, lpRect, nType, nState); }

BOOL DrawFocusRect(HDC hDC, const RECT* lprc)
{
    AfxDCImpl* d = AfxDCOf(hDC);
    if (!d || !lprc)
        return FALSE;
    RecordGuard g;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::FocusRect, "DrawFocusRect");
        op.rect = *lprc;
        Record(d, op);
    }
    QRect r = d->ToDevice(*lprc);
    if (r.width() <= 0 || r.height() <= 0)
        return TRUE;
    // The dotted frame inverts every other pixel, so drawing it twice removes it.
    QRegion frame = QRegion(r) - QRegion(r.adjusted(1, 1, -1, -1));
    static const BYTE kHalftone[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP hb = CreateBitmap(8, 8, 1, 1, nullptr);
    auto bmp = AfxBitmapOf(hb);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            bmp->image().setPixel(x, y, ((kHalftone[y] >> (7 - x)) & 1) ? 0xFFFFFFFFu : 0xFF000000u);
    Pattern pat;
    pat.kind = Pattern::Image;
    pat.image = bmp->image();
    pat.mono = true;
    pat.fore = 0xFF000000u;
    pat.back = 0xFFFFFFFFu;
    DeleteObject(hb);
    PatRegion(d, frame, pat, PATINVERT);
    return TRUE;
}

void CDC::DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush, CBrush* pBrushLast)
{
    AfxDCImpl* d = AfxDCOf(m_hDC);
    if (!d)
        return;
    RecordGuard g;
    if (ShouldRecord(g) && lpRect) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::PatBlt, "DrawDragRect");
        op.rect = *lpRect;
        op.flags = PATINVERT;
        Record(d, op);
    }
    auto frameOf = [&](LPCRECT rc, SIZE sz) {
        QRect r = d->ToDevice(*rc);
        QRect in = r.adjusted(sz.cx, sz.cy, -sz.cx, -sz.cy);
        return QRegion(r) - (in.isValid() ? QRegion(in) : QRegion());
    };
    auto halftone = [&](CBrush* b) {
        if (b && b->GetSafeHandle())
            return BrushPattern(d, AfxBrushOf(b->GetSafeHandle()).get());
        Pattern pat;
        pat.kind = Pattern::Image;
        QImage img(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                img.setPixel(x, y, ((x + y) & 1) ? 0xFF000000u : 0xFFFFFFFFu);
        pat.image = img;
        return pat;
    };
    // The difference between the old and the new frame is inverted, so the last frame
    // goes and the new one appears in one pass.
    QRegion now = lpRect ? frameOf(lpRect, size) : QRegion();
    QRegion last = lpRectLast ? frameOf(lpRectLast, sizeLast) : QRegion();
    if (pBrushLast && pBrushLast != pBrush) {
        PatRegion(d, last, halftone(pBrushLast), PATINVERT);
        PatRegion(d, now, halftone(pBrush), PATINVERT);
    } else {
        PatRegion(d, now ^ last, halftone(pBrush), PATINVERT);
    }
}

// ---- DrawState --------------------------------------------------------------------------------------
namespace {

// Draws an image in the disabled look: the shape embossed in highlight and shadow.
void EmbossImage(AfxDCImpl* d, const QImage& shape, QPoint dev)
{
    QImage hi(shape.size(), QImage::Format_ARGB32), sh(shape.size(), QImage::Format_ARGB32);
    hi.fill(Qt::transparent);
    sh.fill(Qt::transparent);
    QRgb h = AfxRgb(GetSysColor(COLOR_3DHILIGHT)), s = AfxRgb(GetSysColor(COLOR_3DSHADOW));
    QImage src = shape.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            QRgb v = src.pixel(x, y);
            if (qAlpha(v) < 128)
                continue;
            // Dark pixels of the picture form the shape.
            if (qGray(v) < 192) {
                hi.setPixel(x, y, h);
                sh.setPixel(x, y, s);
            }
        }
    AfxDrawImageDevice(d, hi, dev + QPoint(1, 1));
    AfxDrawImageDevice(d, sh, dev);
}

}  // namespace

BOOL DrawState(HDC hdc, HBRUSH hbrFore, DRAWSTATEPROC qfnCallBack, LPARAM lData, WPARAM wData, int x, int y, int cx,
               int cy, UINT uFlags)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d)
        return FALSE;
    RecordGuard g;
    UINT kind = uFlags & 0x0F;
    bool disabled = (uFlags & DSS_DISABLED) != 0;
    if (ShouldRecord(g)) {
        AfxDrawOp op = MakeOp(d, (kind == DST_TEXT || kind == DST_PREFIXTEXT) ? AfxDrawKind::State : AfxDrawKind::Image, "DrawState");
        op.rect = CRect(x, y, x + cx, y + cy);
        op.flags = uFlags;
        if (kind == DST_TEXT || kind == DST_PREFIXTEXT)
            op.text = CString(reinterpret_cast<LPCTSTR>(lData), wData ? (int)wData : (int)std::strlen(reinterpret_cast<LPCTSTR>(lData)));
        if (kind == DST_BITMAP)
            op.bitmap = reinterpret_cast<HBITMAP>(lData);
        Record(d, op);
    }
    switch (kind) {
    case DST_TEXT:
    case DST_PREFIXTEXT: {
        LPCTSTR text = reinterpret_cast<LPCTSTR>(lData);
        if (!text)
            return FALSE;
        int n = wData ? (int)wData : (int)std::strlen(text);
        RECT rc{x, y, x + (cx ? cx : 10000), y + (cy ? cy : 10000)};
        UINT fmt = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP | (kind == DST_TEXT ? DT_NOPREFIX : 0) |
                   ((uFlags & DSS_HIDEPREFIX) ? DT_HIDEPREFIX : 0) | ((uFlags & DSS_RIGHT) ? DT_RIGHT : 0);
        int oldMode = ::SetBkMode(hdc, TRANSPARENT);
        COLORREF oldColor = d->st.textColor;
        if (disabled) {
            RECT r1 = rc;
            ::OffsetRect(&r1, 1, 1);
            ::SetTextColor(hdc, GetSysColor(COLOR_3DHILIGHT));
            ::DrawText(hdc, text, n, &r1, fmt);
            ::SetTextColor(hdc, GetSysColor(COLOR_3DSHADOW));
        } else if (hbrFore) {
            if (auto b = AfxBrushOf(hbrFore))
                ::SetTextColor(hdc, b->Color());
        }
        ::DrawText(hdc, text, n, &rc, fmt);
        ::SetTextColor(hdc, oldColor);
        ::SetBkMode(hdc, oldMode);
        return TRUE;
    }
    case DST_BITMAP: {
        QImage img = AfxImageOfBitmap(reinterpret_cast<HBITMAP>(lData));
        if (img.isNull())
            return FALSE;
        if (cx > 0 && cy > 0)
            img = img.copy(0, 0, cx, cy);
        QPoint dev = d->ToDevice(x, y);
        if (disabled)
            EmbossImage(d, img, dev);
        else
            AfxDrawImageDevice(d, img, dev);
        return TRUE;
    }
    case DST_ICON: {
        QImage img = AfxImageOfIcon(reinterpret_cast<HICON>(lData));
        if (img.isNull())
            return FALSE;
        QPoint dev = d->ToDevice(x, y);
        if (disabled)
            EmbossImage(d, img, dev);
        else
            AfxDrawImageDevice(d, img, dev);
        return TRUE;
    }
    case DST_COMPLEX:
        if (!qfnCallBack)
            return FALSE;
        return qfnCallBack(hdc, lData, wData, cx, cy);
    default: return FALSE;
    }
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx, size.cy,
                       nFlags | DST_BITMAP);
}
BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, pBitmap ? static_cast<HBITMAP>(pBitmap->GetSafeHandle()) : nullptr, nFlags,
                     pBrush ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr);
}
BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                       nFlags | DST_ICON);
}
BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, hIcon, nFlags, pBrush ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr);
}
BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(lpszText), (WPARAM)nTextLen, pt.x, pt.y,
                       size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}
BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen, CBrush* pBrush)
{
    return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen,
                     pBrush ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr);
}
BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, lpDrawProc, lData, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_COMPLEX);
}
BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, lpDrawProc, lData, nFlags, pBrush ? static_cast<HBRUSH>(pBrush->GetSafeHandle()) : nullptr);
}
