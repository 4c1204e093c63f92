// The up-down control: arrows drawn by the style, steps reported before they are taken.
#include "SpinProc.h"
#include <ClassLib/AfxWin.h>

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

#include <cstdio>

namespace pc {

namespace {

class PcSpinArrows : public QWidget
{
public:
    PcSpinArrows(SpinProc* proc, bool horizontal, QWidget* parent)
        : QWidget(parent), m_proc(proc), m_horizontal(horizontal)
    {
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QStyleOption opt;
        opt.initFrom(this);
        QRect a = rect(), b = rect();
        if (m_horizontal) {
            a.setRight(width() / 2 - 1);
            b.setLeft(width() / 2);
        } else {
            a.setBottom(height() / 2 - 1);
            b.setTop(height() / 2);
        }
        for (int i = 0; i < 2; ++i) {
            opt.rect = i == 0 ? a : b;
            opt.state = QStyle::State_Enabled | QStyle::State_Raised;
            if (m_pressed == i)
                opt.state = QStyle::State_Enabled | QStyle::State_Sunken;
            style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &opt, &p, this);
            QStyle::PrimitiveElement arrow = m_horizontal ? (i == 0 ? QStyle::PE_IndicatorArrowLeft
                                                                     : QStyle::PE_IndicatorArrowRight)
                                                          : (i == 0 ? QStyle::PE_IndicatorArrowUp
                                                                     : QStyle::PE_IndicatorArrowDown);
            style()->drawPrimitive(arrow, &opt, &p, this);
        }
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() != Qt::LeftButton || !isEnabled())
            return;
        // Top (or right) is the up arrow.
        bool first = m_horizontal ? e->position().x() < width() / 2 : e->position().y() < height() / 2;
        m_pressed = first ? 0 : 1;
        update();
        int arrow = m_horizontal ? (first ? -1 : +1) : (first ? +1 : -1);
        m_proc->Step(arrow);
    }
    void mouseReleaseEvent(QMouseEvent*) override
    {
        m_pressed = -1;
        update();
    }

private:
    SpinProc* m_proc;
    bool m_horizontal;
    int m_pressed = -1;
};

}  // namespace

SpinProc::SpinProc(ControlHost* host, DWORD style, QWidget* parent) : ControlProc(host, style)
{
    m_widget = new PcSpinArrows(this, (style & UDS_HORZ) != 0, parent);
}

void SpinProc::Created()
{
    if (!(m_style & UDS_AUTOBUDDY))
        return;
    // The window before this one in dialog order.
    std::vector<HWND> all = m_host->Siblings();
    for (size_t i = 1; i < all.size(); ++i)
        if (all[i] == m_host->Self())
            SetBuddy(all[i - 1]);
}

SpinProc::~SpinProc()
{
    if (m_buddyWidget)
        m_buddyWidget->removeEventFilter(this);
}

int SpinProc::Clamp(int pos, bool wrap) const
{
    const int lo = m_lower < m_upper ? m_lower : m_upper;
    const int hi = m_lower < m_upper ? m_upper : m_lower;
    if (pos < lo)
        return wrap ? hi : lo;
    if (pos > hi)
        return wrap ? lo : hi;
    return pos;
}

void SpinProc::SetPos(int pos)
{
    m_pos = Clamp(pos, false);
    ShowInBuddy();
}

void SpinProc::ShowInBuddy()
{
    if (!m_buddy || !(m_style & UDS_SETBUDDYINT))
        return;
    char buf[32];
    if (m_base == 16) {
        std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(m_pos) & 0xFFFFFFFFu);
    } else if (!(m_style & UDS_NOTHOUSANDS) && (m_pos >= 1000 || m_pos <= -1000)) {
        char digits[24];
        std::snprintf(digits, sizeof digits, "%d", m_pos < 0 ? -m_pos : m_pos);
        std::string s(digits), out;
        int n = static_cast<int>(s.size());
        for (int i = 0; i < n; ++i) {
            out.push_back(s[size_t(i)]);
            if ((n - 1 - i) % 3 == 0 && i != n - 1)
                out.push_back(',');
        }
        std::snprintf(buf, sizeof buf, "%s%s", m_pos < 0 ? "-" : "", out.c_str());
    } else {
        std::snprintf(buf, sizeof buf, "%d", m_pos);
    }
    m_host->SendTo(m_buddy, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(buf));
}

bool SpinProc::ReadBuddy(int& value) const
{
    char buf[64] = {};
    m_host->SendTo(m_buddy, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    std::string s;
    for (const char* p = buf; *p; ++p)
        if (*p != ',')
            s.push_back(*p);
    if (s.empty())
        return false;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, m_base == 16 ? 16 : 10);
    if (!end || *end)
        return false;
    value = static_cast<int>(v);
    return true;
}

