// The task record, the project header and the document's list operations.
#include <gtest/gtest.h>

#include "ComError.h"
#include "Resource.h"
#include "ProjectDoc.h"
#include "TestProjects.h"

namespace {

// Counts the destructions of the records it is attached to.
int g_nLinksDeleted = 0;

class CCountedLink : public CTaskLink
{
public:
    ~CCountedLink() override { ++g_nLinksDeleted; }
};

CTaskItem* TaskWithLink(const CString& name)
{
    CTaskItem* pTask = new CTaskItem;
    pTask->m_strName = name;
    pTask->m_listLinks.AddTail(new CCountedLink);
    return pTask;
}

class CRecords : public IErrorRecordSource
{
public:
    int nCount = 0;
    std::vector<CString> texts;
    int GetErrorRecordCount() override { return nCount; }
    BOOL GetErrorDescription(int n, CString& s) override
    {
        if (n >= (int)texts.size() || texts[n] == "?")
            return FALSE;
        s = texts[n];
        return TRUE;
    }
};

} // namespace

TEST(TaskItem, Defaults)
{
    CTaskItem t;
    EXPECT_TRUE(t.m_strName.IsEmpty());
    EXPECT_EQ(t.m_nTaskID, 0);
    EXPECT_EQ(t.m_nIsTask, 1);
    EXPECT_EQ(t.m_nDurIsEst, 1);
    EXPECT_EQ(t.m_nPriority, 2);
    EXPECT_EQ(t.m_nFlag, FLAG_UNCHANGED);
    EXPECT_EQ(t.m_nReserved, 20);
    EXPECT_EQ(t.m_nCritical, 0);
    EXPECT_EQ(t.m_nSuccessor, 0);
    EXPECT_EQ(t.m_dtStart.GetStatus(), COleDateTime::valid);
    EXPECT_TRUE(t.IsKindOf(RUNTIME_CLASS(CTaskItem)));
    EXPECT_STREQ(t.GetRuntimeClass()->m_lpszClassName, "CTaskItem");
}

TEST(TaskItem, DeletingAParentDeletesTheSubtree)
{
    g_nLinksDeleted = 0;
    CTaskItem* pRoot = TaskWithLink("root");
    CTaskItem* pChild = TaskWithLink("child");
    pChild->m_listChildren.AddTail(TaskWithLink("grand"));
    pRoot->m_listChildren.AddTail(pChild);
    delete pRoot;
    EXPECT_EQ(g_nLinksDeleted, 3);
}

TEST(TaskItem, ClearChildrenLeavesTheTasksAlive)
{
    g_nLinksDeleted = 0;
    CTaskItem* pRoot = TaskWithLink("root");
    CTaskItem* pChild = TaskWithLink("child");
    CTaskItem* pGrand = TaskWithLink("grand");
    pChild->m_listChildren.AddTail(pGrand);
    pRoot->m_listChildren.AddTail(pChild);
    pRoot->ClearChildren();
    EXPECT_TRUE(pRoot->m_listChildren.IsEmpty());
    EXPECT_TRUE(pChild->m_listChildren.IsEmpty());
    delete pRoot;
    EXPECT_EQ(g_nLinksDeleted, 1); // only the root's own link
    delete pChild;
    delete pGrand;
    EXPECT_EQ(g_nLinksDeleted, 3);
}

TEST(TaskItem, ReplaceAssigneeCoversTheSubtreeBelowTheTask)
{
    CTaskItem root;
    root.m_arrAssignees.Add("A");
    CTaskItem* pChild = new CTaskItem;
    pChild->m_arrAssignees.Add("B");
    pChild->m_arrAssignees.Add("A");
    pChild->m_arrAssignees.Add("A");
    CTaskItem* pGrand = new CTaskItem;
    pGrand->m_arrAssignees.Add("A");
    pChild->m_listChildren.AddTail(pGrand);
    root.m_listChildren.AddTail(pChild);

    root.ReplaceAssignee("A", "C");
    EXPECT_EQ(root.m_arrAssignees[0], CString("A")); // the task itself is not touched
    ASSERT_EQ(pChild->m_arrAssignees.GetSize(), 3);
    EXPECT_EQ(pChild->m_arrAssignees[1], CString("C"));
    EXPECT_EQ(pChild->m_arrAssignees[2], CString("A")); // only the first match
    EXPECT_EQ(pGrand->m_arrAssignees[0], CString("C"));

    root.ReplaceAssignee("A", "");
    ASSERT_EQ(pChild->m_arrAssignees.GetSize(), 2);
    EXPECT_EQ(pChild->m_arrAssignees[0], CString("B"));
    EXPECT_EQ(pChild->m_arrAssignees[1], CString("C"));
    EXPECT_EQ(pGrand->m_arrAssignees[0], CString("C"));
}

TEST(ProjectDocLists, ReplaceTaskAssigneeReachesEveryTask)
{
    CProjectDoc doc;
    FillSampleProject(doc);
    CTaskItem* pTop = doc.m_listTasks.GetHead();
    CTaskItem* pChild = pTop->m_listChildren.GetHead();
    pChild->m_arrAssignees.Add("R1");
    doc.ReplaceTaskAssignee("R1", "");
    EXPECT_EQ(pTop->m_arrAssignees.GetSize(), 0);
    EXPECT_EQ(pChild->m_arrAssignees.GetSize(), 0);
}

