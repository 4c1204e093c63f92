// The procedures of the standard control classes, by window class name.
#include "ControlProc.h"
#include "ButtonProc.h"
#include "ComboProc.h"
#include "DateTimeProc.h"
#include "EditProc.h"
#include "ListBoxProc.h"
#include "MiscProcs.h"
#include "SpinProc.h"
#include "StaticProc.h"

#include <ClassLib/Core/Mbcs.h>

namespace pc {

namespace {

struct ClassEntry
{
    const char* name;
    std::unique_ptr<ControlProc> (*make)(ControlHost*, DWORD, QWidget*);
};

template <class P>
std::unique_ptr<ControlProc> Make(ControlHost* host, DWORD style, QWidget* parent)
{
    return std::make_unique<P>(host, style, parent);
}

const ClassEntry kClasses[] = {
    {WC_EDIT, &Make<EditProc>},
    {WC_BUTTON, &Make<ButtonProc>},
    {WC_STATIC, &Make<StaticProc>},
    {WC_COMBOBOX, &Make<ComboProc>},
    {WC_LISTBOX, &Make<ListBoxProc>},
    {UPDOWN_CLASS, &Make<SpinProc>},
    {DATETIMEPICK_CLASS, &Make<DateTimeProc>},
    {MONTHCAL_CLASS, &Make<MonthCalProc>},
    {PROGRESS_CLASS, &Make<ProgressProc>},
    {WC_IPADDRESS, &Make<IPAddressProc>},
    {ANIMATE_CLASS, &Make<AnimateProc>},
    {RICHEDIT_CLASS, &Make<RichEditProc>},
    {RICHEDIT_CLASS10A, &Make<RichEditProc>},
    {"RichEdit20W", &Make<RichEditProc>},
};

}  // namespace

bool IsControlClass(const char* className)
{
    if (!className)
        return false;
    for (const ClassEntry& e : kClasses)
        if (_stricmp(e.name, className) == 0)
            return true;
    return false;
}

std::unique_ptr<ControlProc> MakeControlProc(const char* className, ControlHost* host, DWORD style, QWidget* parent)
{
    if (!className)
        return nullptr;
    for (const ClassEntry& e : kClasses)
        if (_stricmp(e.name, className) == 0)
            return e.make(host, style, parent);
    return nullptr;
}

}  // namespace pc
