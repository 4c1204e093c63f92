// The general page: its opening values, the duration spin, the dates kept consistent with
// the duration through the calendar, the new-resource button and the resource dialog.
#include "ResourceDlg.h"
#include "TaskPropertyDlg.h"
#include "TaskResource.h"

#include <Tavrin/RefDoc.h>

#include <ClassLib/Gdi/PaintTarget.h>
#include <ClassLib/Testing.h>
#include <ClassLib/Testing/MessageBoxes.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>

namespace
{
class TaskNormalPageTest : public CWndTestBase
{
protected:
    CTaskPropertyDlg* pSheet = nullptr;
    CStringArray assignees;
    CObList noLinks, noList;
    int bDatesEditable = 1;
    int nDuration = 2 * 86400;

    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }

    // Runs a sheet with the standard calendar (Saturday and Sunday rest): start Monday
    // 2 March 2026, finish Tuesday 3 March, deadline Friday 6 March, two working days.
    void Run(std::function<void(CTaskNormalPage&)> body, const char* pszDuration = nullptr)
    {
        CTaskPropertyDlg sheet("任务信息");
        CTaskResList resources;
        tagResInfo a;
        a.strCode = "A";
        a.strName = "Alice";
        resources.AddTail(a);
        sheet.SetResources(resources);
        sheet.SetGeneral(bDatesEditable, "Task", "", assignees, noLinks, COleDateTime(2026, 3, 2, 0, 0, 0),
                         COleDateTime(2026, 3, 3, 0, 0, 0), COleDateTime(2026, 3, 6, 0, 0, 0), 3, nDuration, 0,
                         0);
        if (pszDuration)
            sheet.m_pageNormal.m_strDuration = pszDuration;
        sheet.SetCalendar(-2, noList, noList);
        AfxTestPushModalScript([&](CWnd*) { body(sheet.m_pageNormal); });
        sheet.DoModal();
    }

    static CString Text(CWnd& page, int nID)
    {
        CString str;
        page.GetDlgItem(nID)->GetWindowText(str);
        return str;
    }
    static COleDateTime Picker(CDateTimeCtrl& ctrl)
    {
        COleDateTime dt;
        ctrl.GetTime(dt);
        return COleDateTime(dt.GetYear(), dt.GetMonth(), dt.GetDay(), 0, 0, 0);
    }
    static void ChangeDate(CTaskNormalPage& page, CDateTimeCtrl& ctrl, const COleDateTime& dt)
    {
        ctrl.SetTime(dt);
        NMHDR hdr = {ctrl.GetSafeHwnd(), (UINT_PTR)ctrl.GetDlgCtrlID(), (UINT)DTN_DATETIMECHANGE};
        page.SendMessage(WM_NOTIFY, ctrl.GetDlgCtrlID(), (LPARAM)&hdr);
    }
    static void Spin(CTaskNormalPage& page, int nDelta)
    {
        NMUPDOWN nm;
        nm.hdr = {page.m_spinDuration.GetSafeHwnd(), (UINT_PTR)IDC_TASK_DURATION_SPIN, (UINT)UDN_DELTAPOS};
        nm.iPos = page.m_spinDuration.GetPos32();
        nm.iDelta = nDelta;
        page.SendMessage(WM_NOTIFY, IDC_TASK_DURATION_SPIN, (LPARAM)&nm);
        EXPECT_EQ(0, nm.iDelta);
    }
};
} // namespace

TEST_F(TaskNormalPageTest, EmptyDurationOpensAsOneEstimatedDay)
{
    Run([&](CTaskNormalPage& page) {
        EXPECT_STREQ("1个工作日?", Text(page, IDC_TASK_DURATION));
        EXPECT_EQ(1, page.m_spinDuration.GetPos32());
        EXPECT_EQ(BST_CHECKED, page.m_chkEstimate.GetCheck());
    }, "");
}

