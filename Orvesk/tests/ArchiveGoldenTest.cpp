// The local project file, byte for byte.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "OrveskTestSupport.h"
#include "ProjectDoc.h"
#include "TestProjects.h"

namespace {

// Bytes from a text of hexadecimal pairs; blanks, line breaks and '|' separate, and a
// quoted "text" stands for its ASCII bytes.
std::string Bytes(const char* hex)
{
    std::string out;
    for (const char* p = hex; *p;) {
        if (*p == '"') {
            for (++p; *p && *p != '"'; ++p)
                out += *p;
            if (*p)
                ++p;
        } else if (isxdigit((unsigned char)p[0]) && isxdigit((unsigned char)p[1])) {
            out += (char)std::stoi(std::string(p, 2), nullptr, 16);
            p += 2;
        } else {
            ++p;
        }
    }
    return out;
}

std::string SavedBytes(CProjectDoc& doc)
{
    CTempFolder folder;
    const std::string path = folder.Path("p.tlp");
    CString error;
    EXPECT_TRUE(doc.SaveLocalFile(path.c_str(), error)) << (LPCTSTR)error;
    return ReadFileBytes(path);
}

#define Z12 "00000000 0000000000000000"

// A two-task project: a top-level task with a successor row and an assignee, and its
// child with a link and a reference document; one weekday, one dated period, one
// resource and one permission.
void FillGoldenProject(CProjectDoc& doc)
{
    doc.m_ProjectInfo.m_strName = "P";
    doc.m_ProjectInfo.m_nProjID = 3;
    doc.m_ProjectInfo.m_dtStart = MakeDate(2004, 5, 1);
    doc.m_ProjectInfo.m_nStatus = 1;
    doc.m_ProjectInfo.m_nCost = 10;
    doc.m_ProjectInfo.m_nFlag = FLAG_MODIFIED; // not stored
    doc.m_ProjectInfo.m_nProgress = 50;        // not stored

    CTaskItem* pTop = new CTaskItem;
    pTop->m_strName = "设计";
    pTop->m_nTaskID = 11;
    pTop->m_nProjID = 3;
    pTop->m_nRowInGrid = 1;
    pTop->m_nDuration = 86400;
    pTop->m_arrSuccessors.Add(2);
    pTop->m_arrAssignees.Add("R1");
    pTop->m_nFlag = FLAG_MODIFIED;
    pTop->m_nCritical = 1;
    doc.m_listTasks.AddTail(pTop);

    CTaskItem* pChild = new CTaskItem;
    pChild->m_strName = "A";
    pChild->m_nTaskID = 12;
    pChild->m_nProjID = 3;
    pChild->m_nRowInGrid = 2;
    pChild->m_nParentID = 11;
    CTaskLink* pLink = new CTaskLink;
    pLink->m_nLag = 1;
    pLink->m_nType = 1;
    pLink->m_nPredID = 11;
    pLink->m_nSuccID = 1;
    pLink->m_strPredName = "设计";
    pChild->m_listLinks.AddTail(pLink);
    CRefDoc* pRef = new CRefDoc;
    pRef->m_strDocName = "图";
    pRef->m_strDocLocation = "/a";
    pRef->m_nDocSource = 2;
    pRef->m_nPdmObjectID = 5;
    pChild->m_listRefDocs.AddTail(pRef);
    pTop->m_listChildren.AddTail(pChild);

    CDayOfWeek* pDay = new CDayOfWeek;
    pDay->m_nDay = 6;
    pDay->m_bWorking = 0;
    doc.m_listDayOfWeek.AddTail(pDay);
    CCalendarItem* pItem = new CCalendarItem;
    pItem->m_bWorking = 1;
    pItem->m_dtFrom = MakeDate(2004, 5, 1);
    pItem->m_dtTo = MakeDate(2004, 5, 1, 12, 0, 0);
    doc.m_listCalendarItems.AddTail(pItem);

    tagResInfo res = MakeResource("R1", "", 4);
    doc.m_listResources.AddTail(res);
    tagPermInfo perm;
    perm.strCode = "R1";
    perm.nOpenProj = 1;
    perm.nLookProgress = 1;
    perm.nForum = 1;
    perm.strName = "甲";
    doc.m_listPermissions.AddTail(perm);

    doc.m_nMaxRowInGrid = 2;
    doc.m_nCalID = 0;
}

const char kGolden[] =
    // header: no member, name, goal, id, six dates, priority, status, cost, actual cost
    "00000000 | 01 \"P\" | 00 | 03000000 |"
    " 00000000 00000000809be240 |" Z12 Z12 Z12 Z12 Z12 "|"
    " 02000000 01000000 0a000000 00000000 |"
    // top-level tasks: one; class CTaskItem, schema 2
    " 0100 | ffff 0200 0900 \"CTaskItem\" |"
    // top task: successor rows
    " 01000000 02000000 |"
    // its children: one, a CTaskItem again: class-index tag
    " 0100 | 0180 |"
    // child: no successor rows, no children
    "   00000000 | 0000 |"
    // child's links: one CTaskLink (lag, type, logical type, task id, row, sequence, name)
    "   0100 ffff 0100 0900 \"CTaskLink\" 01000000 01000000 00000000 0b000000 01000000 00000000"
    "   04 c9e8bcc6 |"
    // child's reference documents: one CRefDoc (name, location, source, class id, object id)
    "   0100 ffff 0100 0700 \"CRefDoc\" 02 cdbc 02 \"/a\" 02000000 00000000 05000000 |"
    // child's target documents and assignees: none
    "   0000 | 0000 |"
    // child's own fields
    "   01 \"A\" 0c000000 03000000 00 |" Z12 "| 00000000 00000000 00000000 02000000 00000000"
    "   02000000 0b000000 14000000 00000000 00000000 00000000 |" Z12 Z12 "| 00000000 |" Z12 "|"
    "   01000000 00000000 01000000 |" Z12 Z12 "| 00000000 |" Z12 Z12 Z12 Z12 "|"
    // top task: no links, documents; one assignee
    " 0000 | 0000 | 0000 | 0100 02 \"R1\" |"
    // top task's own fields
    " 04 c9e8bcc6 0b000000 03000000 00 |" Z12 "| 00000000 00000000 00000000 01000000 00000000"
    " 02000000 00000000 14000000 80510100 00000000 00000000 |" Z12 Z12 "| 00000000 |" Z12 "|"
    " 01000000 00000000 01000000 |" Z12 Z12 "| 00000000 |" Z12 Z12 Z12 Z12 "|"
    // weekdays: one CDayOfWeek (working, day, text)
    " 0100 ffff 0100 0a00 \"CDayOfWeek\" 00000000 06000000 00 |"
    // dated periods: one CCalendarItem (working, from, to, reserved)
    " 0100 ffff 0100 0d00 \"CCalendarItem\" 01000000 00000000 00000000809be240"
    " 00000000 00000000909be240 00000000 |"
    // resources: id, code, unit, type, name, admin, manager, description, ext, cost, actual cost
    " 01000000 | 04000000 02 \"R1\" 00 01000000 00 01000000 01000000 00 00000000 00000000 00000000 |"
    // permissions: code, six rights, description, name
    " 01000000 | 02 \"R1\" 01000000 00000000 00000000 00000000 01000000 01000000 00 02 bcd7 |"
    // max row, calendar id, base calendar id, calendar name
    " 02000000 00000000 feffffff 00";

} // namespace

