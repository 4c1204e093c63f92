#include "OrveskTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

CMessageBoxRecorder* g_pBoxes = nullptr;

int RecordBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    UNUSED(caption);
    if (g_pBoxes != nullptr)
        g_pBoxes->entries.push_back({CString(text), type});
    return IDOK;
}

} // namespace

CProgressRecorder::CProgressRecorder()
{
    m_previous = ProjectSetProgressSink([this](UINT message, WPARAM wParam, LPARAM) {
        Entry e{message, CString()};
        if (message == WM_PROGRESS_START && wParam != 0)
            e.text = *reinterpret_cast<const CString*>(wParam);
        entries.push_back(e);
    });
}

CProgressRecorder::~CProgressRecorder()
{
    ProjectSetProgressSink(m_previous);
}

int CProgressRecorder::Count(UINT message) const
{
    return (int)std::count_if(entries.begin(), entries.end(),
                              [message](const Entry& e) { return e.message == message; });
}

std::string CProgressRecorder::Trace() const
{
    std::string s;
    for (const Entry& e : entries) {
        if (e.message == WM_PROGRESS_START)
            s += "S[" + std::string((LPCTSTR)e.text) + "]";
        else if (e.message == WM_PROGRESS_STEP)
            s += ".";
        else if (e.message == WM_PROGRESS_END)
            s += "E";
        else
            s += "?";
    }
    return s;
}

CWaitRecorder::CWaitRecorder()
{
    m_previous = ProjectSetWaitSink([this](BOOL bBegin) { trace += bBegin ? "+" : "-"; });
}

CWaitRecorder::~CWaitRecorder()
{
    ProjectSetWaitSink(m_previous);
}

CMessageBoxRecorder::CMessageBoxRecorder()
{
    g_pBoxes = this;
    m_previous = AfxSetMessageBoxHandler(&RecordBox);
}

CMessageBoxRecorder::~CMessageBoxRecorder()
{
    AfxSetMessageBoxHandler(m_previous);
    g_pBoxes = nullptr;
}

CLoginScript::CLoginScript(BOOL bAccept, const CString& strUser, const CString& strPassword)
{
    m_previous = ProjectSetLoginHandler([=](int, const CString&, const CString&, const CString&,
                                            CString& user, CString& password) {
        ++runs;
        if (!bAccept)
            return FALSE;
        user = strUser;
        password = strPassword;
        return TRUE;
    });
}

CLoginScript::~CLoginScript()
{
    ProjectSetLoginHandler(m_previous);
}


std::string ReadFileBytes(const std::string& path)
{
    return AfxTestReadFile(path);
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    AfxTestWriteFile(path, bytes);
}
