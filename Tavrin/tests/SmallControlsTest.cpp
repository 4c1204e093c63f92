// The task library's small controls: the check combo box, the menu button and the
// hot-tracking button.
#include "CheckComboBox.h"
#include "MenuButton.h"

#include <ClassLib/Gdi/PaintTarget.h>
#include <ClassLib/Gdi/ResourceImages.h>
#include <ClassLib/Menus/MenuTypes.h>
#include <ClassLib/Testing.h>
#include <Tavrin/RnHotButton.h>

#include <gtest/gtest.h>

#include <ClassLib/Testing/DrawLog.h>

#include <QImage>

#include <vector>

namespace
{
// A parent that records the commands its controls send.
class CCommandParent : public CWnd
{
public:
    std::vector<std::pair<UINT, UINT>> commands;  // (id, code)
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        CWnd::OnCommand(wParam, lParam);  // reflection to the control
        return TRUE;
    }
};

const int kComboId = 501;
const int kMenuButtonId = 502;
const int kHotButtonId = 503;
const UINT kTestBitmapNormal = 61001;
const UINT kTestBitmapHot = 61002;
const UINT kTestMenu = 61003;

const char* const kArrowRows[] = {
    "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGGBBBBGGGGGG", "GGGGGBBBBBBGGGGG",
    "GGGGBBBBBBBBGGGG", "GGGBBBBBBBBBBGGG", "GGBBBBBBBBBBBBGG", "GGGGGBBBBBBGGGGG",
    "GGGGGBBBBBBGGGGG", "GGGGGBBBBBBGGGGG", "GGGGGBBBBBBGGGGG", "GGGGGBBBBBBGGGGG",
    "GGGGGBBBBBBGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG"};
const AFX_PALETTE_CHAR kBluePalette[] = {{'G', RGB(192, 192, 192)}, {'B', RGB(0, 0, 200)}};
const AFX_PALETTE_CHAR kRedPalette[] = {{'G', RGB(192, 192, 192)}, {'B', RGB(200, 0, 0)}};
const AFX_BITMAP_RESOURCE kNormalBmp = AFX_PICTURE(16, 16, kArrowRows, kBluePalette);
const AFX_BITMAP_RESOURCE kHotBmp = AFX_PICTURE(16, 16, kArrowRows, kRedPalette);
const AFX_MENU_ITEM kMenuItems[] = {
    {MF_POPUP, 0, "AddRes"},
    {MF_STRING, 7001, "one"},
    {MF_STRING | MF_END, 7002, "two"},
};
const AFX_MENU_TEMPLATE kMenu = {kMenuItems, 3};
} // namespace

AFX_MODULE_RESOURCES(TavrinControlTests)
{
    AfxRegisterBitmap(hModule, kTestBitmapNormal, &kNormalBmp);
    AfxRegisterBitmap(hModule, kTestBitmapHot, &kHotBmp);
    AfxRegisterResource(hModule, RT_MENU, kTestMenu, &kMenu);
}

namespace
{
class SmallControlsTest : public CWndTestBase
{
protected:
    CCommandParent parent;

    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        ASSERT_TRUE(parent.CreateEx(0, AFX_WND_CLASS, "frame", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
                                    nullptr, nullptr));
    }
};

class CheckComboTest : public SmallControlsTest
{
protected:
    CCheckComboBox combo;

    void SetUp() override
    {
        SmallControlsTest::SetUp();
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE
                                     | CBS_HASSTRINGS,
                                 CRect(10, 10, 210, 200), &parent, kComboId));
        combo.AddString("x");
        combo.AddString("y");
        combo.AddString("资源(R1)");
    }

    CString WindowText()
    {
        CString str;
        combo.GetWindowText(str);
        return str;
    }
};
} // namespace

TEST_F(CheckComboTest, TextOfTheCheckedItems)
{
    EXPECT_STREQ("", WindowText());
    EXPECT_EQ(0, combo.GetWindowTextLength());
    combo.SetCheck(0, 1);
    combo.SetCheck(1, 1);
    EXPECT_STREQ("x, y", WindowText());
    combo.SetCheck(0, 0);
    combo.SetCheck(2, 1);
    EXPECT_STREQ("y, 资源(R1)", WindowText());
    EXPECT_EQ(11, combo.GetWindowTextLength());
}

