// Cursors, icons and the wait cursor.
#include "DCInternal.h"
#include "Raster.h"
#include "WndInternal.h"

#include <ClassLib/Gdi/ResourceImages.h>
#include <ClassLib/Wnd/Cursor.h>
#include <ClassLib/Wnd/System.h>

#include <QCursor>
#include <QPainter>
#include <QPixmap>

#include <map>
#include <mutex>
#include <unordered_map>

QImage AfxPictureImage(const AFX_BITMAP_RESOURCE* res);  // ResourceImages.cpp

namespace {

struct IconData
{
    QImage image;  // ARGB
    bool cursor = false;
    QPoint hotspot;
    int shape = -1;  // a standard Qt cursor shape
    bool shared = false;
};

struct IconTable
{
    std::mutex lock;
    std::unordered_map<uintptr_t, std::shared_ptr<IconData>> items;
    std::map<std::pair<uintptr_t, uintptr_t>, HICON> loaded;  // (module, id) -> handle
    uintptr_t next = 0x50000;
};

IconTable& Icons()
{
    static IconTable* t = new IconTable;
    return *t;
}

HICON AddIcon(std::shared_ptr<IconData> d)
{
    IconTable& t = Icons();
    std::lock_guard<std::mutex> g(t.lock);
    uintptr_t k = t.next;
    t.next += 4;
    t.items[k] = std::move(d);
    return reinterpret_cast<HICON>(k);
}

std::shared_ptr<IconData> IconOf(HICON h)
{
    IconTable& t = Icons();
    std::lock_guard<std::mutex> g(t.lock);
    auto it = t.items.find(reinterpret_cast<uintptr_t>(h));
    return it == t.items.end() ? nullptr : it->second;
}

int ShapeOf(UINT id)
{
    switch (id) {
    case 32512: return Qt::ArrowCursor;
    case 32513: return Qt::IBeamCursor;
    case 32514: return Qt::WaitCursor;
    case 32515: return Qt::CrossCursor;
    case 32516: return Qt::UpArrowCursor;
    case 32640:
    case 32646: return Qt::SizeAllCursor;
    case 32641: return Qt::ArrowCursor;
    case 32642: return Qt::SizeFDiagCursor;
    case 32643: return Qt::SizeBDiagCursor;
    case 32644: return Qt::SizeHorCursor;
    case 32645: return Qt::SizeVerCursor;
    case 32648: return Qt::ForbiddenCursor;
    case 32649: return Qt::PointingHandCursor;
    case 32650: return Qt::BusyCursor;
    case 32651: return Qt::WhatsThisCursor;
    default: return -1;
    }
}

HCURSOR g_cursor = nullptr;
HWND g_cursorWindow = nullptr;
int g_showCount = 0;
int g_waitCount = 0;
HCURSOR g_beforeWait = nullptr;

QCursor QtCursorOf(HCURSOR h)
{
    if (g_showCount < 0)
        return QCursor(Qt::BlankCursor);
    auto d = IconOf(h);
    if (!d)
        return QCursor(Qt::ArrowCursor);
    if (d->shape >= 0)
        return QCursor(static_cast<Qt::CursorShape>(d->shape));
    return QCursor(QPixmap::fromImage(d->image), d->hotspot.x(), d->hotspot.y());
}

QImage CursorPicture(const AFX_CURSOR_RESOURCE* res, QPoint* hot)
{
    QImage img(std::max(res->nWidth, 1), std::max(res->nHeight, 1), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < res->nHeight && res->pRows; ++y) {
        const char* row = res->pRows[y];
        for (int x = 0; row && x < res->nWidth && row[x]; ++x) {
            switch (row[x]) {
            case '#':
            case 'X': img.setPixel(x, y, qRgb(0, 0, 0)); break;
            case 'o':
            case 'W': img.setPixel(x, y, qRgb(255, 255, 255)); break;
            case '~': img.setPixel(x, y, qRgb(64, 64, 64)); break;
            default: break;
            }
        }
    }
    *hot = QPoint(res->xHotSpot, res->yHotSpot);
    return img;
}

// Pictures of the standard icons, 32 x 32.
QImage StandardIcon(UINT id)
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QColor c;
    QString glyph;
    switch (id) {
    case 32513: c = QColor(255, 0, 0); glyph = "X"; break;     // IDI_HAND
    case 32514: c = QColor(0, 0, 255); glyph = "?"; break;     // IDI_QUESTION
    case 32515: c = QColor(255, 255, 0); glyph = "!"; break;   // IDI_EXCLAMATION
    case 32516: c = QColor(0, 0, 255); glyph = "i"; break;     // IDI_ASTERISK
    default: {
        // The application icon: a small window.
        p.fillRect(QRect(3, 5, 26, 22), Qt::white);
        p.setPen(Qt::black);
        p.drawRect(QRect(3, 5, 25, 21));
        p.fillRect(QRect(4, 6, 24, 4), QColor(10, 36, 106));
        return img;
    }
    }
    p.setPen(Qt::black);
    p.setBrush(c);
    p.drawEllipse(QRectF(2, 2, 27, 27));
    p.setPen(id == 32515 ? Qt::black : Qt::white);
    QFont f;
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(2, 2, 28, 28), Qt::AlignCenter, glyph);
    return img;
}

}  // namespace

