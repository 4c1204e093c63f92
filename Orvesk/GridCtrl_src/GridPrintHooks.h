// What the grid's printing needs from around it: the class library's printing (print
// record, print dialog, printer contexts) and the print-preview frame of the task views.
#pragma once

#include <ClassLib/AfxWin.h>

class CGridCtrl;

#include <ClassLib/Printing/Printing.h>

// Implemented by the task views, which own the print-preview view class and its document
// template. The grid's print-preview toggle calls it.
class CGridPrintPreviewHooks
{
public:
    virtual ~CGridPrintPreviewHooks() {}
    // Makes the preview document template once, opens a preview frame and tells its view
    // the grid and the hidden main window. Returns the frame, NULL on failure.
    virtual CWnd* OpenPreviewFrame(CGridCtrl* pGrid, CWnd* pHiddenMainWnd) = 0;
    // Starts the print preview of the frame's view, once the frame is the main window.
    virtual void StartPreview(CWnd* pFrame) = 0;
};

// Set once by the module that has the preview view (NULL: the grid has no preview). Each
// library that carries the grid keeps its own.
CGridPrintPreviewHooks* GridSetPrintPreviewHooks(CGridPrintPreviewHooks* pHooks);
CGridPrintPreviewHooks* GridGetPrintPreviewHooks();
