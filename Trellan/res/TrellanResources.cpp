// The program's resources: menus 128-130, accelerators 128, the two toolbars with their
// pictures, the application's icons, the string table, the about box and the connection
// settings dialog.
#include <ClassLib/AfxWin.h>

#include "../Resource.h"

namespace {

// ---- menus ------------------------------------------------------------------------------
const AFX_MENU_ITEM kMainMenu[] = {
    {MF_POPUP, 0, "文件(&F)"},
    {MF_STRING, ID_FILE_NEW, "新建(&N)\tCtrl+N"},
    {MF_STRING, ID_FILE_OPEN_LOCAL, "打开(&O)...\tCtrl+O"},
    {MF_STRING, ID_FILE_SAVE, "保存(&S)\tCtrl+S"},
    {MF_STRING, ID_FILE_SAVE_AS, "另存为..."},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_FILE_OPEN_SERVER, "从服务器打开…"},
    {MF_STRING, ID_PROJ_PUBLISH, "发布"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_FILE_IMPORT, "导入"},
    {MF_STRING, ID_FILE_EXPORT, "导出"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_FILE_PRINT_SETUP, "打印设置(&R)..."},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, "最近文件"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_APP_EXIT, "退出(&X)"},
    {MF_POPUP, 0, "查看(&V)"},
    {MF_STRING, ID_VIEW_TOOLBAR, "工具栏(&T)"},
    {MF_STRING | MF_END, ID_VIEW_STATUS_BAR, "状态栏(&S)"},
    {MF_POPUP, 0, "工具(&T)"},
    {MF_STRING | MF_END, ID_CONNECT_SETTINGS, "连接设置(&C)"},
    {MF_POPUP, 0, "帮助(&H)"},
    {MF_STRING | MF_END, ID_APP_ABOUT, "关于 Tessaly(&A)..."},
};

const AFX_MENU_ITEM kProjectMenu[] = {
    {MF_POPUP, 0, "文件(&F)"},
    {MF_STRING, ID_FILE_NEW, "新建(&N)\tCtrl+N"},
    {MF_STRING, ID_FILE_OPEN_LOCAL, "打开(&O)...\tCtrl+O"},
    {MF_STRING, ID_FILE_SAVE, "保存(&S)\tCtrl+S"},
    {MF_STRING, ID_FILE_SAVE_AS, "另存为..."},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_FILE_OPEN_SERVER, "从服务器打开…"},
    {MF_STRING, ID_PROJ_PUBLISH, "发布"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_FILE_IMPORT, "导入"},
    {MF_STRING, ID_FILE_EXPORT, "导出"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_FILE_PRINT_SETUP, "打印设置(&R)..."},
    {MF_STRING, ID_FILE_PRINT_PREVIEW, "打印预览"},
    {MF_STRING, ID_FILE_PRINT, "打印(&P)...\tCtrl+P"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, "最近文件"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_APP_EXIT, "退出(&X)"},
    {MF_POPUP, 0, "编辑(&E)"},
    {MF_STRING, ID_TASK_CUT, "剪切(&T)"},
    {MF_STRING, ID_TASK_COPY, "拷贝(&C)"},
    {MF_STRING, ID_TASK_PASTE, "粘贴(&P)"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_POPUP, 0, "任务的详细信息"},
    {MF_STRING, ID_TASK_DATES, "日期(&D)"},
    {MF_STRING, ID_TASK_RESOURCES, "资源(&R)"},
    {MF_STRING, ID_TASK_BUDGET, "预算"},
    {MF_STRING, ID_TASK_COST, "成本"},
    {MF_STRING | MF_END, ID_TASK_CONSTRAINT, "约束"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_TASK_DELETE, "任务删除"},
    {MF_STRING, ID_TASK_PROPERTY, "任务属性"},
    {MF_STRING, ID_TASK_SPLIT, "任务分解"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_TASK_LEFT, "左移(&L)"},
    {MF_STRING | MF_END, ID_TASK_RIGHT, "右移(&R)"},
    {MF_POPUP, 0, "视图(&V)"},
    {MF_STRING, ID_VIEW_TOOLBAR, "工具栏(&T)"},
    {MF_STRING, ID_VIEW_STATUS_BAR, "状态栏(&S)"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_VIEW_GANTT, "甘特图(&G)"},
    {MF_STRING, ID_VIEW_NETWORK, "网络图(&N)"},
    {MF_STRING, ID_VIEW_RESOURCE, "资源管理(&R)"},
    {MF_STRING, ID_VIEW_DOCMANAGE, "文档管理(&D)"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_ZOOM_OUT, "缩小(&I)"},
    {MF_STRING, ID_ZOOM_IN, "放大(&O)"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_EXPAND_TREE, "展开收缩任务树"},
    {MF_POPUP, 0, "项目(&P)"},
    {MF_STRING, ID_PROJ_CALENDAR, "设置日历(&C)"},
    {MF_STRING, ID_PROJ_MAINTAIN, "维护"},
    {MF_POPUP, 0, "属性"},
    {MF_STRING, ID_PROJ_INFO, "项目信息(&I)"},
    {MF_STRING, ID_PROJ_STOP, "项目中止(&S)"},
    {MF_STRING | MF_END, ID_PROJ_DELETE, "项目删除(&D)"},
    {MF_END, 0, nullptr},  // ends 项目(&P)
    {MF_POPUP, 0, "工具(&T)"},
    {MF_STRING | MF_END, ID_TOOL_OPTIONS, "选项(&O)"},
    {MF_POPUP, 0, "窗口(&W)"},
    {MF_STRING, ID_WINDOW_NEW, "新建窗口(&N)"},
    {MF_STRING, ID_WINDOW_CASCADE, "层叠(&C)"},
    {MF_STRING, ID_WINDOW_TILE_HORZ, "平铺(&T)"},
    {MF_STRING | MF_END, ID_WINDOW_ARRANGE, "排列图标(&A)"},
    {MF_POPUP, 0, "帮助(&H)"},
    {MF_STRING | MF_END, ID_APP_ABOUT, "关于 Tessaly(&A)..."},
};

