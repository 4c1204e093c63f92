#include "NewDocFileDlg.h"

#include <ClassLib/Core/Debug.h>
#include <Pdm/PdmFactory.h>

BEGIN_MESSAGE_MAP(CNewDocFileDlg, CDialog)
END_MESSAGE_MAP()

CNewDocFileDlg::CNewDocFileDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_nParentClassId(0), m_nParentObjectId(0), m_nDocClassId(0), m_nNewObjectId(0)
{
}

CNewDocFileDlg::~CNewDocFileDlg() {}

void CNewDocFileDlg::SetParentInfo(UINT nClassId, UINT nObjectId)
{
    m_nParentClassId = nClassId;
    m_nParentObjectId = nObjectId;
}

void CNewDocFileDlg::SetClassInfo(const CUIntArray& arrClassId, const CStringArray& arrClassName)
{
    m_arrClassId.RemoveAll();
    m_arrClassName.RemoveAll();
    INT_PTR nCount = arrClassId.GetSize() < arrClassName.GetSize() ? arrClassId.GetSize() : arrClassName.GetSize();
    for (INT_PTR i = 0; i < nCount; i++) {
        m_arrClassId.Add(arrClassId[i]);
        m_arrClassName.Add(arrClassName[i]);
    }
}

void CNewDocFileDlg::SetExistNames(const CStringArray& arrNames)
{
    m_arrExistName.RemoveAll();
    m_arrExistName.Append(arrNames);
}

void CNewDocFileDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NEWDOC_NAME, m_editName);
    DDX_Control(pDX, IDC_NEWDOC_CLASS, m_comboClass);
    DDX_Text(pDX, IDC_NEWDOC_NAME, m_strFileName);
    DDV_MaxChars(pDX, m_strFileName, 32);
}

void CNewDocFileDlg::Tell(LPCTSTR lpszText, UINT nIcon)
{
    MessageBox(lpszText, "提示", MB_OK | nIcon);
}

BOOL CNewDocFileDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_nParentClassId == 0 || m_nParentObjectId == 0) {
        Tell("没有设置父级类信息！", MB_ICONEXCLAMATION);
        OnCancel();
        return TRUE;
    }
    if (m_arrClassId.GetSize() == 0 || m_arrClassName.GetSize() == 0) {
        Tell("没有文档类信息！", MB_ICONEXCLAMATION);
        OnCancel();
        return TRUE;
    }
    for (INT_PTR i = 0; i < m_arrClassName.GetSize(); i++) {
        int nIndex = m_comboClass.AddString(m_arrClassName[i]);
        if (nIndex >= 0)
            m_comboClass.SetItemData(nIndex, m_arrClassId[i]);
    }
    return TRUE;
}

void CNewDocFileDlg::SelectName()
{
    m_editName.SetFocus();
    m_editName.SetSel(0, -1);
}

void CNewDocFileDlg::OnOK()
{
    int nSel = m_comboClass.GetCurSel();
    if (nSel == CB_ERR) {
        Tell("请选择文档类型！", MB_ICONEXCLAMATION);
        return;
    }
    m_nDocClassId = (UINT)m_comboClass.GetItemData(nSel);
    if (!UpdateData(TRUE))
        return;
    m_strFileName.TrimLeft();
    m_strFileName.TrimRight();

    if (m_strFileName.IsEmpty()) {
        Tell("文件名称不能为空！", MB_ICONEXCLAMATION);
        SelectName();
        return;
    }
    if (m_strFileName.FindOneOf("\\/:*?\"<>|'") >= 0) {
        Tell("文件名中不能包含 \\/:*?\"<>|' 等字符！", MB_ICONEXCLAMATION);
        SelectName();
        return;
    }
    if (m_strFileName.Find('.') < 0) {
        Tell("请输入文件后缀名！", MB_ICONINFORMATION);
        SelectName();
        return;
    }
    if (FindExistName(m_strFileName) >= 0) {
        Tell("文件名称已经存在！", MB_ICONEXCLAMATION);
        SelectName();
        return;
    }
    m_nNewObjectId = AddDocRecord(m_nDocClassId, m_strFileName);
    if (m_nNewObjectId != 0) {
        EndDialog(IDOK);
        return;
    }
    Tell("增加文件失败，请重试！", MB_ICONINFORMATION);
}

int CNewDocFileDlg::FindExistName(CString strName)
{
    for (INT_PTR i = 0; i < m_arrExistName.GetSize(); i++)
        if (m_arrExistName[i] == strName)
            return (int)i;
    return -1;
}

UINT CNewDocFileDlg::AddDocRecord(UINT nDocClassId, CString strName)
{
    CPdmPtr<IPdmData> pData(CreatePdmData());
    if (!pData)
        return 0;
    if (pData->Initialize() != S_OK) {
        TRACE("Initialize Interface Failed!\n");
        return 0;
    }
    LONG nId = 0;
    if (pData->AddDocument((LONG)m_nParentClassId, (LONG)m_nParentObjectId, (LONG)nDocClassId, strName, nId) != S_OK)
        return 0;
    return (UINT)nId;
}
