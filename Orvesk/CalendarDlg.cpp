// The calendar settings dialog.
#include "CalendarDlg.h"

#include <Tavrin/DateFunctions.h>

#include "DocDialogsResource.h"
#include "ProjectDialogHooks.h"
#include "ProjectDoc.h"
#include "Resource.h"

BEGIN_MESSAGE_MAP(CCalendarDlg, CDialog)
    ON_WM_PAINT()
    ON_CBN_SELCHANGE(IDC_CAL_BASE_COMBO, OnBaseChange)
    ON_BN_CLICKED(IDC_CAL_NAME_CHECK, OnNameCheck)
    ON_BN_CLICKED(IDC_CAL_WORKDAY, OnWorkday)
    ON_BN_CLICKED(IDC_CAL_RESTDAY, OnRestday)
END_MESSAGE_MAP()

namespace {

// Appends a copy of every non-null element of one list of records to another.
template <class TRecord>
void AppendCopies(CObList& listTo, CObList& listFrom)
{
    for (POSITION pos = listFrom.GetHeadPosition(); pos != NULL;)
    {
        const TRecord* pRecord = static_cast<const TRecord*>(listFrom.GetNext(pos));
        if (pRecord == NULL)
            continue;
        TRecord* pCopy = new TRecord;
        pCopy->Copy(pRecord);
        listTo.AddTail(pCopy);
    }
}

void DeleteAll(CObList& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        delete list.GetNext(pos);
    list.RemoveAll();
}

COleDateTime Midnight(const COleDateTime& dt)
{
    return COleDateTime(dt.GetYear(), dt.GetMonth(), dt.GetDay(), 0, 0, 0);
}

}  // namespace

CCalendarDlg::CCalendarDlg(CWnd* pParent)
    : CDialog(IDD_CALENDAR_DIALOG, pParent), m_bChanged(0), m_nProjID(0), m_nCalID(0), m_nBaseID(-2),
      m_listItems(10), m_listWeekdays(10)
{
    m_font.CreateFont(12, 0, 0, 0, 40, FALSE, FALSE, 0, 134, 3, 2, 1, 0x32, "宋体");
}

CCalendarDlg::~CCalendarDlg()
{
    FreeLists();
}

void CCalendarDlg::FreeLists()
{
    DeleteAll(m_listItems);
    DeleteAll(m_listWeekdays);
}

void CCalendarDlg::SetCalendar(CObList& listItems, CObList& listWeekdays, CString strName, int nProjID,
                               int nCalID, int nBaseID)
{
    m_strName = strName;
    m_nProjID = nProjID;
    m_nCalID = nCalID;
    m_nBaseID = nBaseID;
    AppendCopies<CCalendarItem>(m_listItems, listItems);
    AppendCopies<CDayOfWeek>(m_listWeekdays, listWeekdays);
}

void CCalendarDlg::GetCalendar(CObList& listItems, CObList& listWeekdays, CString& strName, int& nBaseID)
{
    strName = m_strName;
    nBaseID = m_nBaseID;
    listItems.RemoveAll();
    listWeekdays.RemoveAll();
    AppendCopies<CCalendarItem>(listItems, m_listItems);
    AppendCopies<CDayOfWeek>(listWeekdays, m_listWeekdays);
}

BOOL CCalendarDlg::IsRestWeekday(int nWeekday) const
{
    for (POSITION pos = m_listWeekdays.GetHeadPosition(); pos != NULL;)
    {
        const CDayOfWeek* pDay = static_cast<const CDayOfWeek*>(m_listWeekdays.GetNext(pos));
        if (pDay->m_nDay == nWeekday)
            return pDay->m_bWorking == 0;
    }
    return m_nBaseID == -2 && (nWeekday == 0 || nWeekday == 6);
}

