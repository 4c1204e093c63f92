// The login the project document runs when it needs a user and nobody has logged in. The
// login dialog installs itself here; until then (and in tests) the login is cancelled or
// scripted.
#pragma once

#include <ClassLib/Afx.h>

#include <functional>

// Runs the login with the connection settings; on success fills the user code and the
// password the user typed and returns TRUE; FALSE when the user cancelled.
typedef std::function<BOOL(int bAutomation, const CString& strServiceUrl,
                           const CString& strProxyPort, const CString& strProxyAddress,
                           CString& strUser, CString& strPassword)>
    ProjectLoginHandler;

// Installs the login; returns the previous one. An empty function restores the default,
// which cancels.
AFX_EXT_API ProjectLoginHandler ProjectSetLoginHandler(ProjectLoginHandler handler);

// Runs the installed login.
AFX_EXT_API BOOL ProjectRunLogin(int bAutomation, const CString& strServiceUrl,
                                 const CString& strProxyPort, const CString& strProxyAddress,
                                 CString& strUser, CString& strPassword);
