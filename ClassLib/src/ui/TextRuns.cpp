// Shaped texts kept per font (see TextRuns.h).
#include "TextRuns.h"

#include "GdiInternal.h"

#include <QCoreApplication>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>
#include <QThread>

#include <mutex>
#include <unordered_map>

namespace {

struct KeptText
{
    QList<QGlyphRun> runs;
    qreal ascent = 0;  // the line's baseline below the runs' origin
    int dpiX = 0;
    int dpiY = 0;
};

// Texts shaped the same way QPainter::drawText shapes them: characters that bidi, line
// breaking or control handling could treat otherwise are left to it.
bool PlainText(const QString& s)
{
    for (QChar c : s) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u < 0x590 && u != 0xAD) || (u >= 0x3000 && u < 0xA000) ||
                        (u >= 0xFF00 && u < 0xFFF0);
        if (!ok)
            return false;
    }
    return true;
}

}  // namespace

// One font's kept texts. Bounded: emptied when it grows too large.
struct AfxTextRuns
{
    std::mutex lock;
    std::unordered_map<QString, KeptText> texts;
};

std::shared_ptr<AfxTextRuns> AfxNewTextRuns() { return std::make_shared<AfxTextRuns>(); }

bool AfxDrawKeptText(QPainter* p, const AfxFontMetrics& fm, const QString& text, QPointF origin)
{
    // Other engines (printers, documents) may draw glyph runs as outlines rather than as text.
    if (!fm.runs || text.isEmpty() || !p->device() || !p->paintEngine() || p->paintEngine()->type() != QPaintEngine::Raster)
        return false;
    // Glyph runs hold the font engines of the thread that shaped them.
    if (!QCoreApplication::instance() || QThread::currentThread() != QCoreApplication::instance()->thread())
        return false;
    const QFont& font = fm.font;
    if (font.underline() || font.strikeOut() || font.overline() || p->layoutDirection() == Qt::RightToLeft ||
        p->worldTransform().type() > QTransform::TxTranslate || !PlainText(text))
        return false;
    const int dpiX = p->device()->logicalDpiX(), dpiY = p->device()->logicalDpiY();
    std::lock_guard<std::mutex> g(fm.runs->lock);
    auto it = fm.runs->texts.find(text);
    if (it == fm.runs->texts.end() || it->second.dpiX != dpiX || it->second.dpiY != dpiY) {
        if (fm.runs->texts.size() >= 4096)
            fm.runs->texts.clear();
        QTextLayout layout(text, font, p->device());
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        option.setTextDirection(Qt::LeftToRight);
        option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
        layout.setTextOption(option);
        layout.setCacheEnabled(false);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        KeptText kept;
        kept.runs = line.glyphRuns();
        kept.ascent = line.ascent();
        kept.dpiX = dpiX;
        kept.dpiY = dpiY;
        it = fm.runs->texts.insert_or_assign(text, std::move(kept)).first;
    }
    const QPointF at(origin.x(), origin.y() - it->second.ascent);
    for (const QGlyphRun& run : it->second.runs)
        p->drawGlyphRun(at, run);
    return true;
}
