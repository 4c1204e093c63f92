// The server's resources and the users' permissions.
#include <gtest/gtest.h>

#include <ProjectService/FakeProjectService.h>

#include "OrveskTestSupport.h"
#include "ProjectDoc.h"
#include "TestProjects.h"

namespace {

class CPermDoc : public CProjectDoc
{
public:
    using CProjectDoc::ModifyLoginUserPerm;

    tagPermInfo& AddPerm(const CString& code, int open, int publish, int del, int modify, int look, int forum)
    {
        tagPermInfo perm;
        perm.strCode = code;
        perm.nOpenProj = open;
        perm.nPublishProj = publish;
        perm.nDeleteProj = del;
        perm.nModifyProgress = modify;
        perm.nLookProgress = look;
        perm.nForum = forum;
        m_listPermissions.AddTail(perm);
        return m_listPermissions.GetTail();
    }
};

const tagResInfo& ResourceAt(CProjectDoc& doc, int n)
{
    return doc.m_listResources.GetAt(doc.m_listResources.FindIndex(n));
}

const tagPermInfo& PermAt(CProjectDoc& doc, int n)
{
    return doc.m_listPermissions.GetAt(doc.m_listPermissions.FindIndex(n));
}

} // namespace

TEST(Resources, ParseReadsEachResource)
{
    CProjectDoc doc;
    EXPECT_EQ(doc.ParseResources(
                  "<RESOURCES><RESOURCE><RESCODE>R1</RESCODE><RESUNIT>人</RESUNIT><RESNAME>张三</RESNAME>"
                  "<RESTYPE>2</RESTYPE><RESISADMIN>0</RESISADMIN><RESISMANAGER>1</RESISMANAGER>"
                  "<RESISEXT>1</RESISEXT><RESCOST>30</RESCOST><RESACTCOST>25</RESACTCOST>"
                  "<RESDESC>not read</RESDESC></RESOURCE>"
                  "<RESOURCE><RESCODE>R2</RESCODE><RESTYPE></RESTYPE><RESISADMIN></RESISADMIN>"
                  "<RESISMANAGER></RESISMANAGER></RESOURCE></RESOURCES>"),
              1);
    ASSERT_EQ(doc.m_listResources.GetCount(), 2);
    const tagResInfo& r1 = ResourceAt(doc, 0);
    EXPECT_EQ(r1.nID, 0);
    EXPECT_EQ(r1.strCode, CString("R1"));
    EXPECT_EQ(r1.strUnit, CString("人"));
    EXPECT_EQ(r1.strName, CString("张三"));
    EXPECT_EQ(r1.strDesc, CString(""));
    EXPECT_EQ(r1.nType, 2);
    EXPECT_EQ(r1.bIsAdmin, 0);
    EXPECT_EQ(r1.bIsManager, 1);
    EXPECT_EQ(r1.bIsExt, 1);
    EXPECT_EQ(r1.nCost, 30);
    EXPECT_EQ(r1.nActCost, 25);
    const tagResInfo& r2 = ResourceAt(doc, 1);
    EXPECT_EQ(r2.nType, 0);      // empty RESTYPE: 0
    EXPECT_EQ(r2.bIsAdmin, 1);   // empty RESISADMIN: 1
    EXPECT_EQ(r2.bIsManager, 0); // empty RESISMANAGER: 0
}

TEST(Resources, EachResourceStartsFromAFreshRecord)
{
    CProjectDoc doc;
    doc.ParseResources("<RESOURCES><RESOURCE><RESCODE>R1</RESCODE><RESUNIT>台</RESUNIT><RESCOST>9</RESCOST>"
                       "<RESISMANAGER>0</RESISMANAGER></RESOURCE><RESOURCE><RESCODE>R2</RESCODE></RESOURCE>"
                       "</RESOURCES>");
    ASSERT_EQ(doc.m_listResources.GetCount(), 2);
    const tagResInfo& r2 = ResourceAt(doc, 1);
    EXPECT_EQ(r2.strUnit, CString(""));
    EXPECT_EQ(r2.nCost, 0);
    EXPECT_EQ(r2.bIsManager, 1); // the record's own default, not R1's value
    EXPECT_EQ(r2.nType, 1);
}

