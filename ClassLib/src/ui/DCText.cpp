// Text output and measuring: TextOut, ExtTextOut, TabbedTextOut, DrawText with its
// formatting flags, and the text metrics. Layout is computed in device pixels from the
// font's metrics, so it follows the same rules whatever the font looks like.
#include "Raster.h"
#include "TextRuns.h"

#include <ClassLib/Core/Mbcs.h>
#include <ClassLib/Wnd/System.h>

#include <QFontMetrics>

#include <cstring>

using namespace afx_raster;

namespace {

struct PreparedText
{
    QString text;
    std::vector<int> underline;  // indices into text of prefix-underlined characters
};

PreparedText StripPrefixes(const QString& in, bool process)
{
    PreparedText out;
    if (!process) {
        out.text = in;
        return out;
    }
    for (int i = 0; i < in.size(); ++i) {
        QChar c = in[i];
        if (c == QLatin1Char('&')) {
            if (i + 1 < in.size() && in[i + 1] == QLatin1Char('&')) {
                out.text += QLatin1Char('&');
                ++i;
                continue;
            }
            if (i + 1 < in.size())
                out.underline.push_back(out.text.size());
            continue;
        }
        out.text += c;
    }
    return out;
}

bool IsCjk(QChar c)
{
    ushort u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) ||
           (u >= 0xFF00 && u <= 0xFFEF) || (u >= 0xAC00 && u <= 0xD7AF);
}

struct Measurer
{
    std::shared_ptr<const AfxFontMetrics> fm;
    int charExtra;
    int tabWidth;  // 0: tabs are plain characters
    int Width(const QString& s) const
    {
        if (s.isEmpty())
            return 0;
        if (tabWidth > 0 && s.contains(QLatin1Char('\t'))) {
            int x = 0;
            int start = 0;
            for (int i = 0; i <= s.size(); ++i) {
                if (i == s.size() || s[i] == QLatin1Char('\t')) {
                    x += AfxTextWidth(*fm, s.mid(start, i - start)) + charExtra * (i - start);
                    if (i < s.size())
                        x = (x / tabWidth + 1) * tabWidth;
                    start = i + 1;
                }
            }
            return x;
        }
        return AfxTextWidth(*fm, s) + charExtra * (int)s.size();
    }
};

struct Line
{
    int start;  // into the prepared text
    int length;
    QString shown;  // what is drawn (ellipsis applied)
    int width;
};

std::vector<Line> WrapParagraph(const QString& text, int start, int length, int maxWidth, const Measurer& m)
{
    std::vector<Line> lines;
    // Tokens: runs of blanks, single CJK characters, runs of other characters.
    struct Tok
    {
        int s, n;
        bool blank;
    };
    std::vector<Tok> toks;
    int i = start, end = start + length;
    while (i < end) {
        QChar c = text[i];
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            int j = i;
            while (j < end && (text[j] == QLatin1Char(' ') || text[j] == QLatin1Char('\t')))
                ++j;
            toks.push_back({i, j - i, true});
            i = j;
        } else if (IsCjk(c)) {
            toks.push_back({i, 1, false});
            ++i;
        } else {
            int j = i;
            while (j < end && text[j] != QLatin1Char(' ') && text[j] != QLatin1Char('\t') && !IsCjk(text[j]))
                ++j;
            toks.push_back({i, j - i, false});
            i = j;
        }
    }
    int lineStart = start, lineEnd = start;  // [lineStart, lineEnd) holds the words so far
    bool haveWord = false;
    for (size_t k = 0; k < toks.size(); ++k) {
        const Tok& t = toks[k];
        if (t.blank)
            continue;
        int candEnd = t.s + t.n;
        int w = m.Width(text.mid(lineStart, candEnd - lineStart));
        if (!haveWord || w <= maxWidth) {
            if (!haveWord)
                lineStart = lineStart;  // leading blanks of the paragraph stay
            lineEnd = candEnd;
            haveWord = true;
            continue;
        }
        // Break before this word; blanks at the break go.
        lines.push_back({lineStart, lineEnd - lineStart, QString(), 0});
        lineStart = t.s;
        lineEnd = candEnd;
    }
    if (!haveWord)
        lineEnd = start + length;
    lines.push_back({lineStart, lineEnd - lineStart, QString(), 0});
    return lines;
}

