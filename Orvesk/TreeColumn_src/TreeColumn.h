// The tree column: turns one column of a grid into an outline. Every row of the tree range
// carries a level and a viewable bit in its cell of that column; collapsing a node hides
// its descendants by giving their rows height 0. The object also holds the display
// attributes that all tree cells share.
#pragma once

#include "GridTaskHooks.h"

class CGridCtrl;
class CGridTreeCellBase;

// The tree byte of a tree cell: bits 0-6 the level, bit 7 the viewable bit.
enum {
    TREE_LEVEL_MASK = 0x7F,
    TREE_VIEWABLE_BIT = 0x80,
    TREE_MAX_LEVEL = 126,
    // Grid column whose empty text makes a row blank (the task grid's name column).
    TREE_NAME_COLUMN = 2,
};

class CTreeColumn : public CGridTreeColumnHooks {
public:
    CTreeColumn();
    ~CTreeColumn() override;

    // Shared display attributes and the binding, setter before getter.
    virtual void SetFormat(UINT nFormat) { m_nFormat = nFormat; }
    virtual UINT GetFormat() const { return m_nFormat; }
    virtual void SetBackClr(COLORREF clr) { m_crBack = clr; }
    virtual COLORREF GetBackClr() const { return m_crBack; }
    virtual void SetTextClr(COLORREF clr) { m_crText = clr; }
    virtual COLORREF GetTextClr() const { return m_crText; }
    virtual void SetData(LPARAM lParam) { m_lParam = lParam; }
    virtual LPARAM GetData() const { return m_lParam; }
    virtual void SetFont(const LOGFONT* plf);
    virtual LOGFONT* GetFont() { return &m_lfFont; }
    virtual void SetIsSetup(BOOL bSetup) { m_bSetup = bSetup; }
    virtual BOOL GetIsSetup() const { return m_bSetup; }
    virtual void SetEditWnd(CWnd* pWnd) { m_pEditWnd = pWnd; }
    virtual CWnd* GetEditWnd() const { return m_pEditWnd; }
    virtual void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
    virtual CGridCtrl* GetGrid() const { return m_pGrid; }
    virtual void SetColumn(int nColumn) { m_nColumn = nColumn; }
    virtual int GetColumn() const { return m_nColumn; }
    virtual void SetIndent(int nIndent) { m_nIndent = nIndent; }
    virtual int GetIndent() const { return m_nIndent; }
    virtual void SetFirstRow(int nRow) { m_nFirstRow = nRow; }
    virtual int GetFirstRow() const { return m_nFirstRow; }
    void SetEndRow(int nRow) override { m_nEndRow = nRow; }
    int GetEndRow() override { return m_nEndRow; }
    int GetEndRow() const { return m_nEndRow; }

    // Binds the tree to a grid column. pbLevels holds nRows tree bytes (level and viewable
    // bit) when nRows is positive. pCellClass NULL means CGridTreeCell.
    void Setup(CGridCtrl* pGrid, int nColumn, int nRows, int nFirstRow, const BYTE* pbLevels,
               BOOL bShowExpandBoxes, BOOL bShowImages, CRuntimeClass* pCellClass = NULL);

    // Gives a row a new level (1 to 126) and moves its subtree with it; sends
    // WM_GRID_ROWSCHANGED to the grid's parent. FALSE when nothing changed.
    BOOL ChangeRowLevel(int nNewLevel, int nRow);

    void SetLevel(int nRow, int nLevel);
    int GetLevel(int nRow) const;
    BOOL IsRowViewable(int nRow) const;
    BYTE GetTreeByte(int nRow) const;

    void SetShowExpandBoxes(BOOL bShow) { m_bShowExpandBoxes = bShow; }
    BOOL GetShowExpandBoxes() const { return m_bShowExpandBoxes; }
    void SetShowImages(BOOL bShow);
    BOOL GetShowImages() const { return m_bShowImages; }
    void SetTreeLineColor(COLORREF clr) { m_crLine = clr; }
    COLORREF GetTreeLineColor() const { return m_crLine; }

    void Expand(int nRow);
    void Collapse(int nRow);
    void ToggleExpand(int nRow);
    // Nonzero when the row has children; bHasHiddenChild tells whether a direct child is
    // hidden (the node is collapsed).
    BOOL GetChildState(int nRow, BOOL& bHasHiddenChild) const;

    // Viewable bits by level over part of the tree range; bit 7 of bLevel shows all.
    void ShowLevelRange(BYTE bLevel, int nOffset, int nCount);
    void ShowLevels(BYTE bLevel);
    // Applies the viewable bits to the row heights and redraws.
    void RefreshRowHeights();

    // The tree cell of a row, or NULL when the row has none.
    CGridTreeCellBase* GetTreeCell(int nRow) const;
    // A row whose name-column text is empty (or that has no cell there).
    BOOL IsBlankRow(int nRow) const;

protected:
    void SetSubtreeViewable(int nRow, BOOL bShowChildren);
    void SendToGridParent(UINT nMessage, WPARAM wParam, LPARAM lParam);

    UINT m_nFormat;
    COLORREF m_crBack;
    COLORREF m_crText;
    LPARAM m_lParam;
    LOGFONT m_lfFont;
    BOOL m_bSetup;
    CWnd* m_pEditWnd;
    CGridCtrl* m_pGrid;
    int m_nColumn;
    int m_nIndent;
    BOOL m_bShowExpandBoxes;
    BOOL m_bShowImages;
    COLORREF m_crLine;
    int m_nFirstRow;
    int m_nEndRow;
};
