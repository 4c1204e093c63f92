// The resource dialog and the tree-state dialog take their places when the library is
// loaded: the resource page's picker and the document's tree-state dialog. Tests replace
// either through the same hooks.
#include "ExpandSetDlg.h"
#include "ResDlg.h"

namespace {

struct CInstallResViewDialogs
{
    CInstallResViewDialogs()
    {
        CResDlg::InstallAsResourcePicker();
        CExpandSetDlg::InstallAsProjectExpand();
    }
};

const CInstallResViewDialogs g_installResViewDialogs;

}  // namespace
