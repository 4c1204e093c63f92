// Shell calls (ShellExecute, WinExec, SHGetFileInfo), their test recorder, and COM start-up.
#include "TempFolder.h"
#include "WndTestUtil.h"

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Shell/Com.h>
#include <ClassLib/Shell/Shell.h>
#include <ClassLib/Wnd/QtInterop.h>

#include <gtest/gtest-spi.h>

#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QPainter>

#include <chrono>
#include <cstring>
#include <sys/stat.h>
#include <thread>

namespace {

class ShellCalls : public CWndTestBase
{
};

// Lets the calls through to the real implementation for cases that start nothing.
class RealShell
{
public:
    RealShell() : m_previous(AfxSetShellCallHandler(nullptr)) {}
    ~RealShell() { AfxSetShellCallHandler(m_previous); }

private:
    AfxShellCallHandler m_previous;
};

INT_PTR Result(HINSTANCE h) { return reinterpret_cast<INT_PTR>(h); }

bool HasVisiblePixels(const QImage& img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 0)
                return true;
    return false;
}

QImage IconOfType(LPCTSTR name, UINT size, SHFILEINFO* info = nullptr)
{
    SHFILEINFO local{};
    SHFILEINFO* fi = info ? info : &local;
    DWORD_PTR ok = SHGetFileInfo(name, FILE_ATTRIBUTE_NORMAL, fi, sizeof(SHFILEINFO),
                                 SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_TYPENAME | SHGFI_DISPLAYNAME | size);
    if (!ok || !fi->hIcon)
        return QImage();
    QImage img = AfxImageOfIcon(fi->hIcon);
    EXPECT_TRUE(DestroyIcon(fi->hIcon));
    return img;
}

TEST_F(ShellCalls, RecorderKeepsEveryArgumentAndAnswersSuccess)
{
    CTestShellCalls shell;
    HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(Result(ShellExecute(owner, "open", "http://example.invalid/x?a=1", "-p", "/tmp", SW_SHOWNORMAL)), 42);
    EXPECT_EQ(WinExec("\"/opt/my browser/run\" http://example.invalid", SW_SHOW), 33u);
    EXPECT_EQ(Result(ShellExecute(nullptr, nullptr, "a.doc", nullptr, nullptr, SW_SHOW)), 42);
    ASSERT_EQ(shell.Count(), 3);
    const AfxShellCallRecord& a = shell.Calls()[0];
    EXPECT_EQ(a.kind, AfxShellCallRecord::shellExecute);
    EXPECT_EQ(a.hWnd, owner);
    EXPECT_EQ(a.strVerb, CString("open"));
    EXPECT_EQ(a.strFile, CString("http://example.invalid/x?a=1"));
    EXPECT_EQ(a.strParameters, CString("-p"));
    EXPECT_EQ(a.strDirectory, CString("/tmp"));
    EXPECT_EQ(a.nShowCmd, SW_SHOWNORMAL);
    EXPECT_EQ(a.nResult, 42);
    const AfxShellCallRecord& b = shell.Calls()[1];
    EXPECT_EQ(b.kind, AfxShellCallRecord::winExec);
    EXPECT_EQ(b.strCommandLine, CString("\"/opt/my browser/run\" http://example.invalid"));
    EXPECT_EQ(b.nShowCmd, SW_SHOW);
    EXPECT_EQ(shell.Calls()[2].strVerb, CString(""));
    EXPECT_EQ(shell.Calls()[2].strParameters, CString(""));
    EXPECT_EQ(shell.CallsOf(AfxShellCallRecord::winExec).size(), 1u);
}

TEST_F(ShellCalls, ScriptedResultsAreAnsweredInOrder)
{
    CTestShellCalls shell;
    shell.PushResult(SE_ERR_NOASSOC);
    shell.PushResult(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Result(ShellExecute(nullptr, "open", "http://x.invalid", nullptr, nullptr, SW_SHOW)), SE_ERR_NOASSOC);
    EXPECT_EQ(WinExec("browser http://x.invalid", SW_SHOW), (UINT)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Result(ShellExecute(nullptr, "open", "http://x.invalid", nullptr, nullptr, SW_SHOW)), 42);
    EXPECT_EQ(shell.Calls()[1].nResult, ERROR_FILE_NOT_FOUND);
}

