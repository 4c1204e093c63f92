// The project property sheet: its kinds and pages, the base page's wizard checks, the
// finish page, the Enter rule (with the wizard's checks kept on that road), and a new
// project published to the loopback server through the document and the wizard.
#include <ClassLib/Testing.h>
#include <gtest/gtest.h>

#include <ClassLib/Testing/DrawLog.h>

#include "ProjDialogsResource.h"
#include "ProjResPage.h"
#include "ProjRolePage.h"
#include "ProjSheet.h"
#include "ProjectDocAppTest.h"
#include "ProjectDocIds.h"

namespace {

class ProjSheetTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }
};

CString TabText(CPropertySheet* pSheet, int i)
{
    return pSheet->GetPage(i)->GetPageTitle();
}

void FillValidBase(CProjBaseProp* pBase)
{
    pBase->SetDlgItemText(IDC_PROJ_NAME, "跨江大桥");
    pBase->SetDlgItemText(IDC_PROJ_GOAL, "按期通车");
    pBase->SetDlgItemText(IDC_PROJ_BUDGET, "3000");
}

TEST_F(ProjSheetTest, KindZeroIsTheBasePageAloneWithoutApply)
{
    CProjSheet sheet("新建项目", 0);
    EXPECT_EQ(sheet.GetPageCount(), 1);
    EXPECT_EQ(sheet.m_psh.dwFlags & PSH_NOAPPLYNOW, (DWORD)PSH_NOAPPLYNOW);
    EXPECT_EQ(sheet.m_psh.dwFlags & PSH_WIZARD97, 0u);
    EXPECT_EQ(sheet.m_pBaseProp->GetTemplateID(), (UINT)IDD_PROJ_BASE);
    ASSERT_NE(sheet.m_pResPage, nullptr);
    ASSERT_NE(sheet.m_pRolePage, nullptr);
    bool bApply = true;
    CString strTab;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CWnd* pApply = pWnd->GetDlgItem(ID_APPLY_NOW);
        bApply = pApply != nullptr && pApply->IsWindowVisible();
        strTab = TabText(&sheet, 0);
        AfxTestGrabWindow(pWnd, AfxTestOutputPath("proj-sheet-kind0.png"));
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(bApply);
    EXPECT_EQ(strTab, CString("基本信息"));
}

TEST_F(ProjSheetTest, KindOneShowsThreeTabsInOrder)
{
    CProjSheet sheet("项目信息", 1);
    ASSERT_EQ(sheet.GetPageCount(), 3);
    EXPECT_EQ(sheet.GetPage(0), sheet.m_pBaseProp);
    EXPECT_EQ(sheet.GetPage(1), sheet.m_pResPage);
    EXPECT_EQ(sheet.GetPage(2), sheet.m_pRolePage);
    EXPECT_EQ(sheet.m_pResPage->GetTemplateID(), (UINT)IDD_PROJ_RES);
    EXPECT_EQ(sheet.m_pRolePage->m_nTemplateID, IDD_PROJ_ROLE);
    std::vector<CString> tabs;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        for (int i = 0; i < 3; ++i)
            tabs.push_back(TabText(&sheet, i));
        ASSERT_NE(sheet.GetTabControl(), nullptr);
        EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 3);
        AfxTestGrabWindow(pWnd, AfxTestOutputPath("proj-sheet-kind1-base.png"));
    });
    sheet.DoModal();
    EXPECT_EQ(tabs, (std::vector<CString>{"基本信息", " 资源管理 ", " 权限设置 "}));
}

TEST_F(ProjSheetTest, SetTypeGivesThePreviousKindAndKeepsThePages)
{
    CProjSheet sheet("项目信息", 1);
    EXPECT_EQ(sheet.SetType(2), 1);
    EXPECT_EQ(sheet.m_nType, 2);
    EXPECT_EQ(sheet.GetPageCount(), 3);
    EXPECT_EQ(sheet.SetType(0), 2);
}

