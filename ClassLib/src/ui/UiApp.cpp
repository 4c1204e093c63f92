// The user-interface layer's start, its posted-message queue and the pump that tests use.
#include "Backend.h"
#include "WndInternal.h"

#include <ClassLib/Core/Clock.h>
#include <ClassLib/Core/MessageBox.h>
#include <ClassLib/Core/StartTrace.h>
#include <ClassLib/Core/Thread.h>

#include <QApplication>
#include <QFontDatabase>
#include <QMetaObject>
#include <QThread>

#include <atomic>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

int AfxQtMessageBoxHandler(LPCTSTR text, LPCTSTR caption, UINT type);  // MessageBoxQt.cpp
void AfxFireDueTimers();                                              // Timers.cpp
int AfxTimerDispatchCount();

namespace {

QObject* g_dispatcher = nullptr;
std::atomic<bool> g_ready{false};
std::mutex g_postLock;
std::deque<MSG> g_posted;
std::atomic<int> g_handled{0};
unsigned g_queuedDispatched = 0;
bool g_quit = false;
int g_exitCode = 0;

// Sets an environment variable for the scope (NULL: removes it); the old value comes back.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) {
            m_had = true;
            m_old = old;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    bool m_had = false;
    std::string m_old;
};

void DeliverOnePosted()
{
    MSG msg;
    {
        std::lock_guard<std::mutex> g(g_postLock);
        if (g_posted.empty())
            return;
        msg = g_posted.front();
        g_posted.pop_front();
    }
    if (msg.hwnd && !IsWindow(msg.hwnd))
        return;  // the window went away while the message waited
    ++g_handled;
    AfxDispatchQueued(msg);
}

}  // namespace

void AfxEnsureApplication()
{
    if (g_ready.load())
        return;
    if (!QCoreApplication::instance()) {
        if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
            // The offscreen platform is for tests: a program a person runs must not go on
            // invisibly when there is no screen.
            if (!AfxIsUnderTestHarness()) {
                std::fputs("No display was found (neither DISPLAY nor WAYLAND_DISPLAY is set); this "
                           "program needs a screen. (QT_QPA_PLATFORM=offscreen is for tests.)\n",
                           stderr);
                std::exit(1);
            }
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
        }
        if (!std::getenv("XDG_RUNTIME_DIR")) {
            static std::string dir = "/tmp/runtime-" + std::to_string(getuid());
            mkdir(dir.c_str(), 0700);
            setenv("XDG_RUNTIME_DIR", dir.c_str(), 0);
        }
        static int argc = 1;
        static char arg0[] = "classlib";
        static char* argv[] = {arg0, nullptr};
        {
            // The toolkit's own dialogs write dates (the open file dialog's list) the way the
            // system locale does, which it reads once, here. The program speaks Chinese, so the
            // toolkit's time locale is Chinese; the environment is left as it was for the C
            // library (set again below) and for programs started from here.
            const char* all = std::getenv("LC_ALL");
            const std::string allValue = all ? all : "";
            std::vector<std::unique_ptr<ScopedEnv>> env;
            if (!allValue.empty()) {
                // LC_ALL would override LC_TIME: its value goes to the other categories.
                for (const char* category : {"LC_CTYPE", "LC_NUMERIC", "LC_COLLATE", "LC_MONETARY", "LC_MESSAGES"})
                    env.push_back(std::make_unique<ScopedEnv>(category, allValue.c_str()));
                env.push_back(std::make_unique<ScopedEnv>("LC_ALL", nullptr));
            }
            env.push_back(std::make_unique<ScopedEnv>("LC_TIME", "zh_CN.UTF-8"));
            new QApplication(argc, argv);  // lives until the process ends
        }
        std::setlocale(LC_ALL, "");
        AfxStartMark("toolkit");
        // A traced start takes the font database apart from what first needs it, so that
        // its cost shows on its own (it is built on the first text drawn anyway).
        if (AfxStartTraceWanted()) {
            QFontDatabase::families();
            AfxStartMark("fonts");
        }
    }
    // The back end for the platform the toolkit started on (the desktop's loads the
    // toolkit's translations).
    pc::ChooseBackend();
    AfxStartMark("translations");
    if (!g_dispatcher) {
        g_dispatcher = new QObject;
        g_dispatcher->moveToThread(QCoreApplication::instance()->thread());
        // Calls other threads send here run from the event loop, or from a wait on this thread.
        AfxSetUiThreadHooks(&AfxIsUiThread, [] {
            QMetaObject::invokeMethod(g_dispatcher, [] { AfxServeUiCalls(); }, Qt::QueuedConnection);
        });
    }
    // Message boxes become real dialogs, unless something (a test) installed its own.
    AfxMessageBoxHandler prev = AfxSetMessageBoxHandler(&AfxQtMessageBoxHandler);
    if (prev != &AfxDefaultMessageBoxHandler && prev != &AfxQtMessageBoxHandler)
        AfxSetMessageBoxHandler(prev);
    AfxEnsureDefaultClasses();
    g_ready.store(true);
}

