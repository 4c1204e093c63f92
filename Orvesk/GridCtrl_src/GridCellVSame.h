// A cell that keeps no attributes of its own: it holds its coordinates and a pointer to a
// shared attribute block, and passes every attribute call to that block with its row and
// column. All cells on one block share font, colours, image, data, margin and formats.
#pragma once

#include "GridCellBase.h"

class CDataVSame;

class CGridCellVSame : public CGridCellBase
{
    DECLARE_DYNCREATE(CGridCellVSame)

public:
    CGridCellVSame();
    virtual ~CGridCellVSame();

    // The shared block (not owned); NULL leaves every attribute call without effect.
    void SetDataVSame(CDataVSame* pData) { m_pData = pData; }
    CDataVSame* GetDataVSame() const { return m_pData; }

    // The cell has no text storage: SetText is ignored.
    virtual void SetText(LPCTSTR szText);
    virtual void SetImage(int nImage);
    virtual void SetData(LPARAM lParam);
    virtual void SetFormat(UINT nFormat);
    virtual void SetTextClr(COLORREF clr);
    virtual void SetBackClr(COLORREF clr);
    virtual void SetFont(const LOGFONT* plf);
    virtual void SetMargin(UINT nMargin);
    virtual void SetGrid(CGridCtrl* pGrid);
    virtual void SetCoords(int nRow, int nCol);

    // An empty text: the block holds none.
    virtual LPCTSTR GetText() const;
    virtual int GetImage() const;
    virtual LPARAM GetData() const;
    virtual UINT GetFormat() const;
    virtual COLORREF GetTextClr() const;
    virtual COLORREF GetBackClr() const;
    virtual LOGFONT* GetFont() const;
    virtual UINT GetMargin() const;
    virtual CGridCtrl* GetGrid() const;

    virtual UINT GetState() const { return CGridCellBase::GetState(); }
    virtual BOOL IsEditing() const { return FALSE; }
    virtual void operator=(const CGridCellBase& cell) { CGridCellBase::operator=(cell); }
    virtual void Reset() { CGridCellBase::Reset(); }

    // A selected or drop-highlighted cell gets a black frame, then the base drawing.
    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);

    // x the column, y the row.
    virtual CPoint GetCoords() const { return CPoint(m_nCoordCol, m_nCoordRow); }

protected:
    int m_nCoordRow;
    int m_nCoordCol;
    CDataVSame* m_pData;
};
