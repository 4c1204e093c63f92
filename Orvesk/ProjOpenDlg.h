// The open-project dialog: lists the signed-in user's projects on the server, each with
// its status picture, and gives back the id of the project chosen.
#pragma once

#include <ClassLib/AfxWin.h>

class CProjOpenDlg : public CDialog
{
public:
    explicit CProjOpenDlg(CWnd* pParent = NULL);

    // The connection settings and the user whose projects are listed; before DoModal.
    void SetConnection(int bAutomation, CString strLoginName, CString strServiceUrl, CString strProxyPort,
                       CString strProxyAddress);
    // The chosen project's id; 0 when none was chosen.
    int GetSelectedId() const { return m_nSelectedId; }

    // Installs the dialog as the project document's open-project dialog.
    static void InstallAsProjectOpen();

    CString m_strLoginName;
    CImageList m_imageList;
    int m_nSelectedId;
    CString m_strServiceUrl;
    CString m_strProxyAddress;
    CString m_strProxyPort;
    int m_bAutomation;
    CListCtrl m_listProjects;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnDblclkList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // Asks the service for the user's projects and fills the list.
    void LoadProjectList();
    // Fills the list from a project-list reply; FALSE when the reply is no project list.
    BOOL ParseProjectList(const CString& strXml);
};
