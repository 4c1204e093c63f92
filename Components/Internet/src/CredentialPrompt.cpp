// InternetErrorDlg: the user name and password prompt for a request the server (or the
// proxy) refused without them. It runs on the user-interface thread whichever thread asks.
#include "HttpRequest.h"

#include <ClassLib/AfxWin.h>

using namespace inet;

namespace {

const AFX_DLG_ITEM kPromptItems[] = {
    {"STATIC", IDC_STATIC, "Type your user name and password.", WS_CHILD | WS_VISIBLE, 7, 7, 200, 8},
    {"STATIC", IDC_STATIC, "Site:", WS_CHILD | WS_VISIBLE, 7, 22, 50, 8},
    {"STATIC", INET_IDC_SITE, "", WS_CHILD | WS_VISIBLE, 60, 22, 147, 8},
    {"STATIC", IDC_STATIC, "User name:", WS_CHILD | WS_VISIBLE, 7, 39, 50, 8},
    {"EDIT", INET_IDC_USERNAME, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 60, 37, 147, 12},
    {"STATIC", IDC_STATIC, "Password:", WS_CHILD | WS_VISIBLE, 7, 56, 50, 8},
    {"EDIT", INET_IDC_PASSWORD, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD, 60,
     54, 147, 12},
    {"BUTTON", IDOK, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 103, 74, 50, 14},
    {"BUTTON", IDCANCEL, "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 157, 74, 50, 14},
};

const AFX_DLG_TEMPLATE kPrompt = {DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                  0,
                                  0,
                                  0,
                                  214,
                                  95,
                                  "Enter Network Password",
                                  nullptr,
                                  9,
                                  AFX_DLG_ITEMS(kPromptItems)};

class CCredentialPrompt : public CDialog
{
public:
    explicit CCredentialPrompt(CWnd* pParent) { InitModalIndirect(&kPrompt, pParent); }

    CString m_strSite, m_strUser, m_strPassword;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetDlgItemText(INET_IDC_SITE, m_strSite);
        SetDlgItemText(INET_IDC_USERNAME, m_strUser);
        SetDlgItemText(INET_IDC_PASSWORD, m_strPassword);
        return TRUE;
    }
    void OnOK() override
    {
        GetDlgItemText(INET_IDC_USERNAME, m_strUser);
        GetDlgItemText(INET_IDC_PASSWORD, m_strPassword);
        CDialog::OnOK();
    }
};

}  // namespace

DWORD InternetErrorDlg(HWND hWnd, HINTERNET hRequest, DWORD dwError, DWORD dwFlags, LPVOID* /*lppvData*/)
{
    std::shared_ptr<Object> o = Find(hRequest);
    if (!o)
        return ERROR_INVALID_HANDLE;
    if (o->kind != Kind::Request)
        return ERROR_INTERNET_INCORRECT_HANDLE_TYPE;
    auto r = std::static_pointer_cast<Request>(o);
    long status;
    {
        std::lock_guard<std::mutex> call(r->callLock);
        status = r->headersDone ? r->status : 0;
    }
    const bool refused = status == 401 || status == 407;
    if (dwFlags & FLAGS_ERROR_UI_FILTER_FOR_ERRORS) {
        if (!refused)
            return ERROR_SUCCESS;
    } else if (dwError != ERROR_INTERNET_INCORRECT_PASSWORD) {
        return ERROR_INVALID_PARAMETER;  // the only prompt offered
    }
    if (dwFlags & FLAGS_ERROR_UI_FLAGS_NO_UI)
        return ERROR_CANCELLED;
    const bool proxy = status == 407;
    const Options op = r->GetOptions();
    std::string site = r->conn->server;
    if (proxy && r->conn->session->accessType == INTERNET_OPEN_TYPE_PROXY)
        site = r->conn->session->proxy;

    INT_PTR result = IDCANCEL;
    CString user, password;
    const BOOL shown = AfxCallOnUiThread([&] {
        CCredentialPrompt dlg(hWnd ? CWnd::FromHandle(hWnd) : nullptr);
        dlg.m_strSite = site.c_str();
        dlg.m_strUser = (proxy ? op.proxyUser : op.user).c_str();
        dlg.m_strPassword = (proxy ? op.proxyPassword : op.password).c_str();
        result = dlg.DoModal();
        user = dlg.m_strUser;
        password = dlg.m_strPassword;
    });
    if (!shown || result != IDOK)
        return ERROR_CANCELLED;
    if (dwFlags & FLAGS_ERROR_UI_FLAGS_CHANGE_OPTIONS) {
        std::lock_guard<std::mutex> g(r->lock);
        (proxy ? r->options.proxyUser : r->options.user) = (LPCTSTR)user;
        (proxy ? r->options.proxyPassword : r->options.password) = (LPCTSTR)password;
    }
    return ERROR_INTERNET_FORCE_RETRY;
}
