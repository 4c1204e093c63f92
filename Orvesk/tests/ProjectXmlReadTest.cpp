// Reading the project exchange XML.
#include <gtest/gtest.h>

#include <ClassLib/Core/Conversion.h>

#include "OrveskTestSupport.h"
#include "ProjectDoc.h"
#include "TestProjects.h"

namespace {

CString Project(const CString& inner)
{
    return "<PROJECT><ID>4</ID><NAME>p</NAME><MEMBERS></MEMBERS>" + inner + "</PROJECT>";
}

CString Task(const CString& name, const CString& inner = CString())
{
    return "<TASK><NAME>" + name + "</NAME>" + inner + "</TASK>";
}

CTaskItem* TopTask(CProjectDoc& doc, int n)
{
    POSITION pos = doc.m_listTasks.FindIndex(n);
    return pos == NULL ? nullptr : doc.m_listTasks.GetAt(pos);
}

} // namespace

TEST(ProjectXmlRead, HeaderLeavesAndTheirDefaults)
{
    CProjectDoc doc;
    doc.m_ProjectInfo.m_nPriority = 9;
    ASSERT_TRUE(doc.ParseProjectXml(
        "<PROJECT><ID>31</ID><NAME>名称</NAME><GOAL></GOAL><COST>12</COST><ACTCOST/>"
        "<CREATIONDATE>2004-5-1 0:0:0</CREATIONDATE><STARTDATE>2004年5月2日</STARTDATE>"
        "<FINISHDATE></FINISHDATE><FLAG>2</FLAG><PRIORITY></PRIORITY><STATUS>1</STATUS>"
        "<ISSUBPROJ>1</ISSUBPROJ><PROGRESS>40</PROGRESS><OTHER>x</OTHER><MEMBERS/></PROJECT>"));
    const CProjectInfo& info = doc.m_ProjectInfo;
    EXPECT_EQ(info.m_nProjID, 31);
    EXPECT_EQ(doc.m_nProjectID, 31);
    EXPECT_EQ(info.m_strName, CString("名称"));
    EXPECT_EQ(info.m_strGoal, CString(""));
    EXPECT_EQ(info.m_nCost, 12);
    EXPECT_EQ(info.m_nActCost, 0);
    EXPECT_EQ(info.m_dtCreation, MakeDate(2004, 5, 1));
    EXPECT_EQ(info.m_dtStart, MakeDate(2004, 5, 2));
    EXPECT_EQ(info.m_dtFinish.GetStatus(), COleDateTime::invalid); // empty date
    EXPECT_EQ(info.m_dtDeadline.GetStatus(), COleDateTime::valid);  // absent: unchanged
    EXPECT_EQ(info.m_nFlag, 0);                                    // FLAG is not read
    EXPECT_EQ(info.m_nPriority, 2);                                // empty: 2
    EXPECT_EQ(info.m_nStatus, 1);
    EXPECT_EQ(info.m_nIsSubProj, 1);
    EXPECT_EQ(info.m_nProgress, 40);
}

