// Cell positions and rectangular ranges of cells in a grid.
#pragma once

#include <ClassLib/Afx.h>

// A cell position; (-1, -1) is no cell.
class CGridCellId
{
public:
    int row, col;

    explicit CGridCellId(int nRow = -1, int nCol = -1) : row(nRow), col(nCol) {}

    // Both parts at least 0; whether the cell exists is the grid's question (IsValid).
    int IsValid() const { return row >= 0 && col >= 0; }
    int operator==(const CGridCellId& rhs) const { return row == rhs.row && col == rhs.col; }
    int operator!=(const CGridCellId& rhs) const { return !operator==(rhs); }
};

// A block of cells from (minimum row, minimum column) to (maximum row, maximum column),
// both corners included.
class CGridCellRange
{
public:
    CGridCellRange(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
    {
        Set(nMinRow, nMinCol, nMaxRow, nMaxCol);
    }

    void Set(int nMinRow = -1, int nMinCol = -1, int nMaxRow = -1, int nMaxCol = -1)
    {
        m_nMinRow = nMinRow;
        m_nMinCol = nMinCol;
        m_nMaxRow = nMaxRow;
        m_nMaxCol = nMaxCol;
    }

    // All four bounds at least 0 and no minimum above its maximum; the grid adds the test
    // against its counts (CGridCtrl::IsValid).
    int IsValid() const
    {
        return m_nMinRow >= 0 && m_nMinCol >= 0 && m_nMaxRow >= 0 && m_nMaxCol >= 0
            && m_nMinRow <= m_nMaxRow && m_nMinCol <= m_nMaxCol;
    }
    int InRange(int row, int col) const
    {
        return row >= m_nMinRow && row <= m_nMaxRow && col >= m_nMinCol && col <= m_nMaxCol;
    }
    int InRange(const CGridCellId& cell) const { return InRange(cell.row, cell.col); }
    int Count() const
    {
        return IsValid() ? (m_nMaxRow - m_nMinRow + 1) * (m_nMaxCol - m_nMinCol + 1) : 0;
    }

    CGridCellId GetTopLeft() const { return CGridCellId(m_nMinRow, m_nMinCol); }

    int GetMinRow() const { return m_nMinRow; }
    void SetMinRow(int n) { m_nMinRow = n; }
    int GetMinCol() const { return m_nMinCol; }
    void SetMinCol(int n) { m_nMinCol = n; }
    int GetMaxRow() const { return m_nMaxRow; }
    void SetMaxRow(int n) { m_nMaxRow = n; }
    int GetMaxCol() const { return m_nMaxCol; }
    void SetMaxCol(int n) { m_nMaxCol = n; }
    int GetRowSpan() const { return m_nMaxRow - m_nMinRow + 1; }
    int GetColSpan() const { return m_nMaxCol - m_nMinCol + 1; }

    int operator==(const CGridCellRange& rhs) const
    {
        return m_nMinRow == rhs.m_nMinRow && m_nMinCol == rhs.m_nMinCol
            && m_nMaxRow == rhs.m_nMaxRow && m_nMaxCol == rhs.m_nMaxCol;
    }
    int operator!=(const CGridCellRange& rhs) const { return !operator==(rhs); }

protected:
    int m_nMinRow;
    int m_nMinCol;
    int m_nMaxRow;
    int m_nMaxCol;
};
