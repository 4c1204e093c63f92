#include <ClassLib/DocView/CommandLineInfo.h>

#include <gtest/gtest.h>

namespace {

// Feeds arguments as the application object does: a leading "-" or "/" is a flag mark.
void Feed(CCommandLineInfo& info, std::initializer_list<const char*> args)
{
    int n = static_cast<int>(args.size());
    int i = 0;
    for (const char* arg : args)
    {
        bool bFlag = AfxIsCommandLineFlag(arg) != FALSE;
        info.ParseParam(bFlag ? arg + 1 : arg, bFlag, i == n - 1);
        ++i;
    }
}

TEST(CommandLineInfoTest, NoArgumentsMeansANewFile)
{
    CCommandLineInfo info;
    EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);
    EXPECT_TRUE(info.m_strFileName.IsEmpty());
    EXPECT_TRUE(info.m_bShowSplash);
}

TEST(CommandLineInfoTest, APathOpensTheFile)
{
    CCommandLineInfo info;
    Feed(info, {"/home/a/plan.tlp"});
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
    EXPECT_STREQ("/home/a/plan.tlp", info.m_strFileName);
}

TEST(CommandLineInfoTest, OnlyTheFirstPathIsKept)
{
    CCommandLineInfo info;
    Feed(info, {"a.tlp", "b.tlp"});
    EXPECT_STREQ("a.tlp", info.m_strFileName);
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
}

TEST(CommandLineInfoTest, PrintToTakesPrinterDriverAndPort)
{
    CCommandLineInfo info;
    Feed(info, {"/pt", "doc.tlp", "Printer", "Driver", "Port"});
    EXPECT_EQ(CCommandLineInfo::FilePrintTo, info.m_nShellCommand);
    EXPECT_STREQ("doc.tlp", info.m_strFileName);
    EXPECT_STREQ("Printer", info.m_strPrinterName);
    EXPECT_STREQ("Driver", info.m_strDriverName);
    EXPECT_STREQ("Port", info.m_strPortName);
}

TEST(CommandLineInfoTest, FlagsAreCaseInsensitiveAndEmbeddingHidesTheSplash)
{
    CCommandLineInfo info;
    Feed(info, {"-EMBEDDING"});
    EXPECT_TRUE(info.m_bRunEmbedded);
    EXPECT_FALSE(info.m_bShowSplash);
    EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);

    CCommandLineInfo print;
    Feed(print, {"/P", "x.tlp"});
    EXPECT_EQ(CCommandLineInfo::FilePrint, print.m_nShellCommand);
}

TEST(CommandLineInfoTest, NologoAsTheLastArgumentStillHidesTheSplash)
{
    CCommandLineInfo info;
    Feed(info, {"a.tlp", "/nologo"});
    EXPECT_FALSE(info.m_bShowSplash);
    EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
}

TEST(CommandLineInfoTest, UnknownFlagsChangeNothing)
{
    CCommandLineInfo info;
    Feed(info, {"/x"});
    EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);
    EXPECT_TRUE(info.m_strFileName.IsEmpty());
}

TEST(CommandLineInfoTest, AbsolutePathsAreNotFlags)
{
    EXPECT_TRUE(AfxIsCommandLineFlag("/p"));
    EXPECT_TRUE(AfxIsCommandLineFlag("-x"));
    EXPECT_TRUE(AfxIsCommandLineFlag("/Embedding"));
    EXPECT_FALSE(AfxIsCommandLineFlag("/home/a/plan.tlp"));
    EXPECT_FALSE(AfxIsCommandLineFlag("plan.tlp"));
    EXPECT_FALSE(AfxIsCommandLineFlag(""));
    EXPECT_FALSE(AfxIsCommandLineFlag(nullptr));
}

TEST(CommandLineInfoTest, NullParameterIsTreatedAsEmpty)
{
    CCommandLineInfo info;
    info.ParseParam(nullptr, FALSE, TRUE);
    EXPECT_TRUE(info.m_strFileName.IsEmpty());
    EXPECT_EQ(CCommandLineInfo::FileNew, info.m_nShellCommand);
}

}  // namespace
