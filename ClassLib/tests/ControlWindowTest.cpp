// Standard controls as windows: notifications reach the parent's message map, typed text
// goes through the window layer's input path, keys sent by code are the control's.
#include <ClassLib/Testing.h>

#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace {

class CNotifyParent : public CWnd
{
public:
    std::vector<std::string> log;
    void OnEditChange() { log.push_back("EN_CHANGE"); }
    void OnEditFocus() { log.push_back("EN_SETFOCUS"); }
    void OnClicked() { log.push_back("BN_CLICKED"); }
    void OnSelChange() { log.push_back("CBN_SELCHANGE"); }
    void OnDelta(NMHDR* pNMHDR, LRESULT* pResult)
    {
        auto* nm = reinterpret_cast<NMUPDOWN*>(pNMHDR);
        log.push_back("UDN_DELTAPOS " + std::to_string(nm->iPos) + " " + std::to_string(nm->iDelta));
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyParent, CWnd)
    ON_EN_CHANGE(100, OnEditChange)
    ON_EN_SETFOCUS(100, OnEditFocus)
    ON_BN_CLICKED(101, OnClicked)
    ON_CBN_SELCHANGE(102, OnSelChange)
    ON_NOTIFY(UDN_DELTAPOS, 103, OnDelta)
END_MESSAGE_MAP()

class ControlWindowTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                                    nullptr, nullptr));
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        CWndTestBase::TearDown();
    }
    CNotifyParent parent;
};

}  // namespace

TEST_F(ControlWindowTest, TypingIntoAnEditNotifiesTheParent)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 200, 32), &parent, 100));
    AfxTestFocus(&edit);
    AfxPumpMessages();
    parent.log.clear();
    AfxTestTypeText(&edit, "ab");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(parent.log, (std::vector<std::string>{"EN_CHANGE", "EN_CHANGE"}));
    edit.SetSel(0, -1);
    edit.SendMessage(WM_CHAR, 'Z');  // a character sent by code replaces the selection
    edit.GetWindowText(text);
    EXPECT_EQ(text, "Z");
    int s = -1, e = -1;
    edit.GetSel(s, e);
    EXPECT_EQ(s, 1);
    EXPECT_EQ(e, 1);
}

TEST_F(ControlWindowTest, ButtonComboAndSpinReportThroughTheMessageMap)
{
    CButton check;
    ASSERT_TRUE(check.Create("Milestone", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 40, 150, 60), &parent, 101));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 70, 150, 200), &parent, 102));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE, CRect(160, 70, 176, 92), &parent, 103));

    check.Click();
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);

    // The drop-down's edit part is child 1001 of the combo box.
    CWnd* editPart = combo.GetDlgItem(1001);
    ASSERT_NE(editPart, nullptr);
    combo.AddString("FS");
    combo.AddString("SS");
    EXPECT_EQ(combo.SelectString(-1, "s"), 1);
    CString text;
    editPart->GetWindowText(text);
    EXPECT_EQ(text, "SS");

    spin.SetPos32(5);
    AfxTestClick(&spin, CPoint(8, 3));  // the upper half is the up arrow
    EXPECT_EQ(spin.GetPos32(), 4);      // the default range runs from 100 down to 0
    EXPECT_EQ(parent.log, (std::vector<std::string>{"BN_CLICKED", "UDN_DELTAPOS 5 -1"}));
}

namespace {

// An owner-drawn combo box of variable item heights, as the check combo box of the
// system's pages is.
class CHeightsCombo : public CComboBox
{
public:
    std::vector<UINT> measured;
    std::vector<UINT> drawn;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
    {
        measured.push_back(lpMIS->itemID);
        lpMIS->itemHeight = 20 + lpMIS->itemID * 5;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override { drawn.push_back(lpDIS->itemID); }
};

}  // namespace

TEST_F(ControlWindowTest, OwnerDrawnVariableComboMeasuresEachItemThroughItsClass)
{
    CHeightsCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS,
                             CRect(10, 10, 200, 150), &parent, 104));
    combo.AddString("a");
    combo.AddString("b");
    EXPECT_EQ(combo.measured, (std::vector<UINT>{0, 1}));
    EXPECT_EQ(combo.GetItemHeight(1), 25);
    combo.SetCurSel(1);
    EXPECT_TRUE(AfxTestGrabWindow(&parent, AfxTestOutputPath("owner-drawn-combo.png")));
    ASSERT_FALSE(combo.drawn.empty());
    EXPECT_EQ(combo.drawn.back(), 1u);  // the selection field shows the current item
    CString text;
    combo.GetLBText(0, text);
    EXPECT_EQ(text, "a");
}

