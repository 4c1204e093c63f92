// The caption of a child window with a caption of its own (an MDI document window): the
// system-menu box at the left, the minimise, maximise/restore and close buttons at the
// right, their hit codes and what a click on them does.
#include "CaptionButtons.h"

#include "WndInternal.h"

#include <ClassLib/Menus/Menu.h>
#include <ClassLib/Menus/MenuTypes.h>
#include <ClassLib/Wnd/System.h>

#include <QPainter>

namespace {

int FrameInset(const AfxWindow* w)
{
    if (w->style & WS_THICKFRAME)
        return 4;
    if (w->style & WS_DLGFRAME)
        return 3;
    return (w->style & WS_BORDER) ? 1 : 0;
}

void Bevel(QPainter& p, const QRect& r)
{
    p.fillRect(r, AfxQColor(GetSysColor(COLOR_3DFACE)));
    p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), AfxQColor(GetSysColor(COLOR_3DHILIGHT)));
    p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), AfxQColor(GetSysColor(COLOR_3DHILIGHT)));
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), AfxQColor(GetSysColor(COLOR_3DDKSHADOW)));
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), AfxQColor(GetSysColor(COLOR_3DDKSHADOW)));
    p.fillRect(QRect(r.left() + 1, r.bottom() - 1, r.width() - 2, 1), AfxQColor(GetSysColor(COLOR_3DSHADOW)));
    p.fillRect(QRect(r.right() - 1, r.top() + 1, 1, r.height() - 2), AfxQColor(GetSysColor(COLOR_3DSHADOW)));
}

}  // namespace

AfxCaptionParts AfxCaptionPartsOf(const AfxWindow* w)
{
    AfxCaptionParts parts;
    if (!w || AfxIsTopLevel(w) || (w->style & WS_CAPTION) != WS_CAPTION)
        return parts;
    const int b = FrameInset(w);
    parts.caption = QRect(b, b, w->rect.width() - 2 * b, GetSystemMetrics(SM_CYCAPTION) - 1);
    if (!(w->style & WS_SYSMENU) || parts.caption.width() <= 0)
        return parts;
    const QRect& c = parts.caption;
    const int cy = c.height() - 4, cx = cy + 2;
    parts.sys = QRect(c.left() + 2, c.top() + (c.height() - 16) / 2, 16, 16);
    parts.close = QRect(c.right() - 1 - cx, c.top() + 2, cx, cy);
    if (w->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
        parts.max = parts.close.translated(-cx - 2, 0);
        parts.min = parts.max.translated(-cx, 0);
    }
    return parts;
}

LRESULT AfxCaptionHit(const AfxWindow* w, QPoint p)
{
    const AfxCaptionParts parts = AfxCaptionPartsOf(w);
    if (parts.sys.contains(p))
        return HTSYSMENU;
    if (parts.close.contains(p))
        return HTCLOSE;
    if (parts.max.contains(p))
        return HTMAXBUTTON;
    if (parts.min.contains(p))
        return HTMINBUTTON;
    return parts.caption.contains(p) ? HTCAPTION : HTNOWHERE;
}

