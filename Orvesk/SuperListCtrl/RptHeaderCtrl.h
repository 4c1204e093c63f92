// The report list's header: every heading drawn by the header itself with the sort mark or
// an image, headings dragged to a new place (the list moves the column), and columns
// whose width the user cannot change.
#pragma once

#include <ClassLib/AfxWin.h>

#include <vector>

// Called to move the column at nFrom so that it lands before the item nTo; answers the
// column's new index, or -1 when nothing moved.
typedef int (*RPT_MOVECOLUMNPROC)(CWnd* pList, int nFrom, int nTo);

class CRptHeaderCtrl : public CHeaderCtrl
{
public:
    CRptHeaderCtrl();
    ~CRptHeaderCtrl() override;

    // Masks by column id (the item's application value), bits taken modulo 32.
    DWORD m_dwAscendingMask = 0;   // remembered sort direction ascending
    DWORD m_dwNoMarkMask = 0;      // never shows the sort mark
    DWORD m_dwLockedMask = 0;      // width cannot be changed by the user

    void SetSortColumn(int nItem, int nDirection);
    int GetSortColumn() const { return m_nSortColumn; }
    int GetSortDirection() const { return m_nSortDirection; }
    BOOL IsSortAscending(int nColumn) const;
    void SetMoveCallback(RPT_MOVECOLUMNPROC pfn) { m_pfnMove = pfn; }
    void SetHeaderImageList(CImageList* pImageList) { m_pHeadImages = pImageList; }
    CImageList* GetHeaderImageList() const { return m_pHeadImages; }
    void EnableDrag(bool bEnable) { m_bDragEnabled = bEnable; }
    bool IsDragging() const { return m_bDragging; }
    int GetDropPosition() const { return m_nDropPos; }
    // Is x (client coordinates) on the divider of a locked column?
    bool IsOnLockedDivider(int x) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    int m_nSortColumn = -1;
    int m_nSortDirection = 0;
    CImageList* m_pHeadImages = nullptr;
    bool m_bDragEnabled = true;
    bool m_bDragPending = false;
    bool m_bDragging = false;
    std::vector<int> m_widths;
    int m_nDragItem = -1;
    int m_nDropPos = -1;
    CRect m_rcMarker;
    CSize m_sizeDragFrame;
    CRect m_rcLastFrame;
    RPT_MOVECOLUMNPROC m_pfnMove = nullptr;
    bool m_bCursorAllowed = true;

    int ColumnIdOf(int nItem) const;
    int DropPositionAt(int x) const;
    void DrawMarker(int nPos);
    void EraseMarker();
    void MoveDragFrame(CPoint ptHeader);
    void EraseDragFrame();
    void EndDrag();

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};
