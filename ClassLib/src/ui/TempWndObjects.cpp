// The temporary object FromHandle gives for a window no object is attached to: an object of
// the control class that wraps the window's class, so that callers using it as that control
// hold an object of the real type. Only wrappers that keep no state of their own are listed;
// every other window gets a plain CWnd.
#include "TempWndObjects.h"

#include <ClassLib/Controls/Button.h>
#include <ClassLib/Controls/ComboBox.h>
#include <ClassLib/Controls/CommonControls.h>
#include <ClassLib/Controls/CommonCtrls.h>
#include <ClassLib/Controls/Edit.h>
#include <ClassLib/Controls/Static.h>
#include <ClassLib/Wnd/ScrollBar.h>

#include <strings.h>

namespace {
template <class T>
CWnd* Make()
{
    return new T;
}

struct TempClass
{
    const char* name;
    CWnd* (*make)();
};

const TempClass kTempClasses[] = {
    {WC_BUTTON, &Make<CButton>},
    {WC_EDIT, &Make<CEdit>},
    {WC_STATIC, &Make<CStatic>},
    {WC_COMBOBOX, &Make<CComboBox>},
    {WC_LISTBOX, &Make<CListBox>},
    {WC_SCROLLBAR, &Make<CScrollBar>},
    {UPDOWN_CLASS, &Make<CSpinButtonCtrl>},
    {DATETIMEPICK_CLASS, &Make<CDateTimeCtrl>},
    {MONTHCAL_CLASS, &Make<CMonthCalCtrl>},
    {PROGRESS_CLASS, &Make<CProgressCtrl>},
    {WC_IPADDRESS, &Make<CIPAddressCtrl>},
    {ANIMATE_CLASS, &Make<CAnimateCtrl>},
    {RICHEDIT_CLASS, &Make<CRichEditCtrl>},
    {RICHEDIT_CLASS10A, &Make<CRichEditCtrl>},
};
}  // namespace

CWnd* AfxNewTempWndObject(const char* pszClassName)
{
    // Class names compare without regard to case, as registration does.
    if (pszClassName != nullptr)
        for (const TempClass& c : kTempClasses)
            if (::strcasecmp(c.name, pszClassName) == 0)
                return c.make();
    return new CWnd;
}
