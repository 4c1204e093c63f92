#include "ArchiveBytes.h"

#include <Tavrin/TaskLink.h>

#include <gtest/gtest.h>

namespace {

CTaskLink MakeLink(const char* name, int predId, int row, int type, int logical, int sequence,
                   int lag)
{
    CTaskLink link;
    link.m_strPredName = name;
    link.m_nPredID = predId;
    link.m_nSuccID = row;
    link.m_nType = type;
    link.m_nLogicalType = logical;
    link.m_nSequence = sequence;
    link.m_nLag = lag;
    return link;
}

void ExpectSameLink(const CTaskLink& a, const CTaskLink& b)
{
    EXPECT_EQ(CString(a.m_strPredName), CString(b.m_strPredName));
    EXPECT_EQ(a.m_nPredID, b.m_nPredID);
    EXPECT_EQ(a.m_nSuccID, b.m_nSuccID);
    EXPECT_EQ(a.m_nType, b.m_nType);
    EXPECT_EQ(a.m_nLogicalType, b.m_nLogicalType);
    EXPECT_EQ(a.m_nSequence, b.m_nSequence);
    EXPECT_EQ(a.m_nLag, b.m_nLag);
}

} // namespace

TEST(TaskLink, DefaultsAreZeroAndEmpty)
{
    CTaskLink link;
    EXPECT_TRUE(link.m_strPredName.IsEmpty());
    EXPECT_EQ(0, link.m_nPredID);
    EXPECT_EQ(0, link.m_nSuccID);
    EXPECT_EQ(0, link.m_nType);
    EXPECT_EQ(0, link.m_nLogicalType);
    EXPECT_EQ(0, link.m_nSequence);
    EXPECT_EQ(0, link.m_nLag);
}

TEST(TaskLink, CopyConstructorAndAssignmentCopyEveryField)
{
    CTaskLink source = MakeLink("A", 11, 12, 3, 14, 15, 16);
    CTaskLink copy(source);
    ExpectSameLink(source, copy);

    CTaskLink assigned;
    assigned = source;
    ExpectSameLink(source, assigned);

    // Texts are held by value.
    source.m_strPredName = "B";
    EXPECT_EQ(CString("A"), copy.m_strPredName);
    EXPECT_EQ(CString("A"), assigned.m_strPredName);
}

TEST(TaskLink, GbkNameGoldenBytes)
{
    CTaskLink link = MakeLink("设计", 1234, 7, 1, 2, 5, 3);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { link.Serialize(ar); });

    const Bytes expected = {
        0x03, 0x00, 0x00, 0x00,  // lag
        0x01, 0x00, 0x00, 0x00,  // type
        0x02, 0x00, 0x00, 0x00,  // logical type
        0xD2, 0x04, 0x00, 0x00,  // predecessor task id 1234
        0x07, 0x00, 0x00, 0x00,  // predecessor row
        0x05, 0x00, 0x00, 0x00,  // sequence
        0x04, 0xC9, 0xE8, 0xBC, 0xC6, // name: 4 bytes of code page 936
    };
    EXPECT_EQ(expected, bytes);
}

TEST(TaskLink, NegativeNumbersAreTwosComplement)
{
    CTaskLink link = MakeLink("", -1, 0, 0, 0, 0, -2);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { link.Serialize(ar); });
    const Bytes expected = {
        0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0,
        0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0,
        0x00,
    };
    EXPECT_EQ(expected, bytes);
}

TEST(TaskLink, StoreAndLoadKeepsAllSevenFields)
{
    CTaskLink link = MakeLink("设计评审", -5, 42, 4, 9, 8, 17);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { link.Serialize(ar); });

    CTaskLink loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ExpectSameLink(link, loaded);
}

TEST(TaskLink, NameOf255BytesTakesTheLongPrefix)
{
    const std::string name(255, 'x');
    CTaskLink link = MakeLink(name.c_str(), 0, 0, 0, 0, 0, 0);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { link.Serialize(ar); });

    Bytes expected(24, 0x00);
    Append(expected, {0xFF, 0xFF, 0x00});
    AppendText(expected, name);
    EXPECT_EQ(expected, bytes);

    CTaskLink loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(255, loaded.m_strPredName.GetLength());
    EXPECT_EQ(CString(name.c_str()), loaded.m_strPredName);
}

