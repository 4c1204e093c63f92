// The database session a task shares with its caller. The task storage opens it; the
// property round trip only carries it, so a session that was never opened serves there.
// Copies share the same session (the reference is copied, nothing is reopened).
#pragma once

#include <ClassLib/Afx.h>

#include <memory>

class AFX_EXT_CLASS CSession
{
public:
    CSession() = default;
    // Whether an open session is held.
    bool IsOpen() const { return m_spSession != nullptr; }
    // Lets go of this holder's reference.
    void Close() { m_spSession.reset(); }

protected:
    std::shared_ptr<void> m_spSession;
};
