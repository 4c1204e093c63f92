// CRptInCombo: the report list's in-place choice editor, a self-drawn combo over one cell:
// a text part (an editable rich edit or a static text) and a drop button that opens a
// sorted drop list of the choices. It reports a changed text with LVN_ENDLABELEDIT, asks the
// list to move on with WM_RPT_EDITNAVIGATE, and deletes itself (with its choices) once its
// window is gone.
#pragma once

#include <ClassLib/AfxWin.h>

#include "SuperListCtrl/RptCellInfo.h"

// From the drop list or the edit part to the combo: wParam the choice index (negative keeps
// the current one), lParam the text.
#define WM_RPT_COMBOSETTEXT (WM_USER + 2)

class CRptInCombo;

// The editable text part.
class CRptInComboEdit : public CRichEditCtrl
{
public:
    explicit CRptInComboEdit(CRptInCombo* pCombo) : m_pCombo(pCombo) {}
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void SetAutoComplete(BOOL bOn) { m_bAutoComplete = bOn; }

protected:
    CRptInCombo* m_pCombo;
    BOOL m_bAutoComplete = TRUE;
    BOOL m_bSuppressComplete = FALSE;
    BOOL m_bCompleting = FALSE;
    void PostNcDestroy() override { delete this; }

    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnTextChange();
    afx_msg void OnEditCopy();
    afx_msg void OnEditCut();
    afx_msg void OnEditPaste();
    afx_msg void OnEditUndo();
    void AutoComplete();
    DECLARE_MESSAGE_MAP()
};

// The fixed text part.
class CRptInComboStatic : public CWnd
{
public:
    explicit CRptInComboStatic(CRptInCombo* pCombo) : m_pCombo(pCombo) {}
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CRptInCombo* m_pCombo;
    void PostNcDestroy() override { delete this; }
    afx_msg void OnPaint();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()
};

// The drop list, alive only while open.
class CRptInComboList : public CListBox
{
public:
    explicit CRptInComboList(CRptInCombo* pCombo) : m_pCombo(pCombo) {}
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Hands the selected choice to the combo and closes.
    void Choose();
    // Closes without choosing.
    void Close();
    // Cut loose when the combo closes the list itself.
    CRptInCombo* m_pCombo;

protected:
    void PostNcDestroy() override;
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()
};

class CRptInCombo : public CWnd
{
    friend class CRptInComboEdit;
    friend class CRptInComboStatic;
    friend class CRptInComboList;

public:
    // Takes ownership of pChoices (may be null).
    CRptInCombo(int nItem, int nSubItem, LPCTSTR lpszText, CStringArray* pChoices, BOOL bEditable,
                BOOL bClickThrough);
    ~CRptInCombo() override;

    BOOL Create(const RECT& rect, CWnd* pList, UINT nID);
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void SetTextColor(COLORREF clr) { m_clrText = clr; }
    void SetEditorFont(CFont* pFont) { m_pFont = pFont; }
    // FALSE when the list shows categories: the drop button gets an extra frame.
    void SetPlainButton(BOOL bPlain) { m_bPlainButton = bPlain; }

    int GetCurrentIndex() const { return m_nCurrent; }
    CString GetText() const;
    BOOL IsDropped() const { return m_pDropList != nullptr; }
    CRptInComboList* GetDropList() const { return m_pDropList; }
    CWnd* GetTextPart() { return m_pEdit != nullptr ? static_cast<CWnd*>(m_pEdit) : m_pStatic; }
    int GetButtonWidth() const { return m_nButtonWidth; }

    // Opens or closes the drop list as a press on the button does.
    void ToggleDropList();

protected:
    int m_nItem;
    int m_nSubItem;
    CString m_strInitial;
    CStringArray* m_pChoices;
    BOOL m_bEditable;
    BOOL m_bClickThrough;
    int m_nCurrent = -1;
    BOOL m_bAutoComplete = TRUE;
    BOOL m_bCancelled = FALSE;
    BOOL m_bDestroying = FALSE;
    int m_nButtonWidth;
    CBitmap m_bmpButton;
    COLORREF m_clrText;
    CFont* m_pFont = nullptr;
    BOOL m_bPlainButton = TRUE;
    CRptInComboEdit* m_pEdit = nullptr;
    CRptInComboStatic* m_pStatic = nullptr;
    CRptInComboList* m_pDropList = nullptr;
    CString m_strStaticText;

    int ChoiceCount() const { return m_pChoices != nullptr ? (int)m_pChoices->GetSize() : 0; }
    CFont* TextFont();
    CRect ButtonRect();
    void SelectChoice(int nIndex);
    void SearchFirstChar(UINT nChar);
    void EndEdit(const CString& strText);
    void EndWithCurrentText();
    void LeaveAndNavigate(int nDirection);
    void DestroyCombo();
    bool IsOwnWindow(CWnd* pWnd);
    void SendDblClk();
    void CloseDropList();

    void PostNcDestroy() override;
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnComboSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
