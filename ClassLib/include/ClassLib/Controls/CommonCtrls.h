// The common controls: up-down (CSpinButtonCtrl), date and time picker (CDateTimeCtrl),
// month calendar (CMonthCalCtrl), progress bar (CProgressCtrl), address field
// (CIPAddressCtrl) and animation (CAnimateCtrl).
#pragma once

#include <ClassLib/Controls/CommonControls.h>
#include <ClassLib/Core/DateTime.h>
#include <ClassLib/Wnd/Wnd.h>

class AFX_EXT_CLASS CSpinButtonCtrl : public CWnd
{
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    CSpinButtonCtrl();
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL SetAccel(int nAccel, UDACCEL* pAccel);
    UINT GetAccel(int nAccel, UDACCEL* pAccel) const;
    int SetBase(int nBase);
    UINT GetBase() const;
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
    // The position in the low word; a buddy text that is no number sets the high word.
    int SetPos(int nPos);
    int GetPos() const;
    int SetPos32(int nPos);
    int GetPos32(LPBOOL lpbError = nullptr) const;
    // The platform's default range runs from 100 (lower) down to 0 (upper).
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    DWORD GetRange() const;
    void GetRange(int& lower, int& upper) const;
    void GetRange32(int& lower, int& upper) const;
};

class AFX_EXT_CLASS CDateTimeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    CDateTimeCtrl();
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    COLORREF GetMonthCalColor(int iColor) const;
    COLORREF SetMonthCalColor(int iColor, COLORREF ref);
    BOOL SetFormat(LPCTSTR pstrFormat);
    CWnd* GetMonthCalCtrl() const { return nullptr; }
    DWORD GetRange(COleDateTime* pMinTime, COleDateTime* pMaxTime) const;
    DWORD GetRange(CTime* pMinTime, CTime* pMaxTime) const;
    BOOL SetRange(const COleDateTime* pMinTime, const COleDateTime* pMaxTime);
    BOOL SetRange(const CTime* pMinTime, const CTime* pMaxTime);
    DWORD GetTime(LPSYSTEMTIME pTimeDest) const;
    BOOL GetTime(COleDateTime& timeDest) const;
    DWORD GetTime(CTime& timeDest) const;
    BOOL SetTime(const COleDateTime& timeNew);
    BOOL SetTime(const CTime* pTimeNew);
    BOOL SetTime(LPSYSTEMTIME pTimeNew = nullptr);
};

class AFX_EXT_CLASS CMonthCalCtrl : public CWnd
{
    DECLARE_DYNAMIC(CMonthCalCtrl)
public:
    CMonthCalCtrl();
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    COLORREF GetColor(int nRegion) const;
    COLORREF SetColor(int nRegion, COLORREF ref);
    BOOL GetCurSel(COleDateTime& refDateTime) const;
    BOOL GetCurSel(LPSYSTEMTIME pDateTime) const;
    BOOL SetCurSel(const COleDateTime& refDateTime);
    BOOL SetCurSel(const LPSYSTEMTIME pDateTime);
    BOOL GetToday(COleDateTime& refDateTime) const;
    void SetToday(const COleDateTime& refDateTime);
    BOOL SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange);
    int GetFirstDayOfWeek(BOOL* pbLocal = nullptr) const;
    BOOL SetFirstDayOfWeek(int iDay, int* lpnOld = nullptr);
};

class AFX_EXT_CLASS CProgressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl();
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const;
    int OffsetPos(int nPos);
    int SetPos(int nPos);
    int SetStep(int nStep);
    // Advances one step; past the upper end the bar starts over from the lower end.
    int StepIt();
};

class AFX_EXT_CLASS CIPAddressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CIPAddressCtrl)
public:
    CIPAddressCtrl();
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL IsBlank() const;
    void ClearAddress();
    // The number of fields filled.
    int GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const;
    int GetAddress(DWORD& dwAddress) const;
    void SetAddress(DWORD dwAddress);
    void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3);
    void SetFieldFocus(WORD nField);
    void SetFieldRange(int nField, BYTE nLower, BYTE nUpper);
};

// A clip is a module's clip resource (AfxRegisterClip), played frame by frame; a module
// without a clip of the id but with a bitmap of that id shows the bitmap as a still.
class AFX_EXT_CLASS CAnimateCtrl : public CWnd
{
    DECLARE_DYNAMIC(CAnimateCtrl)
public:
    CAnimateCtrl();
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL Open(LPCTSTR lpszFileName);
    BOOL Open(UINT nID);
    BOOL Play(UINT nFrom, UINT nTo, UINT nRep);
    BOOL Stop();
    BOOL IsPlaying() const;
    BOOL Close() { return Open(static_cast<LPCTSTR>(nullptr)); }
    BOOL Seek(UINT nTo) { (void)nTo; return TRUE; }
};
