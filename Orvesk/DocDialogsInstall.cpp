// The project document's own dialogs take their places when the library is loaded: the login
// dialog as the document's login, the calendar dialog as its calendar editor, the task
// library's property sheet as its task editor. Tests replace
// any of them with a script of their own through the same hooks.
#include "CalendarDlg.h"
#include "LoginDlg.h"
#include "TaskPropertyRunner.h"

namespace {

struct CInstallDocDialogs
{
    CInstallDocDialogs()
    {
        CLoginDlg::InstallAsProjectLogin();
        CCalendarDlg::InstallAsProjectCalendar();
        InstallTaskPropertyRunner();
    }
};

const CInstallDocDialogs g_installDocDialogs;

}  // namespace
