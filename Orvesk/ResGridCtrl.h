// The resource grid of the resource list view: one row per project member (code, name,
// description, unit, cost). Cell edits write straight into the document's member list;
// renaming or removing a code carries the change into every task's assignees.
#pragma once

#include "GridCtrl.h"

class CProjectDoc;

class AFX_EXT_CLASS CResGridCtrl : public CGridCtrl
{
    DECLARE_DYNCREATE(CResGridCtrl)

public:
    CResGridCtrl();
    ~CResGridCtrl() override;

    // The height the rows this grid appends get.
    void SetDefRowHeight(int nHeight) { m_nDefCellHeight = nHeight; }
    // Appends an empty row of that height; its index.
    int AppendRow();

    // Equal codes: ASCII letters compared without regard to case, every other byte (and
    // both bytes of a double-byte character) exactly.
    static BOOL SameCode(const CString& strA, const CString& strB);

    // The document of the view the grid sits in (NULL outside one).
    CProjectDoc* GetProjectDoc() const;

protected:
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnAddRow();
    afx_msg void OnDeleteRow();
    // The editor's end-of-edit notification, handled before the grid's own (which writes
    // the cell). It hides the grid's OnEndEditCell(row, column, text) by name only.
    afx_msg void OnEndEditCell(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // Writes an edit of (nRow, nCol) with the text strNew into the member list.
    void ApplyEdit(int nRow, int nCol, const CString& strNew);
};
