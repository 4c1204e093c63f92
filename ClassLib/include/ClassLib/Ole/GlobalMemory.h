// Global memory blocks: the handles that clipboard and drag-and-drop data travel in.
// A moveable block has a handle distinct from its data (GlobalLock gives the data); a
// fixed block's handle is its data pointer. Every function checks its handle against the
// blocks it made: an unknown or freed handle is refused (NULL, 0 or FALSE), never used.
#pragma once

#include <ClassLib/Core/WinTypes.h>

#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_NOCOMPACT 0x0010u
#define GMEM_NODISCARD 0x0020u
#define GMEM_ZEROINIT 0x0040u
#define GMEM_MODIFY 0x0080u
#define GMEM_DISCARDABLE 0x0100u
#define GMEM_NOT_BANKED 0x1000u
#define GMEM_SHARE 0x2000u
#define GMEM_DDESHARE 0x2000u
#define GMEM_NOTIFY 0x4000u
#define GMEM_LOWER GMEM_NOT_BANKED
#define GMEM_INVALID_HANDLE 0x8000u
#define GMEM_LOCKCOUNT 0x00FFu
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

// Blocks larger than this are refused as if memory had run out.
#define PC_GLOBAL_MAX_BYTES (static_cast<SIZE_T>(1) << 30)

typedef size_t SIZE_T;

AFX_EXT_API HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
// With GMEM_MODIFY only the flags change (fixed to moveable is allowed, as on the
// platform); otherwise the block is resized, keeping its contents (GMEM_ZEROINIT clears
// what is added). A moveable block keeps its handle; a fixed one may get a new one.
// NULL on failure, and the old block is then unchanged.
AFX_EXT_API HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags);
// NULL on success; the handle itself when it was not a live block.
AFX_EXT_API HGLOBAL GlobalFree(HGLOBAL hMem);
AFX_EXT_API LPVOID GlobalLock(HGLOBAL hMem);
// TRUE while the block stays locked; FALSE when it was unlocked by this call or was not
// locked (or is not a block).
AFX_EXT_API BOOL GlobalUnlock(HGLOBAL hMem);
AFX_EXT_API SIZE_T GlobalSize(HGLOBAL hMem);
// The allocation flags in the high byte and the lock count in the low byte;
// GMEM_INVALID_HANDLE for a handle that is not a live block.
AFX_EXT_API UINT GlobalFlags(HGLOBAL hMem);
// The handle of a block from its data pointer; NULL when the pointer is no block's data.
AFX_EXT_API HGLOBAL GlobalHandle(LPCVOID pMem);

// Number of live blocks; tests use it to check that nothing leaks.
AFX_EXT_API size_t AfxGlobalBlockCount();

// A new moveable block holding a copy of the given bytes; NULL when memory cannot be had.
AFX_EXT_API HGLOBAL AfxGlobalFromBytes(const void* pData, SIZE_T nBytes, UINT uFlags = GMEM_MOVEABLE | GMEM_DDESHARE);
