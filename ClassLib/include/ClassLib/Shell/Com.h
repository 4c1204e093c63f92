// COM start-up on a thread: CoInitialize / CoUninitialize, counted per thread as the
// platform counts them. The first successful start on a thread answers S_OK, each further
// one S_FALSE; every successful start (S_OK or S_FALSE) is matched by one
// CoUninitialize. A failed start is not counted. CoUninitialize on a thread that has
// nothing started does nothing.
//
// Failure can be injected for tests (a library that refuses to load when COM does not
// start): AfxTestSetComStartFailure, or the environment variable PC_TEST_COM_FAILURE
// holding an HRESULT (such as 0x80004005), read at the first start of the process.
#pragma once

#include <ClassLib/Core/WinTypes.h>

#define COINIT_MULTITHREADED 0x0
#define COINIT_APARTMENTTHREADED 0x2
#define COINIT_DISABLE_OLE1DDE 0x4
#define COINIT_SPEED_OVER_MEMORY 0x8
#ifndef RPC_E_CHANGED_MODE
#define RPC_E_CHANGED_MODE ((HRESULT)0x80010106L)
#endif

// pvReserved must be NULL (E_INVALIDARG otherwise). CoInitialize is
// CoInitializeEx(NULL, COINIT_APARTMENTTHREADED); a later start on the same thread with
// the other threading model fails with RPC_E_CHANGED_MODE.
AFX_EXT_API HRESULT CoInitialize(LPVOID pvReserved);
AFX_EXT_API HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
AFX_EXT_API void CoUninitialize();

// How many starts the calling thread holds (0: COM is not started on it).
AFX_EXT_API int AfxComStartCount();
// From now on every start fails with hr (a failure code); S_OK lets starts succeed again.
AFX_EXT_API void AfxTestSetComStartFailure(HRESULT hr);
