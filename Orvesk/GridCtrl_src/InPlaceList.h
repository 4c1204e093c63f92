// The list editor a combo cell opens over itself: a combo box, child of the grid, with the
// cell's options, and for the editable styles an edit part (CInPlaceListEdit) that hands
// its keys to the list. It ends like the text editor and reports with one -106.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/ControlStyles.h>

// Control id of a combo box's edit part.
#define GRID_COMBO_EDIT_ID 1001

class CInPlaceList;

class CInPlaceListEdit : public CEdit
{
public:
    CInPlaceListEdit() : m_pList(NULL) {}
    void SetList(CInPlaceList* pList) { m_pList = pList; }
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

    CInPlaceList* m_pList;
};

class CInPlaceList : public CComboBox
{
public:
    CInPlaceList(CWnd* pParent, CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nColumn,
                 const CStringArray& Items, CString sInitText, UINT nFirstChar);
    virtual ~CInPlaceList();

    // Reports the text to the owner and closes the list; once per editor.
    void EndEdit();

    CInPlaceListEdit* GetEdit() { return m_edit.GetSafeHwnd() ? &m_edit : NULL; }
    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nCol; }
    UINT GetLastChar() const { return m_nLastChar; }
    void SetLastChar(UINT nChar) { m_nLastChar = nChar; }
    const CString& GetInitText() const { return m_sInitText; }
    BOOL IsDropDownList() const { return m_bDropDownList; }

protected:
    virtual void PostNcDestroy();

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

    CInPlaceListEdit m_edit;
    int     m_nNumLines;
    CString m_sInitText;
    int     m_nRow;
    int     m_nCol;
    UINT    m_nLastChar;
    BOOL    m_bExitOnArrows;
    BOOL    m_bDropDownList;
    BOOL    m_bEnded;
};
