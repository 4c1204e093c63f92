// The connection page's template.
#include <ClassLib/AfxWin.h>

#include "../ProjDialogsResource.h"

namespace {

const AFX_DLG_ITEM kConnectionItems[] = {
    {"STATIC", IDC_STATIC, "请设置服务器名称和站点名称，以便和服务器建立连接，", WS_CHILD | WS_VISIBLE, 7, 7, 222, 8},
    {"STATIC", IDC_STATIC, "如果不知道怎么设置，请询问系统管理员。", WS_CHILD | WS_VISIBLE, 7, 19, 222, 8},
    {"STATIC", IDC_STATIC, "服务器", WS_CHILD | WS_VISIBLE, 14, 42, 40, 8},
    {"EDIT", IDC_CONN_SERVER, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 60, 39, 160, 14},
    {"STATIC", IDC_STATIC, "站点", WS_CHILD | WS_VISIBLE, 14, 63, 40, 8},
    {"EDIT", IDC_CONN_SITE, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 60, 60, 160, 14},
    {"BUTTON", IDC_CONN_NO_PROXY, "不使用代理", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 17, 101, 120, 10},
    {"BUTTON", IDC_CONN_USE_PROXY, "设置代理服务器", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 17, 116, 120, 10},
    {"STATIC", IDC_CONN_ADDRESS_LABEL, "代理服务器地址(HTTP)", WS_CHILD | WS_VISIBLE | WS_GROUP, 27, 136, 100, 8},
    {"SysIPAddress32", IDC_CONN_PROXY_ADDRESS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 27, 148, 110, 14},
    {"STATIC", IDC_CONN_PORT_LABEL, "端口号", WS_CHILD | WS_VISIBLE, 150, 136, 40, 8},
    {"EDIT", IDC_CONN_PROXY_PORT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, 150, 148, 60, 14},
    // Last, so that it lies below the controls it frames.
    {"BUTTON", IDC_STATIC, "代理设置", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 7, 86, 222, 100},
};

const AFX_DLG_TEMPLATE kConnection = {DS_SETFONT | WS_CHILD | WS_CAPTION, 0, 0, 0, 236, 195, "连接设置", "宋体", 9,
                                      AFX_DLG_ITEMS(kConnectionItems)};

}  // namespace

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_CONNECTION_PAGE, &kConnection);
}
