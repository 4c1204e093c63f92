// Private: reading and writing the values of data exchange as the platform's dialogs do.
#pragma once

#include <ClassLib/Core/String.h>

namespace pc {

// A whole text holding one integer: blanks around it, an optional sign, decimal digits.
// False for anything else or a value outside the range of long long.
bool ParseInteger(LPCTSTR text, long long& value);
// As ParseInteger without a minus sign (the platform refuses it for unsigned values).
bool ParseUnsigned(LPCTSTR text, unsigned long long& value);
// A whole text holding one number (blanks around it allowed).
bool ParseReal(LPCTSTR text, double& value);
// The text a double is shown with: "%.*g" with the given digits.
CString FormatReal(double value, int digits);

}  // namespace pc
