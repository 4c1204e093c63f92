#include "ProjectLogin.h"

#include <utility>

namespace {

ProjectLoginHandler& LoginHandler()
{
    static ProjectLoginHandler handler;
    return handler;
}

} // namespace

ProjectLoginHandler ProjectSetLoginHandler(ProjectLoginHandler handler)
{
    return std::exchange(LoginHandler(), std::move(handler));
}

BOOL ProjectRunLogin(int bAutomation, const CString& strServiceUrl, const CString& strProxyPort,
                     const CString& strProxyAddress, CString& strUser, CString& strPassword)
{
    if (!LoginHandler())
        return FALSE;
    return LoginHandler()(bAutomation, strServiceUrl, strProxyPort, strProxyAddress, strUser,
                          strPassword);
}
