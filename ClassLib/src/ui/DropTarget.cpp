// Drop targets on Qt's drag and drop; the test drop.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Testing/UiScripts.h>
#include <ClassLib/Wnd/QtInterop.h>

#include "ClipFormats.h"
#include "DragDrop.h"
#include "PcMimeData.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QPointer>
#include <QWidget>

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

namespace {

// The data of a drop: the source itself for a drag of this program, else the mime data.
class MimeDataObject final : public IDataObject
{
public:
    explicit MimeDataObject(const QMimeData* mime) : m_mime(mime) {}
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        ULONG n = --m_refs;
        if (n == 0)
            delete this;
        return n;
    }
    BOOL QueryFormat(CLIPFORMAT cf) override { return m_mime && pc::HasFormat(*m_mime, cf); }
    HGLOBAL GetGlobalCopy(CLIPFORMAT cf) override
    {
        if (!m_mime)
            return nullptr;
        auto bytes = pc::GetFormat(*m_mime, cf);
        return bytes ? AfxGlobalFromBytes(bytes->data(), bytes->size()) : nullptr;
    }
    std::vector<CLIPFORMAT> Formats() override { return m_mime ? pc::FormatsOf(*m_mime) : std::vector<CLIPFORMAT>(); }

private:
    QPointer<const QMimeData> m_mime;
    ULONG m_refs = 1;
};

LPDATAOBJECT DataObjectOf(const QMimeData* mime)
{
    if (auto* own = dynamic_cast<const pc::PcMimeData*>(mime))
        if (own->Source())
            return own->Source()->GetDataObject();
    return new MimeDataObject(mime);
}

DWORD KeyStateOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    DWORD k = 0;
    if (mods & Qt::ControlModifier)
        k |= MK_CONTROL;
    if (mods & Qt::ShiftModifier)
        k |= MK_SHIFT;
    if (mods & Qt::AltModifier)
        k |= MK_ALT;
    if (buttons & Qt::LeftButton)
        k |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        k |= MK_MBUTTON;
    return k;
}

Qt::DropAction ActionOf(DWORD effect)
{
    if (effect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    if (effect & DROPEFFECT_COPY)
        return Qt::CopyAction;
    if (effect & DROPEFFECT_LINK)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

}  // namespace

// Turns the Qt drag events of the registered window's widget into the target's calls.
class COleDropTarget::Bridge : public QObject
{
public:
    Bridge(COleDropTarget* target, HWND hWnd) : m_target(target), m_hWnd(hWnd) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* de = static_cast<QDragMoveEvent*>(e);
            CWnd* pWnd = CWnd::FromHandle(m_hWnd);
            if (!pWnd)
                return false;
            CPoint pt = ClientPoint(watched, de->position().toPoint());
            DWORD keys = KeyStateOf(de->modifiers(), de->buttons());
            COleDataObject data;
            data.Attach(DataObjectOf(de->mimeData()), TRUE);
            DROPEFFECT effect = m_target->OnDragScroll(pWnd, keys, pt);
            if (!(effect & DROPEFFECT_SCROLL))
                effect = e->type() == QEvent::DragEnter ? m_target->OnDragEnter(pWnd, &data, keys, pt)
                                                         : m_target->OnDragOver(pWnd, &data, keys, pt);
            effect &= pc::EffectsOf(de->possibleActions()) | DROPEFFECT_SCROLL;
            m_last = effect & ~DROPEFFECT_SCROLL;
            // The drag stays with the window even where it refuses the data, as it does on
            // the platform: later moves are still asked.
            de->setDropAction(ActionOf(m_last));
            de->accept();
            return true;
        }
        case QEvent::DragLeave:
            if (CWnd* pWnd = CWnd::FromHandle(m_hWnd))
                m_target->OnDragLeave(pWnd);
            m_last = DROPEFFECT_NONE;
            return true;
        case QEvent::Drop: {
            auto* de = static_cast<QDropEvent*>(e);
            CWnd* pWnd = CWnd::FromHandle(m_hWnd);
            if (!pWnd)
                return false;
            CPoint pt = ClientPoint(watched, de->position().toPoint());
            COleDataObject data;
            data.Attach(DataObjectOf(de->mimeData()), TRUE);
            DROPEFFECT effect = m_last;
            m_last = DROPEFFECT_NONE;
            if (effect == DROPEFFECT_NONE) {
                m_target->OnDragLeave(pWnd);
                de->setDropAction(Qt::IgnoreAction);
                de->ignore();
                return true;
            }
            DROPEFFECT result =
                m_target->OnDropEx(pWnd, &data, effect, pc::EffectsOf(de->possibleActions()), pt);
            if (result == static_cast<DROPEFFECT>(-1))
                result = m_target->OnDrop(pWnd, &data, effect, pt) ? effect : DROPEFFECT_NONE;
            if (result == DROPEFFECT_NONE) {
                de->setDropAction(Qt::IgnoreAction);
                de->ignore();
            } else {
                de->setDropAction(ActionOf(result));
                de->accept();
            }
            return true;
        }
        default:
            return false;
        }
    }

