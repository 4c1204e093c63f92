// The calendar dialog and its month window, driven through the test hooks inside the
// dialog's modal run.
#include <ClassLib/Testing.h>
#include <gtest/gtest.h>

#include <functional>

#include "CalendarDlg.h"
#include "DocDialogsResource.h"

namespace {

class CalendarDlgTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }
    void TearDown() override
    {
        for (POSITION pos = weekdays.GetHeadPosition(); pos != NULL;)
            delete weekdays.GetNext(pos);
        for (POSITION pos = items.GetHeadPosition(); pos != NULL;)
            delete items.GetNext(pos);
        CWndTestBase::TearDown();
    }

    void AddWeekday(int nDay, int bWorking)
    {
        CDayOfWeek* p = new CDayOfWeek;
        p->m_nDay = nDay;
        p->m_bWorking = bWorking;
        weekdays.AddTail(p);
    }

    // Runs the dialog with the test's calendar and a script; returns DoModal's result.
    INT_PTR Run(CCalendarDlg& dlg, int nCalID, int nBaseID, std::function<void(CCalendarDlg*)> script)
    {
        dlg.SetCalendar(items, weekdays, "项目日历", 7, nCalID, nBaseID);
        AfxTestPushModalScript([&](CWnd* pWnd) { script(static_cast<CCalendarDlg*>(pWnd)); });
        return dlg.DoModal();
    }

    static CPoint Centre(CCalendarWnd& wnd, int nRow, int nCol)
    {
        return wnd.GetCell(nRow, nCol)->m_rect.CenterPoint();
    }

    static void Click(CCalendarWnd& wnd, int nRow, int nCol)
    {
        AfxTestClick(&wnd, Centre(wnd, nRow, nCol));
    }

    static void Press(CCalendarDlg* pDlg, int nID)
    {
        pDlg->CheckDlgButton(nID, BST_CHECKED);
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)pDlg->GetDlgItem(nID)->GetSafeHwnd());
    }

    // The row and column of a day of the shown month.
    static bool FindDay(CCalendarWnd& wnd, int nDay, int& nRow, int& nCol)
    {
        for (int r = 1; r < 7; r++)
            for (int c = 0; c < 7; c++)
                if (!wnd.GetCell(r, c)->m_bEmpty && wnd.GetCell(r, c)->m_nDay == nDay)
                {
                    nRow = r;
                    nCol = c;
                    return true;
                }
        return false;
    }

    CTypedPtrList<CObList, CCalendarItem*> items;
    CTypedPtrList<CObList, CDayOfWeek*> weekdays;
};

TEST_F(CalendarDlgTest, NewCalendarGetsWeekdaysByTheBaseCalendar)
{
    for (int nBase : {-2, -1})
    {
        CCalendarDlg dlg;
        Run(dlg, 0, nBase, [](CCalendarDlg*) {});
        ASSERT_EQ(dlg.m_listWeekdays.GetCount(), 7);
        for (int d = 0; d < 7; d++)
            EXPECT_EQ(dlg.IsRestWeekday(d), nBase == -2 && (d == 0 || d == 6)) << nBase << " " << d;
    }
}

TEST_F(CalendarDlgTest, TheLastWorkingWeekdayCannotBecomeARestDay)
{
    // Only Monday works: Tuesday to Friday by their entries, the weekend by the base.
    AddWeekday(1, 1);
    for (int d = 2; d <= 5; d++)
        AddWeekday(d, 0);
    CTestMessageBoxes boxes;
    boxes.AnswerText("在每一个星期中至少有一天是工作日!", IDOK);
    CCalendarDlg dlg;
    Run(dlg, 3, -2, [&](CCalendarDlg* pDlg) {
        Click(pDlg->m_wndCalendar, 0, 0);  // the Monday heading
        EXPECT_EQ(pDlg->m_wndCalendar.m_nSelWeekday, 1);
        Press(pDlg, IDC_CAL_RESTDAY);
        EXPECT_EQ(pDlg->IsDlgButtonChecked(IDC_CAL_WORKDAY), (UINT)BST_CHECKED);
        EXPECT_EQ(pDlg->IsDlgButtonChecked(IDC_CAL_RESTDAY), (UINT)BST_UNCHECKED);
        EXPECT_FALSE(pDlg->IsRestWeekday(1));
        // Back to working is always allowed.
        Press(pDlg, IDC_CAL_WORKDAY);
        EXPECT_FALSE(pDlg->IsRestWeekday(1));
    });
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].caption, CString("提示"));
}

