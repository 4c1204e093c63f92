// Device contexts: the handle table, state, mapping modes, selection and clipping.
#include "DCInternal.h"
#include "PixelRatio.h"
#include "WndInternal.h"

#include <ClassLib/Core/Debug.h>
#include <ClassLib/Testing/DrawLog.h>
#include <ClassLib/Wnd/System.h>

#include <cmath>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct DCTable
{
    std::mutex lock;
    std::unordered_map<uintptr_t, std::unique_ptr<AfxDCImpl>> dcs;
    uintptr_t next = 0x30000;
};

DCTable& Table()
{
    static DCTable* t = new DCTable;
    return *t;
}

int Div(long long num, long long den)
{
    // MulDiv's rounding: half away from zero.
    if (den == 0)
        return 0;
    bool neg = (num < 0) != (den < 0);
    unsigned long long a = (unsigned long long)(num < 0 ? -num : num);
    unsigned long long b = (unsigned long long)(den < 0 ? -den : den);
    long long q = (long long)((a + b / 2) / b);
    return (int)(neg ? -q : q);
}

}  // namespace

AfxDCTarget::~AfxDCTarget()
{
    EndPainting();
}

QPainter* AfxDCTarget::Painter(const void* pOwner)
{
    if (m_pPainter && m_pPainterOwner == pOwner)
        return m_pPainter;
    EndPainting();
    QPaintDevice* dev = Device();
    if (!dev)
        return nullptr;
    m_pPainter = new QPainter;
    if (!m_pPainter->begin(dev)) {
        delete m_pPainter;
        m_pPainter = nullptr;
        return nullptr;
    }
    m_pPainter->setRenderHint(QPainter::Antialiasing, false);
    m_pPainterOwner = pOwner;
    return m_pPainter;
}

void AfxDCTarget::EndPainting()
{
    if (m_pPainter) {
        m_pPainter->end();
        delete m_pPainter;
        m_pPainter = nullptr;
        m_pPainterOwner = nullptr;
    }
}

int AfxDCTarget::DeviceCaps(int nIndex) const
{
    switch (nIndex) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return 338;
    case VERTSIZE: return 270;
    case HORZRES: return 1280;
    case VERTRES: return 1024;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS: return -1;
    case NUMFONTS: return 0;
    case NUMCOLORS: return -1;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case SIZEPALETTE: return 0;
    case NUMRESERVED: return 20;
    case COLORRES: return 24;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_FLOODFILL | RC_STRETCHDIB;
    case CURVECAPS:
    case LINECAPS:
    case POLYGONALCAPS: return 0xFF;
    case TEXTCAPS: return 0x7807;
    case CLIPCAPS: return 1;
    case VREFRESH: return 60;
    case DESKTOPHORZRES: return 1280;
    case DESKTOPVERTRES: return 1024;
    default: return 0;
    }
}

int AfxDCTarget::StartDoc(const DOCINFO*) { return SP_ERROR; }
int AfxDCTarget::StartPage() { return SP_ERROR; }
int AfxDCTarget::EndPage() { return SP_ERROR; }
int AfxDCTarget::EndDoc() { return SP_ERROR; }
int AfxDCTarget::AbortDoc() { return SP_ERROR; }

// ---- the table --------------------------------------------------------------------------------
AfxDCImpl* AfxDCOf(HDC hdc)
{
    if (!hdc)
        return nullptr;
    DCTable& t = Table();
    std::lock_guard<std::mutex> g(t.lock);
    auto it = t.dcs.find(reinterpret_cast<uintptr_t>(hdc));
    return it == t.dcs.end() ? nullptr : it->second.get();
}

HDC AfxNewDC(std::unique_ptr<AfxDCImpl> impl)
{
    DCTable& t = Table();
    std::lock_guard<std::mutex> g(t.lock);
    uintptr_t k = t.next;
    t.next += 4;
    HDC h = reinterpret_cast<HDC>(k);
    impl->hdc = h;
    t.dcs[k] = std::move(impl);
    return h;
}

void AfxDeleteDC(HDC hdc)
{
    std::unique_ptr<AfxDCImpl> dead;
    {
        DCTable& t = Table();
        std::lock_guard<std::mutex> g(t.lock);
        auto it = t.dcs.find(reinterpret_cast<uintptr_t>(hdc));
        if (it == t.dcs.end())
            return;
        dead = std::move(it->second);
        t.dcs.erase(it);
    }
    dead->EndPainting();
    if (dead->permanent)
        dead->permanent->m_hDC = dead->permanent->m_hAttribDC = nullptr;
    if (dead->temp) {
        dead->temp->m_hDC = dead->temp->m_hAttribDC = nullptr;
        dead->temp.reset();
    }
}

void AfxInitDCState(AfxDCImpl* dc)
{
    AfxDCState& s = dc->st;
    s = AfxDCState();
    s.hPen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    s.pen = AfxPenOf(s.hPen);
    s.hBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    s.brush = AfxBrushOf(s.hBrush);
    s.hFont = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    s.font = AfxFontOf(s.hFont);
    s.hPalette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
}

