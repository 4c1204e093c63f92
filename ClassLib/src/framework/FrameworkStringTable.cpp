// The framework's own texts in Chinese. Sources are UTF-8; the table is converted to code
// page 936 when it is registered, in ClassLib's own module, so that a module's string
// table may replace any of them.
#include "Framework.h"

#include "FrameworkStrings.h"

namespace {
struct Entry
{
    UINT nID;
    const char* pszUtf8;
};

const Entry kStrings[] = {
    {AFX_IDS_IDLEMESSAGE, "就绪"},
    {AFX_IDS_HELPMODEMESSAGE, "选择要获得帮助的对象"},
    {AFX_IDS_UNTITLED, "无标题"},
    {AFX_IDS_SAVEFILE, "另存为"},
    {AFX_IDS_SAVEFILECOPY, "另存副本为"},
    {AFX_IDS_OPENFILE, "打开"},
    {AFX_IDS_PREVIEW_CLOSE, "关闭打印预览"},
    {AFX_IDS_UNNAMED_FILE, "未命名文件"},
    {AFX_IDS_ALLFILTER, "所有文件 (*.*)"},
    {AFX_IDS_PREVIEWPAGEDESC, "第 %u 页\n第 %u-%u 页\n"},
    {AFX_IDS_ONEPAGE, "单页(&O)"},
    {AFX_IDS_TWOPAGE, "双页(&T)"},
    {AFX_IDS_PRINTPAGENUM, "第 %u 页"},
    {AFX_IDS_PREVIEWPAGE, "第 %u 页"},
    {AFX_IDP_INVALID_FILENAME, "无效文件名。"},
    {AFX_IDP_FAILED_TO_OPEN_DOC, "打开文档失败。"},
    {AFX_IDP_FAILED_TO_SAVE_DOC, "保存文档失败。"},
    {AFX_IDP_ASK_TO_SAVE, "是否将更改保存到 %1？"},
    {AFX_IDP_FAILED_TO_CREATE_DOC, "创建空文档失败。"},
    {AFX_IDP_FILE_TOO_LARGE, "文件太大无法打开。"},
    {AFX_IDP_FAILED_TO_START_PRINT, "无法启动打印作业。"},
    {AFX_IDP_INTERNAL_FAILURE, "内部应用程序错误。"},
    {AFX_IDP_COMMAND_FAILURE, "命令失败。"},
    {AFX_IDP_FAILED_MEMORY_ALLOC, "内存不足，无法执行操作。"},
    {AFX_IDP_FAILED_INVALID_FORMAT, "意外的文件格式：%1。"},
    {AFX_IDP_FAILED_INVALID_PATH, "%1\n找不到此文件。\n请验证给出的路径和文件名是否正确。"},
    {AFX_IDP_FAILED_DISK_FULL, "目标磁盘驱动器已满。"},
    {AFX_IDP_FAILED_ACCESS_READ, "无法读取 %1，它已被他人打开。"},
    {AFX_IDP_FAILED_ACCESS_WRITE, "无法写入 %1，它是只读文件或已被他人打开。"},
    {AFX_IDP_FAILED_IO_ERROR_READ, "读取 %1 时发生意外错误。"},
    {AFX_IDP_FAILED_IO_ERROR_WRITE, "写入 %1 时发生意外错误。"},
    {ID_INDICATOR_EXT, "扩展"},
    {ID_INDICATOR_CAPS, "大写"},
    {ID_INDICATOR_NUM, "数字"},
    {ID_INDICATOR_SCRL, "滚动"},
    {ID_INDICATOR_OVR, "改写"},
    {ID_INDICATOR_REC, "录制"},
    {ID_FILE_NEW, "创建新文档\n新建"},
    {ID_FILE_OPEN, "打开现有文档\n打开"},
    {ID_FILE_CLOSE, "关闭活动文档\n关闭"},
    {ID_FILE_SAVE, "保存活动文档\n保存"},
    {ID_FILE_SAVE_AS, "用新名称保存活动文档\n另存为"},
    {ID_FILE_PRINT_SETUP, "更改打印机和打印选项\n打印设置"},
    {ID_FILE_PRINT, "打印活动文档\n打印"},
    {ID_FILE_PRINT_PREVIEW, "显示整页\n打印预览"},
    {ID_APP_ABOUT, "显示程序信息、版本号和版权\n关于"},
    {ID_APP_EXIT, "退出应用程序；提示保存文档\n退出"},
    {ID_FILE_MRU_FILE1, "打开此文档"},
    {ID_NEXT_PANE, "切换到下一个窗格\n下一窗格"},
    {ID_PREV_PANE, "切换回上一个窗格\n上一窗格"},
    {ID_WINDOW_NEW, "为活动文档打开另一个窗口\n新建窗口"},
    {ID_WINDOW_ARRANGE, "在窗口底部排列图标\n排列图标"},
    {ID_WINDOW_CASCADE, "以重叠方式排列窗口\n层叠窗口"},
    {ID_WINDOW_TILE_HORZ, "以不重叠的平铺方式排列窗口\n平铺窗口"},
    {ID_WINDOW_TILE_VERT, "以不重叠的平铺方式排列窗口\n平铺窗口"},
    {ID_WINDOW_SPLIT, "将活动窗口拆分为多个窗格\n拆分"},
    {ID_EDIT_CLEAR, "清除所选内容\n清除"},
    {ID_EDIT_COPY, "复制所选内容，将其放入剪贴板\n复制"},
    {ID_EDIT_CUT, "剪切所选内容，将其放入剪贴板\n剪切"},
    {ID_EDIT_PASTE, "插入剪贴板内容\n粘贴"},
    {ID_EDIT_UNDO, "撤消上一操作\n撤消"},
    {ID_EDIT_SELECT_ALL, "选定整个文档\n全选"},
    {ID_VIEW_TOOLBAR, "显示或隐藏工具栏\n切换工具栏"},
    {ID_VIEW_STATUS_BAR, "显示或隐藏状态栏\n切换状态栏"},
    {AFX_ID_PREVIEW_CLOSE, "关闭打印预览模式\n取消预览"},
    {AFX_ID_PREVIEW_NEXT, "转到下一页\n下一页"},
    {AFX_ID_PREVIEW_PREV, "转到上一页\n上一页"},
    {AFX_ID_PREVIEW_PRINT, "打印\n打印"},
    {AFX_ID_PREVIEW_NUMPAGE, "显示一页或两页\n单页/双页"},
    {AFX_ID_PREVIEW_ZOOMIN, "放大预览页\n放大"},
    {AFX_ID_PREVIEW_ZOOMOUT, "缩小预览页\n缩小"},
};
}  // namespace

namespace pc_frame {

void RegisterFrameworkStrings()
{
    static bool s_done = false;
    if (s_done)
        return;
    s_done = true;
    HINSTANCE hModule = AfxRegisterModule("ClassLib");
    for (const Entry& e : kStrings)
    {
        CString text = CStringFromUtf8(e.pszUtf8);
        AfxRegisterString(hModule, e.nID, text);
    }
}

}  // namespace pc_frame
