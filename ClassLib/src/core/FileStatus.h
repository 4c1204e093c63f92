// Filling CFileStatus from the file system's status of a file.
#pragma once

#include <ClassLib/Core/File.h>

#include <sys/stat.h>

namespace pc_file {

// The CFile::Attribute flags of a file: directory, readOnly without write permission
// for its owner, hidden for names that start with '.'.
BYTE Attributes(const struct stat& st, const CString& name);
void FillStatus(const struct stat& st, const CString& fullName, CFileStatus& rStatus);

}  // namespace pc_file