HDC AfxCreateDCOnTarget(std::shared_ptr<AfxDCTarget> pTarget, BOOL bPrinting)
{
    if (!pTarget)
        return nullptr;
    auto dc = std::make_unique<AfxDCImpl>();
    dc->kind = AfxDCImpl::Target;
    dc->target = std::move(pTarget);
    dc->printing = bPrinting != FALSE;
    AfxInitDCState(dc.get());
    return AfxNewDC(std::move(dc));
}

// ---- geometry ------------------------------------------------------------------------------------
QPoint AfxDCImpl::ToDevice(int x, int y) const
{
    int dx, dy;
    if (st.mapMode == MM_TEXT) {
        dx = x - st.windowOrg.x + st.viewportOrg.x;
        dy = y - st.windowOrg.y + st.viewportOrg.y;
    } else {
        dx = Div((long long)(x - st.windowOrg.x) * st.viewportExt.cx, st.windowExt.cx) + st.viewportOrg.x;
        dy = Div((long long)(y - st.windowOrg.y) * st.viewportExt.cy, st.windowExt.cy) + st.viewportOrg.y;
    }
    return QPoint(dx, dy) + deviceOffset;
}

QPoint AfxDCImpl::ToLogical(int x, int y) const
{
    x -= deviceOffset.x();
    y -= deviceOffset.y();
    if (st.mapMode == MM_TEXT)
        return QPoint(x - st.viewportOrg.x + st.windowOrg.x, y - st.viewportOrg.y + st.windowOrg.y);
    int lx = st.viewportExt.cx ? Div((long long)(x - st.viewportOrg.x) * st.windowExt.cx, st.viewportExt.cx) : 0;
    int ly = st.viewportExt.cy ? Div((long long)(y - st.viewportOrg.y) * st.windowExt.cy, st.viewportExt.cy) : 0;
    return QPoint(lx + st.windowOrg.x, ly + st.windowOrg.y);
}

QRect AfxDCImpl::ToDevice(const RECT& r) const
{
    QPoint a = ToDevice(r.left, r.top);
    QPoint b = ToDevice(r.right, r.bottom);
    int l = std::min(a.x(), b.x()), rr = std::max(a.x(), b.x());
    int t = std::min(a.y(), b.y()), bb = std::max(a.y(), b.y());
    return QRect(l, t, rr - l, bb - t);
}

int AfxDCImpl::ScaleX(int dx) const
{
    return st.mapMode == MM_TEXT ? dx : Div((long long)dx * st.viewportExt.cx, st.windowExt.cx);
}
int AfxDCImpl::ScaleY(int dy) const
{
    return st.mapMode == MM_TEXT ? dy : Div((long long)dy * st.viewportExt.cy, st.windowExt.cy);
}
int AfxDCImpl::UnscaleX(int dx) const
{
    return st.mapMode == MM_TEXT || !st.viewportExt.cx ? dx : Div((long long)dx * st.windowExt.cx, st.viewportExt.cx);
}
int AfxDCImpl::UnscaleY(int dy) const
{
    return st.mapMode == MM_TEXT || !st.viewportExt.cy ? dy : Div((long long)dy * st.windowExt.cy, st.viewportExt.cy);
}

QSize AfxDCImpl::TargetSize() const
{
    if (!target)
        return QSize(0, 0);
    if (QImage* img = target->Image())
        return AfxLogicalSize(img);
    QPaintDevice* d = target->Device();
    return d ? QSize(d->width(), d->height()) : QSize(0, 0);
}

QRegion AfxDCImpl::EffectiveClip() const
{
    QRegion r(QRect(QPoint(0, 0), TargetSize()));
    if (hasSystemClip)
        r &= systemClip;
    if (st.clip)
        r &= *st.clip;
    return r;
}

bool AfxDCImpl::ClipRect(QRect* pRect) const
{
    QRect r(QPoint(0, 0), TargetSize());
    if (hasSystemClip) {
        if (systemClip.rectCount() > 1)
            return false;
        r &= systemClip.boundingRect();
    }
    if (st.clip) {
        if (st.clip->rectCount() > 1)
            return false;
        r &= st.clip->boundingRect();
    }
    *pRect = r;
    return true;
}

QPainter* AfxDCImpl::Painter()
{
    if (!target)
        return nullptr;
    QPainter* p = target->Painter(this);
    if (p)
        p->setClipRegion(EffectiveClip());
    return p;
}

QPainter* AfxDCImpl::Painter(const QRegion& clip)
{
    if (!target)
        return nullptr;
    QPainter* p = target->Painter(this);
    if (p)
        p->setClipRegion(clip);
    return p;
}

QPainter* AfxDCImpl::UnclippedPainter()
{
    if (!target)
        return nullptr;
    QPainter* p = target->Painter(this);
    if (p && p->hasClipping())
        p->setClipping(false);
    return p;
}

void AfxDCImpl::EndPainting()
{
    if (target)
        target->EndPainting();
}

