// The project property sheet: kind 0 names and dates a new project (base information
// only), kind 1 is the project information (base information, resources, permissions),
// kind 2 the publish wizard (the same pages and a finish page).
#pragma once

#include <ClassLib/AfxWin.h>

#include "ProjBaseProp.h"

class CProjResPage;
class CProjRolePage;

class AFX_EXT_CLASS CProjSheet : public CPropertySheetEx
{
    DECLARE_DYNAMIC(CProjSheet)
public:
    CProjSheet(UINT nIDCaption, int nType, CWnd* pParentWnd = NULL, UINT iSelectPage = 0, HBITMAP hbmWatermark = NULL,
               HPALETTE hpalWatermark = NULL, HBITMAP hbmHeader = NULL);
    CProjSheet(LPCTSTR pszCaption, int nType, CWnd* pParentWnd = NULL, UINT iSelectPage = 0,
               HBITMAP hbmWatermark = NULL, HPALETTE hpalWatermark = NULL, HBITMAP hbmHeader = NULL);
    ~CProjSheet() override;

    // Stores a new kind and gives the previous one; the pages stay as they are.
    int SetType(int nType);

    BOOL OnInitDialog() override;
    // Enter ends the sheet with IDOK from any page, unless the focus is in the goal box
    // (which takes the new line) or the name is empty. In the wizard the base page's
    // checks must pass first.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Installs the sheet as the project document's property sheet.
    static void InstallAsProjectSheet();

    int m_nType;
    CProjBaseProp* m_pBaseProp;
    CProjRolePage* m_pRolePage;
    CProjResPage* m_pResPage;
    CProjPublishFinishPage m_FinishPage;

private:
    void CreatePages();
};
