// Date and time pickers, month calendars and progress bars.
#include "CtrlTestApp.h"
#include "FakeControlHost.h"

#include "../src/ui/DateTimeProc.h"

#include <QCalendarWidget>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

LRESULT Send(pc::ControlProc& p, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
{
    bool handled = false;
    return p.Proc(msg, wp, lp, handled);
}

SYSTEMTIME Day(int y, int m, int d)
{
    SYSTEMTIME st = {};
    st.wYear = WORD(y);
    st.wMonth = WORD(m);
    st.wDay = WORD(d);
    return st;
}

class DateTimeControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CtrlTestApp();
        parent = std::make_unique<QWidget>();
    }
    FakeControlHost host;
    std::unique_ptr<QWidget> parent;
};

}  // namespace

TEST_F(DateTimeControlTest, LongDateFormatShowsChineseDateWithoutLeadingZeros)
{
    auto dtp = pc::MakeControlProc(DATETIMEPICK_CLASS, &host, DTS_LONGDATEFORMAT | DTS_RIGHTALIGN, parent.get());
    SYSTEMTIME st = Day(2004, 3, 5);
    EXPECT_TRUE(Send(*dtp, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)));
    char buf[64] = {};
    Send(*dtp, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "2004\xC4\xEA" "3\xD4\xC2" "5\xC8\xD5");  // 2004年3月5日
    EXPECT_TRUE(host.notifies.empty());  // set by the program: no notification
    SYSTEMTIME back = {};
    EXPECT_EQ(Send(*dtp, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&back)), GDT_VALID);
    EXPECT_EQ(back.wYear, 2004);
    EXPECT_EQ(back.wMonth, 3);
    EXPECT_EQ(back.wDay, 5);
    EXPECT_EQ(back.wDayOfWeek, 5);  // a Friday
    EXPECT_EQ(Send(*dtp, DTM_SETSYSTEMTIME, GDT_NONE, 0), FALSE);  // no DTS_SHOWNONE
}

TEST_F(DateTimeControlTest, CalendarDropsDownIsColouredAndReportsTheChosenDay)
{
    auto dtp = pc::MakeControlProc(DATETIMEPICK_CLASS, &host, DTS_LONGDATEFORMAT, parent.get());
    auto* d = static_cast<pc::DateTimeProc*>(dtp.get());
    SYSTEMTIME st = Day(2004, 3, 5);
    Send(*dtp, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    // The parent colours the calendar when it drops down, as the grid's date cell does.
    host.onNotify = [&](NMHDR& hdr) {
        if (hdr.code == DTN_DROPDOWN) {
            Send(*dtp, DTM_SETMCCOLOR, MCSC_MONTHBK, 0xFFF9F4);
            Send(*dtp, DTM_SETMCCOLOR, MCSC_TITLEBK, 0xFFC7A2);
        }
    };
    d->DropDown();
    ASSERT_TRUE(d->IsDropped());
    ASSERT_NE(d->Calendar(), nullptr);
    EXPECT_EQ(d->Calendar()->palette().color(QPalette::Base), QColor(0xF4, 0xF9, 0xFF));
    EXPECT_EQ(d->Calendar()->selectedDate(), QDate(2004, 3, 5));
    EXPECT_EQ(Send(*dtp, DTM_GETMCCOLOR, MCSC_TITLEBK), 0xFFC7A2);

    d->ChooseDay(QDate(2004, 3, 9));
    EXPECT_EQ(host.notifies, (std::vector<UINT>{DTN_DROPDOWN, DTN_DATETIMECHANGE, DTN_CLOSEUP}));
    EXPECT_FALSE(d->IsDropped());
    SYSTEMTIME back = {};
    Send(*dtp, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back.wDay, 9);
}

TEST_F(DateTimeControlTest, PictureStringsBecomeQtFormats)
{
    EXPECT_EQ(pc::QtDateFormat(QString::fromUtf8("yyyy'年'M'月'd'日'")), QString::fromUtf8("yyyy'年'M'月'd'日'"));
    EXPECT_EQ(pc::QtDateFormat(QStringLiteral("dd/MM/yy hh:mm tt")), QStringLiteral("dd/MM/yy hh:mm AP"));
    EXPECT_EQ(pc::QtDateFormat(QStringLiteral("yyy")), QStringLiteral("yyyy"));
}

TEST_F(DateTimeControlTest, MonthCalendarReportsOnlyTheUsersSelection)
{
    auto cal = pc::MakeControlProc(MONTHCAL_CLASS, &host, 0, parent.get());
    SYSTEMTIME st = Day(2026, 2, 28);
    EXPECT_TRUE(Send(*cal, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st)));
    EXPECT_TRUE(host.notifies.empty());
    static_cast<QCalendarWidget*>(cal->Widget())->setSelectedDate(QDate(2026, 3, 1));
    EXPECT_EQ(host.notifies, (std::vector<UINT>{MCN_SELCHANGE}));
    SYSTEMTIME back = {};
    EXPECT_TRUE(Send(*cal, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&back)));
    EXPECT_EQ(back.wMonth, 3);
    EXPECT_EQ(back.wDay, 1);
}

TEST_F(DateTimeControlTest, ProgressStepsWrapPastTheMaximum)
{
    auto bar = pc::MakeControlProc(PROGRESS_CLASS, &host, 0, parent.get());
    Send(*bar, PBM_SETRANGE32, 0, 3000);
    Send(*bar, PBM_SETSTEP, 1);
    EXPECT_EQ(Send(*bar, PBM_SETPOS, 2999), 0);
    EXPECT_EQ(Send(*bar, PBM_STEPIT), 2999);
    EXPECT_EQ(Send(*bar, PBM_GETPOS), 3000);  // full
    Send(*bar, PBM_STEPIT);
    EXPECT_EQ(Send(*bar, PBM_GETPOS), 1);  // started over
    Send(*bar, PBM_SETSTEP, 30);
    Send(*bar, PBM_SETPOS, 2990);
    Send(*bar, PBM_STEPIT);
    EXPECT_EQ(Send(*bar, PBM_GETPOS), 20);
    Send(*bar, PBM_SETPOS, 5000);
    EXPECT_EQ(Send(*bar, PBM_GETPOS), 3000);  // positions stay in the range
    PBRANGE r = {};
    EXPECT_EQ(Send(*bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&r)), 3000);
    EXPECT_EQ(r.iLow, 0);
    EXPECT_EQ(Send(*bar, PBM_SETRANGE32, 10, 20), MAKELONG(0, 3000));
}