TEST_F(ProjSheetTest, TheBasePageHoldsTheCallersValues)
{
    CProjSheet sheet("项目信息", 1);
    sheet.m_pBaseProp->m_strName = "桥";
    sheet.m_pBaseProp->m_strGoal = "一\r\n二";
    sheet.m_pBaseProp->m_strBudget = "1200";
    sheet.m_pBaseProp->m_dtStart = COleDateTime(2026, 3, 2, 0, 0, 0);
    sheet.m_pBaseProp->m_dtFinish = COleDateTime(2026, 4, 30, 0, 0, 0);
    sheet.m_pBaseProp->m_dtDeadline = COleDateTime(2026, 5, 15, 0, 0, 0);
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CProjBaseProp* pBase = sheet.m_pBaseProp;
        CString s;
        pBase->GetDlgItemText(IDC_PROJ_NAME, s);
        EXPECT_EQ(s, CString("桥"));
        pBase->GetDlgItemText(IDC_PROJ_BUDGET, s);
        EXPECT_EQ(s, CString("1200"));
        pBase->SetDlgItemText(IDC_PROJ_NAME, "新桥");
        static_cast<CPropertySheet*>(pWnd)->PressButton(PSBTN_OK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.m_pBaseProp->m_strName, CString("新桥"));
    EXPECT_EQ(sheet.m_pBaseProp->m_strGoal, CString("一\r\n二"));
    EXPECT_EQ(sheet.m_pBaseProp->m_dtDeadline, COleDateTime(2026, 5, 15, 0, 0, 0));
    EXPECT_EQ(sheet.m_pBaseProp->m_dtFinish, COleDateTime(2026, 4, 30, 0, 0, 0));
}

TEST_F(ProjSheetTest, KindOneAcceptsWhateverTheBasePageHolds)
{
    CProjSheet sheet("项目信息", 1);
    sheet.m_pBaseProp->m_dtStart = COleDateTime(2026, 5, 1, 0, 0, 0);
    sheet.m_pBaseProp->m_dtFinish = COleDateTime(2026, 4, 1, 0, 0, 0);
    CTestMessageBoxes boxes;
    AfxTestPushModalScript([&](CWnd* pWnd) { static_cast<CPropertySheet*>(pWnd)->PressButton(PSBTN_OK); });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(boxes.Count(), 0);
}

// The wizard as the publish commands run it.
class ProjWizardTest : public ProjSheetTest
{
protected:
    void SetUp() override
    {
        ProjSheetTest::SetUp();
        ASSERT_TRUE(bmp.LoadBitmap(IDB_PROJ_WIZARD_HEADER));
        pSheet.reset(new CProjSheet("项目发布", 2, NULL, 0, (HBITMAP)bmp.GetSafeHandle(), NULL,
                                    (HBITMAP)bmp.GetSafeHandle()));
        pSheet->SetWizardMode();
    }
    CBitmap bmp;
    std::unique_ptr<CProjSheet> pSheet;
};

TEST_F(ProjWizardTest, PagesTemplatesAndFlags)
{
    CProjSheet& sheet = *pSheet;
    ASSERT_EQ(sheet.GetPageCount(), 4);
    EXPECT_EQ(sheet.GetPage(3), &sheet.m_FinishPage);
    EXPECT_EQ(sheet.m_pBaseProp->GetTemplateID(), (UINT)IDD_PROJ_BASE_WIZARD);
    EXPECT_EQ(sheet.m_pResPage->GetTemplateID(), (UINT)IDD_PROJ_RES_WIZARD);
    EXPECT_EQ(sheet.m_pRolePage->m_nTemplateID, IDD_PROJ_ROLE_WIZARD);
    EXPECT_EQ(sheet.m_FinishPage.GetTemplateID(), (UINT)IDD_PROJ_PUBLISH_FINISH);
    EXPECT_EQ(sheet.m_psh.dwFlags & (PSH_WIZARD97 | PSH_NOAPPLYNOW), (DWORD)(PSH_WIZARD97 | PSH_NOAPPLYNOW));
    EXPECT_TRUE(sheet.IsWizard());
}

