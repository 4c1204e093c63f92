// Items of owner-drawn list boxes and combo boxes: Qt's item view asks the control's
// procedure to measure and paint each item, as the platform asks the owner.
#pragma once

#include <QPainter>
#include <QStyledItemDelegate>

namespace pc {

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
