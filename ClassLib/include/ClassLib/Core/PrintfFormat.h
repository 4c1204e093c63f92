// Lets the compiler check printf-style argument lists.
#pragma once

#ifndef PC_PRINTF_FORMAT
#if defined(__GNUC__)
#define PC_PRINTF_FORMAT(fmtIndex, firstArg) __attribute__((format(printf, fmtIndex, firstArg)))
#else
#define PC_PRINTF_FORMAT(fmtIndex, firstArg)
#endif
#endif
