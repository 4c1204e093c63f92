// Arrays and lists: sizes, insertion, removal, iteration and their edge cases.
#include <ClassLib/Core/Collections.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

template <class ARRAY> std::vector<int> Values(const ARRAY& array)
{
    std::vector<int> values;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        values.push_back(static_cast<int>(array[i]));
    return values;
}

template <class LIST> std::vector<std::string> Texts(const LIST& list)
{
    std::vector<std::string> texts;
    POSITION pos = list.GetHeadPosition();
    while (pos != NULL)
        texts.push_back(static_cast<LPCTSTR>(list.GetNext(pos)));
    return texts;
}

// true when calling f throws CInvalidArgException.
template <class F> bool ThrowsInvalidArg(F f)
{
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

struct Plain
{
    int a;
    int b;
};

// A type whose constructor leaves a member alone: new elements still read as zero.
struct Lazy
{
    Lazy() {}
    int n;
};

class CDemo : public CObject
{
public:
    explicit CDemo(int n = 0)
        : m_n(n)
    {
    }
    int m_n;
};

}  // namespace

TEST(CollectionsTest, SetSizeGrowsWithZeroedElementsAndShrinks)
{
    CArray<int, int> array;
    array.SetSize(3);
    EXPECT_EQ((std::vector<int>{0, 0, 0}), Values(array));
    array[1] = 7;
    array.SetSize(5, 2);
    EXPECT_EQ((std::vector<int>{0, 7, 0, 0, 0}), Values(array));
    EXPECT_EQ(4, array.GetUpperBound());
    array.SetSize(2);
    EXPECT_EQ((std::vector<int>{0, 7}), Values(array));
    // Grown again: the element beyond the old size is zero, not the old value.
    array[1] = 9;
    array.SetSize(1);
    array.SetSize(2);
    EXPECT_EQ((std::vector<int>{0, 0}), Values(array));
    array.SetSize(0);
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(-1, array.GetUpperBound());
    EXPECT_EQ(nullptr, array.GetData());
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.SetSize(-1); }));

    CArray<Lazy, const Lazy&> lazy;
    lazy.SetSize(4);
    for (INT_PTR i = 0; i < 4; ++i)
        EXPECT_EQ(0, lazy[i].n);
    CArray<Plain, const Plain&> plain;
    plain.SetSize(2);
    EXPECT_EQ(0, plain[1].a);
    EXPECT_EQ(0, plain[1].b);
}

TEST(CollectionsTest, InsertAtInsideAtTheEndAndPastTheEnd)
{
    CArray<int, int> array;
    array.Add(1);
    array.Add(2);
    array.InsertAt(1, 5, 2);
    EXPECT_EQ((std::vector<int>{1, 5, 5, 2}), Values(array));
    array.InsertAt(0, 0);
    EXPECT_EQ((std::vector<int>{0, 1, 5, 5, 2}), Values(array));
    array.InsertAt(5, 3);
    EXPECT_EQ((std::vector<int>{0, 1, 5, 5, 2, 3}), Values(array));
    // Past the end: the array grows so the new elements start at the index.
    array.InsertAt(8, 4, 2);
    EXPECT_EQ((std::vector<int>{0, 1, 5, 5, 2, 3, 0, 0, 4, 4}), Values(array));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.InsertAt(-1, 1); }));
    array.InsertAt(2, 9, 0);
    EXPECT_EQ(10, array.GetSize());
}

TEST(CollectionsTest, InsertAtOfAnArray)
{
    CArray<int, int> array;
    CArray<int, int> other;
    array.Add(1);
    array.Add(2);
    other.Add(8);
    other.Add(9);
    array.InsertAt(1, &other);
    EXPECT_EQ((std::vector<int>{1, 8, 9, 2}), Values(array));
    array.InsertAt(0, &array);
    EXPECT_EQ((std::vector<int>{1, 8, 9, 2, 1, 8, 9, 2}), Values(array));
}

TEST(CollectionsTest, RemoveAtOfOneAndManyAndOutOfRange)
{
    CArray<int, int> array;
    for (int i = 0; i < 6; ++i)
        array.Add(i);
    array.RemoveAt(0);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5}), Values(array));
    array.RemoveAt(1, 3);
    EXPECT_EQ((std::vector<int>{1, 5}), Values(array));
    array.RemoveAt(1, 0);
    EXPECT_EQ((std::vector<int>{1, 5}), Values(array));
    // Out of range: refused, the array unchanged.
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.RemoveAt(2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.RemoveAt(1, 2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.RemoveAt(-1); }));
    EXPECT_EQ((std::vector<int>{1, 5}), Values(array));
    array.RemoveAt(1);
    array.RemoveAt(0);
    EXPECT_TRUE(array.IsEmpty());
}

