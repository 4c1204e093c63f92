// The owner's measure and paint of the items of owner-drawn list boxes and combo boxes.
#include "OwnerDrawDelegate.h"
#include "ControlProc.h"
#include "ListItems.h"
#include <ClassLib/AfxWin.h>

namespace pc {

int OwnerItemHeight(const ListItems& items, int index, int commonHeight, int defaultHeight)
{
    if (items.Valid(index) && items.At(index).height > 0)
        return items.At(index).height;
    return commonHeight > 0 ? commonHeight : defaultHeight;
}

int OwnerMeasureItem(ControlHost* host, UINT ctlType, UINT commonItemId, ListItems& items, int index,
                     int defaultHeight)
{
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ctlType;
    mis.itemID = index < 0 ? commonItemId : static_cast<UINT>(index);
    mis.itemHeight = static_cast<UINT>(defaultHeight);
    mis.itemData = items.Valid(index) ? items.At(index).data : 0;
    host->OwnerMeasure(mis);
    if (items.Valid(index))
        items.At(index).height = static_cast<int>(mis.itemHeight);
    return static_cast<int>(mis.itemHeight);
}

void OwnerPaintItem(ControlHost* host, QPainter& painter, UINT ctlType, const ListItems& items, int index,
                    const QRect& rect, bool selected, bool focus, bool disabled)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ctlType;
    dis.itemID = items.Valid(index) ? static_cast<UINT>(index) : static_cast<UINT>(-1);
    dis.itemAction = ODA_DRAWENTIRE;
    if (selected)
        dis.itemState |= ODS_SELECTED;
    if (focus)
        dis.itemState |= ODS_FOCUS;
    if (disabled)
        dis.itemState |= ODS_DISABLED;
    dis.rcItem = {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
    dis.itemData = items.Valid(index) ? items.At(index).data : 0;
    host->OwnerDraw(painter, dis);
}

}  // namespace pc
