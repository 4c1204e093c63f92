// Internal state of device contexts.
#pragma once

#include "GdiInternal.h"

#include <ClassLib/Gdi/DC.h>

#include <optional>
#include <vector>

struct AfxDCState
{
    HPEN hPen = nullptr;
    std::shared_ptr<AfxPenData> pen;
    HBRUSH hBrush = nullptr;
    std::shared_ptr<AfxBrushData> brush;
    HFONT hFont = nullptr;
    std::shared_ptr<AfxFontData> font;
    HBITMAP hBitmap = nullptr;  // memory contexts
    std::shared_ptr<AfxBitmapData> bitmap;
    HPALETTE hPalette = nullptr;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
    int charExtra = 0;
    int mapMode = MM_TEXT;
    CPoint windowOrg{0, 0};
    CPoint viewportOrg{0, 0};
    CSize windowExt{1, 1};
    CSize viewportExt{1, 1};
    CPoint position{0, 0};
    CPoint brushOrg{0, 0};
    std::optional<QRegion> clip;  // device coordinates; none = no clip region
    int breakExtra = 0;
    int breakCount = 0;
};

struct AfxDCImpl
{
    HDC hdc = nullptr;
    enum Kind { Window, Memory, Target } kind = Memory;
    HWND hwnd = nullptr;     // the window drawn on, or the window a memory context came from
    bool paintDC = false;    // from BeginPaint
    bool windowDC = false;   // GetWindowDC: origin at the window's top-left
    bool printing = false;
    std::shared_ptr<AfxDCTarget> target;  // where the pixels go
    QRegion systemClip;                    // device coordinates; empty = the whole target
    bool hasSystemClip = false;
    QPoint deviceOffset;                   // added to device coordinates (window contexts)
    AfxDCState st;
    std::vector<AfxDCState> saved;
    CDC* permanent = nullptr;
    std::unique_ptr<CDC> temp;
    QRect dirty;                           // target pixels changed since the last blit

    // Geometry.
    QPoint ToDevice(int x, int y) const;
    QPoint ToDevice(POINT p) const { return ToDevice(p.x, p.y); }
    QRect ToDevice(const RECT& r) const;   // normalized, right/bottom exclusive
    QPoint ToLogical(int x, int y) const;
    int ScaleX(int dx) const;              // logical -> device lengths
    int ScaleY(int dy) const;
    int UnscaleX(int dx) const;
    int UnscaleY(int dy) const;
    QSize TargetSize() const;
    // Image pixels per logical pixel of the target: its image's, or its painter device's.
    int PixelRatio() const;
    // The clip in device coordinates (system clip, clip region, target bounds).
    QRegion EffectiveClip() const;
    // The same when it is one rectangle (possibly empty); FALSE when it is more.
    bool ClipRect(QRect* pRect) const;
    QImage* Image() const { return target ? target->Image() : nullptr; }
    QPainter* Painter();
    // The painter clipped to the given device region (one already cut to EffectiveClip).
    QPainter* Painter(const QRegion& clip);
    // The painter without a clip, for drawing into areas already cut to EffectiveClip (the
    // next Painter() sets the clip again).
    QPainter* UnclippedPainter();
    void EndPainting();
    void MarkDirty(const QRect& r) { dirty = dirty.united(r); }
    void MarkDirty(const QRegion& r) { dirty = dirty.united(r.boundingRect()); }

    // Fonts in device units.
    LOGFONT DeviceLogFont() const;
    std::shared_ptr<const AfxFontMetrics> Metrics() const;
};

AfxDCImpl* AfxDCOf(HDC hdc);
HDC AfxNewDC(std::unique_ptr<AfxDCImpl> impl);
void AfxDeleteDC(HDC hdc);
void AfxInitDCState(AfxDCImpl* dc);
// Window contexts (client area, or the whole window).
HDC AfxWindowDC(HWND hWnd, bool whole, const QRegion* clip);
// The recorders of drawing operations (Testing).
struct AfxDrawOp;
extern int g_afxRecorders;
void AfxRecordOp(AfxDCImpl* dc, AfxDrawOp& op);
inline bool AfxRecording() { return g_afxRecorders > 0; }
