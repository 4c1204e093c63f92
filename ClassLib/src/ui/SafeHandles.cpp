// Handle getters that accept a NULL object, as the platform's callers expect. This file is
// compiled with -fno-delete-null-pointer-checks so the test of 'this' is kept.
#include <ClassLib/Gdi/DC.h>
#include <ClassLib/Gdi/GdiObject.h>
#include <ClassLib/Gdi/ImageList.h>
#include <ClassLib/Wnd/Wnd.h>

namespace {
template <class T>
inline bool IsNull(const T* p)
{
    // Read through a volatile copy so the comparison is never folded away.
    const T* volatile q = p;
    return q == nullptr;
}
}  // namespace

HGDIOBJ CGdiObject::GetSafeHandle() const { return IsNull(this) ? nullptr : m_hObject; }
HDC CDC::GetSafeHdc() const { return IsNull(this) ? nullptr : m_hDC; }
HWND CWnd::GetSafeHwnd() const { return IsNull(this) ? nullptr : m_hWnd; }
HIMAGELIST CImageList::GetSafeHandle() const { return IsNull(this) ? nullptr : m_hImageList; }
