// The window classes of the self-drawn controls (list, header, tree, tab) give a window
// made without an object (from a dialog template, by CreateWindowEx) an object of the
// control's class, which goes with the window. Subclassing such a window with another
// object of the same kind moves the control's state to that object; unsubclassing gives
// the state back to the object that held it before (or to a new one of the class).
#include "../framework/Framework.h"

#include "../framework/FrameworkStrings.h"

#include <ClassLib/Wnd/WndTakeOver.h>

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <map>
#include <unordered_set>
#include <utility>

namespace {

// The objects the window classes made; each deletes itself after WM_NCDESTROY.
std::unordered_set<CWnd*>& StandIns()
{
    static auto* s = new std::unordered_set<CWnd*>;
    return *s;
}

// Objects that lost their window to another object and wait to get it back.
std::map<HWND, CWnd*>& Displaced()
{
    static auto* m = new std::map<HWND, CWnd*>;
    return *m;
}

template <class T>
class CStandIn : public T
{
public:
    CStandIn() { StandIns().insert(this); }
    ~CStandIn() override { StandIns().erase(this); }

protected:
    void PostNcDestroy() override { delete this; }
};

// Deleted once control is back in the event loop: the object may be up the call stack.
void DeleteLater(CWnd* pWnd)
{
    StandIns().erase(pWnd);
    if (QCoreApplication::instance() != nullptr)
        QMetaObject::invokeMethod(QCoreApplication::instance(), [pWnd] { delete pWnd; }, Qt::QueuedConnection);
    else
        delete pWnd;
}

}  // namespace

namespace pc_frame {

struct TakeOverAccess
{
    static void Move(CHeaderCtrl& from, CHeaderCtrl& to)
    {
        to.m_items = std::move(from.m_items);
        from.m_items.clear();
        to.m_pImageList = from.m_pImageList;
        to.m_nTrack = -1;
        to.m_nPressed = -1;
        to.m_bPressedIn = false;
    }

    static void Move(CListCtrl& from, CListCtrl& to)
    {
        to.m_rows = std::move(from.m_rows);
        from.m_rows.clear();
        // The labels are measured again (the new owner may draw with another font).
        to.ForgetLabelWidths();
        from.ForgetLabelWidths();
        to.m_nPositioned = from.m_nPositioned;
        from.m_nPositioned = 0;
        to.m_columns = std::move(from.m_columns);
        from.m_columns.clear();
        to.m_pImageNormal = from.m_pImageNormal;
        to.m_pImageSmall = from.m_pImageSmall;
        to.m_pImageState = from.m_pImageState;
        to.m_clrBk = from.m_clrBk;
        to.m_clrText = from.m_clrText;
        to.m_clrTextBk = from.m_clrTextBk;
        to.m_nCallbackMask = from.m_nCallbackMask;
        to.m_dwExStyle = from.m_dwExStyle;
        to.m_nSelectionMark = from.m_nSelectionMark;
        to.m_nHotItem = from.m_nHotItem;
        to.m_nTopIndex = from.m_nTopIndex;
        to.m_nScrollX = from.m_nScrollX;
        to.m_nScrollY = from.m_nScrollY;
        to.m_nRowHeight = 0;  // measured again for the new owner
        to.m_sizeIconSpacing = from.m_sizeIconSpacing;
        to.m_hWndHeader = from.m_hWndHeader;
        from.m_hWndHeader = nullptr;
        // The header the old object made goes to the new object's own header member;
        // a header some other object subclassed stays with that object.
        HWND hHeader = to.m_hWndHeader;
        if (hHeader != nullptr && from.m_header.m_hWnd == hHeader && to.m_header.m_hWnd == nullptr)
        {
            Move(from.m_header, to.m_header);
            WNDPROC super = from.m_header.m_pfnSuper;
            from.m_header.Detach();
            to.m_header.Attach(hHeader);
            to.m_header.m_pfnSuper = super;
        }
    }

    static void Move(CTreeCtrl& from, CTreeCtrl& to)
    {
        to.m_store = std::move(from.m_store);
        from.m_store.clear();
        to.m_live = std::move(from.m_live);
        from.m_live.clear();
        to.m_root.children = std::move(from.m_root.children);
        from.m_root.children.clear();
        to.m_root.state = from.m_root.state;
        for (CTreeCtrl::Node* child : to.m_root.children)
            child->parent = &to.m_root;
        auto node = [&](CTreeCtrl::Node* p) { return p == &from.m_root ? &to.m_root : p; };
        to.m_pSelected = node(from.m_pSelected);
        to.m_pDropHilite = node(from.m_pDropHilite);
        from.m_pSelected = from.m_pDropHilite = nullptr;
        to.m_nTopRow = from.m_nTopRow;
        to.m_nIndent = from.m_nIndent;
        to.m_nItemHeight = from.m_nItemHeight;
        to.m_pImageNormal = from.m_pImageNormal;
        to.m_pImageState = from.m_pImageState;
        to.m_clrBk = from.m_clrBk;
        to.m_clrText = from.m_clrText;
        to.m_pClickItem = nullptr;
        to.m_bClickPending = false;
        from.m_pClickItem = nullptr;
    }