HCURSOR AfxLoadStandardCursor(LPCTSTR lpszCursorName)
{
    return LoadCursor(nullptr, lpszCursorName);
}

HCURSOR LoadCursor(HINSTANCE hInstance, LPCTSTR lpCursorName)
{
    uintptr_t id = reinterpret_cast<uintptr_t>(lpCursorName);
    IconTable& t = Icons();
    auto key = std::make_pair(reinterpret_cast<uintptr_t>(hInstance) | 1u, IS_INTRESOURCE(lpCursorName) ? id : 0);
    if (IS_INTRESOURCE(lpCursorName)) {
        std::lock_guard<std::mutex> g(t.lock);
        auto it = t.loaded.find(key);
        if (it != t.loaded.end())
            return it->second;
    }
    auto d = std::make_shared<IconData>();
    d->cursor = true;
    d->shared = true;
    if (!hInstance) {
        if (!IS_INTRESOURCE(lpCursorName))
            return nullptr;
        d->shape = ShapeOf((UINT)id);
        if (d->shape < 0)
            return nullptr;
    } else {
        const AFX_CURSOR_RESOURCE* res =
            static_cast<const AFX_CURSOR_RESOURCE*>(AfxFindResourceIn(hInstance, lpCursorName, RT_CURSOR));
        if (!res)
            return nullptr;
        d->image = CursorPicture(res, &d->hotspot);
    }
    HICON h = AddIcon(d);
    if (IS_INTRESOURCE(lpCursorName)) {
        std::lock_guard<std::mutex> g(t.lock);
        t.loaded[key] = h;
    }
    return h;
}

HCURSOR AfxLoadCursor(UINT nIDResource)
{
    HINSTANCE h = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_CURSOR);
    return h ? LoadCursor(h, MAKEINTRESOURCE(nIDResource)) : nullptr;
}

HICON LoadIcon(HINSTANCE hInstance, LPCTSTR lpIconName)
{
    uintptr_t id = reinterpret_cast<uintptr_t>(lpIconName);
    IconTable& t = Icons();
    auto key = std::make_pair(reinterpret_cast<uintptr_t>(hInstance) | 2u, IS_INTRESOURCE(lpIconName) ? id : 0);
    if (IS_INTRESOURCE(lpIconName)) {
        std::lock_guard<std::mutex> g(t.lock);
        auto it = t.loaded.find(key);
        if (it != t.loaded.end())
            return it->second;
    }
    auto d = std::make_shared<IconData>();
    d->shared = true;
    if (!hInstance) {
        if (!IS_INTRESOURCE(lpIconName) || id < 32512 || id > 32517)
            return nullptr;
        d->image = StandardIcon((UINT)id);
    } else {
        const AFX_BITMAP_RESOURCE* res =
            static_cast<const AFX_BITMAP_RESOURCE*>(AfxFindResourceIn(hInstance, lpIconName, RT_ICON));
        if (!res)
            return nullptr;
        d->image = AfxPictureImage(res);
        if (d->image.isNull())
            return nullptr;
    }
    HICON h = AddIcon(d);
    if (IS_INTRESOURCE(lpIconName)) {
        std::lock_guard<std::mutex> g(t.lock);
        t.loaded[key] = h;
    }
    return h;
}

