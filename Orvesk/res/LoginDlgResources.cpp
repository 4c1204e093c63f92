// The login dialog's template.
#include <ClassLib/AfxWin.h>

#include "../DocDialogsResource.h"

namespace {

const AFX_DLG_ITEM kLoginItems[] = {
    {"STATIC", IDC_STATIC, "你还没有登入服务器", WS_CHILD | WS_VISIBLE, 7, 7, 120, 8},
    {"STATIC", IDC_STATIC, "请输入你的用户名和密码", WS_CHILD | WS_VISIBLE, 7, 19, 120, 8},
    {"STATIC", IDC_STATIC, "用户名", WS_CHILD | WS_VISIBLE, 7, 42, 30, 8},
    {"EDIT", IDC_LOGIN_USERNAME, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 40, 36, 82, 14},
    {"STATIC", IDC_STATIC, "密码", WS_CHILD | WS_VISIBLE, 7, 63, 30, 8},
    {"EDIT", IDC_LOGIN_PASSWORD, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, 40, 57, 82, 14},
    {"BUTTON", IDOK, "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 142, 7, 45, 14},
    {"BUTTON", IDCANCEL, "取消", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 142, 24, 45, 14},
};

const AFX_DLG_TEMPLATE kLogin = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                 0, 0, 0, 194, 82, "用户登入", "宋体", 9,
                                 AFX_DLG_ITEMS(kLoginItems)};

}  // namespace

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_LOGIN_DIALOG, &kLogin);
}
