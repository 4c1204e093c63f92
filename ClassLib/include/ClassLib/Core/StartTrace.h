// Time marks of the program's start, for the start-up benchmark. When PC_START_TRACE names a
// file, each mark takes the monotonic clock under its name; at the first idle after the main
// window's first paint the marks go to that file, one "<name> <nanoseconds>" line each (the
// clock is CLOCK_MONOTONIC, the same in every process), and with PC_START_EXIT=1 the program
// then ends at once. Without the variable a mark costs one test of a flag.
#pragma once

#include <ClassLib/Core/WinTypes.h>

// TRUE when the start is being traced.
BOOL AfxStartTraceWanted();

// Takes the clock under pszName (a string literal: it is kept by pointer). A name is taken
// once, the first time; later marks of the same name are ignored.
void AfxStartMark(const char* pszName);

// TRUE once the mark of that name was taken.
BOOL AfxStartMarked(const char* pszName);

// At the point where the program's loop is about to wait: once "painted" has been marked,
// marks "idle", writes the marks and, when asked, ends the program. Nothing otherwise.
void AfxStartTraceAtIdle();
