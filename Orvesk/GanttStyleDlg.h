// The chart's format dialog: which text the chart writes beside its bars (0 the
// resources, 1 the task name, 2 the task name with its resources), with a picture of each.
#pragma once

#include <ClassLib/AfxWin.h>

#include "PicStatic.h"

class AFX_EXT_CLASS CGanttStyleDlg : public CDialog
{
    DECLARE_DYNAMIC(CGanttStyleDlg)

public:
    explicit CGanttStyleDlg(CWnd* pParent = NULL);
    ~CGanttStyleDlg() override;

    void SetStyle(int nStyle) { m_nStyle = nStyle; }
    int GetStyle() const { return m_nStyle; }

    // The picture of a style (0 when there is none).
    static int StyleBitmap(int nStyle);

    int m_nStyle;
    CPicStatic m_picStyle;
    CComboBox m_comboStyle;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelChangeStyle();
    DECLARE_MESSAGE_MAP()
};