void SpinProc::SetBuddy(HWND buddy)
{
    if (m_buddyWidget)
        m_buddyWidget->removeEventFilter(this);
    m_buddy = buddy;
    m_buddyWidget = buddy ? m_host->WidgetOf(buddy) : nullptr;
    if (m_buddyWidget && (m_style & UDS_ARROWKEYS))
        m_buddyWidget->installEventFilter(this);
}

void SpinProc::Step(int arrow)
{
    if (!m_widget->isEnabled())
        return;
    if ((m_style & UDS_SETBUDDYINT) && m_buddy) {
        int v = 0;
        if (ReadBuddy(v))
            m_pos = Clamp(v, false);
    }
    // The up arrow moves towards the range's second value: in the default range (100..0)
    // that is a step of -1.
    const int sign = m_upper >= m_lower ? 1 : -1;
    NMUPDOWN nm = {};
    nm.hdr.code = UDN_DELTAPOS;
    nm.iPos = m_pos;
    nm.iDelta = arrow * sign * static_cast<int>(m_accel.empty() ? 1 : m_accel.front().nInc);
    if (m_host->Notify(nm.hdr) != 0)
        return;  // the parent refused the step
    // The step is taken from the position as it is now: the parent may have set it.
    int next = m_pos + nm.iDelta;
    m_pos = Clamp(next, (m_style & UDS_WRAP) != 0);
    ShowInBuddy();
    m_host->Scroll((m_style & UDS_HORZ) != 0, SB_THUMBPOSITION, m_pos);
    m_host->Scroll((m_style & UDS_HORZ) != 0, SB_ENDSCROLL, m_pos);
}

bool SpinProc::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_buddyWidget && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) {
            Step(k->key() == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return false;
}

LRESULT SpinProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (msg) {
    case UDM_SETRANGE:
        m_upper = static_cast<SHORT>(LOWORD(lParam));
        m_lower = static_cast<SHORT>(HIWORD(lParam));
        m_pos = Clamp(m_pos, false);
        return 0;
    case UDM_GETRANGE:
        return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(m_upper, m_lower)));
    case UDM_SETRANGE32:
        m_lower = static_cast<int>(static_cast<INT_PTR>(wParam));
        m_upper = static_cast<int>(lParam);
        m_pos = Clamp(m_pos, false);
        return 0;
    case UDM_GETRANGE32:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = m_lower;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = m_upper;
        return 0;
    case UDM_SETPOS: {
        int old = m_pos;
        SetPos(static_cast<SHORT>(LOWORD(lParam)));
        return old;
    }
    case UDM_SETPOS32: {
        int old = m_pos;
        SetPos(static_cast<int>(lParam));
        return old;
    }
    case UDM_GETPOS:
    case UDM_GETPOS32: {
        bool error = false;
        if ((m_style & UDS_SETBUDDYINT) && m_buddy) {
            int v = 0;
            if (ReadBuddy(v))
                m_pos = Clamp(v, false);
            else
                error = true;
        }
        if (msg == UDM_GETPOS32) {
            if (lParam)
                *reinterpret_cast<BOOL*>(lParam) = error ? TRUE : FALSE;
            return m_pos;
        }
        // The 16-bit position, with a failure to read the buddy in the high word.
        return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(m_pos, error ? 1 : 0)));
    }
    case UDM_SETBUDDY: {
        HWND old = m_buddy;
        SetBuddy(reinterpret_cast<HWND>(wParam));
        return reinterpret_cast<LRESULT>(old);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(m_buddy);
    case UDM_SETACCEL: {
        auto* a = reinterpret_cast<const UDACCEL*>(lParam);
        if (!a || wParam == 0)
            return FALSE;
        m_accel.assign(a, a + wParam);
        return TRUE;
    }
    case UDM_GETACCEL: {
        auto* a = reinterpret_cast<UDACCEL*>(lParam);
        size_t n = wParam < m_accel.size() ? wParam : m_accel.size();
        for (size_t i = 0; a && i < n; ++i)
            a[i] = m_accel[i];
        return static_cast<LRESULT>(m_accel.size());
    }
    case UDM_SETBASE: {
        if (wParam != 10 && wParam != 16)
            return 0;
        int old = m_base;
        m_base = static_cast<int>(wParam);
        ShowInBuddy();
        return old;
    }
    case UDM_GETBASE:
        return m_base;
    default:
        handled = false;
        return 0;
    }
}

}  // namespace pc
