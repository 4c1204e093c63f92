// Invalid regions, WM_PAINT and the window device contexts. A window's client area is a
// backing image; WM_PAINT handlers draw into it and the widget shows it.
#include "DCInternal.h"
#include "PixelRatio.h"
#include "Raster.h"
#include "WndInternal.h"
#include "WndWidget.h"

#include <ClassLib/Gdi/PaintTarget.h>
#include <ClassLib/Wnd/System.h>

#include <QPainter>

#include <algorithm>
#include <cstring>

#include <sys/mman.h>

HBRUSH AfxClassBrush(const AfxWindow* w)
{
    if (!w->cls)
        return nullptr;
    HBRUSH b = w->cls->wc.hbrBackground;
    uintptr_t v = reinterpret_cast<uintptr_t>(b);
    if (v > 0 && v <= COLOR_MENUBAR + 1)
        return GetSysColorBrush((int)v - 1);
    return b;
}

QRgb AfxClassBackground(const AfxWindow* w)
{
    HBRUSH b = AfxClassBrush(w);
    auto bd = AfxBrushOf(b);
    if (bd && bd->style == BS_SOLID)
        return AfxRgb(bd->Color()) | 0xFF000000u;
    return AfxRgb(GetSysColor(COLOR_WINDOW)) | 0xFF000000u;
}

namespace {

struct MappedPixels
{
    void* p;
    size_t n;
};

// Image pixels of that size. A large image is mapped from fresh memory, which takes no room
// until its pages are written: the parts of a window that its children cover and that it
// never fills cost nothing.
QImage NewImagePixels(const QSize& s)
{
    const qsizetype bpl = static_cast<qsizetype>(s.width()) * 4;
    const size_t bytes = static_cast<size_t>(bpl) * static_cast<size_t>(s.height());
    if (bytes >= 256 * 1024) {
        void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p != MAP_FAILED) {
            auto* info = new MappedPixels{p, bytes};
            QImage img(static_cast<uchar*>(p), s.width(), s.height(), bpl, QImage::Format_RGB32,
                       [](void* v) {
                           auto* m = static_cast<MappedPixels*>(v);
                           munmap(m->p, m->n);
                           delete m;
                       },
                       info);
            if (!img.isNull())
                return img;
            munmap(p, bytes);
            delete info;
        }
    }
    return QImage(s, QImage::Format_RGB32);
}

// A backing image of that logical size at k image pixels per logical pixel.
QImage NewSurfaceImage(const QSize& logical, int k)
{
    QImage img = NewImagePixels(logical * k);
    if (k > 1)
        img.setDevicePixelRatio(k);
    return img;
}

// Image pixels per logical pixel for the window's back buffer: its screen's ratio, rounded to
// a whole number so that each logical pixel is a whole block of image pixels.
int SurfaceRatio(const AfxWindow* w)
{
    const qreal r = w->widget ? w->widget->devicePixelRatioF() : 1.0;
    return r > 1.0 ? std::max(1, static_cast<int>(std::lround(r))) : 1;
}

}  // namespace

void AfxSizeSurface(AfxWindow* w)
{
    const QRect c = AfxClientAreaOf(w);
    const QSize s(std::max(c.width(), 1), std::max(c.height(), 1));
    if (s == w->surfaceSize)
        return;
    w->surfaceSize = s;
    // As if the image had been cut to this size and grown again: what lies beyond is lost.
    w->surfaceKept &= QRect(QPoint(0, 0), s);
}

void AfxEnsureSurface(AfxWindow* w)
{
    AfxSizeSurface(w);
    if (!w->surface)
        w->surface = std::make_shared<AfxImageTarget>();
    QImage& img = w->surface->image();
    const QSize s = w->surfaceSize;
    const QRect all(QPoint(0, 0), s);
    const int k = SurfaceRatio(w);
    const int oldK = AfxPixelRatio(&img);
    if (!img.isNull() && oldK == k && img.size() == s * k) {
        if (w->surfaceKept != all) {
            w->surfaceBlank += QRegion(all) - QRegion(w->surfaceKept);
            w->surfaceKept = all;
        }
        return;
    }
    w->surface->EndPainting();
    QImage fresh = NewSurfaceImage(s, k);
    QRegion blank = QRegion(all);
    // A picture of another ratio (the window went to another screen) cannot be kept: the
    // window paints anew.
    const bool sameRatio = !img.isNull() && oldK == k;
    const QRect kept = sameRatio ? w->surfaceKept & QRect(QPoint(0, 0), AfxLogicalSize(&img)) : QRect();
    if (!kept.isEmpty()) {
        // Only what was filled or drawn is copied: blank pixels stay untouched.
        const QRegion copied = QRegion(kept) - w->surfaceBlank;
        for (const QRect& logical : copied) {
            const QRect r = AfxImagePixels(logical, k);
            const size_t bytes = static_cast<size_t>(r.width()) * 4;
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::memcpy(fresh.scanLine(y) + r.left() * 4, img.constScanLine(y) + r.left() * 4, bytes);
        }
        blank -= copied;
    }
    const bool repaint = !img.isNull() && oldK != k;
    img = std::move(fresh);
    w->surfaceBlank = blank;
    w->surfaceKept = all;
    if (repaint)
        AfxInvalidate(w, QRegion(all), true);
}