TEST(Resources, BlanksCommentsAndForeignElementsAreSteppedOver)
{
    CProjectDoc doc;
    doc.ParseResources("<RESOURCES>\n  <RESOURCE><RESCODE>R1</RESCODE></RESOURCE>\n  <!-- more -->\n"
                       "  <GROUP><RESCODE>G</RESCODE></GROUP>\n  <RESOURCE><RESCODE>R2</RESCODE></RESOURCE>\n"
                       "  <RESOURCE><RESNAME>no code</RESNAME></RESOURCE>\n</RESOURCES>");
    ASSERT_EQ(doc.m_listResources.GetCount(), 2);
    EXPECT_EQ(ResourceAt(doc, 0).strCode, CString("R1"));
    EXPECT_EQ(ResourceAt(doc, 1).strCode, CString("R2"));
}

TEST(Resources, OtherDocumentsAddNothingAndTheListIsNotEmptied)
{
    CProjectDoc doc;
    AddResource(doc.m_listResources, MakeResource("R0", "old"));
    EXPECT_EQ(doc.ParseResources("<RESOURCE><RESCODE>R1</RESCODE></RESOURCE>"), 1);
    EXPECT_EQ(doc.ParseResources("<RESOURCES><RESOURCE>"), 1);
    EXPECT_EQ(doc.ParseResources("<RESOURCES><RESOURCE><RESCODE>R1</RESCODE></RESOURCE></RESOURCES>"), 1);
    ASSERT_EQ(doc.m_listResources.GetCount(), 2);
    EXPECT_EQ(ResourceAt(doc, 0).strCode, CString("R0"));
}

TEST(Permissions, ParseReadsEachRecordWithItsDefaults)
{
    CProjectDoc doc;
    EXPECT_EQ(doc.ParsePermission("<PERMISSIONS><PERMISSION><RESCODE>U1</RESCODE><OPENPROJ>1</OPENPROJ>"
                                  "<PUBLISHPROJ>2</PUBLISHPROJ><DELETEPROJ>0</DELETEPROJ>"
                                  "<MODIFYPROGRESS>1</MODIFYPROGRESS><LOOKPROGRESS>0</LOOKPROGRESS>"
                                  "<FORUM>0</FORUM><DESC>经理</DESC></PERMISSION>\n"
                                  "<PERMISSION><RESCODE></RESCODE><OPENPROJ></OPENPROJ><PUBLISHPROJ/>"
                                  "<DELETEPROJ/><MODIFYPROGRESS/><LOOKPROGRESS></LOOKPROGRESS><FORUM/>"
                                  "<DESC/></PERMISSION></PERMISSIONS>"),
              1);
    ASSERT_EQ(doc.m_listPermissions.GetCount(), 2);
    const tagPermInfo& p1 = PermAt(doc, 0);
    EXPECT_EQ(p1.strCode, CString("U1"));
    EXPECT_EQ(p1.nOpenProj, 1);
    EXPECT_EQ(p1.nPublishProj, 2);
    EXPECT_EQ(p1.nDeleteProj, 0);
    EXPECT_EQ(p1.nModifyProgress, 1);
    EXPECT_EQ(p1.nLookProgress, 0);
    EXPECT_EQ(p1.nForum, 0);
    EXPECT_EQ(p1.strDesc, CString("经理"));
    const tagPermInfo& p2 = PermAt(doc, 1); // appended although it has no code
    EXPECT_EQ(p2.strCode, CString(""));
    EXPECT_EQ(p2.nOpenProj, 0);
    EXPECT_EQ(p2.nPublishProj, 0);
    EXPECT_EQ(p2.nDeleteProj, 0);
    EXPECT_EQ(p2.nModifyProgress, 0);
    EXPECT_EQ(p2.nLookProgress, 1); // empty LOOKPROGRESS and FORUM read as 1
    EXPECT_EQ(p2.nForum, 1);
    EXPECT_EQ(p2.strDesc, CString(""));
}

