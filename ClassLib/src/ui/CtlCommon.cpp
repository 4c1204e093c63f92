// The common controls' classes: messages to their windows.
#include <ClassLib/AfxWin.h>

#include "AnimateClip.h"
#include "ControlClasses.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CMonthCalCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CAnimateCtrl, CWnd)

namespace {

BOOL CreateOf(CWnd* w, LPCTSTR cls, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    pc::RegisterControlClasses();
    return w->CWnd::Create(cls, nullptr, dwStyle, rect, pParentWnd, nID);
}

}  // namespace

// ---- Up-down ------------------------------------------------------------------------------
CSpinButtonCtrl::CSpinButtonCtrl() = default;
BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateOf(this, UPDOWN_CLASS, dwStyle, rect, pParentWnd, nID);
}
BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel)
{
    return (BOOL)::SendMessage(m_hWnd, UDM_SETACCEL, (WPARAM)nAccel, reinterpret_cast<LPARAM>(pAccel));
}
UINT CSpinButtonCtrl::GetAccel(int nAccel, UDACCEL* pAccel) const
{
    return (UINT)::SendMessage(m_hWnd, UDM_GETACCEL, (WPARAM)nAccel, reinterpret_cast<LPARAM>(pAccel));
}
int CSpinButtonCtrl::SetBase(int nBase) { return (int)::SendMessage(m_hWnd, UDM_SETBASE, (WPARAM)nBase, 0); }
UINT CSpinButtonCtrl::GetBase() const { return (UINT)::SendMessage(m_hWnd, UDM_GETBASE, 0, 0); }
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(
        ::SendMessage(m_hWnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->GetSafeHwnd() : nullptr), 0)));
}
CWnd* CSpinButtonCtrl::GetBuddy() const { return CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessage(m_hWnd, UDM_GETBUDDY, 0, 0))); }
int CSpinButtonCtrl::SetPos(int nPos) { return (int)(short)LOWORD(::SendMessage(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(nPos, 0))); }
int CSpinButtonCtrl::GetPos() const { return (int)(DWORD)::SendMessage(m_hWnd, UDM_GETPOS, 0, 0); }
int CSpinButtonCtrl::SetPos32(int nPos) { return (int)::SendMessage(m_hWnd, UDM_SETPOS32, 0, nPos); }
int CSpinButtonCtrl::GetPos32(LPBOOL lpbError) const
{
    return (int)::SendMessage(m_hWnd, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError));
}
void CSpinButtonCtrl::SetRange(short nLower, short nUpper) { ::SendMessage(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) { ::SendMessage(m_hWnd, UDM_SETRANGE32, (WPARAM)(INT_PTR)nLower, nUpper); }
DWORD CSpinButtonCtrl::GetRange() const { return (DWORD)::SendMessage(m_hWnd, UDM_GETRANGE, 0, 0); }
void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    DWORD r = GetRange();
    lower = (short)HIWORD(r);
    upper = (short)LOWORD(r);
}
void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    ::SendMessage(m_hWnd, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

// ---- Date and time picker -----------------------------------------------------------------
CDateTimeCtrl::CDateTimeCtrl() = default;
BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateOf(this, DATETIMEPICK_CLASS, dwStyle, rect, pParentWnd, nID);
}
COLORREF CDateTimeCtrl::GetMonthCalColor(int iColor) const { return (COLORREF)::SendMessage(m_hWnd, DTM_GETMCCOLOR, (WPARAM)iColor, 0); }
COLORREF CDateTimeCtrl::SetMonthCalColor(int iColor, COLORREF ref)
{
    return (COLORREF)::SendMessage(m_hWnd, DTM_SETMCCOLOR, (WPARAM)iColor, (LPARAM)ref);
}
BOOL CDateTimeCtrl::SetFormat(LPCTSTR pstrFormat) { return (BOOL)::SendMessage(m_hWnd, DTM_SETFORMAT, 0, reinterpret_cast<LPARAM>(pstrFormat)); }
DWORD CDateTimeCtrl::GetRange(COleDateTime* pMinTime, COleDateTime* pMaxTime) const
{
    SYSTEMTIME st[2] = {};
    DWORD flags = (DWORD)::SendMessage(m_hWnd, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(st));
    if (pMinTime)
        *pMinTime = (flags & GDTR_MIN) ? COleDateTime(st[0]) : COleDateTime();
    if (pMaxTime)
        *pMaxTime = (flags & GDTR_MAX) ? COleDateTime(st[1]) : COleDateTime();
    return flags;
}
DWORD CDateTimeCtrl::GetRange(CTime* pMinTime, CTime* pMaxTime) const
{
    SYSTEMTIME st[2] = {};
    DWORD flags = (DWORD)::SendMessage(m_hWnd, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(st));
    if (pMinTime && (flags & GDTR_MIN))
        *pMinTime = CTime(st[0]);
    if (pMaxTime && (flags & GDTR_MAX))
        *pMaxTime = CTime(st[1]);
    return flags;
}
BOOL CDateTimeCtrl::SetRange(const COleDateTime* pMinTime, const COleDateTime* pMaxTime)
{
    SYSTEMTIME st[2] = {};
    WPARAM flags = 0;
    if (pMinTime && pMinTime->GetStatus() == COleDateTime::valid && pMinTime->GetAsSystemTime(st[0]))
        flags |= GDTR_MIN;
    if (pMaxTime && pMaxTime->GetStatus() == COleDateTime::valid && pMaxTime->GetAsSystemTime(st[1]))
        flags |= GDTR_MAX;
    return (BOOL)::SendMessage(m_hWnd, DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(st));
}
BOOL CDateTimeCtrl::SetRange(const CTime* pMinTime, const CTime* pMaxTime)
{
    SYSTEMTIME st[2] = {};
    WPARAM flags = 0;
    if (pMinTime && pMinTime->GetAsSystemTime(st[0]))
        flags |= GDTR_MIN;
    if (pMaxTime && pMaxTime->GetAsSystemTime(st[1]))
        flags |= GDTR_MAX;
    return (BOOL)::SendMessage(m_hWnd, DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(st));
}
DWORD CDateTimeCtrl::GetTime(LPSYSTEMTIME pTimeDest) const
{
    return (DWORD)::SendMessage(m_hWnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(pTimeDest));
}
BOOL CDateTimeCtrl::GetTime(COleDateTime& timeDest) const
{
    SYSTEMTIME st = {};
    DWORD r = GetTime(&st);
    if (r == GDT_VALID) {
        timeDest = COleDateTime(st);
        return TRUE;
    }
    timeDest.SetStatus(r == GDT_NONE ? COleDateTime::null : COleDateTime::invalid);
    return FALSE;
}
DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const
{
    SYSTEMTIME st = {};
    DWORD r = GetTime(&st);
    if (r == GDT_VALID)
        timeDest = CTime(st);
    return r;
}
BOOL CDateTimeCtrl::SetTime(const COleDateTime& timeNew)
{
    SYSTEMTIME st = {};
    if (timeNew.GetStatus() == COleDateTime::valid && timeNew.GetAsSystemTime(st))
        return (BOOL)::SendMessage(m_hWnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    if (timeNew.GetStatus() == COleDateTime::null)
        return (BOOL)::SendMessage(m_hWnd, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    return FALSE;
}
BOOL CDateTimeCtrl::SetTime(const CTime* pTimeNew)
{
    SYSTEMTIME st = {};
    if (pTimeNew && pTimeNew->GetAsSystemTime(st))
        return (BOOL)::SendMessage(m_hWnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    return (BOOL)::SendMessage(m_hWnd, DTM_SETSYSTEMTIME, GDT_NONE, 0);
}
BOOL CDateTimeCtrl::SetTime(LPSYSTEMTIME pTimeNew)
{
    return (BOOL)::SendMessage(m_hWnd, DTM_SETSYSTEMTIME, pTimeNew ? GDT_VALID : GDT_NONE, reinterpret_cast<LPARAM>(pTimeNew));
}

// ---- Month calendar ----------------------------------------------------------------------
CMonthCalCtrl::CMonthCalCtrl() = default;
BOOL CMonthCalCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateOf(this, MONTHCAL_CLASS, dwStyle, rect, pParentWnd, nID);
}
COLORREF CMonthCalCtrl::GetColor(int nRegion) const { return (COLORREF)::SendMessage(m_hWnd, MCM_GETCOLOR, (WPARAM)nRegion, 0); }
COLORREF CMonthCalCtrl::SetColor(int nRegion, COLORREF ref) { return (COLORREF)::SendMessage(m_hWnd, MCM_SETCOLOR, (WPARAM)nRegion, (LPARAM)ref); }
BOOL CMonthCalCtrl::GetCurSel(LPSYSTEMTIME pDateTime) const
{
    return (BOOL)::SendMessage(m_hWnd, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(pDateTime));
}
BOOL CMonthCalCtrl::GetCurSel(COleDateTime& refDateTime) const
{
    SYSTEMTIME st = {};
    if (!GetCurSel(&st))
        return FALSE;
    refDateTime = COleDateTime(st.wYear, st.wMonth, st.wDay, 0, 0, 0);
    return TRUE;
}
BOOL CMonthCalCtrl::SetCurSel(const LPSYSTEMTIME pDateTime)
{
    return (BOOL)::SendMessage(m_hWnd, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(pDateTime));
}
BOOL CMonthCalCtrl::SetCurSel(const COleDateTime& refDateTime)
{
    SYSTEMTIME st = {};
    return refDateTime.GetAsSystemTime(st) && SetCurSel(&st);
}
BOOL CMonthCalCtrl::GetToday(COleDateTime& refDateTime) const
{
    SYSTEMTIME st = {};
    if (!::SendMessage(m_hWnd, MCM_GETTODAY, 0, reinterpret_cast<LPARAM>(&st)))
        return FALSE;
    refDateTime = COleDateTime(st.wYear, st.wMonth, st.wDay, 0, 0, 0);
    return TRUE;
}
void CMonthCalCtrl::SetToday(const COleDateTime& refDateTime)
{
    SYSTEMTIME st = {};
    if (refDateTime.GetAsSystemTime(st))
        ::SendMessage(m_hWnd, MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(&st));
}
BOOL CMonthCalCtrl::SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange)
{
    SYSTEMTIME st[2] = {};
    WPARAM flags = 0;
    if (pMinRange && pMinRange->GetAsSystemTime(st[0]))
        flags |= GDTR_MIN;
    if (pMaxRange && pMaxRange->GetAsSystemTime(st[1]))
        flags |= GDTR_MAX;
    return (BOOL)::SendMessage(m_hWnd, MCM_SETRANGE, flags, reinterpret_cast<LPARAM>(st));
}
int CMonthCalCtrl::GetFirstDayOfWeek(BOOL* pbLocal) const
{
    if (pbLocal)
        *pbLocal = FALSE;
    return (int)::SendMessage(m_hWnd, MCM_GETFIRSTDAYOFWEEK, 0, 0);
}
BOOL CMonthCalCtrl::SetFirstDayOfWeek(int iDay, int* lpnOld)
{
    int old = (int)::SendMessage(m_hWnd, MCM_SETFIRSTDAYOFWEEK, 0, iDay);
    if (lpnOld)
        *lpnOld = old;
    return TRUE;
}

// ---- Progress bar -------------------------------------------------------------------------
CProgressCtrl::CProgressCtrl() = default;
BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateOf(this, PROGRESS_CLASS, dwStyle, rect, pParentWnd, nID);
}
void CProgressCtrl::SetRange(short nLower, short nUpper) { ::SendMessage(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
void CProgressCtrl::SetRange32(int nLower, int nUpper) { ::SendMessage(m_hWnd, PBM_SETRANGE32, (WPARAM)(INT_PTR)nLower, nUpper); }
void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE r = {0, 0};
    ::SendMessage(m_hWnd, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&r));
    nLower = r.iLow;
    nUpper = r.iHigh;
}
int CProgressCtrl::GetPos() const { return (int)::SendMessage(m_hWnd, PBM_GETPOS, 0, 0); }
int CProgressCtrl::OffsetPos(int nPos) { return (int)::SendMessage(m_hWnd, PBM_DELTAPOS, (WPARAM)(INT_PTR)nPos, 0); }
int CProgressCtrl::SetPos(int nPos) { return (int)::SendMessage(m_hWnd, PBM_SETPOS, (WPARAM)(INT_PTR)nPos, 0); }
int CProgressCtrl::SetStep(int nStep) { return (int)::SendMessage(m_hWnd, PBM_SETSTEP, (WPARAM)(INT_PTR)nStep, 0); }
int CProgressCtrl::StepIt() { return (int)::SendMessage(m_hWnd, PBM_STEPIT, 0, 0); }

