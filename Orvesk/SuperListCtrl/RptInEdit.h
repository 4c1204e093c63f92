// CRptInEdit: the report list's in-place text editor, a rich edit over one cell. It reports
// a changed text with LVN_ENDLABELEDIT, asks the list to move on with WM_RPT_EDITNAVIGATE
// when the user leaves it by Tab or an arrow at its edge, and deletes itself once its window
// is gone.
#pragma once

#include <ClassLib/AfxWin.h>

#include "SuperListCtrl/RptCellInfo.h"

// Sends the end of an edit to the list (the editor's parent) when the text differs from the
// initial one; a null text stands for a cancelled edit. TRUE when something was sent.
BOOL RptSendEndLabelEdit(CWnd* pEditor, int nItem, int nSubItem, const CString& strInitial, const CString& strText,
                         BOOL bCancelled);
// Sends WM_RPT_EDITNAVIGATE to the list for the cell just left.
void RptSendEditNavigate(CWnd* pList, int nItem, int nSubItem, int nDirection);
// Repeats a click at the cursor inside a freshly opened editor part.
void RptClickThrough(CWnd* pWnd);

class CRptInEdit : public CRichEditCtrl
{
public:
    CRptInEdit(int nItem, int nSubItem, LPCTSTR lpszText, BOOL bClickThrough);

    // Creates the window over the cell with the list's font and the initial text, all of it
    // selected, and takes the focus.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int GetItem() const { return m_nItem; }
    int GetSubItem() const { return m_nSubItem; }
    BOOL IsCancelled() const { return m_bCancelled; }

protected:
    void PostNcDestroy() override;
    // Reports a changed text (not when cancelled).
    void EndEdit();
    // Ends, destroys the window and asks the list to move; the object is gone afterwards.
    void LeaveAndNavigate(int nDirection);
    void WidenToText();

    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnEditCopy();
    afx_msg void OnEditCut();
    afx_msg void OnEditPaste();
    afx_msg void OnEditUndo();
    afx_msg void OnUpdateEditCopyCut(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    int m_nItem;
    int m_nSubItem;
    CString m_strInitial;
    BOOL m_bClickThrough;
    BOOL m_bCancelled = FALSE;
    BOOL m_bEnded = FALSE;
    BOOL m_bDestroying = FALSE;
};
