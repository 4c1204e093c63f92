// The display texts of the download dialog, as pure functions.
#include <HttpDownloadDlg.h>

#include <gtest/gtest.h>

namespace {

TEST(HttpDownloadFormat, RateTexts)
{
    // 3000 and 750 bytes in the 1500 ms since the last update.
    EXPECT_EQ(CHttpDownloadDlg::FormatRate(3000 / 1500.0), CString("2.00 KB/Sec"));
    EXPECT_EQ(CHttpDownloadDlg::FormatRate(750 / 1500.0), CString("512 Bytes/Sec"));
    EXPECT_EQ(CHttpDownloadDlg::FormatRate(9.999), CString("10.00 KB/Sec"));
    EXPECT_EQ(CHttpDownloadDlg::FormatRate(10.0), CString("10 KB/Sec"));
    EXPECT_EQ(CHttpDownloadDlg::FormatRate(1234.6), CString("1235 KB/Sec"));
    EXPECT_EQ(CHttpDownloadDlg::FormatRate(0.0), CString("0 Bytes/Sec"));
}

TEST(HttpDownloadFormat, AmountTexts)
{
    EXPECT_EQ(CHttpDownloadDlg::FormatAmount(0), CString("0 Bytes"));
    EXPECT_EQ(CHttpDownloadDlg::FormatAmount(1023), CString("1023 Bytes"));
    EXPECT_EQ(CHttpDownloadDlg::FormatAmount(1024), CString("1.0 KB"));
    EXPECT_EQ(CHttpDownloadDlg::FormatAmount(1048575), CString("1024.0 KB"));
    EXPECT_EQ(CHttpDownloadDlg::FormatAmount(1048576), CString("1.00 MB"));
    EXPECT_EQ(CHttpDownloadDlg::FormatAmount(1844224), CString("1.76 MB"));
    EXPECT_EQ(CHttpDownloadDlg::FormatAmount(209715200), CString("200.00 MB"));
}

TEST(HttpDownloadFormat, TimeLeftTexts)
{
    // 1024 bytes of 1 844 224 copied 2048 ms after the start.
    const DWORD dwSeconds = (DWORD)(2048.0 / 1024 * (1844224.0 - 1024) / 1000);
    EXPECT_EQ(dwSeconds, 3686u);
    EXPECT_EQ(CHttpDownloadDlg::FormatTimeLeft(dwSeconds, 1024, 1844224),
              CString("61 min 26 sec (1.0 KB of 1.76 MB copied)"));
    EXPECT_EQ(CHttpDownloadDlg::FormatTimeLeft(59, 500, 3000), CString("59 sec (500 Bytes of 2.9 KB copied)"));
    EXPECT_EQ(CHttpDownloadDlg::FormatTimeLeft(0, 3000, 3000), CString("0 sec (2.9 KB of 2.9 KB copied)"));
    EXPECT_EQ(CHttpDownloadDlg::FormatTimeLeft(60, 1, 2), CString("1 min (1 Bytes of 2 Bytes copied)"));
    EXPECT_EQ(CHttpDownloadDlg::FormatTimeLeft(120, 1, 2), CString("2 min (1 Bytes of 2 Bytes copied)"));
    EXPECT_EQ(CHttpDownloadDlg::FormatTimeLeft(61, 1, 2), CString("1 min 1 sec (1 Bytes of 2 Bytes copied)"));
}

TEST(HttpDownloadFormat, StringTableAsWritten)
{
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_HTTPDOWNLOAD_FAIL_FILE_OPEN));
    EXPECT_EQ(s, CString("An error occured while opening the file to be downloaded, Error:%1"));
    ASSERT_TRUE(s.LoadString(IDS_HTTPDOWNLOAD_OK_TO_OVERWRITE));
    EXPECT_EQ(s, CString("The file '%1' already exists.\nDo you want to replace it?"));
    AfxFormatString2(s, IDS_HTTPDOWNLOAD_PERCENTAGE, "45", "file.doc");
    EXPECT_EQ(s, CString("45% of file.doc Completed"));
    ASSERT_TRUE(s.LoadString(IDS_HTTPDOWNLOAD_GENERAL_ERROR));
    EXPECT_EQ(s, CString("An error occurred while attempting to download the file, Error:%1"));
    for (UINT id : {102u, 103u, 104u, 105u, 106u, 107u, 108u, 110u, 111u, 112u, 113u, 114u, 115u, 116u, 117u, 118u,
                    119u, 120u, 121u, 123u, 125u, 127u, 128u, 129u, 130u, 131u, 132u})
        EXPECT_TRUE(s.LoadString(id)) << id;
}

}  // namespace
