// List boxes: single, multiple and extended selection, sorted and owner-drawn lists.
#include "ControlBorder.h"
#include "OwnerDrawDelegate.h"
#include "ListBoxProc.h"
#include <ClassLib/AfxWin.h>

#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

#include <cstring>

namespace pc {

ListBoxProc::ListBoxProc(ControlHost* host, DWORD style, QWidget* parent) : ControlProc(host, style)
{
    m_list = new QListWidget(parent);
    ApplyThinBorder(m_list, (style & WS_BORDER) != 0);
    m_list->setSelectionMode((style & LBS_NOSEL)          ? QAbstractItemView::NoSelection
                             : (style & LBS_EXTENDEDSEL)  ? QAbstractItemView::ExtendedSelection
                             : (style & LBS_MULTIPLESEL)  ? QAbstractItemView::MultiSelection
                                                          : QAbstractItemView::SingleSelection);
    if (OwnerDraw())
        m_list->setItemDelegate(new OwnerDrawDelegate<ListBoxProc>(this, m_list));
    QObject::connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_quiet)
            return;
        SyncSelection();
        if (m_style & LBS_NOTIFY)
            m_host->Command(LBN_SELCHANGE);
    });
    QObject::connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) {
        if (m_style & LBS_NOTIFY)
            m_host->Command(LBN_DBLCLK);
    });
}

void ListBoxProc::StyleChanged(DWORD style)
{
    ControlProc::StyleChanged(style);
    ApplyThinBorder(m_list, (style & WS_BORDER) != 0);
}

void ListBoxProc::Created()
{
    if (OwnerDraw() && !(m_style & LBS_OWNERDRAWVARIABLE))
        Measure(-1);
}

QWidget* ListBoxProc::Widget() const
{
    return m_list;
}

void ListBoxProc::SyncSelection()
{
    for (int i = 0; i < m_items.Count(); ++i)
        m_items.At(i).selected = m_list->item(i) && m_list->item(i)->isSelected();
}

int ListBoxProc::ItemHeight(int index) const
{
    return OwnerItemHeight(m_items, index, m_itemHeight, m_list->fontMetrics().height() + 2);
}

// A fixed list's common height is asked as item 0.
void ListBoxProc::Measure(int index)
{
    const int height = OwnerMeasureItem(m_host, ODT_LISTBOX, 0u, m_items, index, m_list->fontMetrics().height() + 2);
    if (index < 0)
        m_itemHeight = height;
}

void ListBoxProc::PaintItem(QPainter& painter, int index, const QRect& rect, bool selected, bool focus)
{
    OwnerPaintItem(m_host, painter, ODT_LISTBOX, m_items, index, rect, selected, focus, false);
}

int ListBoxProc::Insert(int index, LPARAM lParam, bool add)
{
    CString text = HasStrings() && lParam ? CString(reinterpret_cast<LPCTSTR>(lParam)) : CString();
    int at = add ? m_items.Add(text, (m_style & LBS_SORT) && HasStrings()) : m_items.Insert(index, text);
    if (at < 0)
        return LB_ERR;
    if (!HasStrings())
        m_items.At(at).data = static_cast<ULONG_PTR>(lParam);
    ++m_quiet;
    m_list->insertItem(at, HasStrings() ? ToQt(text) : QString());
    --m_quiet;
    if (m_style & LBS_OWNERDRAWVARIABLE)
        Measure(at);
    return at;
}

