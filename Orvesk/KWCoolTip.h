// A multi-line tip window over an owner window. Show arms it while some window holds the
// mouse capture; when the delay has passed and the cursor still rests on the anchor's
// top-left point, the tip shows, topmost and without activation, for at most ten seconds.
// While it shows, a key press or a mouse press or move hides it and is passed on to the
// owner or to the window under the cursor.
#pragma once

#include <ClassLib/AfxWin.h>

class AFX_EXT_CLASS CKWCoolTip : public CWnd
{
    DECLARE_DYNAMIC(CKWCoolTip)

public:
    CKWCoolTip();
    ~CKWCoolTip() override;

    // Creates the popup window once; FALSE when it cannot be made.
    virtual BOOL Create(CWnd* pOwner);

    // rectAnchor in the owner's client coordinates; lpszText lines end with character 10;
    // nOffset the horizontal text offset; pFont NULL for the owner's font; colours
    // CLR_DEFAULT for the system's; nDelay in milliseconds.
    void Show(const CRect& rectAnchor, LPCTSTR lpszText, int nOffset, const CRect& rectHover, CFont* pFont,
              COLORREF crText, COLORREF crBack, UINT nDelay);
    void Hide();

    // The text cut at each line break.
    static void SplitLines(const CString& strText, CStringArray& lines);

    CWnd* m_pOwner;
    CRect m_rectAnchor;
    CRect m_rectAnchorWide; // the anchor widened by one pixel right and down
    CString m_strText;
    CFont m_font;
    COLORREF m_crText;
    COLORREF m_crBack;
    int m_nOffset;
    UINT m_nDblClickTime;
    DWORD m_dwLastClick;

    enum { kLineStep = 15 };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    void ShowNow();
    // Passes a mouse message to the window under the cursor, as a client message when the
    // cursor is in its client area, else as the non-client one with the hit code.
    void PassMouse(UINT nClientMsg, UINT nNcMsg, WPARAM wParam);
    BOOL m_bHiding;
};