TEST_F(ProjWizardTest, EveryHeaderTitleAndSubtitleShowsWhole)
{
    CProjSheet& sheet = *pSheet;
    std::string cut;
    int nPages = 0;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pPs = static_cast<CPropertySheet*>(pWnd);
        for (int nPage = 0; nPage < pPs->GetPageCount(); nPage++)
        {
            pPs->SetActivePage(nPage);
            CDrawRecorder rec(pWnd);
            pWnd->Invalidate();
            pWnd->UpdateWindow();
            AfxPumpMessages();
            CPropertyPage* pPage = pPs->GetActivePage();
            if (!(pPage->m_psp.dwFlags & PSP_USEHEADERSUBTITLE))
                continue;
            nPages++;
            CClientDC dc(pWnd);
            for (LPCTSTR psz : {pPage->m_psp.pszHeaderTitle, pPage->m_psp.pszHeaderSubTitle})
            {
                const AfxDrawOp* pOp = psz ? rec.FindText(psz) : nullptr;
                if (!pOp)
                {
                    cut += std::string("not drawn: ") + (psz ? psz : "") + "\n";
                    continue;
                }
                // In the font it was drawn with, wrapped to the width it had: no taller.
                CFont font;
                font.CreateFontIndirect(&pOp->font);
                CFont* pOld = dc.SelectObject(&font);
                CRect rcNeed(0, 0, pOp->rect.Width(), 0);
                dc.DrawText(pOp->text, &rcNeed, (pOp->flags | DT_CALCRECT) & ~DT_END_ELLIPSIS);
                dc.SelectObject(pOld);
                if (rcNeed.Height() > pOp->rect.Height() || rcNeed.Width() > pOp->rect.Width())
                    cut += std::string((LPCTSTR)pOp->text) + ": " + std::to_string(rcNeed.Height()) + " high in " +
                           std::to_string(pOp->rect.Height()) + "\n";
            }
        }
        pPs->PressButton(PSBTN_CANCEL);
    });
    sheet.DoModal();
    EXPECT_GE(nPages, 2);
    EXPECT_EQ(cut, "");
}

