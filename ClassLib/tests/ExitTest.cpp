// Window objects with static storage are destroyed at exit, after the class library's
// per-thread state: destroying them then must not touch that state or crash.
#include "WndTestUtil.h"

#include <cstdlib>

namespace {

// A window whose object lives until the process ends; it is destroyed by the object's
// destructor, with messages sent while the exit runs.
class CStaticHostWnd : public CLogWnd
{
public:
    ~CStaticHostWnd() override
    {
        if (GetSafeHwnd()) {
            SendMessage(WM_SETREDRAW, FALSE);
            DestroyWindow();
        }
    }
};

void CreateStaticWindowsAndExit()
{
    AfxEnsureApplication();
    static CStaticHostWnd frame;
    static CStaticHostWnd child;
    CreateTopFrame(frame);
    child.Create(AFX_WND_CLASS, "child", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 50, 50), &frame, 1);
    frame.SendMessage(WM_NULL);  // the per-thread message state is in use before the exit
    std::exit(3);
}

}  // namespace

TEST(ExitTest, WindowsDestroyedAfterTheLibraryStateNeverCrashTheExit)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(CreateStaticWindowsAndExit(), ::testing::ExitedWithCode(3), "");
}

TEST(ExitTest, WithoutADisplayAProgramSaysSoInsteadOfRunningInvisibly)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // A program a person runs: no test harness, no platform chosen, no display.
            AfxSetTestFailureReporter(nullptr);
            unsetenv("QT_QPA_PLATFORM");
            unsetenv("DISPLAY");
            unsetenv("WAYLAND_DISPLAY");
            AfxEnsureApplication();
            std::exit(0);
        },
        ::testing::ExitedWithCode(1), "No display was found");
}

TEST(ExitTest, UnderTheTestHarnessNothingWaitsForAPerson)
{
    // The harness is known by its failure reporter, not by the platform's name, so that
    // a suite run on a real or virtual display never blocks in an unscripted modal.
    AfxTestFailureReporter saved = AfxSetTestFailureReporter(nullptr);
    EXPECT_FALSE(AfxIsUnderTestHarness());
    AfxSetTestFailureReporter(saved);
    EXPECT_TRUE(AfxIsUnderTestHarness());
}
