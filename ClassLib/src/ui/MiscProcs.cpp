// Scroll bars, rich edits, address fields and animations.
#include "MiscProcs.h"
#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/RichEditFormat.h>

#include "AnimateClip.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMovie>

#include <cstring>


namespace pc {

// ---- Rich edit ----------------------------------------------------------------------------

RichEditProc::RichEditProc(ControlHost* host, DWORD style, QWidget* parent) : EditProc(host, style, parent) {}

void RichEditProc::Report(UINT code)
{
    if ((code == EN_CHANGE && !(m_eventMask & ENM_CHANGE)) || (code == EN_UPDATE && !(m_eventMask & ENM_UPDATE)))
        return;
    EditProc::Report(code);
}

LRESULT RichEditProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (msg) {
    case EM_SETEVENTMASK: {
        DWORD old = m_eventMask;
        m_eventMask = static_cast<DWORD>(lParam);
        return old;
    }
    case EM_GETEVENTMASK:
        return m_eventMask;
    case EM_EXGETSEL: {
        int s = 0, e = 0;
        GetSel(s, e);
        if (auto* cr = reinterpret_cast<CHARRANGE*>(lParam)) {
            cr->cpMin = s;
            cr->cpMax = e;
        }
        return 0;
    }
    case EM_EXSETSEL: {
        auto* cr = reinterpret_cast<const CHARRANGE*>(lParam);
        if (cr)
            SetSel(cr->cpMin, cr->cpMax);
        int s = 0, e = 0;
        GetSel(s, e);
        return e;
    }
    case EM_EXLIMITTEXT:
        return EditProc::Proc(EM_LIMITTEXT, static_cast<WPARAM>(lParam), 0, handled);
    case EM_GETSELTEXT: {
        int s = 0, e = 0;
        GetSel(s, e);
        CString text = CurrentText().Mid(s, e - s);
        if (lParam)
            std::memcpy(reinterpret_cast<char*>(lParam), static_cast<LPCTSTR>(text), size_t(text.GetLength()) + 1);
        return text.GetLength();
    }
    case EM_GETTEXTRANGE: {
        auto* tr = reinterpret_cast<TEXTRANGE*>(lParam);
        if (!tr || !tr->lpstrText)
            return 0;
        CString all = CurrentText();
        int lo = tr->chrg.cpMin < 0 ? 0 : tr->chrg.cpMin;
        int hi = tr->chrg.cpMax < 0 || tr->chrg.cpMax > all.GetLength() ? all.GetLength() : tr->chrg.cpMax;
        CString part = hi > lo ? all.Mid(lo, hi - lo) : CString();
        std::memcpy(tr->lpstrText, static_cast<LPCTSTR>(part), size_t(part.GetLength()) + 1);
        return part.GetLength();
    }
    case EM_CANPASTE:
        return !(m_style & ES_READONLY);
    case EM_HIDESELECTION:
        return TRUE;
    case EM_SETCHARFORMAT:
        return SetCharFormat(wParam, lParam);
    case EM_GETCHARFORMAT:
        return GetCharFormat(wParam, lParam);
    case EM_SETBKGNDCOLOR: {
        QWidget* w = Widget();
        QPalette pal = w->palette();
        if (!wParam)
            pal.setColor(QPalette::Base, QColor(GetRValue(lParam), GetGValue(lParam), GetBValue(lParam)));
        w->setPalette(pal);
        return 0;
    }
    default:
        return EditProc::Proc(msg, wParam, lParam, handled);
    }
}

// ---- Address field ------------------------------------------------------------------------

IPAddressProc::IPAddressProc(ControlHost* host, DWORD style, QWidget* parent) : ControlProc(host, style)
{
    m_widget = new QWidget(parent);
    auto* layout = new QHBoxLayout(m_widget);
    layout->setContentsMargins(1, 0, 1, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral("."), m_widget));
        auto* f = new QLineEdit(m_widget);
        f->setFrame(false);
        f->setAlignment(Qt::AlignCenter);
        f->setMaxLength(3);
        f->setValidator(new QIntValidator(0, 255, f));
        layout->addWidget(f, 1);
        m_fields.push_back(f);
        QObject::connect(f, &QLineEdit::textEdited, this, [this, i](const QString& t) {
            if (m_quiet)
                return;
            NMIPADDRESS nm = {};
            nm.hdr.code = IPN_FIELDCHANGED;
            nm.iField = i;
            nm.iValue = t.isEmpty() ? -1 : t.toInt();
            m_host->Notify(nm.hdr);
            m_host->Command(EN_CHANGE);
            if (t.size() == 3 && i < 3)
                m_fields[size_t(i + 1)]->setFocus();
        });
    }
    m_widget->setFocusProxy(m_fields[0]);
}

