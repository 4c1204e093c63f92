// The factory: creation failures with their trace lines, replacements, and the scripted
// fake.
#include "PdmTestSupport.h"

#include <Pdm/FakePdm.h>
#include <Pdm/PdmFactory.h>

TEST(PdmFactoryTest, EachCreationCanBeToldToFailAndSaysSo)
{
    CPdmTraceCatcher trace;
    {
        CPdmCreateFailureScope fail(PDM_FAIL_NODELIST);
        EXPECT_EQ(nullptr, CreatePdmNodeList());
        CPdmPtr<IPdmDocList> docs(CreatePdmDocList());
        EXPECT_NE(nullptr, docs);
    }
    {
        CPdmCreateFailureScope fail(PDM_FAIL_DOCLIST | PDM_FAIL_AVAILLIST | PDM_FAIL_DATA | PDM_FAIL_GUI);
        EXPECT_EQ(nullptr, CreatePdmDocList());
        EXPECT_EQ(nullptr, CreatePdmAvailList());
        EXPECT_EQ(nullptr, CreatePdmData());
        EXPECT_EQ(nullptr, CreatePdmGUI());
    }
    std::vector<std::string> want = {"Create Interface PdmNodeList Failed!", "Create Interface PdmDocList Failed!",
                                     "Create Interface PdmAvailList Failed!", "Create Interface PdmData Failed!",
                                     "IPdmGUI Create Failed"};
    EXPECT_EQ(want, trace.Lines());
    CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
    EXPECT_NE(nullptr, list);
}

TEST(PdmFactoryTest, AReplacementThatGivesNothingIsAFailure)
{
    CPdmTraceCatcher trace;
    PdmFactory f;
    f.data = [] { return static_cast<IPdmData*>(nullptr); };
    CPdmFactoryScope scope(f);
    EXPECT_EQ(nullptr, CreatePdmData());
    EXPECT_EQ(std::vector<std::string>{"Create Interface PdmData Failed!"}, trace.Lines());
}

TEST(PdmFactoryTest, TheFakeAnswersInTheCallersOrderAndLogsIt)
{
    CFakePdm fake;
    fake.AddNode(20, 0, 21, 1, "甲");
    fake.AddNode(20, 0, 21, 2, "乙");
    fake.AddNode(21, 1, 21, 3, "丙");
    CPdmFactoryScope scope(fake.Factory());
    CPdmPtr<IPdmNodeList> list(CreatePdmNodeList());
    ASSERT_EQ(S_OK, list->LoadChildren(20, 0));
    LONG count = 0;
    ASSERT_EQ(S_OK, list->GetCount(count));
    ASSERT_EQ(2, count);
    PdmNodeRecord r;
    ASSERT_EQ(S_OK, list->GetItem(r));
    EXPECT_STREQ("甲", r.name);
    EXPECT_EQ(1, r.hasChildren);
    ASSERT_EQ(S_OK, list->GetItem(r));
    EXPECT_EQ(0, r.hasChildren);
    std::vector<std::string> want = {"LoadChildren(20,0)", "GetCount", "GetItem", "GetItem"};
    EXPECT_EQ(want, fake.Calls());
}

TEST(PdmFactoryTest, TheFakeFailsTheCallsItIsToldTo)
{
    CFakePdm fake;
    fake.AddDocument(21, 1, 101, 1, "a.doc");
    fake.AddDocument(21, 1, 101, 2, "b.doc");
    fake.FailCall("GetItem", E_FAIL, 2);
    fake.FailCall("Initialize", E_FAIL);
    CPdmFactoryScope scope(fake.Factory());
    CPdmPtr<IPdmDocList> docs(CreatePdmDocList());
    ASSERT_EQ(S_OK, docs->LoadDocuments(21, 1));
    PdmDocRecord r;
    EXPECT_EQ(S_OK, docs->GetItem(r));
    EXPECT_EQ(E_FAIL, docs->GetItem(r));
    EXPECT_STREQ("a.doc", r.fileName);
    CPdmPtr<IPdmData> data(CreatePdmData());
    EXPECT_EQ(E_FAIL, data->Initialize());
    EXPECT_EQ(S_OK, data->Initialize());
    fake.SetNewObjectId(0);
    LONG id = -1;
    EXPECT_EQ(S_OK, data->AddDocument(21, 1, 101, "c.doc", id));
    EXPECT_EQ(0, id);
    EXPECT_EQ(std::vector<std::string>{"21/1 101/0 c.doc"}, fake.Added());
}
