// CHeaderCtrl: the row of column headings above a report list (or standalone). Items have
// a text, a format, a width, an image and a 32-bit value; owner-drawn items are drawn by
// DrawItem. Dragging a divider sends HDN_BEGINTRACK (a nonzero answer vetoes the drag),
// HDN_TRACK while it moves and HDN_ENDTRACK at the end; a click sends HDN_ITEMCLICK.
#pragma once

#include <ClassLib/Controls/CommonCtrlDefs.h>
#include <ClassLib/Controls/CommonCtrlMessages.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Wnd/Wnd.h>

#include <vector>

class CImageList;
namespace pc_frame {
struct TakeOverAccess;
}

class AFX_EXT_CLASS CHeaderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl();
    ~CHeaderCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const;
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEM* pHeaderItem);
    int InsertItem(int nPos, HDITEM* phdi);
    BOOL DeleteItem(int nPos);
    // The item's rectangle in client coordinates; FALSE for an index out of range.
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    CImageList* GetImageList() const { return m_pImageList; }
    CImageList* SetImageList(CImageList* pImageList);
    BOOL GetOrderArray(LPINT piArray, int iCount = -1);
    BOOL SetOrderArray(int iCount, LPINT piArray);
    int OrderToIndex(int nOrder) const;
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo);
    // Fills the layout record: the header's place at the top of *prc, which shrinks.
    BOOL Layout(HDLAYOUT* pHeaderLayout);
    int GetHeight() const;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Layout values (pixels).
    enum { kDividerGrip = 4, kTextMargin = 6 };

protected:
    struct Item
    {
        UINT mask = 0;
        int cxy = 0;
        CString text;
        bool textCallback = false;
        HBITMAP hbm = nullptr;
        int fmt = HDF_LEFT | HDF_STRING;
        LPARAM lParam = 0;
        int iImage = -1;
        int iOrder = 0;
    };
    std::vector<Item> m_items;
    CImageList* m_pImageList;
    int m_nTrack;       // item whose divider is dragged, -1
    int m_nTrackStart;  // mouse x at the start of the drag
    int m_nTrackWidth;  // width at the start
    int m_nPressed;     // item pressed for a click, -1
    bool m_bPressedIn;
    // GetHeight measures the font once per window and font (lists ask for it very often).
    mutable int m_nHeightCache = 0;
    mutable HWND m_hWndHeightCache = nullptr;

    std::vector<int> VisualOrder() const;
    // The work of the item operations, which send HDM_* to the window when it exists.
    BOOL GetItemImpl(int nPos, HDITEM* pHeaderItem) const;
    BOOL SetItemImpl(int nPos, HDITEM* pHeaderItem);
    int InsertItemImpl(int nPos, HDITEM* phdi);
    BOOL DeleteItemImpl(int nPos);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT Notify(int nCode, int iItem, HDITEM* pItem, int iButton = 0);
    void DrawHeaderItem(CDC* pDC, int nIndex, const CRect& rc, bool bPressed);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCaptureChanged(CWnd* pWnd);

    friend class CListCtrl;
    friend struct pc_frame::TakeOverAccess;
    DECLARE_MESSAGE_MAP()
};
