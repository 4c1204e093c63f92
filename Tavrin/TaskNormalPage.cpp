// The general page.
#include "TaskNormalPage.h"

#include "ResourceDlg.h"
#include "TaskResource.h"

#include <cstdlib>

IMPLEMENT_DYNCREATE(CTaskNormalPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CTaskNormalPage, CPropertyPage)
    ON_NOTIFY(UDN_DELTAPOS, IDC_TASK_DURATION_SPIN, OnDeltaPosDuration)
    ON_BN_CLICKED(IDC_TASK_ESTIMATE, OnEstimate)
    ON_BN_CLICKED(IDC_TASK_NEWRES, OnNewResource)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_TASK_FINISH, OnFinishChange)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_TASK_DEADLINE, OnDeadlineChange)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_TASK_START, OnStartChange)
END_MESSAGE_MAP()

CTaskNormalPage::CTaskNormalPage()
    : CPropertyPage(IDD_TASK_NORMAL), m_bDatesEditable(1), m_bAccepted(1), m_lstResources(10),
      m_bEstimate(0), m_dtDeadlineValue(COleDateTime::GetCurrentTime()),
      m_dtStartValue(COleDateTime::GetCurrentTime()), m_bMilestone(0), m_nPriority(0)
{
}

CTaskNormalPage::~CTaskNormalPage()
{
}

int CTaskNormalPage::LeadingNumber(const CString& str)
{
    return (int)strtol((LPCTSTR)str, NULL, 10);
}

CString CTaskNormalPage::ItemText(const tagResInfo& res)
{
    return res.strName + _T("(") + res.strCode + _T(")");
}

void CTaskNormalPage::SetResources(const CTaskResList& resources)
{
    POSITION pos = resources.GetHeadPosition();
    while (pos)
    {
        tagResInfo res = resources.GetNext(pos);
        m_lstResources.AddTail(res);
    }
}

void CTaskNormalPage::SetAssignees(int bDatesEditable, const CStringArray& arCodes)
{
    m_arAssignees.Append(arCodes);
    m_bDatesEditable = bDatesEditable;
}

void CTaskNormalPage::SetCalendar(int nBaseID, const CObList& listFirst, const CObList& listSecond)
{
    m_CalendarCal.Load(nBaseID, listFirst, listSecond);
}

void CTaskNormalPage::SetCalendarID(int nID)
{
    m_CalendarCal.SetCalendarID(nID);
}

int CTaskNormalPage::IsResCodeUsed(CString strCode)
{
    POSITION pos = m_lstResources.GetHeadPosition();
    while (pos)
        if (m_lstResources.GetNext(pos).strCode == strCode)
            return 1;
    return 0;
}

void CTaskNormalPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TASK_PRIORITY_SPIN, m_spinPriority);
    DDX_Control(pDX, IDC_TASK_NEWRES, m_btnNewRes);
    DDX_Control(pDX, IDC_TASK_MILESTONE, m_chkMilestone);
    DDX_Control(pDX, IDC_TASK_START, m_dtStart);
    DDX_Control(pDX, IDC_TASK_DEADLINE, m_dtDeadline);
    DDX_Control(pDX, IDC_TASK_FINISH, m_dtFinish);
    DDX_Control(pDX, IDC_TASK_ESTIMATE, m_chkEstimate);
    DDX_Control(pDX, IDC_TASK_DURATION, m_editDuration);
    DDX_Control(pDX, IDC_TASK_RESOURCES, m_cmbResource);
    DDX_Control(pDX, IDC_TASK_DURATION_SPIN, m_spinDuration);
    DDX_Text(pDX, IDC_TASK_DESC, m_strDescription);
    DDX_Check(pDX, IDC_TASK_ESTIMATE, m_bEstimate);
    DDX_Text(pDX, IDC_TASK_NAME, m_strName);
    DDX_DateTimeCtrl(pDX, IDC_TASK_DEADLINE, m_dtDeadlineValue);
    DDX_DateTimeCtrl(pDX, IDC_TASK_START, m_dtStartValue);
    DDX_DateTimeCtrl(pDX, IDC_TASK_FINISH, m_dtFinishValue);
    DDX_Text(pDX, IDC_TASK_DURATION, m_strDuration);
    DDX_Check(pDX, IDC_TASK_MILESTONE, m_bMilestone);
    DDX_Text(pDX, IDC_TASK_PRIORITY, m_nPriority);
    DDV_MinMaxInt(pDX, m_nPriority, 1, 5);
}

