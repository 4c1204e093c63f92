// Property sheets and wizards run by scripts.
#include "FrameTestSupport.h"

#include <ClassLib/Testing/UiScripts.h>

#include <QImage>
#include <QString>

#include <algorithm>
#include <string>

namespace {

enum : UINT
{
    IDD_PAGE_NAME = 31001,
    IDD_PAGE_COUNT = 31002,
    IDD_PAGE_NOTE = 31003,
    IDS_PAGE_COUNT = 31010,
    IDS_HEAD_TITLE = 31011,
    IDS_HEAD_SUB = 31012,
    IDC_NAME = 1001,
    IDC_COUNT = 1002,
    IDC_DONE = 1003,
    IDC_NOTE = 1004,
};

const AFX_DLG_ITEM kNameItems[] = {
    {"STATIC", IDC_STATIC, "Name", WS_CHILD | WS_VISIBLE, 7, 10, 40, 8},
    {"EDIT", IDC_NAME, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 50, 8, 120, 14},
};
const AFX_DLG_ITEM kCountItems[] = {
    {"STATIC", IDC_STATIC, "Count", WS_CHILD | WS_VISIBLE, 7, 10, 40, 8},
    {"EDIT", IDC_COUNT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 50, 8, 60, 14},
    {"BUTTON", IDC_DONE, "Done", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 7, 30, 80, 10},
};
const AFX_DLG_ITEM kNoteItems[] = {
    {"EDIT", IDC_NOTE, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 7, 8, 160, 14},
};
const AFX_DLG_TEMPLATE kNamePage = {WS_CHILD | WS_CAPTION | DS_SETFONT, 0, 0, 0, 200, 100, "General", "宋体", 9,
                                    AFX_DLG_ITEMS(kNameItems)};
const AFX_DLG_TEMPLATE kCountPage = {WS_CHILD | WS_CAPTION | DS_SETFONT, 0, 0, 0, 180, 80, "Count", "宋体", 9,
                                     AFX_DLG_ITEMS(kCountItems)};
const AFX_DLG_TEMPLATE kNotePage = {WS_CHILD | WS_CAPTION | DS_SETFONT, 0, 0, 0, 200, 60, "Note", "宋体", 9,
                                    AFX_DLG_ITEMS(kNoteItems)};

AFX_MODULE_RESOURCES(PropertySheetTest)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_PAGE_NAME, &kNamePage);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_PAGE_COUNT, &kCountPage);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_PAGE_NOTE, &kNotePage);
    AfxRegisterStrings(hModule, {{IDS_PAGE_COUNT, "Numbers"}, {IDS_HEAD_TITLE, "Name the plan"},
                                 {IDS_HEAD_SUB, "The name shows in every window."}});
}

std::vector<std::string> g_calls;

class CNamePage : public CPropertyPageEx
{
public:
    CString m_strName;
    CNamePage() : CPropertyPageEx(IDD_PAGE_NAME, 0, IDS_HEAD_TITLE, IDS_HEAD_SUB) {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 8);
    }
    BOOL OnSetActive() override
    {
        g_calls.push_back("name:setactive");
        if (GetSheet()->IsWizard())
            GetSheet()->SetWizardButtons(PSWIZB_NEXT);
        return CPropertyPageEx::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        g_calls.push_back("name:killactive");
        return CPropertyPageEx::OnKillActive();
    }
    void OnOK() override
    {
        g_calls.push_back("name:ok");
        CPropertyPageEx::OnOK();
    }
    void OnCancel() override { g_calls.push_back("name:cancel"); }
    LRESULT OnWizardNext() override
    {
        g_calls.push_back("name:next");
        UpdateData(TRUE);
        if (m_strName.IsEmpty())
            return -1;  // stay until there is a name
        return CPropertyPageEx::OnWizardNext();
    }
};

class CCountPage : public CPropertyPageEx
{
public:
    int m_nCount = 3;
    int m_bDone = 0;
    CCountPage() : CPropertyPageEx(IDD_PAGE_COUNT, IDS_PAGE_COUNT) {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 0, 99);
        DDX_Check(pDX, IDC_DONE, m_bDone);
    }
    BOOL OnSetActive() override
    {
        g_calls.push_back("count:setactive");
        if (GetSheet()->IsWizard())
            GetSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
        return CPropertyPageEx::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        g_calls.push_back("count:killactive");
        return CPropertyPageEx::OnKillActive();
    }
    void OnOK() override
    {
        g_calls.push_back("count:ok");
        CPropertyPageEx::OnOK();
    }
    LRESULT OnWizardBack() override
    {
        g_calls.push_back("count:back");
        return CPropertyPageEx::OnWizardBack();
    }
};

