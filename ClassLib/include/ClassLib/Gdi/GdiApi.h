// The drawing functions of the platform on handles (HDC, HPEN, ...). CDC and the object
// classes are built on the same state; these forward to them.
#pragma once

#include <ClassLib/Gdi/DC.h>
#include <ClassLib/Gdi/GdiObject.h>
#include <ClassLib/Gdi/LoadImage.h>

AFX_EXT_API HGDIOBJ GetStockObject(int i);
AFX_EXT_API BOOL DeleteObject(HGDIOBJ ho);
AFX_EXT_API HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
AFX_EXT_API int GetObject(HANDLE h, int c, LPVOID pv);
AFX_EXT_API DWORD GetObjectType(HGDIOBJ h);
AFX_EXT_API HGDIOBJ GetCurrentObject(HDC hdc, UINT type);

AFX_EXT_API HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
AFX_EXT_API HPEN CreatePenIndirect(const LOGPEN* plpen);
AFX_EXT_API HPEN ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle, const DWORD* pstyle);
AFX_EXT_API HBRUSH CreateSolidBrush(COLORREF color);
AFX_EXT_API HBRUSH CreateHatchBrush(int iHatch, COLORREF color);
AFX_EXT_API HBRUSH CreatePatternBrush(HBITMAP hbm);
AFX_EXT_API HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush);
AFX_EXT_API HFONT CreateFontIndirect(const LOGFONT* lplf);
AFX_EXT_API HFONT CreateFont(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                             DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                             DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality,
                             DWORD iPitchAndFamily, LPCTSTR pszFaceName);
AFX_EXT_API HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits);
AFX_EXT_API HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
AFX_EXT_API HBITMAP LoadBitmap(HINSTANCE hInstance, LPCTSTR lpBitmapName);
AFX_EXT_API LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits);
AFX_EXT_API LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits);

AFX_EXT_API HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
AFX_EXT_API HRGN CreateRectRgnIndirect(const RECT* lprect);
AFX_EXT_API HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);
AFX_EXT_API HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode);
AFX_EXT_API HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h);
AFX_EXT_API int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode);
AFX_EXT_API BOOL PtInRegion(HRGN hrgn, int x, int y);
AFX_EXT_API BOOL RectInRegion(HRGN hrgn, const RECT* lprect);
AFX_EXT_API int GetRgnBox(HRGN hrgn, LPRECT lprc);
AFX_EXT_API int OffsetRgn(HRGN hrgn, int x, int y);
AFX_EXT_API BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom);
AFX_EXT_API BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2);

AFX_EXT_API HDC CreateCompatibleDC(HDC hdc);
AFX_EXT_API BOOL DeleteDC(HDC hdc);
AFX_EXT_API int SaveDC(HDC hdc);
AFX_EXT_API BOOL RestoreDC(HDC hdc, int nSavedDC);
AFX_EXT_API int GetDeviceCaps(HDC hdc, int index);

AFX_EXT_API COLORREF SetBkColor(HDC hdc, COLORREF color);
AFX_EXT_API COLORREF GetBkColor(HDC hdc);
AFX_EXT_API int SetBkMode(HDC hdc, int mode);
AFX_EXT_API int GetBkMode(HDC hdc);
AFX_EXT_API COLORREF SetTextColor(HDC hdc, COLORREF color);
AFX_EXT_API COLORREF GetTextColor(HDC hdc);
AFX_EXT_API int SetROP2(HDC hdc, int rop2);
AFX_EXT_API int GetROP2(HDC hdc);
AFX_EXT_API UINT SetTextAlign(HDC hdc, UINT align);
AFX_EXT_API UINT GetTextAlign(HDC hdc);
AFX_EXT_API int SetMapMode(HDC hdc, int iMode);
AFX_EXT_API int GetMapMode(HDC hdc);
AFX_EXT_API BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
AFX_EXT_API BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
AFX_EXT_API BOOL SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
AFX_EXT_API BOOL SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
AFX_EXT_API BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
AFX_EXT_API BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
AFX_EXT_API BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppoint);
AFX_EXT_API BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppoint);
AFX_EXT_API BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c);
AFX_EXT_API BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c);
AFX_EXT_API BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
AFX_EXT_API int SetStretchBltMode(HDC hdc, int mode);

AFX_EXT_API int SelectClipRgn(HDC hdc, HRGN hrgn);
AFX_EXT_API int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode);
AFX_EXT_API int GetClipBox(HDC hdc, LPRECT lprect);
AFX_EXT_API int GetClipRgn(HDC hdc, HRGN hrgn);
AFX_EXT_API int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
AFX_EXT_API int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);

AFX_EXT_API BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
AFX_EXT_API BOOL LineTo(HDC hdc, int x, int y);
AFX_EXT_API BOOL Polyline(HDC hdc, const POINT* apt, int cpt);
AFX_EXT_API BOOL Polygon(HDC hdc, const POINT* apt, int cpt);
AFX_EXT_API BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
AFX_EXT_API BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
AFX_EXT_API BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height);
AFX_EXT_API int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
AFX_EXT_API int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
AFX_EXT_API BOOL InvertRect(HDC hDC, const RECT* lprc);
AFX_EXT_API BOOL DrawFocusRect(HDC hDC, const RECT* lprc);
AFX_EXT_API BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags);
AFX_EXT_API BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState);
AFX_EXT_API BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr);
AFX_EXT_API BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h);
AFX_EXT_API BOOL InvertRgn(HDC hdc, HRGN hrgn);
AFX_EXT_API BOOL PaintRgn(HDC hdc, HRGN hrgn);
AFX_EXT_API BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon);
AFX_EXT_API BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth,
                            UINT istepIfAniCur, HBRUSH hbrFlickerFreeDraw, UINT diFlags);
AFX_EXT_API BOOL DrawState(HDC hdc, HBRUSH hbrFore, DRAWSTATEPROC qfnCallBack, LPARAM lData,
                           WPARAM wData, int x, int y, int cx, int cy, UINT uFlags);

AFX_EXT_API int DrawText(HDC hdc, LPCTSTR lpchText, int cchText, LPRECT lprc, UINT format);
AFX_EXT_API BOOL TextOut(HDC hdc, int x, int y, LPCTSTR lpString, int c);
AFX_EXT_API BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCTSTR lpString,
                            UINT c, const INT* lpDx);
AFX_EXT_API BOOL GetTextExtentPoint32(HDC hdc, LPCTSTR lpString, int c, LPSIZE psizl);
AFX_EXT_API BOOL GetTextExtentPoint(HDC hdc, LPCTSTR lpString, int c, LPSIZE lpsz);
// Fits as many characters of the text as the width allows (whole characters of code page
// 936); alpDx receives the partial extents.
AFX_EXT_API BOOL GetTextExtentExPoint(HDC hdc, LPCTSTR lpszString, int cchString, int nMaxExtent,
                                      LPINT lpnFit, LPINT lpnDx, LPSIZE lpSize);
AFX_EXT_API BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC lptm);
AFX_EXT_API int GetTextFace(HDC hdc, int c, LPTSTR lpName);

AFX_EXT_API BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
AFX_EXT_API BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
AFX_EXT_API BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc,
                            int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop);
AFX_EXT_API COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
AFX_EXT_API COLORREF GetPixel(HDC hdc, int x, int y);
AFX_EXT_API BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color);
