// A dialog from a module's template with an edit, a combo box, a spin and a date picker:
// a script types into it, data exchange reads the values back, a failed check shows the
// standard message, and the keyboard works as in a dialog.
#include <ClassLib/Testing.h>

#include <QFileInfo>

#include <string>

namespace {

enum : int {
    IDD_TASK = 30100,
    IDC_NAME = 30101,
    IDC_DAYS = 30102,
    IDC_DAYS_SPIN = 30103,
    IDC_TYPE = 30104,
    IDC_START = 30105,
    IDC_NOTE = 30106,
};

// Texts in code page 936, as a module of the system compiles them.
#define T_CAPTION "\xc8\xce\xce\xf1\xd0\xc5\xcf\xa2"  // 任务信息
#define T_NAME "\xc8\xce\xce\xf1\xc3\xfb"             // 任务名
#define T_DAYS "\xb9\xa4\xc6\xda"                     // 工期
#define T_TYPE "\xc0\xe0\xd0\xcd"                     // 类型
#define T_START "\xbf\xaa\xca\xbc"                    // 开始
#define T_OK "\xc8\xb7\xb6\xa8"                       // 确定
#define T_CANCEL "\xc8\xa1\xcf\xfb"                   // 取消
#define T_FS "FS(\xcd\xea\xb3\xc9--\xbf\xaa\xca\xbc)"  // FS(完成--开始)

const AFX_DLG_ITEM kTaskItems[] = {
    {"STATIC", IDC_STATIC, T_NAME, WS_VISIBLE, 7, 9, 40, 8},
    {"EDIT", IDC_NAME, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 50, 7, 120, 14},
    {"STATIC", IDC_STATIC, T_DAYS, WS_VISIBLE, 7, 27, 40, 8},
    {"EDIT", IDC_DAYS, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_RIGHT, 50, 25, 50, 14},
    {UPDOWN_CLASS, IDC_DAYS_SPIN, "", WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_AUTOBUDDY, 100, 25, 10, 14},
    {"STATIC", IDC_STATIC, T_TYPE, WS_VISIBLE, 7, 45, 40, 8},
    {"COMBOBOX", IDC_TYPE, "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 50, 43, 120, 80, 0,
     T_FS "\nFF\nSF\nSS"},
    {"STATIC", IDC_STATIC, T_START, WS_VISIBLE, 7, 63, 40, 8},
    {DATETIMEPICK_CLASS, IDC_START, "", WS_VISIBLE | WS_TABSTOP | DTS_LONGDATEFORMAT, 50, 61, 120, 14},
    {"EDIT", IDC_NOTE, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN, 50, 79, 120, 24},
    {"BUTTON", IDOK, T_OK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 66, 110, 50, 14},
    {"BUTTON", IDCANCEL, T_CANCEL, WS_VISIBLE | WS_TABSTOP, 120, 110, 50, 14},
};
const AFX_DLG_TEMPLATE kTask = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                0,
                                0,
                                0,
                                180,
                                130,
                                T_CAPTION,
                                "\xcb\xce\xcc\xe5",  // 宋体
                                9,
                                AFX_DLG_ITEMS(kTaskItems)};

AFX_MODULE_RESOURCES(DialogShowTestModule)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_TASK, &kTask);
}

class CTaskDlg : public CDialog
{
public:
    CTaskDlg() : CDialog(IDD_TASK) {}
    CString m_strName;
    int m_nDays = 3;
    int m_nType = 0;
    COleDateTime m_start{2004, 3, 5, 0, 0, 0};
    CString m_strNote;
    CSpinButtonCtrl m_spin;
    CEdit m_name;
    std::string log;

    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_DAYS_SPIN, m_spin);
        DDX_Control(pDX, IDC_NAME, m_name);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 20);
        DDX_Text(pDX, IDC_DAYS, m_nDays);
        DDV_MinMaxInt(pDX, m_nDays, 1, 99);
        DDX_CBIndex(pDX, IDC_TYPE, m_nType);
        DDX_DateTimeCtrl(pDX, IDC_START, m_start);
        DDX_Text(pDX, IDC_NOTE, m_strNote);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_spin.SetRange32(0, 99);
        log += "init;";
        return TRUE;
    }
    void OnNameChange() { log += "name;"; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTaskDlg, CDialog)
    ON_EN_CHANGE(IDC_NAME, OnNameChange)
END_MESSAGE_MAP()

class DialogShowTest : public CWndTestBase
{
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }
};

CString Text(CWnd* w)
{
    CString s;
    w->GetWindowText(s);
    return s;
}

}  // namespace

