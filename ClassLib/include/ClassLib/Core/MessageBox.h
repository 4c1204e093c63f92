// Message boxes. AfxMessageBox hands the text, the caption (the application's title) and
// the flags to the installed handler: the window layer installs a real dialog, tests
// install a recorder. Without a handler the text goes to stderr and the answer is the
// box's first, affirmative button, except that a box offering retry is answered with its
// way out (cancel, or abort), so that no caller can loop retrying forever unattended.
#pragma once

#include <ClassLib/Core/WinTypes.h>

// Buttons.
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_CANCELTRYCONTINUE 0x00000006u
// Icons.
#define MB_ICONHAND 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONASTERISK 0x00000040u
#define MB_USERICON 0x00000080u
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONSTOP MB_ICONHAND
// Default button.
#define MB_DEFBUTTON1 0x00000000u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_DEFBUTTON4 0x00000300u
// Modality and other options.
#define MB_APPLMODAL 0x00000000u
#define MB_SYSTEMMODAL 0x00001000u
#define MB_TASKMODAL 0x00002000u
#define MB_HELP 0x00004000u
#define MB_NOFOCUS 0x00008000u
#define MB_SETFOREGROUND 0x00010000u
#define MB_DEFAULT_DESKTOP_ONLY 0x00020000u
#define MB_TOPMOST 0x00040000u
#define MB_RIGHT 0x00080000u
#define MB_RTLREADING 0x00100000u
// Masks.
#define MB_TYPEMASK 0x0000000Fu
#define MB_ICONMASK 0x000000F0u
#define MB_DEFMASK 0x00000F00u
#define MB_MODEMASK 0x00003000u
#define MB_MISCMASK 0x0000C000u

// Answers (also the ids of the dialog's buttons).
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9
#define IDTRYAGAIN 10
#define IDCONTINUE 11

typedef int (*AfxMessageBoxHandler)(LPCTSTR text, LPCTSTR caption, UINT type);
// Installs a handler (NULL restores the default) and returns the previous one.
AFX_EXT_API AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);
// The handler used without a window system (see above).
AFX_EXT_API int AfxDefaultMessageBoxHandler(LPCTSTR text, LPCTSTR caption, UINT type);

// The caption of message boxes: the title set here, else string AFX_IDS_APP_TITLE of the
// modules' string tables, else empty. The pointer stays valid until the next call.
AFX_EXT_API void AfxSetAppTitle(LPCTSTR title);
AFX_EXT_API LPCTSTR AfxGetAppTitle();

AFX_EXT_API int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is string resource nIDPrompt.
AFX_EXT_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