const AFX_MENU_ITEM kDocManageMenu[] = {
    {MF_POPUP, 0, "文件(&F)"},
    {MF_STRING, ID_FILE_NEW, "新建(&N)\tCtrl+N"},
    {MF_STRING, ID_FILE_OPEN, "打开(&O)...\tCtrl+O"},
    {MF_STRING, ID_FILE_CLOSE, "关闭(&C)"},
    {MF_STRING, ID_FILE_SAVE, "保存(&S)\tCtrl+S"},
    {MF_STRING, ID_FILE_SAVE_AS, "另存为(&A)..."},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_FILE_PRINT, "打印(&P)...\tCtrl+P"},
    {MF_STRING, ID_FILE_PRINT_PREVIEW, "打印预览(&V)"},
    {MF_STRING, ID_FILE_PRINT_SETUP, "打印设置(&R)..."},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1, "最近文件"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_APP_EXIT, "退出(&X)"},
    {MF_POPUP, 0, "编辑(&E)"},
    {MF_STRING, ID_EDIT_UNDO, "撤消(&U)\tCtrl+Z"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_EDIT_CUT, "剪切(&T)\tCtrl+X"},
    {MF_STRING, ID_EDIT_COPY, "复制(&C)\tCtrl+C"},
    {MF_STRING | MF_END, ID_EDIT_PASTE, "粘贴(&P)\tCtrl+V"},
    {MF_POPUP, 0, "工具(&T)"},
    {MF_STRING | MF_END, ID_VIEW_GANTT, "计划管理(&P)"},
    {MF_POPUP, 0, "查看(&V)"},
    {MF_STRING, ID_VIEW_TOOLBAR, "工具栏(&T)"},
    {MF_STRING | MF_END, ID_VIEW_STATUS_BAR, "状态栏(&S)"},
    {MF_POPUP, 0, "窗口(&W)"},
    {MF_STRING, ID_WINDOW_NEW, "新建窗口(&N)"},
    {MF_STRING, ID_WINDOW_CASCADE, "层叠(&C)"},
    {MF_STRING, ID_WINDOW_TILE_HORZ, "平铺(&T)"},
    {MF_STRING | MF_END, ID_WINDOW_ARRANGE, "排列图标(&A)"},
    {MF_POPUP, 0, "帮助(&H)"},
    {MF_STRING | MF_END, ID_APP_ABOUT, "关于 Tessaly(&A)..."},
};

