// Running sums of row heights and column widths.
#include "GridSizeArray.h"

#include <gtest/gtest.h>

TEST(GridSizeArray, SumsFollowChanges)
{
    CGridSizeArray a;
    a.SetSize(5, 10);
    EXPECT_EQ(50, a.Total());
    EXPECT_EQ(30, a.SumBefore(3));
    a.SetAt(1, 0);
    EXPECT_EQ(20, a.SumBefore(3));
    a.InsertAt(0, 7);
    EXPECT_EQ(47, a.Total());
    EXPECT_EQ(7, a.SumBefore(1));
    a.RemoveAt(2);  // the 0 entry
    EXPECT_EQ(47, a.Total());
    EXPECT_EQ(5, a.GetSize());
    a.Swap(0, 4);
    EXPECT_EQ(10, a.GetAt(0));
    EXPECT_EQ(7, a.GetAt(4));
    EXPECT_EQ(40, a.SumBefore(4));
    a.SetSize(2);
    EXPECT_EQ(20, a.Total());
    a.SetSize(4, 3);
    EXPECT_EQ(26, a.Total());
    EXPECT_EQ(13, a.Sum(1, 3));
    a.Fill(1);
    EXPECT_EQ(4, a.Total());
    a.RemoveAll();
    EXPECT_EQ(0, a.Total());
    EXPECT_EQ(0, a.GetSize());
}

TEST(GridSizeArray, FirstReaching)
{
    CGridSizeArray a;
    a.SetSize(6, 20);  // sums 0 20 40 60 80 100 120
    EXPECT_EQ(1, a.FirstReaching(1, 0));
    EXPECT_EQ(2, a.FirstReaching(1, 1));
    EXPECT_EQ(2, a.FirstReaching(1, 20));
    EXPECT_EQ(3, a.FirstReaching(1, 21));
    EXPECT_EQ(6, a.FirstReaching(1, 100));
    EXPECT_EQ(6, a.FirstReaching(1, 1000));
    EXPECT_EQ(6, a.FirstReaching(7, 0));
}

TEST(GridSizeArray, IndexAtOffsetSkipsEmptyEntries)
{
    CGridSizeArray a;
    a.SetSize(5, 10);
    a.SetAt(2, 0);
    a.SetAt(3, 0);  // sizes 10 10 0 0 10
    EXPECT_EQ(0, a.IndexAtOffset(0, 0));
    EXPECT_EQ(0, a.IndexAtOffset(0, 9));
    EXPECT_EQ(1, a.IndexAtOffset(0, 10));
    EXPECT_EQ(4, a.IndexAtOffset(0, 20));
    EXPECT_EQ(4, a.IndexAtOffset(0, 29));
    EXPECT_EQ(5, a.IndexAtOffset(0, 30));
    EXPECT_EQ(4, a.IndexAtOffset(2, 0));
    EXPECT_EQ(5, a.IndexAtOffset(0, -1));
}
