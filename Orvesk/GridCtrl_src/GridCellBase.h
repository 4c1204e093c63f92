// The base of every grid cell: the virtual interface through which the grid sets and reads
// a cell's attributes, has it draw, print and measure itself, edit itself and react to the
// mouse, with the shared drawing of image, sort arrow and text.
#pragma once

#include "GridDefines.h"
#include "GridItem.h"
#include "GridTaskHooks.h"

class CGridCtrl;

// The place of one row of a grid, shared by the cells in it: when rows above move, the grid
// rewrites only the number here, and a cell placed in the row reads its row from it.
struct CGridRowPlace
{
    int nRow = -1;
    // The row's heading cell shows the number in nRow as its text (a task grid's rows).
    bool bNumbered = false;
    // Some cell of the row keeps a row of its own that differs from the place's, or keeps
    // its coordinates apart (in fields of its kind): the next renumbering sets each cell of
    // the row again.
    bool bLoose = false;
};

class CGridCellBase : public CObject
{
    DECLARE_DYNAMIC(CGridCellBase)

public:
    CGridCellBase();
    virtual ~CGridCellBase();

    virtual void SetEditable(BOOL bEditable = TRUE) { m_bEditable = bEditable; }
    virtual BOOL IsEditable() const { return m_bEditable; }
    virtual void SetRowCol(int nRow, int nCol)
    {
        m_nRow = nRow;
        m_nCol = nCol;
        Follow(kFollowRowCol, nRow);
    }
    virtual void GetRowCol(int& nRow, int& nCol) const
    {
        nRow = (m_nFollow & kFollowRowCol) ? m_pPlace->nRow : m_nRow;
        nCol = m_nCol;
    }
    virtual void SetRowState(int nState) { m_nRowState = nState; }
    virtual int GetRowState() const { return m_nRowState; }

    // Attributes: the base class keeps none but the state; cell classes override these.
    virtual void SetText(LPCTSTR szText);
    virtual void SetImage(int nImage);
    virtual void SetData(LPARAM lParam);
    virtual void SetState(UINT nState) { m_nState = nState; }
    virtual void SetFormat(UINT nFormat);
    virtual void SetTextClr(COLORREF clr);
    virtual void SetBackClr(COLORREF clr);
    virtual void SetFont(const LOGFONT* plf);
    virtual void SetMargin(UINT nMargin);
    virtual void SetGrid(CGridCtrl* pGrid);
    virtual void SetCoords(int nRow, int nCol);

    virtual LPCTSTR GetText() const;
    // The tip text is returned by value: cells that build it keep no shared buffer.
    virtual CString GetTipText() const { return CString(GetText()); }
    virtual int GetImage() const;
    virtual LPARAM GetData() const;
    virtual UINT GetState() const { return m_nState; }
    virtual UINT GetFormat() const;
    virtual COLORREF GetTextClr() const;
    virtual COLORREF GetBackClr() const;
    virtual LOGFONT* GetFont() const;
    virtual CGridCtrl* GetGrid() const;
    virtual UINT GetMargin() const;

    virtual BOOL IsEditing() const;
    virtual BOOL IsTreeCell() const { return FALSE; }

    // A span of the cell's own bytes, [pFirst, pEnd).
    struct CHotSpan
    {
        const void* pFirst;
        const void* pEnd;
    };
    // The fields reading the cell's text (and a tree cell's level) touches, at most two
    // spans into spans; the count. The grid's walks down the rows ask the memory for them a
    // few rows ahead (CGridCtrl::PrefetchRowCells). The base class keeps no text.
    virtual int HotRanges(CHotSpan spans[2]) const
    {
        (void)spans;
        return 0;
    }

    virtual void operator=(const CGridCellBase& cell);
    virtual void Reset();

    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    virtual BOOL GetTextRect(LPRECT pRect);
    virtual BOOL GetTipTextRect(LPRECT pRect) { return GetTextRect(pRect); }
    virtual CSize GetTextExtent(LPCTSTR szText);
    virtual CSize GetCellExtent(CDC* pDC);

