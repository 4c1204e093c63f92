// Date and time pickers, month calendars and progress bars on Qt's widgets.
#include "DateTimeProc.h"
#include <ClassLib/AfxWin.h>

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTextCharFormat>
#include <QToolButton>
#include <QWindow>

#include <functional>

void AfxBridgeWidgetInput(HWND hWnd, QWidget* pChild);  // WndWidget.cpp

namespace pc {

namespace {

const COLORREF kDefaultColor = 0xFF000000u;  // CLR_DEFAULT: the calendar's own colour

QColor ColorOf(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QString DefaultFormat(DWORD style)
{
    if ((style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT)
        return QStringLiteral("H:mm:ss");
    if (style & DTS_LONGDATEFORMAT)
        return QString::fromUtf8("yyyy'年'M'月'd'日'");
    return QStringLiteral("yyyy-M-d");
}

}  // namespace

QDateTime FromSystemTime(const SYSTEMTIME& st)
{
    return QDateTime(QDate(st.wYear, st.wMonth, st.wDay), QTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds));
}

SYSTEMTIME ToSystemTime(const QDateTime& dt)
{
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(dt.date().year());
    st.wMonth = static_cast<WORD>(dt.date().month());
    st.wDay = static_cast<WORD>(dt.date().day());
    st.wDayOfWeek = static_cast<WORD>(dt.date().dayOfWeek() % 7);
    st.wHour = static_cast<WORD>(dt.time().hour());
    st.wMinute = static_cast<WORD>(dt.time().minute());
    st.wSecond = static_cast<WORD>(dt.time().second());
    st.wMilliseconds = static_cast<WORD>(dt.time().msec());
    return st;
}

QString QtDateFormat(const QString& pictures)
{
    QString out;
    int i = 0;
    const int n = int(pictures.size());
    while (i < n) {
        QChar c = pictures.at(i);
        if (c == QLatin1Char('\'')) {
            int j = pictures.indexOf(QLatin1Char('\''), i + 1);
            if (j < 0)
                j = n;
            out += pictures.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        int run = 1;
        while (i + run < n && pictures.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('t'))
            out += QStringLiteral("AP");
        else if (c == QLatin1Char('y'))
            out += run >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy");
        else if (c.isLetter() && QStringLiteral("dMhHms").contains(c))
            out += QString(run > 4 ? 4 : run, c);
        else if (c.isLetter())
            out += QLatin1Char('\'') + QString(run, c) + QLatin1Char('\'');
        else
            out += QString(run, c);
        i += run;
    }
    return out;
}

void ApplyCalendarColors(QCalendarWidget* cal, const COLORREF colors[6])
{
    if (!cal)
        return;
    QPalette pal = cal->palette();
    if (colors[MCSC_MONTHBK] != kDefaultColor)
        pal.setColor(QPalette::Base, ColorOf(colors[MCSC_MONTHBK]));
    if (colors[MCSC_BACKGROUND] != kDefaultColor)
        pal.setColor(QPalette::Window, ColorOf(colors[MCSC_BACKGROUND]));
    if (colors[MCSC_TEXT] != kDefaultColor)
        pal.setColor(QPalette::Text, ColorOf(colors[MCSC_TEXT]));
    cal->setPalette(pal);
    QString sheet;
    if (colors[MCSC_TITLEBK] != kDefaultColor)
        sheet += QStringLiteral("#qt_calendar_navigationbar { background-color: %1; }").arg(ColorOf(colors[MCSC_TITLEBK]).name());
    if (colors[MCSC_TITLETEXT] != kDefaultColor)
        sheet += QStringLiteral("#qt_calendar_navigationbar QToolButton { color: %1; }")
                     .arg(ColorOf(colors[MCSC_TITLETEXT]).name());
    cal->setStyleSheet(sheet);
}

// ---- Date and time picker ---------------------------------------------------------------

DateTimeProc::DateTimeProc(ControlHost* host, DWORD style, QWidget* parent) : ControlProc(host, style)
{
    for (COLORREF& c : m_colors)
        c = kDefaultColor;
    m_widget = new QWidget(parent);
    auto* layout = new QHBoxLayout(m_widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_edit = new QDateTimeEdit(QDateTime::currentDateTime(), m_widget);
    m_edit->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    m_edit->setDisplayFormat(DefaultFormat(style));
    m_edit->setMinimumDateTime(QDateTime(QDate(1601, 1, 1), QTime(0, 0)));
    m_edit->setMaximumDateTime(QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)));
    m_edit->setFrame(false);
    if (style & DTS_RIGHTALIGN)
        m_edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(m_edit, 1);
    if (style & DTS_UPDOWN) {
        m_edit->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    } else {
        m_edit->setButtonSymbols(QAbstractSpinBox::NoButtons);
        m_button = new QToolButton(m_widget);
        m_button->setArrowType(Qt::DownArrow);
        m_button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(m_button);
        QObject::connect(m_button, &QToolButton::clicked, this, [this] {
            if (m_dropped)
                CloseUp();
            else
                DropDown();
        });
    }
    m_widget->setFocusProxy(m_edit);
    QObject::connect(m_edit, &QDateTimeEdit::dateTimeChanged, this, [this] { Changed(); });
    m_edit->installEventFilter(this);
    // A click lands on the field's text box: it picks the part typed next.
    if (auto* line = m_edit->findChild<QLineEdit*>())
        line->installEventFilter(this);
}

void DateTimeProc::Created()
{
    // The field has the keyboard focus inside the picker: its keys become the picker's
    // messages (Enter, Tab and Escape reach the window) before the field takes them.
    AfxBridgeWidgetInput(m_host->Self(), m_edit);
}

DateTimeProc::~DateTimeProc()
{
    delete m_calendar;
}

void DateTimeProc::Changed()
{
    if (m_quiet)
        return;
    m_none = false;
    NMDATETIMECHANGE nm = {};
    nm.nmhdr.code = DTN_DATETIMECHANGE;
    nm.dwFlags = GDT_VALID;
    nm.st = ToSystemTime(m_edit->dateTime());
    m_host->Notify(nm.nmhdr);
}

void DateTimeProc::DropDown()
{
    if (m_dropped || !m_button || !m_widget->isEnabled())
        return;
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(nullptr);
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setLocale(m_edit->locale());
        m_calendar->setFirstDayOfWeek(Qt::Sunday);
        m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        m_calendar->setGridVisible(false);
        QObject::connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate d) { ChooseDay(d); });
        QObject::connect(m_calendar, &QCalendarWidget::activated, this, [this](QDate d) { ChooseDay(d); });
        m_calendar->installEventFilter(this);
    }
    m_calendar->setMinimumDate(m_edit->minimumDate());
    m_calendar->setMaximumDate(m_edit->maximumDate());
    m_calendar->setSelectedDate(m_edit->date());
    ApplyCalendarColors(m_calendar, m_colors);
    m_dropped = true;
    // The parent hears of it before the calendar shows, so that it can colour it.
    NMHDR hdr = {};
    hdr.code = DTN_DROPDOWN;
    m_host->Notify(hdr);
    ApplyCalendarColors(m_calendar, m_colors);
    if (!m_dropped)
        return;
    m_calendar->adjustSize();
    m_calendar->move(m_widget->mapToGlobal(QPoint(0, m_widget->height())));
    m_calendar->show();
}

