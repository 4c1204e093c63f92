// Test hooks of the class library, for GoogleTest programs: the recording device context
// (Testing/DrawLog.h), input simulation, settable state and screenshots
// (Testing/Input.h), scripted message boxes (Testing/MessageBoxes.h), and the settable
// clock and tick count (Core/Clock.h). Including this header makes every test program:
//   - report what the layer cannot let a test meet (an unscripted message box, a modal
//     loop nobody ends) as a failure of the running test;
//   - answer message boxes outside a CTestMessageBoxes scope as unscripted;
//   - refuse ShellExecute and WinExec outside a CTestShellCalls scope (nothing starts).
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Core/Clock.h>
#include <ClassLib/Testing/DrawLog.h>
#include <ClassLib/Testing/Input.h>
#include <ClassLib/Testing/MessageBoxes.h>
#include <ClassLib/Testing/ShellCalls.h>
#include <ClassLib/Wnd/UiApp.h>

#include <gtest/gtest.h>

#include <ClassLib/Testing/Dialogs.h>

namespace afx_testing_detail {

inline void ReportToGtest(const char* pszWhat) { ADD_FAILURE() << pszWhat; }

class Environment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        AfxSetTestFailureReporter(&ReportToGtest);
        AfxSetMessageBoxHandler(&AfxTestUnscriptedMessageBox);
        AfxSetShellCallHandler(&AfxTestUnscriptedShellCall);
    }
};

inline ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new Environment);

}  // namespace afx_testing_detail

// A fixture for tests with windows: the layer is up, input state is clean before and after,
// and pending messages are delivered at the end.
class CWndTestBase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AfxEnsureApplication();
        AfxTestResetInput();
        AfxSetTestFailureReporter(&afx_testing_detail::ReportToGtest);
    }
    void TearDown() override
    {
        AfxPumpMessages();
        AfxTestResetInput();
        AfxTestSetTickCount(nullptr);
    }
};
