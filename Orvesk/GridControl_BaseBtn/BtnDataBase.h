// The display attributes shared by all button cells of a grid: one object per grid, owned
// by the view that embeds the grid. Every attribute call takes the asking cell's row and
// column first and ignores them.
#pragma once

#include <ClassLib/AfxWin.h>

class CGridCtrl;

class CBtnDataBase {
public:
    CBtnDataBase();
    virtual ~CBtnDataBase();

    virtual void SetText(int nRow, int nCol, LPCTSTR szText);
    virtual void SetImage(int nRow, int nCol, int nImage);
    virtual void SetData(int nRow, int nCol, LPARAM lParam);
    virtual void SetFormat(int nRow, int nCol, DWORD nFormat);
    virtual void SetTextClr(int nRow, int nCol, COLORREF clr);
    virtual void SetBackClr(int nRow, int nCol, COLORREF clr);
    virtual void SetFont(int nRow, int nCol, const LOGFONT* plf);
    virtual void SetMargin(int nRow, int nCol, UINT nMargin);
    virtual void SetGrid(CGridCtrl* pGrid);
    virtual void SetEditWnd(CWnd* pWnd);

    virtual LPCTSTR GetText(int nRow, int nCol) const;
    virtual int GetImage(int nRow, int nCol) const;
    virtual LPARAM GetData(int nRow, int nCol) const;
    virtual DWORD GetFormat(int nRow, int nCol) const;
    virtual COLORREF GetTextClr(int nRow, int nCol) const;
    virtual COLORREF GetBackClr(int nRow, int nCol) const;
    virtual LOGFONT* GetFont(int nRow, int nCol);
    virtual UINT GetMargin(int nRow, int nCol) const;
    virtual CGridCtrl* GetGrid() const;
    virtual CWnd* GetEditWnd() const;

protected:
    CString m_strText;
    DWORD m_nFormat;
    int m_nImage;
    COLORREF m_crBack;
    COLORREF m_crText;
    LPARAM m_lParam;
    LOGFONT m_lfFont;
    UINT m_nMargin;
    CGridCtrl* m_pGrid;
    CWnd* m_pEditWnd;
};
