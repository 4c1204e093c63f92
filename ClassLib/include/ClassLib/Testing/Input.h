// Input for tests: mouse and keyboard events on live windows, sent through the same Qt
// event path as real input, so windows see the same message sequences. Points are in the
// given window's client coordinates; the event goes to the capture window when there is
// one, else to the window under the point, as real input would. Keys go to the focus
// window (or to the given window when none has the focus).
//
// Event times come from GetTickCount (fix it with AfxTestSetTickCount for exact control):
// AfxTestClick never pairs with an earlier click into a double click; AfxTestMouseDown does
// pair with a press at the same spot within the double-click time, as on the platform.
#pragma once

#include <ClassLib/Core/String.h>
#include <ClassLib/Wnd/Wnd.h>

// Buttons for the input functions.
#define AFX_TEST_LEFT 0
#define AFX_TEST_RIGHT 1
#define AFX_TEST_MIDDLE 2
// Modifiers held: MK_SHIFT, MK_CONTROL and this one for Alt.
#define AFX_TEST_ALT 0x1000

AFX_EXT_API void AfxTestMouseMove(CWnd* pWnd, CPoint point, UINT nModifiers = 0);
AFX_EXT_API void AfxTestMouseDown(CWnd* pWnd, CPoint point, int nButton = AFX_TEST_LEFT, UINT nModifiers = 0);
AFX_EXT_API void AfxTestMouseUp(CWnd* pWnd, CPoint point, int nButton = AFX_TEST_LEFT, UINT nModifiers = 0);
AFX_EXT_API void AfxTestClick(CWnd* pWnd, CPoint point, int nButton = AFX_TEST_LEFT, UINT nModifiers = 0);
AFX_EXT_API void AfxTestDoubleClick(CWnd* pWnd, CPoint point, int nButton = AFX_TEST_LEFT, UINT nModifiers = 0);
// Press at from, nSteps moves to to, release at to.
AFX_EXT_API void AfxTestDrag(CWnd* pWnd, CPoint from, CPoint to, int nSteps = 4, int nButton = AFX_TEST_LEFT,
                             UINT nModifiers = 0);
// One notch is 120 (WHEEL_DELTA); positive turns away from the user.
AFX_EXT_API void AfxTestWheel(CWnd* pWnd, CPoint point, int nDelta, UINT nModifiers = 0);
// A key press and release (with the character it produces on a US layout); modifier keys
// are pressed before and released after.
AFX_EXT_API void AfxTestKey(CWnd* pWnd, UINT nVirtKey, UINT nModifiers = 0);
AFX_EXT_API void AfxTestKeyDown(CWnd* pWnd, UINT nVirtKey, UINT nModifiers = 0);
AFX_EXT_API void AfxTestKeyUp(CWnd* pWnd, UINT nVirtKey, UINT nModifiers = 0);
// Typed text (UTF-8): ASCII characters as key presses, others as input-method text.
AFX_EXT_API void AfxTestTypeText(CWnd* pWnd, const char* pszUtf8);
// Text an input method commits (UTF-8): characters without key messages.
AFX_EXT_API void AfxTestInputMethodCommit(CWnd* pWnd, const char* pszUtf8);

// Settable state.
AFX_EXT_API void AfxTestSetCursorPos(CPoint screenPoint);
// Forces GetKeyState for one key (bDown: high bit, bToggled: low bit) until cleared.
AFX_EXT_API void AfxTestSetKeyState(int nVirtKey, BOOL bDown, BOOL bToggled = FALSE);
AFX_EXT_API void AfxTestClearKeyState(int nVirtKey);
// Makes the window's top-level window the active one and gives the window the focus.
AFX_EXT_API void AfxTestFocus(CWnd* pWnd);

// Screenshots: the window as shown (with its children) to a PNG file; FALSE when it
// cannot be written.
AFX_EXT_API BOOL AfxTestGrabWindow(CWnd* pWnd, LPCTSTR lpszPath);
// The path of a file in the test output folder ($PC_TEST_OUTPUT, else ./test-output),
// created when missing.
AFX_EXT_API CString AfxTestOutputPath(LPCTSTR lpszFileName);

// Back to a clean state between tests: no capture, no focus, no active window, key and
// cursor state cleared, the classic colours, no pending double click.
AFX_EXT_API void AfxTestResetInput();

// The application loses the activation, as when another program comes to the front: the
// focus window gets WM_KILLFOCUS, the active window WM_ACTIVATE (WA_INACTIVE), the
// top-level windows WM_ACTIVATEAPP; GetFocus() and GetActiveWindow() answer NULL until
// AfxTestActivateApp gives the activation and the focus back.
AFX_EXT_API void AfxTestDeactivateApp();
AFX_EXT_API void AfxTestActivateApp();
