// Saving and opening the local project file as a whole.
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

#include "OrveskTestSupport.h"
#include "ProjectDoc.h"
#include "TestProjects.h"

namespace {

void ExpectSameDate(const COleDateTime& a, const COleDateTime& b, const char* what)
{
    EXPECT_EQ(a.GetStatus(), b.GetStatus()) << what;
    EXPECT_EQ(a.m_dt, b.m_dt) << what;
}

void ExpectSameTask(const CTaskItem& a, const CTaskItem& b)
{
    EXPECT_EQ(a.m_strName, b.m_strName);
    EXPECT_EQ(a.m_nTaskID, b.m_nTaskID);
    EXPECT_EQ(a.m_nSubProjID, b.m_nSubProjID);
    EXPECT_EQ(a.m_nProjID, b.m_nProjID);
    EXPECT_EQ(a.m_nIsTask, b.m_nIsTask);
    EXPECT_EQ(a.m_nParentID, b.m_nParentID);
    EXPECT_EQ(a.m_nCost, b.m_nCost);
    EXPECT_EQ(a.m_nActCost, b.m_nActCost);
    EXPECT_EQ(a.m_strDesc, b.m_strDesc);
    EXPECT_EQ(a.m_nTrueDuration, b.m_nTrueDuration);
    EXPECT_EQ(a.m_nDuration, b.m_nDuration);
    EXPECT_EQ(a.m_nActDuration, b.m_nActDuration);
    EXPECT_EQ(a.m_nDurIsEst, b.m_nDurIsEst);
    EXPECT_EQ(a.m_nPriority, b.m_nPriority);
    EXPECT_EQ(a.m_nStatus, b.m_nStatus);
    EXPECT_EQ(a.m_nProgress, b.m_nProgress);
    EXPECT_EQ(a.m_nAssignerID, b.m_nAssignerID);
    EXPECT_EQ(a.m_nMilestone, b.m_nMilestone);
    ExpectSameDate(a.m_dtCreation, b.m_dtCreation, "creation");
    ExpectSameDate(a.m_dtStart, b.m_dtStart, "start");
    ExpectSameDate(a.m_dtFinish, b.m_dtFinish, "finish");
    ExpectSameDate(a.m_dtDeadline, b.m_dtDeadline, "deadline");
    ExpectSameDate(a.m_dtActFinish, b.m_dtActFinish, "actual finish");
    ExpectSameDate(a.m_dtActStart, b.m_dtActStart, "actual start");
    ExpectSameDate(a.m_dtEarlyStart, b.m_dtEarlyStart, "early start");
    ExpectSameDate(a.m_dtEarlyFinish, b.m_dtEarlyFinish, "early finish");
    ExpectSameDate(a.m_dtLateStart, b.m_dtLateStart, "late start");
    ExpectSameDate(a.m_dtLateFinish, b.m_dtLateFinish, "late finish");
    EXPECT_EQ(a.m_nRowInGrid, b.m_nRowInGrid);
    EXPECT_EQ(a.m_nReserved, b.m_nReserved);
    ASSERT_EQ(a.m_arrAssignees.GetSize(), b.m_arrAssignees.GetSize());
    for (INT_PTR i = 0; i < a.m_arrAssignees.GetSize(); ++i)
        EXPECT_EQ(a.m_arrAssignees[i], b.m_arrAssignees[i]);
    ASSERT_EQ(a.m_arrSuccessors.GetSize(), b.m_arrSuccessors.GetSize());
    for (INT_PTR i = 0; i < a.m_arrSuccessors.GetSize(); ++i)
        EXPECT_EQ(a.m_arrSuccessors[i], b.m_arrSuccessors[i]);

    ASSERT_EQ(a.m_listLinks.GetCount(), b.m_listLinks.GetCount());
    for (POSITION pa = a.m_listLinks.GetHeadPosition(), pb = b.m_listLinks.GetHeadPosition(); pa != NULL;) {
        const CTaskLink* la = a.m_listLinks.GetNext(pa);
        const CTaskLink* lb = b.m_listLinks.GetNext(pb);
        EXPECT_EQ(la->m_strPredName, lb->m_strPredName);
        EXPECT_EQ(la->m_nPredID, lb->m_nPredID);
        EXPECT_EQ(la->m_nSuccID, lb->m_nSuccID);
        EXPECT_EQ(la->m_nType, lb->m_nType);
        EXPECT_EQ(la->m_nLogicalType, lb->m_nLogicalType);
        EXPECT_EQ(la->m_nSequence, lb->m_nSequence);
        EXPECT_EQ(la->m_nLag, lb->m_nLag);
    }
    ASSERT_EQ(a.m_listRefDocs.GetCount(), b.m_listRefDocs.GetCount());
    for (POSITION pa = a.m_listRefDocs.GetHeadPosition(), pb = b.m_listRefDocs.GetHeadPosition(); pa != NULL;) {
        const CRefDoc* da = a.m_listRefDocs.GetNext(pa);
        const CRefDoc* db = b.m_listRefDocs.GetNext(pb);
        EXPECT_EQ(da->m_strDocName, db->m_strDocName);
        EXPECT_EQ(da->m_strDocLocation, db->m_strDocLocation);
        EXPECT_EQ(da->m_nDocSource, db->m_nDocSource);
        EXPECT_EQ(da->m_nPdmClassID, db->m_nPdmClassID);
        EXPECT_EQ(da->m_nPdmObjectID, db->m_nPdmObjectID);
    }
    ASSERT_EQ(a.m_listTargetDocs.GetCount(), b.m_listTargetDocs.GetCount());
    for (POSITION pa = a.m_listTargetDocs.GetHeadPosition(), pb = b.m_listTargetDocs.GetHeadPosition(); pa != NULL;) {
        const CTargetDoc* da = a.m_listTargetDocs.GetNext(pa);
        const CTargetDoc* db = b.m_listTargetDocs.GetNext(pb);
        EXPECT_EQ(da->m_strDocName, db->m_strDocName);
        EXPECT_EQ(da->m_strDocLocation, db->m_strDocLocation);
        EXPECT_EQ(da->m_nDocSource, db->m_nDocSource);
        EXPECT_EQ(da->m_nPdmClassID, db->m_nPdmClassID);
        EXPECT_EQ(da->m_nPdmObjectID, db->m_nPdmObjectID);
    }
    ASSERT_EQ(a.m_listChildren.GetCount(), b.m_listChildren.GetCount());
    for (POSITION pa = a.m_listChildren.GetHeadPosition(), pb = b.m_listChildren.GetHeadPosition(); pa != NULL;)
        ExpectSameTask(*a.m_listChildren.GetNext(pa), *b.m_listChildren.GetNext(pb));
}

bool SameResource(const tagResInfo& a, const tagResInfo& b)
{
    return a.nID == b.nID && a.strCode == b.strCode && a.strUnit == b.strUnit && a.strDesc == b.strDesc &&
           a.strName == b.strName && a.nType == b.nType && a.nCost == b.nCost && a.nActCost == b.nActCost &&
           a.bIsAdmin == b.bIsAdmin && a.bIsManager == b.bIsManager && a.bIsExt == b.bIsExt;
}

void FillCalendarAndRights(CProjectDoc& doc)
{
    for (int d = 0; d < 7; ++d) {
        CDayOfWeek* pDay = new CDayOfWeek;
        pDay->m_nDay = d;
        pDay->m_bWorking = d % 6 != 0;
        pDay->m_strText.Format("周%d", d);
        doc.m_listDayOfWeek.AddTail(pDay);
    }
    for (int i = 0; i < 20; ++i) {
        CCalendarItem* pItem = new CCalendarItem;
        pItem->m_bWorking = i % 2;
        pItem->m_dtFrom = MakeDate(2004, 1 + i % 12, 1 + i);
        pItem->m_dtTo = MakeDate(2004, 1 + i % 12, 2 + i, 18, 0, 0);
        pItem->m_nReserved = i;
        doc.m_listCalendarItems.AddTail(pItem);
    }
    for (int i = 0; i < 30; ++i) {
        tagResInfo res = MakeResource("", "", i);
        res.strCode.Format("S%d", i);
        res.strName.Format("资源 %d", i);
        res.strUnit = "人";
        res.strDesc.Format("描述 %d", i);
        res.nType = 1 + i % 4;
        res.nCost = i * 10;
        res.nActCost = i * 9;
        res.bIsAdmin = i % 2;
        res.bIsManager = i % 3 == 0;
        res.bIsExt = i % 5 == 0;
        doc.m_listResources.AddTail(res);
    }
    for (int i = 0; i < 10; ++i) {
        tagPermInfo perm;
        perm.strCode.Format("S%d", i);
        perm.nOpenProj = i % 2;
        perm.nPublishProj = i % 3;
        perm.nDeleteProj = i % 4 == 0;
        perm.nModifyProgress = 1;
        perm.nLookProgress = i % 5;
        perm.nForum = 0;
        perm.strDesc.Format("角色%d", i);
        perm.strName.Format("用户%d", i);
        doc.m_listPermissions.AddTail(perm);
    }
    doc.m_nCalID = 17;
    doc.m_nCalBaseID = -1;
    doc.m_strCalName = "项目日历";
}

} // namespace

