// The new-document dialog (205 "增加一个文档"): a document class and a file name for a new
// document record under a folder of the product-data store. OK checks the name and adds
// the record; the dialog ends with IDOK only when the store took it.
#pragma once

#include <ClassLib/AfxWin.h>

#include "PdmBrowserResource.h"

class CNewDocFileDlg : public CDialog
{
public:
    explicit CNewDocFileDlg(CWnd* pParent = NULL);
    ~CNewDocFileDlg() override;

    enum { IDD = IDD_NEWDOCFILE };

    void SetParentInfo(UINT nClassId, UINT nObjectId);
    // The first min(ids, names) pairs.
    void SetClassInfo(const CUIntArray& arrClassId, const CStringArray& arrClassName);
    void SetExistNames(const CStringArray& arrNames);
    CString GetFileName() const { return m_strFileName; }

    UINT m_nParentClassId;
    UINT m_nParentObjectId;
    CUIntArray m_arrClassId;
    CStringArray m_arrClassName;
    CStringArray m_arrExistName;
    UINT m_nDocClassId;
    UINT m_nNewObjectId;

protected:
    CEdit m_editName;
    CComboBox m_comboClass;
    CString m_strFileName;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    int FindExistName(CString strName);
    UINT AddDocRecord(UINT nDocClassId, CString strName);

private:
    void Tell(LPCTSTR lpszText, UINT nIcon);
    void SelectName();

    DECLARE_MESSAGE_MAP()
};
