// Scripts for the calls that wait for a person: modal dialogs and sheets, popup menus,
// file and print dialogs, drags. Each call takes the next entry queued for its kind; with
// an empty queue a headless run never waits: a modal dialog is cancelled once it is
// initialised, a popup menu is dismissed, a file or print dialog is cancelled, a drag
// drops nowhere. Every run is logged, so tests can check what was shown.
#pragma once

#include <ClassLib/Core/Geometry.h>
#include <ClassLib/Core/String.h>

#include <functional>
#include <vector>

class CWnd;
class CMenu;
class CFileDialog;
class CPrintDialog;
class COleDataSource;

// ---- Modal dialogs and property sheets ------------------------------------------------
// A script runs against the live dialog after its initialisation, inside its modal loop:
// it may set controls, type, press buttons, and run further modal calls (which take the
// next entries). When it returns and the dialog is still open, the dialog is cancelled as
// by the Escape key. A fixed result ends DoModal with that value without creating the
// dialog, as if the person had answered at once.
using AfxModalScript = std::function<void(CWnd* pDialog)>;
AFX_EXT_API void AfxTestPushModalScript(AfxModalScript script);
AFX_EXT_API void AfxTestPushModalResult(INT_PTR nResult);

struct AfxModalRecord
{
    CString strCaption;      // the window text when the script started (or the template's)
    UINT nIDTemplate = 0;    // 0 for a dialog from an in-memory template
    CString strClassName;    // the C++ run-time class name, when the class has one
    INT_PTR nResult = 0;
    bool bScripted = false;  // a script ran (false: fixed result or headless default)
    bool bLeftOpen = false;  // the script returned without ending the dialog
};
AFX_EXT_API const std::vector<AfxModalRecord>& AfxTestModalLog();

// ---- Popup menus ------------------------------------------------------------------------
// The script sees the menu as it would be shown and returns the chosen command (0 for
// a dismissed menu).
using AfxPopupMenuScript = std::function<UINT(CMenu* pMenu, UINT nFlags, CPoint point, CWnd* pOwner)>;
AFX_EXT_API void AfxTestPushPopupMenuScript(AfxPopupMenuScript script);
AFX_EXT_API void AfxTestPushPopupMenuResult(UINT nCommand);

struct AfxPopupRecord
{
    std::vector<CString> items;  // item texts in order; separators as "-", submenus as "text>"
    CPoint point;
    UINT nFlags = 0;
    UINT nResult = 0;
};
AFX_EXT_API const std::vector<AfxPopupRecord>& AfxTestPopupLog();

// ---- File and print dialogs -------------------------------------------------------------
// The paths chosen (full paths, code page 936); one entry for a single choice.
struct AfxFileDialogAnswer
{
    INT_PTR nResult = 2;  // IDCANCEL
    std::vector<CString> paths;
};
using AfxFileDialogScript = std::function<AfxFileDialogAnswer(CFileDialog* pDialog)>;
AFX_EXT_API void AfxTestPushFileDialogScript(AfxFileDialogScript script);
AFX_EXT_API void AfxTestPushFileDialogResult(INT_PTR nResult, std::vector<CString> paths = {});

// A print dialog answered OK prints to a PDF file at strOutputFile (required for OK).
struct AfxPrintDialogAnswer
{
    INT_PTR nResult = 2;  // IDCANCEL
    CString strOutputFile;
    int nCopies = 1;
    int nFromPage = 0;  // 0: all pages
    int nToPage = 0;
};
using AfxPrintDialogScript = std::function<AfxPrintDialogAnswer(CPrintDialog* pDialog)>;
AFX_EXT_API void AfxTestPushPrintDialogScript(AfxPrintDialogScript script);
AFX_EXT_API void AfxTestPushPrintDialogResult(INT_PTR nResult, LPCTSTR lpszOutputFile = nullptr);

// ---- Drag and drop ----------------------------------------------------------------------
// The script plays the drop side of a drag started by DoDragDrop and returns the effect
// (masked by the effects the source allows). AfxTestDropOn is the usual drop side.
using AfxDragScript = std::function<DWORD(COleDataSource* pSource, DWORD dwAllowed)>;
AFX_EXT_API void AfxTestPushDragScript(AfxDragScript script);

// Carries data over a window the way a drag does: enter and move at ptClient (the
// window's client coordinates) with the key state's modifiers (MK_CONTROL, MK_SHIFT,
// MK_LBUTTON...), then a drop there, or a leave when bLeave is set. Returns the effect of
// the drop (DROPEFFECT_NONE when the window refused it or was left).
AFX_EXT_API DWORD AfxTestDropOn(CWnd* pTarget, COleDataSource* pSource, CPoint ptClient, DWORD dwKeyState,
                                bool bLeave = false);

// Forgets every queued script and every log.
AFX_EXT_API void AfxTestResetScripts();
