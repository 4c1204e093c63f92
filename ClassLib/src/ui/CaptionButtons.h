// The caption of a child window that has one (an MDI document window): its parts, their
// hit codes, its painting and the system menu.
#pragma once

#include <ClassLib/Core/Geometry.h>
#include <ClassLib/Core/WinTypes.h>

#include <QRect>

class QPainter;
struct AfxWindow;

// Window coordinates; empty rectangles for parts the styles leave out.
struct AfxCaptionParts
{
    QRect caption;
    QRect sys, min, max, close;
};

AfxCaptionParts AfxCaptionPartsOf(const AfxWindow* w);
// HTSYSMENU, HTMINBUTTON, HTMAXBUTTON, HTCLOSE, HTCAPTION or HTNOWHERE (window coordinates).
LRESULT AfxCaptionHit(const AfxWindow* w, QPoint p);
void AfxPaintCaption(QPainter& p, const AfxWindow* w, bool active);
// The system menu of the window under its caption's left end; the chosen command goes to
// the window as WM_SYSCOMMAND.
void AfxShowSystemMenu(HWND hWnd, POINT screen);
// A press on a caption part: the button's command, the system menu (a double click on it
// closes). FALSE when the hit is not one of them.
bool AfxCaptionButtonDown(HWND hWnd, UINT hit, bool dbl);
