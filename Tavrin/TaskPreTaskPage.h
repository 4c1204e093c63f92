// The predecessor page of the task property sheet: the task's links in a small grid, one
// link a row, turned back into link records on OK.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Frames/PropertySheet.h>

#include "GridCtrl.h"

#include <Tavrin/TaskLink.h>

class CTaskPreTaskPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CTaskPreTaskPage)

public:
    CTaskPreTaskPage();
    virtual ~CTaskPreTaskPage();

    // Set-up before the sheet runs: copies of the link-type texts, task names and ids, and
    // a copy of every link.
    void SetLists(const CStringArray& arLinkTypes, const CStringArray& arTaskNames,
                  const CUIntArray& arTaskIds);
    void SetLinks(const CObList& links);

    // Deletes the page's link records.
    void DeleteLinks();

    int m_bComplete;
    CGridCtrl m_Grid;
    CStringArray m_arLinkTypes;
    CStringArray m_arTaskNames;
    CObList m_lstLinks;
    int m_bInitialised;
    CUIntArray m_arTaskIds;

    enum { kDataRows = 20, kCols = 5 };

    virtual BOOL OnInitDialog();
    virtual void OnOK();

protected:
    // Gives the rows from nFirst to nLast their combo cells.
    void SetRowCellTypes(int nFirst, int nLast);
    // The link of one row; NULL (and *pbFailed set) for a name or type not in the lists.
    CTaskLink* MakeLink(int nRow, BOOL* pbFailed) const;

    afx_msg void OnGridRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeleteRow();
    afx_msg void OnAddRow();
    DECLARE_MESSAGE_MAP()
};