QString Ellipsize(const QString& s, int maxWidth, const Measurer& m, UINT fmt)
{
    static const QString dots = QStringLiteral("...");
    if (m.Width(s) <= maxWidth)
        return s;
    if (fmt & DT_PATH_ELLIPSIS) {
        int cut = std::max(s.lastIndexOf(QLatin1Char('\\')), s.lastIndexOf(QLatin1Char('/')));
        if (cut > 0) {
            QString tail = s.mid(cut);
            for (int n = cut; n >= 0; --n) {
                QString cand = s.left(n) + dots + tail;
                if (m.Width(cand) <= maxWidth)
                    return cand;
            }
            return dots + tail;
        }
    }
    int lo = 0, hi = s.size();
    // The longest prefix that fits with the ellipsis (widths grow with the prefix).
    while (lo < hi) {
        int mid = (lo + hi + 1) / 2;
        if (m.Width(s.left(mid) + dots) <= maxWidth)
            lo = mid;
        else
            hi = mid - 1;
    }
    int n = lo;
    if (n > 0 && s[n - 1].isHighSurrogate())
        --n;
    if (fmt & DT_WORD_ELLIPSIS) {
        int sp = s.left(n).lastIndexOf(QLatin1Char(' '));
        if (sp > 0)
            n = sp;
    }
    return s.left(n) + dots;
}

QRect LogicalRect(AfxDCImpl* d, const QRect& dev)
{
    QPoint a = d->ToLogical(dev.left(), dev.top());
    QPoint b = d->ToLogical(dev.left() + dev.width(), dev.top() + dev.height());
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())), QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

void DrawRun(AfxDCImpl* d, const QString& s, int x, int baseline, const Measurer& m, const QRegion& clip,
             const std::vector<int>* underline, int offset, bool underlineOnly)
{
    if (s.isEmpty())
        return;
    QPainter* p = d->Painter(clip);
    if (!p)
        return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    QColor color = AfxQColor(d->st.textColor);
    p->setPen(color);
    p->setFont(m.fm->font);
    if (!underlineOnly) {
        if (m.charExtra == 0 && (m.tabWidth == 0 || !s.contains(QLatin1Char('\t')))) {
            if (!AfxDrawKeptText(p, *m.fm, s, QPointF(x, baseline)))
                p->drawText(QPointF(x, baseline), s);
        } else {
            int cx = x;
            for (int i = 0; i < s.size(); ++i) {
                if (m.tabWidth > 0 && s[i] == QLatin1Char('\t')) {
                    int rel = cx - x;
                    cx = x + (rel / m.tabWidth + 1) * m.tabWidth;
                    continue;
                }
                QString ch = s.mid(i, s[i].isHighSurrogate() ? 2 : 1);
                if (s[i].isHighSurrogate())
                    ++i;
                p->drawText(QPointF(cx, baseline), ch);
                cx += AfxTextWidth(*m.fm, ch) + m.charExtra;
            }
        }
    }
    if (underline) {
        for (int idx : *underline) {
            int k = idx - offset;
            if (k < 0 || k >= s.size())
                continue;
            int ux = x + m.Width(s.left(k));
            int uw = m.Width(s.mid(k, 1));
            p->fillRect(QRect(ux, baseline + 1, std::max(uw, 1), 1), color);
        }
    }
    d->MarkDirty(QRect(x, baseline - m.fm->ascent, m.Width(s) + 2, m.fm->Height() + 2));
}

CString BackToCp936(const QString& s) { return AfxCString(s); }

}  // namespace

