// The combo box: drop-down (an edit part, child id 1001), drop-down list, sorted and
// owner-drawn lists, with the platform's notifications.
#include "OwnerDrawDelegate.h"
#include "ComboProc.h"
#include "ComboList.h"
#include "EditProc.h"
#include <ClassLib/AfxWin.h>

#include <ClassLib/Wnd/WinApi.h>

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include <cstring>

namespace pc {

namespace {

// The widget outlives its procedure by a while (it is deleted later than its window): once
// the procedure is gone it behaves as a plain combo box, so that disabling or closing it then
// (a modal dialog disables its owner's children) reads no freed procedure.
class PcComboBox : public QComboBox
{
public:
    PcComboBox(ComboProc* proc, QWidget* parent) : QComboBox(parent), m_proc(proc) {}
    void showPopup() override
    {
        if (!m_proc) {
            QComboBox::showPopup();
            return;
        }
        if (m_proc->ListWindow() != nullptr) {
            m_proc->OpenList();
            return;
        }
        m_proc->DroppedDown(true);
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        if (!m_proc) {
            QComboBox::hidePopup();
            return;
        }
        if (m_proc->ListWindow() != nullptr) {
            m_proc->CloseList(false);
            return;
        }
        QComboBox::hidePopup();
        m_proc->DroppedDown(false);
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        if (!m_proc || !m_proc->OwnerDraw()) {
            QComboBox::paintEvent(e);
            return;
        }
        QStylePainter p(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        opt.currentText.clear();
        p.drawComplexControl(QStyle::CC_ComboBox, opt);
        QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
        p.save();
        p.setClipRect(field);
        m_proc->PaintItem(p, m_proc->FieldItem(), field, hasFocus(), hasFocus());
        p.restore();
    }

private:
    QPointer<ComboProc> m_proc;
};


}  // namespace

ComboProc::ComboProc(ControlHost* host, DWORD style, QWidget* parent) : ControlProc(host, style)
{
    auto* combo = new PcComboBox(this, parent);
    m_combo = combo;
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setMaxVisibleItems(30);
    if (!IsDropList())
        m_combo->setEditable(true);
    if (OwnerDraw())
        m_combo->setItemDelegate(new OwnerDrawDelegate<ComboProc>(this, m_combo));
    QObject::connect(m_combo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int index) {
        if (m_quiet)
            return;
        m_lastSel = index;
        if (m_edit && index >= 0 && HasStrings()) {
            ++m_quiet;
            bool h = false;
            m_edit->Proc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(m_items.At(index).text)), h);
            m_edit->Proc(EM_SETSEL, 0, -1, h);
            --m_quiet;
        }
        m_host->Command(CBN_SELCHANGE);
    });
    QObject::connect(m_combo, qOverload<int>(&QComboBox::activated), this, [this](int) {
        if (!m_quiet)
            m_host->Command(CBN_SELENDOK);
    });
    m_combo->installEventFilter(this);
}

ComboProc::~ComboProc()
{
    if (m_hList != nullptr)
        DestroyComboList(m_hList);
}

void ComboProc::OpenList()
{
    if (m_dropped || m_hList == nullptr)
        return;
    DroppedDown(true);
    ShowComboList(m_hList, true);
}

void ComboProc::CloseList(bool bChosen)
{
    if (!m_dropped)
        return;
    ShowComboList(m_hList, false);
    if (!bChosen)
        m_host->Command(CBN_SELENDCANCEL);
    DroppedDown(false);
    m_combo->update();
}

void ComboProc::ChooseFromList(int index)
{
    if (!m_items.Valid(index))
        return;
    m_combo->setCurrentIndex(index);  // CBN_SELCHANGE when it changed
    m_host->Command(CBN_SELENDOK);
}

int ComboProc::FieldItem() const
{
    if (m_hList == nullptr)
        return m_combo->currentIndex();
    return static_cast<int>(ComboListSend(m_hList, LB_GETCURSEL, 0, 0));
}

int ComboProc::BoxHeight() const
{
    return std::max(m_combo->sizeHint().height(), m_combo->minimumHeight());
}

