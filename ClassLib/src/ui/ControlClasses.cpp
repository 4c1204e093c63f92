// The standard controls as window classes: each window wraps its procedure's widget; the
// class's window procedure answers the class's messages and leaves the rest, and the
// input the person gives, to the window layer's default.
#include "ControlClasses.h"
#include "ButtonProc.h"
#include "ComboProc.h"
#include "CtlColor.h"

#include <ClassLib/AfxWin.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <QPainter>
#include <QPaintDevice>
#include <QWidget>

#include <map>
#include <memory>
#include <mutex>

namespace pc {

namespace {

// A painter borrowed for owner drawing: device contexts draw with it.
class PainterTarget : public AfxDCTarget
{
public:
    explicit PainterTarget(QPainter& p) : m_external(p) {}
    QImage* Image() override { return nullptr; }
    QPaintDevice* Device() override { return m_external.device(); }
    QPainter* Painter(const void*) override { return &m_external; }
    void EndPainting() override {}

private:
    QPainter& m_external;
};

class WindowHost;

struct Entry
{
    std::unique_ptr<WindowHost> host;
    std::unique_ptr<ControlProc> proc;
};

std::map<HWND, Entry>& Entries()
{
    static auto* m = new std::map<HWND, Entry>;
    return *m;
}

// The control made by the last factory call, waiting for its window's first message.
thread_local Entry* t_pending = nullptr;

class WindowHost : public ControlHost
{
public:
    HWND m_hWnd = nullptr;

    void Command(UINT code) override
    {
        HWND parent = ::GetParent(m_hWnd);
        if (parent)
            ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), code), reinterpret_cast<LPARAM>(m_hWnd));
    }
    LRESULT Notify(NMHDR& hdr) override
    {
        hdr.hwndFrom = m_hWnd;
        hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
        HWND parent = ::GetParent(m_hWnd);
        return parent ? ::SendMessage(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr)) : 0;
    }
    LRESULT SendTo(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        return ::IsWindow(hWnd) ? ::SendMessage(hWnd, msg, wParam, lParam) : 0;
    }
    std::vector<HWND> Siblings() const override
    {
        std::vector<HWND> v;
        HWND parent = ::GetParent(m_hWnd);
        if (!parent) {
            v.push_back(m_hWnd);
            return v;
        }
        for (HWND h = ::GetWindow(parent, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
            v.push_back(h);
        return v;
    }
    DWORD StyleOf(HWND hWnd) const override { return static_cast<DWORD>(::GetWindowLong(hWnd, GWL_STYLE)); }
    HWND Self() const override { return m_hWnd; }
    void OwnerDraw(QPainter& painter, DRAWITEMSTRUCT& dis) override
    {
        HWND parent = ::GetParent(m_hWnd);
        if (!parent)
            return;
        dis.CtlID = static_cast<UINT>(::GetDlgCtrlID(m_hWnd));
        dis.hwndItem = m_hWnd;
        HDC hdc = AfxCreateDCOnTarget(std::make_shared<PainterTarget>(painter), FALSE);
        dis.hDC = hdc;
        // The owner draws in the control's own font, as the platform hands it over: the
        // items then match the dialog's other fields.
        if (HFONT hFont = reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)))
            ::SelectObject(hdc, hFont);
        painter.save();
        ::SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        painter.restore();
        ::DeleteDC(hdc);
    }
    void CtlColorText(UINT msg, COLORREF* pText) override
    {
        HWND parent = ::GetParent(m_hWnd);
        if (!parent)
            return;
        HDC hdc = ::CreateCompatibleDC(nullptr);
        if (!hdc)
            return;
        ::SetTextColor(hdc, *pText);
        ::SendMessage(parent, msg, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(m_hWnd));
        *pText = ::GetTextColor(hdc);
        ::DeleteDC(hdc);
    }
    void OwnerMeasure(MEASUREITEMSTRUCT& mis) override
    {
        HWND parent = ::GetParent(m_hWnd);
        mis.CtlID = static_cast<UINT>(::GetDlgCtrlID(m_hWnd));
        if (parent)
            ::SendMessage(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
    }
    ControlProc* AddChildControl(const char* className, UINT id, DWORD style, QWidget*) override
    {
        HWND child = ::CreateWindowEx(0, className, "", style | WS_CHILD, 0, 0, 10, 10, m_hWnd,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
        return child ? ProcOf(child) : nullptr;
    }
    void Scroll(bool horizontal, UINT code, int pos) override
    {
        HWND parent = ::GetParent(m_hWnd);
        if (parent)
            ::SendMessage(parent, horizontal ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, static_cast<WORD>(static_cast<short>(pos))),
                          reinterpret_cast<LPARAM>(m_hWnd));
    }
    QWidget* WidgetOf(HWND hWnd) const override { return AfxGetWidget(hWnd); }
    QPixmap PixmapOf(HANDLE image, UINT type) override
    {
        QImage img = type == IMAGE_ICON || type == IMAGE_CURSOR ? AfxImageOfIcon(static_cast<HICON>(image))
                                                                 : AfxImageOfBitmap(static_cast<HBITMAP>(image));
        return img.isNull() ? QPixmap() : QPixmap::fromImage(img);
    }
};

template <int N>
QWidget* Factory(const CREATESTRUCT& cs, QWidget* parent);

struct ClassInfo
{
    const char* name;
    AFX_WIDGET_FACTORY factory;
};

