// Message boxes as Qt dialogs with the platform's buttons, icons and answers, in Chinese.
// Under a test harness or on a headless platform nobody could answer, so a box is never
// shown there: it is reported (a test fails) and given the safe answer.
#include "Backend.h"
#include "WndInternal.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/MessageBox.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include <cstdio>

namespace {

AfxTestFailureReporter g_reporter = nullptr;

}  // namespace

AfxTestFailureReporter AfxSetTestFailureReporter(AfxTestFailureReporter pfn)
{
    AfxTestFailureReporter old = g_reporter;
    g_reporter = pfn;
    return old;
}

BOOL AfxIsUnderTestHarness() { return g_reporter != nullptr; }

void AfxReportTestFailure(const char* pszWhat)
{
    if (g_reporter)
        g_reporter(pszWhat);
    else
        std::fprintf(stderr, "%s\n", pszWhat);
}

int AfxSafeMessageBoxAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
    case MB_CANCELTRYCONTINUE: return IDCANCEL;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDOK;
    }
}

int AfxQtMessageBoxHandler(LPCTSTR text, LPCTSTR caption, UINT type)
{
    if (!AfxIsUiThread() || !pc::TheBackend().CanAskPerson()) {
        std::string what = "unanswered message box: " + Utf8FromCString(caption ? caption : "") + ": " +
                           Utf8FromCString(text ? text : "");
        AfxReportTestFailure(what.c_str());
        return AfxSafeMessageBoxAnswer(type);
    }
    QMessageBox box;
    // The box stands for the window it speaks for (the active one, else the main window):
    // the desktop keeps it above that window, which a click cannot raise over it. A transient
    // parent only: the window may go while the box is open without taking the box with it.
    HWND hOwner = AfxActiveWindow();
    if (!hOwner) {
        CWnd* pMain = AfxGetMainWnd();
        hOwner = pMain ? pMain->GetSafeHwnd() : nullptr;
    }
    if (AfxWindow* w = hOwner ? AfxWindowOf(GetAncestor(hOwner, GA_ROOT)) : nullptr) {
        if (w->widget && w->widget->isVisible() && w->widget->window()->windowHandle()) {
            box.winId();
            if (QWindow* pBoxWindow = box.windowHandle())
                pBoxWindow->setTransientParent(w->widget->window()->windowHandle());
        }
    }
    box.setWindowTitle(AfxQString(caption ? caption : ""));
    box.setText(AfxQString(text ? text : ""));
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct B
    {
        int id;
        const char* label;
        QMessageBox::ButtonRole role;
    };
    std::vector<B> buttons;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = std::vector<B>{{IDOK, "确定", QMessageBox::AcceptRole}, {IDCANCEL, "取消", QMessageBox::RejectRole}}; break;
    case MB_ABORTRETRYIGNORE:
        buttons = std::vector<B>{{IDABORT, "中止(&A)", QMessageBox::RejectRole}, {IDRETRY, "重试(&R)", QMessageBox::AcceptRole},
                   {IDIGNORE, "忽略(&I)", QMessageBox::AcceptRole}};
        break;
    case MB_YESNOCANCEL:
        buttons = std::vector<B>{{IDYES, "是(&Y)", QMessageBox::YesRole}, {IDNO, "否(&N)", QMessageBox::NoRole},
                   {IDCANCEL, "取消", QMessageBox::RejectRole}};
        break;
    case MB_YESNO: buttons = std::vector<B>{{IDYES, "是(&Y)", QMessageBox::YesRole}, {IDNO, "否(&N)", QMessageBox::NoRole}}; break;
    case MB_RETRYCANCEL: buttons = std::vector<B>{{IDRETRY, "重试(&R)", QMessageBox::AcceptRole}, {IDCANCEL, "取消", QMessageBox::RejectRole}}; break;
    case MB_CANCELTRYCONTINUE:
        buttons = std::vector<B>{{IDCANCEL, "取消", QMessageBox::RejectRole}, {IDTRYAGAIN, "重试(&T)", QMessageBox::AcceptRole},
                   {IDCONTINUE, "继续(&C)", QMessageBox::AcceptRole}};
        break;
    default: buttons = std::vector<B>{{IDOK, "确定", QMessageBox::AcceptRole}}; break;
    }
    std::vector<QPushButton*> made;
    for (const B& b : buttons)
        made.push_back(box.addButton(QString::fromUtf8(b.label), b.role));
    size_t def = ((type & MB_DEFMASK) >> 8);
    if (def < made.size())
        box.setDefaultButton(made[def]);
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].id == IDCANCEL || (buttons.size() == 1))
            box.setEscapeButton(made[i]);
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return buttons[i].id;
    return AfxSafeMessageBoxAnswer(type);
}

int AfxShowMessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    // The installed handler (a real box, or a test's recorder) with this caption.
    AfxMessageBoxHandler h = AfxSetMessageBoxHandler(nullptr);
    AfxSetMessageBoxHandler(h);
    CString t(text ? text : ""), c(caption ? caption : AfxGetAppTitle());
    return h(t, c, type);
}
