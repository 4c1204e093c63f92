#include "ArchiveBytes.h"

#include <Tavrin/HotLink.h>

#include <gtest/gtest.h>

TEST(HotLink, Defaults)
{
    CHotLink link;
    EXPECT_EQ(1, link.m_nNumber1);
    EXPECT_EQ(0, link.m_nNumber2);
    EXPECT_EQ(0, link.m_nNumber3);
    EXPECT_EQ(0, link.m_nNumber4);
    EXPECT_EQ(0, link.m_nNumber5);
    EXPECT_TRUE(link.m_strText.IsEmpty());
}

TEST(HotLink, GoldenBytesInArchiveOrder)
{
    CHotLink link;
    link.m_strText = "项目任务";
    link.m_nNumber1 = 0x11;
    link.m_nNumber2 = 0x22;
    link.m_nNumber3 = 0x33;
    link.m_nNumber4 = 0x44;
    link.m_nNumber5 = 0x55;
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { link.Serialize(ar); });
    const Bytes expected = {
        0x08, 0xCF, 0xEE, 0xC4, 0xBF, 0xC8, 0xCE, 0xCE, 0xF1, // text
        0x11, 0x00, 0x00, 0x00, // number 1
        0x55, 0x00, 0x00, 0x00, // number 5
        0x22, 0x00, 0x00, 0x00, // number 2
        0x33, 0x00, 0x00, 0x00, // number 3
        0x44, 0x00, 0x00, 0x00, // number 4
    };
    EXPECT_EQ(expected, bytes);

    CHotLink loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(CString("项目任务"), loaded.m_strText);
    EXPECT_EQ(0x11, loaded.m_nNumber1);
    EXPECT_EQ(0x22, loaded.m_nNumber2);
    EXPECT_EQ(0x33, loaded.m_nNumber3);
    EXPECT_EQ(0x44, loaded.m_nNumber4);
    EXPECT_EQ(0x55, loaded.m_nNumber5);
}

TEST(HotLink, CopiesEveryField)
{
    CHotLink source;
    source.m_strText = "t";
    source.m_nNumber1 = 6;
    source.m_nNumber2 = 7;
    source.m_nNumber3 = 8;
    source.m_nNumber4 = 9;
    source.m_nNumber5 = 10;
    CHotLink copy(source);
    CHotLink assigned;
    assigned = source;
    for (const CHotLink* pLink : {&copy, &assigned}) {
        EXPECT_EQ(CString("t"), pLink->m_strText);
        EXPECT_EQ(6, pLink->m_nNumber1);
        EXPECT_EQ(7, pLink->m_nNumber2);
        EXPECT_EQ(8, pLink->m_nNumber3);
        EXPECT_EQ(9, pLink->m_nNumber4);
        EXPECT_EQ(10, pLink->m_nNumber5);
    }
}