TEST_F(ShellCalls, NestedRecordersTakeTheCallsOfTheInnerScope)
{
    CTestShellCalls outer;
    {
        CTestShellCalls inner;
        ShellExecute(nullptr, "open", "inner.txt", nullptr, nullptr, SW_SHOW);
        EXPECT_EQ(inner.Count(), 1);
    }
    ShellExecute(nullptr, "open", "outer.txt", nullptr, nullptr, SW_SHOW);
    ASSERT_EQ(outer.Count(), 1);
    EXPECT_EQ(outer.Calls()[0].strFile, CString("outer.txt"));
}

TEST_F(ShellCalls, UnusedScriptedResultsAreReported)
{
    EXPECT_NONFATAL_FAILURE(
        {
            CTestShellCalls shell;
            shell.PushResult(2);
        },
        "never used");
}

TEST_F(ShellCalls, WithoutRecorderATestProgramStartsNothingAndFails)
{
    INT_PTR r = 0;
    EXPECT_NONFATAL_FAILURE(r = Result(ShellExecute(nullptr, "open", "http://x.invalid", nullptr, nullptr, SW_SHOW)),
                            "unscripted ShellExecute");
    EXPECT_EQ(r, SE_ERR_NOASSOC);
    UINT w = 0;
    EXPECT_NONFATAL_FAILURE(w = WinExec("true", SW_SHOW), "unscripted WinExec");
    EXPECT_EQ(w, (UINT)SE_ERR_NOASSOC);
}

TEST_F(ShellCalls, MissingFilesUnknownVerbsAndEmptyNamesFailWithTheirCodes)
{
    TempFolder dir("pc_shell");
    RealShell real;
    EXPECT_EQ(Result(ShellExecute(nullptr, "open", dir.Path("missing.doc").c_str(), nullptr, nullptr, SW_SHOW)),
              SE_ERR_FNF);
    EXPECT_EQ(Result(ShellExecute(nullptr, "open", dir.Path("no/such/folder/a.doc").c_str(), nullptr, nullptr, SW_SHOW)),
              SE_ERR_PNF);
    EXPECT_EQ(Result(ShellExecute(nullptr, "open", "", nullptr, nullptr, SW_SHOW)), SE_ERR_FNF);
    EXPECT_EQ(Result(ShellExecute(nullptr, "open", nullptr, nullptr, nullptr, SW_SHOW)), SE_ERR_FNF);
    WriteAll(dir.Path("a.txt"), "x");
    EXPECT_EQ(Result(ShellExecute(nullptr, "print", dir.Path("a.txt").c_str(), nullptr, nullptr, SW_SHOW)),
              SE_ERR_NOASSOC);
    EXPECT_EQ(Result(ShellExecute(nullptr, "frobnicate", "http://x.invalid", nullptr, nullptr, SW_SHOW)),
              SE_ERR_NOASSOC);
}

TEST_F(ShellCalls, RelativePathsAreFoundInTheFolderAlsoWhenWrittenWithBackslashes)
{
    TempFolder dir("pc_shell");
    std::filesystem::create_directory(dir.Path("sub"));
    WriteAll(dir.Path("sub/f.txt"), "x");
    RealShell real;
    // "explore" on a file that exists has nothing to open (a missing one would be SE_ERR_FNF).
    EXPECT_EQ(Result(ShellExecute(nullptr, "explore", "sub\\f.txt", nullptr, dir.path().c_str(), SW_SHOW)),
              SE_ERR_NOASSOC);
    EXPECT_EQ(Result(ShellExecute(nullptr, "explore", "sub/f.txt", nullptr, dir.path().c_str(), SW_SHOW)),
              SE_ERR_NOASSOC);
    EXPECT_EQ(Result(ShellExecute(nullptr, "explore", "sub\\g.txt", nullptr, dir.path().c_str(), SW_SHOW)), SE_ERR_FNF);
}