TEST_F(TaskNormalPageTest, SpinCountsDaysOverTheWholeField)
{
    Run([&](CTaskNormalPage& page) {
        EXPECT_EQ(2, page.m_spinDuration.GetPos32());
        int nLower = 0, nUpper = 0;
        page.m_spinDuration.GetRange32(nLower, nUpper);
        EXPECT_EQ(0, nLower);
        EXPECT_EQ(CTaskNormalPage::kMaxDurationDays, nUpper);
        Spin(page, 1);
        EXPECT_STREQ("3个工作日", Text(page, IDC_TASK_DURATION));
        EXPECT_EQ(COleDateTime(2026, 3, 4, 0, 0, 0), Picker(page.m_dtFinish));
        EXPECT_EQ(COleDateTime(2026, 3, 6, 0, 0, 0), Picker(page.m_dtDeadline));
        // 250 days stay 250 days; the finish passes the deadline, which follows.
        page.m_spinDuration.SetPos32(249);
        Spin(page, 1);
        EXPECT_STREQ("250个工作日", Text(page, IDC_TASK_DURATION));
        EXPECT_EQ(Picker(page.m_dtFinish), Picker(page.m_dtDeadline));
        page.m_spinDuration.SetPos32(0);
        Spin(page, -1);
        EXPECT_STREQ("0个工作日", Text(page, IDC_TASK_DURATION));
    });
}

TEST_F(TaskNormalPageTest, EstimateBoxAppendsAndRemovesTheMark)
{
    Run([&](CTaskNormalPage& page) {
        page.m_chkEstimate.SetCheck(BST_CHECKED);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TASK_ESTIMATE, BN_CLICKED), (LPARAM)page.m_chkEstimate.GetSafeHwnd());
        EXPECT_STREQ("2个工作日?", Text(page, IDC_TASK_DURATION));
        page.m_chkEstimate.SetCheck(BST_UNCHECKED);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TASK_ESTIMATE, BN_CLICKED), (LPARAM)page.m_chkEstimate.GetSafeHwnd());
        EXPECT_STREQ("2个工作日", Text(page, IDC_TASK_DURATION));
    });
}

TEST_F(TaskNormalPageTest, StartPastTheFinishKeepsTheDuration)
{
    Run([&](CTaskNormalPage& page) {
        ChangeDate(page, page.m_dtStart, COleDateTime(2026, 3, 10, 0, 0, 0));
        EXPECT_EQ(COleDateTime(2026, 3, 11, 0, 0, 0), Picker(page.m_dtFinish));
        EXPECT_EQ(COleDateTime(2026, 3, 11, 0, 0, 0), Picker(page.m_dtDeadline));
        EXPECT_STREQ("2个工作日", Text(page, IDC_TASK_DURATION));
    });
}

TEST_F(TaskNormalPageTest, EarlierStartLengthensTheDuration)
{
    Run([&](CTaskNormalPage& page) {
        ChangeDate(page, page.m_dtStart, COleDateTime(2026, 2, 26, 0, 0, 0));  // Thursday
        EXPECT_EQ(COleDateTime(2026, 3, 3, 0, 0, 0), Picker(page.m_dtFinish));
        EXPECT_STREQ("4个工作日", Text(page, IDC_TASK_DURATION));
        EXPECT_EQ(4, page.m_spinDuration.GetPos32());
    });
}

TEST_F(TaskNormalPageTest, StartOnARestDayMovesToTheNextWorkingDay)
{
    Run([&](CTaskNormalPage& page) {
        ChangeDate(page, page.m_dtStart, COleDateTime(2026, 2, 28, 0, 0, 0));  // Saturday
        EXPECT_EQ(COleDateTime(2026, 3, 2, 0, 0, 0), Picker(page.m_dtStart));
    });
}

TEST_F(TaskNormalPageTest, FinishBeforeTheStartMovesTheStartBack)
{
    Run([&](CTaskNormalPage& page) {
        ChangeDate(page, page.m_dtFinish, COleDateTime(2026, 2, 27, 0, 0, 0));  // Friday
        EXPECT_EQ(COleDateTime(2026, 2, 27, 0, 0, 0), Picker(page.m_dtFinish));
        EXPECT_EQ(COleDateTime(2026, 2, 26, 0, 0, 0), Picker(page.m_dtStart));
    });
}

