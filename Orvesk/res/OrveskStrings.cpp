// The string table of the Orvesk library.
#include <ClassLib/Afx.h>

#include "../Resource.h"

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterStrings(hModule, {
        {IDS_CAL_REST_DAY, "休息天或节假日"},
        {IDS_CAL_WORK_DAY, "工作日"},
        {IDS_TASK_DATE_FORMAT, "%#Y年%#m月%#d日"},
    });
}
