// Images with more pixels than logical pixels: the back buffers of windows on a scaled
// screen. Contexts work in logical pixels; on such an image each logical pixel is a block of
// ratio x ratio image pixels, so the pixel-level drawing writes whole blocks while the
// painter (text, curves) draws at the image's full resolution.
#pragma once

#include <QImage>
#include <QRect>

#include <cmath>

// The whole number of image pixels per logical pixel (1 for bitmaps and unscaled windows).
inline int AfxPixelRatio(const QImage* img)
{
    if (!img)
        return 1;
    const qreal r = img->devicePixelRatio();
    return r > 1.0 ? static_cast<int>(std::lround(r)) : 1;
}

// The image pixels of a logical rectangle.
inline QRect AfxImagePixels(const QRect& r, int k)
{
    return k == 1 ? r : QRect(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}

// The logical size of an image.
inline QSize AfxLogicalSize(const QImage* img)
{
    const int k = AfxPixelRatio(img);
    return k == 1 ? img->size() : QSize(img->width() / k, img->height() / k);
}

// The colour of a logical pixel: the first image pixel of its block.
inline QRgb AfxLogicalPixel(const QImage* img, int x, int y)
{
    const int k = AfxPixelRatio(img);
    return img->pixel(x * k, y * k);
}

// The image at one pixel per logical pixel: each block's first pixel (the image itself when it
// has one already). What reads a bitmap's pixels by logical position reads this.
inline QImage AfxLogicalImage(const QImage& img)
{
    const int k = AfxPixelRatio(&img);
    if (k == 1)
        return img;
    const QSize s = AfxLogicalSize(&img);
    QImage out(s, img.format());
    for (int y = 0; y < s.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(img.constScanLine(y * k));
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < s.width(); ++x)
            line[x] = in[x * k];
    }
    return out;
}

// Calls f(x, y, pixel) for every image pixel of a logical rectangle (inside the image), with
// the logical pixel it belongs to; f may change the pixel.
template <class F>
void AfxForImagePixels(QImage* img, const QRect& r, F&& f)
{
    const int k = AfxPixelRatio(img);
    if (k == 1) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(img->scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x)
                f(x, y, line[x]);
        }
        return;
    }
    const QRect p = AfxImagePixels(r, k);
    for (int y = p.top(); y <= p.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img->scanLine(y));
        for (int x = p.left(); x <= p.right(); ++x)
            f(x / k, y / k, line[x]);
    }
}
