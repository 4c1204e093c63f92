// One block of cell attributes shared by every shared-data cell that points to it: font,
// colours, image, data and margin, with the format chosen by the cell's position (header
// row, first column, other cells).
#pragma once

#include "GridDefines.h"

class CGridCtrl;

class CDataVSame
{
public:
    CDataVSame();
    virtual ~CDataVSame();

    // Every operation takes the asking cell's row and column first; only the formats
    // depend on them.
    virtual void SetFormat(int nRow, int nCol, UINT nFormat);
    virtual void SetImage(int nRow, int nCol, int nImage);
    virtual void SetData(int nRow, int nCol, LPARAM lParam);
    virtual void SetTextClr(int nRow, int nCol, COLORREF clr);
    virtual void SetBackClr(int nRow, int nCol, COLORREF clr);
    virtual void SetFont(int nRow, int nCol, const LOGFONT* plf);
    virtual void SetMargin(int nRow, int nCol, UINT nMargin);
    // Gives the block its grid when it has none yet; a block keeps its first grid.
    virtual void SetGrid(int nRow, int nCol, CGridCtrl* pGrid);
    // The block keeps no text: NULL.
    virtual LPCTSTR GetText(int nRow, int nCol) const;
    virtual int GetImage(int nRow, int nCol) const;
    virtual LPARAM GetData(int nRow, int nCol) const;
    virtual UINT GetFormat(int nRow, int nCol) const;
    virtual COLORREF GetTextClr(int nRow, int nCol) const;
    virtual COLORREF GetBackClr(int nRow, int nCol) const;
    virtual LOGFONT* GetFont(int nRow, int nCol) const;
    virtual UINT GetMargin(int nRow, int nCol) const;
    virtual CGridCtrl* GetGrid(int nRow, int nCol) const;

    // The grid the block's cells draw in (a grid using shared-data cells sets it).
    void AttachGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }

    UINT     m_nFormat;          // cells outside row 0 and column 0
    UINT     m_nFirstColFormat;  // column 0 below row 0
    UINT     m_nHeaderFormat;    // row 0
    int      m_nImage;
    LPARAM   m_lParam;
    COLORREF m_crBkClr;
    COLORREF m_crFgClr;
    LOGFONT  m_lfFont;
    UINT     m_nMargin;
    CGridCtrl* m_pGrid;
};
