// CListCtrl: the list view control, drawn by ClassLib itself: icon, small-icon, list and
// report views; columns with sub-items (report view, under a CHeaderCtrl child of id 0);
// item texts, images, states, state and overlay images, 32-bit item data and callback
// texts (LPSTR_TEXTCALLBACK, asked with LVN_GETDISPINFO). With LVS_OWNERDRAWFIXED the
// report rows are drawn by DrawItem (through WM_DRAWITEM to the parent, reflected back),
// and WM_MEASUREITEM asks for the row height.
//
// Notifications go to the parent as WM_NOTIFY, in the platform's order: a click on an
// item sends LVN_ITEMCHANGING/LVN_ITEMCHANGED for the items whose state changes (the old
// selection first) on button down and NM_CLICK on button up; a double click NM_DBLCLK; a
// right click NM_RCLICK; a header click LVN_COLUMNCLICK; a key LVN_KEYDOWN before the key
// acts.
#pragma once

#include <ClassLib/Controls/CommonCtrlDefs.h>
#include <ClassLib/Controls/CommonCtrlMessages.h>
#include <ClassLib/Controls/HeaderCtrl.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Wnd/Wnd.h>

#include <map>
#include <vector>

class CImageList;
class CEdit;
class CListCtrl;

namespace pc_frame {
struct TakeOverAccess;
void SetLabelEdit(CListCtrl* pList, CEdit* pEdit, int nItem);
void EndLabelEdit(CListCtrl* pList);
}  // namespace pc_frame

