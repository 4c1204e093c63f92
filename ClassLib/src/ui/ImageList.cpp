// Image lists.
#include "DCInternal.h"
#include "Raster.h"

#include <ClassLib/Gdi/ImageList.h>
#include <ClassLib/Wnd/System.h>

#include <map>
#include <mutex>
#include <unordered_map>

HICON AfxNewIconFromImage(const QImage& argb);  // Cursor.cpp

namespace {

struct ListData
{
    int cx = 16;
    int cy = 16;
    UINT flags = 0;
    int grow = 4;
    std::vector<QImage> images;  // ARGB, cx x cy
    COLORREF bk = CLR_NONE;
    std::map<int, int> overlays;  // overlay number -> image
    HBITMAP strip = nullptr;      // the images side by side, made for GetImageInfo
    HBITMAP stripMask = nullptr;
    bool stripValid = false;
};

struct ListTable
{
    std::mutex lock;
    std::unordered_map<uintptr_t, std::shared_ptr<ListData>> lists;
    std::unordered_map<uintptr_t, CImageList*> permanent;
    std::unordered_map<uintptr_t, std::unique_ptr<CImageList>> temporary;
    uintptr_t next = 0x60000;
};

ListTable& Lists()
{
    static ListTable* t = new ListTable;
    return *t;
}

std::shared_ptr<ListData> ListOf(HIMAGELIST h)
{
    ListTable& t = Lists();
    std::lock_guard<std::mutex> g(t.lock);
    auto it = t.lists.find(reinterpret_cast<uintptr_t>(h));
    return it == t.lists.end() ? nullptr : it->second;
}

HIMAGELIST NewList(int cx, int cy, UINT flags, int grow)
{
    auto d = std::make_shared<ListData>();
    d->cx = cx;
    d->cy = cy;
    d->flags = flags;
    d->grow = grow;
    ListTable& t = Lists();
    std::lock_guard<std::mutex> g(t.lock);
    uintptr_t k = t.next;
    t.next += 4;
    t.lists[k] = d;
    return reinterpret_cast<HIMAGELIST>(k);
}

// Cuts a picture into images of the list's size; a mask colour or mask image makes pixels
// transparent.
int AddPicture(ListData& d, const QImage& pic, const QImage* mask, COLORREF crMask)
{
    if (pic.isNull() || d.cx <= 0 || d.cy <= 0)
        return -1;
    int count = std::max(1, pic.width() / d.cx);
    int first = (int)d.images.size();
    bool useMask = (d.flags & ILC_MASK) != 0;
    for (int i = 0; i < count; ++i) {
        QImage img(d.cx, d.cy, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        for (int y = 0; y < d.cy && y < pic.height(); ++y)
            for (int x = 0; x < d.cx && i * d.cx + x < pic.width(); ++x) {
                QRgb v = pic.pixel(i * d.cx + x, y) | 0xFF000000u;
                bool transparent = false;
                if (useMask) {
                    if (mask && !mask->isNull())
                        transparent = qRed(mask->pixel(std::min(i * d.cx + x, mask->width() - 1),
                                                       std::min(y, mask->height() - 1))) > 127;
                    else if (crMask != CLR_NONE)
                        transparent = (v & 0xFFFFFFu) == (AfxRgb(crMask) & 0xFFFFFFu);
                }
                img.setPixel(x, y, transparent ? 0u : v);
            }
        d.images.push_back(img);
    }
    d.stripValid = false;
    return first;
}

void MakeStrip(ListData& d)
{
    if (d.stripValid)
        return;
    if (d.strip)
        DeleteObject(d.strip);
    if (d.stripMask)
        DeleteObject(d.stripMask);
    int n = std::max((int)d.images.size(), 1);
    QImage color(d.cx * n, d.cy, QImage::Format_RGB32), mask(d.cx * n, d.cy, QImage::Format_RGB32);
    color.fill(0xFF000000u);
    mask.fill(0xFFFFFFFFu);
    for (size_t i = 0; i < d.images.size(); ++i)
        for (int y = 0; y < d.cy; ++y)
            for (int x = 0; x < d.cx; ++x) {
                QRgb v = d.images[i].pixel(x, y);
                if (qAlpha(v) >= 128) {
                    color.setPixel((int)i * d.cx + x, y, v | 0xFF000000u);
                    mask.setPixel((int)i * d.cx + x, y, 0xFF000000u);
                }
            }
    d.strip = AfxBitmapFromImage(color);
    d.stripMask = AfxBitmapFromImage(mask);
    d.stripValid = true;
}

QImage Blend(const QImage& img, int percent)
{
    QImage out = img;
    QRgb hi = AfxRgb(GetSysColor(COLOR_HIGHLIGHT));
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            QRgb v = out.pixel(x, y);
            if (qAlpha(v) < 128)
                continue;
            int r = (qRed(v) * (100 - percent) + qRed(hi) * percent) / 100;
            int g = (qGreen(v) * (100 - percent) + qGreen(hi) * percent) / 100;
            int b = (qBlue(v) * (100 - percent) + qBlue(hi) * percent) / 100;
            out.setPixel(x, y, qRgba(r, g, b, 255));
        }
    return out;
}

}  // namespace

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::CImageList() : m_hImageList(nullptr) {}

