// Dialog controls from templates, and the dialog manager's keyboard handling.
#include "DialogPane.h"
#include "DialogUnits.h"
#include "WmCodes.h"

#include <ClassLib/Core/Mbcs.h>
#include <ClassLib/Core/MessageBox.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>
#include <cstring>

namespace pc {

// ---- One control ------------------------------------------------------------------------

PaneControl::PaneControl(DialogPane* pane, PaneControl* owner, int id, DWORD style, DWORD exStyle,
                         const CString& className)
    : m_pane(pane), m_owner(owner), m_id(id), m_style(style), m_exStyle(exStyle), m_className(className),
      m_handle(reinterpret_cast<HWND>(this))
{
}

PaneControl::~PaneControl() = default;

void PaneControl::Create(QWidget* parentWidget)
{
    m_proc = MakeControlProc(m_className, this, m_style, parentWidget);
    if (m_proc) {
        m_widget = m_proc->Widget();
    } else if (m_pane->GetHooks().customControl) {
        m_widget = m_pane->GetHooks().customControl(*this, parentWidget);
    }
    if (!m_widget)
        m_widget = new QWidget(parentWidget);
    // Frames the template asks for.
    const bool border = (m_style & WS_BORDER) || (m_exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    if (auto* line = qobject_cast<QLineEdit*>(m_widget)) {
        line->setFrame(border);
    } else if (auto* frame = qobject_cast<QFrame*>(m_widget)) {
        if (border && frame->frameShape() == QFrame::NoFrame) {
            frame->setFrameShape((m_exStyle & WS_EX_CLIENTEDGE) ? QFrame::StyledPanel : QFrame::Box);
            frame->setFrameShadow((m_exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) ? QFrame::Sunken : QFrame::Plain);
        }
    }
    m_widget->setEnabled(!(m_style & WS_DISABLED));
    if (!(m_style & WS_TABSTOP) && !qobject_cast<QLineEdit*>(m_widget))
        m_widget->setFocusPolicy(m_widget->focusPolicy() == Qt::NoFocus ? Qt::NoFocus : Qt::ClickFocus);
    m_pane->Watch(m_widget);
}

LRESULT PaneControl::Send(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_pane->GetHooks().send)
        return m_pane->GetHooks().send(*this, msg, wParam, lParam);
    bool handled = false;
    return m_proc ? m_proc->Proc(msg, wParam, lParam, handled) : 0;
}

void PaneControl::Command(UINT code)
{
    if (m_owner) {
        // A child window (a combo box's edit part) reports to its own parent control.
        m_owner->Send(WM_COMMAND, MAKEWPARAM(m_id, code), reinterpret_cast<LPARAM>(m_handle));
        return;
    }
    m_pane->ChildCommand(*this, code);
}

LRESULT PaneControl::Notify(NMHDR& hdr)
{
    hdr.hwndFrom = m_handle;
    hdr.idFrom = static_cast<UINT_PTR>(m_id);
    if (m_owner)
        return m_owner->Send(WM_NOTIFY, static_cast<WPARAM>(m_id), reinterpret_cast<LPARAM>(&hdr));
    return m_pane->ChildNotify(*this, hdr);
}

LRESULT PaneControl::SendTo(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return m_pane->Send(hWnd, msg, wParam, lParam);
}

std::vector<HWND> PaneControl::Siblings() const
{
    if (m_owner) {
        std::vector<HWND> v;
        for (const auto& c : m_owner->Children())
            v.push_back(c->Self());
        return v;
    }
    return m_pane->Handles();
}

DWORD PaneControl::StyleOf(HWND hWnd) const
{
    PaneControl* c = m_pane->Find(hWnd);
    return c ? c->Style() : 0;
}

void PaneControl::OwnerDraw(QPainter& painter, DRAWITEMSTRUCT& dis)
{
    dis.CtlID = static_cast<UINT>(m_id);
    dis.hwndItem = m_handle;
    m_pane->Draw(painter, dis);
}

void PaneControl::OwnerMeasure(MEASUREITEMSTRUCT& mis)
{
    mis.CtlID = static_cast<UINT>(m_id);
    m_pane->Measure(mis);
}

ControlProc* PaneControl::AddChildControl(const char* className, UINT id, DWORD style, QWidget* widgetParent)
{
    auto child = std::make_unique<PaneControl>(m_pane, this, static_cast<int>(id), style, 0, CString(className));
    PaneControl* c = child.get();
    m_children.push_back(std::move(child));
    c->Create(widgetParent);
    return c->Proc();
}

void PaneControl::Scroll(bool horizontal, UINT code, int pos)
{
    m_pane->ChildScroll(*this, horizontal, code, pos);
}

QWidget* PaneControl::WidgetOf(HWND hWnd) const
{
    PaneControl* c = m_pane->Find(hWnd);
    return c ? c->Widget() : nullptr;
}

QPixmap PaneControl::PixmapOf(HANDLE image, UINT type)
{
    return m_pane->Pixmap(image, type);
}

// ---- The pane ---------------------------------------------------------------------------

DialogPane::DialogPane() = default;

DialogPane::~DialogPane()
{
    // The controls' widgets belong to the container; the procedures go first.
    m_controls.clear();
}

void DialogPane::MapDialogRect(RECT& r) const
{
    MapDialogUnits(r, m_base);
}

bool DialogPane::Build(const AFX_DLG_TEMPLATE& tpl, QWidget* container)
{
    m_container = container;
    m_font = (tpl.dwStyle & DS_SETFONT) && tpl.pszFont ? TemplateFont(tpl.pszFont, tpl.wPointSize, tpl.wWeight, tpl.bItalic != 0)
                                                        : TemplateFont(nullptr, 9);
    m_base = pc::BaseUnits(m_font);
    container->setFont(m_font);
    RECT size = {0, 0, tpl.cx, tpl.cy};
    MapDialogRect(size);
    container->resize(size.right, size.bottom);
    m_defId = IDOK;
    for (size_t i = 0; i < tpl.nItems; ++i) {
        const AFX_DLG_ITEM& it = tpl.pItems[i];
        RECT rc = {it.x, it.y, it.x + it.cx, it.y + it.cy};
        MapDialogRect(rc);
        PaneControl* c = AddControl(it.pszClass ? it.pszClass : "STATIC", it.nID, it.pszText, it.dwStyle,
                                    it.dwExStyle, rc);
        if (it.pszInitItems && c->Proc()) {
            UINT add = _stricmp(c->ClassName(), WC_LISTBOX) == 0 ? LB_ADDSTRING : CB_ADDSTRING;
            const char* p = it.pszInitItems;
            while (*p) {
                const char* e = std::strchr(p, '\n');
                CString item(p, e ? static_cast<int>(e - p) : static_cast<int>(std::strlen(p)));
                c->Send(add, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(item)));
                if (!e)
                    break;
                p = e + 1;
            }
        }
        if (_stricmp(c->ClassName(), WC_BUTTON) == 0 && (it.dwStyle & 0x0F) == BS_DEFPUSHBUTTON)
            m_defId = it.nID;
    }
    return true;
}

