// Reading a project text the caller hands over; numbers and leaf names as the reader
// takes them.
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

#include "OrveskTestSupport.h"
#include "ProjectDoc.h"
#include "TestProjects.h"
#include "XmlWalk.h"

namespace {

const char kProject[] =
    "<PROJECT><ID>4</ID><NAME>项目</NAME><MEMBERS><MEMBER><RESCODE>R1</RESCODE></MEMBER></MEMBERS>"
    "<TASKS><TASK><TASKID>7</TASKID><NAME>甲 &amp; 乙</NAME><STARTDATE>2004年5月4日</STARTDATE>"
    "<TASKS><TASK><TASKID>8</TASKID><LINKS><LINK><PREDID>7</PREDID></LINK></LINKS></TASK></TASKS>"
    "</TASK></TASKS></PROJECT>";

// The earlier reading of a number: strtoll, then saturated to the int range.
int ReferenceAtoi(const char* text)
{
    errno = 0;
    const long long v = std::strtoll(text, nullptr, 10);
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : (int)v;
}

} // namespace

TEST(ProjectXmlHandOver, AHandedOverTextIsReleasedAndReadAsAKeptOne)
{
    CProjectDoc kept;
    const CString text = kProject;
    ASSERT_TRUE(kept.ParseProjectXml(text));

    CString handed = text;
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(std::move(handed)));
    EXPECT_TRUE(handed.IsEmpty());
    EXPECT_LT(handed.str().capacity(), (size_t)text.GetLength());

    EXPECT_EQ(doc.m_nProjectID, 4);
    EXPECT_EQ(doc.m_ProjectInfo.m_strName, CString("项目"));
    ASSERT_EQ(doc.m_ProjectInfo.m_listMembers.GetCount(), 1);
    ASSERT_EQ(doc.m_listTasks.GetCount(), 1);
    const CTaskItem* pTop = doc.m_listTasks.GetHead();
    EXPECT_EQ(pTop->m_strName, CString("甲 & 乙"));
    EXPECT_EQ(pTop->m_dtStart, MakeDate(2004, 5, 4));
    EXPECT_EQ(pTop->m_dtStart, kept.m_listTasks.GetHead()->m_dtStart);
    ASSERT_EQ(pTop->m_listChildren.GetCount(), 1);
    ASSERT_EQ(pTop->m_listChildren.GetHead()->m_listLinks.GetCount(), 1);
    EXPECT_EQ(pTop->m_listChildren.GetHead()->m_listLinks.GetHead()->m_nPredID, 7);
}

TEST(ProjectXmlHandOver, AHandedOverTextThatIsNoXmlReadsNothing)
{
    CProjectDoc doc;
    CString handed = "<PROJECT><NAME>n</NAME><TASKS><TASK></TASKS></PROJECT>";
    EXPECT_FALSE(doc.ParseProjectXml(std::move(handed)));
    EXPECT_TRUE(handed.IsEmpty());
    EXPECT_TRUE(doc.m_ProjectInfo.m_strName.IsEmpty());
    EXPECT_TRUE(doc.m_listTasks.IsEmpty());
}

TEST(ProjectXmlNumbers, ReadAsBeforeWithBlanksSignsAndSaturation)
{
    const char* const texts[] = {
        "0", "7", "-7", "+7", "  12", "\t\n\r 12", " -12x", "12 34", "x12", "", "-", "+", " ", "-0", "00012",
        "2147483647", "2147483648", "-2147483648", "-2147483649", "99999999999", "-99999999999",
        "9223372036854775807", "9223372036854775808", "-9223372036854775809",
        "123456789012345678901234567890", "-123456789012345678901234567890", "--1", "+-1", "1e3", "0x10",
        "\xE4\xB8\x80" "1",
    };
    for (const char* text : texts)
        EXPECT_EQ(ReferenceAtoi(text), XmlAtoi(text)) << '"' << text << '"';
}

TEST(ProjectXmlNumbers, ANumberLeafIsSaturatedAndAnEmptyOneTakesTheDefault)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(
        "<PROJECT><TASKS><TASK><TASKID> 99999999999 </TASKID><COST>-99999999999</COST><ACTCOST> -12x</ACTCOST>"
        "<DURISEST></DURISEST><DURATION>+5</DURATION></TASK></TASKS></PROJECT>"));
    ASSERT_EQ(doc.m_listTasks.GetCount(), 1);
    const CTaskItem& t = *doc.m_listTasks.GetHead();
    EXPECT_EQ(t.m_nTaskID, INT_MAX);
    EXPECT_EQ(t.m_nCost, INT_MIN);
    EXPECT_EQ(t.m_nActCost, -12);
    EXPECT_EQ(t.m_nDurIsEst, 1);
    EXPECT_EQ(t.m_nDuration, 5);
}

TEST(ProjectXmlNames, NamesCloseToATaskLeafAreNotIt)
{
    CProjectDoc doc;
    // Same length and first and last letters as a leaf, same length and first letter, one
    // letter longer or shorter, other case.
    ASSERT_TRUE(doc.ParseProjectXml(
        "<PROJECT><TASKS><TASK><TAXKID>9</TAXKID><CXXT>9</CXXT><DURATIXN>9</DURATIXN><TASKIE>9</TASKIE><TASKI>9</TASKI><TASKIDS>9</TASKIDS><taskid>9</taskid>"
        "<DURATIOM>9</DURATIOM><PROGRESX>9</PROGRESX><NAMES>n</NAMES><NAMF>n</NAMF><N>n</N>"
        "<EARLYFINISHDATF>2004-5-5 0:0:0</EARLYFINISHDATF><CREATEDAT>2004-5-5 0:0:0</CREATEDAT>"
        "<DURISEST>0</DURISEST><PROGRESS>3</PROGRESS></TASK></TASKS></PROJECT>"));
    ASSERT_EQ(doc.m_listTasks.GetCount(), 1);
    const CTaskItem& t = *doc.m_listTasks.GetHead();
    const CTaskItem defaults;
    EXPECT_EQ(t.m_nTaskID, defaults.m_nTaskID);
    EXPECT_EQ(t.m_nDuration, defaults.m_nDuration);
    EXPECT_EQ(t.m_nCost, defaults.m_nCost);
    EXPECT_EQ(t.m_strName, defaults.m_strName);
    EXPECT_EQ(t.m_dtEarlyFinish, defaults.m_dtEarlyFinish);
    EXPECT_EQ(t.m_dtCreation, defaults.m_dtCreation);
    EXPECT_EQ(t.m_nDurIsEst, 0);
    EXPECT_EQ(t.m_nProgress, 3);
}
