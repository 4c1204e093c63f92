// The general page of the task property sheet: name, duration in working days, start,
// finish and deadline, priority, milestone, description and the assigned resources. It keeps
// the dates and the duration consistent through its working-day calculator.
#pragma once

#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/CommonCtrls.h>
#include <ClassLib/Frames/PropertySheet.h>
#include <Tavrin/CalendarCal.h>
#include <Tavrin/ResInfo.h>

#include "CheckComboBox.h"
#include "MenuButton.h"

typedef CList<tagResInfo, tagResInfo&> CTaskResList;

class CTaskNormalPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CTaskNormalPage)

public:
    // The longest duration whose seconds still fit the task's 32-bit duration.
    enum { kMaxDurationDays = 24855 };

    CTaskNormalPage();
    virtual ~CTaskNormalPage();

    void SetResources(const CTaskResList& resources);
    void SetAssignees(int bDatesEditable, const CStringArray& arCodes);
    void SetCalendar(int nBaseID, const CObList& listFirst, const CObList& listSecond);
    void SetCalendarID(int nID);
    // 1 when a resource of the page's list has exactly this code.
    int IsResCodeUsed(CString strCode);
    // "name(code)", the text of a resource in the resource box.
    static CString ItemText(const tagResInfo& res);
    // The leading decimal number of a text ("5个工作日" gives 5).
    static int LeadingNumber(const CString& str);

    CCalendarCal m_CalendarCal;
    int m_bDatesEditable;
    CString m_strResource;
    int m_bAccepted;
    CStringArray m_arAssignees;
    CTaskResList m_lstResources;
    CSpinButtonCtrl m_spinPriority;
    CMenuButton m_btnNewRes;
    CButton m_chkMilestone;
    CDateTimeCtrl m_dtStart;
    CDateTimeCtrl m_dtDeadline;
    CDateTimeCtrl m_dtFinish;
    CButton m_chkEstimate;
    CEdit m_editDuration;
    CCheckComboBox m_cmbResource;
    CSpinButtonCtrl m_spinDuration;
    CString m_strDescription;
    int m_bEstimate;
    CString m_strName;
    COleDateTime m_dtDeadlineValue;
    COleDateTime m_dtStartValue;
    COleDateTime m_dtFinishValue;
    CString m_strDuration;
    int m_bMilestone;
    int m_nPriority;

    virtual BOOL OnInitDialog();
    virtual void OnOK();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Working days between start and finish, both included, less the rest days.
    int WorkingDays(const COleDateTime& dtStart, const COleDateTime& dtFinish) const;
    // The duration text for a day count, "?" appended when the estimate box is checked.
    CString DurationText(int nDays) const;
    // Shows the duration in the edit and the spin.
    void ShowDuration(int nDays);

    afx_msg void OnDeltaPosDuration(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEstimate();
    afx_msg void OnNewResource();
    afx_msg void OnFinishChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeadlineChange(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnStartChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
