// The project property sheet's templates (base information as a tab and as a wizard page,
// the wizard's finish page), its header texts and the wizard's two pictures.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Gdi/ResourceImages.h>

#include "../ProjDialogsResource.h"
#include "ProjPictureCanvas.h"

namespace {

#define PROJ_DATE_STYLE (WS_CHILD | WS_VISIBLE | WS_TABSTOP | DTS_LONGDATEFORMAT | DTS_RIGHTALIGN)
#define PROJ_GOAL_STYLE \
    (WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL)

const AFX_DLG_ITEM kBaseItems[] = {
    {"STATIC", IDC_STATIC, "项目名称", WS_CHILD | WS_VISIBLE, 7, 10, 48, 8},
    {"EDIT", IDC_PROJ_NAME, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 60, 7, 166, 14},
    {"STATIC", IDC_STATIC, "开始日期", WS_CHILD | WS_VISIBLE, 7, 30, 48, 8},
    {"SysDateTimePick32", IDC_PROJ_START, "", PROJ_DATE_STYLE, 60, 27, 110, 14},
    {"STATIC", IDC_STATIC, "完成日期", WS_CHILD | WS_VISIBLE, 7, 50, 48, 8},
    {"SysDateTimePick32", IDC_PROJ_FINISH, "", PROJ_DATE_STYLE, 60, 47, 110, 14},
    {"STATIC", IDC_STATIC, "截止日期", WS_CHILD | WS_VISIBLE, 7, 70, 48, 8},
    {"SysDateTimePick32", IDC_PROJ_DEADLINE, "", PROJ_DATE_STYLE, 60, 67, 110, 14},
    {"STATIC", IDC_STATIC, "经费预算", WS_CHILD | WS_VISIBLE, 7, 90, 48, 8},
    {"EDIT", IDC_PROJ_BUDGET, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, 60, 87, 110, 14},
    {"STATIC", IDC_STATIC, "RMB", WS_CHILD | WS_VISIBLE, 175, 90, 30, 8},
    {"STATIC", IDC_STATIC, "项目的目标", WS_CHILD | WS_VISIBLE, 7, 110, 60, 8},
    {"EDIT", IDC_PROJ_GOAL, "", PROJ_GOAL_STYLE, 7, 121, 219, 57},
};
const AFX_DLG_TEMPLATE kBase = {DS_SETFONT | WS_CHILD | WS_CAPTION, 0, 0, 0, 233, 185, "基本信息", "宋体", 9,
                                AFX_DLG_ITEMS(kBaseItems)};

const AFX_DLG_ITEM kBaseWizardItems[] = {
    {"STATIC", IDC_STATIC, "项目名称", WS_CHILD | WS_VISIBLE, 7, 10, 40, 8},
    {"EDIT", IDC_PROJ_NAME, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 50, 7, 90, 14},
    {"STATIC", IDC_STATIC, "经费预算", WS_CHILD | WS_VISIBLE, 7, 30, 40, 8},
    {"EDIT", IDC_PROJ_BUDGET, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, 50, 27, 70, 14},
    {"STATIC", IDC_STATIC, "RMB", WS_CHILD | WS_VISIBLE, 124, 30, 20, 8},
    {"STATIC", IDC_STATIC, "开始日期", WS_CHILD | WS_VISIBLE, 152, 10, 36, 8},
    {"SysDateTimePick32", IDC_PROJ_START, "", PROJ_DATE_STYLE, 190, 7, 90, 14},
    {"STATIC", IDC_STATIC, "完成日期", WS_CHILD | WS_VISIBLE, 152, 30, 36, 8},
    {"SysDateTimePick32", IDC_PROJ_FINISH, "", PROJ_DATE_STYLE, 190, 27, 90, 14},
    {"STATIC", IDC_STATIC, "截止日期", WS_CHILD | WS_VISIBLE, 152, 50, 36, 8},
    {"SysDateTimePick32", IDC_PROJ_DEADLINE, "", PROJ_DATE_STYLE, 190, 47, 90, 14},
    {"STATIC", IDC_STATIC, "项目的目标", WS_CHILD | WS_VISIBLE, 7, 55, 60, 8},
    {"EDIT", IDC_PROJ_GOAL, "", PROJ_GOAL_STYLE, 7, 66, 273, 56},
};
const AFX_DLG_TEMPLATE kBaseWizard = {DS_SETFONT | WS_CHILD | WS_CAPTION, 0, 0, 0, 287, 129, "项目发布", "宋体", 9,
                                      AFX_DLG_ITEMS(kBaseWizardItems)};

const AFX_DLG_ITEM kFinishItems[] = {
    {"STATIC", IDC_PROJ_FINISH_PICTURE, "", WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0, 80, 129},
    {"STATIC", IDC_STATIC,
     "   项目发布完成页面。\n\n   项目一旦发布，项目成员就将会接收到各自的任务信息，项目将开始启动执行。      "
     "因此，在发布之前，请仔细的检查项目的所有内容，确保所有的项目信息正确无误！\n\n\n   如果确定，请按立即发布。",
     WS_CHILD | WS_VISIBLE, 90, 8, 180, 114},
};
const AFX_DLG_TEMPLATE kFinish = {DS_SETFONT | WS_CHILD | WS_CAPTION, 0, 0, 0, 277, 129, "项目发布", "宋体", 9,
                                  AFX_DLG_ITEMS(kFinishItems)};

// The wizard's pictures: shades of blue from dark to light, with a few pale sheets.
const AFX_PALETTE_CHAR kWizardPalette[] = {
    {'0', RGB(16, 40, 110)},   {'1', RGB(24, 56, 136)},   {'2', RGB(36, 74, 160)},   {'3', RGB(52, 94, 180)},
    {'4', RGB(72, 116, 198)},  {'5', RGB(96, 140, 212)},  {'6', RGB(124, 164, 224)}, {'7', RGB(154, 188, 234)},
    {'8', RGB(184, 210, 242)}, {'9', RGB(212, 228, 248)}, {'W', RGB(255, 255, 255)}, {'K', RGB(40, 40, 40)},
    {'G', RGB(150, 150, 150)}, {'Y', RGB(255, 200, 0)},   {'P', RGB(250, 250, 236)}};
const int kWizardPaletteSize = (int)(sizeof(kWizardPalette) / sizeof(kWizardPalette[0]));

void DrawSheetIcon(CProjPictureCanvas& c, int x, int y, int cx, int cy)
{
    c.Fill(x, y, cx, cy, 'P');
    c.Frame(x, y, cx, cy, 'K');
    for (int j = y + 6; j < y + cy - 4; j += 5)
        c.Fill(x + 4, j, cx - 8, 1, 'G');
}

const AFX_BITMAP_RESOURCE& SidePicture()
{
    static CProjPictureCanvas canvas = [] {
        CProjPictureCanvas c(119, 195, '0');
        for (int y = 0; y < 195; ++y)
            c.Fill(0, y, 119, 1, (char)('0' + y * 10 / 195));
        DrawSheetIcon(c, 22, 40, 46, 58);
        DrawSheetIcon(c, 44, 62, 46, 58);
        c.Draw(74, 104, {"....Y....", "...YYY...", "YYYYYYYYY", ".YYYYYYY.", "..YYYYY..", ".YY...YY.", "YY.....YY"});
        return c;
    }();
    static const AFX_BITMAP_RESOURCE resource = canvas.Resource(kWizardPalette, kWizardPaletteSize);
    return resource;
}

const AFX_BITMAP_RESOURCE& HeaderPicture()
{
    static CProjPictureCanvas canvas = [] {
        CProjPictureCanvas c(451, 59, 'W');
        for (int x = 0; x < 451; ++x)
            c.Fill(x, 0, 1, 59, (char)('9' - x * 10 / 451));
        DrawSheetIcon(c, 400, 8, 34, 42);
        c.Draw(420, 36, {"....Y....", "...YYY...", "YYYYYYYYY", ".YYYYYYY.", "..YYYYY..", ".YY...YY.", "YY.....YY"});
        return c;
    }();
    static const AFX_BITMAP_RESOURCE resource = canvas.Resource(kWizardPalette, kWizardPaletteSize);
    return resource;
}

}  // namespace

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_PROJ_BASE, &kBase);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_PROJ_BASE_WIZARD, &kBaseWizard);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_PROJ_PUBLISH_FINISH, &kFinish);
    AfxRegisterBitmap(hModule, IDB_PROJ_WIZARD_SIDE, &SidePicture());
    AfxRegisterBitmap(hModule, IDB_PROJ_WIZARD_HEADER, &HeaderPicture());
    AfxRegisterStrings(hModule, {
        {IDS_PROJ_WIZ_BASE_TITLE, "项目发布向导"},
        {IDS_PROJ_WIZ_ROLE_TITLE, "项目权限设置"},
        {IDS_PROJ_WIZ_FINISH_TITLE, "发布项目"},
        {IDS_PROJ_WIZ_BASE_SUBTITLE, "此向导助你简单、轻松的发布本项目\n请仔细的检查下面的项目基本信息"},
        {IDS_PROJ_WIZ_FINISH_SUBTITLE, "项目一旦发布\n项目成员即按照项目计划开始执行本项目"},
        {IDS_PROJ_WIZ_ROLE_SUBTITLE, "请设置好本项目的项目经理\n以及所有的项目成员和成员的权限"},
        {IDS_PROJ_WIZ_RES_TITLE, "项目资源管理"},
        {IDS_PROJ_WIZ_RES_SUBTITLE, "下面列表中的资源是项目中所需要的资源\n只有在这里列出了的资源才可以在项目中使用"},
    });
}