TEST_F(CheckComboTest, TheFieldIsDrawnInTheComboBoxsOwnFont)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, "宋体"));
    combo.SetFont(&font);
    combo.SetCheck(2, 1);
    LOGFONT lfOwn;
    ASSERT_TRUE(font.GetLogFont(&lfOwn));
    // The owner draws on a context of the combo's painting, made for the item.
    CDrawRecorder rec;
    combo.Invalidate();
    combo.UpdateWindow();
    AfxPumpMessages();
    const AfxDrawOp* pField = rec.FindText(" 资源(R1)");
    ASSERT_NE(pField, nullptr);
    EXPECT_EQ(pField->font.lfHeight, lfOwn.lfHeight);
    EXPECT_EQ(pField->font.lfWeight, lfOwn.lfWeight);
}

TEST_F(CheckComboTest, MissingIndexChangesNothing)
{
    combo.SetCheck(1, 1);
    EXPECT_STREQ("y", WindowText());
    EXPECT_LT(combo.SetCheck(7, 1), 0);
    EXPECT_STREQ("y", WindowText());
}

TEST_F(CheckComboTest, GetTextAnswersTheBytesCopiedAndKeepsCharactersWhole)
{
    combo.SetCheck(2, 1);  // "资源(R1)": two double-byte characters, then 4 bytes
    char buf[16];
    memset(buf, 'Z', sizeof buf);
    // Room for 2 bytes and the terminator: the first character only.
    EXPECT_EQ(2, combo.SendMessage(WM_GETTEXT, 3, (LPARAM)buf));
    EXPECT_STREQ("资", buf);
    // Room for 3 bytes: still one character (the second would be split).
    memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(2, combo.SendMessage(WM_GETTEXT, 4, (LPARAM)buf));
    EXPECT_STREQ("资", buf);
    memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(8, combo.SendMessage(WM_GETTEXT, sizeof buf, (LPARAM)buf));
    EXPECT_STREQ("资源(R1)", buf);
    EXPECT_EQ(0, combo.SendMessage(WM_GETTEXT, 0, (LPARAM)buf));
}

TEST_F(CheckComboTest, ClickTogglesAndTheListStaysOpen)
{
    combo.ShowDropDown(TRUE);
    AfxPumpMessages();
    ASSERT_TRUE(combo.GetDroppedState());
    EXPECT_EQ(&combo, CCheckComboBox::GetLastDroppedDown());
    HWND hList = combo.GetListWindow();
    ASSERT_NE(nullptr, hList);
    CWnd* pList = CWnd::FromHandle(hList);
    int nHeight = (int)::SendMessage(hList, LB_GETITEMHEIGHT, 0, 0);
    ASSERT_GT(nHeight, 0);
    parent.commands.clear();
    AfxTestClick(pList, CPoint(20, nHeight + nHeight / 2));
    AfxPumpMessages();
    EXPECT_EQ(1, combo.GetCheck(1));
    EXPECT_TRUE(combo.GetDroppedState());
    EXPECT_STREQ("y", WindowText());
    ASSERT_FALSE(parent.commands.empty());
    EXPECT_EQ((UINT)kComboId, parent.commands.back().first);
    EXPECT_EQ((UINT)CBN_SELCHANGE, parent.commands.back().second);
    // The list reports no current item, so the field shows the checked items.
    EXPECT_EQ(-1, ::SendMessage(hList, LB_GETCURSEL, 0, 0));
    AfxTestGrabWindow(&parent, AfxTestOutputPath("CheckComboOpen.png"));

    AfxTestClick(pList, CPoint(20, nHeight + nHeight / 2));
    AfxPumpMessages();
    EXPECT_EQ(0, combo.GetCheck(1));
    // The space bar toggles the list's current item (the one clicked) and is swallowed.
    EXPECT_EQ(0, ::SendMessage(hList, WM_CHAR, VK_SPACE, 0));
    EXPECT_EQ(1, combo.GetCheck(1));
    EXPECT_TRUE(combo.GetDroppedState());
    combo.ShowDropDown(FALSE);
}