LOGFONT AfxDCImpl::DeviceLogFont() const
{
    LOGFONT lf = st.font ? st.font->lf : LOGFONT{};
    if (st.mapMode != MM_TEXT) {
        lf.lfHeight = ScaleY(lf.lfHeight);
        if (st.viewportExt.cy * st.windowExt.cy < 0)
            lf.lfHeight = -lf.lfHeight;
        lf.lfWidth = std::abs(ScaleX(lf.lfWidth));
    }
    return lf;
}

std::shared_ptr<const AfxFontMetrics> AfxDCImpl::Metrics() const
{
    return AfxFontMetricsOf(DeviceLogFont());
}

// ---- CDC basics -------------------------------------------------------------------------------------
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CDC::CDC() : m_hDC(nullptr), m_hAttribDC(nullptr), m_bPrinting(FALSE), m_pImpl(nullptr) {}

CDC::~CDC()
{
    if (m_hDC) {
        AfxDCImpl* d = AfxDCOf(m_hDC);
        if (d && d->permanent == this) {
            d->permanent = nullptr;
            if (d->kind == AfxDCImpl::Window)
                ::ReleaseDC(d->hwnd, m_hDC);
            else
                ::DeleteDC(m_hDC);
        }
    }
}

CDC* CDC::FromHandle(HDC hDC)
{
    AfxDCImpl* d = AfxDCOf(hDC);
    if (!d)
        return nullptr;
    if (d->permanent)
        return d->permanent;
    if (!d->temp) {
        d->temp.reset(new CDC);
        d->temp->m_hDC = d->temp->m_hAttribDC = hDC;
        d->temp->m_pImpl = d;
        d->temp->m_bPrinting = d->printing;
    }
    return d->temp.get();
}

BOOL CDC::Attach(HDC hDC)
{
    AfxDCImpl* d = AfxDCOf(hDC);
    if (!d)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    m_pImpl = d;
    m_bPrinting = d->printing;
    if (!d->permanent)
        d->permanent = this;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (AfxDCImpl* d = AfxDCOf(h))
        if (d->permanent == this)
            d->permanent = nullptr;
    m_hDC = m_hAttribDC = nullptr;
    m_pImpl = nullptr;
    return h;
}

void CDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
void CDC::SetOutputDC(HDC hDC)
{
    m_hDC = hDC;
    m_pImpl = AfxDCOf(hDC);
}
void CDC::ReleaseAttribDC() { m_hAttribDC = nullptr; }
void CDC::ReleaseOutputDC()
{
    m_hDC = nullptr;
    m_pImpl = nullptr;
}

HDC CreateCompatibleDC(HDC hdc)
{
    AfxEnsureApplication();
    auto dc = std::make_unique<AfxDCImpl>();
    dc->kind = AfxDCImpl::Memory;
    if (AfxDCImpl* src = AfxDCOf(hdc)) {
        dc->hwnd = src->hwnd;
        dc->printing = false;
    }
    AfxInitDCState(dc.get());
    // A fresh memory context draws on a 1 x 1 monochrome bitmap.
    static HBITMAP s_default = [] {
        HBITMAP h = AfxNewBitmap(1, 1, true, qRgb(0, 0, 0));
        AfxBitmapOf(h)->stock = true;
        return h;
    }();
    dc->st.hBitmap = s_default;
    dc->st.bitmap = AfxBitmapOf(s_default);
    dc->target = dc->st.bitmap->target;
    return AfxNewDC(std::move(dc));
}

BOOL DeleteDC(HDC hdc)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d)
        return FALSE;
    AfxDeleteDC(hdc);
    return TRUE;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC ? pDC->GetSafeHdc() : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    HDC h = m_hDC;
    AfxDCImpl* d = AfxDCOf(h);
    Detach();
    if (!d)
        return FALSE;
    if (d->kind == AfxDCImpl::Window)
        return ::ReleaseDC(d->hwnd, h);
    return ::DeleteDC(h);
}

CWnd* CDC::GetWindow() const
{
    return m_pImpl ? CWnd::FromHandle(m_pImpl->hwnd) : nullptr;
}

int SaveDC(HDC hdc)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d)
        return 0;
    d->saved.push_back(d->st);
    return (int)d->saved.size();
}

BOOL RestoreDC(HDC hdc, int nSavedDC)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d || d->saved.empty())
        return FALSE;
    int n = (int)d->saved.size();
    int level = nSavedDC > 0 ? nSavedDC : n + 1 + nSavedDC;
    if (level < 1 || level > n)
        return FALSE;
    AfxDCState s = d->saved[(size_t)level - 1];
    d->saved.resize((size_t)level - 1);
    bool bitmapChanged = s.hBitmap != d->st.hBitmap;
    d->st = s;
    if (bitmapChanged && d->kind == AfxDCImpl::Memory && d->st.bitmap) {
        d->EndPainting();
        d->target = d->st.bitmap->target;
    }
    return TRUE;
}

int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }

