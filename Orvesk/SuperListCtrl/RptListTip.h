// CRptListTip: the report list's tip for a cut-off cell text, a bordered popup laid exactly
// over the cell. It holds the mouse while shown, goes at once when the mouse leaves the
// cell, a button or key is pressed or the application loses the focus, and hands that
// message on to the window underneath, so it never swallows a click.
#pragma once

#include <ClassLib/AfxWin.h>

class CRptListTip : public CWnd
{
public:
    // Registers the window class "RptListTip" once per process.
    CRptListTip();

    BOOL Create(CWnd* pParentList);
    // Shows the whole text over the cell (list coordinates) when it does not fit there.
    void Show(CRect rcCell, LPCTSTR lpszText, int nOffset);
    // Releases the mouse and hides.
    void Hide();
    const CRect& GetTitleRect() const { return m_rcTitle; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The window under a screen point for a passed-on message (the list when it is the tip).
    CWnd* TargetAt(CPoint ptScreen);

    CWnd* m_pParent = nullptr;
    CRect m_rcTitle;
    CString m_strText;
    bool m_bHiding = false;
};
