// Prompts of the task tree's indent and outdent commands.
#include <ClassLib/Afx.h>

#include "../TaskTreeView.h"

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterStrings(hModule, {
        {ID_TASK_OUTDENT, "任务左移"},
        {ID_TASK_INDENT, "任务右移"},
    });
}