int GetDeviceCaps(HDC hdc, int index)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d)
        return 0;
    if (d->target && d->kind == AfxDCImpl::Target)
        return d->target->DeviceCaps(index);
    static AfxImageTarget screen;
    int v = screen.DeviceCaps(index);
    if (d->kind == AfxDCImpl::Memory && d->st.bitmap && d->st.bitmap->mono && (index == BITSPIXEL))
        return 1;
    return v;
}

int CDC::GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC ? m_hAttribDC : m_hDC, nIndex); }

// ---- selection ---------------------------------------------------------------------------------------
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    auto obj = AfxGdiGet(h);
    if (!d || !obj)
        return nullptr;
    AfxDCState& s = d->st;
    switch (obj->kind) {
    case AfxGdiKind::Pen: {
        HGDIOBJ old = s.hPen;
        s.hPen = static_cast<HPEN>(h);
        s.pen = std::static_pointer_cast<AfxPenData>(obj);
        return old;
    }
    case AfxGdiKind::Brush: {
        HGDIOBJ old = s.hBrush;
        s.hBrush = static_cast<HBRUSH>(h);
        s.brush = std::static_pointer_cast<AfxBrushData>(obj);
        return old;
    }
    case AfxGdiKind::Font: {
        HGDIOBJ old = s.hFont;
        s.hFont = static_cast<HFONT>(h);
        s.font = std::static_pointer_cast<AfxFontData>(obj);
        return old;
    }
    case AfxGdiKind::Bitmap: {
        if (d->kind != AfxDCImpl::Memory)
            return nullptr;  // only memory contexts take bitmaps
        auto bmp = std::static_pointer_cast<AfxBitmapData>(obj);
        HGDIOBJ old = s.hBitmap;
        d->EndPainting();
        s.hBitmap = static_cast<HBITMAP>(h);
        s.bitmap = bmp;
        d->target = bmp->target;
        return old;
    }
    case AfxGdiKind::Region: {
        auto rgn = std::static_pointer_cast<AfxRegionData>(obj);
        s.clip = rgn->rgn.translated(d->deviceOffset);
        return reinterpret_cast<HGDIOBJ>((uintptr_t)(rgn->rgn.isEmpty() ? NULLREGION : rgn->rgn.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION));
    }
    case AfxGdiKind::Palette: {
        HGDIOBJ old = s.hPalette;
        s.hPalette = static_cast<HPALETTE>(h);
        return old;
    }
    }
    return nullptr;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d)
        return nullptr;
    switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return d->st.hPen;
    case OBJ_BRUSH: return d->st.hBrush;
    case OBJ_FONT: return d->st.hFont;
    case OBJ_BITMAP: return d->st.hBitmap;
    case OBJ_PAL: return d->st.hPalette;
    default: return nullptr;
    }
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return pPen ? static_cast<CPen*>(CGdiObject::FromHandle(::SelectObject(m_hDC, pPen->GetSafeHandle()))) : nullptr;
}
CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return pBrush ? static_cast<CBrush*>(CGdiObject::FromHandle(::SelectObject(m_hDC, pBrush->GetSafeHandle())))
                  : nullptr;
}
CFont* CDC::SelectObject(CFont* pFont)
{
    return pFont ? static_cast<CFont*>(CGdiObject::FromHandle(::SelectObject(m_hDC, pFont->GetSafeHandle())))
                 : nullptr;
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return pBitmap ? static_cast<CBitmap*>(CGdiObject::FromHandle(::SelectObject(m_hDC, pBitmap->GetSafeHandle())))
                   : nullptr;
}
int CDC::SelectObject(CRgn* pRgn)
{
    return SelectClipRgn(pRgn);
}
CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (!pObject)
        return nullptr;
    if (::GetObjectType(pObject->GetSafeHandle()) == OBJ_REGION) {
        SelectClipRgn(static_cast<CRgn*>(pObject));
        return nullptr;
    }
    return CGdiObject::FromHandle(::SelectObject(m_hDC, pObject->GetSafeHandle()));
}
HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ h = ::GetStockObject(nIndex);
    return h ? CGdiObject::FromHandle(::SelectObject(m_hDC, h)) : nullptr;
}
CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    (void)bForceBackground;
    return pPalette ? static_cast<CPalette*>(CGdiObject::FromHandle(::SelectObject(m_hDC, pPalette->GetSafeHandle())))
                    : nullptr;
}
CPen* CDC::GetCurrentPen() const { return static_cast<CPen*>(CGdiObject::FromHandle(GetCurrentObject(m_hDC, OBJ_PEN))); }
CBrush* CDC::GetCurrentBrush() const
{
    return static_cast<CBrush*>(CGdiObject::FromHandle(GetCurrentObject(m_hDC, OBJ_BRUSH)));
}
CFont* CDC::GetCurrentFont() const
{
    return static_cast<CFont*>(CGdiObject::FromHandle(GetCurrentObject(m_hDC, OBJ_FONT)));
}
CBitmap* CDC::GetCurrentBitmap() const
{
    return static_cast<CBitmap*>(CGdiObject::FromHandle(GetCurrentObject(m_hDC, OBJ_BITMAP)));
}
CPalette* CDC::GetCurrentPalette() const
{
    return static_cast<CPalette*>(CGdiObject::FromHandle(GetCurrentObject(m_hDC, OBJ_PAL)));
}

