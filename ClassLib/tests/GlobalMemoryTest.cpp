// Global memory blocks: handles, locking, resizing, and refusal of foreign handles.
#include <ClassLib/Ole/GlobalMemory.h>
#include <ClassLib/Ole/SharedFile.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(GlobalMemory, MoveableBlockKeepsHandleAcrossResize)
{
    size_t before = AfxGlobalBlockCount();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 8u);
    auto* p = static_cast<char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_NE(static_cast<void*>(p), h);  // moveable: handle and data differ
    EXPECT_EQ(std::memcmp(p, "\0\0\0\0\0\0\0\0", 8), 0);
    std::memcpy(p, "abcdefgh", 8);
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 1u);
    EXPECT_EQ(GlobalHandle(p), h);
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 0u);

    HGLOBAL h2 = GlobalReAlloc(h, 12, GMEM_MOVEABLE | GMEM_ZEROINIT);
    EXPECT_EQ(h2, h);
    EXPECT_EQ(GlobalSize(h), 12u);
    p = static_cast<char*>(GlobalLock(h));
    EXPECT_EQ(std::memcmp(p, "abcdefgh\0\0\0\0", 12), 0);
    GlobalUnlock(h);

    h2 = GlobalReAlloc(h, 3, GMEM_MOVEABLE);
    EXPECT_EQ(GlobalSize(h2), 3u);
    p = static_cast<char*>(GlobalLock(h2));
    EXPECT_EQ(std::string(p, 3), "abc");
    GlobalUnlock(h2);
    EXPECT_EQ(GlobalFree(h2), nullptr);
    EXPECT_EQ(AfxGlobalBlockCount(), before);
}

TEST(GlobalMemory, FixedBlockIsItsOwnData)
{
    HGLOBAL h = GlobalAlloc(GPTR, 4);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalLock(h), h);
    // A fixed block may shrink in place but not grow without GMEM_MOVEABLE.
    EXPECT_EQ(GlobalReAlloc(h, 16, 0), nullptr);
    EXPECT_EQ(GlobalSize(h), 4u);
    EXPECT_EQ(GlobalReAlloc(h, 2, 0), h);
    EXPECT_EQ(GlobalSize(h), 2u);
    HGLOBAL moved = GlobalReAlloc(h, 32, GMEM_MOVEABLE);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(GlobalSize(moved), 32u);
    EXPECT_EQ(GlobalFree(moved), nullptr);
}

TEST(GlobalMemory, ForeignAndFreedHandlesAreRefused)
{
    int local = 0;
    HGLOBAL bogus = &local;
    EXPECT_EQ(GlobalLock(bogus), nullptr);
    EXPECT_EQ(GlobalSize(bogus), 0u);
    EXPECT_EQ(GlobalFlags(bogus), GMEM_INVALID_HANDLE);
    EXPECT_EQ(GlobalReAlloc(bogus, 10, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(GlobalFree(bogus), bogus);

    HGLOBAL h = GlobalAlloc(GHND, 10);
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalFree(h), h);  // a second free is refused, not a double free
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalAlloc(GHND, PC_GLOBAL_MAX_BYTES + 1), nullptr);
}

TEST(GlobalMemory, ModifyFlagsTurnsFixedIntoMoveable)
{
    HGLOBAL h = GlobalAlloc(GMEM_FIXED, 4);
    std::memcpy(GlobalLock(h), "wxyz", 4);
    HGLOBAL m = GlobalReAlloc(h, 0, GMEM_MODIFY | GMEM_MOVEABLE);
    ASSERT_NE(m, nullptr);
    EXPECT_NE(m, h);
    EXPECT_EQ(std::string(static_cast<char*>(GlobalLock(m)), 4), "wxyz");
    GlobalUnlock(m);
    GlobalFree(m);
}

TEST(SharedFile, DetachHandsOverTheWrittenBytes)
{
    size_t before = AfxGlobalBlockCount();
    CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, 4096);
    file.Write("A\tB", 3);
    file.Write("\nC", 2);
    file.Write("", 1);
    EXPECT_EQ(file.GetLength(), 6u);
    HGLOBAL h = file.Detach();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_GE(GlobalSize(h), 6u);  // the buffer grows in steps
    HGLOBAL exact = GlobalReAlloc(h, 6, GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT);
    ASSERT_NE(exact, nullptr);
    EXPECT_EQ(GlobalSize(exact), 6u);
    EXPECT_EQ(std::memcmp(GlobalLock(exact), "A\tB\nC\0", 6), 0);
    GlobalUnlock(exact);
    GlobalFree(exact);
    EXPECT_EQ(AfxGlobalBlockCount(), before);
}

TEST(SharedFile, SetHandleReadsABlockAndFreesItOnClose)
{
    size_t before = AfxGlobalBlockCount();
    HGLOBAL h = AfxGlobalFromBytes("hello", 5);
    {
        CSharedFile file;
        file.SetHandle(h, FALSE);
        EXPECT_EQ(file.GetLength(), 5u);
        char buf[8] = {};
        EXPECT_EQ(file.Read(buf, 8), 5u);
        EXPECT_STREQ(buf, "hello");
    }
    EXPECT_EQ(AfxGlobalBlockCount(), before);
}
