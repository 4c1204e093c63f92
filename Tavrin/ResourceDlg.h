// The dialog "增加资源" in which a new resource is defined while a task is edited.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Dialogs/Dialog.h>
#include <Tavrin/ResInfo.h>

class CTaskNormalPage;

class CResourceDlg : public CDialog
{
public:
    explicit CResourceDlg(CWnd* pParent = NULL);

    // The page whose resources a new code must not repeat.
    void SetOwner(CTaskNormalPage* pOwner) { m_pOwner = pOwner; }
    // Fills the record from the dialog's values (after IDOK).
    void GetResInfo(tagResInfo& res) const;

    CTaskNormalPage* m_pOwner;
    CString m_strCode;
    int m_nRate;
    CString m_strDesc;
    CString m_strName;
    CString m_strUnit;
    CString m_strType;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
};
