// The calendar settings dialog: edits a copy of the project calendar (base calendar, dated
// working or rest days, working weekdays, name) around the month window.
#pragma once

#include <ClassLib/AfxWin.h>
#include <Tavrin/CalendarItem.h>
#include <Tavrin/DayOfWeek.h>

#include "CalendarWnd.h"

class CCalendarDlg : public CDialog
{
public:
    explicit CCalendarDlg(CWnd* pParent = NULL);
    ~CCalendarDlg() override;

    // Stores the name and ids and copies every item of both lists; before DoModal.
    void SetCalendar(CObList& listItems, CObList& listWeekdays, CString strName, int nProjID,
                     int nCalID, int nBaseID);
    // The name, the base id and copies of the dialog's items (the given lists are emptied
    // first: their objects belong to the caller); after IDOK.
    void GetCalendar(CObList& listItems, CObList& listWeekdays, CString& strName, int& nBaseID);

    // Installs the dialog as the project document's calendar editor.
    static void InstallAsProjectCalendar();

    // The kind of a date by the dialog's copies: 1 working, 2 rest.
    int GetDateKind(int nYear, int nMonth, int nDay) const;
    // TRUE when the weekday (0 Sunday .. 6 Saturday) is a rest day by its entry or the base.
    BOOL IsRestWeekday(int nWeekday) const;
    // The radio buttons: 0 working checked, 1 rest checked, 2 both cleared.
    void SetRadioState(int nState);

    // The dated entry of a day, and the entry of a weekday, made or changed.
    void SetDateEntry(int nYear, int nMonth, int nDay, int bWorking);
    void SetWeekdayEntry(int nWeekday, int bWorking);

    int m_bChanged;
    CString m_strName;
    int m_nProjID;
    int m_nCalID;
    int m_nBaseID;
    CObList m_listItems;     // CCalendarItem copies, owned
    CObList m_listWeekdays;  // CDayOfWeek copies, owned
    CCalendarWnd m_wndCalendar;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnPaint();
    void OnBaseChange();
    void OnNameCheck();
    void OnWorkday();
    void OnRestday();
    DECLARE_MESSAGE_MAP()

private:
    void FreeLists();
    CString m_strNameAtStart;
    CImageList m_imageList;
    CFont m_font;
};
