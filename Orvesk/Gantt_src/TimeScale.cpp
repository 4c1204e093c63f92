// The time scale's cell walk, shared by every scale of the system.
#include "Gantt_src/TimeScale.h"

#include "Gantt_src/CalendarDate.h"

namespace {

const UINT kHeadingFormat = DT_SINGLELINE | DT_VCENTER;
const UINT kUnitFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

CString Number(int n)
{
    CString str;
    str.Format("%d", n);
    return str;
}

CScaleCell MakeCell(int nTier, int nLeft, int nRight, const CString& strText, int y1, int m1, int d1, int y2,
                    int m2, int d2)
{
    CScaleCell cell;
    cell.nTier = nTier;
    cell.nLeft = nLeft;
    cell.nRight = nRight;
    cell.strText = strText;
    cell.nFormat = nTier == SCALE_TIER_HEADING ? kHeadingFormat : kUnitFormat;
    cell.nFirstYear = y1, cell.nFirstMonth = m1, cell.nFirstDay = d1;
    cell.nLastYear = y2, cell.nLastMonth = m2, cell.nLastDay = d2;
    return cell;
}

void StepDays(int& y, int& m, int& d, int n)
{
    for (int i = 0; i < n; ++i)
        NextDay(y, m, d);
}

} // namespace

void WalkTimeScale(int nLevel, int nLeft, int nHeadingLimit, int nUnitLimit, int& nYear, int& nMonth, int& nDay,
                   const std::function<BOOL(const CScaleCell&)>& visit)
{
    // A band without room (an empty or inverted rectangle) has no cell.
    if (nUnitLimit <= nLeft)
        return;

    switch (nLevel) {
    case 1: {
        // Heading: weeks; the first runs to the first Saturday and is titled with the first
        // day, the others with their Sundays.
        int y = nYear, m = nMonth, d = nDay;
        const int nWeekDay = GetDayOfWeek(y, m, d);
        if (nWeekDay < 0)
            return;
        int x = nLeft;
        int nRight = x + (7 - nWeekDay) * 18;
        int ey = y, em = m, ed = d;
        StepDays(ey, em, ed, 6 - nWeekDay);
        if (!visit(MakeCell(SCALE_TIER_HEADING, x, nRight, FormatScaleDate(y, m, d), y, m, d, ey, em, ed)))
            return;
        x = nRight;
        while (x < nHeadingLimit) {
            NextWeekStart(y, m, d);
            nRight = x + 126;
            ey = y, em = m, ed = d;
            StepDays(ey, em, ed, 6);
            if (!visit(MakeCell(SCALE_TIER_HEADING, x, nRight, FormatScaleDate(y, m, d), y, m, d, ey, em, ed)))
                return;
            x = nRight;
        }
        // Unit: days.
        y = nYear, m = nMonth, d = nDay;
        x = nLeft;
        while (x < nUnitLimit) {
            nRight = x + 18;
            if (!visit(MakeCell(SCALE_TIER_UNIT, x, nRight, GetWeekdayLabel(GetDayOfWeek(y, m, d)), y, m, d, y, m, d)))
                return;
            x = nRight;
            NextDay(y, m, d);
        }
        nYear = y, nMonth = m, nDay = d;
        break;
    }
    case 2: {
        // Heading: months from the 1st of the first day's month.
        int y = nYear, m = nMonth, flag = 0;
        const int nStart = nLeft - (nDay - 1) * 6;
        int x = nStart;
        do {
            const int nDays = GetDaysInMonth(y, m);
            if (nDays == 0)
                return;
            const int nRight = x + nDays * 6;
            CString str;
            str.Format(" %d年%d月", y, m);
            if (!visit(MakeCell(SCALE_TIER_HEADING, x, nRight, str, y, m, 1, y, m, nDays)))
                return;
            x = nRight;
            NextMonth(y, m, flag);
        } while (x < nHeadingLimit);
        // Unit: 3-day cells from the same 1st, across month ends without realigning.
        y = nYear, m = nMonth;
        int d = 1;
        x = nStart;
        while (x < nUnitLimit) {
            const int nRight = x + 18;
            int ey = y, em = m, ed = d;
            StepDays(ey, em, ed, 2);
            if (!visit(MakeCell(SCALE_TIER_UNIT, x, nRight, Number(d), y, m, d, ey, em, ed)))
                return;
            x = nRight;
            StepDays(y, m, d, 3);
        }
        nYear = y, nMonth = m, nDay = d;
        break;
    }
    case 3: {
        // Heading: quarters from the first month of the first day's quarter.
        const int nQuarter = GetQuarter(nMonth);
        if (nQuarter == 0)
            return;
        const int nFirstMonth = (nQuarter - 1) * 3 + 1;
        const int nStart = nLeft - (nMonth - nFirstMonth) * 36;
        int y = nYear, m = nFirstMonth, flag = 0;
        int x = nStart;
        do {
            const int nRight = x + 108;
            if (!visit(MakeCell(SCALE_TIER_HEADING, x, nRight, FormatQuarter(y, m), y, m, 1, y, m + 2,
                                GetDaysInMonth(y, m + 2))))
                return;
            x = nRight;
            NextQuarter(y, m);
        } while (x < nHeadingLimit);
        // Unit: months.
        y = nYear, m = nFirstMonth;
        x = nStart;
        while (x < nUnitLimit) {
            const int nRight = x + 36;
            if (!visit(MakeCell(SCALE_TIER_UNIT, x, nRight, Number(m), y, m, 1, y, m, GetDaysInMonth(y, m))))
                return;
            x = nRight;
            NextMonth(y, m, flag);
        }
        nYear = y, nMonth = m, nDay = 1;
        break;
    }
    case 4: {
        // Heading: years from January of the first day's year.
        if (nMonth < 1 || nMonth > 12)
            return;
        const int nStart = nLeft - (nMonth - 1) * 18;
        int y = nYear, m = 1, flag = 0;
        int x = nStart;
        do {
            const int nRight = x + 216;
            CString str;
            str.Format(" %d年", y);
            if (!visit(MakeCell(SCALE_TIER_HEADING, x, nRight, str, y, 1, 1, y, 12, 31)))
                return;
            x = nRight;
            ++y;
        } while (x < nHeadingLimit);
        // Unit: months.
        y = nYear, m = 1;
        x = nStart;
        while (x < nUnitLimit) {
            const int nRight = x + 18;
            if (!visit(MakeCell(SCALE_TIER_UNIT, x, nRight, Number(m), y, m, 1, y, m, GetDaysInMonth(y, m))))
                return;
            x = nRight;
            NextMonth(y, m, flag);
        }
        nYear = y, nMonth = m, nDay = 1;
        break;
    }
    default:
        break;
    }
}

