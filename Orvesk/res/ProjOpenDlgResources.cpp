// The open-project dialog's template and its three status pictures.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Gdi/ResourceImages.h>

#include "../ProjDialogsResource.h"
#include "ProjPictureCanvas.h"

namespace {

const AFX_DLG_ITEM kOpenItems[] = {
    {"STATIC", IDC_STATIC, "你的项目", WS_CHILD | WS_VISIBLE, 7, 8, 147, 8},
    {"SysListView32", IDC_PROJ_OPEN_LIST, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT, 8, 18, 258, 92},
    {"STATIC", IDC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 7, 115, 259, 1},
    {"BUTTON", IDOK, "确定", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 146, 122, 50, 14},
    {"BUTTON", IDCANCEL, "取消", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 209, 122, 50, 14},
};

const AFX_DLG_TEMPLATE kOpen = {DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                0, 0, 0, 273, 143, "打开项目", "宋体", 9, AFX_DLG_ITEMS(kOpenItems)};

// 54 x 18, three 17-pixel images on white: 0 a sheet with a yellow star (not published),
// 1 a plain sheet, 2 a sheet with a blue check mark (completed).
const AFX_PALETTE_CHAR kStatusPalette[] = {{'W', RGB(255, 255, 255)}, {'K', RGB(64, 64, 64)},
                                           {'P', RGB(250, 250, 236)}, {'G', RGB(128, 128, 128)},
                                           {'Y', RGB(255, 200, 0)},   {'O', RGB(160, 110, 0)},
                                           {'B', RGB(0, 64, 200)}};

void DrawSheet(CProjPictureCanvas& canvas, int x)
{
    canvas.Draw(x, 1, {
        "..KKKKKKKKK......",
        "..KPPPPPPPKK.....",
        "..KPPPPPPPKPK....",
        "..KPGGGGPPKKKK...",
        "..KPPPPPPPPPPK...",
        "..KPGGGGGGGPPK...",
        "..KPPPPPPPPPPK...",
        "..KPGGGGGGGPPK...",
        "..KPPPPPPPPPPK...",
        "..KPGGGGGGGPPK...",
        "..KPPPPPPPPPPK...",
        "..KPGGGGGPPPPK...",
        "..KPPPPPPPPPPK...",
        "..KPPPPPPPPPPK...",
        "..KKKKKKKKKKKK...",
    });
}

const AFX_BITMAP_RESOURCE& StatusPicture()
{
    static CProjPictureCanvas canvas = [] {
        CProjPictureCanvas c(54, 18, 'W');
        for (int i = 0; i < 3; ++i)
            DrawSheet(c, i * 17);
        c.Draw(9, 9, {
            "....O...",
            "...OYO..",
            "OOOOYOOO",
            "OYYYYYYO",
            ".OYYYYO.",
            ".OYOOYO.",
            "OYO..OYO",
            "OO....OO",
        });
        c.Draw(34 + 8, 8, {
            "......BB",
            ".....BB.",
            "B...BB..",
            "BB.BB...",
            ".BBB....",
            "..B.....",
        });
        return c;
    }();
    static const AFX_BITMAP_RESOURCE resource =
        canvas.Resource(kStatusPalette, (int)(sizeof(kStatusPalette) / sizeof(kStatusPalette[0])));
    return resource;
}

}  // namespace

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_PROJ_OPEN, &kOpen);
    AfxRegisterBitmap(hModule, IDB_PROJ_STATUS, &StatusPicture());
}