TEST(ArchiveGolden, TwoTaskProjectWritesTheExactBytes)
{
    CProjectDoc doc;
    FillGoldenProject(doc);
    EXPECT_EQ(SavedBytes(doc), Bytes(kGolden));
}

TEST(ArchiveGolden, GoldenFileOpensHere)
{
    CTempFolder folder;
    const std::string path = folder.Path("golden.tlp");
    WriteFileBytes(path, Bytes(kGolden));
    CProjectDoc doc;
    CString error;
    ASSERT_TRUE(doc.LoadLocalFile(path.c_str(), error)) << (LPCTSTR)error;

    EXPECT_EQ(doc.m_ProjectInfo.m_strName, CString("P"));
    EXPECT_EQ(doc.m_ProjectInfo.m_nProjID, 3);
    EXPECT_EQ(doc.m_nProjectID, 3);
    EXPECT_EQ(doc.m_ProjectInfo.m_dtStart, MakeDate(2004, 5, 1));
    EXPECT_EQ(doc.m_ProjectInfo.m_nStatus, 1);
    EXPECT_EQ(doc.m_ProjectInfo.m_nCost, 10);
    EXPECT_EQ(doc.m_ProjectInfo.m_nFlag, 0);
    EXPECT_EQ(doc.m_ProjectInfo.m_nProgress, 0);
    ASSERT_EQ(doc.m_listTasks.GetCount(), 1);
    CTaskItem* pTop = doc.m_listTasks.GetHead();
    EXPECT_EQ(pTop->m_strName, CString("设计"));
    EXPECT_EQ(pTop->m_nDuration, 86400);
    EXPECT_EQ(pTop->m_nFlag, 0);
    EXPECT_EQ(pTop->m_nCritical, 0);
    EXPECT_EQ(pTop->m_nIsTask, 1);
    ASSERT_EQ(pTop->m_arrSuccessors.GetSize(), 1);
    EXPECT_EQ(pTop->m_arrSuccessors[0], 2u);
    ASSERT_EQ(pTop->m_arrAssignees.GetSize(), 1);
    EXPECT_EQ(pTop->m_arrAssignees[0], CString("R1"));
    ASSERT_EQ(pTop->m_listChildren.GetCount(), 1);
    CTaskItem* pChild = pTop->m_listChildren.GetHead();
    EXPECT_EQ(pChild->m_strName, CString("A"));
    EXPECT_EQ(pChild->m_nParentID, 11);
    ASSERT_EQ(pChild->m_listLinks.GetCount(), 1);
    EXPECT_EQ(pChild->m_listLinks.GetHead()->m_strPredName, CString("设计"));
    EXPECT_EQ(pChild->m_listLinks.GetHead()->m_nSuccID, 1);
    ASSERT_EQ(pChild->m_listRefDocs.GetCount(), 1);
    EXPECT_EQ(pChild->m_listRefDocs.GetHead()->m_strDocName, CString("图"));
    EXPECT_EQ(pChild->m_listRefDocs.GetHead()->m_nPdmObjectID, 5);
    ASSERT_EQ(doc.m_listDayOfWeek.GetCount(), 1);
    EXPECT_EQ(doc.m_listDayOfWeek.GetHead()->m_nDay, 6);
    ASSERT_EQ(doc.m_listCalendarItems.GetCount(), 1);
    EXPECT_EQ(doc.m_listCalendarItems.GetHead()->m_dtTo, MakeDate(2004, 5, 1, 12, 0, 0));
    ASSERT_EQ(doc.m_listResources.GetCount(), 1);
    EXPECT_EQ(doc.m_listResources.GetHead().nID, 4);
    ASSERT_EQ(doc.m_listPermissions.GetCount(), 1);
    EXPECT_EQ(doc.m_listPermissions.GetHead().strName, CString("甲"));
    EXPECT_EQ(doc.m_nMaxRowInGrid, 2);
    EXPECT_EQ(doc.m_nCalBaseID, -2);

    // And writes the same bytes again.
    EXPECT_EQ(SavedBytes(doc), Bytes(kGolden));
}

