// Items of owner-drawn list boxes and combo boxes: Qt's item view asks the control's
// procedure to measure and paint each item, as the platform asks the owner.
#pragma once

#include <ClassLib/Core/WinTypes.h>

#include <QPainter>
#include <QStyledItemDelegate>

namespace pc {

class ControlHost;
class ListItems;

// The height of item index: its own (a variable list's measured item), else the list's
// common height, else defaultHeight.
int OwnerItemHeight(const ListItems& items, int index, int commonHeight, int defaultHeight);

// Asks the owner for the height of item index of a list of kind ctlType (ODT_LISTBOX,
// ODT_COMBOBOX), proposing defaultHeight; index < 0 asks the common height of a fixed list,
// as item commonItemId. A valid item keeps its answer; the answer is returned.
int OwnerMeasureItem(ControlHost* host, UINT ctlType, UINT commonItemId, ListItems& items, int index,
                     int defaultHeight);

// Has the owner draw item index (any invalid index: no item, as an empty field) in rect.
void OwnerPaintItem(ControlHost* host, QPainter& painter, UINT ctlType, const ListItems& items, int index,
                    const QRect& rect, bool selected, bool focus, bool disabled);

template <class Proc>
class OwnerDrawDelegate : public QStyledItemDelegate
{
public:
    OwnerDrawDelegate(Proc* proc, QObject* parent) : QStyledItemDelegate(parent), m_proc(proc) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        m_proc->PaintItem(*painter, index.row(), option.rect, (option.state & QStyle::State_Selected) != 0,
                          (option.state & QStyle::State_HasFocus) != 0);
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(m_proc->ItemHeight(index.row()));
        return s;
    }

private:
    Proc* m_proc;
};

}  // namespace pc
