// Recorders the project document's tests install: progress messages, message boxes, the
// wait state and the login.
#pragma once

#include <ClassLib/Testing/TempFolder.h>

#include <ClassLib/Afx.h>

#include <string>
#include <vector>

#include "ProjectLogin.h"
#include "ProjectProgress.h"

// Records every progress message (with the start message's text) while it lives.
class CProgressRecorder
{
public:
    struct Entry
    {
        UINT message;
        CString text;
    };

    CProgressRecorder();
    ~CProgressRecorder();

    std::vector<Entry> entries;

    int Count(UINT message) const;
    // "S" for a start (followed by its text in brackets), "." for a step, "E" for an end.
    std::string Trace() const;

private:
    ProjectProgressSink m_previous;
};

// Records the wait state: "+" when it begins, "-" when it ends.
class CWaitRecorder
{
public:
    CWaitRecorder();
    ~CWaitRecorder();
    std::string trace;

private:
    ProjectWaitSink m_previous;
};

// Records message boxes and answers IDOK.
class CMessageBoxRecorder
{
public:
    struct Entry
    {
        CString text;
        UINT type;
    };

    CMessageBoxRecorder();
    ~CMessageBoxRecorder();
    std::vector<Entry> entries;

private:
    AfxMessageBoxHandler m_previous;
};

// Installs a login that answers as told and counts its runs.
class CLoginScript
{
public:
    CLoginScript(BOOL bAccept, const CString& strUser, const CString& strPassword);
    ~CLoginScript();
    int runs = 0;

private:
    ProjectLoginHandler m_previous;
};

// A fresh folder under the system's temporary folder, removed with its files at the end.
class CTempFolder : public CTestFolder
{
public:
    CTempFolder() : CTestFolder("orvesk-test") {}
    std::string Path(const char* name) const { return CTestFolder::Path(std::string(name)); }
    using CTestFolder::Path;
};

// The whole content of a file ("" when it cannot be read).
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
