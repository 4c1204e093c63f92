// Whether an edit's paint reached the screen: the windows the edit must repaint are read
// before the messages are pumped (an invalid part waits for its paint) and after (nothing
// left to paint). A benchmark that counts until painted fails when nothing was painted.
#pragma once

#include <ClassLib/AfxWin.h>

#include <initializer_list>
#include <vector>

class CPaintCheck
{
public:
    CPaintCheck(std::initializer_list<HWND> windows) : m_windows(windows) {}

    // Right after the input, before the messages are pumped.
    void Armed()
    {
        m_bWaiting = false;
        for (HWND hWnd : m_windows)
            m_bWaiting = m_bWaiting || ::GetUpdateRect(hWnd, nullptr, FALSE);
    }

    // After the pump: TRUE when a paint was waiting and every window has been painted.
    bool Painted() const
    {
        if (!m_bWaiting)
            return false;
        for (HWND hWnd : m_windows)
            if (::GetUpdateRect(hWnd, nullptr, FALSE))
                return false;
        return true;
    }

private:
    std::vector<HWND> m_windows;
    bool m_bWaiting = false;
};
