// Buttons on Qt's buttons; owner-drawn ones are painted by their parent.
#include "ButtonProc.h"
#include <ClassLib/AfxWin.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace pc {

namespace {

// Check boxes and radio buttons change state on a click only when they are automatic.
class PcCheckBox : public QCheckBox
{
public:
    PcCheckBox(ButtonProc* proc, QWidget* parent) : QCheckBox(parent), m_proc(proc) {}

protected:
    void nextCheckState() override
    {
        UINT t = m_proc->Type();
        if (t == BS_AUTOCHECKBOX)
            setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        else if (t == BS_AUTO3STATE)
            setCheckState(checkState() == Qt::Unchecked ? Qt::Checked
                          : checkState() == Qt::Checked ? Qt::PartiallyChecked
                                                        : Qt::Unchecked);
    }

private:
    ButtonProc* m_proc;
};

class PcRadioButton : public QRadioButton
{
public:
    PcRadioButton(ButtonProc* proc, QWidget* parent) : QRadioButton(parent), m_proc(proc) { setAutoExclusive(false); }
    std::function<void()> onAutoCheck;

protected:
    void nextCheckState() override
    {
        if (m_proc->Type() == BS_AUTORADIOBUTTON) {
            setChecked(true);
            if (onAutoCheck)
                onAutoCheck();
        }
    }

private:
    ButtonProc* m_proc;
};

class PcOwnerDrawButton : public QAbstractButton
{
public:
    PcOwnerDrawButton(ButtonProc* proc, QWidget* parent) : QAbstractButton(parent), m_proc(proc) {}
    QSize sizeHint() const override { return QSize(20, 20); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        m_proc->Paint(p);
    }

private:
    ButtonProc* m_proc;
};

}  // namespace

ButtonProc::ButtonProc(ControlHost* host, DWORD style, QWidget* parent) : ControlProc(host, style)
{
    switch (Type()) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        auto* c = new PcCheckBox(this, parent);
        c->setTristate(Type() == BS_3STATE || Type() == BS_AUTO3STATE);
        m_button = c;
        break;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        auto* r = new PcRadioButton(this, parent);
        r->onAutoCheck = [this] { UncheckGroupSiblings(); };
        m_button = r;
        break;
    }
    case BS_GROUPBOX:
        m_group = new QGroupBox(parent);
        m_group->setFocusPolicy(Qt::NoFocus);
        // A group box lies over the controls it frames and lets the mouse through to them.
        m_group->setAttribute(Qt::WA_TransparentForMouseEvents, true);
        m_widget = m_group;
        break;
    case BS_OWNERDRAW:
        m_button = new PcOwnerDrawButton(this, parent);
        break;
    default: {
        auto* b = new QPushButton(parent);
        b->setAutoDefault(false);
        b->setDefault(Type() == BS_DEFPUSHBUTTON);
        if (style & BS_FLAT)
            b->setFlat(true);
        m_button = b;
        break;
    }
    }
    if (m_button) {
        m_widget = m_button;
        QObject::connect(m_button, &QAbstractButton::clicked, this, [this] { m_host->Command(BN_CLICKED); });
        QObject::connect(m_button, &QAbstractButton::pressed, this, [this] {
            if (Type() == BS_OWNERDRAW)
                m_button->update();
        });
        m_button->installEventFilter(this);
    }
}

ButtonProc::~ButtonProc() = default;

bool ButtonProc::IsCheck() const
{
    UINT t = Type();
    return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
}

bool ButtonProc::IsRadio() const
{
    return Type() == BS_RADIOBUTTON || Type() == BS_AUTORADIOBUTTON;
}