TEST(LocalFile, LargeProjectRoundTripsEveryField)
{
    CProjectDoc doc;
    FillLargeProject(doc, 20, 5, 4);
    FillCalendarAndRights(doc);
    doc.m_ProjectInfo.m_dtDeadline.SetStatus(COleDateTime::invalid);
    CTempFolder folder;
    const std::string path = folder.Path("large.tlp");
    CString error;
    ASSERT_TRUE(doc.SaveLocalFile(path.c_str(), error)) << (LPCTSTR)error;

    CProjectDoc back;
    ASSERT_TRUE(back.LoadLocalFile(path.c_str(), error)) << (LPCTSTR)error;
    const CProjectInfo& a = doc.m_ProjectInfo;
    const CProjectInfo& b = back.m_ProjectInfo;
    EXPECT_EQ(a.m_strName, b.m_strName);
    EXPECT_EQ(a.m_strGoal, b.m_strGoal);
    EXPECT_EQ(a.m_nProjID, b.m_nProjID);
    EXPECT_EQ(back.m_nProjectID, a.m_nProjID);
    ExpectSameDate(a.m_dtStart, b.m_dtStart, "start");
    ExpectSameDate(a.m_dtFinish, b.m_dtFinish, "finish");
    ExpectSameDate(a.m_dtCreation, b.m_dtCreation, "creation");
    ExpectSameDate(a.m_dtDeadline, b.m_dtDeadline, "deadline");
    ASSERT_EQ(a.m_listMembers.GetCount(), b.m_listMembers.GetCount());
    for (POSITION pa = a.m_listMembers.GetHeadPosition(), pb = b.m_listMembers.GetHeadPosition(); pa != NULL;)
        EXPECT_TRUE(SameResource(a.m_listMembers.GetNext(pa), b.m_listMembers.GetNext(pb)));

    ASSERT_EQ(back.m_listTasks.GetCount(), 20);
    for (POSITION pa = doc.m_listTasks.GetHeadPosition(), pb = back.m_listTasks.GetHeadPosition(); pa != NULL;)
        ExpectSameTask(*doc.m_listTasks.GetNext(pa), *back.m_listTasks.GetNext(pb));

    ASSERT_EQ(back.m_listDayOfWeek.GetCount(), 7);
    for (POSITION pa = doc.m_listDayOfWeek.GetHeadPosition(), pb = back.m_listDayOfWeek.GetHeadPosition(); pa != NULL;) {
        const CDayOfWeek* x = doc.m_listDayOfWeek.GetNext(pa);
        const CDayOfWeek* y = back.m_listDayOfWeek.GetNext(pb);
        EXPECT_EQ(x->m_nDay, y->m_nDay);
        EXPECT_EQ(x->m_bWorking, y->m_bWorking);
        EXPECT_EQ(x->m_strText, y->m_strText);
    }
    ASSERT_EQ(back.m_listCalendarItems.GetCount(), 20);
    for (POSITION pa = doc.m_listCalendarItems.GetHeadPosition(), pb = back.m_listCalendarItems.GetHeadPosition();
         pa != NULL;) {
        const CCalendarItem* x = doc.m_listCalendarItems.GetNext(pa);
        const CCalendarItem* y = back.m_listCalendarItems.GetNext(pb);
        EXPECT_EQ(x->m_bWorking, y->m_bWorking);
        ExpectSameDate(x->m_dtFrom, y->m_dtFrom, "from");
        ExpectSameDate(x->m_dtTo, y->m_dtTo, "to");
        EXPECT_EQ(x->m_nReserved, y->m_nReserved);
    }
    ASSERT_EQ(back.m_listResources.GetCount(), 30);
    for (POSITION pa = doc.m_listResources.GetHeadPosition(), pb = back.m_listResources.GetHeadPosition(); pa != NULL;)
        EXPECT_TRUE(SameResource(doc.m_listResources.GetNext(pa), back.m_listResources.GetNext(pb)));
    ASSERT_EQ(back.m_listPermissions.GetCount(), 10);
    for (POSITION pa = doc.m_listPermissions.GetHeadPosition(), pb = back.m_listPermissions.GetHeadPosition();
         pa != NULL;) {
        const tagPermInfo& x = doc.m_listPermissions.GetNext(pa);
        const tagPermInfo& y = back.m_listPermissions.GetNext(pb);
        EXPECT_EQ(x.strCode, y.strCode);
        for (int k = 0; k <= 5; ++k)
            EXPECT_EQ(x.GetPermission(k), y.GetPermission(k));
        EXPECT_EQ(x.strDesc, y.strDesc);
        EXPECT_EQ(x.strName, y.strName);
    }
    EXPECT_EQ(back.m_nMaxRowInGrid, doc.m_nMaxRowInGrid);
    EXPECT_EQ(back.m_nCalID, 17);
    EXPECT_EQ(back.m_nCalBaseID, -1);
    EXPECT_EQ(back.m_strCalName, CString("项目日历"));
}

