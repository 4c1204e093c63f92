// Private: scroll bars, rich edits (plain text), address fields and animations.
#pragma once

#include "ControlProc.h"
#include "EditProc.h"

#include <QByteArray>
#include <QLabel>
#include <QObject>
#include <QPointer>

#include <vector>

class QBuffer;
class QLabel;
class QLineEdit;
class QMovie;

namespace pc {

// Rich edits here hold plain text; they report changes only as their event mask asks.
class RichEditProc : public EditProc
{
public:
    RichEditProc(ControlHost* host, DWORD style, QWidget* parent);
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

protected:
    void Report(UINT code) override;

private:
    // EM_SETCHARFORMAT and EM_GETCHARFORMAT (RichEditFormatProc.cpp).
    LRESULT SetCharFormat(WPARAM scope, LPARAM lParam);
    LRESULT GetCharFormat(WPARAM scope, LPARAM lParam);

    DWORD m_eventMask = ENM_NONE;
    DWORD m_defaultMask = 0;        // what the default format was given
    DWORD m_defaultEffects = 0x40000000u;  // CFE_AUTOCOLOR
    COLORREF m_defaultColor = 0;
};

class IPAddressProc : public QObject, public ControlProc
{
public:
    IPAddressProc(ControlHost* host, DWORD style, QWidget* parent);
    QWidget* Widget() const override { return m_widget; }
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    QWidget* m_widget = nullptr;
    std::vector<QLineEdit*> m_fields;
    BYTE m_low[4] = {0, 0, 0, 0};
    BYTE m_high[4] = {255, 255, 255, 255};
    int m_quiet = 0;
};

// An animation plays its clip as a movie (a still picture shows as it is); it shows the
// first frame once opened; playing and stopping are reported.
class AnimateProc : public ControlProc
{
public:
    AnimateProc(ControlHost* host, DWORD style, QWidget* parent);
    ~AnimateProc() override;
    QWidget* Widget() const override;
    LRESULT Proc(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void CloseMovie();

    QPointer<QLabel> m_label;  // the window may go before its procedure
    QBuffer* m_buffer = nullptr;
    QMovie* m_movie = nullptr;
    QByteArray m_clip;
    bool m_open = false;
    bool m_playing = false;
};

}  // namespace pc
