// Archive bytes: numbers, strings, counts and text lines.
#include "ArchiveTestSupport.h"

#include <ClassLib/Core/Collections.h>

#include <cstdlib>
#include <unistd.h>
#include <string>

TEST(ArchiveTest, NumbersAreLittleEndianInThePlatformSizes) {
  Bytes bytes = StoreBytes([](CArchive& ar) {
    ar << static_cast<BYTE>(0xA1);
    ar << static_cast<WORD>(0xB2C3);
    ar << static_cast<LONG>(-2);
    ar << static_cast<DWORD>(0x01020304);
    ar << static_cast<int>(7);
    ar << static_cast<UINT>(0xFFFFFFFE);
    ar << static_cast<short>(-3);
    ar << 'z';
    ar << true;
    BOOL bValue = TRUE;
    ar << bValue;
    ar << 1.5f;
    ar << 2.0;
    ar << static_cast<LONGLONG>(-5);
    ar << static_cast<ULONGLONG>(0x0102030405060708ull);
    ar << static_cast<WCHAR>(0x4E2D);
  });
  Bytes expected = ByteBuilder()
                       .b({0xA1})
                       .b({0xC3, 0xB2})
                       .b({0xFE, 0xFF, 0xFF, 0xFF})
                       .b({0x04, 0x03, 0x02, 0x01})
                       .b({0x07, 0, 0, 0})
                       .b({0xFE, 0xFF, 0xFF, 0xFF})
                       .b({0xFD, 0xFF})
                       .b({'z'})
                       .b({1, 0, 0, 0})
                       .b({1, 0, 0, 0})
                       .b({0x00, 0x00, 0xC0, 0x3F})
                       .b({0, 0, 0, 0, 0, 0, 0, 0x40})
                       .b({0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})
                       .b({0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01})
                       .b({0x2D, 0x4E})
                       .bytes();
  EXPECT_EQ(expected, bytes);

  LoadBytes(bytes, [](CArchive& ar) {
    BYTE by;
    WORD w;
    LONG l;
    DWORD dw;
    int n;
    UINT u;
    short s;
    char ch;
    bool b;
    BOOL bValue;
    float f;
    double d;
    LONGLONG ll;
    ULONGLONG ull;
    WCHAR wch;
    ar >> by >> w >> l >> dw >> n >> u >> s >> ch >> b >> bValue >> f >> d >> ll >> ull >> wch;
    EXPECT_EQ(0xA1, by);
    EXPECT_EQ(0xB2C3, w);
    EXPECT_EQ(-2, l);
    EXPECT_EQ(0x01020304u, dw);
    EXPECT_EQ(7, n);
    EXPECT_EQ(0xFFFFFFFEu, u);
    EXPECT_EQ(-3, s);
    EXPECT_EQ('z', ch);
    EXPECT_TRUE(b);
    EXPECT_EQ(TRUE, bValue);
    EXPECT_EQ(1.5f, f);
    EXPECT_EQ(2.0, d);
    EXPECT_EQ(-5, ll);
    EXPECT_EQ(0x0102030405060708ull, ull);
    EXPECT_EQ(0x4E2D, wch);
    EXPECT_TRUE(ar.IsBufferEmpty());
  });
}

namespace {

// The prefix the archive writes before a string of nLength bytes.
Bytes PrefixOf(size_t nLength) {
  Bytes bytes = StoreBytes([&](CArchive& ar) { ar << CString('x', static_cast<int>(nLength)); });
  EXPECT_GE(bytes.size(), nLength);
  Bytes body(bytes.end() - static_cast<long>(nLength), bytes.end());
  EXPECT_EQ(Bytes(nLength, 'x'), body);
  return Bytes(bytes.begin(), bytes.end() - static_cast<long>(nLength));
}

}  // namespace