TEST(LocalFile, LoadAndSaveSendTheProgressMessages)
{
    CProjectDoc doc;
    FillLargeProject(doc, 2, 1, 1); // six tasks
    CTempFolder folder;
    const std::string path = folder.Path("p.tlp");
    CString error;
    {
        CProgressRecorder progress;
        ASSERT_TRUE(doc.SaveLocalFile(path.c_str(), error));
        EXPECT_EQ(progress.Trace(), "S[正在保存]........E");
    }
    CProjectDoc back;
    CProgressRecorder progress;
    ASSERT_TRUE(back.LoadLocalFile(path.c_str(), error));
    EXPECT_EQ(progress.Trace(), "S[正在装载]........E");
}

TEST(LocalFile, TruncatedFilesAreRefusedAndChangeNothing)
{
    CProjectDoc doc;
    FillLargeProject(doc, 6, 3, 2);
    FillCalendarAndRights(doc);
    CTempFolder folder;
    const std::string path = folder.Path("full.tlp");
    CString error;
    ASSERT_TRUE(doc.SaveLocalFile(path.c_str(), error));
    const std::string bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 2000u);

    CProjectDoc open;
    FillSampleProject(open);
    CString before;
    open.WriteProjectXml(before);
    const std::string cut = folder.Path("cut.tlp");
    int nRefused = 0;
    for (size_t n = 0; n < bytes.size(); n += 97) {
        WriteFileBytes(cut, bytes.substr(0, n));
        CProgressRecorder progress;
        ASSERT_FALSE(open.LoadLocalFile(cut.c_str(), error)) << n;
        EXPECT_NE(error.Find("cut.tlp"), -1);
        EXPECT_EQ(progress.Count(WM_PROGRESS_START), 1);
        EXPECT_EQ(progress.Count(WM_PROGRESS_END), progress.Count(WM_PROGRESS_START));
        ++nRefused;
    }
    EXPECT_GT(nRefused, 20);
    CString after;
    open.WriteProjectXml(after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(open.m_listDeletedTasks.GetCount(), 1);
}

