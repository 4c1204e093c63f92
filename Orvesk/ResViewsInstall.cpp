// The resource dialog, the tree-state dialog and the chart's format dialog take their places
// when the library is loaded: the resource page's picker, the document's tree-state dialog and
// the chart's format command. Tests replace each through the same hooks.
#include "ExpandSetDlg.h"
#include "GanttStyleDlg.h"
#include "Gantt_src/GanttStyleRunner.h"
#include "ResDlg.h"

namespace {

struct CInstallResViewDialogs
{
    CInstallResViewDialogs()
    {
        CResDlg::InstallAsResourcePicker();
        CExpandSetDlg::InstallAsProjectExpand();
        GanttSetStyleRunner([](int& nStyle) -> INT_PTR {
            CGanttStyleDlg dlg(AfxGetMainWnd());
            dlg.SetStyle(nStyle);
            const INT_PTR nResult = dlg.DoModal();
            if (nResult == IDOK)
                nStyle = dlg.GetStyle();
            return nResult;
        });
    }
};

const CInstallResViewDialogs g_installResViewDialogs;

}  // namespace
