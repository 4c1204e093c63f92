// Fonts: LOGFONT to Qt fonts and the metrics the platform reports. The Chinese faces the
// system names ("宋体" and friends) and fonts in the GB2312 character set map to the
// installed CJK faces; their metrics are those the system's texts were laid out with (no
// internal leading, the character cell as tall as the em), so rows and cells sized from the text
// metrics come out as the system expects. The Song faces map to a Ming face whose Latin letters
// and digits are half the em wide, as the platform's are (three digits take 18 pixels at 12, not
// the 20 of a proportional face), so texts measure what they did in the layouts made for them;
// from 11 to 16 pixels of the screen it draws its own pixel-drawn characters, sharp as the
// platform's (on a screen of two pixels per logical pixel none of its sizes are drawn so).
#include "GdiInternal.h"
#include "TextRuns.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Wnd/System.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>

#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

QString AfxQString(LPCTSTR lpsz, int nLength)
{
    if (!lpsz)
        return QString();
    size_t n = nLength < 0 ? std::strlen(lpsz) : (size_t)nLength;
    bool ascii = true;
    for (size_t i = 0; i < n; ++i)
        if ((unsigned char)lpsz[i] >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(lpsz, (qsizetype)n);
    std::u16string w = Utf16FromCp936(lpsz, n);
    return QString(reinterpret_cast<const QChar*>(w.data()), (qsizetype)w.size());
}

CString AfxCString(const QString& str)
{
    bool ascii = true;
    for (QChar c : str)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        QByteArray b = str.toLatin1();
        return CString(b.constData(), (int)b.size());
    }
    std::string s = Cp936FromUtf16(reinterpret_cast<const char16_t*>(str.utf16()), (size_t)str.size());
    return CString(s.c_str(), (int)s.size());
}

