// Archive object form: class tags, object references, schemas and damaged input.
#include "ArchiveTestSupport.h"

#include <ClassLib/Core/Collections.h>

#include <memory>
#include <set>

namespace {

class CArRecord : public CObject
{
    DECLARE_SERIAL(CArRecord)
public:
    CArRecord() = default;
    CArRecord(int n, const char* s)
        : m_n(n)
        , m_s(s)
    {
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_n << m_s;
        } else {
            m_nSchemaSeen = ar.GetObjectSchema();
            ar >> m_n >> m_s;
        }
    }
    int m_n = 0;
    CString m_s;
    UINT m_nSchemaSeen = 0;
};

class CArOther : public CObject
{
    DECLARE_SERIAL(CArOther)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_n;
        else
            ar >> m_n;
    }
    int m_n = 0;
};

// Accepts any stored schema and reads its fields by the one it got.
class CArVersioned : public CObject
{
    DECLARE_SERIAL(CArVersioned)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_n;
        } else {
            m_nSchemaSeen = ar.GetObjectSchema();
            ar >> m_n;
        }
    }
    int m_n = 0;
    UINT m_nSchemaSeen = 0;
};

// Holds a child object: nested objects take indices as they appear.
class CArHolder : public CObject
{
    DECLARE_SERIAL(CArHolder)
public:
    ~CArHolder() override { delete m_pChild; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_pChild;
            ar << m_n;
        } else {
            ar >> m_pChild;
            ar >> m_n;
        }
    }
    CArRecord* m_pChild = NULL;
    int m_n = 0;
};

class CArNotSerial : public CObject
{
    DECLARE_DYNCREATE(CArNotSerial)
};

void DeleteAll(CObList& list)
{
    std::set<CObject*> owned;
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
        owned.insert(list.GetNext(pos));
    for (CObject* p : owned)
        delete p;
    list.RemoveAll();
}

}  // namespace

IMPLEMENT_SERIAL(CArRecord, CObject, 1)
IMPLEMENT_SERIAL(CArOther, CObject, 1)
IMPLEMENT_SERIAL(CArVersioned, CObject, VERSIONABLE_SCHEMA | 3)
IMPLEMENT_SERIAL(CArHolder, CObject, 1)
IMPLEMENT_DYNCREATE(CArNotSerial, CObject)

TEST(ArchiveObjectsTest, ListOfTwoObjectsOfOneClassUsesTheClassIndexTag)
{
    CArRecord first(0x12345678, "ab");
    CArRecord second(-1, "\xD6\xD0");
    CObList list;
    list.AddTail(&first);
    list.AddTail(&second);
    Bytes bytes = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });

    Bytes expected = {0x02, 0x00,                                         // count
                      0xFF, 0xFF,                                         // new class
                      0x01, 0x00,                                         // schema 1
                      0x09, 0x00,                                         // name length
                      'C',  'A',  'r',  'R',  'e',  'c',  'o', 'r', 'd',  // name
                      0x78, 0x56, 0x34, 0x12, 0x02, 'a',  'b',            // first object
                      0x01, 0x80,                                         // class index 1
                      0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0xD6, 0xD0};          // second object
    EXPECT_EQ(expected, bytes);

    LoadBytes(bytes, [](CArchive& ar) {
        CObList loaded;
        loaded.Serialize(ar);
        ASSERT_EQ(2, loaded.GetCount());
        CArRecord* p1 = DYNAMIC_DOWNCAST(CArRecord, loaded.GetHead());
        CArRecord* p2 = DYNAMIC_DOWNCAST(CArRecord, loaded.GetTail());
        ASSERT_NE(nullptr, p1);
        ASSERT_NE(nullptr, p2);
        EXPECT_EQ(0x12345678, p1->m_n);
        EXPECT_EQ(CString("ab"), p1->m_s);
        EXPECT_EQ(-1, p2->m_n);
        EXPECT_EQ(CString("\xD6\xD0"), p2->m_s);
        EXPECT_EQ(1u, p1->m_nSchemaSeen);
        EXPECT_EQ(1u, p2->m_nSchemaSeen);
        DeleteAll(loaded);
    });
}