// ---- DrawText --------------------------------------------------------------------------------------
int DrawText(HDC hdc, LPCTSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d || !lprc || !lpchText)
        return 0;
    RecordGuard guard;
    int nBytes = cchText < 0 ? (int)std::strlen(lpchText) : cchText;
    UINT fmt = format;
    int tabChars = 8;
    if (fmt & DT_TABSTOP) {
        tabChars = (int)((fmt >> 8) & 0xFF);
        fmt &= ~0xFF00u;
    }
    Measurer m{d->Metrics(), d->ScaleX(d->st.charExtra),
               (fmt & DT_EXPANDTABS) ? std::max(tabChars, 1) * std::max(d->Metrics()->aveCharWidth, 1) : 0};
    int lineHeight = m.fm->Height() + ((fmt & DT_EXTERNALLEADING) ? m.fm->externalLeading : 0);

    PreparedText prep = StripPrefixes(AfxQString(lpchText, nBytes), !(fmt & DT_NOPREFIX));
    const QString& text = prep.text;
    QRect dev = d->ToDevice(*lprc);
    int maxWidth = dev.width();

    std::vector<Line> lines;
    if (fmt & DT_SINGLELINE) {
        QString one = text;
        lines.push_back({0, (int)one.size(), QString(), 0});
    } else {
        int i = 0, n = text.size();
        while (i <= n) {
            int j = i;
            while (j < n && text[j] != QLatin1Char('\n') && text[j] != QLatin1Char('\r'))
                ++j;
            if (fmt & DT_WORDBREAK) {
                for (const Line& l : WrapParagraph(text, i, j - i, maxWidth, m))
                    lines.push_back(l);
            } else {
                lines.push_back({i, j - i, QString(), 0});
            }
            if (j >= n)
                break;
            if (text[j] == QLatin1Char('\r') && j + 1 < n && text[j + 1] == QLatin1Char('\n'))
                ++j;
            i = j + 1;
        }
    }
    int maxLine = 0;
    for (Line& l : lines) {
        l.shown = text.mid(l.start, l.length);
        if (fmt & DT_SINGLELINE)
            l.shown.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        if (fmt & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
            l.shown = Ellipsize(l.shown, maxWidth, m, fmt);
        l.width = m.Width(l.shown);
        maxLine = std::max(maxLine, l.width);
    }
    int total = lineHeight * (int)lines.size();

    if ((fmt & DT_MODIFYSTRING) && (fmt & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) && !(fmt & DT_CALCRECT) &&
        lines.size() == 1) {
        // The shortened text goes back into the caller's string, never past its length.
        CString shown = BackToCp936(lines[0].shown);
        int room = nBytes;
        int keep = 0;
        for (int k = 0; k < shown.GetLength() && k < room;) {
            int step = IsDBCSLeadByte((BYTE)shown[k]) ? 2 : 1;
            if (k + step > room)
                break;
            k += step;
            keep = k;
        }
        char* out = const_cast<char*>(lpchText);
        std::memcpy(out, (LPCTSTR)shown, (size_t)keep);
        if (keep < nBytes)
            out[keep] = 0;
    }

    int y = dev.top();
    if (fmt & DT_SINGLELINE) {
        if (fmt & DT_VCENTER)
            y = dev.top() + (dev.height() - lineHeight) / 2;
        else if (fmt & DT_BOTTOM)
            y = dev.top() + dev.height() - lineHeight;
    }
    int result = (fmt & DT_SINGLELINE) && (fmt & (DT_VCENTER | DT_BOTTOM)) ? (y - dev.top()) + total : total;

    if (fmt & DT_CALCRECT) {
        QRect calc(dev.left(), dev.top(), maxLine, total);
        QRect lg = LogicalRect(d, calc);
        lprc->right = lprc->left + lg.width();
        lprc->bottom = lprc->top + lg.height();
        return std::abs(d->UnscaleY(result));
    }

    QRegion clip = d->EffectiveClip();
    if (!(fmt & DT_NOCLIP))
        clip &= QRegion(dev);
    std::vector<AfxDrawTextLine> recorded;
    for (size_t k = 0; k < lines.size(); ++k) {
        const Line& l = lines[k];
        int x = dev.left();
        if (fmt & DT_CENTER)
            x = dev.left() + (dev.width() - l.width) / 2;
        else if (fmt & DT_RIGHT)
            x = dev.left() + dev.width() - l.width;
        int top = y + lineHeight * (int)k;
        QRect box(x, top, l.width, lineHeight);
        if (d->st.bkMode == OPAQUE && !(fmt & DT_PREFIXONLY))
            FillRegion(d, QRegion(box) & clip, Pattern::SolidOf(d->st.bkColor), R2_COPYPEN);
        bool showUnderline = !(fmt & DT_HIDEPREFIX) && !(fmt & DT_NOPREFIX);
        DrawRun(d, l.shown, x, top + m.fm->ascent, m, clip, showUnderline ? &prep.underline : nullptr, l.start,
                (fmt & DT_PREFIXONLY) != 0);
        QRect lg = LogicalRect(d, box);
        recorded.push_back({BackToCp936(l.shown), CRect(lg.left(), lg.top(), lg.left() + lg.width(), lg.top() + lg.height())});
    }
    if (ShouldRecord(guard)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::Text, "DrawText");
        op.rect = *lprc;
        op.text = CString(lpchText, nBytes);
        op.flags = format;
        op.lines = std::move(recorded);
        op.result = std::abs(d->UnscaleY(result));
        Record(d, op);
    }
    return std::abs(d->UnscaleY(result));
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}
int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    // A copy: DT_MODIFYSTRING must not write into the caller's string object.
    CString copy = str;
    return DrawText(copy.GetBuffer(copy.GetLength()), str.GetLength(), lpRect, nFormat);
}

