// A tree cell that also carries buttons: the tree part as for a tree cell, the buttons in
// an embedded button cell, drawn and clicked in what the tree indent leaves.
#pragma once

#include "GridBtnCell.h"
#include "GridTreeCell.h"

class CGridTreeBtnCell : public CGridTreeCell {
    DECLARE_DYNCREATE(CGridTreeBtnCell)

public:
    CGridTreeBtnCell();
    ~CGridTreeBtnCell() override;

    void SetCoords(int nRow, int nCol) override;
    void SetState(UINT nState) override;
    void SetEditable(BOOL bEditable) override;

    void operator=(const CGridCellBase& cell) override;
    void Reset() override;
    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL GetTextRect(LPRECT pRect) override;
    CSize GetCellExtent(CDC* pDC) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;
    void OnClick(CPoint point) override;
    void OnClickDown(CPoint point) override;
    void OnRClick(CPoint point) override;
    void OnDblClick(CPoint point) override;

    // Copies another tree button cell, with or without its button data base.
    virtual void CopyWithDataBase(const CGridTreeBtnCell& cell);
    virtual void CopyFrom(const CGridTreeBtnCell& cell);

    // Button slots of the embedded cell.
    virtual int GetButtonCount() const { return m_btnCell.GetButtonCount(); }
    virtual int GetLastClicked() const { return m_btnCell.GetLastClicked(); }
    virtual void SetLastClicked(int nIndex) { m_btnCell.SetLastClicked(nIndex); }
    virtual int GetMaxButtons() const { return m_btnCell.GetMaxButtons(); }
    virtual UINT GetDrawCtl(int nIndex) const { return m_btnCell.GetDrawCtl(nIndex); }
    virtual void SetDrawCtl(int nIndex, UINT nDrawCtl) { m_btnCell.SetDrawCtl(nIndex, nDrawCtl); }
    virtual UINT GetDrawState(int nIndex) const { return m_btnCell.GetDrawState(nIndex); }
    virtual void SetDrawState(int nIndex, UINT nState) { m_btnCell.SetDrawState(nIndex, nState); }
    virtual int GetButtonWidth(int nIndex) const { return m_btnCell.GetButtonWidth(nIndex); }
    virtual void SetButtonWidth(int nIndex, int nWidth) { m_btnCell.SetButtonWidth(nIndex, nWidth); }
    virtual UINT GetAlignment(int nIndex) const { return m_btnCell.GetAlignment(nIndex); }
    virtual void SetAlignment(int nIndex, UINT nAlign) { m_btnCell.SetAlignment(nIndex, nAlign); }
    virtual LPCTSTR GetButtonText(int nIndex) const { return m_btnCell.GetButtonText(nIndex); }
    virtual void SetButtonText(int nIndex, LPCTSTR szText) { m_btnCell.SetButtonText(nIndex, szText); }
    virtual BOOL GetGroupFlag(int nIndex) const { return m_btnCell.GetGroupFlag(nIndex); }
    virtual void SetGroupFlag(int nIndex, BOOL bGroup) { m_btnCell.SetGroupFlag(nIndex, bGroup); }
    virtual void SetButtonCount(int nCount) { m_btnCell.SetButtonCount(nCount); }
    virtual CPoint GetBtnCoords() const { return m_btnCell.GetCoords(); }
    virtual void SetEditWnd(CWnd* pWnd) { m_btnCell.SetEditWnd(pWnd); }
    virtual CWnd* GetEditWnd() const { return m_btnCell.GetEditWnd(); }

    BOOL SetupButton(int nIndex, UINT nDrawCtl, UINT nDrawState, UINT nAlign, int nWidth, BOOL bGroup,
                     LPCTSTR szText)
    {
        return m_btnCell.SetupButton(nIndex, nDrawCtl, nDrawState, nAlign, nWidth, bGroup, szText);
    }
    void SetBtnDataBase(CBtnDataBase* pBtnDataBase) { m_btnCell.SetBtnDataBase(pBtnDataBase); }
    CBtnDataBase* GetBtnDataBase() const { return m_btnCell.GetBtnDataBase(); }
    CGridBtnCell& GetButtons() { return m_btnCell; }

protected:
    // A point relative to the cell, moved to the embedded cell's frame.
    CPoint ToButtons(CPoint point) const { return CPoint(point.x - GetTreeIndent(), point.y); }

    CGridBtnCell m_btnCell;
};
