// The program's string table: titles, document strings, command prompts and the idle text.
#include <ClassLib/AfxWin.h>

#include "../Resource.h"

AFX_MODULE_RESOURCES(Trellan)
{
    AfxRegisterStrings(hModule, {
        {IDR_MAINFRAME, "Tessaly"},
        {AFX_IDS_APP_TITLE, "Tessaly"},
        {IDR_PROJECTTYPE, "\n计划管理\n计划管理\n\n\nTrellan.Document\nTrella Document"},
        {IDR_DOCMANAGETYPE, "\n文档管理\n文档管理\n\n\nTrellan.Document\nTrella Document"},
        {IDS_SUPPORT_URL, "http://support.corvallo.example/"},
        {ID_FILE_NEW, "建立新项目\n新建项目"},
        {ID_FILE_OPEN, "打开一个现有项目\n打开项目"},
        {ID_FILE_CLOSE, "关闭项目\n关闭项目"},
        {ID_FILE_SAVE, "保存项目\n保存项目"},
        {ID_FILE_SAVE_AS, "将活动文档以一个新文件名保存\n另存为"},
        {ID_FILE_PRINT_SETUP, "改变打印机及打印选项\n打印设置"},
        {ID_FILE_PRINT, "打印活动文档\n打印"},
        {ID_FILE_PRINT_PREVIEW, "显示整页\n打印预览"},
        {ID_FILE_MRU_FILE1, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 1, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 2, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 3, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 4, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 5, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 6, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 7, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 8, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 9, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 10, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 11, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 12, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 13, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 14, "打开该文档"},
        {ID_FILE_MRU_FILE1 + 15, "打开该文档"},
        {ID_VIEW_GANTT, "计划管理\n计划管理"},
        {ID_ZOOM_OUT, "缩小甘特图\n缩小"},
        {ID_ZOOM_IN, "放大甘特图\n放大"},
        {ID_EXPAND_TREE, "展开或收缩任务树\n展开或收缩任务树"},
        {ID_TASK_LEFT, "任务左移\n任务左移"},
        {ID_TASK_RIGHT, "任务右移\n任务右移"},
        {ID_DOC_MANAGE, "文档管理\n文档管理"},
        {ID_CONNECT_SETTINGS, "连接设置\n连接设置"},
        {ID_APP_ABOUT, "显示程序信息，版本号和版权\n关于 Tessaly"},
        {ID_APP_EXIT, "退出应用程序；提示保存文档\n退出"},
    });
}
