// The shared attribute block of the shared-data cells.
#include "DataVSame.h"

#include <cstring>

CDataVSame::CDataVSame()
    : m_nFormat(DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_LEFT),
      m_nFirstColFormat(DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_RIGHT),
      m_nHeaderFormat(DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_LEFT),
      m_nImage(-1),
      m_lParam(0),
      m_crBkClr(CLR_DEFAULT),
      m_crFgClr(CLR_DEFAULT),
      m_nMargin(3),
      m_pGrid(NULL)
{
    NONCLIENTMETRICS ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = sizeof(NONCLIENTMETRICS);
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(NONCLIENTMETRICS), &ncm, 0);
    memcpy(&m_lfFont, &ncm.lfMessageFont, sizeof(LOGFONT));
}

CDataVSame::~CDataVSame()
{
}

void CDataVSame::SetFormat(int nRow, int nCol, UINT nFormat)
{
    if (nRow == 0)
        m_nHeaderFormat = nFormat;
    else if (nCol == 0)
        m_nFirstColFormat = nFormat;
    else
        m_nFormat = nFormat;
}

UINT CDataVSame::GetFormat(int nRow, int nCol) const
{
    if (nRow == 0)
        return m_nHeaderFormat;
    if (nCol == 0)
        return m_nFirstColFormat;
    return m_nFormat;
}

void CDataVSame::SetImage(int, int, int nImage) { m_nImage = nImage; }
void CDataVSame::SetData(int, int, LPARAM lParam) { m_lParam = lParam; }
void CDataVSame::SetTextClr(int, int, COLORREF clr) { m_crFgClr = clr; }
void CDataVSame::SetBackClr(int, int, COLORREF clr) { m_crBkClr = clr; }
void CDataVSame::SetMargin(int, int, UINT nMargin) { m_nMargin = nMargin; }

void CDataVSame::SetFont(int, int, const LOGFONT* plf)
{
    if (plf)
        memcpy(&m_lfFont, plf, sizeof(LOGFONT));
}

void CDataVSame::SetGrid(int, int, CGridCtrl* pGrid)
{
    // Without a grid the block's cells could not draw at all.
    if (!m_pGrid)
        m_pGrid = pGrid;
}

LPCTSTR CDataVSame::GetText(int, int) const { return NULL; }
int CDataVSame::GetImage(int, int) const { return m_nImage; }
LPARAM CDataVSame::GetData(int, int) const { return m_lParam; }
COLORREF CDataVSame::GetTextClr(int, int) const { return m_crFgClr; }
COLORREF CDataVSame::GetBackClr(int, int) const { return m_crBkClr; }
LOGFONT* CDataVSame::GetFont(int, int) const { return const_cast<LOGFONT*>(&m_lfFont); }
UINT CDataVSame::GetMargin(int, int) const { return m_nMargin; }
CGridCtrl* CDataVSame::GetGrid(int, int) const { return m_pGrid; }
