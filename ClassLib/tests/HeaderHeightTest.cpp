// The header's height follows its font (it is measured once per font, as lists ask for it
// on every layout).
#include "FrameTestSupport.h"

namespace {

class HeaderHeightTest : public CWndTestBase
{
};

TEST_F(HeaderHeightTest, ANewFontIsMeasuredAgain)
{
    CNotifyHost host;
    ASSERT_TRUE(host.CreateHost(400, 300));
    CHeaderCtrl header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS, CRect(0, 0, 300, 20), &host, 3));
    LOGFONT lf = {};
    lf.lfHeight = -12;
    CFont small;
    ASSERT_TRUE(small.CreateFontIndirect(&lf));
    header.SetFont(&small);
    int nSmall = header.GetHeight();
    EXPECT_EQ(nSmall, header.GetHeight());
    lf.lfHeight = -40;
    CFont big;
    ASSERT_TRUE(big.CreateFontIndirect(&lf));
    header.SetFont(&big);
    EXPECT_GT(header.GetHeight(), nSmall + 20);
    header.SetFont(&small);
    EXPECT_EQ(nSmall, header.GetHeight());
    header.DestroyWindow();
    host.DestroyWindow();
}

}  // namespace
