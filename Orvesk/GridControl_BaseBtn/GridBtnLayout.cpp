#include "GridBtnLayout.h"

#include <vector>

namespace {

bool IsUpArrow(const GridBtnLayoutItem& b) { return b.nDrawCtl == DFC_SCROLL && (b.nDrawState & 0x0F) == 0; }
bool IsDownArrow(const GridBtnLayoutItem& b) { return b.nDrawCtl == DFC_SCROLL && (b.nDrawState & 0x01) != 0; }
bool IsPushButton(const GridBtnLayoutItem& b)
{
    return b.nDrawCtl == DFC_BUTTON && (b.nDrawState & DFCS_BUTTONPUSH) != 0;
}

// Keeps a slot inside the cell; a slot running past an edge is drawn narrow at that edge.
CRect FitSlot(int nStart, int nEnd, const CRect& rcCell)
{
    CRect rc;
    rc.left = nStart < rcCell.left ? rcCell.left : (nStart > rcCell.right ? rcCell.right : nStart);
    rc.right = nEnd;
    if (nEnd > rcCell.right) {
        rc.right = rcCell.right + 3;
        rc.left = rc.right - GRIDBTN_NARROW_WIDTH;
    }
    if (nEnd < rcCell.left) {
        rc.right = rcCell.left + 3;
        rc.left = rc.right - GRIDBTN_NARROW_WIDTH;
    }
    rc.top = rcCell.top;
    rc.bottom = rcCell.top + GRIDBTN_BAND_HEIGHT;
    return rc;
}

}  // namespace

BOOL GridLayoutButtons(const GridBtnLayoutItem* pItems, int nCount, const CRect& rcCell,
                       int nMargin, CRect* pRects)
{
    if (!pItems || !pRects || nCount <= 0)
        return FALSE;

    // First pass: a whole-cell button ends the layout; otherwise sum the fixed widths,
    // count the automatic buttons and find the first up/down arrow pair.
    int nFixed = 0, nAuto = 0, nPair = -1;
    for (int i = 0; i < nCount; i++) {
        if (pItems[i].nAlign == 0) {
            for (int j = 0; j < nCount; j++)
                pRects[j] = rcCell;
            pRects[nCount].SetRectEmpty();
            return TRUE;
        }
        if (pItems[i].nWidth > 0)
            nFixed += pItems[i].nWidth;
        else
            nAuto++;
        if (nPair < 0 && i + 1 < nCount && IsUpArrow(pItems[i]) && IsDownArrow(pItems[i + 1])) {
            nPair = i;
            i++;  // the down arrow shares the up arrow's slot
        }
    }
    auto isSecondHalf = [nPair](int i) { return nPair >= 0 && i == nPair + 1; };

    // Second pass: widths. Square buttons (not push buttons) take the cell height when
    // that is less than their share.
    const int nCellWidth = rcCell.Width(), nCellHeight = rcCell.Height();
    int nRemaining = nCellWidth - nFixed;
    int nShare = nAuto > 0 ? nRemaining / nAuto : 0;
    int nAutoLeft = nAuto;
    std::vector<int> slot(static_cast<size_t>(nCount), 0);
    for (int i = 0; i < nCount; i++) {
        if (isSecondHalf(i))
            continue;
        int nWidth;
        if (pItems[i].nWidth > 0) {
            nWidth = pItems[i].nWidth;
        } else if (!IsPushButton(pItems[i]) && nCellHeight < nShare) {
            nWidth = nCellHeight;
            nRemaining -= nWidth;
            nAutoLeft--;
            if (nAutoLeft > 0)
                nShare = nRemaining / nAutoLeft;
        } else {
            nWidth = nShare;
            nRemaining -= nWidth;
            nAutoLeft--;
        }
        slot[static_cast<size_t>(i)] = nWidth + 1;
    }
    const int nTextWidth = nRemaining < nMargin ? 0 : nRemaining;

    // Horizontal slots: left-aligned buttons, the text area, right-aligned buttons.
    std::vector<int> start(static_cast<size_t>(nCount), 0), end(static_cast<size_t>(nCount), 0);
    int x = rcCell.left;
    for (int i = 0; i < nCount; i++) {
        if (isSecondHalf(i) || pItems[i].nAlign != 1)
            continue;
        start[static_cast<size_t>(i)] = x;
        end[static_cast<size_t>(i)] = x + slot[static_cast<size_t>(i)];
        x += slot[static_cast<size_t>(i)];
    }
    const int nTextStart = x + nMargin, nTextEnd = x + nTextWidth;
    x += nTextWidth + nMargin;
    for (int i = 0; i < nCount; i++) {
        if (isSecondHalf(i) || pItems[i].nAlign != 2)
            continue;
        start[static_cast<size_t>(i)] = x;
        end[static_cast<size_t>(i)] = x + slot[static_cast<size_t>(i)];
        x += slot[static_cast<size_t>(i)];
    }

    for (int i = 0; i < nCount; i++) {
        if (!isSecondHalf(i))
            pRects[i] = FitSlot(start[static_cast<size_t>(i)], end[static_cast<size_t>(i)], rcCell);
    }
    pRects[nCount] = FitSlot(nTextStart, nTextEnd, rcCell);

    // The arrow pair: one narrow slot, the up arrow over the down arrow.
    if (nPair >= 0) {
        CRect& rcUp = pRects[nPair];
        CRect& rcDown = pRects[nPair + 1];
        rcUp.right += 1;
        rcUp.left = rcUp.right - GRIDBTN_NARROW_WIDTH;
        rcDown.left = rcUp.left;
        rcDown.right = rcUp.right;
        rcDown.top = rcUp.top;
        rcDown.bottom = rcUp.bottom;
        const int nMiddle = rcUp.top + (rcUp.bottom - rcUp.top) / 2;
        rcUp.bottom = nMiddle;
        rcDown.top = nMiddle;
    }
    return TRUE;
}

