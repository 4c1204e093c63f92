// The pick-one dialog: its template, the radio group exchanged with the member.
#include "DlgComboChoice.h"

#include <ClassLib/Testing.h>

#include <gtest/gtest.h>

namespace
{
CString TextOf(CWnd* pWnd)
{
    CString str;
    if (pWnd)
        pWnd->GetWindowText(str);
    return str;
}
} // namespace

TEST(DlgComboChoice, ShowsThreeDatesAndStartsOnTheFirst)
{
    AfxTestResetScripts();
    CDlgComboChoice dlg;
    EXPECT_EQ(0, dlg.m_nChoice);
    bool bRan = false;
    AfxTestPushModalScript([&](CWnd* pWnd) {
        bRan = true;
        EXPECT_STREQ("Pick One", (LPCTSTR)TextOf(pWnd));
        EXPECT_STREQ("2001-4-10", (LPCTSTR)TextOf(pWnd->GetDlgItem(IDC_CHOICE_FIRST)));
        EXPECT_STREQ("2001-10-1", (LPCTSTR)TextOf(pWnd->GetDlgItem(IDC_CHOICE_SECOND)));
        EXPECT_STREQ("2020-10-10", (LPCTSTR)TextOf(pWnd->GetDlgItem(IDC_CHOICE_THIRD)));
        EXPECT_NE(nullptr, pWnd->GetDlgItem(IDOK));
        EXPECT_NE(nullptr, pWnd->GetDlgItem(IDCANCEL));
        EXPECT_EQ(BST_CHECKED, (int)pWnd->GetDlgItem(IDC_CHOICE_FIRST)->SendMessage(BM_GETCHECK));
        EXPECT_EQ(BST_UNCHECKED, (int)pWnd->GetDlgItem(IDC_CHOICE_THIRD)->SendMessage(BM_GETCHECK));
        EXPECT_TRUE(AfxTestGrabWindow(pWnd, AfxTestOutputPath(_T("pick-one-dialog.png"))));
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(bRan);
    EXPECT_EQ(0, dlg.m_nChoice);
}

TEST(DlgComboChoice, OkReadsTheChosenIndex)
{
    AfxTestResetScripts();
    CDlgComboChoice dlg;
    dlg.m_nChoice = 1;
    AfxTestPushModalScript([](CWnd* pWnd) {
        EXPECT_EQ(BST_CHECKED, (int)pWnd->GetDlgItem(IDC_CHOICE_SECOND)->SendMessage(BM_GETCHECK));
        pWnd->GetDlgItem(IDC_CHOICE_SECOND)->SendMessage(BM_SETCHECK, BST_UNCHECKED);
        pWnd->GetDlgItem(IDC_CHOICE_THIRD)->SendMessage(BM_SETCHECK, BST_CHECKED);
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(2, dlg.m_nChoice);
    ASSERT_FALSE(AfxTestModalLog().empty());
    EXPECT_EQ((UINT)IDD_COMBO_CHOICE, AfxTestModalLog().back().nIDTemplate);
}