// ---- TextOut and friends -----------------------------------------------------------------------------
namespace {

BOOL TextOutImpl(AfxDCImpl* d, int x, int y, UINT options, const RECT* lprect, LPCTSTR str, int n, const INT* lpDx,
                 const char* api)
{
    RecordGuard guard;
    QString text = AfxQString(str, n);
    Measurer m{d->Metrics(), d->ScaleX(d->st.charExtra), 0};
    if (d->st.textAlign & TA_UPDATECP) {
        x = d->st.position.x;
        y = d->st.position.y;
    }
    QPoint o = d->ToDevice(x, y);
    // Widths: from lpDx (logical, one per byte) or measured.
    std::vector<int> advances;
    int width = 0;
    if (lpDx) {
        int b = 0;
        for (int i = 0; i < text.size() && b < n; ++i) {
            int bytes = (text[i].unicode() >= 0x80) ? 2 : 1;
            int adv = 0;
            for (int k = 0; k < bytes && b < n; ++k, ++b)
                adv += lpDx[b];
            advances.push_back(d->ScaleX(adv));
            width += advances.back();
        }
    } else {
        width = m.Width(text);
    }
    UINT ha = d->st.textAlign & (TA_LEFT | TA_RIGHT | TA_CENTER);
    int x0 = o.x();
    if (ha == TA_RIGHT)
        x0 = o.x() - width;
    else if (ha == TA_CENTER)
        x0 = o.x() - width / 2;
    UINT va = d->st.textAlign & (TA_TOP | TA_BOTTOM | TA_BASELINE);
    int baseline = o.y() + m.fm->ascent;
    if (va == TA_BOTTOM)
        baseline = o.y() - m.fm->descent;
    else if (va == TA_BASELINE)
        baseline = o.y();

    QRegion clip = d->EffectiveClip();
    if (lprect && (options & ETO_OPAQUE)) {
        QRect r = d->ToDevice(*lprect);
        FillRegion(d, QRegion(r) & clip, Pattern::SolidOf(d->st.bkColor), R2_COPYPEN);
    }
    if (lprect && (options & ETO_CLIPPED))
        clip &= QRegion(d->ToDevice(*lprect));
    QRect box(x0, baseline - m.fm->ascent, width, m.fm->Height());
    if (d->st.bkMode == OPAQUE && n > 0)
        FillRegion(d, QRegion(box) & clip, Pattern::SolidOf(d->st.bkColor), R2_COPYPEN);
    if (n > 0) {
        if (lpDx) {
            QPainter* p = d->Painter(clip);
            if (p) {
                p->setPen(AfxQColor(d->st.textColor));
                p->setFont(m.fm->font);
                int cx = x0;
                for (int i = 0; i < text.size() && i < (int)advances.size(); ++i) {
                    p->drawText(QPointF(cx, baseline), text.mid(i, 1));
                    cx += advances[(size_t)i];
                }
                d->MarkDirty(box);
            }
        } else if (d->st.font && d->st.font->lf.lfEscapement != 0) {
            QPainter* p = d->Painter(clip);
            if (p) {
                p->save();
                p->translate(o);
                p->rotate(-d->st.font->lf.lfEscapement / 10.0);
                p->setPen(AfxQColor(d->st.textColor));
                p->setFont(m.fm->font);
                p->drawText(QPointF(x0 - o.x(), baseline - o.y()), text);
                p->restore();
                d->MarkDirty(clip.boundingRect());
            }
        } else {
            DrawRun(d, text, x0, baseline, m, clip, nullptr, 0, false);
        }
    }
    if (d->st.textAlign & TA_UPDATECP)
        d->st.position.x += d->UnscaleX(ha == TA_RIGHT ? -width : width);
    if (ShouldRecord(guard)) {
        AfxDrawOp op = MakeOp(d, AfxDrawKind::Text, api);
        op.points = {CPoint(x, y)};
        QRect lg = LogicalRect(d, box);
        op.rect = lprect ? CRect(*lprect) : CRect(lg.left(), lg.top(), lg.left() + lg.width(), lg.top() + lg.height());
        op.text = CString(str, n);
        op.flags = options;
        op.lines.push_back({op.text, CRect(lg.left(), lg.top(), lg.left() + lg.width(), lg.top() + lg.height())});
        Record(d, op);
    }
    return TRUE;
}

}  // namespace