TEST(LocalFile, DamagedFilesAreRefusedWithAMessage)
{
    CProjectDoc doc;
    FillLargeProject(doc, 1, 1, 0);
    CTempFolder folder;
    const std::string path = folder.Path("ok.tlp");
    CString error;
    ASSERT_TRUE(doc.SaveLocalFile(path.c_str(), error));
    const std::string bytes = ReadFileBytes(path);
    const std::string taskClass = std::string("\xff\xff\x02\x00\x09\x00", 6) + "CTaskItem";
    const size_t at = bytes.find(taskClass);
    ASSERT_NE(at, std::string::npos);

    std::vector<std::string> damaged;
    // An unknown class name.
    std::string unknown = bytes;
    unknown.replace(at + 6, 9, "CTaskXtem");
    damaged.push_back(unknown);
    // A null object in the task list.
    std::string null = bytes;
    null.replace(at, taskClass.size(), std::string("\x00\x00", 2));
    damaged.push_back(null);
    // The child names the top task again (an object reference instead of a new object).
    std::string repeated = bytes;
    const size_t childTag = repeated.find(std::string("\x01\x80", 2), at);
    ASSERT_NE(childTag, std::string::npos);
    repeated.replace(childTag, 2, std::string("\x02\x00", 2));
    damaged.push_back(repeated);
    // A class that is no task where a task is expected.
    std::string wrongClass = bytes;
    wrongClass.replace(at, taskClass.size(), std::string("\xff\xff\x01\x00\x09\x00", 6) + "CTaskLink");
    damaged.push_back(wrongClass);
    // Garbage.
    damaged.push_back(std::string(5000, '\xff'));
    // Counts and lengths far beyond the data.
    damaged.push_back(std::string("\xff\xff\xff\x7f", 4) + std::string(100, '\0'));
    damaged.push_back(std::string("\0\0\0\0\xff\xff\xff\xff\xff\xff\xff", 11) + std::string(100, 'x'));

    CMessageBoxRecorder boxes;
    int n = 0;
    for (const std::string& bad : damaged) {
        const std::string file = folder.Path(("bad" + std::to_string(n++) + ".tlp").c_str());
        WriteFileBytes(file, bad);
        CProjectDoc open;
        open.m_ProjectInfo.m_strName = "open";
        open.m_nCalID = 5;
        EXPECT_FALSE(open.ReadLocalFile(file.c_str())) << n;
        EXPECT_EQ(open.m_ProjectInfo.m_strName, CString("open"));
        EXPECT_EQ(open.m_nCalID, 5);
        EXPECT_TRUE(open.m_listTasks.IsEmpty());
    }
    ASSERT_EQ(boxes.entries.size(), damaged.size());
    for (const auto& box : boxes.entries)
        EXPECT_NE(box.text.Find("已损坏或不完整"), -1) << (LPCTSTR)box.text;
}

