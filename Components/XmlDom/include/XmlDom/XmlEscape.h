// Escaping of values for the writers that build XML texts by concatenation.
#pragma once

#include <ClassLib/Core/WinTypes.h>
#include <ClassLib/Core/String.h>

// Returns the code page 936 text with the markup characters replaced by references:
// & -> &amp;  < -> &lt;  > -> &gt;  " -> &quot;  ' -> &apos;  and carriage return -> &#13;
// (so that a CR survives a parser that folds line ends). Good for element text and for
// attribute values. The trail byte of a double-byte character (which may lie in the ASCII
// range, but never below 0x40) is never replaced. Bytes pass otherwise as they are.
CString XmlEscape(const CString& text);
CString XmlEscape(LPCTSTR text);
