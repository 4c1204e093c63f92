// Private: static controls: text, pictures, rectangles and etched lines.
#pragma once

#include "ControlProc.h"

#include <QObject>

class QFrame;
class QLabel;

namespace pc {

class StaticProc : public QObject, public ControlProc
{
public:
    StaticProc(ControlHost* host, DWORD style, QWidget* parent);
    ~StaticProc() override;

    QWidget* Widget() const override { return m_widget; }
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    UINT Type() const { return m_style & 0x1F; }
    void Paint(QPainter& painter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowText();

    QWidget* m_widget = nullptr;
    QLabel* m_label = nullptr;
    CString m_text;
    HANDLE m_image = nullptr;
};

// The text a static or button shows for its window text: "&x" underlines x on the
// platform; here the ampersand is dropped and "&&" shows one ampersand.
QString WithoutPrefix(const QString& text);

}  // namespace pc
