#include "../GridCtrl_src/tests/GridRowPlacesCheck.h"

namespace {
testing::Environment* const g_pCheck = testing::AddGlobalTestEnvironment(new grid_row_places::CRowPlacesCheck);
} // namespace
