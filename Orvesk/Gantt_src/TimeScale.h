// The cells of the two-tier time scale for a zoom level: where each cell lies, its title and
// the days it covers. The chart window's scale (screen and printer), its scale tips, and the
// distribution chart's calendar all walk the cells through this one routine.
#pragma once

#include <ClassLib/AfxWin.h>

#include <functional>

enum
{
    SCALE_TIER_HEADING = 0,  // weeks, months, quarters or years
    SCALE_TIER_UNIT = 1,     // days, 3-day cells or months
};

struct CScaleCell
{
    int nTier;
    int nLeft;
    int nRight;
    CString strText;
    UINT nFormat;  // DrawText format of the title
    int nFirstYear, nFirstMonth, nFirstDay;
    int nLastYear, nLastMonth, nLastDay;
};

// Walks the cells of the level from the first day (year, month, day), starting at x nLeft:
// heading cells are added while the last one ended left of nHeadingLimit, unit cells while
// left of nUnitLimit. On return the triple holds the day after the unit tier's last cell.
// A level outside 1 to 4, or a triple that is not a date, gives no cell. The visitor may
// stop the walk by returning FALSE.
AFX_EXT_API void WalkTimeScale(int nLevel, int nLeft, int nHeadingLimit, int nUnitLimit, int& nYear,
                               int& nMonth, int& nDay, const std::function<BOOL(const CScaleCell&)>& visit);

// The tip text of a cell: "%d-%d-%d" for a single day, the first and last day joined by
// " - " for a level-1 week and by "--" for every other period.
AFX_EXT_API CString ScaleCellTipText(int nLevel, const CScaleCell& cell);