TEST(ArchiveTest, StringPrefixAtEachBoundary) {
  EXPECT_EQ(Bytes({0x00}), PrefixOf(0));
  EXPECT_EQ(Bytes({0xFE}), PrefixOf(254));
  EXPECT_EQ(Bytes({0xFF, 0xFF, 0x00}), PrefixOf(255));
  EXPECT_EQ(Bytes({0xFF, 0x2C, 0x01}), PrefixOf(300));
  EXPECT_EQ(Bytes({0xFF, 0xFD, 0xFF}), PrefixOf(65533));
  EXPECT_EQ(Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}), PrefixOf(65534));
  EXPECT_EQ(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}), PrefixOf(65535));
  EXPECT_EQ(Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}), PrefixOf(70000));
}

TEST(ArchiveTest, StringsRoundTripAtEachBoundary) {
  for (int nLength : {0, 1, 254, 255, 300, 65533, 65534, 65535, 70000}) {
    CString original;
    for (int i = 0; i < nLength; ++i) original += static_cast<char>('a' + i % 26);
    Bytes bytes = StoreBytes([&](CArchive& ar) { ar << original << 5; });
    LoadBytes(bytes, [&](CArchive& ar) {
      CString loaded;
      int nAfter = 0;
      ar >> loaded >> nAfter;
      EXPECT_EQ(original, loaded) << nLength;
      EXPECT_EQ(5, nAfter) << nLength;
    });
  }
}

TEST(ArchiveTest, StringBytesAreWrittenAsTheyAre) {
  Bytes bytes = StoreBytes([](CArchive& ar) {
    ar << CString("\xD6\xD0\xCE\xC4");  // 中文
    ar << "ab";
    ar << static_cast<LPCTSTR>(NULL);
  });
  EXPECT_EQ(ByteBuilder().b({4, 0xD6, 0xD0, 0xCE, 0xC4}).b({2, 'a', 'b'}).b({0}).bytes(), bytes);
}

TEST(ArchiveTest, WideStringsOfLaterWritersReadAsCodePage936) {
  // 0xFF, 0xFFFE marks UTF-16 text; then its own prefix: 2 characters.
  Bytes bytes = ByteBuilder().b({0xFF}).w(0xFFFE).b({2}).w('A').w(0x4E2D).bytes();
  LoadBytes(bytes, [](CArchive& ar) {
    CString s;
    ar >> s;
    EXPECT_EQ(CString("A\xD6\xD0"), s);
  });
}

TEST(ArchiveTest, DamagedStringLengthEndsTheLoadWithoutClaimingMemory) {
  // Claims two gigabytes, holds three bytes.
  Bytes bytes = ByteBuilder().b({0xFF}).w(0xFFFF).dw(0x7FFFFFFF).text("abc").bytes();
  EXPECT_EQ(CArchiveException::endOfFile, LoadFailure(bytes, [](CArchive& ar) {
              CString s;
              ar >> s;
            }));
}

TEST(ArchiveTest, CountsInBothForms) {
  Bytes bytes = StoreBytes([](CArchive& ar) {
    ar.WriteCount(0);
    ar.WriteCount(0xFFFE);
    ar.WriteCount(0xFFFF);
    ar.WriteCount(70000);
  });
  Bytes expected =
      ByteBuilder().w(0).w(0xFFFE).w(0xFFFF).dw(0xFFFF).w(0xFFFF).dw(70000).bytes();
  EXPECT_EQ(expected, bytes);
  LoadBytes(bytes, [](CArchive& ar) {
    EXPECT_EQ(0u, ar.ReadCount());
    EXPECT_EQ(0xFFFEu, ar.ReadCount());
    EXPECT_EQ(0xFFFFu, ar.ReadCount());
    EXPECT_EQ(70000u, ar.ReadCount());
  });
}

TEST(ArchiveTest, ReadingPastTheEndRaisesEndOfFile) {
  EXPECT_EQ(CArchiveException::endOfFile, LoadFailure(Bytes({1, 2, 3}), [](CArchive& ar) {
              int n;
              ar >> n;
            }));
  EXPECT_EQ(CArchiveException::endOfFile, LoadFailure(Bytes(), [](CArchive& ar) {
              BYTE by;
              ar >> by;
            }));
  // Raw reads report what they got instead.
  LoadBytes(Bytes({1, 2, 3}), [](CArchive& ar) {
    BYTE buffer[8];
    EXPECT_EQ(3u, ar.Read(buffer, sizeof(buffer)));
    EXPECT_EQ(0u, ar.Read(buffer, sizeof(buffer)));
  });
}