BOOL TextOut(HDC hdc, int x, int y, LPCTSTR lpString, int c)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d || !lpString || c < 0)
        return FALSE;
    return TextOutImpl(d, x, y, 0, nullptr, lpString, c, nullptr, "TextOut");
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCTSTR lpString, UINT c, const INT* lpDx)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d)
        return FALSE;
    return TextOutImpl(d, x, y, options, lprect, lpString ? lpString : "", lpString ? (int)c : 0, lpDx, "ExtTextOut");
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) { return ::TextOut(m_hDC, x, y, lpszString, nCount); }
BOOL CDC::TextOut(int x, int y, const CString& str) { return ::TextOut(m_hDC, x, y, str, str.GetLength()); }
BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}
BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, str, (UINT)str.GetLength(), lpDxWidths);
}

namespace {

int TabStop(int pos, int nTabPositions, const int* tabs, int origin, int defaultTab)
{
    int rel = pos - origin;
    if (nTabPositions <= 0 || !tabs)
        return origin + (rel / defaultTab + 1) * defaultTab;
    if (nTabPositions == 1)
        return origin + (rel / std::max(tabs[0], 1) + 1) * std::max(tabs[0], 1);
    for (int i = 0; i < nTabPositions; ++i)
        if (tabs[i] > rel)
            return origin + tabs[i];
    return pos;
}

}  // namespace

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin)
{
    AfxDCImpl* d = AfxDCOf(m_hDC);
    if (!d || !lpszString)
        return CSize(0, 0);
    if (nCount < 0)
        nCount = (int)std::strlen(lpszString);
    int defaultTab = 8 * std::max(1, d->UnscaleX(d->Metrics()->aveCharWidth));
    int cx = x;
    int start = 0;
    for (int i = 0; i <= nCount; ++i) {
        if (i == nCount || lpszString[i] == '\t') {
            if (i > start) {
                ::TextOut(m_hDC, cx, y, lpszString + start, i - start);
                cx += GetTextExtent(lpszString + start, i - start).cx;
            }
            if (i < nCount)
                cx = TabStop(cx, nTabPositions, lpnTabStopPositions, nTabOrigin, defaultTab);
            start = i + 1;
        } else if (IsDBCSLeadByte((BYTE)lpszString[i]) && i + 1 < nCount) {
            ++i;
        }
    }
    return CSize(cx - x, GetTextExtent("A", 1).cy);
}