void AfxPaintCaption(QPainter& p, const AfxWindow* w, bool active)
{
    const AfxCaptionParts parts = AfxCaptionPartsOf(w);
    if (parts.caption.isEmpty())
        return;
    const QRect& cap = parts.caption;
    p.fillRect(cap, AfxQColor(GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)));
    int textLeft = cap.left() + 4, textRight = cap.right() - 4;
    if (!parts.sys.isEmpty()) {
        // The system-menu box: a small document.
        const QRect& s = parts.sys;
        QRect page(s.left() + 3, s.top() + 1, 10, 13);
        p.fillRect(page, Qt::white);
        p.setPen(AfxQColor(GetSysColor(COLOR_WINDOWFRAME)));
        p.drawRect(page.adjusted(0, 0, -1, -1));
        for (int y = page.top() + 3; y < page.bottom() - 1; y += 3)
            p.drawLine(page.left() + 2, y, page.right() - 3, y);
        textLeft = s.right() + 4;
    }
    const QColor ink = AfxQColor(GetSysColor(COLOR_BTNTEXT));
    auto button = [&](const QRect& r, int kind) {
        if (r.isEmpty())
            return;
        Bevel(p, r);
        const QRect g = r.adjusted(4, 3, -5, -4);
        p.setPen(QPen(ink, 1));
        switch (kind) {
        case 0:  // close: a cross
            p.setPen(QPen(ink, 2));
            p.drawLine(g.topLeft(), g.bottomRight());
            p.drawLine(g.bottomLeft(), g.topRight());
            break;
        case 1:  // maximise: a window
            p.drawRect(g.adjusted(0, 0, -1, -1));
            p.fillRect(QRect(g.left(), g.top(), g.width(), 2), ink);
            break;
        case 2: {  // restore: two windows
            QRect back(g.left() + 2, g.top(), g.width() - 2, g.height() - 2);
            QRect front(g.left(), g.top() + 3, g.width() - 2, g.height() - 3);
            p.drawRect(back.adjusted(0, 0, -1, -1));
            p.fillRect(front, AfxQColor(GetSysColor(COLOR_3DFACE)));
            p.drawRect(front.adjusted(0, 0, -1, -1));
            p.fillRect(QRect(front.left(), front.top(), front.width(), 2), ink);
            break;
        }
        default:  // minimise: a bar at the bottom
            p.fillRect(QRect(g.left(), g.bottom() - 1, g.width() - 2, 2), ink);
            break;
        }
        textRight = std::min(textRight, r.left() - 4);
    };
    button(parts.close, 0);
    button(parts.max, (w->maximized || (w->style & WS_MAXIMIZE)) ? 2 : 1);
    button(parts.min, 3);
    p.setPen(AfxQColor(GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT)));
    p.setFont(AfxMessageQFont());
    p.drawText(QRect(textLeft, cap.top(), std::max(0, textRight - textLeft), cap.height()),
               Qt::AlignVCenter | Qt::AlignLeft, AfxQString(w->text));
}

void AfxShowSystemMenu(HWND hWnd, POINT screen)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w)
        return;
    const bool max = (w->style & WS_MAXIMIZE) != 0 || w->maximized;
    const bool min = (w->style & WS_MINIMIZE) != 0 || w->minimized;
    HMENU hMenu = CreatePopupMenu();
    AppendMenu(hMenu, MF_STRING | ((max || min) ? 0 : MF_GRAYED), SC_RESTORE, "\xBB\xB9\xD4\xAD(&R)");  // 还原
    AppendMenu(hMenu, MF_STRING | ((w->style & WS_MINIMIZEBOX) && !min ? 0 : MF_GRAYED), SC_MINIMIZE,
               "\xD7\xEE\xD0\xA1\xBB\xAF(&N)");  // 最小化
    AppendMenu(hMenu, MF_STRING | ((w->style & WS_MAXIMIZEBOX) && !max ? 0 : MF_GRAYED), SC_MAXIMIZE,
               "\xD7\xEE\xB4\xF3\xBB\xAF(&X)");  // 最大化
    AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(hMenu, MF_STRING, SC_CLOSE, "\xB9\xD8\xB1\xD5(&C)\tCtrl+F4");  // 关闭
    AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenu(hMenu, MF_STRING, SC_NEXTWINDOW, "\xCF\xC2\xD2\xBB\xB8\xF6(&T)\tCtrl+F6");  // 下一个
    const UINT cmd = (UINT)TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0,
                                          hWnd, nullptr);
    DestroyMenu(hMenu);
    if (cmd && IsWindow(hWnd))
        ::SendMessage(hWnd, WM_SYSCOMMAND, cmd, 0);
}

bool AfxCaptionButtonDown(HWND hWnd, UINT hit, bool dbl)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || AfxIsTopLevel(w))
        return false;
    const bool max = (w->style & WS_MAXIMIZE) != 0 || w->maximized;
    const bool min = (w->style & WS_MINIMIZE) != 0 || w->minimized;
    switch (hit) {
    case HTCLOSE: ::SendMessage(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); return true;
    case HTMAXBUTTON: ::SendMessage(hWnd, WM_SYSCOMMAND, (max || min) ? SC_RESTORE : SC_MAXIMIZE, 0); return true;
    case HTMINBUTTON: ::SendMessage(hWnd, WM_SYSCOMMAND, min ? SC_RESTORE : SC_MINIMIZE, 0); return true;
    case HTSYSMENU: {
        if (dbl) {
            ::SendMessage(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        }
        const AfxCaptionParts parts = AfxCaptionPartsOf(w);
        RECT wr;
        GetWindowRect(hWnd, &wr);
        AfxShowSystemMenu(hWnd, POINT{wr.left + parts.caption.left(), wr.top + parts.caption.bottom() + 1});
        return true;
    }
    default: return false;
    }
}