TEST(ProjectXmlRead, TaskLeavesAndTheirDefaults)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(Project(
        "<TASKS><TASK><ENTIREPROJID>4</ENTIREPROJID><TASKID>70</TASKID><PARENTID>3</PARENTID>"
        "<ISSUBPROJ>1</ISSUBPROJ><SUBPROJID>8</SUBPROJID><NAME>甲</NAME><DESC>说明</DESC>"
        "<COST>5</COST><ACTCOST>6</ACTCOST><STARTDATE>2004-5-3 8:0:0</STARTDATE>"
        "<ACTSTARTDATE>2004年5月4日</ACTSTARTDATE><FINISHDATE>2004-5-9 17:30:0</FINISHDATE>"
        "<ACTFINISHDATE></ACTFINISHDATE><DEADLINEDATE>2004-6-1 0:0:0</DEADLINEDATE>"
        "<EARLYSTARTDATE>2004-5-5 0:0:0</EARLYSTARTDATE><EARLYFINISHDATE>2004-5-6 0:0:0</EARLYFINISHDATE>"
        "<LATESTARTDATE>2004-5-7 0:0:0</LATESTARTDATE><LATEFINISHDATE>2004-5-8 0:0:0</LATEFINISHDATE>"
        "<DURATION>172800</DURATION><DURISEST></DURISEST><TRUEDURATION>3</TRUEDURATION>"
        "<ACTDURATION>4</ACTDURATION><PRIORITY></PRIORITY><STATUS>5</STATUS><PROGRESS>60</PROGRESS>"
        "<ASSIGNERID>9</ASSIGNERID><ISMILESTONGE>1</ISMILESTONGE><HASCHILDREN>7</HASCHILDREN>"
        "<ROWINGRID>3</ROWINGRID><FLAG>1</FLAG></TASK></TASKS>")));
    ASSERT_EQ(doc.m_listTasks.GetCount(), 1);
    const CTaskItem& t = *doc.m_listTasks.GetHead();
    EXPECT_EQ(t.m_nProjID, 4);
    EXPECT_EQ(t.m_nTaskID, 70);
    EXPECT_EQ(t.m_nParentID, 3);
    EXPECT_EQ(t.m_nIsTask, 0); // ISSUBPROJ 1
    EXPECT_EQ(t.m_nSubProjID, 8);
    EXPECT_EQ(t.m_strName, CString("甲"));
    EXPECT_EQ(t.m_strDesc, CString("说明"));
    EXPECT_EQ(t.m_nCost, 5);
    EXPECT_EQ(t.m_nActCost, 6);
    EXPECT_EQ(t.m_dtStart, MakeDate(2004, 5, 3, 8, 0, 0));
    EXPECT_EQ(t.m_dtActStart, MakeDate(2004, 5, 4));
    EXPECT_EQ(t.m_dtFinish, MakeDate(2004, 5, 9, 17, 30, 0));
    EXPECT_EQ(t.m_dtActFinish.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(t.m_dtDeadline, MakeDate(2004, 6, 1));
    EXPECT_EQ(t.m_dtEarlyStart, MakeDate(2004, 5, 5));
    EXPECT_EQ(t.m_dtEarlyFinish, MakeDate(2004, 5, 6));
    EXPECT_EQ(t.m_dtLateStart, MakeDate(2004, 5, 7));
    EXPECT_EQ(t.m_dtLateFinish, MakeDate(2004, 5, 8));
    EXPECT_EQ(t.m_nDuration, 172800);
    EXPECT_EQ(t.m_nDurIsEst, 1);  // empty DURISEST: 1
    EXPECT_EQ(t.m_nPriority, 0);  // empty task PRIORITY: 0
    EXPECT_EQ(t.m_nTrueDuration, 3);
    EXPECT_EQ(t.m_nActDuration, 4);
    EXPECT_EQ(t.m_nStatus, 5);
    EXPECT_EQ(t.m_nProgress, 60);
    EXPECT_EQ(t.m_nAssignerID, 9);
    EXPECT_EQ(t.m_nMilestone, 1);
    EXPECT_EQ(t.m_nRowInGrid, 3);
    EXPECT_EQ(t.m_nFlag, 0);
    EXPECT_TRUE(t.m_listChildren.IsEmpty()); // HASCHILDREN builds nothing
}

TEST(ProjectXmlRead, IsSubProjIsNegated)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(Project(
        "<TASKS>" + Task("a", "<ISSUBPROJ>1</ISSUBPROJ>") + Task("b", "<ISSUBPROJ>0</ISSUBPROJ>") +
        Task("c", "<ISSUBPROJ></ISSUBPROJ>") + Task("d", "<ISSUBPROJ>7</ISSUBPROJ>") + Task("e") +
        "</TASKS>")));
    ASSERT_EQ(doc.m_listTasks.GetCount(), 5);
    EXPECT_EQ(TopTask(doc, 0)->m_nIsTask, 0);
    EXPECT_EQ(TopTask(doc, 1)->m_nIsTask, 1);
    EXPECT_EQ(TopTask(doc, 2)->m_nIsTask, 1);
    EXPECT_EQ(TopTask(doc, 3)->m_nIsTask, 0);
    EXPECT_EQ(TopTask(doc, 4)->m_nIsTask, 1);

    // Writing it back gives ISSUBPROJ 1 for the sub-project.
    CString xml;
    doc.WriteProjectXml(xml);
    EXPECT_NE(xml.Find("<ISSUBPROJ>1</ISSUBPROJ><SUBPROJID>0</SUBPROJID><NAME>a</NAME>"), -1);
}

TEST(ProjectXmlRead, AbsentLeavesKeepTheRecordDefaults)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(Project("<TASKS>" + Task("a") + "</TASKS>")));
    const CTaskItem& t = *doc.m_listTasks.GetHead();
    EXPECT_EQ(t.m_nPriority, 2);
    EXPECT_EQ(t.m_nDurIsEst, 1);
    EXPECT_EQ(t.m_dtStart.GetStatus(), COleDateTime::valid);
}

