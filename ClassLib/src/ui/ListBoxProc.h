// Private: the list box on QListWidget, with its items kept as the platform keeps them.
#pragma once

#include "ControlProc.h"
#include "ListItems.h"

#include <QObject>

class QListWidget;

namespace pc {

class ListBoxProc : public QObject, public ControlProc
{
public:
    ListBoxProc(ControlHost* host, DWORD style, QWidget* parent);
    QWidget* Widget() const override;
    void Created() override;
    void StyleChanged(DWORD style) override;
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

    bool Multiple() const { return (m_style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    bool OwnerDraw() const { return (m_style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
    bool HasStrings() const { return !OwnerDraw() || (m_style & LBS_HASSTRINGS); }
    int ItemHeight(int index) const;
    void PaintItem(QPainter& painter, int index, const QRect& rect, bool selected, bool focus);

private:
    int Insert(int index, LPARAM lParam, bool add);
    void SyncSelection();
    void Measure(int index);

    QListWidget* m_list = nullptr;
    ListItems m_items;
    int m_quiet = 0;
    int m_itemHeight = 0;
};

}  // namespace pc
