// Private: drags started by a data source, and the drop side that targets register.
#pragma once

#include <ClassLib/Ole/DataObject.h>

class COleDropSource;

namespace pc {

// Runs a drag: through the test script when one is queued, not at all on a headless
// platform or under a test harness (DROPEFFECT_NONE), else as the desktop's drag. The result is masked by dwEffects.
DROPEFFECT RunDrag(COleDataSource* source, DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource);

}  // namespace pc
