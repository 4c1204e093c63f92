// CPropertySheet: closing the sheet destroys each created page through the page's own
// (virtual) DestroyWindow, where pages save what they keep; pages never shown have no
// window and are not called.
#include "Framework.h"

#include <vector>

void CPropertySheet::OnDestroy()
{
    std::vector<CPropertyPage*> pages(m_pages.begin(), m_pages.end());
    for (CPropertyPage* pPage : pages)
    {
        if (pPage != nullptr && pPage->m_hWnd != nullptr && ::IsWindow(pPage->m_hWnd))
            pPage->DestroyWindow();
    }
    CWnd::OnDestroy();
}
