// Points, sizes and rectangles with 32-bit coordinates. A rectangle includes its left and
// top edges and excludes its right and bottom ones; it is empty when its width or height
// is not positive.
#pragma once

#include <ClassLib/Core/WinTypes.h>

typedef struct tagPOINT
{
    LONG x;
    LONG y;
} POINT, *PPOINT, *LPPOINT;
typedef const POINT* LPCPOINT;

typedef struct tagSIZE
{
    LONG cx;
    LONG cy;
} SIZE, *PSIZE, *LPSIZE;
typedef SIZE SIZEL;

typedef struct tagRECT
{
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagPOINTS
{
    SHORT x;
    SHORT y;
} POINTS, *LPPOINTS;

// The platform's rectangle functions. A NULL rectangle makes them fail (FALSE).
inline BOOL SetRect(LPRECT r, int left, int top, int right, int bottom)
{
    if (!r)
        return FALSE;
    r->left = left;
    r->top = top;
    r->right = right;
    r->bottom = bottom;
    return TRUE;
}
inline BOOL SetRectEmpty(LPRECT r) { return SetRect(r, 0, 0, 0, 0); }
inline BOOL CopyRect(LPRECT dst, const RECT* src)
{
    if (!dst || !src)
        return FALSE;
    *dst = *src;
    return TRUE;
}
inline BOOL IsRectEmpty(const RECT* r) { return !r || r->right <= r->left || r->bottom <= r->top; }
inline BOOL EqualRect(const RECT* a, const RECT* b)
{
    if (!a || !b)
        return FALSE;
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}
inline BOOL PtInRect(const RECT* r, POINT pt)
{
    return r && pt.x >= r->left && pt.x < r->right && pt.y >= r->top && pt.y < r->bottom;
}
inline BOOL OffsetRect(LPRECT r, int dx, int dy)
{
    if (!r)
        return FALSE;
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
    return TRUE;
}
inline BOOL InflateRect(LPRECT r, int dx, int dy)
{
    if (!r)
        return FALSE;
    r->left -= dx;
    r->right += dx;
    r->top -= dy;
    r->bottom += dy;
    return TRUE;
}
// The overlap of a and b; when they do not overlap dst is emptied and FALSE returned.
inline BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (!dst || !a || !b)
        return FALSE;
    RECT r;
    r.left = a->left > b->left ? a->left : b->left;
    r.top = a->top > b->top ? a->top : b->top;
    r.right = a->right < b->right ? a->right : b->right;
    r.bottom = a->bottom < b->bottom ? a->bottom : b->bottom;
    if (IsRectEmpty(a) || IsRectEmpty(b) || IsRectEmpty(&r)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = r;
    return TRUE;
}
// The smallest rectangle holding a and b; empty ones are left out. FALSE when both are empty.
inline BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (!dst || !a || !b)
        return FALSE;
    bool ea = IsRectEmpty(a), eb = IsRectEmpty(b);
    if (ea && eb) {
        SetRectEmpty(dst);
        return FALSE;
    }
    if (ea) {
        *dst = *b;
        return TRUE;
    }
    if (eb) {
        *dst = *a;
        return TRUE;
    }
    RECT r;
    r.left = a->left < b->left ? a->left : b->left;
    r.top = a->top < b->top ? a->top : b->top;
    r.right = a->right > b->right ? a->right : b->right;
    r.bottom = a->bottom > b->bottom ? a->bottom : b->bottom;
    *dst = r;
    return TRUE;
}
// a without b, where what is left is a rectangle: b must cover a across its whole width or
// height from one side. Otherwise dst is a. FALSE when nothing is left.
inline BOOL SubtractRect(LPRECT dst, const RECT* a, const RECT* b)
{
    if (!dst || !a || !b)
        return FALSE;
    if (IsRectEmpty(a)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    RECT r = *a;
    RECT overlap;
    if (IntersectRect(&overlap, a, b)) {
        if (overlap.left == a->left && overlap.right == a->right) {
            if (overlap.top == a->top)
                r.top = overlap.bottom;
            else if (overlap.bottom == a->bottom)
                r.bottom = overlap.top;
        }
        if (overlap.top == a->top && overlap.bottom == a->bottom) {
            if (overlap.left == a->left)
                r.left = overlap.right;
            else if (overlap.right == a->right)
                r.right = overlap.left;
        }
    }
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

class CSize;
class CRect;

class CPoint : public tagPOINT
{
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(POINT pt) { x = pt.x; y = pt.y; }
    inline CPoint(SIZE size);
    // Low word x, high word y, both signed (as mouse message coordinates are packed).
    CPoint(DWORD dwPoint)
    {
        x = static_cast<SHORT>(LOWORD(dwPoint));
        y = static_cast<SHORT>(HIWORD(dwPoint));
    }

    void Offset(int dx, int dy) { x += dx; y += dy; }
    void Offset(POINT pt) { Offset(pt.x, pt.y); }
    inline void Offset(SIZE size);
    void SetPoint(int X, int Y) { x = X; y = Y; }

    bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
    bool operator!=(POINT pt) const { return !(*this == pt); }
    inline void operator+=(SIZE size);
    inline void operator-=(SIZE size);
    void operator+=(POINT pt) { Offset(pt); }
    void operator-=(POINT pt) { Offset(-pt.x, -pt.y); }

    inline CPoint operator+(SIZE size) const;
    inline CPoint operator-(SIZE size) const;
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT pt) const { return CPoint(x + pt.x, y + pt.y); }
    inline CSize operator-(POINT pt) const;
    inline CRect operator+(const RECT* r) const;
    inline CRect operator-(const RECT* r) const;
};

class CSize : public tagSIZE
{
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
    CSize(SIZE size) { cx = size.cx; cy = size.cy; }
    CSize(POINT pt) { cx = pt.x; cy = pt.y; }
    CSize(DWORD dwSize)
    {
        cx = static_cast<SHORT>(LOWORD(dwSize));
        cy = static_cast<SHORT>(HIWORD(dwSize));
    }

    void SetSize(int CX, int CY) { cx = CX; cy = CY; }
    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
    void operator+=(SIZE size) { cx += size.cx; cy += size.cy; }
    void operator-=(SIZE size) { cx -= size.cx; cy -= size.cy; }

    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT pt) const { return CPoint(cx + pt.x, cy + pt.y); }
    CPoint operator-(POINT pt) const { return CPoint(cx - pt.x, cy - pt.y); }
    inline CRect operator+(const RECT* r) const;
    inline CRect operator-(const RECT* r) const;
};

