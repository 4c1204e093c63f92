// Private: the up-down control: a pair of arrows that steps a position, reports the step
// to its parent first (UDN_DELTAPOS, which may change or refuse it) and shows the
// position in its buddy window.
#pragma once

#include "ControlProc.h"

#include <QObject>
#include <QPointer>

#include <vector>

namespace pc {

class SpinProc : public QObject, public ControlProc
{
public:
    SpinProc(ControlHost* host, DWORD style, QWidget* parent);
    ~SpinProc() override;

    QWidget* Widget() const override { return m_widget; }
    void Created() override;
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // One step of the up arrow (+1) or the down arrow (-1), as a click does.
    void Step(int arrow);
    int Pos() const { return m_pos; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int Clamp(int pos, bool wrap) const;
    void SetPos(int pos);
    void ShowInBuddy();
    bool ReadBuddy(int& value) const;
    void SetBuddy(HWND buddy);

    QWidget* m_widget = nullptr;
    int m_lower = 100;  // the platform's default range runs from 100 down to 0
    int m_upper = 0;
    int m_pos = 0;
    int m_base = 10;
    HWND m_buddy = nullptr;
    QPointer<QWidget> m_buddyWidget;
    std::vector<UDACCEL> m_accel{{0, 1}};
};

}  // namespace pc
