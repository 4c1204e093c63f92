// The common entry point every reader's fuzz target defines, so that any fuzzer (or the
// replay driver of the test run) can drive it: one input, any bytes; 0 always.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fuzz {

// A file of the process's own holding the bytes (readers that take a path); the same path
// on every call, so that a long run leaves nothing behind.
const char* WriteInputFile(const uint8_t* data, size_t size, const char* suffix);

// Makes sure the user-interface layer runs headless (for readers that need a window).
void EnsureHeadless();

}  // namespace fuzz
