#include "GanttStyleDlg.h"

#include "ResViewsResource.h"

IMPLEMENT_DYNAMIC(CGanttStyleDlg, CDialog)

BEGIN_MESSAGE_MAP(CGanttStyleDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_GANTT_STYLE_COMBO, OnSelChangeStyle)
END_MESSAGE_MAP()

CGanttStyleDlg::CGanttStyleDlg(CWnd* pParent) : CDialog(IDD_GANTT_STYLE, pParent), m_nStyle(0) {}

CGanttStyleDlg::~CGanttStyleDlg() {}

int CGanttStyleDlg::StyleBitmap(int nStyle)
{
    switch (nStyle) {
    case 0:
        return IDB_GANTT_STYLE_RESOURCE;
    case 1:
        return IDB_GANTT_STYLE_TASK;
    case 2:
        return IDB_GANTT_STYLE_TASK_RESOURCE;
    default:
        return 0;
    }
}

void CGanttStyleDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GANTT_STYLE_PICTURE, m_picStyle);
    DDX_Control(pDX, IDC_GANTT_STYLE_COMBO, m_comboStyle);
}

BOOL CGanttStyleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    static const char* const kStyles[] = {"1.资源", "2.任务名", "3.任务名(资源)"};
    for (int i = 0; i < 3; ++i) {
        const int nItem = m_comboStyle.AddString(kStyles[i]);
        m_comboStyle.SetItemData(nItem, (DWORD_PTR)i);
    }
    m_picStyle.SetBitmapId(StyleBitmap(m_nStyle));
    for (int i = 0; i < m_comboStyle.GetCount(); ++i)
        if ((int)m_comboStyle.GetItemData(i) == m_nStyle)
            m_comboStyle.SetCurSel(i);
    return TRUE;
}

void CGanttStyleDlg::OnSelChangeStyle()
{
    const int nSel = m_comboStyle.GetCurSel();
    if (nSel >= 0)
        m_picStyle.SetBitmapId(StyleBitmap((int)m_comboStyle.GetItemData(nSel)));
}

void CGanttStyleDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const int nSel = m_comboStyle.GetCurSel();
    if (nSel >= 0 && m_comboStyle.GetCount() > 1)
        m_nStyle = (int)m_comboStyle.GetItemData(nSel);
    EndDialog(IDOK);
}
