// The small picture buttons of the resource page. The task library's hot-tracking button
// takes this place once it is available: the page uses only the two calls below, which
// that button has with the same meaning (CProjResButton is the one name to change).
#pragma once

#include <ClassLib/AfxWin.h>

class CProjPageButton : public CButton
{
public:
    CProjPageButton() = default;

    // A positive id shows that bitmap (crTransparent marks its background); 0 or less
    // shows the text again. nHotID is not used by this button.
    void SetBitmap(int nID, int nHotID, COLORREF crTransparent);
    // The tooltip text, made on first use; bActivate switches the tooltip on or off.
    void SetTooltipText(CString strText, BOOL bActivate = TRUE);

    CString GetTooltipText() const { return m_strTooltip; }
    int GetBitmapID() const { return m_nBitmapID; }

private:
    CBitmap m_bitmap;
    CToolTipCtrl m_tooltip;
    CString m_strTooltip;
    int m_nBitmapID = 0;
};

typedef CProjPageButton CProjResButton;