TEST_F(CheckComboTest, DestroyedBoxIsNoLongerTheLastDroppedDown)
{
    combo.ShowDropDown(TRUE);
    AfxPumpMessages();
    EXPECT_EQ(&combo, CCheckComboBox::GetLastDroppedDown());
    combo.ShowDropDown(FALSE);
    combo.DestroyWindow();
    EXPECT_EQ(nullptr, CCheckComboBox::GetLastDroppedDown());
}

TEST_F(SmallControlsTest, MenuButtonWithoutMenuClicksOrdinarily)
{
    CMenuButton button;
    ASSERT_TRUE(button.Create("新增", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 34), &parent,
                              kMenuButtonId));
    parent.commands.clear();
    AfxTestClick(&button, CPoint(72, 12));  // in the arrow zone
    AfxPumpMessages();
    EXPECT_TRUE(AfxTestPopupLog().empty());
    ASSERT_EQ(1u, parent.commands.size());
    EXPECT_EQ((UINT)BN_CLICKED, parent.commands[0].second);
}

TEST_F(SmallControlsTest, MenuButtonArrowOpensTheMenuForTheParent)
{
    CMenuButton button;
    ASSERT_TRUE(button.Create("新增", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 34), &parent,
                              kMenuButtonId));
    ASSERT_TRUE(button.SetMenu(kTestMenu));
    CWnd* pOwner = nullptr;
    int nShowing = -1;
    AfxTestPushPopupMenuScript([&](CMenu* pMenu, UINT, CPoint, CWnd* pWnd) -> UINT {
        pOwner = pWnd;
        nShowing = button.IsMenuShowing();
        EXPECT_EQ(2, (int)pMenu->GetMenuItemCount());
        return 7002;
    });
    parent.commands.clear();
    AfxTestClick(&button, CPoint(72, 12));
    AfxPumpMessages();
    EXPECT_EQ(&parent, pOwner);
    EXPECT_EQ(1, nShowing);
    EXPECT_EQ(0, button.IsMenuShowing());
    bool bGotCommand = false;
    for (auto& c : parent.commands)
        bGotCommand |= c.first == 7002u;
    EXPECT_TRUE(bGotCommand);

    // A click on the body is an ordinary click.
    parent.commands.clear();
    AfxTestClick(&button, CPoint(20, 12));
    AfxPumpMessages();
    ASSERT_EQ(1u, parent.commands.size());
    EXPECT_EQ((UINT)BN_CLICKED, parent.commands[0].second);
    EXPECT_EQ(0, button.IsPressed());
    AfxTestGrabWindow(&button, AfxTestOutputPath("MenuButton.png"));
}

TEST_F(SmallControlsTest, HotButtonBitmaps)
{
    CRnHotButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 34, 34), &parent, kHotButtonId));
    // A missing picture keeps the button as it was.
    button.SetBitmap(60999, 0, RGB(192, 192, 192));
    EXPECT_EQ(0, button.GetImageKind());
    button.SetBitmap((int)kTestBitmapNormal, 0, RGB(192, 192, 192));
    EXPECT_EQ(1, button.GetImageKind());
    EXPECT_EQ(CSize(16, 16), button.GetImageSize());
    EXPECT_EQ(2, button.GetImages()->GetImageCount());
    button.SetBitmap((int)kTestBitmapNormal, 60998, RGB(192, 192, 192));
    EXPECT_EQ(2, button.GetImages()->GetImageCount());
    button.SetBitmap(0, 0, 0);
    EXPECT_EQ(0, button.GetImageKind());
}