void DateTimeProc::CloseUp()
{
    if (!m_dropped)
        return;
    m_dropped = false;
    if (m_calendar && m_calendar->isVisible())
        m_calendar->hide();
    NMHDR hdr = {};
    hdr.code = DTN_CLOSEUP;
    m_host->Notify(hdr);
}

void DateTimeProc::ChooseDay(const QDate& day)
{
    QDateTime dt = m_edit->dateTime();
    dt.setDate(day);
    if (dt != m_edit->dateTime())
        m_edit->setDateTime(dt);  // reported as the person's change
    CloseUp();
}

bool DateTimeProc::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_F4 || (k->key() == Qt::Key_Down && (k->modifiers() & Qt::AltModifier))) {
            DropDown();
            return true;
        }
        const bool printable = !k->text().isEmpty() && k->text().at(0).isPrint() &&
                               !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (printable) {
            if (!m_typing)
                SelectCurrentPart();
            m_typing = true;
        } else if (k->key() != Qt::Key_Backspace && k->key() != Qt::Key_Shift) {
            m_typing = false;  // arrows, Home, End: the next character starts a part afresh
        }
    }
    // Leaving the field ends the typing of a part (the focus coming back starts afresh).
    if (watched == m_edit && event->type() == QEvent::FocusOut)
        m_typing = false;
    // A click on the text box: the picker takes the focus (the window system may hand the
    // click to the text box without going through the picker), and the part under the
    // cursor is typed afresh.
    if (watched != m_edit && watched != m_calendar && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && m_widget->isEnabled() &&
        ::GetFocus() != m_host->Self())
        ::SetFocus(m_host->Self());
    if (watched != m_edit && watched != m_calendar && event->type() == QEvent::MouseButtonRelease)
        m_typing = false;
    if (watched == m_calendar && event->type() == QEvent::Hide && m_dropped)
        CloseUp();
    return false;
}

