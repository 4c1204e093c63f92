// CRichEditCtrl: its character format members, as messages.
#include <ClassLib/AfxWin.h>

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(CHARFORMAT);
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf)
{
    cf.cbSize = sizeof(CHARFORMAT);
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof(CHARFORMAT);
    return static_cast<DWORD>(::SendMessage(m_hWnd, EM_GETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&cf)));
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const
{
    cf.cbSize = sizeof(CHARFORMAT);
    return static_cast<DWORD>(::SendMessage(m_hWnd, EM_GETCHARFORMAT, 1, reinterpret_cast<LPARAM>(&cf)));
}