TEST(ProjectXmlRead, CreationDateIsReadUnderBothNames)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(Project(
        "<TASKS>" + Task("a", "<CREATIONDATE>2004-1-2 0:0:0</CREATIONDATE>") +
        Task("b", "<CREATEDATE>2004年1月3日</CREATEDATE>") + "</TASKS>")));
    EXPECT_EQ(TopTask(doc, 0)->m_dtCreation, MakeDate(2004, 1, 2));
    EXPECT_EQ(TopTask(doc, 1)->m_dtCreation, MakeDate(2004, 1, 3));
}

TEST(ProjectXmlRead, UnreadableDateIsInvalid)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(Project("<TASKS>" +
                                            Task("a", "<STARTDATE>2004-2-30 0:0:0</STARTDATE>"
                                                      "<FINISHDATE>soon</FINISHDATE>") +
                                            "</TASKS>")));
    EXPECT_EQ(TopTask(doc, 0)->m_dtStart.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(TopTask(doc, 0)->m_dtFinish.GetStatus(), COleDateTime::invalid);
}

TEST(ProjectXmlRead, TreeLinksDocumentsAndAssignees)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(Project(
        "<TASKS>" +
        Task("top",
             "<ASSIGNEES><ASSIGNEE><RESCODE>R1</RESCODE></ASSIGNEE><ASSIGNEE><RESCODE></RESCODE>"
             "</ASSIGNEE><ASSIGNEE><RESCODE>R2</RESCODE></ASSIGNEE></ASSIGNEES>"
             "<LINKS><LINK><PREDID>55</PREDID><TYPE>2</TYPE><LOGICALTYPE>1</LOGICALTYPE>"
             "<SEQUENCE>3</SEQUENCE><LAG>4</LAG></LINK><LINK/></LINKS>"
             "<DOCUMENTS><REFDOC><DOCNAME>r</DOCNAME><DOCSOURCE>2</DOCSOURCE>"
             "<DOCLOCATION>/r</DOCLOCATION><DOCPDMCLASSID>6</DOCPDMCLASSID>"
             "<DOCPDMOBJECTID>7</DOCPDMOBJECTID></REFDOC><TARGETDOC><DOCNAME>t</DOCNAME>"
             "<DOCSOURCE></DOCSOURCE><TASKID>1</TASKID><DOCID>2</DOCID>"
             "<HOTLINKS><HOTLINK><X>1</X></HOTLINK></HOTLINKS></TARGETDOC></DOCUMENTS>"
             "<TASKS>" + Task("child", "<TASKS>" + Task("grand") + "</TASKS>") + Task("child2") +
                 "</TASKS>") +
        "</TASKS>")));
    ASSERT_EQ(doc.m_listTasks.GetCount(), 1);
    CTaskItem* pTop = doc.m_listTasks.GetHead();
    ASSERT_EQ(pTop->m_arrAssignees.GetSize(), 2);
    EXPECT_EQ(pTop->m_arrAssignees[0], CString("R1"));
    EXPECT_EQ(pTop->m_arrAssignees[1], CString("R2"));
    ASSERT_EQ(pTop->m_listLinks.GetCount(), 2);
    const CTaskLink* pLink = pTop->m_listLinks.GetHead();
    EXPECT_EQ(pLink->m_nPredID, 55);
    EXPECT_EQ(pLink->m_nSuccID, 0);
    EXPECT_EQ(pLink->m_nType, 2);
    EXPECT_EQ(pLink->m_nLogicalType, 1);
    EXPECT_EQ(pLink->m_nSequence, 3);
    EXPECT_EQ(pLink->m_nLag, 4);
    EXPECT_EQ(pTop->m_listLinks.GetTail()->m_nPredID, 0);
    ASSERT_EQ(pTop->m_listRefDocs.GetCount(), 1);
    const CRefDoc* pRef = pTop->m_listRefDocs.GetHead();
    EXPECT_EQ(pRef->m_strDocName, CString("r"));
    EXPECT_EQ(pRef->m_nDocSource, 2);
    EXPECT_EQ(pRef->m_strDocLocation, CString("/r"));
    EXPECT_EQ(pRef->m_nPdmClassID, 6);
    EXPECT_EQ(pRef->m_nPdmObjectID, 7);
    ASSERT_EQ(pTop->m_listTargetDocs.GetCount(), 1);
    EXPECT_EQ(pTop->m_listTargetDocs.GetHead()->m_strDocName, CString("t"));
    EXPECT_EQ(pTop->m_listTargetDocs.GetHead()->m_nDocSource, 0);
    ASSERT_EQ(pTop->m_listChildren.GetCount(), 2);
    CTaskItem* pChild = pTop->m_listChildren.GetHead();
    EXPECT_EQ(pChild->m_strName, CString("child"));
    ASSERT_EQ(pChild->m_listChildren.GetCount(), 1);
    EXPECT_EQ(pChild->m_listChildren.GetHead()->m_strName, CString("grand"));
    EXPECT_EQ(pTop->m_listChildren.GetTail()->m_strName, CString("child2"));
}

