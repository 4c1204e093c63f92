// The resource dialog's, the expand dialog's and the format dialog's templates, the format
// dialog's three pictures and the in-place frame's toolbar.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Frames/ToolBar.h>
#include <ClassLib/Gdi/ResourceImages.h>

#include "../ResViewsResource.h"
#include "ProjPictureCanvas.h"

namespace {

#define RES_DLG_STYLE (DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU)
#define PUSH_BUTTON (WS_CHILD | WS_VISIBLE | WS_TABSTOP)
#define RADIO_BUTTON (WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON)

const AFX_DLG_ITEM kResDlgItems[] = {
    {"SysListView32", IDC_RES_DLG_LIST, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
     7, 7, 222, 130},
    {"STATIC", IDC_STATIC, "名称", WS_CHILD | WS_VISIBLE, 7, 146, 20, 8},
    {"EDIT", IDC_RES_DLG_EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 30, 143, 140, 14},
    {"BUTTON", IDC_RES_DLG_ADD, "增加", PUSH_BUTTON, 179, 143, 50, 14},
    {"STATIC", IDC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 7, 164, 222, 1},
    {"BUTTON", IDOK, "确定", PUSH_BUTTON | BS_DEFPUSHBUTTON, 123, 171, 50, 14},
    {"BUTTON", IDCANCEL, "取消", PUSH_BUTTON, 179, 171, 50, 14},
};
const AFX_DLG_TEMPLATE kResDlg = {RES_DLG_STYLE, 0, 0, 0, 236, 192, "资源管理", "宋体", 9, AFX_DLG_ITEMS(kResDlgItems)};

const AFX_DLG_ITEM kExpandItems[] = {
    {"BUTTON", IDC_STATIC, "任务树", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 7, 7, 120, 62},
    {"BUTTON", IDC_EXPAND_ALL, "全部展开", RADIO_BUTTON | WS_GROUP | WS_TABSTOP, 15, 20, 60, 10},
    {"BUTTON", IDC_EXPAND_COLLAPSE_ALL, "全部收缩", RADIO_BUTTON, 15, 35, 60, 10},
    {"BUTTON", IDC_EXPAND_LEVELS, "展开", RADIO_BUTTON, 15, 51, 32, 10},
    {"EDIT", IDC_EXPAND_LEVEL_EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, 50, 49, 30, 13},
    {"STATIC", IDC_STATIC, "层 (1-10)", WS_CHILD | WS_VISIBLE, 84, 51, 40, 8},
    {"BUTTON", IDOK, "确定", PUSH_BUTTON | BS_DEFPUSHBUTTON, 136, 9, 50, 14},
    {"BUTTON", IDCANCEL, "取消", PUSH_BUTTON, 136, 27, 50, 14},
};
const AFX_DLG_TEMPLATE kExpand = {RES_DLG_STYLE, 0, 0, 0, 193, 76, "任务树状态设定", "宋体", 9, AFX_DLG_ITEMS(kExpandItems)};

const AFX_DLG_ITEM kStyleItems[] = {
    {"STATIC", IDC_STATIC, "条形图文字", WS_CHILD | WS_VISIBLE, 7, 10, 48, 8},
    {"COMBOBOX", IDC_GANTT_STYLE_COMBO, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 58, 7, 102, 60},
    {"STATIC", IDC_STATIC, "预览", WS_CHILD | WS_VISIBLE, 7, 27, 40, 8},
    {"STATIC", IDC_GANTT_STYLE_PICTURE, "", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 7, 38, 153, 38, WS_EX_STATICEDGE},
    {"BUTTON", IDOK, "确定", PUSH_BUTTON | BS_DEFPUSHBUTTON, 169, 7, 50, 14},
    {"BUTTON", IDCANCEL, "取消", PUSH_BUTTON, 169, 25, 50, 14},
};
const AFX_DLG_TEMPLATE kStyle = {RES_DLG_STYLE, 0, 0, 0, 226, 83, "格式设置", "宋体", 9, AFX_DLG_ITEMS(kStyleItems)};

const AFX_PALETTE_CHAR kPalette[] = {{'W', RGB(255, 255, 255)}, {'K', RGB(0, 0, 0)},      {'B', RGB(0, 0, 255)},
                                     {'C', RGB(120, 170, 230)}, {'G', RGB(128, 128, 128)}, {'N', RGB(0, 128, 0)},
                                     {'L', RGB(235, 235, 235)}};
const int kPaletteSize = (int)(sizeof(kPalette) / sizeof(kPalette[0]));

// A sample chart row: time-scale lines, a bar with its progress, and beside it the marks
// of the label text (grey blocks for the task name, green ones for the resources).
// As large as the dialog's picture control, so that the tiling does not show.
enum { kPicWidth = 320, kPicHeight = 80 };

void DrawSampleRow(CProjPictureCanvas& c)
{
    for (int x = 0; x < kPicWidth; x += 24)
        c.Fill(x, 0, 1, kPicHeight, 'L');
    c.Fill(0, 12, kPicWidth, 1, 'G');
    c.Fill(16, 34, 80, 12, 'C');
    c.Frame(16, 34, 80, 12, 'B');
    c.Fill(17, 39, 40, 3, 'K');
}

void DrawWord(CProjPictureCanvas& c, int x, int nChars, char ch)
{
    for (int i = 0; i < nChars; ++i) {
        c.Fill(x + i * 10, 35, 8, 10, ch);
        c.Fill(x + i * 10 + 2, 37, 4, 6, 'W');
        c.Fill(x + i * 10 + 3, 35, 2, 10, ch);
    }
}

const AFX_BITMAP_RESOURCE& StylePicture(int nStyle)
{
    static CProjPictureCanvas canvases[3] = {
        CProjPictureCanvas(kPicWidth, kPicHeight, 'W'), CProjPictureCanvas(kPicWidth, kPicHeight, 'W'),
        CProjPictureCanvas(kPicWidth, kPicHeight, 'W')};
    static AFX_BITMAP_RESOURCE resources[3];
    static bool bMade = false;
    if (!bMade) {
        for (CProjPictureCanvas& c : canvases)
            DrawSampleRow(c);
        DrawWord(canvases[0], 102, 2, 'N');            // the resources
        DrawWord(canvases[1], 102, 4, 'G');            // the task name
        DrawWord(canvases[2], 102, 4, 'G');            // the task name (resources)
        canvases[2].Fill(145, 34, 1, 12, 'K');
        DrawWord(canvases[2], 148, 2, 'N');
        canvases[2].Fill(168, 34, 1, 12, 'K');
        for (int i = 0; i < 3; ++i)
            resources[i] = canvases[i].Resource(kPalette, kPaletteSize);
        bMade = true;
    }
    return resources[nStyle];
}

// The in-place frame's toolbar: save, print, zoom in, zoom out, about.
const WORD kInPlaceButtons[] = {57603, 0, 57607, 0, 22004, 22003, 0, 57664};
const AFX_TOOLBAR_TEMPLATE kInPlaceToolBar = {1, 16, 15, (WORD)(sizeof(kInPlaceButtons) / sizeof(kInPlaceButtons[0])),
                                              kInPlaceButtons};

}  // namespace

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_RES_DLG, &kResDlg);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_EXPAND_SET, &kExpand);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_GANTT_STYLE, &kStyle);
    AfxRegisterBitmap(hModule, IDB_GANTT_STYLE_RESOURCE, &StylePicture(0));
    AfxRegisterBitmap(hModule, IDB_GANTT_STYLE_TASK, &StylePicture(1));
    AfxRegisterBitmap(hModule, IDB_GANTT_STYLE_TASK_RESOURCE, &StylePicture(2));
    AfxRegisterResource(hModule, RT_TOOLBAR, IDR_INPLACE_TOOLBAR, &kInPlaceToolBar);
}