HICON AfxLoadIcon(UINT nIDResource)
{
    HINSTANCE h = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_ICON);
    return h ? LoadIcon(h, MAKEINTRESOURCE(nIDResource)) : nullptr;
}

HICON AfxNewIconFromImage(const QImage& argb)
{
    auto d = std::make_shared<IconData>();
    d->image = argb.convertToFormat(QImage::Format_ARGB32);
    return AddIcon(d);
}

QImage AfxImageOfIcon(HICON hIcon)
{
    auto d = IconOf(hIcon);
    if (!d)
        return QImage();
    if (d->shape >= 0) {
        QCursor c(static_cast<Qt::CursorShape>(d->shape));
        QPixmap pm = c.pixmap();
        if (!pm.isNull())
            return pm.toImage().convertToFormat(QImage::Format_ARGB32);
        QImage img(32, 32, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        return img;
    }
    return d->image;
}

BOOL DestroyIcon(HICON hIcon)
{
    IconTable& t = Icons();
    std::lock_guard<std::mutex> g(t.lock);
    auto it = t.items.find(reinterpret_cast<uintptr_t>(hIcon));
    if (it == t.items.end())
        return FALSE;
    if (!it->second->shared)
        t.items.erase(it);
    return TRUE;
}

BOOL DestroyCursor(HCURSOR hCursor) { return DestroyIcon(hCursor); }

HICON CopyIcon(HICON hIcon)
{
    auto d = IconOf(hIcon);
    if (!d)
        return nullptr;
    auto c = std::make_shared<IconData>(*d);
    c->shared = false;
    return AddIcon(c);
}

HCURSOR CopyCursor(HCURSOR hCursor) { return CopyIcon(hCursor); }

BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo)
{
    auto d = IconOf(hIcon);
    if (!d || !piconinfo)
        return FALSE;
    QImage img = AfxImageOfIcon(hIcon);
    piconinfo->fIcon = !d->cursor;
    piconinfo->xHotspot = (DWORD)(d->cursor ? d->hotspot.x() : img.width() / 2);
    piconinfo->yHotspot = (DWORD)(d->cursor ? d->hotspot.y() : img.height() / 2);
    QImage color(img.size(), QImage::Format_RGB32), mask(img.size(), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            QRgb v = img.pixel(x, y);
            bool opaque = qAlpha(v) >= 128;
            color.setPixel(x, y, opaque ? (v | 0xFF000000u) : 0xFF000000u);
            mask.setPixel(x, y, opaque ? 0xFF000000u : 0xFFFFFFFFu);
        }
    piconinfo->hbmColor = AfxBitmapFromImage(color);
    HBITMAP hm = AfxNewBitmap(img.width(), img.height(), true, 0xFF000000u);
    AfxBitmapOf(hm)->image() = mask;
    piconinfo->hbmMask = hm;
    return TRUE;
}

