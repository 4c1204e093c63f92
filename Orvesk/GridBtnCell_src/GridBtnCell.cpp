#include "GridBtnCell.h"

IMPLEMENT_DYNCREATE(CGridBtnCell, CGridBtnCellBase)

namespace {
const DWORD kBtnCellFormat = DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
}  // namespace

CGridBtnCell::CGridBtnCell() : m_nFormat(kBtnCellFormat)
{
    memset(m_buttons, 0, sizeof(m_buttons));
}

CGridBtnCell::~CGridBtnCell() {}

void CGridBtnCell::SetText(LPCTSTR szText) { m_strText = szText ? szText : ""; }
LPCTSTR CGridBtnCell::GetText() const { return m_strText; }
void CGridBtnCell::SetFormat(UINT nFormat) { m_nFormat = nFormat; }
UINT CGridBtnCell::GetFormat() const { return m_nFormat; }

void CGridBtnCell::Reset()
{
    CGridBtnCellBase::Reset();
    m_strText.Empty();
    m_nFormat = kBtnCellFormat;
    memset(m_buttons, 0, sizeof(m_buttons));
    m_pButtonTexts.reset();
}

UINT CGridBtnCell::GetDrawCtl(int nIndex) const
{
    ASSERT(IsButtonIndex(nIndex));
    return IsButtonIndex(nIndex) ? m_buttons[nIndex].nDrawCtl : 0;
}

void CGridBtnCell::SetDrawCtl(int nIndex, UINT nDrawCtl)
{
    ASSERT(IsButtonIndex(nIndex) && nDrawCtl <= 0xFF);
    if (IsButtonIndex(nIndex) && nDrawCtl <= 0xFF)
        m_buttons[nIndex].nDrawCtl = static_cast<BYTE>(nDrawCtl);
}

UINT CGridBtnCell::GetDrawState(int nIndex) const
{
    ASSERT(IsButtonIndex(nIndex));
    return IsButtonIndex(nIndex) ? m_buttons[nIndex].nDrawState : 0;
}

void CGridBtnCell::SetDrawState(int nIndex, UINT nState)
{
    ASSERT(IsButtonIndex(nIndex) && nState <= 0xFFFE);
    if (IsButtonIndex(nIndex) && nState <= 0xFFFE)
        m_buttons[nIndex].nDrawState = static_cast<WORD>(nState);
}

int CGridBtnCell::GetButtonWidth(int nIndex) const
{
    ASSERT(IsButtonIndex(nIndex));
    return IsButtonIndex(nIndex) ? m_buttons[nIndex].nWidth : 0;
}

void CGridBtnCell::SetButtonWidth(int nIndex, int nWidth)
{
    ASSERT(IsButtonIndex(nIndex));
    if (IsButtonIndex(nIndex))
        m_buttons[nIndex].nWidth = nWidth;
}

UINT CGridBtnCell::GetAlignment(int nIndex) const
{
    ASSERT(IsButtonIndex(nIndex));
    return IsButtonIndex(nIndex) ? static_cast<UINT>(m_buttons[nIndex].nFlags >> 1) : 0;
}

void CGridBtnCell::SetAlignment(int nIndex, UINT nAlign)
{
    ASSERT(IsButtonIndex(nIndex) && nAlign <= 2);
    if (IsButtonIndex(nIndex) && nAlign <= 2)
        m_buttons[nIndex].nFlags = static_cast<BYTE>((m_buttons[nIndex].nFlags & 1) | (nAlign << 1));
}

LPCTSTR CGridBtnCell::GetButtonText(int nIndex) const
{
    ASSERT(IsButtonIndex(nIndex));
    if (!IsButtonIndex(nIndex) || !m_pButtonTexts || m_pButtonTexts[nIndex].IsEmpty())
        return NULL;
    return m_pButtonTexts[nIndex];
}

void CGridBtnCell::SetButtonText(int nIndex, LPCTSTR szText)
{
    ASSERT(IsButtonIndex(nIndex));
    if (!IsButtonIndex(nIndex))
        return;
    if (!m_pButtonTexts)
    {
        if (!szText || !*szText)
            return;
        m_pButtonTexts.reset(new CString[MAX_BUTTONS]);
    }
    m_pButtonTexts[nIndex] = szText ? szText : "";
}

BOOL CGridBtnCell::GetGroupFlag(int nIndex) const
{
    ASSERT(IsButtonIndex(nIndex));
    return IsButtonIndex(nIndex) ? (m_buttons[nIndex].nFlags & 1) : FALSE;
}

void CGridBtnCell::SetGroupFlag(int nIndex, BOOL bGroup)
{
    ASSERT(IsButtonIndex(nIndex));
    if (IsButtonIndex(nIndex))
        m_buttons[nIndex].nFlags = static_cast<BYTE>((m_buttons[nIndex].nFlags & ~1) | (bGroup ? 1 : 0));
}