TEST(Permissions, AbsentFieldNeverCarriesTheRightsOfTheUserBefore)
{
    CProjectDoc doc;
    doc.ParsePermission("<PERMISSIONS><PERMISSION><RESCODE>boss</RESCODE><OPENPROJ>1</OPENPROJ>"
                        "<PUBLISHPROJ>1</PUBLISHPROJ><DELETEPROJ>1</DELETEPROJ><DESC>all</DESC></PERMISSION>"
                        "<PERMISSION><RESCODE>guest</RESCODE></PERMISSION></PERMISSIONS>");
    ASSERT_EQ(doc.m_listPermissions.GetCount(), 2);
    const tagPermInfo& guest = PermAt(doc, 1);
    EXPECT_EQ(guest.nOpenProj, 0);
    EXPECT_EQ(guest.nPublishProj, 0);
    EXPECT_EQ(guest.nDeleteProj, 0);
    EXPECT_EQ(guest.strDesc, CString(""));
    EXPECT_EQ(doc.IsHavePermission("guest", PERM_DELETEPROJ), 0);
    EXPECT_EQ(doc.IsHavePermission("boss", PERM_DELETEPROJ), 1);
}

TEST(Permissions, ForeignNodesAreSkipped)
{
    CProjectDoc doc;
    doc.ParsePermission("<PERMISSIONS><!-- c --><X/><PERMISSION><RESCODE>a</RESCODE></PERMISSION>text"
                        "<PERMISSION><RESCODE>b</RESCODE></PERMISSION></PERMISSIONS>");
    ASSERT_EQ(doc.m_listPermissions.GetCount(), 2);
    EXPECT_EQ(PermAt(doc, 1).strCode, CString("b"));
}

TEST(Permissions, SaveWritesEveryRecordOrNothing)
{
    CPermDoc doc;
    CString xml = "old";
    EXPECT_EQ(doc.SaveUsersPermission(xml), 1);
    EXPECT_EQ(xml, CString(""));

    doc.AddPerm("U1", 1, 0, 0, 1, 1, 0).strDesc = "经理&副";
    doc.AddPerm("U<2>", 0, 0, 0, 0, 1, 1);
    EXPECT_EQ(doc.SaveUsersPermission(xml), 1);
    EXPECT_EQ(xml, CString("<PERMISSIONS><PERMISSION><RESCODE>U1</RESCODE><OPENPROJ>1</OPENPROJ>"
                           "<PUBLISHPROJ>0</PUBLISHPROJ> \t\t\t\t\t\t<DELETEPROJ>0</DELETEPROJ>"
                           "<MODIFYPROGRESS>1</MODIFYPROGRESS><LOOKPROGRESS>1</LOOKPROGRESS><FORUM>0</FORUM>"
                           " \t\t\t\t\t\t<DESC>经理&amp;副</DESC></PERMISSION>"
                           "<PERMISSION><RESCODE>U&lt;2&gt;</RESCODE><OPENPROJ>0</OPENPROJ>"
                           "<PUBLISHPROJ>0</PUBLISHPROJ> \t\t\t\t\t\t<DELETEPROJ>0</DELETEPROJ>"
                           "<MODIFYPROGRESS>0</MODIFYPROGRESS><LOOKPROGRESS>1</LOOKPROGRESS><FORUM>1</FORUM>"
                           " \t\t\t\t\t\t<DESC></DESC></PERMISSION></PERMISSIONS>"));

    CProjectDoc back;
    back.ParsePermission(xml);
    ASSERT_EQ(back.m_listPermissions.GetCount(), 2);
    EXPECT_EQ(PermAt(back, 0).strDesc, CString("经理&副"));
    EXPECT_EQ(PermAt(back, 1).strCode, CString("U<2>"));
    EXPECT_EQ(PermAt(back, 1).nForum, 1);
}

