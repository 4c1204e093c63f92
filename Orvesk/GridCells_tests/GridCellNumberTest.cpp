// Whole numbers read from cell texts.
#include "GridCellNumber.h"

#include <gtest/gtest.h>

#include <climits>

TEST(GridCellNumber, ReadsTheLeadingWholeNumber)
{
    EXPECT_EQ(GridParseWholeNumber("5个工作日"), 5);
    EXPECT_EQ(GridParseWholeNumber("  12.9个工作日"), 12);
    EXPECT_EQ(GridParseWholeNumber("-3.7"), -3);
    EXPECT_EQ(GridParseWholeNumber("+8"), 8);
    EXPECT_EQ(GridParseWholeNumber("个工作日"), 0);
    EXPECT_EQ(GridParseWholeNumber(""), 0);
    EXPECT_EQ(GridParseWholeNumber(nullptr), 0);
}

TEST(GridCellNumber, AcceptsNoHexExponentInfinityOrNan)
{
    EXPECT_EQ(GridParseWholeNumber("0x1F"), 0);
    EXPECT_EQ(GridParseWholeNumber("1e3"), 1);
    EXPECT_EQ(GridParseWholeNumber("inf"), 0);
    EXPECT_EQ(GridParseWholeNumber("-infinity"), 0);
    EXPECT_EQ(GridParseWholeNumber("nan"), 0);
}

TEST(GridCellNumber, ClampsToTheIntRange)
{
    EXPECT_EQ(GridParseWholeNumber("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(GridParseWholeNumber("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(GridParseWholeNumber("2147483647"), INT_MAX);
    EXPECT_EQ(GridParseWholeNumber("-2147483648"), INT_MIN);
}

TEST(GridCellNumber, StepsWorkDaysNeverBelowZero)
{
    EXPECT_EQ(GridStepWorkDays("5个工作日?", 1), 6);
    EXPECT_EQ(GridStepWorkDays("5个工作日?", -1), 4);
    EXPECT_EQ(GridStepWorkDays("0个工作日", -1), 0);
    EXPECT_EQ(GridStepWorkDays("-4个工作日", 1), 0);
    EXPECT_EQ(GridStepWorkDays("abc", 1), 1);
    EXPECT_EQ(GridStepWorkDays("2147483647个工作日", 1), INT_MAX);
}