int CCalendarDlg::GetDateKind(int nYear, int nMonth, int nDay) const
{
    const COleDateTime day(nYear, nMonth, nDay, 0, 0, 0);
    for (POSITION pos = m_listItems.GetHeadPosition(); pos != NULL;)
    {
        const CCalendarItem* pItem = static_cast<const CCalendarItem*>(m_listItems.GetNext(pos));
        if (pItem->m_dtFrom.GetStatus() != COleDateTime::valid || pItem->m_dtTo.GetStatus() != COleDateTime::valid)
            continue;
        if (Midnight(pItem->m_dtFrom) <= day && day <= Midnight(pItem->m_dtTo))
            return pItem->m_bWorking ? 1 : 2;
    }
    return IsRestWeekday(GetDayOfWeek(nYear, nMonth, nDay)) ? 2 : 1;
}

void CCalendarDlg::SetDateEntry(int nYear, int nMonth, int nDay, int bWorking)
{
    const COleDateTime day(nYear, nMonth, nDay, 0, 0, 0);
    for (POSITION pos = m_listItems.GetHeadPosition(); pos != NULL;)
    {
        CCalendarItem* pItem = static_cast<CCalendarItem*>(m_listItems.GetNext(pos));
        if (pItem->m_dtFrom == day && pItem->m_dtTo == day)
        {
            pItem->m_bWorking = bWorking;
            return;
        }
    }
    CCalendarItem* pItem = new CCalendarItem;
    pItem->m_dtFrom = day;
    pItem->m_dtTo = day;
    pItem->m_bWorking = bWorking;
    m_listItems.AddTail(pItem);
}

void CCalendarDlg::SetWeekdayEntry(int nWeekday, int bWorking)
{
    for (POSITION pos = m_listWeekdays.GetHeadPosition(); pos != NULL;)
    {
        CDayOfWeek* pDay = static_cast<CDayOfWeek*>(m_listWeekdays.GetNext(pos));
        if (pDay->m_nDay == nWeekday)
        {
            pDay->m_bWorking = bWorking;
            return;
        }
    }
    CDayOfWeek* pDay = new CDayOfWeek;
    pDay->m_nDay = nWeekday;
    pDay->m_bWorking = bWorking;
    m_listWeekdays.AddTail(pDay);
}

void CCalendarDlg::SetRadioState(int nState)
{
    CheckDlgButton(IDC_CAL_WORKDAY, nState == 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_CAL_RESTDAY, nState == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void CCalendarDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CAL_NAME_EDIT, m_strName);
}

BOOL CCalendarDlg::OnInitDialog()
{
    if (m_nCalID == 0 && m_listWeekdays.IsEmpty())
        for (int d = 0; d < 7; d++)
        {
            CDayOfWeek* pDay = new CDayOfWeek;
            pDay->m_nDay = d;
            pDay->m_bWorking = (m_nBaseID == -2 && (d == 0 || d == 6)) ? 0 : 1;
            m_listWeekdays.AddTail(pDay);
        }
    CDialog::OnInitDialog();
    m_strNameAtStart = m_strName;
    m_imageList.Create(IDB_CAL_LEGEND, 21, 1, RGB(100, 100, 0));
    CheckDlgButton(IDC_CAL_NAME_CHECK, BST_CHECKED);

    CComboBox* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_CAL_BASE_COMBO));
    int nIndex = pCombo->AddString("24小时");
    pCombo->SetItemData(nIndex, static_cast<DWORD_PTR>(-1));
    nIndex = pCombo->AddString("标准日历");
    pCombo->SetItemData(nIndex, static_cast<DWORD_PTR>(-2));

    CRect rcPlace;
    GetDlgItem(IDC_CAL_WINDOW_PLACE)->GetWindowRect(&rcPlace);
    ScreenToClient(&rcPlace);
    m_wndCalendar.Create(rcPlace, this, IDC_CALENDAR_WND);
    m_wndCalendar.ShowWindow(SW_SHOW);

    for (int i = 0; i < pCombo->GetCount(); i++)
        if (static_cast<int>(pCombo->GetItemData(i)) == m_nBaseID)
            pCombo->SetCurSel(i);
    return TRUE;
}

void CCalendarDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetDlgItem(IDC_CAL_LEGEND_PLACE)->GetWindowRect(&rc);
    ScreenToClient(&rc);
    CFont* pOldFont = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    CString strWork, strRest;
    strWork.LoadString(IDS_CAL_WORK_DAY);
    strRest.LoadString(IDS_CAL_REST_DAY);
    m_imageList.Draw(&dc, 1, CPoint(rc.left + 2, rc.top + 2), ILD_NORMAL);
    dc.TextOut(rc.left + 28, rc.top + 8, strWork);
    m_imageList.Draw(&dc, 0, CPoint(rc.left + 130, rc.top + 2), ILD_NORMAL);
    dc.TextOut(rc.left + 156, rc.top + 8, strRest);
    dc.SelectObject(pOldFont);
}

void CCalendarDlg::OnBaseChange()
{
    CComboBox* pCombo = static_cast<CComboBox*>(GetDlgItem(IDC_CAL_BASE_COMBO));
    const int nSel = pCombo->GetCurSel();
    if (nSel == CB_ERR)
        return;
    SetRadioState(2);
    m_nBaseID = static_cast<int>(pCombo->GetItemData(nSel));
    m_bChanged = 1;
    m_wndCalendar.FillMonth();
    m_wndCalendar.Invalidate(FALSE);
}

void CCalendarDlg::OnNameCheck()
{
    GetDlgItem(IDC_CAL_NAME_EDIT)->EnableWindow(IsDlgButtonChecked(IDC_CAL_NAME_CHECK) == BST_CHECKED);
}

void CCalendarDlg::OnWorkday()
{
    m_bChanged = 1;
    m_wndCalendar.SetSelectedKind(1);
    int nYear = 0, nMonth = 0, nWeekday = -1;
    CUIntArray days;
    if (!m_wndCalendar.GetSelection(nYear, nMonth, days, nWeekday))
        return;
    if (days.GetSize() > 0)
        for (int i = 0; i < days.GetSize(); i++)
            SetDateEntry(nYear, nMonth, static_cast<int>(days[i]), 1);
    else if (nWeekday != -1)
        SetWeekdayEntry(nWeekday, 1);
}

void CCalendarDlg::OnRestday()
{
    int nYear = 0, nMonth = 0, nWeekday = -1;
    CUIntArray days;
    if (!m_wndCalendar.GetSelection(nYear, nMonth, days, nWeekday))
        return;
    if (days.GetSize() > 0)
    {
        for (int i = 0; i < days.GetSize(); i++)
            SetDateEntry(nYear, nMonth, static_cast<int>(days[i]), 0);
        m_bChanged = 1;
        m_wndCalendar.SetSelectedKind(2);
        return;
    }
    if (nWeekday == -1)
        return;
    // A week keeps at least one working weekday, judged by what each weekday really is
    // (its entry, else the base calendar), so the working-day walks always find a day.
    BOOL bOtherWorking = FALSE;
    for (int d = 0; d < 7; d++)
        if (d != nWeekday && !IsRestWeekday(d))
            bOtherWorking = TRUE;
    if (!bOtherWorking)
    {
        MessageBox("在每一个星期中至少有一天是工作日!", "提示", MB_ICONINFORMATION);
        SetRadioState(0);
        return;
    }
    SetWeekdayEntry(nWeekday, 0);
    m_bChanged = 1;
    m_wndCalendar.SetSelectedKind(2);
}

void CCalendarDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (IsDlgButtonChecked(IDC_CAL_NAME_CHECK) != BST_CHECKED)
        m_strName.Empty();
    else if (m_strName != m_strNameAtStart)
        m_bChanged = 1;  // a new name alone is a change the caller must take
    EndDialog(IDOK);
}

void CCalendarDlg::InstallAsProjectCalendar()
{
    ProjectSetCalendarRunner([](CProjectDoc& doc, const CString& strCalName, CProjCalendarResult& result) -> INT_PTR {
        CCalendarDlg dlg(AfxGetMainWnd());
        dlg.SetCalendar(doc.m_listCalendarItems, doc.m_listDayOfWeek, strCalName, doc.m_nProjectID, doc.m_nCalID,
                        doc.m_nCalBaseID);
        const INT_PTR nResult = dlg.DoModal();
        if (nResult != IDOK)
            return nResult;
        result.bChanged = dlg.m_bChanged;
        if (dlg.m_bChanged)
            dlg.GetCalendar(result.listCalendarItems, result.listDayOfWeek, result.strCalName, result.nCalBaseID);
        return nResult;
    });
}
