// Grid window: the clipboard commands reached from the keyboard. Cut, copy and paste of the
// cells' text come with the clipboard support; select all is the selection's own.
#include "GridCtrl.h"

void CGridCtrl::OnEditCut()
{
}

void CGridCtrl::OnEditCopy()
{
}

void CGridCtrl::OnEditPaste()
{
}

void CGridCtrl::OnEditSelectAll()
{
    SelectAllCells();
}