TEST(LocalFile, MissingFileIsReported)
{
    CTempFolder folder;
    CProjectDoc doc;
    CString error;
    EXPECT_FALSE(doc.LoadLocalFile(folder.Path("none.tlp").c_str(), error));
    EXPECT_NE(error.Find("none.tlp"), -1);
}

TEST(LocalFile, SuccessfulLoadReplacesTheProject)
{
    CProjectDoc saved;
    FillSampleProject(saved);
    CTempFolder folder;
    const std::string path = folder.Path("s.tlp");
    CString error;
    ASSERT_TRUE(saved.SaveLocalFile(path.c_str(), error));

    CProjectDoc doc;
    FillLargeProject(doc, 3, 1, 1);
    AddResource(doc.m_listResources, MakeResource("old", "old"));
    doc.m_strServiceUrl = "http://kept";
    ASSERT_TRUE(doc.LoadLocalFile(path.c_str(), error)) << (LPCTSTR)error;
    EXPECT_EQ(doc.m_listTasks.GetCount(), 1);
    EXPECT_TRUE(doc.m_listResources.IsEmpty());
    EXPECT_TRUE(doc.m_listDeletedTasks.IsEmpty()); // removed tasks are not kept in the file
    EXPECT_EQ(doc.m_ProjectInfo.m_strName, saved.m_ProjectInfo.m_strName);
    EXPECT_EQ(doc.m_strServiceUrl, CString("http://kept"));
}

TEST(LocalFile, SaveThatFailsHalfWayKeepsTheOldFile)
{
    CTempFolder folder;
    const std::string path = folder.Path("keep.tlp");
    CProjectDoc first;
    FillSampleProject(first);
    CString error;
    ASSERT_TRUE(first.SaveLocalFile(path.c_str(), error));
    const std::string old = ReadFileBytes(path);

    CProjectDoc doc;
    FillLargeProject(doc, 10, 2, 2);
    // The disk gives out while the tasks are written.
    int nSteps = 0;
    ProjectProgressSink previous = ProjectSetProgressSink([&](UINT message, WPARAM, LPARAM) {
        if (message == WM_PROGRESS_STEP && ++nSteps == 25)
            AfxThrowFileException(CFileException::diskFull, -1, path.c_str());
    });
    const BOOL bSaved = doc.SaveLocalFile(path.c_str(), error);
    ProjectSetProgressSink(previous);
    EXPECT_FALSE(bSaved);
    EXPECT_NE(error.Find("keep.tlp"), -1);
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"keep.tlp"});
}

