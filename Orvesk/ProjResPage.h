// The resource page of the project property sheet: the project's resources with their
// description and type.
#pragma once

#include <ClassLib/AfxWin.h>
#include <Tavrin/RnHotButton.h>

#include <functional>

#include "ProjectInfo.h"

// Where the page's add button picks resources: given the offered resources that are not
// yet listed, fills the chosen ones and answers IDOK. The resource dialog installs itself
// here; until then adding picks nothing.
typedef std::function<INT_PTR(CResInfoList& offered, CResInfoList& chosen)> ProjResourcePicker;
ProjResourcePicker ProjSetResourcePicker(ProjResourcePicker picker);

class CProjResPage : public CPropertyPageEx
{
    DECLARE_DYNAMIC(CProjResPage)
public:
    CProjResPage();
    explicit CProjResPage(UINT nIDTemplate);

    // Stores the flag, then copies both lists (the project's, then the offered ones).
    void SetResourceLists(CResInfoList& listProject, CResInfoList& listOffered, int bEditable);
    // Empties the list and appends copies of the page's project resources.
    void GetResourceList(CResInfoList& list);

    // The type texts and pictures: 1 personnel, 2 equipment, 3 material; "" and -1 for
    // any other type.
    static CString TypeText(int nType);
    static int TypeImage(int nType);

    CImageList m_imageTypes;
    CResInfoList m_listOffered;
    CResInfoList m_listProject;
    int m_bEditable;
    CListCtrl m_listRes;
    CRnHotButton m_btnRemove;
    CRnHotButton m_btnAdd;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    afx_msg void OnAdd();
    afx_msg void OnRemove();
    DECLARE_MESSAGE_MAP()

private:
    void AppendRow(const tagResInfo& res);
};
