// A cell of the tree column: the tree byte, the expand box, the level drag and all tree
// behaviour, without text. Display attributes are the tree column's, shared by all its
// cells.
#pragma once

#include "GridCellBase.h"
#include "TreeColumn.h"

class CGridTreeCellBase : public CGridCellBase, public CGridTreeCellHooks {
    DECLARE_DYNCREATE(CGridTreeCellBase)

public:
    CGridTreeCellBase();
    ~CGridTreeCellBase() override;

    // Attributes: text and editing belong to the derived cells; the others are the tree
    // column's.
    void SetText(LPCTSTR szText) override;
    void SetImage(int nImage) override;
    void SetData(LPARAM lParam) override;
    void SetFormat(UINT nFormat) override;
    void SetTextClr(COLORREF clr) override;
    void SetBackClr(COLORREF clr) override;
    void SetFont(const LOGFONT* plf) override;
    void SetMargin(UINT nMargin) override;
    void SetGrid(CGridCtrl* pGrid) override;
    void SetCoords(int nRow, int nCol) override;

    LPCTSTR GetText() const override;
    int GetImage() const override;
    LPARAM GetData() const override;
    UINT GetFormat() const override;
    COLORREF GetTextClr() const override;
    COLORREF GetBackClr() const override;
    LOGFONT* GetFont() const override;
    CGridCtrl* GetGrid() const override;
    UINT GetMargin() const override;
    BOOL IsEditing() const override { return m_bEditing != 0; }
    BOOL IsTreeCell() const override { return TRUE; }

    void operator=(const CGridCellBase& cell) override;
    void Reset() override;

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL GetTextRect(LPRECT pRect) override;
    CSize GetCellExtent(CDC* pDC) override;
    BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect) override;

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override {}
    void OnEndEdit() override {}

    void RequestMouseMode(CPoint point) override;
    void OnClick(CPoint point) override;
    void OnClickDown(CPoint point) override;
    void OnRClick(CPoint point) override;
    void OnDblClick(CPoint point) override;

    // Tree slots.
    virtual CPoint GetCoords() const { return CPoint(m_nCellCol, CellRow()); }
    BOOL HitTestExpandBox(CPoint point) override;
    BOOL ChangeLevel(int nNewLevel) override;

    // The tree byte.
    void SetLevel(int nLevel) override;
    int GetLevel() override { return m_bTreeByte & TREE_LEVEL_MASK; }
    int GetLevel() const { return m_bTreeByte & TREE_LEVEL_MASK; }
    void SetTopBit(BOOL bViewable);
    BOOL IsViewable() const { return (m_bTreeByte & TREE_VIEWABLE_BIT) != 0; }
    void SetFlagByte(BYTE bTreeByte) { m_bTreeByte = bTreeByte; }
    BYTE GetFlagByte() override { return m_bTreeByte; }
    BYTE GetFlagByte() const { return m_bTreeByte; }
    int HotRanges(CHotSpan spans[2]) const override
    {
        spans[0] = {&m_bTreeByte, &m_bTreeByte + 1};
        return 1;
    }

    // While nonzero, Edit opens an editor; a click on the expand box clears it, a double
    // click sets it.
    void SetTreeValue(int nValue) { m_nTreeValue = nValue; }
    int GetTreeValue() const { return m_nTreeValue; }

    void SetTreeColumn(CTreeColumn* pTreeColumn) { m_pTreeColumn = pTreeColumn; }
    CTreeColumn* GetTreeColumn() const { return m_pTreeColumn; }

    // Geometry, relative to the cell's top-left corner (box) or in pixels (indent).
    int GetTreeIndent() const;
    BOOL GetExpandBoxRect(CRect& rcBox) const;
    CRect GetStoredTextRect() const { return m_rcText; }

protected:
    // Draws the tree part (expand box or image) and returns the rectangle left for image
    // and text; FALSE when nothing more is to be drawn.
    BOOL DrawTreePart(CDC* pDC, int nRow, int nCol, CRect& rect);
    void DrawExpandBox(CDC* pDC, const CRect& rcCell);
    int GetBlankWidth() const;
    BOOL IsDrawingToOutsideDC() const;
    // Sends the level-drag request for the zone of the given width; point in grid client
    // coordinates.
    void SendLevelRequest(CPoint point, int nZoneWidth, int nMode, int nRefRow);
    int FindReferenceTaskRow() const;
    int FindReferenceViewableRow() const;
    CRect GetLevelZone(int nZoneWidth) const;

    BYTE m_bEditing;
    BYTE m_bTreeByte;
    WORD m_nImage;  // 0xFFFF: none
    CRect m_rcText;
    int m_nTreeValue;
    CTreeColumn* m_pTreeColumn;
};

// The level a cell holds when it is a tree cell, else 0.
inline int TreeCellLevel(const CGridCellBase* pCell)
{
    return pCell != NULL && pCell->IsTreeCell() ? static_cast<const CGridTreeCellBase*>(pCell)->GetLevel() : 0;
}
