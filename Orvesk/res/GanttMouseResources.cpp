// Cursors of the Gantt chart's drags: linking (a chain), moving (a two-way arrow), the
// progress handle (a bar with a right arrow) and the right end (a bracket with arrows).
#include <ClassLib/Afx.h>
#include <ClassLib/Gdi/ResourceImages.h>

#include "../Gantt_src/GunterBar.h"

namespace {

const char* const kLinkRows[] = {
    "................",
    "..####..........",
    ".#oooo#.........",
    "#oo##oo#........",
    "#o#..#o#........",
    "#o#..#o######...",
    "#oo##oooooooo#..",
    ".#oooo######oo#.",
    "..####.#o#..#o#.",
    ".......#o#..#o#.",
    ".......#oo##oo#.",
    "........#oooo#..",
    ".........####...",
    "................",
    "................",
    "................",
};
const char* const kMoveRows[] = {
    "................",
    "................",
    "................",
    "................",
    "...#........#...",
    "..##........##..",
    ".#o##########o#.",
    "#oooooooooooooo#",
    ".#o##########o#.",
    "..##........##..",
    "...#........#...",
    "................",
    "................",
    "................",
    "................",
    "................",
};
const char* const kProgressRows[] = {
    "................",
    "................",
    "................",
    "######..........",
    "#oooo#..........",
    "#oooo#....#.....",
    "#oooo#....##....",
    "#oooo######o#...",
    "#ooooooooooo##..",
    "#oooo######o#...",
    "#oooo#....##....",
    "#oooo#....#.....",
    "######..........",
    "................",
    "................",
    "................",
};
const char* const kResizeRows[] = {
    ".......##.......",
    ".......##.......",
    ".......##.......",
    "...#...##...#...",
    "..##...##...##..",
    ".#o#...##...#o#.",
    "#oo#####o####oo#",
    ".#o#...##...#o#.",
    "..##...##...##..",
    "...#...##...#...",
    ".......##.......",
    ".......##.......",
    ".......##.......",
    "................",
    "................",
    "................",
};

const AFX_CURSOR_RESOURCE kLinkCursor = {16, 16, 1, 1, kLinkRows};
const AFX_CURSOR_RESOURCE kMoveCursor = {16, 16, 7, 7, kMoveRows};
const AFX_CURSOR_RESOURCE kProgressCursor = {16, 16, 1, 8, kProgressRows};
const AFX_CURSOR_RESOURCE kResizeCursor = {16, 16, 7, 6, kResizeRows};

} // namespace

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterCursor(hModule, IDC_GANTT_LINK, &kLinkCursor);
    AfxRegisterCursor(hModule, IDC_GANTT_MOVE, &kMoveCursor);
    AfxRegisterCursor(hModule, IDC_GANTT_PROGRESS, &kProgressCursor);
    AfxRegisterCursor(hModule, IDC_GANTT_RESIZE, &kResizeCursor);
}
