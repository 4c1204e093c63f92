#include "Gantt_src/TaskShapes.h"

#include "Gantt_src/GanttRes.h"
#include "Gantt_src/GunterBar.h"
#include "TaskItem.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CTaskBase, CObject)

CTaskBase::CTaskBase()
    : m_rect(0, 0, 0, 0),
      m_rcProgress(0, 0, 0, 0),
      m_ptFrom(0, 0),
      m_ptTo(0, 0),
      m_crColor(RGB(0, 0, 255)),
      m_nLinkType(0),
      m_nPredRow(-1),
      m_nRow(-1),
      m_pTask(NULL),
      m_pWnd(NULL),
      m_nBitmapId(IDB_GANTT_BAR)
{
    memset(&m_logFont, 0, sizeof(m_logFont));
    m_logFont.lfHeight = 12;
    m_logFont.lfWeight = 40;
    m_logFont.lfCharSet = GB2312_CHARSET;
    m_logFont.lfOutPrecision = OUT_STROKE_PRECIS;
    m_logFont.lfClipPrecision = CLIP_STROKE_PRECIS;
    m_logFont.lfQuality = DRAFT_QUALITY;
    m_logFont.lfPitchAndFamily = FF_MODERN | VARIABLE_PITCH;
    strcpy(m_logFont.lfFaceName, "宋体");
}

CTaskBase::~CTaskBase() {}

void CTaskBase::SetWnd(CGunterBar* pWnd) { m_pWnd = pWnd; }

CGunterBar* CTaskBase::GetWnd()
{
    ASSERT(m_pWnd != NULL);
    return m_pWnd;
}

void CTaskBase::SetTask(CObject* pTask, double /*dDayWidth*/) { m_pTask = pTask; }

CObject* CTaskBase::GetTask() { return m_pTask; }

int CTaskBase::HitTest(CPoint /*point*/) { return TASKHIT_NONE; }

void CTaskBase::SetPoints(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/)
{
    ASSERT(FALSE);  // every shape class places itself
}

void CTaskBase::Draw(CDC* /*pDC*/, BOOL /*bPrinting*/) {}
void CTaskBase::OnLButtonDown(CGunterBar*, UINT, CPoint) {}
void CTaskBase::OnLButtonUp(CGunterBar*, UINT, CPoint) {}
void CTaskBase::OnMouseMove(CGunterBar*, UINT, CPoint) {}
void CTaskBase::DrawTracker(CGunterBar*, BOOL) {}

void CTaskBase::SetColor(COLORREF crColor, UINT nBitmapId)
{
    m_crColor = crColor;
    m_nBitmapId = nBitmapId;
    if (m_pen.GetSafeHandle() != NULL) {
        m_pen.DeleteObject();
        m_pen.CreatePen(PS_SOLID, 1, crColor);
    }
    if (m_brush.GetSafeHandle() != NULL) {
        m_brush.DeleteObject();
        m_brush.CreateSolidBrush(crColor);
    }
}

CPen* CTaskBase::GetPen()
{
    if (m_pen.GetSafeHandle() == NULL)
        m_pen.CreatePen(PS_SOLID, 1, m_crColor);
    return &m_pen;
}

CBrush* CTaskBase::GetBrush()
{
    if (m_brush.GetSafeHandle() == NULL)
        m_brush.CreateSolidBrush(m_crColor);
    return &m_brush;
}

CTaskItem* CTaskBase::GetTaskItem()
{
    return DYNAMIC_DOWNCAST(CTaskItem, m_pTask);
}

CTaskLink* CTaskBase::GetTaskLink()
{
    return DYNAMIC_DOWNCAST(CTaskLink, m_pTask);
}

CFont* CTaskBase::GetLabelFont()
{
    if (m_font.GetSafeHandle() == NULL)
        m_font.CreateFontIndirect(&m_logFont);
    return &m_font;
}
