// Private: push buttons, check boxes, radio buttons, group boxes and owner-drawn buttons.
#pragma once

#include "ControlProc.h"

#include <QObject>

class QAbstractButton;
class QGroupBox;

namespace pc {

class ButtonProc : public QObject, public ControlProc
{
public:
    ButtonProc(ControlHost* host, DWORD style, QWidget* parent);
    ~ButtonProc() override;

    QWidget* Widget() const override { return m_widget; }
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    UINT Type() const { return m_style & 0x0F; }
    // A click as the person makes it: state change for automatic buttons, then BN_CLICKED.
    void Click();
    void Paint(QPainter& painter);
    // A press sent by code (a subclass turning a double click into WM_LBUTTONDOWN): the
    // button shows pressed and the next release over it clicks it (BN_CLICKED).
    void PressFromCode();
    bool PressedFromCode() const { return m_codePress; }
    void ReleaseFromCode(int x, int y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsCheck() const;
    bool IsRadio() const;
    void UncheckGroupSiblings();

    QWidget* m_widget = nullptr;
    QAbstractButton* m_button = nullptr;
    QGroupBox* m_group = nullptr;
    CString m_text;
    UINT m_check = BST_UNCHECKED;  // owner-drawn and push buttons keep it here
    bool m_pushed = false;
    bool m_codePress = false;
    HANDLE m_image = nullptr;
};

}  // namespace pc