TEST(ArchiveObjectsTest, NullObjectIsAZeroWord)
{
    Bytes bytes = StoreBytes([](CArchive& ar) {
        CObject* pNull = NULL;
        ar << pNull;
    });
    EXPECT_EQ(Bytes({0x00, 0x00}), bytes);
    LoadBytes(bytes, [](CArchive& ar) {
        CArRecord* p = reinterpret_cast<CArRecord*>(1);
        ar >> p;
        EXPECT_EQ(nullptr, p);
    });
}

TEST(ArchiveObjectsTest, RepeatedObjectIsWrittenAsAReference)
{
    CArRecord record(5, "r");
    CArOther other;
    other.m_n = 9;
    CObList list;
    list.AddTail(&record);
    list.AddTail(&other);
    list.AddTail(&record);
    list.AddTail(&other);
    Bytes bytes = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
    // Indices: CArRecord 1, record 2, CArOther 3, other 4.
    Bytes expected = ByteBuilder()
                         .w(4)
                         .newClass(1, "CArRecord")
                         .dw(5)
                         .b({1, 'r'})
                         .newClass(1, "CArOther")
                         .dw(9)
                         .w(2)
                         .w(4)
                         .bytes();
    EXPECT_EQ(expected, bytes);
    LoadBytes(bytes, [](CArchive& ar) {
        CObList loaded;
        loaded.Serialize(ar);
        ASSERT_EQ(4, loaded.GetCount());
        POSITION pos = loaded.GetHeadPosition();
        CObject* p1 = loaded.GetNext(pos);
        CObject* p2 = loaded.GetNext(pos);
        CObject* p3 = loaded.GetNext(pos);
        CObject* p4 = loaded.GetNext(pos);
        EXPECT_EQ(p1, p3);
        EXPECT_EQ(p2, p4);
        EXPECT_NE(p1, p2);
        EXPECT_TRUE(p2->IsKindOf(RUNTIME_CLASS(CArOther)));
        DeleteAll(loaded);
    });
}

TEST(ArchiveObjectsTest, NestedObjectsTakeIndicesInOrder)
{
    CArHolder holder;
    holder.m_pChild = new CArRecord(1, "c");
    holder.m_n = 3;
    CArRecord sibling(2, "s");
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar << &holder;
        ar << &sibling;
        ar << holder.m_pChild;
    });
    // CArHolder 1, holder 2, CArRecord 3, child 4, sibling 5.
    Bytes expected = ByteBuilder()
                         .newClass(1, "CArHolder")
                         .newClass(1, "CArRecord")
                         .dw(1)
                         .b({1, 'c'})
                         .dw(3)
                         .w(0x8003)
                         .dw(2)
                         .b({1, 's'})
                         .w(4)
                         .bytes();
    EXPECT_EQ(expected, bytes);
    LoadBytes(bytes, [](CArchive& ar) {
        CArHolder* pHolder = NULL;
        CArRecord* pSibling = NULL;
        CArRecord* pChild = NULL;
        ar >> pHolder >> pSibling >> pChild;
        std::unique_ptr<CArHolder> holderOwner(pHolder);
        std::unique_ptr<CArRecord> siblingOwner(pSibling);
        ASSERT_NE(nullptr, pHolder);
        EXPECT_EQ(pHolder->m_pChild, pChild);
        EXPECT_EQ(3, pHolder->m_n);
        EXPECT_EQ(CString("s"), pSibling->m_s);
    });
}

TEST(ArchiveObjectsTest, WrongSchemaRaisesBadSchema)
{
    Bytes bytes = ByteBuilder().newClass(2, "CArRecord").dw(1).b({0}).bytes();
    EXPECT_EQ(CArchiveException::badSchema, LoadFailure(bytes, [](CArchive& ar) {
                  CObject* p = NULL;
                  ar >> p;
                  delete p;
              }));
}

