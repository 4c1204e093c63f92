// Damaged archives of the records end with the archive's exception; what was read before
// stays in the list.
#include "ArchiveBytes.h"

#include <Tavrin/TaskLink.h>

#include <gtest/gtest.h>

namespace {

// Loads a list from the bytes; returns the archive exception's cause, or -1 when none.
int LoadListCause(const Bytes& bytes, CObList& list)
{
    int cause = -1;
    try {
        LoadFromBytes(bytes, [&](CArchive& ar) { list.Serialize(ar); });
    } catch (CArchiveException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    return cause;
}

void DeleteAll(CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

Bytes TwoLinks()
{
    CObList list;
    CTaskLink* pFirst = new CTaskLink;
    pFirst->m_strPredName = "A";
    pFirst->m_nPredID = 5;
    list.AddTail(pFirst);
    list.AddTail(new CTaskLink);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { list.Serialize(ar); });
    DeleteAll(list);
    return bytes;
}

} // namespace

TEST(ArchiveErrors, CutShortLinkEndsWithEndOfFileAndKeepsTheFirst)
{
    Bytes bytes = TwoLinks();
    bytes.resize(bytes.size() - 3);
    CObList list;
    EXPECT_EQ(CArchiveException::endOfFile, LoadListCause(bytes, list));
    ASSERT_GE(static_cast<int>(list.GetCount()), 1);
    const CTaskLink* pFirst = static_cast<CTaskLink*>(list.GetHead());
    EXPECT_EQ(CString("A"), pFirst->m_strPredName);
    EXPECT_EQ(5, pFirst->m_nPredID);
    DeleteAll(list);
}

TEST(ArchiveErrors, OtherSchemaIsRefused)
{
    Bytes bytes = TwoLinks();
    ASSERT_EQ(0x01, bytes[4]); // the schema after the new-class tag
    bytes[4] = 0x02;
    CObList list;
    EXPECT_EQ(CArchiveException::badSchema, LoadListCause(bytes, list));
    EXPECT_TRUE(list.IsEmpty());
}

TEST(ArchiveErrors, UnknownClassNameIsRefused)
{
    Bytes bytes = TwoLinks();
    bytes[8] = 'X'; // "XTaskLink"
    CObList list;
    EXPECT_EQ(CArchiveException::badClass, LoadListCause(bytes, list));
    EXPECT_TRUE(list.IsEmpty());
}
