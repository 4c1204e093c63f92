// A small top-most popup that shows a text of one or more lines ("\n" between them) near a
// point of its owner after a delay: Show only arms a timer, and the tip appears when the
// timer fires while the mouse still rests at the anchor. It hides after eight seconds, on
// any click or key, or when the mouse moves over it. The chart window, the distribution
// chart and the grid's task tips use it.
#pragma once

#include <ClassLib/AfxWin.h>

#define GANTTTITLETIP_CLASSNAME "GanttTitleTip"

class AFX_EXT_CLASS CGanttTitleTip : public CWnd
{
public:
    CGanttTitleTip();
    virtual ~CGanttTitleTip();

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL Create(CWnd* pParentWnd);

    // The show timer's id; the hide timer is the id + 100.
    void SetOption(int nTimerId) { m_nTimerId = nTimerId; }
    int GetOption() const { return m_nTimerId; }

    // Arms the show timer for the text over the anchor rectangle (owner client coordinates).
    void Show(CRect rectTitle, LPCTSTR lpszTitleText, int xoffset = 0, LPRECT lpHoverRect = NULL,
              const LOGFONT* lpLogFont = NULL, COLORREF crTextClr = CLR_DEFAULT,
              COLORREF crBackClr = CLR_DEFAULT, UINT nDelayMsecs = 500);
    void Hide();

    // For tests: the lines last shown and whether the window is on show.
    const CStringArray& GetShownLines() const { return m_arrShownLines; }

public:
    int m_nTimerId;
    CWnd* m_pParentWnd;
    CRect m_rectTitle;
    CRect m_rectHover;
    DWORD m_dwLastLButtonDown;
    DWORD m_dwDblClickMsecs;
    BOOL m_bCreated;
    CFont m_font;
    COLORREF m_crText;
    COLORREF m_crBack;
    int m_nXOffset;
    CString m_strTitle;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void ShowNow();
    void PostToWindowUnder(UINT nClientMsg, UINT nNcMsg, WPARAM wParam, CPoint ptScreen);
    void ReactivateOwner();

    CStringArray m_arrShownLines;
};
