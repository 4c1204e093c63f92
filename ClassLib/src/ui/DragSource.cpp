// Drags of a data source: scripted in tests, a Qt drag on a real screen.
#include "ClipFormats.h"
#include "DragDrop.h"
#include "PcMimeData.h"
#include "Scripts.h"

#include <ClassLib/Wnd/UiApp.h>

#include <QApplication>
#include <QDrag>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

namespace pc {

// Nobody is there to answer: a test harness runs the program, or there is no screen.
bool IsHeadless()
{
    if (AfxIsUnderTestHarness())
        return true;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return true;
    const QString name = QGuiApplication::platformName();
    return name == QLatin1String("offscreen") || name == QLatin1String("minimal");
}

PcMimeData::PcMimeData(COleDataSource* source) : m_source(source)
{
    // The formats are also published the ordinary way, for drops into other programs.
    for (CLIPFORMAT cf : source->GetFormats()) {
        std::string bytes = source->GetBytes(cf);
        PutFormat(*this, cf, bytes.data(), bytes.size());
    }
}

DWORD EffectsOf(Qt::DropActions actions)
{
    DWORD e = DROPEFFECT_NONE;
    if (actions & Qt::CopyAction)
        e |= DROPEFFECT_COPY;
    if (actions & Qt::MoveAction)
        e |= DROPEFFECT_MOVE;
    if (actions & Qt::LinkAction)
        e |= DROPEFFECT_LINK;
    return e;
}

Qt::DropActions ActionsOf(DWORD effects)
{
    Qt::DropActions a;
    if (effects & DROPEFFECT_COPY)
        a |= Qt::CopyAction;
    if (effects & DROPEFFECT_MOVE)
        a |= Qt::MoveAction;
    if (effects & DROPEFFECT_LINK)
        a |= Qt::LinkAction;
    return a;
}

DROPEFFECT RunDrag(COleDataSource* source, DWORD dwEffects, LPCRECT, COleDropSource*)
{
    if (!source)
        return DROPEFFECT_NONE;
    if (auto script = NextDragScript())
        return (*script)(source, dwEffects) & dwEffects;
    if (IsHeadless())
        return DROPEFFECT_NONE;
    QWidget* from = QApplication::widgetAt(QCursor::pos());
    if (!from)
        from = QApplication::focusWidget();
    if (!from)
        from = QApplication::activeWindow();
    if (!from)
        return DROPEFFECT_NONE;
    auto* drag = new QDrag(from);
    drag->setMimeData(new PcMimeData(source));
    Qt::DropActions allowed = ActionsOf(dwEffects);
    Qt::DropAction def = (dwEffects & DROPEFFECT_MOVE) ? Qt::MoveAction : Qt::CopyAction;
    Qt::DropAction result = drag->exec(allowed, def);
    return EffectsOf(result) & dwEffects;
}

}  // namespace pc
