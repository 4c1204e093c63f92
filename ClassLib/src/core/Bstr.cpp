// Automation strings: a 32-bit byte count, then the UTF-16 units, then a NUL unit. The
// handle points at the first unit, so it reads as an ordinary NUL-terminated text.
#include <ClassLib/Core/String.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

inline uint32_t* Prefix(BSTR b) { return reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(b) - sizeof(uint32_t)); }

}  // namespace

BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch)
{
    if (cch > (0x7FFFFFFFu - 16) / sizeof(OLECHAR))
        return nullptr;
    size_t bytes = static_cast<size_t>(cch) * sizeof(OLECHAR);
    char* block = static_cast<char*>(std::calloc(1, sizeof(uint32_t) + bytes + sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    uint32_t n = static_cast<uint32_t>(bytes);
    std::memcpy(block, &n, sizeof n);
    BSTR b = reinterpret_cast<BSTR>(block + sizeof(uint32_t));
    if (pch && cch)
        std::memcpy(b, pch, bytes);
    return b;
}

BSTR SysAllocString(const OLECHAR* psz)
{
    if (!psz)
        return nullptr;
    return SysAllocStringLen(psz, static_cast<UINT>(std::char_traits<char16_t>::length(psz)));
}

BOOL SysReAllocString(BSTR* pbstr, const OLECHAR* psz)
{
    if (!pbstr)
        return FALSE;
    BSTR fresh = SysAllocString(psz);
    if (psz && !fresh)
        return FALSE;
    SysFreeString(*pbstr);
    *pbstr = fresh;
    return TRUE;
}

void SysFreeString(BSTR bstr)
{
    if (bstr)
        std::free(Prefix(bstr));
}

UINT SysStringByteLen(BSTR bstr)
{
    return bstr ? *Prefix(bstr) : 0;
}

UINT SysStringLen(BSTR bstr)
{
    return SysStringByteLen(bstr) / sizeof(OLECHAR);
}
