// Message boxes: the handler sees text, caption and flags; the default answers.
#include <ClassLib/Afx.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Shown
{
    std::string text;
    std::string caption;
    UINT type;
};
std::vector<Shown> g_shown;
int g_answer = IDOK;

int Recorder(LPCTSTR text, LPCTSTR caption, UINT type)
{
    g_shown.push_back({text ? text : "(null)", caption ? caption : "(null)", type});
    return g_answer;
}

class MessageBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_shown.clear();
        m_previous = AfxSetMessageBoxHandler(&Recorder);
        m_title = AfxGetAppTitle();
    }
    void TearDown() override
    {
        AfxSetMessageBoxHandler(m_previous);
        AfxSetAppTitle(m_title.c_str());
    }
    AfxMessageBoxHandler m_previous = nullptr;
    std::string m_title;
};

TEST_F(MessageBoxTest, PlatformValues)
{
    EXPECT_EQ(MB_OK, 0u);
    EXPECT_EQ(MB_OKCANCEL, 1u);
    EXPECT_EQ(MB_YESNOCANCEL, 3u);
    EXPECT_EQ(MB_YESNO, 4u);
    EXPECT_EQ(MB_RETRYCANCEL, 5u);
    EXPECT_EQ(MB_ICONSTOP, 0x10u);
    EXPECT_EQ(MB_ICONQUESTION, 0x20u);
    EXPECT_EQ(MB_ICONWARNING, 0x30u);
    EXPECT_EQ(MB_ICONINFORMATION, 0x40u);
    EXPECT_EQ(MB_DEFBUTTON2, 0x100u);
    EXPECT_EQ(MB_DEFBUTTON3, 0x200u);
    EXPECT_EQ(MB_SYSTEMMODAL, 0x1000u);
    EXPECT_EQ(MB_TASKMODAL, 0x2000u);
    EXPECT_EQ(MB_TOPMOST, 0x40000u);
    EXPECT_EQ(IDOK, 1);
    EXPECT_EQ(IDCANCEL, 2);
    EXPECT_EQ(IDABORT, 3);
    EXPECT_EQ(IDRETRY, 4);
    EXPECT_EQ(IDIGNORE, 5);
    EXPECT_EQ(IDYES, 6);
    EXPECT_EQ(IDNO, 7);
}

TEST_F(MessageBoxTest, HandlerGetsTextTitleAndFlags)
{
    AfxSetAppTitle("Planner");
    g_answer = IDNO;
    EXPECT_EQ(AfxMessageBox("Save changes?", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].text, "Save changes?");
    EXPECT_EQ(g_shown[0].caption, "Planner");
    EXPECT_EQ(g_shown[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_STREQ(AfxGetAppTitle(), "Planner");
}

TEST_F(MessageBoxTest, PromptFromStringResource)
{
    HINSTANCE h = AfxRegisterModule("MessageBoxTestModule");
    AfxRegisterString(h, 41001, "Disk full");
    g_answer = IDOK;
    EXPECT_EQ(AfxMessageBox(41001u, MB_OK | MB_ICONSTOP), IDOK);
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].text, "Disk full");
    EXPECT_EQ(g_shown[0].type, MB_OK | MB_ICONSTOP);
    AfxUnregisterModule(h);
}

TEST_F(MessageBoxTest, CaptionFallsBackToTitleString)
{
    AfxSetAppTitle(nullptr);
    EXPECT_STREQ(AfxGetAppTitle(), "");
    HINSTANCE h = AfxRegisterModule("MessageBoxTestTitle");
    AfxRegisterString(h, AFX_IDS_APP_TITLE, "\xCF\xEE\xC4\xBF");
    AfxMessageBox("x");
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].caption, "\xCF\xEE\xC4\xBF");
    AfxSetAppTitle("Set");
    AfxMessageBox("y");
    ASSERT_EQ(g_shown.size(), 2u);
    EXPECT_EQ(g_shown[1].caption, "Set");
    AfxUnregisterModule(h);
}

TEST_F(MessageBoxTest, SetHandlerReturnsPrevious)
{
    AfxMessageBoxHandler mine = AfxSetMessageBoxHandler(nullptr);
    EXPECT_EQ(mine, &Recorder);
    EXPECT_EQ(AfxSetMessageBoxHandler(&Recorder), &AfxDefaultMessageBoxHandler);
}

TEST_F(MessageBoxTest, DefaultAnswersAffirmativelyButNeverRetries)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(AfxDefaultMessageBoxHandler("a", "T", MB_OK), IDOK);
    EXPECT_EQ(AfxDefaultMessageBoxHandler("b", "T", MB_OKCANCEL), IDOK);
    EXPECT_EQ(AfxDefaultMessageBoxHandler("c", "T", MB_YESNO), IDYES);
    EXPECT_EQ(AfxDefaultMessageBoxHandler("d", "T", MB_YESNOCANCEL | MB_ICONWARNING), IDYES);
    EXPECT_EQ(AfxDefaultMessageBoxHandler("e", "T", MB_RETRYCANCEL), IDCANCEL);
    EXPECT_EQ(AfxDefaultMessageBoxHandler("f", "", MB_ABORTRETRYIGNORE), IDABORT);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "T: a\nT: b\nT: c\nT: d\nT: e\nf\n");
}

TEST_F(MessageBoxTest, DefaultWritesUtf8)
{
    testing::internal::CaptureStderr();
    AfxDefaultMessageBoxHandler("\xD6\xD0", nullptr, MB_OK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\xE4\xB8\xAD\n");
}

}  // namespace
