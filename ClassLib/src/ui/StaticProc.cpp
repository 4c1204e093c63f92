// Static controls on QLabel and QFrame.
#include "StaticProc.h"
#include <ClassLib/AfxWin.h>

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>

namespace pc {

namespace {

class PcOwnerDrawStatic : public QWidget
{
public:
    PcOwnerDrawStatic(StaticProc* proc, QWidget* parent) : QWidget(parent), m_proc(proc) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        m_proc->Paint(p);
    }

private:
    StaticProc* m_proc;
};

}  // namespace

QString WithoutPrefix(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += text.at(i);
    }
    return out;
}

StaticProc::StaticProc(ControlHost* host, DWORD style, QWidget* parent) : ControlProc(host, style)
{
    switch (Type()) {
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME:
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: {
        auto* f = new QFrame(parent);
        f->setFrameShape(Type() == SS_ETCHEDHORZ ? QFrame::HLine : Type() == SS_ETCHEDVERT ? QFrame::VLine : QFrame::Box);
        f->setFrameShadow(Type() <= SS_ETCHEDFRAME && Type() >= SS_ETCHEDHORZ ? QFrame::Sunken : QFrame::Plain);
        m_widget = f;
        break;
    }
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: {
        auto* f = new QFrame(parent);
        f->setAutoFillBackground(true);
        QPalette pal = f->palette();
        pal.setColor(QPalette::Window, Type() == SS_BLACKRECT ? QColor(0, 0, 0)
                                       : Type() == SS_GRAYRECT ? QColor(128, 128, 128)
                                                               : QColor(255, 255, 255));
        f->setPalette(pal);
        m_widget = f;
        break;
    }
    case SS_OWNERDRAW:
        m_widget = new PcOwnerDrawStatic(this, parent);
        break;
    default: {
        m_label = new QLabel(parent);
        Qt::Alignment a = Qt::AlignTop;
        if (Type() == SS_CENTER)
            a = Qt::AlignTop | Qt::AlignHCenter;
        else if (Type() == SS_RIGHT)
            a = Qt::AlignTop | Qt::AlignRight;
        if (m_style & SS_CENTERIMAGE)
            a = (a & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
        if (Type() == SS_ICON || Type() == SS_BITMAP)
            a = (m_style & SS_CENTERIMAGE) ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignTop);
        m_label->setAlignment(a);
        m_label->setWordWrap(Type() == SS_LEFT || Type() == SS_CENTER || Type() == SS_RIGHT);
        m_label->setTextFormat(Qt::PlainText);
        if (m_style & SS_SUNKEN) {
            m_label->setFrameShape(QFrame::Panel);
            m_label->setFrameShadow(QFrame::Sunken);
        }
        m_widget = m_label;
        break;
    }
    }
    m_widget->installEventFilter(this);
}

StaticProc::~StaticProc() = default;

void StaticProc::ShowText()
{
    if (!m_label)
        return;
    if (Type() == SS_ICON || Type() == SS_BITMAP)
        return;
    QString t = ToQt(m_text);
    m_label->setText((m_style & SS_NOPREFIX) ? t : WithoutPrefix(t));
}

void StaticProc::Paint(QPainter& painter)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_STATIC;
    dis.itemAction = ODA_DRAWENTIRE;
    if (!m_widget->isEnabled())
        dis.itemState |= ODS_DISABLED;
    dis.rcItem = {0, 0, m_widget->width(), m_widget->height()};
    m_host->OwnerDraw(painter, dis);
}

bool StaticProc::eventFilter(QObject* watched, QEvent* event)
{
    // Before a text is painted the parent chooses its colour (WM_CTLCOLORSTATIC, which a
    // control class may take as a reflected message).
    if (watched == m_widget && m_label && event->type() == QEvent::Paint && Type() != SS_ICON &&
        Type() != SS_BITMAP) {
        QPalette pal = m_label->palette();
        QColor current = pal.color(QPalette::Active, QPalette::WindowText);
        COLORREF text = RGB(current.red(), current.green(), current.blue());
        m_host->CtlColorText(WM_CTLCOLORSTATIC, &text);
        QColor wanted(GetRValue(text), GetGValue(text), GetBValue(text));
        if (wanted != current) {
            pal.setColor(QPalette::Active, QPalette::WindowText, wanted);
            pal.setColor(QPalette::Inactive, QPalette::WindowText, wanted);
            m_label->setPalette(pal);
        }
    }
    if (watched == m_widget && (m_style & SS_NOTIFY) && m_widget->isEnabled()) {
        if (event->type() == QEvent::MouseButtonRelease)
            m_host->Command(STN_CLICKED);
        else if (event->type() == QEvent::MouseButtonDblClick)
            m_host->Command(STN_DBLCLK);
    }
    return false;
}

LRESULT StaticProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (msg) {
    case WM_SETTEXT:
        m_text = reinterpret_cast<LPCTSTR>(lParam);
        ShowText();
        if (!m_label)
            m_widget->update();
        return TRUE;
    case WM_GETTEXT:
        return CopyText(m_text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return m_text.GetLength();
    case STM_SETIMAGE:
    case STM_SETICON: {
        HANDLE old = m_image;
        m_image = msg == STM_SETICON ? reinterpret_cast<HANDLE>(wParam) : reinterpret_cast<HANDLE>(lParam);
        UINT type = msg == STM_SETICON ? IMAGE_ICON : static_cast<UINT>(wParam);
        if (m_label) {
            QPixmap pm = m_host->PixmapOf(m_image, type);
            m_label->setPixmap(pm);
        }
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(m_image);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    default:
        handled = false;
        return 0;
    }
}

}  // namespace pc
