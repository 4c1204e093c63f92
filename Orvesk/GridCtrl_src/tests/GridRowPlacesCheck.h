// For every test of a suite: whenever a grid has renumbered its rows, each row's place must
// carry the row's index and the cells of a row not marked loose must read it, as setting
// every cell's coordinates afresh would leave them.
#pragma once

#include <gtest/gtest.h>

#include "GridCtrl.h"

namespace grid_row_places {

inline void CheckRowPlaces(const CGridCtrl& grid)
{
    const CString strFault = grid.VerifyRowPlaces();
    EXPECT_STREQ((LPCTSTR)strFault, "")
        << "the grid's row places differ from the rows' positions";
}

class CRowPlacesCheck : public testing::Environment
{
public:
    void SetUp() override { CGridCtrl::s_pfnRowsRenumbered = CheckRowPlaces; }
    void TearDown() override { CGridCtrl::s_pfnRowsRenumbered = nullptr; }
};

} // namespace grid_row_places
