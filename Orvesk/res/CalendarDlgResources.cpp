// The calendar dialog's template and pictures: the legend, the rest-day pattern, the
// month buttons and the two selection cursors.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Gdi/ResourceImages.h>

#include "../DocDialogsResource.h"

namespace {

const AFX_DLG_ITEM kCalendarItems[] = {
    {"BUTTON", IDOK, "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 206, 198, 50, 14},
    {"BUTTON", IDCANCEL, "取消", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 262, 198, 50, 14},
    {"STATIC", IDC_STATIC, "请选择基准日历", WS_CHILD | WS_VISIBLE, 7, 18, 62, 8},
    {"COMBOBOX", IDC_CAL_BASE_COMBO, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT, 71, 13, 91, 93},
    {"BUTTON", IDC_CAL_NAME_CHECK, "日历名称", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 180, 18, 45, 10},
    {"EDIT", IDC_CAL_NAME_EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 229, 14, 82, 14},
    {"STATIC", IDC_STATIC, "选择日期", WS_CHILD | WS_VISIBLE, 7, 41, 40, 8},
    {"STATIC", IDC_CAL_WINDOW_PLACE, "", WS_CHILD, 7, 53, 212, 118, WS_EX_STATICEDGE},
    {"STATIC", IDC_CAL_LEGEND_PLACE, "", WS_CHILD, 7, 175, 212, 15, WS_EX_STATICEDGE},
    {"STATIC", IDC_STATIC, "设置所选日期", WS_CHILD | WS_VISIBLE, 235, 44, 60, 8},
    {"BUTTON", IDC_CAL_WORKDAY, "工作日", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON | BS_FLAT, 239, 61, 60, 10},
    {"BUTTON", IDC_CAL_RESTDAY, "休息天或节假日", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_FLAT, 239, 75, 75, 10},
    {"STATIC", IDC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 7, 33, 305, 1},
    {"STATIC", IDC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 7, 193, 305, 1},
    {"STATIC", IDC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDVERT, 226, 41, 1, 149},
};

const AFX_DLG_TEMPLATE kCalendar = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                    0, 0, 0, 319, 219, "日历设置", "宋体", 9,
                                    AFX_DLG_ITEMS(kCalendarItems)};

// The legend: image 0 a rest day (the pattern), image 1 a working day (plain white), each
// 21 x 16 with a frame; the olive mask colour is transparent.
const char* const kLegendRows[] = {
    "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
    "MKKKKKKKKKKKKKKKKKKKMMKKKKKKKKKKKKKKKKKKKM",
    "MKRWRWRWRWRWRWRWRWRKMMKWWWWWWWWWWWWWWWWWKM",
    "MKWRWRWRWRWRWRWRWRWKMMKWWWWWWWWWWWWWWWWWKM",
    "MKRWRWRWRWRWRWRWRWRKMMKWWWWWWWWWWWWWWWWWKM",
    "MKWRWRWRWRWRWRWRWRWKMMKWWWWWWWWWWWWWWWWWKM",
    "MKRWRWRWRWRWRWRWRWRKMMKWWWWWWWWWWWWWWWWWKM",
    "MKWRWRWRWRWRWRWRWRWKMMKWWWWWWWWWWWWWWWWWKM",
    "MKRWRWRWRWRWRWRWRWRKMMKWWWWWWWWWWWWWWWWWKM",
    "MKWRWRWRWRWRWRWRWRWKMMKWWWWWWWWWWWWWWWWWKM",
    "MKRWRWRWRWRWRWRWRWRKMMKWWWWWWWWWWWWWWWWWKM",
    "MKWRWRWRWRWRWRWRWRWKMMKWWWWWWWWWWWWWWWWWKM",
    "MKRWRWRWRWRWRWRWRWRKMMKWWWWWWWWWWWWWWWWWKM",
    "MKWRWRWRWRWRWRWRWRWKMMKWWWWWWWWWWWWWWWWWKM",
    "MKKKKKKKKKKKKKKKKKKKMMKKKKKKKKKKKKKKKKKKKM",
    "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
};
const AFX_PALETTE_CHAR kLegendPalette[] = {
    {'M', RGB(100, 100, 0)}, {'K', RGB(128, 128, 128)}, {'W', RGB(255, 255, 255)}, {'R', RGB(255, 160, 160)}};
const AFX_BITMAP_RESOURCE kLegend = AFX_PICTURE(42, 16, kLegendRows, kLegendPalette);

// Rest days: light diagonal hatching.
const char* const kPatternRows[] = {"RWWWRWWW", "WRWWWRWW", "WWRWWWRW", "WWWRWWWR",
                                    "RWWWRWWW", "WRWWWRWW", "WWRWWWRW", "WWWRWWWR"};
const AFX_PALETTE_CHAR kPatternPalette[] = {{'R', RGB(255, 190, 190)}, {'W', RGB(255, 255, 255)}};
const AFX_BITMAP_RESOURCE kPattern = AFX_PICTURE(8, 8, kPatternRows, kPatternPalette);

// The month buttons on the dark title band: white arrows, brighter when pressed.
const char* const kNextRows[] = {
    "BBBBBBBBBBBBBBBBBBBB", "BBBBBBBBBBBBBBBBBBBB", "BBBBBBBBBBBBBBBBBBBB", "BBBBBBBWBBBBBBBBBBBB", "BBBBBBBWWBBBBBBBBBBB", "BBBBBBBWWWBBBBBBBBBB",
    "BBBBBBBWWWWBBBBBBBBB", "BBBBBBBWWWWWBBBBBBBB", "BBBBBBBWWWWBBBBBBBBB", "BBBBBBBWWWBBBBBBBBBB",
    "BBBBBBBWWBBBBBBBBBBB", "BBBBBBBWBBBBBBBBBBBB", "BBBBBBBBBBBBBBBBBBBB", "BBBBBBBBBBBBBBBBBBBB", "BBBBBBBBBBBBBBBBBBBB",
    "BBBBBBBBBBBBBBBBBBBB",
};
const char* const kPrevRows[] = {
    "BBBBBBBBBBBBBBBBBBBB", "BBBBBBBBBBBBBBBBBBBB", "BBBBBBBBBBBBBBBBBBBB", "BBBBBBBBBBBWBBBBBBBB", "BBBBBBBBBBWWBBBBBBBB", "BBBBBBBBBWWWBBBBBBBB",
    "BBBBBBBBWWWWBBBBBBBB", "BBBBBBBWWWWWBBBBBBBB", "BBBBBBBBWWWWBBBBBBBB", "BBBBBBBBBWWWBBBBBBBB",
    "BBBBBBBBBBWWBBBBBBBB", "BBBBBBBBBBBWBBBBBBBB", "BBBBBBBBBBBBBBBBBBBB", "BBBBBBBBBBBBBBBBBBBB", "BBBBBBBBBBBBBBBBBBBB",
    "BBBBBBBBBBBBBBBBBBBB",
};
static_assert(sizeof(kNextRows) / sizeof(kNextRows[0]) == 16, "16 rows");
static_assert(sizeof(kPrevRows) / sizeof(kPrevRows[0]) == 16, "16 rows");
const AFX_PALETTE_CHAR kUpPalette[] = {{'B', RGB(10, 36, 106)}, {'W', RGB(255, 255, 255)}};
const AFX_PALETTE_CHAR kDownPalette[] = {{'B', RGB(40, 70, 150)}, {'W', RGB(255, 255, 160)}};
const AFX_BITMAP_RESOURCE kNextUp = AFX_PICTURE(20, 16, kNextRows, kUpPalette);
const AFX_BITMAP_RESOURCE kNextDown = AFX_PICTURE(20, 16, kNextRows, kDownPalette);
const AFX_BITMAP_RESOURCE kPrevUp = AFX_PICTURE(20, 16, kPrevRows, kUpPalette);
const AFX_BITMAP_RESOURCE kPrevDown = AFX_PICTURE(20, 16, kPrevRows, kDownPalette);

// Over a weekday heading: a thick arrow pointing down the column.
const char* const kWeekdayCursorRows[] = {
    "................", "......####......", "......#oo#......", "......#oo#......",
    "......#oo#......", "......#oo#......", "......#oo#......", "...####oo####...",
    "....#oooooo#....", ".....#oooo#.....", "......#oo#......", ".......##.......",
    "................", "................", "................", "................",
};
const AFX_CURSOR_RESOURCE kWeekdayCursor = {16, 16, 7, 11, kWeekdayCursorRows};

// While dragging a run of days: a cross with a small bar to its right.
const char* const kRunCursorRows[] = {
    ".......#........", ".......#........", ".......#........", ".......#........",
    ".......#........", ".......#........", ".......#........", "###############.",
    ".......#........", ".......#........", ".......#.######.", ".......#.#oooo#.",
    ".......#.######.", ".......#........", ".......#........", "................",
};
const AFX_CURSOR_RESOURCE kRunCursor = {16, 16, 7, 7, kRunCursorRows};

}  // namespace

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_CALENDAR_DIALOG, &kCalendar);
    AfxRegisterBitmap(hModule, IDB_CAL_LEGEND, &kLegend);
    AfxRegisterBitmap(hModule, IDB_CAL_REST_PATTERN, &kPattern);
    AfxRegisterBitmap(hModule, IDB_CAL_NEXT_UP, &kNextUp);
    AfxRegisterBitmap(hModule, IDB_CAL_NEXT_DOWN, &kNextDown);
    AfxRegisterBitmap(hModule, IDB_CAL_PREV_UP, &kPrevUp);
    AfxRegisterBitmap(hModule, IDB_CAL_PREV_DOWN, &kPrevDown);
    AfxRegisterCursor(hModule, IDC_CAL_CURSOR_WEEKDAY, &kWeekdayCursor);
    AfxRegisterCursor(hModule, IDC_CAL_CURSOR_RUN, &kRunCursor);
}
