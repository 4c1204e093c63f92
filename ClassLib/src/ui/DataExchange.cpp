// Dialog data exchange and validation over the controls' messages.
#include <ClassLib/Dialogs/DataExchange.h>

#include <ClassLib/AfxWin.h>
#include <ClassLib/Core/Exceptions.h>
#include <ClassLib/Resources/Resources.h>

#include "DdxParse.h"

#include <cfloat>
#include <climits>
#include <cstdio>

// The standard texts, in the class library's own string table.
AFX_MODULE_RESOURCES(ClassLibDialogs)
{
    AfxRegisterStrings(hModule, {
        {AFX_IDP_PARSE_INT, "Please enter an integer."},
        {AFX_IDP_PARSE_REAL, "Please enter a number."},
        {AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2."},
        {AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2."},
        {AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters."},
        {AFX_IDP_PARSE_RADIO_BUTTON, "Please select a button."},
        {AFX_IDP_PARSE_BYTE, "Please enter an integer between 0 and 255."},
        {AFX_IDP_PARSE_UINT, "Please enter a positive integer."},
        {AFX_IDP_PARSE_DATETIME, "Please enter a valid date and/or time."},
        {AFX_IDP_PARSE_CURRENCY, "Please enter a currency."},
    });
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(nullptr), m_bEditLastControl(FALSE)
{
}

CWnd* CDataExchange::PrepareCtrlWnd(int nIDC)
{
    CWnd* pCtrl = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
    if (!pCtrl) {
        TRACE("Error: no data exchange control with ID 0x%04X.\n", nIDC);
        AfxThrowNotSupportedException();
    }
    m_hWndLastControl = pCtrl->GetSafeHwnd();
    m_bEditLastControl = FALSE;
    return pCtrl;
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    return PrepareCtrlWnd(nIDC)->GetSafeHwnd();
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate) {
        TRACE("Warning: CDataExchange::Fail called when not validating.\n");
        return;
    }
    if (CWnd* pCtrl = CWnd::FromHandle(m_hWndLastControl)) {
        if (m_bEditLastControl)
            pCtrl->SendMessage(EM_SETSEL, 0, -1);
        pCtrl->SetFocus();
    }
    AfxThrowUserException();
}

namespace {

void Message(CDataExchange* pDX, UINT nID, LPCTSTR a1 = nullptr, LPCTSTR a2 = nullptr)
{
    CString text;
    if (a1) {
        LPCTSTR args[2] = {a1, a2 ? a2 : ""};
        AfxFormatStrings(text, nID, args, 2);
    } else {
        AfxLoadString(nID, text);
    }
    AfxMessageBox(text, MB_ICONEXCLAMATION, nID);
    pDX->Fail();
}

CString TextOf(HWND h)
{
    CString s;
    if (CWnd* w = CWnd::FromHandle(h))
        w->GetWindowText(s);
    return s;
}

void SetTextOf(HWND h, LPCTSTR text)
{
    if (CWnd* w = CWnd::FromHandle(h)) {
        // Only a changed text is set, so that an edit does not report a change of its own.
        CString old;
        w->GetWindowText(old);
        if (old != text)
            w->SetWindowText(text);
    }
}

LRESULT Send(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
{
    CWnd* w = CWnd::FromHandle(h);
    return w ? w->SendMessage(msg, wp, lp) : 0;
}

template <class T>
void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, long long lo, long long hi, UINT nIDBad)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!pc::ParseInteger(TextOf(h), v) || v < lo || v > hi) {
            Message(pDX, nIDBad);
            return;
        }
        value = static_cast<T>(v);
    } else {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(value));
        SetTextOf(h, buf);
    }
}

template <class T>
void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long hi, UINT nIDBad)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        unsigned long long v = 0;
        if (!pc::ParseUnsigned(TextOf(h), v) || v > hi) {
            Message(pDX, nIDBad);
            return;
        }
        value = static_cast<T>(v);
    } else {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%llu", static_cast<unsigned long long>(value));
        SetTextOf(h, buf);
    }
}

CString Number(long long v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld", v);
    return CString(buf);
}

CString UNumber(unsigned long long v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%llu", v);
    return CString(buf);
}

