// Archive forms of dates and spans: the 4-byte status, then the 8-byte double.
#include <ClassLib/Core/DateTime.h>

#include <gtest/gtest.h>

#include "ArchiveTestSupport.h"

namespace {

TEST(DateTimeArchive, DateIsStatusThenDouble)
{
    // 1 May 2004 12:00 is day 38108.5: 0x40E29B9000000000 as a little-endian double.
    const Bytes bytes = StoreBytes([](CArchive& ar) { ar << COleDateTime(2004, 5, 1, 12, 0, 0); });
    EXPECT_EQ(ByteBuilder().dw(0).b({0x00, 0x00, 0x00, 0x00, 0x90, 0x9B, 0xE2, 0x40}).bytes(),
              bytes);
    LoadBytes(bytes, [](CArchive& ar) {
        COleDateTime dt;
        ar >> dt;
        EXPECT_EQ(COleDateTime::valid, dt.GetStatus());
        EXPECT_EQ(38108.5, dt.m_dt);
    });
}

TEST(DateTimeArchive, NullAndNegativeDatesRoundTrip)
{
    COleDateTime none;
    none.SetStatus(COleDateTime::null);
    COleDateTime early(1899, 12, 29, 6, 0, 0);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << none << early; });
    ASSERT_EQ(24u, bytes.size());
    EXPECT_EQ(2, bytes[0]);
    LoadBytes(bytes, [](CArchive& ar) {
        COleDateTime a, b;
        ar >> a >> b;
        EXPECT_EQ(COleDateTime::null, a.GetStatus());
        EXPECT_EQ(COleDateTime::valid, b.GetStatus());
        EXPECT_EQ(-1.25, b.m_dt);
        EXPECT_EQ(6, b.GetHour());
    });
}

TEST(DateTimeArchive, DamagedStatusIsRefused)
{
    const Bytes bytes = ByteBuilder().dw(3).fill(8, 0).bytes();
    COleDateTime dt(2004, 5, 1, 0, 0, 0);
    EXPECT_EQ(CArchiveException::generic, LoadFailure(bytes, [&](CArchive& ar) { ar >> dt; }));
    EXPECT_TRUE(dt == COleDateTime(2004, 5, 1, 0, 0, 0));  // left as it was
    COleDateTimeSpan span(2.0);
    EXPECT_EQ(CArchiveException::generic,
              LoadFailure(ByteBuilder().dw(0xFFFFFFFFu).fill(8, 0).bytes(),
                          [&](CArchive& ar) { ar >> span; }));
    EXPECT_EQ(2.0, span.m_span);
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadFailure(ByteBuilder().dw(0).fill(4, 0).bytes(), [&](CArchive& ar) { ar >> dt; }));
    EXPECT_TRUE(dt == COleDateTime(2004, 5, 1, 0, 0, 0));
}

TEST(DateTimeArchive, SpanIsStatusThenDouble)
{
    COleDateTimeSpan bad(1.5);
    bad.SetStatus(COleDateTimeSpan::invalid);
    // 1.5 is 0x3FF8000000000000.
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << bad; });
    EXPECT_EQ(ByteBuilder().dw(1).b({0, 0, 0, 0, 0, 0, 0xF8, 0x3F}).bytes(), bytes);
    LoadBytes(bytes, [](CArchive& ar) {
        COleDateTimeSpan span;
        ar >> span;
        EXPECT_EQ(COleDateTimeSpan::invalid, span.GetStatus());
        EXPECT_EQ(1.5, span.m_span);
    });
}

}  // namespace
