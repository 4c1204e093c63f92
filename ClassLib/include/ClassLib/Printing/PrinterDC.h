// Printer device contexts: a PDF file on Qt's printer, or pages kept as images at a fixed
// resolution (print preview, tests). Both print page by page (StartDoc, StartPage,
// EndPage, EndDoc, AbortDoc) and report their size through GetDeviceCaps (HORZRES and
// VERTRES the printable area in device pixels, LOGPIXELSX/Y the resolution,
// PHYSICALWIDTH/HEIGHT the paper, TECHNOLOGY DT_RASPRINTER).
#pragma once

#include <ClassLib/Gdi/DC.h>

// A context printing to a PDF file (A4 unless the paper is given in tenths of a
// millimetre), with its margins; NULL when the file cannot be written. An aborted document
// leaves no file.
AFX_EXT_API HDC AfxCreatePdfPrinterDC(LPCTSTR lpszOutputFile, int nDpi = 300, BOOL bLandscape = FALSE,
                                      int nPaperWidth = 2100, int nPaperHeight = 2970);
// A context printing pages as images of the given size in pixels at nDpi.
AFX_EXT_API HDC AfxCreateImagePrinterDC(int nWidth, int nHeight, int nDpi);
// Pages finished (EndPage) so far on a printer context; -1 for another context.
AFX_EXT_API int AfxGetPrintedPageCount(HDC hDC);
// A copy of a finished page of an image printer context as a new bitmap (delete it);
// NULL when there is no such page.
AFX_EXT_API HBITMAP AfxGetPrintedPage(HDC hDC, int nPage);
