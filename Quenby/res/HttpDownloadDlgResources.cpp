// The download dialog's template and its English string table.
#include <ClassLib/AfxWin.h>

#include "../HttpDownloadResource.h"

namespace {

// The status and file lines show URLs and file names: an "&" there is no mnemonic.
const AFX_DLG_ITEM kDownloadItems[] = {
    {ANIMATE_CLASS, IDC_ANIMATE1, "", WS_CHILD | WS_VISIBLE | ACS_CENTER | ACS_TRANSPARENT, 7, 7, 192, 32},
    {"STATIC", IDC_STATUS, "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 7, 43, 192, 8},
    {"STATIC", IDC_FILESTATUS, "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 7, 54, 192, 8},
    {PROGRESS_CLASS, IDC_PROGRESS1, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 7, 66, 192, 10},
    {"STATIC", IDC_STATIC, "Estimated time left:", WS_CHILD | WS_VISIBLE, 7, 82, 84, 8},
    {"STATIC", IDC_TIMELEFT, "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 93, 82, 106, 8},
    {"STATIC", IDC_STATIC, "Transfer rate:", WS_CHILD | WS_VISIBLE, 7, 93, 84, 8},
    {"STATIC", IDC_TRANSFER_RATE, "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 93, 93, 106, 8},
    {"BUTTON", IDCANCEL, "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 78, 107, 50, 14},
};

const AFX_DLG_TEMPLATE kDownload = {DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                    0,
                                    0,
                                    0,
                                    206,
                                    128,
                                    "File Download",
                                    "宋体",
                                    9,
                                    AFX_DLG_ITEMS(kDownloadItems)};

}  // namespace

AFX_MODULE_RESOURCES(Quenby)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_HTTPDOWNLOAD, &kDownload);
    AfxRegisterStrings(hModule, {
        {IDS_HTTPDOWNLOAD_FILESTATUS, "%1 from %2"},
        {IDS_HTTPDOWNLOAD_CONNECTED, "Connected to %1"},
        {IDS_HTTPDOWNLOAD_RESOLVING_NAME, "Resolving name: %1"},
        {IDS_HTTPDOWNLOAD_RESOLVED_NAME, "Resolved name to %1"},
        {IDS_HTTPDOWNLOAD_CONNECTING, "Connecting to %1"},
        {IDS_HTTPDOWNLOAD_REDIRECTING, "Redirecting to %1"},
        {IDS_HTTPDOWNLOAD_GETTING_FILE_INFORMATION, "Getting file information"},
        {IDS_HTTPDOWNLOAD_GENERAL_ERROR, "An error occurred while attempting to download the file, Error:%1"},
        {IDS_HTTPDOWNLOAD_FAIL_CONNECT_SERVER, "An error occurred connecting to the server, Error:%1"},
        {IDS_HTTPDOWNLOAD_INVALID_SERVER_RESPONSE, "Failed to receive a valid response from the server"},
        {IDS_HTTPDOWNLOAD_INVALID_HTTP_RESPONSE, "Failed to receive a valid HTTP response from the server"},
        {IDS_HTTPDOWNLOAD_ERROR_READFILE, "An error occurred while downloading the file, Error:%1"},
        {IDS_HTTPDOWNLOAD_PERCENTAGE, "%1% of %2 Completed"},
        {IDS_HTTPDOWNLOAD_RETREIVEING_FILE, "Retrieving the file"},
        {IDS_HTTPDOWNLOAD_OF, "%1 of %2"},
        {IDS_HTTPDOWNLOAD_SECONDS, "%1 sec"},
        {IDS_HTTPDOWNLOAD_MINUTES, "%1 min"},
        {IDS_HTTPDOWNLOAD_MINUTES_AND_SECONDS, "%1 min %2 sec"},
        {IDS_HTTPDOWNLOAD_BYTES, "%1 Bytes"},
        {IDS_HTTPDOWNLOAD_KILOBYTES, "%1 KB"},
        {IDS_HTTPDOWNLOAD_MEGABYTES, "%1 MB"},
        {IDS_HTTPDOWNLOAD_TIMELEFT, "%1 (%2 copied)"},
        {IDS_HTTPDOWNLOAD_BYTESPERSECOND, "%1 Bytes/Sec"},
        {IDS_HTTPDOWNLOAD_KILOBYTESPERSECOND, "%1 KB/Sec"},
        {IDS_HTTPDOWNLOAD_OK_TO_OVERWRITE, "The file '%1' already exists.\nDo you want to replace it?"},
        {IDS_HTTPDOWNLOAD_FAIL_FILE_OPEN, "An error occured while opening the file to be downloaded, Error:%1"},
        {IDS_HTTPDOWNLOAD_ABORTING_TRANSFER, "Aborting transfer"},
    });
}
