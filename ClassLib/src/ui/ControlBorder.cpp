#include "ControlBorder.h"

#include <ClassLib/Wnd/QtInterop.h>
#include <ClassLib/Wnd/System.h>

#include <QFrame>
#include <QPainter>
#include <QPalette>

namespace pc {

namespace {

QColor FrameColour() { return AfxQColor(GetSysColor(COLOR_WINDOWFRAME)); }

}  // namespace

void ApplyThinBorder(QFrame* frame, bool border)
{
    if (!frame)
        return;
    if (!border) {
        frame->setFrameShape(QFrame::NoFrame);
        return;
    }
    QPalette pal = frame->palette();
    pal.setColor(QPalette::WindowText, FrameColour());
    frame->setPalette(pal);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
}

void BorderedLineEdit::SetBorder(bool border)
{
    if (border == m_border)
        return;
    m_border = border;
    const int m = border ? 1 : 0;
    setContentsMargins(m, m, m, m);
    update();
}

void BorderedLineEdit::paintEvent(QPaintEvent* e)
{
    QLineEdit::paintEvent(e);
    if (!m_border)
        return;
    QPainter p(this);
    p.setPen(FrameColour());
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace pc
