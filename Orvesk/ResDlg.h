// The resource dialog: offers a list of resources; the ones selected on OK are handed
// back. Names typed into its edit may be added to the list, but they match no offered
// record and are not returned.
#pragma once

#include <ClassLib/AfxWin.h>

#include "ProjectInfo.h"

class AFX_EXT_CLASS CResDlg : public CDialog
{
    DECLARE_DYNAMIC(CResDlg)

public:
    explicit CResDlg(CWnd* pParent = NULL);
    ~CResDlg() override;

    // Copies every record into the offered list; before DoModal.
    void SetResourceList(CResInfoList& list);
    // Empties the list and copies the chosen records into it; after IDOK.
    void GetResourceList(CResInfoList& list);

    // Makes this dialog the resource page's picker.
    static void InstallAsResourcePicker();

    CResInfoList m_listOffered;
    CResInfoList m_listResult;
    CImageList m_imageTypes;
    CListCtrl m_listRes;
    CEdit m_editName;
    int m_nAdded;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnAdd();
    DECLARE_MESSAGE_MAP()
};