TEST(ProjectDocLists, DetachAndRemoveLists)
{
    g_nLinksDeleted = 0;
    {
        CProjectDoc doc;
        doc.m_listTasks.AddTail(TaskWithLink("a"));
        doc.m_listDeletedTasks.AddTail(TaskWithLink("b"));
        doc.m_listDayOfWeek.AddTail(new CDayOfWeek);
        doc.m_listCalendarItems.AddTail(new CCalendarItem);
        doc.DetachDeleteList();
        EXPECT_EQ(g_nLinksDeleted, 1);
        EXPECT_TRUE(doc.m_listDeletedTasks.IsEmpty());
        doc.DetachList();
        EXPECT_EQ(g_nLinksDeleted, 2);
        EXPECT_TRUE(doc.m_listTasks.IsEmpty());
        EXPECT_TRUE(doc.m_listDayOfWeek.IsEmpty());
        EXPECT_TRUE(doc.m_listCalendarItems.IsEmpty());
    }

    CProjectDoc doc;
    CTaskItem* pTop = TaskWithLink("top");
    CTaskItem* pChild = TaskWithLink("child");
    pTop->m_listChildren.AddTail(pChild);
    doc.m_listTasks.AddTail(pTop);
    doc.RemoveAllList();
    EXPECT_TRUE(doc.m_listTasks.IsEmpty());
    EXPECT_TRUE(pTop->m_listChildren.IsEmpty());
    delete pTop;
    delete pChild;
}

TEST(ProjectDocLists, NamesByCodeAndById)
{
    CProjectDoc doc;
    AddResource(doc.m_ProjectInfo.m_listMembers, MakeResource("R1", "甲"));
    AddResource(doc.m_ProjectInfo.m_listMembers, MakeResource("R1", "乙"));
    AddResource(doc.m_listResources, MakeResource("X", "丙", 7));
    EXPECT_EQ(doc.GetResNameByCode("R1"), CString("甲"));
    EXPECT_EQ(doc.GetResNameByCode("R2"), CString(""));
    EXPECT_EQ(doc.GetResNameByID(7), CString("丙"));
    EXPECT_EQ(doc.GetResNameByID(8), CString(""));
}

TEST(ProjectDocLists, DocumentDefaults)
{
    CProjectDoc doc;
    EXPECT_EQ(doc.m_bLocalFile, 1);
    EXPECT_EQ(doc.m_nCalBaseID, -2);
    EXPECT_EQ(doc.m_bAutomation, 1);
    EXPECT_EQ(doc.GetViewType(), 2);
    EXPECT_EQ(doc.m_ProjectInfo.m_nPriority, 2);
    doc.SetProjectID(44);
    EXPECT_EQ(doc.m_nProjectID, 44);
    EXPECT_EQ(doc.m_ProjectInfo.m_nProjID, 44);
}

TEST(ResInfo, ConstructorDefaultsAndCopy)
{
    tagResInfo res;
    EXPECT_EQ(res.nID, 0);
    EXPECT_EQ(res.nType, 1);
    EXPECT_EQ(res.bIsAdmin, 1);
    EXPECT_EQ(res.bIsManager, 1);
    EXPECT_EQ(res.bIsExt, 0);
    EXPECT_EQ(res.nCost, 0);
    tagResInfo other = MakeResource("c", "n", 3);
    other.nCost = 8;
    res = other;
    EXPECT_EQ(res.strCode, CString("c"));
    EXPECT_EQ(res.nCost, 8);
}

TEST(ComError, RecordsOrUnknownSource)
{
    CRecords records;
    records.nCount = 3;
    records.texts = {"表不存在", "?", "连接断开"};
    CString text = "前言\r\n";
    EXPECT_EQ(FormatComError(&records, "IRowset", (HRESULT)0x80040E37, text), 1);
    EXPECT_EQ(text, CString("前言\r\n描  述：表不存在\r\n描  述：连接断开\r\n错误返回值：80040E37\r\n"));

    CRecords none;
    text = "dropped";
    FormatComError(&none, "ICommand", E_FAIL, text);
    EXPECT_EQ(text, CString("不明数据源错误返回值：80004005\r\n"));

    text.Empty();
    FormatComError(nullptr, "ICommand", (HRESULT)0x1, text);
    EXPECT_EQ(text, CString("不明数据源错误返回值：1\r\n"));
}

TEST(OrveskModule, StringTableAndDynamicCreation)
{
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_TASK_DATE_FORMAT));
    EXPECT_EQ(s, CString("%#Y年%#m月%#d日"));
    ASSERT_TRUE(s.LoadString(IDS_CAL_WORK_DAY));
    EXPECT_EQ(s, CString("工作日"));
    ASSERT_TRUE(s.LoadString(IDS_CAL_REST_DAY));
    EXPECT_EQ(s, CString("休息天或节假日"));

    CObject* pObject = RUNTIME_CLASS(CProjectDoc)->CreateObject();
    ASSERT_NE(pObject, nullptr);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CProjectDoc)));
    delete pObject;
    CObject* pTask = CRuntimeClass::FromName("CTaskItem")->CreateObject();
    ASSERT_NE(pTask, nullptr);
    EXPECT_EQ(static_cast<CTaskItem*>(pTask)->m_nReserved, 20);
    delete pTask;
}
