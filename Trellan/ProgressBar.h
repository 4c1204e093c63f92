// CProgressBar: a progress control placed inside a pane of the main window's status bar,
// with a message shown to its left; the pane's text comes back when the bar goes.
#pragma once

#include <ClassLib/AfxWin.h>

class CStatusBar;

class CProgressBar : public CProgressCtrl
{
    DECLARE_DYNAMIC(CProgressBar)
public:
    CProgressBar();
    CProgressBar(LPCTSTR strMessage, int nSize = 100, int nMaxValue = 100, BOOL bSmooth = FALSE, int nPane = 0);
    ~CProgressBar() override;

    BOOL Create(LPCTSTR strMessage, int nSize = 100, int nMaxValue = 100, BOOL bSmooth = FALSE, int nPane = 0);

    BOOL SetRange(int nLower, int nUpper, int nStep = 1);
    int SetStep(int nStep);
    int StepIt();

    // Places the bar in its pane, right of the message; shows the message when visible.
    void Resize();
    // Hides the bar and gives the pane its text back ("就绪" for pane 0).
    void Clear();

    const CRect& GetPlacedRect() const { return m_Rect; }
    const CString& GetMessage() const { return m_strMessage; }

protected:
    CStatusBar* GetStatusBar() const;

    int m_nSize;
    int m_nPane;
    CString m_strMessage;
    CString m_strPrevText;
    CRect m_Rect;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
