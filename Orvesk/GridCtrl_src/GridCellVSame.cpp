// The shared-data cell: every attribute lives in its CDataVSame block.
#include "GridCellVSame.h"
#include "DataVSame.h"
#include "GridCtrl.h"

IMPLEMENT_DYNCREATE(CGridCellVSame, CGridCellBase)

CGridCellVSame::CGridCellVSame() : m_nCoordRow(-1), m_nCoordCol(-1), m_pData(NULL)
{
}

CGridCellVSame::~CGridCellVSame()
{
}

void CGridCellVSame::SetText(LPCTSTR)
{
}

void CGridCellVSame::SetImage(int nImage)
{
    if (m_pData)
        m_pData->SetImage(m_nCoordRow, m_nCoordCol, nImage);
}

void CGridCellVSame::SetData(LPARAM lParam)
{
    if (m_pData)
        m_pData->SetData(m_nCoordRow, m_nCoordCol, lParam);
}

void CGridCellVSame::SetFormat(UINT nFormat)
{
    if (m_pData)
        m_pData->SetFormat(m_nCoordRow, m_nCoordCol, nFormat);
}

void CGridCellVSame::SetTextClr(COLORREF clr)
{
    if (m_pData)
        m_pData->SetTextClr(m_nCoordRow, m_nCoordCol, clr);
}

void CGridCellVSame::SetBackClr(COLORREF clr)
{
    if (m_pData)
        m_pData->SetBackClr(m_nCoordRow, m_nCoordCol, clr);
}

void CGridCellVSame::SetFont(const LOGFONT* plf)
{
    if (m_pData)
        m_pData->SetFont(m_nCoordRow, m_nCoordCol, plf);
}

void CGridCellVSame::SetMargin(UINT nMargin)
{
    if (m_pData)
        m_pData->SetMargin(m_nCoordRow, m_nCoordCol, nMargin);
}

void CGridCellVSame::SetGrid(CGridCtrl* pGrid)
{
    if (m_pData)
        m_pData->SetGrid(m_nCoordRow, m_nCoordCol, pGrid);
}

void CGridCellVSame::SetCoords(int nRow, int nCol)
{
    m_nCoordRow = nRow;
    m_nCoordCol = nCol;
    KeepsOwnCoords();
}

LPCTSTR CGridCellVSame::GetText() const
{
    LPCTSTR psz = m_pData ? m_pData->GetText(m_nCoordRow, m_nCoordCol) : NULL;
    return psz ? psz : _T("");
}

int CGridCellVSame::GetImage() const
{
    return m_pData ? m_pData->GetImage(m_nCoordRow, m_nCoordCol) : -1;
}

LPARAM CGridCellVSame::GetData() const
{
    return m_pData ? m_pData->GetData(m_nCoordRow, m_nCoordCol) : 0;
}

UINT CGridCellVSame::GetFormat() const
{
    return m_pData ? m_pData->GetFormat(m_nCoordRow, m_nCoordCol) : 0;
}

COLORREF CGridCellVSame::GetTextClr() const
{
    return m_pData ? m_pData->GetTextClr(m_nCoordRow, m_nCoordCol) : CLR_DEFAULT;
}

COLORREF CGridCellVSame::GetBackClr() const
{
    return m_pData ? m_pData->GetBackClr(m_nCoordRow, m_nCoordCol) : CLR_DEFAULT;
}

LOGFONT* CGridCellVSame::GetFont() const
{
    return m_pData ? m_pData->GetFont(m_nCoordRow, m_nCoordCol) : NULL;
}

UINT CGridCellVSame::GetMargin() const
{
    return m_pData ? m_pData->GetMargin(m_nCoordRow, m_nCoordCol) : 0;
}

CGridCtrl* CGridCellVSame::GetGrid() const
{
    return m_pData ? m_pData->GetGrid(m_nCoordRow, m_nCoordCol) : NULL;
}

BOOL CGridCellVSame::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    if (pDC && (GetState() & (GRIDSTATE_SELECTED | GRIDSTATE_DROPHILITED)))
    {
        CGdiObject* pOldPen = pDC->SelectStockObject(BLACK_PEN);
        CGdiObject* pOldBrush = pDC->SelectStockObject(HOLLOW_BRUSH);
        pDC->Rectangle(rect);
        if (pOldPen)
            pDC->SelectObject(pOldPen);
        if (pOldBrush)
            pDC->SelectObject(pOldBrush);
    }
    return CGridCellBase::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
}