TEST_F(TaskNormalPageTest, LaterFinishLengthensAndPushesTheDeadline)
{
    Run([&](CTaskNormalPage& page) {
        ChangeDate(page, page.m_dtFinish, COleDateTime(2026, 3, 9, 0, 0, 0));  // next Monday
        EXPECT_STREQ("6个工作日", Text(page, IDC_TASK_DURATION));
        EXPECT_EQ(COleDateTime(2026, 3, 9, 0, 0, 0), Picker(page.m_dtDeadline));
    });
}

TEST_F(TaskNormalPageTest, DeadlineBeforeTheFinishSnapsToIt)
{
    Run([&](CTaskNormalPage& page) {
        ChangeDate(page, page.m_dtDeadline, COleDateTime(2026, 3, 1, 0, 0, 0));
        EXPECT_EQ(COleDateTime(2026, 3, 3, 0, 0, 0), Picker(page.m_dtDeadline));
    });
}

TEST_F(TaskNormalPageTest, DatesLockedWhenNotEditable)
{
    bDatesEditable = 0;
    Run([&](CTaskNormalPage& page) {
        for (int nID : {IDC_TASK_DURATION, IDC_TASK_ESTIMATE, IDC_TASK_DURATION_SPIN, IDC_TASK_START,
                        IDC_TASK_FINISH, IDC_TASK_DEADLINE})
            EXPECT_FALSE(page.GetDlgItem(nID)->IsWindowEnabled()) << nID;
        for (int nID : {IDC_TASK_NAME, IDC_TASK_RESOURCES, IDC_TASK_PRIORITY, IDC_TASK_MILESTONE, IDC_TASK_DESC})
            EXPECT_TRUE(page.GetDlgItem(nID)->IsWindowEnabled()) << nID;
    });
}

TEST_F(TaskNormalPageTest, UnknownAssigneeIsNotChecked)
{
    assignees.Add("Z");
    assignees.Add("A");
    Run([&](CTaskNormalPage& page) {
        ASSERT_EQ(1, page.m_cmbResource.GetCount());
        EXPECT_EQ(1, page.m_cmbResource.GetCheck(0));
        EXPECT_STREQ("Alice(A)", page.m_cmbResource.GetCheckedText());
    });
}

TEST_F(TaskNormalPageTest, NewResourceIsAddedAndChecked)
{
    // The dialog answers OK at once (its own behaviour is tested on its own below).
    Run([&](CTaskNormalPage& page) {
        AfxTestPushModalResult(IDOK);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TASK_NEWRES, BN_CLICKED), (LPARAM)page.m_btnNewRes.GetSafeHwnd());
        ASSERT_EQ(2, page.m_lstResources.GetCount());
        EXPECT_EQ(1, page.m_lstResources.GetTail().nType);
        int nItem = page.m_cmbResource.FindStringExact(-1, "()");
        ASSERT_GE(nItem, 0);
        EXPECT_EQ(1, page.m_cmbResource.GetCheck(nItem));
        // Cancelled: nothing is added.
        AfxTestPushModalResult(IDCANCEL);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TASK_NEWRES, BN_CLICKED), (LPARAM)page.m_btnNewRes.GetSafeHwnd());
        EXPECT_EQ(2, page.m_lstResources.GetCount());
    });
}

