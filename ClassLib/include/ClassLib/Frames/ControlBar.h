// Control bars: windows docked on a side of a frame (toolbars, the status bar, dialog
// bars). The frame lays them out in RecalcLayout and updates their command states at idle
// time through OnUpdateCmdUI.
#pragma once

#include <ClassLib/Core/Geometry.h>
#include <ClassLib/DocView/StdIds.h>
#include <ClassLib/Wnd/Wnd.h>

class CFrameWnd;
class CCmdUI;

class AFX_EXT_CLASS CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
protected:
    CControlBar();

public:
    ~CControlBar() override;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    // The sides (CBRS_ALIGN_*) the bar may be docked on.
    void EnableDocking(DWORD dwDockStyle);
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect);
    CRect GetBorders() const;

    // The size the bar wants: its full height (horizontal bars) or width (vertical ones);
    // bStretch asks for the full length of the frame side.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual int GetCount() const;
    virtual void DoPaint(CDC* pDC);
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    BOOL IsFloating() const { return FALSE; }
    BOOL IsVisible() const;
    BOOL IsDockBar() const { return FALSE; }
    CFrameWnd* GetDockingFrame() const;
    BOOL IsHorizontal() const;

    BOOL m_bAutoDelete;
    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_cxDefaultGap;
    UINT m_nMRUWidth;
    DWORD m_dwStyle;      // CBRS_* styles of the bar
    DWORD m_dwDockStyle;  // sides it may be docked on
    CFrameWnd* m_pDockSite;
    UINT m_nDockBarID;    // AFX_IDW_DOCKBAR_* while docked, 0 otherwise
    int m_nDockRow;       // row on its side, from the frame's edge inwards
    int m_nDockPos;       // left (or top) offset in that row, in frame pixels

    void PostNcDestroy() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // Where the bar lies relative to its parent's client area.
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