class CNotePage : public CPropertyPageEx
{
public:
    CString m_strNote;
    CNotePage() : CPropertyPageEx(IDD_PAGE_NOTE) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_NOTE, m_strNote); }
    BOOL OnSetActive() override
    {
        g_calls.push_back("note:setactive");
        if (GetSheet()->IsWizard())
        {
            GetSheet()->SetFinishText("Publish now");
            GetSheet()->SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT | PSWIZB_FINISH);
            GetSheet()->GetDlgItem(ID_WIZBACK)->ShowWindow(SW_SHOW);
        }
        return CPropertyPageEx::OnSetActive();
    }
    void OnOK() override
    {
        g_calls.push_back("note:ok");
        CPropertyPageEx::OnOK();
    }
    BOOL OnWizardFinish() override
    {
        g_calls.push_back("note:finish");
        return CPropertyPageEx::OnWizardFinish();
    }
};

// A sheet that sees the OK button in its OnCommand (as sheets of the system do).
class CPlanSheet : public CPropertySheetEx
{
public:
    int m_nOKSeen = 0;
    CPlanSheet(LPCTSTR pszCaption) : CPropertySheetEx(pszCaption) {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDOK)
            ++m_nOKSeen;
        return CPropertySheetEx::OnCommand(wParam, lParam);
    }
};

class PropertySheetTest : public FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        AfxTestResetScripts();
        g_calls.clear();
    }
    void TearDown() override
    {
        AfxTestResetScripts();
        FrameTest::TearDown();
    }
};

TEST_F(PropertySheetTest, AScriptFillsThreePagesAndOkAppliesThemAll)
{
    CPlanSheet sheet("Plan options");
    CNamePage name;
    CCountPage count;
    CNotePage note;
    name.m_strName = "first";
    sheet.AddPage(&name);
    sheet.AddPage(&count);
    sheet.AddPage(&note);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    std::vector<CString> tabs;
    bool bApplyButton = true;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pSheet = static_cast<CPropertySheet*>(pWnd);
        CTabCtrl* pTab = pSheet->GetTabControl();
        ASSERT_NE(nullptr, pTab);
        for (int i = 0; i < pTab->GetItemCount(); ++i)
        {
            char buf[64];
            TCITEM item = {};
            item.mask = TCIF_TEXT;
            item.pszText = buf;
            item.cchTextMax = sizeof(buf);
            pTab->GetItem(i, &item);
            tabs.push_back(buf);
        }
        bApplyButton = pSheet->GetDlgItem(ID_APPLY_NOW) != nullptr;
        // The first page shows the caller's data.
        CString text;
        pSheet->GetActivePage()->GetDlgItemText(IDC_NAME, text);
        EXPECT_STREQ("first", text);
        pSheet->GetActivePage()->SetDlgItemText(IDC_NAME, "renamed");
        EXPECT_TRUE(pSheet->SetActivePage(1));
        pSheet->GetActivePage()->SetDlgItemText(IDC_COUNT, "12");
        pSheet->GetActivePage()->CheckDlgButton(IDC_DONE, BST_CHECKED);
        // Through the tab: a click on the third tab.
        CRect rc;
        pTab->GetItemRect(2, &rc);
        AfxTestClick(pTab, rc.CenterPoint());
        AfxPumpMessages();
        EXPECT_EQ(2, pSheet->GetActiveIndex());
        pSheet->GetActivePage()->SetDlgItemText(IDC_NOTE, "ok");
        pSheet->PressButton(PSBTN_OK);
    });
    EXPECT_EQ(IDOK, sheet.DoModal());
    ASSERT_EQ(3u, tabs.size());
    EXPECT_STREQ("General", tabs[0]);
    EXPECT_STREQ("Numbers", tabs[1]);  // the caption string replaces the template's
    EXPECT_STREQ("Note", tabs[2]);
    EXPECT_FALSE(bApplyButton);
    EXPECT_EQ(1, sheet.m_nOKSeen);
    EXPECT_STREQ("renamed", name.m_strName);
    EXPECT_EQ(12, count.m_nCount);
    EXPECT_EQ(1, count.m_bDone);
    EXPECT_STREQ("ok", note.m_strNote);
    // Every page made gets OnOK, in page order, after the active page let go.
    std::vector<std::string> want = {"name:setactive",  "name:killactive", "count:setactive", "count:killactive",
                                     "note:setactive",  "name:ok",         "count:ok",        "note:ok"};
    EXPECT_EQ(want, g_calls);
    EXPECT_EQ(nullptr, sheet.GetSafeHwnd());
}

