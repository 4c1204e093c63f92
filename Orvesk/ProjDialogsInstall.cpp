// The project dialogs take their places in the project document when the library is
// loaded. Tests replace any of them with a script of their own through the same hooks.
#include "OptionSheet.h"
#include "ProjOpenDlg.h"
#include "ProjSheet.h"

namespace {

struct CInstallProjDialogs
{
    CInstallProjDialogs()
    {
        CProjOpenDlg::InstallAsProjectOpen();
        COptionSheet::InstallAsProjectOptions();
        CProjSheet::InstallAsProjectSheet();
    }
};

const CInstallProjDialogs g_installProjDialogs;

}  // namespace