HICON CreateIconIndirect(PICONINFO piconinfo)
{
    if (!piconinfo)
        return nullptr;
    QImage color = AfxImageOfBitmap(piconinfo->hbmColor);
    QImage mask = AfxImageOfBitmap(piconinfo->hbmMask);
    if (color.isNull())
        return nullptr;
    QImage out(color.size(), QImage::Format_ARGB32);
    for (int y = 0; y < color.height(); ++y)
        for (int x = 0; x < color.width(); ++x) {
            bool transparent = !mask.isNull() && x < mask.width() && y < mask.height() && qRed(mask.pixel(x, y)) > 127;
            out.setPixel(x, y, transparent ? 0u : (color.pixel(x, y) | 0xFF000000u));
        }
    auto d = std::make_shared<IconData>();
    d->image = out;
    d->cursor = !piconinfo->fIcon;
    d->hotspot = QPoint((int)piconinfo->xHotspot, (int)piconinfo->yHotspot);
    return AddIcon(d);
}

// ---- the current cursor ------------------------------------------------------------------------------
HCURSOR SetCursor(HCURSOR hCursor)
{
    HCURSOR old = g_cursor;
    g_cursor = hCursor;
    if (AfxWindow* w = AfxWindowOf(GetCapture() ? GetCapture() : g_cursorWindow))
        if (w->widget)
            w->widget->setCursor(QtCursorOf(hCursor));
    return old;
}

HCURSOR GetCursor() { return g_cursor; }

void AfxApplyCursorTo(HWND hWnd)
{
    if (g_cursorWindow != hWnd) {
        g_cursorWindow = hWnd;
        if (AfxWindow* w = AfxWindowOf(hWnd))
            if (w->widget && g_cursor)
                w->widget->setCursor(QtCursorOf(g_cursor));
    }
}

int ShowCursor(BOOL bShow)
{
    g_showCount += bShow ? 1 : -1;
    SetCursor(g_cursor);
    return g_showCount;
}

void AfxDoWaitCursor(int nCode)
{
    if (nCode > 0) {
        if (g_waitCount++ == 0)
            g_beforeWait = GetCursor();
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
    } else if (nCode < 0) {
        if (g_waitCount > 0 && --g_waitCount == 0)
            SetCursor(g_beforeWait ? g_beforeWait : LoadCursor(nullptr, IDC_ARROW));
    } else if (g_waitCount > 0) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
    }
}

CWaitCursor::CWaitCursor() { AfxDoWaitCursor(1); }
CWaitCursor::~CWaitCursor() { AfxDoWaitCursor(-1); }
void CWaitCursor::Restore() { AfxDoWaitCursor(0); }

void CCmdTarget::BeginWaitCursor() { AfxDoWaitCursor(1); }
void CCmdTarget::EndWaitCursor() { AfxDoWaitCursor(-1); }
void CCmdTarget::RestoreWaitCursor() { AfxDoWaitCursor(0); }

// ---- drawing icons -------------------------------------------------------------------------------------
BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags)
{
    (void)istepIfAniCur;
    (void)hbrFlickerFreeDraw;
    AfxDCImpl* d = AfxDCOf(hdc);
    QImage img = AfxImageOfIcon(hIcon);
    if (!d || img.isNull())
        return FALSE;
    afx_raster::RecordGuard g;
    if (afx_raster::ShouldRecord(g)) {
        AfxDrawOp op = afx_raster::MakeOp(d, AfxDrawKind::Image, "DrawIcon");
        int w = cxWidth > 0 ? cxWidth : ((diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : img.width());
        int h = cyWidth > 0 ? cyWidth : ((diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : img.height());
        op.rect = CRect(xLeft, yTop, xLeft + w, yTop + h);
        op.flags = diFlags;
        afx_raster::Record(d, op);
    }
    int w = cxWidth > 0 ? cxWidth : ((diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CXICON) : img.width());
    int h = cyWidth > 0 ? cyWidth : ((diFlags & DI_DEFAULTSIZE) ? GetSystemMetrics(SM_CYICON) : img.height());
    QRect dev = d->ToDevice(RECT{xLeft, yTop, xLeft + w, yTop + h});
    if (dev.size() != img.size())
        img = img.scaled(dev.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    AfxDrawImageDevice(d, img, dev.topLeft());
    return TRUE;
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon)
{
    return DrawIconEx(hDC, X, Y, hIcon, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0, nullptr, DI_NORMAL);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
