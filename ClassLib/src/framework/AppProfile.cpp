#include "AppProfile.h"

namespace pc_frame {
namespace {
CProfileStore* g_profile = nullptr;
}

CProfileStore* AppProfile()
{
    return g_profile;
}

void SetAppProfile(CProfileStore* profile)
{
    g_profile = profile;
}
}  // namespace pc_frame
