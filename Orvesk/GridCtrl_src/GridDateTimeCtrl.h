// The date editor a dialog cell opens over itself: a date picker, child of the grid, in
// the long date format, as wide as the whole date and its drop button need. Digits typed
// go into its fields. It ends when its calendar closes, a click is released on it, on
// Enter, Tab or Escape, or when it loses the focus, and reports the chosen date as text
// ("2004年3月5日") with one -106.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/CommonControls.h>
#include <ClassLib/Controls/ControlStyles.h>

// The date format of the edited text (string resource of the module).
#define IDS_GRID_DATE_FORMAT 56609

class CGridDateTimeCtrl : public CDateTimeCtrl
{
public:
    CGridDateTimeCtrl(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                      COleDateTime initDate);
    virtual ~CGridDateTimeCtrl();

    // Reports the chosen date to the owner and closes the editor; once per editor.
    void EndEdit();
    // The date as the edit reports it: year, month and day without leading zeros.
    static CString FormatDate(const COleDateTime& date);

    // The date shown (the initial date when the control has none).
    COleDateTime GetChosenDate() const;
    // The date the edit starts on (and Escape goes back to).
    void SetInitialDate(const COleDateTime& date);
    // The key that opened the edit: a typed character goes into the date's first field, as
    // a character typed into the picker does.
    void TypeFirstChar(UINT nChar);
    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    BOOL IsClosed() const { return m_bClosed; }

    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    virtual void PostNcDestroy();

    afx_msg void OnDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCloseUp(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

    // Enter, Tab and Escape end the edit (Escape with the initial date back); the grid moves
    // on after Tab as after the text editor's.
    BOOL LeaveToGrid(UINT nKey);
    // Widens rect so that the whole date and the drop button fit, within the grid.
    static void FitDateRect(CWnd* pParent, CRect& rect);

    COleDateTime m_InitDate;
    UINT m_nLastKey;
    int  m_nRow;
    int  m_nColumn;
    BOOL m_bClosed;
    BOOL m_bEnded;
};
