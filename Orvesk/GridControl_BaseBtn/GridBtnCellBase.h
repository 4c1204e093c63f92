// The machinery of cells that carry small buttons: layout, hit testing, the button state
// machine (push, radio group, check box, inactive), drawing, tips and editing. No
// per-button storage here (the maximum is 0); CGridBtnCell adds four button slots. The
// display attributes are the grid's shared CBtnDataBase.
#pragma once

#include "BtnDataBase.h"
#include "GridBtnLayout.h"
#include "GridCtrl.h"
#include "GridCellBase.h"

// Room of the rectangle array that the layout fills (buttons plus the text area).
enum { GRIDBTN_LAYOUT_ROOM = 16, GRIDBTN_LAYOUT_MAX = 15 };

// Pause between the press and the release of a button pressed from the keyboard, in
// milliseconds.
enum { GRIDBTN_KEY_PRESS_PAUSE = 200 };

class CGridBtnCellBase : public CGridCellBase {
    DECLARE_DYNCREATE(CGridBtnCellBase)

public:
    CGridBtnCellBase();
    ~CGridBtnCellBase() override;

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
    CString GetTipText() const override;
    int GetImage() const override;
    LPARAM GetData() const override;
    UINT GetFormat() const override;
    COLORREF GetTextClr() const override;
    COLORREF GetBackClr() const override;
    LOGFONT* GetFont() const override;
    CGridCtrl* GetGrid() const override;
    UINT GetMargin() const override;
    BOOL IsEditing() const override { return m_bEditing != 0; }
    BOOL IsTreeCell() const override { return FALSE; }

    void operator=(const CGridCellBase& cell) override;
    void Reset() override;

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL GetTextRect(LPRECT pRect) override;
    BOOL GetTipTextRect(LPRECT pRect) override;
    CSize GetCellExtent(CDC* pDC) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;
    BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect) override;
    void OnClick(CPoint point) override;
    void OnClickDown(CPoint point) override;
    void OnRClick(CPoint point) override;
    void OnDblClick(CPoint point) override;

    // Button slots; each per-button operation takes the button index first.
    virtual int GetButtonCount() const { return m_nButtonCount; }
    virtual int GetLastClicked() const { return m_nLastClicked; }
    virtual void SetLastClicked(int nIndex) { m_nLastClicked = static_cast<short>(nIndex); }
    virtual int GetMaxButtons() const { return 0; }
    virtual UINT GetDrawCtl(int nIndex) const;
    virtual void SetDrawCtl(int nIndex, UINT nDrawCtl);
    virtual UINT GetDrawState(int nIndex) const;
    virtual void SetDrawState(int nIndex, UINT nState);
    virtual int GetButtonWidth(int nIndex) const;
    virtual void SetButtonWidth(int nIndex, int nWidth);
    virtual UINT GetAlignment(int nIndex) const;
    virtual void SetAlignment(int nIndex, UINT nAlign);
    virtual LPCTSTR GetButtonText(int nIndex) const;
    virtual void SetButtonText(int nIndex, LPCTSTR szText);
    virtual BOOL GetGroupFlag(int nIndex) const;
    virtual void SetGroupFlag(int nIndex, BOOL bGroup);
    virtual void SetButtonCount(int nCount);
    virtual CPoint GetCoords() const { return CPoint(m_nCellCol, CellRow()); }
    virtual void SetEditWnd(CWnd* pWnd);
    virtual CWnd* GetEditWnd() const;

    // Adds or redefines a button; buttons are added in index order. FALSE when refused.
    BOOL SetupButton(int nIndex, UINT nDrawCtl, UINT nDrawState, UINT nAlign, int nWidth,
                     BOOL bGroup, LPCTSTR szText);
    // Index of the button under a point relative to the cell, or -1.
    int HitTestButton(CPoint point) override;
    // Processes the message for the button under the point; FALSE (and no last clicked
    // button) when there is none.
    BOOL ClickButtonAt(UINT nMessage, CPoint point);
    void ProcessButtonMessage(UINT nMessage, int nIndex);
    int FindMnemonic(UINT nChar) const;
    BOOL HasTextArea();

    // Lays the buttons out in rcCell: one rectangle per button, then the text area.
    BOOL LayoutButtons(CRect* pRects, int nRoom, const CRect& rcCell) const;
    // Draws the buttons in rect and leaves the text area in it.
    BOOL DrawButtons(CDC* pDC, int nRow, int nCol, CRect& rect, BOOL bEraseBkgnd);

    void SetBtnDataBase(CBtnDataBase* pBtnDataBase) { m_pBtnDataBase = pBtnDataBase; }
    CBtnDataBase* GetBtnDataBase() const { return m_pBtnDataBase; }

    int GetCellRow() const { return CellRow(); }
    int GetCellCol() const { return m_nCellCol; }

    // The keyboard press pause; tests replace it so that no time passes.
    typedef void (*PauseFunc)(DWORD dwMilliseconds);
    static PauseFunc SetPressPause(PauseFunc pfn);

protected:
    // Presses and releases a button as a click would, then notifies the grid's owner.
    void PressButton(int nIndex);
    BOOL IsButtonIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetMaxButtons(); }
    // Opens the text editor over the rectangle and keeps it as the shared editor.
    void OpenTextEditor(int nRow, int nCol, const CRect& rect, UINT nID, UINT nChar);
    void ReleaseArrowsAndPushButtons();

    short m_nLastClicked;
    WORD m_nButtonCount;
    BYTE m_bEditing;
    CBtnDataBase* m_pBtnDataBase;
};
