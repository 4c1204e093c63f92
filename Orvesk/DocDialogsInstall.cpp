// The project document's own dialogs take their places when the library is loaded: the login
// dialog as the document's login, the calendar dialog as its calendar editor. Tests replace
// either with a script of their own through the same hooks.
#include "CalendarDlg.h"
#include "LoginDlg.h"

namespace {

struct CInstallDocDialogs
{
    CInstallDocDialogs()
    {
        CLoginDlg::InstallAsProjectLogin();
        CCalendarDlg::InstallAsProjectCalendar();
    }
};

const CInstallDocDialogs g_installDocDialogs;

}  // namespace