LRESULT IPAddressProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (msg) {
    case IPM_SETADDRESS: {
        DWORD a = static_cast<DWORD>(lParam);
        ++m_quiet;
        for (int i = 0; i < 4; ++i)
            m_fields[size_t(i)]->setText(QString::number((a >> (24 - 8 * i)) & 0xFF));
        --m_quiet;
        return TRUE;
    }
    case IPM_GETADDRESS: {
        DWORD a = 0;
        int filled = 0;
        for (int i = 0; i < 4; ++i) {
            QString t = m_fields[size_t(i)]->text();
            int v = t.isEmpty() ? 0 : t.toInt();
            if (!t.isEmpty())
                ++filled;
            if (v < m_low[i])
                v = m_low[i];
            if (v > m_high[i])
                v = m_high[i];
            a |= static_cast<DWORD>(v & 0xFF) << (24 - 8 * i);
        }
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = a;
        return filled;
    }
    case IPM_CLEARADDRESS:
        ++m_quiet;
        for (QLineEdit* f : m_fields)
            f->clear();
        --m_quiet;
        return 0;
    case IPM_ISBLANK:
        for (QLineEdit* f : m_fields)
            if (!f->text().isEmpty())
                return FALSE;
        return TRUE;
    case IPM_SETRANGE:
        if (wParam > 3)
            return FALSE;
        m_low[wParam] = LOBYTE(lParam);
        m_high[wParam] = HIBYTE(lParam);
        return TRUE;
    case IPM_SETFOCUS:
        if (wParam < 4)
            m_fields[wParam]->setFocus();
        return 0;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
        QStringList parts;
        for (QLineEdit* f : m_fields)
            parts << (f->text().isEmpty() ? QStringLiteral("0") : f->text());
        CString t = FromQt(parts.join(QLatin1Char('.')));
        return msg == WM_GETTEXT ? CopyText(t, wParam, lParam) : t.GetLength();
    }
    default:
        handled = false;
        return 0;
    }
}

// ---- Animation ----------------------------------------------------------------------------

AnimateProc::AnimateProc(ControlHost* host, DWORD style, QWidget* parent) : ControlProc(host, style)
{
    m_label = new QLabel(parent);
    m_label->setAlignment((style & ACS_CENTER) ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignTop));
}

AnimateProc::~AnimateProc()
{
    CloseMovie();
}

QWidget* AnimateProc::Widget() const
{
    return m_label;
}

void AnimateProc::CloseMovie()
{
    if (m_movie == nullptr)
        return;
    if (m_label != nullptr)
        m_label->setMovie(nullptr);
    delete m_movie;
    delete m_buffer;
    m_movie = nullptr;
    m_buffer = nullptr;
    m_clip.clear();
}

LRESULT AnimateProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (msg) {
    case ACM_OPEN: {
        const bool wasPlaying = m_playing;
        m_playing = false;
        CloseMovie();
        m_label->clear();
        m_open = false;
        if (wParam == kAnimateOpenClip) {
            // A clip plays as a movie; until it plays its first frame shows.
            m_clip = EncodeClipGif(reinterpret_cast<const AFX_CLIP_RESOURCE*>(lParam));
            if (!m_clip.isEmpty()) {
                m_buffer = new QBuffer(&m_clip);
                m_buffer->open(QIODevice::ReadOnly);
                m_movie = new QMovie(m_buffer, QByteArray("gif"));
                m_open = m_movie->isValid();
                if (m_open) {
                    m_movie->jumpToFrame(0);
                    m_label->setMovie(m_movie);
                } else {
                    CloseMovie();
                }
            }
        } else {
            // A still (a resource or file) is shown when one is known.
            m_open = lParam != 0;
            if (m_open)
                m_label->setPixmap(m_host->PixmapOf(reinterpret_cast<HANDLE>(lParam), IMAGE_BITMAP));
        }
        if (wasPlaying)
            m_host->Command(ACN_STOP);
        if (m_open && (m_style & ACS_AUTOPLAY)) {
            m_playing = true;
            if (m_movie != nullptr)
                m_movie->start();
            m_host->Command(ACN_START);
        }
        return m_open ? TRUE : FALSE;
    }
    case ACM_PLAY:
        if (!m_open)
            return FALSE;
        if (m_movie != nullptr) {
            m_movie->stop();
            m_movie->start();
        }
        m_playing = true;
        m_host->Command(ACN_START);
        return TRUE;
    case ACM_STOP:
        if (m_playing) {
            // The frame shown stays.
            if (m_movie != nullptr)
                m_movie->setPaused(true);
            m_playing = false;
            m_host->Command(ACN_STOP);
        }
        return TRUE;
    case ACM_ISPLAYING:
        return m_playing ? TRUE : FALSE;
    default:
        handled = false;
        return 0;
    }
}

}  // namespace pc