TEST(ArchiveTest, WrongDirectionIsRefused) {
  EXPECT_EQ(CArchiveException::writeOnly, [] {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    try {
      int n;
      ar >> n;
    } catch (CArchiveException* e) {
      int cause = e->m_cause;
      e->Delete();
      return cause;
    }
    return -1;
  }());
  EXPECT_EQ(CArchiveException::readOnly, LoadFailure(Bytes({0, 0, 0, 0}), [](CArchive& ar) { ar << 1; }));
}

TEST(ArchiveTest, TextLinesInAnArchive) {
  Bytes bytes = StoreBytes([](CArchive& ar) {
    ar.WriteString("first\r\n");
    ar.WriteString("second\n");
    ar.WriteString("last");
  });
  EXPECT_EQ(ByteBuilder().text("first\r\nsecond\nlast").bytes(), bytes);
  LoadBytes(bytes, [](CArchive& ar) {
    CString line;
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_EQ(CString("first"), line);
    char buffer[4];
    EXPECT_NE(nullptr, ar.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("sec", buffer);
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_EQ(CString("ond"), line);
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_EQ(CString("last"), line);
    EXPECT_FALSE(ar.ReadString(line));
    EXPECT_EQ(nullptr, ar.ReadString(buffer, sizeof(buffer)));
  });
}

TEST(ArchiveTest, SmallBufferAndLargeWritesKeepTheOrder) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store, 16);
    std::string big(1000, 'q');
    ar << 1;
    ar.Write(big.data(), static_cast<UINT>(big.size()));
    ar << 2;
    ar.Close();
  }
  EXPECT_EQ(1008u, file.GetLength());
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load, 16);
  int n1 = 0, n2 = 0;
  std::string big(1000, 0);
  ar >> n1;
  EXPECT_EQ(1000u, ar.Read(&big[0], 1000));
  ar >> n2;
  EXPECT_EQ(1, n1);
  EXPECT_EQ(std::string(1000, 'q'), big);
  EXPECT_EQ(2, n2);
}

TEST(ArchiveTest, CloseOfALoadingArchiveLeavesTheFileWhereReadingStopped) {
  Bytes bytes = ByteBuilder().dw(11).dw(22).dw(33).bytes();
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  {
    CArchive ar(&file, CArchive::load);
    int n = 0;
    ar >> n;
    EXPECT_EQ(11, n);
    ar.Close();
  }
  EXPECT_EQ(4u, file.GetPosition());
}

TEST(ArchiveTest, ArraysOfNumbersAndStrings) {
  CDWordArray dwords;
  dwords.Add(1);
  dwords.Add(0x01020304);
  CWordArray words;
  words.Add(0x0A0B);
  CByteArray byteArray;
  byteArray.Add(9);
  CStringArray strings;
  strings.Add("x");
  strings.Add("\xD6\xD0");
  CUIntArray uints;
  uints.Add(5);
  Bytes bytes = StoreBytes([&](CArchive& ar) {
    dwords.Serialize(ar);
    words.Serialize(ar);
    byteArray.Serialize(ar);
    strings.Serialize(ar);
    uints.Serialize(ar);
  });
  Bytes expected = ByteBuilder()
                       .w(2).dw(1).dw(0x01020304)
                       .w(1).w(0x0A0B)
                       .w(1).b({9})
                       .w(2).b({1, 'x'}).b({2, 0xD6, 0xD0})
                       .w(1).dw(5)
                       .bytes();
  EXPECT_EQ(expected, bytes);
  LoadBytes(bytes, [](CArchive& ar) {
    CDWordArray d;
    CWordArray w;
    CByteArray b;
    CStringArray s;
    CUIntArray u;
    d.Serialize(ar);
    w.Serialize(ar);
    b.Serialize(ar);
    s.Serialize(ar);
    u.Serialize(ar);
    ASSERT_EQ(2, d.GetSize());
    EXPECT_EQ(0x01020304u, d[1]);
    EXPECT_EQ(0x0A0B, w[0]);
    EXPECT_EQ(9, b[0]);
    ASSERT_EQ(2, s.GetSize());
    EXPECT_EQ(CString("\xD6\xD0"), s[1]);
    EXPECT_EQ(5u, u[0]);
  });
}

