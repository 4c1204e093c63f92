// The title tip: a borderless pop-up over a cell that shows the cell's whole text when the
// text is wider than the cell. It hides as soon as the mouse leaves the cell or a key or
// button is pressed, passing that input on to the window below.
#pragma once

#include <ClassLib/AfxWin.h>

#ifndef TITLETIP_CLASSNAME
#define TITLETIP_CLASSNAME _T("GridTitleTip")
#endif

class CTitleTip : public CWnd
{
public:
    CTitleTip();
    virtual ~CTitleTip();

    virtual BOOL Create(CWnd* pParentWnd);
#ifdef GRIDCTRL_PREDTASK
    // Remembers the grid before the tip window exists.
    void SetParentWnd(CWnd* pParentWnd) { m_pParentWnd = pParentWnd; }
#endif

    // Shows the tip over rectTitle (parent client coordinates) when lpszTitleText does not
    // fit in it; lpHoverRect is the area the mouse may move in (the cell when NULL).
    void Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset = 0, LPRECT lpHoverRect = NULL,
              const LOGFONT* lpLogFont = NULL, COLORREF crTextClr = CLR_DEFAULT,
              COLORREF crBackClr = CLR_DEFAULT);
    void Hide();

    // The text shown (with its surrounding blanks) and the area the mouse may move in
    // (the tip's client coordinates).
    const CString& GetShownText() const { return m_strTitle; }
    const CRect& GetHoverRect() const { return m_rectHover; }
    const CRect& GetTitleRect() const { return m_rectTitle; }

    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    // Passes a mouse message at a screen point on to the window under it (the parent when
    // that is the tip itself), as a client or a non-client message by its hit test.
    void ForwardMouse(UINT nClientMsg, UINT nNcMsg, WPARAM wParam, CPoint ptScreen);

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    CWnd*    m_pParentWnd;
    CRect    m_rectTitle;
    CRect    m_rectHover;
    DWORD    m_dwLastLButtonDown;
    DWORD    m_dwDblClickMsecs;
    CString  m_strTitle;
    LOGFONT  m_lf;
    BOOL     m_bHasFont;
    COLORREF m_crText;
    COLORREF m_crBack;
};
