// The grid's resources: the picture of its own image list (a task note, 14 x 14; white is
// the mask colour). They belong to the module of the library that carries the grid.
#include "GridDefines.h"

#include <ClassLib/Gdi/ResourceImages.h>

// The module the grid's resources belong to; a library that carries its own build of the
// grid names itself.
#ifndef GRIDCTRL_MODULE
#define GRIDCTRL_MODULE Orvesk
#endif

namespace
{
const char* const kGridImageRows[] = {
    "..............",
    ".KKKKKKKKK....",
    ".KPPPPPPPKK...",
    ".KPPPPPPPKPK..",
    ".KPBBBBBPKKKK.",
    ".KPPPPPPPPPPK.",
    ".KPBBBBBBBBPK.",
    ".KPPPPPPPPPPK.",
    ".KPBBBBBBBBPK.",
    ".KPPPPPPPPPPK.",
    ".KPBBBBBPPPPK.",
    ".KPPPPPPPPPPK.",
    ".KKKKKKKKKKKK.",
    "..............",
};
const AFX_PALETTE_CHAR kGridImagePalette[] = {
    {'.', RGB(255, 255, 255)},
    {'K', RGB(64, 64, 64)},
    {'P', RGB(255, 255, 232)},
    {'B', RGB(0, 0, 160)},
};
const AFX_BITMAP_RESOURCE kGridImage = AFX_PICTURE(14, 14, kGridImageRows, kGridImagePalette);
} // namespace

#define GRIDCTRL_RESOURCES(name) AFX_MODULE_RESOURCES(name)
GRIDCTRL_RESOURCES(GRIDCTRL_MODULE)
{
    AfxRegisterBitmap(hModule, IDB_GRID_IMAGES, &kGridImage);
}
