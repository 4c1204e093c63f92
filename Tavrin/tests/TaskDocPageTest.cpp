// The document pages: rows in reverse order, icons cached by exact extension, local files,
// the product tree through the picker, and deleting rows whose names repeat.
#include "TaskPropertyDlg.h"
#include "TaskResource.h"

#include <ClassLib/Testing.h>
#include <ClassLib/Testing/MessageBoxes.h>
#include <Pdm/FakePdm.h>
#include <Tavrin/RefDoc.h>
#include <Tavrin/TargetDoc.h>

#include <gtest/gtest.h>

#include <functional>

namespace
{
class TaskDocPageTest : public CWndTestBase
{
protected:
    CTaskRefDocPage refPage;
    CTaskTargetDocPage targetPage;

    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
    }

    static CRefDoc* Ref(const char* name, const char* location = "")
    {
        CRefDoc* p = new CRefDoc;
        p->m_strDocName = name;
        p->m_strDocLocation = location;
        return p;
    }

    void RunRef(std::function<void(CTaskRefDocPage&)> body)
    {
        CPropertySheet sheet("docs");
        sheet.AddPage(&refPage);
        AfxTestPushModalScript([&](CWnd*) { body(refPage); });
        sheet.DoModal();
    }
    void RunTarget(std::function<void(CTaskTargetDocPage&)> body)
    {
        CPropertySheet sheet("docs");
        sheet.AddPage(&targetPage);
        AfxTestPushModalScript([&](CWnd*) { body(targetPage); });
        sheet.DoModal();
    }
    static void Select(CListCtrl& list, int nItem)
    {
        list.SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
    }
};
} // namespace

TEST_F(TaskDocPageTest, RowsShowInReverseOrderAndLaterOnesBelow)
{
    CObList docs;
    docs.AddTail(Ref("A.txt", "x\\A.txt"));
    docs.AddTail(Ref("B.txt"));
    docs.AddTail(Ref("C"));
    refPage.SetDocs(docs);
    POSITION pos = docs.GetHeadPosition();
    while (pos)
        delete docs.GetNext(pos);
    RunRef([&](CTaskRefDocPage& page) {
        ASSERT_EQ(3, page.m_listDocs.GetItemCount());
        EXPECT_STREQ("C", page.m_listDocs.GetItemText(0, 0));
        EXPECT_STREQ("B.txt", page.m_listDocs.GetItemText(1, 0));
        EXPECT_STREQ("A.txt", page.m_listDocs.GetItemText(2, 0));
        EXPECT_STREQ("x\\A.txt", page.m_listDocs.GetItemText(2, 1));
        // ".txt" and "" are cached once each.
        EXPECT_EQ(2, page.m_arExtensions.GetSize());
        EXPECT_EQ(1, page.FindIcon(""));
        EXPECT_EQ(2, page.m_imgSmall.GetImageCount());
        EXPECT_EQ(2, page.m_imgLarge.GetImageCount());

        AfxTestPushFileDialogResult(IDOK, {"C:\\in\\D.DOC", "C:\\in\\e.doc"});
        page.SendMessage(WM_COMMAND, IDC_TASK_REF_FROMDISK, 0);
        ASSERT_EQ(5, page.m_listDocs.GetItemCount());
        EXPECT_STREQ("D.DOC", page.m_listDocs.GetItemText(3, 0));
        EXPECT_STREQ("C:\\in\\D.DOC", page.m_listDocs.GetItemText(3, 1));
        EXPECT_STREQ("e.doc", page.m_listDocs.GetItemText(4, 0));
        // ".DOC" and ".doc" are two extensions with two icons.
        EXPECT_EQ(2, page.FindIcon(".DOC"));
        EXPECT_EQ(3, page.FindIcon(".doc"));
        ASSERT_EQ(5, page.m_lstDocs.GetCount());
        CRefDoc* pLast = static_cast<CRefDoc*>(page.m_lstDocs.GetTail());
        EXPECT_STREQ("e.doc", pLast->m_strDocName);
        EXPECT_EQ(2, pLast->m_nDocSource);
    });
}

