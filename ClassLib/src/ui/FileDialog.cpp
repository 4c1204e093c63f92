// The open and save dialogs.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Wnd/QtInterop.h>

#include "Backend.h"
#include "Scripts.h"
#include "WndInternal.h"

#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {

CString DirOf(const CString& path)
{
    int slash = path.ReverseFind('/');
    if (slash < 0)
        return CString();
    return slash == 0 ? CString("/") : path.Left(slash);
}

CString NameOf(const CString& path)
{
    int slash = path.ReverseFind('/');
    return slash < 0 ? path : path.Mid(slash + 1);
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    m_ofn = {};
    m_ofn.lStructSize = sizeof(OPENFILENAME);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_fileBuffer.assign(MAX_PATH, '\0');
    if (lpszFileName)
        AfxMbcsTruncateCopy(m_fileBuffer.data(), lpszFileName, MAX_PATH - 1);
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    if (lpszDefExt) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFilter) {
        // "a|b|c|d||": pairs of name and patterns, '|' becoming the platform's zero bytes.
        CString f = lpszFilter;
        m_filterBuffer.assign(static_cast<LPCTSTR>(f), size_t(f.GetLength()));
        std::replace(m_filterBuffer.begin(), m_filterBuffer.end(), '|', '\0');
        m_filterBuffer.append(2, '\0');
        m_ofn.lpstrFilter = m_filterBuffer.data();
        m_ofn.nFilterIndex = 1;
        int start = 0;
        std::vector<CString> parts;
        for (int i = 0; i <= f.GetLength(); ++i) {
            if (i == f.GetLength() || f[i] == '|') {
                parts.push_back(f.Mid(start, i - start));
                start = i + 1;
            }
        }
        for (size_t i = 0; i + 1 < parts.size(); i += 2)
            if (!parts[i].IsEmpty())
                m_filters.emplace_back(parts[i], parts[i + 1]);
    }
}

CFileDialog::~CFileDialog() = default;

void CFileDialog::TakeResult(const std::vector<CString>& paths)
{
    m_chosen = paths;
    if (m_bOpenFileDialog == FALSE && !m_chosen.empty() && !m_strDefExt.IsEmpty()) {
        // A saved name without an extension gets the default one.
        CString& p = m_chosen.front();
        if (NameOf(p).Find('.') < 0)
            p += "." + m_strDefExt;
    }
    // The platform's buffer: one full path, or the folder and the names after it.
    std::string out;
    if (m_chosen.size() == 1 || !(m_ofn.Flags & OFN_ALLOWMULTISELECT)) {
        out = m_chosen.empty() ? std::string() : m_chosen.front().str();
        out.push_back('\0');
    } else {
        out = DirOf(m_chosen.front()).str();
        out.push_back('\0');
        for (const CString& p : m_chosen) {
            out += NameOf(p).str();
            out.push_back('\0');
        }
    }
    out.push_back('\0');
    if (m_ofn.lpstrFile && m_ofn.nMaxFile > 0) {
        size_t n = std::min<size_t>(out.size(), m_ofn.nMaxFile);
        std::memcpy(m_ofn.lpstrFile, out.data(), n);
        m_ofn.lpstrFile[m_ofn.nMaxFile - 1] = '\0';
        if (m_ofn.nMaxFile >= 2 && n == m_ofn.nMaxFile)
            m_ofn.lpstrFile[m_ofn.nMaxFile - 2] = '\0';
    }
    if (!m_chosen.empty()) {
        const CString& first = m_chosen.front();
        int slash = first.ReverseFind('/');
        m_ofn.nFileOffset = static_cast<WORD>(slash + 1);
        int dot = first.ReverseFind('.');
        m_ofn.nFileExtension = static_cast<WORD>(dot > slash ? dot + 1 : first.GetLength());
    }
}

INT_PTR CFileDialog::DoModal()
{
    CWnd* pOwner = AfxGetModalOwner(m_pParentWnd);
    m_ofn.hwndOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    AfxFileDialogAnswer answer;
    if (auto script = pc::NextFileDialogScript()) {
        answer = (*script)(this);
    } else if (!pc::TheBackend().CanAskPerson()) {
        AfxReportTestFailure("a file dialog ran without a script on a headless platform; it was cancelled");
        answer.nResult = IDCANCEL;
    } else {
        QFileDialog dlg(pOwner ? AfxGetWidget(pOwner->GetSafeHwnd()) : nullptr);
        dlg.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        if (m_bOpenFileDialog)
            dlg.setFileMode((m_ofn.Flags & OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles
                            : (m_ofn.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                : QFileDialog::AnyFile);
        if (!(m_ofn.Flags & OFN_OVERWRITEPROMPT))
            dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
        if (m_ofn.lpstrTitle)
            dlg.setWindowTitle(AfxQString(m_ofn.lpstrTitle));
        if (m_ofn.lpstrInitialDir)
            dlg.setDirectory(AfxQString(m_ofn.lpstrInitialDir));
        if (m_ofn.lpstrFile && *m_ofn.lpstrFile)
            dlg.selectFile(AfxQString(m_ofn.lpstrFile));
        QStringList filters;
        for (const auto& f : m_filters) {
            QString patterns = AfxQString(f.second);
            patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
            patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
            filters << AfxQString(f.first) + QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
        // The list shows each pair's name as written, as the platform does: the patterns
        // the toolkit needs after it stay out of sight.
        dlg.setOption(QFileDialog::HideNameFilterDetails, true);
        if (!filters.isEmpty()) {
            dlg.setNameFilters(filters);
            int index = static_cast<int>(m_ofn.nFilterIndex) - 1;
            if (index >= 0 && index < filters.size())
                dlg.selectNameFilter(filters[index]);
        }
        if (dlg.exec() != QDialog::Accepted)
            return IDCANCEL;
        answer.nResult = IDOK;
        for (const QString& f : dlg.selectedFiles())
            answer.paths.push_back(AfxCString(f));
        m_ofn.nFilterIndex = static_cast<DWORD>(filters.indexOf(dlg.selectedNameFilter()) + 1);
    }
    if (answer.nResult != IDOK)
        return answer.nResult;
    if (answer.paths.empty()) {
        TRACE("Warning: a file dialog answered OK without a path; taken as Cancel.\n");
        return IDCANCEL;
    }
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) && answer.paths.size() > 1)
        answer.paths.resize(1);
    TakeResult(answer.paths);
    return IDOK;
}

CString CFileDialog::GetPathName() const
{
    return m_chosen.empty() ? CString(m_ofn.lpstrFile ? m_ofn.lpstrFile : "") : m_chosen.front();
}

CString CFileDialog::GetFileName() const
{
    return NameOf(GetPathName());
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    return DirOf(GetPathName());
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_chosen.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<uintptr_t>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    size_t i = reinterpret_cast<uintptr_t>(pos);
    if (i == 0 || i > m_chosen.size()) {
        pos = nullptr;
        return CString();
    }
    CString p = m_chosen[i - 1];
    pos = i < m_chosen.size() ? reinterpret_cast<POSITION>(static_cast<uintptr_t>(i + 1)) : nullptr;
    return p;
}
