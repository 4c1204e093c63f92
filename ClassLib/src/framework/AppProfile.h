// The profile of the running application object, for framework pieces that keep settings
// there (the recent-file list). NULL while no application object exists.
#pragma once

class CProfileStore;

namespace pc_frame {
CProfileStore* AppProfile();
void SetAppProfile(CProfileStore* profile);
}  // namespace pc_frame
