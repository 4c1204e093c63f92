// A date field in a dialog takes typed digits: what is typed replaces the part of the date
// that the focus or a click chose, as on the platform's picker.
#include <ClassLib/Testing.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

namespace {

enum : int { IDC_START = 40201, IDC_NAME = 40202 };

const AFX_DLG_ITEM kItems[] = {
    {"EDIT", IDC_NAME, "", WS_VISIBLE | WS_BORDER | WS_TABSTOP, 7, 7, 80, 14},
    {DATETIMEPICK_CLASS, IDC_START, "", WS_VISIBLE | WS_TABSTOP | DTS_LONGDATEFORMAT | DTS_RIGHTALIGN, 7, 25, 110, 14},
    {"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 7, 45, 40, 14},
};
const AFX_DLG_TEMPLATE kTpl = {DS_SETFONT | WS_POPUP | WS_CAPTION, 0, 0, 0, 160, 70, "Date", "\xcb\xce\xcc\xe5", 9,
                               AFX_DLG_ITEMS(kItems)};

class DateFieldTypingTest : public CWndTestBase
{
protected:
    void Open()
    {
        ASSERT_TRUE(dlg.CreateIndirect(&kTpl));
        dlg.ShowWindow(SW_SHOW);
        pDate = static_cast<CDateTimeCtrl*>(dlg.GetDlgItem(IDC_START));
        ASSERT_NE(pDate, nullptr);
        ASSERT_TRUE(pDate->SetTime(COleDateTime(2026, 1, 5, 0, 0, 0)));
        // The dialog is the active window with the focus in the name field.
        AfxTestFocus(dlg.GetDlgItem(IDC_NAME));
        AfxGetWidget(dlg.GetSafeHwnd())->activateWindow();
        AfxPumpMessages();
    }
    void TearDown() override
    {
        if (dlg.GetSafeHwnd())
            dlg.DestroyWindow();
        CWndTestBase::TearDown();
    }
    // A point of the picker (client coordinates) on the nth character of its text.
    CPoint OnCharacter(int n)
    {
        QWidget* picker = AfxGetWidget(pDate->GetSafeHwnd());
        auto* line = picker ? picker->findChild<QLineEdit*>() : nullptr;
        if (!line)
            return CPoint(-1, -1);
        const int y = line->height() / 2;
        for (int x = 0; x < line->width(); ++x)
            if (line->cursorPositionAt(QPoint(x, y)) == n + 1) {
                const QPoint p = line->mapTo(picker, QPoint(x - 1, y));
                return CPoint(p.x(), p.y());
            }
        return CPoint(-1, -1);
    }
    COleDateTime Time()
    {
        COleDateTime t;
        pDate->GetTime(t);
        return t;
    }
    CDialog dlg;
    CDateTimeCtrl* pDate = nullptr;
};

}  // namespace

TEST_F(DateFieldTypingTest, ClickInTheYearAndTypeReplacesTheYear)
{
    Open();
    const CPoint inYear = OnCharacter(2);  // between "20" and "26"
    ASSERT_GE(inYear.x, 0);
    AfxTestClick(pDate, inYear);
    EXPECT_EQ(CWnd::GetFocus(), pDate);
    AfxTestTypeText(CWnd::GetFocus(), "2027");
    AfxPumpMessages();
    const COleDateTime t = Time();
    EXPECT_EQ(t.GetYear(), 2027);
    EXPECT_EQ(t.GetMonth(), 1);
    EXPECT_EQ(t.GetDay(), 5);
    // Nothing went into the field the focus came from.
    CString name;
    dlg.GetDlgItem(IDC_NAME)->GetWindowText(name);
    EXPECT_EQ(name, "");
}

TEST_F(DateFieldTypingTest, AClickOnTheFieldsOwnTextBoxChoosesThePartToo)
{
    // The window system hands a click to the innermost widget under it: the text box.
    Open();
    const CPoint inYear = OnCharacter(2);
    ASSERT_GE(inYear.x, 0);
    QWidget* picker = AfxGetWidget(pDate->GetSafeHwnd());
    auto* line = picker->findChild<QLineEdit*>();
    const QPointF at = line->mapFrom(picker, QPoint(inYear.x, inYear.y));
    const QPointF global = line->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(line, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(line, &release);
    AfxPumpMessages();
    ASSERT_EQ(CWnd::GetFocus(), pDate);
    AfxTestTypeText(CWnd::GetFocus(), "2027");
    AfxPumpMessages();
    const COleDateTime t = Time();
    EXPECT_EQ(t.GetYear(), 2027);
    EXPECT_EQ(t.GetMonth(), 1);
    EXPECT_EQ(t.GetDay(), 5);
}

TEST_F(DateFieldTypingTest, ClickOnTheDayAndTypeReplacesTheDay)
{
    Open();
    // "2026年1月5日": the day is the seventh character.
    const CPoint onDay = OnCharacter(7);
    ASSERT_GE(onDay.x, 0);
    AfxTestClick(pDate, onDay);
    AfxTestTypeText(CWnd::GetFocus(), "9");
    AfxPumpMessages();
    const COleDateTime t = Time();
    EXPECT_EQ(t.GetYear(), 2026);
    EXPECT_EQ(t.GetMonth(), 1);
    EXPECT_EQ(t.GetDay(), 9);
}

TEST_F(DateFieldTypingTest, TabIntoTheFieldAndTypeReplacesTheYear)
{
    Open();
    AfxTestKey(CWnd::GetFocus(), VK_TAB);
    ASSERT_EQ(CWnd::GetFocus(), pDate);
    AfxTestTypeText(CWnd::GetFocus(), "2027");
    AfxPumpMessages();
    const COleDateTime t = Time();
    EXPECT_EQ(t.GetYear(), 2027);
    EXPECT_EQ(t.GetMonth(), 1);
    EXPECT_EQ(t.GetDay(), 5);
}
