// CFileFind: the files of a folder that match a name with wildcards.
#include <ClassLib/Core/File.h>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "FilePath.h"
#include "FileStatus.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

struct CFileFind::Found
{
    std::string osName;
    CString name;
    struct stat st;
};

struct CFileFind::State
{
    CString root;  // the folder, full path without a trailing '/'
    std::vector<Found> found;
    int nIndex = -1;
};

namespace {

// One character of UTF-8 text (a byte when the text is not valid there).
size_t CharLength(const std::string& s, size_t i)
{
    unsigned char ch = static_cast<unsigned char>(s[i]);
    size_t n = ch < 0x80 ? 1 : ch >= 0xF0 ? 4 : ch >= 0xE0 ? 3 : ch >= 0xC0 ? 2 : 1;
    if (i + n > s.size())
        return 1;
    for (size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 1;
    return n;
}

char Fold(char ch)
{
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

// '*' matches any run of characters, '?' one character; letters match regardless of case.
bool Matches(const std::string& pattern, size_t p, const std::string& name, size_t n)
{
    while (p < pattern.size()) {
        if (pattern[p] == '*') {
            while (p < pattern.size() && pattern[p] == '*')
                ++p;
            if (p == pattern.size())
                return true;
            for (size_t k = n; k <= name.size(); k += (k < name.size() ? CharLength(name, k) : 1))
                if (Matches(pattern, p, name, k))
                    return true;
            return false;
        }
        if (n >= name.size())
            return false;
        if (pattern[p] == '?') {
            n += CharLength(name, n);
            p += 1;
            continue;
        }
        size_t nLen = CharLength(pattern, p);
        if (nLen == 1) {
            if (Fold(pattern[p]) != Fold(name[n]))
                return false;
        } else if (pattern.compare(p, nLen, name, n, nLen) != 0) {
            return false;
        }
        p += nLen;
        n += nLen;
    }
    return n == name.size();
}

bool HasWildcards(const std::string& s)
{
    return s.find_first_of("*?") != std::string::npos;
}

}  // namespace

CFileFind::CFileFind() = default;
CFileFind::~CFileFind() = default;

void CFileFind::Close()
{
    m_pState.reset();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD)
{
    Close();
    std::string osPattern = pc_file::OsPath(pstrName != NULL ? pstrName : "*.*");
    if (osPattern.empty())
        return FALSE;

    size_t nSlash = osPattern.rfind('/');
    std::string osFolder = nSlash == std::string::npos ? std::string(".")
                           : nSlash == 0               ? std::string("/")
                                                       : osPattern.substr(0, nSlash);
    std::string namePattern =
        nSlash == std::string::npos ? osPattern : osPattern.substr(nSlash + 1);
    if (namePattern.empty())
        return FALSE;
    if (namePattern == "*.*")
        namePattern = "*";
    osFolder = pc_file::AbsoluteOsPath(osFolder);

    std::unique_ptr<State> pState(new State);
    pState->root = pc_file::TextPath(osFolder == "/" ? std::string() : osFolder);
    std::string prefix = osFolder == "/" ? std::string("/") : osFolder + "/";

    std::vector<std::string> names;
    if (!HasWildcards(namePattern)) {
        names.push_back(namePattern);
    } else {
        DIR* pDir = ::opendir(osFolder.c_str());
        if (pDir == NULL)
            return FALSE;
        while (struct dirent* pEntry = ::readdir(pDir)) {
            std::string name = pEntry->d_name;
            if (Matches(namePattern, 0, name, 0))
                names.push_back(name);
        }
        ::closedir(pDir);
        std::sort(names.begin(), names.end());
    }

    for (const std::string& name : names) {
        Found found;
        std::string osPath = prefix + name;
        if (::stat(osPath.c_str(), &found.st) != 0 && ::lstat(osPath.c_str(), &found.st) != 0)
            continue;
        found.osName = name;
        found.name = pc_file::TextPath(name);
        pState->found.push_back(found);
    }
    if (pState->found.empty())
        return FALSE;
    m_pState = std::move(pState);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_pState)
        return FALSE;
    int nCount = static_cast<int>(m_pState->found.size());
    if (m_pState->nIndex + 1 >= nCount)
        return FALSE;
    ++m_pState->nIndex;
    return m_pState->nIndex < nCount - 1;
}

const CFileFind::Found* CFileFind::Current() const
{
    if (!m_pState || m_pState->nIndex < 0)
        return NULL;
    return &m_pState->found[static_cast<size_t>(m_pState->nIndex)];
}

DWORD CFileFind::GetLength() const
{
    const Found* pFound = Current();
    if (pFound == NULL)
        return 0;
    return pFound->st.st_size > static_cast<off_t>(0xFFFFFFFF)
               ? 0xFFFFFFFF
               : static_cast<DWORD>(pFound->st.st_size);
}

CString CFileFind::GetFileName() const
{
    const Found* pFound = Current();
    return pFound != NULL ? pFound->name : CString();
}

CString CFileFind::GetRoot() const
{
    return m_pState ? m_pState->root : CString();
}

CString CFileFind::GetFilePath() const
{
    const Found* pFound = Current();
    if (pFound == NULL)
        return CString();
    return m_pState->root + "/" + pFound->name;
}

CString CFileFind::GetFileTitle() const
{
    return pc_file::TitlePart(GetFileName());
}

CString CFileFind::GetFileURL() const
{
    CString path = GetFilePath();
    return path.IsEmpty() ? path : CString("file://") + path;
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    const Found* pFound = Current();
    if (pFound == NULL)
        return FALSE;
    refTime = CTime(pFound->st.st_mtime);
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    const Found* pFound = Current();
    if (pFound == NULL)
        return FALSE;
    refTime = CTime(pFound->st.st_atime);
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    const Found* pFound = Current();
    if (pFound == NULL)
        return FALSE;
    refTime = CTime(pFound->st.st_ctime);
    return TRUE;
}

BOOL CFileFind::IsDots() const
{
    const Found* pFound = Current();
    return pFound != NULL && (pFound->osName == "." || pFound->osName == "..");
}

BOOL CFileFind::IsNormal() const
{
    const Found* pFound = Current();
    return pFound != NULL && pc_file::Attributes(pFound->st, pFound->name) == CFile::normal;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    const Found* pFound = Current();
    if (pFound == NULL)
        return FALSE;
    return (pc_file::Attributes(pFound->st, pFound->name) & dwMask) != 0;
}
