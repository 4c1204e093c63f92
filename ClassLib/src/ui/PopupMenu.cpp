// Popup menus: scripted in tests, Qt menus on a screen; the menu hooks of the window
// layer; accelerators.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Menus/MenuQt.h>
#include <ClassLib/Wnd/QtInterop.h>

#include "Backend.h"
#include "MenuData.h"
#include "Scripts.h"
#include "CaptionButtons.h"
#include "WndInternal.h"

#include <map>

#include <QAction>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QMenuBar>
#include <QPointer>
#include <QMenu>
#include <QPainter>
#include <QWidgetAction>

namespace {

CMenu* HookFromHandle(HMENU h)
{
    return CMenu::FromHandle(h);
}

HMENU HookHandleOf(const CMenu* p)
{
    return p ? p->m_hMenu : nullptr;
}

void HookDrawMenuBar(HWND hWnd)
{
    AfxMenuBarChanged(hWnd);
}

const AFX_MENU_HOOKS kHooks = {&HookFromHandle, &HookHandleOf, &HookDrawMenuBar, nullptr};

struct InstallHooks
{
    InstallHooks() { AfxSetMenuHooks(&kHooks); }
} g_installHooks;

// The texts of a menu as a script sees them.
void Describe(HMENU h, std::vector<CString>& out)
{
    pc::MenuData* d = pc::MenuFromHandle(h);
    if (!d)
        return;
    for (const pc::MenuItem& it : d->items) {
        if (it.flags & MF_SEPARATOR)
            out.push_back("-");
        else if (it.flags & MF_OWNERDRAW)
            out.push_back("(owner-drawn)");
        else if (it.sub)
            out.push_back(CString(it.text.c_str()) + ">");
        else
            out.push_back(CString(it.text.c_str()));
    }
}

bool Choosable(HMENU h, UINT cmd)
{
    pc::MenuItem* it = pc::FindMenuItem(h, cmd, MF_BYCOMMAND);
    return it && !(it->flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR)) && !it->sub;
}

// The CMenu object that draws an owner-drawn item: the one attached to the item's menu.
CMenu* DrawingMenu(HMENU h)
{
    return CMenu::FromHandlePermanent(h);
}

