// The scroll-bar control: a window class whose windows are QScrollBar widgets.
#include "WndInternal.h"

#include <ClassLib/Wnd/ScrollBar.h>

#include <QScrollBar>

#include <map>

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace {

struct BarState
{
    SCROLLINFO info{sizeof(SCROLLINFO), 0, 0, 100, 0, 0, 0};
    bool tracking = false;
};

std::map<HWND, BarState> g_bars;

QScrollBar* BarOf(HWND h)
{
    return qobject_cast<QScrollBar*>(AfxGetWidget(h));
}

int MaxPos(const SCROLLINFO& si) { return std::max(si.nMin, si.nMax - std::max((int)si.nPage - 1, 0)); }

void Apply(HWND h)
{
    QScrollBar* sb = BarOf(h);
    auto it = g_bars.find(h);
    if (!sb || it == g_bars.end())
        return;
    QSignalBlocker block(sb);
    sb->setRange(it->second.info.nMin, MaxPos(it->second.info));
    sb->setPageStep(std::max((int)it->second.info.nPage, 1));
    if (!it->second.tracking)
        sb->setSliderPosition(it->second.info.nPos);
}

void Notify(HWND h, UINT code, int pos)
{
    HWND parent = GetParent(h);
    if (!parent)
        return;
    bool vert = (GetWindowLong(h, GWL_STYLE) & SBS_VERT) != 0;
    ::SendMessage(parent, vert ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, (WORD)(short)pos), reinterpret_cast<LPARAM>(h));
}

QWidget* MakeBar(const CREATESTRUCT& cs, QWidget* parent)
{
    auto* sb = new QScrollBar((cs.style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal, parent);
    sb->setFocusPolicy(Qt::NoFocus);
    return sb;
}

LRESULT CALLBACK BarProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        g_bars[h] = BarState();
        QScrollBar* sb = BarOf(h);
        if (sb) {
            QObject::connect(sb, &QAbstractSlider::actionTriggered, sb, [h, sb](int action) {
                auto it = g_bars.find(h);
                if (it == g_bars.end())
                    return;
                UINT code;
                switch (action) {
                case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
                case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
                case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
                case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
                case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
                case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
                case QAbstractSlider::SliderMove:
                    it->second.tracking = true;
                    it->second.info.nTrackPos = sb->sliderPosition();
                    Notify(h, SB_THUMBTRACK, sb->sliderPosition());
                    return;
                default: return;
                }
                sb->setSliderPosition(it->second.info.nPos);
                Notify(h, code, 0);
                Notify(h, SB_ENDSCROLL, 0);
            });
            QObject::connect(sb, &QAbstractSlider::sliderReleased, sb, [h] {
                auto it = g_bars.find(h);
                if (it == g_bars.end())
                    return;
                int pos = it->second.info.nTrackPos;
                Notify(h, SB_THUMBPOSITION, pos);
                Notify(h, SB_ENDSCROLL, 0);
                auto again = g_bars.find(h);
                if (again != g_bars.end()) {
                    again->second.tracking = false;
                    Apply(h);
                }
            });
        }
        Apply(h);
        return 0;
    }
    case WM_NCDESTROY:
        g_bars.erase(h);
        break;
    case SBM_SETSCROLLINFO: {
        auto it = g_bars.find(h);
        const SCROLLINFO* p = reinterpret_cast<const SCROLLINFO*>(lParam);
        if (it == g_bars.end() || !p)
            return 0;
        SCROLLINFO& si = it->second.info;
        if (p->fMask & SIF_RANGE) {
            si.nMin = p->nMin;
            si.nMax = std::max(p->nMax, p->nMin);
        }
        if (p->fMask & SIF_PAGE)
            si.nPage = (UINT)std::min<long>((long)p->nPage, std::max<long>((long)si.nMax - si.nMin + 1, 0));
        if (p->fMask & SIF_POS)
            si.nPos = p->nPos;
        si.nPos = std::clamp(si.nPos, si.nMin, MaxPos(si));
        Apply(h);
        return si.nPos;
    }
    case SBM_GETSCROLLINFO: {
        auto it = g_bars.find(h);
        SCROLLINFO* p = reinterpret_cast<SCROLLINFO*>(lParam);
        if (it == g_bars.end() || !p)
            return FALSE;
        const SCROLLINFO& si = it->second.info;
        if (p->fMask & SIF_RANGE) {
            p->nMin = si.nMin;
            p->nMax = si.nMax;
        }
        if (p->fMask & SIF_PAGE)
            p->nPage = si.nPage;
        if (p->fMask & SIF_POS)
            p->nPos = si.nPos;
        if (p->fMask & SIF_TRACKPOS)
            p->nTrackPos = it->second.tracking ? si.nTrackPos : si.nPos;
        return TRUE;
    }
    case SBM_SETPOS: {
        auto it = g_bars.find(h);
        if (it == g_bars.end())
            return 0;
        int old = it->second.info.nPos;
        SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, (int)wParam, 0};
        BarProc(h, SBM_SETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
        return old;
    }
    case SBM_GETPOS: {
        auto it = g_bars.find(h);
        return it == g_bars.end() ? 0 : it->second.info.nPos;
    }
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        SCROLLINFO si{sizeof(si), SIF_RANGE, (int)wParam, (int)lParam, 0, 0, 0};
        BarProc(h, SBM_SETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
        return TRUE;
    }
    case SBM_GETRANGE: {
        auto it = g_bars.find(h);
        if (it == g_bars.end())
            return 0;
        if (wParam)
            *reinterpret_cast<LPINT>(wParam) = it->second.info.nMin;
        if (lParam)
            *reinterpret_cast<LPINT>(lParam) = it->second.info.nMax;
        return 1;
    }
    case SBM_ENABLE_ARROWS:
        if (QScrollBar* sb = BarOf(h))
            sb->setEnabled(wParam != ESB_DISABLE_BOTH);
        return TRUE;
    default: break;
    }
    return DefWindowProc(h, msg, wParam, lParam);
}

}  // namespace

