// Image lists: a row of equally sized images with an optional mask, drawn normally,
// transparently or blended with the highlight colour.
#pragma once

#include <ClassLib/Core/Object.h>
#include <ClassLib/Gdi/GdiObject.h>

#define ILC_MASK 0x0001
#define ILC_COLOR 0x0000
#define ILC_COLORDDB 0x00FE
#define ILC_COLOR4 0x0004
#define ILC_COLOR8 0x0008
#define ILC_COLOR16 0x0010
#define ILC_COLOR24 0x0018
#define ILC_COLOR32 0x0020
#define ILC_PALETTE 0x0800

#define ILD_NORMAL 0x0000
#define ILD_TRANSPARENT 0x0001
#define ILD_MASK 0x0010
#define ILD_IMAGE 0x0020
#define ILD_BLEND25 0x0002
#define ILD_BLEND50 0x0004
#define ILD_OVERLAYMASK 0x0F00
#define INDEXTOOVERLAYMASK(i) ((i) << 8)
#define ILD_SELECTED ILD_BLEND50
#define ILD_FOCUS ILD_BLEND25
#define ILD_BLEND ILD_BLEND50
#define CLR_HILIGHT CLR_DEFAULT

typedef struct _IMAGEINFO
{
    HBITMAP hbmImage;
    HBITMAP hbmMask;
    int Unused1;
    int Unused2;
    RECT rcImage;  // the image's cell in hbmImage: (index * cx, 0, index * cx + cx, cy)
} IMAGEINFO, *LPIMAGEINFO;

class AFX_EXT_CLASS CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)

public:
    HIMAGELIST m_hImageList;

    CImageList();
    ~CImageList() override;

    operator HIMAGELIST() const { return GetSafeHandle(); }
    HIMAGELIST GetSafeHandle() const;
    static HIMAGELIST GetSafeHandle(const CImageList* pImageList);  // NULL for a NULL object
    static CImageList* FromHandle(HIMAGELIST hImageList);
    static CImageList* FromHandlePermanent(HIMAGELIST hImageList);
    static void DeleteTempMap() {}
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // The bitmap resource cut into images cx wide; pixels of crMask (unless CLR_NONE) are
    // transparent. FALSE when the resource does not exist.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);

    int GetImageCount() const;
    BOOL SetImageCount(UINT uNewCount);
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
    BOOL GetIconSize(int* cx, int* cy) const;

    // Each adds as many images as the bitmap is wide (at least one); the result is the
    // index of the first, -1 on failure.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon);
    BOOL Remove(int nImage);  // -1 removes all
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int Replace(int nImage, HICON hIcon);
    HICON ExtractIcon(int nImage);
    BOOL SetOverlayImage(int nImage, int nOverlay);

    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle);

private:
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
};

AFX_EXT_API int ImageList_GetImageCount(HIMAGELIST himl);
AFX_EXT_API BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
AFX_EXT_API BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle);
AFX_EXT_API BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo);
