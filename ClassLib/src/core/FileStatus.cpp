// Filling CFileStatus from the file system's status of a file.
#include "FileStatus.h"

#include <climits>
#include <cstring>

#include "FilePath.h"

namespace pc_file {

BYTE Attributes(const struct stat& st, const CString& name)
{
    BYTE attributes = CFile::normal;
    if (S_ISDIR(st.st_mode))
        attributes |= CFile::directory;
    if ((st.st_mode & S_IWUSR) == 0)
        attributes |= CFile::readOnly;
    if (name.GetLength() > 0 && name[0] == '.' && name != "." && name != "..")
        attributes |= CFile::hidden;
    return attributes;
}

void FillStatus(const struct stat& st, const CString& fullName, CFileStatus& rStatus)
{
    rStatus.m_ctime = CTime(st.st_ctime);
    rStatus.m_mtime = CTime(st.st_mtime);
    rStatus.m_atime = CTime(st.st_atime);
    rStatus.m_size =
        st.st_size > static_cast<off_t>(LONG_MAX) ? LONG_MAX : static_cast<LONG>(st.st_size);
    rStatus.m_attribute = Attributes(st, NamePart(fullName));
    rStatus._m_padding = 0;
    // Cut at a character boundary when the path is longer than the field.
    const char* p = fullName;
    size_t n = 0;
    size_t nLimit = sizeof(rStatus.m_szFullName) - 1;
    while (p[n] != 0) {
        size_t nChar = (static_cast<unsigned char>(p[n]) >= 0x81 && p[n + 1] != 0) ? 2 : 1;
        if (n + nChar > nLimit)
            break;
        n += nChar;
    }
    std::memcpy(rStatus.m_szFullName, p, n);
    rStatus.m_szFullName[n] = 0;
}

}  // namespace pc_file
