// CToolBar: a bar of buttons that send commands. LoadToolBar takes the button ids and
// sizes from a toolbar resource and the pictures from the bitmap of the same id; where a
// module registered no bitmap the buttons show drawn placeholders. With CBRS_TOOLTIPS a
// button shows the second line of its command's string as a tip, and with CBRS_FLYBY the
// first line in the frame's status bar while the mouse is over it.
#pragma once

#include <ClassLib/Frames/ControlBar.h>

#include <vector>

// The toolbar resource: the button size and the command of every button (0: a gap),
// registered with AfxRegisterResource(hModule, RT_TOOLBAR, id, &table).
struct AFX_TOOLBAR_TEMPLATE
{
    WORD wVersion;  // 1
    WORD wWidth;    // image width
    WORD wHeight;   // image height
    WORD wItemCount;
    const WORD* pItems;
};

class AFX_EXT_CLASS CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR);

    BOOL LoadToolBar(UINT nIDResource);
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    BOOL SetButtonText(int nIndex, LPCTSTR lpszText);
    CString GetButtonText(int nIndex) const;
    int GetCount() const override;
    DWORD GetToolBarStyle() const { return m_dwCtrlStyle; }

    // The tip and status texts of a button's command (empty when it has none).
    CString GetToolTipText(int nIndex) const;
    // The button under a point in client coordinates, or -1 (also for gaps).
    int HitTestButton(CPoint point) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

protected:
    struct Button
    {
        UINT nID = 0;
        UINT nStyle = 0;  // TBBS_*
        int iImage = -1;
        CString strText;
    };
    std::vector<Button> m_buttons;
    CSize m_sizeButton;
    CSize m_sizeImage;
    DWORD m_dwCtrlStyle;
    HBITMAP m_hbmImageWell;
    int m_nImageCount;
    int m_iHot;      // button under the mouse
    int m_iPressed;  // button held down
    UINT m_nResourceID;

    void LayoutButtons() const;
    mutable std::vector<CRect> m_rects;
    void DrawButton(CDC* pDC, int nIndex, const CRect& rc);
    void ShowTip(int nIndex);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeaveMsg();
    afx_msg void OnCaptureChanged(CWnd* pWnd);

    DECLARE_MESSAGE_MAP()
};
