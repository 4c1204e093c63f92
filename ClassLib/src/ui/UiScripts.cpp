// The queues of test scripts and the logs of what was shown.
#include "Scripts.h"

#include <deque>
#include <utility>

namespace {

struct Queues
{
    std::deque<pc::ModalEntry> modal;
    std::vector<AfxModalRecord> modalLog;
    std::deque<pc::PopupEntry> popup;
    std::vector<AfxPopupRecord> popupLog;
    std::deque<AfxFileDialogScript> file;
    std::deque<AfxPrintDialogScript> print;
    std::deque<AfxDragScript> drag;
};

Queues& Q()
{
    static Queues* q = new Queues;
    return *q;
}

template <class T>
std::optional<T> PopFront(std::deque<T>& d)
{
    if (d.empty())
        return std::nullopt;
    T v = std::move(d.front());
    d.pop_front();
    return v;
}

}  // namespace

void AfxTestPushModalScript(AfxModalScript script)
{
    pc::ModalEntry e;
    e.script = std::move(script);
    if (!e.script)
        e.nResult = 2;
    Q().modal.push_back(std::move(e));
}

void AfxTestPushModalResult(INT_PTR nResult)
{
    pc::ModalEntry e;
    e.nResult = nResult;
    Q().modal.push_back(std::move(e));
}

const std::vector<AfxModalRecord>& AfxTestModalLog()
{
    return Q().modalLog;
}

void AfxTestPushPopupMenuScript(AfxPopupMenuScript script)
{
    pc::PopupEntry e;
    e.script = std::move(script);
    Q().popup.push_back(std::move(e));
}

void AfxTestPushPopupMenuResult(UINT nCommand)
{
    pc::PopupEntry e;
    e.nCommand = nCommand;
    Q().popup.push_back(std::move(e));
}

const std::vector<AfxPopupRecord>& AfxTestPopupLog()
{
    return Q().popupLog;
}

void AfxTestPushFileDialogScript(AfxFileDialogScript script)
{
    if (script)
        Q().file.push_back(std::move(script));
}

void AfxTestPushFileDialogResult(INT_PTR nResult, std::vector<CString> paths)
{
    AfxFileDialogAnswer a;
    a.nResult = nResult;
    a.paths = std::move(paths);
    Q().file.push_back([a](CFileDialog*) { return a; });
}

void AfxTestPushPrintDialogScript(AfxPrintDialogScript script)
{
    if (script)
        Q().print.push_back(std::move(script));
}

void AfxTestPushPrintDialogResult(INT_PTR nResult, LPCTSTR lpszOutputFile)
{
    AfxPrintDialogAnswer a;
    a.nResult = nResult;
    a.strOutputFile = lpszOutputFile ? lpszOutputFile : "";
    Q().print.push_back([a](CPrintDialog*) { return a; });
}

void AfxTestPushDragScript(AfxDragScript script)
{
    if (script)
        Q().drag.push_back(std::move(script));
}

void AfxTestResetScripts()
{
    Queues& q = Q();
    q.modal.clear();
    q.modalLog.clear();
    q.popup.clear();
    q.popupLog.clear();
    q.file.clear();
    q.print.clear();
    q.drag.clear();
}

namespace pc {

std::optional<ModalEntry> NextModalEntry()
{
    return PopFront(Q().modal);
}

void LogModal(const AfxModalRecord& record)
{
    Q().modalLog.push_back(record);
}

std::optional<PopupEntry> NextPopupEntry()
{
    return PopFront(Q().popup);
}

void LogPopup(const AfxPopupRecord& record)
{
    Q().popupLog.push_back(record);
}

std::optional<AfxFileDialogScript> NextFileDialogScript()
{
    return PopFront(Q().file);
}

std::optional<AfxPrintDialogScript> NextPrintDialogScript()
{
    return PopFront(Q().print);
}

std::optional<AfxDragScript> NextDragScript()
{
    return PopFront(Q().drag);
}

}  // namespace pc