TEST(ProjectXmlRead, ForeignElementInLinksDropsOnlyThatTask)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(Project(
        "<TASKS>" + Task("before") + Task("bad", "<LINKS><LINK><PREDID>1</PREDID></LINK><FOO/></LINKS>") +
        Task("after") + "</TASKS>")));
    ASSERT_EQ(doc.m_listTasks.GetCount(), 2);
    EXPECT_EQ(TopTask(doc, 0)->m_strName, CString("before"));
    EXPECT_EQ(TopTask(doc, 1)->m_strName, CString("after"));
}

TEST(ProjectXmlRead, MalformedChildKeepsItsParentAndSiblings)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(Project(
        "<TASKS>" +
        Task("parent", "<TASKS>" + Task("c1") + Task("broken", "<ASSIGNEES><BAD/></ASSIGNEES>" "<DOCUMENTS><REFDOC><DOCNAME>d</DOCNAME></REFDOC></DOCUMENTS>") +
                           Task("c3") + "</TASKS>") +
        "</TASKS>")));
    ASSERT_EQ(doc.m_listTasks.GetCount(), 1);
    CTaskItem* pParent = doc.m_listTasks.GetHead();
    ASSERT_EQ(pParent->m_listChildren.GetCount(), 3);
    // A foreign element inside ASSIGNEES is ignored; the task stays.
    POSITION pos = pParent->m_listChildren.FindIndex(1);
    EXPECT_EQ(pParent->m_listChildren.GetAt(pos)->m_strName, CString("broken"));

    CProjectDoc doc2;
    ASSERT_TRUE(doc2.ParseProjectXml(Project(
        "<TASKS>" + Task("parent", "<TASKS>" + Task("c1") + Task("broken", "<LINKS><TASK/></LINKS>") +
                                       Task("c3") + "</TASKS>") +
        "</TASKS>")));
    pParent = doc2.m_listTasks.GetHead();
    ASSERT_EQ(pParent->m_listChildren.GetCount(), 2);
    EXPECT_EQ(pParent->m_listChildren.GetHead()->m_strName, CString("c1"));
    EXPECT_EQ(pParent->m_listChildren.GetTail()->m_strName, CString("c3"));
}

TEST(ProjectXmlRead, LeafOutsideATaskIsDropped)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(Project("<TASKS><NAME>x</NAME>" + Task("a") + "</TASKS>")));
    ASSERT_EQ(doc.m_listTasks.GetCount(), 1);
    EXPECT_EQ(doc.m_ProjectInfo.m_strName, CString("p"));
}

TEST(ProjectXmlRead, CommentsAndBlanksAreSteppedOver)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(
        "<PROJECT>\n  <!-- header -->\n  <NAME>n</NAME>\n  <TASKS>\n    <!-- first -->\n"
        "    <TASK>\n      <NAME>a</NAME>\n      <LINKS>\n        <!-- none -->\n"
        "        <LINK><PREDID>2</PREDID><!-- x --></LINK>\n      </LINKS>\n    </TASK>\n"
        "  </TASKS>\n</PROJECT>\n"));
    EXPECT_EQ(doc.m_ProjectInfo.m_strName, CString("n"));
    ASSERT_EQ(doc.m_listTasks.GetCount(), 1);
    ASSERT_EQ(doc.m_listTasks.GetHead()->m_listLinks.GetCount(), 1);
    EXPECT_EQ(doc.m_listTasks.GetHead()->m_listLinks.GetHead()->m_nPredID, 2);
}