void AfxFillSurface(AfxWindow* w, const QRegion& rgn)
{
    if (!w->surface || w->surfaceBlank.isEmpty())
        return;
    const QRegion fill = w->surfaceBlank & rgn;
    if (fill.isEmpty())
        return;
    w->surface->EndPainting();
    QImage& img = w->surface->image();
    const QRgb colour = AfxClassBackground(w);
    const int k = AfxPixelRatio(&img);
    const QRect bounds(QPoint(0, 0), img.size());
    for (const QRect& r : fill) {
        const QRect b = AfxImagePixels(r, k) & bounds;
        for (int y = b.top(); y <= b.bottom(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            std::fill(line + b.left(), line + b.right() + 1, colour);
        }
    }
    w->surfaceBlank -= fill;
}

void AfxScheduleBlit(AfxWindow* w, const QRect& clientRect)
{
    if (!w->widget)
        return;
    QRect c = AfxClientAreaOf(w);
    QRect r = clientRect.isNull() ? QRect(QPoint(0, 0), c.size()) : clientRect;
    w->widget->update(r.translated(c.topLeft()));
}

void AfxInvalidate(AfxWindow* w, const QRegion& rgn, bool erase)
{
    QRect c = AfxClientAreaOf(w);
    QRegion clipped = rgn & QRegion(0, 0, c.width(), c.height());
    if (clipped.isEmpty())
        return;
    w->invalid += clipped;
    if (erase)
        w->eraseNeeded = true;
    if (w->widget && !w->redrawOff)
        w->widget->update(clipped.boundingRect().translated(c.topLeft()));
}

void AfxValidate(AfxWindow* w, const QRegion& rgn)
{
    w->invalid -= rgn;
    if (w->invalid.isEmpty())
        w->eraseNeeded = false;
}

BOOL AfxDispatchPaint(AfxWindow* w)
{
    if (!w || w->destroying || w->invalid.isEmpty() || w->painting > 0 || w->redrawOff)
        return FALSE;
    if (!IsWindowVisible(w->hwnd))
        return FALSE;
    HWND h = w->hwnd;
    ++w->painting;
    ::SendMessage(h, WM_PAINT, 0, 0);
    AfxWindow* again = AfxWindowOf(h);
    if (again) {
        --again->painting;
        // A handler that never validated would be asked again and again; it had its turn.
        again->invalid = QRegion();
        again->eraseNeeded = false;
        AfxScheduleBlit(again, QRect());
    }
    return TRUE;
}

// ---- device contexts of windows --------------------------------------------------------------
HDC AfxWindowDC(HWND hWnd, bool whole, const QRegion* clip)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return nullptr;
    AfxEnsureSurface(w);
    // A context clipped to an update region draws only where no child covers the window;
    // any other may draw (and read) anywhere in it.
    const QRect all(QPoint(0, 0), w->surfaceSize);
    AfxFillSurface(w, clip ? QRegion(all) - AfxOpaqueChildrenArea(w) : QRegion(all));
    auto dc = std::make_unique<AfxDCImpl>();
    dc->kind = AfxDCImpl::Window;
    dc->hwnd = hWnd;
    dc->target = w->surface;
    AfxInitDCState(dc.get());
    if (w->font) {
        // A window context starts with the system font, as on the platform.
    }
    if (whole) {
        dc->windowDC = true;
        dc->deviceOffset = -AfxClientAreaOf(w).topLeft();
    }
    if (clip) {
        dc->systemClip = *clip;
        dc->hasSystemClip = true;
    }
    return AfxNewDC(std::move(dc));
}

