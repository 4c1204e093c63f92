// The framework's helpers: paths, titles, strings and the bookkeeping of frames.
#include "Framework.h"

#include <climits>
#include <cstdlib>
#include <mutex>
#include <unistd.h>
#include <unordered_set>

#include "FrameworkStrings.h"

namespace pc_frame {

CString FullPath(LPCTSTR lpszPath)
{
    if (lpszPath == nullptr || *lpszPath == '\0')
        return CString();
    CString path(lpszPath);
    if (path[0] == '/')
        return path;
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof(cwd)) == nullptr)
        return path;
    CString full(cwd);
    if (full.IsEmpty() || full[full.GetLength() - 1] != '/')
        full += "/";
    return full + path;
}

CString FileTitle(LPCTSTR lpszPath)
{
    CString path(lpszPath != nullptr ? lpszPath : "");
    int nSlash = path.ReverseFind('/');
    int nBack = path.ReverseFind('\\');
    if (nBack > nSlash)
        nSlash = nBack;
    return nSlash >= 0 ? path.Mid(nSlash + 1) : path;
}

void UpdateFrameTitles(CDocument* pDoc)
{
    if (pDoc == nullptr)
        return;
    // Frames are numbered when more than one shows the document.
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL;)
    {
        CView* pView = pDoc->GetNextView(pos);
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    int n = 1;
    for (CFrameWnd* pFrame : frames)
    {
        pFrame->m_nWindow = frames.size() > 1 ? n++ : 0;
        pFrame->OnUpdateFrameTitle(TRUE);
    }
    // The main frame shows the active child's title.
    if (CWnd* pMain = AfxGetMainWnd())
        if (CMDIFrameWnd* pMDI = DYNAMIC_DOWNCAST(CMDIFrameWnd, pMain))
            pMDI->OnUpdateFrameTitle(TRUE);
}

CString SaveLoadMessage(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    UINT nIDP = nIDPDefault;
    if (e != nullptr)
    {
        if (e->IsKindOf(RUNTIME_CLASS(CFileException)))
        {
            switch (static_cast<CFileException*>(e)->m_cause)
            {
            case CFileException::fileNotFound:
            case CFileException::badPath:
                nIDP = AFX_IDP_FAILED_INVALID_PATH;
                break;
            case CFileException::diskFull:
                nIDP = AFX_IDP_FAILED_DISK_FULL;
                break;
            case CFileException::accessDenied:
                nIDP = bSaving ? AFX_IDP_FAILED_ACCESS_WRITE : AFX_IDP_FAILED_ACCESS_READ;
                break;
            case CFileException::badSeek:
            case CFileException::generic:
            case CFileException::tooManyOpenFiles:
            case CFileException::invalidFile:
            case CFileException::hardIO:
            case CFileException::directoryFull:
                nIDP = bSaving ? AFX_IDP_FAILED_IO_ERROR_WRITE : AFX_IDP_FAILED_IO_ERROR_READ;
                break;
            default:
                break;
            }
        }
        else if (e->IsKindOf(RUNTIME_CLASS(CArchiveException)))
        {
            switch (static_cast<CArchiveException*>(e)->m_cause)
            {
            case CArchiveException::badSchema:
            case CArchiveException::badClass:
            case CArchiveException::badIndex:
            case CArchiveException::endOfFile:
                nIDP = AFX_IDP_FAILED_INVALID_FORMAT;
                break;
            default:
                break;
            }
        }
        else if (e->IsKindOf(RUNTIME_CLASS(CMemoryException)))
            nIDP = AFX_IDP_FAILED_MEMORY_ALLOC;
    }
    CString prompt;
    AfxFormatString1(prompt, nIDP, lpszPathName != nullptr ? lpszPathName : "");
    return prompt;
}

namespace {
std::mutex g_frameMutex;
std::unordered_set<const CFrameWnd*>& LiveFrames()
{
    static std::unordered_set<const CFrameWnd*> frames;
    return frames;
}
}  // namespace

void RegisterLiveFrame(CFrameWnd* pFrame)
{
    std::lock_guard<std::mutex> lock(g_frameMutex);
    LiveFrames().insert(pFrame);
}

void UnregisterLiveFrame(CFrameWnd* pFrame)
{
    std::lock_guard<std::mutex> lock(g_frameMutex);
    LiveFrames().erase(pFrame);
}

bool IsLiveFrame(const CFrameWnd* pFrame)
{
    std::lock_guard<std::mutex> lock(g_frameMutex);
    return LiveFrames().count(pFrame) != 0;
}

void DiscardFailedFrame(CFrameWnd* pFrame)
{
    if (!IsLiveFrame(pFrame))
        return;  // it went with its window
    if (pFrame->m_hWnd != nullptr)
        pFrame->DestroyWindow();
    else
        delete pFrame;
}

void SetExeName(CWinApp* pApp, LPCTSTR lpszExeName)
{
    if (pApp == nullptr)
        return;
    pApp->m_strExeName = lpszExeName != nullptr ? lpszExeName : "";
    pApp->m_pszExeName = pApp->m_strExeName;
}

}  // namespace pc_frame

namespace pc_frame {

CWnd* FindDescendant(const CWnd* pWnd, int nID, BOOL bOnlyPerm)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return nullptr;
    // Direct children first, then their descendants.
    for (CWnd* pChild = pWnd->GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT))
    {
        if (pChild->GetDlgCtrlID() == nID)
        {
            if (!bOnlyPerm || CWnd::FromHandlePermanent(pChild->m_hWnd) != nullptr)
                return pChild;
        }
    }
    for (CWnd* pChild = pWnd->GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT))
    {
        if (CWnd* pFound = FindDescendant(pChild, nID, bOnlyPerm))
            return pFound;
    }
    return nullptr;
}

}  // namespace pc_frame
