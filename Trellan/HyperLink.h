// CHyperLink: a static control that behaves as a web link: link, hover, focus and visited
// colours, an underlined font, the hand cursor, a tooltip with the address, and the
// address opened with the desktop's browser when clicked.
#pragma once

#include <ClassLib/AfxWin.h>

class CHyperLink : public CStatic
{
    DECLARE_DYNAMIC(CHyperLink)
public:
    CHyperLink();
    ~CHyperLink() override;

    enum
    {
        StyleUnderline = 0x01,
        StyleUseHover = 0x02,
        StyleAutoSize = 0x04,
        StyleDownClick = 0x08,
        StyleGetFocusOnClick = 0x10,
        StyleNoHandCursor = 0x20,
        StyleNoActiveColor = 0x40,
    };

    void SetURL(CString strURL);
    CString GetURL() const { return m_strURL; }
    void SetLinkStyle(int nStyle) { m_nLinkStyle = nStyle; }
    int GetLinkStyle() const { return m_nLinkStyle; }
    BOOL IsVisited() const { return m_bVisited; }
    BOOL IsOverControl() const { return m_bOverControl; }
    HCURSOR GetLinkCursor() const { return m_hLinkCursor; }

    // Opens the address; the result of the last attempt (above 32: success).
    INT_PTR FollowLink();

    // The text shown for a failed open ("Can't open link:\n\n" and the reason).
    static CString ErrorText(INT_PTR nResult);

    COLORREF m_crLinkColour;
    COLORREF m_crFocusColour;
    COLORREF m_crVisitedColour;
    COLORREF m_crHoverColour;

protected:
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PositionWindow();
    void SetDefaultCursor();
    // The browser command registered for ".htm", started with the address; its result.
    INT_PTR OpenWithRegisteredBrowser();

    HCURSOR m_hLinkCursor;
    int m_bHasFocus;
    int m_bOverControl;
    int m_bVisited;
    int m_nLinkStyle;
    CString m_strURL;
    CFont m_UnderlineFont;
    CToolTipCtrl m_ToolTip;

    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()
};
