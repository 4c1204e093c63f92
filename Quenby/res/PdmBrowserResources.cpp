// The document browser's resources: the folder pictures of the tree, the document
// list's context menu and the new-document dialog.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Gdi/ResourceImages.h>

#include "../PdmBrowserResource.h"

namespace {

// Two 18 x 18 pictures side by side: a closed folder (0) and an open one (1); white is
// the transparent colour.
const char* const kFolderRows[] = {
    "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
    "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
    "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
    "WWKKKKKKWWWWWWWWWWWWKKKKKKWWWWWWWWWW",
    "WKYYYYYYKWWWWWWWWWWKYYYYYYKWWWWWWWWW",
    "WKKKKKKKKKKKKKKKKWWKYYYYYYKKKKKKKWWW",
    "WKLLLLLLLLLLLLLLKWWKYYYYYYYYYYYYKWWW",
    "WKYYYYYYYYYYYYYYKWWKYYYYKKKKKKKKKKKK",
    "WKYYYYYYYYYYYYYYKWWKYYYKLLLLLLLLLLLK",
    "WKYYYYYYYYYYYYYYKWWKYYKLLLLLLLLLLLKW",
    "WKYYYYYYYYYYYYYYKWWKYYKLLLLLLLLLLLKW",
    "WKYYYYYYYYYYYYYYKWWKYKLLLLLLLLLLLKWW",
    "WKYYYYYYYYYYYYYYKWWKYKLLLLLLLLLLLKWW",
    "WKYYYYYYYYYYYYYYKWWKKLLLLLLLLLLLKWWW",
    "WKKKKKKKKKKKKKKKKWWKKKKKKKKKKKKKKWWW",
    "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
    "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
    "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
};
const AFX_PALETTE_CHAR kFolderPalette[] = {
    {'W', RGB(255, 255, 255)},
    {'K', RGB(128, 96, 0)},
    {'Y', RGB(255, 208, 64)},
    {'L', RGB(255, 236, 150)},
};
const AFX_BITMAP_RESOURCE kFolderBitmap = AFX_PICTURE_BPP(36, 18, kFolderRows, kFolderPalette, 16);

const AFX_MENU_ITEM kDocListMenuItems[] = {
    {MF_POPUP, 0, "文档"},
    {MF_POPUP, 0, "查看(&V)"},
    {MF_STRING, ID_DOCLIST_ICON, "大图标(&G)"},
    {MF_STRING, ID_DOCLIST_SMALL, "小图标(&M)"},
    {MF_STRING, ID_DOCLIST_LIST, "列表(&L)"},
    {MF_STRING | MF_END, ID_DOCLIST_REPORT, "详细资料(&D)"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_DOCLIST_OPEN, "打开(&O)"},
    {MF_POPUP, 0, "新建(&N)"},
    {MF_STRING, ID_DOCLIST_NEWFOLDER, "文件夹(&F)"},
    {MF_STRING | MF_END, ID_DOCLIST_NEWDOC, "文档(&D)"},
    {MF_STRING, ID_DOCLIST_UPLOAD, "上传(&U)"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_DOCLIST_WORKFLOW, "工作流(&F)"},
    {MF_STRING, ID_DOCLIST_HOTLINK, "热链接(&L)"},
    {MF_STRING, ID_DOCLIST_RIGHTS, "权限(&P)"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_DOCLIST_PROPERTY, "属性(&R)"},
};
const AFX_MENU_TEMPLATE kDocListMenu = {kDocListMenuItems, sizeof kDocListMenuItems / sizeof kDocListMenuItems[0]};

const AFX_DLG_ITEM kNewDocItems[] = {
    {"STATIC", IDC_NEWDOC_CLASS_LABEL, "文档类型：", WS_CHILD | WS_VISIBLE, 10, 12, 44, 8},
    {"COMBOBOX", IDC_NEWDOC_CLASS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 58, 10,
     120, 80},
    {"STATIC", IDC_NEWDOC_NAME_LABEL, "文件名称：", WS_CHILD | WS_VISIBLE, 10, 32, 44, 8},
    {"EDIT", IDC_NEWDOC_NAME, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 58, 30, 120, 13},
    {"BUTTON", IDOK, "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 72, 54, 50, 14},
    {"BUTTON", IDCANCEL, "取消", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 128, 54, 50, 14},
};
const AFX_DLG_TEMPLATE kNewDoc = {DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  0,
                                  0,
                                  0,
                                  190,
                                  76,
                                  "增加一个文档",
                                  "宋体",
                                  9,
                                  AFX_DLG_ITEMS(kNewDocItems)};

}  // namespace

AFX_MODULE_RESOURCES(Quenby)
{
    AfxRegisterBitmap(hModule, IDB_PDMTREE, &kFolderBitmap);
    AfxRegisterResource(hModule, RT_MENU, IDR_PDMDOCLIST_MENU, &kDocListMenu);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_NEWDOCFILE, &kNewDoc);
}
