// The permission page of the project property sheet: one row per project member, six
// permissions as tick boxes that a click toggles in the page's copy of the records.
#pragma once

#include <ClassLib/AfxWin.h>

#include "ProjectDialogHooks.h"
#include "SuperListCtrl/RptListCtrl.h"

class CProjRolePage : public CPropertyPageEx
{
    DECLARE_DYNAMIC(CProjRolePage)
public:
    CProjRolePage();
    explicit CProjRolePage(UINT nIDTemplate);

    // Replaces the page's records by copies of the list's, in order.
    void SetPermissionList(CPermInfoList& list);
    // Empties the list and appends copies of the page's records, in order.
    void GetPermissionList(CPermInfoList& list);

    // Keeps the column layout in the profile before the page goes.
    BOOL DestroyWindow() override;

    CPermInfoList m_listPermissions;
    int m_nTemplateID;
    CDWordArray m_arrRows;
    CStringArray m_arrCodes;
    CImageList m_imageHeadings;
    CImageList m_imageCells;
    CRptListCtrl m_listRole;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    afx_msg void OnClickList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetDispInfoList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void FillList();
};
