// The general page's template (19134), the new-resource menu (19140), the unused advanced
// page (19103) and the resource dialog (19141).
#include <ClassLib/AfxWin.h>
#include <ClassLib/Controls/CommonControls.h>
#include <ClassLib/Menus/MenuTypes.h>

#include "../TaskResource.h"

namespace
{
const DWORD kChild = WS_CHILD | WS_VISIBLE;
const DWORD kDate = kChild | WS_TABSTOP | DTS_LONGDATEFORMAT | DTS_RIGHTALIGN;

const AFX_DLG_ITEM kNormalItems[] = {
    // Name and duration.
    {"STATIC", IDC_STATIC, "任务名", kChild, 7, 10, 30, 8},
    {"EDIT", IDC_TASK_NAME, "", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 45, 8, 220, 14},
    {"STATIC", IDC_STATIC, "工期", kChild, 7, 30, 30, 8},
    {"EDIT", IDC_TASK_DURATION, "", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 45, 28, 80, 14},
    {UPDOWN_CLASS, IDC_TASK_DURATION_SPIN, "", kChild | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 125, 28,
     10, 14},
    {"BUTTON", IDC_TASK_ESTIMATE, "估计值", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 140, 30, 50, 10},
    {"STATIC", IDC_STATIC, "", kChild | SS_ETCHEDHORZ, 7, 49, 258, 1},
    // Dates and priority.
    {"STATIC", IDC_STATIC, "起始日期", kChild, 7, 60, 36, 8},
    {DATETIMEPICK_CLASS, IDC_TASK_START, "", kDate, 45, 58, 100, 14},
    {"STATIC", IDC_STATIC, "完成日期", kChild, 7, 80, 36, 8},
    {DATETIMEPICK_CLASS, IDC_TASK_FINISH, "", kDate, 45, 78, 100, 14},
    {"STATIC", IDC_STATIC, "截止日期", kChild, 7, 100, 36, 8},
    {DATETIMEPICK_CLASS, IDC_TASK_DEADLINE, "", kDate, 45, 98, 100, 14},
    {"STATIC", IDC_STATIC, "优先级", kChild, 160, 60, 28, 8},
    {"EDIT", IDC_TASK_PRIORITY, "", kChild | WS_BORDER | WS_TABSTOP | ES_NUMBER, 190, 58, 28, 14},
    {UPDOWN_CLASS, IDC_TASK_PRIORITY_SPIN, "",
     kChild | UDS_SETBUDDYINT | UDS_WRAP | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 218, 58, 10, 14},
    {"STATIC", IDC_STATIC, "(1---5)", kChild, 232, 60, 33, 8},
    {"STATIC", IDC_STATIC, "", kChild | SS_ETCHEDHORZ, 7, 119, 258, 1},
    // Resources, description and milestone.
    {"STATIC", IDC_STATIC, "资源", kChild, 7, 131, 30, 8},
    {"COMBOBOX", IDC_TASK_RESOURCES, "",
     kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_SORT | CBS_HASSTRINGS, 45,
     129, 165, 100},
    {"BUTTON", IDC_TASK_NEWRES, "新增", kChild | WS_TABSTOP | BS_OWNERDRAW, 215, 129, 50, 14},
    {"EDIT", IDC_TASK_DESC, "",
     kChild | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, 14, 161, 244,
     46},
    // After the edit it frames: the earlier of two overlapping siblings lies on top.
    {"BUTTON", IDC_STATIC, "描述", kChild | BS_GROUPBOX, 7, 149, 258, 64},
    {"BUTTON", IDC_TASK_MILESTONE, "这是一个里程碑", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 7, 220, 100, 10},
};
const AFX_DLG_TEMPLATE kNormal = {DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION, 0, 0, 0, 272, 235,
                                  " 常  规 ", "宋体", 9, AFX_DLG_ITEMS(kNormalItems)};

const AFX_MENU_ITEM kAddResItems[] = {
    {MF_POPUP, 0, "AddRes"},
    {MF_STRING, ID_TASK_ADDRES_PROJECT, "从其他项目文件"},
    {MF_STRING, ID_TASK_ADDRES_DICT, "从资源字典"},
    {MF_STRING, ID_TASK_ADDRES_DB, "从企业资源数据库"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_TASK_ADDRES_MANAGE, "资源管理"},
};
const AFX_MENU_TEMPLATE kAddRes = {kAddResItems, sizeof kAddResItems / sizeof kAddResItems[0]};

const AFX_DLG_ITEM kAdvItems[] = {
    {"STATIC", IDC_STATIC, "任务的分解模板", kChild, 7, 10, 80, 8},
    {"COMBOBOX", IDC_TASK_ADV_BREAKDOWN, "", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 7, 22, 258, 80},
    {"STATIC", IDC_STATIC, "工作流模板", kChild, 7, 44, 80, 8},
    {"COMBOBOX", IDC_TASK_ADV_WORKFLOW, "", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 7, 56, 258, 80},
};
const AFX_DLG_TEMPLATE kAdv = {DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION, 0, 0, 0, 272, 235,
                               "  高  级  ", "宋体", 9, AFX_DLG_ITEMS(kAdvItems)};

const AFX_DLG_ITEM kResourceItems[] = {
    {"STATIC", IDC_STATIC, "代号", kChild, 7, 10, 24, 8},
    {"EDIT", IDC_RES_CODE, "", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 38, 8, 80, 14},
    {"STATIC", IDC_STATIC, "名称", kChild, 130, 10, 24, 8},
    {"EDIT", IDC_RES_NAME, "", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 160, 8, 90, 14},
    {"STATIC", IDC_STATIC, "类型", kChild, 7, 30, 24, 8},
    {"COMBOBOX", IDC_RES_TYPE, "", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 38, 28, 80, 80, 0,
     "人力\n设备\n材料\n其它"},
    {"STATIC", IDC_STATIC, "单位", kChild, 130, 30, 24, 8},
    {"EDIT", IDC_RES_UNIT, "", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 160, 28, 90, 14},
    {"STATIC", IDC_STATIC, "工资率", kChild, 7, 50, 28, 8},
    {"EDIT", IDC_RES_RATE, "", kChild | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, 38, 48, 80, 14},
    {"STATIC", IDC_STATIC, "例如：元/小时", kChild, 130, 50, 80, 8},
    {"STATIC", IDC_STATIC, "描述", kChild, 7, 70, 24, 8},
    {"EDIT", IDC_RES_DESC, "", kChild | WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN, 38,
     68, 198, 57},
    {"STATIC", IDC_STATIC, "", kChild | SS_ETCHEDHORZ, 7, 132, 243, 1},
    {"BUTTON", IDOK, "确定", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 146, 142, 50, 14},
    {"BUTTON", IDCANCEL, "取消", kChild | WS_TABSTOP, 200, 142, 50, 14},
};
const AFX_DLG_TEMPLATE kResource = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0,
                                    257, 167, "增加资源", "宋体", 9, AFX_DLG_ITEMS(kResourceItems)};
} // namespace

AFX_MODULE_RESOURCES(Tavrin)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_TASK_NORMAL, &kNormal);
    AfxRegisterResource(hModule, RT_MENU, IDR_TASK_ADDRES, &kAddRes);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_TASK_ADV, &kAdv);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_TASK_RESOURCE, &kResource);
}
