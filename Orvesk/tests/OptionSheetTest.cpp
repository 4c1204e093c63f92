// The option sheet and its connection page: the proxy radio buttons, the checks of OK and
// their messages, the IP address control, and the document's options command through it.
#include <ClassLib/Testing.h>
#include <gtest/gtest.h>

#include "OptionSheet.h"
#include "ProjDialogsResource.h"
#include "ProjectDocAppTest.h"
#include "ProjectDocIds.h"

namespace {

class OptionSheetTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }
};

BOOL Enabled(CWnd* pPage, UINT nID)
{
    return pPage->GetDlgItem(nID)->IsWindowEnabled();
}

void ClickRadio(CWnd* pPage, UINT nID)
{
    CWnd* pButton = pPage->GetDlgItem(nID);
    CRect rc;
    pButton->GetClientRect(&rc);
    CPoint pt(6, rc.Height() / 2);
    CPoint ptScreen = pt;
    pButton->ClientToScreen(&ptScreen);
    CWnd* pUnder = CWnd::WindowFromPoint(ptScreen);
    EXPECT_EQ(pUnder ? pUnder->GetSafeHwnd() : NULL, pButton->GetSafeHwnd()) << (pUnder ? pUnder->GetDlgCtrlID() : -1);
    AfxTestClick(pButton, pt);
}

