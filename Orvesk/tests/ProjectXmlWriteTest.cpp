// The project exchange XML the save sends.
#include <gtest/gtest.h>

#include "OrveskTestSupport.h"
#include "ProjectDoc.h"
#include "TestProjects.h"

namespace {

const char kDefaultDash[] = "1899-12-30 0:0:0";

const char kSampleHeader[] =
    "<PROJECT><ID>12</ID><NAME>工程&amp;&lt;甲&gt;</NAME><GOAL>目标</GOAL>"
    "<COST>100</COST><ACTCOST>50</ACTCOST>"
    "<CREATIONDATE>2004-5-1 0:0:0</CREATIONDATE><STARTDATE>2004-5-2 8:30:0</STARTDATE>"
    "<ACTSTARTDATE>1899-12-30 0:0:0</ACTSTARTDATE><FINISHDATE>2004-6-30 17:0:0</FINISHDATE>"
    "<ACTFINISHDATE>1899-12-30 0:0:0</ACTFINISHDATE><DEADLINEDATE>2004-7-1 0:0:0</DEADLINEDATE>"
    "<FLAG>1</FLAG><PRIORITY>2</PRIORITY><STATUS>0</STATUS><ISSUBPROJ>0</ISSUBPROJ>"
    "<PROGRESS>10</PROGRESS>"
    "<MEMBERS><MEMBER><RESCODE>R1</RESCODE><ROLETYPEID>0</ROLETYPEID><PERMID>2</PERMID>"
    "<RESNAME>张三</RESNAME><RESDESC>d</RESDESC><RESUNIT>人</RESUNIT>"
    "<RESTYPE>1</RESTYPE><RESACTCOST>0</RESACTCOST><RESCOST>5</RESCOST>"
    "<RESISADMIN>1</RESISADMIN><RESISEXT>0</RESISEXT><RESISMANAGER>1</RESISMANAGER>"
    "</MEMBER></MEMBERS>";

const char kSampleTop[] =
    "<TASK><ENTIREPROJID>12</ENTIREPROJID><TASKID>0</TASKID><PARENTID>0</PARENTID>"
    "<ISSUBPROJ>0</ISSUBPROJ><SUBPROJID>0</SUBPROJID><NAME>设计</NAME><DESC></DESC>"
    "<COST>10</COST><ACTCOST>0</ACTCOST>"
    "<STARTDATE>2004-5-3 8:0:0</STARTDATE><ACTSTARTDATE>1899-12-30 0:0:0</ACTSTARTDATE>"
    "<FINISHDATE>2004-5-10 17:0:0</FINISHDATE><ACTFINISHDATE>1899-12-30 0:0:0</ACTFINISHDATE>"
    "<CREATIONDATE>2004-5-1 0:0:0</CREATIONDATE><DEADLINEDATE>1899-12-30 0:0:0</DEADLINEDATE>"
    "<EARLYSTARTDATE>1899-12-30 0:0:0</EARLYSTARTDATE>"
    "<EARLYFINISHDATE>1899-12-30 0:0:0</EARLYFINISHDATE>"
    "<LATESTARTDATE>1899-12-30 0:0:0</LATESTARTDATE>"
    "<LATEFINISHDATE>1899-12-30 0:0:0</LATEFINISHDATE>"
    "<DURATION>432000</DURATION><DURISEST>1</DURISEST> \t\t\t\t"
    "<TRUEDURATION>0</TRUEDURATION><ACTDURATION>0</ACTDURATION> \t\t\t\t"
    "<PRIORITY>2</PRIORITY><STATUS>0</STATUS><PROGRESS>0</PROGRESS> \t\t\t\t"
    "<ASSIGNERID>7</ASSIGNERID><ISMILESTONGE>0</ISMILESTONGE> \t\t\t\t"
    "<HASCHILDREN>1</HASCHILDREN><ROWINGRID>1</ROWINGRID><FLAG>1</FLAG>"
    "<ASSIGNEES><ASSIGNEE><RESCODE>R1</RESCODE></ASSIGNEE></ASSIGNEES>";

const char kSampleChildren[] =
    "<TASKS><TASK><ENTIREPROJID>12</ENTIREPROJID><TASKID>0</TASKID><PARENTID>0</PARENTID>"
    "<ISSUBPROJ>1</ISSUBPROJ><SUBPROJID>30</SUBPROJID><NAME>A&lt;B</NAME><DESC>x</DESC>"
    "<COST>0</COST><ACTCOST>0</ACTCOST>"
    "<STARTDATE>2004年5月3日</STARTDATE><ACTSTARTDATE>1899年12月30日</ACTSTARTDATE>"
    "<FINISHDATE>1899年12月30日</FINISHDATE><ACTFINISHDATE>1899年12月30日</ACTFINISHDATE>"
    "<CREATIONDATE>1899年12月30日</CREATIONDATE><DEADLINEDATE>1899年12月30日</DEADLINEDATE>"
    "<EARLYSTARTDATE>1899年12月30日</EARLYSTARTDATE>"
    "<EARLYFINISHDATE>1899年12月30日</EARLYFINISHDATE>"
    "<LATESTARTDATE>1899年12月30日</LATESTARTDATE>"
    "<LATEFINISHDATE>1899年12月30日</LATEFINISHDATE>"
    "<DURATION>86400</DURATION><DURISEST>0</DURISEST> \t\t\t\t"
    "<TRUEDURATION>0</TRUEDURATION><ACTDURATION>0</ACTDURATION> \t\t\t\t"
    "<PRIORITY>2</PRIORITY><STATUS>0</STATUS><PROGRESS>0</PROGRESS> \t\t\t\t"
    "<ASSIGNERID>0</ASSIGNERID><ISMILESTONGE>1</ISMILESTONGE> \t\t\t\t"
    "<HASCHILDREN>0</HASCHILDREN><ROWINGRID>2</ROWINGRID><FLAG>1</FLAG>"
    "<LINKS><LINK><PREDID>1</PREDID><TYPE>1</TYPE><LOGICALTYPE>0</LOGICALTYPE>"
    "<SEQUENCE>1</SEQUENCE><LAG>2</LAG></LINK></LINKS>"
    "<DOCUMENTS><REFDOC><DOCNAME>图纸&amp;1</DOCNAME><DOCLOCATION>/d/a.dwg</DOCLOCATION>"
    "<DOCSOURCE>2</DOCSOURCE><DOCPDMCLASSID>3</DOCPDMCLASSID><DOCPDMOBJECTID>4</DOCPDMOBJECTID> "
    "</REFDOC></DOCUMENTS></TASK></TASKS>";

const char kSampleRemoved[] =
    "<TASK><ENTIREPROJID>12</ENTIREPROJID><TASKID>77</TASKID><PARENTID>0</PARENTID>"
    "<ISSUBPROJ>0</ISSUBPROJ><SUBPROJID>0</SUBPROJID><NAME>旧</NAME><DESC></DESC>"
    "<COST>0</COST><ACTCOST>0</ACTCOST>"
    "<STARTDATE>2004-5-3 0:0:0</STARTDATE><ACTSTARTDATE>1899-12-30 0:0:0</ACTSTARTDATE>"
    "<FINISHDATE>1899-12-30 0:0:0</FINISHDATE><ACTFINISHDATE>1899-12-30 0:0:0</ACTFINISHDATE>"
    "<CREATIONDATE>1899-12-30 0:0:0</CREATIONDATE><DEADLINEDATE>1899-12-30 0:0:0</DEADLINEDATE>"
    "<DURATION>0</DURATION><DURISEST>1</DURISEST> \t\t\t\t"
    "<TRUEDURATION>0</TRUEDURATION><ACTDURATION>0</ACTDURATION> \t\t\t\t"
    "<PRIORITY>2</PRIORITY><STATUS>0</STATUS><PROGRESS>0</PROGRESS> \t\t\t\t"
    "<ASSIGNERID>0</ASSIGNERID><ISMILESTONGE>0</ISMILESTONGE> \t\t\t\t"
    "<HASCHILDREN>0</HASCHILDREN><ROWINGRID>0</ROWINGRID><FLAG>3</FLAG>"
    "<LINKS><LINK><PREDID>66</PREDID><TYPE>2</TYPE><LOGICALTYPE>0</LOGICALTYPE>"
    "<SEQUENCE>0</SEQUENCE><LAG>0</LAG></LINK></LINKS></TASK>";

} // namespace