// ---- Address field ------------------------------------------------------------------------
CIPAddressCtrl::CIPAddressCtrl() = default;
BOOL CIPAddressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateOf(this, WC_IPADDRESS, dwStyle, rect, pParentWnd, nID);
}
BOOL CIPAddressCtrl::IsBlank() const { return (BOOL)::SendMessage(m_hWnd, IPM_ISBLANK, 0, 0); }
void CIPAddressCtrl::ClearAddress() { ::SendMessage(m_hWnd, IPM_CLEARADDRESS, 0, 0); }
int CIPAddressCtrl::GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const
{
    DWORD a = 0;
    int n = (int)::SendMessage(m_hWnd, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&a));
    nField0 = (BYTE)FIRST_IPADDRESS(a);
    nField1 = (BYTE)SECOND_IPADDRESS(a);
    nField2 = (BYTE)THIRD_IPADDRESS(a);
    nField3 = (BYTE)FOURTH_IPADDRESS(a);
    return n;
}
int CIPAddressCtrl::GetAddress(DWORD& dwAddress) const
{
    return (int)::SendMessage(m_hWnd, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&dwAddress));
}
void CIPAddressCtrl::SetAddress(DWORD dwAddress) { ::SendMessage(m_hWnd, IPM_SETADDRESS, 0, (LPARAM)dwAddress); }
void CIPAddressCtrl::SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3)
{
    SetAddress((DWORD)MAKEIPADDRESS(nField0, nField1, nField2, nField3));
}
void CIPAddressCtrl::SetFieldFocus(WORD nField) { ::SendMessage(m_hWnd, IPM_SETFOCUS, nField, 0); }
void CIPAddressCtrl::SetFieldRange(int nField, BYTE nLower, BYTE nUpper)
{
    ::SendMessage(m_hWnd, IPM_SETRANGE, (WPARAM)nField, MAKEIPRANGE(nLower, nUpper));
}

