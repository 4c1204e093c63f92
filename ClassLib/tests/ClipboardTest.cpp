// The clipboard: code page 936 text through the desktop's Unicode clipboard, private
// formats, data sources and data objects.
#include <ClassLib/Ole/Clipboard.h>
#include <ClassLib/Ole/DataObject.h>
#include <ClassLib/Ole/SharedFile.h>

#include "CtrlTestApp.h"

#include <QClipboard>
#include <QMimeData>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// "任务名称\t类型\n前置任务" in code page 936.
const char kChinese[] = "\xC8\xCE\xCE\xF1\xC3\xFB\xB3\xC6\t\xC0\xE0\xD0\xCD\n\xC7\xB0\xD6\xC3\xC8\xCE\xCE\xF1";

std::string ReadClipboardText()
{
    EXPECT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_TEXT);
    std::string out;
    if (h) {
        const char* p = static_cast<const char*>(GlobalLock(h));
        out.assign(p, GlobalSize(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return out;
}

class ClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override { CtrlTestApp(); }
    void TearDown() override { COleDataSource::FlushClipboard(); }
};

}  // namespace

TEST_F(ClipboardTest, ChineseTextRoundTripsByteForByte)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL h = AfxGlobalFromBytes(kChinese, sizeof kChinese);  // with its zero byte
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), h);
    EXPECT_TRUE(CloseClipboard());

    // Other programs see Unicode text.
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("任务名称\t类型\n前置任务"));
    // Reading back gives the same bytes and the terminating zero.
    EXPECT_EQ(ReadClipboardText(), std::string(kChinese, sizeof kChinese));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST_F(ClipboardTest, TextFromAnotherProgramArrivesInCodePage936)
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8("类型"));
    EXPECT_EQ(ReadClipboardText(), std::string("\xC0\xE0\xD0\xCD", 5));
}

TEST_F(ClipboardTest, CallsNeedAnOpenClipboard)
{
    HGLOBAL h = AfxGlobalFromBytes("x", 2);
    EXPECT_EQ(SetClipboardData(CF_TEXT, h), nullptr);  // not open: the caller keeps h
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_FALSE(EmptyClipboard());
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));  // already open
    int local = 0;
    EXPECT_EQ(SetClipboardData(CF_TEXT, &local), nullptr);  // not a memory block
    CloseClipboard();
}

TEST_F(ClipboardTest, RegisteredFormatsKeepTheirBytes)
{
    UINT cf = RegisterClipboardFormat("GridCells");
    EXPECT_GE(cf, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormat("gridcells"), cf);
    char name[32] = {};
    EXPECT_EQ(GetClipboardFormatName(cf, name, sizeof name), 9);
    EXPECT_STREQ(name, "GridCells");

    const char bytes[] = {'\0', '\x01', '\xFF', 'a'};
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(cf, AfxGlobalFromBytes(bytes, sizeof bytes));
    SetClipboardData(CF_TEXT, AfxGlobalFromBytes("t", 2));
    CloseClipboard();
    EXPECT_TRUE(IsClipboardFormatAvailable(cf));

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(cf);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), sizeof bytes);
    EXPECT_EQ(std::memcmp(GlobalLock(h), bytes, sizeof bytes), 0);
    GlobalUnlock(h);
    EXPECT_EQ(EnumClipboardFormats(0), UINT(CF_TEXT));
    CloseClipboard();
}

TEST_F(ClipboardTest, DataSourceOnTheClipboardIsReadThroughADataObject)
{
    auto* source = new COleDataSource;
    CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT);
    file.Write(kChinese, sizeof kChinese);
    DWORD len = file.GetLength();
    HGLOBAL h = GlobalReAlloc(file.Detach(), len, GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT);
    source->CacheGlobalData(CF_TEXT, h);
    source->SetClipboard();  // the clipboard owns the source now
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), source);

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
    HGLOBAL copy = data.GetGlobalData(CF_TEXT);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(copy)), GlobalSize(copy)),
              std::string(kChinese, sizeof kChinese));
    GlobalUnlock(copy);
    GlobalFree(copy);

    std::unique_ptr<CFile> f(data.GetFileData(CF_TEXT));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->GetLength(), sizeof kChinese);

    // A second source replaces (and deletes) the first.
    auto* second = new COleDataSource;
    second->CacheGlobalData(CF_TEXT, AfxGlobalFromBytes("B", 2));
    second->SetClipboard();
    EXPECT_EQ(COleDataSource::GetClipboardOwner(), second);
    EXPECT_EQ(ReadClipboardText(), std::string("B", 2));
}

TEST_F(ClipboardTest, DataObjectOverASourceEnumeratesItsFormats)
{
    COleDataSource source;
    UINT cf = RegisterClipboardFormat("Second");
    source.CacheGlobalData(CF_TEXT, AfxGlobalFromBytes("a", 2));
    source.CacheGlobalData(static_cast<CLIPFORMAT>(cf), AfxGlobalFromBytes("b", 1));
    COleDataObject data;
    data.Attach(source.GetDataObject());
    data.BeginEnumFormats();
    FORMATETC fe;
    ASSERT_TRUE(data.GetNextFormat(&fe));
    EXPECT_EQ(fe.cfFormat, CF_TEXT);
    EXPECT_EQ(fe.tymed, DWORD(TYMED_HGLOBAL));
    ASSERT_TRUE(data.GetNextFormat(&fe));
    EXPECT_EQ(fe.cfFormat, cf);
    EXPECT_FALSE(data.GetNextFormat(&fe));
    STGMEDIUM medium;
    ASSERT_TRUE(data.GetData(CF_TEXT, &medium));
    EXPECT_EQ(GlobalSize(medium.hGlobal), 2u);
    ReleaseStgMedium(&medium);
    EXPECT_EQ(medium.hGlobal, nullptr);
}
