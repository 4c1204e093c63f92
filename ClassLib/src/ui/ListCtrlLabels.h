// The measure scope of CListCtrl: while one is open, every label the list measures uses one
// device context with the list's font, and the font is checked once.
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

private:
    const CListCtrl* m_pList;
    std::unique_ptr<CClientDC> m_dc;  // the outermost scope's
    CFont* m_pOldFont = nullptr;
};
