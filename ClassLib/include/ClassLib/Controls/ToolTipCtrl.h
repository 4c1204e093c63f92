// CToolTipCtrl: tips for rectangles of windows. The owner relays its mouse messages
// (RelayEvent); a resting pointer over a tool shows the tool's text.
#pragma once

#include <ClassLib/Controls/CommonControls.h>
#include <ClassLib/Wnd/Wnd.h>

#include <vector>

class AFX_EXT_CLASS CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl();
    ~CToolTipCtrl() override;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    void Activate(BOOL bActivate);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    BOOL GetToolInfo(TOOLINFO& toolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(LPTOOLINFO lpToolInfo);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    int GetToolCount() const;
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetDelayTime(UINT nDelay);
    void SetDelayTime(DWORD dwDuration, int iTime);
    int GetDelayTime(DWORD dwDuration) const;
    int SetMaxTipWidth(int iWidth);
    void SetTipBkColor(COLORREF clr) { m_crBack = clr; }
    void SetTipTextColor(COLORREF clr) { m_crText = clr; }
    COLORREF GetTipBkColor() const { return m_crBack; }
    COLORREF GetTipTextColor() const { return m_crText; }
    void Pop();
    void Update() {}
    // Mouse messages of the tools' windows: a move over a tool shows its tip, a button
    // press hides it.
    void RelayEvent(LPMSG lpMsg);

    // The tip shown now (empty when none), for callers that track it.
    CString GetShownText() const { return m_shown; }

private:
    struct Tool
    {
        HWND hWnd;
        UINT_PTR id;
        RECT rect;
        UINT flags;
        CString text;
        bool callback;
    };
    const Tool* Find(HWND h, UINT_PTR id) const;
    Tool* Find(HWND h, UINT_PTR id);
    std::vector<Tool> m_tools;
    BOOL m_bActive = TRUE;
    int m_nDelay[4] = {500, 100, 5000, 500};
    int m_nMaxWidth = -1;
    COLORREF m_crBack = RGB(255, 255, 225);
    COLORREF m_crText = RGB(0, 0, 0);
    CString m_shown;
};