TEST_F(ControlWindowTest, AComboMadeInCodeIsOneBoxHighWhateverHeightItIsGiven)
{
    // The height given is the dropped list's; the window is as high as its box, for the
    // drop-down and the drop-down list, made in code and moved later alike.
    CComboBox down, list, simple;
    ASSERT_TRUE(down.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 10, 159, 121), &parent, 110));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 40, 159, 151), &parent, 111));
    ASSERT_TRUE(simple.Create(WS_CHILD | WS_VISIBLE | CBS_SIMPLE, CRect(200, 10, 300, 111), &parent, 112));
    CRect rc;
    down.GetWindowRect(rc);
    EXPECT_EQ(149, rc.Width());
    const int boxHeight = rc.Height();
    EXPECT_GT(boxHeight, 10);
    EXPECT_LT(boxHeight, 40);
    list.GetWindowRect(rc);
    EXPECT_LT(rc.Height(), 40);
    simple.GetWindowRect(rc);
    EXPECT_EQ(101, rc.Height());  // a simple combo box shows its list inside the window

    down.MoveWindow(10, 10, 149, 300);
    down.GetWindowRect(rc);
    EXPECT_EQ(boxHeight, rc.Height());
    // A taller selection field makes the box taller, never the list's height.
    down.SetItemHeight(-1, 30);
    down.GetWindowRect(rc);
    EXPECT_GE(rc.Height(), 36);
    EXPECT_LT(rc.Height(), 60);
}

namespace {

// The pixels of a window as shown.
QImage Shown(CWnd& wnd, const char* name)
{
    CString path = AfxTestOutputPath(name);
    EXPECT_TRUE(AfxTestGrabWindow(&wnd, path));
    return QImage(QString::fromLocal8Bit((LPCTSTR)path));
}

bool FramedInBlack(const QImage& img)
{
    const QRgb black = qRgb(0, 0, 0);
    const int w = img.width(), h = img.height();
    for (int x = 0; x < w; x += 7)
        if ((img.pixel(x, 0) | 0xFF000000u) != black || (img.pixel(x, h - 1) | 0xFF000000u) != black)
            return false;
    for (int y = 0; y < h; y += 5)
        if ((img.pixel(0, y) | 0xFF000000u) != black || (img.pixel(w - 1, y) | 0xFF000000u) != black)
            return false;
    return (img.pixel(w - 3, h / 2) | 0xFF000000u) != black;  // inside, right of any text
}

}  // namespace

TEST_F(ControlWindowTest, EditsAndListBoxesWithABorderDrawAThinFrame)
{
    CEdit line, plain, multi;
    CListBox list, bare;
    ASSERT_TRUE(line.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 150, 32), &parent, 120));
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 40, 150, 62), &parent, 121));
    ASSERT_TRUE(multi.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE, CRect(160, 10, 300, 80), &parent, 122));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(10, 90, 150, 180), &parent, 123));
    ASSERT_TRUE(bare.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(160, 90, 300, 180), &parent, 124));
    line.SetWindowText("2004-3-1");
    list.AddString("item");
    AfxPumpMessages();
    EXPECT_TRUE(FramedInBlack(Shown(line, "edit-border.png")));
    EXPECT_TRUE(FramedInBlack(Shown(multi, "multiline-edit-border.png")));
    EXPECT_TRUE(FramedInBlack(Shown(list, "listbox-border.png")));
    EXPECT_FALSE(FramedInBlack(Shown(plain, "edit-no-border.png")));
    EXPECT_FALSE(FramedInBlack(Shown(bare, "listbox-no-border.png")));
    // The style can be changed afterwards, both ways.
    plain.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    line.ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
    AfxPumpMessages();
    EXPECT_TRUE(FramedInBlack(Shown(plain, "edit-border-added.png")));
    EXPECT_FALSE(FramedInBlack(Shown(line, "edit-border-removed.png")));
}
