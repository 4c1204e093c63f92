#include "ArchiveBytes.h"

#include <Tavrin/CalendarItem.h>
#include <Tavrin/DayOfWeek.h>

#include <gtest/gtest.h>

TEST(CalendarItem, Defaults)
{
    CCalendarItem item;
    EXPECT_EQ(0, item.m_nReserved);
    EXPECT_EQ(0, item.m_bWorking);
    EXPECT_EQ(COleDateTime::valid, item.m_dtFrom.GetStatus());
    EXPECT_EQ(0.0, static_cast<double>(item.m_dtFrom.m_dt));
    EXPECT_EQ(COleDateTime::valid, item.m_dtTo.GetStatus());
    EXPECT_EQ(0.0, static_cast<double>(item.m_dtTo.m_dt));
}

TEST(CalendarItem, ArchiveGoldenBytes)
{
    CCalendarItem item;
    item.m_bWorking = 1;
    item.m_dtFrom = COleDateTime(2004, 5, 1, 0, 0, 0);
    item.m_dtTo = COleDateTime(2004, 5, 1, 12, 0, 0);
    item.m_nReserved = 7;
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { item.Serialize(ar); });

    Bytes expected;
    Append(expected, {0x01, 0x00, 0x00, 0x00});                         // working
    Append(expected, {0x00, 0x00, 0x00, 0x00,                           // status valid
                      0x00, 0x00, 0x00, 0x00, 0x80, 0x9B, 0xE2, 0x40}); // 38108.0
    Append(expected, {0x00, 0x00, 0x00, 0x00,
                      0x00, 0x00, 0x00, 0x00, 0x90, 0x9B, 0xE2, 0x40}); // 38108.5
    Append(expected, {0x07, 0x00, 0x00, 0x00});                         // reserved
    EXPECT_EQ(expected, bytes);

    CCalendarItem loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(1, loaded.m_bWorking);
    EXPECT_EQ(7, loaded.m_nReserved);
    EXPECT_EQ(38108.0, static_cast<double>(loaded.m_dtFrom.m_dt));
    EXPECT_EQ(38108.5, static_cast<double>(loaded.m_dtTo.m_dt));
}

TEST(CalendarItem, InvalidDateKeepsItsStatusThroughTheArchive)
{
    CCalendarItem item;
    item.m_dtFrom.SetStatus(COleDateTime::invalid);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { item.Serialize(ar); });
    ASSERT_EQ(4u + 12u + 12u + 4u, bytes.size());
    EXPECT_EQ(0x01, bytes[4]);
    CCalendarItem loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(COleDateTime::invalid, loaded.m_dtFrom.GetStatus());
    EXPECT_EQ(COleDateTime::valid, loaded.m_dtTo.GetStatus());
}

TEST(CalendarItem, CopyTakesAllFourFields)
{
    CCalendarItem source;
    source.m_bWorking = 1;
    source.m_nReserved = 3;
    source.m_dtFrom = COleDateTime(2020, 2, 3, 4, 5, 6);
    source.m_dtTo = COleDateTime(2021, 7, 8, 0, 0, 0);
    CCalendarItem copy;
    copy.Copy(source);
    EXPECT_EQ(1, copy.m_bWorking);
    EXPECT_EQ(3, copy.m_nReserved);
    EXPECT_EQ(source.m_dtFrom.m_dt, copy.m_dtFrom.m_dt);
    EXPECT_EQ(source.m_dtTo.m_dt, copy.m_dtTo.m_dt);

    CCalendarItem untouched;
    untouched.Copy(static_cast<const CCalendarItem*>(nullptr));
    EXPECT_EQ(0, untouched.m_bWorking);
}

TEST(DayOfWeek, Defaults)
{
    CDayOfWeek day;
    EXPECT_EQ(0, day.m_nDay);
    EXPECT_EQ(0, day.m_bWorking);
    EXPECT_TRUE(day.m_strText.IsEmpty());
}

TEST(DayOfWeek, ArchiveGoldenBytes)
{
    CDayOfWeek day;
    day.m_bWorking = 1;
    day.m_nDay = 6;
    day.m_strText = "六";
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { day.Serialize(ar); });
    const Bytes expected = {0x01, 0x00, 0x00, 0x00,  // working
                            0x06, 0x00, 0x00, 0x00,  // weekday
                            0x02, 0xC1, 0xF9};       // text
    EXPECT_EQ(expected, bytes);

    CDayOfWeek loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(1, loaded.m_bWorking);
    EXPECT_EQ(6, loaded.m_nDay);
    EXPECT_EQ(CString("六"), loaded.m_strText);
}

TEST(DayOfWeek, CopyTakesAllThreeFields)
{
    CDayOfWeek source;
    source.m_bWorking = 1;
    source.m_nDay = 3;
    source.m_strText = "Wed";
    CDayOfWeek copy;
    copy.Copy(&source);
    EXPECT_EQ(1, copy.m_bWorking);
    EXPECT_EQ(3, copy.m_nDay);
    EXPECT_EQ(CString("Wed"), copy.m_strText);
}

TEST(CalendarRecords, WeekdaysThenPeriodsInOneArchive)
{
    CObList weekdays, periods;
    CDayOfWeek* pDay = new CDayOfWeek;
    pDay->m_nDay = 0;
    weekdays.AddTail(pDay);
    CCalendarItem* pItem = new CCalendarItem;
    periods.AddTail(pItem);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        weekdays.Serialize(ar);
        periods.Serialize(ar);
    });
    delete pDay;
    delete pItem;

    Bytes expected = {0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00};
    AppendText(expected, "CDayOfWeek");
    Bytes tail(9, 0x00); // working 0, day 0, empty text
    expected.insert(expected.end(), tail.begin(), tail.end());
    Append(expected, {0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0D, 0x00});
    AppendText(expected, "CCalendarItem");
    Bytes itemBody(4 + 12 + 12 + 4, 0x00);
    expected.insert(expected.end(), itemBody.begin(), itemBody.end());
    EXPECT_EQ(expected, bytes);
}