TEST(LocalFile, SaveIntoAMissingFolderFails)
{
    CTempFolder folder;
    CProjectDoc doc;
    CString error;
    CMessageBoxRecorder boxes;
    EXPECT_FALSE(doc.WriteLocalFile(folder.Path("no/such/p.tlp").c_str()));
    ASSERT_EQ(boxes.entries.size(), 1u);
    EXPECT_NE(boxes.entries[0].text.Find("p.tlp"), -1);
    EXPECT_TRUE(folder.Files().empty());
}

TEST(LocalFile, SaveReplacesTheFileAndLeavesNoTemporary)
{
    CTempFolder folder;
    const std::string path = folder.Path("p.tlp");
    WriteFileBytes(path, "old content");
    CProjectDoc doc;
    CString error;
    ASSERT_TRUE(doc.SaveLocalFile(path.c_str(), error));
    EXPECT_NE(ReadFileBytes(path), "old content");
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"p.tlp"});
}

TEST(LocalFile, ACodePage936FileNameRoundTripsAndLeavesNoStrayFiles)
{
    CTempFolder folder;
    // The program's text is code page 936; the file system shows the name as UTF-8.
    const std::string path = folder.Path("项目.tlp");
    const std::string onDisk = "\xe9\xa1\xb9\xe7\x9b\xae.tlp";
    CProjectDoc doc;
    FillLargeProject(doc, 4, 2, 1);
    FillCalendarAndRights(doc);
    CString error;
    ASSERT_TRUE(doc.SaveLocalFile(path.c_str(), error)) << (LPCTSTR)error;
    EXPECT_EQ(folder.Files(), std::vector<std::string>{onDisk});
    const std::string first = ReadFileBytes(folder.Path(onDisk.c_str()));
    ASSERT_GT(first.size(), 1000u);

    CProjectDoc back;
    ASSERT_TRUE(back.LoadLocalFile(path.c_str(), error)) << (LPCTSTR)error;
    ASSERT_EQ(back.m_listTasks.GetCount(), doc.m_listTasks.GetCount());
    for (POSITION pa = doc.m_listTasks.GetHeadPosition(), pb = back.m_listTasks.GetHeadPosition(); pa != NULL;)
        ExpectSameTask(*doc.m_listTasks.GetNext(pa), *back.m_listTasks.GetNext(pb));
    EXPECT_EQ(back.m_strCalName, CString("项目日历"));

    // Saved again under the same name, the file is replaced and still the only one.
    CProjectDoc small;
    FillSampleProject(small);
    ASSERT_TRUE(small.SaveLocalFile(path.c_str(), error)) << (LPCTSTR)error;
    EXPECT_EQ(folder.Files(), std::vector<std::string>{onDisk});
    const std::string second = ReadFileBytes(folder.Path(onDisk.c_str()));
    EXPECT_NE(second, first);
    CProjectDoc again;
    ASSERT_TRUE(again.LoadLocalFile(path.c_str(), error)) << (LPCTSTR)error;
    EXPECT_EQ(again.m_ProjectInfo.m_strName, small.m_ProjectInfo.m_strName);
    EXPECT_EQ(again.m_listTasks.GetCount(), small.m_listTasks.GetCount());
}

TEST(LocalFile, SaveKeepsTheFilesPermissions)
{
    CTempFolder folder;
    const std::string path = folder.Path("shared.tlp");
    WriteFileBytes(path, "old content");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    CProjectDoc doc;
    FillSampleProject(doc);
    CString error;
    ASSERT_TRUE(doc.SaveLocalFile(path.c_str(), error)) << (LPCTSTR)error;
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_NE(ReadFileBytes(path), "old content");
}

TEST(LocalFile, SaveIntoAMissingFolderGivesTheFailureMessage)
{
    CTempFolder folder;
    const std::string path = folder.Path("no/p.tlp");
    CProjectDoc doc;
    CString error;
    EXPECT_FALSE(doc.SaveLocalFile(path.c_str(), error));
    CString expected;
    expected.Format("项目文件 %s 保存失败，原有的文件没有改动。", path.c_str());
    EXPECT_EQ(error.Left(expected.GetLength()), expected);
    EXPECT_GT(error.GetLength(), expected.GetLength() + 1);
    EXPECT_EQ(error.Mid(expected.GetLength(), 1), CString("\n"));
    EXPECT_TRUE(folder.Files().empty());
}
