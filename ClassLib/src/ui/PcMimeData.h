// Private: mime data of a drag started here, which still knows its data source so that a
// drop inside this process reads the source directly.
#pragma once

#include <ClassLib/Ole/DataObject.h>

#include <QMimeData>

namespace pc {

class PcMimeData : public QMimeData
{
public:
    explicit PcMimeData(COleDataSource* source);
    COleDataSource* Source() const { return m_source; }

private:
    COleDataSource* m_source;
};

// The drop actions of DROPEFFECT_ bits, and the bits of drop actions (shared by the drag
// and the drop side).
Qt::DropActions ActionsOf(DWORD effects);
DWORD EffectsOf(Qt::DropActions actions);

}  // namespace pc
