// The document pages' templates (19100 reference documents, 19101 target documents) and the
// pictures of their buttons (19136 from the product tree, 19137 from the local disk, 19138
// delete, 19139 new target document). Grey (192, 192, 192) is the buttons' mask colour.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/CommonCtrlDefs.h>
#include <ClassLib/Gdi/ResourceImages.h>

#include "../TaskResource.h"

namespace
{
const DWORD kChild = WS_CHILD | WS_VISIBLE;
const DWORD kButton = kChild | WS_TABSTOP | BS_OWNERDRAW;
const DWORD kList = kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS;

const AFX_DLG_ITEM kRefItems[] = {
    {"BUTTON", IDC_TASK_REF_FROMPDM, "", kButton, 218, 1, 16, 14},
    {"BUTTON", IDC_TASK_REF_FROMDISK, "", kButton, 236, 1, 16, 14},
    {"BUTTON", IDC_TASK_DOC_DELETE, "", kButton, 254, 1, 16, 14},
    {WC_LISTVIEW, IDC_TASK_REFDOC_LIST, "", kList, 0, 17, 272, 218},
    // The bar comes last: the earlier of two overlapping siblings lies on top.
    {"STATIC", IDC_STATIC, "", kChild, 0, 0, 272, 17, WS_EX_STATICEDGE},
};
const AFX_DLG_TEMPLATE kRef = {DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION, 0, 0, 0, 272, 235,
                               " 参考文档 ", "宋体", 9, AFX_DLG_ITEMS(kRefItems)};

const AFX_DLG_ITEM kTargetItems[] = {
    {"BUTTON", IDC_TASK_TARGET_UNUSED, "", WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, 218, 1, 16, 14},
    {"BUTTON", IDC_TASK_TARGET_NEW, "", kButton, 236, 1, 16, 14},
    {"BUTTON", IDC_TASK_DOC_DELETE, "", kButton, 254, 1, 16, 14},
    {WC_LISTVIEW, IDC_TASK_TARGET_LIST, "", kList, 0, 17, 272, 218},
    {"STATIC", IDC_STATIC, "", kChild, 0, 0, 272, 17, WS_EX_STATICEDGE},
};
const AFX_DLG_TEMPLATE kTarget = {DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION, 0, 0, 0, 272, 235,
                                  " 目标文档 ", "宋体", 9, AFX_DLG_ITEMS(kTargetItems)};

// A tree of three boxes (the product structure).
const char* const kFromPdm[] = {
    "GGGGGGGGGGGGGGGG", "GGGGGGKKKKGGGGGG", "GGGGGGKYYKGGGGGG", "GGGGGGKKKKGGGGGG",
    "GGGGGGGGKGGGGGGG", "GGGGGGGGKGGGGGGG", "GGGKKKKKKKKKKGGG", "GGGKGGGGGGGGKGGG",
    "GGGKGGGGGGGGKGGG", "GKKKKGGGGGKKKKGG", "GKBBKGGGGGKBBKGG", "GKBBKGGGGGKBBKGG",
    "GKKKKGGGGGKKKKGG", "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG"};
// A disk drive.
const char* const kFromDisk[] = {
    "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG",
    "GGKKKKKKKKKKKKGG", "GKWWWWWWWWWWWWKG", "KWWWWWWWWWWWWWWK", "KKKKKKKKKKKKKKKK",
    "KWWWWWWWWWWWWWWK", "KWWWWWWWWWWWBGWK", "KWWWWWWWWWWWWWWK", "KKKKKKKKKKKKKKKK",
    "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG"};
// A red cross.
const char* const kDelete[] = {
    "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG", "GGGRRGGGGGGRRGGG", "GGGRRRGGGGRRRGGG",
    "GGGGRRRGGRRRGGGG", "GGGGGRRRRRRGGGGG", "GGGGGGRRRRGGGGGG", "GGGGGGRRRRGGGGGG",
    "GGGGGRRRRRRGGGGG", "GGGGRRRGGRRRGGGG", "GGGRRRGGGGRRRGGG", "GGGRRGGGGGGRRGGG",
    "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG"};
// A sheet with a star: a new document.
const char* const kNewTarget[] = {
    "GGGGGGGGGGGGGGGG", "GGKKKKKKKGGGGGGG", "GGKWWWWWKKGGYGGG", "GGKWWWWWKWKGYGGG",
    "GGKWWWWWKKKYYYGG", "GGKWWWWWWWKGYGGG", "GGKWKKKKKWKGYGGG", "GGKWWWWWWWKGGGGG",
    "GGKWKKKKKWKGGGGG", "GGKWWWWWWWKGGGGG", "GGKWKKKKKWKGGGGG", "GGKWWWWWWWKGGGGG",
    "GGKWWWWWWWKGGGGG", "GGKKKKKKKKKGGGGG", "GGGGGGGGGGGGGGGG", "GGGGGGGGGGGGGGGG"};
const AFX_PALETTE_CHAR kPalette[] = {{'G', RGB(192, 192, 192)}, {'K', RGB(0, 0, 0)},
                                     {'W', RGB(255, 255, 255)}, {'Y', RGB(230, 180, 0)},
                                     {'B', RGB(0, 64, 192)},    {'R', RGB(200, 0, 0)}};
const AFX_BITMAP_RESOURCE kFromPdmBmp = AFX_PICTURE(16, 16, kFromPdm, kPalette);
const AFX_BITMAP_RESOURCE kFromDiskBmp = AFX_PICTURE(16, 16, kFromDisk, kPalette);
const AFX_BITMAP_RESOURCE kDeleteBmp = AFX_PICTURE(16, 16, kDelete, kPalette);
const AFX_BITMAP_RESOURCE kNewTargetBmp = AFX_PICTURE(16, 16, kNewTarget, kPalette);
} // namespace

AFX_MODULE_RESOURCES(Tavrin)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_TASK_REFDOC, &kRef);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_TASK_TARGETDOC, &kTarget);
    AfxRegisterBitmap(hModule, IDB_TASK_FROMPDM, &kFromPdmBmp);
    AfxRegisterBitmap(hModule, IDB_TASK_FROMDISK, &kFromDiskBmp);
    AfxRegisterBitmap(hModule, IDB_TASK_DELETEDOC, &kDeleteBmp);
    AfxRegisterBitmap(hModule, IDB_TASK_NEWTARGET, &kNewTargetBmp);
}