TEST_F(PropertySheetTest, APageWithBadDataKeepsTheSheetOpen)
{
    CPropertySheet sheet("Plan options");
    CNamePage name;
    CCountPage count;
    sheet.AddPage(&name);
    sheet.AddPage(&count);
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);  // the data exchange's complaint
    int nActiveAfter = -2;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pSheet = static_cast<CPropertySheet*>(pWnd);
        pSheet->GetActivePage()->SetDlgItemText(IDC_NAME, "far too long a name");
        EXPECT_FALSE(pSheet->SetActivePage(1));  // DDV_MaxChars refuses
        nActiveAfter = pSheet->GetActiveIndex();
        pSheet->PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(0, nActiveAfter);
    EXPECT_EQ(1, boxes.Count());
    // The exchange stored the text before the check refused it; the caller reads the
    // members only after IDOK.
    EXPECT_STREQ("far too long a name", name.m_strName);
    EXPECT_NE(g_calls.end(), std::find(g_calls.begin(), g_calls.end(), "name:cancel"));
}

TEST_F(PropertySheetTest, TheApplyButtonFollowsSetModified)
{
    CPropertySheet sheet("Plan options");
    CNamePage name;
    sheet.AddPage(&name);
    BOOL bBefore = TRUE, bAfter = FALSE, bApplied = TRUE;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pSheet = static_cast<CPropertySheet*>(pWnd);
        CWnd* pApply = pSheet->GetDlgItem(ID_APPLY_NOW);
        ASSERT_NE(nullptr, pApply);
        bBefore = pApply->IsWindowEnabled();
        name.SetModified();
        bAfter = pApply->IsWindowEnabled();
        pSheet->PressButton(PSBTN_APPLYNOW);
        bApplied = pApply->IsWindowEnabled();
        pSheet->PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_FALSE(bBefore);
    EXPECT_TRUE(bAfter);
    EXPECT_FALSE(bApplied);
    EXPECT_NE(g_calls.end(), std::find(g_calls.begin(), g_calls.end(), "name:ok"));
}

TEST_F(PropertySheetTest, AWizardWalksBackNextAndFinish)
{
    CPlanSheet sheet("Publish");
    CNamePage name;
    CCountPage count;
    CNotePage note;
    sheet.AddPage(&name);
    sheet.AddPage(&count);
    sheet.AddPage(&note);
    sheet.m_psh.dwFlags |= PSH_WIZARD97 | PSH_NOAPPLYNOW;
    sheet.SetWizardMode();
    std::vector<int> pages;
    BOOL bBackOnFirst = TRUE, bFinishVisible = FALSE, bNextVisible = TRUE, bBackVisible = FALSE;
    CString finishText;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pSheet = static_cast<CPropertySheet*>(pWnd);
        EXPECT_TRUE(pSheet->IsWizard());
        EXPECT_EQ(nullptr, pSheet->GetTabControl());
        bBackOnFirst = pSheet->GetDlgItem(ID_WIZBACK)->IsWindowEnabled();
        // Next without a name: the page keeps the wizard.
        pSheet->PressButton(PSBTN_NEXT);
        pages.push_back(pSheet->GetActiveIndex());
        pSheet->GetActivePage()->SetDlgItemText(IDC_NAME, "plan");
        pSheet->PressButton(PSBTN_NEXT);
        pages.push_back(pSheet->GetActiveIndex());
        pSheet->PressButton(PSBTN_BACK);
        pages.push_back(pSheet->GetActiveIndex());
        pSheet->PressButton(PSBTN_NEXT);
        pSheet->PressButton(PSBTN_NEXT);
        pages.push_back(pSheet->GetActiveIndex());
        bFinishVisible = pSheet->GetDlgItem(ID_WIZFINISH)->IsWindowVisible();
        bNextVisible = pSheet->GetDlgItem(ID_WIZNEXT)->IsWindowVisible();
        bBackVisible = pSheet->GetDlgItem(ID_WIZBACK)->IsWindowVisible();
        pSheet->GetDlgItem(ID_WIZFINISH)->GetWindowText(finishText);
        AfxTestGrabWindow(pSheet, AfxTestOutputPath("wizard.png"));
        pSheet->PressButton(PSBTN_FINISH);
    });
    EXPECT_EQ(ID_WIZFINISH, sheet.DoModal());
    EXPECT_FALSE(bBackOnFirst);
    std::vector<int> want = {0, 1, 0, 2};
    EXPECT_EQ(want, pages);
    EXPECT_TRUE(bFinishVisible);
    EXPECT_FALSE(bNextVisible);
    EXPECT_TRUE(bBackVisible);
    EXPECT_STREQ("Publish now", finishText);
    EXPECT_STREQ("plan", name.m_strName);
    // Finish asks the last page only; the wizard does not apply the pages.
    EXPECT_NE(g_calls.end(), std::find(g_calls.begin(), g_calls.end(), "note:finish"));
    EXPECT_EQ(g_calls.end(), std::find(g_calls.begin(), g_calls.end(), "name:ok"));
    EXPECT_EQ(0, sheet.m_nOKSeen);
    EXPECT_NE(g_calls.end(), std::find(g_calls.begin(), g_calls.end(), "count:back"));
}

