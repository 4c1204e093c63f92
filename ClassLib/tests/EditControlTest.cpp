// The edit control's behaviour on Qt: notifications, typing rules, byte positions.
#include "CtrlTestApp.h"
#include "FakeControlHost.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

class EditControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CtrlTestApp();
        parent = std::make_unique<QWidget>();
    }
    std::unique_ptr<pc::ControlProc> Make(DWORD style)
    {
        return pc::MakeControlProc("EDIT", &host, style, parent.get());
    }
    LRESULT Send(pc::ControlProc& p, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
    {
        bool handled = false;
        LRESULT r = p.Proc(msg, wp, lp, handled);
        EXPECT_TRUE(handled) << msg;
        return r;
    }
    std::string Text(pc::ControlProc& p)
    {
        char buf[256] = {};
        Send(p, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        return buf;
    }
    void Type(pc::ControlProc& p, const QString& text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(p.Widget(), &press);
        }
    }
    FakeControlHost host;
    std::unique_ptr<QWidget> parent;
};

}  // namespace

TEST_F(EditControlTest, SetTextAndTypingReportUpdateThenChange)
{
    auto edit = Make(ES_AUTOHSCROLL);
    Send(*edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab"));
    EXPECT_EQ(host.commands, (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
    host.commands.clear();
    Send(*edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab"));  // the same text: no change
    EXPECT_TRUE(host.commands.empty());
    Send(*edit, EM_SETSEL, 2, 2);
    Type(*edit, QStringLiteral("c"));
    EXPECT_EQ(host.commands, (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(Text(*edit), "abc");
    EXPECT_EQ(Send(*edit, WM_GETTEXTLENGTH), 3);
    EXPECT_EQ(Send(*edit, EM_GETMODIFY), TRUE);
}

TEST_F(EditControlTest, NumberStyleRefusesLettersTypedButNotSetByProgram)
{
    auto edit = Make(ES_NUMBER);
    Type(*edit, QStringLiteral("1a2"));
    EXPECT_EQ(Text(*edit), "12");
    Send(*edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x9"));
    EXPECT_EQ(Text(*edit), "x9");
}

TEST_F(EditControlTest, LimitCountsCodePage936Bytes)
{
    auto edit = Make(0);
    Send(*edit, EM_LIMITTEXT, 5);
    EXPECT_EQ(Send(*edit, EM_GETLIMITTEXT), 5);
    Type(*edit, QString::fromUtf8("任务x名"));  // 2 + 2 + 1 bytes fit, the last 2 do not
    EXPECT_EQ(Text(*edit), "\xC8\xCE\xCE\xF1x");
    EXPECT_EQ(host.commands.back(), UINT(EN_MAXTEXT));
}

TEST_F(EditControlTest, SelectionPositionsAreBytes)
{
    auto edit = Make(0);
    // "任务ab": the Chinese characters take two bytes each.
    Send(*edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\xC8\xCE\xCE\xF1" "ab"));
    Send(*edit, EM_SETSEL, 2, 5);
    DWORD s = 0, e = 0;
    LRESULT r = Send(*edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 2u);
    EXPECT_EQ(e, 5u);
    EXPECT_EQ(r, MAKELONG(2, 5));
    auto* line = static_cast<QLineEdit*>(edit->Widget());
    EXPECT_EQ(line->selectedText(), QString::fromUtf8("务a"));
    Send(*edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("Z"));
    EXPECT_EQ(Text(*edit), "\xC8\xCE" "Zb");
    Send(*edit, EM_SETSEL, 0, -1);  // everything
    Send(*edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 0u);
    EXPECT_EQ(e, 4u);
}

TEST_F(EditControlTest, CharactersSentAsMessagesAreTyped)
{
    auto edit = Make(0);
    Send(*edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12"));
    Send(*edit, EM_SETSEL, 0, -1);
    Send(*edit, WM_CHAR, '7');  // replaces the selection, as the in-place editors rely on
    EXPECT_EQ(Text(*edit), "7");
    Send(*edit, WM_CHAR, 0xC8);  // a double-byte character arrives in two messages
    EXPECT_EQ(Text(*edit), "7");
    Send(*edit, WM_CHAR, 0xCE);
    EXPECT_EQ(Text(*edit), "7\xC8\xCE");
    Send(*edit, WM_CHAR, VK_BACK);
    EXPECT_EQ(Text(*edit), "7");
    Send(*edit, WM_KEYDOWN, VK_HOME);
    DWORD s = 9, e = 9;
    Send(*edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 0u);
}

TEST_F(EditControlTest, MultiLineTextUsesTwoByteLineEnds)
{
    auto edit = Make(ES_MULTILINE | ES_WANTRETURN);
    Send(*edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("one\r\ntwo"));
    EXPECT_EQ(Text(*edit), "one\r\ntwo");
    EXPECT_EQ(Send(*edit, EM_GETLINECOUNT), 2);
    EXPECT_EQ(Send(*edit, EM_LINEINDEX, 1), 5);
    EXPECT_EQ(Send(*edit, WM_GETDLGCODE) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
}
