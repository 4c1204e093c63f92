// CTreeCtrl: items, expanding, selection and the notifications.
#include "../framework/Framework.h"

#include "../framework/FrameworkStrings.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CTreeCtrl::CTreeCtrl()
    : m_pSelected(nullptr),
      m_pDropHilite(nullptr),
      m_nTopRow(0),
      m_nIndent(19),
      m_nItemHeight(0),
      m_pImageNormal(nullptr),
      m_pImageState(nullptr),
      m_clrBk(CLR_NONE),
      m_clrText(CLR_NONE),
      m_pClickItem(nullptr),
      m_nClickFlags(0),
      m_bClickPending(false)
{
    m_root.state = TVIS_EXPANDED;
}

CTreeCtrl::~CTreeCtrl()
{
    pc_frame::ForgetTakenOver(this);
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    pc_frame::EnsureControlClasses();
    return CWnd::CreateEx(dwExStyle, WC_TREEVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

CTreeCtrl::Node* CTreeCtrl::FromHandle(HTREEITEM hItem) const
{
    // Stale or made-up handles are refused instead of followed.
    const Node* p = reinterpret_cast<const Node*>(hItem);
    if (p == nullptr || m_live.count(p) == 0)
        return nullptr;
    return const_cast<Node*>(p);
}

CTreeCtrl::Node* CTreeCtrl::NodeOrRoot(HTREEITEM hItem) const
{
    if (hItem == TVI_ROOT || hItem == nullptr)
        return const_cast<Node*>(&m_root);
    return FromHandle(hItem);
}

UINT CTreeCtrl::GetCount() const
{
    return static_cast<UINT>(m_live.size());
}

void CTreeCtrl::SetIndent(UINT nIndent)
{
    m_nIndent = std::max<UINT>(nIndent, 8);
    if (m_hWnd != nullptr)
        Invalidate();
}

CImageList* CTreeCtrl::GetImageList(int nImageList) const
{
    return nImageList == TVSIL_NORMAL ? m_pImageNormal : nImageList == TVSIL_STATE ? m_pImageState : nullptr;
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    CImageList* pOld = GetImageList(nImageListType);
    if (nImageListType == TVSIL_NORMAL)
        m_pImageNormal = pImageList;
    else if (nImageListType == TVSIL_STATE)
        m_pImageState = pImageList;
    else
        return nullptr;
    m_nItemHeight = 0;
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return pOld;
}

void CTreeCtrl::CollectVisible(std::vector<std::pair<Node*, int>>& rows) const
{
    struct Walker
    {
        static void Walk(const Node* p, int level, std::vector<std::pair<Node*, int>>& out)
        {
            for (Node* child : p->children)
            {
                out.emplace_back(child, level);
                if (child->state & TVIS_EXPANDED)
                    Walk(child, level + 1, out);
            }
        }
    };
    Walker::Walk(&m_root, 0, rows);
}

int CTreeCtrl::VisibleIndex(const Node* pNode) const
{
    std::vector<std::pair<Node*, int>> rows;
    CollectVisible(rows);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].first == pNode)
            return static_cast<int>(i);
    return -1;
}

int CTreeCtrl::Level(const Node* pNode) const
{
    int n = 0;
    for (const Node* p = pNode->parent; p != nullptr && p != &m_root; p = p->parent)
        ++n;
    return n;
}

bool CTreeCtrl::HasChildMark(const Node* pNode) const
{
    if (pNode->cChildren == I_CHILDRENCALLBACK)
    {
        NMTVDISPINFO info;
        std::memset(&info, 0, sizeof(info));
        info.item.mask = TVIF_CHILDREN;
        info.item.hItem = ToHandle(pNode);
        info.item.lParam = pNode->lParam;
        if (m_hWnd != nullptr && GetParent() != nullptr)
        {
            info.hdr.hwndFrom = m_hWnd;
            info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
            info.hdr.code = TVN_GETDISPINFO;
            GetParent()->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        }
        return info.item.cChildren != 0;
    }
    return pNode->cChildren != 0;
}