TEST_F(PropertySheetTest, WizardButtonIdsAreThePlatformsOwn)
{
    EXPECT_EQ(12323, ID_WIZBACK);
    EXPECT_EQ(12324, ID_WIZNEXT);
    EXPECT_EQ(12325, ID_WIZFINISH);
}

TEST_F(PropertySheetTest, EnterPressesTheDefaultButton)
{
    CPropertySheet sheet("Plan options");
    CNamePage name;
    sheet.AddPage(&name);
    AfxTestPushModalScript([&](CWnd* pWnd) {
        CPropertySheet* pSheet = static_cast<CPropertySheet*>(pWnd);
        CWnd* pEdit = pSheet->GetActivePage()->GetDlgItem(IDC_NAME);
        AfxTestFocus(pEdit);
        AfxTestTypeText(pEdit, "typed");
        AfxTestKey(pEdit, VK_RETURN);
        AfxPumpMessages();
    });
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_STREQ("typed", name.m_strName);
}

TEST_F(PropertySheetTest, AFixedAnswerSkipsTheWindow)
{
    CPropertySheet sheet("Plan options");
    CNamePage name;
    sheet.AddPage(&name);
    AfxTestPushModalResult(IDOK);
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(g_calls.empty());
}

// The sheet's picture shows the first page's edit control holding the page's name: text
// inside the edit control, a light background right of it.
TEST_F(PropertySheetTest, TheSheetsPictureShowsThePagesName)
{
    CPropertySheet sheet("Plan options");
    CNamePage name;
    CCountPage count;
    sheet.AddPage(&name);
    sheet.AddPage(&count);
    name.m_strName = CStringFromUtf8("计划");
    int nInk = -1, nInkRight = -1;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        AfxPumpMessages();
        const CString path = AfxTestOutputPath("property-sheet.png");
        CWnd* pEdit = static_cast<CPropertySheet*>(pWnd)->GetActivePage()->GetDlgItem(IDC_NAME);
        if (AfxTestGrabWindow(pWnd, path) && pEdit != nullptr) {
            const QImage shot(QString::fromLocal8Bit(static_cast<LPCTSTR>(path)));
            CRect rcSheet, rcEdit;
            pWnd->GetWindowRect(&rcSheet);
            pEdit->GetClientRect(&rcEdit);
            pEdit->ClientToScreen(&rcEdit);
            rcEdit.OffsetRect(-rcSheet.TopLeft());
            // Pixels unlike the field's background in its first 40 pixels (the two
            // characters, selected or not), and in its last 40 (nothing written there).
            const QRgb bg = shot.pixel(rcEdit.right - 3, rcEdit.CenterPoint().y);
            auto ink = [&](int x0, int x1) {
                int n = 0;
                for (int y = std::max(0, rcEdit.top + 2); y < std::min(shot.height(), rcEdit.bottom - 2); ++y)
                    for (int x = std::max(0, x0); x < std::min(shot.width(), x1); ++x)
                        n += (shot.pixel(x, y) & 0xFFFFFF) != (bg & 0xFFFFFF);
                return n;
            };
            nInk = ink(rcEdit.left + 2, rcEdit.left + 40);
            nInkRight = ink(rcEdit.right - 40, rcEdit.right - 2);
        }
        static_cast<CPropertySheet*>(pWnd)->PressButton(PSBTN_CANCEL);
    });
    sheet.DoModal();
    EXPECT_GT(nInk, 40) << nInkRight;
    EXPECT_EQ(nInkRight, 0);
}

}  // namespace