LRESULT ListBoxProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (msg) {
    case LB_ADDSTRING:
        return Insert(-1, lParam, true);
    case LB_INSERTSTRING:
        return Insert(index, lParam, false);
    case LB_DELETESTRING:
        if (!m_items.Valid(index))
            return LB_ERR;
        ++m_quiet;
        m_items.Delete(index);
        delete m_list->takeItem(index);
        --m_quiet;
        return m_items.Count();
    case LB_RESETCONTENT:
        ++m_quiet;
        m_items.Clear();
        m_list->clear();
        --m_quiet;
        return 0;
    case LB_GETCOUNT:
        return m_items.Count();
    case LB_GETTEXT: {
        if (!m_items.Valid(index))
            return LB_ERR;
        if (!HasStrings()) {
            if (lParam)
                *reinterpret_cast<ULONG_PTR*>(lParam) = m_items.At(index).data;
            return sizeof(ULONG_PTR);
        }
        const CString& t = m_items.At(index).text;
        if (lParam)
            std::memcpy(reinterpret_cast<char*>(lParam), static_cast<LPCTSTR>(t), size_t(t.GetLength()) + 1);
        return t.GetLength();
    }
    case LB_GETTEXTLEN:
        if (!m_items.Valid(index))
            return LB_ERR;
        return HasStrings() ? m_items.At(index).text.GetLength() : static_cast<int>(sizeof(ULONG_PTR));
    case LB_GETCURSEL:
        if (Multiple())
            return m_list->currentRow() >= 0 ? m_list->currentRow() : LB_ERR;
        for (int i = 0; i < m_items.Count(); ++i)
            if (m_list->item(i)->isSelected())
                return i;
        return LB_ERR;
    case LB_SETCURSEL:
        if (Multiple())
            return LB_ERR;
        ++m_quiet;
        m_list->clearSelection();
        if (m_items.Valid(index)) {
            m_list->setCurrentRow(index);
            m_list->item(index)->setSelected(true);
        }
        SyncSelection();
        --m_quiet;
        return m_items.Valid(index) ? index : LB_ERR;
    case LB_SETSEL: {
        if (!Multiple())
            return LB_ERR;
        int i = static_cast<int>(lParam);
        ++m_quiet;
        for (int k = 0; k < m_items.Count(); ++k)
            if (i == -1 || k == i)
                m_list->item(k)->setSelected(wParam != 0);
        SyncSelection();
        --m_quiet;
        return (i == -1 || m_items.Valid(i)) ? LB_OKAY : LB_ERR;
    }
    case LB_GETSEL:
        if (!m_items.Valid(index))
            return LB_ERR;
        return m_list->item(index)->isSelected() ? 1 : 0;
    case LB_GETSELCOUNT: {
        if (!Multiple())
            return LB_ERR;
        int n = 0;
        for (int i = 0; i < m_items.Count(); ++i)
            n += m_list->item(i)->isSelected() ? 1 : 0;
        return n;
    }
    case LB_GETSELITEMS: {
        if (!Multiple())
            return LB_ERR;
        auto* out = reinterpret_cast<int*>(lParam);
        int n = 0;
        for (int i = 0; i < m_items.Count() && n < index; ++i)
            if (m_list->item(i)->isSelected()) {
                if (out)
                    out[n] = i;
                ++n;
            }
        return n;
    }
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
        int i = msg == LB_FINDSTRINGEXACT ? m_items.FindExact(index, reinterpret_cast<LPCTSTR>(lParam))
                                          : m_items.FindPrefix(index, reinterpret_cast<LPCTSTR>(lParam));
        if (i < 0)
            return LB_ERR;
        if (msg == LB_SELECTSTRING && !Multiple()) {
            bool h = false;
            Proc(LB_SETCURSEL, static_cast<WPARAM>(i), 0, h);
        }
        return i;
    }
    case LB_GETITEMDATA:
        return m_items.Valid(index) ? static_cast<LRESULT>(m_items.At(index).data) : LB_ERR;
    case LB_SETITEMDATA:
        if (!m_items.Valid(index))
            return LB_ERR;
        m_items.At(index).data = static_cast<ULONG_PTR>(lParam);
        return LB_OKAY;
    case LB_GETTOPINDEX: {
        QListWidgetItem* top = m_list->itemAt(0, 0);
        return top ? m_list->row(top) : 0;
    }
    case LB_SETTOPINDEX:
        if (!m_items.Valid(index))
            return LB_ERR;
        m_list->scrollToItem(m_list->item(index), QAbstractItemView::PositionAtTop);
        return LB_OKAY;
    case LB_GETCARETINDEX:
        return m_list->currentRow();
    case LB_SETCARETINDEX:
        if (!m_items.Valid(index))
            return LB_ERR;
        ++m_quiet;
        m_list->setCurrentRow(index, QItemSelectionModel::NoUpdate);
        --m_quiet;
        return LB_OKAY;
    case LB_SETITEMHEIGHT:
        if (static_cast<int>(lParam) <= 0 || lParam > 255)
            return LB_ERR;
        if ((m_style & LBS_OWNERDRAWVARIABLE) && m_items.Valid(index))
            m_items.At(index).height = static_cast<int>(lParam);
        else
            m_itemHeight = static_cast<int>(lParam);
        return LB_OKAY;
    case LB_GETITEMHEIGHT:
        return ItemHeight(index);
    case LB_GETITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!m_items.Valid(index) || !r)
            return LB_ERR;
        QRect q = m_list->visualItemRect(m_list->item(index));
        *r = {q.left(), q.top(), q.right() + 1, q.bottom() + 1};
        return LB_OKAY;
    }
    case LB_SETHORIZONTALEXTENT:
    case LB_SETTABSTOPS:
    case LB_SETCOLUMNWIDTH:
        return TRUE;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        handled = false;
        return 0;
    }
}

}  // namespace pc