CImageList::~CImageList() { DeleteImageList(); }

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (!ListOf(hImageList))
        return nullptr;
    ListTable& t = Lists();
    std::lock_guard<std::mutex> g(t.lock);
    uintptr_t k = reinterpret_cast<uintptr_t>(hImageList);
    auto p = t.permanent.find(k);
    if (p != t.permanent.end())
        return p->second;
    auto& temp = t.temporary[k];
    if (!temp) {
        temp.reset(new CImageList);
        temp->m_hImageList = hImageList;
    }
    return temp.get();
}

CImageList* CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    ListTable& t = Lists();
    std::lock_guard<std::mutex> g(t.lock);
    auto p = t.permanent.find(reinterpret_cast<uintptr_t>(hImageList));
    return p == t.permanent.end() ? nullptr : p->second;
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (!ListOf(hImageList) || m_hImageList)
        return FALSE;
    m_hImageList = hImageList;
    ListTable& t = Lists();
    std::lock_guard<std::mutex> g(t.lock);
    t.permanent[reinterpret_cast<uintptr_t>(hImageList)] = this;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    if (h) {
        ListTable& t = Lists();
        std::lock_guard<std::mutex> g(t.lock);
        auto p = t.permanent.find(reinterpret_cast<uintptr_t>(h));
        if (p != t.permanent.end() && p->second == this)
            t.permanent.erase(p);
    }
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    HIMAGELIST h = Detach();
    std::shared_ptr<ListData> d;
    std::unique_ptr<CImageList> temp;
    {
        ListTable& t = Lists();
        std::lock_guard<std::mutex> g(t.lock);
        uintptr_t k = reinterpret_cast<uintptr_t>(h);
        auto it = t.lists.find(k);
        if (it != t.lists.end()) {
            d = it->second;
            t.lists.erase(it);
        }
        auto tt = t.temporary.find(k);
        if (tt != t.temporary.end()) {
            temp = std::move(tt->second);
            t.temporary.erase(tt);
        }
    }
    if (temp)
        temp->m_hImageList = nullptr;
    if (d) {
        if (d->strip)
            DeleteObject(d->strip);
        if (d->stripMask)
            DeleteObject(d->stripMask);
    }
    return TRUE;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    (void)nInitial;
    if (cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096)
        return FALSE;
    return Attach(NewList(cx, cy, nFlags, nGrow));
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    HINSTANCE h = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    WORD bpp = 24;
    bool mono = false;
    QImage pic = AfxLoadBitmapImage(h, lpszBitmapID, &bpp, &mono);
    if (pic.isNull() || cx <= 0)
        return FALSE;
    if (!Create(cx, pic.height(), crMask != CLR_NONE ? (ILC_MASK | ILC_COLOR24) : ILC_COLOR24, 0, nGrow))
        return FALSE;
    AddPicture(*ListOf(m_hImageList), pic, nullptr, crMask);
    return TRUE;
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