void DateTimeProc::SelectCurrentPart()
{
    // As on the platform's picker, a part of the date is always chosen and what is typed
    // replaces it: typed at the cursor, "2" before or inside "2026" makes a date the field
    // refuses, and the typing would be lost.
    auto* line = m_edit->findChild<QLineEdit*>();
    if (!line || line->hasSelectedText() || m_edit->currentSection() == QDateTimeEdit::NoSection)
        return;
    m_edit->setSelectedSection(m_edit->currentSection());
}

void DateTimeProc::PlaceCursor(POINT pt)
{
    auto* line = m_edit->findChild<QLineEdit*>();
    if (!line)
        return;
    const QPoint at = line->mapFrom(m_widget, QPoint(pt.x, pt.y));
    line->deselect();
    line->setCursorPosition(line->cursorPositionAt(at));
    m_typing = false;
}

CString DateTimeProc::Text() const
{
    return m_none ? CString() : FromQt(m_edit->text());
}

LRESULT DateTimeProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (msg) {
    case DTM_GETSYSTEMTIME: {
        auto* st = reinterpret_cast<SYSTEMTIME*>(lParam);
        if (!st)
            return GDT_ERROR;
        if (m_none && (m_style & DTS_SHOWNONE))
            return GDT_NONE;
        *st = ToSystemTime(m_edit->dateTime());
        return GDT_VALID;
    }
    case DTM_SETSYSTEMTIME: {
        if (wParam == GDT_NONE) {
            if (!(m_style & DTS_SHOWNONE))
                return FALSE;
            m_none = true;
            return TRUE;
        }
        auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
        if (!st)
            return FALSE;
        QDateTime dt = FromSystemTime(*st);
        if (!dt.isValid() || dt < m_edit->minimumDateTime() || dt > m_edit->maximumDateTime())
            return FALSE;
        m_typing = false;
        ++m_quiet;
        m_edit->setDateTime(dt);
        --m_quiet;
        m_none = false;
        return TRUE;
    }
    case DTM_SETRANGE: {
        auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
        ++m_quiet;
        m_edit->setMinimumDateTime((wParam & GDTR_MIN) && st ? FromSystemTime(st[0])
                                                             : QDateTime(QDate(1601, 1, 1), QTime(0, 0)));
        m_edit->setMaximumDateTime((wParam & GDTR_MAX) && st ? FromSystemTime(st[1])
                                                             : QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)));
        --m_quiet;
        return TRUE;
    }
    case DTM_GETRANGE: {
        auto* st = reinterpret_cast<SYSTEMTIME*>(lParam);
        if (st) {
            st[0] = ToSystemTime(m_edit->minimumDateTime());
            st[1] = ToSystemTime(m_edit->maximumDateTime());
        }
        DWORD flags = 0;
        if (m_edit->minimumDate() != QDate(1601, 1, 1))
            flags |= GDTR_MIN;
        if (m_edit->maximumDate() != QDate(9999, 12, 31))
            flags |= GDTR_MAX;
        return flags;
    }
    case DTM_SETFORMAT: {
        auto* f = reinterpret_cast<LPCTSTR>(lParam);
        ++m_quiet;
        m_edit->setDisplayFormat(f && *f ? QtDateFormat(ToQt(f)) : DefaultFormat(m_style));
        --m_quiet;
        return TRUE;
    }
    case DTM_SETMCCOLOR: {
        if (wParam > MCSC_TRAILINGTEXT)
            return static_cast<LRESULT>(-1);
        COLORREF old = m_colors[wParam];
        m_colors[wParam] = static_cast<COLORREF>(lParam);
        if (m_calendar)
            ApplyCalendarColors(m_calendar, m_colors);
        return old;
    }
    case DTM_GETMCCOLOR:
        return wParam <= MCSC_TRAILINGTEXT ? static_cast<LRESULT>(m_colors[wParam]) : static_cast<LRESULT>(-1);
    case DTM_GETMONTHCAL:
        return 0;
    case WM_GETTEXT:
        return CopyText(Text(), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return Text().GetLength();
    case WM_SETTEXT:
        return FALSE;
    case WM_KEYDOWN:
        if (wParam == VK_F4)
            DropDown();
        return 0;
    case WM_LBUTTONDOWN:
        // A click in the field takes the focus and chooses the part under it, as the
        // platform's picker does; the drop-down button is a widget of its own.
        if (m_widget->isEnabled()) {
            if (::GetFocus() != m_host->Self())
                ::SetFocus(m_host->Self());
            PlaceCursor(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        }
        handled = false;
        return 0;
    case WM_CHAR: {
        // A character sent by code is typed into the field's current part (a digit of the
        // year, say), as the person's would be.
        const UINT ch = static_cast<UINT>(wParam);
        if (ch < 0x20 || ch >= 0x7F)
            return 0;
        const int key = (ch >= 'a' && ch <= 'z') ? static_cast<int>(ch - 'a' + 'A') : static_cast<int>(ch);
        if (!m_typing)
            SelectCurrentPart();
        m_typing = true;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(static_cast<char16_t>(ch))));
        // Straight to the field: not through the input bridge, which would make it a keystroke.
        static_cast<QObject*>(m_edit)->event(&press);
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        handled = false;
        return 0;
    }
}

