// Dialog data exchange: DoDataExchange moves values between a dialog's members and its
// controls through these functions; UpdateData(TRUE) reads and checks, UpdateData(FALSE)
// shows. A value that cannot be read, or fails its check, is reported with the class
// library's standard message through the message box, the control gets the focus, and
// the exchange stops (UpdateData returns FALSE).
#pragma once

#include <ClassLib/Core/DateTime.h>
#include <ClassLib/Core/String.h>

class CWnd;

// The standard messages (the class library's string table; a module may give its own).
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_REAL_RANGE 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON 0xF115
#define AFX_IDP_PARSE_BYTE 0xF116
#define AFX_IDP_PARSE_UINT 0xF117
#define AFX_IDP_PARSE_DATETIME 0xF118
#define AFX_IDP_PARSE_CURRENCY 0xF119

class AFX_EXT_CLASS CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls to members, with checks
    CWnd* m_pDlgWnd;

    // The control with that id, remembered for the checks that follow; a missing control
    // stops the exchange (it is a mistake in the dialog's code or template).
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Stops a reading exchange: focus to the last control (its text selected when it is an
    // edit) and throws CUserException. While showing values it only notes the failure.
    void Fail();

    CWnd* PrepareCtrlWnd(int nIDC);

    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
AFX_EXT_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, COleDateTime& value);
AFX_EXT_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
AFX_EXT_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
AFX_EXT_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
AFX_EXT_API void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_EXT_API void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
AFX_EXT_API void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
AFX_EXT_API void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_EXT_API void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
AFX_EXT_API void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
AFX_EXT_API void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value);
AFX_EXT_API void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value);
AFX_EXT_API void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value);
AFX_EXT_API void AFXAPI DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CString& value);
AFX_EXT_API void AFXAPI DDX_MonthCalCtrl(CDataExchange* pDX, int nIDC, COleDateTime& value);
AFX_EXT_API void AFXAPI DDX_MonthCalCtrl(CDataExchange* pDX, int nIDC, CTime& value);
AFX_EXT_API void AFXAPI DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value);

AFX_EXT_API void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);
AFX_EXT_API void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
AFX_EXT_API void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
AFX_EXT_API void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
AFX_EXT_API void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
AFX_EXT_API void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
AFX_EXT_API void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
AFX_EXT_API void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal);
AFX_EXT_API void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
AFX_EXT_API void AFXAPI DDV_MinMaxDateTime(CDataExchange* pDX, COleDateTime& refValue, const COleDateTime* refMinRange,
                                           const COleDateTime* refMaxRange);
