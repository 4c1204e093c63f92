// The locale values of the system's locale.
#include <ClassLib/Afx.h>

#include <cstring>

int GetLocaleInfo(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData)
{
    (void)Locale;  // one locale for the user and the system
    const char* value = nullptr;
    switch (LCType & 0xFFFFu)
    {
    case LOCALE_SLIST:
        value = ",";
        break;
    case LOCALE_SDECIMAL:
        value = ".";
        break;
    case LOCALE_STHOUSAND:
        value = ",";
        break;
    default:
        return 0;
    }
    const int need = static_cast<int>(std::strlen(value)) + 1;
    if (cchData == 0)
        return need;
    if (lpLCData == nullptr || cchData < need)
        return 0;
    std::memcpy(lpLCData, value, static_cast<size_t>(need));
    return need;
}
