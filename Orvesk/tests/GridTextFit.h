// What a grid draws cut: every text of a paint, measured in the font it was drawn with,
// that is wider than the rectangle it was drawn in or was cut short (an ellipsis).
#pragma once

#include <ClassLib/Testing/DrawLog.h>

#include <sstream>
#include <string>

#include "GridCtrl.h"

// Paints the grid and returns, one line each, every text drawn cut ("" when none is); fewer
// than nAtLeast texts drawn is reported too.
inline std::string GridCutTexts(CGridCtrl& grid, int nAtLeast = 10)
{
    CDrawRecorder rec(&grid);
    grid.Invalidate();
    grid.UpdateWindow();
    AfxPumpMessages();
    std::ostringstream out;
    CClientDC dc(&grid);
    int nTexts = 0;
    for (const AfxDrawOp* pOp : rec.Texts())
    {
        if (pOp->text.IsEmpty() || (pOp->flags & DT_CALCRECT))
            continue;
        nTexts++;
        CFont font;
        font.CreateFontIndirect(&pOp->font);
        CFont* pOld = dc.SelectObject(&font);
        const CSize size = dc.GetTextExtent(pOp->text);
        dc.SelectObject(pOld);
        BOOL bWhole = pOp->lines.size() <= 1;
        for (const AfxDrawTextLine& line : pOp->lines)
            bWhole = bWhole && line.text == pOp->text;
        if (!bWhole || size.cx > pOp->rect.Width())
            out << "\"" << (LPCTSTR)pOp->text << "\" " << size.cx << " wide in " << pOp->rect.Width()
                << (bWhole ? "" : " (cut)") << "\n";
    }
    if (nTexts < nAtLeast)
        out << "only " << nTexts << " texts drawn\n";
    return out.str();
}