TEST(ArchiveObjectsTest, VersionableClassAcceptsAnySchemaAndReportsIt)
{
    CArVersioned versioned;
    versioned.m_n = 4;
    Bytes stored = StoreBytes([&](CArchive& ar) { ar << &versioned; });
    // The versionable mark is not written: only the number.
    EXPECT_EQ(ByteBuilder().newClass(3, "CArVersioned").dw(4).bytes(), stored);

    Bytes older = ByteBuilder()
                      .newClass(1, "CArVersioned")
                      .dw(7)
                      .newClass(1, "CArRecord")
                      .dw(0)
                      .b({0})
                      .bytes();
    older.insert(older.end(), {0x01, 0x80, 8, 0, 0, 0});  // a second CArVersioned
    LoadBytes(older, [](CArchive& ar) {
        CArVersioned* p1 = NULL;
        CArRecord* pRecord = NULL;
        CArVersioned* p2 = NULL;
        ar >> p1 >> pRecord >> p2;
        std::unique_ptr<CObject> o1(p1), o2(pRecord), o3(p2);
        EXPECT_EQ(1u, p1->m_nSchemaSeen);
        EXPECT_EQ(7, p1->m_n);
        EXPECT_EQ(1u, pRecord->m_nSchemaSeen);
        // The class index keeps the schema stored with the class.
        EXPECT_EQ(1u, p2->m_nSchemaSeen);
        EXPECT_EQ(8, p2->m_n);
        // Outside an object's Serialize there is no schema.
        EXPECT_EQ(static_cast<UINT>(-1), ar.GetObjectSchema());
    });
}

TEST(ArchiveObjectsTest, UnknownClassRaisesBadClass)
{
    Bytes bytes = ByteBuilder().newClass(1, "CNoSuchClass").dw(1).bytes();
    EXPECT_EQ(CArchiveException::badClass, LoadFailure(bytes, [](CArchive& ar) {
                  CObject* p = NULL;
                  ar >> p;
              }));
    // A class that exists but is not serializable cannot be loaded either.
    Bytes notSerial = ByteBuilder().newClass(0xFFFF, "CArNotSerial").bytes();
    EXPECT_EQ(CArchiveException::badClass, LoadFailure(notSerial, [](CArchive& ar) {
                  CObject* p = NULL;
                  ar >> p;
              }));
    // Nor can a name longer than any class name.
    Bytes longName = ByteBuilder().w(0xFFFF).w(1).w(200).fill(200, 'A').bytes();
    EXPECT_EQ(CArchiveException::badClass, LoadFailure(longName, [](CArchive& ar) {
                  CObject* p = NULL;
                  ar >> p;
              }));
}

TEST(ArchiveObjectsTest, ObjectOfAnotherClassThanRequestedRaisesBadClass)
{
    CArOther other;
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &other << &other; });
    EXPECT_EQ(CArchiveException::badClass, LoadFailure(bytes, [](CArchive& ar) {
                  CArRecord* p = NULL;
                  ar >> p;
                  delete p;
              }));
    // A reference to an object of another class is refused as well.
    EXPECT_EQ(CArchiveException::badClass, LoadFailure(bytes, [](CArchive& ar) {
                  CArOther* pFirst = NULL;
                  ar >> pFirst;
                  std::unique_ptr<CArOther> owner(pFirst);
                  CArRecord* pSecond = NULL;
                  ar >> pSecond;
              }));
}

