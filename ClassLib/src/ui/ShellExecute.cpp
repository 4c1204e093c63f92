// ShellExecute and WinExec on the desktop's services: web addresses and documents open in
// the desktop's default application, programs start detached.
#include "ShellInternal.h"

#include <ClassLib/Shell/Shell.h>
#include <ClassLib/Wnd/QtInterop.h>
#include <ClassLib/Wnd/UiApp.h>

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace {

CString OrEmpty(LPCTSTR p) { return CString(p ? p : ""); }

HINSTANCE AsResult(INT_PTR n) { return reinterpret_cast<HINSTANCE>(n); }

const INT_PTR kShellSuccess = 42;
const UINT kExecSuccess = 33;

// A scheme of two or more characters: one letter followed by a colon is a drive.
bool IsWebAddress(const QString& text)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(text).hasMatch();
}

bool IsProgramFile(const QFileInfo& info)
{
    if (!info.isFile() || !info.isExecutable())
        return false;
    QMimeType mime = QMimeDatabase().mimeTypeForFile(info);
    for (const char* name : {"application/x-executable", "application/x-pie-executable",
                             "application/x-sharedlib", "application/x-shellscript"})
        if (mime.inherits(QLatin1String(name)))
            return true;
    return false;
}

// The file as given, relative to the folder when one is given; a path written with '\'
// that does not exist is tried with '/'.
QFileInfo Locate(const QString& file, const QString& folder)
{
    auto resolve = [&](const QString& f) {
        QFileInfo info(f);
        if (info.isRelative() && !folder.isEmpty())
            info = QFileInfo(QDir(folder).filePath(f));
        return info;
    };
    QFileInfo info = resolve(file);
    if (!info.exists() && file.contains(QLatin1Char('\\'))) {
        QString slashed = file;
        slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
        QFileInfo other = resolve(slashed);
        if (other.exists())
            return other;
    }
    return info;
}

// A document or folder opens in the desktop's application for its type, through xdg-open.
// With no opener on the machine, or no application for the type, the answer is the
// platform's "no association" (callers that check the result say so).
INT_PTR OpenWithDesktop(const QFileInfo& info)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return SE_ERR_NOASSOC;
    const QString mime = info.isDir() ? QStringLiteral("inode/directory") : QMimeDatabase().mimeTypeForFile(info).name();
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!query.isEmpty()) {
        QProcess ask;
        ask.start(query, {QStringLiteral("query"), QStringLiteral("default"), mime});
        if (ask.waitForFinished(5000) && ask.exitStatus() == QProcess::NormalExit &&
            ask.readAllStandardOutput().trimmed().isEmpty())
            return SE_ERR_NOASSOC;
    }
    return QProcess::startDetached(opener, {info.absoluteFilePath()}, info.absolutePath()) ? kShellSuccess
                                                                                          : SE_ERR_NOASSOC;
}

INT_PTR OpenForReal(const CString& verb, const CString& file, const CString& params, const CString& dir)
{
    bool open = verb.IsEmpty() || verb.CompareNoCase("open") == 0;
    bool explore = verb.CompareNoCase("explore") == 0;
    if (!open && !explore)
        return SE_ERR_NOASSOC;
    QString target = AfxQString(file);
    if (target.isEmpty())
        return SE_ERR_FNF;
    AfxEnsureApplication();
    if (open && IsWebAddress(target)) {
        QUrl url(target, QUrl::TolerantMode);
        if (!url.isValid())
            return SE_ERR_FNF;
        return QDesktopServices::openUrl(url) ? kShellSuccess : SE_ERR_NOASSOC;
    }
    QString folder = AfxQString(dir);
    QFileInfo info = Locate(target, folder);
    if (!info.exists())
        return info.dir().exists() ? SE_ERR_FNF : SE_ERR_PNF;
    if (explore && !info.isDir())
        return SE_ERR_NOASSOC;
    if (open && IsProgramFile(info)) {
        QStringList args = QProcess::splitCommand(AfxQString(params));
        QString workDir = folder.isEmpty() ? info.absolutePath() : folder;
        return QProcess::startDetached(info.absoluteFilePath(), args, workDir) ? kShellSuccess : SE_ERR_BADFORMAT;
    }
    return OpenWithDesktop(info);
}

UINT ExecForReal(const CString& line)
{
    QStringList words = QProcess::splitCommand(AfxQString(line));
    if (words.isEmpty())
        return 0;
    QString program = words.takeFirst();
    if (!program.contains(QLatin1Char('/'))) {
        QString found = QStandardPaths::findExecutable(program);
        if (found.isEmpty())
            return ERROR_FILE_NOT_FOUND;
        program = found;
    }
    QFileInfo info(program);
    if (!info.exists())
        return info.dir().exists() ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    if (!info.isFile() || !info.isExecutable())
        return ERROR_BAD_FORMAT;
    return QProcess::startDetached(info.absoluteFilePath(), words) ? kExecSuccess : ERROR_BAD_FORMAT;
}

}  // namespace

HINSTANCE ShellExecute(HWND hwnd, LPCTSTR lpOperation, LPCTSTR lpFile, LPCTSTR lpParameters, LPCTSTR lpDirectory,
                       INT nShowCmd)
{
    AfxShellCallRecord call;
    call.kind = AfxShellCallRecord::shellExecute;
    call.hWnd = hwnd;
    call.strVerb = OrEmpty(lpOperation);
    call.strFile = OrEmpty(lpFile);
    call.strParameters = OrEmpty(lpParameters);
    call.strDirectory = OrEmpty(lpDirectory);
    call.nShowCmd = nShowCmd;
    INT_PTR result = 0;
    if (AfxShellCallTakenOver(call, &result))
        return AsResult(result);
    return AsResult(OpenForReal(call.strVerb, call.strFile, call.strParameters, call.strDirectory));
}

UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow)
{
    AfxShellCallRecord call;
    call.kind = AfxShellCallRecord::winExec;
    call.strCommandLine = OrEmpty(lpCmdLine);
    call.nShowCmd = (int)uCmdShow;
    INT_PTR result = 0;
    if (AfxShellCallTakenOver(call, &result))
        return (UINT)result;
    return ExecForReal(call.strCommandLine);
}
