// Automation values: currency texts and variant conversions.
#include <ClassLib/Core/OleVariant.h>

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <string>

namespace {

const LONGLONG kCyScale = 10000;

std::string Trimmed(LPCTSTR psz)
{
    std::string s(psz != nullptr ? psz : "");
    size_t b = s.find_first_not_of(" \t");
    size_t e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// A whole text read as a number; false when anything but blanks is left over.
bool ParseReal(LPCTSTR psz, double& d)
{
    std::string s = Trimmed(psz);
    if (s.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    d = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || *end != 0 || errno == ERANGE || !std::isfinite(d))
        return false;
    // No hexadecimal, infinity or NaN spellings.
    for (char c : s)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E'))
            return false;
    return true;
}

bool ToReal(const COleVariant& v, double& d)
{
    switch (v.vt) {
    case VT_EMPTY: d = 0; return true;
    case VT_UI1: d = v.bVal; return true;
    case VT_I2: d = v.iVal; return true;
    case VT_I4: d = v.lVal; return true;
    case VT_R4: d = v.fltVal; return true;
    case VT_R8: d = v.dblVal; return true;
    case VT_CY: d = static_cast<double>(v.cyVal.int64) / kCyScale; return true;
    case VT_DATE: d = v.date; return true;
    case VT_BOOL: d = v.boolVal != 0 ? -1 : 0; return true;
    case VT_BSTR: return ParseReal(v.strVal, d);
    default: return false;
    }
}

// Rounds half to even, as the automation conversions do; false outside [lo, hi].
bool ToWhole(double d, double lo, double hi, LONGLONG& n)
{
    double r = std::nearbyint(d);
    if (std::fabs(d - std::trunc(d)) == 0.5)
        r = 2 * std::nearbyint(d / 2);
    if (!(r >= lo && r <= hi))
        return false;
    n = static_cast<LONGLONG>(r);
    return true;
}

CString RealText(double d)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return CString(buf);
}

}  // namespace

COleCurrency::COleCurrency(long nUnits, long nFractionalUnits)
{
    m_cur.int64 = static_cast<LONGLONG>(nUnits) * kCyScale + nFractionalUnits;
}

CString COleCurrency::Format(DWORD, LCID) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString("Invalid currency");
    unsigned long long a = m_cur.int64 < 0 ? 0ull - static_cast<unsigned long long>(m_cur.int64)
                                            : static_cast<unsigned long long>(m_cur.int64);
    char buf[48];
    int n = std::snprintf(buf, sizeof buf, "%s%llu", m_cur.int64 < 0 ? "-" : "", a / kCyScale);
    unsigned frac = static_cast<unsigned>(a % kCyScale);
    if (frac != 0) {
        char f[8];
        std::snprintf(f, sizeof f, "%04u", frac);
        size_t len = std::strlen(f);
        while (len > 0 && f[len - 1] == '0')
            f[--len] = 0;
        std::snprintf(buf + n, sizeof buf - n, ".%s", f);
    }
    return CString(buf);
}

BOOL COleCurrency::ParseCurrency(LPCTSTR lpszCurrency, DWORD, LCID)
{
    std::string s = Trimmed(lpszCurrency);
    size_t i = 0;
    bool neg = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        neg = s[i++] == '-';
    unsigned long long units = 0, frac = 0;
    int nUnitDigits = 0, nFracDigits = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, ++nUnitDigits) {
        units = units * 10 + (s[i] - '0');
        if (units > 922337203685476ull)
            break;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && nFracDigits < 4; ++i, ++nFracDigits)
            frac = frac * 10 + (s[i] - '0');
    }
    if (i != s.size() || nUnitDigits + nFracDigits == 0) {
        m_cur.int64 = 0;
        m_status = invalid;
        return FALSE;
    }
    for (int k = nFracDigits; k < 4; ++k)
        frac *= 10;
    LONGLONG v = static_cast<LONGLONG>(units * kCyScale + frac);
    m_cur.int64 = neg ? -v : v;
    m_status = valid;
    return TRUE;
}

COleVariant::COleVariant(LPCTSTR lpszSrc) : vt(VT_BSTR), strVal(lpszSrc != nullptr ? lpszSrc : "") { dblVal = 0; }
COleVariant::COleVariant(const CString& strSrc) : vt(VT_BSTR), strVal(strSrc) { dblVal = 0; }
COleVariant::COleVariant(BYTE nSrc) : vt(VT_UI1) { dblVal = 0; bVal = nSrc; }
COleVariant::COleVariant(short nSrc, VARTYPE vtSrc) : vt(vtSrc == VT_BOOL ? VT_BOOL : VT_I2)
{
    dblVal = 0;
    if (vt == VT_BOOL)
        boolVal = nSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    else
        iVal = nSrc;
}
COleVariant::COleVariant(LONG lSrc) : vt(VT_I4) { dblVal = 0; lVal = lSrc; }
COleVariant::COleVariant(float fltSrc) : vt(VT_R4) { dblVal = 0; fltVal = fltSrc; }
COleVariant::COleVariant(double dblSrc) : vt(VT_R8) { dblVal = dblSrc; }
COleVariant::COleVariant(const COleCurrency& curSrc) : vt(VT_CY) { cyVal = curSrc.m_cur; }
COleVariant::COleVariant(const COleDateTime& dateSrc) : vt(VT_DATE) { date = dateSrc.m_dt; }