TEST_F(ProjWizardTest, TheDateMessageComesFirstAndKeepsTheFirstPage)
{
    CProjSheet& sheet = *pSheet;
    sheet.m_pBaseProp->m_dtStart = COleDateTime(2026, 5, 2, 0, 0, 0);
    sheet.m_pBaseProp->m_dtFinish = COleDateTime(2026, 5, 1, 0, 0, 0);
    CTestMessageBoxes boxes;
    boxes.AnswerText("项目完成日期不能早于项目开始日期!", IDOK);
    boxes.AnswerText("项目名称不能为空!", IDOK);
    boxes.AnswerText("项目描述不能为空!", IDOK);
    boxes.AnswerText("项目预算不能为空!", IDOK);
    std::vector<int> pages;
    std::vector<UINT> focus;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pPs = static_cast<CPropertySheet*>(pWnd);
        CProjBaseProp* pBase = sheet.m_pBaseProp;
        AfxTestGrabWindow(pWnd, AfxTestOutputPath("proj-wizard-base.png"));
        pPs->PressButton(PSBTN_NEXT);
        pages.push_back(pPs->GetActiveIndex());
        CDateTimeCtrl* pFinish = static_cast<CDateTimeCtrl*>(pBase->GetDlgItem(IDC_PROJ_FINISH));
        pFinish->SetTime(COleDateTime(2026, 6, 1, 0, 0, 0));
        auto next = [&] {
            pPs->PressButton(PSBTN_NEXT);
            pages.push_back(pPs->GetActiveIndex());
            CWnd* pFocus = CWnd::GetFocus();
            focus.push_back(pFocus != nullptr ? (UINT)pFocus->GetDlgCtrlID() : 0u);
        };
        next();
        pBase->SetDlgItemText(IDC_PROJ_NAME, "桥");
        next();
        pBase->SetDlgItemText(IDC_PROJ_GOAL, "通车");
        next();
        pBase->SetDlgItemText(IDC_PROJ_BUDGET, "10");
        next();
    });
    sheet.DoModal();
    EXPECT_EQ(pages, (std::vector<int>{0, 0, 0, 0, 1}));
    EXPECT_EQ(focus[0], (UINT)IDC_PROJ_NAME);
    EXPECT_EQ(focus[1], (UINT)IDC_PROJ_GOAL);
    EXPECT_EQ(focus[2], (UINT)IDC_PROJ_BUDGET);
    ASSERT_EQ(boxes.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(boxes.Boxes()[i].type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
}

TEST_F(ProjWizardTest, NextSetsTheDeadlineToTheFinishAndTheFinishPageShowsBackAndPublishNow)
{
    CProjSheet& sheet = *pSheet;
    sheet.m_pBaseProp->m_dtStart = COleDateTime(2026, 3, 1, 0, 0, 0);
    sheet.m_pBaseProp->m_dtFinish = COleDateTime(2026, 4, 1, 0, 0, 0);
    sheet.m_pBaseProp->m_dtDeadline = COleDateTime(2027, 1, 1, 0, 0, 0);
    CString strFinishText;
    BOOL bBackVisible = FALSE, bBackEnabled = FALSE, bFinishVisible = FALSE;
    DWORD dwButtonsOnBase = 0, dwButtonsOnRes = 0, dwButtonsOnRole = 0;
    UINT nFocusOnRole = 0;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pPs = static_cast<CPropertySheet*>(pWnd);
        dwButtonsOnBase = pPs->GetWizardButtons();
        FillValidBase(sheet.m_pBaseProp);
        pPs->PressButton(PSBTN_NEXT);
        dwButtonsOnRes = pPs->GetWizardButtons();
        AfxTestGrabWindow(pWnd, AfxTestOutputPath("proj-wizard-resources.png"));
        pPs->PressButton(PSBTN_NEXT);
        dwButtonsOnRole = pPs->GetWizardButtons();
        CWnd* pFocus = CWnd::GetFocus();
        nFocusOnRole = pFocus != nullptr ? pFocus->GetDlgCtrlID() : 0;
        AfxTestGrabWindow(pWnd, AfxTestOutputPath("proj-wizard-permissions.png"));
        pPs->PressButton(PSBTN_NEXT);
        EXPECT_EQ(pPs->GetActiveIndex(), 3);
        CWnd* pBack = pWnd->GetDlgItem(ID_WIZBACK);
        bBackVisible = pBack->IsWindowVisible();
        bBackEnabled = pBack->IsWindowEnabled();
        CWnd* pFinish = pWnd->GetDlgItem(ID_WIZFINISH);
        bFinishVisible = pFinish->IsWindowVisible();
        pFinish->GetWindowText(strFinishText);
        AfxTestGrabWindow(pWnd, AfxTestOutputPath("proj-wizard-finish.png"));
        pPs->PressButton(PSBTN_FINISH);
    });
    EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
    EXPECT_EQ(sheet.m_pBaseProp->m_dtDeadline, COleDateTime(2026, 4, 1, 0, 0, 0));
    EXPECT_EQ(sheet.m_pBaseProp->m_strName, CString("跨江大桥"));
    EXPECT_EQ(dwButtonsOnBase, (DWORD)PSWIZB_NEXT);
    EXPECT_EQ(dwButtonsOnRes, (DWORD)(PSWIZB_BACK | PSWIZB_NEXT));
    EXPECT_EQ(dwButtonsOnRole, (DWORD)(PSWIZB_BACK | PSWIZB_NEXT));
    EXPECT_EQ(nFocusOnRole, (UINT)IDC_PROJ_PAGE_LIST);
    EXPECT_EQ(strFinishText, CString("立即发布"));
    EXPECT_TRUE(bBackVisible);
    EXPECT_TRUE(bBackEnabled);
    EXPECT_TRUE(bFinishVisible);
}

// --- the Enter rule

void PressEnterIn(CWnd* pWnd)
{
    AfxTestFocus(pWnd);
    AfxTestKey(pWnd, VK_RETURN);
}