const AFX_MENU_TEMPLATE kMainMenuTemplate = {kMainMenu, sizeof kMainMenu / sizeof kMainMenu[0]};
const AFX_MENU_TEMPLATE kProjectMenuTemplate = {kProjectMenu, sizeof kProjectMenu / sizeof kProjectMenu[0]};
const AFX_MENU_TEMPLATE kDocManageMenuTemplate = {kDocManageMenu, sizeof kDocManageMenu / sizeof kDocManageMenu[0]};

// ---- accelerators (the same table for the three frames) ------------------------------------
const ACCEL kAccelerators[] = {
    {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
    {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN_SERVER},
    {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
    {FVIRTKEY | FCONTROL, 'P', ID_FILE_PRINT},
    {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
    {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
    {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
    {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
    {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
    {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
    {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
    {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
    {FVIRTKEY, VK_F6, ID_NEXT_PANE},
    {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
};
const AFX_ACCEL_TEMPLATE kAccelTemplate = {kAccelerators, sizeof kAccelerators / sizeof kAccelerators[0]};

// ---- toolbars ---------------------------------------------------------------------------
const WORD kMainBarItems[] = {ID_FILE_NEW, ID_FILE_OPEN_LOCAL, ID_FILE_SAVE, 0, ID_TASK_LEFT, ID_TASK_RIGHT, 0,
                              ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, 0, ID_ZOOM_IN, ID_ZOOM_OUT, 0, ID_APP_ABOUT};
const AFX_TOOLBAR_TEMPLATE kMainBar = {1, 16, 15, sizeof kMainBarItems / sizeof kMainBarItems[0], kMainBarItems};
const WORD kViewBarItems[] = {ID_VIEW_GANTT, ID_VIEW_NETWORK, ID_VIEW_RESOURCE, ID_DOC_MANAGE};
const AFX_TOOLBAR_TEMPLATE kViewBar = {1, 16, 15, sizeof kViewBarItems / sizeof kViewBarItems[0], kViewBarItems};

// The pictures, one 16 x 15 cell per button, on the button face colour.
const AFX_PALETTE_CHAR kBarPalette[] = {
    {'.', RGB(212, 208, 200)}, {'K', RGB(0, 0, 0)},       {'W', RGB(255, 255, 255)}, {'g', RGB(192, 192, 192)},
    {'G', RGB(128, 128, 128)}, {'B', RGB(0, 0, 128)},     {'b', RGB(166, 202, 240)}, {'Y', RGB(255, 255, 0)},
    {'y', RGB(128, 128, 0)},   {'R', RGB(192, 0, 0)},     {'L', RGB(0, 128, 0)},     {'o', RGB(255, 204, 153)},
};

// Toolbar 128: new, open, save, left, right, print, preview, zoom in, zoom out, about.
const char* const kMainBarRows[] = {
    "................................................................................................................................................................",
    "..KKKKKKKK.................KKK...KKKKKKKKKKKKKK.....................................KKKKKKKK.....KKKKKKKK...........KKKKK...........KKKKK............KKKKK......",
    "..KWWWWWWKK...............K...K..KBKWWWWWWWWKBK...KKKKKKKKKKKK....KKKKKKKKKKKK......KWWWWWWK.....KWWWWWWKK.........KbbbbbK.........KbbbbbK.........KKBBBBBKK....",
    "..KWWWWWWKWK..................K..KBKWWWWWWWWKBK.....................................KWKKKKWK.....KWKKKKWKWK.......KbbbKbbbK.......KbbbbbbbK.......KBBBWWWBBBK...",
    "..KWWWWWWKKKK....KKK.........KKK.KBKWWWWWWWWKBK...........BBBBB...BBBBB.............KWWWWWWK.....KWWWWWWKKKK......KbbbKbbbK.......KbbbbbbbK.......KBBWWBWWBBK...",
    "..KWWWWWWWWWK...KYWYKKKKKKK..KK..KBKWWWWWWWWKBK.......B..................B........KKKKKKKKKKKK...KWKKKKKWWWK......KbKKKKKbK.......KbKKKKKbK......KBBBBBBWWBBBK..",
    "..KWWWWWWWWWK...KWYWYWYWYWK...K..KBBKKKKKKKKBBK......BB...BBBBB...BBBBB..BB......KggggggggggggK..KWWWW.KKKWK......KbbbKbbbK.......KbbbbbbbK......KBBBBBWWBBBBK..",
    "..KWWWWWWWWWK...KYWYWYWYWYK......KBBBBBBBBBBBBK.....BBBBBBB...........BBBBBBB....KggggggggggLgK..KWKK.KbbbKK......KbbbKbbbK.......KbbbbbbbK......KBBBBWWBBBBBK..",
    "..KWWWWWWWWWK...KWYWYWKKKKKKKKKK.KBBKKKKKKKKBBK......BB...BBBBB...BBBBB..BB......KggggggggggggK..KWWWKbWbbbK.......KbbbbbK.........KbbbbbK.......KBBBBWWBBBBBK..",
    "..KWWWWWWWWWK...KYWYWKyyyyyyyyyK.KBBKggKKKggKBK.......B..................B.......KKKKKKKKKKKKKK..KWKKKbbbbbK........KKKKKKK.........KKKKKKK.......KBBBBBBBBBK...",
    "..KWWWWWWWWWK...KWYWKyyyyyyyyyK..KBBKggKKKggKBK...........BBBBB...BBBBB..........KgKWWWWWWWWKgK..KWWWWKbbbK...............KK..............KK......KBBBWWBBBBK...",
    "..KWWWWWWWWWK...KYWKyyyyyyyyyK...KBBKggKKKggKBK...................................KKWKKKKKKWKK...KKKKKKKKKKK...............KK..............KK......KKBWWBBKK....",
    "..KWWWWWWWWWK...KWKyyyyyyyyyK.....KBKggggggggKK...KKKKKKKKKKKK....KKKKKKKKKKKK......KWWWWWWK..............KKK...............KK..............KK.......KKKKK......",
    "..KKKKKKKKKKK...KKKKKKKKKKKK.......KKKKKKKKKKK......................................KKKKKKKK...............KKK...............K...............K..................",
    "............................................................................................................KK..................................................",
};

// Toolbar 135: Gantt chart, network chart, resources, documents.
const char* const kViewBarRows[] = {
    "................................................................",
    ".KKKKKKKKKKKKKK.KKKKK.................KKKK...............KKKKK..",
    ".KWWWWWWWWWWWWK.KBBBK................KooooK.............KWWWWKK.",
    ".KBBBBBWWWWWWWK.KBBBKKKKK.KKKKK......KooooK.............KWKKWKWK",
    ".KBBBBBWWWWWWWK.KKKKK...K.KRRRK......KooooK......KKK....KWWWWWWK",
    ".KWWWWKWWWWWWWK...K.....KKKRRRK.......KooK......KYWYKKKKKWKKKKWK",
    ".KWWWWKRRRRRWWK...K.......KKKKK.....KKKKKKKK....KWYWYWYWKWWWWWWK",
    ".KWWWWWRRRRRWWK...K.........K......KBBBBBBBBK...KYWYWYWYKWKKKKWK",
    ".KWWWWWWWWKWWWK...K.........K.....KBBBBBBBBBBK..KWYWYWYWKWWWWWWK",
    ".KWWWWWWWWKWWWK.KKKKK.......K.....KBKBBBBBBKBK..KYWYWYWYKKKKKKKK",
    ".KWWWWWWWLLLLLK.KLLLKKKKKKKKKKK...KBKBBBBBBKBK..KWYWYWYWYWYWYK..",
    ".KWWWWWWWLLLLLK.KLLLK......KyyyK..KoKBBBBBBKoK..KYWYWYWYWYWYWK..",
    ".KWWWWWWWWWWWWK.KKKKK......KyyyK....KBBKKBBK....KWYWYWYWYWYWYK..",
    ".KKKKKKKKKKKKKK............KKKKK....KKKK.KKKK...KKKKKKKKKKKKKK..",
    "................................................................",
};

const AFX_BITMAP_RESOURCE kMainBarBitmap = AFX_PICTURE(160, 15, kMainBarRows, kBarPalette);
const AFX_BITMAP_RESOURCE kViewBarBitmap = AFX_PICTURE(64, 15, kViewBarRows, kBarPalette);

// The application's icon (main frame and project windows) and the browser windows' icon.
const char* const kAppIconRows[] = {
    "................................",
    "................................",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..",
    "..KBBBBBBBBBBBBBBBBBBBBBBBBBBK..",
    "..KBBBBBBBBBBBBBBBBBBBBBBBBBBK..",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..",
    "..KWWWWWWWWWWWWWWWWWWWWWWWWWWK..",
    "..KWWWWWWWWWWWWWWWWWWWWWWWWWWK..",
    "..KWWBBBBBBBBBWWWWWWWWWWWWWWWK..",
    "..KWWBBBBBBBBBWWWWWWWWWWWWWWWK..",
    "..KWWBBBBBBBBBWWWWWWWWWWWWWWWK..",
    "..KWWWWWWWWWWKWWWWWWWWWWWWWWWK..",
    "..KWWWWWWWWWWKWWWWWWWWWWWWWWWK..",
    "..KWWWWWWWWWWRRRRRRRRRRWWWWWWK..",
    "..KWWWWWWWWWWRRRRRRRRRRWWWWWWK..",
    "..KWWWWWWWWWWRRRRRRRRRRWWWWWWK..",
    "..KWWWWWWWWWWWWWWWWWWKWWWWWWWK..",
    "..KWWWWWWWWWWWWWWWWWWKWWWWWWWK..",
    "..KWWWWWWWWWWWWWWWWWWLLLLLLLWK..",
    "..KWWWWWWWWWWWWWWWWWWLLLLLLLWK..",
    "..KWWWWWWWWWWWWWWWWWWLLLLLLLWK..",
    "..KWWWWWWWWWWWWWWWWWWWWWWWWWWK..",
    "..KWWWWWWWWWWWWWWWWWWWWWWWWWWK..",
    "..KWWWWWWWWWWWWWWWWWWWWWWWWWWK..",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};
const char* const kDocIconRows[] = {
    "................................",
    "................................",
    "................................",
    "..............KKKKKKKKKKKK......",
    ".............KWWWWWWWWWWWKK.....",
    ".............KWKKKKKKKKWWKWK....",
    ".............KWWWWWWWWWWWKKKK...",
    "...KKKKK.....KWKKKKKKKKKKWWWK...",
    "..KYYYYYK....KWWWWWWWWWWWWWWK...",
    ".KYYYYYYYKKKKKWKKKKKKKKKKKKWK...",
    ".KYYYYYYYYYYYKWWWWWWWWWWWWWWK...",
    ".KYYYYYYYYYYYKWKKKKKKKKKKKKWK...",
    ".KYYYYYYYYYYYKWWWWWWWWWWWWWWK...",
    ".KYYYYYYYYYYYKKKKKKKKKKKKKKKK...",
    ".KYYYYKKKKKKKKKKKKKKKKKKKKK.....",
    ".KYYYKyyyyyyyyyyyyyyyyyyyyK.....",
    ".KYYYKyyyyyyyyyyyyyyyyyyyyK.....",
    ".KYYKyyyyyyyyyyyyyyyyyyyyK......",
    ".KYYKyyyyyyyyyyyyyyyyyyyyK......",
    ".KYKyyyyyyyyyyyyyyyyyyyyK.......",
    ".KYKyyyyyyyyyyyyyyyyyyyyK.......",
    ".KKyyyyyyyyyyyyyyyyyyyyK........",
    ".KKyyyyyyyyyyyyyyyyyyyyK........",
    ".KKKKKKKKKKKKKKKKKKKKKK.........",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};
const AFX_PALETTE_CHAR kIconPalette[] = {
    {'.', CLR_NONE},           {'K', RGB(0, 0, 0)},     {'W', RGB(255, 255, 255)}, {'B', RGB(0, 0, 128)},
    {'R', RGB(192, 0, 0)},     {'L', RGB(0, 128, 0)},   {'Y', RGB(255, 224, 96)},  {'y', RGB(214, 170, 40)},
};
const AFX_BITMAP_RESOURCE kAppIcon = AFX_PICTURE(32, 32, kAppIconRows, kIconPalette);
const AFX_BITMAP_RESOURCE kDocIcon = AFX_PICTURE(32, 32, kDocIconRows, kIconPalette);

// ---- the about box ----------------------------------------------------------------------
const AFX_DLG_ITEM kAboutItems[] = {
    {"STATIC", IDC_ABOUT_ICON, "#128", WS_CHILD | WS_VISIBLE | SS_ICON, 11, 10, 20, 20},
    {"STATIC", IDC_ABOUT_PRODUCT, "Tessaly 1.0版", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 40, 10, 150, 8},
    {"STATIC", IDC_STATIC, "项目计划管理客户端", WS_CHILD | WS_VISIBLE | SS_LEFT, 40, 25, 150, 8},
    {"STATIC", IDC_ABOUT_LINK, "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOTIFY, 40, 38, 150, 12},
    {"BUTTON", IDOK, "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 198, 7, 60, 14},
    {"BUTTON", IDC_SUPPORT, "技术支持...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 198, 26, 60, 14},
};
const AFX_DLG_TEMPLATE kAboutBox = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                    0, 0, 0, 265, 60, "关于 Tessaly", "宋体", 9, AFX_DLG_ITEMS(kAboutItems)};

// ---- the connection settings dialog -----------------------------------------------------
const AFX_DLG_ITEM kSystemSetItems[] = {
    {"STATIC", IDC_STATIC, "请设置服务器名称和站点名称，以便和服务器建立连接，", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 8, 220, 8},
    {"STATIC", IDC_STATIC, "如果不知道怎么设置，请询问系统管理员。", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 20, 220, 8},
    {"STATIC", IDC_STATIC, "服务器", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 40, 40, 8},
    {"EDIT", IDC_SERVER, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 55, 38, 170, 12},
    {"STATIC", IDC_STATIC, "站点", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 58, 40, 8},
    {"EDIT", IDC_SITE, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 55, 56, 170, 12},
    {"BUTTON", IDC_STATIC, "代理设置", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 7, 76, 225, 78},
    {"BUTTON", IDC_NO_PROXY, "不使用代理", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 15, 90, 80, 10},
    {"BUTTON", IDC_USE_PROXY, "设置代理服务器", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 15, 104, 80, 10},
    {"STATIC", IDC_PROXY_IP_LABEL, "代理服务器地址(HTTP)", WS_CHILD | WS_VISIBLE | SS_LEFT, 25, 120, 85, 8},
    {"SysIPAddress32", IDC_PROXY_IP, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP, 112, 118, 90, 13},
    {"STATIC", IDC_PROXY_PORT_LABEL, "端口号", WS_CHILD | WS_VISIBLE | SS_LEFT, 25, 138, 85, 8},
    {"EDIT", IDC_PROXY_PORT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, 112, 136, 40, 12},
    {"BUTTON", IDOK, "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 240, 8, 50, 14},
    {"BUTTON", IDCANCEL, "取消", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 240, 26, 50, 14},
};
const AFX_DLG_TEMPLATE kSystemSet = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                     0, 0, 0, 298, 162, "连接设置", "宋体", 9, AFX_DLG_ITEMS(kSystemSetItems)};

}  // namespace

AFX_MODULE_RESOURCES(Trellan)
{
    AfxRegisterResource(hModule, RT_MENU, IDR_MAINFRAME, &kMainMenuTemplate);
    AfxRegisterResource(hModule, RT_MENU, IDR_PROJECTTYPE, &kProjectMenuTemplate);
    AfxRegisterResource(hModule, RT_MENU, IDR_DOCMANAGETYPE, &kDocManageMenuTemplate);
    AfxRegisterResource(hModule, RT_ACCELERATOR, IDR_MAINFRAME, &kAccelTemplate);
    AfxRegisterResource(hModule, RT_ACCELERATOR, IDR_PROJECTTYPE, &kAccelTemplate);
    AfxRegisterResource(hModule, RT_ACCELERATOR, IDR_DOCMANAGETYPE, &kAccelTemplate);
    AfxRegisterResource(hModule, RT_TOOLBAR, IDR_MAINFRAME, &kMainBar);
    AfxRegisterResource(hModule, RT_TOOLBAR, IDR_VIEWBAR, &kViewBar);
    AfxRegisterBitmap(hModule, IDR_MAINFRAME, &kMainBarBitmap);
    AfxRegisterBitmap(hModule, IDR_VIEWBAR, &kViewBarBitmap);
    AfxRegisterIcon(hModule, IDR_MAINFRAME, &kAppIcon);
    AfxRegisterIcon(hModule, IDR_PROJECTTYPE, &kAppIcon);
    AfxRegisterIcon(hModule, IDR_DOCMANAGETYPE, &kDocIcon);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_ABOUTBOX, &kAboutBox);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_SYSTEMSET, &kSystemSet);
}
