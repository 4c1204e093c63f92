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

CTempFolder::CTempFolder()
{
    const char* base = std::getenv("TMPDIR");
    std::string templ = std::string(base && *base ? base : "/tmp") + "/orvesk-test-XXXXXX";
    if (::mkdtemp(&templ[0]) != nullptr)
        m_path = templ;
}

CTempFolder::~CTempFolder()
{
    for (const std::string& name : Files())
        ::unlink(Path(name.c_str()).c_str());
    ::rmdir(m_path.c_str());
}

std::vector<std::string> CTempFolder::Files() const
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(m_path.c_str());
    if (dir == nullptr)
        return names;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), (std::streamsize)bytes.size());
}