PaneControl* DialogPane::AddControl(const char* className, int id, const char* text, DWORD style, DWORD exStyle,
                                    const RECT& rc)
{
    auto c = std::make_unique<PaneControl>(this, nullptr, id, style, exStyle, CString(className));
    PaneControl* p = c.get();
    m_controls.push_back(std::move(c));
    p->Create(m_container);
    QWidget* w = p->Widget();
    int height = rc.bottom - rc.top;
    // A combo box's template height is its dropped list's; the box itself is one line.
    if (_stricmp(className, WC_COMBOBOX) == 0)
        height = w->sizeHint().height();
    w->setGeometry(rc.left, rc.top, rc.right - rc.left, height);
    if (text && *text && p->Proc())
        p->Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    w->setVisible((style & WS_VISIBLE) != 0);
    return p;
}

PaneControl* DialogPane::Control(int id) const
{
    for (const auto& c : m_controls)
        if (c->Id() == id)
            return c.get();
    return nullptr;
}

static PaneControl* FindIn(const std::vector<std::unique_ptr<PaneControl>>& list, HWND h)
{
    for (const auto& c : list) {
        if (c->Self() == h)
            return c.get();
        if (PaneControl* k = FindIn(c->Children(), h))
            return k;
    }
    return nullptr;
}

PaneControl* DialogPane::Find(HWND h) const
{
    return h ? FindIn(m_controls, h) : nullptr;
}