void RangeFail(CDataExchange* pDX, UINT nID, const CString& lo, const CString& hi)
{
    if (!pDX->m_bSaveAndValidate) {
        TRACE("Warning: initial dialog data is out of range.\n");
        return;
    }
    Message(pDX, nID, lo, hi);
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = TextOf(h);
    else
        SetTextOf(h, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    // long is the platform's 32-bit LONG here: values beyond it are refused.
    ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    ExchangeSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeUnsigned(pDX, nIDC, value, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    ExchangeUnsigned(pDX, nIDC, value, 255, AFX_IDP_PARSE_BYTE);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double v = 0;
        if (!pc::ParseReal(TextOf(h), v)) {
            Message(pDX, AFX_IDP_PARSE_REAL);
            return;
        }
        value = v;
    } else {
        SetTextOf(h, pc::FormatReal(value, DBL_DIG));
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double v = 0;
        if (!pc::ParseReal(TextOf(h), v) || v > FLT_MAX || v < -FLT_MAX) {
            Message(pDX, AFX_IDP_PARSE_REAL);
            return;
        }
        value = static_cast<float>(v);
    } else {
        SetTextOf(h, pc::FormatReal(value, FLT_DIG));
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, COleDateTime& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        COleDateTime v;
        if (!v.ParseDateTime(TextOf(h))) {
            Message(pDX, AFX_IDP_PARSE_DATETIME);
            return;
        }
        value = v;
    } else {
        SetTextOf(h, value.Format());
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(Send(h, BM_GETCHECK));
    } else {
        if (value < 0 || value > 2) {
            TRACE("Warning: dialog data checkbox value (%d) out of range.\n", value);
            value = 0;
        }
        Send(h, BM_SETCHECK, static_cast<WPARAM>(value));
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    CWnd* pCtrl = CWnd::FromHandle(h);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from this button to the next control that starts a group.
    int index = 0;
    for (CWnd* w = pCtrl; w; w = w->GetWindow(GW_HWNDNEXT), ++index) {
        if (w != pCtrl && (w->GetStyle() & WS_GROUP))
            break;
        if (!(w->SendMessage(WM_GETDLGCODE) & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (w->SendMessage(BM_GETCHECK) != 0)
                value = index;
        } else {
            w->SendMessage(BM_SETCHECK, index == value ? 1 : 0);
        }
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.GetSafeHwnd())
        return;
    CWnd* pCtrl = pDX->PrepareCtrlWnd(nIDC);
    if (!rControl.SubclassWindow(pCtrl->GetSafeHwnd())) {
        TRACE("Error: could not bind the control with ID 0x%04X.\n", nIDC);
        AfxThrowNotSupportedException();
    }
    pDX->m_hWndLastControl = rControl.GetSafeHwnd();
}

namespace {

bool IsDropList(HWND h)
{
    CWnd* w = CWnd::FromHandle(h);
    return w && (w->GetStyle() & 0x3u) == CBS_DROPDOWNLIST;
}

CString ListText(HWND h, int index, UINT lenMsg, UINT textMsg)
{
    LRESULT n = Send(h, lenMsg, static_cast<WPARAM>(index));
    if (n < 0)
        return CString();
    CString s;
    LPTSTR buf = s.GetBufferSetLength(static_cast<int>(n));
    Send(h, textMsg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf));
    s.ReleaseBuffer(static_cast<int>(n));
    return s;
}

}  // namespace

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        if (IsDropList(h)) {
            int sel = static_cast<int>(Send(h, CB_GETCURSEL));
            value = sel >= 0 ? ListText(h, sel, CB_GETLBTEXTLEN, CB_GETLBTEXT) : CString();
        } else {
            value = TextOf(h);
        }
    } else if (Send(h, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))) ==
               CB_ERR) {
        // Not among the items: a drop-down shows it in its edit part.
        if (!IsDropList(h))
            SetTextOf(h, value);
    }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        DDX_CBString(pDX, nIDC, value);
        return;
    }
    LRESULT i = Send(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
    if (i == CB_ERR) {
        if (!IsDropList(h))
            SetTextOf(h, value);
    } else {
        Send(h, CB_SETCURSEL, static_cast<WPARAM>(i));
    }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(Send(h, CB_GETCURSEL));
    else
        Send(h, CB_SETCURSEL, static_cast<WPARAM>(index));
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int sel = static_cast<int>(Send(h, LB_GETCURSEL));
        value = sel >= 0 ? ListText(h, sel, LB_GETTEXTLEN, LB_GETTEXT) : CString();
    } else if (Send(h, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))) ==
               LB_ERR) {
        Send(h, LB_SETCURSEL, static_cast<WPARAM>(-1));
    }
}

