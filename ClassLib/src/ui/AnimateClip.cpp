#include "AnimateClip.h"

#include <QImage>

#include <vector>

QImage AfxPictureImage(const AFX_BITMAP_RESOURCE* res);  // ResourceImages.cpp

namespace pc {

namespace {

void PutWord(QByteArray& out, int n)
{
    out.append(char(n & 0xFF));
    out.append(char((n >> 8) & 0xFF));
}

// The colour's index in the table, added while there is room, else the nearest.
int IndexOf(std::vector<QRgb>& table, QRgb rgb)
{
    rgb |= 0xFF000000u;
    int nBest = 0;
    long lBest = -1;
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i] == rgb)
            return (int)i;
        const long dr = qRed(table[i]) - qRed(rgb), dg = qGreen(table[i]) - qGreen(rgb),
                   db = qBlue(table[i]) - qBlue(rgb);
        const long d = dr * dr + dg * dg + db * db;
        if (lBest < 0 || d < lBest) {
            lBest = d;
            nBest = (int)i;
        }
    }
    if (table.size() < 256) {
        table.push_back(rgb);
        return (int)table.size() - 1;
    }
    return nBest;
}

// The frame's indices as LZW data of 8-bit symbols written as 9-bit codes: each index is
// its own code, and a clear code comes before the table would need wider codes.
QByteArray LzwOfIndices(const std::vector<unsigned char>& indices)
{
    const int kClear = 256, kEnd = 257;
    QByteArray blocks, block;
    unsigned long bits = 0;
    int nBits = 0;
    auto put = [&](int code) {
        bits |= (unsigned long)code << nBits;
        nBits += 9;
        while (nBits >= 8) {
            block.append(char(bits & 0xFF));
            bits >>= 8;
            nBits -= 8;
            if (block.size() == 255) {
                blocks.append(char(255));
                blocks.append(block);
                block.clear();
            }
        }
    };
    put(kClear);
    int nSinceClear = 0;
    for (unsigned char index : indices) {
        if (nSinceClear == 250) {
            put(kClear);
            nSinceClear = 0;
        }
        put(index);
        ++nSinceClear;
    }
    put(kEnd);
    if (nBits > 0)
        block.append(char(bits & 0xFF));
    if (!block.isEmpty()) {
        blocks.append(char(block.size()));
        blocks.append(block);
    }
    blocks.append(char(0));
    return blocks;
}

}  // namespace

QByteArray EncodeClipGif(const AFX_CLIP_RESOURCE* pClip)
{
    if (pClip == nullptr || pClip->ppFrames == nullptr || pClip->nFrames <= 0)
        return QByteArray();
    std::vector<QImage> frames;
    for (int i = 0; i < pClip->nFrames; ++i) {
        QImage img = AfxPictureImage(pClip->ppFrames[i]);
        if (img.isNull() || (!frames.empty() && img.size() != frames[0].size()))
            return QByteArray();
        frames.push_back(img.convertToFormat(QImage::Format_ARGB32));
    }
    const int cx = frames[0].width(), cy = frames[0].height();

    // Index 0 is the transparent one.
    std::vector<QRgb> table(1, qRgb(0, 0, 0));
    std::vector<std::vector<unsigned char>> indices(frames.size());
    for (size_t f = 0; f < frames.size(); ++f) {
        indices[f].reserve((size_t)cx * cy);
        for (int y = 0; y < cy; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(frames[f].constScanLine(y));
            for (int x = 0; x < cx; ++x)
                indices[f].push_back(qAlpha(line[x]) < 128 ? 0 : (unsigned char)IndexOf(table, line[x]));
        }
    }
    table.resize(256, qRgb(0, 0, 0));

    QByteArray out("GIF89a");
    PutWord(out, cx);
    PutWord(out, cy);
    out.append(char(0xF7));  // a global table of 256 colours
    out.append(char(0));
    out.append(char(0));
    for (QRgb rgb : table) {
        out.append(char(qRed(rgb)));
        out.append(char(qGreen(rgb)));
        out.append(char(qBlue(rgb)));
    }
    // Repeat without end.
    out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
    PutWord(out, 0);
    out.append(char(0));
    const int nDelay = (int)((pClip->nFrameMs + 5) / 10);
    for (size_t f = 0; f < frames.size(); ++f) {
        // Each frame replaces the one before (disposal 2), index 0 transparent.
        out.append("\x21\xF9\x04\x09", 4);
        PutWord(out, nDelay > 0 ? nDelay : 1);
        out.append(char(0));
        out.append(char(0));
        out.append(char(0x2C));
        PutWord(out, 0);
        PutWord(out, 0);
        PutWord(out, cx);
        PutWord(out, cy);
        out.append(char(0));
        out.append(char(8));  // 8-bit symbols
        out.append(LzwOfIndices(indices[f]));
    }
    out.append(char(0x3B));
    return out;
}

}  // namespace pc
