// The download dialog's clip: a sheet of paper flying from one folder to another.
#include <ClassLib/AfxWin.h>

#include <cmath>
#include <string>
#include <vector>

#include "../HttpDownloadResource.h"

namespace {

const int kWidth = 272;
const int kHeight = 50;
const int kFrames = 10;

const AFX_PALETTE_CHAR kPalette[] = {{'.', CLR_NONE},          {'K', RGB(0, 0, 0)},
                                     {'Y', RGB(255, 216, 80)}, {'O', RGB(200, 150, 30)},
                                     {'W', RGB(255, 255, 255)}, {'G', RGB(128, 128, 128)},
                                     {'B', RGB(0, 0, 168)}};

// An open folder, 36 x 26.
const char* const kFolder[] = {
    "..KKKKKKKKK.........................",
    ".KYYYYYYYYYK........................",
    "KYYYYYYYYYYYKKKKKKKKKKKKKKKKKKKKK...",
    "KYOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOYK..",
    "KYOKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",
    "KYOKYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYOK",
    "KYKYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYK.",
    "KYKYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYOK.",
    "KKYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYK..",
    "KKYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYOK..",
    "KYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYK...",
    "KYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYOK...",
    "KYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYK....",
    "KYYYYYYYYYYYYYYYYYYYYYYYYYYYYYOK....",
    "KYYYYYYYYYYYYYYYYYYYYYYYYYYYYYK.....",
    "KYYYYYYYYYYYYYYYYYYYYYYYYYYYYOK.....",
    "KYYYYYYYYYYYYYYYYYYYYYYYYYYYYK......",
    "KOOOOOOOOOOOOOOOOOOOOOOOOOOOOK......",
    "KKKKKKKKKKKKKKKKKKKKKKKKKKKKK.......",
};
const int kFolderRows = (int)(sizeof(kFolder) / sizeof(kFolder[0]));

// A sheet with lines of text, 14 x 17.
const char* const kSheet[] = {
    "KKKKKKKKKK....", "KWWWWWWWWKK...", "KWBBBBBWWKWK..", "KWWWWWWWWKKKK.", "KWBBBBBBBBBWK.",
    "KWWWWWWWWWWWKG", "KWBBBBBBBBBWKG", "KWWWWWWWWWWWKG", "KWBBBBBBBBBWKG", "KWWWWWWWWWWWKG",
    "KWBBBBBBWWWWKG", "KWWWWWWWWWWWKG", "KWBBBBBBBBBWKG", "KWWWWWWWWWWWKG", "KKKKKKKKKKKKKG",
    ".GGGGGGGGGGGGG", "..............",
};
const int kSheetRows = (int)(sizeof(kSheet) / sizeof(kSheet[0]));

// The picture's characters over the rows at (x, y); its '.' leaves what is below.
void Stamp(std::vector<std::string>& rows, int x, int y, const char* const* picture, int nRows)
{
    for (int j = 0; j < nRows; ++j) {
        for (int i = 0; picture[j][i] != '\0'; ++i) {
            const int cx = x + i, cy = y + j;
            if (picture[j][i] != '.' && cy >= 0 && cy < (int)rows.size() && cx >= 0 && cx < kWidth)
                rows[cy][cx] = picture[j][i];
        }
    }
}

struct CClipFrames
{
    std::vector<std::string> rows[kFrames];
    std::vector<const char*> rowPointers[kFrames];
    AFX_BITMAP_RESOURCE pictures[kFrames];
    const AFX_BITMAP_RESOURCE* frames[kFrames];
    AFX_CLIP_RESOURCE clip;

    CClipFrames()
    {
        const int nFolderTop = kHeight - kFolderRows - 1;
        const int xFrom = 14, xTo = kWidth - 36 - 14 + 6;
        for (int f = 0; f < kFrames; ++f) {
            std::vector<std::string>& r = rows[f];
            r.assign(kHeight, std::string(kWidth, '.'));
            Stamp(r, 8, nFolderTop, kFolder, kFolderRows);
            Stamp(r, kWidth - 36 - 8, nFolderTop, kFolder, kFolderRows);
            // The sheet leaves the first folder and drops into the second along an arc.
            const double t = (double)f / (kFrames - 1);
            const int x = xFrom + (int)std::lround(t * (xTo - xFrom));
            const int y = nFolderTop - 4 - (int)std::lround(std::sin(t * 3.14159265) * (nFolderTop - 4));
            Stamp(r, x, y, kSheet, kSheetRows);
            for (const std::string& line : r)
                rowPointers[f].push_back(line.c_str());
            pictures[f] = AFX_BITMAP_RESOURCE{kWidth, kHeight, rowPointers[f].data(), kPalette,
                                              (int)(sizeof(kPalette) / sizeof(kPalette[0])), nullptr, 0, 8};
            frames[f] = &pictures[f];
        }
        clip = AFX_CLIP_RESOURCE{frames, kFrames, 100};
    }
};

const CClipFrames& ClipFrames()
{
    static const CClipFrames frames;
    return frames;
}

}  // namespace

AFX_MODULE_RESOURCES(Quenby)
{
    AfxRegisterClip(hModule, IDR_HTTPDOWNLOAD_ANIMATION, &ClipFrames().clip);
}