void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        DDX_LBString(pDX, nIDC, value);
        return;
    }
    LRESULT i = Send(h, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
    Send(h, LB_SETCURSEL, static_cast<WPARAM>(i == LB_ERR ? -1 : i));
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(Send(h, LB_GETCURSEL));
    else
        Send(h, LB_SETCURSEL, static_cast<WPARAM>(index));
}

void DDX_Scroll(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(Send(h, SBM_GETPOS));
    else
        Send(h, SBM_SETPOS, static_cast<WPARAM>(value), TRUE);
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate) {
        if (Send(h, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
            value = COleDateTime(st);
        else
            value.SetStatus(COleDateTime::null);
    } else if (value.GetStatus() == COleDateTime::valid && value.GetAsSystemTime(st)) {
        Send(h, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    } else {
        Send(h, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    }
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate) {
        if (Send(h, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
            value = CTime(st);
    } else if (value.GetAsSystemTime(st)) {
        Send(h, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    }
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = TextOf(h);
    } else {
        COleDateTime t;
        if (t.ParseDateTime(value)) {
            SYSTEMTIME st = {};
            if (t.GetAsSystemTime(st))
                Send(h, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
        }
    }
}

void DDX_MonthCalCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate) {
        if (Send(h, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st)))
            value = COleDateTime(st.wYear, st.wMonth, st.wDay, 0, 0, 0);
    } else if (value.GetStatus() == COleDateTime::valid && value.GetAsSystemTime(st)) {
        Send(h, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    }
}

void DDX_MonthCalCtrl(CDataExchange* pDX, int nIDC, CTime& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME st = {};
    if (pDX->m_bSaveAndValidate) {
        if (Send(h, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st)))
            value = CTime(st.wYear, st.wMonth, st.wDay, 0, 0, 0);
    } else if (value.GetAsSystemTime(st)) {
        Send(h, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    }
}

void DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        DWORD v = 0;
        Send(h, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&v));
        value = v;
    } else {
        Send(h, IPM_SETADDRESS, 0, static_cast<LPARAM>(value));
    }
}

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars)
            Message(pDX, AFX_IDP_PARSE_STRING_SIZE, Number(nChars));
    } else if (pDX->m_hWndLastControl && pDX->m_bEditLastControl) {
        Send(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars));
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (value < minVal || value > maxVal)
        RangeFail(pDX, AFX_IDP_PARSE_INT_RANGE, Number(minVal), Number(maxVal));
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    if (value < minVal || value > maxVal)
        RangeFail(pDX, AFX_IDP_PARSE_INT_RANGE, Number(minVal), Number(maxVal));
}

void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    if (value < minVal || value > maxVal)
        RangeFail(pDX, AFX_IDP_PARSE_INT_RANGE, Number(minVal), Number(maxVal));
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (value < minVal || value > maxVal)
        RangeFail(pDX, AFX_IDP_PARSE_INT_RANGE, UNumber(minVal), UNumber(maxVal));
}

void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    if (value < minVal || value > maxVal)
        RangeFail(pDX, AFX_IDP_PARSE_INT_RANGE, UNumber(minVal), UNumber(maxVal));
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    if (value < minVal || value > maxVal)
        RangeFail(pDX, AFX_IDP_PARSE_INT_RANGE, UNumber(minVal), UNumber(maxVal));
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    if (value < minVal || value > maxVal)
        RangeFail(pDX, AFX_IDP_PARSE_REAL_RANGE, pc::FormatReal(minVal, DBL_DIG), pc::FormatReal(maxVal, DBL_DIG));
}

void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    if (value < minVal || value > maxVal)
        RangeFail(pDX, AFX_IDP_PARSE_REAL_RANGE, pc::FormatReal(minVal, FLT_DIG), pc::FormatReal(maxVal, FLT_DIG));
}

void DDV_MinMaxDateTime(CDataExchange* pDX, COleDateTime& refValue, const COleDateTime* refMinRange,
                        const COleDateTime* refMaxRange)
{
    if ((refMinRange && refValue < *refMinRange) || (refMaxRange && refValue > *refMaxRange))
        RangeFail(pDX, AFX_IDP_PARSE_DATETIME, refMinRange ? refMinRange->Format() : CString(),
                  refMaxRange ? refMaxRange->Format() : CString());
}
