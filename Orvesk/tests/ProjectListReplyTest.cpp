// The project-list reply: which PROJ elements become rows, with which values and pictures.
#include <gtest/gtest.h>

#include "ProjectListReply.h"

namespace {

std::vector<CProjListEntry> Read(const char* pszXml, EProjListReply expected = PROJLIST_READ)
{
    std::vector<CProjListEntry> entries;
    EXPECT_EQ(ReadProjectListReply(pszXml, entries), expected) << pszXml;
    return entries;
}

TEST(ProjectListReply, ReadsEveryFieldInDocumentOrder)
{
    auto rows = Read("<PROJECTS>"
                     "<PROJ><ID>7</ID><NAME>桥梁工程</NAME><STATUS>1</STATUS><CREATIONDATE>2003-5-1</CREATIONDATE></PROJ>"
                     "<PROJ><CREATIONDATE>昨天 10:00</CREATIONDATE><STATUS>5</STATUS><NAME>B</NAME><ID>3</ID></PROJ>"
                     "</PROJECTS>");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].nID, 7);
    EXPECT_EQ(rows[0].strName, CString("桥梁工程"));
    EXPECT_EQ(rows[0].nStatus, 1);
    EXPECT_EQ(rows[0].strDate, CString("2003-5-1"));
    EXPECT_EQ(rows[1].nID, 3);
    EXPECT_EQ(rows[1].strName, CString("B"));
    EXPECT_EQ(rows[1].nStatus, 5);
    EXPECT_EQ(rows[1].strDate, CString("昨天 10:00"));
}

TEST(ProjectListReply, AChildOfAnotherNameEndsTheReading)
{
    auto rows = Read("<PROJECTS><PROJ><ID>1</ID></PROJ><PROJ><ID>2</ID></PROJ>"
                     "<PROJECT><ID>3</ID></PROJECT><PROJ><ID>4</ID></PROJ></PROJECTS>");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].nID, 1);
    EXPECT_EQ(rows[1].nID, 2);

    // A text node between the projects ends it too; blanks between elements do not.
    rows = Read("<PROJECTS>\n  <PROJ><ID>1</ID></PROJ>\n  <PROJ><ID>2</ID></PROJ>x<PROJ><ID>3</ID></PROJ></PROJECTS>");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].nID, 2);
}

TEST(ProjectListReply, EveryProjStartsFromTheDefaults)
{
    auto rows = Read("<PROJECTS>"
                     "<PROJ><ID>1</ID><NAME>甲</NAME><STATUS>5</STATUS><CREATIONDATE>d1</CREATIONDATE></PROJ>"
                     "<PROJ><ID>2</ID></PROJ>"
                     "<PROJ><ID>3</ID><NAME></NAME><STATUS></STATUS><CREATIONDATE/></PROJ>"
                     "</PROJECTS>");
    ASSERT_EQ(rows.size(), 3u);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(rows[i].strName, CString(""));
        EXPECT_EQ(rows[i].nStatus, 0);
        EXPECT_EQ(rows[i].strDate, CString(""));
    }
}

TEST(ProjectListReply, IdsAreReadLikeAtoiAndZeroGivesNoRow)
{
    auto rows = Read("<PROJECTS>"
                     "<PROJ><ID>12x</ID><NAME>a</NAME></PROJ>"
                     "<PROJ><ID>x</ID><NAME>b</NAME></PROJ>"
                     "<PROJ><NAME>c</NAME></PROJ>"
                     "<PROJ><ID>0</ID><NAME>d</NAME></PROJ>"
                     "<PROJ><ID>-3</ID><NAME>e</NAME></PROJ>"
                     "<PROJ><ID> 8</ID><STATUS>2y</STATUS><NAME>f</NAME></PROJ>"
                     "</PROJECTS>");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].nID, 12);
    EXPECT_EQ(rows[0].strName, CString("a"));
    EXPECT_EQ(rows[1].nID, -3);
    EXPECT_EQ(rows[1].strName, CString("e"));
    EXPECT_EQ(rows[2].nID, 8);
    EXPECT_EQ(rows[2].nStatus, 2);
}

TEST(ProjectListReply, OtherNodesInsideAProjAreSteppedOver)
{
    auto rows = Read("<PROJECTS><PROJ>text<id>9</id><ID>4</ID><!-- note --><OTHER>1</OTHER><NAME>n</NAME></PROJ></PROJECTS>");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].nID, 4);
    EXPECT_EQ(rows[0].strName, CString("n"));
}

TEST(ProjectListReply, NamesAreComparedWithTheirCase)
{
    EXPECT_TRUE(Read("<projects><PROJ><ID>1</ID></PROJ></projects>", PROJLIST_WRONG_ROOT).empty());
    EXPECT_TRUE(Read("<PROJECTS><proj><ID>1</ID></proj><PROJ><ID>2</ID></PROJ></PROJECTS>").empty());
}

TEST(ProjectListReply, RepliesThatAreNoProjectListGiveNothingAndSaySo)
{
    EXPECT_TRUE(Read("", PROJLIST_EMPTY_TEXT).empty());
    EXPECT_TRUE(Read("not xml at all", PROJLIST_NOT_XML).empty());
    EXPECT_TRUE(Read("<PROJECTS><PROJ><ID>1</ID></PROJ>", PROJLIST_NOT_XML).empty());
    EXPECT_TRUE(Read("<PROJECT><PROJ><ID>1</ID></PROJ></PROJECT>", PROJLIST_WRONG_ROOT).empty());
    // A list without projects is a proper answer.
    EXPECT_TRUE(Read("<PROJECTS></PROJECTS>").empty());
    EXPECT_TRUE(Read("<PROJECTS/>").empty());
}

TEST(ProjectListReply, StatusPictures)
{
    EXPECT_EQ(ProjectStatusImage(0), 0);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(ProjectStatusImage(n), 1) << n;
    EXPECT_EQ(ProjectStatusImage(5), 2);
    EXPECT_EQ(ProjectStatusImage(6), 0);
    EXPECT_EQ(ProjectStatusImage(-1), 0);
}

} // namespace
