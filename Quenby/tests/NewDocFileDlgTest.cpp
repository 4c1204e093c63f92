// The new-document dialog from the document list: its checks in order, the record added
// to the store and the row added to the list, and the cases that close it at once.
#include "BrowserTestSupport.h"

namespace {

class NewDocTest : public DocListTest
{
protected:
    void SetUp() override
    {
        DocListTest::SetUp();
        pdm.AddDocument(21, 1, 101, 7, "plan.doc");
        pdm.AddDocument(21, 1, 101, 8, "notes.txt");
        pdm.AddClass(21, 101, Gbk(u8"文本"));
        pdm.AddClass(21, 102, Gbk(u8"图纸"));
        pdm.SetNewObjectId(55);
    }
    static void Choose(CWnd* pDlg, int nIndex)
    {
        static_cast<CComboBox*>(pDlg->GetDlgItem(IDC_NEWDOC_CLASS))->SetCurSel(nIndex);
    }
    static void Name(CWnd* pDlg, const CString& text) { pDlg->SetDlgItemText(IDC_NEWDOC_NAME, text); }
    static void PressOK(CWnd* pDlg) { pDlg->SendMessage(WM_COMMAND, IDOK, 0); }
    static bool Open(CWnd* pDlg) { return (pDlg->m_nFlags & WF_CONTINUEMODAL) != 0; }
};

TEST_F(NewDocTest, TheChecksComeInOrderAndTheTrimmedNameIsAdded)
{
    list.Init(0, 3);
    ASSERT_TRUE(list.LoadData(21, 1));
    CTestMessageBoxes boxes;
    for (int i = 0; i < 5; i++)
        boxes.Answer(IDOK);
    std::vector<CString> comboItems;
    std::vector<DWORD_PTR> comboData;
    int nLimit = 0;
    bool bSelectedAfterFailure = false;
    AfxTestPushModalScript([&](CWnd* pDlg) {
        CComboBox* pCombo = static_cast<CComboBox*>(pDlg->GetDlgItem(IDC_NEWDOC_CLASS));
        for (int i = 0; i < pCombo->GetCount(); i++) {
            CString s;
            pCombo->GetLBText(i, s);
            comboItems.push_back(s);
            comboData.push_back(pCombo->GetItemData(i));
        }
        nLimit = (int)static_cast<CEdit*>(pDlg->GetDlgItem(IDC_NEWDOC_NAME))->GetLimitText();
        PressOK(pDlg);  // no class
        Choose(pDlg, 1);
        Name(pDlg, "   ");
        PressOK(pDlg);
        Name(pDlg, "a:b.doc");
        PressOK(pDlg);
        Name(pDlg, "abc");
        PressOK(pDlg);
        int nStart = -1, nEnd = -1;
        static_cast<CEdit*>(pDlg->GetDlgItem(IDC_NEWDOC_NAME))->GetSel(nStart, nEnd);
        bSelectedAfterFailure = nStart == 0 && nEnd == 3;
        Name(pDlg, "plan.doc");
        PressOK(pDlg);
        EXPECT_TRUE(Open(pDlg));
        Name(pDlg, Gbk(u8"  新图纸.dwg  "));
        PressOK(pDlg);
        EXPECT_FALSE(Open(pDlg));
    });
    EXPECT_TRUE(list.NewDoc());
    EXPECT_EQ(comboItems, (std::vector<CString>{Gbk(u8"文本"), Gbk(u8"图纸")}));
    EXPECT_EQ(comboData, (std::vector<DWORD_PTR>{101, 102}));
    EXPECT_EQ(nLimit, 32);
    EXPECT_TRUE(bSelectedAfterFailure);
    ASSERT_EQ(boxes.Count(), 5);
    const char* texts[] = {u8"请选择文档类型！", u8"文件名称不能为空！", u8"文件名中不能包含 \\/:*?\"<>|' 等字符！",
                           u8"请输入文件后缀名！", u8"文件名称已经存在！"};
    const UINT icons[] = {MB_ICONEXCLAMATION, MB_ICONEXCLAMATION, MB_ICONEXCLAMATION, MB_ICONINFORMATION,
                          MB_ICONEXCLAMATION};
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(boxes.Boxes()[i].text, Gbk(texts[i])) << i;
        EXPECT_EQ(boxes.Boxes()[i].caption, Gbk(u8"提示")) << i;
        EXPECT_EQ(boxes.Boxes()[i].type & MB_ICONMASK, icons[i]) << i;
    }
    EXPECT_EQ(pdm.Added(), (std::vector<std::string>{u8"21/1 102/55 新图纸.dwg"}));
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(2, 0), Gbk(u8"新图纸.dwg"));
    UINT c = 0, o = 0;
    ASSERT_TRUE(list.GetItemInfo(2, c, o));
    EXPECT_EQ(c, 102u);
    EXPECT_EQ(o, 55u);
    EXPECT_EQ(list.m_listPair.GetCount(), 3);
    EXPECT_EQ(list.m_arrExt.GetSize(), 3);  // .doc, .txt, .dwg
    ASSERT_FALSE(AfxTestModalLog().empty());
    EXPECT_EQ(AfxTestModalLog().back().nIDTemplate, (UINT)IDD_NEWDOCFILE);
    EXPECT_EQ(AfxTestModalLog().back().strCaption, Gbk(u8"增加一个文档"));
}

TEST_F(NewDocTest, AStoreThatRefusesKeepsTheDialogOpen)
{
    list.Init(0, 3);
    ASSERT_TRUE(list.LoadData(21, 1));
    pdm.FailCall("AddDocument", E_INVALIDARG, 1);
    pdm.FailCall("Initialize", E_FAIL, 2);
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    boxes.Answer(IDOK);
    AfxTestPushModalScript([&](CWnd* pDlg) {
        Choose(pDlg, 0);
        Name(pDlg, "new.doc");
        PressOK(pDlg);
        EXPECT_TRUE(Open(pDlg));
        PressOK(pDlg);
        EXPECT_TRUE(Open(pDlg));
    });
    EXPECT_FALSE(list.NewDoc());
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Boxes()[0].text, Gbk(u8"增加文件失败，请重试！"));
    EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, (UINT)MB_ICONINFORMATION);
    EXPECT_EQ(boxes.Boxes()[1].text, Gbk(u8"增加文件失败，请重试！"));
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_TRUE(pdm.Added().empty());
}

TEST_F(NewDocTest, BrowseOnlyClosesAtOnceForWantOfClasses)
{
    list.Init(1, 3);
    ASSERT_TRUE(list.LoadData(21, 1));
    CTestMessageBoxes boxes;
    boxes.AnswerUtf8(u8"没有文档类信息！", IDOK);
    // The dialog ends inside its initialisation: the script is never reached.
    bool bReached = false;
    AfxTestPushModalScript([&](CWnd*) { bReached = true; });
    EXPECT_FALSE(list.NewDoc());
    EXPECT_FALSE(bReached);
    AfxTestResetScripts();
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Boxes()[0].caption, Gbk(u8"提示"));
}

TEST_F(NewDocTest, NoFolderClosesAtOnce)
{
    list.Init(0, 3);
    CTestMessageBoxes boxes;
    boxes.AnswerUtf8(u8"没有设置父级类信息！", IDOK);
    // The dialog ends inside its initialisation: the script is never reached.
    bool bReached = false;
    AfxTestPushModalScript([&](CWnd*) { bReached = true; });
    EXPECT_FALSE(list.NewDoc());
    EXPECT_FALSE(bReached);
    AfxTestResetScripts();
    EXPECT_EQ(boxes.Count(), 1);
}

}  // namespace