TEST_F(ProjSheetTest, EnterInTheGoalBoxMakesANewLine)
{
    CProjSheet sheet("项目信息", 1);
    sheet.m_pBaseProp->m_strName = "桥";
    bool bOpen = false;
    CString strGoal;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CWnd* pGoal = sheet.m_pBaseProp->GetDlgItem(IDC_PROJ_GOAL);
        AfxTestFocus(pGoal);
        AfxTestTypeText(pGoal, "ab");
        AfxTestKey(pGoal, VK_RETURN);
        AfxTestTypeText(pGoal, "cd");
        bOpen = ::IsWindow(pWnd->GetSafeHwnd()) != FALSE;
        pGoal->GetWindowText(strGoal);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(bOpen);
    EXPECT_EQ(strGoal, CString("ab\r\ncd"));
}

TEST_F(ProjSheetTest, EnterWithAnEmptyNameDoesNothingAndWithANameCloses)
{
    for (int nKind : {0, 1}) {
        CProjSheet sheet("项目信息", nKind);
        bool bOpen = false;
        AfxTestPushModalScript([&](CWnd* pWnd) {
            CWnd* pBudget = sheet.m_pBaseProp->GetDlgItem(IDC_PROJ_BUDGET);
            PressEnterIn(pBudget);
            bOpen = ::IsWindow(pWnd->GetSafeHwnd()) != FALSE;
            sheet.m_pBaseProp->SetDlgItemText(IDC_PROJ_NAME, "桥");
            PressEnterIn(pBudget);
        });
        EXPECT_EQ(sheet.DoModal(), IDOK) << nKind;
        EXPECT_TRUE(bOpen) << nKind;
        EXPECT_EQ(sheet.m_pBaseProp->m_strName, CString("桥"));
    }
}

