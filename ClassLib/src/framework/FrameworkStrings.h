// Helpers shared by the framework's sources and the self-drawn controls in src/ui: paths
// and titles, the framework's own strings, and the bookkeeping of frames and documents.
#pragma once

#include <ClassLib/Core/Geometry.h>
#include <ClassLib/Core/String.h>

class CDocument;
class CEdit;
class CException;
class CFrameWnd;
class CListCtrl;
class CPrintInfo;
class CWinApp;
class CWnd;

namespace pc_frame {

// The absolute form of a path (relative paths against the current folder); empty stays
// empty.
CString FullPath(LPCTSTR lpszPath);
// The file name of a path without its folders.
CString FileTitle(LPCTSTR lpszPath);
// Every frame showing the document updates its title.
void UpdateFrameTitles(CDocument* pDoc);
// The message shown when a document cannot be read or written.
CString SaveLoadMessage(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
// A frame whose LoadFrame failed: deleted unless it deleted itself with its window.
void DiscardFailedFrame(CFrameWnd* pFrame);
void RegisterLiveFrame(CFrameWnd* pFrame);
bool IsLiveFrame(const CFrameWnd* pFrame);
void UnregisterLiveFrame(CFrameWnd* pFrame);
// The framework's strings in Chinese (code page 936), registered once in ClassLib's own
// module; a module's string table may replace any of them.
void RegisterFrameworkStrings();
void SetExeName(CWinApp* pApp, LPCTSTR lpszExeName);
// The window classes of the list, header, tree and tab controls (registered once).
void EnsureControlClasses();
// The window procedure of a self-drawn control class (ControlTakeOver.cpp).
WNDPROC ControlClassProc(const char* pszClass);
// The dialog class and the standard controls' classes (buttons) of the dialog layer.
void EnsureStandardClasses();
// Printing: m_bContinuePrinting from the page number and the page count.
void ContinuePrinting(CPrintInfo* pInfo);
// Label editing of a list item: an edit over the label that ends with LVN_ENDLABELEDIT.
CEdit* BeginLabelEdit(CListCtrl* pList, int nItem);
void SetLabelEdit(CListCtrl* pList, CEdit* pEdit, int nItem);
void EndLabelEdit(CListCtrl* pList);
// A child window object the parent owns and deletes with itself.
void AdoptChild(CWnd* pParent, CWnd* pChild);
// The tip of a toolbar button (empty text hides it).
void ShowBarTip(CWnd* pBar, const CString& text, const CRect& rcButton);
// The tip text shown now, or NULL.
const CString* CurrentBarTip();

}  // namespace pc_frame