// ---- Month calendar --------------------------------------------------------------------

MonthCalProc::MonthCalProc(ControlHost* host, DWORD style, QWidget* parent) : ControlProc(host, style)
{
    for (COLORREF& c : m_colors)
        c = kDefaultColor;
    m_calendar = new QCalendarWidget(parent);
    m_calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setVerticalHeaderFormat((style & MCS_WEEKNUMBERS) ? QCalendarWidget::ISOWeekNumbers
                                                                  : QCalendarWidget::NoVerticalHeader);
    m_today = QDate::currentDate();
    QObject::connect(m_calendar, &QCalendarWidget::selectionChanged, this, [this] {
        if (!m_quiet)
            Report(MCN_SELCHANGE);
    });
    QObject::connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate) { Report(MCN_SELECT); });
}

QWidget* MonthCalProc::Widget() const
{
    return m_calendar;
}

void MonthCalProc::Report(UINT code)
{
    NMSELCHANGE nm = {};
    nm.nmhdr.code = code;
    nm.stSelStart = ToSystemTime(QDateTime(m_calendar->selectedDate(), QTime(0, 0)));
    nm.stSelEnd = nm.stSelStart;
    m_host->Notify(nm.nmhdr);
}

LRESULT MonthCalProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (msg) {
    case MCM_GETCURSEL: {
        auto* st = reinterpret_cast<SYSTEMTIME*>(lParam);
        if (!st)
            return FALSE;
        *st = ToSystemTime(QDateTime(m_calendar->selectedDate(), QTime(0, 0)));
        return TRUE;
    }
    case MCM_SETCURSEL: {
        auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
        if (!st)
            return FALSE;
        QDate d(st->wYear, st->wMonth, st->wDay);
        if (!d.isValid() || d < m_calendar->minimumDate() || d > m_calendar->maximumDate())
            return FALSE;
        ++m_quiet;
        m_calendar->setSelectedDate(d);
        --m_quiet;
        return TRUE;
    }
    case MCM_SETRANGE: {
        auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
        ++m_quiet;
        if ((wParam & GDTR_MIN) && st)
            m_calendar->setMinimumDate(QDate(st[0].wYear, st[0].wMonth, st[0].wDay));
        if ((wParam & GDTR_MAX) && st)
            m_calendar->setMaximumDate(QDate(st[1].wYear, st[1].wMonth, st[1].wDay));
        --m_quiet;
        return TRUE;
    }
    case MCM_GETRANGE: {
        auto* st = reinterpret_cast<SYSTEMTIME*>(lParam);
        if (st) {
            st[0] = ToSystemTime(QDateTime(m_calendar->minimumDate(), QTime(0, 0)));
            st[1] = ToSystemTime(QDateTime(m_calendar->maximumDate(), QTime(0, 0)));
        }
        return GDTR_MIN | GDTR_MAX;
    }
    case MCM_SETCOLOR: {
        if (wParam > MCSC_TRAILINGTEXT)
            return static_cast<LRESULT>(-1);
        COLORREF old = m_colors[wParam];
        m_colors[wParam] = static_cast<COLORREF>(lParam);
        ApplyCalendarColors(m_calendar, m_colors);
        return old;
    }
    case MCM_GETCOLOR:
        return wParam <= MCSC_TRAILINGTEXT ? static_cast<LRESULT>(m_colors[wParam]) : static_cast<LRESULT>(-1);
    case MCM_SETTODAY: {
        auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
        m_today = st ? QDate(st->wYear, st->wMonth, st->wDay) : QDate::currentDate();
        return 0;
    }
    case MCM_GETTODAY: {
        auto* st = reinterpret_cast<SYSTEMTIME*>(lParam);
        if (!st)
            return FALSE;
        *st = ToSystemTime(QDateTime(m_today, QTime(0, 0)));
        return TRUE;
    }
    case MCM_SETFIRSTDAYOFWEEK: {
        // The platform counts 0 = Monday.
        int old = (static_cast<int>(m_calendar->firstDayOfWeek()) + 6) % 7;
        m_calendar->setFirstDayOfWeek(static_cast<Qt::DayOfWeek>(static_cast<int>(lParam) % 7 + 1));
        return old;
    }
    case MCM_GETFIRSTDAYOFWEEK:
        return (static_cast<int>(m_calendar->firstDayOfWeek()) + 6) % 7;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    default:
        handled = false;
        return 0;
    }
}