BOOL CTaskNormalPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    m_spinPriority.SetRange(1, 5);
    // The duration spin counts working days upwards over the whole field.
    m_spinDuration.SetRange32(0, kMaxDurationDays);
    m_btnNewRes.SetMenu(IDR_TASK_ADDRES);

    POSITION pos = m_lstResources.GetHeadPosition();
    while (pos)
        m_cmbResource.AddString(ItemText(m_lstResources.GetNext(pos)));

    if (m_strDuration.IsEmpty())
    {
        m_spinDuration.SetPos32(1);
        m_editDuration.SetWindowText(_T("1个工作日?"));
        m_chkEstimate.SetCheck(BST_CHECKED);
    }
    else
        m_spinDuration.SetPos32(LeadingNumber(m_strDuration));

    for (int i = 0; i < m_arAssignees.GetSize(); i++)
    {
        pos = m_lstResources.GetHeadPosition();
        while (pos)
        {
            const tagResInfo& res = m_lstResources.GetNext(pos);
            if (res.strCode == m_arAssignees[i])
            {
                int nItem = m_cmbResource.FindStringExact(-1, ItemText(res));
                if (nItem >= 0)
                    m_cmbResource.SetCheck(nItem, 1);
                break;
            }
        }
    }

    if (!m_bDatesEditable)
    {
        m_editDuration.EnableWindow(FALSE);
        m_chkEstimate.EnableWindow(FALSE);
        m_spinDuration.EnableWindow(FALSE);
        m_dtDeadline.EnableWindow(FALSE);
        m_dtFinish.EnableWindow(FALSE);
        m_dtStart.EnableWindow(FALSE);
    }
    return TRUE;
}

int CTaskNormalPage::WorkingDays(const COleDateTime& dtStart, const COleDateTime& dtFinish) const
{
    COleDateTimeSpan span = dtFinish - dtStart;
    int nRest = m_CalendarCal.CountRestDays(dtStart, dtFinish);
    return (int)span.GetDays() + 1 - (nRest > 0 ? nRest : 0);
}

CString CTaskNormalPage::DurationText(int nDays) const
{
    CString str;
    str.Format(_T("%d个工作日"), nDays);
    if (m_chkEstimate.GetSafeHwnd() && m_chkEstimate.GetCheck() == BST_CHECKED)
        str += _T("?");
    return str;
}

void CTaskNormalPage::ShowDuration(int nDays)
{
    m_spinDuration.SetPos32(nDays);
    m_editDuration.SetWindowText(DurationText(nDays));
}

void CTaskNormalPage::OnDeltaPosDuration(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMUPDOWN* pNMUpDown = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    UpdateData(TRUE);
    int nDays = pNMUpDown->iPos + pNMUpDown->iDelta;
    if (nDays < 0)
        nDays = 0;
    if (nDays > kMaxDurationDays)
        nDays = kMaxDurationDays;
    m_spinDuration.SetPos32(nDays);
    pNMUpDown->iDelta = 0;
    m_strDuration = DurationText(nDays);
    m_dtFinishValue = m_CalendarCal.GetFinishDate(m_dtStartValue, nDays);
    if (m_dtDeadlineValue < m_dtFinishValue)
        m_dtDeadlineValue = m_dtFinishValue;
    UpdateData(FALSE);
    *pResult = 0;
}

void CTaskNormalPage::OnEstimate()
{
    CString str;
    m_editDuration.GetWindowText(str);
    if (m_chkEstimate.GetCheck() == BST_CHECKED)
        str += _T("?");
    else if (!str.IsEmpty())
        str = str.Left(str.GetLength() - 1);
    m_editDuration.SetWindowText(str);
}