TEST(Permissions, FirstMatchingRecordAnswersWithItsStoredValue)
{
    CPermDoc doc;
    doc.AddPerm("u", 0, 2, 0, 1, 1, 0);
    doc.AddPerm("u", 1, 1, 1, 1, 1, 1);
    doc.AddPerm("U", 1, 1, 1, 1, 1, 1);
    EXPECT_EQ(doc.IsHavePermission("u", PERM_OPENPROJ), 0);
    EXPECT_EQ(doc.IsHavePermission("u", PERM_PUBLISHPROJ), 2);
    EXPECT_EQ(doc.IsHavePermission("u", PERM_DELETEPROJ), 0);
    EXPECT_EQ(doc.IsHavePermission("u", PERM_MODIFYPROGRESS), 1);
    EXPECT_EQ(doc.IsHavePermission("u", PERM_LOOKPROGRESS), 1);
    EXPECT_EQ(doc.IsHavePermission("u", PERM_FORUM), 0);
    EXPECT_EQ(doc.IsHavePermission("u", 6), 0);
    EXPECT_EQ(doc.IsHavePermission("u", -1), 0);
    EXPECT_EQ(doc.IsHavePermission("nobody", PERM_OPENPROJ), 0);
}

TEST(Permissions, EmptyCodeMeansTheLoggedInUser)
{
    CPermDoc doc;
    doc.AddPerm("me", 1, 0, 0, 0, 0, 0);
    doc.m_strLoginName = "me";
    CLoginScript login(TRUE, "other", "pw");
    EXPECT_EQ(doc.IsHavePermission("", PERM_OPENPROJ), 1);
    EXPECT_EQ(login.runs, 0);
}

TEST(Permissions, EmptyCodeWithoutUserLogsInFirst)
{
    CPermDoc doc;
    doc.AddPerm("me", 0, 1, 0, 0, 0, 0);
    {
        CLoginScript cancel(FALSE, "", "");
        EXPECT_EQ(doc.IsHavePermission("", PERM_PUBLISHPROJ), 0);
        EXPECT_EQ(cancel.runs, 1);
        EXPECT_TRUE(doc.m_strLoginName.IsEmpty());
    }
    CLoginScript login(TRUE, "me", "secret");
    EXPECT_EQ(doc.IsHavePermission("", PERM_PUBLISHPROJ), 1);
    EXPECT_EQ(login.runs, 1);
    EXPECT_EQ(doc.m_strLoginName, CString("me"));
    EXPECT_EQ(doc.m_strPassword, CString("secret"));
}

TEST(Permissions, LoginUserBecomesAMemberWithEveryRight)
{
    CPermDoc doc;
    doc.m_strLoginName = "me";
    AddResource(doc.m_ProjectInfo.m_listMembers, MakeResource("other", "o"));
    doc.ModifyLoginUserPerm();
    ASSERT_EQ(doc.m_ProjectInfo.m_listMembers.GetCount(), 2);
    const tagResInfo& member = doc.m_ProjectInfo.m_listMembers.GetTail();
    EXPECT_EQ(member.nID, 0);
    EXPECT_EQ(member.strCode, CString("me"));
    EXPECT_EQ(member.strName, CString("me"));
    EXPECT_EQ(member.strUnit, CString(""));
    EXPECT_EQ(member.strDesc, CString(""));
    EXPECT_EQ(member.nType, 1);
    EXPECT_EQ(member.nCost, 0);
    EXPECT_EQ(member.nActCost, 0);
    EXPECT_EQ(member.bIsAdmin, 1);
    EXPECT_EQ(member.bIsManager, 0);
    EXPECT_EQ(member.bIsExt, 0);
    ASSERT_EQ(doc.m_listPermissions.GetCount(), 1);
    const tagPermInfo& perm = doc.m_listPermissions.GetHead();
    EXPECT_EQ(perm.strCode, CString("me"));
    EXPECT_EQ(perm.strName, CString("me"));
    EXPECT_EQ(perm.strDesc, CString(""));
    for (int kind = 0; kind <= 5; ++kind)
        EXPECT_EQ(doc.IsHavePermission("me", kind), 1) << kind;

    // Again: nothing more is added.
    doc.ModifyLoginUserPerm();
    EXPECT_EQ(doc.m_ProjectInfo.m_listMembers.GetCount(), 2);
    EXPECT_EQ(doc.m_listPermissions.GetCount(), 1);
}