void AfxRegisterScrollBarClass()
{
    WNDCLASS wc;
    if (!GetClassInfo(nullptr, AFX_SCROLLBAR_CLASS, &wc))
        AfxRegisterWidgetClass(nullptr, AFX_SCROLLBAR_CLASS, CS_DBLCLKS | CS_GLOBALCLASS, &BarProc, &MakeBar);
}

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxEnsureApplication();
    return CWnd::Create(AFX_SCROLLBAR_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollPos() const { return (int)::SendMessage(m_hWnd, SBM_GETPOS, 0, 0); }
int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw) { return (int)::SendMessage(m_hWnd, SBM_SETPOS, (WPARAM)nPos, bRedraw); }
void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::SendMessage(m_hWnd, SBM_GETRANGE, reinterpret_cast<WPARAM>(lpMinPos), reinterpret_cast<LPARAM>(lpMaxPos));
}
void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, bRedraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, (WPARAM)nMinPos, nMaxPos);
}
void CScrollBar::ShowScrollBar(BOOL bShow) { ShowWindow(bShow ? SW_SHOW : SW_HIDE); }
BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags) { return (BOOL)::SendMessage(m_hWnd, SBM_ENABLE_ARROWS, nArrowFlags, 0); }
BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SendMessage(m_hWnd, SBM_SETSCROLLINFO, bRedraw, reinterpret_cast<LPARAM>(lpScrollInfo));
    return TRUE;
}
BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return (BOOL)::SendMessage(m_hWnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpScrollInfo));
}
int CScrollBar::GetScrollLimit()
{
    SCROLLINFO si{};
    GetScrollInfo(&si, SIF_RANGE | SIF_PAGE);
    return si.nMax - std::max((int)si.nPage - 1, 0);
}

QWidget* AfxGetWidget(HWND hWnd)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    return w ? w->widget.data() : nullptr;
}

HWND AfxHwndFromWidget(const QWidget* pWidget)
{
    for (const QWidget* p = pWidget; p; p = p->parentWidget()) {
        QVariant v = p->property("afx_hwnd");
        if (v.isValid()) {
            HWND h = reinterpret_cast<HWND>((uintptr_t)v.toULongLong());
            if (IsWindow(h))
                return h;
        }
    }
    return nullptr;
}