TEST(ProjectXmlWrite, SampleProjectGivesTheExactText)
{
    CProjectDoc doc;
    FillSampleProject(doc);
    CString xml;
    doc.WriteProjectXml(xml);
    const CString expected = CString(kSampleHeader) + "<TASKS>" + kSampleTop + kSampleChildren +
                             "</TASK>" + kSampleRemoved + "</TASKS></PROJECT>";
    EXPECT_EQ(xml, expected);
}

TEST(ProjectXmlWrite, OneProgressStepPerTopLevelAndRemovedTask)
{
    CProjectDoc doc;
    FillSampleProject(doc);
    doc.m_listTasks.AddTail(new CTaskItem);
    CProgressRecorder progress;
    CString xml;
    doc.WriteProjectXml(xml);
    EXPECT_EQ(progress.Trace(), "...");
}

TEST(ProjectXmlWrite, WritingChangesNoFlagUntilTheSaveIsDelivered)
{
    CProjectDoc doc;
    FillSampleProject(doc);
    CString first, second;
    doc.WriteProjectXml(first);
    doc.WriteProjectXml(second);
    EXPECT_EQ(first, second); // a failed save can be sent again as it was

    CTaskItem* pTop = doc.m_listTasks.GetHead();
    CTaskItem* pChild = pTop->m_listChildren.GetHead();
    CTaskItem* pRemoved = doc.m_listDeletedTasks.GetHead();
    EXPECT_EQ(doc.m_ProjectInfo.m_nFlag, FLAG_NEW);
    EXPECT_EQ(pTop->m_nFlag, FLAG_NEW);

    CTaskItem* pGone = new CTaskItem;
    pGone->m_nFlag = FLAG_REMOVED;
    doc.m_listTasks.AddTail(pGone);
    doc.ResetSaveFlags();
    EXPECT_EQ(doc.m_ProjectInfo.m_nFlag, FLAG_UNCHANGED);
    EXPECT_EQ(pTop->m_nFlag, FLAG_UNCHANGED);
    EXPECT_EQ(pChild->m_nFlag, FLAG_NEW); // below the top level the FLAG stays
    EXPECT_EQ(pRemoved->m_nFlag, FLAG_UNCHANGED);
    EXPECT_EQ(pGone->m_nFlag, FLAG_REMOVED);
}