static PaneControl* FindWidgetIn(const std::vector<std::unique_ptr<PaneControl>>& list, const QWidget* w)
{
    for (const auto& c : list) {
        if (PaneControl* k = FindWidgetIn(c->Children(), w))
            return k;
        if (c->Widget() == w)
            return c.get();
    }
    return nullptr;
}

PaneControl* DialogPane::FindByWidget(const QWidget* w) const
{
    // The control whose widget is w or holds it.
    for (const QWidget* p = w; p && p != m_container; p = p->parentWidget())
        if (PaneControl* c = FindWidgetIn(m_controls, p))
            return c;
    return nullptr;
}

LRESULT DialogPane::Send(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    PaneControl* c = Find(h);
    return c ? c->Send(msg, wParam, lParam) : 0;
}

std::vector<HWND> DialogPane::Handles() const
{
    std::vector<HWND> v;
    for (const auto& c : m_controls)
        v.push_back(c->Self());
    return v;
}

void DialogPane::ChildCommand(PaneControl& c, UINT code)
{
    if (m_hooks.command)
        m_hooks.command(MAKEWPARAM(c.Id(), code), reinterpret_cast<LPARAM>(c.Self()));
}

LRESULT DialogPane::ChildNotify(PaneControl& c, NMHDR& hdr)
{
    return m_hooks.notify ? m_hooks.notify(static_cast<WPARAM>(c.Id()), hdr) : 0;
}

void DialogPane::ChildScroll(PaneControl& c, bool horizontal, UINT code, int pos)
{
    if (m_hooks.scroll)
        m_hooks.scroll(horizontal, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(c.Self()));
}

void DialogPane::Draw(QPainter& painter, DRAWITEMSTRUCT& dis)
{
    if (m_hooks.drawItem)
        m_hooks.drawItem(painter, dis);
}

void DialogPane::Measure(MEASUREITEMSTRUCT& mis)
{
    if (m_hooks.measureItem)
        m_hooks.measureItem(mis);
}

QPixmap DialogPane::Pixmap(HANDLE image, UINT type)
{
    return m_hooks.pixmap ? m_hooks.pixmap(image, type) : QPixmap();
}

void DialogPane::Watch(QWidget* w)
{
    w->installEventFilter(this);
    for (QWidget* child : w->findChildren<QWidget*>())
        child->installEventFilter(this);
}

