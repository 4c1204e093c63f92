// The rich edit control's character formats: colour, effects, size and face, for the whole
// text, the selection or the default format.
#include "MiscProcs.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/RichEditFormat.h>

#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <QTextCursor>

#include <cstring>

namespace pc {

namespace {

QColor ColorOf(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF ColorRefOf(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

// The parts of cf that its mask names, as a format to merge.
QTextCharFormat FormatOf(const CHARFORMAT& cf)
{
    QTextCharFormat f;
    if (cf.dwMask & CFM_COLOR)
        f.setForeground(ColorOf((cf.dwEffects & CFE_AUTOCOLOR) ? ::GetSysColor(COLOR_WINDOWTEXT) : cf.crTextColor));
    if (cf.dwMask & CFM_BOLD)
        f.setFontWeight((cf.dwEffects & CFE_BOLD) ? QFont::Bold : QFont::Normal);
    if (cf.dwMask & CFM_ITALIC)
        f.setFontItalic((cf.dwEffects & CFE_ITALIC) != 0);
    if (cf.dwMask & CFM_UNDERLINE)
        f.setFontUnderline((cf.dwEffects & CFE_UNDERLINE) != 0);
    if (cf.dwMask & CFM_STRIKEOUT)
        f.setFontStrikeOut((cf.dwEffects & CFE_STRIKEOUT) != 0);
    if ((cf.dwMask & CFM_SIZE) && cf.yHeight > 0)
        f.setFontPointSize(cf.yHeight / 20.0);  // twips
    if ((cf.dwMask & CFM_FACE) && cf.szFaceName[0] != '\0')
    {
        char face[LF_FACESIZE + 1];
        std::memcpy(face, cf.szFaceName, LF_FACESIZE);
        face[LF_FACESIZE] = '\0';
        f.setFontFamilies({ToQt(face)});
    }
    return f;
}

// A format applied to a whole widget: its text colour and font.
void ApplyToWidget(QWidget* w, const CHARFORMAT& cf)
{
    if (cf.dwMask & CFM_COLOR)
    {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Text, ColorOf((cf.dwEffects & CFE_AUTOCOLOR) ? ::GetSysColor(COLOR_WINDOWTEXT) : cf.crTextColor));
        w->setPalette(pal);
    }
    QFont font = w->font();
    QTextCharFormat f = FormatOf(cf);
    if (cf.dwMask & CFM_BOLD)
        font.setBold((cf.dwEffects & CFE_BOLD) != 0);
    if (cf.dwMask & CFM_ITALIC)
        font.setItalic((cf.dwEffects & CFE_ITALIC) != 0);
    if (cf.dwMask & CFM_UNDERLINE)
        font.setUnderline((cf.dwEffects & CFE_UNDERLINE) != 0);
    if (cf.dwMask & CFM_STRIKEOUT)
        font.setStrikeOut((cf.dwEffects & CFE_STRIKEOUT) != 0);
    if ((cf.dwMask & CFM_SIZE) && cf.yHeight > 0)
        font.setPointSizeF(cf.yHeight / 20.0);
    if (f.hasProperty(QTextFormat::FontFamilies))
        font.setFamilies(f.fontFamilies().toStringList());
    if (font != w->font())
        w->setFont(font);
}

}  // namespace

LRESULT RichEditProc::SetCharFormat(WPARAM scope, LPARAM lParam)
{
    auto* cf = reinterpret_cast<const CHARFORMAT*>(lParam);
    if (cf == nullptr || cf->cbSize < sizeof(CHARFORMAT))
        return FALSE;
    const QTextCharFormat format = FormatOf(*cf);
    if (scope & SCF_ALL)
    {
        if (m_multi != nullptr)
        {
            // A cursor of its own: the person's selection stays as it is.
            QTextCursor all(m_multi->document());
            all.select(QTextCursor::Document);
            all.mergeCharFormat(format);
            m_multi->mergeCurrentCharFormat(format);
        }
        else if (m_line != nullptr)
        {
            ApplyToWidget(m_line, *cf);
        }
        return TRUE;
    }
    if (scope & (SCF_SELECTION | SCF_WORD))
    {
        if (m_multi != nullptr)
        {
            QTextCursor sel = m_multi->textCursor();
            if (scope & SCF_WORD)
                sel.select(QTextCursor::WordUnderCursor);
            if (sel.hasSelection())
                sel.mergeCharFormat(format);
            else
                m_multi->mergeCurrentCharFormat(format);
        }
        else if (m_line != nullptr)
        {
            ApplyToWidget(m_line, *cf);  // a single line has one format
        }
        return TRUE;
    }
    // The default format: the text that has none of its own, and new text.
    m_defaultMask |= cf->dwMask;
    const DWORD effects = CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_AUTOCOLOR;
    DWORD changed = cf->dwMask & effects;
    if (cf->dwMask & CFM_COLOR)
        changed |= CFE_AUTOCOLOR;
    m_defaultEffects = (m_defaultEffects & ~changed) | (cf->dwEffects & changed);
    if (cf->dwMask & CFM_COLOR)
        m_defaultColor = cf->crTextColor;
    ApplyToWidget(Widget(), *cf);
    if (m_multi != nullptr)
        m_multi->mergeCurrentCharFormat(format);
    return TRUE;
}

LRESULT RichEditProc::GetCharFormat(WPARAM scope, LPARAM lParam)
{
    auto* cf = reinterpret_cast<CHARFORMAT*>(lParam);
    if (cf == nullptr || cf->cbSize < sizeof(CHARFORMAT))
        return 0;
    QFont font = Widget()->font();
    QColor color = Widget()->palette().color(QPalette::Text);
    DWORD effects = m_defaultEffects & CFE_AUTOCOLOR;
    if (scope != SCF_DEFAULT && m_multi != nullptr)
    {
        QTextCharFormat f = m_multi->textCursor().charFormat();
        font = f.font();
        if (f.hasProperty(QTextFormat::ForegroundBrush))
        {
            color = f.foreground().color();
            effects = 0;
        }
    }
    else if (!(m_defaultEffects & CFE_AUTOCOLOR))
    {
        color = ColorOf(m_defaultColor);
    }
    if (font.bold())
        effects |= CFE_BOLD;
    if (font.italic())
        effects |= CFE_ITALIC;
    if (font.underline())
        effects |= CFE_UNDERLINE;
    if (font.strikeOut())
        effects |= CFE_STRIKEOUT;
    cf->dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SIZE | CFM_FACE | CFM_CHARSET;
    cf->dwEffects = effects;
    cf->crTextColor = (effects & CFE_AUTOCOLOR) ? ::GetSysColor(COLOR_WINDOWTEXT) : ColorRefOf(color);
    cf->yHeight = static_cast<LONG>((font.pointSizeF() > 0 ? font.pointSizeF() : 9.0) * 20.0 + 0.5);
    cf->yOffset = 0;
    cf->bCharSet = GB2312_CHARSET;
    cf->bPitchAndFamily = 0;
    std::memset(cf->szFaceName, 0, sizeof(cf->szFaceName));
    CString face = FromQt(font.family());
    std::strncpy(cf->szFaceName, face, LF_FACESIZE - 1);
    return cf->dwMask;
}

}  // namespace pc
