// Private: the edit control's procedure.
#pragma once

#include "ControlProc.h"

#include <QObject>

class QLineEdit;
class QPlainTextEdit;

namespace pc {

class EditProc : public QObject, public ControlProc
{
public:
    EditProc(ControlHost* host, DWORD style, QWidget* parent);
    ~EditProc() override;

    QWidget* Widget() const override;
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void StyleChanged(DWORD style) override;

    void InitialText(LPCTSTR text) override;
    bool Accepts(const QString& input) const;
    CString CurrentText() const;
    int Limit() const { return m_limit; }

    // Selection in the platform's byte positions.
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A notification to the parent (rich edits filter them by their event mask).
    virtual void Report(UINT code);
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_multi = nullptr;

private:
    QString QText() const;
    void Changed();
    void SetText(const CString& text);
    void ReplaceSel(const CString& text, bool canUndo);
    void TypeChar(UINT ch);
    void KeyDown(UINT vk);

    CString m_lastText;
    int m_limit = 0;  // bytes; 0: the platform's largest
    bool m_modified = false;
    bool m_canUndo = false;
    bool m_casing = false;
    UINT m_leadByte = 0;
    UINT m_passwordChar = 0;
};

}  // namespace pc