class CRect : public tagRECT
{
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& src) { ::CopyRect(this, &src); }
    CRect(LPCRECT src)
    {
        if (src)
            ::CopyRect(this, src);
        else
            left = top = right = bottom = 0;
    }
    CRect(POINT pt, SIZE size)
    {
        left = pt.x;
        top = pt.y;
        right = pt.x + size.cx;
        bottom = pt.y + size.cy;
    }
    CRect(POINT topLeft, POINT bottomRight)
    {
        left = topLeft.x;
        top = topLeft.y;
        right = bottomRight.x;
        bottom = bottomRight.y;
    }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    void SwapLeftRight() { LONG t = left; left = right; right = t; }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT pt) const { return ::PtInRect(this, pt); }

    void SetRect(int x1, int y1, int x2, int y2) { ::SetRect(this, x1, y1, x2, y2); }
    void SetRect(POINT topLeft, POINT bottomRight) { ::SetRect(this, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(LPCRECT src) { ::CopyRect(this, src); }
    BOOL EqualRect(LPCRECT r) const { return ::EqualRect(this, r); }

    void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
    void InflateRect(SIZE size) { ::InflateRect(this, size.cx, size.cy); }
    void InflateRect(LPCRECT r)
    {
        if (!r)
            return;
        left -= r->left;
        top -= r->top;
        right += r->right;
        bottom += r->bottom;
    }
    void InflateRect(int l, int t, int r, int b)
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { ::InflateRect(this, -x, -y); }
    void DeflateRect(SIZE size) { ::InflateRect(this, -size.cx, -size.cy); }
    void DeflateRect(LPCRECT r)
    {
        if (!r)
            return;
        left += r->left;
        top += r->top;
        right -= r->right;
        bottom -= r->bottom;
    }
    void DeflateRect(int l, int t, int r, int b)
    {
        left += l;
        top += t;
        right -= r;
        bottom -= b;
    }

    void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
    void OffsetRect(POINT pt) { ::OffsetRect(this, pt.x, pt.y); }
    void OffsetRect(SIZE size) { ::OffsetRect(this, size.cx, size.cy); }
    void MoveToY(int y) { bottom = Height() + y; top = y; }
    void MoveToX(int x) { right = Width() + x; left = x; }
    void MoveToXY(int x, int y) { MoveToX(x); MoveToY(y); }
    void MoveToXY(POINT pt) { MoveToXY(pt.x, pt.y); }

    // Swaps the edges so that left <= right and top <= bottom.
    void NormalizeRect()
    {
        if (left > right) {
            LONG t = left;
            left = right;
            right = t;
        }
        if (top > bottom) {
            LONG t = top;
            top = bottom;
            bottom = t;
        }
    }

    BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }
    BOOL SubtractRect(LPCRECT a, LPCRECT b) { return ::SubtractRect(this, a, b); }

    CRect& operator=(const RECT& src)
    {
        ::CopyRect(this, &src);
        return *this;
    }
    bool operator==(const RECT& r) const { return ::EqualRect(this, &r) != FALSE; }
    bool operator!=(const RECT& r) const { return !(*this == r); }
    void operator+=(POINT pt) { OffsetRect(pt); }
    void operator+=(SIZE size) { OffsetRect(size); }
    void operator+=(LPCRECT r) { InflateRect(r); }
    void operator-=(POINT pt) { OffsetRect(-pt.x, -pt.y); }
    void operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); }
    void operator-=(LPCRECT r) { DeflateRect(r); }
    void operator&=(const RECT& r) { ::IntersectRect(this, this, &r); }
    void operator|=(const RECT& r) { ::UnionRect(this, this, &r); }

    CRect operator+(POINT pt) const { CRect r(*this); r.OffsetRect(pt); return r; }
    CRect operator-(POINT pt) const { CRect r(*this); r.OffsetRect(-pt.x, -pt.y); return r; }
    CRect operator+(SIZE size) const { CRect r(*this); r.OffsetRect(size); return r; }
    CRect operator-(SIZE size) const { CRect r(*this); r.OffsetRect(-size.cx, -size.cy); return r; }
    CRect operator+(LPCRECT rc) const { CRect r(*this); r.InflateRect(rc); return r; }
    CRect operator-(LPCRECT rc) const { CRect r(*this); r.DeflateRect(rc); return r; }
    CRect operator&(const RECT& rc) const { CRect r; ::IntersectRect(&r, this, &rc); return r; }
    CRect operator|(const RECT& rc) const { CRect r; ::UnionRect(&r, this, &rc); return r; }
};

inline CPoint::CPoint(SIZE size) { x = size.cx; y = size.cy; }
inline void CPoint::Offset(SIZE size) { Offset(size.cx, size.cy); }
inline void CPoint::operator+=(SIZE size) { Offset(size.cx, size.cy); }
inline void CPoint::operator-=(SIZE size) { Offset(-size.cx, -size.cy); }
inline CPoint CPoint::operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
inline CPoint CPoint::operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
inline CSize CPoint::operator-(POINT pt) const { return CSize(x - pt.x, y - pt.y); }
inline CRect CPoint::operator+(const RECT* r) const { CRect rc(r); rc.OffsetRect(x, y); return rc; }
inline CRect CPoint::operator-(const RECT* r) const { CRect rc(r); rc.OffsetRect(-x, -y); return rc; }
inline CRect CSize::operator+(const RECT* r) const { CRect rc(r); rc.OffsetRect(cx, cy); return rc; }
inline CRect CSize::operator-(const RECT* r) const { CRect rc(r); rc.OffsetRect(-cx, -cy); return rc; }

// Packs a point into the platform's 32-bit form and back.
#define POINTTOPOINTS(pt) (MAKELONG((short)((pt).x), (short)((pt).y)))