CString GridJoinButtonTips(const CString* pTexts, int nCount)
{
    std::string tip;
    for (int i = 0; pTexts && i < nCount; i++) {
        const std::string& text = pTexts[i].str();
        if (text.empty())
            continue;
        std::string plain;
        for (size_t k = 0; k < text.size(); k++) {
            const unsigned char c = static_cast<unsigned char>(text[k]);
            if (IsDBCSLeadByte(c) && k + 1 < text.size()) {
                plain += text[k];
                plain += text[++k];
            } else if (c == '&') {
                if (k + 1 < text.size() && text[k + 1] == '&')
                    plain += text[++k];
            } else {
                plain += text[k];
            }
        }
        if (!tip.empty())
            tip += ' ';
        tip += plain;
    }
    // Cut at the limit, stepping back over a double-byte character that would be split.
    if (tip.size() > GRIDBTN_TIP_MAX) {
        size_t cut = 0;
        while (cut < tip.size()) {
            const size_t step = IsDBCSLeadByte(static_cast<unsigned char>(tip[cut])) && cut + 1 < tip.size() ? 2 : 1;
            if (cut + step > GRIDBTN_TIP_MAX)
                break;
            cut += step;
        }
        tip.resize(cut);
    }
    return CString(tip);
}

int GridFindMnemonic(const CString* pTexts, int nCount, UINT ch)
{
    if (!pTexts || ch == 0 || ch > 0x7F)
        return -1;
    const int wanted = tolower(static_cast<int>(ch));
    for (int i = 0; i < nCount; i++) {
        const std::string& text = pTexts[i].str();
        for (size_t k = 0; k < text.size(); k++) {
            const unsigned char c = static_cast<unsigned char>(text[k]);
            if (IsDBCSLeadByte(c)) {
                k++;
                continue;
            }
            if (c != '&' || k + 1 >= text.size())
                continue;
            const unsigned char next = static_cast<unsigned char>(text[k + 1]);
            if (next == '&') {
                k++;  // an escaped ampersand
                continue;
            }
            if (next < 0x80 && tolower(next) == wanted)
                return i;
        }
    }
    return -1;
}