TEST_F(OptionSheetTest, ANewPageShowsPort80AndNoProxy)
{
    COptionSheet sheet("选项");
    CString strPort;
    int nNoProxy = -1, nUseProxy = -1;
    BOOL bAddress = TRUE, bPort = TRUE, bAddressLabel = TRUE, bPortLabel = TRUE;
    CString strCaption, strTab;
    AfxTestPushModalScript([&](CWnd* pSheet) {
        CWnd* pPage = &sheet.m_pageConnection;
        pPage->GetDlgItemText(IDC_CONN_PROXY_PORT, strPort);
        nNoProxy = pPage->IsDlgButtonChecked(IDC_CONN_NO_PROXY);
        nUseProxy = pPage->IsDlgButtonChecked(IDC_CONN_USE_PROXY);
        bAddress = Enabled(pPage, IDC_CONN_PROXY_ADDRESS);
        bPort = Enabled(pPage, IDC_CONN_PROXY_PORT);
        bAddressLabel = Enabled(pPage, IDC_CONN_ADDRESS_LABEL);
        bPortLabel = Enabled(pPage, IDC_CONN_PORT_LABEL);
        pSheet->GetWindowText(strCaption);
        strTab = sheet.m_pageConnection.GetPageTitle();
        AfxTestGrabWindow(pSheet, AfxTestOutputPath("option-sheet-no-proxy.png"));
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(strPort, CString("80"));
    EXPECT_EQ(nNoProxy, BST_CHECKED);
    EXPECT_EQ(nUseProxy, BST_UNCHECKED);
    EXPECT_FALSE(bAddress);
    EXPECT_FALSE(bPort);
    EXPECT_FALSE(bAddressLabel);
    EXPECT_FALSE(bPortLabel);
    EXPECT_EQ(strCaption, CString("选项"));
    EXPECT_EQ(strTab, CString("连接设置"));
    EXPECT_EQ(sheet.m_pageConnection.IsValid(), 1);
}

TEST_F(OptionSheetTest, TheRadioButtonsSwitchTheProxyControls)
{
    COptionSheet sheet("选项");
    sheet.m_pageConnection.SetSettings("srv", "site", "", 8080, 1);
    AfxTestPushModalScript([&](CWnd*) {
        CWnd* pPage = &sheet.m_pageConnection;
        ClickRadio(pPage, IDC_CONN_USE_PROXY);
        EXPECT_EQ(sheet.m_pageConnection.m_bAutomation, 0);
        EXPECT_EQ(pPage->IsDlgButtonChecked(IDC_CONN_USE_PROXY), BST_CHECKED);
        EXPECT_EQ(pPage->IsDlgButtonChecked(IDC_CONN_NO_PROXY), BST_UNCHECKED);
        for (UINT nID : {IDC_CONN_ADDRESS_LABEL, IDC_CONN_PORT_LABEL, IDC_CONN_PROXY_ADDRESS, IDC_CONN_PROXY_PORT})
            EXPECT_TRUE(Enabled(pPage, nID)) << nID;
        ClickRadio(pPage, IDC_CONN_NO_PROXY);
        EXPECT_EQ(sheet.m_pageConnection.m_bAutomation, 1);
        EXPECT_EQ(pPage->IsDlgButtonChecked(IDC_CONN_NO_PROXY), BST_CHECKED);
        for (UINT nID : {IDC_CONN_ADDRESS_LABEL, IDC_CONN_PORT_LABEL, IDC_CONN_PROXY_ADDRESS, IDC_CONN_PROXY_PORT})
            EXPECT_FALSE(Enabled(pPage, nID)) << nID;
    });
    sheet.DoModal();
}

TEST_F(OptionSheetTest, AnEmptyServerIsToldFirstAndTheSheetStaysOpen)
{
    COptionSheet sheet("选项");
    CTestMessageBoxes boxes;
    boxes.AnswerText("请输入服务器名", IDOK);
    boxes.AnswerText("请输入站点名称", IDOK);
    bool bOpenAfterFirst = false, bOpenAfterSecond = false;
    AfxTestPushModalScript([&](CWnd* pSheet) {
        CPropertySheet* pPs = static_cast<CPropertySheet*>(pSheet);
        pPs->PressButton(PSBTN_OK);
        bOpenAfterFirst = ::IsWindow(pSheet->GetSafeHwnd()) != FALSE;
        EXPECT_EQ(sheet.m_pageConnection.IsValid(), 0);
        sheet.m_pageConnection.SetDlgItemText(IDC_CONN_SERVER, "srv");
        pPs->PressButton(PSBTN_OK);
        bOpenAfterSecond = ::IsWindow(pSheet->GetSafeHwnd()) != FALSE;
        // What was typed stays.
        CString strServer;
        sheet.m_pageConnection.GetDlgItemText(IDC_CONN_SERVER, strServer);
        EXPECT_EQ(strServer, CString("srv"));
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(bOpenAfterFirst);
    EXPECT_TRUE(bOpenAfterSecond);
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Boxes()[0].caption, CString("系统提示"));
    EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
    EXPECT_EQ(boxes.Boxes()[1].caption, CString("系统提示"));
}

TEST_F(OptionSheetTest, ProxyUseWithABlankAddressIsRefusedWithoutProxyItIsAccepted)
{
    {
        COptionSheet sheet("选项");
        sheet.m_pageConnection.SetSettings("srv", "site", "", 80, 0);
        CTestMessageBoxes boxes;
        boxes.AnswerText("请填入代理服务器 IP !", IDOK);
        AfxTestPushModalScript([&](CWnd* pSheet) { static_cast<CPropertySheet*>(pSheet)->PressButton(PSBTN_OK); });
        EXPECT_EQ(sheet.DoModal(), IDCANCEL);
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_EQ(boxes.Boxes()[0].caption, CString("提示"));
        EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
    }
    {
        COptionSheet sheet("选项");
        sheet.m_pageConnection.SetSettings("srv", "site", "", 80, 1);
        CTestMessageBoxes boxes;
        AfxTestPushModalScript([&](CWnd* pSheet) { static_cast<CPropertySheet*>(pSheet)->PressButton(PSBTN_OK); });
        EXPECT_EQ(sheet.DoModal(), IDOK);
        EXPECT_EQ(boxes.Count(), 0);
        CString strServer, strSite, strAddress;
        int nPort = 0, bAutomation = 0;
        sheet.m_pageConnection.GetSettings(strServer, strSite, strAddress, nPort, bAutomation);
        EXPECT_EQ(strAddress, CString(""));
        EXPECT_EQ(bAutomation, 1);
    }
}

// Opens the sheet with the address, reads what the IP control shows, presses OK and gives
// the address the page hands back.
CString RoundTrip(const CString& strAddress, CString& strShown)
{
    COptionSheet sheet("选项");
    sheet.m_pageConnection.SetSettings("srv", "site", strAddress, 3128, 0);
    AfxTestPushModalScript([&](CWnd* pSheet) {
        BYTE f[4] = {};
        sheet.m_pageConnection.m_ipProxy.GetAddress(f[0], f[1], f[2], f[3]);
        strShown.Format("%d.%d.%d.%d", f[0], f[1], f[2], f[3]);
        static_cast<CPropertySheet*>(pSheet)->PressButton(PSBTN_OK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    CString strServer, strSite, strBack;
    int nPort = 0, bAutomation = 1;
    sheet.m_pageConnection.GetSettings(strServer, strSite, strBack, nPort, bAutomation);
    EXPECT_EQ(nPort, 3128);
    EXPECT_EQ(bAutomation, 0);
    return strBack;
}

TEST_F(OptionSheetTest, TheProxyAddressGoesThroughTheIpControl)
{
    CString strShown;
    EXPECT_EQ(RoundTrip("192.168.0.1", strShown), CString("192.168.0.1"));
    EXPECT_EQ(strShown, CString("192.168.0.1"));
    // Each part keeps its low byte.
    EXPECT_EQ(RoundTrip("300.1.2.3", strShown), CString("44.1.2.3"));
    // Without dots the whole text is the last part.
    EXPECT_EQ(RoundTrip("17", strShown), CString("0.0.0.17"));
    EXPECT_EQ(RoundTrip("10.1", strShown), CString("10.0.10.1"));
}

TEST_F(OptionSheetTest, ThePagesOkRunsTwiceWithoutHarm)
{
    COptionSheet sheet("选项");
    sheet.m_pageConnection.SetSettings("srv", "site", "1.2.3.4", 81, 0);
    CTestMessageBoxes boxes;
    AfxTestPushModalScript([&](CWnd*) {
        sheet.m_pageConnection.OnOK();
        sheet.m_pageConnection.OnOK();
        EXPECT_EQ(sheet.m_pageConnection.IsValid(), 1);
        EXPECT_EQ(sheet.m_pageConnection.m_strProxyAddress, CString("1.2.3.4"));
    });
    sheet.DoModal();
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(OptionSheetTest, CaptionFromAStringId)
{
    COptionSheet sheet((UINT)0);
    EXPECT_EQ(sheet.GetPageCount(), 1);
    EXPECT_EQ(sheet.GetPage(0), &sheet.m_pageConnection);
}

// The document's options command runs the sheet and keeps what OK gave.
class OptionSheetDocTest : public ProjectDocAppTest
{
};

TEST_F(OptionSheetDocTest, TheOptionsCommandStoresTheSettings)
{
    COptionSheet::InstallAsProjectOptions();
    CProjectDoc* pDoc = ShellDocument(0);
    AfxTestPushModalScript([&](CWnd* pSheet) {
        COptionSheet* pOptions = static_cast<COptionSheet*>(pSheet);
        CConnectionPage& page = pOptions->m_pageConnection;
        page.SetDlgItemText(IDC_CONN_SERVER, "newhost");
        page.SetDlgItemText(IDC_CONN_SITE, "proj");
        ClickRadio(&page, IDC_CONN_USE_PROXY);
        page.m_ipProxy.SetAddress(10, 0, 0, 7);
        page.SetDlgItemText(IDC_CONN_PROXY_PORT, "8081");
        AfxTestGrabWindow(pSheet, AfxTestOutputPath("option-sheet-proxy.png"));
        pOptions->PressButton(PSBTN_OK);
    });
    ASSERT_TRUE(Command(pDoc, ID_OPTION));
    EXPECT_EQ(pDoc->m_strServer, CString("newhost"));
    EXPECT_EQ(pDoc->m_strVDir, CString("proj"));
    EXPECT_EQ(pDoc->m_strProxyServerAddress, CString("10.0.0.7"));
    EXPECT_EQ(pDoc->m_strProxyServerPort, CString("8081"));
    EXPECT_EQ(pDoc->m_bAutomation, 0);
    EXPECT_EQ(pDoc->m_strServiceUrl, CString("http://newhost/proj/WebService/OrveskService.WSDL"));
}

} // namespace
