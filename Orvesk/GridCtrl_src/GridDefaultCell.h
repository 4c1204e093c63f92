// The default cells of the predecessor build: one for each cell kind (normal, fixed row,
// fixed column, corner). Ordinary cells that keep no value of their own take format, margin,
// font and colours from the default cell of their kind.
#pragma once

#ifdef GRIDCTRL_PREDTASK

#include "GridCell.h"

class CGridDefaultCell : public CGridCell
{
    DECLARE_DYNCREATE(CGridDefaultCell)

public:
    CGridDefaultCell();
    virtual ~CGridDefaultCell();

    // A default cell holds no data, state or coordinates of its own.
    virtual void SetData(LPARAM /*lParam*/) { ASSERT(FALSE); }
    virtual void SetState(UINT /*nState*/) { ASSERT(FALSE); }
    virtual void SetCoords(int /*nRow*/, int /*nCol*/) { ASSERT(FALSE); }
    virtual UINT GetState() const { return CGridCell::GetState() | GRIDSTATE_READONLY; }

    // Its own values, never a fallback.
    virtual UINT GetFormat() const { return m_nFormat; }
    virtual UINT GetMargin() const { return m_nMargin; }
    virtual LOGFONT* GetFont() const { return const_cast<LOGFONT*>(&m_lfFont); }
    virtual COLORREF GetTextClr() const { return m_crCellFgClr; }
    virtual COLORREF GetBackClr() const { return m_crCellBkClr; }

    // Takes the font and measures the margin and the default size with it on the screen.
    virtual void SetFont(const LOGFONT* plf);
    CFont* GetFontObject() const;

    int GetWidth() const { return m_Size.cx; }
    int GetHeight() const { return m_Size.cy; }
    CSize GetSize() const { return m_Size; }
    void SetWidth(int nWidth) { m_Size.cx = nWidth; }
    void SetHeight(int nHeight) { m_Size.cy = nHeight; }
    int GetStyle() const { return m_nStyle; }
    void SetStyle(int nStyle) { m_nStyle = nStyle; }

protected:
    CSize m_Size;
    mutable CFont m_Font;
    int   m_nStyle;
};

#endif
