// The predecessor page's template and the pop-up menus of the task pages (menu 19104:
// "RefDoc", "TargetDoc", "Grid").
#include <ClassLib/AfxWin.h>
#include <ClassLib/Menus/MenuTypes.h>

#include "../TaskResource.h"

namespace
{
const AFX_DLG_ITEM kPreTaskItems[] = {
    {"STATIC", IDC_TASK_PRED_HOLDER, "", WS_CHILD | WS_VISIBLE, 7, 7, 258, 221},
};
const AFX_DLG_TEMPLATE kPreTask = {DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION, 0, 0, 0, 272, 235,
                                   " 前置任务 ", "宋体", 9, AFX_DLG_ITEMS(kPreTaskItems)};

const AFX_MENU_ITEM kPopupItems[] = {
    {MF_POPUP, 0, "RefDoc"},
    {MF_STRING, IDC_TASK_REF_FROMPDM, "从产品结构树"},
    {MF_STRING, ID_TASK_REF_FROMDISK, "从本地硬盘"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_TASK_REF_DELETE, "删除"},
    {MF_POPUP, 0, "TargetDoc"},
    {MF_STRING, ID_TASK_TARGET_FROMPDM, "从产品结构树"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_TASK_TARGET_DELETE, "删除"},
    {MF_POPUP, 0, "Grid"},
    {MF_STRING, ID_TASK_PRED_DELETE, "删除"},
    {MF_STRING | MF_END, ID_TASK_PRED_ADD, "增加"},
};
const AFX_MENU_TEMPLATE kPopups = {kPopupItems, sizeof kPopupItems / sizeof kPopupItems[0]};
} // namespace

AFX_MODULE_RESOURCES(Tavrin)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_TASK_PRETASK, &kPreTask);
    AfxRegisterResource(hModule, RT_MENU, IDR_TASK_POPUPS, &kPopups);
}
