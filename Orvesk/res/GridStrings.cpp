// Strings of the grid's editors.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Resources/Resources.h>

AFX_MODULE_RESOURCES(Orvesk)
{
    // The date format of a date edited in a cell: year, month and day without leading zeros.
    AfxRegisterString(hModule, 56609, "%#Y年%#m月%#d日");
}
