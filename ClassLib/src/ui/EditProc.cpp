// The edit control on QLineEdit (single line) or QPlainTextEdit (ES_MULTILINE).
#include "ControlProc.h"
#include "EditProc.h"
#include <ClassLib/AfxWin.h>

#include <ClassLib/Core/Conversion.h>
#include <ClassLib/Core/Mbcs.h>

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QPointer>
#include <QValidator>

#include <cstring>

namespace pc {

namespace {

// Refuses typed text that breaks the control's rules: digits only (ES_NUMBER), at most
// the limit in code page 936 bytes. Text set by the program is not checked, as on the
// platform. The line edit can outlive the procedure for a moment (it is hidden and loses
// focus while its window is torn down), so the validator holds a guarded pointer and
// accepts everything once the procedure is gone.
class EditValidator : public QValidator
{
public:
    EditValidator(EditProc* proc, QObject* parent) : QValidator(parent), m_proc(proc) {}
    State validate(QString& input, int&) const override
    {
        return (!m_proc || m_proc->Accepts(input)) ? Acceptable : Invalid;
    }

private:
    QPointer<EditProc> m_proc;
};

}  // namespace

EditProc::EditProc(ControlHost* host, DWORD style, QWidget* parent) : ControlProc(host, style)
{
    if (style & ES_MULTILINE) {
        m_multi = new QPlainTextEdit(parent);
        m_multi->setTabChangesFocus(true);
        m_multi->setLineWrapMode((style & WS_HSCROLL) || (style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap
                                                                                        : QPlainTextEdit::WidgetWidth);
        m_multi->setReadOnly((style & ES_READONLY) != 0);
        QObject::connect(m_multi, &QPlainTextEdit::textChanged, this, [this] { Changed(); });
        m_multi->installEventFilter(this);
        m_multi->viewport()->installEventFilter(this);
    } else {
        m_line = new QLineEdit(parent);
        m_line->setFrame(false);
        m_line->setReadOnly((style & ES_READONLY) != 0);
        if (style & ES_PASSWORD) {
            m_line->setEchoMode(QLineEdit::Password);
            m_passwordChar = '*';
        }
        Qt::Alignment a = Qt::AlignVCenter;
        a |= (style & ES_RIGHT) ? Qt::AlignRight : (style & ES_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft;
        m_line->setAlignment(a);
        m_line->setValidator(new EditValidator(this, m_line));
        QObject::connect(m_line, &QLineEdit::textChanged, this, [this] { Changed(); });
        QObject::connect(m_line, &QLineEdit::inputRejected, this, [this] {
            if (m_limit && FromQt(m_line->text()).GetLength() >= m_limit)
                Report(EN_MAXTEXT);
        });
        m_line->installEventFilter(this);
    }
    m_lastText = CurrentText();
}

EditProc::~EditProc() = default;

void EditProc::InitialText(LPCTSTR text)
{
    SetText(text);
    m_lastText = CurrentText();
}

void EditProc::Report(UINT code)
{
    m_host->Command(code);
}

QWidget* EditProc::Widget() const
{
    return m_line ? static_cast<QWidget*>(m_line) : static_cast<QWidget*>(m_multi);
}

QString EditProc::QText() const
{
    return m_line ? m_line->text() : m_multi->toPlainText();
}

CString EditProc::CurrentText() const
{
    QString t = QText();
    if (m_multi)
        t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));  // the platform's line ends
    return FromQt(t);
}

bool EditProc::Accepts(const QString& input) const
{
    if (m_style & ES_NUMBER)
        for (QChar c : input)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
    if (m_limit > 0 && FromQt(input).GetLength() > m_limit)
        return false;
    return true;
}

void EditProc::Changed()
{
    if (m_style & (ES_UPPERCASE | ES_LOWERCASE)) {
        if (m_line && !m_casing) {
            QString t = m_line->text();
            QString c = (m_style & ES_UPPERCASE) ? t.toUpper() : t.toLower();
            if (c != t) {
                m_casing = true;
                int pos = m_line->cursorPosition();
                m_line->setText(c);
                m_line->setCursorPosition(pos);
                m_casing = false;
            }
        }
        if (m_casing)
            return;
    }
    CString now = CurrentText();
    if (now == m_lastText)
        return;
    m_lastText = now;
    m_modified = true;
    Report(EN_UPDATE);
    Report(EN_CHANGE);
}

void EditProc::SetText(const CString& text)
{
    QString q = ToQt(text);
    if (m_line) {
        m_line->setText(q);
        m_line->setCursorPosition(0);
    } else {
        q.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        m_multi->setPlainText(q);
    }
    m_modified = false;
    m_canUndo = false;
}

void EditProc::GetSel(int& start, int& end) const
{
    QString t = QText();
    int s = 0, e = 0;
    if (m_line) {
        s = m_line->hasSelectedText() ? m_line->selectionStart() : m_line->cursorPosition();
        e = m_line->hasSelectedText() ? s + int(m_line->selectedText().size()) : s;
    } else {
        QTextCursor c = m_multi->textCursor();
        s = c.selectionStart();
        e = c.selectionEnd();
    }
    start = ByteOfQtIndex(t, s);
    end = ByteOfQtIndex(t, e);
    if (m_multi) {
        // Line ends count as the platform's two bytes.
        start += int(t.left(s).count(QLatin1Char('\n')));
        end += int(t.left(e).count(QLatin1Char('\n')));
    }
}

void EditProc::SetSel(int start, int end)
{
    QString t = QText();
    const int total = ByteOfQtIndex(t, int(t.size()));
    // -1 as the start removes the selection; an end of -1 means the end of the text.
    if (start == -1) {
        int s, e;
        GetSel(s, e);
        start = end = s;
    }
    if (end < 0 || end > total)
        end = total;
    if (start < 0 || start > total)
        start = total;
    int qs = QtIndexOfByte(t, start);
    int qe = QtIndexOfByte(t, end);
    if (m_line) {
        if (qs == qe)
            m_line->setCursorPosition(qs);
        else
            m_line->setSelection(qs, qe - qs);  // a backward selection keeps the caret at qe
    } else {
        QTextCursor c = m_multi->textCursor();
        c.setPosition(qs);
        c.setPosition(qe, QTextCursor::KeepAnchor);
        m_multi->setTextCursor(c);
    }
}

void EditProc::ReplaceSel(const CString& text, bool canUndo)
{
    QString q = ToQt(text);
    if (m_line) {
        m_line->insert(q);
    } else {
        q.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        m_multi->insertPlainText(q);
    }
    m_canUndo = canUndo;
}

void EditProc::TypeChar(UINT ch)
{
    if (m_style & ES_READONLY)
        return;
    if (ch == VK_BACK) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QCoreApplication::sendEvent(Widget(), &down);
        return;
    }
    if (ch < 0x20 && ch != '\t' && ch != '\r')
        return;
    if (ch == '\t' && !m_multi)
        return;  // a single-line edit takes no tab
    char bytes[3] = {0, 0, 0};
    if (m_leadByte) {
        bytes[0] = static_cast<char>(m_leadByte);
        bytes[1] = static_cast<char>(ch);
        m_leadByte = 0;
    } else if (_ismbblead(ch & 0xFF)) {
        m_leadByte = ch & 0xFF;
        return;
    } else {
        bytes[0] = static_cast<char>(ch);
    }
    QString q = ToQt(bytes);
    if (ch == '\r') {
        if (!m_multi)
            return;
        q = QStringLiteral("\n");
    }
    if (m_line) {
        QString next = m_line->text();
        int s = m_line->hasSelectedText() ? m_line->selectionStart() : m_line->cursorPosition();
        int len = m_line->hasSelectedText() ? int(m_line->selectedText().size()) : 0;
        next.replace(s, len, q);
        if (!Accepts(next)) {
            if (m_limit && FromQt(next).GetLength() > m_limit)
                Report(EN_MAXTEXT);
            return;
        }
        m_line->insert(q);
    } else {
        m_multi->insertPlainText(q);
    }
    m_canUndo = true;
}