TEST(ProjectXmlWrite, ProjectWithoutTasksHasNoTasksElement)
{
    CProjectDoc doc;
    CString xml;
    doc.WriteProjectXml(xml);
    const CString expected =
        CString("<PROJECT><ID>0</ID><NAME></NAME><GOAL></GOAL><COST>0</COST><ACTCOST>0</ACTCOST>") +
        "<CREATIONDATE>" + kDefaultDash + "</CREATIONDATE><STARTDATE>" + kDefaultDash +
        "</STARTDATE><ACTSTARTDATE>" + kDefaultDash + "</ACTSTARTDATE><FINISHDATE>" +
        kDefaultDash + "</FINISHDATE><ACTFINISHDATE>" + kDefaultDash +
        "</ACTFINISHDATE><DEADLINEDATE>" + kDefaultDash + "</DEADLINEDATE>" +
        "<FLAG>0</FLAG><PRIORITY>2</PRIORITY><STATUS>0</STATUS><ISSUBPROJ>0</ISSUBPROJ>"
        "<PROGRESS>0</PROGRESS><MEMBERS></MEMBERS></PROJECT>";
    EXPECT_EQ(xml, expected);
    EXPECT_NE(xml.Find("</MEMBERS></PROJECT>"), -1);
}

TEST(ProjectXmlWrite, RemovedTasksAloneStandInATasksElement)
{
    CProjectDoc doc;
    CTaskItem* pRemoved = new CTaskItem;
    pRemoved->m_nTaskID = 5;
    pRemoved->m_nFlag = FLAG_REMOVED;
    doc.m_listDeletedTasks.AddTail(pRemoved);
    CString xml;
    doc.WriteProjectXml(xml);
    const int nTasks = xml.Find("</MEMBERS><TASKS><TASK>");
    ASSERT_NE(nTasks, -1);
    EXPECT_EQ(xml.Right(32), CString("</FLAG></TASK></TASKS></PROJECT>"));
    EXPECT_NE(xml.Find("<TASKID>5</TASKID>"), -1);
}

TEST(ProjectXmlWrite, NewTaskWritesItsDefaults)
{
    CTaskItem parent;
    parent.m_listChildren.AddTail(new CTaskItem);
    CString xml;
    parent.WriteXml(xml);
    EXPECT_EQ(xml.Left(7), CString("<TASKS>"));
    EXPECT_NE(xml.Find("<ISSUBPROJ>0</ISSUBPROJ>"), -1);
    EXPECT_NE(xml.Find("<DURISEST>1</DURISEST>"), -1);
    EXPECT_NE(xml.Find("<PRIORITY>2</PRIORITY>"), -1);
    EXPECT_EQ(xml.Find("<LINKS>"), -1);
    EXPECT_EQ(xml.Find("<ASSIGNEES>"), -1);
    EXPECT_EQ(xml.Find("<DOCUMENTS>"), -1);
    EXPECT_EQ(xml.Right(15), CString("</TASK></TASKS>"));
}

