// Whole numbers read from cell texts such as "5个工作日".
#pragma once

#include <ClassLib/Afx.h>

// The leading plain decimal number of a text: blanks, an optional sign, digits and an
// optional fraction, truncated toward zero. No hexadecimal, exponent, "inf" or "nan";
// a text without such a number gives 0; values beyond the int range are clamped.
int GridParseWholeNumber(LPCTSTR pszText);

// The working days of a spin cell after one step: the number read from the text plus
// nStep, never below 0 and never beyond the int range.
int GridStepWorkDays(LPCTSTR pszText, int nStep);