void EditProc::KeyDown(UINT vk)
{
    Qt::Key key;
    switch (vk) {
    case VK_LEFT: key = Qt::Key_Left; break;
    case VK_RIGHT: key = Qt::Key_Right; break;
    case VK_UP: key = Qt::Key_Up; break;
    case VK_DOWN: key = Qt::Key_Down; break;
    case VK_HOME: key = Qt::Key_Home; break;
    case VK_END: key = Qt::Key_End; break;
    case VK_DELETE: key = Qt::Key_Delete; break;
    case VK_PRIOR: key = Qt::Key_PageUp; break;
    case VK_NEXT: key = Qt::Key_PageDown; break;
    default: return;
    }
    if (key == Qt::Key_Delete && (m_style & ES_READONLY))
        return;
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(Widget(), &down);
}

bool EditProc::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Widget()) {
        if (event->type() == QEvent::FocusIn)
            Report(EN_SETFOCUS);
        else if (event->type() == QEvent::FocusOut)
            Report(EN_KILLFOCUS);
    }
    return false;
}

LRESULT EditProc::Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    switch (msg) {
    case WM_SETTEXT:
        SetText(reinterpret_cast<LPCTSTR>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return CopyText(CurrentText(), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return CurrentText().GetLength();
    case EM_GETSEL: {
        int s = 0, e = 0;
        GetSel(s, e);
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(s);
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(e);
        return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(s > 0xFFFF ? 0xFFFF : s, e > 0xFFFF ? 0xFFFF : e)));
    }
    case EM_SETSEL:
        SetSel(static_cast<int>(static_cast<INT_PTR>(wParam)), static_cast<int>(lParam));
        return 0;
    case EM_REPLACESEL:
        ReplaceSel(reinterpret_cast<LPCTSTR>(lParam), wParam != 0);
        return 0;
    case EM_LIMITTEXT:
        m_limit = wParam == 0 ? 0 : static_cast<int>(wParam > 0x7FFFFFFE ? 0x7FFFFFFE : wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return m_limit == 0 ? 0x7FFFFFFE : m_limit;
    case EM_SETREADONLY:
        if (m_line)
            m_line->setReadOnly(wParam != 0);
        else
            m_multi->setReadOnly(wParam != 0);
        m_style = wParam ? (m_style | ES_READONLY) : (m_style & ~static_cast<DWORD>(ES_READONLY));
        return TRUE;
    case EM_GETMODIFY:
        return m_modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        m_modified = wParam != 0;
        return 0;
    case EM_CANUNDO:
        return m_line ? (m_line->isUndoAvailable() ? TRUE : FALSE) : (m_canUndo ? TRUE : FALSE);
    case EM_UNDO:
    case WM_UNDO:
        if (m_line)
            m_line->undo();
        else
            m_multi->undo();
        return TRUE;
    case EM_EMPTYUNDOBUFFER:
        m_canUndo = false;
        return 0;
    case WM_CUT:
        if (!(m_style & ES_READONLY) && !(m_style & ES_PASSWORD)) {
            if (m_line)
                m_line->cut();
            else
                m_multi->cut();
        }
        return 0;
    case WM_COPY:
        if (!(m_style & ES_PASSWORD)) {
            if (m_line)
                m_line->copy();
            else
                m_multi->copy();
        }
        return 0;
    case WM_PASTE:
        if (!(m_style & ES_READONLY)) {
            if (m_line) {
                QString clip = QGuiApplication::clipboard()->text();
                clip = clip.left(clip.indexOf(QLatin1Char('\n')) < 0 ? clip.size() : clip.indexOf(QLatin1Char('\n')));
                QString next = m_line->text();
                int s = m_line->hasSelectedText() ? m_line->selectionStart() : m_line->cursorPosition();
                next.replace(s, m_line->hasSelectedText() ? int(m_line->selectedText().size()) : 0, clip);
                if (Accepts(next))
                    m_line->insert(clip);
            } else {
                m_multi->paste();
            }
        }
        return 0;
    case WM_CLEAR:
        if (!(m_style & ES_READONLY)) {
            if (m_line)
                m_line->del();
            else
                m_multi->textCursor().removeSelectedText();
        }
        return 0;
    case EM_SETPASSWORDCHAR:
        if (m_line) {
            m_passwordChar = static_cast<UINT>(wParam);
            m_line->setEchoMode(wParam ? QLineEdit::Password : QLineEdit::Normal);
        }
        return 0;
    case EM_GETPASSWORDCHAR:
        return m_passwordChar;
    case EM_GETLINECOUNT:
        return m_line ? 1 : m_multi->document()->blockCount();
    case EM_LINEINDEX: {
        if (m_line)
            return 0;
        int line = static_cast<int>(static_cast<INT_PTR>(wParam));
        QTextDocument* doc = m_multi->document();
        if (line == -1)
            line = m_multi->textCursor().blockNumber();
        if (line < 0 || line >= doc->blockCount())
            return -1;
        CString before = FromQt(m_multi->toPlainText().left(doc->findBlockByNumber(line).position()));
        return before.GetLength() + line;  // each earlier line end is two bytes
    }
    case EM_LINELENGTH: {
        if (m_line)
            return CurrentText().GetLength();
        QTextBlock b = m_multi->document()->findBlock(QtIndexOfByte(m_multi->toPlainText(), static_cast<int>(wParam)));
        return FromQt(b.text()).GetLength();
    }
    case EM_GETLINE: {
        CString line;
        if (m_line) {
            line = CurrentText();
        } else {
            QTextBlock b = m_multi->document()->findBlockByNumber(static_cast<int>(wParam));
            if (!b.isValid())
                return 0;
            line = FromQt(b.text());
        }
        char* buf = reinterpret_cast<char*>(lParam);
        if (!buf)
            return 0;
        // The buffer's first word gives its size; no zero byte is added.
        WORD size = 0;
        std::memcpy(&size, buf, sizeof size);
        int n = AfxMbcsTruncateLength(line, size);
        std::memcpy(buf, static_cast<LPCTSTR>(line), size_t(n));
        return n;
    }
    case EM_LINEFROMCHAR: {
        if (m_line)
            return 0;
        int pos = static_cast<int>(static_cast<INT_PTR>(wParam));
        QTextCursor c = m_multi->textCursor();
        if (pos >= 0)
            c.setPosition(QtIndexOfByte(m_multi->toPlainText(), pos));
        return c.blockNumber();
    }
    case EM_SCROLLCARET:
        if (m_multi)
            m_multi->ensureCursorVisible();  // a line edit keeps its caret in view itself
        return TRUE;
    case EM_SETMARGINS:
        if (m_line)
            m_line->setTextMargins((wParam & EC_LEFTMARGIN) ? LOWORD(lParam) : m_line->textMargins().left(), 0,
                                   (wParam & EC_RIGHTMARGIN) ? HIWORD(lParam) : m_line->textMargins().right(), 0);
        return 0;
    case WM_CHAR:
        TypeChar(static_cast<UINT>(wParam));
        return 0;
    case WM_KEYDOWN:
        KeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        // A multi-line edit keeps every key, except that Enter goes to the dialog's default
        // button unless the edit wants returns (wParam: the key asked about).
        if (m_multi && !(wParam == VK_RETURN && !(m_style & ES_WANTRETURN)))
            code |= DLGC_WANTALLKEYS;
        if (m_multi && wParam == VK_TAB)
            code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        return code;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
        // A click sent by code (the person's clicks go to the widget itself): the caret
        // goes to the character boundary under the point.
        QPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        if (msg == WM_LBUTTONDOWN) {
            if (m_line) {
                m_line->setCursorPosition(m_line->cursorPositionAt(pt));
            } else {
                QPoint inView = m_multi->viewport()->mapFrom(m_multi, pt);
                m_multi->setTextCursor(m_multi->cursorForPosition(inView));
            }
        }
        handled = false;  // the window's default handling too (capture, focus)
        return 0;
    }
    default:
        handled = false;
        return 0;
    }
}

}  // namespace pc
