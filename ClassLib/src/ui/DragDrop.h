// Private: drags started by a data source, and the drop side that targets register.
#pragma once

#include <ClassLib/Ole/DataObject.h>

class COleDropSource;

namespace pc {

// Runs a drag: through the test script when one is queued, not at all on a headless
// platform (DROPEFFECT_NONE), else as a Qt drag. The result is masked by dwEffects.
DROPEFFECT RunDrag(COleDataSource* source, DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource);

// True under a test harness or on a platform without a screen: modal loops and drags
// must not wait there.
bool IsHeadless();

}  // namespace pc
