#include "Gantt_src/TaskShapes.h"

#include "Gantt_src/CalendarCalculate.h"
#include "Gantt_src/GanttRes.h"
#include "Gantt_src/GunterBar.h"
#include "TaskItem.h"

#include <cstring>
#include <map>

IMPLEMENT_DYNCREATE(CTaskBase, CObject)

namespace {

// The bar labels' font is the one of the distribution window (made once: every shape of
// every layout starts from it).
const LOGFONT& DefaultLabelFont()
{
    static const LOGFONT lf = [] {
        LOGFONT font;
        GanttDistributeLogFont(font);
        return font;
    }();
    return lf;
}

void DefaultLabelFont(LOGFONT& lf) { memcpy(&lf, &DefaultLabelFont(), sizeof(LOGFONT)); }

// The drawing objects the shapes share, one per colour, made when first drawn. They live as
// long as the program: a handful of objects, and no shape outlives them.
struct CSharedShapeObjects
{
    std::map<COLORREF, std::unique_ptr<CPen>> pens;
    std::map<COLORREF, std::unique_ptr<CBrush>> brushes;
    CFont font;
};

CSharedShapeObjects& Shared()
{
    static CSharedShapeObjects* pShared = new CSharedShapeObjects;
    return *pShared;
}

} // namespace

CTaskBase::CTaskBase()
{
    CTaskBase::Reset();
}

void CTaskBase::Reset()
{
    m_rect.SetRect(0, 0, 0, 0);
    m_rcProgress.SetRect(0, 0, 0, 0);
    m_ptFrom = CPoint(0, 0);
    m_ptTo = CPoint(0, 0);
    m_crColor = RGB(0, 0, 255);
    m_nLinkType = 0;
    m_nPredRow = -1;
    m_nRow = -1;
    m_pTask = NULL;
    m_pWnd = NULL;
    m_nBitmapId = IDB_GANTT_BAR;
    DefaultLabelFont(m_logFont);
    if (m_pOwnFont)
        m_pOwnFont.reset();
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
}

CPen* CTaskBase::GetPen()
{
    std::unique_ptr<CPen>& pPen = Shared().pens[m_crColor];
    if (!pPen) {
        pPen.reset(new CPen);
        pPen->CreatePen(PS_SOLID, 1, m_crColor);
    }
    return pPen.get();
}

CBrush* CTaskBase::GetBrush()
{
    std::unique_ptr<CBrush>& pBrush = Shared().brushes[m_crColor];
    if (!pBrush) {
        pBrush.reset(new CBrush);
        pBrush->CreateSolidBrush(m_crColor);
    }
    return pBrush.get();
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
    const LOGFONT& lfDefault = DefaultLabelFont();
    if (memcmp(&lfDefault, &m_logFont, sizeof(LOGFONT)) != 0) {
        if (!m_pOwnFont) {
            m_pOwnFont.reset(new CFont);
            m_pOwnFont->CreateFontIndirect(&m_logFont);
        }
        return m_pOwnFont.get();
    }
    CFont& font = Shared().font;
    if (font.GetSafeHandle() == NULL)
        font.CreateFontIndirect(&lfDefault);
    return &font;
}
