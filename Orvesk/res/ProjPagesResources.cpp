// The resource and permission pages' templates and pictures: the resource types, the two
// picture buttons, the permission cells and the permission headings.
#include <ClassLib/AfxWin.h>
#include <ClassLib/Gdi/ResourceImages.h>

#include "../ProjDialogsResource.h"
#include "ProjPictureCanvas.h"

namespace {

#define PROJ_RES_LIST_STYLE (WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT)
#define PROJ_PICTURE_BUTTON (WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW)
// The permission list: report view, one row selected at a time, the selection shown
// always, rows drawn by the list itself at a fixed height.
#define PROJ_ROLE_LIST_STYLE \
    (WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED)

const AFX_DLG_ITEM kResItems[] = {
    {"STATIC", IDC_STATIC, "项目资源", WS_CHILD | WS_VISIBLE, 7, 9, 60, 8},
    {"BUTTON", IDC_PROJ_RES_ADD, "", PROJ_PICTURE_BUTTON, 192, 5, 16, 14},
    {"BUTTON", IDC_PROJ_RES_REMOVE, "", PROJ_PICTURE_BUTTON, 210, 5, 16, 14},
    {"SysListView32", IDC_PROJ_PAGE_LIST, "", PROJ_RES_LIST_STYLE, 7, 22, 219, 156},
};
const AFX_DLG_TEMPLATE kRes = {DS_SETFONT | WS_CHILD | WS_CAPTION, 0, 0, 0, 233, 185, " 资源管理 ", "宋体", 9,
                               AFX_DLG_ITEMS(kResItems)};

const AFX_DLG_ITEM kResWizardItems[] = {
    {"STATIC", IDC_STATIC, "项目资源", WS_CHILD | WS_VISIBLE, 7, 9, 60, 8},
    {"BUTTON", IDC_PROJ_RES_ADD, "", PROJ_PICTURE_BUTTON, 246, 5, 16, 14},
    {"BUTTON", IDC_PROJ_RES_REMOVE, "", PROJ_PICTURE_BUTTON, 264, 5, 16, 14},
    {"SysListView32", IDC_PROJ_PAGE_LIST, "", PROJ_RES_LIST_STYLE, 7, 22, 273, 100},
};
const AFX_DLG_TEMPLATE kResWizard = {DS_SETFONT | WS_CHILD | WS_CAPTION, 0, 0, 0, 287, 129, "项目发布", "宋体", 9,
                                     AFX_DLG_ITEMS(kResWizardItems)};

const AFX_DLG_ITEM kRoleItems[] = {
    {"SysListView32", IDC_PROJ_PAGE_LIST, "", PROJ_ROLE_LIST_STYLE, 7, 7, 219, 171, WS_EX_STATICEDGE},
};
const AFX_DLG_TEMPLATE kRole = {DS_SETFONT | WS_CHILD | WS_CAPTION, 0, 0, 0, 233, 185, " 权限设置 ", "宋体", 9,
                                AFX_DLG_ITEMS(kRoleItems)};

const AFX_DLG_ITEM kRoleWizardItems[] = {
    {"SysListView32", IDC_PROJ_PAGE_LIST, "", PROJ_ROLE_LIST_STYLE, 7, 7, 273, 115, WS_EX_STATICEDGE},
};
const AFX_DLG_TEMPLATE kRoleWizard = {DS_SETFONT | WS_CHILD | WS_CAPTION, 0, 0, 0, 287, 129, "项目发布", "宋体", 9,
                                      AFX_DLG_ITEMS(kRoleWizardItems)};

const AFX_PALETTE_CHAR kIconPalette[] = {
    {'W', RGB(255, 255, 255)}, {'K', RGB(40, 40, 40)},   {'G', RGB(128, 128, 128)}, {'L', RGB(192, 192, 192)},
    {'P', RGB(250, 250, 236)}, {'R', RGB(210, 30, 30)},  {'B', RGB(0, 70, 200)},    {'S', RGB(240, 200, 160)},
    {'Y', RGB(255, 200, 0)},   {'O', RGB(170, 110, 40)}, {'N', RGB(0, 130, 0)},     {'C', RGB(120, 170, 230)}};
const int kIconPaletteSize = (int)(sizeof(kIconPalette) / sizeof(kIconPalette[0]));

// Resource types, 16 x 16 each: a person, a machine, a box of material.
const AFX_BITMAP_RESOURCE& TypePictures()
{
    static CProjPictureCanvas canvas = [] {
        CProjPictureCanvas c(48, 16, 'W');
        c.Draw(0, 0, {
            "......KKKK......", ".....KSSSSK.....", ".....KSSSSK.....", ".....KSSSSK.....",
            "......KSSK......", "....BBBBBBBB....", "...BBBBBBBBBB...", "...BB.BBBB.BB...",
            "...BB.BBBB.BB...", "...SS.BBBB.SS...", "......BBBB......", "......B..B......",
            "......B..B......", "......B..B......", ".....KK..KK.....", "................",
        });
        c.Draw(16, 0, {
            "................", "................", "....GGGGGGGG....", "....GLLLLLLG....",
            "....GLKKKKLG....", "....GLKCCKLG....", "....GLKKKKLG....", "....GLLLLLLG....",
            ".GGGGGGGGGGGGGG.", ".GLLLLLLLLLLLLG.", ".GLGGGLLLLNLLLG.", ".GLLLLLLLLLLLLG.",
            ".GGGGGGGGGGGGGG.", "..KK........KK..", "..KK........KK..", "................",
        });
        c.Draw(32, 0, {
            "................", "................", "....OOOOOOOO....", "...OYYYYYYYYO...",
            "..OYYYYYYYYYYO..", ".OOOOOOOOOOOOOO.", ".OYYYYYOOYYYYYO.", ".OYYYYYOOYYYYYO.",
            ".OYYYYYYYYYYYYO.", ".OYYYYYYYYYYYYO.", ".OYYYYYYYYYYYYO.", ".OYYYYYYYYYYYYO.",
            ".OYYYYYYYYYYYYO.", ".OOOOOOOOOOOOOO.", "................", "................",
        });
        return c;
    }();
    static const AFX_BITMAP_RESOURCE resource = canvas.Resource(kIconPalette, kIconPaletteSize);
    return resource;
}

// The picture buttons on light grey: a red cross (remove), a new sheet (add).
const AFX_BITMAP_RESOURCE& RemovePicture()
{
    static CProjPictureCanvas canvas = [] {
        CProjPictureCanvas c(16, 14, 'L');
        c.Draw(0, 0, {
            "................", "..RR........RR..", "..RRR......RRR..", "...RRR....RRR...",
            "....RRR..RRR....", ".....RRRRRR.....", "......RRRR......", "......RRRR......",
            ".....RRRRRR.....", "....RRR..RRR....", "...RRR....RRR...", "..RRR......RRR..",
            "..RR........RR..", "................",
        });
        return c;
    }();
    static const AFX_BITMAP_RESOURCE resource = canvas.Resource(kIconPalette, kIconPaletteSize);
    return resource;
}

const AFX_BITMAP_RESOURCE& AddPicture()
{
    static CProjPictureCanvas canvas = [] {
        CProjPictureCanvas c(16, 14, 'L');
        c.Draw(0, 0, {
            "...KKKKKKK......", "...KPPPPPKK.....", "...KPPPPPKPK....", "...KPPPPPKKKK...",
            "...KPPPPPPPPK.Y.", "...KPPPPPPPPKYYY", "...KPPPPPPPPK.Y.", "...KPPPPPPPPK...",
            "...KPPPPPPPPK...", "...KPPPPPPPPK...", "...KPPPPPPPPK...", "...KPPPPPPPPK...",
            "...KKKKKKKKKK...", "................",
        });
        return c;
    }();
    static const AFX_BITMAP_RESOURCE resource = canvas.Resource(kIconPalette, kIconPaletteSize);
    return resource;
}

// Permission cells, 16 x 16: 0 a member, 1 a group of members, 2 a sheet, 3 a ticked box,
// 4 an empty box.
const AFX_BITMAP_RESOURCE& CellPictures()
{
    static CProjPictureCanvas canvas = [] {
        CProjPictureCanvas c(80, 16, 'W');
        c.Draw(0, 0, {
            "................", "......KKKK......", ".....KSSSSK.....", ".....KSSSSK.....",
            ".....KSSSSK.....", "......KSSK......", "....NNNNNNNN....", "...NNNNNNNNNN...",
            "...NN.NNNN.NN...", "...NN.NNNN.NN...", "...SS.NNNN.SS...", "......NNNN......",
            "......N..N......", "......N..N......", ".....KK..KK.....", "................",
        });
        c.Draw(16, 0, {
            "................", "..KKK.....KKK...", ".KSSSK...KSSSK..", ".KSSSK...KSSSK..",
            "..KSK.....KSK...", ".BBBBB...NNNNN..", "BBBBBBB.NNNNNNN.", "BB.B.BB.NN.N.NN.",
            "BB.B.BB.NN.N.NN.", "...B.B....N.N...", "...B.B....N.N...", "..KK.KK..KK.KK..",
            "................", "................", "................", "................",
        });
        c.Draw(32, 0, {
            "................", "..KKKKKKKK......", "..KPPPPPPKK.....", "..KPPPPPPKPK....",
            "..KPGGGGPKKKK...", "..KPPPPPPPPPK...", "..KPGGGGGGGPK...", "..KPPPPPPPPPK...",
            "..KPGGGGGGGPK...", "..KPPPPPPPPPK...", "..KPGGGGGGGPK...", "..KPPPPPPPPPK...",
            "..KPPPPPPPPPK...", "..KKKKKKKKKKK...", "................", "................",
        });
        const char* const box[] = {
            "................", "................", "..GGGGGGGGGGG...", "..GPPPPPPPPPK...",
            "..GPPPPPPPPPK...", "..GPPPPPPPPPK...", "..GPPPPPPPPPK...", "..GPPPPPPPPPK...",
            "..GPPPPPPPPPK...", "..GPPPPPPPPPK...", "..GPPPPPPPPPK...", "..GPPPPPPPPPK...",
            "..GKKKKKKKKKK...", "................", "................", "................",
        };
        for (int i = 0; i < 16; ++i) {
            c.Draw(48, i, {box[i]});
            c.Draw(64, i, {box[i]});
        }
        c.Draw(48 + 4, 4, {
            "......K", ".....KK", "K...KK.", "KK.KK..", ".KKK...", "..K....",
        });
        return c;
    }();
    static const AFX_BITMAP_RESOURCE resource = canvas.Resource(kIconPalette, kIconPaletteSize);
    return resource;
}

// Permission headings, 11 x 11: 0 a page, 1 a funnel, 2 a book with a tick.
const AFX_BITMAP_RESOURCE& HeadingPictures()
{
    static CProjPictureCanvas canvas = [] {
        CProjPictureCanvas c(33, 11, 'W');
        c.Draw(0, 0, {
            ".KKKKKK....", ".KPPPPKK...", ".KPGGPKPK..", ".KPPPPKKKK.", ".KPGGGGGPK.", ".KPPPPPPPK.",
            ".KPGGGGGPK.", ".KPPPPPPPK.", ".KPGGGGGPK.", ".KPPPPPPPK.", ".KKKKKKKKK.",
        });
        c.Draw(11, 0, {
            "KKKKKKKKKKK", ".KCCCCCCCK.", "..KCCCCCK..", "...KCCCK...", "....KCK....", "....KCK....",
            "....KCK....", "....KCK....", "....KCK....", "....KKK....", "...........",
        });
        c.Draw(22, 0, {
            "KKKKKKKKKK.", "KBBBBBBBBK.", "KBBBBBBBBK.", "KBBBBBBBNN.", "KBBBBBBNNK.", "KBNBBBNNBK.",
            "KBNNBNNBBK.", "KBBNNNBBBK.", "KBBBNBBBBK.", "KPPPPPPPPK.", "KKKKKKKKKK.",
        });
        return c;
    }();
    static const AFX_BITMAP_RESOURCE resource = canvas.Resource(kIconPalette, kIconPaletteSize);
    return resource;
}

}  // namespace

AFX_MODULE_RESOURCES(Orvesk)
{
    AfxRegisterResource(hModule, RT_DIALOG, IDD_PROJ_RES, &kRes);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_PROJ_RES_WIZARD, &kResWizard);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_PROJ_ROLE, &kRole);
    AfxRegisterResource(hModule, RT_DIALOG, IDD_PROJ_ROLE_WIZARD, &kRoleWizard);
    AfxRegisterBitmap(hModule, IDB_PROJ_RES_TYPES, &TypePictures());
    AfxRegisterBitmap(hModule, IDB_PROJ_RES_REMOVE, &RemovePicture());
    AfxRegisterBitmap(hModule, IDB_PROJ_RES_ADD, &AddPicture());
    AfxRegisterBitmap(hModule, IDB_PROJ_ROLE_CELLS, &CellPictures());
    AfxRegisterBitmap(hModule, IDB_PROJ_ROLE_HEADINGS, &HeadingPictures());
}