TEST(ArchiveObjectsTest, BadReferencesRaiseBadIndex)
{
    auto loadOne = [](CArchive& ar) {
        CObject* p = NULL;
        ar >> p;
        delete p;
    };
    // An object index nothing has taken yet.
    EXPECT_EQ(CArchiveException::badIndex, LoadFailure(ByteBuilder().w(5).bytes(), loadOne));
    // A class index nothing has taken yet.
    EXPECT_EQ(CArchiveException::badIndex, LoadFailure(ByteBuilder().w(0x8005).bytes(), loadOne));
    EXPECT_EQ(CArchiveException::badIndex, LoadFailure(ByteBuilder().w(0x8000).bytes(), loadOne));
    // A class index that names an object.
    Bytes classIsObject = ByteBuilder().newClass(1, "CArOther").dw(1).w(0x8002).dw(1).bytes();
    EXPECT_EQ(CArchiveException::badIndex, LoadFailure(classIsObject, [](CArchive& ar) {
                  CObject* p1 = NULL;
                  ar >> p1;
                  std::unique_ptr<CObject> owner(p1);
                  CObject* p2 = NULL;
                  ar >> p2;
                  delete p2;
              }));
    // An object index that names a class.
    Bytes objectIsClass = ByteBuilder().newClass(1, "CArOther").dw(1).w(1).bytes();
    EXPECT_EQ(CArchiveException::badIndex, LoadFailure(objectIsClass, [](CArchive& ar) {
                  CObject* p1 = NULL;
                  ar >> p1;
                  std::unique_ptr<CObject> owner(p1);
                  CObject* p2 = NULL;
                  ar >> p2;
              }));
    // A big index past the end.
    EXPECT_EQ(CArchiveException::badIndex,
              LoadFailure(ByteBuilder().w(0x7FFF).dw(0x80001234).bytes(), loadOne));
}

TEST(ArchiveObjectsTest, BigIndicesUseTheLongForm)
{
    // MapObject moves the shared index counter on without writing anything.
    std::vector<CArOther> mapped(0x7FFE);
    CArRecord first(1, "");
    CArRecord second(2, "");
    auto mapAll = [&](CArchive& ar, size_t nCount) {
        for (size_t i = 0; i < nCount; ++i)
            ar.MapObject(&mapped[i]);
    };

    // Class index 0x7FFE (still a WORD tag), first object 0x7FFF (long form).
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        mapAll(ar, 0x7FFD);
        ar << &first << &first << &second;
    });
    Bytes expected = ByteBuilder()
                         .newClass(1, "CArRecord")
                         .dw(1)
                         .b({0})
                         .w(0x7FFF)
                         .dw(0x7FFF)
                         .w(0xFFFE)
                         .dw(2)
                         .b({0})
                         .bytes();
    EXPECT_EQ(expected, bytes);
    LoadBytes(bytes, [&](CArchive& ar) {
        mapAll(ar, 0x7FFD);
        CArRecord *p1 = NULL, *p2 = NULL, *p3 = NULL;
        ar >> p1 >> p2 >> p3;
        std::unique_ptr<CArRecord> o1(p1), o3(p3);
        EXPECT_EQ(p1, p2);
        EXPECT_EQ(2, p3->m_n);
    });

    // Class index 0x7FFF: the class tag takes the long form too.
    Bytes bigClass = StoreBytes([&](CArchive& ar) {
        mapAll(ar, 0x7FFE);
        ar << &first << &second;
    });
    Bytes expectedBigClass = ByteBuilder()
                                 .newClass(1, "CArRecord")
                                 .dw(1)
                                 .b({0})
                                 .w(0x7FFF)
                                 .dw(0x80007FFF)
                                 .dw(2)
                                 .b({0})
                                 .bytes();
    EXPECT_EQ(expectedBigClass, bigClass);
    LoadBytes(bigClass, [&](CArchive& ar) {
        mapAll(ar, 0x7FFE);
        CArRecord *p1 = NULL, *p2 = NULL;
        ar >> p1 >> p2;
        std::unique_ptr<CArRecord> o1(p1), o2(p2);
        EXPECT_EQ(1, p1->m_n);
        EXPECT_EQ(2, p2->m_n);
    });
}

