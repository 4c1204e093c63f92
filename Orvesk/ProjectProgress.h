// The progress messages the project document sends while it loads and saves, and the wait
// state (mouse captured to the main window, wait cursor) of its server calls. Both go to
// replaceable sinks: the application shell points them at its main window; until then (and
// in a program without a main window) they do nothing.
#pragma once

#include <ClassLib/Afx.h>

#include <functional>

#ifndef WM_USER
#define WM_USER 0x0400
#endif

// wParam: the address of a CString with the status text, owned by the sender for the
// duration of the call.
#define WM_PROGRESS_START (WM_USER + 18)
// wParam 0, lParam 0: one step of the bar.
#define WM_PROGRESS_STEP (WM_USER + 38)
// wParam 0, lParam 0: the bar is finished and removed.
#define WM_PROGRESS_END (WM_USER + 28)

typedef std::function<void(UINT message, WPARAM wParam, LPARAM lParam)> ProjectProgressSink;

// Installs the sink of the progress messages; returns the previous one. An empty function
// restores the default (nothing).
AFX_EXT_API ProjectProgressSink ProjectSetProgressSink(ProjectProgressSink sink);

// Sends one progress message synchronously to the sink.
AFX_EXT_API void ProjectSendProgress(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Sends WM_PROGRESS_START with the text.
AFX_EXT_API void ProjectProgressStart(LPCTSTR lpszText);

// The wait state: begin (TRUE) captures the mouse to the main window and shows the wait
// cursor, end (FALSE) restores the cursor and releases the capture.
typedef std::function<void(BOOL bBegin)> ProjectWaitSink;
AFX_EXT_API ProjectWaitSink ProjectSetWaitSink(ProjectWaitSink sink);

// Holds the wait state for its lifetime, so every exit of a server call releases it.
class AFX_EXT_CLASS CProjectWait
{
public:
    CProjectWait();
    ~CProjectWait();
    CProjectWait(const CProjectWait&) = delete;
    CProjectWait& operator=(const CProjectWait&) = delete;
};

// Sends WM_PROGRESS_END when it goes out of scope, unless Dismiss was called: every exit of
// an operation that sent the start (an exception included) ends the bar once.
class AFX_EXT_CLASS CProgressEndGuard
{
public:
    CProgressEndGuard() = default;
    ~CProgressEndGuard();
    void Dismiss() { m_bActive = FALSE; }
    CProgressEndGuard(const CProgressEndGuard&) = delete;
    CProgressEndGuard& operator=(const CProgressEndGuard&) = delete;

private:
    BOOL m_bActive = TRUE;
};
