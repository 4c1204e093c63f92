// The ordinary text cell: keeps text, image, colours, data, font and margin, draws its
// focus frame or selection fill, and opens a text editor over itself.
#pragma once

#include "GridCellBase.h"

class CGridCell : public CGridCellBase
{
    friend class CGridCtrl;
    DECLARE_DYNCREATE(CGridCell)

public:
    CGridCell();
    virtual ~CGridCell();

    virtual void SetText(LPCTSTR szText)
    {
        StopTextFollowing();
        m_strText = szText;
        s_nTextWrites++;
    }
    // The text becomes the number of the row the cell is placed in, and stays that number
    // as the row moves (a task grid's heading cells); the next SetText ends it. A cell in
    // no row takes the number of its stored row once.
    void FollowRowNumber();
    virtual void SetImage(int nImage) { m_nImage = nImage; }
    virtual void SetData(LPARAM lParam) { m_lParam = lParam; }
    virtual void SetFormat(UINT nFormat) { m_nFormat = nFormat; }
    virtual void SetTextClr(COLORREF clr) { m_crCellFgClr = clr; }
    virtual void SetBackClr(COLORREF clr) { m_crCellBkClr = clr; }
    virtual void SetFont(const LOGFONT* plf);
    virtual void SetMargin(UINT nMargin) { m_nMargin = nMargin; }
    virtual void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
    virtual void SetCoords(int /*nRow*/, int /*nCol*/) {}

    virtual LPCTSTR GetText() const
    {
        if (TextFollowsRow() && m_nNumberShown != GetRowPlace()->nRow)
            WriteRowNumber();
        return m_strText.IsEmpty() ? _T("") : (LPCTSTR)m_strText;
    }
    int HotRanges(CHotSpan spans[2]) const override
    {
        spans[0] = {&m_strText, &m_strText + 1};
        return 1;
    }
    virtual int GetImage() const { return m_nImage; }
    virtual LPARAM GetData() const { return m_lParam; }
#ifdef GRIDCTRL_PREDTASK
    // A value the cell does not keep (format or margin -1, no font, CLR_DEFAULT) comes from
    // the default cell of its kind.
    virtual UINT GetFormat() const;
    virtual COLORREF GetTextClr() const;
    virtual COLORREF GetBackClr() const;
    virtual LOGFONT* GetFont() const;
    virtual UINT GetMargin() const;
    BOOL HasOwnFont() const { return m_bHasFont; }
#else
    virtual UINT GetFormat() const { return m_nFormat; }
    virtual COLORREF GetTextClr() const { return m_crCellFgClr; }
    virtual COLORREF GetBackClr() const { return m_crCellBkClr; }
    virtual LOGFONT* GetFont() const { return const_cast<LOGFONT*>(&m_lfFont); }
    virtual UINT GetMargin() const { return m_nMargin; }
#endif
    virtual CGridCtrl* GetGrid() const { return m_pGrid; }

    virtual BOOL IsEditing() const { return m_bEditing; }

    virtual void Reset();

    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    virtual BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar);
    virtual void EndEdit();
    virtual void OnEndEdit();

    // The open in-place editor, NULL when none.
    CWnd* GetEditWindow() const { return m_pEditWnd; }

protected:
    UINT       m_nFormat;
    CString    m_strText;
    int        m_nImage;
    COLORREF   m_crCellBkClr;   // the cell's own back colour (CLR_DEFAULT: the grid's)
    COLORREF   m_crCellFgClr; // the cell's own text colour (CLR_DEFAULT: the grid's)
    LPARAM     m_lParam;
    LOGFONT    m_lfFont;
    UINT       m_nMargin;
    BOOL       m_bEditing;
    // The row number the text holds while it follows the row.
    mutable int m_nNumberShown;
    CGridCtrl* m_pGrid;
    CWnd*      m_pEditWnd;
#ifdef GRIDCTRL_PREDTASK
    BOOL       m_bHasFont;  // a font was set for this cell
    // The default cell of this cell's kind, NULL without a grid.
    CGridCellBase* GetDefaultCellOfKind() const;
#endif

private:
    // The text rewritten to the place's row number.
    void WriteRowNumber() const;
};
