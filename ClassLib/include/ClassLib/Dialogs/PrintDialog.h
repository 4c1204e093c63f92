// The common dialogs' base and the print dialog. On a screen the print dialog is Qt's;
// in tests it is answered by a script (ClassLib/Testing), which names a PDF file to print
// to. GetPrinterDC gives a context on the chosen printer.
#pragma once

#include <ClassLib/Dialogs/Dialog.h>

#include <memory>

#define PD_ALLPAGES 0x00000000
#define PD_SELECTION 0x00000001
#define PD_PAGENUMS 0x00000002
#define PD_NOSELECTION 0x00000004
#define PD_NOPAGENUMS 0x00000008
#define PD_COLLATE 0x00000010
#define PD_PRINTTOFILE 0x00000020
#define PD_PRINTSETUP 0x00000040
#define PD_NOWARNING 0x00000080
#define PD_RETURNDC 0x00000100
#define PD_RETURNIC 0x00000200
#define PD_RETURNDEFAULT 0x00000400
#define PD_SHOWHELP 0x00000800
#define PD_ENABLEPRINTHOOK 0x00001000
#define PD_ENABLESETUPHOOK 0x00002000
#define PD_ENABLEPRINTTEMPLATE 0x00004000
#define PD_ENABLESETUPTEMPLATE 0x00008000
#define PD_USEDEVMODECOPIES 0x00040000
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000
#define PD_DISABLEPRINTTOFILE 0x00080000
#define PD_HIDEPRINTTOFILE 0x00100000
#define PD_NONETWORKBUTTON 0x00200000

typedef struct tagPD
{
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    HINSTANCE hInstance;
    LPARAM lCustData;
} PRINTDLG, *LPPRINTDLG;

class AFX_EXT_CLASS CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);
};

class QPrinter;

class AFX_EXT_CLASS CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    ~CPrintDialog() override;

    PRINTDLG m_pd;

    INT_PTR DoModal() override;
    // The default printer without asking (a PDF file in the user's documents folder).
    BOOL GetDefaults();

    // A context on the chosen printer, made once per call; the caller deletes it
    // (DeleteDC). NULL after Cancel.
    HDC GetPrinterDC() const;
    HDC CreatePrinterDC();

    int GetCopies() const;
    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;
    int GetFromPage() const;
    int GetToPage() const;
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
    // The PDF file the printer writes to (empty for a real printer).
    CString GetOutputFile() const { return m_strOutputFile; }

    BOOL m_bPrintSetupOnly;

private:
    CString m_strOutputFile;
    CString m_strDevice;
    std::shared_ptr<QPrinter> m_printer;  // the printer Qt's dialog chose
};
