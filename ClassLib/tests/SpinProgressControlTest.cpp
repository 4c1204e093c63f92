// Up-down controls and progress bars: ranges, the sign of a step, buddies, wrapping.
#include "CtrlTestApp.h"
#include "FakeControlHost.h"

#include "../src/ui/SpinProc.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

LRESULT Send(pc::ControlProc& p, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
{
    bool handled = false;
    return p.Proc(msg, wp, lp, handled);
}

class SpinProgressTest : public ::testing::Test
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

TEST_F(SpinProgressTest, DefaultRangeRunsFrom100To0SoTheUpArrowProposesMinusOne)
{
    auto spin = pc::MakeControlProc(UPDOWN_CLASS, &host, 0, parent.get());
    auto* s = static_cast<pc::SpinProc*>(spin.get());
    int lo = 0, hi = 0;
    Send(*spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(lo, 100);
    EXPECT_EQ(hi, 0);
    Send(*spin, UDM_SETPOS32, 0, 5);
    s->Step(+1);
    ASSERT_EQ(host.updowns.size(), 1u);
    EXPECT_EQ(host.updowns[0].iPos, 5);
    EXPECT_EQ(host.updowns[0].iDelta, -1);
    EXPECT_EQ(s->Pos(), 4);
    EXPECT_EQ(host.scrolls.front(), (std::pair<UINT, int>(SB_THUMBPOSITION, 4)));
}

TEST_F(SpinProgressTest, ParentMayTakeTheStepItself)
{
    // The duration spin of the task page: position := position - delta, delta := 0.
    auto spin = pc::MakeControlProc(UPDOWN_CLASS, &host, 0, parent.get());
    auto* s = static_cast<pc::SpinProc*>(spin.get());
    Send(*spin, UDM_SETPOS32, 0, 3);
    host.onNotify = [&](NMHDR& hdr) {
        auto& nm = reinterpret_cast<NMUPDOWN&>(hdr);
        int days = nm.iPos - nm.iDelta;
        if (days < 0)
            days = 0;
        Send(*spin, UDM_SETPOS32, 0, days);
        nm.iDelta = 0;
    };
    s->Step(+1);
    EXPECT_EQ(s->Pos(), 4);
    s->Step(-1);
    s->Step(-1);
    EXPECT_EQ(s->Pos(), 2);
    // A refused step changes nothing.
    host.onNotify = nullptr;
    host.notifyAnswer = 1;
    s->Step(+1);
    EXPECT_EQ(s->Pos(), 2);
}

TEST_F(SpinProgressTest, PositionsStayInTheRangeOrWrap)
{
    auto spin = pc::MakeControlProc(UPDOWN_CLASS, &host, UDS_WRAP, parent.get());
    auto* s = static_cast<pc::SpinProc*>(spin.get());
    Send(*spin, UDM_SETRANGE32, 1, 5);
    EXPECT_EQ(Send(*spin, UDM_SETPOS32, 0, 9), 1);  // the old position, moved into the range
    EXPECT_EQ(s->Pos(), 5);                          // clamped
    s->Step(+1);
    EXPECT_EQ(s->Pos(), 1);  // wrapped past the top
    s->Step(-1);
    EXPECT_EQ(s->Pos(), 5);
    Send(*spin, UDM_SETRANGE, 0, MAKELONG(20, 10));  // upper 20, lower 10
    EXPECT_EQ(Send(*spin, UDM_GETRANGE), MAKELONG(20, 10));
    EXPECT_EQ(Send(*spin, UDM_GETPOS), MAKELONG(10, 0));
}

TEST_F(SpinProgressTest, BuddyShowsThePositionAndIsReadBack)
{
    FakeControlHost editHost;
    auto edit = pc::MakeControlProc(WC_EDIT, &editHost, 0, parent.get());
    HWND buddy = reinterpret_cast<HWND>(static_cast<intptr_t>(7));
    host.routes[buddy] = edit.get();
    auto spin = pc::MakeControlProc(UPDOWN_CLASS, &host, UDS_SETBUDDYINT | UDS_ARROWKEYS, parent.get());
    Send(*spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy));
    Send(*spin, UDM_SETRANGE32, 0, 100000);
    Send(*spin, UDM_SETPOS32, 0, 12345);
    char buf[32] = {};
    Send(*edit, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "12,345");
    Send(*edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("77"));
    EXPECT_EQ(Send(*spin, UDM_GETPOS), MAKELONG(77, 0));
    // A text that is no number reports the failure in the high word.
    Send(*edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("5 days"));
    EXPECT_EQ(Send(*spin, UDM_GETPOS), MAKELONG(77, 1));
    BOOL error = FALSE;
    EXPECT_EQ(Send(*spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), 77);
    EXPECT_TRUE(error);
}

// A bar stepped while its window is hidden paints the range and position it reached once it
// is shown, and follows each step from then on.
TEST_F(SpinProgressTest, HiddenProgressBarCatchesUpWhenShown)
{
    auto bar = pc::MakeControlProc(PROGRESS_CLASS, &host, 0, parent.get());
    auto* widget = qobject_cast<QProgressBar*>(bar->Widget());
    ASSERT_NE(widget, nullptr);
    Send(*bar, PBM_SETRANGE32, 0, 3000);
    Send(*bar, PBM_SETSTEP, 30);
    for (int i = 0; i < 150; ++i)
        Send(*bar, PBM_STEPIT);
    EXPECT_EQ(Send(*bar, PBM_GETPOS), 1500);  // wrapped once past 3000
    parent->show();
    QCoreApplication::processEvents();  // on the screen now, and painted
    widget->grab();
    EXPECT_EQ(widget->maximum(), 3000);
    EXPECT_EQ(widget->value(), 1500);
    Send(*bar, PBM_STEPIT);
    EXPECT_EQ(widget->value(), 1530);
    parent->hide();
}

namespace {

// Counts the paints of a widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

}  // namespace

// A bar on the screen that nothing changes is painted no more: a bar left showing under a
// message box must not keep the program busy.
TEST_F(SpinProgressTest, AProgressBarAtRestIsNotRepaintedAgainAndAgain)
{
    auto bar = pc::MakeControlProc(PROGRESS_CLASS, &host, 0, parent.get());
    auto* widget = qobject_cast<QProgressBar*>(bar->Widget());
    ASSERT_NE(widget, nullptr);
    Send(*bar, PBM_SETRANGE32, 0, 3000);
    Send(*bar, PBM_SETPOS, 600);
    parent->resize(200, 40);
    widget->setGeometry(0, 0, 200, 20);
    parent->show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    widget->grab();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(widget->value(), 600);
    PaintCounter counter;
    widget->installEventFilter(&counter);
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    widget->removeEventFilter(&counter);
    EXPECT_EQ(counter.paints, 0);
    parent->hide();
}
