// CSharedFile: CMemFile whose buffer is a locked global memory block.
#include <ClassLib/Ole/SharedFile.h>

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(nullptr), m_bAllowGrow(TRUE)
{
}

CSharedFile::~CSharedFile()
{
    // Freed here: the base destructor would free the buffer as plain heap memory.
    Close();
}

BYTE* CSharedFile::Alloc(DWORD nBytes)
{
    HGLOBAL h = GlobalAlloc(m_nAllocFlags, nBytes);
    if (!h)
        return nullptr;
    m_hGlobalMemory = h;
    return static_cast<BYTE*>(GlobalLock(h));
}

BYTE* CSharedFile::Realloc(BYTE*, DWORD nBytes)
{
    if (!m_bAllowGrow || !m_hGlobalMemory)
        return nullptr;
    GlobalUnlock(m_hGlobalMemory);
    HGLOBAL h = GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags | GMEM_MOVEABLE);
    if (!h) {
        // The old block is unchanged: lock it again so the file keeps its contents.
        GlobalLock(m_hGlobalMemory);
        return nullptr;
    }
    m_hGlobalMemory = h;
    return static_cast<BYTE*>(GlobalLock(h));
}

void CSharedFile::Free(BYTE*)
{
    if (m_hGlobalMemory) {
        GlobalUnlock(m_hGlobalMemory);
        GlobalFree(m_hGlobalMemory);
    }
    m_hGlobalMemory = nullptr;
}

void CSharedFile::Close()
{
    if (m_lpBuffer && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_hGlobalMemory = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL h = m_hGlobalMemory;
    if (h)
        GlobalUnlock(h);
    m_hGlobalMemory = nullptr;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return h;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    Close();
    if (!hGlobalMemory || GlobalFlags(hGlobalMemory) == GMEM_INVALID_HANDLE)
        return;
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = static_cast<BYTE*>(GlobalLock(hGlobalMemory));
    m_nBufferSize = static_cast<DWORD>(GlobalSize(hGlobalMemory));
    m_nFileSize = m_nBufferSize;
    m_nPosition = 0;
    m_bAllowGrow = bAllowGrow;
    if (!bAllowGrow)
        m_nGrowBytes = 0;
    else if (m_nGrowBytes == 0)
        m_nGrowBytes = 4096;
    m_bAutoDelete = TRUE;
}