CString CTreeCtrl::NodeText(const Node* pNode) const
{
    if (!pNode->textCallback)
        return pNode->text;
    char buffer[520];
    buffer[0] = '\0';
    NMTVDISPINFO info;
    std::memset(&info, 0, sizeof(info));
    info.item.mask = TVIF_TEXT;
    info.item.hItem = ToHandle(pNode);
    info.item.lParam = pNode->lParam;
    info.item.pszText = buffer;
    info.item.cchTextMax = static_cast<int>(sizeof(buffer));
    if (m_hWnd != nullptr && GetParent() != nullptr)
    {
        info.hdr.hwndFrom = m_hWnd;
        info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
        info.hdr.code = TVN_GETDISPINFO;
        GetParent()->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    }
    buffer[sizeof(buffer) - 1] = '\0';
    if (info.item.pszText == nullptr || info.item.pszText == LPSTR_TEXTCALLBACK)
        return CString();
    return CString(info.item.pszText);
}

int CTreeCtrl::NodeImage(const Node* pNode, bool bSelected) const
{
    return bSelected ? pNode->selImage : pNode->image;
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    switch (nCode)
    {
    case TVGN_ROOT:
        return GetRootItem();
    case TVGN_CARET:
        return GetSelectedItem();
    case TVGN_DROPHILITE:
        return GetDropHilightItem();
    case TVGN_FIRSTVISIBLE:
        return GetFirstVisibleItem();
    case TVGN_LASTVISIBLE:
    {
        std::vector<std::pair<Node*, int>> rows;
        CollectVisible(rows);
        return rows.empty() ? nullptr : ToHandle(rows.back().first);
    }
    default:
        break;
    }
    Node* p = nCode == TVGN_CHILD ? NodeOrRoot(hItem) : FromHandle(hItem);
    if (p == nullptr)
        return nullptr;
    switch (nCode)
    {
    case TVGN_CHILD:
        return p->children.empty() ? nullptr : ToHandle(p->children.front());
    case TVGN_PARENT:
        return p->parent == &m_root ? nullptr : ToHandle(p->parent);
    case TVGN_NEXT:
    case TVGN_PREVIOUS:
    {
        const std::vector<Node*>& sib = p->parent->children;
        auto it = std::find(sib.begin(), sib.end(), p);
        if (nCode == TVGN_NEXT)
            return (it == sib.end() || it + 1 == sib.end()) ? nullptr : ToHandle(*(it + 1));
        return it == sib.begin() ? nullptr : ToHandle(*(it - 1));
    }
    case TVGN_NEXTVISIBLE:
    case TVGN_PREVIOUSVISIBLE:
    {
        std::vector<std::pair<Node*, int>> rows;
        CollectVisible(rows);
        for (size_t i = 0; i < rows.size(); ++i)
        {
            if (rows[i].first != p)
                continue;
            if (nCode == TVGN_NEXTVISIBLE)
                return i + 1 < rows.size() ? ToHandle(rows[i + 1].first) : nullptr;
            return i > 0 ? ToHandle(rows[i - 1].first) : nullptr;
        }
        return nullptr;
    }
    default:
        return nullptr;
    }
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_CHILD);
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_NEXT);
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PREVIOUS);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PARENT);
}

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const
{
    std::vector<std::pair<Node*, int>> rows;
    CollectVisible(rows);
    if (rows.empty())
        return nullptr;
    int n = std::min<int>(m_nTopRow, static_cast<int>(rows.size()) - 1);
    return ToHandle(rows[static_cast<size_t>(std::max(0, n))].first);
}

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_NEXTVISIBLE);
}

HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE);
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    return m_pSelected != nullptr ? ToHandle(m_pSelected) : nullptr;
}

HTREEITEM CTreeCtrl::GetDropHilightItem() const
{
    return m_pDropHilite != nullptr ? ToHandle(m_pDropHilite) : nullptr;
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    return m_root.children.empty() ? nullptr : ToHandle(m_root.children.front());
}

void CTreeCtrl::FillItem(TVITEM& item, const Node* pNode) const
{
    std::memset(&item, 0, sizeof(item));
    if (pNode == nullptr)
        return;
    item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    item.hItem = ToHandle(pNode);
    item.state = pNode->state;
    item.stateMask = 0xFFFF;
    item.lParam = pNode->lParam;
    item.iImage = pNode->image;
    item.iSelectedImage = pNode->selImage;
    item.cChildren = pNode->cChildren;
}

