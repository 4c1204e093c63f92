#include "ProjOpenDlg.h"

#include <ProjectService/ProjectServiceFactory.h>

#include <vector>

#include "ProjDialogsResource.h"
#include "ProjectDialogHooks.h"
#include "ProjectListReply.h"
#include "ProjectServiceUse.h"

BEGIN_MESSAGE_MAP(CProjOpenDlg, CDialog)
    ON_NOTIFY(NM_DBLCLK, IDC_PROJ_OPEN_LIST, OnDblclkList)
END_MESSAGE_MAP()

CProjOpenDlg::CProjOpenDlg(CWnd* pParent)
    : CDialog(IDD_PROJ_OPEN, pParent), m_nSelectedId(0), m_bAutomation(0)
{
}

void CProjOpenDlg::SetConnection(int bAutomation, CString strLoginName, CString strServiceUrl,
                                 CString strProxyPort, CString strProxyAddress)
{
    m_bAutomation = bAutomation;
    m_strLoginName = strLoginName;
    m_strServiceUrl = strServiceUrl;
    m_strProxyPort = strProxyPort;
    m_strProxyAddress = strProxyAddress;
}

void CProjOpenDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROJ_OPEN_LIST, m_listProjects);
}

BOOL CProjOpenDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_imageList.Create(IDB_PROJ_STATUS, 17, 1, RGB(255, 255, 255));
    m_listProjects.InsertColumn(0, "项目名称", LVCFMT_LEFT);
    m_listProjects.SetColumnWidth(0, 250);
    m_listProjects.InsertColumn(1, "创建时间", LVCFMT_LEFT);
    m_listProjects.SetColumnWidth(1, 100);
    m_listProjects.SetImageList(&m_imageList, LVSIL_SMALL);
    m_listProjects.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB | LVS_EX_INFOTIP);
    LoadProjectList();
    return TRUE;
}

void CProjOpenDlg::LoadProjectList()
{
    if (m_strServiceUrl.IsEmpty())
        return;
    SetCapture();
    // A list that could not be had is told, not taken for a user without projects; the
    // dialog stays, to be cancelled.
    CString strFailure;
    {
        CWaitCursor wait;
        CProjectServicePtr service(CreateProjectService());
        if (!service) {
            strFailure = "客户端组件创建失败!";
        } else {
            service->SetServiceUrl(m_strServiceUrl);
            if (m_bAutomation == 0) {
                service->SetProxyServer(m_strProxyAddress);
                service->SetProxyPort(m_strProxyPort);
            }
            CString strReply;
            const HRESULT hr = service->GetProjectList(m_strLoginName, strReply);
            if (hr == S_FALSE)
                strFailure = "获取项目列表失败!";
            else if (hr != S_OK)
                strFailure = kProjectConnectionChecklist;
            else if (!ParseProjectList(strReply))
                strFailure = "服务器返回的项目列表无法识别!";
        }
        ReleaseCapture();
    }
    if (!strFailure.IsEmpty())
        MessageBox(strFailure, "系统提示", MB_ICONINFORMATION);
}

BOOL CProjOpenDlg::ParseProjectList(const CString& strXml)
{
    std::vector<CProjListEntry> entries;
    const EProjListReply result = ReadProjectListReply(strXml, entries);
    for (const CProjListEntry& entry : entries) {
        const int nRow = m_listProjects.InsertItem(m_listProjects.GetItemCount(), entry.strName,
                                                   ProjectStatusImage(entry.nStatus));
        m_listProjects.SetItemText(nRow, 1, entry.strDate);
        m_listProjects.SetItemData(nRow, (DWORD_PTR)(LONG_PTR)entry.nID);
    }
    return result == PROJLIST_READ;
}

void CProjOpenDlg::OnOK()
{
    const int nRow = m_listProjects.GetSelectionMark();
    if (nRow == -1)
        return;
    m_nSelectedId = (int)(LONG_PTR)m_listProjects.GetItemData(nRow);
    CDialog::OnOK();
}

void CProjOpenDlg::OnDblclkList(NMHDR*, LRESULT* pResult)
{
    OnOK();
    *pResult = 0;
}

void CProjOpenDlg::InstallAsProjectOpen()
{
    ProjectSetOpenRunner([](int bAutomation, const CString& strLoginName, const CString& strServiceUrl,
                            const CString& strProxyPort, const CString& strProxyAddress, int& nSelectedId) {
        CProjOpenDlg dlg(AfxGetMainWnd());
        dlg.SetConnection(bAutomation, strLoginName, strServiceUrl, strProxyPort, strProxyAddress);
        const INT_PTR nResult = dlg.DoModal();
        nSelectedId = dlg.GetSelectedId();
        return nResult;
    });
}