TEST(CollectionsTest, IndexOutOfRangeIsRefusedNotRead)
{
    CArray<int, int> array;
    array.Add(3);
    EXPECT_EQ(3, array.GetAt(0));
    EXPECT_TRUE(ThrowsInvalidArg([&] { (void)array.GetAt(1); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { (void)array[-1]; }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.SetAt(1, 4); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { (void)array.ElementAt(5); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { array.SetAtGrow(-1, 1); }));
    array.SetAtGrow(3, 8);
    EXPECT_EQ((std::vector<int>{3, 0, 0, 8}), Values(array));
}

TEST(CollectionsTest, StringArrayGrowsWhileAddingItsOwnElements)
{
    CStringArray strings;
    strings.Add("short");
    strings.Add(CString('L', 100));
    // Each Add of an existing element while the storage moves keeps the right text.
    for (int i = 0; i < 50; ++i)
        strings.Add(strings[i % 2]);
    ASSERT_EQ(52, strings.GetSize());
    for (INT_PTR i = 0; i < strings.GetSize(); ++i)
        EXPECT_EQ(i % 2 == 0 ? CString("short") : CString('L', 100), strings[i]) << i;
    strings.InsertAt(0, strings[1], 3);
    EXPECT_EQ(CString('L', 100), strings[0]);
    EXPECT_EQ(CString('L', 100), strings[2]);
    EXPECT_EQ(CString("short"), strings[3]);
    // Text that points into an element of a pointer-argument array is copied first too.
    CArray<CString, LPCTSTR> byPointer;
    byPointer.Add("abc");
    for (int i = 0; i < 40; ++i)
        byPointer.Add(byPointer[0]);
    EXPECT_EQ(CString("abc"), byPointer[40]);
}

TEST(CollectionsTest, AppendCopyAndFreeExtra)
{
    CDWordArray a;
    CDWordArray b;
    a.Add(1);
    b.Add(2);
    b.Add(3);
    EXPECT_EQ(1, a.Append(b));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Values(a));
    EXPECT_EQ(3, a.Append(a));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 1, 2, 3}), Values(a));
    b.Copy(a);
    EXPECT_EQ(Values(a), Values(b));
    b.Copy(b);
    EXPECT_EQ(6, b.GetSize());
    b.FreeExtra();
    EXPECT_EQ(Values(a), Values(b));
    a.RemoveAll();
    EXPECT_EQ(0, a.GetSize());
}

TEST(CollectionsTest, TypedPointerArray)
{
    CDemo one(1), two(2);
    CTypedPtrArray<CObArray, CDemo*> array;
    array.Add(&one);
    array.InsertAt(0, &two);
    EXPECT_EQ(2, array.GetAt(0)->m_n);
    EXPECT_EQ(1, array[1]->m_n);
    array[1] = &two;
    EXPECT_EQ(&two, array.GetAt(1));
    EXPECT_TRUE(array.IsKindOf(RUNTIME_CLASS(CObArray)));
}

TEST(CollectionsTest, ListAddRemoveAndIterateBothWays)
{
    CStringList list;
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    list.AddTail("b");
    list.AddHead("a");
    list.AddTail(CString("c"));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), Texts(list));
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(CString("a"), list.GetHead());
    EXPECT_EQ(CString("c"), list.GetTail());

    std::vector<std::string> backwards;
    POSITION pos = list.GetTailPosition();
    while (pos != NULL)
        backwards.push_back(static_cast<LPCTSTR>(list.GetPrev(pos)));
    EXPECT_EQ((std::vector<std::string>{"c", "b", "a"}), backwards);

    EXPECT_EQ(CString("a"), list.RemoveHead());
    EXPECT_EQ(CString("c"), list.RemoveTail());
    EXPECT_EQ((std::vector<std::string>{"b"}), Texts(list));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveHead(); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveTail(); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { (void)list.GetHead(); }));
}

TEST(CollectionsTest, ListInsertFindSetAndRemoveAt)
{
    CStringList list;
    POSITION posB = list.AddTail("b");
    list.InsertBefore(posB, "a");
    POSITION posC = list.InsertAfter(posB, "c");
    list.InsertAfter(NULL, "e");
    list.InsertBefore(NULL, "start");
    EXPECT_EQ((std::vector<std::string>{"start", "a", "b", "c", "e"}), Texts(list));
    list.SetAt(posC, "d");
    EXPECT_EQ(CString("d"), list.GetAt(posC));
    EXPECT_EQ(posB, list.Find("b"));
    EXPECT_EQ(nullptr, list.Find("b", posB));
    EXPECT_EQ(nullptr, list.Find("zz"));
    EXPECT_EQ(posC, list.FindIndex(3));
    EXPECT_EQ(nullptr, list.FindIndex(5));
    EXPECT_EQ(nullptr, list.FindIndex(-1));
    list.RemoveAt(posB);
    EXPECT_EQ((std::vector<std::string>{"start", "a", "d", "e"}), Texts(list));
    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    EXPECT_EQ((std::vector<std::string>{"a", "d"}), Texts(list));
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveAt(NULL); }));
    POSITION end = NULL;
    EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetNext(end); }));
}

TEST(CollectionsTest, ListAddedToItselfDoublesOnce)
{
    CStringList list;
    list.AddTail("x");
    list.AddTail("y");
    list.AddTail(&list);
    EXPECT_EQ((std::vector<std::string>{"x", "y", "x", "y"}), Texts(list));
    list.RemoveAll();
    list.AddTail("x");
    list.AddTail("y");
    list.AddHead(&list);
    EXPECT_EQ((std::vector<std::string>{"x", "y", "x", "y"}), Texts(list));
    CStringList other;
    other.AddTail("p");
    list.AddHead(&other);
    EXPECT_EQ(CString("p"), list.GetHead());
}

TEST(CollectionsTest, TypedPointerListCastsBothWays)
{
    CDemo a(1), b(2), c(3);
    CTypedPtrList<CObList, CDemo*> list;
    list.AddTail(&a);
    list.AddTail(&b);
    list.AddHead(&c);
    EXPECT_EQ(3, list.GetHead()->m_n);
    EXPECT_EQ(2, list.GetTail()->m_n);
    POSITION pos = list.GetHeadPosition();
    int nSum = 0;
    while (pos != NULL)
        nSum += list.GetNext(pos)->m_n;
    EXPECT_EQ(6, nSum);
    EXPECT_NE(nullptr, list.Find(&a));
    CDemo* pRemoved = list.RemoveHead();
    EXPECT_EQ(&c, pRemoved);
    CTypedPtrList<CPtrList, int*> ints;
    int n = 5;
    ints.AddTail(&n);
    EXPECT_EQ(5, *ints.GetHead());
}