void ButtonProc::UncheckGroupSiblings()
{
    // The group: from the nearest control at or before this one that starts a group, up to
    // the next control that starts one. Only automatic radio buttons are unchecked.
    std::vector<HWND> all = m_host->Siblings();
    HWND self = m_host->Self();
    int me = -1;
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == self)
            me = static_cast<int>(i);
    if (me < 0)
        return;
    const DWORD kGroup = 0x00020000u;  // WS_GROUP
    int first = me;
    while (first > 0 && !(m_host->StyleOf(all[size_t(first)]) & kGroup))
        --first;
    for (int i = first; i < static_cast<int>(all.size()); ++i) {
        if (i != first && (m_host->StyleOf(all[size_t(i)]) & kGroup))
            break;
        if (i == me)
            continue;
        if ((m_host->StyleOf(all[size_t(i)]) & 0x0F) == BS_AUTORADIOBUTTON)
            m_host->SendTo(all[size_t(i)], BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void ButtonProc::Click()
{
    if (m_button && m_button->isEnabled())
        m_button->click();
}

void ButtonProc::PressFromCode()
{
    if (!m_button || !m_button->isEnabled())
        return;
    m_codePress = true;
    m_button->setDown(true);
    m_button->update();
}

void ButtonProc::ReleaseFromCode(int x, int y)
{
    if (!m_codePress)
        return;
    m_codePress = false;
    if (!m_button)
        return;
    m_button->setDown(false);
    m_button->update();
    if (m_button->rect().contains(x, y))
        Click();
}

void ButtonProc::Paint(QPainter& painter)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.itemAction = ODA_DRAWENTIRE;
    if (m_button->isDown() || m_pushed)
        dis.itemState |= ODS_SELECTED;
    if (!m_button->isEnabled())
        dis.itemState |= ODS_DISABLED;
    if (m_button->hasFocus())
        dis.itemState |= ODS_FOCUS;
    if (m_check == BST_CHECKED)
        dis.itemState |= ODS_CHECKED;
    dis.rcItem = {0, 0, m_button->width(), m_button->height()};
    m_host->OwnerDraw(painter, dis);
}

bool ButtonProc::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_button && (m_style & BS_NOTIFY)) {
        if (event->type() == QEvent::FocusIn)
            m_host->Command(BN_SETFOCUS);
        else if (event->type() == QEvent::FocusOut)
            m_host->Command(BN_KILLFOCUS);
    }
    if (watched == m_button && event->type() == QEvent::MouseButtonDblClick &&
        (IsRadio() || Type() == BS_OWNERDRAW || (m_style & BS_NOTIFY))) {
        m_host->Command(BN_DOUBLECLICKED);
        return true;
    }
    return false;
}

LRESULT ButtonProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (msg) {
    case WM_SETTEXT:
        m_text = reinterpret_cast<LPCTSTR>(lParam);
        if (m_group)
            m_group->setTitle(ToQt(m_text));
        else if (Type() != BS_OWNERDRAW)
            m_button->setText(ToQt(m_text));
        else
            m_button->update();
        return TRUE;
    case WM_GETTEXT:
        return CopyText(m_text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return m_text.GetLength();
    case BM_GETCHECK:
        if (auto* c = dynamic_cast<QCheckBox*>(m_button))
            return c->checkState() == Qt::Checked ? BST_CHECKED
                   : c->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE
                                                             : BST_UNCHECKED;
        if (auto* r = dynamic_cast<QRadioButton*>(m_button))
            return r->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        return m_check;
    case BM_SETCHECK: {
        UINT v = static_cast<UINT>(wParam);
        if (auto* c = dynamic_cast<QCheckBox*>(m_button)) {
            if (v == BST_INDETERMINATE && !c->isTristate())
                v = BST_CHECKED;
            c->setCheckState(v == BST_CHECKED ? Qt::Checked : v == BST_INDETERMINATE ? Qt::PartiallyChecked : Qt::Unchecked);
        } else if (auto* r = dynamic_cast<QRadioButton*>(m_button)) {
            r->setChecked(v != BST_UNCHECKED);
        } else {
            m_check = v;
            if (m_button)
                m_button->update();
        }
        return 0;
    }
    case BM_GETSTATE: {
        bool dummy = false;
        LRESULT state = Proc(BM_GETCHECK, 0, 0, dummy);
        if (m_button && (m_button->isDown() || m_pushed))
            state |= BST_PUSHED;
        if (m_widget->hasFocus())
            state |= BST_FOCUS;
        return state;
    }
    case BM_SETSTATE:
        m_pushed = wParam != 0;
        if (m_button) {
            m_button->setDown(m_pushed);
            m_button->update();
        }
        return 0;
    case BM_SETSTYLE: {
        DWORD type = static_cast<DWORD>(wParam) & 0x0F;
        if (auto* b = dynamic_cast<QPushButton*>(m_button))
            if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
                b->setDefault(type == BS_DEFPUSHBUTTON);
        m_style = (m_style & ~0x0Fu) | type;
        return 0;
    }
    case BM_CLICK:
        Click();
        return 0;
    case BM_SETIMAGE: {
        HANDLE old = m_image;
        m_image = reinterpret_cast<HANDLE>(lParam);
        if (m_button && Type() != BS_OWNERDRAW) {
            QPixmap pm = m_host->PixmapOf(m_image, static_cast<UINT>(wParam));
            m_button->setIcon(QIcon(pm));
            m_button->setIconSize(pm.size());
        }
        return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE:
        return reinterpret_cast<LRESULT>(m_image);
    case WM_GETDLGCODE:
        if (m_group)
            return DLGC_STATIC;
        if (IsRadio())
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (IsCheck())
            return DLGC_BUTTON;
        if (Type() == BS_DEFPUSHBUTTON)
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    default:
        handled = false;
        return 0;
    }
}

}  // namespace pc