namespace {

const char* const kSongCjk = "AR PL UMing CN";
const char* const kSerifCjk = "Noto Serif CJK SC";
const char* const kSansCjk = "Noto Sans CJK SC";

struct FaceMap
{
    const char* face;  // UTF-8
    const char* families[3];
    bool cjk;
};

const FaceMap kFaces[] = {
    {"宋体", {kSongCjk, kSerifCjk, kSansCjk}, true},
    {"新宋体", {kSongCjk, kSerifCjk, kSansCjk}, true},
    {"SimSun", {kSongCjk, kSerifCjk, kSansCjk}, true},
    {"NSimSun", {kSongCjk, kSerifCjk, kSansCjk}, true},
    {"仿宋", {kSerifCjk, kSansCjk, nullptr}, true},
    {"仿宋_GB2312", {kSerifCjk, kSansCjk, nullptr}, true},
    {"FangSong", {kSerifCjk, kSansCjk, nullptr}, true},
    {"楷体", {kSerifCjk, kSansCjk, nullptr}, true},
    {"楷体_GB2312", {kSerifCjk, kSansCjk, nullptr}, true},
    {"KaiTi", {kSerifCjk, kSansCjk, nullptr}, true},
    {"黑体", {kSansCjk, kSerifCjk, nullptr}, true},
    {"SimHei", {kSansCjk, kSerifCjk, nullptr}, true},
    {"微软雅黑", {kSansCjk, kSerifCjk, nullptr}, true},
    {"幼圆", {kSansCjk, kSerifCjk, nullptr}, true},
    {"Arial", {"DejaVu Sans", kSansCjk, nullptr}, false},
    {"System", {kSansCjk, "DejaVu Sans", nullptr}, true},
    {"Courier", {"DejaVu Sans Mono", kSansCjk, nullptr}, false},
    {"Fixedsys", {"DejaVu Sans Mono", kSansCjk, nullptr}, false},
    {"Terminal", {"DejaVu Sans Mono", kSansCjk, nullptr}, false},
};

struct Resolved
{
    QStringList families;
    bool cjk;
};

Resolved ResolveFace(const LOGFONT& lf)
{
    Resolved r;
    std::string face = Utf8FromCp936(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    for (const FaceMap& m : kFaces) {
        if (QString::fromUtf8(m.face).compare(QString::fromUtf8(face.c_str()), Qt::CaseInsensitive) == 0) {
            for (const char* f : m.families)
                if (f)
                    r.families << QString::fromLatin1(f);
            r.cjk = m.cjk;
            return r;
        }
    }
    int family = lf.lfPitchAndFamily & 0xF0;
    if (face.empty()) {
        if ((lf.lfPitchAndFamily & 0x03) == FIXED_PITCH || family == FF_MODERN) {
            r.families << "DejaVu Sans Mono" << kSansCjk;
            r.cjk = false;
        } else if (lf.lfCharSet == GB2312_CHARSET || lf.lfCharSet == DEFAULT_CHARSET) {
            r.families << kSongCjk << kSerifCjk << kSansCjk;
            r.cjk = true;
        } else if (family == FF_ROMAN) {
            r.families << "DejaVu Serif" << kSerifCjk;
            r.cjk = false;
        } else {
            r.families << "DejaVu Sans" << kSansCjk;
            r.cjk = false;
        }
        return r;
    }
    // An unknown face: in the GB2312 character set the platform substitutes its Chinese
    // system face; otherwise the face itself if installed, then the defaults.
    if (lf.lfCharSet == GB2312_CHARSET) {
        r.families << kSongCjk << kSerifCjk << kSansCjk;
        r.cjk = true;
    } else {
        r.families << QString::fromUtf8(face.c_str()) << "DejaVu Sans" << kSansCjk;
        r.cjk = false;
    }
    return r;
}

// Image pixels per logical pixel of the application's screens (the largest), a whole number.
int ScreenRatio()
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    return ratio > 1.0 ? static_cast<int>(std::lround(ratio)) : 1;
}

QFont MakeFont(const LOGFONT& lf, const Resolved& r, int pixelSize)
{
    QFont f;
    f.setFamilies(r.families);
    f.setPixelSize(std::max(pixelSize, 1));
    int w = lf.lfWeight <= 0 ? FW_NORMAL : std::clamp((int)lf.lfWeight, 100, 900);
    f.setWeight(static_cast<QFont::Weight>(w));
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    f.setKerning(false);
    if (lf.lfQuality == NONANTIALIASED_QUALITY)
        f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    // The Song face's pixel-drawn sizes are used only when drawn without smoothing; on a
    // scaled screen the text is drawn at the screen's pixels, too many for them, and its
    // outlines are smoothed as at other sizes (the pixel-drawn ones enlarged would be blocky
    // next to the text that the controls draw at the screen's resolution).
    const int devicePixels = pixelSize * ScreenRatio();
    if (devicePixels >= 11 && devicePixels <= 16 && !r.families.isEmpty() &&
        r.families.front() == QLatin1String(kSongCjk) && QFontInfo(f).family() == QLatin1String(kSongCjk))
        f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

std::string KeyOf(const LOGFONT& lf)
{
    LOGFONT k = lf;
    size_t n = strnlen(k.lfFaceName, LF_FACESIZE);
    std::memset(k.lfFaceName + n, 0, LF_FACESIZE - n);
    return std::string(reinterpret_cast<const char*>(&k), sizeof(k));
}

}  // namespace

std::shared_ptr<const AfxFontMetrics> AfxFontMetricsOf(const LOGFONT& lf)
{
    static std::map<std::string, std::shared_ptr<const AfxFontMetrics>> cache;
    std::string key = KeyOf(lf);
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    if (cache.size() > 512)
        cache.clear();

    Resolved r = ResolveFace(lf);
    auto m = std::make_shared<AfxFontMetrics>();
    m->cjk = r.cjk;
    int h = lf.lfHeight;
    if (r.cjk) {
        int em = h == 0 ? 12 : std::abs(h);
        m->font = MakeFont(lf, r, em);
        m->ascent = (int)std::lround(em * 0.88);
        m->descent = em - m->ascent;
        m->internalLeading = 0;
        m->externalLeading = 0;
        m->aveCharWidth = (em + 1) / 2;
        m->maxCharWidth = em;
    } else {
        int em;
        if (h < 0) {
            em = -h;
        } else if (h > 0) {
            QFontMetrics probe(MakeFont(lf, r, 100));
            int cell = probe.ascent() + probe.descent();
            em = cell > 0 ? (int)std::lround(h * 100.0 / cell) : h;
        } else {
            em = 13;
        }
        m->font = MakeFont(lf, r, em);
        QFontMetrics fm(m->font);
        m->ascent = fm.ascent();
        m->descent = fm.descent();
        m->internalLeading = std::max(0, m->ascent + m->descent - em);
        m->externalLeading = std::max(0, fm.leading());
        m->aveCharWidth = fm.averageCharWidth();
        m->maxCharWidth = fm.maxWidth();
    }
    if (lf.lfWidth > 0 && m->aveCharWidth > 0) {
        int stretch = std::clamp((int)(lf.lfWidth * 100 / m->aveCharWidth), 1, 4000);
        m->font.setStretch(stretch);
        m->aveCharWidth = lf.lfWidth;
    }
    m->qfm = std::make_shared<QFontMetrics>(m->font);
    m->widths = std::make_shared<AfxTextWidths>();
    m->runs = AfxNewTextRuns();
    cache[key] = m;
    return m;
}

// The widths of one font's texts: measuring shapes the text each time, and a window's paint
// measures the texts the paint before it did. Bounded: emptied when it grows too large.
struct AfxTextWidths
{
    std::mutex lock;
    std::unordered_map<QString, int> widths;
};

int AfxTextWidth(const AfxFontMetrics& fm, const QString& text)
{
    if (text.isEmpty())
        return 0;
    if (!fm.widths || !fm.qfm)
        return fm.qfm ? fm.qfm->horizontalAdvance(text) : QFontMetrics(fm.font).horizontalAdvance(text);
    {
        std::lock_guard<std::mutex> g(fm.widths->lock);
        auto it = fm.widths->widths.find(text);
        if (it != fm.widths->widths.end())
            return it->second;
    }
    const int nWidth = fm.qfm->horizontalAdvance(text);
    std::lock_guard<std::mutex> g(fm.widths->lock);
    if (fm.widths->widths.size() >= 8192)
        fm.widths->widths.clear();
    fm.widths->widths.emplace(text, nWidth);
    return nWidth;
}

QFont AfxQFont(const LOGFONT& lf)
{
    return AfxFontMetricsOf(lf)->font;
}

QFont AfxQFontOf(HFONT hFont)
{
    auto f = AfxFontOf(hFont);
    if (!f)
        f = AfxStockFont(DEFAULT_GUI_FONT);
    return AfxQFont(f->lf);
}

QFont AfxMessageQFont()
{
    NONCLIENTMETRICS ncm{};
    ncm.cbSize = sizeof(ncm);
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    return AfxQFont(ncm.lfMessageFont);
}
