// The grid's right-click menu (menu 20013: the first pop-up holds the row commands shown
// for a click on a row number, the second the cell commands, the third and fourth the
// resource views' and the fifth the chart's) and the date format of its
// date editor. They belong to the module of the library that carries the grid.
#include "GridDefines.h"

#include <ClassLib/Menus/MenuTypes.h>
#include <ClassLib/Resources/Resources.h>

#ifndef GRIDCTRL_MODULE
#define GRIDCTRL_MODULE Orvesk
#endif

namespace
{
const AFX_MENU_ITEM kGridContextMenuItems[] = {
    {MF_POPUP, 0, "右键菜单"},
    {MF_STRING, 20024, "新任务"},
    {MF_STRING, 20026, "新增多个任务"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, 20028, "删除任务"},
    {MF_STRING | MF_END, 20030, "删除多个任务"},
    {MF_POPUP, 0, "右键菜单"},
    {MF_STRING, 22030, "剪切(&T)        Ctrl+X"},
    {MF_STRING, 22031, "拷贝(&C)        Ctrl+C"},
    {MF_STRING, 22032, "粘贴(&P)        Ctrl+V"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_POPUP, 0, "任务的详细信息"},
    {MF_STRING, 22025, "日期(&D)"},
    {MF_STRING, 22026, "资源(&R)"},
    {MF_STRING, 22027, "预算"},
    {MF_STRING, 22028, "成本"},
    {MF_STRING | MF_END, 22029, "约束"},
    {MF_STRING, 22024, "任务删除"},
    {MF_STRING, 20031, "任务属性"},
    {MF_STRING | MF_END, 20032, "任务分解"},
    // The resource views' popups and the chart's.
    {MF_POPUP, 0, "TreeView"},
    {MF_POPUP, 0, "导入资源"},
    {MF_STRING, 22019, "从项目文件"},
    {MF_STRING, 22020, "从资源字典"},
    {MF_STRING | MF_END, 22021, "从企业资源数据库"},
    {MF_STRING | MF_END, 22018, "增加资源类型"},
    {MF_POPUP, 0, "ResGridView"},
    {MF_STRING, 22022, "增加一行"},
    {MF_STRING | MF_END, 22023, "删除一行"},
    {MF_POPUP, 0, "GanttBar"},
    {MF_STRING, 22036, "格式(&F)"},
    {MF_STRING | MF_END, 22035, "属性(&P)          ALT+P"},
};
const AFX_MENU_TEMPLATE kGridContextMenu = {
    kGridContextMenuItems, sizeof kGridContextMenuItems / sizeof kGridContextMenuItems[0]};
} // namespace

#define GRIDCTRL_MENU_RESOURCES(name) AFX_MODULE_RESOURCES(name)
GRIDCTRL_MENU_RESOURCES(GRIDCTRL_MODULE)
{
    AfxRegisterResource(hModule, RT_MENU, IDR_GRID_CONTEXTMENU, &kGridContextMenu);
    // The date of a date edited in a cell: year, month and day without leading zeros.
    AfxRegisterString(hModule, 56609, "%#Y年%#m月%#d日");
}