TEST(ArchiveObjectsTest, MapsOfObjectsAndTypedLists)
{
    CArRecord a(1, "a");
    CMapStringToOb map;
    map.SetAt("key", &a);
    CTypedPtrList<CObList, CArRecord*> typed;
    typed.AddTail(&a);
    Bytes bytes = StoreBytes([&](CArchive& ar) {
        map.Serialize(ar);
        typed.Serialize(ar);
    });
    EXPECT_EQ(ByteBuilder()
                  .w(1)
                  .b({3, 'k', 'e', 'y'})
                  .newClass(1, "CArRecord")
                  .dw(1)
                  .b({1, 'a'})
                  .w(1)
                  .w(2)
                  .bytes(),
              bytes);
    LoadBytes(bytes, [](CArchive& ar) {
        CMapStringToOb m;
        CTypedPtrList<CObList, CArRecord*> t;
        m.Serialize(ar);
        t.Serialize(ar);
        CObject* p = NULL;
        ASSERT_TRUE(m.Lookup("key", p));
        EXPECT_EQ(p, t.GetHead());
        EXPECT_EQ(CString("a"), t.GetHead()->m_s);
        delete p;
    });
}

TEST(ArchiveObjectsTest, SerializeClassWritesAndChecksAClassTag)
{
    Bytes bytes = StoreBytes([](CArchive& ar) {
        ar.SerializeClass(RUNTIME_CLASS(CArRecord));
        ar.SerializeClass(RUNTIME_CLASS(CArRecord));
    });
    EXPECT_EQ(ByteBuilder().newClass(1, "CArRecord").w(0x8001).bytes(), bytes);
    LoadBytes(bytes, [](CArchive& ar) {
        ar.SerializeClass(RUNTIME_CLASS(CArRecord));
        EXPECT_EQ(1u, ar.GetObjectSchema());
        EXPECT_EQ(RUNTIME_CLASS(CArRecord), ar.ReadClass());
    });
    EXPECT_EQ(CArchiveException::badClass,
              LoadFailure(bytes, [](CArchive& ar) { ar.SerializeClass(RUNTIME_CLASS(CArOther)); }));
}

TEST(ArchiveObjectsTest, WritingANonSerializableObjectIsRefused)
{
    CArNotSerial object;
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    bool bRefused = false;
    try {
        ar << &object;
    } catch (CNotSupportedException* e) {
        bRefused = true;
        e->Delete();
    }
    EXPECT_TRUE(bRefused);
}

TEST(ArchiveObjectsTest, TruncatedArchiveRaisesEndOfFileAtEveryOffset)
{
    CArRecord first(1, "first record");
    CArOther other;
    other.m_n = 2;
    CArHolder holder;
    holder.m_pChild = new CArRecord(3, "child");
    CObList list;
    list.AddTail(&first);
    list.AddTail(static_cast<CObject*>(NULL));
    list.AddTail(&holder);
    list.AddTail(&first);
    list.AddTail(&other);
    Bytes whole = StoreBytes([&](CArchive& ar) {
        list.Serialize(ar);
        ar << CString('z', 300);
        ar.WriteCount(70000);
    });
    auto load = [](CArchive& ar, CObList& loaded) {
        loaded.Serialize(ar);
        CString text;
        ar >> text;
        EXPECT_EQ(70000u, ar.ReadCount());
    };

    {
        CObList loaded;
        LoadBytes(whole, [&](CArchive& ar) { load(ar, loaded); });
        EXPECT_EQ(5, loaded.GetCount());
        DeleteAll(loaded);
    }
    for (size_t nCut = 0; nCut < whole.size(); ++nCut) {
        Bytes cut(whole.begin(), whole.begin() + static_cast<long>(nCut));
        CObList loaded;
        int cause = LoadFailure(cut, [&](CArchive& ar) { load(ar, loaded); });
        EXPECT_EQ(CArchiveException::endOfFile, cause) << "cut at " << nCut;
        // What was loaded before the cut belongs to the list.
        DeleteAll(loaded);
    }
}
