#include "ArchiveBytes.h"

#include <Tavrin/RefDoc.h>
#include <Tavrin/TargetDoc.h>

#include <gtest/gtest.h>

namespace {

template <class Doc>
void Fill(Doc& doc)
{
    doc.m_strDocName = "图纸.dwg";
    doc.m_strDocLocation = "C:\\work\\图纸.dwg";
    doc.m_nDocSource = 1;
    doc.m_nPdmClassID = 0x0A0B;
    doc.m_nPdmObjectID = -3;
}

// name, location, source, class id, object id
Bytes ExpectedBody()
{
    Bytes body = {0x08, 0xCD, 0xBC, 0xD6, 0xBD};
    AppendText(body, ".dwg");
    Append(body, {0x10});
    AppendText(body, "C:\\work\\");
    Append(body, {0xCD, 0xBC, 0xD6, 0xBD});
    AppendText(body, ".dwg");
    Append(body, {0x01, 0x00, 0x00, 0x00,
                  0x0B, 0x0A, 0x00, 0x00,
                  0xFD, 0xFF, 0xFF, 0xFF});
    return body;
}

} // namespace

TEST(RefDoc, DefaultSourceIsTwo)
{
    CRefDoc doc;
    EXPECT_TRUE(doc.m_strDocName.IsEmpty());
    EXPECT_TRUE(doc.m_strDocLocation.IsEmpty());
    EXPECT_EQ(2, doc.m_nDocSource);
    EXPECT_EQ(0, doc.m_nPdmObjectID);
    EXPECT_EQ(0, doc.m_nPdmClassID);
}

TEST(TargetDoc, DefaultNumbersStartAtZero)
{
    CTargetDoc doc;
    EXPECT_TRUE(doc.m_strDocName.IsEmpty());
    EXPECT_EQ(0, doc.m_nDocSource);
    EXPECT_EQ(0, doc.m_nPdmObjectID);
    EXPECT_EQ(0, doc.m_nPdmClassID);
}

TEST(RefDoc, BodyGoldenBytes)
{
    CRefDoc doc;
    Fill(doc);
    EXPECT_EQ(ExpectedBody(), StoreToBytes([&](CArchive& ar) { doc.Serialize(ar); }));
}

TEST(TargetDoc, BodyEqualsRefDocBody)
{
    CRefDoc ref;
    CTargetDoc target;
    Fill(ref);
    Fill(target);
    const Bytes refBytes = StoreToBytes([&](CArchive& ar) { ref.Serialize(ar); });
    const Bytes targetBytes = StoreToBytes([&](CArchive& ar) { target.Serialize(ar); });
    EXPECT_EQ(refBytes, targetBytes);
    EXPECT_EQ(ExpectedBody(), targetBytes);
}

TEST(DocRecords, InAListTheClassTagsDifferAndTheBodiesMatch)
{
    CObList list;
    CRefDoc* pRef = new CRefDoc;
    CTargetDoc* pTarget = new CTargetDoc;
    Fill(*pRef);
    Fill(*pTarget);
    list.AddTail(pRef);
    list.AddTail(pTarget);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { list.Serialize(ar); });
    delete pRef;
    delete pTarget;

    Bytes expected = {0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00};
    AppendText(expected, "CRefDoc");
    const Bytes body = ExpectedBody();
    expected.insert(expected.end(), body.begin(), body.end());
    Append(expected, {0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00});
    AppendText(expected, "CTargetDoc");
    expected.insert(expected.end(), body.begin(), body.end());
    EXPECT_EQ(expected, bytes);

    CObList loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(2, static_cast<int>(loaded.GetCount()));
    CObject* pFirst = loaded.GetHead();
    CObject* pSecond = loaded.GetTail();
    ASSERT_TRUE(pFirst->IsKindOf(RUNTIME_CLASS(CRefDoc)));
    ASSERT_TRUE(pSecond->IsKindOf(RUNTIME_CLASS(CTargetDoc)));
    const CTargetDoc* pLoadedTarget = static_cast<CTargetDoc*>(pSecond);
    EXPECT_EQ(CString("C:\\work\\图纸.dwg"), pLoadedTarget->m_strDocLocation);
    EXPECT_EQ(0x0A0B, pLoadedTarget->m_nPdmClassID);
    EXPECT_EQ(-3, pLoadedTarget->m_nPdmObjectID);
    EXPECT_EQ(1, static_cast<CRefDoc*>(pFirst)->m_nDocSource);
    delete pFirst;
    delete pSecond;
}

TEST(RefDoc, CopiesEveryField)
{
    CRefDoc source;
    Fill(source);
    CRefDoc copy(source);
    CRefDoc assigned;
    assigned = source;
    source.m_strDocName = "x";
    source.m_nDocSource = 9;
    for (const CRefDoc* pDoc : {&copy, &assigned}) {
        EXPECT_EQ(CString("图纸.dwg"), pDoc->m_strDocName);
        EXPECT_EQ(CString("C:\\work\\图纸.dwg"), pDoc->m_strDocLocation);
        EXPECT_EQ(1, pDoc->m_nDocSource);
        EXPECT_EQ(0x0A0B, pDoc->m_nPdmClassID);
        EXPECT_EQ(-3, pDoc->m_nPdmObjectID);
    }
}

TEST(TargetDoc, CopiesEveryField)
{
    CTargetDoc source;
    Fill(source);
    CTargetDoc copy(source);
    CTargetDoc assigned;
    assigned = source;
    for (const CTargetDoc* pDoc : {&copy, &assigned}) {
        EXPECT_EQ(ExpectedBody(), StoreToBytes([&](CArchive& ar) {
                      const_cast<CTargetDoc*>(pDoc)->Serialize(ar);
                  }));
    }
}