// ---- attributes ---------------------------------------------------------------------------------
#define PC_DC_OR(ret) \
    AfxDCImpl* d = AfxDCOf(hdc); \
    if (!d) \
        return ret;

COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    PC_DC_OR(CLR_INVALID)
    COLORREF old = d->st.bkColor;
    d->st.bkColor = AfxPlainColor(color);
    return old;
}
COLORREF GetBkColor(HDC hdc)
{
    PC_DC_OR(CLR_INVALID)
    return d->st.bkColor;
}
int SetBkMode(HDC hdc, int mode)
{
    PC_DC_OR(0)
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    int old = d->st.bkMode;
    d->st.bkMode = mode;
    return old;
}
int GetBkMode(HDC hdc)
{
    PC_DC_OR(0)
    return d->st.bkMode;
}
COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    PC_DC_OR(CLR_INVALID)
    COLORREF old = d->st.textColor;
    d->st.textColor = AfxPlainColor(color);
    return old;
}
COLORREF GetTextColor(HDC hdc)
{
    PC_DC_OR(CLR_INVALID)
    return d->st.textColor;
}
int SetROP2(HDC hdc, int rop2)
{
    PC_DC_OR(0)
    if (rop2 < R2_BLACK || rop2 > R2_WHITE)
        return 0;
    int old = d->st.rop2;
    d->st.rop2 = rop2;
    return old;
}
int GetROP2(HDC hdc)
{
    PC_DC_OR(0)
    return d->st.rop2;
}
UINT SetTextAlign(HDC hdc, UINT align)
{
    PC_DC_OR((UINT)GDI_ERROR)
    UINT old = d->st.textAlign;
    d->st.textAlign = align;
    return old;
}
UINT GetTextAlign(HDC hdc)
{
    PC_DC_OR((UINT)GDI_ERROR)
    return d->st.textAlign;
}
int SetStretchBltMode(HDC hdc, int mode)
{
    PC_DC_OR(0)
    int old = d->st.stretchMode;
    d->st.stretchMode = mode;
    return old;
}

COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC ? m_hAttribDC : m_hDC); }
COLORREF CDC::SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hDC); }
int CDC::SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hDC); }
COLORREF CDC::SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
int CDC::GetROP2() const { return ::GetROP2(m_hDC); }
int CDC::SetROP2(int nDrawMode) { return ::SetROP2(m_hDC, nDrawMode); }
int CDC::GetPolyFillMode() const { return m_pImpl ? m_pImpl->st.polyFillMode : 0; }
int CDC::SetPolyFillMode(int nPolyFillMode)
{
    AfxDCImpl* d = AfxDCOf(m_hDC);
    if (!d || (nPolyFillMode != ALTERNATE && nPolyFillMode != WINDING))
        return 0;
    int old = d->st.polyFillMode;
    d->st.polyFillMode = nPolyFillMode;
    return old;
}
int CDC::GetStretchBltMode() const { return m_pImpl ? m_pImpl->st.stretchMode : 0; }
int CDC::SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }
UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hDC); }
UINT CDC::SetTextAlign(UINT nFlags) { return ::SetTextAlign(m_hDC, nFlags); }
int CDC::GetTextCharacterExtra() const { return m_pImpl ? m_pImpl->st.charExtra : 0; }
int CDC::SetTextCharacterExtra(int nCharExtra)
{
    AfxDCImpl* d = AfxDCOf(m_hDC);
    if (!d)
        return 0;
    int old = d->st.charExtra;
    d->st.charExtra = nCharExtra;
    return old;
}
COLORREF CDC::GetNearestColor(COLORREF crColor) const { return AfxPlainColor(crColor); }
CPoint CDC::GetBrushOrg() const { return m_pImpl ? m_pImpl->st.brushOrg : CPoint(0, 0); }
CPoint CDC::SetBrushOrg(int x, int y)
{
    AfxDCImpl* d = AfxDCOf(m_hDC);
    if (!d)
        return CPoint(0, 0);
    CPoint old = d->st.brushOrg;
    d->st.brushOrg = CPoint(x, y);
    return old;
}
BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    PC_DC_OR(FALSE)
    if (lppt)
        *lppt = d->st.brushOrg;
    d->st.brushOrg = CPoint(x, y);
    return TRUE;
}

