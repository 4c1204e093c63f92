// Reading dates and times from text.
#include "FuzzEntry.h"

#include <ClassLib/Afx.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CString text(reinterpret_cast<const char*>(data), (int)size);
    static const DWORD kFlags[] = {0, VAR_DATEVALUEONLY, VAR_TIMEVALUEONLY};
    for (DWORD flags : kFlags) {
        COleDateTime dt;
        if (dt.ParseDateTime(text, flags))
            dt.Format(flags);
    }
    return 0;
}
