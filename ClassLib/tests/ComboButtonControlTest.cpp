// Combo boxes and buttons on Qt: items, searches, the edit part, notifications.
#include "CtrlTestApp.h"
#include "FakeControlHost.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
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

std::string Text(pc::ControlProc& p)
{
    char buf[128] = {};
    Send(p, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

class ComboButtonTest : public ::testing::Test
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

TEST_F(ComboButtonTest, SortedDropListSelectsByPrefixAndReportsOnlyUserChanges)
{
    auto combo = pc::MakeControlProc("COMBOBOX", &host, CBS_DROPDOWNLIST | CBS_SORT, parent.get());
    EXPECT_EQ(Send(*combo, CB_ADDSTRING, 0, Str("SS(b)")), 0);
    EXPECT_EQ(Send(*combo, CB_ADDSTRING, 0, Str("FS(a)")), 0);
    EXPECT_EQ(Send(*combo, CB_ADDSTRING, 0, Str("ff(c)")), 0);
    EXPECT_EQ(Send(*combo, CB_GETCOUNT), 3);
    EXPECT_EQ(Send(*combo, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(Text(*combo), "");
    EXPECT_EQ(Send(*combo, CB_SELECTSTRING, WPARAM(-1), Str("fs")), 1);
    EXPECT_EQ(Text(*combo), "FS(a)");
    EXPECT_EQ(Send(*combo, CB_SELECTSTRING, WPARAM(-1), Str("x")), CB_ERR);
    EXPECT_EQ(Send(*combo, CB_GETCURSEL), 1);  // unchanged
    EXPECT_TRUE(host.commands.empty());        // programmatic changes are not reported

    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(combo->Widget(), &down);
    EXPECT_EQ(Send(*combo, CB_GETCURSEL), 2);
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(host.commands.front(), UINT(CBN_SELCHANGE));

    EXPECT_EQ(Send(*combo, CB_FINDSTRINGEXACT, WPARAM(-1), Str("ss(B)")), 2);
    EXPECT_EQ(Send(*combo, CB_SETITEMDATA, 2, 77), CB_OKAY);
    EXPECT_EQ(Send(*combo, CB_GETITEMDATA, 2), 77);
    EXPECT_EQ(Send(*combo, CB_GETITEMDATA, 9), CB_ERR);
    char buf[16] = {};
    EXPECT_EQ(Send(*combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(buf)), 5);
    EXPECT_STREQ(buf, "ff(c)");
    EXPECT_EQ(Send(*combo, CB_DELETESTRING, 0), 2);
    EXPECT_EQ(Send(*combo, CB_SETDROPPEDWIDTH, 300), 300);
    EXPECT_EQ(Send(*combo, CB_GETDROPPEDWIDTH), 300);
}

TEST_F(ComboButtonTest, DropDownHasAnEditPartWithId1001)
{
    auto combo = pc::MakeControlProc("ComboBox", &host, CBS_DROPDOWN, parent.get());
    combo->Created();
    host.procForChildren = combo.get();
    ASSERT_EQ(host.children.size(), 1u);
    EXPECT_EQ(host.children[0]->id, 1001u);
    auto* line = qobject_cast<QLineEdit*>(host.children[0]->proc->Widget());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(static_cast<QComboBox*>(combo->Widget())->lineEdit(), line);

    Send(*combo, CB_ADDSTRING, 0, Str("alpha"));
    Send(*combo, CB_ADDSTRING, 0, Str("beta"));
    Send(*combo, CB_SETCURSEL, 1);
    EXPECT_EQ(Text(*combo), "beta");
    EXPECT_TRUE(host.commands.empty());

    // The chosen text is selected, so typing replaces it; typing into the edit part is
    // reported as the combo box's edit notifications.
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("x"));
    QCoreApplication::sendEvent(line, &key);
    EXPECT_EQ(Text(*combo), "x");
    EXPECT_EQ(host.commands, (std::vector<UINT>{CBN_EDITUPDATE, CBN_EDITCHANGE}));

    // A text that is no item stays in the edit part.
    Send(*combo, WM_SETTEXT, 0, Str("free text"));
    EXPECT_EQ(Text(*combo), "free text");
    Send(*combo, CB_SETCURSEL, WPARAM(-1));
    EXPECT_EQ(Text(*combo), "");
}

TEST_F(ComboButtonTest, CheckBoxesChangeOnAClickOnlyWhenAutomatic)
{
    auto autoBox = pc::MakeControlProc("BUTTON", &host, BS_AUTOCHECKBOX, parent.get());
    Send(*autoBox, BM_CLICK);
    EXPECT_EQ(Send(*autoBox, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(host.commands, (std::vector<UINT>{BN_CLICKED}));

    FakeControlHost other;
    auto plain = pc::MakeControlProc("BUTTON", &other, BS_CHECKBOX, parent.get());
    Send(*plain, BM_CLICK);
    EXPECT_EQ(Send(*plain, BM_GETCHECK), BST_UNCHECKED);
    EXPECT_EQ(other.commands, (std::vector<UINT>{BN_CLICKED}));
    Send(*plain, BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(Send(*plain, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(other.commands.size(), 1u);  // setting by program sends nothing
    EXPECT_EQ(Send(*plain, WM_GETDLGCODE), DLGC_BUTTON);
}

TEST_F(ComboButtonTest, AutomaticRadioUnchecksItsGroupOnly)
{
    // Four radio buttons; the third starts a new group.
    FakeControlHost h[4];
    std::unique_ptr<pc::ControlProc> r[4];
    const DWORD kGroup = 0x00020000u;
    DWORD styles[4] = {BS_AUTORADIOBUTTON | kGroup, BS_AUTORADIOBUTTON, BS_AUTORADIOBUTTON | kGroup, BS_AUTORADIOBUTTON};
    std::vector<HWND> ids;
    for (int i = 0; i < 4; ++i)
        ids.push_back(reinterpret_cast<HWND>(static_cast<intptr_t>(100 + i)));
    for (int i = 0; i < 4; ++i)
        r[i] = pc::MakeControlProc("Button", &h[i], styles[i], parent.get());
    for (int i = 0; i < 4; ++i) {
        h[i].self = ids[size_t(i)];
        h[i].siblings = ids;
        for (int j = 0; j < 4; ++j) {
            h[i].styles[ids[size_t(j)]] = styles[j];
            h[i].routes[ids[size_t(j)]] = r[j].get();
        }
    }
    Send(*r[0], BM_SETCHECK, BST_CHECKED);
    Send(*r[2], BM_SETCHECK, BST_CHECKED);
    Send(*r[1], BM_CLICK);
    EXPECT_EQ(Send(*r[0], BM_GETCHECK), BST_UNCHECKED);
    EXPECT_EQ(Send(*r[1], BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Send(*r[2], BM_GETCHECK), BST_CHECKED);  // another group
    EXPECT_EQ(Send(*r[1], WM_GETDLGCODE), DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(h[1].commands, (std::vector<UINT>{BN_CLICKED}));
}