BOOL CTreeCtrl::GetItem(TVITEM* pItem) const
{
    if (pItem == nullptr)
        return FALSE;
    Node* p = FromHandle(pItem->hItem);
    if (p == nullptr)
        return FALSE;
    if ((pItem->mask & TVIF_TEXT) && pItem->pszText != nullptr && pItem->cchTextMax > 0)
    {
        CString text = NodeText(p);
        int n = std::min(text.GetLength(), pItem->cchTextMax - 1);
        std::memcpy(pItem->pszText, static_cast<LPCTSTR>(text), static_cast<size_t>(n));
        pItem->pszText[n] = '\0';
    }
    if (pItem->mask & TVIF_IMAGE)
        pItem->iImage = p->image;
    if (pItem->mask & TVIF_SELECTEDIMAGE)
        pItem->iSelectedImage = p->selImage;
    if (pItem->mask & TVIF_STATE)
        pItem->state = p->state & (pItem->stateMask != 0 ? pItem->stateMask : 0xFFFF);
    if (pItem->mask & TVIF_PARAM)
        pItem->lParam = p->lParam;
    if (pItem->mask & TVIF_CHILDREN)
        pItem->cChildren = p->cChildren;
    return TRUE;
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    Node* p = FromHandle(hItem);
    return p != nullptr ? NodeText(p) : CString();
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    Node* p = FromHandle(hItem);
    if (p == nullptr)
        return FALSE;
    nImage = p->image;
    nSelectedImage = p->selImage;
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    Node* p = FromHandle(hItem);
    return p != nullptr ? (p->state & nStateMask) : 0;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    Node* p = FromHandle(hItem);
    return p != nullptr ? static_cast<DWORD_PTR>(p->lParam) : 0;
}

BOOL CTreeCtrl::SetItem(TVITEM* pItem)
{
    if (pItem == nullptr)
        return FALSE;
    Node* p = FromHandle(pItem->hItem);
    if (p == nullptr)
        return FALSE;
    if (pItem->mask & TVIF_TEXT)
    {
        p->textCallback = pItem->pszText == LPSTR_TEXTCALLBACK;
        p->text = !p->textCallback && pItem->pszText != nullptr ? pItem->pszText : "";
    }
    if (pItem->mask & TVIF_IMAGE)
        p->image = pItem->iImage;
    if (pItem->mask & TVIF_SELECTEDIMAGE)
        p->selImage = pItem->iSelectedImage;
    if (pItem->mask & TVIF_PARAM)
        p->lParam = pItem->lParam;
    if (pItem->mask & TVIF_CHILDREN)
        p->cChildren = pItem->cChildren;
    if (pItem->mask & TVIF_STATE)
    {
        UINT mask = pItem->stateMask;
        // Selection and expansion go through their own operations.
        if (mask & TVIS_SELECTED)
        {
            if (pItem->state & TVIS_SELECTED)
                SelectNode(p, TVC_UNKNOWN);
            else if (m_pSelected == p)
                SelectNode(nullptr, TVC_UNKNOWN);
        }
        if (mask & TVIS_EXPANDED)
        {
            if (pItem->state & TVIS_EXPANDED)
                p->state |= TVIS_EXPANDED;
            else
                p->state &= ~TVIS_EXPANDED;
        }
        mask &= ~(TVIS_SELECTED | TVIS_EXPANDED);
        p->state = (p->state & ~mask) | (pItem->state & mask);
    }
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    TVITEM item;
    std::memset(&item, 0, sizeof(item));
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, nImage, nSelectedImage, 0, 0, 0);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    return SetItem(hItem, TVIF_STATE, nullptr, 0, 0, nState, nStateMask, 0);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    Node* p = FromHandle(hItem);
    if (p == nullptr)
        return FALSE;
    p->lParam = static_cast<LPARAM>(dwData);
    return TRUE;
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    Node* p = FromHandle(hItem);
    if (p == nullptr)
        return FALSE;
    return !p->children.empty() || HasChildMark(p);
}