BOOL AfxIsUiThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == HWND_BROADCAST) {
        for (HWND h : AfxTopLevelWindows())
            PostMessage(h, Msg, wParam, lParam);
        return TRUE;
    }
    if (hWnd && !IsWindow(hWnd))
        return FALSE;
    if (!g_ready.load()) {
        if (!AfxIsUiThread() && QCoreApplication::instance())
            return FALSE;
        AfxEnsureApplication();
    }
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = Msg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    msg.pt = POINT{AfxTrackedCursorPos().x(), AfxTrackedCursorPos().y()};
    {
        std::lock_guard<std::mutex> g(g_postLock);
        g_posted.push_back(msg);
    }
    QMetaObject::invokeMethod(g_dispatcher, [] { DeliverOnePosted(); }, Qt::QueuedConnection);
    return TRUE;
}

BOOL SendNotifyMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (AfxIsUiThread()) {
        if (!IsWindow(hWnd))
            return FALSE;
        ::SendMessage(hWnd, Msg, wParam, lParam);
        return TRUE;
    }
    return PostMessage(hWnd, Msg, wParam, lParam);
}

void PostQuitMessage(int nExitCode)
{
    g_quit = true;
    g_exitCode = nExitCode;
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [] {}, Qt::QueuedConnection);
}

BOOL AfxQuitRequested(int* pnExitCode)
{
    if (pnExitCode)
        *pnExitCode = g_exitCode;
    return g_quit;
}

void AfxResetQuitRequest()
{
    g_quit = false;
    g_exitCode = 0;
}

BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    if (!lpMsg)
        return FALSE;
    if (g_quit && (wMsgFilterMin == 0 && wMsgFilterMax == 0)) {
        *lpMsg = MSG{};
        lpMsg->message = WM_QUIT;
        lpMsg->wParam = (WPARAM)g_exitCode;
        if (wRemoveMsg & PM_REMOVE)
            g_quit = false;
        return TRUE;
    }
    std::lock_guard<std::mutex> g(g_postLock);
    for (auto it = g_posted.begin(); it != g_posted.end(); ++it) {
        if (hWnd && it->hwnd != hWnd)
            continue;
        if ((wMsgFilterMin || wMsgFilterMax) && (it->message < wMsgFilterMin || it->message > wMsgFilterMax))
            continue;
        *lpMsg = *it;
        if (wRemoveMsg & PM_REMOVE)
            g_posted.erase(it);
        return TRUE;
    }
    return FALSE;
}

BOOL AfxTranslateKeyMessage(const MSG* pMsg);  // WndWidget.cpp

// The characters of a key-down (WM_CHAR, one per byte) follow it: for the keystroke being
// delivered they come once PreTranslateMessage returns, even when it swallowed the key;
// for any other key-down message they are posted.
BOOL TranslateMessage(const MSG* lpMsg)
{
    return AfxTranslateKeyMessage(lpMsg);
}

LRESULT DispatchMessage(const MSG* lpMsg)
{
    if (!lpMsg)
        return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
        TIMERPROC proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        proc(lpMsg->hwnd, WM_TIMER, (UINT_PTR)lpMsg->wParam, GetTickCount());
        return 0;
    }
    if (!lpMsg->hwnd)
        return 0;
    AfxSetMessageTime(lpMsg->time, lpMsg->pt);
    return ::SendMessage(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

LRESULT AfxDispatchQueued(const MSG& msg, BOOL* pSwallowed)
{
    ++g_queuedDispatched;
    MSG m = msg;
    AfxSetMessageTime(m.time, m.pt);
    if (AfxPreTranslateMessage(&m)) {
        if (pSwallowed)
            *pSwallowed = TRUE;
        return 0;
    }
    if (pSwallowed)
        *pSwallowed = FALSE;
    return DispatchMessage(&m);
}

int AfxPumpMessages(int nMaxRounds)
{
    AfxEnsureApplication();
    if (!AfxIsUiThread())
        return 0;
    int total = 0;
    for (int round = 0; round < nMaxRounds; ++round) {
        int before = g_handled.load() + AfxTimerDispatchCount();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        AfxFireDueTimers();
        int painted = 0;
        for (HWND h : AfxAllWindows())
            if (AfxWindow* w = AfxWindowOf(h))
                painted += AfxDispatchPaint(w) ? 1 : 0;
        bool queueEmpty;
        {
            std::lock_guard<std::mutex> g(g_postLock);
            queueEmpty = g_posted.empty();
        }
        int done = g_handled.load() + AfxTimerDispatchCount() - before + painted;
        total += done;
        if (done == 0 && queueEmpty)
            break;
    }
    return total;
}

void AfxWaitForEvents()
{
    AfxEnsureApplication();
    pc::TheBackend().WaitForEvents(-1);
}

unsigned AfxQueuedMessageCount() { return g_queuedDispatched; }

void AfxUpdateAllWindows()
{
    for (HWND h : AfxAllWindows())
        if (AfxWindow* w = AfxWindowOf(h))
            AfxDispatchPaint(w);
}