TEST_F(CalendarDlgTest, WeekdaysWithoutAnEntryCountByTheBaseCalendar)
{
    // A list holding Wednesday alone; the 24-hour base makes every other day working, so
    // Wednesday may rest.
    AddWeekday(3, 1);
    CTestMessageBoxes boxes;
    CCalendarDlg dlg;
    Run(dlg, 3, -1, [&](CCalendarDlg* pDlg) {
        Click(pDlg->m_wndCalendar, 0, 2);
        EXPECT_EQ(pDlg->m_wndCalendar.m_nSelWeekday, 3);
        Press(pDlg, IDC_CAL_RESTDAY);
        EXPECT_TRUE(pDlg->IsRestWeekday(3));
        EXPECT_EQ(pDlg->m_bChanged, 1);
    });
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(CalendarDlgTest, EveryWeekdayHeadingShowsWholeInsideTheWindow)
{
    CCalendarDlg dlg;
    Run(dlg, 0, -2, [&](CCalendarDlg* pDlg) {
        CCalendarWnd& wnd = pDlg->m_wndCalendar;
        CRect rcClient;
        wnd.GetClientRect(&rcClient);
        CClientDC dc(&wnd);
        CFont* pOld = dc.SelectObject(wnd.GetCellFont());
        for (int c = 0; c < 7; c++)
        {
            const CCalendarData* pCell = wnd.GetCell(0, c);
            const CSize size = dc.GetTextExtent(pCell->m_strText);
            EXPECT_LE(size.cx, pCell->m_rect.Width()) << c;
            EXPECT_LE(pCell->m_rect.right, rcClient.right) << c;
            // Each column starts where the one before it starts plus the text's width.
            if (c > 0)
            {
                EXPECT_GE(pCell->m_rect.left - wnd.GetCell(0, c - 1)->m_rect.left, size.cx) << c;
            }
        }
        dc.SelectObject(pOld);
        // Sunday is the last column, and a click on it finds it.
        EXPECT_EQ(wnd.GetCell(0, 6)->m_strText, CString("星期日"));
        EXPECT_EQ(wnd.HitTest(CPoint(wnd.GetCell(0, 6)->m_rect.right - 2, wnd.GetCell(0, 6)->m_rect.CenterPoint().y)),
                  wnd.GetCell(0, 6));
    });
}

TEST_F(CalendarDlgTest, WednesdayHeadingSelectsTheColumnAndReportsWeekdayThree)
{
    CCalendarDlg dlg;
    Run(dlg, 0, -2, [&](CCalendarDlg* pDlg) {
        CCalendarWnd& wnd = pDlg->m_wndCalendar;
        wnd.ShowMonth(2005, 1);
        Click(wnd, 0, 2);
        int nYear = 0, nMonth = 0, nWeekday = -1;
        CUIntArray days;
        EXPECT_TRUE(wnd.GetSelection(nYear, nMonth, days, nWeekday));
        EXPECT_EQ(nWeekday, 3);
        EXPECT_EQ(days.GetSize(), 0);  // a column reports its weekday, not its days
        for (int r = 1; r < 7; r++)
            EXPECT_TRUE(wnd.GetCell(r, 2)->m_bSelected) << r;
        EXPECT_FALSE(wnd.GetCell(1, 1)->m_bSelected);
        // Wednesday works by the standard base: the working button shows.
        EXPECT_EQ(pDlg->IsDlgButtonChecked(IDC_CAL_WORKDAY), (UINT)BST_CHECKED);
    });
}

TEST_F(CalendarDlgTest, AReversedDragSelectsTheSameRun)
{
    CCalendarDlg dlg;
    Run(dlg, 0, -2, [&](CCalendarDlg* pDlg) {
        CCalendarWnd& wnd = pDlg->m_wndCalendar;
        wnd.ShowMonth(2005, 3);
        int r3, c3, r28, c28;
        ASSERT_TRUE(FindDay(wnd, 3, r3, c3));
        ASSERT_TRUE(FindDay(wnd, 28, r28, c28));
        auto run = [&](int rFrom, int cFrom, int rTo, int cTo) {
            AfxTestDrag(&wnd, Centre(wnd, rFrom, cFrom), Centre(wnd, rTo, cTo));
            int nYear, nMonth, nWeekday;
            CUIntArray days;
            wnd.GetSelection(nYear, nMonth, days, nWeekday);
            std::vector<UINT> result;
            for (int i = 0; i < days.GetSize(); i++)
                result.push_back(days[i]);
            std::sort(result.begin(), result.end());
            return result;
        };
        std::vector<UINT> forward = run(r3, c3, r28, c28);
        std::vector<UINT> backward = run(r28, c28, r3, c3);
        ASSERT_EQ(forward.size(), 26u);
        EXPECT_EQ(forward.front(), 3u);
        EXPECT_EQ(forward.back(), 28u);
        EXPECT_EQ(forward, backward);
        // A drag tells the dialog nothing: both buttons are cleared.
        EXPECT_EQ(pDlg->IsDlgButtonChecked(IDC_CAL_WORKDAY), (UINT)BST_UNCHECKED);
        EXPECT_EQ(pDlg->IsDlgButtonChecked(IDC_CAL_RESTDAY), (UINT)BST_UNCHECKED);
    });
}

TEST_F(CalendarDlgTest, MarkingOneDayTwiceChangesOneItem)
{
    CCalendarDlg dlg;
    ASSERT_EQ(Run(dlg, 0, -2, [&](CCalendarDlg* pDlg) {
                  CCalendarWnd& wnd = pDlg->m_wndCalendar;
                  wnd.ShowMonth(2005, 3);
                  int r, c;
                  ASSERT_TRUE(FindDay(wnd, 5, r, c));  // a Saturday
                  Click(wnd, r, c);
                  EXPECT_EQ(pDlg->IsDlgButtonChecked(IDC_CAL_RESTDAY), (UINT)BST_CHECKED);
                  Press(pDlg, IDC_CAL_WORKDAY);
                  EXPECT_EQ(pDlg->GetDateKind(2005, 3, 5), 1);
                  Press(pDlg, IDC_CAL_RESTDAY);
                  EXPECT_EQ(pDlg->GetDateKind(2005, 3, 5), 2);
                  EXPECT_EQ(wnd.GetCell(r, c)->m_nKind, 2);
                  pDlg->SendMessage(WM_COMMAND, IDOK);
              }),
              IDOK);
    EXPECT_EQ(dlg.m_listItems.GetCount(), 1);
    EXPECT_EQ(dlg.m_bChanged, 1);
    CString strName;
    int nBase = 0;
    dlg.GetCalendar(items, weekdays, strName, nBase);
    ASSERT_EQ(items.GetCount(), 1);
    EXPECT_EQ(items.GetHead()->m_dtFrom, COleDateTime(2005, 3, 5, 0, 0, 0));
    EXPECT_EQ(items.GetHead()->m_dtTo, COleDateTime(2005, 3, 5, 0, 0, 0));
    EXPECT_EQ(items.GetHead()->m_bWorking, 0);
    EXPECT_EQ(strName, CString("项目日历"));
    EXPECT_EQ(nBase, -2);
}

TEST_F(CalendarDlgTest, MonthNavigationWrapsYearsAndTheMonthFillsSixRows)
{
    CCalendarDlg dlg;
    Run(dlg, 0, -2, [&](CCalendarDlg* pDlg) {
        CCalendarWnd& wnd = pDlg->m_wndCalendar;
        wnd.ShowMonth(2005, 1);
        pDlg->m_wndCalendar.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CAL_PREV, BN_CLICKED), 0);
        EXPECT_EQ(wnd.m_nYear, 2004);
        EXPECT_EQ(wnd.m_nMonth, 12);
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CAL_NEXT, BN_CLICKED), 0);
        EXPECT_EQ(wnd.m_nYear, 2005);
        EXPECT_EQ(wnd.m_nMonth, 1);

        // The month control's delta runs the other way and wraps the same.
        NMUPDOWN nm = {};
        nm.hdr.hwndFrom = wnd.GetDlgItem(IDC_CAL_MONTH_SPIN)->GetSafeHwnd();
        nm.hdr.idFrom = IDC_CAL_MONTH_SPIN;
        nm.hdr.code = UDN_DELTAPOS;
        nm.iDelta = 1;
        wnd.SendMessage(WM_NOTIFY, IDC_CAL_MONTH_SPIN, (LPARAM)&nm);
        EXPECT_EQ(wnd.m_nYear, 2004);
        EXPECT_EQ(wnd.m_nMonth, 12);

        // January 2006 starts on a Sunday and has 31 days: rows 1 to 6.
        wnd.ShowMonth(2006, 1);
        int r, c;
        ASSERT_TRUE(FindDay(wnd, 1, r, c));
        EXPECT_EQ(r, 1);
        EXPECT_EQ(c, 6);
        ASSERT_TRUE(FindDay(wnd, 31, r, c));
        EXPECT_EQ(r, 6);
        EXPECT_EQ(c, 1);

        // Years stay within what dates can be.
        wnd.ShowMonth(9999, 13);
        EXPECT_EQ(wnd.m_nYear, 9999);
        EXPECT_EQ(wnd.m_nMonth, 12);
    });
}