TEST(ProjectXmlRead, MembersTakeTheirCodeOnly)
{
    CProjectDoc doc;
    ASSERT_TRUE(doc.ParseProjectXml(
        "<PROJECT><MEMBERS><MEMBER><RESCODE>R1</RESCODE><ROLETYPEID>0</ROLETYPEID><PERMID>2</PERMID>"
        "<RESNAME>张三</RESNAME><RESTYPE>3</RESTYPE></MEMBER><MEMBER><RESCODE></RESCODE></MEMBER>"
        "<MEMBER><RESNAME>x</RESNAME></MEMBER><MEMBER><RESCODE>R2</RESCODE></MEMBER></MEMBERS></PROJECT>"));
    ASSERT_EQ(doc.m_ProjectInfo.m_listMembers.GetCount(), 2);
    const tagResInfo& first = doc.m_ProjectInfo.m_listMembers.GetHead();
    EXPECT_EQ(first.strCode, CString("R1"));
    EXPECT_EQ(first.strName, CString(""));
    EXPECT_EQ(first.nType, 1);
    EXPECT_EQ(first.bIsAdmin, 1);
    EXPECT_EQ(first.bIsManager, 1);
    EXPECT_EQ(first.bIsExt, 0);
    EXPECT_EQ(doc.m_ProjectInfo.m_listMembers.GetTail().strCode, CString("R2"));
}

TEST(ProjectXmlRead, OneProgressStepPerParseCall)
{
    CProjectDoc doc;
    CProgressRecorder progress;
    // Parse runs on PROJECT and on each of its 3 children; a TASKS below a task adds one.
    ASSERT_TRUE(doc.ParseProjectXml(
        "<PROJECT><NAME>n</NAME><MEMBERS/><TASKS><TASK><TASKS><TASK/></TASKS></TASK></TASKS></PROJECT>"));
    EXPECT_EQ(progress.Trace(), ".....");
}

TEST(ProjectXmlRead, TextThatIsNoXmlReadsNothing)
{
    CProjectDoc doc;
    EXPECT_FALSE(doc.ParseProjectXml("<PROJECT><NAME>n</PROJECT>"));
    EXPECT_FALSE(doc.ParseProjectXml("not xml at all"));
    EXPECT_FALSE(doc.ParseProjectXml(""));
    EXPECT_TRUE(doc.m_ProjectInfo.m_strName.IsEmpty());
    EXPECT_TRUE(doc.m_listTasks.IsEmpty());
}

TEST(ProjectXmlRead, DeepNestingIsRefusedWithoutACrash)
{
    CString xml = "<PROJECT><TASKS>";
    const int nDepth = 3000;
    for (int i = 0; i < nDepth; ++i)
        xml += "<TASK><TASKS>";
    for (int i = 0; i < nDepth; ++i)
        xml += "</TASKS></TASK>";
    xml += "</TASKS></PROJECT>";
    CProjectDoc doc;
    doc.ParseProjectXml(xml);
    // Either refused as a whole or cut at the depth limit; never a crash.
    int depth = 0;
    for (CTaskItem* p = doc.m_listTasks.IsEmpty() ? nullptr : doc.m_listTasks.GetHead(); p != nullptr;
         p = p->m_listChildren.IsEmpty() ? nullptr : p->m_listChildren.GetHead())
        ++depth;
    EXPECT_LE(depth, 1000);
}

TEST(ProjectXmlRead, EveryDoubleByteCharacterComesBackIntact)
{
    // Every character of the code page, as the class library's converter knows it.
    CString all;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const char pair[2] = {(char)lead, (char)trail};
            const std::string utf8 = Utf8FromCp936(pair, 2);
            if (Cp936FromUtf8(utf8.data(), utf8.size()) == std::string(pair, 2))
                all.Append(pair, 2);
        }
    }
    ASSERT_GT(all.GetLength(), 2 * 20000);
    CProjectDoc doc;
    doc.m_ProjectInfo.m_strName = "a" + all + "<&>";
    CTaskItem* pTask = new CTaskItem;
    pTask->m_strDesc = all;
    doc.m_listTasks.AddTail(pTask);
    CString xml;
    doc.WriteProjectXml(xml);
    CProjectDoc back;
    ASSERT_TRUE(back.ParseProjectXml(xml));
    EXPECT_TRUE(back.m_ProjectInfo.m_strName == "a" + all + "<&>");
    ASSERT_EQ(back.m_listTasks.GetCount(), 1);
    EXPECT_TRUE(back.m_listTasks.GetHead()->m_strDesc == all);
}
