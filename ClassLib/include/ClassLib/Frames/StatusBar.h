// CStatusBar: the bar at the bottom of a frame, with text panes. Pane 0 (ID_SEPARATOR)
// stretches and shows the frame's messages; indicator panes take their text and width
// from the string of their id and show it only while enabled by their update handler.
#pragma once

#include <ClassLib/Frames/ControlBar.h>

#include <vector>

class AFX_EXT_CLASS CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id; NULL gives nIDCount empty panes.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    // The pane's rectangle in the bar's client coordinates, inside its border.
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    int GetCount() const override { return static_cast<int>(m_panes.size()); }

    // Owner-drawn panes (SBPS_OWNERDRAW).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

    // Layout values (pixels): the bar's height, the gap between panes and the pane border.
    enum { kHeight = 20, kPaneGap = 2, kPaneBorder = 1, kTextMargin = 2 };

protected:
    struct Pane
    {
        UINT nID = 0;
        UINT nStyle = 0;
        int cxText = 0;  // width of the text area
        CString strText;
    };
    std::vector<Pane> m_panes;

    void CalcPaneRects(std::vector<CRect>& rects) const;
    void UpdatePane(int nIndex);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetTextMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLengthMsg(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
