// The grid's text Load, into a grid with a window (where sizing the columns costs most).
#include "FuzzEntry.h"

#include "GridCtrl.h"

#include <cstdio>

namespace {

struct LoadTarget
{
    CWnd frame;
    CGridCtrl grid;
    LoadTarget()
    {
        frame.CreateEx(0, AfxRegisterWndClass(0), _T("fuzz"), WS_POPUP, CRect(0, 0, 700, 500), NULL, 0);
        grid.Create(CRect(0, 0, 640, 480), &frame, 1, WS_CHILD | WS_VISIBLE);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::EnsureHeadless();
    static LoadTarget* target = new LoadTarget;  // lives as long as the process
    const char* path = fuzz::WriteInputFile(data, size, ".grid");
    if (!path)
        return 0;
    target->grid.Load(path);
    std::remove(path);
    return 0;
}
