// Automation values: COleCurrency (a fixed-point amount in ten-thousandths) and COleVariant
// (one value tagged with its variant type). Texts are code page 936 CStrings, kept beside
// the number fields rather than as automation strings.
#pragma once

#include <ClassLib/Core/DateTime.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Core/WinTypes.h>

typedef unsigned short VARTYPE;
typedef short VARIANT_BOOL;
#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

enum VARENUM
{
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_UI1 = 17,
};

// A currency amount: the value times 10,000.
struct CY
{
    LONGLONG int64;
};

class AFX_EXT_CLASS COleCurrency
{
public:
    enum CurrencyStatus { valid = 0, invalid = 1, null = 2 };

    COleCurrency() { m_cur.int64 = 0; }
    COleCurrency(CY cySrc) : m_cur(cySrc) {}
    // Whole units and ten-thousandths (of the same sign).
    COleCurrency(long nUnits, long nFractionalUnits);

    CurrencyStatus GetStatus() const { return m_status; }
    void SetStatus(CurrencyStatus status) { m_status = status; }

    // The amount in the plain form: "-" for negatives, no grouping, "." and the fraction
    // without trailing zeros ("12.5", "1234", "-0.0001"). Empty when null, "Invalid
    // currency" when invalid. The flags and locale are accepted for the usual calls.
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    // Reads that form (a leading "-", digits, at most four decimals); FALSE leaves it invalid.
    BOOL ParseCurrency(LPCTSTR lpszCurrency, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    BOOL operator==(const COleCurrency& cur) const { return m_status == cur.m_status && m_cur.int64 == cur.m_cur.int64; }
    BOOL operator!=(const COleCurrency& cur) const { return !(*this == cur); }

    CY m_cur;
    CurrencyStatus m_status = valid;
};

class AFX_EXT_CLASS COleVariant
{
public:
    COleVariant() { dblVal = 0; }
    COleVariant(LPCTSTR lpszSrc);
    COleVariant(const CString& strSrc);
    COleVariant(BYTE nSrc);
    // VT_I2 or VT_BOOL (any non-zero value is true).
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    COleVariant(LONG lSrc);
    COleVariant(float fltSrc);
    COleVariant(double dblSrc);
    COleVariant(const COleCurrency& curSrc);
    COleVariant(const COleDateTime& dateSrc);

    // Back to VT_EMPTY.
    void Clear();
    // Converts in place between the types above: numbers, booleans, currency and dates to
    // and from text and to each other. FALSE (and unchanged) when the value does not convert.
    BOOL ChangeType(VARTYPE vartype);

    // Same type and value.
    bool operator==(const COleVariant& other) const;
    bool operator!=(const COleVariant& other) const { return !(*this == other); }

    VARTYPE vt = VT_EMPTY;
    union
    {
        BYTE bVal;
        short iVal;
        LONG lVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        CY cyVal;
        DATE date;
    };
    CString strVal;  // the text of a VT_BSTR value
};
