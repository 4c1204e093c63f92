// Paths between the system's code page 936 text and the file system's UTF-8 bytes.
#include "FilePath.h"

#include <ClassLib/Core/Conversion.h>

#include <unistd.h>

#include <climits>
#include <cstring>
#include <vector>

namespace pc_file {

namespace {

bool IsAscii(const std::string& bytes)
{
    for (unsigned char ch : bytes)
        if (ch >= 0x80)
            return false;
    return true;
}

// Double-byte characters of code page 936: a lead byte 0x81-0xFE and a trail byte
// 0x40-0xFE other than 0x7F.
bool IsValidCp936(const std::string& bytes)
{
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char ch = static_cast<unsigned char>(bytes[i]);
        if (ch < 0x80)
            continue;
        if (ch == 0x80 || ch == 0xFF || i + 1 >= bytes.size())
            return false;
        unsigned char trail = static_cast<unsigned char>(bytes[++i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return false;
    }
    return true;
}

bool IsValidUtf8(const std::string& bytes)
{
    size_t i = 0;
    while (i < bytes.size()) {
        unsigned char ch = static_cast<unsigned char>(bytes[i]);
        size_t nMore;
        if (ch < 0x80)
            nMore = 0;
        else if (ch >= 0xC2 && ch <= 0xDF)
            nMore = 1;
        else if (ch >= 0xE0 && ch <= 0xEF)
            nMore = 2;
        else if (ch >= 0xF0 && ch <= 0xF4)
            nMore = 3;
        else
            return false;
        for (size_t k = 1; k <= nMore; ++k) {
            if (i + k >= bytes.size())
                return false;
            unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
        }
        i += nMore + 1;
    }
    return true;
}

}  // namespace

std::string OsPath(LPCTSTR lpszPath)
{
    std::string bytes = lpszPath != NULL ? lpszPath : "";
    std::string os;
    if (IsAscii(bytes) || !IsValidCp936(bytes)) {
        os = bytes;
        // Without a valid double-byte text only plain backslashes can be separators.
        if (!IsAscii(bytes))
            return os;
    } else {
        os = Utf8FromCp936(bytes.data(), bytes.size());
    }
    for (char& ch : os)
        if (ch == '\\')
            ch = '/';
    return os;
}

CString TextPath(const std::string& osPath)
{
    if (IsAscii(osPath) || !IsValidUtf8(osPath))
        return CString(osPath);
    return CString(Cp936FromUtf8(osPath.data(), osPath.size()));
}

std::string AbsoluteOsPath(const std::string& osPath)
{
    std::string path = osPath;
    if (path.empty() || path[0] != '/') {
        std::vector<char> cwd(PATH_MAX + 1);
        if (getcwd(cwd.data(), cwd.size()) != NULL)
            path = std::string(cwd.data()) + "/" + path;
    }
    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos <= path.size()) {
        size_t next = path.find('/', pos);
        if (next == std::string::npos)
            next = path.size();
        std::string part = path.substr(pos, next - pos);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        pos = next + 1;
    }
    std::string result;
    for (const std::string& part : parts)
        result += "/" + part;
    return result.empty() ? "/" : result;
}

CString NamePart(const CString& path)
{
    // '/' is never the trail byte of a double-byte character.
    int nSlash = path.ReverseFind('/');
    return nSlash < 0 ? path : path.Mid(nSlash + 1);
}

CString TitlePart(const CString& name)
{
    int nDot = name.ReverseFind('.');
    return nDot <= 0 ? name : name.Left(nDot);
}

}  // namespace pc_file