void CTaskNormalPage::OnStartChange(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    COleDateTime dtOld = m_dtStartValue;
    UpdateData(TRUE);
    m_dtStartValue = m_CalendarCal.GetNextWorkDay(m_dtStartValue);
    if (m_dtStartValue == dtOld)
    {
        UpdateData(FALSE);
        *pResult = 0;
        return;
    }
    UpdateData(FALSE);
    if (m_dtFinishValue < m_dtStartValue)
    {
        m_dtFinishValue = m_CalendarCal.GetFinishDate(m_dtStartValue, LeadingNumber(m_strDuration));
        if (m_dtDeadlineValue < m_dtFinishValue)
            m_dtDeadlineValue = m_dtFinishValue;
        UpdateData(FALSE);
    }
    else
        ShowDuration(WorkingDays(m_dtStartValue, m_dtFinishValue));
    *pResult = 0;
}

void CTaskNormalPage::OnFinishChange(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    COleDateTime dtOld = m_dtFinishValue;
    UpdateData(TRUE);
    m_dtFinishValue = m_CalendarCal.GetNextWorkDay(m_dtFinishValue);
    if (m_dtFinishValue == dtOld)
    {
        UpdateData(FALSE);
        *pResult = 0;
        return;
    }
    m_dtFinish.SetTime(m_dtFinishValue);
    if (m_dtDeadlineValue < m_dtFinishValue)
    {
        m_dtDeadlineValue = m_dtFinishValue;
        m_dtDeadline.SetTime(m_dtDeadlineValue);
    }
    if (m_dtFinishValue < m_dtStartValue)
    {
        m_dtStartValue = m_CalendarCal.GetStartDate(m_dtFinishValue, LeadingNumber(m_strDuration));
        UpdateData(FALSE);
    }
    else
        ShowDuration(WorkingDays(m_dtStartValue, m_dtFinishValue));
    *pResult = 0;
}

void CTaskNormalPage::OnDeadlineChange(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    COleDateTime dtOld = m_dtDeadlineValue;
    UpdateData(TRUE);
    if (m_dtDeadlineValue != dtOld && m_dtDeadlineValue < m_dtFinishValue)
    {
        m_dtDeadlineValue = m_dtFinishValue;
        m_dtDeadline.SetTime(m_dtDeadlineValue);
    }
    *pResult = 0;
}

void CTaskNormalPage::OnNewResource()
{
    CResourceDlg dlg;
    dlg.SetOwner(this);
    if (dlg.DoModal() != IDOK)
        return;
    tagResInfo res;
    dlg.GetResInfo(res);
    m_lstResources.AddTail(res);
    int nItem = m_cmbResource.AddString(ItemText(res));
    if (nItem >= 0)
        m_cmbResource.SetCheck(nItem, 1);
}

void CTaskNormalPage::OnOK()
{
    if (!GetSafeHwnd())
        return;
    if (!UpdateData(TRUE))
    {
        // The framework reported the field (a priority outside 1..5).
        m_bAccepted = 0;
        return;
    }

    // The codes of the checked items, in item order, joined as the box joins its texts.
    // (Derived from the items, not by replacing names inside the joined text, so names
    // with "(", ")" or "," cannot break it.)
    m_strResource.Empty();
    for (int i = 0; i < m_cmbResource.GetCount(); i++)
    {
        if (!m_cmbResource.GetCheck(i))
            continue;
        CString strItem;
        m_cmbResource.GetLBText(i, strItem);
        POSITION pos = m_lstResources.GetHeadPosition();
        while (pos)
        {
            const tagResInfo& res = m_lstResources.GetNext(pos);
            if (ItemText(res) == strItem)
            {
                if (!m_strResource.IsEmpty())
                    m_strResource += _T(", ");
                m_strResource += res.strCode;
                break;
            }
        }
    }

    if (m_strName.IsEmpty())
    {
        AfxMessageBox(_T("请输入任务名!"));
        m_bAccepted = 0;
    }
    else if (m_strDuration.IsEmpty())
    {
        AfxMessageBox(_T("请输入任务的工期!"));
        m_bAccepted = 0;
    }
    else if (LeadingNumber(m_strDuration) > kMaxDurationDays || LeadingNumber(m_strDuration) < 0)
    {
        // Seconds of a longer duration do not fit the task's duration.
        AfxMessageBox(_T("工期不能超过24855个工作日!"));
        m_bAccepted = 0;
    }
    else
    {
        m_bAccepted = 1;
        CPropertyPage::OnOK();
    }
}
