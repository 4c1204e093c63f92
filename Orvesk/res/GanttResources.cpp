// Resources of the Gantt chart: the bar patterns (8 x 8, 4 bits per pixel, chequered in
// the bar's colour and white), the rest-day pattern of the background grid, and the prompts
// of the zoom commands.
#include <ClassLib/Afx.h>
#include <ClassLib/Gdi/ResourceImages.h>

#include "../Gantt_src/GanttRes.h"

namespace {

const char* const kChequerRows[] = {
    "CWCWCWCW", "WCWCWCWC", "CWCWCWCW", "WCWCWCWC",
    "CWCWCWCW", "WCWCWCWC", "CWCWCWCW", "WCWCWCWC",
};
const AFX_PALETTE_CHAR kBluePalette[] = {{'C', RGB(0, 0, 255)}, {'W', RGB(255, 255, 255)}};
const AFX_PALETTE_CHAR kRedPalette[] = {{'C', RGB(255, 0, 0)}, {'W', RGB(255, 255, 255)}};
const AFX_BITMAP_RESOURCE kBarPattern = AFX_PICTURE(8, 8, kChequerRows, kBluePalette);
const AFX_BITMAP_RESOURCE kCriticalPattern = AFX_PICTURE(8, 8, kChequerRows, kRedPalette);

// Rest days: grey diagonal hatching on white.
const char* const kRestDayRows[] = {
    "GWWWGWWW", "WGWWWGWW", "WWGWWWGW", "WWWGWWWG",
    "GWWWGWWW", "WGWWWGWW", "WWGWWWGW", "WWWGWWWG",
};
const AFX_PALETTE_CHAR kRestDayPalette[] = {{'G', RGB(192, 192, 192)}, {'W', RGB(255, 255, 255)}};
const AFX_BITMAP_RESOURCE kRestDayPattern = AFX_PICTURE(8, 8, kRestDayRows, kRestDayPalette);

} // namespace

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterBitmap(hModule, IDB_GANTT_BAR, &kBarPattern);
    AfxRegisterBitmap(hModule, IDB_GANTT_CRITICAL, &kCriticalPattern);
    AfxRegisterBitmap(hModule, IDB_GANTT_RESTDAY, &kRestDayPattern);
    AfxRegisterStrings(hModule, {
        {ID_GANTT_ZOOMOUT, "缩小甘特图\n缩小"},
        {ID_GANTT_ZOOMIN, "放大甘特图\n放大"},
    });
}