TEST_F(SmallControlsTest, HotButtonTracksTheMouseAndDrawsItsStates)
{
    CRnHotButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 34, 34), &parent,
                              kHotButtonId));
    button.SetBitmap((int)kTestBitmapNormal, (int)kTestBitmapHot, RGB(192, 192, 192));
    button.SetTooltipText(CString("删除参考文档"), TRUE);
    EXPECT_STREQ("删除参考文档", button.GetTooltipText());
    EXPECT_EQ(1, button.GetToolTip()->GetToolCount());
    AfxTestFocus(&parent);
    AfxPumpMessages();
    AfxTestGrabWindow(&button, AfxTestOutputPath("HotButtonNormal.png"));

    AfxTestMouseMove(&button, CPoint(5, 5));
    AfxPumpMessages();
    EXPECT_EQ(1, button.IsHot());
    EXPECT_EQ(&button, CWnd::GetCapture());
    AfxTestGrabWindow(&button, AfxTestOutputPath("HotButtonHot.png"));

    AfxTestMouseMove(&button, CPoint(100, 100));  // onto the parent
    AfxPumpMessages();
    EXPECT_EQ(0, button.IsHot());
    EXPECT_EQ(nullptr, CWnd::GetCapture());

    button.EnableWindow(FALSE);
    AfxPumpMessages();
    AfxTestGrabWindow(&button, AfxTestOutputPath("HotButtonDisabled.png"));
}

TEST_F(SmallControlsTest, NonFlatHotButtonNeverBecomesHot)
{
    CRnHotButton button;
    ASSERT_TRUE(button.Create("文字", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 34), &parent,
                              kHotButtonId));
    button.SetFlat(0);
    AfxTestFocus(&parent);
    AfxTestMouseMove(&button, CPoint(5, 5));
    AfxPumpMessages();
    EXPECT_EQ(0, button.IsHot());
    AfxTestGrabWindow(&button, AfxTestOutputPath("HotButtonNotFlat.png"));
}

TEST_F(SmallControlsTest, DoubleClickTogglesACheckButtonTwice)
{
    CRnHotButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 34, 34), &parent,
                              kHotButtonId));
    button.EnableCheck(1);
    AfxTestFocus(&parent);
    AfxTestMouseDown(&button, CPoint(5, 5));
    AfxPumpMessages();
    AfxTestMouseUp(&button, CPoint(5, 5));
    AfxPumpMessages();
    EXPECT_EQ(1, button.GetCheck());
    AfxTestDoubleClick(&button, CPoint(5, 5));
    AfxPumpMessages();
    EXPECT_EQ(1, button.GetCheck());
}

namespace
{
// A parent with a text on white where a transparent button will lie.
class CTextParent : public CWnd
{
protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(rc, RGB(255, 255, 255));
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(14, 14, "工期 Wg");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTextParent, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()
} // namespace

TEST_F(SmallControlsTest, ATransparentHotButtonShowsItsParentAtTheScreensResolution)
{
    CTextParent textParent;
    ASSERT_TRUE(textParent.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_POPUP | WS_VISIBLE, 100, 100, 200, 60,
                                    nullptr, nullptr));
    AfxPumpMessages();
    textParent.UpdateWindow();
    CRnHotButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 34), &textParent,
                              kHotButtonId));
    button.DrawTransparent(TRUE);
    AfxPumpMessages();
    button.UpdateWindow();
    int k = 1;
    {
        CClientDC dc(&button);
        k = AfxPixelRatioOf(&dc);
    }
    const CString path = AfxTestOutputPath("HotButtonTransparent.png");
    ASSERT_TRUE(AfxTestGrabWindow(&button, path));
    QImage img(QString::fromLocal8Bit((LPCTSTR)path));
    ASSERT_EQ(80 * k, img.width());
    // The parent's text under the button (from 4, 4 of the button on), drawn through the
    // button's copy of its background: black glyph pixels, and at scale 2 blocks of image
    // pixels that are not all one colour.
    int black = 0, mixed = 0;
    for (int by = 4; by < 22; ++by)
        for (int bx = 4; bx < 70; ++bx)
        {
            const QRgb first = img.pixel(bx * k, by * k) & 0xFFFFFF;
            black += first == 0 ? 1 : 0;
            for (int i = 1; i < k * k; ++i)
                if ((img.pixel(bx * k + i % k, by * k + i / k) & 0xFFFFFF) != first)
                {
                    ++mixed;
                    break;
                }
        }
    EXPECT_GT(black, 0);
    if (k > 1)
    {
        EXPECT_GT(mixed, 0);
    }
    button.DestroyWindow();
    textParent.DestroyWindow();
}