HDC GetDC(HWND hWnd)
{
    if (!hWnd) {
        // The screen: a context on a scratch image of the screen's size.
        static std::shared_ptr<AfxImageTarget> screen = [] {
            auto t = std::make_shared<AfxImageTarget>();
            t->Resize(1280, 1024, 0xFFFFFFFFu, false);
            return t;
        }();
        auto dc = std::make_unique<AfxDCImpl>();
        dc->kind = AfxDCImpl::Window;
        dc->target = screen;
        AfxInitDCState(dc.get());
        return AfxNewDC(std::move(dc));
    }
    return AfxWindowDC(hWnd, false, nullptr);
}

HDC GetWindowDC(HWND hWnd) { return AfxWindowDC(hWnd, true, nullptr); }

HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags)
{
    HDC h = AfxWindowDC(hWnd, (flags & DCX_WINDOW) != 0, nullptr);
    AfxDCImpl* d = AfxDCOf(h);
    if (d && hrgnClip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        if (auto r = AfxRegionOf(hrgnClip)) {
            QRegion full(QRect(QPoint(0, 0), d->TargetSize()));
            d->systemClip = (flags & DCX_INTERSECTRGN) ? (full & r->rgn) : (full - r->rgn);
            d->hasSystemClip = true;
        }
    }
    return h;
}

int ReleaseDC(HWND hWnd, HDC hDC)
{
    AfxDCImpl* d = AfxDCOf(hDC);
    if (!d || d->kind != AfxDCImpl::Window)
        return 0;
    d->EndPainting();
    if (AfxWindow* w = AfxWindowOf(hWnd ? hWnd : d->hwnd))
        if (!d->dirty.isEmpty())
            AfxScheduleBlit(w, d->dirty.translated(-d->deviceOffset));
    AfxDeleteDC(hDC);
    return 1;
}

QRegion AfxOpaqueChildrenArea(const AfxWindow* w)
{
    QRegion covered;
    for (HWND ch : w->children) {
        const AfxWindow* cw = AfxWindowOf(ch);
        if (!cw || (cw->style & (WS_CHILD | WS_VISIBLE)) != (WS_CHILD | WS_VISIBLE) ||
            (cw->exStyle & WS_EX_TRANSPARENT) || !cw->widget || cw->widget->isHidden() ||
            !cw->widget->testAttribute(Qt::WA_OpaquePaintEvent))
            continue;
        covered += QRegion(cw->rect);
    }
    return covered;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || !lpPaint)
        return nullptr;
    std::memset(lpPaint, 0, sizeof(*lpPaint));
    QRegion update = w->invalid;
    bool erase = w->eraseNeeded;
    QRect c = AfxClientAreaOf(w);
    update &= QRegion(0, 0, c.width(), c.height());
    const QRect b = update.boundingRect();
    // A window paints (and erases) only where none of its children covers it: each child is a
    // widget of its own drawn over its parent, so what the parent paints there is never seen
    // (with or without WS_CLIPCHILDREN). Only children that paint every pixel of theirs are
    // left out; a child hidden, moved or destroyed gives its place back to the update region.
    QRegion drawn = update - AfxOpaqueChildrenArea(w);
    HDC hdc = AfxWindowDC(hWnd, false, &drawn);
    AfxDCImpl* d = AfxDCOf(hdc);
    d->paintDC = true;
    // Validate first: drawing in the handler may invalidate again.
    w->invalid = QRegion();
    w->eraseNeeded = false;
    lpPaint->hdc = hdc;
    if (!update.isEmpty())
        ::SetRect(&lpPaint->rcPaint, b.left(), b.top(), b.right() + 1, b.bottom() + 1);
    lpPaint->fErase = FALSE;
    if (erase) {
        lpPaint->fErase = ::SendMessage(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
    }
    return hdc;
}

BOOL AfxIsWindowPaintDC(const CDC* pDC)
{
    const AfxDCImpl* d = pDC != nullptr && !pDC->IsPrinting() ? AfxDCOf(pDC->GetSafeHdc()) : nullptr;
    return d != nullptr && d->kind == AfxDCImpl::Window && d->paintDC && !d->printing && d->target != nullptr;
}

int AfxPixelRatioOf(const CDC* pDC)
{
    const AfxDCImpl* d = pDC != nullptr ? AfxDCOf(pDC->GetSafeHdc()) : nullptr;
    return d != nullptr ? d->PixelRatio() : 1;
}