TEST(ProjectXmlWrite, TaskWithoutChildrenAppendsNothing)
{
    CTaskItem task;
    CString xml = "kept";
    task.WriteXml(xml);
    EXPECT_EQ(xml, CString("kept"));
}

TEST(ProjectXmlWrite, WriteXmlUsesTheTaskDateFormatAtEveryDepth)
{
    CTaskItem root;
    CTaskItem* pChild = new CTaskItem;
    CTaskItem* pGrand = new CTaskItem;
    pGrand->m_dtStart = MakeDate(2004, 11, 25, 13, 5, 9);
    pGrand->m_nFlag = FLAG_MODIFIED;
    pChild->m_listChildren.AddTail(pGrand);
    root.m_listChildren.AddTail(pChild);
    CString xml;
    root.WriteXml(xml);
    EXPECT_NE(xml.Find("<STARTDATE>2004年11月25日</STARTDATE>"), -1);
    EXPECT_EQ(xml.Find("2004-11-25"), -1);
    EXPECT_NE(xml.Find("<HASCHILDREN>1</HASCHILDREN>"), -1);
    EXPECT_EQ(pGrand->m_nFlag, FLAG_MODIFIED);
    EXPECT_EQ(xml.Right(30), CString("</TASK></TASKS></TASK></TASKS>"));
}

TEST(ProjectXmlWrite, DocumentsWriteReferencesBeforeTargets)
{
    CTaskItem root;
    CTaskItem* pChild = new CTaskItem;
    CTargetDoc* pTarget = new CTargetDoc;
    pTarget->m_strDocName = "out";
    pTarget->m_nDocSource = 1;
    pChild->m_listTargetDocs.AddTail(pTarget);
    CRefDoc* pRef = new CRefDoc;
    pRef->m_strDocName = "in";
    pChild->m_listRefDocs.AddTail(pRef);
    root.m_listChildren.AddTail(pChild);
    CString xml;
    root.WriteXml(xml);
    EXPECT_NE(xml.Find("<DOCUMENTS><REFDOC><DOCNAME>in</DOCNAME><DOCLOCATION></DOCLOCATION>"
                       "<DOCSOURCE>2</DOCSOURCE><DOCPDMCLASSID>0</DOCPDMCLASSID>"
                       "<DOCPDMOBJECTID>0</DOCPDMOBJECTID> </REFDOC><TARGETDOC><DOCNAME>out</DOCNAME>"
                       "<DOCLOCATION></DOCLOCATION><DOCSOURCE>1</DOCSOURCE>"
                       "<DOCPDMCLASSID>0</DOCPDMCLASSID><DOCPDMOBJECTID>0</DOCPDMOBJECTID> "
                       "</TARGETDOC></DOCUMENTS>"),
              -1);
}

