#include <ClassLib/DocView/CommandLineInfo.h>

#include <cstring>
#include <strings.h>

int __argc = 0;
char** __argv = nullptr;

void AfxSetCommandLine(int argc, char** argv)
{
    __argc = argc;
    __argv = argv;
}

BOOL AfxIsCommandLineFlag(const char* pszArg)
{
    if (pszArg == nullptr)
        return FALSE;
    if (pszArg[0] == '-')
        return TRUE;
    return pszArg[0] == '/' && std::strchr(pszArg + 1, '/') == nullptr;
}

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew)
{
}

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast)
{
    if (pszParam == nullptr)
        pszParam = "";
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const char* pszParam)
{
    if (strcasecmp(pszParam, "pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (strcasecmp(pszParam, "p") == 0)
        m_nShellCommand = FilePrint;
    else if (strcasecmp(pszParam, "Unregister") == 0 || strcasecmp(pszParam, "Unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (strcasecmp(pszParam, "dde") == 0)
        m_nShellCommand = FileDDE;
    else if (strcasecmp(pszParam, "Embedding") == 0)
        m_bRunEmbedded = TRUE;
    else if (strcasecmp(pszParam, "Automation") == 0)
        m_bRunAutomated = TRUE;
    else if (strcasecmp(pszParam, "nologo") == 0)
        m_bShowSplash = FALSE;
}

void CCommandLineInfo::ParseParamNotFlag(const TCHAR* pszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    // "nologo" keeps the splash off even as the last argument.
    m_bShowSplash = m_bShowSplash && !m_bRunEmbedded && !m_bRunAutomated;
}
