// Hash maps: lookup, insertion, removal, iteration over every key, and the hash table.
#include <ClassLib/Core/Collections.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

template <class MAP, class KEY, class VALUE> std::map<KEY, VALUE> Entries(const MAP& map)
{
    std::map<KEY, VALUE> entries;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        typename MAP::BASE_KEY key;
        typename MAP::BASE_VALUE value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(entries.emplace(KEY(key), VALUE(value)).second) << "key seen twice";
    }
    return entries;
}

}  // namespace

TEST(MapsTest, SetLookupReplaceAndRemove)
{
    CMapStringToString map;
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(nullptr, map.GetStartPosition());
    map.SetAt("one", "1");
    map["two"] = "2";
    map.SetAt("one", "uno");
    EXPECT_EQ(2, map.GetCount());
    CString value;
    EXPECT_TRUE(map.Lookup("one", value));
    EXPECT_EQ(CString("uno"), value);
    value = "unchanged";
    EXPECT_FALSE(map.Lookup("three", value));
    EXPECT_EQ(CString("unchanged"), value);
    EXPECT_TRUE(map.RemoveKey("one"));
    EXPECT_FALSE(map.RemoveKey("one"));
    EXPECT_FALSE(map.Lookup("one", value));
    EXPECT_EQ(1, map.GetCount());
    // operator[] of a new key adds an empty value.
    EXPECT_TRUE(map["new"].IsEmpty());
    EXPECT_EQ(2, map.GetCount());
    map.RemoveAll();
    EXPECT_EQ(0, map.GetCount());
    EXPECT_FALSE(map.Lookup("two", value));
}

TEST(MapsTest, IterationCoversEveryKeyOnce)
{
    CMap<int, int, int, int> map;
    for (int i = 0; i < 500; ++i)
        map.SetAt(i * 7, i);
    std::map<int, int> entries = Entries<CMap<int, int, int, int>, int, int>(map);
    ASSERT_EQ(500u, entries.size());
    for (int i = 0; i < 500; ++i)
        EXPECT_EQ(i, entries[i * 7]);

    CMapStringToPtr strings;
    int anchor[40];
    for (int i = 0; i < 40; ++i) {
        CString key;
        key.Format("k%d\xD6\xD0", i);
        strings.SetAt(key, &anchor[i]);
    }
    std::map<std::string, void*> texts = Entries<CMapStringToPtr, std::string, void*>(strings);
    ASSERT_EQ(40u, texts.size());
    EXPECT_EQ(&anchor[7], texts["k7\xD6\xD0"]);
}

TEST(MapsTest, IterationOfAMapWithOneEntryAndAfterRemovals)
{
    CMapWordToPtr map;
    int n = 0;
    map.SetAt(3, &n);
    POSITION pos = map.GetStartPosition();
    ASSERT_NE(nullptr, pos);
    WORD key = 0;
    void* value = NULL;
    map.GetNextAssoc(pos, key, value);
    EXPECT_EQ(3, key);
    EXPECT_EQ(&n, value);
    EXPECT_EQ(nullptr, pos);
    EXPECT_THROW(
        try { map.GetNextAssoc(pos, key, value); } catch (CInvalidArgException* e) {
            e->Delete();
            throw 1;
        },
        int);

    for (WORD w = 0; w < 100; ++w)
        map.SetAt(w, &n);
    for (WORD w = 0; w < 100; w += 2)
        map.RemoveKey(w);
    std::set<WORD> keys;
    pos = map.GetStartPosition();
    while (pos != NULL) {
        map.GetNextAssoc(pos, key, value);
        keys.insert(key);
    }
    EXPECT_EQ(50u, keys.size());
    EXPECT_EQ(1u, keys.count(99));
    EXPECT_EQ(0u, keys.count(98));
}

TEST(MapsTest, InitHashTableKeepsEntriesAlreadyThere)
{
    CMapStringToString map;
    EXPECT_EQ(17u, map.GetHashTableSize());
    map.InitHashTable(101);
    EXPECT_EQ(101u, map.GetHashTableSize());
    for (int i = 0; i < 30; ++i) {
        CString key;
        key.Format("key%d", i);
        map.SetAt(key, key + "!");
    }
    map.InitHashTable(7);
    EXPECT_EQ(7u, map.GetHashTableSize());
    EXPECT_EQ(30, map.GetCount());
    CString value;
    EXPECT_TRUE(map.Lookup("key29", value));
    EXPECT_EQ(CString("key29!"), value);
    EXPECT_EQ(30u, (Entries<CMapStringToString, std::string, std::string>(map).size()));
    EXPECT_THROW(
        try { map.InitHashTable(0); } catch (CInvalidArgException* e) {
            e->Delete();
            throw 1;
        },
        int);
}

TEST(MapsTest, StringKeysCompareByBytes)
{
    CMapStringToPtr map;
    int a = 0, b = 0;
    map.SetAt("Key", &a);
    map.SetAt("key", &b);
    EXPECT_EQ(2, map.GetCount());
    void* p = NULL;
    EXPECT_TRUE(map.Lookup("key", p));
    EXPECT_EQ(&b, p);
    EXPECT_FALSE(map.Lookup("KEY", p));
    // The string hash adds the bytes as signed characters.
    EXPECT_EQ(static_cast<UINT>(('a' * 33u) + 'b'), HashKey<LPCTSTR>("ab"));
    EXPECT_EQ(static_cast<UINT>(-42), HashKey<LPCTSTR>("\xD6"));
    EXPECT_EQ(HashKey<LPCTSTR>("\xD6\xD0"), HashKey<const CString&>(CString("\xD6\xD0")));
}

TEST(MapsTest, TypedPointerMap)
{
    struct Item
    {
        int n;
    };
    Item one{1}, two{2};
    CTypedPtrMap<CMapStringToPtr, CString, Item*> map;
    map.SetAt("one", &one);
    map["two"] = &two;
    Item* pFound = NULL;
    EXPECT_TRUE(map.Lookup("two", pFound));
    EXPECT_EQ(2, pFound->n);
    EXPECT_FALSE(map.Lookup("three", pFound));
    EXPECT_EQ(&two, pFound);
    int nSum = 0;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        CString key;
        Item* pItem;
        map.GetNextAssoc(pos, key, pItem);
        nSum += pItem->n;
    }
    EXPECT_EQ(3, nSum);
    EXPECT_TRUE(map.RemoveKey("one"));
    EXPECT_EQ(1, map.GetCount());
}

TEST(MapsTest, PointerKeys)
{
    CMapPtrToWord map;
    int a = 0, b = 0;
    map.SetAt(&a, 1);
    map.SetAt(&b, 2);
    WORD w = 0;
    EXPECT_TRUE(map.Lookup(&b, w));
    EXPECT_EQ(2, w);
    EXPECT_FALSE(map.Lookup(NULL, w));
    CMapPtrToPtr ptrs;
    ptrs[&a] = &b;
    void* p = NULL;
    EXPECT_TRUE(ptrs.Lookup(&a, p));
    EXPECT_EQ(&b, p);
}