CString ScaleCellTipText(int nLevel, const CScaleCell& cell)
{
    CString str;
    if (nLevel == 1 && cell.nTier == SCALE_TIER_UNIT) {
        str.Format("%d-%d-%d", cell.nFirstYear, cell.nFirstMonth, cell.nFirstDay);
    } else if (nLevel == 1) {
        str.Format("%d-%d-%d - %d-%d-%d", cell.nFirstYear, cell.nFirstMonth, cell.nFirstDay, cell.nLastYear,
                   cell.nLastMonth, cell.nLastDay);
    } else if ((nLevel == 2 || nLevel == 4) && cell.nTier == SCALE_TIER_HEADING) {
        str.Format("%d-%d-%d--%d-%d-%d", cell.nFirstYear, cell.nFirstMonth, cell.nFirstDay, cell.nLastYear,
                   cell.nLastMonth, cell.nLastDay);
    } else if (nLevel >= 2 && nLevel <= 4) {
        CString strFirst;
        strFirst.Format("%d-%d-%d", cell.nFirstYear, cell.nFirstMonth, cell.nFirstDay);
        str.Format("%s--%d-%d-%d", static_cast<LPCTSTR>(strFirst), cell.nLastYear, cell.nLastMonth, cell.nLastDay);
    }
    return str;
}
