// Private: the date and time picker (a date field with a drop-down month calendar), the
// month calendar, and the progress bar.
#pragma once

#include "ControlProc.h"

#include <QDateTime>
#include <QObject>

class QCalendarWidget;
class QDateTimeEdit;
class QProgressBar;
class QToolButton;

namespace pc {

QDateTime FromSystemTime(const SYSTEMTIME& st);
SYSTEMTIME ToSystemTime(const QDateTime& dt);
// A picture string of the platform's pickers ("yyyy'年'M'月'd'日'", "H:mm:ss"...) in
// Qt's form.
QString QtDateFormat(const QString& pictures);
// The calendar colours of MCSC_* indexes applied to a Qt calendar.
void ApplyCalendarColors(QCalendarWidget* cal, const COLORREF colors[6]);

class DateTimeProc : public QObject, public ControlProc
{
public:
    DateTimeProc(ControlHost* host, DWORD style, QWidget* parent);
    ~DateTimeProc() override;

    QWidget* Widget() const override { return m_widget; }
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    // The person's keys reach the field through the window's messages, as the picker's own.
    void Created() override;

    // The calendar drops down (DTN_DROPDOWN) and closes (DTN_CLOSEUP), as the person
    // opens and leaves it; choosing a day in it changes the date (DTN_DATETIMECHANGE).
    void DropDown();
    void CloseUp();
    void ChooseDay(const QDate& day);
    QCalendarWidget* Calendar() const { return m_calendar; }
    bool IsDropped() const { return m_dropped; }
    QDateTimeEdit* Field() const { return m_edit; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Changed();
    // Selects the field's current part unless something is selected already.
    void SelectCurrentPart();
    // Puts the cursor in the part under a point of the picker (client coordinates).
    void PlaceCursor(POINT pt);
    CString Text() const;

    QWidget* m_widget = nullptr;
    QDateTimeEdit* m_edit = nullptr;
    QToolButton* m_button = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    bool m_dropped = false;
    bool m_none = false;
    int m_quiet = 0;
    bool m_typing = false;  // a part is being typed: the next character goes on with it
    COLORREF m_colors[6];
};

class MonthCalProc : public QObject, public ControlProc
{
public:
    MonthCalProc(ControlHost* host, DWORD style, QWidget* parent);
    QWidget* Widget() const override;
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void Report(UINT code);
    QCalendarWidget* m_calendar = nullptr;
    int m_quiet = 0;
    COLORREF m_colors[6];
    QDate m_today;
};

class ProgressProc : public ControlProc
{
public:
    ProgressProc(ControlHost* host, DWORD style, QWidget* parent);
    QWidget* Widget() const override;
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    int Pos() const { return m_pos; }

private:
    void Show();
    void Sync();
    QProgressBar* m_bar = nullptr;
    bool m_pending = false;  // the bar was off the screen when its range or position changed
    int m_low = 0;
    int m_high = 100;
    int m_pos = 0;
    int m_step = 10;
};

}  // namespace pc
