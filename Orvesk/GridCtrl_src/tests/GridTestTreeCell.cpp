#include "GridTestTreeCell.h"

IMPLEMENT_DYNCREATE(CTestTreeCell, CGridCell)
