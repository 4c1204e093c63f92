// The user-interface layer's own start and its event queue. The framework's application
// object runs the real message loop; what is here lets windows exist without it (a
// QApplication is made on first use; with no display a test harness gets the offscreen
// platform, any other program stops saying that no display was found) and lets tests run
// the queue until nothing is left to do.
#pragma once

#include <ClassLib/Core/WinTypes.h>

// Makes sure the Qt application object exists and the layer is set up (message boxes go
// to real dialogs from then on). Called by everything that creates a window.
AFX_EXT_API void AfxEnsureApplication();
// TRUE on the thread that runs the user interface.
AFX_EXT_API BOOL AfxIsUiThread();
// Delivers everything that is due: Qt events, posted messages, timers whose time has
// come (by GetTickCount) and pending WM_PAINT, until the queue is empty or nMaxRounds
// rounds have run. Returns the number of messages and events it handled.
AFX_EXT_API int AfxPumpMessages(int nMaxRounds = 50);
// Blocks in the toolkit's event wait until something arrives (input, a posted message, a
// timer coming due, a repaint) and handles what came. The message loops call it once the
// queue is empty and idle processing is done, so a program at rest never wakes.
AFX_EXT_API void AfxWaitForEvents();
// How many queued messages (input, posted, timers) have been dispatched so far: a message
// loop runs its idle processing again once this moved, as the platform does after every
// message that is not a paint.
AFX_EXT_API unsigned AfxQueuedMessageCount();
// Sends WM_PAINT to every visible window that has an invalid region.
AFX_EXT_API void AfxUpdateAllWindows();
// Where the layer reports what a test must not meet (a message box nobody scripted on the
// offscreen platform); the test hooks install a reporter that fails the running test.
typedef void (*AfxTestFailureReporter)(const char* pszWhat);
AFX_EXT_API AfxTestFailureReporter AfxSetTestFailureReporter(AfxTestFailureReporter pfn);
// TRUE while a test harness runs the program (it installed a failure reporter): nothing may
// then wait for a person, whatever the platform (offscreen, or a real or virtual display).
AFX_EXT_API BOOL AfxIsUnderTestHarness();
// The answer given to a message box nobody answers: the way out (cancel, no, abort) or OK.
AFX_EXT_API int AfxSafeMessageBoxAnswer(UINT type);
// Shows a message box through the installed handler with the given caption (the
// application's title when NULL).
AFX_EXT_API int AfxShowMessageBox(LPCTSTR text, LPCTSTR caption, UINT type);

// The exit code PostQuitMessage asked for, and whether it did.
AFX_EXT_API BOOL AfxQuitRequested(int* pnExitCode = nullptr);
AFX_EXT_API void AfxResetQuitRequest();
