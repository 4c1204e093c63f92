// Handle getters. The member forms read the handle of an existing object; callers holding a
// pointer that may be NULL use the static forms, which test the pointer (never 'this').
#include <ClassLib/Gdi/DC.h>
#include <ClassLib/Gdi/GdiObject.h>
#include <ClassLib/Gdi/ImageList.h>
#include <ClassLib/Wnd/Wnd.h>

HGDIOBJ CGdiObject::GetSafeHandle() const { return m_hObject; }
HDC CDC::GetSafeHdc() const { return m_hDC; }
HWND CWnd::GetSafeHwnd() const { return m_hWnd; }
HIMAGELIST CImageList::GetSafeHandle() const { return m_hImageList; }

HGDIOBJ CGdiObject::GetSafeHandle(const CGdiObject* pObject) { return pObject ? pObject->m_hObject : nullptr; }
HDC CDC::GetSafeHdc(const CDC* pDC) { return pDC ? pDC->m_hDC : nullptr; }
HWND CWnd::GetSafeHwnd(const CWnd* pWnd) { return pWnd ? pWnd->m_hWnd : nullptr; }
HIMAGELIST CImageList::GetSafeHandle(const CImageList* pImageList)
{
    return pImageList ? pImageList->m_hImageList : nullptr;
}