CSize CDC::TabbedTextOut(int x, int y, const CString& str, int nTabPositions, LPINT lpnTabStopPositions, int nTabOrigin)
{
    return TabbedTextOut(x, y, str, str.GetLength(), nTabPositions, lpnTabStopPositions, nTabOrigin);
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const
{
    AfxDCImpl* d = AfxDCOf(m_hDC);
    if (!d || !lpszString)
        return CSize(0, 0);
    if (nCount < 0)
        nCount = (int)std::strlen(lpszString);
    int defaultTab = 8 * std::max(1, d->UnscaleX(d->Metrics()->aveCharWidth));
    int cx = 0, start = 0;
    for (int i = 0; i <= nCount; ++i) {
        if (i == nCount || lpszString[i] == '\t') {
            if (i > start)
                cx += GetTextExtent(lpszString + start, i - start).cx;
            if (i < nCount)
                cx = TabStop(cx, nTabPositions, lpnTabStopPositions, 0, defaultTab);
            start = i + 1;
        } else if (IsDBCSLeadByte((BYTE)lpszString[i]) && i + 1 < nCount) {
            ++i;
        }
    }
    return CSize(cx, GetTextExtent("A", 1).cy);
}

CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const
{
    return GetTabbedTextExtent(str, str.GetLength(), nTabPositions, lpnTabStopPositions);
}

BOOL CDC::GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData, int nCount, int x,
                     int y, int nWidth, int nHeight)
{
    (void)pBrush;
    (void)nWidth;
    (void)nHeight;
    if (lpfnOutput)
        return lpfnOutput(m_hDC, lpData, nCount);
    LPCTSTR text = reinterpret_cast<LPCTSTR>(lpData);
    if (!text)
        return FALSE;
    COLORREF old = SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    int oldMode = SetBkMode(TRANSPARENT);
    BOOL ok = ::TextOut(m_hDC, x, y, text, nCount > 0 ? nCount : (int)std::strlen(text));
    SetBkMode(oldMode);
    SetTextColor(old);
    return ok;
}

// ---- measuring ---------------------------------------------------------------------------------------
BOOL GetTextExtentPoint32(HDC hdc, LPCTSTR lpString, int c, LPSIZE psizl)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d || !psizl || c < 0 || (!lpString && c > 0))
        return FALSE;
    Measurer m{d->Metrics(), d->ScaleX(d->st.charExtra), 0};
    int w = m.Width(AfxQString(lpString ? lpString : "", c));
    psizl->cx = std::abs(d->UnscaleX(w));
    psizl->cy = std::abs(d->UnscaleY(m.fm->Height()));
    return TRUE;
}

BOOL GetTextExtentPoint(HDC hdc, LPCTSTR lpString, int c, LPSIZE lpsz) { return GetTextExtentPoint32(hdc, lpString, c, lpsz); }