int AfxPixelRatioOf(const CBitmap* pBitmap)
{
    auto b = pBitmap != nullptr ? AfxBitmapOf(pBitmap->GetSafeHandle()) : nullptr;
    return b ? AfxPixelRatio(&b->image()) : 1;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    if (!lpPaint)
        return FALSE;
    AfxDCImpl* d = AfxDCOf(lpPaint->hdc);
    if (!d)
        return FALSE;
    d->EndPainting();
    if (AfxWindow* w = AfxWindowOf(hWnd))
        AfxScheduleBlit(w, QRect());
    AfxDeleteDC(lpPaint->hdc);
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    if (!hWnd) {
        for (HWND h : AfxTopLevelWindows())
            InvalidateRect(h, nullptr, bErase);
        return TRUE;
    }
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    QRect c = AfxClientAreaOf(w);
    QRect r = lpRect ? QRect(QPoint(std::min(lpRect->left, lpRect->right), std::min(lpRect->top, lpRect->bottom)),
                             QPoint(std::max(lpRect->left, lpRect->right) - 1, std::max(lpRect->top, lpRect->bottom) - 1))
                     : QRect(0, 0, c.width(), c.height());
    if (r.isValid())
        AfxInvalidate(w, QRegion(r), bErase != FALSE);
    return TRUE;
}

BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    if (!hRgn)
        return InvalidateRect(hWnd, nullptr, bErase);
    auto r = AfxRegionOf(hRgn);
    if (!r)
        return FALSE;
    AfxInvalidate(w, r->rgn, bErase != FALSE);
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    if (!lpRect)
        AfxValidate(w, w->invalid);
    else
        AfxValidate(w, QRegion(QRect(QPoint(lpRect->left, lpRect->top), QPoint(lpRect->right - 1, lpRect->bottom - 1))));
    return TRUE;
}

BOOL ValidateRgn(HWND hWnd, HRGN hRgn)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    if (!hRgn)
        return ValidateRect(hWnd, nullptr);
    auto r = AfxRegionOf(hRgn);
    if (r)
        AfxValidate(w, r->rgn);
    return r != nullptr;
}

