// Bitmap, icon and cursor pictures of the modules' resource tables.
#include "GdiInternal.h"
#include "PixelRatio.h"

#include <ClassLib/Gdi/ResourceImages.h>
#include <ClassLib/Gdi/LoadImage.h>

#include <cstring>

void AfxRegisterBitmap(HINSTANCE hModule, UINT nID, const AFX_BITMAP_RESOURCE* pBitmap)
{
    AfxRegisterResource(hModule, RT_BITMAP, nID, pBitmap);
}

void AfxRegisterClip(HINSTANCE hModule, UINT nID, const AFX_CLIP_RESOURCE* pClip)
{
    AfxRegisterResource(hModule, RT_AFX_CLIP, nID, pClip);
}

void AfxRegisterIcon(HINSTANCE hModule, UINT nID, const AFX_BITMAP_RESOURCE* pIcon)
{
    AfxRegisterResource(hModule, RT_ICON, nID, pIcon);
    // Frames and the application look an icon's module up by its group, as the platform does.
    AfxRegisterResource(hModule, RT_GROUP_ICON, nID, pIcon);
}

void AfxRegisterCursor(HINSTANCE hModule, UINT nID, const AFX_CURSOR_RESOURCE* pCursor)
{
    AfxRegisterResource(hModule, RT_CURSOR, nID, pCursor);
}

// A picture as an ARGB image: CLR_NONE palette entries transparent, unknown characters
// transparent too.
QImage AfxPictureImage(const AFX_BITMAP_RESOURCE* res)
{
    if (!res)
        return QImage();
    if (!res->pRows) {
        QImage img;
        if (res->pPng && res->nPngSize)
            img.loadFromData(res->pPng, (int)res->nPngSize, "PNG");
        return img.convertToFormat(QImage::Format_ARGB32);
    }
    if (res->nWidth <= 0 || res->nHeight <= 0 || res->nWidth > 4096 || res->nHeight > 4096)
        return QImage();
    QImage img(res->nWidth, res->nHeight, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < res->nHeight; ++y) {
        const char* row = res->pRows[y];
        if (!row)
            continue;
        size_t len = std::strlen(row);
        for (int x = 0; x < res->nWidth && (size_t)x < len; ++x) {
            for (int k = 0; k < res->nPaletteSize; ++k)
                if (res->pPalette[k].ch == row[x]) {
                    COLORREF c = res->pPalette[k].color;
                    if (c != CLR_NONE)
                        img.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
                    break;
                }
        }
    }
    return img;
}

QImage AfxLoadBitmapImage(HINSTANCE hInst, LPCTSTR lpszName, WORD* pBitsPixel, bool* pMono)
{
    const AFX_BITMAP_RESOURCE* res =
        static_cast<const AFX_BITMAP_RESOURCE*>(hInst ? AfxFindResourceIn(hInst, lpszName, RT_BITMAP) : nullptr);
    if (!res)
        return QImage();
    QImage argb = AfxPictureImage(res);
    if (argb.isNull())
        return QImage();
    // A bitmap has no transparency: transparent pixels read as white.
    QImage img(argb.size(), QImage::Format_RGB32);
    img.fill(0xFFFFFFFFu);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            QRgb v = argb.pixel(x, y);
            if (qAlpha(v) >= 128)
                img.setPixel(x, y, v | 0xFF000000u);
        }
    if (pBitsPixel)
        *pBitsPixel = res->wBitsPixel ? res->wBitsPixel : 24;
    if (pMono)
        *pMono = res->wBitsPixel == 1;
    return img;
}

HBITMAP LoadBitmap(HINSTANCE hInstance, LPCTSTR lpBitmapName)
{
    if (hInstance == nullptr && IS_INTRESOURCE(lpBitmapName))
        return AfxLoadOEMBitmap(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpBitmapName)));  // OBM_*
    WORD bpp = 24;
    bool mono = false;
    QImage img = AfxLoadBitmapImage(hInstance, lpBitmapName, &bpp, &mono);
    if (img.isNull())
        return nullptr;
    HBITMAP h = AfxNewBitmap(img.width(), img.height(), mono, 0xFF000000u);
    auto b = AfxBitmapOf(h);
    b->image() = img;
    b->bitsPixel = bpp;
    return h;
}

QImage AfxImageOfBitmap(HBITMAP hBitmap)
{
    auto b = AfxBitmapOf(hBitmap);
    if (!b)
        return QImage();
    b->target->EndPainting();
    return AfxLogicalImage(b->image()).copy();
}

HBITMAP AfxBitmapFromImage(const QImage& image)
{
    if (image.isNull())
        return nullptr;
    HBITMAP h = AfxNewBitmap(image.width(), image.height(), false, 0xFF000000u);
    AfxBitmapOf(h)->image() = image.convertToFormat(QImage::Format_RGB32);
    return h;
}