class OwnerDrawItem : public QWidget
{
public:
    OwnerDrawItem(HMENU menu, const pc::MenuItem& item, HWND owner, QWidget* parent)
        : QWidget(parent), m_menu(menu), m_id(static_cast<UINT>(item.id)), m_data(item.data), m_owner(owner)
    {
        MEASUREITEMSTRUCT mis = {};
        mis.CtlType = ODT_MENU;
        mis.itemID = m_id;
        mis.itemData = m_data;
        mis.itemHeight = static_cast<UINT>(fontMetrics().height() + 4);
        mis.itemWidth = 80;
        if (CMenu* p = DrawingMenu(m_menu))
            p->MeasureItem(&mis);
        else if (m_owner)
            ::SendMessage(m_owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        setMinimumSize(static_cast<int>(mis.itemWidth), static_cast<int>(mis.itemHeight));
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_MENU;
        dis.itemID = m_id;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = underMouse() ? ODS_SELECTED : 0;
        if (!isEnabled())
            dis.itemState |= ODS_GRAYED | ODS_DISABLED;
        dis.hwndItem = reinterpret_cast<HWND>(m_menu);
        dis.rcItem = {0, 0, width(), height()};
        dis.itemData = m_data;
        struct Target : AfxDCTarget
        {
            QPainter& painter;
            explicit Target(QPainter& pp) : painter(pp) {}
            QImage* Image() override { return nullptr; }
            QPaintDevice* Device() override { return painter.device(); }
            QPainter* Painter(const void*) override { return &painter; }
            void EndPainting() override {}
        };
        HDC hdc = AfxCreateDCOnTarget(std::make_shared<Target>(p), FALSE);
        dis.hDC = hdc;
        if (CMenu* pm = DrawingMenu(m_menu))
            pm->DrawItem(&dis);
        else if (m_owner)
            ::SendMessage(m_owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        ::DeleteDC(hdc);
    }
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }

private:
    HMENU m_menu;
    UINT m_id;
    ULONG_PTR m_data;
    HWND m_owner;
};

void Fill(QMenu* qm, HMENU h, HWND owner, const std::function<void(UINT)>& onCommand)
{
    pc::MenuData* d = pc::MenuFromHandle(h);
    if (!d)
        return;
    for (const pc::MenuItem& it : d->items) {
        if (it.flags & MF_SEPARATOR) {
            qm->addSeparator();
            continue;
        }
        const bool enabled = !(it.flags & (MF_GRAYED | MF_DISABLED));
        if (it.sub) {
            QMenu* sub = qm->addMenu(AfxQString(it.text.c_str()));
            sub->setEnabled(enabled);
            Fill(sub, it.sub, owner, onCommand);
            continue;
        }
        QAction* a = nullptr;
        if (it.flags & MF_OWNERDRAW) {
            auto* wa = new QWidgetAction(qm);
            wa->setDefaultWidget(new OwnerDrawItem(h, it, owner, qm));
            qm->addAction(wa);
            a = wa;
        } else {
            a = qm->addAction(AfxQString(it.text.c_str()));
        }
        a->setEnabled(enabled);
        if (it.flags & MF_CHECKED) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        if (it.flags & MF_DEFAULT) {
            QFont f = a->font();
            f.setBold(true);
            a->setFont(f);
        }
        UINT id = static_cast<UINT>(it.id);
        QObject::connect(a, &QAction::triggered, qm, [id, onCommand] {
            if (onCommand)
                onCommand(id);
        });
    }
}

UINT Track(HMENU hMenu, UINT nFlags, int x, int y, HWND hOwner)
{
    if (!pc::MenuFromHandle(hMenu))
        return 0;
    if (hOwner && !(nFlags & TPM_NONOTIFY)) {
        ::SendMessage(hOwner, WM_ENTERMENULOOP, TRUE, 0);
        ::SendMessage(hOwner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(0, FALSE));
    }
    AfxPopupRecord record;
    Describe(hMenu, record.items);
    record.point = CPoint(x, y);
    record.nFlags = nFlags;
    UINT cmd = 0;
    if (auto entry = pc::NextPopupEntry()) {
        cmd = entry->script ? entry->script(CMenu::FromHandle(hMenu), nFlags, CPoint(x, y), CWnd::FromHandle(hOwner))
                            : entry->nCommand;
        // A person can only choose an enabled command of the menu.
        if (cmd && !Choosable(hMenu, cmd))
            cmd = 0;
    } else if (pc::TheBackend().CanAskPerson()) {
        QMenu qm;
        UINT chosen = 0;
        Fill(&qm, hMenu, hOwner, [&chosen](UINT id) { chosen = id; });
        qm.exec(QPoint(x, y));
        cmd = chosen;
    }
    record.nResult = cmd;
    pc::LogPopup(record);
    if (hOwner && !(nFlags & TPM_NONOTIFY))
        ::SendMessage(hOwner, WM_EXITMENULOOP, TRUE, 0);
    return cmd;
}

}  // namespace

// ---- the menu bar of a top-level window ------------------------------------------------

