// Shaped texts kept per font: a window's paint draws the texts the paint before it drew, and
// shaping them again is most of the cost of drawing them.
#pragma once

#include <QPointF>
#include <QString>

#include <memory>

class QPainter;
struct AfxFontMetrics;
struct AfxTextRuns;

std::shared_ptr<AfxTextRuns> AfxNewTextRuns();

// Draws 'text' in fm's font with its baseline starting at 'origin', as QPainter::drawText does,
// from the glyphs shaped the last time. False (nothing drawn) for what the kept glyphs may not
// draw the same: decorated fonts, transformed painters, other threads, texts with controls or
// right-to-left characters; the caller draws those itself.
bool AfxDrawKeptText(QPainter* p, const AfxFontMetrics& fm, const QString& text, QPointF origin);