void DialogPane::SetDefId(int id)
{
    PaneControl* old = Control(m_defId);
    if (old && _stricmp(old->ClassName(), WC_BUTTON) == 0 && (old->Style() & 0x0F) == BS_DEFPUSHBUTTON)
        old->Send(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    m_defId = id;
    PaneControl* now = Control(id);
    if (now && _stricmp(now->ClassName(), WC_BUTTON) == 0 && (now->Style() & 0x0F) == BS_PUSHBUTTON)
        now->Send(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// ---- Navigation -------------------------------------------------------------------------

bool DialogPane::Visible(const PaneControl* c) const
{
    return c->Widget() && !c->Widget()->isHidden();
}

bool DialogPane::Enabled(const PaneControl* c) const
{
    return c->Widget() && c->Widget()->isEnabled();
}

PaneControl* DialogPane::FocusedControl() const
{
    return FindByWidget(QApplication::focusWidget());
}

PaneControl* DialogPane::FirstTabItem() const
{
    for (const auto& c : m_controls)
        if ((c->Style() & WS_TABSTOP) && Visible(c.get()) && Enabled(c.get()))
            return c.get();
    return nullptr;
}

PaneControl* DialogPane::NextTabItem(PaneControl* from, bool previous) const
{
    const int n = static_cast<int>(m_controls.size());
    if (n == 0)
        return nullptr;
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (m_controls[size_t(i)].get() == from)
            at = i;
    for (int k = 1; k <= n; ++k) {
        int i = at < 0 ? (previous ? n - k : k - 1) : ((at + (previous ? -k : k)) % n + n) % n;
        PaneControl* c = m_controls[size_t(i)].get();
        if ((c->Style() & WS_TABSTOP) && Visible(c) && Enabled(c))
            return c;
    }
    return from;
}

PaneControl* DialogPane::NextGroupItem(PaneControl* from, bool previous) const
{
    // The group: from the control that starts it up to the next one that starts a group.
    const int n = static_cast<int>(m_controls.size());
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (m_controls[size_t(i)].get() == from)
            at = i;
    if (at < 0)
        return from;
    int first = at;
    while (first > 0 && !(m_controls[size_t(first)]->Style() & WS_GROUP))
        --first;
    int last = at;
    while (last + 1 < n && !(m_controls[size_t(last + 1)]->Style() & WS_GROUP))
        ++last;
    const int size = last - first + 1;
    for (int k = 1; k < size; ++k) {
        int i = first + (((at - first) + (previous ? -k : k)) % size + size) % size;
        PaneControl* c = m_controls[size_t(i)].get();
        if (Visible(c) && Enabled(c) && !(c->Send(WM_GETDLGCODE) & DLGC_STATIC))
            return c;
    }
    return from;
}

void DialogPane::GotoControl(PaneControl* c)
{
    if (!c || !c->Widget())
        return;
    c->Widget()->setFocus(Qt::TabFocusReason);
    if (c->Send(WM_GETDLGCODE) & DLGC_HASSETSEL)
        c->Send(EM_SETSEL, 0, -1);
}

bool DialogPane::HandleKey(QKeyEvent* key, PaneControl* focused)
{
    const int k = key->key();
    const bool alt = (key->modifiers() & Qt::AltModifier) != 0;
    const bool ctrl = (key->modifiers() & Qt::ControlModifier) != 0;
    if (alt)
        return false;
    UINT vk = 0;
    switch (k) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: vk = VK_TAB; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: vk = VK_RETURN; break;
    case Qt::Key_Escape: vk = VK_ESCAPE; break;
    case Qt::Key_Left: vk = VK_LEFT; break;
    case Qt::Key_Right: vk = VK_RIGHT; break;
    case Qt::Key_Up: vk = VK_UP; break;
    case Qt::Key_Down: vk = VK_DOWN; break;
    default: return false;
    }
    // The control under the focus says which keys it keeps (a combo box's edit part asks
    // the combo box).
    PaneControl* asked = focused;
    while (asked && asked->Owner())
        asked = asked->Owner();
    LRESULT code = asked ? asked->Send(WM_GETDLGCODE, vk, 0) : 0;
    if (focused && focused != asked)
        code |= focused->Send(WM_GETDLGCODE, vk, 0);
    if (code & DLGC_WANTALLKEYS)
        return false;
    switch (vk) {
    case VK_TAB: {
        if ((code & DLGC_WANTTAB) && !ctrl)
            return false;
        bool back = k == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        GotoControl(NextTabItem(asked, back));
        return true;
    }
    case VK_RETURN: {
        int id = m_defId;
        if (asked && (asked->Send(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            id = asked->Id();  // Enter on a focused push button presses that button
        PaneControl* button = Control(id);
        if (button && !Enabled(button))
            return true;
        if (m_hooks.command)
            m_hooks.command(MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button ? button->Self() : nullptr));
        return true;
    }
    case VK_ESCAPE: {
        PaneControl* button = Control(IDCANCEL);
        if (button && !Enabled(button))
            return true;
        if (m_hooks.command)
            m_hooks.command(MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(button ? button->Self() : nullptr));
        return true;
    }
    default: {
        if (code & DLGC_WANTARROWS)
            return false;
        if (!asked)
            return false;
        bool back = vk == VK_LEFT || vk == VK_UP;
        PaneControl* next = NextGroupItem(asked, back);
        if (next && next != asked) {
            GotoControl(next);
            if ((next->Send(WM_GETDLGCODE) & DLGC_RADIOBUTTON) && (next->Style() & 0x0F) == BS_AUTORADIOBUTTON)
                next->Send(BM_CLICK);
        }
        return true;
    }
    }
}

bool DialogPane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        auto* ce = static_cast<QChildEvent*>(event);
        if (ce->child()->isWidgetType())
            static_cast<QWidget*>(ce->child())->installEventFilter(this);
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w != QApplication::focusWidget())
        return false;  // the key is seen once, where the focus is
    return HandleKey(static_cast<QKeyEvent*>(event), FindByWidget(w));
}

}  // namespace pc
