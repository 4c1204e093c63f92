// The tree-state dialog: expand the task tree fully, collapse it to the top level, or
// expand it to a number of levels (1 to 10).
#pragma once

#include <ClassLib/AfxWin.h>

class AFX_EXT_CLASS CExpandSetDlg : public CDialog
{
    DECLARE_DYNAMIC(CExpandSetDlg)

public:
    explicit CExpandSetDlg(CWnd* pParent = NULL);
    ~CExpandSetDlg() override;

    // After IDOK: mode 1 expand everything, 2 collapse everything, 3 expand to nLevels.
    void GetResult(int& nMode, int& nLevels) const;

    // Makes this dialog the document's tree-state dialog.
    static void InstallAsProjectExpand();

    int m_nMode;
    int m_nLevels;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnExpandLevels();
    afx_msg void OnExpandAll();
    afx_msg void OnCollapseAll();
    DECLARE_MESSAGE_MAP()

private:
    void SetMode(int nMode);
};