QWidget* MakeFor(const char* className, const CREATESTRUCT& cs, QWidget* parent)
{
    auto host = std::make_unique<WindowHost>();
    std::unique_ptr<ControlProc> proc = MakeControlProc(className, host.get(), static_cast<DWORD>(cs.style), parent);
    if (!proc)
        return nullptr;
    QWidget* w = proc->Widget();
    static thread_local Entry pending;
    pending.host = std::move(host);
    pending.proc = std::move(proc);
    t_pending = &pending;
    return w;
}

bool ComboListIsDown(ControlProc* proc)
{
    auto* combo = dynamic_cast<ComboProc*>(proc);
    return combo != nullptr && combo->m_dropped && combo->ListWindow() != nullptr;
}

LRESULT CALLBACK ControlWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto& entries = Entries();
    auto it = entries.find(h);
    if (it == entries.end()) {
        if (msg == WM_NCCREATE && t_pending && t_pending->proc && t_pending->proc->Widget() == AfxGetWidget(h)) {
            Entry& e = entries[h];
            e.host = std::move(t_pending->host);
            e.proc = std::move(t_pending->proc);
            e.host->m_hWnd = h;
            t_pending = nullptr;
            return ::DefWindowProc(h, msg, wParam, lParam);
        }
        return ::DefWindowProc(h, msg, wParam, lParam);
    }
    ControlProc* proc = it->second.proc.get();
    switch (msg) {
    case WM_CREATE: {
        proc->Created();
        WatchControlColours(h, proc->Widget());
        auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName) && *cs->lpszName)
            proc->InitialText(cs->lpszName);
        return 0;
    }
    case WM_NCDESTROY: {
        LRESULT r = ::DefWindowProc(h, msg, wParam, lParam);
        auto again = entries.find(h);
        if (again != entries.end()) {
            // The widget goes with the window; the procedure must not delete it again.
            std::unique_ptr<ControlProc> dead = std::move(again->second.proc);
            std::unique_ptr<WindowHost> host = std::move(again->second.host);
            entries.erase(again);
        }
        return r;
    }
    case WM_SETFONT: {
        if (QWidget* w = AfxGetWidget(h)) {
            HFONT f = reinterpret_cast<HFONT>(wParam);
            w->setFont(f ? AfxQFontOf(f) : QFont());
        }
        LRESULT r = ::DefWindowProc(h, msg, wParam, lParam);
        proc->FontChanged();
        return r;
    }
    case WM_STYLECHANGED: {
        if (wParam == static_cast<WPARAM>(GWL_STYLE))
            proc->StyleChanged(reinterpret_cast<const STYLESTRUCT*>(lParam)->styleNew);
        return ::DefWindowProc(h, msg, wParam, lParam);
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        // The person's keys go to the widget itself; keys sent by code are the procedure's.
        // A combo box whose list is down hands the keys to the list window.
        // A tab character is the procedure's too: the toolkit never sees Tab.
        if (AfxIsTranslatingInput(h, msg) && !ComboListIsDown(proc) && !(msg == WM_CHAR && wParam == '\t'))
            return ::DefWindowProc(h, msg, wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        // A button pressed by code: the release (the person's or a sent one) clicks it.
        if (auto* button = dynamic_cast<ButtonProc*>(proc)) {
            if (msg == WM_LBUTTONDOWN && !AfxIsTranslatingInput(h, msg)) {
                button->PressFromCode();
                return 0;
            }
            if (msg == WM_LBUTTONUP && button->PressedFromCode()) {
                button->ReleaseFromCode(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
                return 0;
            }
        }
        break;
    case WM_SETTEXT: {
        bool handled = false;
        LRESULT r = proc->Proc(msg, wParam, lParam, handled);
        ::DefWindowProc(h, msg, wParam, lParam);  // the layer keeps the text too
        return handled ? r : TRUE;
    }
    default:
        break;
    }
    bool handled = false;
    LRESULT r = proc->Proc(msg, wParam, lParam, handled);
    if (handled)
        return r;
    return ::DefWindowProc(h, msg, wParam, lParam);
}

const char* const kClassNames[] = {
    WC_EDIT, WC_BUTTON, WC_STATIC, WC_COMBOBOX, WC_LISTBOX, UPDOWN_CLASS, DATETIMEPICK_CLASS, MONTHCAL_CLASS,
    PROGRESS_CLASS, WC_IPADDRESS, ANIMATE_CLASS, RICHEDIT_CLASS, RICHEDIT_CLASS10A, "RichEdit20W",
};

template <int N>
QWidget* Factory(const CREATESTRUCT& cs, QWidget* parent)
{
    return MakeFor(kClassNames[N], cs, parent);
}

const AFX_WIDGET_FACTORY kFactories[] = {
    &Factory<0>, &Factory<1>, &Factory<2>, &Factory<3>, &Factory<4>,  &Factory<5>,  &Factory<6>,
    &Factory<7>, &Factory<8>, &Factory<9>, &Factory<10>, &Factory<11>, &Factory<12>, &Factory<13>,
};
static_assert(sizeof kFactories / sizeof kFactories[0] == sizeof kClassNames / sizeof kClassNames[0], "one factory a class");

}  // namespace

void RegisterControlClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        AfxEnsureApplication();
        for (size_t i = 0; i < sizeof kClassNames / sizeof kClassNames[0]; ++i) {
            WNDCLASS wc;
            if (!GetClassInfo(nullptr, kClassNames[i], &wc))
                AfxRegisterWidgetClass(nullptr, kClassNames[i], CS_DBLCLKS | CS_GLOBALCLASS, &ControlWndProc, kFactories[i]);
        }
    });
}

ControlProc* ProcOf(HWND hWnd)
{
    auto it = Entries().find(hWnd);
    return it == Entries().end() ? nullptr : it->second.proc.get();
}

}  // namespace pc