// However a drop-down combo box is made (from a template or in code) or moved, the height
// it is given is its list's: the window itself is one box high.
void ComboProc::FitHeight()
{
    if (Kind() == CBS_SIMPLE)
        return;
    HWND h = m_host->Self();
    RECT r;
    if (h && ::GetWindowRect(h, &r) && r.bottom - r.top != BoxHeight()) {
        ++m_fitting;
        ::SetWindowPos(h, nullptr, 0, 0, r.right - r.left, BoxHeight(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        --m_fitting;
    }
}

int ComboProc::DroppedListExtent() const
{
    return std::max(0, m_droppedHeight - BoxHeight());
}

void ComboProc::FontChanged() { FitHeight(); }

void ComboProc::Created()
{
    // The height it is made with is the extent of the box with its list dropped.
    RECT rcMade;
    if (m_droppedHeight == 0 && m_host->Self() && ::GetWindowRect(m_host->Self(), &rcMade))
        m_droppedHeight = rcMade.bottom - rcMade.top;
    // The drop-down list is a window of its own.
    if (m_hList == nullptr)
        m_hList = CreateComboList(this, m_host->Self());
    // A fixed owner-drawn list asks its parent once for the height of its items.
    if (OwnerDraw() && !(m_style & CBS_OWNERDRAWVARIABLE))
        Measure(-1);
    if (IsDropList() || m_edit) {
        FitHeight();
        return;
    }
    // The edit part is a window of its own, as the platform's is: id 1001.
    DWORD editStyle = 0x50000000u | ES_AUTOHSCROLL;  // WS_CHILD | WS_VISIBLE
    m_edit = m_host->AddChildControl(WC_EDIT, PC_COMBO_EDIT_ID, editStyle, m_combo);
    if (auto* line = m_edit ? qobject_cast<QLineEdit*>(m_edit->Widget()) : nullptr) {
        line->setFrame(false);
        m_combo->setLineEdit(line);
        // The platform's edit part completes nothing by itself: what is typed is the text.
        m_combo->setCompleter(nullptr);
        line->installEventFilter(this);
    }
    FitHeight();
}

QWidget* ComboProc::Widget() const
{
    return m_combo;
}

void ComboProc::DroppedDown(bool down)
{
    if (down == m_dropped)
        return;
    m_dropped = down;
    if (down) {
        m_host->Command(CBN_DROPDOWN);
        if (m_droppedWidth > 0)
            m_combo->view()->setMinimumWidth(m_droppedWidth);
    } else {
        m_host->Command(CBN_CLOSEUP);
    }
}

bool ComboProc::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_combo && !m_edit) {
        if (event->type() == QEvent::FocusIn)
            m_host->Command(CBN_SETFOCUS);
        else if (event->type() == QEvent::FocusOut)
            m_host->Command(CBN_KILLFOCUS);
    }
    return false;
}

int ComboProc::ItemHeight(int index) const
{
    return OwnerItemHeight(m_items, index, m_itemHeight, m_combo->fontMetrics().height() + 2);
}

// A fixed list's common height is asked as item -1; it is the selection field's height too
// until that is set.
void ComboProc::Measure(int index)
{
    const int height = OwnerMeasureItem(m_host, ODT_COMBOBOX, static_cast<UINT>(-1), m_items, index,
                                        m_combo->fontMetrics().height() + 2);
    if (index < 0) {
        m_itemHeight = height;
        if (m_selectionHeight == 0)
            m_selectionHeight = m_itemHeight;
    }
}

void ComboProc::PaintItem(QPainter& painter, int index, const QRect& rect, bool selected, bool focus)
{
    OwnerPaintItem(m_host, painter, ODT_COMBOBOX, m_items, index, rect, selected, focus, !m_combo->isEnabled());
}

int ComboProc::CurSel() const
{
    return m_combo->currentIndex();
}

void ComboProc::SetCurSel(int index)
{
    ++m_quiet;
    m_combo->setCurrentIndex(m_items.Valid(index) ? index : -1);
    m_lastSel = m_combo->currentIndex();
    if (m_edit) {
        bool h = false;
        LPCTSTR text = m_items.Valid(index) && HasStrings() ? static_cast<LPCTSTR>(m_items.At(index).text) : "";
        m_edit->Proc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), h);
        m_edit->Proc(EM_SETSEL, 0, -1, h);  // the chosen text is selected, as typing replaces it
    }
    --m_quiet;
}

CString ComboProc::WindowText() const
{
    if (m_edit) {
        bool h = false;
        LRESULT n = m_edit->Proc(WM_GETTEXTLENGTH, 0, 0, h);
        CString s;
        char* buf = s.GetBufferSetLength(static_cast<int>(n));
        m_edit->Proc(WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(buf), h);
        s.ReleaseBuffer(static_cast<int>(n));
        return s;
    }
    int sel = CurSel();
    return m_items.Valid(sel) && HasStrings() ? m_items.At(sel).text : CString();
}

