// Exceptions: kinds, messages, reporting through the message box hook, the TRY/CATCH
// macros and their deletion rules.
#include <ClassLib/Core/Exceptions.h>
#include <ClassLib/Core/MessageBox.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct ShownBox
{
    std::string text;
    UINT type;
};
std::vector<ShownBox> g_shown;

int RecordBox(LPCTSTR text, LPCTSTR, UINT type)
{
    g_shown.push_back({text != NULL ? text : "", type});
    return IDOK;
}

class MessageBoxRecorder
{
public:
    MessageBoxRecorder()
        : m_previous(AfxSetMessageBoxHandler(RecordBox))
    {
        g_shown.clear();
    }
    ~MessageBoxRecorder() { AfxSetMessageBoxHandler(m_previous); }

private:
    AfxMessageBoxHandler m_previous;
};

// Counts live instances, to see the CATCH macros delete exactly when they should.
int g_nLiveCounted = 0;
class CCountedException : public CException
{
public:
    CCountedException() { ++g_nLiveCounted; }
    ~CCountedException() override { --g_nLiveCounted; }
};

std::string Message(CException& e)
{
    char buffer[512];
    EXPECT_TRUE(e.GetErrorMessage(buffer, sizeof(buffer)));
    return buffer;
}

}  // namespace

