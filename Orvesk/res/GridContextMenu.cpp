// Menu 20013: the task grid's right-click menu. The first pop-up holds the row commands
// (shown for a click on a row number), the second the cell commands.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Menus/MenuTypes.h>
#include <ClassLib/Resources/Resources.h>

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
};
const AFX_MENU_TEMPLATE kGridContextMenu = {
    kGridContextMenuItems, sizeof kGridContextMenuItems / sizeof kGridContextMenuItems[0]};
} // namespace

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterResource(hModule, RT_MENU, 20013, &kGridContextMenu);
}
