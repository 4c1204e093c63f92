#include "BtnDataBase.h"

CBtnDataBase::CBtnDataBase()
    : m_nFormat(DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS),
      m_nImage(-1),
      m_crBack(CLR_DEFAULT),
      m_crText(CLR_DEFAULT),
      m_lParam(0),
      m_nMargin(3),
      m_pGrid(NULL),
      m_pEditWnd(NULL)
{
    NONCLIENTMETRICS ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    m_lfFont = ncm.lfMessageFont;
}

CBtnDataBase::~CBtnDataBase() {}

void CBtnDataBase::SetText(int, int, LPCTSTR szText) { m_strText = szText ? szText : ""; }
void CBtnDataBase::SetImage(int, int, int nImage) { m_nImage = nImage; }
void CBtnDataBase::SetData(int, int, LPARAM lParam) { m_lParam = lParam; }
void CBtnDataBase::SetFormat(int, int, DWORD nFormat) { m_nFormat = nFormat; }
void CBtnDataBase::SetTextClr(int, int, COLORREF clr) { m_crText = clr; }
void CBtnDataBase::SetBackClr(int, int, COLORREF clr) { m_crBack = clr; }

void CBtnDataBase::SetFont(int, int, const LOGFONT* plf)
{
    ASSERT(plf);
    if (plf)
        m_lfFont = *plf;
}

void CBtnDataBase::SetMargin(int, int, UINT nMargin) { m_nMargin = nMargin; }
void CBtnDataBase::SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
void CBtnDataBase::SetEditWnd(CWnd* pWnd) { m_pEditWnd = pWnd; }

LPCTSTR CBtnDataBase::GetText(int, int) const { return m_strText; }
int CBtnDataBase::GetImage(int, int) const { return m_nImage; }
LPARAM CBtnDataBase::GetData(int, int) const { return m_lParam; }
DWORD CBtnDataBase::GetFormat(int, int) const { return m_nFormat; }
COLORREF CBtnDataBase::GetTextClr(int, int) const { return m_crText; }
COLORREF CBtnDataBase::GetBackClr(int, int) const { return m_crBack; }
LOGFONT* CBtnDataBase::GetFont(int, int) { return &m_lfFont; }
UINT CBtnDataBase::GetMargin(int, int) const { return m_nMargin; }
CGridCtrl* CBtnDataBase::GetGrid() const { return m_pGrid; }
CWnd* CBtnDataBase::GetEditWnd() const { return m_pEditWnd; }
