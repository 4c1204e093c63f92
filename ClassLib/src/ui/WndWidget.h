// The Qt widget of a window that draws itself, and the event bridge of wrapped widgets.
#pragma once

#include <QWidget>

#include "WndInternal.h"

class AfxWndWidget : public QWidget
{
public:
    AfxWndWidget(HWND hWnd, QWidget* parent);
    void Detach() { m_hWnd = nullptr; }
    HWND Handle() const { return m_hWnd; }

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    HWND m_hWnd;
};

class AfxEventBridge : public QObject
{
public:
    AfxEventBridge(HWND hWnd, QObject* parent) : QObject(parent), m_hWnd(hWnd) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    HWND m_hWnd;
};

// Qt key to virtual-key code, and back (for input simulation).
UINT AfxVirtualKeyOf(int qtKey, Qt::KeyboardModifiers mods, quint32 nativeScanCode);
int AfxQtKeyOf(UINT vk);
// The character text a virtual key produces on a US layout with the given modifiers.
QString AfxKeyText(UINT vk, Qt::KeyboardModifiers mods);
bool AfxSyncingGeometry();
// Set while the input layer delivers an event it made itself (simulated input).
extern const QEvent* g_afxSimulatedEvent;
