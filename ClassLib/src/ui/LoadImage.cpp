// LoadImage and the system's small bitmaps.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Gdi/LoadImage.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPolygon>

#include <cstring>

HICON AfxNewIconFromImage(const QImage& argb);  // Cursor.cpp

namespace {

QImage ReadPicture(LPCTSTR lpszPath, int cx, int cy)
{
    if (lpszPath == nullptr || IS_INTRESOURCE(lpszPath) || *lpszPath == '\0')
        return QImage();
    QString path = QString::fromStdString(Utf8FromCp936(lpszPath, std::strlen(lpszPath)));
    QImageReader reader(path);
    if (cx > 0 && cy > 0 && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(QSize(cx, cy));
    QImage image = reader.read();
    if (image.isNull())
        return QImage();
    if (cx > 0 && cy > 0 && image.size() != QSize(cx, cy))
        image = image.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

// A downward (or other) arrow of rows 1, 3, 5, 7 pixels wide, centred, on the button face.
QImage ArrowPicture(int w, int h, int direction)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(GetRValue(::GetSysColor(COLOR_BTNFACE)), GetGValue(::GetSysColor(COLOR_BTNFACE)),
                    GetBValue(::GetSysColor(COLOR_BTNFACE))));
    const QRgb ink = qRgb(0, 0, 0);
    const int cx = w / 2, cy = h / 2;
    for (int row = 0; row < 4; ++row) {
        for (int k = -row; k <= row; ++k) {
            int x = 0, y = 0;
            switch (direction) {
            // Row 0 is the tip: it lies on the side the arrow points to.
            case 0: x = cx + k; y = cy + 1 - row; break;   // down
            case 1: x = cx + k; y = cy - 2 + row; break;   // up
            case 2: x = cx + 1 - row; y = cy + k; break;   // right
            default: x = cx - 2 + row; y = cy + k; break;  // left
            }
            if (x >= 0 && y >= 0 && x < w && y < h)
                img.setPixel(x, y, ink);
        }
    }
    return img;
}

QImage CheckPicture()
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(qRgb(255, 255, 255));
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 2));
    p.drawPolyline(QPolygon({QPoint(3, 8), QPoint(6, 11), QPoint(12, 4)}));
    return img;
}

}  // namespace

HBITMAP AfxLoadOEMBitmap(UINT nIDBitmap)
{
    switch (nIDBitmap) {
    case OBM_COMBO: return AfxBitmapFromImage(ArrowPicture(16, 16, 0));
    case OBM_DNARROW: return AfxBitmapFromImage(ArrowPicture(16, 16, 0));
    case OBM_UPARROW: return AfxBitmapFromImage(ArrowPicture(16, 16, 1));
    case OBM_RGARROW: return AfxBitmapFromImage(ArrowPicture(16, 16, 2));
    case OBM_LFARROW: return AfxBitmapFromImage(ArrowPicture(16, 16, 3));
    case OBM_CHECK: return AfxBitmapFromImage(CheckPicture());
    default: return nullptr;
    }
}

HANDLE LoadImage(HINSTANCE hInstance, LPCTSTR lpszName, UINT uType, int cx, int cy, UINT fuLoad)
{
    if (fuLoad & LR_LOADFROMFILE) {
        if (uType == IMAGE_BITMAP) {
            QImage image = ReadPicture(lpszName, cx, cy);
            if (image.isNull())
                return nullptr;
            // A bitmap has no transparency: transparent pixels read as white.
            QImage opaque(image.size(), QImage::Format_RGB32);
            opaque.fill(qRgb(255, 255, 255));
            QPainter p(&opaque);
            p.drawImage(0, 0, image);
            p.end();
            return AfxBitmapFromImage(opaque);
        }
        if (uType == IMAGE_ICON || uType == IMAGE_CURSOR) {
            if ((fuLoad & LR_DEFAULTSIZE) && cx == 0 && cy == 0)
                cx = cy = 32;
            QImage image = ReadPicture(lpszName, cx, cy);
            return image.isNull() ? nullptr : AfxNewIconFromImage(image.convertToFormat(QImage::Format_ARGB32));
        }
        return nullptr;
    }
    switch (uType) {
    case IMAGE_BITMAP:
        if (hInstance == nullptr && IS_INTRESOURCE(lpszName))
            return AfxLoadOEMBitmap(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszName)));
        return ::LoadBitmap(hInstance, lpszName);
    case IMAGE_ICON: {
        HICON hIcon = ::LoadIcon(hInstance, lpszName);
        if (hIcon == nullptr || cx <= 0 || cy <= 0)
            return hIcon;
        QImage image = AfxImageOfIcon(hIcon);
        if (image.isNull() || image.size() == QSize(cx, cy))
            return hIcon;
        return AfxNewIconFromImage(image.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    case IMAGE_CURSOR:
        return ::LoadCursor(hInstance, lpszName);
    default:
        return nullptr;
    }
}