void COleVariant::Clear()
{
    vt = VT_EMPTY;
    dblVal = 0;
    strVal.Empty();
}

BOOL COleVariant::ChangeType(VARTYPE vartype)
{
    if (vartype == vt)
        return TRUE;
    COleVariant out;
    double d = 0;
    LONGLONG n = 0;
    switch (vartype) {
    case VT_EMPTY:
        break;
    case VT_BSTR:
        switch (vt) {
        case VT_EMPTY: out = COleVariant(""); break;
        case VT_UI1: out.strVal.Format("%d", bVal); break;
        case VT_I2: out.strVal.Format("%d", iVal); break;
        case VT_I4: out.strVal.Format("%d", static_cast<int>(lVal)); break;
        case VT_R4: out.strVal = RealText(fltVal); break;
        case VT_R8: out.strVal = RealText(dblVal); break;
        case VT_CY: out.strVal = COleCurrency(cyVal).Format(); break;
        case VT_DATE: out.strVal = COleDateTime(date).Format(); break;
        case VT_BOOL: out.strVal = boolVal != 0 ? "True" : "False"; break;
        default: return FALSE;
        }
        out.vt = VT_BSTR;
        break;
    case VT_BOOL:
        if (vt == VT_BSTR) {
            std::string s = Trimmed(strVal);
            if (s.size() == 4 && strncasecmp(s.c_str(), "true", 4) == 0)
                d = 1;
            else if (s.size() == 5 && strncasecmp(s.c_str(), "false", 5) == 0)
                d = 0;
            else if (!ParseReal(strVal, d))
                return FALSE;
        } else if (!ToReal(*this, d)) {
            return FALSE;
        }
        out = COleVariant(static_cast<short>(d != 0), VT_BOOL);
        break;
    case VT_UI1:
    case VT_I2:
    case VT_I4: {
        if (!ToReal(*this, d))
            return FALSE;
        double lo = vartype == VT_UI1 ? 0 : vartype == VT_I2 ? -32768.0 : -2147483648.0;
        double hi = vartype == VT_UI1 ? 255 : vartype == VT_I2 ? 32767.0 : 2147483647.0;
        if (!ToWhole(d, lo, hi, n))
            return FALSE;
        if (vartype == VT_UI1)
            out = COleVariant(static_cast<BYTE>(n));
        else if (vartype == VT_I2)
            out = COleVariant(static_cast<short>(n));
        else
            out = COleVariant(static_cast<LONG>(n));
        break;
    }
    case VT_R4:
    case VT_R8:
        if (!ToReal(*this, d))
            return FALSE;
        if (vartype == VT_R4 && std::fabs(d) > 3.402823466e38)
            return FALSE;
        out = vartype == VT_R4 ? COleVariant(static_cast<float>(d)) : COleVariant(d);
        break;
    case VT_CY: {
        COleCurrency cur;
        if (vt == VT_BSTR) {
            if (!cur.ParseCurrency(strVal))
                return FALSE;
        } else {
            if (!ToReal(*this, d) || !ToWhole(d * kCyScale, -9.2e18, 9.2e18, n))
                return FALSE;
            cur.m_cur.int64 = n;
        }
        out = COleVariant(cur);
        break;
    }
    case VT_DATE: {
        COleDateTime dt;
        if (vt == VT_BSTR) {
            if (!dt.ParseDateTime(strVal))
                return FALSE;
        } else {
            if (!ToReal(*this, d))
                return FALSE;
            dt = COleDateTime(static_cast<DATE>(d));
        }
        if (dt.GetStatus() != COleDateTime::valid)
            return FALSE;
        out = COleVariant(dt);
        break;
    }
    case VT_NULL:
        out.vt = VT_NULL;
        break;
    default:
        return FALSE;
    }
    *this = out;
    return TRUE;
}

bool COleVariant::operator==(const COleVariant& other) const
{
    if (vt != other.vt)
        return false;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_UI1: return bVal == other.bVal;
    case VT_I2: return iVal == other.iVal;
    case VT_I4: return lVal == other.lVal;
    case VT_R4: return fltVal == other.fltVal;
    case VT_R8: return dblVal == other.dblVal;
    case VT_CY: return cyVal.int64 == other.cyVal.int64;
    case VT_DATE: return date == other.date;
    case VT_BOOL: return (boolVal != 0) == (other.boolVal != 0);
    case VT_BSTR: return strVal == other.strVal;
    default: return false;
    }
}