TEST_F(ProjSheetTest, EnterOnThePermissionPageClosesTheInformationSheet)
{
    CProjSheet sheet("项目信息", 1);
    sheet.m_pBaseProp->m_strName = "桥";
    sheet.m_pBaseProp->m_dtStart = COleDateTime(2026, 5, 2, 0, 0, 0);
    sheet.m_pBaseProp->m_dtFinish = COleDateTime(2026, 5, 1, 0, 0, 0);
    AfxTestPushModalScript([&](CWnd* pWnd) {
        static_cast<CPropertySheet*>(pWnd)->SetActivePage(2);
        PressEnterIn(&sheet.m_pRolePage->m_listRole);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(ProjWizardTest, EnterNeverFinishesTheWizardPastAFailedCheck)
{
    CProjSheet& sheet = *pSheet;
    sheet.m_pBaseProp->m_strName = "桥";
    sheet.m_pBaseProp->m_strGoal = "通车";
    sheet.m_pBaseProp->m_strBudget = "10";
    sheet.m_pBaseProp->m_dtStart = COleDateTime(2026, 5, 2, 0, 0, 0);
    sheet.m_pBaseProp->m_dtFinish = COleDateTime(2026, 5, 1, 0, 0, 0);
    CTestMessageBoxes boxes;
    boxes.AnswerText("项目完成日期不能早于项目开始日期!", IDOK);
    bool bOpen = false;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        PressEnterIn(sheet.m_pBaseProp->GetDlgItem(IDC_PROJ_BUDGET));
        bOpen = ::IsWindow(pWnd->GetSafeHwnd()) != FALSE;
        EXPECT_EQ(static_cast<CPropertySheet*>(pWnd)->GetActiveIndex(), 0);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(bOpen);
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(ProjWizardTest, EnterFromALaterPageGoesBackToTheFaultyBasePage)
{
    CProjSheet& sheet = *pSheet;
    CTestMessageBoxes boxes;
    boxes.AnswerText("项目描述不能为空!", IDOK);
    int nPageAfter = -1;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pPs = static_cast<CPropertySheet*>(pWnd);
        FillValidBase(sheet.m_pBaseProp);
        pPs->PressButton(PSBTN_NEXT);
        pPs->PressButton(PSBTN_NEXT);
        ASSERT_EQ(pPs->GetActiveIndex(), 2);
        // The goal is emptied behind the wizard's back.
        sheet.m_pBaseProp->SetDlgItemText(IDC_PROJ_GOAL, "");
        PressEnterIn(&sheet.m_pRolePage->m_listRole);
        nPageAfter = pPs->GetActiveIndex();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(nPageAfter, 0);
    EXPECT_EQ(boxes.Count(), 1);
}

TEST_F(ProjWizardTest, EnterWithEveryCheckPassedEndsTheWizardWithOk)
{
    CProjSheet& sheet = *pSheet;
    sheet.m_pBaseProp->m_dtFinish = COleDateTime(2030, 1, 1, 0, 0, 0);
    AfxTestPushModalScript([&](CWnd*) {
        FillValidBase(sheet.m_pBaseProp);
        PressEnterIn(sheet.m_pBaseProp->GetDlgItem(IDC_PROJ_NAME));
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.m_pBaseProp->m_strBudget, CString("3000"));
    EXPECT_EQ(sheet.m_pBaseProp->m_dtDeadline, COleDateTime(2030, 1, 1, 0, 0, 0));
}

// --- through the document

class ProjSheetDocTest : public ProjectDocAppTest
{
};

TEST_F(ProjSheetDocTest, TheWizardPublishesANewProjectOnTheServer)
{
    CProjSheet::InstallAsProjectSheet();
    CProjectDoc* pShell = ShellDocument(1);
    // The new local project: named in the kind-0 sheet.
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CProjSheet* pSheet = static_cast<CProjSheet*>(pWnd);
        EXPECT_EQ(pSheet->m_nType, 0);
        pSheet->m_pBaseProp->SetDlgItemText(IDC_PROJ_NAME, "新厂区");
        pSheet->PressButton(PSBTN_OK);
    });
    pShell->FileNew();
    AfxPumpMessages();
    CProjectDoc* pDoc = nullptr;
    POSITION pos = pTemplate->GetFirstDocPosition();
    while (pos != NULL)
        pDoc = dynamic_cast<CProjectDoc*>(pTemplate->GetNextDoc(pos));
    ASSERT_NE(pDoc, nullptr);
    ASSERT_EQ(pDoc->m_ProjectInfo.m_strName, CString("新厂区"));
    pDoc->m_strLoginName = "u1";

    const int nBefore = server.ProjectCount();
    std::vector<CString> rolePageRows;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CProjSheet* pSheet = static_cast<CProjSheet*>(pWnd);
        EXPECT_EQ(pSheet->m_nType, 2);
        CString strName;
        pSheet->m_pBaseProp->GetDlgItemText(IDC_PROJ_NAME, strName);
        EXPECT_EQ(strName, CString("新厂区"));
        pSheet->m_pBaseProp->SetDlgItemText(IDC_PROJ_GOAL, "投产");
        pSheet->m_pBaseProp->SetDlgItemText(IDC_PROJ_BUDGET, "5000");
        pSheet->PressButton(PSBTN_NEXT);
        pSheet->PressButton(PSBTN_NEXT);
        CRptListCtrl& list = pSheet->m_pRolePage->m_listRole;
        for (int i = 0; i < list.GetItemCount(); ++i)
            rolePageRows.push_back(list.GetItemText(i, 0));
        pSheet->PressButton(PSBTN_NEXT);
        pSheet->PressButton(PSBTN_FINISH);
    });
    EXPECT_TRUE(Command(pDoc, ID_SAVE_TO_SERVER));
    EXPECT_EQ(rolePageRows, (std::vector<CString>{"u1"}));
    EXPECT_EQ(server.ProjectCount(), nBefore + 1);
    EXPECT_GT(pDoc->m_nProjectID, 0);
    CString strStored;
    ASSERT_TRUE(server.GetProject(pDoc->m_nProjectID, strStored));
    EXPECT_GE(strStored.Find("<NAME>新厂区</NAME>"), 0);
    EXPECT_GE(strStored.Find("<GOAL>投产</GOAL>"), 0);
    EXPECT_GE(strStored.Find("<COST>5000</COST>"), 0);
    EXPECT_EQ(pDoc->m_ProjectInfo.m_nStatus, 1);
}

} // namespace
