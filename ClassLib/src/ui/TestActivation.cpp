// Test hooks: the application loses the activation (another program came to the front)
// and gets it back.
#include "WndInternal.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Testing/Input.h>

namespace {

HWND g_hActiveBefore = nullptr;
HWND g_hFocusBefore = nullptr;
bool g_bInactive = false;

}  // namespace

void AfxTestDeactivateApp()
{
    if (g_bInactive)
        return;
    g_bInactive = true;
    g_hActiveBefore = ::GetActiveWindow();
    g_hFocusBefore = ::GetFocus();
    // The focus window gets WM_KILLFOCUS with no new window, the active one WM_ACTIVATE
    // (WA_INACTIVE); then no window of the program has the focus.
    ::SetFocus(nullptr);
    ::SetActiveWindow(nullptr);
    for (HWND h : AfxTopLevelWindows())
        ::SendMessage(h, WM_ACTIVATEAPP, FALSE, 0);
}

void AfxTestActivateApp()
{
    if (!g_bInactive)
        return;
    g_bInactive = false;
    for (HWND h : AfxTopLevelWindows())
        ::SendMessage(h, WM_ACTIVATEAPP, TRUE, 0);
    if (::IsWindow(g_hActiveBefore))
        ::SetActiveWindow(g_hActiveBefore);
    if (::IsWindow(g_hFocusBefore))
        ::SetFocus(g_hFocusBefore);
    g_hActiveBefore = g_hFocusBefore = nullptr;
}

// The input state is reset between tests: an application left inactive is active again
// (without windows to give the focus back to).
void AfxTestForgetDeactivation()
{
    g_bInactive = false;
    g_hActiveBefore = g_hFocusBefore = nullptr;
}
