// The text editor a cell opens over itself: an edit control, child of the grid, that
// starts with the cell's text and the key or click that opened it, ends on Enter, Tab,
// Escape, the navigation keys or loss of focus, reports the result to the grid with one
// end-label-edit notification (-106) and then closes and deletes itself.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/ControlStyles.h>

class CInPlaceEdit : public CEdit
{
public:
    CInPlaceEdit(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                 CString sInitText, UINT nFirstChar);
    virtual ~CInPlaceEdit();

    // Reports the text to the owner and closes the editor; once per editor, and not while
    // another text editor's end is running.
    void EndEdit();
    // Focus loss: ends the edit while the text is valid; otherwise the editor keeps the
    // focus with the initial text restored (the task grid's validation rejected it).
    void EndOrRestore(CWnd* pNewWnd);

    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    const CString& GetInitText() const { return m_sInitText; }
    UINT GetLastChar() const { return m_nLastChar; }
    BOOL GetExitOnArrows() const { return m_bExitOnArrows; }
    const CRect& GetEditRect() const { return m_Rect; }
    BOOL IsTextValid() const { return m_bTextValid; }
    void SetTextValid(BOOL bValid) { m_bTextValid = bValid; }
    BOOL IsEmptyUnit() const { return m_bEmptyUnit; }
    void SetEmptyUnit(BOOL bEmptyUnit) { m_bEmptyUnit = bEmptyUnit; }
    double GetValue() const { return m_dValue; }
    void SetValue(double dValue) { m_dValue = dValue; }

protected:
    virtual void PostNcDestroy();

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    int     m_nRow;
    int     m_nColumn;
    CString m_sInitText;
    UINT    m_nLastChar;
    BOOL    m_bExitOnArrows;
    CRect   m_Rect;
    BOOL    m_bTextValid;
    BOOL    m_bEmptyUnit;
    double  m_dValue;
    BOOL    m_bEnded;
};

// Puts the caret or selection of a freshly opened edit part as the opening key asks, and
// types that key when it is a character (shared by the text and list editors).
void GridStartEditWithChar(CWnd* pEdit, UINT nFirstChar, BOOL bSelectOnTabAndSpace);