int CImageList::GetImageCount() const
{
    auto d = ListOf(m_hImageList);
    return d ? (int)d->images.size() : 0;
}

BOOL CImageList::SetImageCount(UINT uNewCount)
{
    auto d = ListOf(m_hImageList);
    if (!d)
        return FALSE;
    QImage blank(d->cx, d->cy, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    d->images.resize(uNewCount, blank);
    d->stripValid = false;
    return TRUE;
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    auto d = ListOf(m_hImageList);
    if (!d)
        return CLR_NONE;
    COLORREF old = d->bk;
    d->bk = cr;
    return old;
}

COLORREF CImageList::GetBkColor() const
{
    auto d = ListOf(m_hImageList);
    return d ? d->bk : CLR_NONE;
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    auto d = ListOf(m_hImageList);
    if (!d || !pImageInfo || nImage < 0 || nImage >= (int)d->images.size())
        return FALSE;
    MakeStrip(*d);
    pImageInfo->hbmImage = d->strip;
    pImageInfo->hbmMask = (d->flags & ILC_MASK) ? d->stripMask : nullptr;
    pImageInfo->Unused1 = pImageInfo->Unused2 = 0;
    ::SetRect(&pImageInfo->rcImage, nImage * d->cx, 0, nImage * d->cx + d->cx, d->cy);
    return TRUE;
}

BOOL CImageList::GetIconSize(int* cx, int* cy) const { return ImageList_GetIconSize(m_hImageList, cx, cy); }

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    auto d = ListOf(m_hImageList);
    if (!d || !pbmImage)
        return -1;
    QImage pic = AfxImageOfBitmap(static_cast<HBITMAP>(pbmImage->GetSafeHandle()));
    QImage mask = pbmMask ? AfxImageOfBitmap(static_cast<HBITMAP>(pbmMask->GetSafeHandle())) : QImage();
    return AddPicture(*d, pic, pbmMask ? &mask : nullptr, CLR_NONE);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    auto d = ListOf(m_hImageList);
    if (!d || !pbmImage)
        return -1;
    QImage pic = AfxImageOfBitmap(static_cast<HBITMAP>(pbmImage->GetSafeHandle()));
    UINT saved = d->flags;
    d->flags |= ILC_MASK;  // adding with a mask colour makes the list masked, as on the platform
    int r = AddPicture(*d, pic, nullptr, crMask);
    if (crMask == CLR_NONE)
        d->flags = saved;
    return r;
}