BOOL UpdateWindow(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    AfxDispatchPaint(w);
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    if (lpRect) {
        QRect b = w->invalid.boundingRect();
        if (w->invalid.isEmpty())
            ::SetRectEmpty(lpRect);
        else
            ::SetRect(lpRect, b.left(), b.top(), b.right() + 1, b.bottom() + 1);
    }
    if (bErase && w->eraseNeeded && !w->invalid.isEmpty()) {
        HDC hdc = AfxWindowDC(hWnd, false, &w->invalid);
        w->eraseNeeded = false;
        ::SendMessage(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
        ReleaseDC(hWnd, hdc);
    }
    return !w->invalid.isEmpty();
}

int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    auto r = AfxRegionOf(hRgn);
    if (!w || !r)
        return ERROR;
    r->rgn = w->invalid;
    RECT dummy;
    GetUpdateRect(hWnd, &dummy, bErase);
    return r->rgn.isEmpty() ? NULLREGION : (r->rgn.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return FALSE;
    QRect c = AfxClientAreaOf(w);
    QRegion area;
    if (hrgnUpdate) {
        if (auto r = AfxRegionOf(hrgnUpdate))
            area = r->rgn;
    } else if (lprcUpdate) {
        area = QRegion(QRect(QPoint(lprcUpdate->left, lprcUpdate->top), QPoint(lprcUpdate->right - 1, lprcUpdate->bottom - 1)));
    } else {
        area = QRegion(0, 0, c.width(), c.height());
    }
    bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
    if (flags & RDW_INVALIDATE)
        AfxInvalidate(w, area, (flags & RDW_ERASE) != 0);
    if (flags & RDW_VALIDATE)
        AfxValidate(w, area);
    if ((flags & RDW_FRAME) && w->widget)
        w->widget->update();
    if (children && (flags & (RDW_INVALIDATE | RDW_VALIDATE))) {
        for (HWND ch : std::vector<HWND>(w->children)) {
            AfxWindow* cw = AfxWindowOf(ch);
            if (!cw)
                continue;
            QRegion part = (area & QRegion(cw->rect)).translated(-cw->rect.topLeft() - AfxClientAreaOf(cw).topLeft());
            if (part.isEmpty())
                continue;
            if (flags & RDW_INVALIDATE)
                AfxInvalidate(cw, part, (flags & RDW_ERASE) != 0);
            if (flags & RDW_VALIDATE)
                AfxValidate(cw, part);
        }
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        AfxDispatchPaint(w);
        if (children)
            for (HWND ch : std::vector<HWND>(w->children))
                if (AfxWindow* cw = AfxWindowOf(ch))
                    AfxDispatchPaint(cw);
    }
    return TRUE;
}

int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip, HRGN hrgnUpdate,
                   LPRECT prcUpdate, UINT flags)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return ERROR;
    AfxEnsureSurface(w);
    AfxFillSurface(w, QRegion(QRect(QPoint(0, 0), w->surfaceSize)));
    QRect c = AfxClientAreaOf(w);
    QRect client(0, 0, c.width(), c.height());
    QRect scroll = prcScroll ? QRect(QPoint(prcScroll->left, prcScroll->top), QPoint(prcScroll->right - 1, prcScroll->bottom - 1)) & client
                             : client;
    QRect clip = prcClip ? QRect(QPoint(prcClip->left, prcClip->top), QPoint(prcClip->right - 1, prcClip->bottom - 1)) & client
                         : client;
    // Move the pixels of the scroll rectangle; what is left uncovered needs painting.
    w->surface->EndPainting();
    QImage& img = w->surface->image();
    QImage copy = img.copy(AfxImagePixels(scroll, AfxPixelRatio(&img)));
    copy.setDevicePixelRatio(img.devicePixelRatio());
    QRect dest = scroll.translated(dx, dy) & clip & scroll;
    {
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setClipRect(dest);
        p.drawImage(scroll.topLeft() + QPoint(dx, dy), copy);
    }
    QRegion uncovered = (QRegion(scroll) & QRegion(clip)) - QRegion(dest);
    // The window's own pending update moves with its contents.
    QRegion moved = (w->invalid & QRegion(scroll)).translated(dx, dy) & QRegion(clip);
    w->invalid = (w->invalid - QRegion(scroll)) + moved;
    if (!prcScroll || (flags & SW_SCROLLCHILDREN)) {
        for (HWND ch : std::vector<HWND>(w->children))
            if (AfxWindow* cw = AfxWindowOf(ch))
                if (!prcScroll || scroll.intersects(cw->rect))
                    SetWindowPos(ch, nullptr, cw->rect.x() + dx, cw->rect.y() + dy, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (auto r = AfxRegionOf(hrgnUpdate))
        r->rgn = uncovered;
    if (prcUpdate) {
        QRect b = uncovered.boundingRect();
        if (uncovered.isEmpty())
            ::SetRectEmpty(prcUpdate);
        else
            ::SetRect(prcUpdate, b.left(), b.top(), b.right() + 1, b.bottom() + 1);
    }
    if (flags & SW_INVALIDATE)
        AfxInvalidate(w, uncovered, (flags & SW_ERASE) != 0);
    AfxScheduleBlit(w, QRect());
    return uncovered.isEmpty() ? NULLREGION : (uncovered.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

BOOL ScrollWindow(HWND hWnd, int XAmount, int YAmount, const RECT* lpRect, const RECT* lpClipRect)
{
    return ScrollWindowEx(hWnd, XAmount, YAmount, lpRect, lpClipRect, nullptr, nullptr,
                          SW_INVALIDATE | SW_ERASE | (lpRect ? 0 : SW_SCROLLCHILDREN)) != ERROR;
}

BOOL LockWindowUpdate(HWND hWndLock)
{
    static HWND locked = nullptr;
    if (hWndLock && locked)
        return FALSE;
    if (AfxWindow* w = AfxWindowOf(hWndLock ? hWndLock : locked))
        w->redrawOff = hWndLock != nullptr;
    if (!hWndLock)
        if (AfxWindow* w = AfxWindowOf(locked))
            AfxInvalidate(w, QRegion(QRect(QPoint(0, 0), AfxClientAreaOf(w).size())), true);
    locked = hWndLock;
    return TRUE;
}

// ---- the window context classes ------------------------------------------------------------------
CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    std::memset(&m_ps, 0, sizeof(m_ps));
    HDC h = ::BeginPaint(m_hWnd, &m_ps);
    if (h)
        Attach(h);
}

CPaintDC::~CPaintDC()
{
    if (m_hDC) {
        HDC h = Detach();
        (void)h;
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    HDC h = ::GetDC(m_hWnd);
    if (h)
        Attach(h);
}

CClientDC::~CClientDC()
{
    if (m_hDC) {
        HDC h = Detach();
        ::ReleaseDC(m_hWnd, h);
    }
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    HDC h = ::GetWindowDC(m_hWnd);
    if (h)
        Attach(h);
}

CWindowDC::~CWindowDC()
{
    if (m_hDC) {
        HDC h = Detach();
        ::ReleaseDC(m_hWnd, h);
    }
}
