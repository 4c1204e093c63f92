#include "ArchiveBytes.h"

#include <Tavrin/ResInfo.h>

#include <gtest/gtest.h>

namespace {

tagResInfo MakeResource()
{
    tagResInfo res;
    res.nID = 258;
    res.strCode = "R01";
    res.strUnit = "人";
    res.strDesc = "d";
    res.strName = "张三";
    res.nType = 2;
    res.nCost = 100;
    res.nActCost = 90;
    res.bIsAdmin = 0;
    res.bIsManager = 0;
    res.bIsExt = 1;
    return res;
}

} // namespace

TEST(ResInfo, Defaults)
{
    tagResInfo res;
    EXPECT_EQ(0, res.nID);
    EXPECT_TRUE(res.strCode.IsEmpty());
    EXPECT_TRUE(res.strUnit.IsEmpty());
    EXPECT_TRUE(res.strDesc.IsEmpty());
    EXPECT_TRUE(res.strName.IsEmpty());
    EXPECT_EQ(1, res.nType);
    EXPECT_EQ(0, res.nCost);
    EXPECT_EQ(0, res.nActCost);
    EXPECT_EQ(1, res.bIsAdmin);
    EXPECT_EQ(1, res.bIsManager);
    EXPECT_EQ(0, res.bIsExt);
}

TEST(ResInfo, AssignmentAndCopyTakeEveryField)
{
    const tagResInfo source = MakeResource();
    tagResInfo assigned;
    assigned = source;
    tagResInfo copy(source);
    EXPECT_TRUE(assigned == source);
    EXPECT_TRUE(copy == source);
    EXPECT_EQ(CString("张三"), assigned.strName);
    EXPECT_EQ(1, assigned.bIsExt);
}

TEST(ResInfo, EqualityLooksAtEveryField)
{
    const tagResInfo base = MakeResource();
    for (int field = 0; field < 11; ++field) {
        tagResInfo other = base;
        switch (field) {
        case 0: other.nID += 1; break;
        case 1: other.strCode = "R02"; break;
        case 2: other.strUnit = "台"; break;
        case 3: other.strDesc = "e"; break;
        case 4: other.strName = "李四"; break;
        case 5: other.nType = 3; break;
        case 6: other.nCost = 101; break;
        case 7: other.nActCost = 91; break;
        case 8: other.bIsAdmin = 1; break;
        case 9: other.bIsManager = 1; break;
        case 10: other.bIsExt = 0; break;
        }
        EXPECT_FALSE(other == base) << "field " << field;
        EXPECT_TRUE(other != base) << "field " << field;
    }
}

TEST(ResInfo, ArchiveGoldenBytes)
{
    tagResInfo res = MakeResource();
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { res.Serialize(ar); });
    const Bytes expected = {
        0x02, 0x01, 0x00, 0x00,       // id 258
        0x03, 'R', '0', '1',          // code
        0x02, 0xC8, 0xCB,             // unit
        0x02, 0x00, 0x00, 0x00,       // type
        0x04, 0xD5, 0xC5, 0xC8, 0xFD, // name
        0x00, 0x00, 0x00, 0x00,       // is administrator
        0x00, 0x00, 0x00, 0x00,       // is manager
        0x01, 'd',                    // description
        0x01, 0x00, 0x00, 0x00,       // is external
        0x64, 0x00, 0x00, 0x00,       // cost
        0x5A, 0x00, 0x00, 0x00,       // actual cost
    };
    EXPECT_EQ(expected, bytes);

    tagResInfo loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_TRUE(loaded == res);
}

TEST(ResInfo, ValueListCopiesRecords)
{
    CList<tagResInfo, tagResInfo&> list;
    tagResInfo res = MakeResource();
    list.AddTail(res);
    res.strCode = "changed";
    ASSERT_EQ(1, static_cast<int>(list.GetCount()));
    EXPECT_EQ(CString("R01"), list.GetHead().strCode);
}