namespace {

void StyleMenuBar(QMenuBar* pBar)
{
    pBar->setNativeMenuBar(false);
    // The system's menu font, with items tight enough for a low band.
    pBar->setFont(AfxQFontOf(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    // A style sheet that sets the items draws no highlight of its own: the title that has
    // the keys (after Alt, or with its menu open) is given the selection colours.
    pBar->setStyleSheet("QMenuBar { padding: 0px; } QMenuBar::item { padding: 1px 7px; }"
                        " QMenuBar::item:selected, QMenuBar::item:pressed"
                        " { background: palette(highlight); color: palette(highlighted-text); }");
    // While a modal dialog disables the window the bar keeps its look, as the platform's
    // does; it takes no input then all the same.
    QPalette pal = pBar->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        pal.setColor(QPalette::Disabled, role, pal.color(QPalette::Active, role));
    pBar->setPalette(pal);
}

std::map<HWND, QPointer<QMenuBar>>& MenuBars()
{
    static std::map<HWND, QPointer<QMenuBar>> bars;
    return bars;
}

// Fills the bar from the window's menu: a drop-down per popup item, updated from the
// window (WM_INITMENUPOPUP, the command UI) each time it opens; plain items are commands.
void FillMenuBar(QMenuBar* pBar, HWND hWnd, HMENU hMenu)
{
    pBar->clear();
    pc::MenuData* d = pc::MenuFromHandle(hMenu);
    if (!d)
        return;
    auto post = [hWnd](UINT id) { ::PostMessage(hWnd, WM_COMMAND, id, 0); };
    int nIndex = 0;
    for (const pc::MenuItem& it : d->items) {
        const int nPos = nIndex++;
        if (it.flags & MF_SEPARATOR)
            continue;
        const bool enabled = !(it.flags & (MF_GRAYED | MF_DISABLED));
        if (it.sub) {
            QMenu* pDrop = pBar->addMenu(AfxQString(it.text.c_str()));
            pDrop->setEnabled(enabled);
            const HMENU hSub = it.sub;
            QObject::connect(pDrop, &QMenu::aboutToShow, pDrop, [pDrop, hWnd, hSub, nPos, post] {
                ::SendMessage(hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hSub), MAKELPARAM(nPos, FALSE));
                pDrop->clear();
                Fill(pDrop, hSub, hWnd, post);
            });
            Fill(pDrop, hSub, hWnd, post);
            continue;
        }
        QAction* a = pBar->addAction(AfxQString(it.text.c_str()));
        a->setEnabled(enabled);
        const UINT id = static_cast<UINT>(it.id);
        QObject::connect(a, &QAction::triggered, pBar, [id, post] { post(id); });
    }
}

}  // namespace

void AfxMenuBarChanged(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return;
    auto& bars = MenuBars();
    auto found = bars.find(hWnd);
    QMenuBar* pBar = found != bars.end() ? found->second.data() : nullptr;
    const bool bWants = w->menu != nullptr && AfxIsTopLevel(w) && !(w->style & WS_CHILD) && w->widget;
    if (!bWants) {
        if (pBar)
            pBar->deleteLater();
        if (found != bars.end())
            bars.erase(found);
        return;
    }
    if (!pBar) {
        pBar = new QMenuBar(w->widget.data());
        StyleMenuBar(pBar);
        bars[hWnd] = pBar;
    }
    FillMenuBar(pBar, hWnd, w->menu);
    AfxPlaceMenuBar(w);
    pBar->show();
}

namespace {

QToolButton* ChildControlButton(QWidget* pParent, QStyle::StandardPixmap icon, const std::function<void()>& onClick)
{
    auto* b = new QToolButton(pParent);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIcon(b->style()->standardIcon(icon));
    b->setIconSize(QSize(12, 12));
    if (onClick)
        QObject::connect(b, &QToolButton::clicked, b, onClick);
    return b;
}

}  // namespace

void AfxSetMenuBarChildControls(HWND hFrame, HWND hChild)
{
    auto& bars = MenuBars();
    auto found = bars.find(hFrame);
    QMenuBar* pBar = found != bars.end() ? found->second.data() : nullptr;
    if (!pBar)
        return;
    const QVariant shown = pBar->property("afx_child_controls");
    if (shown.isValid() && shown.toULongLong() == (qulonglong)(uintptr_t)hChild)
        return;
    for (Qt::Corner corner : {Qt::TopLeftCorner, Qt::TopRightCorner})
        if (QWidget* old = pBar->cornerWidget(corner)) {
            pBar->setCornerWidget(nullptr, corner);
            old->deleteLater();
        }
    pBar->setProperty("afx_child_controls", QVariant::fromValue<qulonglong>((qulonglong)(uintptr_t)hChild));
    if (!hChild || !IsWindow(hChild)) {
        pBar->adjustSize();
        AfxPlaceMenuBar(AfxWindowOf(hFrame));
        return;
    }
    auto command = [hChild](UINT sc) { return [hChild, sc] { ::PostMessage(hChild, WM_SYSCOMMAND, sc, 0); }; };
    QToolButton* pSys = ChildControlButton(pBar, QStyle::SP_FileIcon, {});
    QObject::connect(pSys, &QToolButton::clicked, pSys, [hChild, pSys] {
        // The menu opens under the box.
        const QPoint below = pSys->mapToGlobal(QPoint(0, pSys->height()));
        if (IsWindow(hChild))
            AfxShowSystemMenu(hChild, POINT{below.x(), below.y()});
    });
    pBar->setCornerWidget(pSys, Qt::TopLeftCorner);
    auto* pRight = new QWidget(pBar);
    auto* row = new QHBoxLayout(pRight);
    row->setContentsMargins(0, 0, 2, 0);
    row->setSpacing(0);
    row->addWidget(ChildControlButton(pRight, QStyle::SP_TitleBarMinButton, command(SC_MINIMIZE)));
    row->addWidget(ChildControlButton(pRight, QStyle::SP_TitleBarNormalButton, command(SC_RESTORE)));
    row->addSpacing(2);
    row->addWidget(ChildControlButton(pRight, QStyle::SP_TitleBarCloseButton, command(SC_CLOSE)));
    pBar->setCornerWidget(pRight, Qt::TopRightCorner);
    pSys->show();
    pRight->show();
    AfxPlaceMenuBar(AfxWindowOf(hFrame));
}

int AfxMenuBandHeight()
{
    // As high as a bar of the menu font needs, and never lower than the system's menu height.
    static const int cy = [] {
        QMenuBar bar;
        StyleMenuBar(&bar);
        bar.addMenu(QString::fromUtf8("文件(&F)"));
        return std::max(GetSystemMetrics(SM_CYMENU), bar.sizeHint().height());
    }();
    return cy;
}

void AfxPlaceMenuBar(AfxWindow* w)
{
    auto& bars = MenuBars();
    auto found = bars.find(w->hwnd);
    if (found == bars.end() || !found->second)
        return;
    // The bar sits on the band above the client area that the menu reserves.
    const QRect client = AfxClientAreaOf(w);
    const int cy = AfxMenuBandHeight();
    found->second->setGeometry(client.left(), client.top() - cy, client.width(), cy);
    found->second->raise();
}

QMenu* AfxBuildQMenu(HMENU hMenu, QWidget* pParent, HWND hOwner, const std::function<void(UINT)>& onCommand)
{
    auto* qm = new QMenu(pParent);
    auto send = onCommand ? onCommand : std::function<void(UINT)>([hOwner](UINT id) {
        if (hOwner)
            ::PostMessage(hOwner, WM_COMMAND, id, 0);
    });
    Fill(qm, hMenu, hOwner, send);
    return qm;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, LPCRECT)
{
    UINT cmd = Track(hMenu, uFlags, x, y, hWnd);
    if (uFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(cmd);
    if (cmd && hWnd && !(uFlags & TPM_NONOTIFY))
        ::PostMessage(hWnd, WM_COMMAND, cmd, 0);
    return cmd ? TRUE : FALSE;
}

BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hWnd, void*)
{
    return TrackPopupMenu(hMenu, uFlags, x, y, 0, hWnd, nullptr);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->GetSafeHwnd() : nullptr, lpRect);
}

