// CTreeCtrl: the tree view control, drawn by ClassLib: items with texts, images, a
// children mark (an expand button before the children are loaded), 32-bit item data and
// states; lines and buttons; expanding and selecting with the platform's notifications
// (TVN_ITEMEXPANDING and TVN_SELCHANGING may veto). A click sends NM_CLICK before the
// selection changes, as on the platform.
#pragma once

#include <ClassLib/Controls/CommonCtrlDefs.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Wnd/Wnd.h>

#include <memory>
#include <unordered_set>
#include <vector>

class CImageList;
namespace pc_frame {
struct TakeOverAccess;
}
class CEdit;

class AFX_EXT_CLASS CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    CTreeCtrl();
    ~CTreeCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- Attributes ----
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    UINT GetCount() const;
    UINT GetIndent() const { return m_nIndent; }
    void SetIndent(UINT nIndent);
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    HTREEITEM GetFirstVisibleItem() const;
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const;
    HTREEITEM GetSelectedItem() const;
    HTREEITEM GetDropHilightItem() const;
    HTREEITEM GetRootItem() const;
    BOOL GetItem(TVITEM* pItem) const;
    CString GetItemText(HTREEITEM hItem) const;
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItem(TVITEM* pItem);
    BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    // The children mark: TRUE when the item has children or is marked as having them.
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    CEdit* GetEditControl() const { return nullptr; }
    UINT GetVisibleCount() const;
    int GetItemHeight() const;
    BOOL GetCheck(HTREEITEM hItem) const;
    BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE);
    COLORREF GetBkColor() const { return m_clrBk; }
    COLORREF SetBkColor(COLORREF clr);
    COLORREF GetTextColor() const { return m_clrText; }
    COLORREF SetTextColor(COLORREF clr);

    // ---- Operations ----
    HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct);
    HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();
    BOOL Expand(HTREEITEM hItem, UINT nCode);
    BOOL Select(HTREEITEM hItem, UINT nCode);
    BOOL SelectItem(HTREEITEM hItem);
    BOOL SelectDropTarget(HTREEITEM hItem);
    BOOL SelectSetFirstVisible(HTREEITEM hItem);
    CEdit* EditLabel(HTREEITEM hItem);
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = NULL) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const;
    BOOL SortChildren(HTREEITEM hItem);
    BOOL SortChildrenCB(LPTVSORTCB pSort);
    BOOL EnsureVisible(HTREEITEM hItem);

protected:
    struct Node
    {
        Node* parent = nullptr;
        std::vector<Node*> children;
        CString text;
        bool textCallback = false;
        int image = 0;
        int selImage = 0;
        UINT state = 0;
        LPARAM lParam = 0;
        int cChildren = 0;  // the children mark: 0, 1 or I_CHILDRENCALLBACK
    };
    std::vector<std::unique_ptr<Node>> m_store;
    std::unordered_set<const Node*> m_live;
    Node m_root;
    Node* m_pSelected;
    Node* m_pDropHilite;
    int m_nTopRow;  // first visible row shown
    UINT m_nIndent;
    int m_nItemHeight;
    CImageList* m_pImageNormal;
    CImageList* m_pImageState;
    COLORREF m_clrBk, m_clrText;
    Node* m_pClickItem;
    UINT m_nClickFlags;
    CPoint m_ptDown;
    bool m_bClickPending;

    Node* FromHandle(HTREEITEM hItem) const;
    static HTREEITEM ToHandle(const Node* pNode) { return reinterpret_cast<HTREEITEM>(const_cast<Node*>(pNode)); }
    Node* NodeOrRoot(HTREEITEM hItem) const;
    void CollectVisible(std::vector<std::pair<Node*, int>>& rows) const;
    int VisibleIndex(const Node* pNode) const;
    int Level(const Node* pNode) const;
    bool HasChildMark(const Node* pNode) const;
    CString NodeText(const Node* pNode) const;
    int NodeImage(const Node* pNode, bool bSelected) const;
    void DeleteNode(Node* pNode);
    BOOL ExpandNode(Node* pNode, UINT nCode, UINT nAction);
    BOOL SelectNode(Node* pNode, UINT nAction);
    LRESULT NotifyTree(int nCode, UINT action, Node* pOld, Node* pNew, CPoint pt = CPoint(0, 0)) const;
    LRESULT NotifySimple(int nCode) const;
    void FillItem(TVITEM& item, const Node* pNode) const;
    int ItemHeight() const;
    int TextWidth(const CString& text) const;
    void UpdateScrollBars();
    CRect RowRect(int nRow) const;
    int RowLeft(const Node* pNode, int nLevel) const;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnSetFontMsg(WPARAM wParam, LPARAM lParam);

    friend struct pc_frame::TakeOverAccess;
    DECLARE_MESSAGE_MAP()
};