TEST(ArchiveGolden, EmptyDocument)
{
    CProjectDoc doc;
    EXPECT_EQ(SavedBytes(doc), Bytes("00000000 00 00 00000000" Z12 Z12 Z12 Z12 Z12 Z12
                                     "02000000 00000000 00000000 00000000"
                                     "0000 0000 0000 00000000 00000000"
                                     "00000000 00000000 feffffff 00"));
}

TEST(ArchiveGolden, StringLengthPrefixes)
{
    struct Case
    {
        int nLength;
        const char* prefix;
    } cases[] = {{254, "fe"}, {255, "ff ff00"}, {300, "ff 2c01"}, {65534, "ff ffff feff0000"}};
    for (const Case& c : cases) {
        CProjectDoc doc;
        doc.m_ProjectInfo.m_strName = CString('n', c.nLength);
        const std::string bytes = SavedBytes(doc);
        const std::string prefix = Bytes(c.prefix);
        ASSERT_GT(bytes.size(), 4 + prefix.size() + c.nLength);
        EXPECT_EQ(bytes.substr(4, prefix.size()), prefix) << c.nLength;
        EXPECT_EQ(bytes.substr(4 + prefix.size(), c.nLength), std::string(c.nLength, 'n'));
        EXPECT_EQ(bytes[4 + prefix.size() + c.nLength], '\0'); // the empty goal follows

        CTempFolder folder;
        const std::string path = folder.Path("s.tlp");
        WriteFileBytes(path, bytes);
        CProjectDoc back;
        CString error;
        ASSERT_TRUE(back.LoadLocalFile(path.c_str(), error)) << (LPCTSTR)error;
        EXPECT_EQ(back.m_ProjectInfo.m_strName.GetLength(), c.nLength);
    }
}

