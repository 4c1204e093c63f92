// CSharedFile: a memory file kept in a global memory block, so that what is written can
// be handed over as clipboard or drag-and-drop data.
#pragma once

#include <ClassLib/Core/File.h>
#include <ClassLib/Ole/GlobalMemory.h>

class AFX_EXT_CLASS CSharedFile : public CMemFile
{
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
    ~CSharedFile() override;

    // Hands the block over (its size is the buffer's, which may exceed the length written)
    // and leaves the file empty. NULL when nothing was written.
    HGLOBAL Detach();
    // The file takes the block over and frees it when closed; its length is the block's.
    // Without bAllowGrow the file cannot grow past it.
    void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

    void Close() override;

protected:
    BYTE* Alloc(DWORD nBytes) override;
    BYTE* Realloc(BYTE* lpMem, DWORD nBytes) override;
    void Free(BYTE* lpMem) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory;
    BOOL m_bAllowGrow;
};
