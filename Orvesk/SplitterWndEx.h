// A splitter window with flat bars that keeps the widths of its two columns in the
// registry, under HKEY_LOCAL_MACHINE "SOFTWARE\LumoSplitter\" followed by a name its owner
// gives it ("KW" when the owner gives none).
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Frames/SplitterWnd.h>

class AFX_EXT_CLASS CSplitterWndEx : public CSplitterWnd
{
    DECLARE_DYNAMIC(CSplitterWndEx)

public:
    CSplitterWndEx();
    ~CSplitterWndEx() override;

    // The registry subkey name; set it before the window is created (the widths are read
    // when it is).
    void SetRegName(LPCTSTR lpszName) { m_strRegName = lpszName; }
    CString GetRegName() const { return m_strRegName; }

    // Reads both widths; only when both values are there are they taken.
    void LoadWidths();
    // Writes both widths, creating the key when it does not exist.
    void SaveWidths();

    // Makes this, registered under lpszRegName, the one-row splitter of two panes filling
    // the container view pParent: a view of class pLeft (270 pixels wide at first) and one
    // of pRight, for the context's document; shows both and makes the left one the frame's
    // active view. FALSE when a window cannot be made.
    BOOL CreatePanes(CWnd* pParent, LPCTSTR lpszRegName, CRuntimeClass* pLeft, CRuntimeClass* pRight,
                     CCreateContext* pContext);
    // Fills the container's client area of cx by cy, the splitter's own frame just outside
    // it: the columns keep the widths known, or take a third and two thirds when none are.
    void FitToContainer(int cx, int cy);

    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;

public:
    COLORREF m_clrHighlight;
    COLORREF m_clrShadow;
    COLORREF m_clrFace;
    int m_nLeftWidth;   // pixels of column 0; 0 while no width is known
    int m_nRightWidth;  // pixels of column 1
    CString m_strRegName;

protected:
    // The current widths of columns 0 and 1 into m_nLeftWidth and m_nRightWidth.
    void StoreCurrentWidths();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
