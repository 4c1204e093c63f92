// The item lists of list and combo boxes: sorted insertion and the platform's searches.
#include "../src/ui/ListItems.h"

#include <gtest/gtest.h>

using pc::ListItems;

TEST(ListItems, SortedInsertionIgnoresCaseAndKeepsEqualsInArrivalOrder)
{
    ListItems l;
    EXPECT_EQ(l.Add("banana", true), 0);
    EXPECT_EQ(l.Add("Apple", true), 0);
    EXPECT_EQ(l.Add("cherry", true), 2);
    EXPECT_EQ(l.Add("apple", true), 1);  // after the equal "Apple"
    ASSERT_EQ(l.Count(), 4);
    EXPECT_EQ(l.At(0).text, "Apple");
    EXPECT_EQ(l.At(1).text, "apple");
    EXPECT_EQ(l.At(2).text, "banana");
    EXPECT_EQ(l.Add("zz", false), 4);  // unsorted lists append
}

TEST(ListItems, InsertAndDeleteCheckIndexes)
{
    ListItems l;
    EXPECT_EQ(l.Insert(-1, "a"), 0);
    EXPECT_EQ(l.Insert(0, "b"), 0);
    EXPECT_EQ(l.Insert(5, "c"), -1);
    EXPECT_EQ(l.Delete(7), -1);
    EXPECT_EQ(l.Delete(0), 1);
    EXPECT_EQ(l.At(0).text, "a");
}

TEST(ListItems, PrefixAndExactSearchesWrapAfterTheStart)
{
    ListItems l;
    for (const char* s : {"FS(a)", "FF(b)", "fs(c)", "SS(d)"})
        l.Add(s, false);
    EXPECT_EQ(l.FindPrefix(-1, "fs"), 0);
    EXPECT_EQ(l.FindPrefix(0, "fs"), 2);
    EXPECT_EQ(l.FindPrefix(2, "fs"), 0);  // wraps round
    EXPECT_EQ(l.FindPrefix(-1, "x"), -1);
    EXPECT_EQ(l.FindExact(-1, "FS"), -1);  // exact means the whole text
    EXPECT_EQ(l.FindExact(-1, "ss(D)"), 3);
    EXPECT_EQ(l.FindExact(99, "FF(b)"), 1);  // a start past the end searches from 0
    // "人力" in code page 936; multibyte characters compare as bytes.
    l.Add("\xC8\xCB\xC1\xA6", false);
    EXPECT_EQ(l.FindExact(-1, "\xC8\xCB\xC1\xA6"), 4);
    EXPECT_EQ(l.FindPrefix(-1, "\xC8\xCB"), 4);
}