// ---- Animation -------------------------------------------------------------------------------
CAnimateCtrl::CAnimateCtrl() = default;
BOOL CAnimateCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateOf(this, ANIMATE_CLASS, dwStyle, rect, pParentWnd, nID);
}
BOOL CAnimateCtrl::Open(LPCTSTR lpszFileName)
{
    if (lpszFileName && IS_INTRESOURCE(lpszFileName)) {
        if (const void* pClip = AfxFindResource(lpszFileName, RT_AFX_CLIP))
            return (BOOL)::SendMessage(m_hWnd, ACM_OPEN, pc::kAnimateOpenClip, reinterpret_cast<LPARAM>(pClip));
    }
    // Without a clip, a bitmap of the same id is shown as a still.
    HBITMAP bm = nullptr;
    if (lpszFileName && IS_INTRESOURCE(lpszFileName)) {
        CBitmap b;
        if (b.LoadBitmap(lpszFileName))
            bm = static_cast<HBITMAP>(b.Detach());
    }
    if (lpszFileName && !bm)
        bm = reinterpret_cast<HBITMAP>(1);  // a clip that has no picture: opened, shows nothing
    return (BOOL)::SendMessage(m_hWnd, ACM_OPEN, 0, reinterpret_cast<LPARAM>(bm));
}
BOOL CAnimateCtrl::Open(UINT nID) { return Open(MAKEINTRESOURCE(nID)); }
BOOL CAnimateCtrl::Play(UINT nFrom, UINT nTo, UINT nRep)
{
    return (BOOL)::SendMessage(m_hWnd, ACM_PLAY, (WPARAM)nRep, MAKELONG(nFrom, nTo));
}
BOOL CAnimateCtrl::Stop() { return (BOOL)::SendMessage(m_hWnd, ACM_STOP, 0, 0); }
BOOL CAnimateCtrl::IsPlaying() const { return (BOOL)::SendMessage(m_hWnd, ACM_ISPLAYING, 0, 0); }