TEST_F(CalendarDlgTest, ChangingTheBaseRepaintsWithTheNewWeekdayRule)
{
    CCalendarDlg dlg;
    Run(dlg, 3, -2, [&](CCalendarDlg* pDlg) {
        CCalendarWnd& wnd = pDlg->m_wndCalendar;
        wnd.ShowMonth(2005, 3);
        int r, c;
        ASSERT_TRUE(FindDay(wnd, 6, r, c));  // a Sunday
        EXPECT_EQ(wnd.GetCell(r, c)->m_nKind, 2);
        CComboBox* pCombo = static_cast<CComboBox*>(pDlg->GetDlgItem(IDC_CAL_BASE_COMBO));
        for (int i = 0; i < pCombo->GetCount(); i++)
            if ((int)pCombo->GetItemData(i) == -1)
                pCombo->SetCurSel(i);
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CAL_BASE_COMBO, CBN_SELCHANGE), (LPARAM)pCombo->GetSafeHwnd());
        EXPECT_EQ(pDlg->m_nBaseID, -1);
        EXPECT_EQ(wnd.GetCell(r, c)->m_nKind, 1);
        EXPECT_EQ(pDlg->m_bChanged, 1);
    });
}

TEST_F(CalendarDlgTest, ANewNameAloneIsAChangeAndAnUncheckedNameIsEmpty)
{
    AddWeekday(0, 0);
    CCalendarDlg dlg;
    EXPECT_EQ(Run(dlg, 3, -2, [&](CCalendarDlg* pDlg) {
                  pDlg->SetDlgItemText(IDC_CAL_NAME_EDIT, "新日历");
                  AfxTestGrabWindow(pDlg, AfxTestOutputPath("calendar-dialog.png"));
                  pDlg->SendMessage(WM_COMMAND, IDOK);
              }),
              IDOK);
    EXPECT_EQ(dlg.m_bChanged, 1);
    EXPECT_EQ(dlg.m_strName, CString("新日历"));

    CCalendarDlg dlg2;
    EXPECT_EQ(Run(dlg2, 3, -2, [&](CCalendarDlg* pDlg) {
                  pDlg->CheckDlgButton(IDC_CAL_NAME_CHECK, BST_UNCHECKED);
                  pDlg->SendMessage(WM_COMMAND, IDOK);
              }),
              IDOK);
    EXPECT_TRUE(dlg2.m_strName.IsEmpty());
    EXPECT_EQ(dlg2.m_bChanged, 0);
}

}  // namespace

