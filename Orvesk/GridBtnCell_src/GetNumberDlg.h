// The small number-entry dialog (template 20016): a prompt, an edit holding a whole
// number, OK and Cancel. The caller sets the prompt and the caption, runs it with
// DoModal and reads m_nNumber after IDOK.
#pragma once

#include <ClassLib/AfxWin.h>

enum {
    IDD_GETNUMBER = 20016,
    IDC_GETNUMBER_PROMPT = 20015,
    IDC_GETNUMBER_EDIT = 20012,
};

class CGetNumberDlg : public CDialog {
public:
    explicit CGetNumberDlg(CWnd* pParent = NULL);
    ~CGetNumberDlg() override;

    int m_nNumber;
    // Shown in the prompt control; read back with the number.
    CString m_strPrompt;
    // The caption; empty keeps the template's.
    CString m_strTitle;

    CStatic m_staticPrompt;
    CEdit m_editNumber;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
