// Linked into every test program: run by hand, outside ctest, a test program behaves as under
// ctest. It keeps the settings store in memory (a run never reads the user's own saved
// settings, which changed what some window tests saw, nor overwrites them), unless the
// caller chose a store already.
#include <cstdlib>

namespace
{
struct TestProgramDefaults
{
    TestProgramDefaults()
    {
        setenv("PC_REGISTRY_FILE", ":memory:", 0);
    }
} const s_defaults;
} // namespace