// ---- Progress bar ----------------------------------------------------------------------

namespace {

// A bar that takes its range and position when it is painted: one stepped once per item of a
// long load while its window is hidden or not yet on the screen costs nothing per step.
class CatchUpProgressBar : public QProgressBar
{
public:
    using QProgressBar::QProgressBar;
    std::function<bool()> pending;  // values are waiting to be taken
    std::function<void()> take;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        // Only when values wait: enabling updates again asks for another paint, so doing it
        // at every paint would repaint the bar for as long as it is on the screen.
        if (pending && take && pending()) {
            // Taking the values would ask for a repaint, which a paint must not.
            setUpdatesEnabled(false);
            take();
            setUpdatesEnabled(true);
        }
        QProgressBar::paintEvent(e);
    }
};

// TRUE when the bar can be seen: shown, in a window the screen shows.
bool OnScreen(const QWidget* w)
{
    if (!w->isVisible())
        return false;
    const QWindow* h = w->window()->windowHandle();
    return h != nullptr && h->isExposed();
}

}  // namespace

ProgressProc::ProgressProc(ControlHost* host, DWORD style, QWidget* parent) : ControlProc(host, style)
{
    auto* bar = new CatchUpProgressBar(parent);
    bar->pending = [this] { return m_pending; };
    bar->take = [this] { Sync(); };
    m_bar = bar;
    m_bar->setTextVisible(false);
    m_bar->setOrientation((style & PBS_VERTICAL) ? Qt::Vertical : Qt::Horizontal);
    Sync();
}

