// Drags of a data source: scripted in tests, a drag of the back end on a real screen.
#include "Backend.h"
#include "ClipFormats.h"
#include "DragDrop.h"
#include "PcMimeData.h"
#include "Scripts.h"

#include <ClassLib/Wnd/UiApp.h>

namespace pc {

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
    if (!TheBackend().CanAskPerson())
        return DROPEFFECT_NONE;
    return TheBackend().Drag(source, dwEffects);
}

}  // namespace pc
