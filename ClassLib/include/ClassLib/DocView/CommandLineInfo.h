// CCommandLineInfo: what the program was asked to do on its command line. The application
// object hands every argument to ParseParam (see CWinApp::ParseCommandLine), and
// ProcessShellCommand carries out the result.
#pragma once

#include <ClassLib/Core/Object.h>
#include <ClassLib/Core/String.h>

class AFX_EXT_CLASS CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();
    ~CCommandLineInfo() override;

    // One argument: bFlag when it began with "-" or "/" (pszParam is then without that
    // mark), bLast for the last argument.
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;

    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand;

    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const char* pszParam);
    void ParseParamNotFlag(const TCHAR* pszParam);
    void ParseLast(BOOL bLast);
};

// Whether an argument is a flag: it begins with "-" or "/". On this system absolute paths
// begin with "/" too, so an argument that holds a further "/" is a path, not a flag.
AFX_EXT_API BOOL AfxIsCommandLineFlag(const char* pszArg);

// The process's arguments as the program received them (argv[0] is the program), set by
// AfxWinMain; tests may set them with AfxSetCommandLine.
extern AFX_EXT_API int __argc;
extern AFX_EXT_API char** __argv;
AFX_EXT_API void AfxSetCommandLine(int argc, char** argv);