// ---- mapping ----------------------------------------------------------------------------------------
namespace {

void FixIsotropic(AfxDCImpl* d)
{
    if (d->st.mapMode != MM_ISOTROPIC)
        return;
    CSize& we = d->st.windowExt;
    CSize& ve = d->st.viewportExt;
    if (!we.cx || !we.cy || !ve.cx || !ve.cy)
        return;
    double sx = std::fabs((double)ve.cx / we.cx), sy = std::fabs((double)ve.cy / we.cy);
    if (sx > sy) {
        int v = (int)std::lround(sy * std::abs(we.cx));
        ve.cx = ve.cx < 0 ? -v : v;
    } else if (sy > sx) {
        int v = (int)std::lround(sx * std::abs(we.cy));
        ve.cy = ve.cy < 0 ? -v : v;
    }
}

void SetStandardExtents(AfxDCImpl* d)
{
    int dpiX = 96, dpiY = 96;
    if (d->kind == AfxDCImpl::Target && d->target) {
        dpiX = d->target->DeviceCaps(LOGPIXELSX);
        dpiY = d->target->DeviceCaps(LOGPIXELSY);
    }
    int unitsPerInch = 0;
    switch (d->st.mapMode) {
    case MM_LOMETRIC: unitsPerInch = 254; break;
    case MM_HIMETRIC: unitsPerInch = 2540; break;
    case MM_LOENGLISH: unitsPerInch = 100; break;
    case MM_HIENGLISH: unitsPerInch = 1000; break;
    case MM_TWIPS: unitsPerInch = 1440; break;
    default: return;
    }
    d->st.windowExt = CSize(unitsPerInch, unitsPerInch);
    d->st.viewportExt = CSize(dpiX, -dpiY);
}

}  // namespace

int SetMapMode(HDC hdc, int iMode)
{
    PC_DC_OR(0)
    if (iMode < MM_TEXT || iMode > MM_ANISOTROPIC)
        return 0;
    int old = d->st.mapMode;
    d->st.mapMode = iMode;
    if (iMode == MM_TEXT) {
        d->st.windowExt = CSize(1, 1);
        d->st.viewportExt = CSize(1, 1);
    } else if (iMode != MM_ISOTROPIC && iMode != MM_ANISOTROPIC) {
        SetStandardExtents(d);
    } else if (old == MM_TEXT) {
        d->st.windowExt = CSize(1, 1);
        d->st.viewportExt = CSize(1, 1);
    }
    FixIsotropic(d);
    return old;
}
int GetMapMode(HDC hdc)
{
    PC_DC_OR(0)
    return d->st.mapMode;
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    PC_DC_OR(FALSE)
    if (lppt)
        *lppt = d->st.viewportOrg;
    d->st.viewportOrg = CPoint(x, y);
    return TRUE;
}
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    PC_DC_OR(FALSE)
    if (lppt)
        *lppt = d->st.windowOrg;
    d->st.windowOrg = CPoint(x, y);
    return TRUE;
}
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    PC_DC_OR(FALSE)
    if (lppt)
        *lppt = d->st.viewportOrg;
    d->st.viewportOrg.Offset(x, y);
    return TRUE;
}
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    PC_DC_OR(FALSE)
    if (lppt)
        *lppt = d->st.windowOrg;
    d->st.windowOrg.Offset(x, y);
    return TRUE;
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppoint)
{
    PC_DC_OR(FALSE)
    if (lppoint)
        *lppoint = d->st.viewportOrg;
    return TRUE;
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppoint)
{
    PC_DC_OR(FALSE)
    if (lppoint)
        *lppoint = d->st.windowOrg;
    return TRUE;
}
BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    PC_DC_OR(FALSE)
    if (lpsz)
        *lpsz = d->st.viewportExt;
    if (d->st.mapMode != MM_ISOTROPIC && d->st.mapMode != MM_ANISOTROPIC)
        return TRUE;  // fixed by the mapping mode
    if (x == 0 || y == 0)
        return FALSE;
    d->st.viewportExt = CSize(x, y);
    FixIsotropic(d);
    return TRUE;
}
BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz)
{
    PC_DC_OR(FALSE)
    if (lpsz)
        *lpsz = d->st.windowExt;
    if (d->st.mapMode != MM_ISOTROPIC && d->st.mapMode != MM_ANISOTROPIC)
        return TRUE;
    if (x == 0 || y == 0)
        return FALSE;
    d->st.windowExt = CSize(x, y);
    FixIsotropic(d);
    return TRUE;
}
BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c)
{
    PC_DC_OR(FALSE)
    for (int i = 0; lppt && i < c; ++i) {
        QPoint p = d->ToDevice(lppt[i]) - d->deviceOffset;
        lppt[i].x = p.x();
        lppt[i].y = p.y();
    }
    return TRUE;
}
BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c)
{
    PC_DC_OR(FALSE)
    for (int i = 0; lppt && i < c; ++i) {
        QPoint p = d->ToLogical(lppt[i].x + d->deviceOffset.x(), lppt[i].y + d->deviceOffset.y());
        lppt[i].x = p.x();
        lppt[i].y = p.y();
    }
    return TRUE;
}