int CImageList::Add(HICON hIcon)
{
    auto d = ListOf(m_hImageList);
    QImage img = AfxImageOfIcon(hIcon);
    if (!d || img.isNull())
        return -1;
    d->images.push_back(img.scaled(d->cx, d->cy, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    d->stripValid = false;
    return (int)d->images.size() - 1;
}

BOOL CImageList::Remove(int nImage)
{
    auto d = ListOf(m_hImageList);
    if (!d)
        return FALSE;
    if (nImage == -1) {
        d->images.clear();
    } else {
        if (nImage < 0 || nImage >= (int)d->images.size())
            return FALSE;
        d->images.erase(d->images.begin() + nImage);
    }
    d->stripValid = false;
    return TRUE;
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    auto d = ListOf(m_hImageList);
    if (!d || !pbmImage || nImage < 0 || nImage >= (int)d->images.size())
        return FALSE;
    ListData tmp = *d;
    tmp.images.clear();
    QImage pic = AfxImageOfBitmap(static_cast<HBITMAP>(pbmImage->GetSafeHandle()));
    QImage mask = pbmMask ? AfxImageOfBitmap(static_cast<HBITMAP>(pbmMask->GetSafeHandle())) : QImage();
    if (AddPicture(tmp, pic, pbmMask ? &mask : nullptr, CLR_NONE) < 0)
        return FALSE;
    d->images[(size_t)nImage] = tmp.images.front();
    d->stripValid = false;
    return TRUE;
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    if (nImage == -1)
        return Add(hIcon);
    auto d = ListOf(m_hImageList);
    QImage img = AfxImageOfIcon(hIcon);
    if (!d || img.isNull() || nImage < 0 || nImage >= (int)d->images.size())
        return -1;
    d->images[(size_t)nImage] = img.scaled(d->cx, d->cy, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    d->stripValid = false;
    return nImage;
}

HICON CImageList::ExtractIcon(int nImage)
{
    auto d = ListOf(m_hImageList);
    if (!d || nImage < 0 || nImage >= (int)d->images.size())
        return nullptr;
    return AfxNewIconFromImage(d->images[(size_t)nImage]);
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay)
{
    auto d = ListOf(m_hImageList);
    if (!d || nOverlay < 1 || nOverlay > 15 || nImage < 0 || nImage >= (int)d->images.size())
        return FALSE;
    d->overlays[nOverlay] = nImage;
    return TRUE;
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle)
{
    (void)clrFg;
    auto d = ListOf(m_hImageList);
    AfxDCImpl* dc = pDC ? AfxDCOf(pDC->GetSafeHdc()) : nullptr;
    if (!d || !dc || nImage < 0 || nImage >= (int)d->images.size())
        return FALSE;
    afx_raster::RecordGuard g;
    int w = sz.cx > 0 ? sz.cx : d->cx, h = sz.cy > 0 ? sz.cy : d->cy;
    if (afx_raster::ShouldRecord(g)) {
        AfxDrawOp op = afx_raster::MakeOp(dc, AfxDrawKind::Image, "ImageList_Draw");
        op.rect = CRect(pt.x, pt.y, pt.x + w, pt.y + h);
        op.image = nImage;
        op.imageList = m_hImageList;
        op.flags = nStyle;
        afx_raster::Record(dc, op);
    }
    QImage img = d->images[(size_t)nImage].copy(0, 0, w, h);
    if (nStyle & ILD_MASK) {
        QImage m(img.size(), QImage::Format_ARGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                m.setPixel(x, y, qAlpha(img.pixel(x, y)) >= 128 ? 0xFF000000u : 0xFFFFFFFFu);
        img = m;
    } else {
        if (nStyle & ILD_BLEND50)
            img = Blend(img, 50);
        else if (nStyle & ILD_BLEND25)
            img = Blend(img, 25);
        COLORREF bk = clrBk == CLR_DEFAULT ? d->bk : clrBk;
        if (!(nStyle & ILD_TRANSPARENT) && bk != CLR_NONE) {
            QImage filled(img.size(), QImage::Format_ARGB32);
            filled.fill(AfxRgb(bk) | 0xFF000000u);
            QPainter p(&filled);
            p.drawImage(0, 0, img);
            img = filled;
        }
        int overlay = (int)((nStyle & ILD_OVERLAYMASK) >> 8);
        auto ov = d->overlays.find(overlay);
        if (overlay && ov != d->overlays.end() && ov->second < (int)d->images.size()) {
            QPainter p(&img);
            p.drawImage(0, 0, d->images[(size_t)ov->second]);
        }
    }
    AfxDrawImageDevice(dc, img, dc->ToDevice(pt));
    return TRUE;
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return DrawEx(pDC, nImage, pt, CSize(0, 0), CLR_DEFAULT, CLR_DEFAULT, nStyle);
}

int ImageList_GetImageCount(HIMAGELIST himl)
{
    auto d = ListOf(himl);
    return d ? (int)d->images.size() : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy)
{
    auto d = ListOf(himl);
    if (!d)
        return FALSE;
    if (cx)
        *cx = d->cx;
    if (cy)
        *cy = d->cy;
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle)
{
    CImageList* p = CImageList::FromHandle(himl);
    return p && p->Draw(CDC::FromHandle(hdcDst), i, POINT{x, y}, fStyle);
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo)
{
    CImageList* p = CImageList::FromHandle(himl);
    return p && p->GetImageInfo(i, pImageInfo);
}
