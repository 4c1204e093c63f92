// The picker component: the dialog under a test script, over a real store.
#include "PdmPickerDlg.h"
#include "PdmTestSupport.h"

#include <Pdm/PdmFactory.h>

#include <ClassLib/Testing.h>

namespace {

class PdmPickerTest : public CWndTestBase {
protected:
    void SetUp() override
    {
        CWndTestBase::SetUp();
        AfxTestResetScripts();
        m_storePath = m_dir.File("store.sqlite");
        CPdmStore store;
        ASSERT_TRUE(store.Open(m_storePath, CPdmStore::CreateIfMissing));
        ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, u8"产品", m_a));
        ASSERT_TRUE(store.AddNode(PDM_ROOT_CLASS, PDM_ROOT_OBJECT, PDM_FOLDER_CLASS, u8"标准件", m_b));
        ASSERT_TRUE(store.AddNode(PDM_FOLDER_CLASS, m_a, PDM_FOLDER_CLASS, u8"减速器", m_a1));
        int32_t id = 0;
        ASSERT_TRUE(store.PutDocument(PDM_FOLDER_CLASS, m_a, PDM_DEFAULT_DOC_CLASS, u8"总说明.doc", "1234", "", 4,
                                      "2026-01-02 03:04:05", id));
        ASSERT_TRUE(store.PutDocument(PDM_FOLDER_CLASS, m_a1, PDM_DEFAULT_DOC_CLASS, u8"箱体.dwg", "12", "", 2, "", id));
        ASSERT_TRUE(store.PutDocument(PDM_FOLDER_CLASS, m_a1, PDM_DEFAULT_DOC_CLASS, u8"齿轮.dwg", "123", "", 3, "",
                                      m_gear));
        SetPdmStoreFile(m_storePath);
    }
    void TearDown() override
    {
        SetPdmStoreFile(std::string());
        CWndTestBase::TearDown();
    }

    static CString Text(CWnd* pWnd)
    {
        CString s;
        pWnd->GetWindowText(s);
        return s;
    }

    CPdmTempDir m_dir;
    std::string m_storePath;
    int32_t m_a = 0, m_b = 0, m_a1 = 0, m_gear = 0;
};

}  // namespace

TEST_F(PdmPickerTest, ChoosingADocumentAnswersItsLocationIdsAndName)
{
    CPdmPtr<IPdmGUI> gui(CreatePdmGUI());
    ASSERT_TRUE(gui);
    LONG ready = 0;
    ASSERT_EQ(S_OK, gui->Connect("sa", "", ready));
    EXPECT_EQ(1, ready);
    AfxTestPushModalScript([this](CWnd* pWnd) {
        auto* dlg = static_cast<CPdmPickerDlg*>(pWnd);
        EXPECT_STREQ("选择参考文档", Text(dlg));
        CTreeCtrl& tree = dlg->m_tree;
        // The root's folders, the first selected and its documents shown.
        HTREEITEM hA = tree.GetRootItem();
        ASSERT_NE(nullptr, hA);
        EXPECT_STREQ("产品", tree.GetItemText(hA));
        EXPECT_TRUE(tree.ItemHasChildren(hA));
        EXPECT_EQ(hA, tree.GetSelectedItem());
        HTREEITEM hB = tree.GetNextSiblingItem(hA);
        EXPECT_STREQ("标准件", tree.GetItemText(hB));
        EXPECT_FALSE(tree.ItemHasChildren(hB));
        ASSERT_EQ(1, dlg->m_list.GetItemCount());
        EXPECT_STREQ("总说明.doc", dlg->m_list.GetItemText(0, 0));
        EXPECT_STREQ("4 字节", dlg->m_list.GetItemText(0, 1));
        EXPECT_STREQ("2026-01-02 03:04:05", dlg->m_list.GetItemText(0, 2));
        // Opening the folder loads its folders; selecting the subfolder lists its documents.
        ASSERT_TRUE(tree.Expand(hA, TVE_EXPAND));
        HTREEITEM hA1 = tree.GetChildItem(hA);
        ASSERT_NE(nullptr, hA1);
        EXPECT_STREQ("减速器", tree.GetItemText(hA1));
        ASSERT_TRUE(tree.SelectItem(hA1));
        ASSERT_EQ(2, dlg->m_list.GetItemCount());
        EXPECT_STREQ("箱体.dwg", dlg->m_list.GetItemText(0, 0));
        EXPECT_STREQ("齿轮.dwg", dlg->m_list.GetItemText(1, 0));
        AfxTestGrabWindow(dlg, AfxTestOutputPath("PdmPicker.png"));
        dlg->m_list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    CString location = "x", name = "y";
    LONG classId = -1, objectId = -1;
    ASSERT_EQ(S_OK, gui->SelectObject(1, 0, location, classId, objectId, name));
    EXPECT_STREQ("产品\\减速器\\", location);
    EXPECT_EQ(PDM_DEFAULT_DOC_CLASS, classId);
    EXPECT_EQ(m_gear, objectId);
    EXPECT_STREQ("齿轮.dwg", name);
}

TEST_F(PdmPickerTest, CancelAnswersSFalseAndLeavesTheOutValues)
{
    CPdmPtr<IPdmGUI> gui(CreatePdmGUI());
    LONG ready = 0;
    ASSERT_EQ(S_OK, gui->Connect("sa", "", ready));
    AfxTestPushModalScript([](CWnd* pWnd) {
        EXPECT_STREQ("选择目标文档", Text(pWnd));
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    CString location = "x", name = "y";
    LONG classId = -1, objectId = -1;
    EXPECT_EQ(S_FALSE, gui->SelectObject(0, 0, location, classId, objectId, name));
    EXPECT_STREQ("x", location);
    EXPECT_STREQ("y", name);
    EXPECT_EQ(-1, classId);
    EXPECT_EQ(-1, objectId);
}

TEST_F(PdmPickerTest, OkWithoutADocumentSaysSoAndStaysOpen)
{
    CPdmPtr<IPdmGUI> gui(CreatePdmGUI());
    LONG ready = 0;
    ASSERT_EQ(S_OK, gui->Connect("sa", "", ready));
    CTestMessageBoxes boxes;
    boxes.AnswerText("请选择一个文档！", IDOK);
    AfxTestPushModalScript([](CWnd* pWnd) {
        auto* dlg = static_cast<CPdmPickerDlg*>(pWnd);
        // The second folder has no documents.
        dlg->m_tree.SelectItem(dlg->m_tree.GetNextSiblingItem(dlg->m_tree.GetRootItem()));
        EXPECT_EQ(0, dlg->m_list.GetItemCount());
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(::IsWindowVisible(dlg->GetSafeHwnd()));
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    CString location, name;
    LONG classId = 0, objectId = 0;
    EXPECT_EQ(S_FALSE, gui->SelectObject(1, 0, location, classId, objectId, name));
    EXPECT_EQ(1, boxes.Count());
}

TEST_F(PdmPickerTest, SelectObjectBeforeConnectIsRefusedWithoutADialog)
{
    CPdmPtr<IPdmGUI> gui(CreatePdmGUI());
    CString location, name;
    LONG classId = 0, objectId = 0;
    EXPECT_EQ(E_UNEXPECTED, gui->SelectObject(1, 0, location, classId, objectId, name));
    EXPECT_TRUE(AfxTestModalLog().empty());
}
