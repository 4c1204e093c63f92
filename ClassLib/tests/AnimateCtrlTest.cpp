// The animation control: a module's clip plays frame by frame once started, shows its first
// frame until then, keeps its frame when stopped, and tells its parent; a bitmap of the id
// shows as a still.
#include <ClassLib/Testing.h>

#include <QImage>
#include <QString>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

const UINT kClipId = 4711;
const UINT kStillId = 4712;

const AFX_PALETTE_CHAR kColours[] = {{'.', CLR_NONE}, {'R', RGB(255, 0, 0)}, {'B', RGB(0, 0, 255)}};
const char* const kRed[] = {"RRRR", "RRRR", "RRRR"};
const char* const kBlue[] = {"BBBB", "BBBB", "B..B"};
const AFX_BITMAP_RESOURCE kRedFrame = AFX_PICTURE(4, 3, kRed, kColours);
const AFX_BITMAP_RESOURCE kBlueFrame = AFX_PICTURE(4, 3, kBlue, kColours);
const AFX_BITMAP_RESOURCE* const kFrames[] = {&kRedFrame, &kBlueFrame};
const AFX_CLIP_RESOURCE kClip = {kFrames, 2, 30};

AFX_MODULE_RESOURCES(AnimateCtrlTest)
{
    AfxRegisterClip(hModule, kClipId, &kClip);
    AfxRegisterBitmap(hModule, kStillId, &kBlueFrame);
}

class CAnimateParent : public CWnd
{
public:
    std::vector<std::string> log;
    void OnStart() { log.push_back("ACN_START"); }
    void OnStop() { log.push_back("ACN_STOP"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAnimateParent, CWnd)
    ON_CONTROL(ACN_START, 300, OnStart)
    ON_CONTROL(ACN_STOP, 300, OnStop)
END_MESSAGE_MAP()

class AnimateCtrlTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                    200, 100, nullptr, 0));
        ASSERT_TRUE(animate.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 4, 3), &parent, 300));
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        CWndTestBase::TearDown();
    }
    // The colour of the control's top left pixel as shown.
    QRgb Corner()
    {
        AfxPumpMessages();
        // One picture per test: ctest runs the tests side by side in their own processes.
        const std::string strName =
            std::string("animate-ctrl-") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png";
        const CString strPath = AfxTestOutputPath(strName.c_str());
        EXPECT_TRUE(AfxTestGrabWindow(&animate, strPath));
        QImage img(QString::fromLocal8Bit((LPCTSTR)strPath));
        return img.isNull() ? 0 : (img.pixel(0, 0) & 0xFFFFFFu);
    }
    // Pumps until the corner shows the colour; false after two seconds.
    bool ShowsWithin(QRgb rgb)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (Corner() != (rgb & 0xFFFFFFu)) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    CAnimateParent parent;
    CAnimateCtrl animate;
};

}  // namespace

TEST_F(AnimateCtrlTest, AClipShowsItsFirstFramePlaysWhenStartedAndHoldsWhenStopped)
{
    ASSERT_TRUE(animate.Open(kClipId));
    EXPECT_FALSE(animate.IsPlaying());
    // Not started: the first frame stays.
    EXPECT_EQ(Corner(), qRgb(255, 0, 0) & 0xFFFFFFu);
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    EXPECT_EQ(Corner(), qRgb(255, 0, 0) & 0xFFFFFFu);

    ASSERT_TRUE(animate.Play(0, (UINT)-1, (UINT)-1));
    EXPECT_TRUE(animate.IsPlaying());
    // Both frames come round, again and again.
    EXPECT_TRUE(ShowsWithin(qRgb(0, 0, 255)));
    EXPECT_TRUE(ShowsWithin(qRgb(255, 0, 0)));
    EXPECT_TRUE(ShowsWithin(qRgb(0, 0, 255)));

    ASSERT_TRUE(animate.Stop());
    EXPECT_FALSE(animate.IsPlaying());
    const QRgb held = Corner();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(Corner(), held);
    EXPECT_EQ(parent.log, (std::vector<std::string>{"ACN_START", "ACN_STOP"}));
}

TEST_F(AnimateCtrlTest, ABitmapOfTheIdIsAStillAndNothingOpensNothing)
{
    ASSERT_TRUE(animate.Open(kStillId));
    EXPECT_EQ(Corner(), qRgb(0, 0, 255) & 0xFFFFFFu);
    EXPECT_TRUE(animate.Play(0, (UINT)-1, (UINT)-1));
    EXPECT_TRUE(animate.IsPlaying());
    animate.Stop();
    EXPECT_FALSE(animate.Close());
    EXPECT_FALSE(animate.Play(0, (UINT)-1, (UINT)-1));
    EXPECT_FALSE(animate.IsPlaying());
}