int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg)
{
    if (!lpMsg || !hWnd)
        return 0;
    const bool key = lpMsg->message == WM_KEYDOWN || lpMsg->message == WM_SYSKEYDOWN;
    const bool chr = lpMsg->message == WM_CHAR || lpMsg->message == WM_SYSCHAR;
    if (!key && !chr)
        return 0;
    BOOL shift = ::GetKeyState(VK_SHIFT) < 0, ctrl = ::GetKeyState(VK_CONTROL) < 0, alt = ::GetKeyState(VK_MENU) < 0;
    WORD cmd = AfxFindAccelerator(hAccTable, static_cast<UINT>(lpMsg->wParam), key ? TRUE : FALSE, shift, ctrl, alt);
    if (!cmd)
        return 0;
    ::SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(cmd, 1), 0);
    return 1;
}

// ---- command UI of menu items ----------------------------------------------------------

void CMenuCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu)
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    m_bEnableChanged = TRUE;
}

void CMenuCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu)
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::SetRadio(BOOL bOn)
{
    if (!m_pMenu)
        return;
    if (pc::MenuItem* it = pc::FindMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION))
        it->flags = (it->flags & ~MF_CHECKED) | (bOn ? (MF_CHECKED | MFT_RADIOCHECK) : 0u);
}

void CMenuCmdUI::SetText(LPCTSTR lpszText)
{
    if (!m_pMenu)
        return;
    if (pc::MenuItem* it = pc::FindMenuItem(m_pMenu->m_hMenu, m_nIndex, MF_BYPOSITION))
        it->text = lpszText ? lpszText : "";
}

void AfxUpdateMenuCmdUI(CMenu* pMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (!pMenu || !pTarget)
        return;
    CMenuCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        UINT id = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (id == 0)
            continue;  // a separator
        if (id == static_cast<UINT>(-1)) {
            if (CMenu* sub = pMenu->GetSubMenu(static_cast<int>(state.m_nIndex)))
                AfxUpdateMenuCmdUI(sub, pTarget, bDisableIfNoHandler);
            continue;
        }
        state.m_nID = id;
        state.m_pSubMenu = nullptr;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}