int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC ? m_hAttribDC : m_hDC); }
int CDC::SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
CPoint CDC::GetViewportOrg() const { return m_pImpl ? m_pImpl->st.viewportOrg : CPoint(); }
CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old{0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}
CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT old{0, 0};
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
    return old;
}
CSize CDC::GetViewportExt() const { return m_pImpl ? m_pImpl->st.viewportExt : CSize(); }
CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE old{0, 0};
    ::SetViewportExtEx(m_hDC, cx, cy, &old);
    return old;
}
CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    CSize e = GetViewportExt();
    if (xDenom && yDenom)
        SetViewportExt(MulDiv(e.cx, xNum, xDenom), MulDiv(e.cy, yNum, yDenom));
    return e;
}
CPoint CDC::GetWindowOrg() const { return m_pImpl ? m_pImpl->st.windowOrg : CPoint(); }
CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old{0, 0};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}
CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT old{0, 0};
    ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &old);
    return old;
}
CSize CDC::GetWindowExt() const { return m_pImpl ? m_pImpl->st.windowExt : CSize(); }
CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE old{0, 0};
    ::SetWindowExtEx(m_hDC, cx, cy, &old);
    return old;
}
CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    CSize e = GetWindowExt();
    if (xDenom && yDenom)
        SetWindowExt(MulDiv(e.cx, xNum, xDenom), MulDiv(e.cy, yNum, yDenom));
    return e;
}
void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hAttribDC ? m_hAttribDC : m_hDC, lpPoints, nCount); }
void CDC::DPtoLP(LPRECT lpRect) const { DPtoLP(reinterpret_cast<LPPOINT>(lpRect), 2); }
void CDC::DPtoLP(LPSIZE lpSize) const
{
    if (!lpSize || !m_pImpl)
        return;
    lpSize->cx = std::abs(m_pImpl->UnscaleX(lpSize->cx));
    lpSize->cy = std::abs(m_pImpl->UnscaleY(lpSize->cy));
}
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hAttribDC ? m_hAttribDC : m_hDC, lpPoints, nCount); }
void CDC::LPtoDP(LPRECT lpRect) const { LPtoDP(reinterpret_cast<LPPOINT>(lpRect), 2); }
void CDC::LPtoDP(LPSIZE lpSize) const
{
    if (!lpSize || !m_pImpl)
        return;
    lpSize->cx = std::abs(m_pImpl->ScaleX(lpSize->cx));
    lpSize->cy = std::abs(m_pImpl->ScaleY(lpSize->cy));
}
void CDC::DPtoHIMETRIC(LPSIZE lpSize) const
{
    if (!lpSize)
        return;
    int dx = GetDeviceCaps(LOGPIXELSX), dy = GetDeviceCaps(LOGPIXELSY);
    lpSize->cx = MulDiv(lpSize->cx, 2540, dx ? dx : 96);
    lpSize->cy = MulDiv(lpSize->cy, 2540, dy ? dy : 96);
}
void CDC::HIMETRICtoDP(LPSIZE lpSize) const
{
    if (!lpSize)
        return;
    int dx = GetDeviceCaps(LOGPIXELSX), dy = GetDeviceCaps(LOGPIXELSY);
    lpSize->cx = MulDiv(lpSize->cx, dx ? dx : 96, 2540);
    lpSize->cy = MulDiv(lpSize->cy, dy ? dy : 96, 2540);
}
void CDC::LPtoHIMETRIC(LPSIZE lpSize) const
{
    LPtoDP(lpSize);
    DPtoHIMETRIC(lpSize);
}
void CDC::HIMETRICtoLP(LPSIZE lpSize) const
{
    HIMETRICtoDP(lpSize);
    DPtoLP(lpSize);
}

// ---- clipping -----------------------------------------------------------------------------------
namespace {
int KindOf(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
}  // namespace

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode)
{
    PC_DC_OR(ERROR)
    if (!hrgn) {
        if (mode != RGN_COPY)
            return ERROR;
        d->st.clip.reset();
        return KindOf(d->EffectiveClip());
    }
    auto r = AfxRegionOf(hrgn);
    if (!r)
        return ERROR;
    QRegion rg = r->rgn.translated(d->deviceOffset);
    QRegion cur = d->st.clip ? *d->st.clip : QRegion(QRect(QPoint(0, 0), d->TargetSize()));
    switch (mode) {
    case RGN_COPY: d->st.clip = rg; break;
    case RGN_AND: d->st.clip = cur & rg; break;
    case RGN_OR: d->st.clip = cur | rg; break;
    case RGN_XOR: d->st.clip = cur ^ rg; break;
    case RGN_DIFF: d->st.clip = cur - rg; break;
    default: return ERROR;
    }
    return KindOf(d->EffectiveClip());
}

int SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int GetClipBox(HDC hdc, LPRECT lprect)
{
    PC_DC_OR(ERROR)
    if (!lprect)
        return ERROR;
    QRegion clip = d->EffectiveClip();
    if (clip.isEmpty()) {
        ::SetRectEmpty(lprect);
        return NULLREGION;
    }
    QRect b = clip.boundingRect();
    QPoint a = d->ToLogical(b.left(), b.top());
    QPoint c = d->ToLogical(b.right() + 1, b.bottom() + 1);
    ::SetRect(lprect, std::min(a.x(), c.x()), std::min(a.y(), c.y()), std::max(a.x(), c.x()), std::max(a.y(), c.y()));
    return KindOf(clip);
}