int ComboProc::Insert(int index, LPARAM lParam, bool add)
{
    CString text = HasStrings() && lParam ? CString(reinterpret_cast<LPCTSTR>(lParam)) : CString();
    int at = add ? m_items.Add(text, (m_style & CBS_SORT) && HasStrings()) : m_items.Insert(index, text);
    if (at < 0)
        return CB_ERR;
    if (!HasStrings())
        m_items.At(at).data = static_cast<ULONG_PTR>(lParam);
    ++m_quiet;
    const int sel = CurSel();
    m_combo->insertItem(at, HasStrings() ? ToQt(text) : QString());
    if (sel < 0)
        m_combo->setCurrentIndex(-1);  // adding an item selects nothing
    --m_quiet;
    if (m_style & CBS_OWNERDRAWVARIABLE)
        Measure(at);
    return at;
}

LRESULT ComboProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (msg) {
    case WM_WINDOWPOSCHANGING: {
        auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
        if (wp && Kind() != CBS_SIMPLE && !(wp->flags & SWP_NOSIZE)) {
            // A height given from outside is the dropped extent; the window keeps the box's.
            if (m_fitting == 0)
                m_droppedHeight = wp->cy;
            wp->cy = BoxHeight();
        }
        handled = false;
        return 0;
    }
    case CB_GETDROPPEDCONTROLRECT: {
        RECT* prc = reinterpret_cast<RECT*>(lParam);
        if (prc == nullptr || !::GetWindowRect(m_host->Self(), prc))
            return CB_ERR;
        prc->bottom = prc->top + std::max<int>(m_droppedHeight, prc->bottom - prc->top);
        return TRUE;
    }
    case CB_ADDSTRING:
        return Insert(-1, lParam, true);
    case CB_INSERTSTRING:
        return Insert(static_cast<int>(static_cast<INT_PTR>(wParam)), lParam, false);
    case CB_DELETESTRING: {
        int i = static_cast<int>(wParam);
        if (!m_items.Valid(i))
            return CB_ERR;
        ++m_quiet;
        m_items.Delete(i);
        m_combo->removeItem(i);
        --m_quiet;
        return m_items.Count();
    }
    case CB_RESETCONTENT:
        ++m_quiet;
        m_items.Clear();
        m_combo->clear();
        if (m_edit) {
            bool h = false;
            m_edit->Proc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""), h);
        }
        --m_quiet;
        return CB_OKAY;
    case CB_GETCOUNT:
        return m_items.Count();
    case CB_GETCURSEL:
        return CurSel() < 0 ? CB_ERR : CurSel();
    case CB_SETCURSEL: {
        int i = static_cast<int>(static_cast<INT_PTR>(wParam));
        SetCurSel(i);
        return m_items.Valid(i) ? i : CB_ERR;
    }
    case CB_GETLBTEXT: {
        int i = static_cast<int>(wParam);
        if (!m_items.Valid(i))
            return CB_ERR;
        if (!HasStrings()) {
            if (lParam)
                *reinterpret_cast<ULONG_PTR*>(lParam) = m_items.At(i).data;
            return sizeof(ULONG_PTR);
        }
        const CString& t = m_items.At(i).text;
        if (lParam)
            std::memcpy(reinterpret_cast<char*>(lParam), static_cast<LPCTSTR>(t), size_t(t.GetLength()) + 1);
        return t.GetLength();
    }
    case CB_GETLBTEXTLEN: {
        int i = static_cast<int>(wParam);
        if (!m_items.Valid(i))
            return CB_ERR;
        return HasStrings() ? m_items.At(i).text.GetLength() : static_cast<int>(sizeof(ULONG_PTR));
    }
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING: {
        int start = static_cast<int>(static_cast<INT_PTR>(wParam));
        int i;
        if (!HasStrings()) {
            i = -1;
            for (int k = 0; k < m_items.Count(); ++k) {
                int j = (start + 1 + k + m_items.Count()) % m_items.Count();
                if (m_items.At(j).data == static_cast<ULONG_PTR>(lParam)) {
                    i = j;
                    break;
                }
            }
        } else if (msg == CB_FINDSTRINGEXACT) {
            i = m_items.FindExact(start, reinterpret_cast<LPCTSTR>(lParam));
        } else {
            i = m_items.FindPrefix(start, reinterpret_cast<LPCTSTR>(lParam));
        }
        if (i < 0)
            return CB_ERR;
        if (msg == CB_SELECTSTRING)
            SetCurSel(i);
        return i;
    }
    case CB_GETITEMDATA: {
        int i = static_cast<int>(wParam);
        return m_items.Valid(i) ? static_cast<LRESULT>(m_items.At(i).data) : CB_ERR;
    }
    case CB_SETITEMDATA: {
        int i = static_cast<int>(wParam);
        if (!m_items.Valid(i))
            return CB_ERR;
        m_items.At(i).data = static_cast<ULONG_PTR>(lParam);
        return CB_OKAY;
    }
    case CB_SETITEMHEIGHT: {
        int i = static_cast<int>(static_cast<INT_PTR>(wParam));
        int h = static_cast<int>(lParam);
        if (h <= 0 || h > 255)
            return CB_ERR;
        if (i == -1) {
            m_selectionHeight = h;
            m_combo->setMinimumHeight(h + 6);
            FitHeight();
        } else if (m_style & CBS_OWNERDRAWVARIABLE) {
            if (!m_items.Valid(i))
                return CB_ERR;
            m_items.At(i).height = h;
        } else {
            m_itemHeight = h;
        }
        return CB_OKAY;
    }
    case CB_GETITEMHEIGHT: {
        int i = static_cast<int>(static_cast<INT_PTR>(wParam));
        if (i == -1)
            return m_selectionHeight > 0 ? m_selectionHeight : m_combo->fontMetrics().height() + 2;
        return ItemHeight(i);
    }
    case CB_SETDROPPEDWIDTH:
        m_droppedWidth = static_cast<int>(wParam);
        m_combo->view()->setMinimumWidth(m_droppedWidth);
        return m_droppedWidth > m_combo->width() ? m_droppedWidth : m_combo->width();
    case CB_GETDROPPEDWIDTH:
        return m_droppedWidth > m_combo->width() ? m_droppedWidth : m_combo->width();
    case CB_SHOWDROPDOWN:
        if (wParam)
            m_combo->showPopup();
        else
            m_combo->hidePopup();
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return m_dropped ? TRUE : FALSE;
    case WM_CTLCOLORLISTBOX:
        // The list asks the combo box, which asks its own parent.
        return ComboAskParentColours(m_host->Self(), msg, wParam, lParam);
    case WM_KEYDOWN:
    case WM_CHAR:
        // While the list is down, the keys go to it.
        if (!m_dropped || m_hList == nullptr) {
            handled = false;
            return 0;
        }
        ComboListSend(m_hList, msg, wParam, lParam);
        return 0;
    case CB_LIMITTEXT:
        if (!m_edit)
            return CB_ERR;
        m_edit->Proc(EM_LIMITTEXT, wParam, 0, handled);
        return TRUE;
    case CB_GETEDITSEL:
        if (!m_edit)
            return CB_ERR;
        return m_edit->Proc(EM_GETSEL, wParam, lParam, handled);
    case CB_SETEDITSEL:
        if (!m_edit)
            return CB_ERR;
        m_edit->Proc(EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(lParam))),
                     static_cast<LPARAM>(static_cast<SHORT>(HIWORD(lParam))), handled);
        return TRUE;
    case CB_SETEXTENDEDUI:
    case CB_SETHORIZONTALEXTENT:
    case CB_SETTOPINDEX:
        return CB_OKAY;
    case WM_SETTEXT:
        if (m_edit) {
            ++m_quiet;
            m_edit->Proc(WM_SETTEXT, 0, lParam, handled);
            --m_quiet;
            return TRUE;
        } else {
            int i = m_items.FindExact(-1, reinterpret_cast<LPCTSTR>(lParam));
            if (i < 0)
                return CB_ERR;
            SetCurSel(i);
            return TRUE;
        }
    case WM_GETTEXT:
        return CopyText(WindowText(), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return WindowText().GetLength();
    case WM_COMMAND: {
        // From the edit part: its changes become the combo box's own notifications.
        if (LOWORD(wParam) != PC_COMBO_EDIT_ID || !m_edit) {
            handled = false;
            return 0;
        }
        UINT code = HIWORD(wParam);
        if (m_quiet)
            return 0;
        if (code == EN_CHANGE)
            m_host->Command(CBN_EDITCHANGE);
        else if (code == EN_UPDATE)
            m_host->Command(CBN_EDITUPDATE);
        else if (code == EN_SETFOCUS)
            m_host->Command(CBN_SETFOCUS);
        else if (code == EN_KILLFOCUS)
            m_host->Command(CBN_KILLFOCUS);
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTARROWS;
    default:
        handled = false;
        return 0;
    }
}

}  // namespace pc
