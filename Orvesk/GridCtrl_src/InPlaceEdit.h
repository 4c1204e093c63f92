// The text editor a cell opens over itself: an edit control, child of the grid, that
// starts with the cell's text and the key or click that opened it, ends on Enter, Tab,
// Escape, the navigation keys or loss of focus, reports the result to the grid with one
// end-label-edit notification (-106) and then closes and deletes itself.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/ControlStyles.h>

#include "InPlaceEditKeys.h"

#include <vector>

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

    // The task grid's checks of the text before an edit ends (InPlaceEditCheck.cpp), run on
    // every way an edit ends but Escape. FALSE: a duration or date was refused (message
    // shown); the editor stays open with the text. A refused predecessor identifier gives
    // TRUE with the validity mark 0, so the ending routine puts the old text back. Plain
    // grids, other columns and an unchanged text pass. bQuiet: no message and no refusal
    // of an identifier; a refused text just does not end the edit (the focus went nowhere,
    // as when the application is left or the window goes away).
    BOOL CheckText(BOOL bQuiet = FALSE);
    // The checks on a text alone (no message): 0 passed, else the refused column's kind
    // (3 duration, 4 date, 6 predecessor identifier). dDays gets the duration in days and
    // bNoUnit is set for a duration without a unit.
    static int CheckTaskCellText(int nCol, const CString& strText, double& dDays, BOOL& bNoUnit);
    // Reads the predecessor column's form: row numbers joined by commas ("8,7"; blanks
    // around them and the full-width comma allowed). An empty text is an empty list. FALSE
    // for anything else.
    static BOOL ParseRowList(const CString& strText, std::vector<int>& rows);
    // The messages of the refusals.
    static CString CheckMessage(int nKind);

    virtual BOOL PreTranslateMessage(MSG* pMsg);

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
    BOOL    m_bChecking;      // a check's message box is up: focus changes are its own
    BOOL    m_bCheckedValid;  // m_strChecked passed the checks
    CString m_strChecked;
    BOOL    m_bEndChecked;    // the end under way (a press, a key) was checked already
    // Ends the edit through the grid taking the focus (Enter, Tab, Escape, arrows).
    void LeaveToGrid(UINT nChar);
};
