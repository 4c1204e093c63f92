// The shapes of the Gantt chart: a task bar (CTaskRect), a summary bar (CTaskPolygon) and a
// dependency arrow (CTaskLineArrow), all on CTaskBase. A shape keeps its geometry in chart
// coordinates (before scrolling), points to the task or link record it stands for and to
// the chart that owns it (it owns neither), and draws itself into a screen or printer
// context.
#pragma once

#include <ClassLib/AfxWin.h>

#include <memory>

class CGunterBar;
class CTaskItem;
class CTaskLink;

// Link types of CTaskLink::m_nType.
enum
{
    TASKLINK_FS = 1,  // finish-to-start
    TASKLINK_FF = 2,  // finish-to-finish
    TASKLINK_SF = 3,  // start-to-finish
    TASKLINK_SS = 4,  // start-to-start
};

// Hit zones of a task bar.
enum
{
    TASKHIT_NONE = 0,
    TASKHIT_MILESTONE = 1,
    TASKHIT_PROGRESS = 3,  // the progress handle
    TASKHIT_RIGHT = 4,     // the right end
    TASKHIT_BODY = 5,
};

class AFX_EXT_CLASS CTaskBase : public CObject
{
    DECLARE_DYNCREATE(CTaskBase)

public:
    CTaskBase();
    virtual ~CTaskBase();

    virtual void SetWnd(CGunterBar* pWnd);
    // The owning chart; it must have been set.
    virtual CGunterBar* GetWnd();
    // Bars: the CTaskItem; arrows: the CTaskLink. The day width (pixels) serves the bar's
    // progress strip.
    virtual void SetTask(CObject* pTask, double dDayWidth);
    virtual CObject* GetTask();
    virtual int HitTest(CPoint point);
    virtual void SetPoints(int x1, int y1, int x2, int y2);
    virtual void Draw(CDC* pDC, BOOL bPrinting);
    virtual void OnLButtonDown(CGunterBar* pWnd, UINT nFlags, CPoint point);
    virtual void OnLButtonUp(CGunterBar* pWnd, UINT nFlags, CPoint point);
    virtual void OnMouseMove(CGunterBar* pWnd, UINT nFlags, CPoint point);
    virtual void DrawTracker(CGunterBar* pWnd, BOOL bShow);

    // Stores the colour and the pattern bitmap; the pen and brush follow the colour.
    void SetColor(COLORREF crColor, UINT nBitmapId);
    // The outline pen and the fill brush in the shape's colour (solid, 1 pixel). Shapes of
    // one colour share them: a layout of many shapes makes no drawing objects of its own.
    CPen* GetPen();
    CBrush* GetBrush();
    // Back to the state of a new shape of its class, for a layout that reuses it.
    virtual void Reset();

    // The task of a bar or summary bar (NULL for an arrow or a shape without a task).
    CTaskItem* GetTaskItem();
    // The link of an arrow (NULL otherwise).
    CTaskLink* GetTaskLink();

public:
    CRect m_rect;
    CRect m_rcProgress;
    CPoint m_ptFrom;
    CPoint m_ptTo;
    LOGFONT m_logFont;
    COLORREF m_crColor;
    int m_nLinkType;
    int m_nPredRow;
    int m_nRow;
    CObject* m_pTask;
    CGunterBar* m_pWnd;
    UINT m_nBitmapId;

protected:
    // The label font made from m_logFont: shared while it is the default one.
    CFont* GetLabelFont();

private:
    std::unique_ptr<CFont> m_pOwnFont;  // only for a changed m_logFont
};

// A task bar with its progress strip; a milestone diamond when it has zero width.
class AFX_EXT_CLASS CTaskRect final : public CTaskBase
{
    DECLARE_DYNCREATE(CTaskRect)

public:
    virtual void SetTask(CObject* pTask, double dDayWidth);
    // SetTask for a task record known as such (a layout's bars).
    void SetTaskItem(CTaskItem* pTask, double dDayWidth);
    virtual int HitTest(CPoint point);
    virtual void SetPoints(int x1, int y1, int x2, int y2);
    virtual void Draw(CDC* pDC, BOOL bPrinting);

    BOOL IsMilestone() const { return m_rect.left == m_rect.right; }
    // The label written right of the bar for the chart's label style.
    CString GetLabel();

    // Corners of the milestone diamond around the bar's top-left corner.
    void GetDiamond(POINT pts[4]) const;

private:
    // The progress strip of nProgress percent along the placed bar.
    void PlaceProgress(int nProgress, double dDayWidth);
};

// A summary bar: a flat 5-pixel bar with a triangular foot under each end.
class AFX_EXT_CLASS CTaskPolygon final : public CTaskBase
{
    DECLARE_DYNCREATE(CTaskPolygon)

public:
    virtual int HitTest(CPoint point);
    virtual void SetPoints(int x1, int y1, int x2, int y2);
    virtual void Draw(CDC* pDC, BOOL bPrinting);
    virtual void Reset();

    // The outline's region (made from m_points when first needed).
    CRgn* GetRegion();

    CPoint m_points[8];
    CRgn m_rgn;
};

// A dependency link: an orthogonal line with an arrow head, routed by link type.
class AFX_EXT_CLASS CTaskLineArrow final : public CTaskBase
{
    DECLARE_DYNCREATE(CTaskLineArrow)

public:
    CTaskLineArrow();

    virtual void Reset();
    virtual int HitTest(CPoint point);
    virtual void SetPoints(int x1, int y1, int x2, int y2);
    virtual void Draw(CDC* pDC, BOOL bPrinting);

    // The line's corner points and the arrow head's three corners for the link type and the
    // two end points; FALSE (nothing drawn) for a type outside 1 to 4.
    BOOL GetRoute(CPoint* pPath, int& nPathCount, CPoint head[3]) const;
    // The vertical extent the arrow covers (line and head).
    void GetVerticalExtent(int& nTop, int& nBottom) const;
};