int GetClipRgn(HDC hdc, HRGN hrgn)
{
    PC_DC_OR(-1)
    auto r = AfxRegionOf(hrgn);
    if (!r)
        return -1;
    if (!d->st.clip)
        return 0;
    r->rgn = d->st.clip->translated(-d->deviceOffset);
    return 1;
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    PC_DC_OR(ERROR)
    RECT rc{left, top, right, bottom};
    QRect dev = d->ToDevice(rc);
    QRegion cur = d->st.clip ? *d->st.clip : QRegion(QRect(QPoint(0, 0), d->TargetSize()));
    d->st.clip = cur & QRegion(dev);
    return KindOf(d->EffectiveClip());
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    PC_DC_OR(ERROR)
    RECT rc{left, top, right, bottom};
    QRect dev = d->ToDevice(rc);
    QRegion cur = d->st.clip ? *d->st.clip : QRegion(QRect(QPoint(0, 0), d->TargetSize()));
    d->st.clip = cur - QRegion(dev);
    return KindOf(d->EffectiveClip());
}

int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
BOOL CDC::PtVisible(int x, int y) const
{
    if (!m_pImpl)
        return FALSE;
    return m_pImpl->EffectiveClip().contains(m_pImpl->ToDevice(x, y));
}
BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    if (!m_pImpl || !lpRect)
        return FALSE;
    QRect dev = m_pImpl->ToDevice(*lpRect);
    return !dev.isEmpty() && m_pImpl->EffectiveClip().intersects(dev);
}
int CDC::SelectClipRgn(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(pRgn->GetSafeHandle()) : nullptr); }
int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    return ::ExtSelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(pRgn->GetSafeHandle()) : nullptr, nMode);
}
int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) { return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2); }
int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return lpRect ? ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : ERROR;
}
int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
    AfxDCImpl* d = AfxDCOf(m_hDC);
    AfxWindow* w = pWnd ? AfxWindowOf(pWnd->GetSafeHwnd()) : nullptr;
    if (!d || !w)
        return ERROR;
    QRegion cur = d->st.clip ? *d->st.clip : QRegion(QRect(QPoint(0, 0), d->TargetSize()));
    d->st.clip = cur - w->invalid.translated(d->deviceOffset);
    return KindOf(d->EffectiveClip());
}
int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return lpRect ? IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : ERROR;
}
int CDC::OffsetClipRgn(int x, int y)
{
    AfxDCImpl* d = AfxDCOf(m_hDC);
    if (!d)
        return ERROR;
    if (d->st.clip)
        d->st.clip->translate(d->ScaleX(x), d->ScaleY(y));
    return KindOf(d->EffectiveClip());
}

// ---- printing (forwarded to the device) ---------------------------------------------------------
int CDC::StartDoc(LPDOCINFO lpDocInfo)
{
    return m_pImpl && m_pImpl->target ? m_pImpl->target->StartDoc(lpDocInfo) : SP_ERROR;
}
int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO di{};
    di.cbSize = sizeof(di);
    di.lpszDocName = lpszDocName;
    return StartDoc(&di);
}
int CDC::StartPage() { return m_pImpl && m_pImpl->target ? m_pImpl->target->StartPage() : SP_ERROR; }
int CDC::EndPage() { return m_pImpl && m_pImpl->target ? m_pImpl->target->EndPage() : SP_ERROR; }
int CDC::EndDoc() { return m_pImpl && m_pImpl->target ? m_pImpl->target->EndDoc() : SP_ERROR; }
int CDC::AbortDoc() { return m_pImpl && m_pImpl->target ? m_pImpl->target->AbortDoc() : SP_ERROR; }
int CDC::SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int))
{
    (void)lpfn;
    return m_pImpl && m_pImpl->printing ? 1 : SP_ERROR;
}
int CDC::Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData)
{
    (void)nEscape;
    (void)nCount;
    (void)lpszInData;
    (void)lpOutData;
    return 0;
}

int AfxDCImpl::PixelRatio() const
{
    if (!target)
        return 1;
    if (QImage* img = target->Image())
        return AfxPixelRatio(img);
    const QPaintDevice* dev = target->Device();
    const qreal r = dev ? dev->devicePixelRatio() : 1.0;
    return r > 1.0 ? static_cast<int>(std::lround(r)) : 1;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    // Sizes the platform could not hold are refused rather than allocated.
    if (cx <= 0 || cy <= 0 || cx > 32767 || cy > 32767 || (long long)cx * cy > 64LL * 1024 * 1024)
        return nullptr;
    AfxDCImpl* d = AfxDCOf(hdc);
    bool mono = d && d->kind == AfxDCImpl::Memory && d->st.bitmap && d->st.bitmap->mono;
    // Compatible with a scaled window's picture (or a bitmap made for one): as many pixels
    // per logical pixel as it has.
    const int ratio = d ? d->PixelRatio() : 1;
    return AfxNewBitmap(cx, cy, mono, 0xFF000000u, ratio);
}