class AFX_EXT_CLASS CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl();
    ~CListCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- Attributes ----
    COLORREF GetBkColor() const { return m_clrBk; }
    BOOL SetBkColor(COLORREF cr);
    COLORREF GetTextColor() const { return m_clrText; }
    BOOL SetTextColor(COLORREF cr);
    COLORREF GetTextBkColor() const { return m_clrTextBk; }
    BOOL SetTextBkColor(COLORREF cr);
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    BOOL SetItemCount(int nItems);
    BOOL GetItem(LVITEM* pItem) const;
    BOOL SetItem(const LVITEM* pItem);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    UINT GetCallbackMask() const { return m_nCallbackMask; }
    BOOL SetCallbackMask(UINT nMask);
    int GetNextItem(int nItem, int nFlags) const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    // LVIR_BOUNDS: the whole row (report view: all columns); LVIR_ICON: the image;
    // LVIR_LABEL: the text of the first column; LVIR_SELECTBOUNDS: icon and label.
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    BOOL SetItemPosition(int nItem, POINT pt);
    BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const;
    int GetStringWidth(LPCTSTR lpsz) const;
    CEdit* GetEditControl() const { return m_pEdit; }
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);
    BOOL GetColumnOrderArray(LPINT piArray, int iCount = -1);
    BOOL SetColumnOrderArray(int iCount, LPINT piArray);
    BOOL GetViewRect(LPRECT lpRect) const;
    int GetTopIndex() const;
    // Whole rows that fit in the client area (report and list views); all items in the
    // icon views.
    int GetCountPerPage() const;
    BOOL GetOrigin(LPPOINT lpPoint) const;
    BOOL SetItemState(int nItem, LVITEM* pItem);
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    UINT GetSelectedCount() const;
    CHeaderCtrl* GetHeaderCtrl();
    DWORD GetExtendedStyle() const { return m_dwExStyle; }
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    int GetSelectionMark() const { return m_nSelectionMark; }
    int SetSelectionMark(int iIndex);
    int GetHotItem() const { return m_nHotItem; }
    BOOL GetCheck(int nItem) const;
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE);
    BOOL SetIconSpacing(int cx, int cy);
    CSize GetItemSpacing(BOOL bSmallIcon) const;
    // The height of one report row, as measured.
    int GetRowHeight() const;

    // ---- Operations ----
    int InsertItem(const LVITEM* pItem);
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                   LPARAM lParam);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const;
    int HitTest(CPoint pt, UINT* pFlags = NULL) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo);
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    // Scrolls by pixels; in report view vertically by whole rows (rounded as the
    // platform does: a part of a row counts as a row in the direction of the scroll).
    BOOL Scroll(CSize size);
    BOOL RedrawItems(int nFirst, int nLast);
    BOOL Arrange(UINT nCode);
    CEdit* EditLabel(int nItem);
    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    BOOL Update(int nItem);
    // Sorts the items by pfnCompare(item data 1, item data 2, dwData); items that compare
    // equal keep their order. States, texts and data move with their items.
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

    // Owner-drawn rows (LVS_OWNERDRAWFIXED).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // The row height of an owner-drawn list (reflected WM_MEASUREITEM); the default keeps
    // the height the list proposes.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    struct Cell
    {
        CString text;
        bool callback = false;
        int image = I_IMAGECALLBACK - 1;  // none
    };
    struct Row
    {
        std::vector<Cell> cells;  // [0] is the item's own label
        int image = 0;
        UINT state = 0;
        LPARAM lParam = 0;
        int indent = 0;
        CPoint position = CPoint(-1, -1);  // icon views; (-1, -1): arranged
        // The label's width in pixels with m_hLabelFont; -1: not measured yet, or a label
        // the parent gives (asked afresh each time).
        int labelWidth = -1;
    };
    struct Column
    {
        int fmt = LVCFMT_LEFT;
        int cx = 0;
        CString text;
        int subItem = 0;
        int image = -1;
    };

    class MeasureScope;  // ListCtrlLabels.h

    std::vector<Row> m_rows;
    std::vector<Column> m_columns;
    CHeaderCtrl m_header;   // the header the list made; another object may take its window over
    HWND m_hWndHeader;      // the header window (child id 0)
    CImageList* m_pImageNormal;
    CImageList* m_pImageSmall;
    CImageList* m_pImageState;
    COLORREF m_clrBk, m_clrText, m_clrTextBk;
    UINT m_nCallbackMask;
    DWORD m_dwExStyle;
    int m_nSelectionMark;
    int m_nHotItem;
    int m_nTopIndex;    // report and small views: first row shown
    int m_nScrollX;     // pixels scrolled horizontally
    int m_nScrollY;     // icon views: pixels scrolled vertically
    int m_nRowHeight;   // 0: not measured yet
    // Report view: both scroll bars stay shown, greyed when there is nothing to scroll.
    bool m_bKeepScrollBars = false;
    CSize m_sizeIconSpacing;
    CEdit* m_pEdit;
    int m_nEditItem;
    // Mouse tracking.
    int m_nDownItem;
    CPoint m_ptDown;
    bool m_bDragStarted;
    bool m_bClickPending;
    UINT m_nDownFlags;
    // Redrawing is off (WM_SETREDRAW FALSE): the scroll bars are measured again only when
    // it is back on, so that filling many rows does not measure them once per row.
    bool m_bRedrawOff = false;
    // Label widths (small-icon and list views, where the widest label sets the cell): each
    // row keeps its own label's width, measured once with m_hLabelFont and again only when
    // its text or the font changes; how many rows have each width gives the widest at once.
    // Rows not measured yet and rows whose label the parent gives are counted, so that a
    // layout looks for them only when there are some.
    mutable std::map<int, int> m_labelWidthCount;
    mutable int m_nUnmeasuredLabels = 0;
    int m_nCallbackLabels = 0;
    mutable HGDIOBJ m_hLabelFont = nullptr;
    // The widest of the parent's labels, kept while a measure scope is open; -1: not known.
    mutable int m_nCallbackLabelWidth = -1;
    // The outermost open measure scope: it lends every label measured in one layout or
    // paint one device context with the list's font.
    mutable MeasureScope* m_pMeasureScope = nullptr;
    // Items placed with SetItemPosition; with none, the icon views' extent follows from
    // the item count alone.
    int m_nPositioned = 0;

    // The object that holds the header window now (m_header, or one that subclassed it).
    CHeaderCtrl* Header() const;
    // The answers to the LVM_* messages of the setters (ListCtrlMessages.cpp).
    bool HandleListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

    // Geometry (ListCtrlLayout.cpp).
    DWORD ViewType() const;
    int HeaderHeight() const;
    CRect ItemArea() const;
    CSize SmallImageSize() const;
    CSize NormalImageSize() const;
    CSize StateImageSize() const;
    int MeasureRowHeight() const;
    CRect RowBounds(int nItem) const;
    CRect IconCell(int nItem) const;
    int ListColumnWidth() const;
    // Label width bookkeeping (ListCtrlLabels.cpp).
    int LabelWidth(int nItem) const;
    int MeasureText(LPCTSTR lpsz, int nLength) const;
    int WidestLabel() const;
    void CheckLabelFont() const;
    void AddLabel(Row& row);
    void ForgetLabel(Row& row);
    void ForgetLabelWidths();
    void MeasureLabel(Row& row) const;
    int RowsPerListColumn() const;
    int ColumnLeft(int nCol) const;
    int TotalColumnWidth() const;
    void UpdateScrollBars();
    void LayoutHeader();
    int HitTestRow(CPoint pt, UINT* pFlags, int* pSubItem) const;

    // Text of a cell, through LVN_GETDISPINFO for callback texts.
    CString CellText(int nItem, int nSubItem) const;
    int ItemImage(int nItem) const;

    // State changes with their notifications; FALSE when the parent vetoed.
    BOOL ChangeState(int nItem, UINT nState, UINT nMask);
    void SelectOnly(int nItem, bool bFocus);
    LRESULT NotifyParent(int nCode, NMHDR* pHdr) const;
    LRESULT NotifyListView(int nCode, int iItem, int iSubItem, UINT uNew, UINT uOld, UINT uChanged,
                           CPoint pt = CPoint(0, 0), LPARAM lParam = 0) const;
    LRESULT NotifyItemActivate(int nCode, int iItem, int iSubItem, CPoint pt, UINT uKeyFlags) const;
    void InvalidateItem(int nItem);
    void MoveFocusTo(int nItem, UINT nKeyFlags);

    // Drawing (ListCtrlPaint.cpp).
    void PaintItems(CDC* pDC);
    void DrawReportRow(CDC* pDC, int nItem, const CRect& rcRow);
    void DrawIconItem(CDC* pDC, int nItem);
    void DrawSmallItem(CDC* pDC, int nItem);
    void DrawItemImage(CDC* pDC, int nItem, const CRect& rcIcon, bool bLarge, bool bSelected);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
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
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg LRESULT OnSetFontMsg(WPARAM wParam, LPARAM lParam);

    // The header's notifications when the list's message map did not take them.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    friend class CListView;
    friend struct pc_frame::TakeOverAccess;
    friend void pc_frame::SetLabelEdit(CListCtrl* pList, CEdit* pEdit, int nItem);
    friend void pc_frame::EndLabelEdit(CListCtrl* pList);
    DECLARE_MESSAGE_MAP()
};