TEST_F(TaskNormalPageTest, ResourceDialogChecksTheCode)
{
    CTestMessageBoxes boxes;
    boxes.AnswerText("此代号已存在!", IDOK);
    CTaskNormalPage owner;
    tagResInfo a;
    a.strCode = "A";
    owner.m_lstResources.AddTail(a);
    CResourceDlg dlg;
    dlg.SetOwner(&owner);
    AfxTestPushModalScript([&](CWnd* pDlg) {
        CString strCaption;
        pDlg->GetWindowText(strCaption);
        EXPECT_STREQ("增加资源", strCaption);
        CComboBox* pType = (CComboBox*)pDlg->GetDlgItem(IDC_RES_TYPE);
        ASSERT_EQ(4, pType->GetCount());
        CString str;
        pType->GetLBText(3, str);
        EXPECT_STREQ("其它", str);
        EXPECT_EQ(-1, pType->GetCurSel());
        // An empty code keeps the dialog open silently; a known code is refused.
        pDlg->SendMessage(WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(pDlg->GetSafeHwnd());
        pDlg->GetDlgItem(IDC_RES_CODE)->SetWindowText("A");
        pDlg->SendMessage(WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(pDlg->GetSafeHwnd());
        // A code differing in case only is new.
        pDlg->GetDlgItem(IDC_RES_CODE)->SetWindowText("a");
        pDlg->GetDlgItem(IDC_RES_NAME)->SetWindowText("Ann");
        pDlg->GetDlgItem(IDC_RES_RATE)->SetWindowText("25");
        pType->SetCurSel(1);
        AfxTestGrabWindow(pDlg, AfxTestOutputPath("ResourceDlg.png"));
        pDlg->SendMessage(WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, boxes.Count());
    tagResInfo res;
    dlg.GetResInfo(res);
    EXPECT_STREQ("a", res.strCode);
    EXPECT_STREQ("Ann", res.strName);
    EXPECT_EQ(2, res.nType);
    EXPECT_EQ(25, res.nCost);
}

TEST(ResourceDlgTest, NoTypeGivesPersonnelAndNoOwnerNoCheck)
{
    CResourceDlg dlg;
    dlg.m_strCode = "X";
    tagResInfo res;
    dlg.GetResInfo(res);
    EXPECT_EQ(1, res.nType);
    EXPECT_EQ(0, res.nID);
    EXPECT_EQ(1, res.bIsAdmin);
    EXPECT_EQ(1, res.bIsManager);
    EXPECT_EQ(0, res.bIsExt);
    dlg.m_strType = "材料";
    dlg.GetResInfo(res);
    EXPECT_EQ(3, res.nType);
}

TEST_F(TaskNormalPageTest, RateOutOfRangeKeepsTheDialogOpen)
{
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    CResourceDlg dlg;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        pDlg->GetDlgItem(IDC_RES_CODE)->SetWindowText("Q");
        pDlg->GetDlgItem(IDC_RES_RATE)->SetWindowText("100000001");
        pDlg->SendMessage(WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(pDlg->GetSafeHwnd());
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(1, boxes.Count());
}

TEST_F(TaskNormalPageTest, ThePagesShowTheTaskNameAndItsDocuments)
{
    CTaskPropertyDlg sheet("任务信息");
    CTaskResList resources;
    tagResInfo a;
    a.strCode = "A";
    a.strName = "Alice";
    resources.AddTail(a);
    sheet.SetResources(resources);
    assignees.Add("A");
    sheet.SetGeneral(1, "设计评审", "评审设计文档", assignees, noLinks, COleDateTime(2026, 3, 2, 0, 0, 0),
                     COleDateTime(2026, 3, 3, 0, 0, 0), COleDateTime(2026, 3, 6, 0, 0, 0), 3, 2 * 86400, 0, 0);
    CObList docs;
    CRefDoc* pDoc = new CRefDoc;
    pDoc->m_strDocName = "plan.doc";
    pDoc->m_strDocLocation = "C:\\docs\\plan.doc";
    docs.AddTail(pDoc);
    sheet.SetRefDocs(docs);
    delete pDoc;
    CStringArray types, names;
    CUIntArray ids;
    sheet.SetPredecessorData(types, names, ids);
    AfxTestPushModalScript([&](CWnd*) {
        const char* files[] = {"TaskGeneralPage.png", "TaskPredecessorPage.png", "TaskRefDocPage.png",
                               "TaskTargetDocPage.png"};
        // Pixels of text (or of its selection) in a page's picture within a rectangle of one
        // of its windows.
        auto ink = [&](const QImage& shot, CWnd* pWnd, CRect rc) {
            CRect rcSheet;
            sheet.GetWindowRect(&rcSheet);
            pWnd->ClientToScreen(&rc);
            rc.OffsetRect(-rcSheet.TopLeft());
            int n = 0;
            for (int y = std::max<int>(rc.top, 0); y < std::min<int>(rc.bottom, shot.height()); ++y)
                for (int x = std::max<int>(rc.left, 0); x < std::min<int>(rc.right, shot.width()); ++x) {
                    const QRgb px = shot.pixel(x, y);
                    n += std::min({qRed(px), qGreen(px), qBlue(px)}) < 160;
                }
            return n;
        };
        for (int i = 0; i < 4; i++)
        {
            sheet.SetActivePage(i);
            AfxPumpMessages();
            const CString strPath = AfxTestOutputPath(files[i]);
            ASSERT_TRUE(AfxTestGrabWindow(&sheet, strPath));
            const QImage shot(QString::fromLocal8Bit((LPCTSTR)strPath));
            ASSERT_FALSE(shot.isNull());
            if (i == 0)
            {
                // The name is written in its box.
                CWnd* pName = sheet.m_pageNormal.GetDlgItem(IDC_TASK_NAME);
                ASSERT_NE(nullptr, pName);
                CRect rc;
                pName->GetClientRect(&rc);
                rc.DeflateRect(2, 2);
                EXPECT_GT(ink(shot, pName, rc), 20);
            }
            else if (i == 2 || i == 3)
            {
                // The reference document's row shows its name; the target list has no row.
                CListCtrl& list = i == 2 ? sheet.m_pageRefDoc.m_listDocs : sheet.m_pageTargetDoc.m_listDocs;
                CRect rcClient, rcHeader;
                list.GetClientRect(&rcClient);
                list.GetHeaderCtrl()->GetWindowRect(&rcHeader);
                rcClient.top += rcHeader.Height() + 2;
                if (i == 2)
                {
                    ASSERT_EQ(1, list.GetItemCount());
                    CRect rcLabel;
                    ASSERT_TRUE(list.GetItemRect(0, &rcLabel, LVIR_LABEL));
                    EXPECT_GT(ink(shot, &list, rcLabel), 15);
                    rcClient.top = rcLabel.bottom + 2;
                }
                EXPECT_EQ(0, ink(shot, &list, rcClient)) << files[i];
            }
        }
        CString str;
        sheet.GetPage(0)->GetWindowText(str);
        EXPECT_EQ(4, sheet.GetPageCount());
        EXPECT_STREQ(" 常  规 ", sheet.m_pageNormal.GetPageTitle());
        EXPECT_STREQ(" 前置任务 ", sheet.m_pagePreTask.GetPageTitle());
        EXPECT_STREQ(" 参考文档 ", sheet.m_pageRefDoc.GetPageTitle());
        EXPECT_STREQ(" 目标文档 ", sheet.m_pageTargetDoc.GetPageTitle());
        EXPECT_STREQ("  高  级  ", sheet.m_pageAdv.GetPageTitle());
    });
    sheet.DoModal();
}

namespace
{
// The text of a picture of the page within a logical rectangle of one of its windows (k
// picture pixels per logical pixel), black on the rectangle's background (its first pixel):
// how much of it is covered (a pixel of the background counts 0, a black one 1, those between
// in proportion, as smoothing shades them) and the size of the box around what is covered.
struct Ink
{
    double coverage = 0;
    CSize box;
};

Ink InkOf(const QImage& shot, int k, CWnd& page, CWnd* pWnd, CRect rc)
{
    pWnd->ClientToScreen(&rc);
    page.ScreenToClient(&rc);
    const int background = qGray(shot.pixel(rc.left * k, rc.top * k));
    Ink ink;
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = rc.top * k; y < rc.bottom * k; ++y)
        for (int x = rc.left * k; x < rc.right * k; ++x)
        {
            const int dark = background - qGray(shot.pixel(x, y));
            if (dark <= background / 4)
                continue;
            ink.coverage += std::min(1.0, dark / double(background));
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
        }
    if (right >= 0)
        ink.box = CSize(right - left + 1, bottom - top + 1);
    return ink;
}
} // namespace

TEST_F(TaskNormalPageTest, LabelsDatesAndFieldsShowTheSameTextAlike)
{
    Run([&](CTaskNormalPage& page) {
        CWnd* pLabel = nullptr;
        for (CWnd* p = page.GetWindow(GW_CHILD); p != nullptr && pLabel == nullptr; p = p->GetWindow(GW_HWNDNEXT))
        {
            CString str;
            p->GetWindowText(str);
            if (str == "工期")
                pLabel = p;
        }
        ASSERT_NE(nullptr, pLabel);
        CWnd* pName = page.GetDlgItem(IDC_TASK_NAME);
        CWnd* pStart = page.GetDlgItem(IDC_TASK_START);
        ASSERT_TRUE(pName && pStart);
        pName->SetWindowText("工期");
        // Neither caret nor selection in the fields.
        page.GetParent()->GetDlgItem(IDCANCEL)->SetFocus();
        AfxPumpMessages();
        int k = 1;
        {
            CClientDC dc(&page);
            k = AfxPixelRatioOf(&dc);
        }
        const CString path = AfxTestOutputPath("TaskGeneralTexts.png");
        ASSERT_TRUE(AfxTestGrabWindow(&page, path));
        const QImage shot(QString::fromLocal8Bit((LPCTSTR)path));
        ASSERT_FALSE(shot.isNull());
        // The date's text box (without the picker's button), and the fields inside their frames.
        QWidget* pDateBox = AfxGetWidget(pStart->GetSafeHwnd())->findChild<QLineEdit*>();
        ASSERT_NE(nullptr, pDateBox);
        const QPoint at = pDateBox->mapTo(AfxGetWidget(pStart->GetSafeHwnd()), QPoint(0, 0));
        const CRect rcDate(at.x(), at.y(), at.x() + pDateBox->width(), at.y() + pDateBox->height());
        CRect rcLabel, rcName;
        pLabel->GetClientRect(&rcLabel);
        pName->GetClientRect(&rcName);
        rcName.DeflateRect(3, 3);
        const Ink label = InkOf(shot, k, page, pLabel, rcLabel);
        const Ink name = InkOf(shot, k, page, pName, rcName);
        const Ink date = InkOf(shot, k, page, pStart, rcDate);
        ASSERT_GT(label.coverage, 20.0 * k);
        // The same glyphs: as tall and as wide, and as much covered (strokes as thick).
        EXPECT_LE(std::abs(label.box.cy - name.box.cy), 1) << label.box.cy << " " << name.box.cy;
        EXPECT_LE(std::abs(label.box.cx - name.box.cx), 1) << label.box.cx << " " << name.box.cx;
        EXPECT_LE(std::abs(label.coverage - name.coverage), label.coverage / 10)
            << label.coverage << " " << name.coverage;
        // The date's text, typed into the name field, shows there as in the picker.
        pName->SetWindowText("2026年3月2日");
        AfxPumpMessages();
        ASSERT_TRUE(AfxTestGrabWindow(&page, path));
        const QImage again(QString::fromLocal8Bit((LPCTSTR)path));
        const Ink typed = InkOf(again, k, page, pName, rcName);
        ASSERT_GT(date.coverage, 20.0 * k);
        EXPECT_LE(std::abs(date.box.cy - typed.box.cy), 1) << date.box.cy << " " << typed.box.cy;
        EXPECT_LE(std::abs(date.box.cx - typed.box.cx), 1) << date.box.cx << " " << typed.box.cx;
        EXPECT_LE(std::abs(date.coverage - typed.coverage), date.coverage / 10)
            << date.coverage << " " << typed.coverage;
    });
}
