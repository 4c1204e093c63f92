// A quick look at how deeply a UTF-8 XML text nests its elements, from the text alone.
#pragma once

#include <cstddef>

namespace xmldom {

// TRUE when the text, which the parser has accepted (or is about to accept), certainly
// nests no element deeper than the limit (a top-level element has depth 1). FALSE when it
// may be deeper, or when it holds something this look does not follow (quotes,
// comments, CDATA sections, processing instructions, a DOCTYPE, '>' in text): the tree
// must then be walked to know.
bool NestingWithin(const char* text, size_t size, int limit);

} // namespace xmldom