UINT CTreeCtrl::GetVisibleCount() const
{
    CRect rc(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&rc);
    return static_cast<UINT>(std::max(0, static_cast<int>(rc.Height()) / std::max(1, ItemHeight())));
}

int CTreeCtrl::GetItemHeight() const
{
    return ItemHeight();
}

BOOL CTreeCtrl::GetCheck(HTREEITEM hItem) const
{
    return ((GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) - 1) > 0;
}

BOOL CTreeCtrl::SetCheck(HTREEITEM hItem, BOOL fCheck)
{
    return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
}

COLORREF CTreeCtrl::SetBkColor(COLORREF clr)
{
    COLORREF old = m_clrBk;
    m_clrBk = clr;
    if (m_hWnd != nullptr)
        Invalidate();
    return old;
}

COLORREF CTreeCtrl::SetTextColor(COLORREF clr)
{
    COLORREF old = m_clrText;
    m_clrText = clr;
    if (m_hWnd != nullptr)
        Invalidate();
    return old;
}

// ---- Insertion and deletion -------------------------------------------------------------

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct)
{
    if (lpInsertStruct == nullptr)
        return nullptr;
    Node* parent = NodeOrRoot(lpInsertStruct->hParent);
    if (parent == nullptr)
        return nullptr;
    auto node = std::make_unique<Node>();
    const TVITEM& item = lpInsertStruct->item;
    if (item.mask & TVIF_TEXT)
    {
        node->textCallback = item.pszText == LPSTR_TEXTCALLBACK;
        if (!node->textCallback && item.pszText != nullptr)
            node->text = item.pszText;
    }
    if (item.mask & TVIF_IMAGE)
        node->image = item.iImage;
    if (item.mask & TVIF_SELECTEDIMAGE)
        node->selImage = item.iSelectedImage;
    if (item.mask & TVIF_PARAM)
        node->lParam = item.lParam;
    if (item.mask & TVIF_CHILDREN)
        node->cChildren = item.cChildren;
    if (item.mask & TVIF_STATE)
        node->state = item.state & item.stateMask & ~TVIS_SELECTED;
    node->parent = parent;
    Node* raw = node.get();
    std::vector<Node*>& sib = parent->children;
    HTREEITEM hAfter = lpInsertStruct->hInsertAfter;
    if (hAfter == TVI_FIRST)
        sib.insert(sib.begin(), raw);
    else if (hAfter == TVI_SORT)
    {
        auto it = sib.begin();
        while (it != sib.end() && NodeText(*it).CompareNoCase(NodeText(raw)) <= 0)
            ++it;
        sib.insert(it, raw);
    }
    else if (hAfter == TVI_LAST || hAfter == nullptr)
        sib.push_back(raw);
    else
    {
        Node* after = FromHandle(hAfter);
        auto it = std::find(sib.begin(), sib.end(), after);
        if (it == sib.end())
            sib.push_back(raw);  // not a sibling: last, as the platform does
        else
            sib.insert(it + 1, raw);
    }
    m_live.insert(raw);
    m_store.push_back(std::move(node));
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return ToHandle(raw);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT tvis;
    std::memset(&tvis, 0, sizeof(tvis));
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = const_cast<LPSTR>(lpszItem);
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                      hInsertAfter);
}