bool WaitForFile(const std::string& path)
{
    for (int i = 0; i < 500; ++i) {
        if (std::filesystem::exists(path) && std::filesystem::file_size(path) > 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST_F(ShellCalls, AProgramFileStartsWithItsParametersInTheFolder)
{
    TempFolder dir("pc_shell");
    std::string script = dir.Path("prog.sh");
    WriteAll(script, "#!/bin/sh\nprintf '%s|%s|%s' \"$1\" \"$2\" \"$(pwd)\" > out.part && mv out.part out.txt\n");
    chmod(script.c_str(), 0755);
    RealShell real;
    EXPECT_GT(Result(ShellExecute(nullptr, "open", script.c_str(), "\"a b\" c", dir.path().c_str(), SW_SHOW)), 32);
    ASSERT_TRUE(WaitForFile(dir.Path("out.txt")));
    EXPECT_EQ(ReadAll(dir.Path("out.txt")), "a b|c|" + dir.path());
}

TEST_F(ShellCalls, WinExecStartsTheCommandLineOrSaysWhyNot)
{
    TempFolder dir("pc_shell");
    std::string script = dir.Path("my prog.sh");
    WriteAll(script, "#!/bin/sh\nprintf '%s' \"$1\" > \"$2.part\" && mv \"$2.part\" \"$2\"\n");
    chmod(script.c_str(), 0755);
    WriteAll(dir.Path("plain.txt"), "x");
    RealShell real;
    std::string line = "\"" + script + "\" http://h/x " + dir.Path("out.txt");
    EXPECT_GT(WinExec(line.c_str(), SW_SHOW), 31u);
    ASSERT_TRUE(WaitForFile(dir.Path("out.txt")));
    EXPECT_EQ(ReadAll(dir.Path("out.txt")), "http://h/x");
    EXPECT_EQ(WinExec("", SW_SHOW), 0u);
    EXPECT_EQ(WinExec("   ", SW_SHOW), 0u);
    EXPECT_EQ(WinExec("pc-no-such-program-anywhere --x", SW_SHOW), (UINT)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(WinExec(dir.Path("no/such/dir/prog").c_str(), SW_SHOW), (UINT)ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(WinExec(dir.Path("plain.txt").c_str(), SW_SHOW), (UINT)ERROR_BAD_FORMAT);
}

TEST_F(ShellCalls, FileTypeIconsComeInSixteenAndThirtyTwoPixels)
{
    SHFILEINFO info{};
    QImage small = IconOfType(".doc", SHGFI_SMALLICON, &info);
    EXPECT_EQ(small.size(), QSize(16, 16));
    EXPECT_TRUE(HasVisiblePixels(small));
    QImage large = IconOfType(".doc", SHGFI_LARGEICON);
    EXPECT_EQ(large.size(), QSize(32, 32));
    EXPECT_TRUE(HasVisiblePixels(large));
    EXPECT_EQ(info.iIcon, 0);
    EXPECT_STREQ(info.szDisplayName, ".doc");
    QString expected = QMimeDatabase().mimeTypeForName(QStringLiteral("application/msword")).comment();
    EXPECT_EQ(CString(info.szTypeName), AfxCString(expected));
}

TEST_F(ShellCalls, IconsAreTheDesktopThemesForTheType)
{
    QImage doc = IconOfType(".doc", SHGFI_SMALLICON);
    // After the first call the desktop's theme is known to Qt; the document icon is the
    // theme's icon of its type (or of its type's family).
    QMimeType mime = QMimeDatabase().mimeTypeForName(QStringLiteral("application/msword"));
    QString name = QIcon::hasThemeIcon(mime.iconName()) ? mime.iconName() : mime.genericIconName();
    ASSERT_TRUE(QIcon::hasThemeIcon(name)) << "no icon theme with " << name.toStdString() << " (theme "
                                          << QIcon::themeName().toStdString() << ")";
    QImage theme = QIcon::fromTheme(name).pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(doc, theme);
    QImage text = IconOfType(".txt", SHGFI_SMALLICON);
    EXPECT_NE(doc, text);
}

TEST_F(ShellCalls, WithoutAThemeIconTheFallbackPictureIsGiven)
{
    IconOfType(".doc", SHGFI_SMALLICON);  // the theme is set up
    QString theme = QIcon::themeName();
    QIcon::setThemeName(QStringLiteral("pc-no-such-theme"));
    QImage small = IconOfType(".doc", SHGFI_SMALLICON);
    QImage large = IconOfType(".doc", SHGFI_LARGEICON);
    QImage noExt = IconOfType("README", SHGFI_SMALLICON);
    SHFILEINFO fi{};
    ASSERT_NE(SHGetFileInfo("photos", FILE_ATTRIBUTE_DIRECTORY, &fi, sizeof(fi),
                            SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON),
              0u);
    QImage folder = AfxImageOfIcon(fi.hIcon);
    DestroyIcon(fi.hIcon);
    QIcon::setThemeName(theme);
    QImage sheet(4 * 40, 40, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    {
        QPainter p(&sheet);
        p.drawImage(4, 4, small);
        p.drawImage(44, 4, large);
        p.drawImage(84, 4, folder);
        p.drawImage(124, 4, IconOfType(".doc", SHGFI_LARGEICON));
    }
    sheet.save(AfxQString(AfxTestOutputPath("shell_fallback_icons.png")));
    EXPECT_EQ(small.size(), QSize(16, 16));
    EXPECT_EQ(large.size(), QSize(32, 32));
    EXPECT_TRUE(HasVisiblePixels(small));
    EXPECT_TRUE(HasVisiblePixels(large));
    EXPECT_EQ(noExt, small);  // the plain document picture
    EXPECT_TRUE(HasVisiblePixels(folder));
    EXPECT_NE(folder, small);
}

TEST_F(ShellCalls, TypeNamesOfUnknownAndMissingExtensions)
{
    SHFILEINFO info{};
    QImage img = IconOfType("README", SHGFI_SMALLICON, &info);
    EXPECT_EQ(img.size(), QSize(16, 16));
    EXPECT_EQ(CString(info.szTypeName), CStringFromUtf8(u8"文件"));
    EXPECT_STREQ(info.szDisplayName, "README");
    IconOfType(".zzqx", SHGFI_LARGEICON, &info);
    EXPECT_EQ(CString(info.szTypeName), CStringFromUtf8(u8"ZZQX 文件"));
    IconOfType("C:\\docs\\plan.zzqx", SHGFI_LARGEICON, &info);
    EXPECT_STREQ(info.szDisplayName, "plan.zzqx");
    SHFILEINFO dir{};
    ASSERT_NE(SHGetFileInfo("photos", FILE_ATTRIBUTE_DIRECTORY, &dir, sizeof(dir),
                            SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME),
              0u);
    EXPECT_EQ(CString(dir.szTypeName),
              AfxCString(QMimeDatabase().mimeTypeForName(QStringLiteral("inode/directory")).comment()));
    EXPECT_EQ(dir.hIcon, nullptr);  // no icon asked for
}

TEST_F(ShellCalls, ExistingFilesAreAskedByContentAndMissingOnesFail)
{
    TempFolder dir("pc_shell");
    WriteAll(dir.Path("notes.txt"), "hello\n");
    SHFILEINFO info{};
    ASSERT_NE(SHGetFileInfo(dir.Path("notes.txt").c_str(), 0, &info, sizeof(info), SHGFI_TYPENAME | SHGFI_DISPLAYNAME), 0u);
    EXPECT_EQ(CString(info.szTypeName), AfxCString(QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment()));
    EXPECT_STREQ(info.szDisplayName, "notes.txt");
    EXPECT_EQ(SHGetFileInfo(dir.Path("missing.txt").c_str(), 0, &info, sizeof(info), SHGFI_TYPENAME), 0u);
    EXPECT_EQ(SHGetFileInfo("", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME), 0u);
    EXPECT_EQ(SHGetFileInfo(".doc", FILE_ATTRIBUTE_NORMAL, nullptr, sizeof(info), SHGFI_USEFILEATTRIBUTES), 0u);
    EXPECT_EQ(SHGetFileInfo(".doc", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info) - 1, SHGFI_USEFILEATTRIBUTES), 0u);
    EXPECT_EQ(SHGetFileInfo(".doc", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                            SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX),
              0u);
}

TEST_F(ShellCalls, LongNamesAreCutOnACharacterBoundaryAndTerminated)
{
    std::string name;
    for (int i = 0; i < 150; ++i)
        name += "\xD6\xD0";  // a GBK character, 2 bytes
    name = "x" + name + ".txt";
    SHFILEINFO info;
    std::memset(&info, 'Z', sizeof(info));
    ASSERT_NE(SHGetFileInfo(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                            SHGFI_USEFILEATTRIBUTES | SHGFI_DISPLAYNAME),
              0u);
    size_t len = std::strlen(info.szDisplayName);
    EXPECT_EQ(len, 259u);  // "x" and 129 whole characters
    EXPECT_EQ(std::string(info.szDisplayName), name.substr(0, 259));
}

TEST_F(ShellCalls, FileInformationCallsAreRecordedAndStillAnswered)
{
    CTestShellCalls shell;
    SHFILEINFO info{};
    EXPECT_NE(SHGetFileInfo(".pdf", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME),
              0u);
    ASSERT_EQ(shell.Count(), 1);
    EXPECT_EQ(shell.Calls()[0].kind, AfxShellCallRecord::getFileInfo);
    EXPECT_EQ(shell.Calls()[0].strFile, CString(".pdf"));
    EXPECT_EQ(shell.Calls()[0].dwFileAttributes, (DWORD)FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(shell.Calls()[0].uFlags, (UINT)(SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME));
    EXPECT_NE(info.szTypeName[0], '\0');
}

// ---- COM start-up ---------------------------------------------------------------------

class ComStart : public ::testing::Test
{
protected:
    void TearDown() override
    {
        AfxTestSetComStartFailure(S_OK);
        while (AfxComStartCount() > 0)
            CoUninitialize();
    }
};

TEST_F(ComStart, StartsAreCountedAndEachIsMatchedByAnEnd)
{
    ASSERT_EQ(AfxComStartCount(), 0);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    EXPECT_EQ(AfxComStartCount(), 3);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(AfxComStartCount(), 1);
    CoUninitialize();
    EXPECT_EQ(AfxComStartCount(), 0);
    CoUninitialize();  // one too many: harmless
    EXPECT_EQ(AfxComStartCount(), 0);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);  // starts afresh
}

TEST_F(ComStart, ReservedArgumentAndAChangedThreadingModelAreRefused)
{
    int reserved = 0;
    EXPECT_EQ(CoInitialize(&reserved), E_INVALIDARG);
    EXPECT_EQ(AfxComStartCount(), 0);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), RPC_E_CHANGED_MODE);
    EXPECT_EQ(AfxComStartCount(), 1);
}

TEST_F(ComStart, EachThreadHasItsOwnCount)
{
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    HRESULT other = E_FAIL;
    int otherCount = -1;
    std::thread t([&] {
        other = CoInitialize(nullptr);
        otherCount = AfxComStartCount();
        CoUninitialize();
    });
    t.join();
    EXPECT_EQ(other, S_OK);
    EXPECT_EQ(otherCount, 1);
    EXPECT_EQ(AfxComStartCount(), 1);
}

TEST_F(ComStart, AnInjectedFailureIsReportedAndNotCounted)
{
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    AfxTestSetComStartFailure(E_OUTOFMEMORY);
    EXPECT_EQ(CoInitialize(nullptr), E_OUTOFMEMORY);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), E_OUTOFMEMORY);
    EXPECT_EQ(AfxComStartCount(), 1);
    AfxTestSetComStartFailure(S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(AfxComStartCount(), 2);
    AfxTestSetComStartFailure(S_FALSE);  // not a failure: starts succeed
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
}

TEST_F(ComStart, TheEnvironmentCanMakeEveryStartOfAProcessFail)
{
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            setenv("PC_TEST_COM_FAILURE", "0x80004005", 1);
            bool failed = CoInitialize(nullptr) == E_FAIL && AfxComStartCount() == 0;
            std::_Exit(failed ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
