// Message boxes through a replaceable handler.
#include <ClassLib/Core/MessageBox.h>

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/String.h>
#include <ClassLib/Resources/Resources.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

namespace {

std::atomic<AfxMessageBoxHandler> g_handler{&AfxDefaultMessageBoxHandler};

std::mutex& TitleMutex()
{
    static std::mutex m;
    return m;
}

std::string& Title()
{
    static std::string t;
    return t;
}

}  // namespace

int AfxDefaultMessageBoxHandler(LPCTSTR text, LPCTSTR caption, UINT type)
{
    std::string line;
    if (caption && *caption)
        line = Utf8FromCString(caption) + ": ";
    line += Utf8FromCString(text ? text : "");
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDCANCEL;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_CANCELTRYCONTINUE:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler)
{
    return g_handler.exchange(handler ? handler : &AfxDefaultMessageBoxHandler);
}

void AfxSetAppTitle(LPCTSTR title)
{
    std::lock_guard<std::mutex> lock(TitleMutex());
    Title() = title ? title : "";
}

LPCTSTR AfxGetAppTitle()
{
    {
        std::lock_guard<std::mutex> lock(TitleMutex());
        if (!Title().empty())
            return Title().c_str();
    }
    // Not set: the application's title string, as the program's string table gives it.
    static thread_local std::string fromResource;
    CString s;
    AfxLoadString(AFX_IDS_APP_TITLE, s);
    fromResource = s.str();
    return fromResource.c_str();
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    (void)nIDHelp;
    // Copies: the handler may show a dialog during which the title could change.
    CString text(lpszText);
    CString caption(AfxGetAppTitle());
    return g_handler.load()(text, caption, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    if (!text.LoadString(nIDPrompt))
        std::fprintf(stderr, "AfxMessageBox: no string resource %u\n", nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
