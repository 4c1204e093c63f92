// The download dialog against stated lengths that do not fit the body: a chunked body
// longer than its Content-Length header, and a length past the 32-bit count of the display.
#include "DownloadTestSupport.h"
#include "RawReplyServer.h"

namespace {

std::string Chunked(const std::string& body)
{
    char size[32];
    std::snprintf(size, sizeof size, "%zx\r\n", body.size());
    return size + body + "\r\n0\r\n\r\n";
}

TEST_F(DownloadTest, AChunkedBodyLongerThanItsStatedLengthShowsAtMostAHundredPercent)
{
    const std::string body = Pattern(5000);
    CRawReplyServer raw("HTTP/1.1 200 OK\r\nContent-Length: 10\r\nTransfer-Encoding: chunked\r\n"
                        "Connection: close\r\n\r\n" + Chunked(body));
    ASSERT_TRUE(raw.Start());
    CTestMessageBoxes boxes;
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = raw.Url("/pdm/file.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript(WaitAndLook(&v, &ended));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(ended);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(ReadFile(target), body);
    EXPECT_EQ(v.caption, CString("100% of file.doc Completed"));
    EXPECT_LE(v.progressPos, v.progressUpper);
}

TEST_F(DownloadTest, ALengthPastTheThirtyTwoBitCountGivesNoPercentage)
{
    // 2^32 + 100 announced, 1,000 bytes sent: the count would wrap to 100.
    CRawReplyServer raw("HTTP/1.1 200 OK\r\nContent-Length: 4294967396\r\nConnection: close\r\n\r\n" + Pattern(1000));
    ASSERT_TRUE(raw.Start());
    CTestMessageBoxes boxes;
    boxes.Answer(IDOK);
    CHttpDownloadDlg dlg;
    dlg.m_strUrl = raw.Url("/pdm/file.doc").c_str();
    dlg.m_strTargetFile = target.c_str();
    DownloadView v;
    bool ended = false;
    AfxTestPushModalScript(WaitAndLook(&v, &ended));
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);  // the body broke off
    EXPECT_TRUE(ended);
    EXPECT_EQ(boxes.Count(), 1);
    EXPECT_FALSE(Exists(target));
    EXPECT_EQ(v.caption, CString("File Download"));
    EXPECT_EQ(v.progressPos, 0);
}

}  // namespace