TEST(TaskLink, NameOf254BytesKeepsTheOneBytePrefix)
{
    const std::string name(254, 'y');
    CTaskLink link = MakeLink(name.c_str(), 0, 0, 0, 0, 0, 0);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { link.Serialize(ar); });
    ASSERT_EQ(24u + 1u + 254u, bytes.size());
    EXPECT_EQ(0xFE, bytes[24]);
}

TEST(TaskLink, NameOf300BytesRoundTrips)
{
    std::string name;
    for (int i = 0; i < 150; ++i)
        name += "任"; // two bytes each in code page 936
    CTaskLink link = MakeLink(name.c_str(), 3, 0, 0, 0, 0, 0);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { link.Serialize(ar); });

    ASSERT_EQ(24u + 3u + 300u, bytes.size());
    EXPECT_EQ(0xFF, bytes[24]);
    EXPECT_EQ(0x2C, bytes[25]);
    EXPECT_EQ(0x01, bytes[26]);
    EXPECT_EQ(0xC8, bytes[27]); // first byte of 任
    EXPECT_EQ(0xCE, bytes[28]);

    CTaskLink loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ExpectSameLink(link, loaded);
}

TEST(TaskLink, TwoLinksInAnObjectListGoldenBytes)
{
    CObList list;
    list.AddTail(new CTaskLink(MakeLink("A", 1, 2, 1, 0, 0, 0)));
    list.AddTail(new CTaskLink(MakeLink("BC", 3, 4, 2, 0, 0, 5)));
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { list.Serialize(ar); });
    while (!list.IsEmpty())
        delete list.RemoveHead();

    Bytes expected = {0x02, 0x00,              // element count
                      0xFF, 0xFF,              // new class
                      0x01, 0x00,              // schema 1
                      0x09, 0x00};             // class name length
    AppendText(expected, "CTaskLink");
    Append(expected, {0x00, 0x00, 0x00, 0x00,  // lag
                      0x01, 0x00, 0x00, 0x00,  // type
                      0x00, 0x00, 0x00, 0x00,  // logical type
                      0x01, 0x00, 0x00, 0x00,  // task id
                      0x02, 0x00, 0x00, 0x00,  // row
                      0x00, 0x00, 0x00, 0x00,  // sequence
                      0x01, 'A',
                      0x01, 0x80,              // class already known: 0x8000 | class index 1
                      0x05, 0x00, 0x00, 0x00,
                      0x02, 0x00, 0x00, 0x00,
                      0x00, 0x00, 0x00, 0x00,
                      0x03, 0x00, 0x00, 0x00,
                      0x04, 0x00, 0x00, 0x00,
                      0x00, 0x00, 0x00, 0x00,
                      0x02, 'B', 'C'});
    EXPECT_EQ(expected, bytes);
}

TEST(TaskLink, ObjectListLoadCreatesLinksByClassName)
{
    CObList list;
    list.AddTail(new CTaskLink(MakeLink("甲", 10, 20, 3, 1, 2, 4)));
    list.AddTail(new CTaskLink(MakeLink("乙", 11, 21, 4, 0, 0, 0)));
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { list.Serialize(ar); });

    CObList loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(2, static_cast<int>(loaded.GetCount()));
    POSITION a = list.GetHeadPosition();
    POSITION b = loaded.GetHeadPosition();
    while (a != nullptr && b != nullptr) {
        CObject* pOriginal = list.GetNext(a);
        CObject* pLoaded = loaded.GetNext(b);
        ASSERT_TRUE(pLoaded->IsKindOf(RUNTIME_CLASS(CTaskLink)));
        ExpectSameLink(*static_cast<CTaskLink*>(pOriginal), *static_cast<CTaskLink*>(pLoaded));
    }
    while (!list.IsEmpty())
        delete list.RemoveHead();
    while (!loaded.IsEmpty())
        delete loaded.RemoveHead();
}

TEST(TaskLink, RuntimeClassHasNameAndSchemaOne)
{
    CRuntimeClass* pClass = RUNTIME_CLASS(CTaskLink);
    EXPECT_STREQ("CTaskLink", pClass->m_lpszClassName);
    EXPECT_EQ(1u, static_cast<unsigned>(pClass->m_wSchema));
    CObject* pObject = pClass->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CTaskLink)));
    delete pObject;
}
