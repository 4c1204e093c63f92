// The temporary object for a window without an attached object, of the control class of its
// window class where one fits.
#pragma once

class CWnd;

CWnd* AfxNewTempWndObject(const char* pszClassName);
