// CSafeFile: a file written beside its target and put in the target's place only once
// it is complete, so that a save that fails half-way leaves the old file as it was.
//
//   CSafeFile file;
//   CFileException fe;
//   if (!file.Open(lpszPath, CFile::typeBinary, &fe)) ...   // or CFile::typeText
//   ... write through the file (or a CArchive on it) ...
//   file.Commit();   // the target now holds exactly what was written
//
// Open creates a hidden file with a unique name ("." + target name + ".XXXXXX") in the
// target's folder, exclusively and for writing only. Commit flushes it to the disk, gives
// it the old file's permissions and, where allowed, its owner and group (a new file gets
// 0666 less the umask), renames it over the target and flushes the folder. A file that is
// closed, aborted or destroyed without Commit is removed and the target is not touched.
//
// Paths are code page 936 text, converted to the file system's UTF-8 as CFile does.
// Failures throw CFileException (or fill the one passed to Open) with the cause, errno and
// the target's name, which is also what GetFilePath gives. A symbolic link as the target
// stays a link: the file it points to is the one replaced.
#pragma once

#include <ClassLib/Core/File.h>

#include <string>

class AFX_EXT_CLASS CSafeFile : public CStdioFile
{
    DECLARE_DYNAMIC(CSafeFile)

public:
    CSafeFile();
    ~CSafeFile() override;

    // Starts a new version of lpszFileName. Only typeText and typeBinary count among the
    // flags (without typeBinary "\n" is written as "\r\n"); the file is always write-only.
    // FALSE with pError filled when the temporary file cannot be made.
    BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;

    // Puts what was written in the target's place and closes the file. On failure the
    // temporary file is removed, the target is left as it was and CFileException is thrown.
    void Commit();
    // Closes without Commit: the temporary file is removed. Never throws.
    void Abort() override;
    // Same as Abort: only Commit replaces the target.
    void Close() override;

    // TRUE once Commit has succeeded (until the next Open).
    BOOL IsCommitted() const { return m_bCommitted; }
    // The temporary file's path as text ("" when none is open).
    CString GetTempPath() const;

private:
    // Closes the stream and removes the temporary file.
    void Discard();
    [[noreturn]] void Fail(int nErrno);

    std::string m_osTarget;  // file system path of the file to replace
    std::string m_osTemp;    // file system path of the temporary file
    BOOL m_bCommitted;
};