private:
    CPoint ClientPoint(QObject* watched, QPoint pos) const
    {
        auto* w = static_cast<QWidget*>(watched);
        QPoint g = w->mapToGlobal(pos);
        POINT p = {g.x(), g.y()};
        ::ScreenToClient(m_hWnd, &p);
        return CPoint(p.x, p.y);
    }

    COleDropTarget* m_target;
    HWND m_hWnd;
    DROPEFFECT m_last = DROPEFFECT_NONE;
};

COleDropTarget::COleDropTarget() : m_hWnd(nullptr) {}

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (m_hWnd || !pWnd || !pWnd->GetSafeHwnd())
        return FALSE;
    QWidget* w = AfxGetWidget(pWnd->GetSafeHwnd());
    if (!w)
        return FALSE;
    m_hWnd = pWnd->GetSafeHwnd();
    m_bridge = std::make_unique<Bridge>(this, m_hWnd);
    w->setAcceptDrops(true);
    w->installEventFilter(m_bridge.get());
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (!m_hWnd)
        return;
    if (QWidget* w = AfxGetWidget(m_hWnd)) {
        w->removeEventFilter(m_bridge.get());
        w->setAcceptDrops(false);
    }
    m_bridge.reset();
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return static_cast<DROPEFFECT>(-1);
}

void COleDropTarget::OnDragLeave(CWnd*) {}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

COleDropSource::COleDropSource() = default;

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed)
        return DRAGDROP_S_CANCEL;
    if (!(dwKeyState & (MK_LBUTTON | MK_RBUTTON)))
        return DRAGDROP_S_DROP;
    return 0;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

BOOL COleDropSource::OnBeginDrag(CWnd*)
{
    return TRUE;
}

// ---- the test drop ------------------------------------------------------------------------

DWORD AfxTestDropOn(CWnd* pTarget, COleDataSource* pSource, CPoint ptClient, DWORD dwKeyState, bool bLeave)
{
    if (!pTarget || !pSource || !pTarget->GetSafeHwnd())
        return DROPEFFECT_NONE;
    QWidget* w = AfxGetWidget(pTarget->GetSafeHwnd());
    if (!w)
        return DROPEFFECT_NONE;
    POINT p = {ptClient.x, ptClient.y};
    ::ClientToScreen(pTarget->GetSafeHwnd(), &p);
    QPointF pos = w->mapFromGlobal(QPoint(p.x, p.y));
    Qt::KeyboardModifiers mods;
    if (dwKeyState & MK_CONTROL)
        mods |= Qt::ControlModifier;
    if (dwKeyState & MK_SHIFT)
        mods |= Qt::ShiftModifier;
    if (dwKeyState & MK_ALT)
        mods |= Qt::AltModifier;
    Qt::MouseButtons buttons = Qt::LeftButton;
    if (dwKeyState & MK_RBUTTON)
        buttons = Qt::RightButton;
    pc::PcMimeData mime(pSource);
    const Qt::DropActions all = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(pos.toPoint(), all, &mime, buttons, mods);
    QCoreApplication::sendEvent(w, &enter);
    if (!enter.isAccepted())
        return DROPEFFECT_NONE;
    QDragMoveEvent move(pos.toPoint(), all, &mime, buttons, mods);
    QCoreApplication::sendEvent(w, &move);
    if (bLeave) {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(w, &leave);
        return DROPEFFECT_NONE;
    }
    QDropEvent drop(pos, all, &mime, Qt::NoButton, mods);
    QCoreApplication::sendEvent(w, &drop);
    if (!drop.isAccepted())
        return DROPEFFECT_NONE;
    return pc::EffectsOf(drop.dropAction());
}
