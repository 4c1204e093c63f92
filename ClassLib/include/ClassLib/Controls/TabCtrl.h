// CTabCtrl: a row of tabs, drawn by ClassLib. A click on another tab sends TCN_SELCHANGING
// (a nonzero answer keeps the current tab) and then TCN_SELCHANGE to the parent.
#pragma once

#include <ClassLib/Controls/CommonCtrlDefs.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Wnd/Wnd.h>

#include <vector>

class CImageList;
namespace pc_frame {
struct TakeOverAccess;
}

class AFX_EXT_CLASS CTabCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl();
    ~CTabCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    CImageList* GetImageList() const { return m_pImageList; }
    CImageList* SetImageList(CImageList* pImageList);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    int GetCurSel() const { return m_nCurSel; }
    // Selects without notifying (as the platform does); -1 when nItem is out of range.
    int SetCurSel(int nItem);
    int GetCurFocus() const { return m_nCurSel; }
    void SetCurFocus(int nItem) { SetCurSel(nItem); }
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size) { m_sizePadding = size; }
    int GetRowCount() const { return m_items.empty() ? 0 : 1; }

    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
    LONG InsertItem(int nItem, LPCTSTR lpszItem);
    LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    // bLarger: the window rectangle for a display area; else the display area of a window
    // rectangle (both in the control's parent coordinates when given the window's).
    void AdjustRect(BOOL bLarger, LPRECT lpRect);
    int HitTest(TCHITTESTINFO* pHitTestInfo) const;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // Layout values (pixels).
    enum { kTabHeight = 20, kTabPadding = 6, kBorder = 2 };

protected:
    struct Item
    {
        CString text;
        int image = -1;
        LPARAM lParam = 0;
        DWORD state = 0;
    };
    std::vector<Item> m_items;
    int m_nCurSel;
    CImageList* m_pImageList;
    CSize m_sizeItem;
    CSize m_sizePadding;

    int TabWidth(int nItem) const;
    LRESULT Notify(int nCode);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();

    friend struct pc_frame::TakeOverAccess;
    DECLARE_MESSAGE_MAP()
};