TEST(ProjectXmlWrite, MarkupAndGbkTextComesBackIntact)
{
    const CString names[] = {"a&b", "<x>", "1 > 0 & 2 < 3", "\"引号\" 'q'", "中文名称", "R&D<部门>"};
    CProjectDoc doc;
    doc.m_ProjectInfo.m_strName = names[5];
    doc.m_ProjectInfo.m_strGoal = names[2];
    tagResInfo member = MakeResource(names[0], "m");
    doc.m_ProjectInfo.m_listMembers.AddTail(member);
    CTaskItem* pTop = new CTaskItem;
    pTop->m_strName = names[1];
    pTop->m_strDesc = names[3];
    pTop->m_arrAssignees.Add(names[0]);
    CTaskItem* pChild = new CTaskItem;
    pChild->m_strName = names[4];
    CRefDoc* pRef = new CRefDoc;
    pRef->m_strDocName = names[2];
    pRef->m_strDocLocation = "C:\\a&b\\<c>.doc";
    pChild->m_listRefDocs.AddTail(pRef);
    pTop->m_listChildren.AddTail(pChild);
    doc.m_listTasks.AddTail(pTop);

    CString xml;
    doc.WriteProjectXml(xml);
    CProjectDoc back;
    ASSERT_TRUE(back.ParseProjectXml(xml));
    EXPECT_EQ(back.m_ProjectInfo.m_strName, names[5]);
    EXPECT_EQ(back.m_ProjectInfo.m_strGoal, names[2]);
    ASSERT_EQ(back.m_ProjectInfo.m_listMembers.GetCount(), 1);
    EXPECT_EQ(back.m_ProjectInfo.m_listMembers.GetHead().strCode, names[0]);
    ASSERT_EQ(back.m_listTasks.GetCount(), 1);
    CTaskItem* pTopBack = back.m_listTasks.GetHead();
    EXPECT_EQ(pTopBack->m_strName, names[1]);
    EXPECT_EQ(pTopBack->m_strDesc, names[3]);
    ASSERT_EQ(pTopBack->m_arrAssignees.GetSize(), 1);
    EXPECT_EQ(pTopBack->m_arrAssignees[0], names[0]);
    ASSERT_EQ(pTopBack->m_listChildren.GetCount(), 1);
    CTaskItem* pChildBack = pTopBack->m_listChildren.GetHead();
    EXPECT_EQ(pChildBack->m_strName, names[4]);
    ASSERT_EQ(pChildBack->m_listRefDocs.GetCount(), 1);
    EXPECT_EQ(pChildBack->m_listRefDocs.GetHead()->m_strDocName, names[2]);
    EXPECT_EQ(pChildBack->m_listRefDocs.GetHead()->m_strDocLocation, CString("C:\\a&b\\<c>.doc"));
}

TEST(ProjectXmlWrite, LargeProjectRoundTripsThroughTheReader)
{
    CProjectDoc doc;
    FillLargeProject(doc, 4, 3, 2);
    CString xml;
    doc.WriteProjectXml(xml);
    CProjectDoc back;
    ASSERT_TRUE(back.ParseProjectXml(xml));
    ASSERT_EQ(back.m_listTasks.GetCount(), 4);
    POSITION a = doc.m_listTasks.GetHeadPosition();
    POSITION b = back.m_listTasks.GetHeadPosition();
    while (a != NULL && b != NULL) {
        CTaskItem* p = doc.m_listTasks.GetNext(a);
        CTaskItem* q = back.m_listTasks.GetNext(b);
        EXPECT_EQ(q->m_strName, p->m_strName);
        EXPECT_EQ(q->m_nIsTask, p->m_nIsTask);
        EXPECT_EQ(q->m_nDuration, p->m_nDuration);
        EXPECT_EQ(q->m_nPriority, p->m_nPriority);
        // Top-level dates carry the time of day.
        EXPECT_EQ(q->m_dtStart.Format("%Y-%m-%d %H:%M:%S"), p->m_dtStart.Format("%Y-%m-%d %H:%M:%S"));
        ASSERT_EQ(q->m_listChildren.GetCount(), 3);
        CTaskItem* pc = p->m_listChildren.GetHead();
        CTaskItem* qc = q->m_listChildren.GetHead();
        EXPECT_EQ(qc->m_strName, pc->m_strName);
        // Below the top level only the day travels.
        EXPECT_EQ(qc->m_dtStart.Format("%Y-%m-%d %H:%M:%S"), pc->m_dtStart.Format("%Y-%m-%d 00:00:00"));
        EXPECT_EQ(qc->m_listChildren.GetCount(), 2);
        // The link's PREDID is the predecessor row in the text and the task id when read.
        ASSERT_EQ(q->m_listLinks.GetCount(), 1);
        EXPECT_EQ(q->m_listLinks.GetHead()->m_nPredID, p->m_listLinks.GetHead()->m_nSuccID);
    }
}

TEST(ProjectXmlWrite, TaskDateFormatIsTheLibrarysOwnString)
{
    // Another module with the same string id, searched first.
    HINSTANCE hOther = AfxRegisterModule("ProjectXmlWriteTestModule");
    AfxRegisterString(hOther, 56609, "%Y/%m/%d");
    HINSTANCE hPrevious = AfxGetResourceHandle();
    AfxSetResourceHandle(hOther);
    CTaskItem root;
    CTaskItem* pChild = new CTaskItem;
    pChild->m_dtStart = MakeDate(2004, 3, 5);
    root.m_listChildren.AddTail(pChild);
    CString xml;
    root.WriteXml(xml);
    AfxSetResourceHandle(hPrevious);
    AfxUnregisterModule(hOther);
    EXPECT_NE(xml.Find("<STARTDATE>2004年3月5日</STARTDATE>"), -1);
}