void CTreeCtrl::DeleteNode(Node* pNode)
{
    while (!pNode->children.empty())
        DeleteNode(pNode->children.back());
    NotifyTree(TVN_DELETEITEM, 0, pNode, nullptr);
    if (m_pSelected == pNode)
        m_pSelected = nullptr;
    if (m_pDropHilite == pNode)
        m_pDropHilite = nullptr;
    if (m_pClickItem == pNode)
        m_pClickItem = nullptr;
    std::vector<Node*>& sib = pNode->parent->children;
    sib.erase(std::remove(sib.begin(), sib.end(), pNode), sib.end());
    m_live.erase(pNode);
    auto it = std::find_if(m_store.begin(), m_store.end(), [pNode](const std::unique_ptr<Node>& p) { return p.get() == pNode; });
    if (it != m_store.end())
        m_store.erase(it);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    if (hItem == TVI_ROOT || hItem == nullptr)
        return DeleteAllItems();
    Node* p = FromHandle(hItem);
    if (p == nullptr)
        return FALSE;
    Node* parent = p->parent;
    bool bHadSel = false;
    for (Node* s = m_pSelected; s != nullptr; s = s->parent)
        if (s == p)
            bHadSel = true;
    DeleteNode(p);
    // A parent that lost its last child loses its expanded state.
    if (parent != &m_root && parent->children.empty())
        parent->state &= ~(TVIS_EXPANDED | TVIS_EXPANDEDONCE);
    if (bHadSel && m_pSelected == nullptr)
        NotifyTree(TVN_SELCHANGED, TVC_UNKNOWN, nullptr, nullptr);
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems()
{
    bool bHadSel = m_pSelected != nullptr;
    while (!m_root.children.empty())
        DeleteNode(m_root.children.back());
    m_pSelected = nullptr;
    m_pDropHilite = nullptr;
    m_nTopRow = 0;
    if (bHadSel)
        NotifyTree(TVN_SELCHANGED, TVC_UNKNOWN, nullptr, nullptr);
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

// ---- Expanding and selecting --------------------------------------------------------------

LRESULT CTreeCtrl::NotifyTree(int nCode, UINT action, Node* pOld, Node* pNew, CPoint pt) const
{
    if (m_hWnd == nullptr)
        return 0;
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return 0;
    NMTREEVIEW nm;
    std::memset(&nm, 0, sizeof(nm));
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = static_cast<UINT>(nCode);
    nm.action = action;
    FillItem(nm.itemOld, pOld);
    FillItem(nm.itemNew, pNew);
    nm.ptDrag = pt;
    return pParent->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

LRESULT CTreeCtrl::NotifySimple(int nCode) const
{
    if (m_hWnd == nullptr || GetParent() == nullptr)
        return 0;
    NMHDR hdr;
    hdr.hwndFrom = m_hWnd;
    hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    hdr.code = static_cast<UINT>(nCode);
    return GetParent()->SendMessage(WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

BOOL CTreeCtrl::ExpandNode(Node* pNode, UINT nCode, UINT)
{
    UINT code = nCode & 0x0003;
    bool bExpanded = (pNode->state & TVIS_EXPANDED) != 0;
    bool bExpand = code == TVE_EXPAND || (code == TVE_TOGGLE && !bExpanded);
    if (code != TVE_EXPAND && code != TVE_COLLAPSE && code != TVE_TOGGLE)
        return FALSE;
    if (bExpand == bExpanded && !(nCode & TVE_COLLAPSERESET))
        return FALSE;  // nothing changes
    // An item without children and without a mark cannot be expanded; the parent is asked
    // first in any case (it may load the children then).
    UINT action = bExpand ? TVE_EXPAND : TVE_COLLAPSE;
    if (NotifyTree(TVN_ITEMEXPANDING, action, nullptr, pNode))
        return FALSE;  // vetoed
    if (m_live.count(pNode) == 0)
        return FALSE;
    if (bExpand)
    {
        if (pNode->children.empty())
        {
            // Nothing to show: the button goes when the mark said there was something.
            pNode->state |= TVIS_EXPANDEDONCE;
            if (m_hWnd != nullptr)
                Invalidate();
            NotifyTree(TVN_ITEMEXPANDED, action, nullptr, pNode);
            return FALSE;
        }
        pNode->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    }
    else
    {
        pNode->state &= ~TVIS_EXPANDED;
        // The selection inside the collapsed branch moves to the collapsed item.
        for (Node* s = m_pSelected; s != nullptr; s = s->parent)
        {
            if (s->parent == pNode)
            {
                SelectNode(pNode, TVC_UNKNOWN);
                break;
            }
        }
        if (nCode & TVE_COLLAPSERESET)
        {
            while (!pNode->children.empty())
                DeleteNode(pNode->children.back());
            pNode->state &= ~TVIS_EXPANDEDONCE;
        }
    }
    NotifyTree(TVN_ITEMEXPANDED, action, nullptr, pNode);
    if (m_hWnd != nullptr)
    {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    Node* p = FromHandle(hItem);
    if (p == nullptr)
        return FALSE;
    // Expand by program sends no notifications on the platform only for TVE_EXPANDPARTIAL;
    // the usual codes ask the parent as a click does.
    return ExpandNode(p, nCode, TVC_UNKNOWN);
}

BOOL CTreeCtrl::SelectNode(Node* pNode, UINT nAction)
{
    if (pNode == m_pSelected)
        return TRUE;
    Node* pOld = m_pSelected;
    if (NotifyTree(TVN_SELCHANGING, nAction, pOld, pNode))
        return FALSE;
    if (pNode != nullptr && m_live.count(pNode) == 0)
        return FALSE;
    if (pOld != nullptr && m_live.count(pOld) != 0)
        pOld->state &= ~TVIS_SELECTED;
    m_pSelected = pNode;
    if (pNode != nullptr)
    {
        pNode->state |= TVIS_SELECTED;
        // Its parents open so that it can be seen.
        for (Node* p = pNode->parent; p != nullptr && p != &m_root; p = p->parent)
            p->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    }
    NotifyTree(TVN_SELCHANGED, nAction, pOld != nullptr && m_live.count(pOld) ? pOld : nullptr, pNode);
    if (m_hWnd != nullptr)
    {
        if (pNode != nullptr && m_live.count(pNode))
            EnsureVisible(ToHandle(pNode));
        Invalidate();
    }
    return TRUE;
}

BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode)
{
    Node* p = hItem == nullptr ? nullptr : FromHandle(hItem);
    if (hItem != nullptr && p == nullptr)
        return FALSE;
    switch (nCode)
    {
    case TVGN_CARET:
        return SelectNode(p, TVC_UNKNOWN);
    case TVGN_DROPHILITE:
        m_pDropHilite = p;
        if (m_hWnd != nullptr)
            Invalidate();
        return TRUE;
    case TVGN_FIRSTVISIBLE:
        return SelectSetFirstVisible(hItem);
    default:
        return FALSE;
    }
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem)
{
    return Select(hItem, TVGN_CARET);
}

BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem)
{
    return Select(hItem, TVGN_DROPHILITE);
}

BOOL CTreeCtrl::SelectSetFirstVisible(HTREEITEM hItem)
{
    Node* p = FromHandle(hItem);
    if (p == nullptr)
        return FALSE;
    int n = VisibleIndex(p);
    if (n < 0)
        return FALSE;
    m_nTopRow = n;
    UpdateScrollBars();
    Invalidate();
    return TRUE;
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    Node* p = FromHandle(hItem);
    if (p == nullptr)
        return FALSE;
    for (Node* q = p->parent; q != nullptr && q != &m_root; q = q->parent)
    {
        if (!(q->state & TVIS_EXPANDED))
            ExpandNode(q, TVE_EXPAND, TVC_UNKNOWN);
    }
    int n = VisibleIndex(p);
    if (n < 0 || m_hWnd == nullptr)
        return FALSE;
    int nPage = std::max<int>(1, static_cast<int>(GetVisibleCount()));
    if (n < m_nTopRow)
        m_nTopRow = n;
    else if (n >= m_nTopRow + nPage)
        m_nTopRow = n - nPage + 1;
    UpdateScrollBars();
    Invalidate();
    return TRUE;
}

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem)
{
    Node* p = NodeOrRoot(hItem);
    if (p == nullptr)
        return FALSE;
    std::stable_sort(p->children.begin(), p->children.end(),
                     [this](Node* a, Node* b) { return NodeText(a).CompareNoCase(NodeText(b)) < 0; });
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB pSort)
{
    if (pSort == nullptr || pSort->lpfnCompare == nullptr)
        return FALSE;
    Node* p = NodeOrRoot(pSort->hParent);
    if (p == nullptr)
        return FALSE;
    std::stable_sort(p->children.begin(), p->children.end(), [pSort](Node* a, Node* b) {
        return pSort->lpfnCompare(a->lParam, b->lParam, pSort->lParam) < 0;
    });
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM)
{
    return nullptr;
}
