// The clipboard API on QClipboard (or on a private store when no GUI application runs).
#include <ClassLib/Ole/Clipboard.h>

#include "ClipFormats.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct State
{
    bool open = false;
    HWND opener = nullptr;
    HWND owner = nullptr;
    // What this process put on the clipboard since it was last emptied, in order.
    std::vector<std::pair<UINT, HGLOBAL>> placed;
    // Handles handed out by GetClipboardData, freed when the clipboard is opened again.
    std::vector<HGLOBAL> handedOut;
    std::unique_ptr<QMimeData> privateStore;  // used without a GUI application
};

State& S()
{
    static State* s = new State;
    return *s;
}

QClipboard* Desktop()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

const QMimeData* Current()
{
    if (QClipboard* c = Desktop())
        return c->mimeData();
    return S().privateStore.get();
}

void FreeHandedOut(State& s)
{
    for (HGLOBAL h : s.handedOut)
        GlobalFree(h);
    s.handedOut.clear();
}

void FreePlaced(State& s)
{
    for (auto& e : s.placed)
        GlobalFree(e.second);
    s.placed.clear();
}

// Publishes everything placed so far as one mime data object.
void Publish(State& s)
{
    auto mime = std::make_unique<QMimeData>();
    for (auto& e : s.placed) {
        std::string bytes = pc::BytesOfGlobal(e.second);
        pc::PutFormat(*mime, static_cast<CLIPFORMAT>(e.first), bytes.data(), bytes.size());
    }
    if (QClipboard* c = Desktop())
        c->setMimeData(mime.release());
    else
        s.privateStore = std::move(mime);
}

}  // namespace

BOOL OpenClipboard(HWND hWndNewOwner)
{
    State& s = S();
    if (s.open)
        return FALSE;
    s.open = true;
    s.opener = hWndNewOwner;
    FreeHandedOut(s);
    return TRUE;
}

BOOL CloseClipboard()
{
    State& s = S();
    if (!s.open)
        return FALSE;
    s.open = false;
    s.opener = nullptr;
    return TRUE;
}

BOOL EmptyClipboard()
{
    State& s = S();
    if (!s.open)
        return FALSE;
    FreePlaced(s);
    s.owner = s.opener;
    if (QClipboard* c = Desktop())
        c->clear();
    else
        s.privateStore.reset();
    return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem)
{
    State& s = S();
    if (!s.open || !hMem || uFormat == 0 || uFormat > 0xFFFFu)
        return nullptr;
    if (GlobalFlags(hMem) == GMEM_INVALID_HANDLE)
        return nullptr;
    // A format set twice keeps the later data.
    for (auto it = s.placed.begin(); it != s.placed.end(); ++it) {
        if (it->first == uFormat) {
            if (it->second != hMem)
                GlobalFree(it->second);
            s.placed.erase(it);
            break;
        }
    }
    s.placed.emplace_back(uFormat, hMem);
    Publish(s);
    return hMem;
}

HANDLE GetClipboardData(UINT uFormat)
{
    State& s = S();
    if (!s.open)
        return nullptr;
    const QMimeData* mime = Current();
    if (!mime)
        return nullptr;
    std::optional<std::string> bytes = pc::GetFormat(*mime, static_cast<CLIPFORMAT>(uFormat));
    if (!bytes)
        return nullptr;
    HGLOBAL h = AfxGlobalFromBytes(bytes->data(), bytes->size());
    if (h)
        s.handedOut.push_back(h);
    return h;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    const QMimeData* mime = Current();
    return mime && pc::HasFormat(*mime, static_cast<CLIPFORMAT>(format)) ? TRUE : FALSE;
}

int CountClipboardFormats()
{
    const QMimeData* mime = Current();
    return mime ? static_cast<int>(pc::FormatsOf(*mime).size()) : 0;
}

UINT EnumClipboardFormats(UINT format)
{
    if (!S().open)
        return 0;
    const QMimeData* mime = Current();
    if (!mime)
        return 0;
    std::vector<CLIPFORMAT> all = pc::FormatsOf(*mime);
    if (format == 0)
        return all.empty() ? 0 : all.front();
    auto it = std::find(all.begin(), all.end(), static_cast<CLIPFORMAT>(format));
    if (it == all.end() || ++it == all.end())
        return 0;
    return *it;
}

HWND GetClipboardOwner()
{
    return S().owner;
}

const QMimeData* pc::CurrentClipboardMime()
{
    return Current();
}

HWND GetOpenClipboardWindow()
{
    return S().open ? S().opener : nullptr;
}