TEST(ArchiveGolden, TaskSchemaOneIsAcceptedLinkSchemaTwoRefused)
{
    const std::string golden = Bytes(kGolden);
    const std::string taskClass = Bytes("ffff 0200 0900 \"CTaskItem\"");
    const std::string linkClass = Bytes("ffff 0100 0900 \"CTaskLink\"");
    ASSERT_NE(golden.find(taskClass), std::string::npos);
    ASSERT_NE(golden.find(linkClass), std::string::npos);

    std::string schemaOne = golden;
    schemaOne[schemaOne.find(taskClass) + 2] = 1;
    CTempFolder folder;
    WriteFileBytes(folder.Path("one.tlp"), schemaOne);
    CProjectDoc doc;
    CString error;
    ASSERT_TRUE(doc.LoadLocalFile(folder.Path("one.tlp").c_str(), error)) << (LPCTSTR)error;
    ASSERT_EQ(doc.m_listTasks.GetCount(), 1);
    EXPECT_EQ(doc.m_listTasks.GetHead()->m_listChildren.GetCount(), 1);

    std::string linkTwo = golden;
    linkTwo[linkTwo.find(linkClass) + 2] = 2;
    WriteFileBytes(folder.Path("two.tlp"), linkTwo);
    CProjectDoc refused;
    refused.m_ProjectInfo.m_strName = "open";
    EXPECT_FALSE(refused.LoadLocalFile(folder.Path("two.tlp").c_str(), error));
    EXPECT_NE(error.Find("two.tlp"), -1);
    EXPECT_EQ(refused.m_ProjectInfo.m_strName, CString("open"));
    EXPECT_TRUE(refused.m_listTasks.IsEmpty());
}

TEST(ArchiveGolden, RemovedTaskIsLeftOutOfItsList)
{
    CProjectDoc withRemoved, without;
    FillGoldenProject(withRemoved);
    FillGoldenProject(without);

    CTaskItem* pGoneTop = new CTaskItem;
    pGoneTop->m_strName = "gone";
    pGoneTop->m_nFlag = FLAG_REMOVED;
    withRemoved.m_listTasks.AddHead(pGoneTop);
    CTaskItem* pGoneChild = new CTaskItem;
    pGoneChild->m_nFlag = FLAG_REMOVED;
    pGoneChild->m_listChildren.AddTail(new CTaskItem);
    withRemoved.m_listTasks.GetTail()->m_listChildren.AddHead(pGoneChild);

    EXPECT_EQ(SavedBytes(withRemoved), Bytes(kGolden));
    EXPECT_EQ(SavedBytes(without), Bytes(kGolden));
}

TEST(ArchiveGolden, HeaderMarkedRemovedWritesNothing)
{
    CProjectDoc doc;
    doc.m_ProjectInfo.m_nFlag = FLAG_REMOVED;
    CTempFolder folder;
    const std::string path = folder.Path("x.tlp");
    WriteFileBytes(path, "previous");
    CString error;
    EXPECT_FALSE(doc.SaveLocalFile(path.c_str(), error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ(ReadFileBytes(path), "previous");
}