#include "ProjectDoc.h"
#include "ProjectDocIds.h"

namespace {

TEST_F(CalendarDlgTest, TheDocumentsCalendarCommandTakesTheDialogsCalendar)
{
    CCalendarDlg::InstallAsProjectCalendar();
    CProjectDoc doc;
    doc.m_nCalBaseID = -2;
    AfxTestPushModalScript([](CWnd* pWnd) {
        CCalendarDlg* pDlg = static_cast<CCalendarDlg*>(pWnd);
        CString strCaption;
        pDlg->GetWindowText(strCaption);
        EXPECT_EQ(strCaption, CString("日历设置"));
        // Saturday becomes a working weekday.
        AfxTestClick(&pDlg->m_wndCalendar, pDlg->m_wndCalendar.GetCell(0, 5)->m_rect.CenterPoint());
        pDlg->CheckDlgButton(IDC_CAL_WORKDAY, BST_CHECKED);
        pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CAL_WORKDAY, BN_CLICKED),
                          (LPARAM)pDlg->GetDlgItem(IDC_CAL_WORKDAY)->GetSafeHwnd());
        pDlg->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_TRUE(doc.OnCmdMsg(ID_CUSTOMIZE_CALENDAR, CN_COMMAND, NULL, NULL));
    EXPECT_EQ(doc.IsRestDay(6), 0);
    EXPECT_EQ(doc.IsRestDay(0), 1);
    EXPECT_EQ(doc.m_listDayOfWeek.GetCount(), 7);
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