TEST_F(TaskDocPageTest, LocalFilesOnSlashPathsAreNamedByTheirFileName)
{
    RunRef([&](CTaskRefDocPage& page) {
        AfxTestPushFileDialogResult(IDOK, {"/home/u/plans/a.doc", "/tmp/x\\y/\xb1\xed.xls"});
        page.SendMessage(WM_COMMAND, IDC_TASK_REF_FROMDISK, 0);
        ASSERT_EQ(2, page.m_listDocs.GetItemCount());
        EXPECT_STREQ("a.doc", page.m_listDocs.GetItemText(0, 0));
        EXPECT_STREQ("/home/u/plans/a.doc", page.m_listDocs.GetItemText(0, 1));
        EXPECT_STREQ("\xb1\xed.xls", page.m_listDocs.GetItemText(1, 0));
        CRefDoc* pFirst = static_cast<CRefDoc*>(page.m_lstDocs.GetHead());
        EXPECT_STREQ("a.doc", pFirst->m_strDocName);
        EXPECT_STREQ("/home/u/plans/a.doc", pFirst->m_strDocLocation);
    });
}

TEST_F(TaskDocPageTest, DeletingARepeatedNameRemovesThatRowsRecord)
{
    CObList docs;
    docs.AddTail(Ref("same.txt", "first"));
    docs.AddTail(Ref("same.txt", "second"));
    refPage.SetDocs(docs);
    POSITION pos = docs.GetHeadPosition();
    while (pos)
        delete docs.GetNext(pos);
    CTestMessageBoxes boxes;
    boxes.AnswerText("请选择文件!", IDOK);
    RunRef([&](CTaskRefDocPage& page) {
        page.SendMessage(WM_COMMAND, IDC_TASK_DOC_DELETE, 0);  // nothing selected
        // Row 0 shows the second record (reverse order).
        EXPECT_STREQ("second", page.m_listDocs.GetItemText(0, 1));
        Select(page.m_listDocs, 0);
        page.SendMessage(WM_COMMAND, IDC_TASK_DOC_DELETE, 0);
        ASSERT_EQ(1, page.m_listDocs.GetItemCount());
        ASSERT_EQ(1, page.m_lstDocs.GetCount());
        EXPECT_STREQ("first", static_cast<CRefDoc*>(page.m_lstDocs.GetHead())->m_strDocLocation);
    });
    EXPECT_EQ(1, boxes.Count());
}

TEST_F(TaskDocPageTest, ProductTreeGivesATargetDocument)
{
    CFakePdm pdm;
    pdm.SetSelection(S_OK, "Parts\\Gear\\", 101, 55, "gear.dwg");
    CPdmFactoryScope scope(pdm.Factory());
    RunTarget([&](CTaskTargetDocPage& page) {
        EXPECT_FALSE(page.GetDlgItem(IDC_TASK_TARGET_UNUSED)->IsWindowVisible());
        page.SendMessage(WM_COMMAND, IDC_TASK_TARGET_NEW, 0);
        ASSERT_EQ(1, page.m_lstDocs.GetCount());
        CTargetDoc* p = static_cast<CTargetDoc*>(page.m_lstDocs.GetHead());
        EXPECT_STREQ("gear.dwg", p->m_strDocName);
        EXPECT_STREQ("Parts\\Gear\\", p->m_strDocLocation);
        EXPECT_EQ(101, p->m_nPdmClassID);
        EXPECT_EQ(55, p->m_nPdmObjectID);
        EXPECT_EQ(1, p->m_nDocSource);
        EXPECT_STREQ("gear.dwg", page.m_listDocs.GetItemText(0, 0));
    });
    bool bMode0 = false;
    for (const std::string& call : pdm.Calls())
        bMode0 |= call.find("SelectObject(0") == 0;
    EXPECT_TRUE(bMode0);
}

TEST_F(TaskDocPageTest, ProductTreeFailures)
{
    CFakePdm pdm;
    CPdmFactoryScope scope(pdm.Factory());
    CTestMessageBoxes boxes;
    boxes.AnswerText("请检查客户端与服务端的版本是否兼容", IDOK);
    boxes.AnswerText("PDM 结构树创建失败!", IDOK);
    RunRef([&](CTaskRefDocPage& page) {
        pdm.SetSelection(S_FALSE);
        page.SendMessage(WM_COMMAND, IDC_TASK_REF_FROMPDM, 0);
        EXPECT_EQ(0, page.m_lstDocs.GetCount());
        {
            CPdmCreateFailureScope fail(PDM_FAIL_GUI);
            page.SendMessage(WM_COMMAND, IDC_TASK_REF_FROMPDM, 0);
        }
        // A refused connection ends silently.
        pdm.FailCall("Connect", E_FAIL);
        page.SendMessage(WM_COMMAND, IDC_TASK_REF_FROMPDM, 0);
        EXPECT_EQ(0, page.m_lstDocs.GetCount());
    });
    EXPECT_EQ(2, boxes.Count());
    EXPECT_STREQ("提示", boxes.Boxes()[0].caption);
}