    virtual BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar);
    virtual void EndEdit();

    virtual BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect);

    virtual void RequestMouseMode(CPoint point);
    virtual void OnEndEdit();
    virtual void OnMouseEnter();
    virtual void OnMouseOver();
    virtual void OnMouseLeave();
    virtual void OnClick(CPoint PointCellRelative);
    virtual void OnClickDown(CPoint PointCellRelative);
    virtual void OnRClick(CPoint PointCellRelative);
    virtual void OnDblClick(CPoint PointCellRelative);
    virtual BOOL OnSetCursor();
    // The button of a button cell under a point relative to the cell; -1 for none (and
    // for every cell without buttons).
    virtual int HitTestButton(CPoint PointCellRelative) { (void)PointCellRelative; return -1; }

    // The task record of the row (kept in the row's column-0 cell; never owned).
    CTaskItem* GetTask() const { return m_pTask; }
    void SetTask(CTaskItem* pTask)
    {
        if (m_pTask == pTask)
            return;
        m_pTask = pTask;
        s_nTaskWrites++;
    }
    // Counts the changes of any cell's task: a grid's kept table of its rows' tasks is read
    // again once it moves.
    static unsigned s_nTaskWrites;
    // Counts the changes of the text cells' texts (CGridCell, the tree cell): a view that
    // read the rows' names can tell that none changed since.
    static unsigned s_nTextWrites;

    // The fixed drawing colours of the cell classes.
    COLORREF GetFocusFillColour() const { return m_crSelFillClr; }
    COLORREF GetBaseTextColour() const { return m_crTextClr; }
    COLORREF GetFocusTextColour() const { return m_crFocusTextClr; }
    COLORREF GetBaseBackColour() const { return m_crBkClr; }
    COLORREF GetFocusBackColour() const { return m_crFocusBkClr; }
    COLORREF GetSelTextColour() const { return m_crSelTextClr; }

    // The rectangle passed to the last Draw.
    const CRect& GetDrawnRect() const { return m_rcDrawn; }

    // Passes a notification on through the cell's grid; 0 without a grid.
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage);

    // Called by the grid before it gives a cell its coordinates in a row: the row the cell
    // is given while the row's place has that number then follows the place.
    void PlaceInRow(CGridRowPlace* pPlace)
    {
        FreezeText();
        m_pPlace = pPlace;
        m_nFollow &= kStoresCoords;
    }
    // Called by the grid when a cell leaves its row without being deleted: it keeps the
    // coordinates it has now as its own.
    void LeaveRow();
    // A text that follows the row's number keeps the number it shows now as its own.
    void FreezeText();
    CGridRowPlace* GetRowPlace() const { return m_pPlace; }
    // FALSE for a cell of a kind that keeps coordinates whose row does not follow its place.
    BOOL CoordsFollowPlace() const
    {
        return !(m_nFollow & kStoresCoords) || (m_nFollow & kFollowCoords);
    }

protected:
    // The row SetCoords gave (kept by the cell kinds that keep coordinates).
    int CellRow() const { return (m_nFollow & kFollowCoords) ? m_pPlace->nRow : m_nCellRow; }
    // What SetCoords stores in the kinds that keep coordinates.
    void StoreCoords(int nRow, int nCol)
    {
        m_nCellRow = nRow;
        m_nCellCol = nCol;
        m_nFollow |= kStoresCoords;
        Follow(kFollowCoords, nRow);
    }
    // Whether the text is the number of the place's row (text cells, FollowRowNumber).
    bool TextFollowsRow() const { return (m_nFollow & kFollowText) != 0; }
    void FollowRowText()
    {
        if (!m_pPlace)
            return;
        m_nFollow |= kFollowText;
        m_pPlace->bNumbered = true;
    }
    // The text is the cell's own again.
    void StopTextFollowing()
    {
        if (!(m_nFollow & kFollowText))
            return;
        m_nFollow &= (unsigned char)~kFollowText;
        m_pPlace->bNumbered = false;
    }

    // A cell kind that keeps its coordinates in fields of its own: its row is set again on
    // every renumbering.
    void KeepsOwnCoords()
    {
        if (m_pPlace)
            m_pPlace->bLoose = true;
    }

    // The font a cell draws and measures with: its own LOGFONT, with weight 600 in a fixed
    // cell; FALSE when the cell has no font.
    BOOL GetDrawFont(LOGFONT& lf) const;
    // The rectangle of image nImage in the grid's image list; FALSE when the grid has no
    // image list or the list does not know the image.
    BOOL GetImageRect(int nImage, CRect& rcImage) const;

    // The fixed drawing colours, the same for every cell.
    static constexpr COLORREF m_crTextClr = RGB(0, 0, 0);
    static constexpr COLORREF m_crFocusTextClr = RGB(0, 0, 0);
    static constexpr COLORREF m_crBkClr = RGB(255, 255, 255);
    static constexpr COLORREF m_crFocusBkClr = RGB(255, 255, 255);
    static constexpr COLORREF m_crSelTextClr = RGB(0, 0, 0);
    static constexpr COLORREF m_crSelFillClr = 0xCAB2A9;

    // What the whole-grid passes read or write in every cell (its position, the row's task
    // and state) first, in the cache line of the cell's virtual table pointer.
    int      m_nRow;
    int      m_nCol;
    // The position SetCoords gives the cell kinds that keep one of their own (button and
    // tree cells); -1 until set.
    int      m_nCellRow;
    int      m_nCellCol;
    int      m_nRowState;
    UINT     m_nState;
    CTaskItem* m_pTask;
    // The row the grid placed the cell in; NULL when not placed.
    CGridRowPlace* m_pPlace;
    CRect    m_rcDrawn;
    BOOL     m_bEditable;

private:
    enum : unsigned char
    {
        kFollowRowCol = 1,
        kFollowCoords = 2,
        // The kind keeps the coordinates SetCoords gives.
        kStoresCoords = 4,
        // The text shows the place's row number.
        kFollowText = 8
    };
    // Which of the two stored rows are read from the place.
    unsigned char m_nFollow;

    void Follow(unsigned char nWhich, int nRow)
    {
        if (!m_pPlace)
            return;
        if (nRow == m_pPlace->nRow)
            m_nFollow |= nWhich;
        else
        {
            m_nFollow &= (unsigned char)~nWhich;
            m_pPlace->bLoose = true;
        }
    }
};
