// List boxes, scroll bars, rich edits and address fields.
#include "CtrlTestApp.h"
#include "FakeControlHost.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

LRESULT Send(pc::ControlProc& p, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
{
    bool handled = false;
    return p.Proc(msg, wp, lp, handled);
}

LPARAM Str(const char* s)
{
    return reinterpret_cast<LPARAM>(s);
}

class OtherControlTest : public ::testing::Test
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

TEST_F(OtherControlTest, ListBoxSelectionsAndNotifications)
{
    auto list = pc::MakeControlProc("LISTBOX", &host, LBS_NOTIFY | LBS_SORT, parent.get());
    Send(*list, LB_ADDSTRING, 0, Str("pear"));
    Send(*list, LB_ADDSTRING, 0, Str("apple"));
    EXPECT_EQ(Send(*list, LB_GETCOUNT), 2);
    EXPECT_EQ(Send(*list, LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(Send(*list, LB_SELECTSTRING, WPARAM(-1), Str("pe")), 1);
    EXPECT_EQ(Send(*list, LB_GETCURSEL), 1);
    EXPECT_TRUE(host.commands.empty());
    auto* w = static_cast<QListWidget*>(list->Widget());
    w->item(0)->setSelected(true);  // as a click selects it
    EXPECT_EQ(Send(*list, LB_GETCURSEL), 0);
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(host.commands.back(), UINT(LBN_SELCHANGE));
    EXPECT_EQ(Send(*list, LB_SETSEL, TRUE, 0), LB_ERR);  // single selection lists refuse it

    FakeControlHost h2;
    auto multi = pc::MakeControlProc("ListBox", &h2, LBS_EXTENDEDSEL, parent.get());
    for (const char* s : {"a", "b", "c"})
        Send(*multi, LB_ADDSTRING, 0, Str(s));
    Send(*multi, LB_SETSEL, TRUE, 0);
    Send(*multi, LB_SETSEL, TRUE, 2);
    EXPECT_EQ(Send(*multi, LB_GETSELCOUNT), 2);
    int items[4] = {};
    EXPECT_EQ(Send(*multi, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(items)), 2);
    EXPECT_EQ(items[0], 0);
    EXPECT_EQ(items[1], 2);
    EXPECT_TRUE(h2.commands.empty());  // no LBS_NOTIFY
}

TEST_F(OtherControlTest, RichEditReportsChangesOnlyWhenAsked)
{
    auto rich = pc::MakeControlProc(RICHEDIT_CLASS, &host, ES_AUTOHSCROLL, parent.get());
    Send(*rich, WM_SETTEXT, 0, Str("abc"));
    EXPECT_TRUE(host.commands.empty());
    EXPECT_EQ(Send(*rich, EM_SETEVENTMASK, 0, ENM_CHANGE), ENM_NONE);
    Send(*rich, WM_SETTEXT, 0, Str("abcd"));
    EXPECT_EQ(host.commands, (std::vector<UINT>{EN_CHANGE}));
    CHARRANGE cr = {1, 3};
    Send(*rich, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    char buf[8] = {};
    EXPECT_EQ(Send(*rich, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buf)), 2);
    EXPECT_STREQ(buf, "bc");
}

TEST_F(OtherControlTest, AddressFieldHoldsFourBytes)
{
    auto ip = pc::MakeControlProc(WC_IPADDRESS, &host, 0, parent.get());
    EXPECT_TRUE(Send(*ip, IPM_ISBLANK));
    Send(*ip, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 0, 7));
    DWORD a = 0;
    EXPECT_EQ(Send(*ip, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&a)), 4);
    EXPECT_EQ(a, DWORD(MAKEIPADDRESS(192, 168, 0, 7)));
    char buf[20] = {};
    Send(*ip, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "192.168.0.7");
}
