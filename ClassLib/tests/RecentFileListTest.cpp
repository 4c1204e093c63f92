#include <ClassLib/DocView/RecentFileList.h>
#include <ClassLib/Registry/Profile.h>

#include "TempStore.h"

namespace {

class RecentFileListTest : public TempStoreTest
{
};

TEST_F(RecentFileListTest, AddPutsNewestFirstAndMovesDuplicatesUp)
{
    CRecentFileList list(0xE110, "Recent File List", "File%d", 4);
    list.Add("/p/a.tlp");
    list.Add("/p/b.tlp");
    list.Add("/p/c.tlp");
    list.Add("/p/a.tlp");
    EXPECT_STREQ("/p/a.tlp", list[0]);
    EXPECT_STREQ("/p/c.tlp", list[1]);
    EXPECT_STREQ("/p/b.tlp", list[2]);
    EXPECT_TRUE(list[3].IsEmpty());
}

TEST_F(RecentFileListTest, TheOldestFallsOffWhenFull)
{
    CRecentFileList list(0xE110, "Recent File List", "File%d", 2);
    list.Add("1");
    list.Add("2");
    list.Add("3");
    EXPECT_STREQ("3", list[0]);
    EXPECT_STREQ("2", list[1]);
}

TEST_F(RecentFileListTest, EmptyPathIsIgnored)
{
    CRecentFileList list(0xE110, "Recent File List", "File%d", 2);
    list.Add("x");
    list.Add("");
    list.Add(nullptr);
    EXPECT_STREQ("x", list[0]);
    EXPECT_TRUE(list[1].IsEmpty());
}

TEST_F(RecentFileListTest, RemoveClosesTheGap)
{
    CRecentFileList list(0xE110, "Recent File List", "File%d", 3);
    list.Add("a");
    list.Add("b");
    list.Add("c");
    list.Remove(1);
    EXPECT_STREQ("c", list[0]);
    EXPECT_STREQ("a", list[1]);
    EXPECT_TRUE(list[2].IsEmpty());
    list.Remove(7);  // out of range: nothing
    EXPECT_STREQ("c", list[0]);
}

TEST_F(RecentFileListTest, WrittenAndReadBackThroughTheProfile)
{
    CProfileStore profile;
    profile.SetRegistryKey("Test Company");
    profile.SetProfileName("RecentApp");
    {
        CRecentFileList list(0xE110, "Recent File List", "File%d", 4);
        list.Add("/home/u/one.tlp");
        list.Add("/home/u/计划.tlp");
        list.WriteList(profile);
    }
    EXPECT_STREQ("/home/u/计划.tlp", profile.GetProfileString("Recent File List", "File1", ""));
    EXPECT_STREQ("/home/u/one.tlp", profile.GetProfileString("Recent File List", "File2", ""));
    EXPECT_STREQ("", profile.GetProfileString("Recent File List", "File3", ""));
    Reload();
    CRecentFileList again(0xE110, "Recent File List", "File%d", 4);
    again.ReadList(profile);
    EXPECT_STREQ("/home/u/计划.tlp", again[0]);
    EXPECT_STREQ("/home/u/one.tlp", again[1]);
    EXPECT_TRUE(again[2].IsEmpty());
}

TEST_F(RecentFileListTest, WritingDropsEntriesNoLongerUsed)
{
    CProfileStore profile;
    profile.SetRegistryKey("Test Company");
    profile.SetProfileName("RecentApp");
    profile.WriteProfileString("Recent File List", "File3", "/old/stale.tlp");
    CRecentFileList list(0xE110, "Recent File List", "File%d", 4);
    list.Add("/new.tlp");
    list.WriteList(profile);
    EXPECT_STREQ("", profile.GetProfileString("Recent File List", "File3", ""));
    EXPECT_STREQ("/new.tlp", profile.GetProfileString("Recent File List", "File1", ""));
}

TEST_F(RecentFileListTest, DisplayNameShortensLongPathsKeepingTheFileName)
{
    CRecentFileList list(0xE110, "Recent File List", "File%d", 4, 20);
    list.Add("/home/someone/projects/2004/plan.tlp");
    CString name;
    ASSERT_TRUE(list.GetDisplayName(name, 0, nullptr, 0));
    EXPECT_STREQ("/home/so.../plan.tlp", name);
    EXPECT_EQ(20, name.GetLength());
    list.Add("/short.tlp");
    ASSERT_TRUE(list.GetDisplayName(name, 0, nullptr, 0));
    EXPECT_STREQ("/short.tlp", name);
    EXPECT_FALSE(list.GetDisplayName(name, 3, nullptr, 0));
}

TEST_F(RecentFileListTest, DisplayNameOfAFileInTheCurrentFolderIsItsName)
{
    CRecentFileList list(0xE110, "Recent File List", "File%d", 4);
    list.Add("/work/here/a.tlp");
    CString name;
    ASSERT_TRUE(list.GetDisplayName(name, 0, "/work/here", 10));
    EXPECT_STREQ("a.tlp", name);
}

}  // namespace