QWidget* ProgressProc::Widget() const
{
    return m_bar;
}

void ProgressProc::Show()
{
    if (!OnScreen(m_bar)) {
        m_pending = true;
        return;
    }
    Sync();
}

void ProgressProc::Sync()
{
    m_pending = false;
    // Qt's bar wants low <= high; the platform accepts either order.
    int lo = m_low < m_high ? m_low : m_high;
    int hi = m_low < m_high ? m_high : m_low;
    m_bar->setRange(lo, hi == lo ? lo + 1 : hi);
    m_bar->setValue(m_pos);
}

LRESULT ProgressProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    auto clamp = [this](long long p) {
        int lo = m_low < m_high ? m_low : m_high;
        int hi = m_low < m_high ? m_high : m_low;
        return static_cast<int>(p < lo ? lo : p > hi ? hi : p);
    };
    switch (msg) {
    case PBM_SETRANGE: {
        LRESULT old = static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(m_low, m_high)));
        m_low = LOWORD(lParam);
        m_high = HIWORD(lParam);
        m_pos = clamp(m_pos);
        Show();
        return old;
    }
    case PBM_SETRANGE32: {
        LRESULT old = static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(m_low, m_high)));
        m_low = static_cast<int>(static_cast<INT_PTR>(wParam));
        m_high = static_cast<int>(lParam);
        m_pos = clamp(m_pos);
        Show();
        return old;
    }
    case PBM_GETRANGE: {
        if (auto* r = reinterpret_cast<PBRANGE*>(lParam)) {
            r->iLow = m_low;
            r->iHigh = m_high;
        }
        return wParam ? m_low : m_high;
    }
    case PBM_SETPOS: {
        int old = m_pos;
        m_pos = clamp(static_cast<int>(static_cast<INT_PTR>(wParam)));
        Show();
        return old;
    }
    case PBM_DELTAPOS: {
        int old = m_pos;
        m_pos = clamp(static_cast<long long>(m_pos) + static_cast<int>(static_cast<INT_PTR>(wParam)));
        Show();
        return old;
    }
    case PBM_SETSTEP: {
        int old = m_step;
        m_step = static_cast<int>(static_cast<INT_PTR>(wParam));
        return old;
    }
    case PBM_STEPIT: {
        int old = m_pos;
        long long next = static_cast<long long>(m_pos) + m_step;
        int lo = m_low < m_high ? m_low : m_high;
        int hi = m_low < m_high ? m_high : m_low;
        // Past the end the bar starts over from its beginning.
        if (next > hi && hi > lo)
            next = lo + (next - hi) % (static_cast<long long>(hi) - lo);
        else if (next < lo && hi > lo)
            next = hi - (lo - next) % (static_cast<long long>(hi) - lo);
        m_pos = clamp(next);
        Show();
        return old;
    }
    case PBM_GETPOS:
        return m_pos;
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR:
        return static_cast<LRESULT>(kDefaultColor);
    default:
        handled = false;
        return 0;
    }
}

}  // namespace pc
