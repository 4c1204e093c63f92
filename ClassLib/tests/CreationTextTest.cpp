// The text a window is created with reaches its class whole, however long it is.
#include <ClassLib/Testing.h>

namespace {

class CreationTextTest : public CWndTestBase
{
};

TEST_F(CreationTextTest, LongTextsSurviveCreationInEveryControlClass)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW,
                                CRect(0, 0, 400, 300), NULL, 0));
    // Longer than any in-place string buffer, with double-byte characters.
    const CString strLong = "你还没有登入服务器，请输入你的用户名和密码 (a long caption)";
    CStatic label;
    ASSERT_TRUE(label.Create(strLong, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 20), &parent, 10));
    CButton button;
    ASSERT_TRUE(button.Create(strLong, WS_CHILD | WS_VISIBLE, CRect(0, 20, 300, 40), &parent, 12));
    for (CWnd* pControl : {static_cast<CWnd*>(&label), static_cast<CWnd*>(&button)})
    {
        CString strText;
        pControl->GetWindowText(strText);
        EXPECT_EQ(strText, strLong);
    }
    CWnd plain;
    ASSERT_TRUE(plain.Create(AfxRegisterWndClass(0), strLong, WS_CHILD, CRect(0, 0, 10, 10), &parent, 11));
    CString strRead;
    plain.GetWindowText(strRead);
    EXPECT_EQ(strRead, strLong);
    parent.DestroyWindow();
}

TEST(CreationText, AssigningAStringItsOwnTextKeepsItsBuffer)
{
    CString s = "a text long enough to live outside the string object itself";
    LPCTSTR p = s;
    s = p;
    EXPECT_EQ(static_cast<LPCTSTR>(s), p);
    EXPECT_EQ(s, CString("a text long enough to live outside the string object itself"));
    s = p + 2; // a tail of itself
    EXPECT_EQ(s, CString("text long enough to live outside the string object itself"));
}

}  // namespace