BOOL GetTextExtentExPoint(HDC hdc, LPCTSTR lpszString, int cchString, int nMaxExtent, LPINT lpnFit, LPINT lpnDx,
                          LPSIZE lpSize)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d || !lpszString || cchString < 0)
        return FALSE;
    int fit = 0;
    int i = 0;
    while (i < cchString) {
        int step = (IsDBCSLeadByte((BYTE)lpszString[i]) && i + 1 < cchString) ? 2 : 1;
        SIZE sz;
        GetTextExtentPoint32(hdc, lpszString, i + step, &sz);
        if (lpnDx) {
            for (int k = 0; k < step; ++k)
                lpnDx[i + k] = sz.cx;
        }
        if (sz.cx <= nMaxExtent || nMaxExtent < 0)
            fit = i + step;
        i += step;
    }
    if (lpnFit)
        *lpnFit = fit;
    if (lpSize)
        GetTextExtentPoint32(hdc, lpszString, cchString, lpSize);
    return TRUE;
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE s{0, 0};
    ::GetTextExtentPoint32(m_hAttribDC ? m_hAttribDC : m_hDC, lpszString, nCount < 0 ? (int)std::strlen(lpszString ? lpszString : "") : nCount, &s);
    return s;
}
CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const { return GetTextExtent(lpszString, nCount); }
CSize CDC::GetOutputTextExtent(const CString& str) const { return GetTextExtent(str); }

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC lptm)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d || !lptm)
        return FALSE;
    auto fm = d->Metrics();
    const LOGFONT& lf = d->st.font ? d->st.font->lf : LOGFONT{};
    std::memset(lptm, 0, sizeof(*lptm));
    auto ly = [&](int v) { return std::abs(d->UnscaleY(v)); };
    auto lx = [&](int v) { return std::abs(d->UnscaleX(v)); };
    lptm->tmAscent = ly(fm->ascent);
    lptm->tmDescent = ly(fm->descent);
    lptm->tmHeight = lptm->tmAscent + lptm->tmDescent;
    lptm->tmInternalLeading = ly(fm->internalLeading);
    lptm->tmExternalLeading = ly(fm->externalLeading);
    lptm->tmAveCharWidth = lx(fm->aveCharWidth);
    lptm->tmMaxCharWidth = lx(fm->maxCharWidth);
    lptm->tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
    lptm->tmOverhang = 0;
    lptm->tmDigitizedAspectX = 96;
    lptm->tmDigitizedAspectY = 96;
    lptm->tmFirstChar = 0x20;
    lptm->tmLastChar = 0xFF;
    lptm->tmDefaultChar = 0x1F;
    lptm->tmBreakChar = 0x20;
    lptm->tmItalic = lf.lfItalic;
    lptm->tmUnderlined = lf.lfUnderline;
    lptm->tmStruckOut = lf.lfStrikeOut;
    // TMPF_FIXED_PITCH set means variable pitch, as the platform has it.
    bool fixed = (lf.lfPitchAndFamily & 0x03) == FIXED_PITCH;
    lptm->tmPitchAndFamily = (BYTE)((lf.lfPitchAndFamily & 0xF0) | (fixed ? 0 : TMPF_FIXED_PITCH) | TMPF_TRUETYPE | TMPF_VECTOR);
    lptm->tmCharSet = fm->cjk ? (BYTE)GB2312_CHARSET : lf.lfCharSet;
    return TRUE;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const { return ::GetTextMetrics(m_hAttribDC ? m_hAttribDC : m_hDC, lpMetrics); }

int GetTextFace(HDC hdc, int c, LPTSTR lpName)
{
    AfxDCImpl* d = AfxDCOf(hdc);
    if (!d || !d->st.font)
        return 0;
    const char* face = d->st.font->lf.lfFaceName;
    int n = (int)strnlen(face, LF_FACESIZE);
    if (!lpName)
        return n + 1;
    if (c <= 0)
        return 0;
    int k = std::min(n, c - 1);
    std::memcpy(lpName, face, (size_t)k);
    lpName[k] = 0;
    return k;
}

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const { return ::GetTextFace(m_hDC, nCount, lpszFacename); }
int CDC::GetTextFace(CString& rString) const
{
    char buf[LF_FACESIZE + 1] = {};
    int n = ::GetTextFace(m_hDC, sizeof(buf), buf);
    rString = buf;
    return n;
}

BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
    AfxDCImpl* d = AfxDCOf(m_hDC);
    if (!d || !lpBuffer || nLastChar < nFirstChar)
        return FALSE;
    auto fm = d->Metrics();
    for (UINT ch = nFirstChar; ch <= nLastChar; ++ch) {
        char bytes[3] = {0, 0, 0};
        if (ch > 0xFF) {
            bytes[0] = (char)(ch >> 8);
            bytes[1] = (char)(ch & 0xFF);
        } else {
            bytes[0] = (char)ch;
        }
        lpBuffer[ch - nFirstChar] = std::abs(d->UnscaleX(AfxTextWidth(*fm, AfxQString(bytes))));
    }
    return TRUE;
}

int CDC::SetTextJustification(int nBreakExtra, int nBreakCount)
{
    AfxDCImpl* d = AfxDCOf(m_hDC);
    if (!d)
        return 0;
    d->st.breakExtra = nBreakExtra;
    d->st.breakCount = nBreakCount;
    return 1;
}