TEST(ArchiveTest, DamagedArrayCountEndsTheLoadWithoutClaimingMemory) {
  Bytes bytes = ByteBuilder().w(0xFFFF).dw(0xFFFFFFF0).dw(1).dw(2).bytes();
  EXPECT_EQ(CArchiveException::endOfFile, LoadFailure(bytes, [](CArchive& ar) {
              CDWordArray array;
              array.Serialize(ar);
            }));
  EXPECT_EQ(CArchiveException::endOfFile, LoadFailure(bytes, [](CArchive& ar) {
              CStringList list;
              list.Serialize(ar);
            }));
}

TEST(ArchiveTest, ListsAndMapsOfStrings) {
  CStringList list;
  list.AddTail("a");
  list.AddTail("bc");
  CMapStringToString map;
  map.SetAt("k", "v");
  Bytes bytes = StoreBytes([&](CArchive& ar) {
    list.Serialize(ar);
    map.Serialize(ar);
  });
  EXPECT_EQ(ByteBuilder().w(2).b({1, 'a'}).b({2, 'b', 'c'}).w(1).b({1, 'k'}).b({1, 'v'}).bytes(),
            bytes);
  LoadBytes(bytes, [](CArchive& ar) {
    CStringList l;
    CMapStringToString m;
    l.Serialize(ar);
    m.Serialize(ar);
    ASSERT_EQ(2, l.GetCount());
    EXPECT_EQ(CString("bc"), l.GetTail());
    CString value;
    EXPECT_TRUE(m.Lookup("k", value));
    EXPECT_EQ(CString("v"), value);
  });
}

TEST(ArchiveTest, PointerCollectionsRefuseToBeArchived) {
  CPtrList list;
  CPtrArray array;
  CMapStringToPtr map;
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  EXPECT_THROW(
      try { list.Serialize(ar); } catch (CNotSupportedException* e) {
        e->Delete();
        throw 1;
      },
      int);
  EXPECT_THROW(
      try { array.Serialize(ar); } catch (CNotSupportedException* e) {
        e->Delete();
        throw 1;
      },
      int);
  EXPECT_THROW(
      try { map.Serialize(ar); } catch (CNotSupportedException* e) {
        e->Delete();
        throw 1;
      },
      int);
}

namespace {
struct NotPlain {
  CString s;
};
}  // namespace

TEST(ArchiveTest, ElementsThatAreNotPlainBytesAreRefusedNotCorrupted) {
  CList<NotPlain, const NotPlain&> list;
  list.AddTail(NotPlain{"x"});
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  bool bRefused = false;
  try {
    list.Serialize(ar);
  } catch (CNotSupportedException* e) {
    bRefused = true;
    e->Delete();
  }
  EXPECT_TRUE(bRefused);
}

TEST(ArchiveTest, ExceptionsNameTheArchiveFile) {
  char path[] = "/tmp/pc_archive_XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    BYTE two[2] = {1, 2};
    file.Write(two, 2);
    file.Close();
  }
  CFile file(path, CFile::modeRead);
  CArchive ar(&file, CArchive::load);
  bool bThrown = false;
  try {
    int n;
    ar >> n;
  } catch (CArchiveException* e) {
    bThrown = true;
    EXPECT_EQ(CArchiveException::endOfFile, e->m_cause);
    EXPECT_EQ(CString(path), e->m_strFileName);
    e->Delete();
  }
  EXPECT_TRUE(bThrown);
  ar.Abort();
  file.Close();
  CFile::Remove(path);
}
