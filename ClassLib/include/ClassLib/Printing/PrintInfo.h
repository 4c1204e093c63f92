// CPrintInfo: what a print job or a preview tells the code that prints: the page range,
// the page being printed, the drawing rectangle, and the print dialog of the job.
#pragma once

#include <ClassLib/Core/Geometry.h>
#include <ClassLib/Core/String.h>

class CPrintDialog;

class AFX_EXT_CLASS CPrintInfo
{
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    CPrintDialog* m_pPD;      // the job's print dialog (owned)
    BOOL m_bDocObject;
    DWORD m_dwFlags;
    int m_nOffsetPage;
    BOOL m_bDirect;           // print without the dialog
    BOOL m_bPreview;
    BOOL m_bContinuePrinting; // cleared to stop after the current page
    UINT m_nCurPage;
    UINT m_nNumPreviewPages;
    CString m_strPageDesc;
    LPVOID m_lpUserData;
    CRect m_rectDraw;         // the printable area of the page, in logical units

    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    UINT GetOffsetPage() const { return static_cast<UINT>(m_nOffsetPage); }
    UINT GetFromPage() const;
    UINT GetToPage() const;
};
