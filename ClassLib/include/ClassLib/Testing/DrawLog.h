// What was drawn: every drawing call of a device context can be recorded with its
// arguments and the context's state, so drawing is tested by geometry and colours rather
// than by pixels. Coordinates are logical (as the code passed them).
#pragma once

#include <ClassLib/Core/String.h>
#include <ClassLib/Gdi/DC.h>

#include <vector>

class CWnd;

enum class AfxDrawKind
{
    Text,          // TextOut, ExtTextOut, DrawText, TabbedTextOut, GrayString
    FillRect,      // FillRect, FillSolidRect, PatBlt with PATCOPY
    FrameRect,
    InvertRect,
    Rectangle,
    RoundRect,
    Ellipse,
    Arc,           // Arc, Chord, Pie
    Polygon,
    Polyline,      // LineTo (two points), Polyline
    Pixel,
    PatBlt,
    Blt,           // BitBlt, StretchBlt, TransparentBlt
    Image,         // image lists, icons, DrawState bitmaps
    Edge,          // DrawEdge
    FrameControl,  // DrawFrameControl
    FocusRect,
    Draw3dRect,
    Region,        // FillRgn, FrameRgn, InvertRgn, PaintRgn
    State,         // DrawState of text
};

struct AfxDrawTextLine
{
    CString text;  // the line as drawn (with an ellipsis when one was added)
    CRect rect;    // where it was drawn (left, top, left + width, top + height)
};

struct AfxDrawOp
{
    AfxDrawKind kind = AfxDrawKind::FillRect;
    const char* api = "";          // the call: "DrawText", "TextOut", "FillSolidRect", ...
    HWND hwnd = nullptr;           // the window the context draws on (or came from)
    HDC hdc = nullptr;
    CRect rect;                    // the rectangle argument, or the shape's bounds
    std::vector<CPoint> points;    // line, polyline and polygon points; TextOut position
    CString text;                  // text as passed
    std::vector<AfxDrawTextLine> lines;  // text layout (DrawText)
    UINT flags = 0;                // DT_, ETO_, BF_, DFCS_, ILD_, DSS_ flags or the raster code
    UINT type = 0;                 // DrawEdge edge, DrawFrameControl type
    COLORREF textColor = 0;
    COLORREF bkColor = 0;
    int bkMode = 0;
    int rop2 = 0;
    COLORREF penColor = 0;
    int penStyle = 0;
    int penWidth = 0;
    COLORREF brushColor = 0;
    int brushStyle = 0;
    COLORREF color = 0;            // FillSolidRect and SetPixel colour; Draw3dRect top-left
    COLORREF color2 = 0;           // Draw3dRect bottom-right
    LOGFONT font{};
    int image = -1;                // image-list index
    HIMAGELIST imageList = nullptr;
    HBITMAP bitmap = nullptr;
    CRect srcRect;
    int result = 0;                // DrawText's height
};

// Records what is drawn on the window's contexts (window and paint contexts, and memory
// contexts made compatible with them), or on every context when no window is named, for
// its lifetime.
class AFX_EXT_CLASS CDrawRecorder
{
public:
    explicit CDrawRecorder(CWnd* pWnd = nullptr);
    explicit CDrawRecorder(HWND hWnd);
    ~CDrawRecorder();

    const std::vector<AfxDrawOp>& Ops() const { return m_ops; }
    void Clear() { m_ops.clear(); }
    std::vector<const AfxDrawOp*> OfKind(AfxDrawKind kind) const;
    std::vector<const AfxDrawOp*> Texts() const { return OfKind(AfxDrawKind::Text); }
    // The first text operation whose text (code page 936) equals lpszText, or NULL.
    const AfxDrawOp* FindText(LPCTSTR lpszText) const;
    // The same for a text given in UTF-8.
    const AfxDrawOp* FindTextUtf8(const char* pszUtf8) const;

    // For contexts: does the recorder take operations of this context?
    BOOL Accepts(HWND hWnd, HDC hDC) const;
    void Add(const AfxDrawOp& op) { m_ops.push_back(op); }
    void SetDC(HDC hDC) { m_hDC = hDC; }

private:
    HWND m_hWnd = nullptr;
    HDC m_hDC = nullptr;
    bool m_bAll = false;
    std::vector<AfxDrawOp> m_ops;

    CDrawRecorder(const CDrawRecorder&) = delete;
    CDrawRecorder& operator=(const CDrawRecorder&) = delete;
};

// A memory context on a white image of the given size that records everything drawn on
// it: hand it to drawing code (a cell's Draw) and inspect Ops().
class AFX_EXT_CLASS CRecordingDC : public CDC
{
public:
    explicit CRecordingDC(int cx = 800, int cy = 600);
    ~CRecordingDC() override;

    const std::vector<AfxDrawOp>& Ops() const { return m_recorder.Ops(); }
    CDrawRecorder& Recorder() { return m_recorder; }
    // The bitmap drawn on (AfxImageOfBitmap gives its pixels).
    HBITMAP GetBitmapHandle() const { return static_cast<HBITMAP>(m_bitmap.GetSafeHandle()); }

private:
    CDrawRecorder m_recorder;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
};
