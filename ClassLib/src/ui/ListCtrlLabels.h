// The measure scope of CListCtrl: while one is open, the labels the list measures share one
// device context with the list's font (made at the first label measured), the font is
// checked once, and the parent's labels are asked once.
#pragma once

#include "../framework/Framework.h"

#include <memory>

class CListCtrl::MeasureScope
{
public:
    explicit MeasureScope(const CListCtrl* pList);
    ~MeasureScope();
    MeasureScope(const MeasureScope&) = delete;
    MeasureScope& operator=(const MeasureScope&) = delete;

    // The device context, made when first asked for.
    CDC* DC();
    // Widths measured with another font than the list's are forgotten (once per scope).
    void CheckFont();

private:
    const CListCtrl* m_pList;
    bool m_bOuter;
    bool m_bFontChecked = false;
    std::unique_ptr<CClientDC> m_dc;
    CFont* m_pOldFont = nullptr;
};