    static void Move(CTabCtrl& from, CTabCtrl& to)
    {
        to.m_items = std::move(from.m_items);
        from.m_items.clear();
        to.m_nCurSel = from.m_nCurSel;
        to.m_pImageList = from.m_pImageList;
        to.m_sizeItem = from.m_sizeItem;
        to.m_sizePadding = from.m_sizePadding;
    }
};

}  // namespace pc_frame

namespace {

using pc_frame::TakeOverAccess;

template <class T>
bool MoveAs(CWnd* pFrom, CWnd* pTo)
{
    T* from = dynamic_cast<T*>(pFrom);
    T* to = dynamic_cast<T*>(pTo);
    if (from == nullptr || to == nullptr)
        return false;
    TakeOverAccess::Move(*from, *to);
    return true;
}

// Moves the control state between two objects of one control kind.
bool MoveState(CWnd* pFrom, CWnd* pTo)
{
    return MoveAs<CListCtrl>(pFrom, pTo) || MoveAs<CHeaderCtrl>(pFrom, pTo) || MoveAs<CTreeCtrl>(pFrom, pTo) ||
           MoveAs<CTabCtrl>(pFrom, pTo);
}

// A new object of the control's own class for the state of pFrom; NULL for other windows.
CWnd* NewStandInFor(CWnd* pFrom)
{
    if (dynamic_cast<CListCtrl*>(pFrom) != nullptr)
        return new CStandIn<CListCtrl>;
    if (dynamic_cast<CHeaderCtrl*>(pFrom) != nullptr)
        return new CStandIn<CHeaderCtrl>;
    if (dynamic_cast<CTreeCtrl*>(pFrom) != nullptr)
        return new CStandIn<CTreeCtrl>;
    if (dynamic_cast<CTabCtrl*>(pFrom) != nullptr)
        return new CStandIn<CTabCtrl>;
    return nullptr;
}

void ForgetDeadWindows()
{
    auto& displaced = Displaced();
    for (auto it = displaced.begin(); it != displaced.end();)
        it = ::IsWindow(it->first) ? std::next(it) : displaced.erase(it);
}

BOOL TakeOver(CWnd* pOld, CWnd* pNew, HWND hWnd)
{
    if (!MoveState(pOld, pNew))
        return FALSE;
    pOld->Detach();
    ForgetDeadWindows();
    if (StandIns().count(pOld) != 0)
    {
        DeleteLater(pOld);
    }
    else
    {
        // An object of the program's own (a list's header member) gets the window back
        // when the new object lets go of it.
        auto& displaced = Displaced();
        if (displaced.count(hWnd) == 0)
            displaced[hWnd] = pOld;
    }
    return TRUE;
}

void HandBack(CWnd* pOld, HWND hWnd)
{
    ForgetDeadWindows();
    CWnd* pBack = nullptr;
    auto& displaced = Displaced();
    auto it = displaced.find(hWnd);
    if (it != displaced.end())
    {
        pBack = it->second;
        displaced.erase(it);
    }
    bool bStandIn = false;
    if (pBack == nullptr)
    {
        pBack = NewStandInFor(pOld);
        bStandIn = pBack != nullptr;
    }
    if (pBack == nullptr)
        return;
    if (!MoveState(pOld, pBack) || !pBack->SubclassWindow(hWnd))
    {
        if (bStandIn)
            DeleteLater(pBack);
    }
}

template <class T>
LRESULT CALLBACK StandInProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A window made without an object gets one of the control's class on its first
    // message; windows with an object come here only for the default handling.
    if (message == WM_NCCREATE && CWnd::FromHandlePermanent(hWnd) == nullptr)
    {
        CWnd* pWnd = new CStandIn<T>;
        if (!pWnd->SubclassWindow(hWnd))
        {
            DeleteLater(pWnd);
            return ::DefWindowProc(hWnd, message, wParam, lParam);
        }
        return AfxCallWndProc(pWnd, hWnd, message, wParam, lParam);
    }
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

}  // namespace

namespace pc_frame {

WNDPROC ControlClassProc(const char* pszClass)
{
    AfxSetWndTakeOverHooks(&TakeOver, &HandBack);
    if (_stricmp(pszClass, WC_LISTVIEW) == 0)
        return &StandInProc<CListCtrl>;
    if (_stricmp(pszClass, WC_HEADER) == 0)
        return &StandInProc<CHeaderCtrl>;
    if (_stricmp(pszClass, WC_TREEVIEW) == 0)
        return &StandInProc<CTreeCtrl>;
    if (_stricmp(pszClass, WC_TABCONTROL) == 0)
        return &StandInProc<CTabCtrl>;
    return &::DefWindowProc;
}

void ForgetTakenOver(CWnd* pWnd)
{
    auto& displaced = Displaced();
    for (auto it = displaced.begin(); it != displaced.end();)
        it = it->second == pWnd ? displaced.erase(it) : std::next(it);
}

}  // namespace pc_frame

// The list asks its header through the window: whichever object holds it now.
CHeaderCtrl* CListCtrl::Header() const
{
    if (m_hWndHeader == nullptr)
        return nullptr;
    return dynamic_cast<CHeaderCtrl*>(CWnd::FromHandlePermanent(m_hWndHeader));
}