TEST(Permissions, ExistingRecordOfTheLoginUserGetsAllRights)
{
    CPermDoc doc;
    doc.m_strLoginName = "me";
    AddResource(doc.m_ProjectInfo.m_listMembers, MakeResource("me", "我"));
    tagPermInfo& perm = doc.AddPerm("me", 0, 1, 0, 0, 1, 0);
    perm.strDesc = "组员";
    perm.strName = "我";
    doc.ModifyLoginUserPerm();
    EXPECT_EQ(doc.m_ProjectInfo.m_listMembers.GetCount(), 1);
    ASSERT_EQ(doc.m_listPermissions.GetCount(), 1);
    const tagPermInfo& after = doc.m_listPermissions.GetHead();
    EXPECT_EQ(after.nOpenProj + after.nPublishProj + after.nDeleteProj + after.nModifyProgress +
                  after.nLookProgress + after.nForum,
              6);
    EXPECT_EQ(after.strDesc, CString("组员"));
    EXPECT_EQ(after.strName, CString("我"));
}

TEST(Permissions, NobodyLoggedInGetsNothing)
{
    CPermDoc doc;
    doc.ModifyLoginUserPerm();
    EXPECT_TRUE(doc.m_ProjectInfo.m_listMembers.IsEmpty());
    EXPECT_TRUE(doc.m_listPermissions.IsEmpty());
}

TEST(PermInfo, ConstructorGivesEmptyStringsAndNoRight)
{
    tagPermInfo perm;
    EXPECT_TRUE(perm.strCode.IsEmpty());
    EXPECT_TRUE(perm.strName.IsEmpty());
    EXPECT_TRUE(perm.strDesc.IsEmpty());
    for (int kind = 0; kind <= 5; ++kind)
        EXPECT_EQ(perm.GetPermission(kind), 0);
    tagPermInfo copy;
    perm.nForum = 3;
    perm.strName = "n";
    copy = perm;
    EXPECT_EQ(copy.nForum, 3);
    EXPECT_EQ(copy.strName, CString("n"));
}

TEST(ServerFetch, ResourcesAndPermissions)
{
    CFakeProjectService fake;
    fake.Install();
    fake.resources = "<RESOURCES><RESOURCE><RESCODE>R9</RESCODE></RESOURCE></RESOURCES>";
    fake.permissions[5] = "<PERMISSIONS><PERMISSION><RESCODE>U</RESCODE><OPENPROJ>1</OPENPROJ></PERMISSION></PERMISSIONS>";
    CProjectDoc doc;
    doc.m_strServiceUrl = "http://h/s/WebService/OrveskService.WSDL";
    doc.m_ProjectInfo.m_nProjID = 5;
    CWaitRecorder wait;
    EXPECT_EQ(doc.GetResources(), 1);
    EXPECT_EQ(doc.GetUsersPermission(), 1);
    EXPECT_EQ(wait.trace, "+-+-");
    ASSERT_EQ(doc.m_listResources.GetCount(), 1);
    EXPECT_EQ(doc.m_listResources.GetHead().strCode, CString("R9"));
    EXPECT_EQ(doc.IsHavePermission("U", PERM_OPENPROJ), 1);
    EXPECT_EQ(fake.LastCall("GetUsersPermission")->args[0], CString("5"));
    EXPECT_EQ(fake.InstancesAlive(), 0);
}

TEST(ServerFetch, FailuresAnswerZeroWithoutAMessage)
{
    CFakeProjectService fake;
    fake.Install();
    CProjectDoc doc;
    CMessageBoxRecorder boxes;
    CWaitRecorder wait;
    EXPECT_EQ(doc.GetResources(), 0); // no service address
    EXPECT_EQ(doc.GetUsersPermission(), 0);
    EXPECT_EQ(fake.InstancesCreated(), 0);
    EXPECT_EQ(wait.trace, "");

    doc.m_strServiceUrl = "http://h/s/WebService/OrveskService.WSDL";
    fake.FailCreation();
    EXPECT_EQ(doc.GetResources(), 0);
    EXPECT_EQ(doc.GetUsersPermission(), 0);
    fake.FailCreation(false);
    fake.FailCall("GetResources");
    fake.FailCall("GetUsersPermission");
    EXPECT_EQ(doc.GetResources(), 0);
    EXPECT_EQ(doc.GetUsersPermission(), 0);
    EXPECT_EQ(wait.trace, "+-+-+-+-");
    EXPECT_TRUE(boxes.entries.empty());
    EXPECT_TRUE(doc.m_listResources.IsEmpty());
}