TEST(ExceptionsTest, KindsFollowTheDeclaredHierarchy)
{
    CFileException file;
    CArchiveException archive;
    EXPECT_TRUE(file.IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_TRUE(archive.IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_FALSE(archive.IsKindOf(RUNTIME_CLASS(CFileException)));
    EXPECT_STREQ("CArchiveException", archive.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(0, CArchiveException::none);
    EXPECT_EQ(1, CArchiveException::generic);
    EXPECT_EQ(3, CArchiveException::endOfFile);
    EXPECT_EQ(7, CArchiveException::badSchema);
    EXPECT_EQ(2, CFileException::fileNotFound);
    EXPECT_EQ(14, CFileException::endOfFile);
}

TEST(ExceptionsTest, FileMessagesNameTheFile)
{
    CFileException e(CFileException::fileNotFound, ENOENT, "/tmp/a.tlp");
    // 找不到文件“/tmp/a.tlp”。
    EXPECT_EQ("\xD5\xD2\xB2\xBB\xB5\xBD\xCE\xC4\xBC\xFE\xA1\xB0/tmp/a.tlp\xA1\xB1\xA1\xA3",
              Message(e));
    CFileException unnamed(CFileException::accessDenied);
    // 拒绝访问未命名文件。
    EXPECT_EQ("\xBE\xDC\xBE\xF8\xB7\xC3\xCE\xCA\xCE\xB4\xC3\xFC\xC3\xFB\xCE\xC4\xBC\xFE\xA1\xA3",
              Message(unnamed));
    // A cause out of range reads as the generic message, never out of the table.
    CFileException odd(99, -1, "x");
    CFileException generic(CFileException::generic, -1, "x");
    EXPECT_EQ(Message(generic), Message(odd));
}

TEST(ExceptionsTest, ArchiveMessagesNameTheFile)
{
    CArchiveException e(CArchiveException::endOfFile, "p.tlp");
    // 文件“p.tlp”意外结束，数据不完整。
    EXPECT_EQ(
        "\xCE\xC4\xBC\xFE\xA1\xB0p.tlp\xA1\xB1\xD2\xE2\xCD\xE2\xBD\xE1\xCA\xF8\xA3\xAC\xCA\xFD\xBE"
        "\xDD\xB2\xBB\xCD\xEA\xD5\xFB\xA1\xA3",
        Message(e));
    CArchiveException schema(CArchiveException::badSchema, "p.tlp");
    EXPECT_NE(Message(e), Message(schema));
}

TEST(ExceptionsTest, ShortBufferNeverSplitsACharacter)
{
    CMemoryException e;  // 内存不足。: four double-byte characters and a full stop
    char buffer[6];
    std::memset(buffer, 'x', sizeof(buffer));
    EXPECT_TRUE(e.GetErrorMessage(buffer, 6));
    EXPECT_EQ(std::string("\xC4\xDA\xB4\xE6"), buffer);
    EXPECT_TRUE(e.GetErrorMessage(buffer, 1));
    EXPECT_EQ(std::string(), buffer);
}

TEST(ExceptionsTest, UserExceptionHasNoMessage)
{
    CUserException e;
    char buffer[16] = "junk";
    EXPECT_FALSE(e.GetErrorMessage(buffer, sizeof(buffer)));
    EXPECT_EQ(std::string(), buffer);
    EXPECT_TRUE(e.GetErrorText().IsEmpty());
}

TEST(ExceptionsTest, ReportErrorShowsTheMessageThroughTheHook)
{
    MessageBoxRecorder recorder;
    CFileException e(CFileException::diskFull, ENOSPC, "d.tlp");
    EXPECT_EQ(IDOK, e.ReportError(MB_ICONEXCLAMATION));
    ASSERT_EQ(1u, g_shown.size());
    EXPECT_EQ(Message(e), g_shown[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), g_shown[0].type);

    CUserException user;
    user.ReportError();
    ASSERT_EQ(2u, g_shown.size());
    // 没有可用的错误信息。
    EXPECT_EQ("\xC3\xBB\xD3\xD0\xBF\xC9\xD3\xC3\xB5\xC4\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA1\xA3",
              g_shown[1].text);
}

TEST(ExceptionsTest, OsErrorsMapToCauses)
{
    EXPECT_EQ(CFileException::fileNotFound, CFileException::OsErrorToException(ENOENT));
    EXPECT_EQ(CFileException::accessDenied, CFileException::OsErrorToException(EACCES));
    EXPECT_EQ(CFileException::badPath, CFileException::OsErrorToException(ENOTDIR));
    EXPECT_EQ(CFileException::tooManyOpenFiles, CFileException::OsErrorToException(EMFILE));
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToException(ENOSPC));
    EXPECT_EQ(CFileException::sharingViolation, CFileException::OsErrorToException(EWOULDBLOCK));
    EXPECT_EQ(CFileException::generic, CFileException::OsErrorToException(EPROTO));
    EXPECT_EQ(CFileException::none, CFileException::OsErrorToException(0));
}

TEST(ExceptionsTest, ThrowOsErrorCarriesCauseErrnoAndName)
{
    try {
        CFileException::ThrowOsError(EACCES, "/x/y.txt");
        FAIL() << "nothing thrown";
    } catch (CFileException* e) {
        EXPECT_EQ(CFileException::accessDenied, e->m_cause);
        EXPECT_EQ(EACCES, e->m_lOsError);
        EXPECT_EQ(CString("/x/y.txt"), e->m_strFileName);
        e->Delete();
    }
    // Error 0 is no error.
    EXPECT_NO_THROW(CFileException::ThrowOsError(0, "z"));
}

TEST(ExceptionsTest, ThrownPointersAreCaughtAsTheirBase)
{
    try {
        AfxThrowArchiveException(CArchiveException::badClass, "f.tlp");
    } catch (CException* e) {
        CArchiveException* pArchive = DYNAMIC_DOWNCAST(CArchiveException, e);
        ASSERT_NE(nullptr, pArchive);
        EXPECT_EQ(CArchiveException::badClass, pArchive->m_cause);
        EXPECT_EQ(CString("f.tlp"), pArchive->m_strFileName);
        e->Delete();
    }
}

TEST(ExceptionsTest, MemoryExceptionIsSharedAndSurvivesDelete)
{
    CException* pFirst = NULL;
    try {
        AfxThrowMemoryException();
    } catch (CMemoryException* e) {
        pFirst = e;
        e->Delete();
    }
    try {
        AfxThrowMemoryException();
    } catch (CMemoryException* e) {
        EXPECT_EQ(pFirst, e);
        EXPECT_FALSE(e->m_bAutoDelete);
        e->Delete();
    }
}

TEST(ExceptionsTest, CatchMacroDeletesAtTheEndOfTheHandler)
{
    g_nLiveCounted = 0;
    bool bCaught = false;
    TRY
    {
        throw new CCountedException;
    }
    CATCH(CCountedException, e)
    {
        bCaught = true;
        EXPECT_EQ(1, g_nLiveCounted);
    }
    END_CATCH
    EXPECT_TRUE(bCaught);
    EXPECT_EQ(0, g_nLiveCounted);
}

TEST(ExceptionsTest, DeleteInsideAMacroHandlerIsNotADoubleDelete)
{
    g_nLiveCounted = 0;
    TRY
    {
        throw new CCountedException;
    }
    CATCH_ALL(e)
    {
        e->Delete();
        // Still alive for the rest of the handler.
        EXPECT_EQ(1, g_nLiveCounted);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
    }
    END_CATCH_ALL
    EXPECT_EQ(0, g_nLiveCounted);
}

TEST(ExceptionsTest, AndCatchPicksTheMatchingHandler)
{
    int nHandler = 0;
    TRY
    {
        AfxThrowNotSupportedException();
    }
    CATCH(CFileException, e)
    {
        nHandler = 1;
    }
    AND_CATCH(CNotSupportedException, e)
    {
        nHandler = 2;
    }
    AND_CATCH_ALL(e)
    {
        nHandler = 3;
    }
    END_CATCH_ALL
    EXPECT_EQ(2, nHandler);
}

TEST(ExceptionsTest, ThrowLastPassesTheSameObjectOn)
{
    g_nLiveCounted = 0;
    CException* pInner = NULL;
    try {
        TRY
        {
            throw new CCountedException;
        }
        CATCH(CException, e)
        {
            pInner = e;
            THROW_LAST();
        }
        END_CATCH
    } catch (CException* e) {
        EXPECT_EQ(pInner, e);
        EXPECT_EQ(1, g_nLiveCounted);
        e->Delete();
    }
    EXPECT_EQ(0, g_nLiveCounted);
}

TEST(ExceptionsTest, ThrowOfTheCaughtObjectPassesItOn)
{
    g_nLiveCounted = 0;
    CException* pInner = NULL;
    try {
        TRY
        {
            throw new CCountedException;
        }
        CATCH(CException, e)
        {
            pInner = e;
            THROW(e);
        }
        END_CATCH
    } catch (CException* e) {
        EXPECT_EQ(pInner, e);
        EXPECT_EQ(1, g_nLiveCounted);
        e->Delete();
    }
    EXPECT_EQ(0, g_nLiveCounted);
}

TEST(ExceptionsTest, RethrownAndCaughtAgainInsideIsDeletedOnce)
{
    g_nLiveCounted = 0;
    TRY
    {
        throw new CCountedException;
    }
    CATCH(CException, e)
    {
        TRY
        {
            THROW(e);
        }
        CATCH(CException, e2)
        {
            EXPECT_EQ(e, e2);
        }
        END_CATCH
        EXPECT_EQ(0, g_nLiveCounted);
    }
    END_CATCH
    EXPECT_EQ(0, g_nLiveCounted);
}

TEST(ExceptionsTest, ThrowOfANewExceptionFromAHandlerDeletesTheOldOne)
{
    g_nLiveCounted = 0;
    try {
        TRY
        {
            throw new CCountedException;
        }
        CATCH(CException, e)
        {
            THROW(new CNotSupportedException);
        }
        END_CATCH
    } catch (CNotSupportedException* e) {
        e->Delete();
    }
    // The old one leaves with the handler that THROW left; only the new one was in flight.
    EXPECT_EQ(0, g_nLiveCounted);
}