TEST_F(DialogShowTest, ScriptTypesIntoTheDialogAndDataExchangeReadsTheValues)
{
    CTaskDlg dlg;
    AfxTestPushModalScript([](CWnd* pWnd) {
        auto* d = static_cast<CTaskDlg*>(pWnd);
        // Members were shown by the initialisation, without change notifications.
        EXPECT_EQ(d->log, "init;");
        EXPECT_EQ(Text(d->GetDlgItem(IDC_DAYS)), "3");
        // The focus starts on the first tab stop, the name edit.
        EXPECT_EQ(CWnd::GetFocus(), d->GetDlgItem(IDC_NAME));
        AfxTestTypeText(d->GetDlgItem(IDC_NAME), "Design");
        EXPECT_EQ(d->log, "init;name;name;name;name;name;name;");
        // Tab goes to the next tab stop, whose text is selected: typing replaces it.
        AfxTestKey(d, VK_TAB);
        EXPECT_EQ(CWnd::GetFocus(), d->GetDlgItem(IDC_DAYS));
        AfxTestTypeText(d->GetDlgItem(IDC_DAYS), "12");
        // The spin's up arrow in its default direction follows the range set: 0..99.
        AfxTestClick(d->GetDlgItem(IDC_DAYS_SPIN), CPoint(3, 2));
        EXPECT_EQ(Text(d->GetDlgItem(IDC_DAYS)), "13");
        AfxTestKey(d, VK_TAB);
        EXPECT_EQ(CWnd::GetFocus(), d->GetDlgItem(IDC_TYPE));
        static_cast<CComboBox*>(d->GetDlgItem(IDC_TYPE))->SetCurSel(3);
        SYSTEMTIME st = {};
        st.wYear = 2004;
        st.wMonth = 4;
        st.wDay = 1;
        d->GetDlgItem(IDC_START)->SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
        EXPECT_TRUE(AfxTestGrabWindow(d, AfxTestOutputPath("task-dialog.png")));
        // Enter presses the default button: OnOK reads the controls and ends the dialog.
        AfxTestKey(d->GetDlgItem(IDC_TYPE), VK_RETURN);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strName, "Design");
    EXPECT_EQ(dlg.m_nDays, 13);
    EXPECT_EQ(dlg.m_nType, 3);
    EXPECT_EQ(dlg.m_start, COleDateTime(2004, 4, 1, 0, 0, 0));
    ASSERT_EQ(AfxTestModalLog().size(), 1u);
    EXPECT_EQ(AfxTestModalLog()[0].strCaption, T_CAPTION);
    EXPECT_EQ(AfxTestModalLog()[0].nIDTemplate, UINT(IDD_TASK));
    EXPECT_TRUE(AfxTestModalLog()[0].bScripted);
    EXPECT_FALSE(AfxTestModalLog()[0].bLeftOpen);
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);  // destroyed after the run
    QFileInfo shot(QString::fromStdString(Utf8FromCString(AfxTestOutputPath("task-dialog.png"))));
    EXPECT_TRUE(shot.exists() && shot.size() > 0);
}

TEST_F(DialogShowTest, ValueOutOfRangeShowsTheStandardMessageAndKeepsTheDialogOpen)
{
    CTaskDlg dlg;
    CTestMessageBoxes boxes;
    boxes.AnswerText("Please enter an integer between 1 and 99.", IDOK);
    boxes.AnswerText("Please enter an integer.", IDOK);
    AfxTestPushModalScript([](CWnd* pWnd) {
        auto* d = static_cast<CTaskDlg*>(pWnd);
        d->GetDlgItem(IDC_NAME)->SetWindowText("x");
        d->GetDlgItem(IDC_DAYS)->SetWindowText("0");
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        // Still open, with the focus on the field that failed and its text selected.
        EXPECT_TRUE(::IsWindowVisible(d->GetSafeHwnd()));
        EXPECT_EQ(CWnd::GetFocus(), d->GetDlgItem(IDC_DAYS));
        // Not a number at all: the other standard message.
        d->GetDlgItem(IDC_DAYS)->SetWindowText("7 days");
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(::IsWindowVisible(d->GetSafeHwnd()));
        // Escape cancels.
        AfxTestKey(d->GetDlgItem(IDC_NAME), VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Boxes()[0].text, "Please enter an integer between 1 and 99.");
    EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(boxes.Boxes()[1].text, "Please enter an integer.");
    EXPECT_EQ(dlg.m_strName, "x");  // read before the failing field
    // As on the platform, the member holds the value read before its check failed; the
    // text that is no number was not taken.
    EXPECT_EQ(dlg.m_nDays, 0);
}

TEST_F(DialogShowTest, TooLongTextIsRefusedWithTheStandardMessage)
{
    CTaskDlg dlg;
    CTestMessageBoxes boxes;
    boxes.AnswerText("Please enter no more than 20 characters.", IDOK);
    AfxTestPushModalScript([](CWnd* pWnd) {
        pWnd->GetDlgItem(IDC_NAME)->SetWindowText("an overly long task name");
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);  // left open by the script: cancelled
    EXPECT_EQ(boxes.Count(), 1);
    ASSERT_EQ(AfxTestModalLog().size(), 1u);
    EXPECT_TRUE(AfxTestModalLog()[0].bLeftOpen);
}

TEST_F(DialogShowTest, GeometryComesFromDialogUnitsOfTheTemplateFont)
{
    CTaskDlg dlg;
    AfxTestPushModalScript([](CWnd* pWnd) {
        auto* d = static_cast<CTaskDlg*>(pWnd);
        CSize base = d->GetBaseUnits();
        ASSERT_GT(base.cx, 0);
        ASSERT_GT(base.cy, 0);
        CRect expect(50, 7, 170, 21);
        d->MapDialogRect(&expect);
        EXPECT_EQ(expect.left, MulDiv(50, base.cx, 4));
        EXPECT_EQ(expect.top, MulDiv(7, base.cy, 8));
        CRect r;
        d->GetDlgItem(IDC_NAME)->GetWindowRect(&r);
        d->ScreenToClient(&r);
        EXPECT_EQ(r, expect);
        CRect client;
        d->GetClientRect(&client);
        CRect whole(0, 0, 180, 130);
        d->MapDialogRect(&whole);
        EXPECT_EQ(client.Width(), whole.Width());
        EXPECT_EQ(client.Height(), whole.Height());
        d->EndDialog(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(DialogShowTest, FixedResultReturnsWithoutTheDialog)
{
    CTaskDlg dlg;
    AfxTestPushModalResult(IDOK);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.log, "");
    ASSERT_EQ(AfxTestModalLog().size(), 1u);
    EXPECT_FALSE(AfxTestModalLog()[0].bScripted);
}
