// Grid window: its own image list, from the grid's bitmap resource (images 14 pixels wide,
// white as the mask colour).
#include "GridCtrl.h"

void CGridCtrl::CreateImageList()
{
    if (m_ImageList.GetSafeHandle())
        return;
    m_ImageList.Create(IDB_GRID_IMAGES, 14, 1, RGB(255, 255, 255));
}
